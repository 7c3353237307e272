// The batch CFOP change: which items change, how the complementary code is stored on each side,
// and the window's refusals and question.
#include <gtest/gtest.h>

#include "lote_fixture.h"
#include "vorel/maintenance/altera_cfo_lote.h"
#include "vorel/ui/headless.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;

class AlteraCfoLoteTest : public LoteFixture {
protected:
    void Entrada(std::uint32_t numero, date::Day dia, int cfo, int compl_) {
        Grava<EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
            r.Numero = numero;
            r.DataEmissao = dia;
            r.CFO = static_cast<std::uint16_t>(cfo);
            r.Complemento = static_cast<std::int16_t>(compl_);
        });
    }
    void Saida(std::uint32_t numero, date::Day dia, int cfo, int compl_) {
        Grava<SaidaVorelRec>(dictionary::SaidaVorel(), [&](auto& r) {
            r.Numero = numero;
            r.DataSaida = dia;
            r.CFO = static_cast<std::uint16_t>(cfo);
            r.Complemento = static_cast<std::int16_t>(compl_);
        });
    }
    // "number:cfo/complement/complementary" of every item, in date order.
    std::vector<std::string> Entradas() {
        std::vector<std::string> out;
        for (const auto& e : Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA))
            out.push_back(std::to_string(e.Numero) + ":" + std::to_string(e.CFO) + "/" + std::to_string(e.Complemento) +
                          "/" + std::to_string(e.CFOComplementar));
        return out;
    }
    std::vector<std::string> Saidas() {
        std::vector<std::string> out;
        for (const auto& s : Le<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_DATA))
            out.push_back(std::to_string(s.Numero) + ":" + std::to_string(s.CFO) + "/" + std::to_string(s.Complemento) +
                          "/[" + std::string(s.CFOComplementar.value()) + "]");
        return out;
    }
    // Entries and exits of 1102/0, 1102/1 and 5102/0 in January, March and December.
    void Movimentos() {
        Entrada(1, Dia(2016, 1, 10), 1102, 0);
        Entrada(2, Dia(2016, 3, 10), 1102, 0);
        Entrada(3, Dia(2016, 3, 11), 1102, 1);
        Entrada(4, Dia(2016, 12, 10), 1102, 0);
        Saida(11, Dia(2016, 1, 10), 5102, 0);
        Saida(12, Dia(2016, 3, 10), 5102, 0);
        Saida(13, Dia(2016, 3, 12), 1102, 0);
        Saida(14, Dia(2016, 12, 10), 5102, 0);
    }
};

TEST_F(AlteraCfoLoteTest, ChangesOnlyTheSidesItemsOfTheCodeInThePeriod) {
    Movimentos();
    struct Caso {
        const char* nome;
        AlteracaoCfo a;
        long long lidos, alterados;
        std::vector<std::string> entradas, saidas;
    };
    const std::vector<std::string> saidasAntes{"11:5102/0/[  ]", "12:5102/0/[  ]", "13:1102/0/[  ]", "14:5102/0/[  ]"};
    const Caso casos[] = {
        {"entries of 1102/0 from February to November",
         {.inicio = Dia(2016, 2, 1), .fim = Dia(2016, 11, 30), .cfo = 1102, .complemento = 0, .novoCfo = 1403,
          .novoComplemento = 2, .novoCfoComplementar = 12},
         2, 1,
         {"1:1102/0/0", "2:1403/2/12", "3:1102/1/0", "4:1102/0/0"}, saidasAntes},
        {"exits of 5102/0 to the end of March: the walk ends at the first exit after it",
         {.inicio = Dia(2016, 1, 1), .fim = Dia(2016, 3, 31), .cfo = 5102, .complemento = 0, .novoCfo = 5405,
          .novoComplemento = 0, .novoCfoComplementar = 5},
         3, 2, {},
         {"11:5405/0/[5 ]", "12:5405/0/[5 ]", "13:1102/0/[  ]", "14:5102/0/[  ]"}},
        {"a complementary code of 12 on exits",
         {.inicio = Dia(2016, 12, 1), .fim = Dia(2016, 12, 31), .cfo = 5102, .complemento = 0, .novoCfo = 5102,
          .novoComplemento = 0, .novoCfoComplementar = 12},
         1, 1, {}, {"11:5405/0/[5 ]", "12:5405/0/[5 ]", "13:1102/0/[  ]", "14:5102/0/[12]"}},
        {"a start after the end",
         {.inicio = Dia(2016, 12, 31), .fim = Dia(2016, 1, 1), .cfo = 1102, .complemento = 0, .novoCfo = 1403},
         0, 0, {}, {}},
    };
    bool primeiro = true;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const auto antesE = Entradas(), antesS = Saidas();
        ResultadoReparo r = NaThread([&] { return AlteraCfoEmLote(periodo, c.a); });
        ASSERT_TRUE(r.ok()) << r.erro;
        EXPECT_EQ(r.lidos, c.lidos);
        EXPECT_EQ(r.alterados, c.alterados);
        EXPECT_EQ(Entradas(), c.entradas.empty() ? antesE : c.entradas);
        EXPECT_EQ(Saidas(), c.saidas.empty() ? antesS : c.saidas);
        if (primeiro) {
            EXPECT_EQ(antesS, saidasAntes);
        }
        primeiro = false;
    }
}

TEST_F(AlteraCfoLoteTest, RefusesWhatTheFieldCannotHoldAndACancelRollsBack) {
    Movimentos();
    const auto antes = Entradas();
    AlteracaoCfo a{.inicio = Dia(2016, 1, 1), .fim = Dia(2016, 12, 31), .cfo = 1102, .novoCfo = 1403, .novoCfoComplementar = 300};
    ResultadoReparo r = NaThread([&] { return AlteraCfoEmLote(periodo, a); });
    EXPECT_EQ(r.erro, "O CFO Complementar 300 não cabe no campo ENT:CFOComplementar (até 255).");
    a.novoCfoComplementar = 0;
    r = NaThread([&] { return AlteraCfoEmLote(periodo, a, [](long long feito, long long) { return feito < 3; }); });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(Entradas(), antes);
}

TEST_F(AlteraCfoLoteTest, WindowAsksForTheCodeThenAsksBeforeChanging) {
    Movimentos();
    const auto antes = Entradas();
    StartUser();
    ui->Start("JanAltCFOLote");
    const int w = ui->WindowByCaption("Altera CFO em Lote");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Inicial")), "01/01/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Final")), "31/12/2016");
    ui->Press(ui->ByText(w, "&Gravar"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Informe o CFO Atual!!!");
    ui->Answer(1);
    ui->WaitIdle();

    ui->Type(ui->ByPrompt(w, "CFO Atual"), "1102");
    ui->Type(ui->ByPrompt(w, "Novo CFO"), "1403");
    ui->Press(ui->ByText(w, "&Gravar"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Deseja realmente alterar o CFO 1102/0 para 1403/0 nas entradas de 01/01/2016 a 31/12/2016?");
    EXPECT_EQ(ui->PendingMessageBox().defaultButton, 2);
    ui->Answer("&Não");
    ui->WaitIdle();
    EXPECT_EQ(Entradas(), antes);

    ui->Press(ui->ByText(w, "&Gravar"));
    ui->Answer("&Sim");
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());  // no closing message
    EXPECT_EQ(Entradas(), (std::vector<std::string>{"1:1403/0/0", "2:1403/0/0", "3:1102/1/0", "4:1403/0/0"}));
    EXPECT_TRUE(ui->HasWindow("Altera CFO em Lote"));
}

}  // namespace
}  // namespace vorel::maintenance::testing
