// The columns of the monthly stock-control sheet that a movement's CFOP code leads to, as the
// monthly computation, the sheets and the movement forms name them.
//
// - `Coluna`: the print column of the CFO register (`CFO:COLUNA`, 1 to 9) that decides how a
//   movement row values the stock, plus the cash-register rule; the computation's rules and the
//   management sheet's own valuation switch over it.
// - `Retencao`: the seven results of a row, sheet columns 10 to 16 in order (the work table's
//   SAICONSFINAL .. CONFENTRADASDEMHIP), as indices of a row's array of results.
//
//     switch (coluna) { case fiscal::kIsenta: valores[fiscal::kValIsenta] = ...; }
#pragma once

#include <cstddef>

namespace vorel::fiscal {

// The rule a row follows: a sheet column 1..9, the cash-register rule, or none.
enum Coluna : int {
    kSemRegra = 0,
    kEntradas = 1,
    kConsumidorFinal = 2,
    kFatoGeradorNaoRealizado = 3,
    kIsenta = 4,
    kOutroEstado = 5,
    kSubsequente = 6,
    kEntradasDemaisHipoteses = 7,
    kDevolucaoCompras = 8,
    kDevolucaoEstoque = 9,
    kCaixa = 10,  // a cash-register item of the tax-substitution totaliser "F"
};

// Columns 1 ("CFO Entrada") and 7 ("Entradas Demais Hipóteses") take entries; the others exits.
inline bool ColunaDeEntrada(int coluna) { return coluna == kEntradas || coluna == kEntradasDemaisHipoteses; }

// Whether a row of that column and code enters the month's totals subtracted (else added): a
// purchase return (column 8), a code of `SubtraidoDosTotais`, or an entry code in column 2.
bool SubtraiDosTotais(int coluna, int cfo);

// A row's seven results: sheet columns 10 to 16, in order.
enum Retencao : std::size_t {
    kValConsumidorFinal = 0,        // 10
    kValFatoGeradorNaoRealizado,    // 11
    kValIsenta,                     // 12
    kValOutroEstado,                // 13
    kValSubsequente,                // 14
    kValConfUsuarioFinal,           // 15: confrontation, final consumer
    kValConfDemaisHipoteses,        // 16: confrontation, the other cases
    kRetencoes                      // how many
};

}  // namespace vorel::fiscal
