// The balances of a chosen year and rate deleted, for every product or one: the repair of the
// window "ExcluirSaldoAliq". The year's balance file (`SaldoPro.Tps` of that year's folder) is
// opened at its path (the working year's and every other window's files stay as they are); a year
// without the file is a failure. With `historico`, the rate history (`ProdutosAliq`) of the same
// products is rewritten too: every row at 18 reopened (end date and change date emptied), every row
// at 17 deleted, whatever the chosen rate. Everything is one transaction: a failure or a cancel
// leaves the files as they were.
//
// The progress callback counts the balances read, then, for the history, the products read.
//
//     OpcoesSaldoAliquota o{.empresa = 1, .ano = 2015, .aliquota = Decimal(12), .todos = true};
//     ResultadoReparo r = ExcluiSaldosPorAliquota(o, andamento);
#pragma once

#include <cstdint>

#include "vorel/core/decimal.h"
#include "vorel/maintenance/resultado_reparo.h"

namespace vorel::maintenance {

struct OpcoesSaldoAliquota {
    std::uint32_t empresa = 0;
    int ano = 0;
    Decimal aliquota{};
    bool todos = false;      // every product; else `produto` only (none when 0: nothing is deleted)
    Decimal produto{};
    bool historico = false;  // rewrite the rate history's rows at 18 and 17
};

// The rates the history's rewrite reopens and deletes.
inline constexpr int kAliquotaReaberta = 18;
inline constexpr int kAliquotaExcluida = 17;

// `alterados` counts the balances deleted.
[[nodiscard]] ResultadoReparo ExcluiSaldosPorAliquota(const OpcoesSaldoAliquota& opcoes,
                                                      const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
