// Entry items (`EntradaVorel`) as the program checks and writes them, with or without a window: the
// entry form `UEntradas` and the entry imports call the same steps.
//
// - Checks of a confirmed item: `CfoDeSaida` (an exit code typed on an entry), `CfoDoPeriodo`
//   (three-digit codes up to 2002, four-digit codes from 2003), `EntradaRepetida` (same date,
//   number, series, CFOP code and product already stored), `UltimaEntradaFornecedorProduto` (the
//   item being deleted is the year's last one of its supplier and product).
// - `ProcuraBaseOrigem`: the bases a CFOP 1409 item takes from the latest earlier 1403/2403 entry of
//   the product, in the working year's file and then in the earlier years' files (each read through
//   a cursor of its own, `shell::OtherYearFile`; the working year and the table's name stay as they are).
// - What is written beside the item (`EntryTables` opens the tables; call the steps inside one
//   transaction over `EntryTables::All()`, so the item and all that belongs to it are written together
//   or not at all): `MarcaSaldoDoMes` (month_balance.h), `VinculaFornecedorProduto` /
//   `DesvinculaFornecedorProduto` (`ForCliQel`), `RegistraLoteEntrada` (`LoteVorel`, type 1),
//   `AtualizaHistoricoAliquota` (the product's rate history), and `RegistraCadastrosDaEntrada`, the
//   three of them in the form's order for an item being inserted or changed.
//
//     EntryTables t;
//     data::Transaction tx(t.All());
//     if (tx.status().ok() && RegistraCadastrosDaEntrada(t, item, codigoFornecedor).ok() && t.entradas.add().ok())
//         (void)tx.commit();
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"

namespace vorel::data {
class FileManager;
}
namespace vorel::dictionary {
struct EntradaVorelRec;
}

namespace vorel::movements {

// "Você está fazendo um Lançamento de Entrada com um CFO de Saída!!!": a code up to 999 that is 500
// or more, or a code above 999 that is 5000 or more.
inline bool CfoDeSaida(unsigned codigo) { return codigo <= 999 ? codigo >= 500 : codigo >= 5000; }
// A code up to 999 belongs to working years up to 2002, a code above 999 to years from 2003.
inline bool CfoDoPeriodo(unsigned codigo, int ano) { return codigo <= 999 ? ano <= 2002 : ano >= 2003; }
// The codes of returns, for which the form asks the origin invoice.
bool CfoDeDevolucao(unsigned codigo);

// The tables an entry item's write touches, opened through the thread's dictionary for the life of
// the object (the working year's files): the item's own table and its alias, the month balances,
// the counting lines, the supplier-product links, the lots, the products and their rate history.
class EntryTables {
public:
    EntryTables();
    ~EntryTables();
    EntryTables(const EntryTables&) = delete;
    EntryTables& operator=(const EntryTables&) = delete;

    // The first open that failed (its file in the thread's last error), kNoError when all opened.
    data::Result status() const { return status_; }
    // Every table, for the transaction of a write.
    std::vector<data::FileManager*> All();

    data::FileManager& entradas;
    data::FileManager& entradas0;
    data::FileManager& saldos;
    data::FileManager& quantidades;
    data::FileManager& vinculos;
    data::FileManager& lotes;
    data::FileManager& produtos;
    data::FileManager& aliquotas;

private:
    std::vector<data::FileManager*> opened_;
    data::Result status_;
};

// Another item with the item's date, number, series, CFOP code and product is stored
// (`ESPENT:KEY:DATANUMSERIECFOPROD`); `entradas0` is an open EntradaVorel0 cursor.
bool EntradaRepetida(data::FileManager& entradas0, const dictionary::EntradaVorelRec& item);

// No other item of the year holds this CNPJ and product: reading `ESPENT:KEY:FORCLIPROD` from the
// pair finds at most one item (the one being deleted).
bool UltimaEntradaFornecedorProduto(data::FileManager& entradas0, std::string_view cnpj, const Decimal& produto);

// The bases taken from an earlier 1403/2403 entry, prorated to the item's quantity and stored with
// two decimals; `encontrada` false leaves both 0.
struct BaseOrigem {
    bool encontrada = false;
    Decimal base, basePropria;
    int ano = 0;  // the year whose file held the entry
};
// The product's items read backwards from (product, date) in the working year's file (the first
// item reached passed over), then in each earlier year's file of the working company until a year
// has none. `entradas0` is an open EntradaVorel0 cursor on the working year's file, `ano` that year.
BaseOrigem ProcuraBaseOrigem(data::FileManager& entradas0, int ano, const Decimal& produto, date::Day data,
                             const Decimal& quantidade);

// The supplier-product link (`ForCliQel`) added when missing, or removed when present.
data::Result VinculaFornecedorProduto(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto);
data::Result DesvinculaFornecedorProduto(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto);
bool VinculoExiste(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto);

// A lot of an entry (`LoteVorel` type 1) added when the product has no lot of that number (of any
// type); a blank lot is recorded as well.
data::Result RegistraLoteEntrada(data::FileManager& lotes, std::string_view lote, const Decimal& produto);

// The product's rate history, when product and rate are both above 0: the rate in force on the
// date (and the change date of its row) is looked up; a different rate, or the same rate confirmed
// by a later date, is recorded with `AtualizaAliquotaProduto`.
data::Result AtualizaHistoricoAliquota(const Decimal& produto, date::Day data, const Decimal& aliquota);

// For an item being inserted or changed: the link of its supplier (`fornecedor`, its register code)
// and product, its lot and the rate history, in that order. Inside the caller's transaction over
// `tables.All()`; returns the first failed write.
data::Result RegistraCadastrosDaEntrada(EntryTables& tables, const dictionary::EntradaVorelRec& item,
                                        std::uint32_t fornecedor);

}  // namespace vorel::movements
