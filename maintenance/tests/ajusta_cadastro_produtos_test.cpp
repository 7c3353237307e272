// The batch change of the product register: the alias, the dates, and the rate with its history
// rows, per product.
#include <gtest/gtest.h>

#include <map>

#include "lote_fixture.h"
#include "vorel/maintenance/ajusta_cadastro_produtos.h"
#include "vorel/ui/headless.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::ProdutosRec;

class AjustaCadastroTest : public LoteFixture {
protected:
    // "code:rate" of a product with its alias and dates.
    std::map<int, std::string> Produtos() {
        std::map<int, std::string> out;
        for (const auto& p : Le<ProdutosRec>(dictionary::Produtos(), keys::PRO_KEY_CODIGO))
            out[std::stoi(p.Codigo.value().to_fixed(0))] = p.Alicota.value().to_fixed(0) + " [" +
                                                            std::string(p.Apelido.value()) + "] " +
                                                            std::to_string(p.DataInicio) + "-" + std::to_string(p.DataFinal);
        return out;
    }
};

// Products 1 (no rows), 2 (only a closed row), 3 (an open row at 18 already), 4 (an open row at
// 12), changed to 18 from 01/04/2014 with the alias option: only product 4 gets a new row.
TEST_F(AjustaCadastroTest, RateChangesFollowTheOpenRowsAndTheAliasIsTheCodesDigits) {
    Produto(1, "12");
    Produto(2, "12");
    Produto(3, "12");
    Produto(123, "12", "X");
    LinhaAliquota(2, 1, "12", Dia(2010, 1, 1), Dia(2012, 12, 31));
    LinhaAliquota(3, 2, "18", Dia(2012, 1, 1));
    LinhaAliquota(123, 3, "12", Dia(2013, 1, 1));

    AjusteCadastro a{.apelido = true, .aliquota = true, .dataAliquota = Dia(2014, 4, 1), .novaAliquota = D("18"),
                     .hoje = Dia(2016, 3, 15)};
    std::vector<long long> passos;
    ResultadoReparo r = NaThread([&] {
        return AjustaCadastroProdutos(a, [&](long long feito, long long total) {
            passos.push_back(feito * 100 + total);
            return true;
        });
    });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(passos, (std::vector<long long>{104, 204, 304, 404}));
    const auto p = Produtos();
    EXPECT_EQ(p.at(1), "12 [1                   ] 76340-0");  // no row: the rate stays
    EXPECT_EQ(p.at(2), "12 [2                   ] 76340-0");  // every row closed: the same
    EXPECT_EQ(p.at(3), "18 [3                   ] 76340-0");  // the open row already at 18
    EXPECT_EQ(p.at(123), "18 [123                 ] 76340-0");
    EXPECT_EQ(Historico(1), std::vector<std::string>{});
    EXPECT_EQ(Historico(2), (std::vector<std::string>{"12 01/01/2010-31/12/2012  #1"}));
    EXPECT_EQ(Historico(3), (std::vector<std::string>{"18 01/01/2012-  #2"}));
    EXPECT_EQ(Historico(123), (std::vector<std::string>{"12 01/01/2013-31/03/2014 15/03/2016 #3",
                                                        "18 01/04/2014-  #4"}));
}

TEST_F(AjustaCadastroTest, DatesAreSetEmptyIncludedAndNothingTickedStillCountsEveryProduct) {
    Produto(1, "12", "A");
    Produto(2, "17", "B");
    AjusteCadastro datas;
    datas.dataInicial = true;
    datas.dataFinal = true;
    datas.dataFinalProduto = Dia(2016, 12, 31);
    ResultadoReparo r = NaThread([&] { return AjustaCadastroProdutos(datas); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.alterados, 2);
    const std::string fim = std::to_string(Dia(2016, 12, 31));
    EXPECT_EQ(Produtos(), (std::map<int, std::string>{{1, "12 [A                   ] 0-" + fim}, {2, "17 [B                   ] 0-" + fim}}));
    r = NaThread([&] { return AjustaCadastroProdutos({}); });
    EXPECT_EQ(r.alterados, 2);
    EXPECT_EQ(Produtos().at(2), "17 [B                   ] 0-" + fim);
}

// A cancel at the second product keeps the first one changed, rows and record, and the second one
// as it was.
TEST_F(AjustaCadastroTest, CancelRollsBackTheProductInHandOnly) {
    Produto(1, "12");
    Produto(2, "12");
    LinhaAliquota(1, 1, "12", Dia(2013, 1, 1));
    LinhaAliquota(2, 2, "12", Dia(2013, 1, 1));
    AjusteCadastro a{.apelido = true, .aliquota = true, .dataAliquota = Dia(2014, 4, 1), .novaAliquota = D("18"), .hoje = 1};
    ResultadoReparo r = NaThread([&] { return AjustaCadastroProdutos(a, [](long long feito, long long) { return feito < 2; }); });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(r.alterados, 1);
    EXPECT_EQ(Historico(1).size(), 2u);
    EXPECT_EQ(Historico(2), (std::vector<std::string>{"12 01/01/2013-  #2"}));
    EXPECT_EQ(Produtos().at(1).substr(0, 6), "18 [1 ");
    EXPECT_EQ(Produtos().at(2).substr(0, 6), "12 [  ");
}

// The window: the rate's fields open only while its change is ticked, missing values are refused,
// and both questions preselect "&Não".
TEST_F(AjustaCadastroTest, WindowRefusesMissingValuesAndAsksTwiceForARateChange) {
    Produto(1, "12");
    LinhaAliquota(1, 1, "12", Dia(2013, 1, 1));
    StartUser();
    ui->Start("CopiaCodProdutos");
    const int w = ui->WindowByCaption("Ajustar Cadastro de Produtos");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(w, "Aliquota")));
    ui->Check(ui->ByText(w, "Ajusta Alíquota"), true);
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(w, "Aliquota")));
    ui->Press(ui->ByText(w, "&Alterar"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Favor informar a Data Inicial da Alíquota.");
    ui->Answer(1);
    ui->WaitIdle();
    ui->Type(ui->ByPrompt(w, "Data"), "01/04/2014");
    ui->Press(ui->ByText(w, "&Alterar"));
    EXPECT_EQ(ui->PendingMessageBox().text, "Favor informar a Alíquota.");
    ui->Answer(1);
    ui->WaitIdle();
    ui->Type(ui->ByPrompt(w, "Aliquota"), "18");
    for (int vez = 1; vez <= 2; ++vez) {
        ui->Press(ui->ByText(w, "&Alterar"));
        ASSERT_TRUE(ui->HasMessageBox());
        EXPECT_EQ(ui->PendingMessageBox().defaultButton, 2);
        ui->Answer("&Sim");
        ui->WaitIdle();
        ASSERT_TRUE(ui->HasMessageBox());
        EXPECT_EQ(ui->PendingMessageBox().defaultButton, 2);
        if (vez == 1) {
            ui->Answer("&Não");  // the second question: nothing changes
            ui->WaitIdle();
            EXPECT_EQ(Historico(1), (std::vector<std::string>{"12 01/01/2013-  #1"}));
            continue;
        }
        ui->Answer("&Sim");
        ui->WaitIdle();
        EXPECT_EQ(ui->PendingMessageBox().text, "Cadastro de Produtos alterado com sucesso!");
        ui->Answer(1);
        ui->WaitIdle();
    }
    EXPECT_EQ(Historico(1), (std::vector<std::string>{"12 01/01/2013-31/03/2014 15/03/2016 #1", "18 01/04/2014-  #2"}));
    EXPECT_EQ(text::trim(ui->Text(ui->Control(w, 16))), "1");
}

}  // namespace
}  // namespace vorel::maintenance::testing
