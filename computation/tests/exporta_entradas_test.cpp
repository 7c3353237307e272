// The entries export: the header, one line an item (the CNPJ pattern zero-filled, plain numbers, the
// columns' widths), the totals and the two closing lines from the working month's final summary
// (the first rate's base of other hypotheses), the CFOP filter over every complement and state, the
// state filter of codes 2000 to 2999 while it is shown, an empty period, a month without a
// summary row, and the window's refusals and a file that cannot be written.
#include "calculo_window_fixture.h"
#include "reference_file.h"
#include "vorel/computation/exporta_entradas.h"
#include "vorel/core/paths.h"

#include <fstream>
#include <sstream>

namespace vorel::computation::testing {
namespace {

using report::testing::matches_reference;

class ExportaEntradasTest : public CalculoWindowFixture {
protected:
    void SetUp() override {
        CalculoWindowFixture::SetUp();
        struct E {
            date::Day data;
            std::uint32_t numero;
            int cfo, complemento;
            const char *cnpj, *qtd, *base, *icms, *aliq, *estado, *antReducao, *propria;
            int produto, cfoCompl;
        };
        static const E kItens[] = {
            {Dia(2016, 3, 10), 100, 1102, 0, "12345678000195", "2", "20", "3.60", "18", "SP", "25", "100", 10, 0},
            {Dia(2016, 3, 11), 7, 1102, 1, "123", "1234567.891", "1234.5", "86.42", "7.5", "RJ", "0", "1234567.89", 20, 3},
            {Dia(2016, 3, 12), 8, 2102, 0, "98765432000110", "1", "10", "1.80", "18", "SP", "0", "50", 10, 0},
            {Dia(2016, 3, 12), 9, 2102, 0, "11222333000181", "3", "30", "5.40", "18", "MG", "0", "70", 10, 0},
            {Dia(2016, 2, 29), 6, 1102, 0, "12345678000195", "1", "1", "1", "18", "SP", "0", "1", 10, 0},
            {Dia(2016, 4, 1), 11, 1102, 0, "12345678000195", "1", "1", "1", "18", "SP", "0", "1", 10, 0},
        };
        for (const E& e : kItens)
            Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
                r.DataEmissao = e.data;
                r.Numero = e.numero;
                r.Serie = "1";
                r.CFO = static_cast<std::uint16_t>(e.cfo);
                r.Complemento = static_cast<std::int16_t>(e.complemento);
                r.CFOComplementar = static_cast<std::uint8_t>(e.cfoCompl);
                r.Cnpj = e.cnpj;
                r.Quantidade = D(e.qtd);
                r.BaseICMS = D(e.base);
                r.ValorICMS = D(e.icms);
                r.Aliquota = D(e.aliq);
                r.Estado = e.estado;
                r.BaseAntReducao = D(e.antReducao);
                r.BaseICMSPropria = D(e.propria);
                r.CodMercadoria = e.produto;
            });
        // March's balances: the first rate (12) holds 70 of other hypotheses, the next 999.
        Balanco(1, "18", {.cd = "999"});
        Balanco(2, "12", {.cd = "30"});
        Balanco(3, "12", {.cd = "40"});
        Cfo(1102, kEntradas);
        Cfo(2102, kEntradas);
        Grava<dictionary::EstadosRec>(dictionary::Estados(), [](auto& r) { r.UF = "MG"; r.DESC = "MINAS GERAIS"; });
        Grava<dictionary::EstadosRec>(dictionary::Estados(), [](auto& r) { r.UF = "SP"; r.DESC = "SAO PAULO"; });
    }

    std::string Alvo() const { return files::to_program_path(dir / "Temp" / "Entrada.csv"); }
    static std::string Arquivo(const std::string& alvo) {
        std::ifstream in(files::resolve(alvo), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    report::Outcome Exporta(const shell::EmpresaPeriodo& periodo, const OpcoesEntradas& o) {
        report::Outcome r;
        std::thread([&] {
            dictionary::InitDictionary();
            r = ExportaEntradas(periodo, o);
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }

    // The window with a code typed and its complement left; the description it shows.
    int AbreComCfo(const std::string& codigo) {
        ui->Start("ExportaExcelEntrada");
        const int w = ui->WindowByCaption("Exporta Entradas -> Excel");
        ui->Type(ui->ByPrompt(w, "Informe o CFO:"), codigo);
        ui->Key(w, ui::key::Tab);
        ui->Type(ui->ByPrompt(w, "Compl.:"), "0");
        ui->Key(w, ui::key::Tab);
        ui->WaitIdle();
        return w;
    }
    void Exporta(int w) {
        ui->Type(ui->ByPrompt(w, "Nome do Arquivo:"), Alvo());
        ui->Press(ui->ByText(w, "Exportar"));
        ui->WaitUntil([&] { return !ui->HasWindow("Exporta Entradas -> Excel"); }, "the window to close");
        EXPECT_TRUE(ui->MessageBoxes().empty());
    }
};

const char kCabecalho[] =
    "Cnpj;Data Emissao;Serie;Numero;CFO;Complemento;CFO Complementar;Unitario;Quantidade;Quantidade;Base ICMS;"
    "Valor ICMS;Cod Mercadoria;Aliquota;Estado;Base Anterior a Base de Reducao;B. Op. Propria\r\n";

TEST_F(ExportaEntradasTest, OneCodeTakesEveryComplementAndStateWithTheMonthsClosingLines) {
    const int w = AbreComCfo("1102");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Inicial:")), "01/03/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Final:")), "31/03/2016");
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Filtra por Estado")));
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Nome do Arquivo:")), "A:\\Entrada.CSV");
    Exporta(w);
    EXPECT_TRUE(matches_reference(Arquivo(Alvo()), "entradas_1102.csv"));
}

TEST_F(ExportaEntradasTest, AStateIsChosenForCodesOf2000To2999Only) {
    const int w = AbreComCfo("2102");
    const auto filtro = ui->ByText(w, "Filtra por Estado");
    EXPECT_FALSE(ui->Hidden(filtro));
    EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "Informe o Estado:")));
    ui->Check(filtro, true);
    ui->WaitIdle();
    EXPECT_FALSE(ui->Hidden(ui->ByPrompt(w, "Informe o Estado:")));
    ui->PickItem(ui->ByPrompt(w, "Informe o Estado:"), "SP");
    Exporta(w);
    const std::string f = Arquivo(Alvo());
    EXPECT_NE(f.find("\r\n98.765.432/0001-10;12/03/2016;1 ;8;2102;0;0;0;0;"), std::string::npos) << f;
    EXPECT_EQ(f.find("11.222.333/0001-81"), std::string::npos) << f;  // MG
    EXPECT_EQ(f.find("1102"), std::string::npos) << f;

    // A state filter left marked is not heeded for a code outside 2000 to 2999.
    ASSERT_TRUE(Exporta({1, 2016, 3}, {.inicio = Dia(2016, 3, 1), .fim = Dia(2016, 3, 31), .cfo = 1102,
                                       .filtraEstado = true, .estado = "SP", .caminho = Alvo()})
                    .ok());
    EXPECT_TRUE(matches_reference(Arquivo(Alvo()), "entradas_1102.csv"));
}

TEST_F(ExportaEntradasTest, AnEmptyPeriodAndAMonthWithoutSummary) {
    // The closing lines are the working month's (March) whatever period was typed.
    ASSERT_TRUE(Exporta({1, 2016, 3}, {.inicio = Dia(2016, 5, 1), .fim = Dia(2016, 5, 31), .caminho = Alvo()}).ok());
    EXPECT_EQ(Arquivo(Alvo()), std::string(kCabecalho) +
                                   ";;;;;;;;;          0,000;           0,00;;;;;;              0,00\r\n"
                                   ";;;;;;;;;;;;B. Calc. Entradas Demais Hipoteses;;;;          70,00\r\n"
                                   ";;;;;;;;;;;;;Diferenca Aliquota 6%;;;         -70,00\r\n");
    // A month without balances has no summary row: 0,00, and no difference worked out.
    ASSERT_TRUE(Exporta({1, 2016, 5}, {.inicio = Dia(2016, 3, 12), .fim = Dia(2016, 3, 12), .caminho = Alvo()}).ok());
    const std::string f = Arquivo(Alvo());
    EXPECT_NE(f.find(";;;;;;;;;          4,000;          40,00;;;;;;            120,00\r\n"
                     ";;;;;;;;;;;;B. Calc. Entradas Demais Hipoteses;;;;           0,00\r\n"
                     ";;;;;;;;;;;;;Diferenca Aliquota 6%;;;           0,00\r\n"),
              std::string::npos)
        << f;
}

TEST_F(ExportaEntradasTest, RefusalsKeepTheWindowAndAFailedWriteLeavesNoFile) {
    ui->Start("ExportaExcelEntrada");
    const int w = ui->WindowByCaption("Exporta Entradas -> Excel");
    ui->Type(ui->ByPrompt(w, "Data Inicial:"), "01/04/2016");
    ui->Press(ui->ByText(w, "Exportar"));
    ui->WaitIdle();
    EXPECT_EQ(ui->Focus(w), ui->ByPrompt(w, "Data Inicial:").feq);
    ui->Type(ui->ByPrompt(w, "Data Inicial:"), "01/03/2016");
    ui->Type(ui->ByPrompt(w, "Nome do Arquivo:"), "");
    ui->Press(ui->ByText(w, "Exportar"));
    ui->WaitIdle();
    EXPECT_EQ(ui->Focus(w), ui->ByPrompt(w, "Nome do Arquivo:").feq);
    EXPECT_TRUE(ui->MessageBoxes().empty());

    ui->Type(ui->ByPrompt(w, "Nome do Arquivo:"), root + "NaoExiste\\Entrada.csv");
    ui->Press(ui->ByText(w, "Exportar"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the failure");
    EXPECT_EQ(ui->PendingMessageBox().text.rfind(
                  "O arquivo não foi gerado.|Não foi possível gravar o arquivo " + root + "NaoExiste\\Entrada.csv: ", 0),
              0u)
        << ui->PendingMessageBox().text;
    ui->Answer(1);
    ui->WaitUntil([&] { return !ui->HasWindow("Exporta Entradas -> Excel"); }, "the window to close");
    EXPECT_FALSE(fs::exists(dir / "NaoExiste"));
}

}  // namespace
}  // namespace vorel::computation::testing
