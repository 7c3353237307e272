// What an invoice item's write keeps up in the registers beside it, whoever writes the item (the
// entry and opening-balance forms, the entry, opening-balance and exit imports): the supplier-product
// link (`ForCliQel`), the product's batch (`LoteVorel`) and the product's rate history
// (`ProdutosAliq`, through `shell::AtualizaAliquotaProduto`). Call the steps inside the transaction
// that writes the item, on the caller's open tables; each returns the first failed write.
//
//     data::Transaction tx({&entradas, &vinculos, &lotes, &aliquotas, ...});
//     if (fiscal::RegistraCadastrosDaEntrada(vinculos, lotes, item, codigoFornecedor).ok() && entradas.add().ok())
//         (void)tx.commit();
#pragma once

#include <cstdint>
#include <string_view>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"

namespace vorel::data {
class FileManager;
}
namespace vorel::dictionary {
struct EntradaVorelRec;
}

namespace vorel::fiscal {

// The supplier-product link (`FCC:KEY:FORPROD`): whether it is stored; added when missing (nothing
// for supplier 0); removed when present.
bool VinculoExiste(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto);
data::Result VinculaFornecedorProduto(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto);
data::Result DesvinculaFornecedorProduto(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto);

// The batch types of `LTC:TIPO`.
inline constexpr std::uint8_t kLoteAnterior = 0;  // "0 - Anterior": carried in by an opening balance
inline constexpr std::uint8_t kLoteAtual = 1;     // "1 - Atual": came in through an entry

// The product's batch added with `tipo` when the product has no batch of that text of any type
// (`LTC:KEY:LOTEPROD`); a blank batch is recorded as well.
data::Result RegistraLote(data::FileManager& lotes, std::string_view lote, const Decimal& produto, std::uint8_t tipo);
// The product's batch added with `tipo` when the product has none of that text and type
// (`LTC:KEY:PRODLOTE`): the opening-balance form's rule, a batch may stand once per type.
data::Result RegistraLoteDoTipo(data::FileManager& lotes, std::string_view lote, const Decimal& produto,
                                std::uint8_t tipo);

// The rate-history rule, one for every movement that carries a rate: with the rate in force on
// the item's date `vigente` (held with 3 decimals) and the change date `alteracao` of the history
// row that gave it, the item's rate is recorded when it differs, or when it is the same and the
// item's date is later than the change date (which raises the change date, or starts the rate's
// period in a later month).
bool HistoricoAliquotaMuda(const Decimal& vigente, date::Day alteracao, const Decimal& aliquota, date::Day data);
// The rule over the product's history: nothing when the product or the rate is not above 0;
// else `shell::AliquotaProdutoData` (flag 1) gives the rate in force and its change date, and
// `shell::AtualizaAliquotaProduto` records the item's rate when `HistoricoAliquotaMuda` says so.
data::Result AtualizaHistoricoAliquota(const Decimal& produto, date::Day data, const Decimal& aliquota);

// For an entry item being inserted or changed: the link of its supplier (`fornecedor`, its register
// code, 0 for none) and product, its batch (type 1) and the rate history, in that order.
data::Result RegistraCadastrosDaEntrada(data::FileManager& vinculos, data::FileManager& lotes,
                                        const dictionary::EntradaVorelRec& item, std::uint32_t fornecedor);

}  // namespace vorel::fiscal
