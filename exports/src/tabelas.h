// A table opened for one export and closed when it ends.
#pragma once

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::exports {

// A table opened on the thread's dictionary path for the export, closed at its end.
struct Aberta {
    data::FileManager f;
    data::Result aberta;
    explicit Aberta(const data::TableDesc& t) : f(t), aberta(f.open()) {}
    ~Aberta() {
        if (aberta.ok()) (void)f.close();
    }
    Aberta(const Aberta&) = delete;
    Aberta& operator=(const Aberta&) = delete;
};

}  // namespace vorel::exports
