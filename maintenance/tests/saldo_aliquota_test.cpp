// The balances of a year and rate deleted, with the rate history's rows at 18 and 17.
#include <gtest/gtest.h>

#include "reparo_fixture.h"
#include "vorel/maintenance/saldo_aliquota.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;
using dictionary::SaldosVorelRec;

class SaldoAliquotaTest : public ReparoFixture {
protected:
    // 2015's balances: products 10, 100 and 11 at 12, 18 and 12 in two months.
    void Saldos2015() {
        const char* produtos[] = {"10", "100", "11"};
        const int aliquotas[] = {12, 18, 12};
        Grava<SaldosVorelRec>(dictionary::SaldosVorel(), 6, [&](SaldosVorelRec& s, int i) {
            s.Produto = produtos[i % 3];
            s.Competencia = Dia(2015, 1 + i / 3, 1);
            s.Aliquota = Decimal(aliquotas[i % 3]);
        }, NoAno(dictionary::SaldosVorel(), 2015));
    }
    std::vector<std::string> Restam() {
        std::vector<std::string> out;
        for (const auto& s : Le<SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_PRODDATAALIQUOTA,
                                                NoAno(dictionary::SaldosVorel(), 2015)))
            out.push_back(std::string(s.Produto.clipped()) + "/" + std::to_string(date::month(s.Competencia)) + "/" +
                          s.Aliquota.value().to_fixed(0));
        return out;
    }
    ResultadoReparo Exclui(OpcoesSaldoAliquota o) {
        o.empresa = 1;
        return NaThread([&] { return ExcluiSaldosPorAliquota(o); });
    }
};

TEST_F(SaldoAliquotaTest, DeletesTheRatesBalancesOfEveryProductOrOne) {
    Saldos2015();
    // Neither every product nor a product: nothing.
    ResultadoReparo r = Exclui({.ano = 2015, .aliquota = Decimal(12)});
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(Restam().size(), 6u);
    // Product 10 only: not 100 (whose text begins alike) nor 11.
    r = Exclui({.ano = 2015, .aliquota = Decimal(12), .produto = Decimal(10)});
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.alterados, 2);
    EXPECT_EQ(Restam(), (std::vector<std::string>{"100/1/18", "100/2/18", "11/1/12", "11/2/12"}));
    // Every product.
    r = Exclui({.ano = 2015, .aliquota = Decimal(12), .todos = true});
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(Restam(), (std::vector<std::string>{"100/1/18", "100/2/18"}));
    // A year without its balance file is a failure.
    r = Exclui({.ano = 2013, .aliquota = Decimal(12), .todos = true});
    EXPECT_NE(r.erro.find("Não existe o arquivo de saldos de 2013"), std::string::npos) << r.erro;
}

// With the history option the rows at 18 are reopened and those at 17 deleted, whatever the rate
// chosen; a row at 12 stays as it was.
TEST_F(SaldoAliquotaTest, TheHistoryOptionReopens18AndDeletes17) {
    Saldos2015();
    Grava<ProdutosRec>(dictionary::Produtos(), 2, [](ProdutosRec& p, int i) { p.Codigo = 10 + i; });
    struct H {
        int produto, aliquota;
    };
    const H hs[] = {{10, 17}, {10, 18}, {10, 12}, {11, 18}};
    Grava<ProdutosAliqRec>(dictionary::ProdutosAliq(), std::size(hs), [&](ProdutosAliqRec& h, int i) {
        h.CODIGO = i + 1;
        h.CODIGO_PRODUTO = hs[i].produto;
        h.ALIQUOTA = Decimal(hs[i].aliquota);
        h.DATA_INICIAL = Dia(2010, 1 + i, 1);
        h.DATA_FINAL = Dia(2012, 1, 31);
        h.DATA_ALTERACAO = Dia(2012, 2, 1);
    });
    const ResultadoReparo r = Exclui({.ano = 2015, .aliquota = Decimal(12), .produto = Decimal(10), .historico = true});
    ASSERT_TRUE(r.ok()) << r.erro;
    std::vector<std::string> historico;
    for (const auto& h : Le<ProdutosAliqRec>(dictionary::ProdutosAliq(), keys::PALIQ_Key_Codigo))
        historico.push_back(h.CODIGO_PRODUTO.value().to_fixed(0) + "/" + h.ALIQUOTA.value().to_fixed(0) + "/" +
                            std::to_string(h.DATA_FINAL) + "/" + std::to_string(h.DATA_ALTERACAO));
    const std::string fim = std::to_string(Dia(2012, 1, 31)), alt = std::to_string(Dia(2012, 2, 1));
    EXPECT_EQ(historico, (std::vector<std::string>{"10/18/0/0", "10/12/" + fim + "/" + alt, "11/18/" + fim + "/" + alt}));
}

// The window refuses a missing year and rate, then asks naming both history rates, "&Não" preselected.
TEST_F(SaldoAliquotaTest, TheWindowRefusesMissingValuesAndAsksNamingTheHistoryRates) {
    Saldos2015();
    StartUser();
    ui->Start("ExcluirSaldoAliq");
    const int w = ui->WindowByCaption("Excluir Saldo por Alíquota");
    ui->Press(ui->ByText(w, "&Ajustar"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Favor informar o ano para a exclusão!");
    ui->Answer(1);
    ui->Type(ui->ByPrompt(w, "Ano"), "2015");
    ui->Press(ui->ByText(w, "&Ajustar"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Favor informar a Alíquota ser excluida!");
    ui->Answer(1);
    ui->Type(ui->ByPrompt(w, "Alíquota"), "12");
    ui->Check(ui->ByText(w, "Excluir Saldo de todos os Produtos"), true);
    EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "Código do Produto")));
    ui->Check(ui->ByText(w, "Excluir Alíquota do Cadastro de Produtos"), true);
    ui->Press(ui->ByText(w, "&Ajustar"));
    ASSERT_TRUE(ui->HasMessageBox());
    const auto& box = ui->PendingMessageBox();
    EXPECT_EQ(box.text, "Os saldos de 2015 com alíquota 12,000 de todos os produtos serão excluídos. No histórico de "
                        "alíquotas dos produtos, os registros de alíquota 18% serão reabertos e os de alíquota 17% "
                        "excluídos. Deseja continuar?");
    EXPECT_EQ(box.buttons[static_cast<std::size_t>(box.defaultButton - 1)], "&Não");
    ui->Answer("&Não");
    EXPECT_EQ(Restam().size(), 6u);
    ui->Press(ui->ByText(w, "&Ajustar"));
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Exclusão efetuada com sucesso!");
    ui->Answer(1);
    EXPECT_EQ(Restam().size(), 2u);
}

}  // namespace
}  // namespace vorel::maintenance::testing
