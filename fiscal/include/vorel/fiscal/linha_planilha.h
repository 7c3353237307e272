// Where a row of the computation's work table stands on the monthly sheet, and with which sign it
// enters the totals: the sheet's pages and its `;` file place rows alike.
//
// The sheet has nineteen numbered columns: 01 date, 02-05 entries (number, series, quantity, base),
// 06-16 exits (number, series, quantity, unit value, five retention bases, two confrontation
// values), 17-19 the running balance. The kind of a row decides the placement: the opening balance,
// a CFO register column 1 to 9 for invoice rows, or "F" for cash-register rows. Rows whose CFO is
// not in the register, or whose column or rate field is unknown, print with empty values and take
// no part in the totals or the summary.
//
//   TipoLinha t = TipoDaLinha(esa, cfoEncontrado, cfo.COLUNA);
//   LinhaPlanilha l = ColocaLinha(esa, t);
//   totais.Soma(l);                         // added or subtracted as the row's sign says
//
// A pass over the work table that places its rows so reads only the fields placing uses:
//
//   LeSoCamposDaLinha(trabalho);            // before positioning the table
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/fiscal/colunas.h"

namespace vorel::dictionary {
struct EntradaSaidaVorelRec;
}
namespace vorel::data {
class FileManager;
}

namespace vorel::fiscal {

enum class TipoLinha : std::uint8_t {
    SaldoAnterior,  // ENTSAI 0: only the balance columns
    Pula,           // a movement without document number: neither printed nor counted
    Coluna,         // an invoice row, with the CFO register's print column (1 to 9)
    Caixa,          // a cash-register row ("F")
    Desconhecida,   // CFO not in the register, column outside 1..9, or an unknown rate field
};

struct Tipo {
    TipoLinha linha = TipoLinha::Desconhecida;
    std::uint8_t coluna = 0;  // 1..9 when linha is Coluna
};

// `cfoEncontrado`: the row's CFO and complement were found in the register, with print column `coluna`.
Tipo TipoDaLinha(const dictionary::EntradaSaidaVorelRec& esa, bool cfoEncontrado, std::uint8_t coluna);

// The CFO codes whose number prints among the entries even on an exit row.
bool NumeroNaEntrada(std::uint16_t cfo);

// Columns 10 to 16, in order.
inline constexpr std::size_t kValores = fiscal::kRetencoes;  // indexed by fiscal::Retencao

struct LinhaPlanilha {
    Tipo tipo;
    bool subtrai = false;
    date::Day data = 0;                      // 01 (0: blank)
    std::string entNumero, entSerie;         // 02, 03
    Decimal entQuantidade, entBase;          // 04, 05
    std::string saiNumero, saiSerie;         // 06, 07
    Decimal saiQuantidade, saiValUnitario;   // 08, 09
    std::array<Decimal, kValores> valores;   // 10 to 16
    Decimal saldoQuantidade, saldoValUnitario, saldoBase;  // 17, 18, 19
    bool Conta() const { return tipo.linha == TipoLinha::Coluna || tipo.linha == TipoLinha::Caixa; }
};

LinhaPlanilha ColocaLinha(const dictionary::EntradaSaidaVorelRec& esa, Tipo tipo);

// Makes the work table's reads fill only what a row's placement reads (TipoDaLinha, ColocaLinha,
// the CFO register's look-up) and its product: the other fields read blank until the table is
// positioned again after data::Cursor::read_every_field.
data::Result LeSoCamposDaLinha(data::FileManager& trabalho);

// The ten totals of a product's page footer (columns 04, 05, 08 and 10 to 16). Unbounded: a
// month's sums never overflow.
struct TotaisPlanilha {
    Decimal entQuantidade, entBase, saiQuantidade;
    std::array<Decimal, kValores> valores;
    // Adds (or subtracts) a counted row; other rows leave the totals as they are.
    void Soma(const LinhaPlanilha& l);
};

}  // namespace vorel::fiscal
