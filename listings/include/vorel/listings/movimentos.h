// The movement listings of a company's month: the entry invoice items (`EntradaVorel`) and the exit
// invoice items (`SaidaVorel`), optionally of one supplier or customer, with the party from
// `ForCli` and the product from `Produtos`. Nothing is written but a text form's own file.
//
// - Entries: window "RelatorioEntradas" ("Relatório de Entradas"). Model 01: the page report
//   `RelEntradas` (two rows an item) or, in printing mode 2, the text form `RelEntradasM`; model 02
//   adds the ICMS of the supplier's own operation by a rate chosen from the CFOP code and a summary
//   by CFOP and rate: `RelEntradas_Mod02`, text form `RelEntradasM_Mod02`. Page reports are
//   e-mailed as "RelatorioEntradas.zip"; text forms are shown in the viewer as "RelEntradas.txt".
// - Exits: window "RelatorioSaidas" ("Relatório de Saídas"): the page report `RelSaidas` (e-mailed
//   as "RelatorioSaidas.zip") or the text form `RelSaidasM` ("RelSaidas.txt").
//
// The party is looked up per item by the first rule that applies: the item's register code
// (`CodigoForCli` above 0, inactive parties too), its 14-character CNPJ (active parties), or the
// register code kept in the CNPJ field (active parties; the CNPJ column then shows that code).
//
//     ParteEscolhida fornecedor = ...;                      // from the window; codigo 0: everyone
//     report::Document d = DocumentoRelEntradas(periodo, fornecedor, ModeloEntradas::Modelo02);
//     LinhasRelSaidasM(periodo, {}, codigos, [&](const std::string& l) { ...; return report::Outcome{}; });
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "vorel/report/outcome.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

// The supplier or customer chosen in an option window (texts in Windows-1252, without trailing
// blanks). Code 0 lists every party. A party with a CNPJ takes the items whose CNPJ, read as a
// number, is its CNPJ; a party registered by CPF (blank CNPJ) the items of its register code and
// those whose CNPJ field, read as a number, is its CPF.
struct ParteEscolhida {
    std::uint32_t codigo = 0;
    std::string cgc, cpf, nome;

    bool Filtra() const { return codigo != 0; }
    bool PorCpf() const { return Filtra() && cgc.empty(); }
    // Whether an item of that CNPJ field and register code is listed.
    bool Aceita(std::string_view cnpjItem, std::uint32_t codigoItem) const;
};

enum class ModeloEntradas { Modelo01 = 1, Modelo02 = 2 };

// One line of a text form handed to its file; a failure stops the run.
using EscreveLinha = std::function<report::Outcome(const std::string&)>;
// Items read so far, against the records of the whole table.
using ProgressoTexto = std::function<void(std::size_t lidos, std::size_t total)>;

// Entries: the page report of a model run to the previewer, and its pages without it.
void RelEntradas(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);
void RelEntradas_Mod02(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);
report::Document DocumentoRelEntradas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor,
                                      ModeloEntradas modelo);
// The text forms, and their lines (before the line writer) with the printer codes given.
void RelEntradasM(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);
void RelEntradasM_Mod02(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);
report::Outcome LinhasRelEntradasM(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor,
                                   ModeloEntradas modelo, const shell::CodigosImpressoraRec& codigos,
                                   const EscreveLinha& escreve, const ProgressoTexto& progresso = {});

// Exits: the same for the one model.
void RelSaidas(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente);
report::Document DocumentoRelSaidas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente);
void RelSaidasM(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente);
report::Outcome LinhasRelSaidasM(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente,
                                 const shell::CodigosImpressoraRec& codigos, const EscreveLinha& escreve,
                                 const ProgressoTexto& progresso = {});

}  // namespace vorel::listings
