// Text report files: temporary names, the line writer with its accent rules, and report footers.
//
// Every text report (printing mode 2) and every ';' export writes its lines through an
// `ArquivoTexto` of its own run: a text report takes a new temporary file (`NomeArqTemp`: the
// counters `ContadorPR`/`ContadorSC` of `WIN.INI` section `ArqTemp`, the file created at once so no
// other run, thread or program copy can take the same name); an export writes the path it was
// given. `GravaLinhaTexto` cuts a line at 500 characters and turns accented letters into the
// printer's overstrike sequences (when the run's printer prints accents) or strips them. Every write
// is checked: a failure comes back as an Outcome that stops the run.
//
//   ArquivoTexto arq(CodigosImpressora.Get());          // the run's own copy of the printer codes
//   if (auto o = arq.AbreTemporario(); !o.ok()) return Falha(o);
//   for (...) if (auto o = arq.GravaLinhaTexto(linha); !o.ok()) return Falha(o);
//   if (auto o = arq.Fecha(); !o.ok()) return Falha(o);
//   Visualiza_Relatorio_Matricial(ctx, arq.nome(), "RelEntradas.txt");
//   arq.Apaga();
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vorel/report/outcome.h"
#include "vorel/report/text_report_file.h"
#include "vorel/shell/printer_codes.h"

namespace vorel::settings {
class SettingsFile;
}

namespace vorel::shell {

inline constexpr std::size_t kLinhaTexto = 500;  // characters kept of a line

// A new temporary file name, taken: the file exists (empty) when this returns, so the name is this
// caller's. `erro` says what went wrong when no name could be taken.
struct NomeTemporario {
    std::string nome;  // program path: the folder, 8-digit counter, '.', 3-digit sub-counter
    std::string erro;  // UTF-8, for the user
    bool ok() const { return erro.empty(); }
};
// In `PastaTemp`, with the counters of `WIN.INI`.
NomeTemporario NomeArqTemp();
// The same in the given folder (a closing backslash is added when missing), with the given counters file.
NomeTemporario NomeArqTemp(std::string_view pasta, settings::SettingsFile& contadores);

// Accented letters (á à â ã ä é ... ç, upper case too) replaced by their plain letters; º and ª removed.
std::string RetiraAcentos(std::string_view texto);
// Each accented letter of that table replaced by the plain letter, a backspace and the accent's mark
// (' ` ^ ~ " ,); º and ª stay.
std::string ConverteAcentosImpressora(std::string_view texto);

// The line as `GravaLinhaTexto` writes it: cut to 500 characters, accents converted when
// `acentosImpressora` is 1 and `forcaRetirar` is false, else stripped, cut to 500 again, trailing
// blanks dropped.
std::string LinhaTexto(std::string_view linha, std::uint8_t acentosImpressora, bool forcaRetirar);

// Footer texts of reports: 150 blanks; the short form 100 blanks.
std::string RodapeRelatorio();
std::string RodapeRelatorioCurto();

// The lines file of one run.
class ArquivoTexto {
public:
    // `codigos`: the run's copy of the printer codes (its ACENTOS flag governs the accents).
    explicit ArquivoTexto(CodigosImpressoraRec codigos = {}) : codigos_(std::move(codigos)) {}

    // A text report: a new temporary file in `PastaTemp`.
    report::Outcome AbreTemporario();
    report::Outcome AbreTemporario(std::string_view pasta, settings::SettingsFile& contadores);
    // An export: the file at `caminho`, replaced when it exists; accents always stripped (an export
    // never carries printer codes).
    report::Outcome AbreExportacao(std::string_view caminho);

    // Appends one line; `flag` other than 0 strips accents whatever the printer.
    report::Outcome GravaLinhaTexto(std::string_view linha, std::uint8_t flag = 0);
    // Appends one line as given: neither cut nor its accents changed (the exports that keep them).
    report::Outcome GravaLinhaInteira(std::string_view linha);
    report::Outcome Fecha();
    // Deletes the temporary file (closing it first); an export is never deleted.
    void Apaga();

    const std::string& nome() const { return nome_; }  // program path
    const CodigosImpressoraRec& codigos() const { return codigos_; }
    bool aberto() const { return arquivo_.is_open(); }

private:
    CodigosImpressoraRec codigos_;
    report::TextReportFile arquivo_;
    std::string nome_;
    bool exportacao_ = false;
};

}  // namespace vorel::shell
