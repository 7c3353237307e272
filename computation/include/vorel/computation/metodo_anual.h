// The annual method ("Modelo 5"): the working year's month records summed by rate, with the
// previous year's closing stock base and the year's entries, into the sixteen lines of the sheet
// "MÉTODO ANUAL - APURAÇÃO DO IMPOSTO A SER COMPLEMENTADO OU RESSARCIDO", its totals column and the
// balance of tax to complement or to reimburse.
//
// `VerificaSaldosAnual` reads the tables into one `TaxaAnual` per rate (the summary the sheet reads,
// kept in memory for the one run); `ApuraMetodoAnual` is the sheet's arithmetic, pure.
//
//     std::vector<TaxaAnual> taxas;
//     if (auto erro = VerificaSaldosAnual(periodo, taxas); !erro.empty()) ...
//     MetodoAnual m = ApuraMetodoAnual(taxas);   // m.colunas: the rates printed, m.totais, m.IMPCOMPL
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"
#include "vorel/shell/period.h"

namespace vorel::computation {

// The year's figures of one rate (lines 1 to 6, 8, 10 and 11 of the sheet).
struct TaxaAnual {
    DecimalField<5, 2> PERCENTUAL{};
    DecimalField<13, 2> SALDOANTERIOR{};         // 1: previous year's December stock base
    DecimalField<13, 2> ENTRADAEXDEVO{};         // 2: entries other than returns (CFO 177, 178)
    DecimalField<13, 2> ENTRADAOUTEST{};         // 3: SQEL:CalcOutUF
    DecimalField<13, 2> RETFINALISENTA{};        // 4: SQEL:CalcIsenta
    DecimalField<13, 2> RETFINALFGNREALISADO{};  // 5: SQEL:CalcFGNRealisado
    DecimalField<13, 2> BASEESTFINAL{};          // 6: stock base of the working month
    DecimalField<13, 2> BASEREVENDA{};           // 8: nothing is added to it
    DecimalField<13, 2> RETCONSAIDAUSUFINAL{};   // 10: SQEL:ConfUsuFinal
    DecimalField<13, 2> BASEENTDEVOLUCAO{};      // 11: never filled
    DecimalField<13, 2> RETCONDEMHIP{};          // not printed: SQEL:ConfDemHip
};

inline constexpr int kLinhasMetodoAnual = 16;
using LinhasMetodoAnual = std::array<DecimalField<13, 2>, kLinhasMetodoAnual>;  // line n at [n - 1]

struct ColunaMetodoAnual {
    Decimal percentual;
    LinhasMetodoAnual linhas{};
};

struct MetodoAnual {
    std::vector<ColunaMetodoAnual> colunas;  // the rates printed, ascending
    LinhasMetodoAnual totais{};
    DecimalField<13, 2> IMPCOMPL{};  // SALDO DO IMPOSTO A SER COMPLEMENTADO (total 15 - 16, when above 0)
    DecimalField<13, 2> IMPRESS{};   // SALDO DO IMPOSTO A SER RESSARCIDO (total 16 - 15, when above 0)
};

// The sixteen lines of one rate.
LinhasMetodoAnual LinhasDaTaxa(const TaxaAnual& t);

// The sheet of the rates given (in any order): a rate all of whose sixteen lines are 0 is neither
// printed nor totalled.
MetodoAnual ApuraMetodoAnual(const std::vector<TaxaAnual>& taxas);

// Sums the month records of `periodo`'s year by rate (ascending), up to its month. A product-month's entries are counted
// once: under its record at the product's rate for that month, else under its first record read.
// `progresso` is told (done, all) per month record summed, all being the records of the balances
// file. Returns the error (UTF-8) of a table that could not be read, else "".
[[nodiscard]] std::string VerificaSaldosAnual(const shell::EmpresaPeriodo& periodo, std::vector<TaxaAnual>& taxas,
                                              const std::function<void(long long, long long)>& progresso = {});

}  // namespace vorel::computation
