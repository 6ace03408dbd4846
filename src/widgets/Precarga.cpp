#include "Precarga.h"

#include <QFontDatabase>
#include <QImageReader>

namespace q42 {

PrecargaInterfaz::PrecargaInterfaz()
    // Both are thread-safe and fill process-wide tables, so the work done
    // here is not repeated on the main thread.
    : m_hilo([] {
          // In the order the window needs them: text first, then the window's
          // own icon.
          QFontDatabase::families();
          QImageReader::supportedImageFormats();
      }) {}

PrecargaInterfaz::~PrecargaInterfaz() {
    if (m_hilo.joinable())
        m_hilo.join();
}

} // namespace q42
