// A `;` export written whole or not at all.
//
// The lines go through an `ArquivoTexto` opened with `AbreExportacao` on a name of this run beside
// the target (same folder, so the rename stays on one file system); `Conclui` closes that file and
// renames it over the target. Until then the target is the file it was, or absent: a failed
// write, a stopped run or one that is abandoned leaves no partial file (the destructor removes
// the run's own file). Every failure names the target as the user wrote it.
//
//     ExportacaoInteira f("C:\\Excel\\Saida.CSV");
//     if (auto o = f.Abre(); !o.ok()) return o;
//     if (auto o = f.Linha("Cnpj;Data"); !o.ok()) return o;   // accents stripped, cut at 500
//     return f.Conclui();                                       // the target replaced now
#pragma once

#include <string>
#include <string_view>

#include "vorel/report/outcome.h"
#include "vorel/shell/text_report.h"

namespace vorel::shell {

class ExportacaoInteira {
public:
    explicit ExportacaoInteira(std::string_view alvo);  // program path
    ~ExportacaoInteira();
    ExportacaoInteira(const ExportacaoInteira&) = delete;
    ExportacaoInteira& operator=(const ExportacaoInteira&) = delete;

    report::Outcome Abre();
    // A line through `GravaLinhaTexto` (accents stripped, cut at 500 characters).
    report::Outcome Linha(std::string_view linha);
    // A line as given (accents and length kept).
    report::Outcome LinhaInteira(std::string_view linha);
    // Closes the run's file and puts it in place of the target.
    report::Outcome Conclui();
    // Drops the run's file; the target stays as it was.
    void Abandona();

    const std::string& alvo() const { return alvo_; }
    const std::string& temporario() const { return temporario_; }

private:
    report::Outcome Falha(const report::Outcome& o);
    std::string alvo_;
    std::string temporario_;
    ArquivoTexto arquivo_;
    bool pendente_ = false;  // the run's file exists and is not in place yet
};

}  // namespace vorel::shell
