// The product register listings: the four page reports `RelProdutosW01_Codigo`,
// `RelProdutosW01_Descricao`, `RelProdutosW02_Codigo`, `RelProdutosW02_Descricao` (all products, or
// those whose rate is exactly 0; by code or by description) and the `;` export
// "Relacao_Produtos.csv" of the window `JRelProdutos`. They read `Produtos` and the working
// company's `Empresa` record; the export writes only its own file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "vorel/report/outcome.h"
#include "vorel/report/page_model.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

enum class ModeloProdutos { Todos = 1, AliquotaZero = 2 };  // "Modelo 01", "Modelo 02"
enum class OrdemProdutos { Codigo = 1, Descricao = 2 };

// The report of a model and order, run to its previewer step on the caller's thread.
// `empresa` names the company in the page header.
void RelProdutos(ui::ProcContext& ctx, std::uint32_t empresa, ModeloProdutos modelo, OrdemProdutos ordem);
// Its pages, without the previewer (empty when no product passes).
report::Document DocumentoRelProdutos(std::uint32_t empresa, ModeloProdutos modelo, OrdemProdutos ordem);

// Writes every product of the register, in the order given, to `caminho` (a program path): the
// lines go to a new file beside the target, which replaces the target once every line and the
// close have succeeded. A failure leaves the target as it was and says what went wrong.
// `progresso(lidos, total)` hears every product written. `empresa` names the company in the heading.
report::Outcome ExportaProdutos(std::uint32_t empresa, std::string_view caminho, OrdemProdutos ordem,
                                const std::function<void(std::size_t, std::size_t)>& progresso = {});

}  // namespace vorel::listings
