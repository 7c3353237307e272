// The month's balances as a `;` file: the window's proposals, the three kinds of rows against
// reference files, an empty month, the folder joined to the name, and the refusals (no folder, no
// name, a folder that does not exist, a value too wide) that leave no file or the old one whole.
#include "export_fixture.h"

#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/exports/saldo_mensal.h"
#include "vorel/ui/headless.h"

namespace vorel::exports::testing {
namespace {

namespace fs = std::filesystem;
using dictionary::ProdutosRec;
using dictionary::SaldosVorelRec;

struct SaldoMensal : ExportFixture {
    struct S {
        const char* produto;
        date::Day mes;
        const char* aliq;
        const char* r[7];  // CalcUsuFinal .. ConfDemHip
        const char* qtd, *unit, *base;
    };
    void SeedMes() {
        static const S kSaldos[] = {
            // results above 0
            {"1", date::make(2016, 3, 1), "18", {"100.50", "0", "0", "0", "0", "10", "5"}, "1234.5", "2.123456", "1500.25"},
            // only the final-consumer confrontation; no product in the register; stock below 0
            {"2", date::make(2016, 3, 1), "7.5", {"0", "0", "0", "0", "0", "300", "0"}, "-3", "4", "0"},
            // results summing below 0
            {"3", date::make(2016, 3, 1), "12", {"0", "0", "50", "-60", "0", "0", "0"}, "0", "0", "0"},
            // another month
            {"1", date::make(2016, 2, 1), "18", {"9", "9", "9", "9", "9", "9", "9"}, "9", "9", "9"},
            {"4", date::make(2016, 3, 1), "25", {"0", "0", "0", "0", "1234567.89", "0", "0.01"}, "10", "1", "10"},
        };
        Seed<SaldosVorelRec>(dictionary::SaldosVorel(), 5, [](SaldosVorelRec& r, int i) {
            const S& s = kSaldos[i];
            r.Produto = s.produto;
            r.Competencia = s.mes;
            r.Aliquota = Decimal::from_string(s.aliq);
            const std::array campos{&r.CalcUsuFinal, &r.CalcFGNRealisado, &r.CalcIsenta, &r.CalcOutUF,
                                    &r.CalcSubsequente, &r.ConfUsuFinal, &r.ConfDemHip};
            for (int k = 0; k < 7; ++k) *campos[k] = Decimal::from_string(s.r[k]);
            r.QuantProdutos = Decimal::from_string(s.qtd);
            r.ValorUnit = Decimal::from_string(s.unit);
            r.BaseAcunulada = Decimal::from_string(s.base);
        });
        Seed<ProdutosRec>(dictionary::Produtos(), 3, [](ProdutosRec& r, int i) {
            const int codigos[] = {1, 3, 4};
            const char* nomes[] = {"PARAFUSO DE A\xC7O", "BUCHA  ", "ARRUELA"};
            r.Codigo = Decimal(codigos[i]);
            r.Produtos = nomes[i];
        });
    }
    std::string Alvo() const { return (dir / "Excel" / "Calculo_Mensal_03_2016.csv").string(); }
};

TEST_F(SaldoMensal, TheWindowProposesTheExcelFolderAndTheMonthsNameAndWritesEachKind) {
    SeedMes();
    ui->Start("ExpExcelSaldoMensal");
    const int w = ui->WindowByCaption("Calculo Saldo Mensal Excel");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Caninho Geração Arquivo")), root + "Excel\\");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Nome Arquivo")), "Calculo_Mensal_03_2016.csv");
    const struct {
        const char* item;
        const char* referencia;
    } tipos[] = {
        {"0-Todos", "saldo_mensal_todos.csv"},
        {"1-Com Movimento", "saldo_mensal_com_movimento.csv"},
        {"2-Qtde Negativa", "saldo_mensal_negativos.csv"},
    };
    for (const auto& t : tipos) {
        SCOPED_TRACE(t.item);
        ui->PickItem(ui->ByPrompt(w, "Tipo Geração"), t.item);
        ui->Press(ui->ByText(w, "&Gerar Excel"));
        ui->WaitIdle();
        EXPECT_FALSE(ui->HasMessageBox());
        EXPECT_TRUE(matches_reference(File(Alvo()), t.referencia));  // each run replaces the file
        EXPECT_TRUE(ui->Hidden(ui->Control(w, 8))) << "the progress bar shows only while writing";
    }
    EXPECT_TRUE(ui->HasWindow("Calculo Saldo Mensal Excel")) << "the window stays open";
    EXPECT_EQ(Files(dir / "Excel"), 1u);
    ui->Press(ui->ByText(w, "&Cancelar"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Calculo Saldo Mensal Excel"));
}

TEST_F(SaldoMensal, AnEmptyMonthGivesTheHeadingAndZeroTotals) {
    SeedMes();
    const shell::EmpresaPeriodo abril{1, 2016, 4};
    const std::string alvo = files::to_program_path(dir / "Excel" / NomeSaldoMensal(4, 2016));
    ASSERT_TRUE(OnThread([&] { return ExportaSaldoMensal(abril, TipoSaldoMensal::Todos, alvo); }).ok());
    EXPECT_TRUE(matches_reference(File(files::resolve(alvo)), "saldo_mensal_vazio.csv"));
}

TEST_F(SaldoMensal, RefusalsAndFailuresLeaveNoFileOrTheOldOne) {
    SeedMes();
    ui->Start("ExpExcelSaldoMensal");
    const int w = ui->WindowByCaption("Calculo Saldo Mensal Excel");
    const auto pasta = ui->ByPrompt(w, "Caninho Geração Arquivo"), nome = ui->ByPrompt(w, "Nome Arquivo");
    const auto gera = [&] {
        ui->Press(ui->ByText(w, "&Gerar Excel"));
        ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the message");
        const ui::MessageBoxAsked m = ui->PendingMessageBox();
        ui->Answer(1);
        ui->WaitIdle();
        return m;
    };
    const struct {
        std::string pasta, nome, titulo, texto;
    } casos[] = {
        {"", "x.csv", "!!! Atenção !!!", "Caminho Não Informado. Por Favor informe o caminho para geração do arquivo"},
        {root + "Excel\\", "  ", "!!! Atenção !!!", "Arquivo Não Informado. Por Favor informe o Arquivo para a sua geração"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        ui->Type(pasta, c.pasta);
        ui->Type(nome, c.nome);
        const ui::MessageBoxAsked m = gera();
        EXPECT_EQ(m.title, c.titulo);
        EXPECT_EQ(m.text, c.texto);
    }
    EXPECT_EQ(Files(dir / "Excel"), 0u);

    // A folder typed without its closing separator is joined to the name with one.
    ui->Type(pasta, root + "Excel");
    ui->Type(nome, "saldos.csv");
    ui->Press(ui->ByText(w, "&Gerar Excel"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());
    const std::string antes = File(dir / "Excel" / "saldos.csv");
    EXPECT_NE(antes.find("Calculo Saldo Mensal\r\n"), std::string::npos);

    // A folder that does not exist: the file and the reason, and nothing written.
    ui->Type(pasta, root + "NaoExiste\\");
    std::string texto = gera().text;
    EXPECT_EQ(texto.rfind("O arquivo não foi gerado.|Não foi possível gravar o arquivo " + root + "NaoExiste\\saldos.csv: ", 0), 0u) << texto;
    EXPECT_FALSE(fs::exists(dir / "NaoExiste"));

    // A rate too wide for its 8 positions stops the export; the old file stays whole and alone.
    Seed<SaldosVorelRec>(dictionary::SaldosVorel(), 1, [](SaldosVorelRec& r, int) {
        r.Produto = "9";
        r.Competencia = date::make(2016, 3, 1);
        r.Aliquota = Decimal(1000);
    });
    ui->Type(pasta, root + "Excel\\");
    texto = gera().text;
    EXPECT_EQ(texto, "O arquivo não foi gerado.|O valor 1000 não cabe na coluna \"Aliquota\" (8 posições).");
    EXPECT_EQ(File(dir / "Excel" / "saldos.csv"), antes);
    EXPECT_EQ(Files(dir / "Excel"), 1u);
}

}  // namespace
}  // namespace vorel::exports::testing
