// The working period's arithmetic: the last day of a month, the period's defaults and its first
// and last day. Pure functions over day numbers (vorel/core/date.h).
//
//     date::Day fim = UltimoDiaMes(date::make(2016, 2, 10));      // 29 February 2016
//     Periodo p = PeriodoPadrao(0, 0, DataHoje.Get());              // today's year and month
#pragma once

#include "vorel/core/date.h"

namespace vorel::shell {

// The last day of `data`'s month; 0 for no date.
date::Day UltimoDiaMes(date::Day data);

struct Periodo {
    int ano = 0;  // four digits, 0 = none
    int mes = 0;  // 1..12, 0 = none
};
// The period window's proposal: a year 0 becomes `hoje`'s year, a month 0 `hoje`'s month.
Periodo PeriodoPadrao(int ano, int mes, date::Day hoje);

struct LimitesPeriodo {
    date::Day inicio = 0;  // InicioPeriodo: day 1 of the month
    date::Day fim = 0;     // FimPeriodo: its last day
};
LimitesPeriodo Limites(int ano, int mes);

}  // namespace vorel::shell
