// A vehicle sheet run from its option window: the computation with its progress window, the
// output asked for, the December carry and the work table's deletion; and the final summary run.
// Also the options the vehicle option windows share (model and rate, e-mail text).
#pragma once

#include <string>

#include "vorel/computation/planilha_veiculos.h"

namespace vorel::ui {
class ProcContext;
class Window;
}

namespace vorel::computation {

// The sheet of `periodo`'s month. `nomeArquivo` empty: printed (the text report in printing mode 2,
// else the page report); otherwise the `;` file at that path.
void ExecutaPlanilhaVeiculos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const OpcoesVeiculos& opcoes,
                             const std::string& nomeArquivo);

// The final summary of `periodo`'s month with its report (none in printing mode 2), the first page
// numbered `paginaInicial`.
void ExecutaResumoFinalVeiculo(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, int paginaInicial);

// The "Modelo:" drop list and the "Percentual:" entry of the options: four controls numbered from
// `primeiro` (model prompt, model, rate prompt, rate).
void AdicionaModeloEPercentual(ui::Window& w, OpcoesVeiculos& opcoes, int primeiro);

// The e-mail fields (GLO:EMAIL:*) preset from the working company for a report titled `titulo`
// (UTF-8); the one-supplier sheet (`comFornecedor`) names the supplier's code and name
// (Windows-1252; both empty until one is chosen).
void PreencheEmailVeiculos(const char* titulo, bool comFornecedor, const std::string& codigo = {},
                           const std::string& nome = {});

}  // namespace vorel::computation
