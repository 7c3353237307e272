// The hand-over after a run on a procedure thread: the sheet gets the run's own work table while
// the call lasts, printing mode 2 prints nothing, and a target not in the program says so.
#include <gtest/gtest.h>

#include <atomic>

#include "calculo_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/shell/working_context.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation::testing {
namespace {

class HandOverTest : public CalculoFixture {
protected:
    std::unique_ptr<ui::Runtime> rt;
    std::unique_ptr<ui::HeadlessDriver> driver;

    void SetUp() override {
        CalculoFixture::SetUp();
        rt = std::make_unique<ui::Runtime>(vorel::testing::WithDictionary());
        driver = std::make_unique<ui::HeadlessDriver>(*rt);
    }
    void TearDown() override {
        driver.reset();
        rt.reset();
        CalculoFixture::TearDown();
    }
};

TEST_F(HandOverTest, SheetGetsTheRunsWorkTableAndPrintingMode2PrintsNothing) {
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .qtd = "10", .unit = "1", .base = "10"});
    Saida(1, Dia(2016, 3, 10), 15, 5102, "2");

    struct Entregue {
        std::string arquivo;
        int resumo = -1;
        long long linhas = -1;
    };
    static Entregue entregue;
    ui::ProcedureRegistry::Add("PlanilhaMensalProdutos", [](ui::ProcContext&) {
        const shell::TrabalhoEntregue* t = shell::TrabalhoEmEntrega();
        if (!t) return;
        entregue.arquivo = t->arquivo;
        entregue.resumo = t->resumo;
        data::FileManager esa(dictionary::EntradaSaidaVorel());
        if (esa.open_path(t->arquivo).ok()) {
            entregue.linhas = esa.records();
            (void)esa.close();
        }
    });

    struct Caso {
        std::uint8_t modo;
        bool planilha, exportacao;
        bool chamada;
        const char* mensagem;
    } casos[] = {
        {1, true, false, true, nullptr},
        {2, true, false, false, nullptr},
        {2, false, true, false, "A função \"PlanilhaExcelProdutos\" ainda não está disponível nesta versão."},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::to_string(k.modo) + (k.planilha ? " sheet" : " export"));
        entregue = {};
        shell::ModoImpressao.Set(k.modo);
        std::string arquivo;
        int t = rt->Start("Calculo", [&](ui::ProcContext& ctx) {
            OpcoesCalculo o;
            o.produto = 1;
            o.resumo = 2;
            o.planilha = k.planilha;
            o.exportacao = k.exportacao;
            ResultadoCalculo r = CalculoProdutos(ctx, shell::PeriodoDeTrabalho(), o);
            arquivo = r.arquivoTrabalho;
        });
        if (k.mensagem) {
            driver->WaitUntil([&] { return driver->HasMessageBox(); }, "the message");
            EXPECT_EQ(driver->PendingMessageBox().text, k.mensagem);
            driver->Answer(1);
        }
        driver->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the run to end");
        EXPECT_TRUE(arquivo.empty());
        if (k.chamada) {
            EXPECT_EQ(entregue.resumo, 2);
            EXPECT_EQ(entregue.linhas, 2);  // the opening row and the exit
            EXPECT_FALSE(files::exists(entregue.arquivo)) << "the work file outlived its run";
        } else {
            EXPECT_EQ(entregue.resumo, -1);
        }
    }
}

}  // namespace
}  // namespace vorel::computation::testing
