// The reports of the audit and of the invalid state registrations.
//
// - `Rel_Erros_Entradas` / `Rel_Erros_Saidas` (report names; "Relatório de Entradas com Erros",
//   "Relatório de Saidas com Erros"): the faulty items of one audit pass, read from that pass's own
//   file (`ArquivoErros`), each with its product and its customer or supplier looked up.
// - `RelErroForCli` / `RelErroForCliNF` (pages) and `RelErroForCliM` / `RelErroForCliNFM` (text, 136
//   columns): the customers and suppliers of `ForCli`, by name, whose state registration
//   `ConsisteInscricaoEstadual` refuses; the "por NF" forms list under each of them the working
//   year's entry, exit and vehicle items that carry its CNPJ.
//
// Each page report is built apart from its run, so that tests read its page model: `Documento...`
// reads the tables and returns the pages; the procedure runs the same report through the previewer
// step (`ExecutaRelatorio`) with its e-mail settings. The text reports' lines are a function of the
// tables and the printer's codes (`Linhas...`); the procedure writes them into its run's own file
// and hands it to the printer's port.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorel/movements/auditoria.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/printer_codes.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::movements {

// The faulty items of a pass's file (`arquivo`, a program path).
report::Document DocumentoRelErrosItens(Movimento tipo, std::string_view arquivo);
void RelErrosItens(ui::ProcContext& ctx, const ArquivoErros& arquivo);

// The invalid registrations, without (`porNota` false) or with the invoice items.
report::Document DocumentoRelErroForCli(std::uint32_t empresa, bool porNota);
std::vector<std::string> LinhasRelErroForCliM(std::uint32_t empresa, bool porNota, const shell::CodigosImpressoraRec& codigos);
void RelErroForCli(ui::ProcContext& ctx, std::uint32_t empresa, bool porNota);   // "RelErroForCli" / "RelErroForCliNF"
void RelErroForCliM(ui::ProcContext& ctx, std::uint32_t empresa, bool porNota);  // "RelErroForCliM" / "RelErroForCliNFM"

}  // namespace vorel::movements
