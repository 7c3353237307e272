// The products' rate history kept by the movements (`AtualizaAliquotaProduto`) and by the batch
// change of the product register (`MudaAliquotaDesde`).
//
// Called by the entry-item form, the entry imports and the batch rate adjustment when a movement
// carries a rate for a product. The product is found by its code, else by a `PRO:Apelido` equal to
// the code written as a whole number; a product found neither way writes nothing. Then, per rate
// and month: a row of this rate that starts on the first day of the date's month only has its
// change date raised to the movement's date; otherwise every open row of the product is closed on
// the last day of the previous month and a new open row (next code of the file, the rate, the first
// day of the month, the date as change date) is added. Finding the next code, closing and adding are
// one transaction on `ProdutosAliq`, so two threads or program copies never take the same code and
// a failure leaves the rows as they were.
//
// It opens `Produtos` and `ProdutosAliq` through the calling thread's dictionary and closes them
// again; it leaves the product found in the `Produtos` buffer and the row written or found in the
// `ProdutosAliq` buffer. Called inside a transaction of the thread that holds `ProdutosAliq` (the
// entry item's), its own transaction nests and the rows are written with the item or not at all.
// Returns the first failed write's code (kNoError for an unknown product: nothing to write).
//
//     if (!AtualizaAliquotaProduto(item.CodMercadoria, item.DataEntrada, item.Aliquota).ok()) ...
#pragma once

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"

namespace vorel::shell {

data::Result AtualizaAliquotaProduto(const Decimal& codigoProduto, date::Day data, const Decimal& aliquota);

// The batch change of the product register: from `desde` on, product `produto`'s rate is
// `aliquota`. Every open row of the product (no end date) of another rate ends on the day before
// `desde`, with `hoje` as its change date; when one was closed, the product's row of `aliquota`
// from `desde` is added open (the file's next code, no change date), or reopened when it exists.
// A product without an open row, or whose open rows all carry `aliquota`, gets no row.
// `comAberta` tells whether the product had an open row (the register's rate follows only then).
// Reads and writes through `aliq`, a cursor the caller holds open on `ProdutosAliq`, inside the
// caller's transaction; returns the first failed read or write's code.
data::Result MudaAliquotaDesde(data::FileManager& aliq, const Decimal& produto, date::Day desde, const Decimal& aliquota,
                               date::Day hoje, bool& comAberta);

}  // namespace vorel::shell
