// The entries listing's window: its e-mail texts, the report each model runs in each printing mode,
// a printing mode changed while the window is open (the e-mail box follows when the window gains the
// focus again), and one supplier printed twice.
#include "entradas_fixture.h"
#include "vorel/core/text.h"

namespace vorel::listings::testing {
namespace {

const std::string kJanela = "Relatório de Entradas";

std::string Limpo(const std::string& valor) { return std::string(text::clip(valor)); }

struct Janela : Entradas {
    int Abre() {
        ui->Start("RelatorioEntradas");
        return ui->WindowByCaption(kJanela);
    }
    // The invoice numbers of a text file's entries (columns 82-87 of each line dated in 99-108).
    static std::vector<int> Numeros(const Strings& linhas) {
        std::vector<int> out;
        for (const std::string& l : linhas)
            if (l.size() == 136 && l[0] == '|' && l.substr(104, 4) == "2016") out.push_back(std::stoi(l.substr(81, 6)));
        return out;
    }
};

TEST_F(Janela, EmailTextsAndTheReportOfEachModelInEachPrintingMode) {
    EntraMes();
    shell::GLO_CODIMPRESSORA.Set(1);
    shell::CodigosImpressora.Set(Codigos(66));
    shell::DataHoje.Set(date::make(2016, 4, 2));
    const int w = Abre();
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Assunto:"))), "Relatório de Entradas - 02/04/2016");
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Texto:"))),
              "Relatório de Entradas - Empresa: 00001 - COMERCIO MODELO LTDA - Período: 03/2016.");
    struct Caso {
        std::uint8_t modo;
        int modelo;
        const char* relatorio;  // the page report previewed, or the text form's heading
    };
    const Caso casos[] = {
        {shell::kModoWindows, 2, "RelEntradas_Mod02"}, {shell::kModoJatoTinta, 2, "RelEntradas_Mod02"},
        {shell::kModoWindows, 1, "RelEntradas"},       {shell::kModoDos, 2, "B. Op. Prop"},
        {shell::kModoDos, 1, "C.N.P.J. Fornecedor"},
    };
    for (const Caso& c : casos) {
        shell::ModoImpressao.Set(c.modo);
        ui->PickItem(ui->ByPrompt(w, "Modelo"), c.modelo);
        ui->Press(ui->ByText(w, "&Imprimir"));
        if (c.modo == shell::kModoDos) {
            const Strings l = ArquivoDoVisualizador();
            EXPECT_NE(Junta(l).find(c.relatorio), std::string::npos) << "model " << c.modelo;
            if (c.modelo == 1) {
                EXPECT_EQ(Numeros(l), (std::vector<int>{1, 2, 3, 4, 5, 9, 10, 6}));
            }
        } else {
            ClosePreview(c.relatorio);
        }
        ui->WaitIdle();
    }
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(Janela, APrintingModeChangedMeanwhileRulesTheEmailOnceTheWindowGainsTheFocus) {
    const int w = Abre();
    const auto enviar = ui->ByText(w, "Enviar e-mail");
    EXPECT_FALSE(ui->Hidden(enviar));
    ui->Check(enviar, true);
    EXPECT_EQ(shell::GLO_EMAIL_ENVIAR.Get(), 1);
    shell::ModoImpressao.Set(shell::kModoDos);  // F4 on the main frame
    ui->Deactivate(w);
    ui->WaitIdle();
    EXPECT_FALSE(ui->Hidden(enviar)) << "nothing changes while another window is active";
    ui->Activate(w);
    ui->WaitIdle();
    EXPECT_TRUE(ui->Hidden(enviar));
    EXPECT_EQ(shell::GLO_EMAIL_ENVIAR.Get(), 0);
    shell::ModoImpressao.Set(shell::kModoWindows);
    ui->Activate(w);
    ui->WaitIdle();
    EXPECT_FALSE(ui->Hidden(enviar));
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(Janela, ASupplierPrintedTwiceIsListedBothTimesAndTheClearedBoxListsEveryone) {
    EntraMes();
    shell::GLO_CODIMPRESSORA.Set(1);
    shell::CodigosImpressora.Set(Codigos(66));
    shell::ModoImpressao.Set(shell::kModoDos);
    const int w = Abre();
    ui->Check(ui->ByText(w, " Filtrar Cliente/Fornecedor"), true);
    ui->Type(ui->ByPrompt(w, "Código:"), "1234");  // a code past 999
    ui->Key(w, ui::key::Tab);
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Nome:"))), "FORNECEDOR MIL");
    for (int vez = 1; vez <= 2; ++vez) {
        ui->Press(ui->ByText(w, "&Imprimir"));
        EXPECT_EQ(Numeros(ArquivoDoVisualizador()), std::vector<int>{6}) << "print " << vez;
    }
    ui->Check(ui->ByText(w, " Filtrar Cliente/Fornecedor"), false);
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Nome:"))), "FORNECEDOR MIL") << "code and name stay";
    ui->Press(ui->ByText(w, "&Imprimir"));
    EXPECT_EQ(Numeros(ArquivoDoVisualizador()).size(), 8u);
    ui->Press(ui->ByText(w, "&Cancelar"));
}

}  // namespace
}  // namespace vorel::listings::testing
