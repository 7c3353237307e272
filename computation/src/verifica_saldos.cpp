// `VerificaSaldos`: the final summary on the caller's thread with its process window ("Preparando
// Relatório"), then its output: the sheet by rate, the sheet by supplier (model 01 or 02) or the
// `;` file by supplier. The work table is a fresh temporary file of this run, left on disk.
#include "vorel/computation/folhas_resumo.h"
#include "vorel/computation/resumo_final.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/register_window.h"

namespace vorel::computation {

namespace {

// `GeraExcelPlanilhaFinalFornecedor`: the name and folder the option window stored.
void GeraExcel(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, data::FileManager& resumo) {
    const std::string arquivo = ArquivoExcelConfigurado();
    if (arquivo.empty()) return;
    ui::ProgressWindow pw(ctx, "GERANDO ARQUIVO EXCEL");
    ResultadoArquivo r = GeraArquivoResumoFornecedor(periodo, resumo, arquivo, [&pw](long long feito, long long total) {
        (void)pw.Update(feito, total, std::to_string(feito));
    });
    if (r.estado == ResultadoArquivo::Estado::Falhou)
        ui::Message("O arquivo " + text::to_utf8(arquivo) + " não foi gerado: " + r.erro, "Atenção!!!",
                    ui::Icon::Exclamation);
    else if (r.estado == ResultadoArquivo::Estado::Gerado)
        ui::Message("Arquivo Gerado com Sucesso");
}

}  // namespace

void VerificaSaldos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ArgumentosResumo& a) {
    data::FileManager& resumo = ui::ThreadFile(dictionary::ResumoFinal());
    if (std::string e = AbreResumoFinal(resumo); !e.empty()) {
        ui::Message(e, "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    // The rows live in a file of this run's own, deleted when the report is done (in every printing
    // mode and for the export alike).
    const ApagaResumoFinal apaga(resumo);
    std::string erro;
    {
        ui::ProgressWindow pw(ctx, "Preparando Relatório");
        erro = MontaResumoFinal(periodo, {.porFornecedor = a.porFornecedor, .codFornecedor = a.codFornecedor}, resumo,
                                [&pw](long long feito, long long total) {
                                    return pw.Update(feito, total, std::to_string(feito));
                                });
    }
    if (!erro.empty()) {
        ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
    } else if (shell::ModoImpressao.Get() != 2 && !a.somenteCalcula) {
        if (!a.porFornecedor)
            PlanilhaFinalProdutos(ctx, periodo, resumo, a.paginaInicial);
        else if (a.geraExcel)
            GeraExcel(ctx, periodo, resumo);
        else if (a.modelo == 1)
            PlanilhaFinalProdutosFornecedor(ctx, periodo, resumo, a.paginaInicial);
        else if (a.modelo == 2)
            PlanilhaFinalProdutosFornecedor02(ctx, periodo, resumo);
    }
}

}  // namespace vorel::computation
