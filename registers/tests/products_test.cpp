// The product register driven headless: the count and the three tabs' orders of the browse, a saved
// change storing PRO:TipoReceita 1, the form's dependent lists (suppliers with their names, batches
// with their type, rates) and their forms, each new row taking the product of the form, and a
// delete that takes the rates with it and leaves links and batches.
#include "company_fixture.h"

#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::ForCliQelRec;
using dictionary::ForCliRec;
using dictionary::LoteVorelRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

constexpr const char* kBrowse = "Cadastro de Produtos";
constexpr int kList = 11, kQtde = 13;
// Controls of UProdutos.
constexpr int kSheet = 2, kListForn = 26, kListLote = 32, kLoteInsert = 33, kListAliq = 37, kAliqInsert = 38, kOk = 41;

struct ProductTest : CompanyFixture {
    void SeedProducts() {
        Seed<ProdutosRec>(dictionary::Produtos(), 3, [](ProdutosRec& r, int i) {
            static const char* names[] = {"Oleo", "Cerveja", "Arroz"};
            static const char* nick[] = {"B20", "A10", "C30"};
            r.Codigo = Decimal(10 * (i + 1));  // 10, 20, 30
            r.Produtos = names[i];
            r.Apelido = nick[i];
            r.Alicota = Decimal::from_string("18");
            r.TipoReceita = 2;
        });
    }
    int Browse() {
        ui->Start("Produtos");
        return ui->WindowByCaption(kBrowse);
    }
    std::string Highlighted(int w, int feq, std::size_t column) {
        auto list = ui->Control(w, feq);
        return ui->Rows(list)[static_cast<std::size_t>(ui->State(list).selected - 1)][column];
    }
};

TEST_F(ProductTest, BrowseCountsAndLocatesOnEachTab) {
    SeedProducts();
    int b = Browse();
    EXPECT_EQ(ui->Text(ui->Control(b, kQtde)), "3");
    auto list = ui->Control(b, kList);
    EXPECT_EQ(ui->Rows(list), (Rows{{"30", "C30", "Arroz", "18,0000"}, {"20", "A10", "Cerveja", "18,0000"},
                                    {"10", "B20", "Oleo", "18,0000"}}));
    ui->Type(ui->ByPrompt(b, "Pesquisa por Descrição"), "D");
    EXPECT_EQ(Highlighted(b, kList, 2), "Oleo");
    ui->PickTab(ui->Control(b, 1), "Pesquisa por Có&digo do Produto");
    EXPECT_EQ(ui->Rows(list)[0][0], "10");
    ui->Type(ui->ByPrompt(b, "Pesquisa por Código"), "12");
    EXPECT_EQ(Highlighted(b, kList, 0), "20");
    ui->PickTab(ui->Control(b, 1), "Pesquisa por &Apelido");
    ui->Type(ui->ByPrompt(b, "Pesquisa por Apelido"), "B");
    EXPECT_EQ(Highlighted(b, kList, 1), "B20");

    // A new product: next code, and the count follows.
    ui->Press(ui->ByText(b, "&Inclui Novo Produto"));
    int f = ui->WindowByCaption("Inclui Novo Produto");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 Código")), "31");
    ui->Type(ui->ByPrompt(f, "03 Produto"), "Farinha");
    ui->Type(ui->ByPrompt(f, "08 Alíquota"), "12,5");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasWindow("Inclui Novo Produto"));
    EXPECT_EQ(ui->Text(ui->Control(b, kQtde)), "4");
}

TEST_F(ProductTest, FormListsAndTheirFormsWorkOnTheFormsProduct) {
    SeedProducts();
    Seed<ForCliRec>(dictionary::ForCli(), 2, [](ForCliRec& r, int i) {
        r.Codigo = static_cast<std::uint32_t>(i + 1);
        r.Nome = i == 0 ? "Fornecedor Ativo" : "Fornecedor Inativo";
        r.Inativo = static_cast<std::uint8_t>(i);
        r.TipoInscricao = 1;
    });
    Seed<ForCliQelRec>(dictionary::ForCliQel(), 3, [](ForCliQelRec& r, int i) {
        r.CODFOR = static_cast<std::uint32_t>(i == 2 ? 1 : i + 1);
        r.CODPROD = Decimal(i == 2 ? 30 : 20);  // product 20: suppliers 1 and 2; product 30: supplier 1
    });
    Seed<LoteVorelRec>(dictionary::LoteVorel(), 2, [](LoteVorelRec& r, int i) {
        r.LOTE = "L-7";
        r.TIPO = static_cast<std::uint8_t>(i);
        r.CODPRODUTO = Decimal(20);
    });
    int b = Browse();
    ui->PickTab(ui->Control(b, 1), "Pesquisa por Có&digo do Produto");
    ui->PickRow(ui->Control(b, kList), 2);  // product 20
    ui->Press(ui->ByText(b, "&Altera Produto"));
    int f = ui->WindowByCaption("Altera Cadastro do Produto");
    EXPECT_EQ(ui->Text(ui->ByText(f, "&Grava")), "&Grava");
    EXPECT_EQ(ui->Rows(ui->Control(f, kListForn)), (Rows{{"1", "Fornecedor Ativo"}, {"2", ""}}));
    EXPECT_EQ(ui->Rows(ui->Control(f, kListLote)), (Rows{{"L-7", "Anterior"}, {"L-7", "Atual"}}));

    // A rate typed in the list's form belongs to product 20.
    ui->PickTab(ui->Control(f, kSheet), "Alíquotas");
    ui->Press(ui->Control(f, kAliqInsert));
    int a = ui->WindowByCaption("Incluindo");
    EXPECT_EQ(ui->Value(ui->Control(a, 2)), "Cerveja");
    EXPECT_EQ(ui->Value(ui->Control(a, 3)), "20");  // the product
    EXPECT_EQ(ui->Value(ui->Control(a, 5)), "1");   // the file's next code
    ui->Type(ui->Control(a, 7), "17");
    ui->Type(ui->Control(a, 9), "01/03/2016");
    ui->Press(ui->ByText(a, "&Gravar"));
    EXPECT_FALSE(ui->HasWindow("Incluindo"));
    EXPECT_EQ(ui->Rows(ui->Control(f, kListAliq)), (Rows{{"1", "17.000", "01/03/2016", "", ""}}));

    // A batch: the product is the form's, greyed.
    ui->PickTab(ui->Control(f, kSheet), "Lote");
    ui->Press(ui->Control(f, kLoteInsert));
    int l = ui->WindowByCaption("Incluindo");
    EXPECT_EQ(ui->Value(ui->ByPrompt(l, "Código Produto")), "20");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(l, "Código Produto")));
    ui->Type(ui->ByPrompt(l, "Lote"), "L-8");
    ui->PickItem(ui->ByPrompt(l, "Tipo"), "1 - Atual");
    ui->Press(ui->ByText(l, "    &OK"));
    EXPECT_EQ(ui->Rows(ui->Control(f, kListLote)).size(), 3u);

    // Saved without touching the data: TipoReceita becomes 1.
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_FALSE(ui->HasWindow("Altera Cadastro do Produto"));
    auto tipo = Read<ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO,
                                  [](const ProdutosRec& r) { return std::to_string(r.TipoReceita); });
    EXPECT_EQ(tipo, (std::vector<std::string>{"2", "1", "2"}));

    // Deleting product 20 takes its rate rows; its links and batches stay.
    ui->Press(ui->ByText(b, "&Exclui Produto"));
    f = ui->WindowByCaption("Exclui Cadastro do Produto");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "03 Produto")));
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(f, "02 Apelido")));
    EXPECT_EQ(ui->Text(ui->Control(f, kOk)), "&Exclui");
    ui->Press(ui->Control(f, kOk));
    ui->Answer("&Sim");
    EXPECT_FALSE(ui->HasWindow("Exclui Cadastro do Produto"));
    EXPECT_TRUE(Read<ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo,
                                      [](const ProdutosAliqRec& r) { return r.CODIGO.to_string(); })
                    .empty());
    EXPECT_EQ(Read<LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_PRODLOTE,
                                 [](const LoteVorelRec& r) { return std::string(r.LOTE.clipped()); })
                  .size(),
              3u);
    EXPECT_EQ(ui->Text(ui->Control(b, kQtde)), "2");
}

TEST_F(ProductTest, SupplierLinkLooksTheSupplierUpAndViewOffersNoUpdates) {
    SeedProducts();
    Seed<ForCliRec>(dictionary::ForCli(), 1, [](ForCliRec& r, int) {
        r.Codigo = 5;
        r.Nome = "Distribuidora";
        r.TipoInscricao = 1;
    });
    int b = Browse();
    ui->PickRow(ui->Control(b, kList), 1);  // Arroz, 30
    ui->Press(ui->ByText(b, "&Altera Produto"));
    int f = ui->WindowByCaption("Altera Cadastro do Produto");
    ui->PickTab(ui->Control(f, kSheet), "Fornecedores");
    ui->Press(ui->ByText(f, "  &Inclui"));
    int q = ui->WindowByCaption("Incluindo  (New)");
    EXPECT_EQ(ui->Value(ui->ByPrompt(q, "Cód. do Produto")), "30");
    EXPECT_EQ(ui->Text(ui->Control(q, 7)), "Arroz");
    // A code no active supplier has opens the supplier browse.
    ui->Type(ui->ByPrompt(q, "Cód. do Fornecedor"), "9");
    ui->Key(q, ui::key::Tab);
    int s = ui->WindowByCaption("Janela de Fornecedores e Clientes Cadastrados");
    ui->Press(ui->ByText(s, "&Seleciona Cadastro"));
    EXPECT_EQ(ui->Value(ui->ByPrompt(q, "Cód. do Fornecedor")), "5");
    EXPECT_EQ(ui->Text(ui->Control(q, 4)), "Distribuidora");
    ui->Press(ui->ByText(q, "   &OK"));
    EXPECT_EQ(ui->Rows(ui->Control(f, kListForn)), (Rows{{"5", "Distribuidora"}}));
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->CloseWindow(b);
    ui->WaitIdle();

    // Viewed, the form's lists take no insert, change or delete.
    int t = rt->Start("UProdutos", ui::Request::View);
    f = ui->WindowByCaption("View Record");
    ui->PickTab(ui->Control(f, kSheet), "Fornecedores");
    ui->Press(ui->ByText(f, "  &Inclui"));
    EXPECT_FALSE(ui->HasWindow("Incluindo  (New)"));
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_EQ(WaitFinished(t), ui::Response::Cancelled);
}

}  // namespace
}  // namespace vorel::registers::testing
