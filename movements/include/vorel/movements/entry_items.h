// Entry items (`EntradaVorel`) as the entry form `UEntradas` checks and writes them.
//
// - Checks of a confirmed item (the code rules `CfoDeSaida` and `CfoDoPeriodo` are the floor's,
//   vorel/fiscal/cfop.h): `EntradaRepetida` (same date, number, series, CFOP code and product
//   already stored), `UltimaEntradaFornecedorProduto` (the item being deleted is the year's last one
//   of its supplier and product).
// - `ProcuraBaseOrigem`: the bases a CFOP 1409 item takes from the latest earlier 1403/2403 entry of
//   the product, in the working year's file and then in the earlier years' files (each read through
//   a cursor of its own, `shell::OtherYearFile`; the working year and the table's name stay as they are).
// - What is written beside the item is the floor's, shared with the imports: the month balance mark
//   (vorel/fiscal/saldo_do_mes.h) and the supplier link, batch and rate history
//   (vorel/fiscal/cadastros_do_item.h). `EntryTables` opens the tables; call the steps inside one
//   transaction over `EntryTables::All()`, so the item and all that belongs to it are written
//   together or not at all.
//
//     EntryTables t;
//     data::Transaction tx(t.All());
//     if (tx.status().ok() && fiscal::RegistraCadastrosDaEntrada(t.vinculos, t.lotes, item, fornecedor).ok() &&
//         t.entradas.add().ok())
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
// item reached passed over), then in each earlier year's file of company `empresa` until a year
// has none (a file that does not open is passed over). `entradas0` is an open EntradaVorel0 cursor
// on that company's file of year `ano`. The entry form's search for the item being typed.
BaseOrigem ProcuraBaseOrigem(data::FileManager& entradas0, std::uint32_t empresa, int ano, const Decimal& produto,
                             date::Day data, const Decimal& quantidade);

// The invoice of a stored item: its date, series and number.
struct NotaDoItem {
    date::Day data = 0;
    std::string serie;
    std::uint32_t numero = 0;
};
// The same search for a stored item (the repair of stored 1409 items): every item reached is
// examined but the items of the item's own invoice and the sources of quantity 0, which are passed
// over (no proration from them).
BaseOrigem ProcuraBaseOrigem(data::FileManager& entradas0, std::uint32_t empresa, int ano, const Decimal& produto,
                             const NotaDoItem& nota, const Decimal& quantidade);

}  // namespace vorel::movements
