// The two bases of a year's CFOP 1409 entry items taken again from their sources: the repair of
// the window "AjustaLancEntrada". Each 1409 item of the year (read by date) takes its calculation
// base and own-operation base from the product's latest earlier 1403 or 2403 entry
// (`ProcuraBaseOrigem` for a stored item, entry_items.h: the item's own invoice and sources of
// quantity 0 passed over, the earlier years' files read through cursors of their own), prorated
// to its quantity; an item without a source keeps its bases. One transaction: a failure or a
// cancel leaves the year's entries as they were.
//
//     ResultadoAjusteBases r = AjustaBasesDeOrigem(periodo, andamento);
#pragma once

#include <functional>
#include <string>

#include "vorel/shell/period.h"

namespace vorel::movements {

struct ResultadoAjusteBases {
    std::string erro;         // UTF-8; empty when done
    bool cancelado = false;   // the progress callback said stop
    long long lidos = 0;      // entries read
    long long ajustados = 0;  // 1409 items rewritten
    bool ok() const { return erro.empty() && !cancelado; }
};

// Called once per entry read with (entries read, entries of the year's file); false stops the run
// and rolls it back.
using ProgressoAjusteBases = std::function<bool(long long, long long)>;

// The year `ano.ano` of company `ano.empresa` (the month is not used).
[[nodiscard]] ResultadoAjusteBases AjustaBasesDeOrigem(const shell::EmpresaPeriodo& ano,
                                                        const ProgressoAjusteBases& progresso = {});

}  // namespace vorel::movements
