// The working period's arithmetic: the last day of a month, the period's defaults and its first
// and last day. Pure functions over day numbers (vorel/core/date.h).
//
// `EmpresaPeriodo` is a company's month as a value: what every library call that works on a month
// (a computation, a sheet, a report, a clean-up) takes from its caller. Windows fill it from the
// working context (`PeriodoDeTrabalho`, working_context.h) and pass it down; below the windows no
// code reads the working company and period from the globals.
//
//     date::Day fim = UltimoDiaMes(date::make(2016, 2, 10));      // 29 February 2016
//     Periodo p = PeriodoPadrao(0, 0, DataHoje.Get());              // today's year and month
//     EmpresaPeriodo fev{.empresa = 1, .ano = 2016, .mes = 2};      // fev.Inicio() .. fev.Fim()
#pragma once

#include <cstdint>

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

struct EmpresaPeriodo {
    std::uint32_t empresa = 0;  // EMP:Codigo
    int ano = 0;                // four digits
    int mes = 0;                // 1..12
    date::Day Inicio() const { return date::first_of_month(ano, mes); }
    date::Day Fim() const { return UltimoDiaMes(Inicio()); }
    // The month before, in the year before for January.
    EmpresaPeriodo Anterior() const { return mes == 1 ? EmpresaPeriodo{empresa, ano - 1, 12} : EmpresaPeriodo{empresa, ano, mes - 1}; }
    bool operator==(const EmpresaPeriodo&) const = default;
};

}  // namespace vorel::shell
