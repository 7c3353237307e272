// The company register: the browse "Empresa", the form "UEmpresa" and the deletion of a deleted
// company's folder. Each runs on the thread that starts or calls it (the thread's table
// dictionary must be set up).
//   "Empresa"    the company browse (request 4 selects: the chosen record is left in the
//                thread's `Empresa` buffer and the response is completed).
//   "UEmpresa"   the company form (request 1 insert, 2 change, 3 delete, 6 view).
// `ApagaEmpresa` asks and deletes a deleted company's folder under the data root.
#pragma once

#include <cstdint>
#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void EmpresaBrowse(ui::ProcContext& ctx);
void UEmpresa(ui::ProcContext& ctx);

// "Confirmação de Exclusão": on "&SIM" deletes the folder of company `codigo` under the data root
// (PastaRaiz & 8 digits) with everything in it. Refuses any other folder. `nome` is Windows-1252.
void ApagaEmpresa(ui::ProcContext& ctx, std::uint16_t codigo, const std::string& nome);

}  // namespace vorel::shell
