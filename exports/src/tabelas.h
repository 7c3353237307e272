// The tables the exports of this folder read alike: a table opened for one export and closed when
// it ends, and the company's register record.
#pragma once

#include <cstdint>

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

// The company's register record; blank fields when it is not registered.
dictionary::EmpresaRec LeEmpresa(std::uint32_t codigo);

}  // namespace vorel::exports
