// The working company's heading of the movements' page reports (fonts, millimetres and texts are
// the floor's, vorel/fiscal/estilo_relatorio.h).
#pragma once

#include <cstdint>
#include <string>

#include "vorel/fiscal/estilo_relatorio.h"

namespace vorel::movements::estilo {

// The working company as a report's heading shows it (Windows-1252).
struct EmpresaRelatorio {
    std::uint32_t codigo = 0;
    std::string razao, cgc, email;
};
// Company `codigo`'s record (`Empresa` by its code), read on a cursor of the caller's own; blank
// fields when it cannot be read.
EmpresaRelatorio LeEmpresa(std::uint32_t codigo);

}  // namespace vorel::movements::estilo
