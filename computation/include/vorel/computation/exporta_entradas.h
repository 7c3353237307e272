// The entry invoice items of a period as a `;` file: `ExportaEntradas` writes the items of
// `EntradaVorel` (the period's year file, in the order of `ENT:KEY:DATANUMSERIECFOPROD`) dated from
// `inicio` to `fim`, optionally of one CFOP code (the complement is never compared) and, for a code
// from 2000 to 2999, of one state; a header, one line an item, a totals line and two closing lines
// that set the items' own-operation base against the month's confrontation base for entries of
// other hypotheses. That base is the first rate's `RFC:RETCONDEMHIP` of a final summary by rate of
// `periodo`'s month (`MontaResumoFinal`), built on a `ResumoFinal` file of the export's own and
// deleted at its end; the closing lines are the working month's whatever period was typed. Accents
// and line length are kept. The window "ExportaExcelEntrada" asks for the period, the code, the
// state and the file.
//
// The file is written beside its target and replaces it only when whole: a failed write, a value
// too wide for its column or a summary that cannot be built stops the export and leaves the old file.
//
//     report::Outcome o = ExportaEntradas(periodo, {.inicio = i, .fim = f, .cfo = 2102, .filtraEstado = true,
//                                                   .estado = "SP", .caminho = "A:\\Entrada.CSV"});
#pragma once

#include <functional>
#include <string>

#include "vorel/core/date.h"
#include "vorel/report/outcome.h"
#include "vorel/shell/period.h"

namespace vorel::computation {

struct OpcoesEntradas {
    date::Day inicio = 0, fim = 0;
    int cfo = 0;                // 0: every code
    bool filtraEstado = false;  // heeded only with a code from 2000 to 2999
    std::string estado;         // the state kept by the filter
    std::string caminho;        // program path
};

// The codes whose entries may be filtered by state (the window shows the filter for them only).
bool FiltraEstadoDoCfo(int cfo);

// Called after each item read with the items read and the table's records; false stops (no file).
using ProgressoEntradas = std::function<bool(long long lidos, long long total)>;

// `periodo`: the company and the year whose entries are read, and the month of the closing lines.
[[nodiscard]] report::Outcome ExportaEntradas(const shell::EmpresaPeriodo& periodo, const OpcoesEntradas& opcoes,
                                              const ProgressoEntradas& progresso = {});

}  // namespace vorel::computation
