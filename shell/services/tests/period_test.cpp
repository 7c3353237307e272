// UltimoDiaMes across leap years, and the working period's defaults and limits.
#include <gtest/gtest.h>

#include "vorel/shell/period.h"

namespace vorel::shell {
namespace {

TEST(Period, UltimoDiaMes) {
    struct Caso {
        date::Ymd dia, ultimo;
    } casos[] = {
        {{2016, 2, 1}, {2016, 2, 29}},   {{2016, 2, 29}, {2016, 2, 29}}, {{2015, 2, 10}, {2015, 2, 28}},
        {{2000, 2, 15}, {2000, 2, 29}},  // divisible by 400: leap
        {{1900, 2, 15}, {1900, 2, 28}},  // divisible by 100 only: not leap
        {{2100, 2, 1}, {2100, 2, 28}},   {{2016, 12, 15}, {2016, 12, 31}}, {{2015, 12, 31}, {2015, 12, 31}},
        {{2016, 1, 31}, {2016, 1, 31}},  {{2016, 4, 1}, {2016, 4, 30}},   {{2016, 11, 30}, {2016, 11, 30}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.dia.year) + "-" + std::to_string(c.dia.month) + "-" + std::to_string(c.dia.day));
        EXPECT_EQ(date::split(UltimoDiaMes(date::make(c.dia.year, c.dia.month, c.dia.day))), c.ultimo);
    }
    // Every day of February 2016 ends on the 29th.
    for (int d = 1; d <= 29; ++d) EXPECT_EQ(UltimoDiaMes(date::make(2016, 2, d)), date::make(2016, 2, 29));
    EXPECT_EQ(UltimoDiaMes(0), 0);
}

TEST(Period, DefaultsComeFromTheDayTheProgramStarted) {
    const date::Day hoje = date::make(2016, 3, 15);
    auto p = PeriodoPadrao(0, 0, hoje);
    EXPECT_EQ(p.ano, 2016);
    EXPECT_EQ(p.mes, 3);
    p = PeriodoPadrao(2014, 0, hoje);  // a year already set stays; only the month is proposed
    EXPECT_EQ(p.ano, 2014);
    EXPECT_EQ(p.mes, 3);
    p = PeriodoPadrao(0, 11, hoje);
    EXPECT_EQ(p.ano, 2016);
    EXPECT_EQ(p.mes, 11);
    p = PeriodoPadrao(2015, 7, hoje);
    EXPECT_EQ(p.ano, 2015);
    EXPECT_EQ(p.mes, 7);
}

TEST(Period, LimitsOfTheWorkingMonth) {
    auto l = Limites(2016, 2);
    EXPECT_EQ(l.inicio, date::make(2016, 2, 1));
    EXPECT_EQ(l.fim, date::make(2016, 2, 29));
    l = Limites(2015, 12);
    EXPECT_EQ(l.inicio, date::make(2015, 12, 1));
    EXPECT_EQ(l.fim, date::make(2015, 12, 31));
}

}  // namespace
}  // namespace vorel::shell
