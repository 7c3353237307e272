// Exit items (`SaidaVorel`) as the program checks and writes them, with or without a window: the
// exit form `Usaidas` and the exit imports call the same steps.
//
// - `ValorSaidaNaData`: the product's exit unit value in force on a date (`TabelaValorProdutoSaida`,
//   the record with the latest date not after it), from which `BaseAutomaticaSaida` makes the
//   automatic base: quantity × value.
// - The checks of a confirmed exit: the sheet column of code and complement (`fiscal::ColunaDoCfo`;
//   `fiscal::ColunaDeEntrada` for columns 1 and 7), `SaidaRepetida` (same date, number, series, CFOP code and
//   product already stored) and `LoteAceito` (with lots required, the lot must be registered for
//   the product); the code's working year is `fiscal::CfoDoPeriodo`.
// - What is written beside the item, inside the caller's transaction, is the month balance mark
//   `fiscal::MarcaSaldoDoMes` (vorel/fiscal/saldo_do_mes.h) and, from the form, the counting lines.
//
//     data::Transaction tx({&saidas, &saldos});
//     if (tx.status().ok() && fiscal::MarcaSaldoDoMes(saldos, item.CodMercadoria, competencia, item.Alicota, false).ok() &&
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

// Another item with the item's date, number, series, CFOP code and product is stored
// (`SAI0:KEY:DATANUMSERIECFOPROD`); `saidas0` is an open SaidaVorel0 cursor.
bool SaidaRepetida(data::FileManager& saidas0, const dictionary::SaidaVorelRec& item);

// With `loteObrigatorio` (BComuns\Vorel.ini [Parametros] Lote 1), a `LoteVorel` record of this lot
// and product must exist (any type); without it every lot, blank included, passes.
bool LoteAceito(data::FileManager& lotes, bool loteObrigatorio, std::string_view lote, const Decimal& produto);

}  // namespace vorel::movements
