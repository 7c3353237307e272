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
// caller's `Produtos` buffer is left untouched. The tables are opened and closed again per call,
// unless a run holds them open (`AliquotasAbertas`): a call then reads where they stand.
//
//     date::Day dia = item.DataEmissao;
//     Decimal aliquota = AliquotaProdutoData(produto, dia, 1);   // dia: the change date found
#pragma once

#include <cstdint>

#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/shell/period.h"

namespace vorel::shell {

// Reads GLO_USAALIQPRODUTO for the office's choice.
Decimal AliquotaProdutoData(const Decimal& produto, date::Day& data, std::uint8_t devolveData);
// The same with the office's choice given (1: only the product's own rate).
Decimal AliquotaProdutoData(const Decimal& produto, date::Day& data, std::uint8_t devolveData,
                            std::uint8_t usaAliquotaProduto);

// Holds the calling thread's cursors that `AliquotaProdutoData` reads open for a run at the files
// of the period's company (`AbreNoAno`), so its calls neither open nor close them and read that
// company's rates; closed again when it goes. Opening stops at the first table that fails:
// `aberta()` is that failure and `tabela()` names it (last_error() still holds its text).
//
//     AliquotasAbertas aliquotas(periodo);
//     if (!aliquotas.aberta().ok()) ...report "Abrindo " + aliquotas.tabela()
class AliquotasAbertas {
public:
    explicit AliquotasAbertas(const EmpresaPeriodo& periodo);
    ~AliquotasAbertas();
    AliquotasAbertas(const AliquotasAbertas&) = delete;
    AliquotasAbertas& operator=(const AliquotasAbertas&) = delete;

    const data::Result& aberta() const { return aberta_; }
    const std::string& tabela() const { return tabela_; }
    // The cursors it holds open (for a run's read lock or page cache).
    const std::vector<data::FileManager*>& tabelas() const { return abertas_; }

private:
    std::vector<data::FileManager*> abertas_;
    data::Result aberta_;
    std::string tabela_;
};

}  // namespace vorel::shell
