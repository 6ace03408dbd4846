#pragma once

// The first window measures text: Qt then reads the system's font
// configuration and lists its fonts before anything shows. Started right
// after the application object, this does it on a second thread while the
// program opens its database; the window's first text finds the fonts ready
// (or waits for the rest). With a single processor there is nothing to
// overlap and no thread is started.

#include <thread>

namespace q42 {

class PrecargaInterfaz {
public:
    PrecargaInterfaz();
    // Waits for the thread: it must end before the application object does.
    ~PrecargaInterfaz();
    PrecargaInterfaz(const PrecargaInterfaz&) = delete;
    PrecargaInterfaz& operator=(const PrecargaInterfaz&) = delete;

private:
    std::thread m_hilo;
};

} // namespace q42
