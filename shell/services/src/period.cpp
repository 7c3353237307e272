// UltimoDiaMes and the working period's defaults and limits.
#include "vorel/shell/period.h"

namespace vorel::shell {

date::Day UltimoDiaMes(date::Day data) {
    if (data <= 0) return 0;
    date::Ymd d = date::split(data);
    // Day 1 of the next month (1 January of the next year after December), minus one day.
    if (d.month == 12) return date::make(d.year + 1, 1, 1) - 1;
    return date::make(d.year, d.month + 1, 1) - 1;
}

Periodo PeriodoPadrao(int ano, int mes, date::Day hoje) {
    Periodo p{ano, mes};
    if (hoje > 0) {
        if (p.ano == 0) p.ano = date::year(hoje);
        if (p.mes == 0) p.mes = date::month(hoje);
    }
    return p;
}

LimitesPeriodo Limites(int ano, int mes) {
    LimitesPeriodo l;
    l.inicio = date::make(ano, mes, 1);
    l.fim = UltimoDiaMes(l.inicio);
    return l;
}

}  // namespace vorel::shell
