#include "Precarga.h"

#include <QFontDatabase>
#include <QThread>

namespace q42 {

PrecargaInterfaz::PrecargaInterfaz() {
    // Thread-safe, and fills a process-wide table: the work done here is not
    // repeated on the main thread. With one processor a second thread would
    // only take turns with the first.
    if (QThread::idealThreadCount() > 1)
        m_hilo = std::thread([] { QFontDatabase::families(); });
}

PrecargaInterfaz::~PrecargaInterfaz() {
    if (m_hilo.joinable())
        m_hilo.join();
}

} // namespace q42
