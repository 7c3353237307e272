// `CalculoAnualProdutos`: the annual recalculation of the working year's month records.
//
// One pass rebuilds, for every registered product, the balance records (`SaldosVorel`) of the
// twelve months of the working year at the product's current rate: a moving average over the
// year's entries, exits and "F" cash-register items, each applied by its CFOP's print column
// (`CFO:COLUNA`), starting from the previous year's December balance. Records of the product at
// another rate are left as they are. The deletions and the new records are one transaction: a run
// that fails or is cancelled leaves the year's records as they were.
//
// The valuation of one product is the pure `ValoraAnoProduto`, so it can be run from a table of
// cases; `CalculoAnualProdutos` reads the tables and writes the records. It runs on a thread whose
// table dictionary is set up, with the working company and year set.
//
//     SaldoAnual dezembro{...};
//     std::vector<MesAnual> meses = ValoraAnoProduto(dezembro, movimentos);   // the records to write
//     ResultadoAnual r = CalculoAnualProdutos(periodo, avisos);
#pragma once

#include <array>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"
#include "vorel/shell/period.h"

namespace vorel::computation {

class AvisosCalculo;

// A product's running stock: quantity, base and the unit value held with three places.
struct SaldoAnual {
    DecimalField<13, 3> quantidade{};
    DecimalField<11, 2> base{};
    DecimalField<13, 3> unitario{};
};

// One movement of the year: its month (1..12), its print column (0..9; a cash-register item of the
// totaliser "F" comes as column 2), its quantity and its own base.
struct MovimentoAnual {
    int mes = 1;
    int coluna = 0;
    Decimal quantidade;
    Decimal base;
};

// The month columns: exits of print columns 2..6 at average value, the own base of the column-2
// exits and the base of the column-7 entries.
enum ColunaAnual : int {
    kAnualUsuarioFinal,
    kAnualFatoNaoRealizado,
    kAnualIsenta,
    kAnualOutroEstado,
    kAnualSubsequente,
    kAnualConfUsuarioFinal,
    kAnualConfDemaisHipoteses,
    kColunasAnuais
};

// A month record to write: the month-end stock and the month's columns.
struct MesAnual {
    int mes = 1;
    SaldoAnual saldo;
    std::array<DecimalField<11, 2>, kColunasAnuais> colunas{};
};

// Values one product's year (movements in date order) from the previous December's balance and
// returns the month records to write: one for each month that has movements, January also when the
// December balance carries into it; a month ending with no stock and no exits of columns 2..6 is
// left out.
std::vector<MesAnual> ValoraAnoProduto(const SaldoAnual& dezembro, const std::vector<MovimentoAnual>& movimentos);

struct ResultadoAnual {
    std::string erro;        // UTF-8; empty when the run finished
    bool cancelado = false;
    long long produtos = 0;  // products recalculated
    bool ok() const { return erro.empty() && !cancelado; }
};

// The recalculation of every registered product over the year of `periodo` (its month is not
// read), from that year's files (progress: one step per product).
[[nodiscard]] ResultadoAnual CalculoAnualProdutos(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos);

}  // namespace vorel::computation
