#include "DB_Dll.h"

#include "Corpus.h"

namespace {
std::unique_ptr<DB_Dll>& shared() {
    static std::unique_ptr<DB_Dll> instance;
    return instance;
}
} // namespace

DB_Dll& DB_Dll::instance() {
    auto& s = shared();
    if (!s)
        s = std::make_unique<DB_Dll>();
    return *s;
}

void DB_Dll::release() {
    shared().reset();
}

DB_Dll::DB_Dll() : gCnn(std::make_shared<ado::Connection>()) {
    corpus::instala();
}

DB_Dll::~DB_Dll() {
    // Releasing the class closes the program's connection.
    try {
        if (gCnn && gCnn->State() != ado::adStateClosed)
            gCnn->Close();
    } catch (...) {
    }
}
