// The month's balance row that a movement marks for the monthly computation (`SaldosVorel`).
//
// Every save or delete of an invoice item (the entry, exit and cash-register forms) marks the
// product's balance row of the month it is written in (`competencia`, the working month the window
// passes): `SQEL:Situacao` 0 (touched, to be computed again), the row added with all else zero when it is
// missing; a delete also sets `SQEL:Exclusao` 1, so the computation takes the product along even
// when no movement of it remains. The row is (`SQEL:Produto` = the product code's plain digits,
// `SQEL:Competencia` = the first day of the month, `SQEL:Aliquota`). Call it inside the transaction
// that writes the item, so the mark and the item are written together or not at all.
//
//     data::Transaction tx({&entradas, &saldos});
//     if (!MarcaSaldoDoMes(saldos, item.CodMercadoria, competencia, item.Aliquota, false).ok()) ...
#pragma once

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"

namespace vorel::data {
class FileManager;
}

namespace vorel::fiscal {

// `saldos` is an open SaldosVorel; its buffer is used. Returns the first failed write.
data::Result MarcaSaldoDoMes(data::FileManager& saldos, const Decimal& produto, date::Day competencia,
                             const Decimal& aliquota, bool exclusao);

}  // namespace vorel::fiscal
