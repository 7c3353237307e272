// Exit items (`SaidaVorel`) as the program checks and writes them, with or without a window: the
// exit form `Usaidas` and the exit imports call the same steps.
//
// - `ValorSaidaNaData`: the product's exit unit value in force on a date (`TabelaValorProdutoSaida`,
//   the record with the latest date not after it), from which `BaseAutomaticaSaida` makes the
//   automatic base: quantity × value.
// - The checks of a confirmed exit: `ColunaDoCfo` (the sheet column of code and complement; 1 and 7
//   are entry columns, `ColunaDeEntrada`), `SaidaRepetida` (same date, number, series, CFOP code and
//   product already stored) and `LoteAceito` (with lots required, the lot must be registered for
//   the product); the code's working year is `CfoDoPeriodo` of entry_items.h.
// - What is written beside the item, inside the caller's transaction, is the month balance mark
//   `MarcaSaldoDoMes` (month_balance.h) and, from the form, the counting lines.
//
//     data::Transaction tx({&saidas, &saldos});
//     if (tx.status().ok() && MarcaSaldoDoMes(saldos, item.CodMercadoria, competencia, item.Alicota, false).ok() &&
//         saidas.add().ok())
//         (void)tx.commit();
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"

namespace vorel::data {
class FileManager;
}
namespace vorel::dictionary {
struct SaidaVorelRec;
}

namespace vorel::movements {

// `valores` is an open TabelaValorProdutoSaida; its buffer is used for the search.
std::optional<Decimal> ValorSaidaNaData(data::FileManager& valores, const Decimal& produto, date::Day data);
// Quantity × the value in force on the item's date; nullopt when the product has no value by then.
std::optional<Decimal> BaseAutomaticaSaida(data::FileManager& valores, const dictionary::SaidaVorelRec& item);

// The sheet column (`CFO:COLUNA`) of a code and complement, by `CFO:KEY:CFO`; nullopt when the
// code is not registered. `cfo` is an open CFO table.
std::optional<std::uint8_t> ColunaDoCfo(data::FileManager& cfo, int codigo, int complemento);
// Columns 1 ("CFO Entrada") and 7 ("Entradas Demais Hipóteses") are entry columns.
inline bool ColunaDeEntrada(std::uint8_t coluna) { return coluna == 1 || coluna == 7; }

// Another item with the item's date, number, series, CFOP code and product is stored
// (`SAI0:KEY:DATANUMSERIECFOPROD`); `saidas0` is an open SaidaVorel0 cursor.
bool SaidaRepetida(data::FileManager& saidas0, const dictionary::SaidaVorelRec& item);

// With `loteObrigatorio` (BComuns\Vorel.ini [Parametros] Lote 1), a `LoteVorel` record of this lot
// and product must exist (any type); without it every lot, blank included, passes.
bool LoteAceito(data::FileManager& lotes, bool loteObrigatorio, std::string_view lote, const Decimal& produto);

}  // namespace vorel::movements
