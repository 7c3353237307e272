// The outputs of the final summary that need a thread with windows: `VerificaSaldos` (the summary
// with its process window and its output) and the final sheets it prints from `ResumoFinal`: by
// rate (`PlanilhaFinalProdutos`) and by supplier, models 01 and 02. Each sheet ends in the report
// step `ExecutaRelatorio` (preview, e-mail when GLO:EMAIL:ENVIAR is set, printing).
//
//     VerificaSaldos(ctx, periodo, {.paginaInicial = 1, .porFornecedor = true, .modelo = 2});
#pragma once

#include <cstdint>

#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}
namespace vorel::data {
class FileManager;
}
namespace vorel::report {
struct Document;
}

namespace vorel::computation {

struct ArgumentosResumo {
    int paginaInicial = 0;
    bool somenteCalcula = false;   // build `ResumoFinal` only
    bool porFornecedor = false;    // by supplier and rate, else by rate
    std::uint32_t codFornecedor = 0;
    bool geraExcel = false;        // by supplier: the `;` file (name and folder from Gerar_Excel.ini)
    std::uint8_t modelo = 0;       // by supplier: sheet model 1 or 2 (another prints nothing)
};

// The summary of `periodo`'s month and its output.
void VerificaSaldos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ArgumentosResumo& argumentos);

// The sheets, from an open `ResumoFinal` built by `VerificaSaldos` for `periodo` (its company and
// month head the pages).
void PlanilhaFinalProdutos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, data::FileManager& resumo,
                           int paginaInicial);
void PlanilhaFinalProdutosFornecedor(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo,
                                     data::FileManager& resumo, int paginaInicial);
void PlanilhaFinalProdutosFornecedor02(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo,
                                       data::FileManager& resumo);

// The pages of a sheet without the report step (model 0: by rate; 1 and 2: by supplier).
report::Document DocumentoPlanilhaFinal(const shell::EmpresaPeriodo& periodo, data::FileManager& resumo, int modelo,
                                        int paginaInicial);

}  // namespace vorel::computation
