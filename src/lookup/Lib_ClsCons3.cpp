#include "Lib_ClsCons3.h"

#include <memory>

namespace {
std::unique_ptr<Lib_ClsCons3>& shared() {
    static std::unique_ptr<Lib_ClsCons3> instance;
    return instance;
}
} // namespace

Lib_ClsCons3& Lib_ClsCons3::instance() {
    auto& s = shared();
    if (!s)
        s = std::make_unique<Lib_ClsCons3>();
    return *s;
}

void Lib_ClsCons3::release() {
    shared().reset();
}
