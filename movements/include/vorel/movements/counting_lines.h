// The counting lines of an invoice (table QuantidadeVorel): an item's quantity built from package
// lines, "Unitário" units per package times "Quantidade" packages, one line per package size; on
// entries each line also carries the product value and a margin whose product builds the base.
//
// The lines belong to an invoice (date, number, series, CNPJ) and its kind ("E" entries, "S"
// exits), not to one item: the items of one invoice and kind share one set, which stays while any
// of those items remains; deleting the last item removes them, and an item moved to another
// invoice takes them along only when no item is left on the old one.
//
// The entry and exit forms call, in this order:
//   1. `Load` when they open on an item (change, delete): its invoice's lines of the kind;
//   2. `Record` when the last line field is left: the change it makes to the item's quantity and base;
//   3. `Confirm` among the OK checks, before anything is written: the question when the counted
//      quantity differs from the item's;
//   4. `Write` inside the item's transaction (which holds QuantidadeVorel) after the item itself
//      was written (or removed), so that the item and its lines are stored together or not at all.
//
//     CountingLines linhas(Procedencia::Saida);
//     if (change) (void)linhas.Load(nota);            // nota: the item's invoice as loaded
//     Variacao v = linhas.Record({12, 5});            // quantity += v.quantidade
//     Confirmacao c = linhas.Confirm(request, nota, quantidade);
//     if (!c.continua) { quantidade = c.contada; focus the quantity; return refused; }
//     ...transaction: item write; if (!linhas.Write(request, nota).ok()) roll back...
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/ui/types.h"

namespace vorel::movements {

// The kind letter of an invoice's lines.
enum class Procedencia : char { Entrada = 'E', Saida = 'S' };

// An invoice as its lines know it.
struct NotaFiscal {
    date::Day data = 0;
    std::uint32_t numero = 0;
    std::string serie;  // up to 2 characters, Windows-1252
    std::string cnpj;   // up to 14 digits
    friend bool operator==(const NotaFiscal&, const NotaFiscal&) = default;
};

struct LinhaContagem {
    std::uint32_t unitario = 0;    // units per package: the line's key within the invoice
    std::uint32_t quantidade = 0;  // packages
    Decimal valor{};               // product value (entries)
    Decimal margem{};              // margin (entries)
    friend bool operator==(const LinhaContagem&, const LinhaContagem&) = default;
};

// What recording a line changes in the item.
struct Variacao {
    Decimal quantidade;  // added to the item's quantity
    Decimal base;        // added to the item's base (entries; 0 on exits)
};

struct Confirmacao {
    bool continua = true;  // false: the user answered "&Não"
    Decimal contada;       // the counted quantity (the form's quantity takes it on "&Não")
};

class CountingLines {
public:
    explicit CountingLines(Procedencia kind) : kind_(kind) {}

    // The invoice's lines of this kind, in key order; the list and the invoice are kept as loaded.
    [[nodiscard]] data::Result Load(const NotaFiscal& nota);

    // Records the line of a unit count (a unit count of 0 records nothing: the form moves on to
    // the quantity). A new unit count joins the list when its package count is not 0; an existing
    // one takes the new values and leaves the list at 0 packages.
    Variacao Record(const LinhaContagem& linha);

    const std::vector<LinhaContagem>& lines() const { return list_; }
    bool empty() const { return list_.empty(); }

    // The quantity the invoice's lines will count once written (called before the item is
    // written): on insert the list's; on change the lines the invoice will hold.
    Decimal Counted(ui::Request request, const NotaFiscal& nota);

    // The question when counting is on and the counted quantity differs from `quantidade`
    // ("Atenção!!!", "&Sim" goes on, "&Não" stops). Nothing is asked on delete.
    Confirmacao Confirm(ui::Request request, const NotaFiscal& nota, const Decimal& quantidade);

    // Writes the lines for the request, inside the caller's transaction and after the item's own
    // write. Insert: the list's lines the invoice lacks. Change: the invoice's lines made equal to
    // the list (moved from the loaded invoice when no item is left there). Delete: the invoice's
    // lines removed when no item of it is left. The list is read back from the table afterwards.
    [[nodiscard]] data::Result Write(ui::Request request, const NotaFiscal& nota);

private:
    Procedencia kind_;
    std::vector<LinhaContagem> list_;
    std::vector<LinhaContagem> loaded_;
    NotaFiscal loadedNota_;
    bool hasLoaded_ = false;
};

// The first sentence of the counting question for a kind and request.
std::string PerguntaContagem(Procedencia kind, ui::Request request);

}  // namespace vorel::movements
