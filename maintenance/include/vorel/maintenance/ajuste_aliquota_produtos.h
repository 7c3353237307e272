// The rebuild of selected products' rate history ("Ajustar alíquota do cadastro de Produtos
// conforme Lançamentos de Entrada"). Both ways first delete every history row of the product, then
// add rows again through `shell::AtualizaAliquotaProduto` (a rate's row opens on the first day of
// its entry's month and closes the product's open rows on the last day of the month before):
// - by the entries: each change of rate among the product's entries of the years `anoInicial` to
//   `anoFinal`, read from each year's entries file on a cursor of the run (a missing year is passed
//   over; the working year's file and name variables are never moved);
// - by the fixed rule, for a product that had rows: its own rate from 01/04/2008, 18 from
//   01/12/2010 (unless its rate is 18), and each change of rate among its 2014 entries dated from
//   01/04/2014 on. A product without rows is left as it is.
//
// Each product is one transaction holding the deletion and the rows added: a failure, or the
// progress callback's false, rolls back the product in hand and stops; the products done before
// stay rebuilt. A start year after the end year is refused before anything is deleted.
//
//     ResultadoReparo r = AjustaAliquotasPelasEntradas(1, selecao, 2012, 2013, progresso);
#pragma once

#include <cstdint>
#include <vector>

#include "vorel/core/decimal.h"
#include "vorel/maintenance/resultado_reparo.h"

namespace vorel::maintenance {

// A selected product: its code and its rate in the register when it was selected.
struct ProdutoDoAjuste {
    Decimal codigo;
    Decimal aliquota;
};

// The progress hears (history rows deleted and entries read, products selected); `lidos` ends as
// that count and `alterados` as the products rebuilt.
[[nodiscard]] ResultadoReparo AjustaAliquotasPelasEntradas(std::uint32_t empresa, const std::vector<ProdutoDoAjuste>& selecao,
                                                           int anoInicial, int anoFinal,
                                                           const ProgressoReparo& progresso = {});
[[nodiscard]] ResultadoReparo AjustaAliquotasPelaRegra(std::uint32_t empresa, const std::vector<ProdutoDoAjuste>& selecao,
                                                       const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
