// The rebuild of selected products' rate history, by the entries of a range of years and by the
// fixed rule, and its window.
#include <gtest/gtest.h>

#include "lote_fixture.h"
#include "vorel/maintenance/ajuste_aliquota_produtos.h"
#include "vorel/ui/headless.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EntradaVorelRec;

class AjusteAliquotaTest : public LoteFixture {
protected:
    // An entry of `produto` at `aliquota` in the entries file of the date's year.
    void Entrada(int produto, date::Day dia, const char* aliquota) {
        Grava<EntradaVorelRec>(
            dictionary::EntradaVorel(),
            [&](EntradaVorelRec& e) {
                e.CodMercadoria = produto;
                e.DataEmissao = dia;
                e.Aliquota = D(aliquota);
            },
            EntradasDoAno(date::year(dia)));
    }
    // "rate start-end change" of the product's rows (the row numbers left out).
    std::vector<std::string> Periodos(int produto) {
        std::vector<std::string> out;
        for (std::string s : Historico(produto)) out.push_back(s.substr(0, s.find(" #")));
        return out;
    }
    static std::vector<ProdutoDoAjuste> Selecao(std::initializer_list<std::pair<int, const char*>> produtos) {
        std::vector<ProdutoDoAjuste> out;
        for (const auto& [codigo, aliquota] : produtos) out.push_back({Decimal(codigo), D(aliquota)});
        return out;
    }
};

// Years 2010 to 2013 (2010 and 2011 have no file). Product 1: 12 from a March 2012 entry, 18 from
// one of 10/05/2013; an entry at 0 and repeats of the last rate change nothing, its 2014 entry is
// outside the range, and product 3's entries in the same files are not its own. Product 2: entries
// only in 2014, so no history at all. Product 3, not selected, keeps its row.
TEST_F(AjusteAliquotaTest, ByTheEntriesEachChangeOfRateOpensItsMonth) {
    for (int p : {1, 2, 3}) Produto(p, "17");
    LinhaAliquota(1, 1, "17", Dia(2000, 1, 1));
    LinhaAliquota(1, 2, "7", Dia(1999, 1, 1), Dia(1999, 12, 31));
    LinhaAliquota(2, 3, "12", Dia(2011, 1, 1));
    LinhaAliquota(3, 4, "12", Dia(2011, 1, 1));
    Entrada(1, Dia(2012, 3, 15), "12");
    Entrada(1, Dia(2012, 8, 20), "12");
    Entrada(1, Dia(2013, 2, 2), "12");
    Entrada(1, Dia(2013, 4, 30), "0");
    Entrada(1, Dia(2013, 5, 10), "18");
    Entrada(1, Dia(2013, 9, 1), "18");
    Entrada(1, Dia(2014, 1, 5), "7");
    Entrada(2, Dia(2014, 2, 1), "25");
    Entrada(3, Dia(2012, 1, 1), "25");
    Entrada(3, Dia(2013, 1, 1), "25");

    const ResultadoReparo r = NaThread([&] {
        return AjustaAliquotasPelasEntradas(1, Selecao({{1, "17"}, {2, "17"}}), 2010, 2013);
    });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.alterados, 2);
    EXPECT_EQ(r.lidos, 3 + 6);  // three rows deleted, product 1's six entries of 2012-2013 read
    EXPECT_EQ(Periodos(1), (std::vector<std::string>{"12 01/03/2012-30/04/2013 15/03/2012", "18 01/05/2013- 10/05/2013"}));
    EXPECT_EQ(Periodos(2), std::vector<std::string>{});
    EXPECT_EQ(Historico(3), std::vector<std::string>{"12 01/01/2011-  #4"});
}

// Product 10 at 12 and 11 at 18, both with rows: 12 from 01/04/2008 to 30/11/2010 (10 only), 18
// from 01/12/2010 (from 01/04/2008 for 11), then each change among the 2014 entries from 01/04/2014
// on (one of March 2014 and one of 2015 are not read, one at 18 is no change). Product 12 had no
// row: it gets none. Product 10 selected twice ends as once.
TEST_F(AjusteAliquotaTest, TheFixedRuleRebuildsOnlyProductsThatHadRows) {
    for (int p : {10, 12}) Produto(p, "12");
    Produto(11, "18");
    LinhaAliquota(10, 1, "12", Dia(2016, 1, 1));
    LinhaAliquota(11, 2, "17", Dia(2016, 1, 1));
    Entrada(10, Dia(2014, 3, 15), "7");
    Entrada(10, Dia(2014, 4, 10), "18");
    Entrada(10, Dia(2014, 6, 20), "12");
    Entrada(10, Dia(2015, 2, 1), "25");
    Entrada(11, Dia(2014, 5, 5), "12");
    Entrada(12, Dia(2014, 5, 5), "12");

    const ResultadoReparo r = NaThread([&] {
        return AjustaAliquotasPelaRegra(1, Selecao({{10, "12"}, {11, "18"}, {12, "12"}, {10, "12"}}));
    });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(Periodos(10), (std::vector<std::string>{"12 01/04/2008-30/11/2010 01/04/2008", "12 01/06/2014- 20/06/2014",
                                                      "18 01/12/2010-31/05/2014 01/12/2010"}));
    EXPECT_EQ(Periodos(11), (std::vector<std::string>{"12 01/05/2014- 05/05/2014", "18 01/04/2008-30/04/2014 01/04/2008"}));
    EXPECT_EQ(Periodos(12), std::vector<std::string>{});

    // A stop at the second product keeps the first one rebuilt and the second one as it was.
    LinhaAliquota(12, 90, "7", Dia(2016, 1, 1));
    const std::vector<std::string> antes = Historico(12);
    const ResultadoReparo parado = NaThread([&] {
        return AjustaAliquotasPelasEntradas(1, Selecao({{11, "18"}, {12, "12"}}), 2014, 2014,
                                            [](long long feitos, long long) { return feitos < 5; });
    });
    EXPECT_TRUE(parado.cancelado);
    EXPECT_EQ(parado.alterados, 1);
    EXPECT_EQ(Periodos(11), std::vector<std::string>{"12 01/05/2014- 05/05/2014"});
    EXPECT_EQ(Historico(12), antes);
}

TEST_F(AjusteAliquotaTest, AStartYearAfterTheEndYearIsRefusedBeforeAnythingIsDeleted) {
    Produto(1, "12");
    LinhaAliquota(1, 1, "12", Dia(2012, 1, 1));
    Entrada(1, Dia(2013, 5, 10), "18");
    const ResultadoReparo r = NaThread([&] { return AjustaAliquotasPelasEntradas(1, Selecao({{1, "12"}}), 2014, 2013); });
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.erro.find("Ano Inicial (2014)"), std::string::npos) << r.erro;
    EXPECT_EQ(Historico(1), std::vector<std::string>{"12 01/01/2012-  #1"});
}

// The window: the selection (by hand, every product, a product twice refused by hand, removed,
// cleared), the refusals, the question with "&Não" preselected, and a run by the entries.
TEST_F(AjusteAliquotaTest, TheWindowGathersTheSelectionAsksAndRuns) {
    Produto(1, "12");
    Produto(2, "17");
    LinhaAliquota(1, 1, "17", Dia(2000, 1, 1));
    Entrada(1, Dia(2013, 5, 10), "18");
    StartUser();
    ui->Start("AjusteAliqProd");
    const int w = ui->WindowByCaption("Ajustar alíquota do cadastro de Produtos conforme Lançamentos de Entrada");
    auto mensagem = [&](const std::string& texto, const std::string& titulo) {
        ASSERT_TRUE(ui->HasMessageBox()) << texto;
        EXPECT_EQ(ui->PendingMessageBox().text, texto);
        EXPECT_EQ(ui->PendingMessageBox().title, titulo);
        ui->Answer(1);
        ui->WaitIdle();
    };
    const auto produtos = ui->Control(w, 7);
    const auto selecao = ui->Control(w, 11);
    auto codigos = [&] {
        std::vector<std::string> out;
        for (const auto& row : ui->Rows(selecao)) out.push_back(std::string(text::trim(row.at(0))) + " " + std::string(text::trim(row.at(3))));
        return out;
    };
    const auto entradas = ui->ByText(w, "&Ajustar conforme Alíquota dos Lançamentos de Entrada");

    ui->Press(entradas);
    mensagem("Não foram encontrados produtos para serem ajustados!", "Aviso!");
    ui->Press(ui->ByText(w, "Ajustar conforme Regra Específica"));
    mensagem("Não foram encontrados produtos para serem ajustados!", "Aviso!");

    ui->PickRow(produtos, 2);
    ui->Press(ui->ByText(w, "Incluir >"));
    ui->Press(ui->ByText(w, "Incluir >"));
    mensagem("Produto já selecionado!", "Aviso!");
    ui->Press(ui->ByText(w, "Incluir Todos >>"));
    EXPECT_EQ(codigos(), (std::vector<std::string>{"2 17,000", "1 12,000", "2 17,000"}));
    ui->PickRow(selecao, 1);
    ui->Press(ui->ByText(w, "< Retirar"));
    EXPECT_EQ(codigos(), (std::vector<std::string>{"1 12,000", "2 17,000"}));

    ui->Press(entradas);
    mensagem("Favor informar Ano Inicial!", "Aviso!");
    ui->Type(ui->ByPrompt(w, "Ano Inicial:"), "2014");
    ui->Press(entradas);
    mensagem("Favor informar Ano Final!", "Aviso!");
    ui->Type(ui->ByPrompt(w, "Ano Final:"), "2013");
    ui->Press(entradas);
    mensagem("O Ano Inicial não pode ser posterior ao Ano Final!", "Aviso!");
    ui->Type(ui->ByPrompt(w, "Ano Inicial:"), "2013");
    ui->Press(entradas);
    ASSERT_TRUE(ui->HasMessageBox());
    const auto& pergunta = ui->PendingMessageBox();
    EXPECT_EQ(pergunta.buttons[static_cast<std::size_t>(pergunta.defaultButton - 1)], "&Não");
    ui->Answer("&Não");
    ui->WaitIdle();
    EXPECT_EQ(Historico(1), std::vector<std::string>{"17 01/01/2000-  #1"});

    ui->Press(entradas);
    ui->Answer("&Sim");
    ui->WaitIdle();
    mensagem("Ajuste efetuado com sucesso!", "Concluído!");
    EXPECT_EQ(Periodos(1), std::vector<std::string>{"18 01/05/2013- 10/05/2013"});
    EXPECT_EQ(codigos(), (std::vector<std::string>{"1 12,000", "2 17,000"}));  // the selection stays
    ui->Press(ui->ByText(w, "Limpar Seleção"));
    EXPECT_EQ(codigos(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vorel::maintenance::testing
