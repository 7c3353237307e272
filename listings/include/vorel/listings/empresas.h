// The company listing: every company of the register `Empresa`, by name, three lines each. The
// window `ListagemEmpresas` runs `RelatorioEmpresas`, which prints the page report `RelEmp`
// ("Listagem do Arquivo de Empresas", through the previewer, e-mailed as "ListagemEmpresas.zip") or,
// in printing mode 2, the text form `RelEmpresaM` (136 columns, copied straight to the text
// printer's port). Nothing is written but the text form's own temporary file.
#pragma once

#include <string>
#include <vector>

#include "vorel/report/page_model.h"
#include "vorel/shell/globals.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

// The report of the printing mode, then a pass over the register behind "Processing Records".
void RelatorioEmpresas(ui::ProcContext& ctx);

void RelEmp(ui::ProcContext& ctx);
report::Document DocumentoRelEmp();

void RelEmpresaM(ui::ProcContext& ctx);
// The text form's lines with the printer codes given (page length `NLINHAS`), before the line writer.
std::vector<std::string> LinhasRelEmpresaM(const shell::CodigosImpressoraRec& codigos);

}  // namespace vorel::listings
