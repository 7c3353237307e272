// "ExpExcelPlanMensal" with the program's own monthly sheet export: the file it proposes (the data
// root's, then the one used last), the settings it stores for the export (every CFOP writes code 0
// and keeps the complement; all products and an empty CNPJ filter whatever was chosen), and the
// month's computation handing its work table to "PlanilhaExcelProdutos", whose file replaces the old
// one: every product, or product 0 alone when all products are cleared without a code.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "calculo_window_fixture.h"
#include "reference_file.h"
#include "vorel/core/paths.h"
#include "vorel/core/settings_file.h"
#include "vorel/exports/procedures.h"
#include "vorel/shell/program_settings.h"

namespace vorel::computation::testing {
namespace {

using report::testing::matches_reference;

class PlanMensal : public CalculoWindowFixture {
protected:
    void SetUp() override {
        CalculoWindowFixture::SetUp();
        exports::AddExportProcedures();
        fs::create_directories(dir / "Excel");
        Cfo(5102, kConsumidorFinal);
        Cfo(5102, kConsumidorFinal, 3);
        Cfo(1102, kEntradas);
        Produto(1);
        Produto(2);
        Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .qtd = "10", .unit = "2", .base = "20"});
        Entrada({.produto = 1, .data = Dia(2016, 3, 2), .numero = 41, .cfo = 1102, .qtd = "5", .base = "12.5", .propria = "10"});
        Saida(1, Dia(2016, 3, 10), 15, 5102, "2", "6");
        Saldo({.produto = 2, .mes = Dia(2016, 2, 1), .qtd = "3", .unit = "1", .base = "3"});
    }

    std::string Padrao() const { return root + "Excel\\Planilha Mensal Excel.csv"; }
    static std::string Arquivo(const std::string& alvo) {
        std::ifstream in(files::resolve(alvo), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    int Abre() {
        ui->Start("ExpExcelPlanMensal");
        return ui->WindowByCaption("Exporta Plan. Mensal de Produtos -> Excel");
    }
    void Exporta(int w) {
        ui->Press(ui->ByText(w, "&Exportar"));
        ui->WaitUntil([&] { return !ui->HasWindow("Exporta Plan. Mensal de Produtos -> Excel"); }, "the window to close");
        EXPECT_TRUE(ui->MessageBoxes().empty()) << ui->MessageBoxes().front().text;
    }
};

TEST_F(PlanMensal, TheWindowRunsTheMonthAndTheExportWritesEveryProduct) {
    // An older file of the name is replaced, not appended to.
    std::ofstream(files::resolve(Padrao()), std::ios::binary) << "antigo\r\n";
    int w = Abre();
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Nome do Arquivo:")), Padrao());
    EXPECT_EQ(ui->Value(ui->ByText(w, " Imprimir todos CFO's")), "1");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(w, "Codigo:")));
    // A code typed and then every CFOP chosen again: code 0, the complement kept.
    ui->Check(ui->ByText(w, " Imprimir todos CFO's"), false);
    ui->WaitIdle();
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(w, "Codigo:")));
    ui->Type(ui->ByPrompt(w, "Codigo:"), "5102");
    ui->Type(ui->ByPrompt(w, "Complemento:"), "3");
    ui->Key(w, ui::key::Tab);
    ui->Check(ui->ByText(w, " Imprimir todos CFO's"), true);
    ui->Check(ui->ByText(w, "Sim"), true);
    ASSERT_FALSE(settings::SettingsFile("Vorel.ini").write_text("CNPJ", "Caminho", "12345678000195"));
    Exporta(w);
    EXPECT_TRUE(matches_reference(Arquivo(Padrao()), "plan_mensal_janela.csv"));
    const shell::OpcoesPlanMensal o = shell::LeOpcoesPlanMensal();
    EXPECT_EQ(o.caminho, Padrao());
    EXPECT_EQ(o.cfo, 0);
    EXPECT_EQ(o.compCfo, 3);
    settings::SettingsFile vorel("Vorel.ini");
    EXPECT_EQ(vorel.read_text("TodosProdutos", "Caminho"), "1");
    EXPECT_EQ(vorel.read_text("CNPJ", "Caminho", "x"), "");
}

TEST_F(PlanMensal, AllProductsClearedWithoutACodeRunsProductZeroIntoTheNameUsedLast) {
    const std::string outro = root + "Excel\\Outro.csv";
    int w = Abre();
    ui->Type(ui->ByPrompt(w, "Nome do Arquivo:"), outro);
    ui->Check(ui->ByText(w, "Exportar todos os Produtos"), false);
    ui->WaitIdle();
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(w, "Código do Produto:")));
    Exporta(w);
    EXPECT_EQ(Arquivo(outro),
              ";;;;Controle de Estoque - Mercadorias Enquadradas na Substituicao Tributaria\r\n"
              ";;;;;(Criterio de Avaliacao Valor Medio Ponderado Movel)\r\n");
    w = Abre();
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Nome do Arquivo:")), outro);
    ui->Press(ui->ByText(w, "&Cancelar"));
}

}  // namespace
}  // namespace vorel::computation::testing
