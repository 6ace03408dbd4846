#include "Precarga.h"

#include <QFontDatabase>

namespace q42 {

PrecargaInterfaz::PrecargaInterfaz()
    // Thread-safe, and fills a process-wide table: the work done here is not
    // repeated on the main thread. (The window's icon is read by Qt's own
    // PNG reader, so no picture plug-in is needed at start.)
    : m_hilo([] { QFontDatabase::families(); }) {}

PrecargaInterfaz::~PrecargaInterfaz() {
    if (m_hilo.joinable())
        m_hilo.join();
}

} // namespace q42
