// A text report's run behind its small window: no caption bar, the report's text, a progress bar
// and, when the report offers it, the button "&Cancela". The report hands its lines to the run as it
// makes them; they go through the line writer (`GravaLinhaTexto`) into a new temporary file, and
// the end shows that file in the viewer or sends it straight to the printer's port
// (`EncerraRelatorioTexto`, which tells the user of a failure).
//
// A line that cannot be written (told to the user) deletes the file: nothing is shown or printed.
// A cancel does the same, unless the report sends its printed part (`enviaParteAoCancelar`): the
// report then ends its open page when the progress says false, and what it wrote goes to the end
// as a finished run's would. A run for the port that wrote no line sends nothing.
//
//   ExecutaRelatorioTexto(ctx, {"Relatório de Empresas", "", false, true},
//       [](const CodigosImpressoraRec& codigos, const EscreveLinhaTexto& escreve, const ProgressoTexto& progresso) {
//           for (...) {
//               if (report::Outcome o = escreve(linha); !o.ok()) return o;
//               if (!progresso(++feitos, total)) break;   // the user cancelled
//           }
//           return report::Outcome{};
//       });
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "vorel/report/outcome.h"
#include "vorel/shell/printer_codes.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

struct JanelaRelatorioTexto {
    std::string texto;       // UTF-8: what the window shows
    std::string nomeSalvar;  // the name the viewer offers for saving
    bool visualizar = true;  // false: straight to the printer's port
    bool cancela = false;    // the window offers "&Cancela"
    bool enviaParteAoCancelar = false;  // a cancel still shows or sends the lines written
};

// One line to the run's file.
using EscreveLinhaTexto = std::function<report::Outcome(const std::string&)>;
// Records done against the total; false once the user cancelled: the report makes no more lines.
using ProgressoTexto = std::function<bool(std::size_t feitos, std::size_t total)>;
// The report: its lines with the run's printer codes. A failed line's outcome ends the run.
using GeraLinhasTexto =
    std::function<report::Outcome(const CodigosImpressoraRec&, const EscreveLinhaTexto&, const ProgressoTexto&)>;

enum class FimRelatorioTexto { Encerrado, Vazio, Cancelado, Falhou };

// Runs the report on the caller's thread with a copy of `CodigosImpressora`.
FimRelatorioTexto ExecutaRelatorioTexto(ui::ProcContext& ctx, const JanelaRelatorioTexto& janela,
                                        const GeraLinhasTexto& gera);

}  // namespace vorel::shell
