// `AliquotaProdutoData`: the ICMS tax-substitution rate of a product on a given day.
//
// The rate comes from the product's rate history (`ProdutosAliq`, in the order of
// PALIQ:Key:Data_Inicial: the first row that covers the day wins; a row with DATA_FINAL 0 is open
// to the end), with the product's own rate `PRO:Alicota` as the fallback (found by code, else by a
// nickname equal to the code's digits). With the office parameter GLO:USAALIQPRODUTO = 1, or a
// date 0, the history is not consulted. With `devolveData` 1 the date argument receives the change
// date (DATA_ALTERACAO) of the covering row.
//
// It reads through the calling thread's own cursors (its table dictionary's `ProdutosAliq` and
// `Produtos0`): two threads asking at once never disturb each other's position or buffer, and the
// caller's `Produtos` buffer is left untouched. The tables are opened and closed again per call.
//
//     date::Day dia = item.DataEmissao;
//     Decimal aliquota = AliquotaProdutoData(produto, dia, 1);   // dia: the change date found
#pragma once

#include <cstdint>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"

namespace vorel::shell {

// Reads GLO_USAALIQPRODUTO for the office's choice.
Decimal AliquotaProdutoData(const Decimal& produto, date::Day& data, std::uint8_t devolveData);
// The same with the office's choice given (1: only the product's own rate).
Decimal AliquotaProdutoData(const Decimal& produto, date::Day& data, std::uint8_t devolveData,
                            std::uint8_t usaAliquotaProduto);

}  // namespace vorel::shell
