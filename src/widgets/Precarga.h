#pragma once

// The first window measures text and decodes pictures: Qt then reads the
// system's font configuration and finds its picture readers, some 10-15 ms
// before anything shows. Started right after the application object, this
// does both on a second thread while the program opens its database; the
// window's first use of either finds them ready (or waits for the rest).

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
