// Closing and reopening months: one record per month (company 0) and one log record per change.
#include <gtest/gtest.h>

#include "table_fixture.h"
#include <algorithm>

#include "vorel/data/dictionary.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/month_closing.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::shell {
namespace {

using dictionary::FechamentoEscritaRec;
using dictionary::LogEscritaRec;

struct Log {
    date::Day mes;
    int tipo;
    std::string usuario;
    friend bool operator==(const Log&, const Log&) = default;
};

class MonthClosing : public shell_test::TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        Point(dictionary::CaminhoFechamentoEscrita, "FecEscr.Tps");
        Point(dictionary::CaminhoLogEscrita, "LogEscr.Tps");
    }
    std::vector<std::pair<date::Day, int>> Fechados() {
        auto& f = data::dictionary::file(dictionary::FechamentoEscrita());
        EXPECT_EQ(f.open(), data::kNoError);
        std::vector<std::pair<date::Day, int>> out;
        (void)f.set(dictionary::keys::FEF_KEY_MESANO);
        while (f.next().ok()) out.emplace_back(f.rec<FechamentoEscritaRec>().MESANO, f.rec<FechamentoEscritaRec>().CODEMPRESA);
        (void)f.close();
        return out;
    }
    std::vector<Log> Logs() {
        auto& f = data::dictionary::file(dictionary::LogEscrita());
        EXPECT_EQ(f.open(), data::kNoError);
        std::vector<Log> out;
        (void)f.set(dictionary::keys::LOG1_KEY_LOG);
        while (f.next().ok()) {
            const auto& r = f.rec<LogEscritaRec>();
            EXPECT_EQ(r.CODEMP, 0);
            EXPECT_EQ(r.DATA, hoje_);
            out.push_back({r.MESANO, r.Tipo, std::string(r.USUARIO.clipped())});
        }
        (void)f.close();
        return out;
    }
    static date::Day M(int ano, int mes) { return date::make(ano, mes, 1); }
    date::Day hoje_ = date::make(2016, 4, 5);
    Autor Por(const char* usuario, date::Time hora) { return {usuario, hoje_, hora}; }
};

TEST_F(MonthClosing, ARangeAcrossAYearClosesEachMonthAndReopeningRemovesThem) {
    Alteracao a = FechaMeses(M(2015, 11), date::make(2016, 2, 17), Por("ANA", 100));
    ASSERT_EQ(a.erro, "");
    const std::vector<date::Day> quatro{M(2015, 11), M(2015, 12), M(2016, 1), M(2016, 2)};
    EXPECT_EQ(a.meses, quatro);
    EXPECT_EQ(Fechados(), (std::vector<std::pair<date::Day, int>>{{M(2015, 11), 0}, {M(2015, 12), 0}, {M(2016, 1), 0}, {M(2016, 2), 0}}));
    EXPECT_EQ(Logs(), (std::vector<Log>{{M(2015, 11), 1, "ANA"}, {M(2015, 12), 1, "ANA"}, {M(2016, 1), 1, "ANA"}, {M(2016, 2), 1, "ANA"}}));
    EXPECT_TRUE(MesFechado(date::make(2016, 1, 20)));
    EXPECT_FALSE(MesFechado(date::make(2016, 3, 1)));

    a = AbreMeses(M(2015, 11), M(2016, 2), Por("BIA", 200));
    ASSERT_EQ(a.erro, "");
    EXPECT_EQ(a.meses, quatro);
    EXPECT_TRUE(Fechados().empty());
    std::vector<Log> logs = Logs();
    ASSERT_EQ(logs.size(), 8u);
    EXPECT_EQ(std::count_if(logs.begin(), logs.end(), [](const Log& l) { return l.tipo == 0 && l.usuario == "BIA"; }), 4);
}

TEST_F(MonthClosing, OnlyChangesMadeAreLogged) {
    ASSERT_EQ(FechaMeses(M(2016, 2), M(2016, 2), Por("ANA", 100)).erro, "");
    // Closing 01..03 finds 02 closed already: two changes, two log records.
    Alteracao a = FechaMeses(M(2016, 1), M(2016, 3), Por("ANA", 200));
    ASSERT_EQ(a.erro, "");
    EXPECT_EQ(a.meses, (std::vector<date::Day>{M(2016, 1), M(2016, 3)}));
    EXPECT_EQ(Fechados().size(), 3u);
    EXPECT_EQ(Logs().size(), 3u);
    // Reopening 03..05 reopens only 03.
    a = AbreMeses(M(2016, 3), M(2016, 5), Por("ANA", 300));
    EXPECT_EQ(a.meses, (std::vector<date::Day>{M(2016, 3)}));
    EXPECT_EQ(Logs().size(), 4u);
    // One month: a closed month is refused without a log record.
    EXPECT_EQ(FechaMes(M(2016, 1), Por("ANA", 400)).erro, "Mês já está fechado");
    EXPECT_EQ(AbreMes(M(2016, 4), Por("ANA", 400)).erro, "Mês não está fechado");
    EXPECT_EQ(Logs().size(), 4u);
    ASSERT_EQ(AbreMes(M(2016, 1), Por("ANA", 500)).erro, "");
    EXPECT_EQ(Logs().size(), 5u);
    EXPECT_EQ(Fechados(), (std::vector<std::pair<date::Day, int>>{{M(2016, 2), 0}}));
}

TEST_F(MonthClosing, RangeChecks) {
    EXPECT_EQ(FechaMeses(0, M(2016, 1), Por("ANA", 1)).erro, "Preencha o Mês / Ano Inicial");
    EXPECT_EQ(AbreMeses(M(2016, 1), 0, Por("ANA", 1)).erro, "Preencha o Mês / Ano Final");
    EXPECT_EQ(FechaMeses(M(2016, 2), M(2016, 1), Por("ANA", 1)).erro, "Mês / Ano Inicial maior que Mês / Ano Final");
    EXPECT_TRUE(Fechados().empty());
    EXPECT_TRUE(Logs().empty());
    EXPECT_EQ(DescricaoLog(1), "Fechamento");
    EXPECT_EQ(DescricaoLog(0), "Abertura");
}

TEST_F(MonthClosing, AFailedWriteUndoesTheWholeRange) {
    // The same user at the same hundredth of a second: the second log record of 01/2016 collides
    // with the first, so the second run writes nothing at all.
    ASSERT_EQ(FechaMeses(M(2016, 1), M(2016, 1), Por("ANA", 100)).erro, "");
    ASSERT_EQ(AbreMeses(M(2016, 1), M(2016, 1), Por("ANA", 100)).erro, "");
    Alteracao a = FechaMeses(M(2015, 12), M(2016, 1), Por("ANA", 100));
    EXPECT_NE(a.erro, "");
    EXPECT_TRUE(a.meses.empty());
    EXPECT_TRUE(Fechados().empty());
    EXPECT_EQ(Logs().size(), 2u);
}

TEST_F(MonthClosing, MonthsPastTheCalendarAreRefusedAndRangesEndingAtItsLastMonthEnd) {
    // The month after 12/9999 has no date: a range reaching it never ran to its end before.
    struct Caso {
        const char* nome;
        Alteracao a;
        const char* erro;
    } casos[] = {
        {"close 12/9999", FechaMeses(M(9999, 12), M(9999, 12), Por("ANA", 1)), "Mês / Ano Final além de 11/9999"},
        {"reopen 12/9999", AbreMeses(M(9999, 12), M(9999, 12), Por("ANA", 1)), "Mês / Ano Final além de 11/9999"},
        {"range ending 12/9999", FechaMeses(M(9998, 1), date::make(9999, 12, 31), Por("ANA", 1)),
         "Mês / Ano Final além de 11/9999"},
        {"form, close", FechaMes(M(9999, 12), Por("ANA", 1)), "Mês / Ano além de 11/9999"},
        {"form, reopen", AbreMes(M(9999, 12), Por("ANA", 1)), "Mês / Ano além de 11/9999"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(c.a.erro, c.erro) << c.nome;
        EXPECT_TRUE(c.a.meses.empty()) << c.nome;
    }
    EXPECT_TRUE(Fechados().empty());
    EXPECT_TRUE(Logs().empty());

    Alteracao a = FechaMeses(M(9999, 10), M(9999, 11), Por("ANA", 1));
    ASSERT_EQ(a.erro, "");
    EXPECT_EQ(a.meses, (std::vector<date::Day>{M(9999, 10), M(9999, 11)}));
    ASSERT_EQ(AbreMeses(M(9999, 10), M(9999, 11), Por("ANA", 2)).erro, "");
    EXPECT_TRUE(Fechados().empty());
}

TEST_F(MonthClosing, ARangeStoppedOnTheWayWritesNothing) {
    int perguntas = 0;
    Alteracao a = FechaMeses(M(2000, 1), M(2016, 12), Por("ANA", 1), [&] { return ++perguntas > 30; });
    EXPECT_EQ(a.erro, "Fechamento interrompido: o programa está sendo encerrado. Nada foi gravado.");
    EXPECT_TRUE(a.meses.empty());
    EXPECT_EQ(perguntas, 31) << "asked before every month, and stops at once";
    EXPECT_TRUE(Fechados().empty());
    EXPECT_TRUE(Logs().empty());
}

}  // namespace
}  // namespace vorel::shell
