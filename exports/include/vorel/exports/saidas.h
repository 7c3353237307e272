// The exit invoice items of a period as a `;` file: `ExportaSaidas` writes the items of `SaidaVorel`
// (the period's year file, in the order of `SAI:KEY:DATANUMSERIECFOPROD`) dated from `inicio` to
// `fim`, optionally of one CFOP code, each with the quantity lines of its own invoice
// (`QuantidadeVorel`, origin "S", the same date, number and series and a CNPJ equal as a number), a
// header and a totals line; accents and line length kept. The window "ExportaExcelSaidas" asks for
// the period, the code and the file.
//
// The file is written beside its target and replaces it only when whole: a failed write, or a value
// too wide for its column, stops the export and leaves the old file.
//
//     report::Outcome o = ExportaSaidas(periodo, {.inicio = i, .fim = f, .cfo = 5102, .caminho = "A:\\Saida.CSV"});
#pragma once

#include <functional>
#include <string>

#include "vorel/core/date.h"
#include "vorel/report/outcome.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::exports {

struct OpcoesSaidas {
    date::Day inicio = 0, fim = 0;
    int cfo = 0;          // 0: every code (the complement is never compared)
    std::string caminho;  // program path
};

// Called after each item with the items read and the file's records; false stops (no file).
using ProgressoSaidas = std::function<bool(long long lidos, long long total)>;

// `periodo`: the company and the year whose files are read.
[[nodiscard]] report::Outcome ExportaSaidas(const shell::EmpresaPeriodo& periodo, const OpcoesSaidas& opcoes,
                                            const ProgressoSaidas& progresso = {});

// The window "Exporta Saídas -> Excel".
void RunExportaExcelSaidas(ui::ProcContext& ctx);

}  // namespace vorel::exports
