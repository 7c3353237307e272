// The exits export: each item with its own invoice's quantity lines of origin "S" (one line with 0
// and 0 without any), the totals as the lines show them, the CFOP filter, an empty period, the
// window's defaults and refusals, and a file that cannot be written.
#include "export_fixture.h"

#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/exports/saidas.h"
#include "vorel/ui/headless.h"

namespace vorel::exports::testing {
namespace {

namespace fs = std::filesystem;
using dictionary::QuantidadeVorelRec;
using dictionary::SaidaVorelRec;

struct Saidas : ExportFixture {
    void SetUp() override {
        ExportFixture::SetUp();
        struct S {
            date::Day data;
            std::uint32_t numero;
            int cfo, complemento;
            const char *cnpj, *cfoCompl, *qtd, *base, *icms;
            int produto;
            const char *aliq, *estado, *antReducao;
        };
        static const S kSaidas[] = {
            {date::make(2016, 3, 10), 100, 5102, 0, "12345678000195", "", "2", "20", "3.60", 10, "18", "SP", "25"},
            {date::make(2016, 3, 11), 101, 6102, 1, "123", "9", "1234567.891", "1234.5", "86.42", 20, "7.5", "RJ", "0"},
            {date::make(2016, 4, 1), 102, 5102, 0, "12345678000195", "", "1", "1", "1", 10, "18", "SP", "0"},
            {date::make(2016, 2, 29), 99, 5102, 0, "12345678000195", "", "1", "1", "1", 10, "18", "SP", "0"},
        };
        Seed<SaidaVorelRec>(dictionary::SaidaVorel(), 4, [](SaidaVorelRec& r, int i) {
            const S& s = kSaidas[i];
            r.DataSaida = s.data;
            r.Numero = s.numero;
            r.Serie = "1";
            r.CFO = static_cast<std::uint16_t>(s.cfo);
            r.Complemento = static_cast<std::int16_t>(s.complemento);
            r.CNPJ = s.cnpj;
            r.CFOComplementar = s.cfoCompl;
            r.Quantidade = Decimal::from_string(s.qtd);
            r.BaseCalculo = Decimal::from_string(s.base);
            r.ICMS = Decimal::from_string(s.icms);
            r.CodMercadoria = Decimal(s.produto);
            r.Alicota = Decimal::from_string(s.aliq);
            r.Estado = s.estado;
            r.BaseAntReducao = Decimal::from_string(s.antReducao);
        });
        struct Q {
            const char* procedencia;
            const char* cnpj;
            std::uint32_t unitario, quantidade;
        };
        // The invoice 100 of 10/03: two exit lines of its customer, an entry's line, and a line of
        // another customer's invoice of the same number.
        static const Q kQuantidades[] = {
            {"S", "12345678000195", 5, 1}, {"E", "12345678000195", 6, 1}, {"S", "99888777000166", 9, 9},
            {"S", "12345678000195", 7, 2}};
        Seed<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), 4, [](QuantidadeVorelRec& r, int i) {
            const Q& q = kQuantidades[i];
            r.DataEmissao = date::make(2016, 3, 10);
            r.Numero = 100;
            r.Serie = "1";
            r.Procedencia = q.procedencia;
            r.Cnpj = q.cnpj;
            r.Unitario = q.unitario;
            r.Quantidade = q.quantidade;
        });
        Seed<dictionary::CFORec>(dictionary::CFO(), 1, [](dictionary::CFORec& r, int) {
            r.CODIGO = 5102;
            r.DESCRICAO = "VENDA DE MERCADORIA ADQUIRIDA DE TERCEIROS";
            r.COLUNA = 2;
        });
    }
    std::string Alvo(const char* nome = "Saida.csv") const { return files::to_program_path(dir / "Excel" / nome); }
};

TEST_F(Saidas, TheWindowWritesThePeriodsItemsWithTheirOwnQuantityLines) {
    ui->Start("ExportaExcelSaidas");
    const int w = ui->WindowByCaption("Exporta Saídas -> Excel");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Nome do Arquivo:")), "A:\\Saida.CSV");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Inicial:")), "01/03/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Final:")), "31/03/2016");
    ui->Type(ui->ByPrompt(w, "Infome o CFO:"), "5102");
    ui->Type(ui->ByPrompt(w, "Compl.:"), "0");
    ui->Key(w, ui::key::Tab);
    ui->WaitIdle();
    EXPECT_EQ(ui->Text(ui->Control(w, 12)), "VENDA DE MERCADORIA ADQUIRIDA ");
    ui->Type(ui->ByPrompt(w, "Infome o CFO:"), "0");
    ui->Type(ui->ByPrompt(w, "Nome do Arquivo:"), Alvo());
    ui->Press(ui->ByText(w, "Exportar"));
    ui->WaitUntil([&] { return !ui->HasWindow("Exporta Saídas -> Excel"); }, "the window to close");
    EXPECT_TRUE(ui->MessageBoxes().empty());
    EXPECT_TRUE(matches_reference(File(files::resolve(Alvo())), "saidas.csv"));
}

TEST_F(Saidas, OneCodeEveryComplementAndAnEmptyPeriod) {
    const shell::EmpresaPeriodo periodo{1, 2016, 3};
    ASSERT_TRUE(OnThread([&] {
                    return ExportaSaidas(periodo, {date::make(2016, 3, 1), date::make(2016, 3, 31), 6102, Alvo()});
                }).ok());
    const std::string f = File(files::resolve(Alvo()));
    EXPECT_NE(f.find("\r\n00.000.000/0001-23;11/03/2016;1 ;101;6102;1;9 ;0;0;  1.234.567,891;       1.234,50;"), std::string::npos) << f;
    EXPECT_EQ(f.find("5102"), std::string::npos) << f;
    ASSERT_TRUE(OnThread([&] {
                    return ExportaSaidas(periodo, {date::make(2016, 5, 1), date::make(2016, 5, 31), 0, Alvo()});
                }).ok());
    EXPECT_EQ(File(files::resolve(Alvo())),
              "Cnpj;Data Saida;Serie;Numero;CFO;Complemento;CFO Complementar;Unitario;Quantidade;Quantidade;Base Calculo;"
              "Valor ICMS;Cod Mercadoria;Aliquota;Estado;Base Anterior a Base de Reducao\r\n"
              ";;;;;;;;;          0,000;           0,00;;;;;\r\n");
}

TEST_F(Saidas, RefusalsKeepTheWindowAndAFailedWriteLeavesNoFile) {
    ui->Start("ExportaExcelSaidas");
    const int w = ui->WindowByCaption("Exporta Saídas -> Excel");
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

    ui->Type(ui->ByPrompt(w, "Nome do Arquivo:"), root + "NaoExiste\\Saida.csv");
    ui->Press(ui->ByText(w, "Exportar"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the failure");
    EXPECT_EQ(ui->PendingMessageBox().text.rfind("O arquivo não foi gerado.|Não foi possível gravar o arquivo " + root +
                                                     "NaoExiste\\Saida.csv: ",
                                                 0),
              0u)
        << ui->PendingMessageBox().text;
    ui->Answer(1);
    ui->WaitUntil([&] { return !ui->HasWindow("Exporta Saídas -> Excel"); }, "the window to close");
    EXPECT_FALSE(fs::exists(dir / "NaoExiste"));
}

}  // namespace
}  // namespace vorel::exports::testing
