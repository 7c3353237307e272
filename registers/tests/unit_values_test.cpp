// The unit-value windows driven headless. Entry values: a value changes only in the working month
// (March 2016 here), and then only the value, also to 0; an insert refuses a pair that exists and a
// value of 0; a delete leaves the list on the row before. Exit values: an insert of an existing
// pair asks to save it as a change, a change of a missing pair asks to save it as an insert, and a
// user code typed as the product becomes the product's code.
#include "company_fixture.h"

#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::ProdutosRec;
using dictionary::TabelaValorProdutoSaidaRec;
using dictionary::TabValorIndProdutoRec;

constexpr const char* kEntrada = "Cadastro de valores unitário dos produtos";
constexpr const char* kSaida = "Cadastro dos Valores Unitários para Saídas";

struct UnitValueTest : CompanyFixture {
    void SetUp() override {
        CompanyFixture::SetUp();
        Seed<ProdutosRec>(dictionary::Produtos(), 2, [](ProdutosRec& r, int i) {
            r.Codigo = Decimal(i == 0 ? 5 : 7);
            r.Produtos = i == 0 ? "Cinco" : "Sete";
            r.Apelido = i == 0 ? "CX-5" : "";
            r.TipoReceita = 1;
        });
    }
    std::vector<std::string> EntryValues() {
        return Read<TabValorIndProdutoRec>(dictionary::TabValorIndProduto(), dictionary::keys::TVP_KEY_COMPPRODUTO,
                                           [](const TabValorIndProdutoRec& r) {
                                               return r.CODPRODUTO.to_string() + " " + std::to_string(date::month(r.COMPETENCIA)) +
                                                      " " + r.VALOR.to_string();
                                           });
    }
};

TEST_F(UnitValueTest, EntryValuesChangeOnlyInTheWorkingMonth) {
    Seed<TabValorIndProdutoRec>(dictionary::TabValorIndProduto(), 3, [](TabValorIndProdutoRec& r, int i) {
        r.CODPRODUTO = Decimal(i < 2 ? 5 : 7);
        r.COMPETENCIA = date::make(2016, i == 0 ? 2 : 3, 1);
        r.VALOR = Decimal::from_string(i == 0 ? "1.5" : i == 1 ? "2" : "3");
    });
    ui->Start("ValorUnitario");
    int w = ui->WindowByCaption(kEntrada);
    auto list = ui->Control(w, 12);
    auto valor = ui->ByPrompt(w, "03 V. Unitário");
    EXPECT_EQ(ui->Rows(list), (Rows{{"01/02/2016", "5", "Cinco", "1,50000"}, {"01/03/2016", "5", "Cinco", "2,00000"},
                                    {"01/03/2016", "7", "Sete", "3,00000"}}));
    EXPECT_FALSE(ui->Enabled(valor));

    ui->PickRow(list, 1);  // February: the change button does nothing
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "01 Data")), "01/02/2016");
    ui->Press(ui->ByText(w, "&Altera"));
    EXPECT_FALSE(ui->Enabled(valor));

    ui->PickRow(list, 2);  // March: only the value, and 0 is taken
    ui->Press(ui->ByText(w, "&Altera"));
    EXPECT_TRUE(ui->Enabled(valor));
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(w, "02 Produto")));
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(w, "01 Data")));
    ui->Type(valor, "0");
    ui->Press(ui->ByText(w, "&OK"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(EntryValues(), (std::vector<std::string>{"5 2 1.50000", "5 3 0.00000", "7 3 3.00000"}));

    // Inserting a pair that exists, then a value of 0.
    ui->Press(ui->ByText(w, "&Inclui"));
    ui->Type(ui->ByPrompt(w, "01 Data"), "01/03/2016");
    ui->Type(ui->ByPrompt(w, "02 Produto"), "5");
    ui->Type(valor, "4");
    ui->Press(ui->ByText(w, "&OK"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Atenção!!! Produto 5 , competência 01/03/2016 já está cadastrado!!!");
    ui->Answer(1);
    ui->Type(ui->ByPrompt(w, "01 Data"), "01/04/2016");
    ui->Type(valor, "0");
    ui->Press(ui->ByText(w, "&OK"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Atenção!!! Produto 5 , competência 01/04/2016 possui valor igual a 0!!!");
    ui->Answer(1);
    ui->Type(valor, "4,25");
    ui->Press(ui->ByText(w, "&OK"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(EntryValues(), (std::vector<std::string>{"5 2 1.50000", "5 3 0.00000", "5 4 4.25000", "7 3 3.00000"}));

    // A delete leaves the list on the row before.
    ui->PickRow(list, 4);
    ui->Press(ui->ByText(w, "&Exclui"));
    ui->Press(ui->ByText(w, "&OK"));
    EXPECT_EQ(EntryValues().size(), 3u);
    const std::vector<std::string> row = ui->Rows(list)[static_cast<std::size_t>(ui->State(list).selected - 1)];
    EXPECT_EQ(row[0] + " " + row[1], "01/04/2016 5");
}

TEST_F(UnitValueTest, ExitValuesAskBeforeTurningAnInsertIntoAChangeAndBack) {
    ui->Start("CadastroValorUnitSaida");
    int w = ui->WindowByCaption(kSaida);
    auto list = ui->Control(w, 11);
    auto produto = ui->ByPrompt(w, "Cód. Produto");
    ui->Press(ui->ByText(w, "&Inclui"));
    ui->Type(ui->ByPrompt(w, "Data"), "10/03/2016");
    ui->Type(produto, "CX-5");  // the user code becomes the product's code
    ui->Key(w, ui::key::Tab);
    EXPECT_EQ(ui->Value(produto), "5");
    EXPECT_EQ(ui->Value(ui->Control(w, 6)), "Cinco");
    ui->Type(ui->ByPrompt(w, "Valor"), "9,90");
    ui->Press(ui->ByText(w, "&Grava"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(ui->Rows(list), (Rows{{"10/03/2016", "5", "Cinco", "9,90"}}));

    // The same pair again: asked to save as a change.
    ui->Type(ui->ByPrompt(w, "Valor"), "8,00");
    ui->Press(ui->ByText(w, "&Grava"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção!!! Já existe lançamento com a data e produto informado!!! Deseja Grava como alteração???");
    ui->Answer("&Sim");
    EXPECT_EQ(ui->Rows(list), (Rows{{"10/03/2016", "5", "Cinco", "8,00"}}));

    // A change of a pair that does not exist: asked to save as an insert.
    ui->Type(ui->ByPrompt(w, "Data"), "11/03/2016");
    ui->Press(ui->ByText(w, "Al&tera"));
    ui->Press(ui->ByText(w, "&Grava"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção!!! Não existe lançamento com a data e produto informado!!! Deseja Grava como inclusão???");
    ui->Answer("&Sim");
    EXPECT_EQ(ui->Rows(list).size(), 2u);

    // Text that is neither a code nor a user code opens the product browse.
    ui->Press(ui->ByText(w, "&Inclui"));
    ui->Type(produto, "nada");
    ui->Key(w, ui::key::Tab);
    EXPECT_TRUE(ui->HasWindow("Cadastro de Produtos"));
    ui->CloseWindow(ui->WindowByCaption("Cadastro de Produtos"));
}

}  // namespace
}  // namespace vorel::registers::testing
