// The monthly stock-control sheet as a `;` file: `GravaPlanilhaExcel` reads a computation run's
// work table (`EntradaSaidaVorel`, in the order of `ESA:KEY:DATA_ENTSAI_NUM_AUX`) and writes, per
// product, its heading block, one line per movement with the nineteen columns of the sheet, and its
// totals line; with the summary option 1, a summary with one row per product at the end. The
// products (`Produtos`), the CFOP register (`CFO`), the rates (`AliquotaProdutoData`) and the
// company (`Empresa`) are read on the calling thread's own cursors.
//
// The procedure "PlanilhaExcelProdutos" is the computation's hand-over target: it takes the work
// table and the summary option from `shell::TrabalhoEmEntrega()`, the file and the CFOP filter from
// the settings the export window wrote, and shows the progress window "Exportando Planilha Mensal
// de Produtos", whose "&Cancela" ends the reading and still writes the last product's totals and
// the summary of what was read.
//
// Rows whose CFOP the register lacks (or whose sheet column is none of 1 to 9) are written with
// their date and balances and empty values, counted in no total nor summary, and named once each in
// `cfosDesconhecidos`. The file is written beside its target and replaces it only when whole.
//
//     ResultadoPlanilhaExcel r = GravaPlanilhaExcel(trabalho, periodo, {.caminho = alvo, .resumo = 1});
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vorel/report/outcome.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::exports {

struct OpcoesPlanilhaExcel {
    std::string caminho;       // the output file (program path)
    int cfo = 0;               // CFOP filter: 0 writes every row
    int complemento = 0;       // the filter's complement
    std::uint8_t resumo = 0;   // 1 adds the summary by product
};

// What the progress answers after each row.
enum class PassoPlanilha {
    Segue,       // go on
    Cancela,     // the user's cancel: stop reading, end the file with the totals and the summary
    Interrompe,  // the program is closing: no file
};
using ProgressoPlanilha = std::function<PassoPlanilha(long long lidos, long long total)>;

struct ResultadoPlanilhaExcel {
    report::Outcome saida;                                   // the file in place, or why not
    std::vector<std::pair<int, int>> cfosDesconhecidos;      // code and complement, once each, in order met
    bool cancelado = false;
};

// `trabalho`: the work table's file (program path).
[[nodiscard]] ResultadoPlanilhaExcel GravaPlanilhaExcel(std::string_view trabalho, const shell::EmpresaPeriodo& periodo,
                                                        const OpcoesPlanilhaExcel& opcoes,
                                                        const ProgressoPlanilha& progresso = {});

// The hand-over target of the monthly computation.
void PlanilhaExcelProdutos(ui::ProcContext& ctx);

}  // namespace vorel::exports
