#include "Precarga.h"

#include <QFontDatabase>
#include <QStringList>

#include <sched.h>

namespace q42 {

namespace {

// With one processor the second thread only takes turns with the first:
// the same work, plus the thread's start, its memory arena and the lock
// the window's first text then waits on.
bool hayOtroProcesador() {
    cpu_set_t permitidos;
    CPU_ZERO(&permitidos);
    if (sched_getaffinity(0, sizeof(permitidos), &permitidos) != 0)
        return true;
    return CPU_COUNT(&permitidos) > 1;
}

} // namespace

PrecargaInterfaz::PrecargaInterfaz() {
    // Thread-safe, and fills a process-wide table: the work done here is not
    // repeated on the main thread. (The window's icon is read by Qt's own
    // PNG reader, so no picture plug-in is needed at start.)
    if (hayOtroProcesador())
        m_hilo = std::thread([] { QFontDatabase::families(); });
}

PrecargaInterfaz::~PrecargaInterfaz() {
    if (m_hilo.joinable())
        m_hilo.join();
}

} // namespace q42
