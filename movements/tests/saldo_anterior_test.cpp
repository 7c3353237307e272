// Opening balances through the browse "SaldoAnterior" and the form "USaldoAnterior" headless: a
// balance typed through the window lands in the working company's year file as an entry item with
// number 0 and its lot, and nothing else; the browse lists the year's balances whatever the month;
// the form's look-ups when nothing is found; the month lock on the browse.
#include "movement_fixture.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::LoteVorelRec;
namespace keys = dictionary::keys;

constexpr const char* kBrowse = "Saldo Anterior";
constexpr const char* kInsert = "Inclui Saldo Anterior";
constexpr const char* kFornecedores = "Janela de Fornecedores e Clientes Cadastrados";
constexpr int kDescricao = 20, kNome = 25, kCnpj = 27;  // the form's product description, supplier name, CNPJ
constexpr int kList = 5, kInsertButton = 6, kClosedPadlock = 13;  // the browse's list and buttons

struct SaldoAnteriorTest : MovementFixture {
    void SetUp() override {
        MovementFixture::SetUp();
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), 1, [](dictionary::ForCliRec& r, int) {
            r.Codigo = 7;
            r.CGC = "00000000000123";
            r.Nome = "Atacado Sete";
            r.TipoInscricao = 1;
        });
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 1, [](dictionary::ProdutosRec& r, int) {
            r.Codigo = 10;
            r.Produtos = "Pneu aro 13";
            r.TipoReceita = 1;
        });
        Seed<dictionary::CFORec>(dictionary::CFO(), 1, [](dictionary::CFORec& r, int) {
            r.CODIGO = 1403;
            r.ESTADO = "SP";
            r.COLUNA = 1;
        });
    }
    int OpenBrowse() {
        ui->Start("SaldoAnterior");
        return ui->WindowByCaption(kBrowse);
    }
    void TypeAndLeave(int f, const char* prompt, const std::string& text) {
        ui->Type(ui->ByPrompt(f, prompt), text);
        ui->Key(f, ui::key::Tab);
        ui->WaitIdle();
    }
    std::vector<std::string> Entries() {
        return Read<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA, [](const EntradaVorelRec& r) {
            return std::to_string(r.Numero) + " '" + std::string(r.Serie.clipped()) + "' " +
                   ui::FormatNumber("@d06b", r.DataEmissao) + " " + r.Quantidade.to_string() + " " +
                   r.BaseICMS.to_string() + " " + r.BaseICMSPropria.to_string() + " " + r.Aliquota.to_string() + " " +
                   std::to_string(r.CFO) + "/" + std::to_string(r.Complemento) + " " + r.CodMercadoria.to_string() +
                   " " + std::string(r.Lote.clipped()) + " " + std::to_string(r.CodigoForCli) + " '" +
                   std::string(r.Cnpj.clipped()) + "' inicial " + std::to_string(r.Saldo_Inicial);
        });
    }
    std::vector<std::string> Lots() {
        return Read<LoteVorelRec>(dictionary::LoteVorel(), keys::LTC_KEY_PRODLOTE, [](const LoteVorelRec& r) {
            return r.CODPRODUTO.to_string() + " '" + std::string(r.LOTE.clipped()) + "' " + std::to_string(r.TIPO);
        });
    }
    template <class Rec>
    std::size_t Count(const data::TableDesc& table, data::KeyName key) {
        return Read<Rec>(table, key, [](const Rec&) { return std::string(); }).size();
    }
};

TEST_F(SaldoAnteriorTest, ABalanceTypedThroughTheWindowLandsInTheYearFileWithItsLotAndNothingElse) {
    const int b = OpenBrowse();
    ui->Press(ui->ByText(b, "&Inclui"));
    const int f = ui->WindowByCaption(kInsert);
    // The new balance's blank CNPJ finds no supplier: the supplier register opens at once.
    const int forn = ui->WindowByCaption(kFornecedores);
    ui->PickRow(ui->Control(forn, 11), 1);
    ui->Press(ui->ByText(forn, "&Seleciona Cadastro"));
    ui->WaitIdle();
    EXPECT_EQ(ui->Text(ui->Control(f, kNome)), "Atacado Sete");
    EXPECT_EQ(ui->Value(ui->Control(f, kCnpj)), "00.000.000/0001-23");

    TypeAndLeave(f, "01 Data Emissão", "10/05/2015");  // not moved into the working month
    TypeAndLeave(f, "02 Quantidade", "12");
    TypeAndLeave(f, "03 Base I.C.M.S.", "150,00");
    TypeAndLeave(f, "04 Base Op. Própria", "100,00");
    TypeAndLeave(f, "05 Aliquota", "18");
    TypeAndLeave(f, "06 C.F.O.", "1403");
    TypeAndLeave(f, "07 Compl..", "0");
    TypeAndLeave(f, "08 Produto", "10");
    EXPECT_EQ(ui->Text(ui->Control(f, kDescricao)), "Pneu aro 13");
    TypeAndLeave(f, "09 Lote", "L-9");
    ui->Press(ui->ByText(f, "&OK"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kInsert)) << "one balance per opening";
    EXPECT_FALSE(ui->HasMessageBox());

    EXPECT_EQ(Entries(), (std::vector<std::string>{
                             "0 '' 10/05/2015 12.000 150.00 100.00 18.000 1403/0 10 L-9 7 '00000000000123' inicial 1"}));
    EXPECT_EQ(Lots(), (std::vector<std::string>{"10 'L-9' 0"}));
    EXPECT_EQ((Count<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_DATA)), 0u);
    EXPECT_EQ((Count<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA)), 0u);
    EXPECT_EQ((Count<dictionary::ForCliQelRec>(dictionary::ForCliQel(), keys::FCC_KEY_FORPROD)), 0u);
    EXPECT_EQ((Count<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), keys::PALIQ_KEY_PRODUTOALIQ)), 0u);
    EXPECT_EQ(ui->Rows(ui->Control(b, kList)).size(), 1u);
}

TEST_F(SaldoAnteriorTest, CancelledLookUpsLeaveTheSupplierBlankAndKeepTheFocusOnTheProduct) {
    Seed<LoteVorelRec>(dictionary::LoteVorel(), 1, [](LoteVorelRec& r, int) {
        r.CODPRODUTO = 10;
        r.LOTE = "L-9";
        r.TIPO = 1;  // a current lot of the product
    });
    const int b = OpenBrowse();
    ui->Press(ui->ByText(b, "&Inclui"));
    const int f = ui->WindowByCaption(kInsert);
    ui->CloseWindow(ui->WindowByCaption(kFornecedores));
    ui->WaitIdle();
    EXPECT_EQ(ui->Text(ui->Control(f, kNome)), "");

    TypeAndLeave(f, "01 Data Emissão", "01/01/2016");
    TypeAndLeave(f, "08 Produto", "99");
    ui->CloseWindow(ui->WindowByCaption("Cadastro de Produtos"));
    ui->WaitIdle();
    EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "08 Produto").feq);
    TypeAndLeave(f, "08 Produto", "10");
    TypeAndLeave(f, "09 Lote", "L-9");
    ui->Press(ui->ByText(f, "&OK"));
    // OK accepts every field again: the unregistered CFOP 0/0 and the blank CNPJ open their
    // registers; leaving both saves the balance without them.
    ui->CloseWindow(ui->WindowByCaption("Janela de C.F.O.P. Cadastrados"));
    ui->WaitIdle();
    ui->CloseWindow(ui->WindowByCaption(kFornecedores));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kInsert));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"0 '' 01/01/2016 0.000 0.00 0.00 0.000 0/0 10 L-9 0 '' inicial 1"}));
    EXPECT_EQ(Lots(), (std::vector<std::string>{"10 'L-9' 0", "10 'L-9' 1"}));
}

TEST_F(SaldoAnteriorTest, TheBrowseListsTheYearsBalancesWhateverTheMonthUnderTheMonthLock) {
    Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 3, [](EntradaVorelRec& r, int i) {
        r.DataEmissao = date::make(2016, i == 2 ? 3 : 1 + 6 * i, 1);
        r.Numero = i == 2 ? 55 : 0;  // an entry with a number is no balance
        r.CodMercadoria = 10 + i;
    });
    SeedClosedMonth(2016, 3);
    const int b = OpenBrowse();
    EXPECT_EQ(ui->Rows(ui->Control(b, kList)).size(), 2u);
    EXPECT_FALSE(ui->Enabled(ui->Control(b, kInsertButton)));
    ui->FocusOn(ui->Control(b, kList));
    ui->Key(b, ui::key::Insert);
    ui->PickRow(ui->Control(b, kList), 1, true);
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kInsert));
    EXPECT_FALSE(ui->HasWindow("Altera Saldo Anterior"));

    UserConfirms("ANA");
    ui->Press(ui->Control(b, kClosedPadlock));
    ui->WaitIdle();
    EXPECT_TRUE(ui->Enabled(ui->Control(b, kInsertButton)));
    ui->PickRow(ui->Control(b, kList), 1, true);
    const int f = ui->WindowByCaption("Altera Saldo Anterior");
    ui->CloseWindow(ui->WindowByCaption(kFornecedores));  // the balance has no supplier
    ui->WaitIdle();
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->WaitIdle();
}

TEST_F(SaldoAnteriorTest, ChangingAndDeletingABalanceLeaveTheCountingLinesAlone) {
    Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& r, int) {
        r.DataEmissao = date::make(2016, 1, 1);
        r.CodMercadoria = 10;
        r.Cnpj = "00000000000123";
        r.CodigoForCli = 7;
        r.Saldo_Inicial = 1;
    });
    // A line with the balance's date, number 0, blank series and CNPJ.
    Seed<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), 1, [](dictionary::QuantidadeVorelRec& r, int) {
        r.DataEmissao = date::make(2016, 1, 1);
        r.Cnpj = "00000000000123";
        r.Procedencia = "E";
        r.Unitario = 12;
        r.Quantidade = 5;
    });
    const int b = OpenBrowse();
    ui->PickRow(ui->Control(b, kList), 1, true);
    int f = ui->WindowByCaption("Altera Saldo Anterior");
    EXPECT_EQ(ui->Text(ui->Control(f, kNome)), "Atacado Sete");
    TypeAndLeave(f, "01 Data Emissão", "02/01/2016");
    TypeAndLeave(f, "07 Compl..", "0");
    ui->CloseWindow(ui->WindowByCaption("Janela de C.F.O.P. Cadastrados"));  // CFOP 0/0 is not registered
    ui->WaitIdle();
    ui->Press(ui->ByText(f, "&OK"));
    ui->CloseWindow(ui->WindowByCaption("Janela de C.F.O.P. Cadastrados"));  // again in OK's pass
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Altera Saldo Anterior"));
    EXPECT_EQ((Count<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA)), 1u);

    ui->PickRow(ui->Control(b, kList), 1);
    ui->Press(ui->ByText(b, "&Exclui"));
    f = ui->WindowByCaption("Exclui Saldo Anterior");
    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer("&Sim");  // the framework's own question
    ui->WaitIdle();
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ((Count<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA)), 1u);
}

}  // namespace
}  // namespace vorel::movements::testing
