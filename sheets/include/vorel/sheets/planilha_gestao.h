// The management sheet: the window "Planilha Mensal de Produtos/Gestão" (`PlanilhaProdutos_Aux`)
// gathers the working month into a work table of its run and hands it to the page sheet
// (`PlanilhaMensalProdutos_Aux`) or, in printing mode 2, to the text sheet
// (`PlanilhaMensalProdutosM_Aux`). Both value every movement at the product's own weighted moving
// average while they print (vorel/sheets/valor_medio.h); nothing is written to the balances.
//
// The window passes the work table and each product's opening values; the balance option, the
// negative option and the supplier filter travel as keys of the user's Vorel.ini (section `DescSaldo`,
// `SaldoNegativo`, `CNPJ`, key `Caminho`), which the sheets read back.
//
//   TrabalhoGestao t{arquivo, montagem.aberturas, produto};
//   PlanilhaMensalProdutos_Aux(ctx, t);      // the pages, then the result page in the same preview
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <system_error>

#include "vorel/core/decimal.h"
#include "vorel/sheets/valor_medio.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::sheets {

struct TrabalhoGestao {
    std::string arquivo;                       // the run's work table (program path)
    std::map<Decimal, SaldoGestao> aberturas;  // each product's opening values from the window
    Decimal produto;                           // the one product chosen (0: all)
    shell::EmpresaPeriodo periodo;             // the company and month gathered
};

// What the sheets read back from the user's Vorel.ini (sections "CNPJ", "DescSaldo" and
// "SaldoNegativo", key "Caminho", written by the options window) and the office parameters.
struct OpcoesLidasGestao {
    std::uint8_t descSaldo = kSaldoNormal;
    bool saldoNegativo = false;
    std::string cnpj;              // the supplier filter's CNPJ (blank: none)
    std::uint8_t resulPlanilha = 0;
};
OpcoesLidasGestao LeOpcoesGestao();
// The options window's choices, the three sections in one locked step (resulPlanilha is the office's).
[[nodiscard]] std::error_code GravaOpcoesGestao(const OpcoesLidasGestao& o);

// The page sheet and its result page in one preview.
void PlanilhaMensalProdutos_Aux(ui::ProcContext& ctx, const TrabalhoGestao& trabalho);
// The text sheet for dot-matrix printers, shown in the text viewer.
void PlanilhaMensalProdutosM_Aux(ui::ProcContext& ctx, const TrabalhoGestao& trabalho);
// The window.
void PlanilhaProdutos_Aux(ui::ProcContext& ctx);

}  // namespace vorel::sheets
