// The month's balances of rate 0: the window's list, the deletion after its question, and the
// report's lines.
#include <gtest/gtest.h>

#include "calculo_window_fixture.h"
#include "vorel/computation/rel_exclui_saldo_zero.h"
#include "vorel/report/page_model.h"

namespace vorel::computation::testing {
namespace {

constexpr const char* kCaption = "Exclui Saldo Zero";

class ExcluirSaldoZeroTest : public CalculoWindowFixture {
protected:
    // March: products 1 (registered) and 7 (not registered) at rate 0, one of quantity 0; product 2
    // of quantity 0 at 12; February's row of product 3 at rate 0.
    void Meses() {
        Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
            r.Codigo = 1;
            r.Produtos = "PARAFUSO";
        });
        Saldo({.produto = 1, .mes = Dia(2016, 3, 1), .aliquota = "0", .qtd = "5", .unit = "2", .base = "10"});
        Saldo({.produto = 7, .mes = Dia(2016, 3, 1), .aliquota = "0", .qtd = "0"});
        Saldo({.produto = 2, .mes = Dia(2016, 3, 1), .aliquota = "12", .qtd = "0"});
        Saldo({.produto = 3, .mes = Dia(2016, 2, 1), .aliquota = "0", .qtd = "4"});
    }
    std::vector<std::string> Ficam() {
        std::vector<std::string> out;
        for (const auto& s : Saldos()) out.push_back(std::string(s.Produto.clipped()) + "/" + std::to_string(date::month(s.Competencia)));
        return out;
    }
};

TEST_F(ExcluirSaldoZeroTest, ListsAndDeletesOnlyTheMonthsRowsOfRateZeroAfterAsking) {
    Meses();
    ui->Start("ExcluirSaldoZero");
    const int w = ui->WindowByCaption(kCaption);
    auto lista = ui->Control(w, 3);
    auto rows = ui->Rows(lista);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "03/2016");
    EXPECT_EQ(rows[0][1], "1");
    EXPECT_EQ(rows[0][2], "PARAFUSO");
    EXPECT_EQ(text::trim(rows[0][4]), "5.000");
    EXPECT_EQ(rows[1][1], "7");
    EXPECT_EQ(rows[1][2], "");  // not in the register
    EXPECT_TRUE(ui->Hidden(ui->Control(w, 4)));  // the counter, until the first deletion

    // "&Não" is the default and deletes nothing.
    ui->Press(ui->ByText(w, "&Excluir"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Deseja realmente excluir todos os saldos com alíquota zero de 03/2016?");
    EXPECT_EQ(ui->PendingMessageBox().defaultButton, 2);
    ui->Answer("&Não");
    ui->WaitIdle();
    EXPECT_EQ(Ficam().size(), 4u);

    ui->Press(ui->ByText(w, "&Excluir"));
    ui->Answer("&Sim");
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the deletion's message");
    EXPECT_EQ(ui->PendingMessageBox().text, "Saldos Excluidos com Sucesso !!!");
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_EQ(Ficam(), (std::vector<std::string>{"2/3", "3/2"}));
    EXPECT_TRUE(ui->Rows(lista).empty());
    EXPECT_EQ(text::trim(ui->Text(ui->Control(w, 4))), "2");

    // Nothing left: no message, the counter shows 0.
    ui->Press(ui->ByText(w, "&Excluir"));
    ui->Answer("&Sim");
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(text::trim(ui->Text(ui->Control(w, 4))), "0");
    ui->Press(ui->ByText(w, "&Fechar"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kCaption));
}

std::vector<std::string> Textos(const report::Document& d) {
    std::vector<std::string> out;
    for (const auto& p : d.pages)
        for (const report::Item& i : p.items)
            if (const auto* t = std::get_if<report::TextItem>(&i)) out.push_back(std::string(text::trim(text::to_utf8(t->text))));
    return out;
}

TEST_F(ExcluirSaldoZeroTest, ReportPrintsTheMonthsRowsOfRateZeroWithCodeAndDescription) {
    Meses();
    const report::Document d = [&] {
        report::Document out;
        std::thread([&] {
            dictionary::InitDictionary();
            out = DocumentoRelExcluiSaldoZero(shell::PeriodoDeTrabalho());
            dictionary::TeardownDictionary();
        }).join();
        return out;
    }();
    ASSERT_EQ(d.pages.size(), 1u);
    const auto t = Textos(d);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.front(), "Relação de Saldos Com Aliquota Zero - 03/2016");
    auto tem = [&](const std::string& s) { return std::find(t.begin(), t.end(), s) != t.end(); };
    EXPECT_TRUE(tem("1 - PARAFUSO"));
    EXPECT_TRUE(tem("7 -"));  // "7 - " with its blanks trimmed
    EXPECT_TRUE(tem("10.00"));
    EXPECT_FALSE(tem("2 -"));
    EXPECT_FALSE(tem("3 -"));
    // A month without such rows prints nothing.
    shell::EmpresaPeriodo abril = shell::PeriodoDeTrabalho();
    abril.mes = 4;
    report::Document vazio;
    std::thread([&] {
        dictionary::InitDictionary();
        vazio = DocumentoRelExcluiSaldoZero(abril);
        dictionary::TeardownDictionary();
    }).join();
    EXPECT_TRUE(vazio.pages.empty());
}

}  // namespace
}  // namespace vorel::computation::testing
