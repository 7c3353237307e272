// The batch CFOP change ("Altera CFO em Lote"): one CFOP code and complement replaced by another
// code, complement and complementary code on every entry item (a current code below 5000) or every
// exit item (5000 and up) dated within a period of a company's year.
//
// The items are walked in date order from the period's first day to its last, on a cursor of the
// year's file (`shell::AbreNoAno`); an item is chosen by its code and complement alone. The change
// is one transaction: a failed write, or the progress callback's false, leaves the file as it was.
// The complementary code is kept as a byte on entries and as its digits, left-aligned in two
// characters, on exits ("5 "); a value its field cannot hold is refused before anything is read.
//
//     AlteracaoCfo a{.inicio = ini, .fim = fim, .cfo = 1102, .novoCfo = 1403};
//     if (std::string e = ValorForaDoCampo(a); !e.empty()) ...show e
//     ResultadoReparo r = AlteraCfoEmLote(periodo, a, progresso);
#pragma once

#include <cstdint>
#include <string>

#include "vorel/core/date.h"
#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/period.h"

namespace vorel::maintenance {

struct AlteracaoCfo {
    date::Day inicio = 0;
    date::Day fim = 0;
    std::uint32_t cfo = 0;             // current code and complement: what is chosen
    std::uint16_t complemento = 0;
    std::uint32_t novoCfo = 0;         // what the chosen items get
    std::uint16_t novoComplemento = 0;
    std::uint16_t novoCfoComplementar = 0;
};

// Entries for a code below 5000, else exits.
inline bool AlteraEntradas(std::uint32_t cfo) { return cfo < 5000; }

// The first new value that the chosen side's field cannot hold, named with its field (UTF-8);
// "" when every one fits.
std::string ValorForaDoCampo(const AlteracaoCfo& a);

// The change over `ano`'s company and year (its month unused). `lidos` counts the items of the
// period read, `alterados` those rewritten.
[[nodiscard]] ResultadoReparo AlteraCfoEmLote(const shell::EmpresaPeriodo& ano, const AlteracaoCfo& a,
                                              const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
