// The previewer step of page reports: the one frame every page report runs in.
//
// `ExecutaRelatorio` loads the previewer texts (`CarregaTextosVisualizador`, file "CPCSRPTS.INI"),
// reads the report's records 25 per timer tick under a progress window ("Generating Report", a
// thermometer, the user text, "NNN% Completed", "Cancel"), asks the cancel questions ("Are you sure
// you want to CANCEL this Report?", then, with pages made, "Preview Report generated so far?":
// Yes / No / Ignore), and at the end hands the pages to the previewer. An empty report shows
// nothing and answers `Response` 2. After the preview it stores the report-viewer settings (when the
// report keeps them), e-mails the pages when the run's e-mail fields say so, whatever the
// previewer's answer, and prints the copies the user chose on the print queue chosen in the
// previewer. The `Response` is 1 when the user printed, else 2.
//
// The queue printed on is kept in the user's settings (`FilaRelatorios`, printing_settings.h) and
// offered first by the next preview; printing on the system's default (when it lists no queue)
// keeps the last queue named.
//
// A report builds its ReportController and RecordLoop and calls:
//
//   OpcoesRelatorio o;
//   o.nome = "RelatorioEntradas";  o.anexo = "RelatorioEntradas.zip";  o.gravaRViewer = true;
//   o.email = CapturaCamposEmail();          // the run's own copy of GLO:EMAIL:*
//   ctx.response = ExecutaRelatorio(ctx, report, loop, o);
//
// The previewer, the printer and the mailer are services of the options, so tests can replace them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "vorel/core/text.h"
#include "vorel/report/outcome.h"
#include "vorel/report/page_model.h"
#include "vorel/report/previewer.h"
#include "vorel/report/print_file.h"
#include "vorel/report/report_mailer.h"
#include "vorel/report/report_run.h"
#include "vorel/ui/types.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

// The previewer texts (Windows-1252), section "DISPLAY STRINGS 2.0" of their settings file.
struct TextosVisualizador {
    std::string ProgWinTitlePrvw, ProgWinTitlePrnt, ProgWinPctText, ProgWinRecText, ProgWinUsrText, PrinterDlgTitle,
        AskPrvwDialogTitle, AskPrvwDialogText, CancelAreYouSureTitle, CancelAreYouSureText, CancelPrvwPartialTitle,
        CancelPrvwPartialText, NoDfltPrtrTitle, NoDfltPrtrText, NothingToPrvwTitle, NothingToPrvwText,
        NothingToPrntTitle, NothingToPrntText, AsciiOutTitle, AsciiOutMasks, DynLblErrTitle, DynLblErrText1,
        DynLblErrText2, ButtonYesNoCancel, ButtonYesNo, ButtonYes, ButtonYesNoIgnore, ButtonOk;
};
// Reads every text with its default, cut to its size; a blank file name reads "WIN.INI".
TextosVisualizador CarregaTextosVisualizador(std::string_view ini, std::string_view textoUsuario,
                                             std::string_view tituloPergunta, std::string_view textoPergunta);

// The e-mail fields of one run (Windows-1252), copied from GLO:EMAIL:* when the report starts.
struct CamposEmail {
    bool enviar = false;
    std::string nome, email, assunto, texto;
};
CamposEmail CapturaCamposEmail();

// The report-viewer settings written after the preview (section RVIEWER).
void GravaConfiguracaoRViewer(std::string_view arquivo, const report::ReportSetup& setup);

// What a report gives the step (texts in Windows-1252).
struct OpcoesRelatorio {
    std::string nome;  // the report's procedure name: the print job's name when it has no title
    std::string textoUsuario;
    std::string tituloPergunta = text::from_utf8("Atenção!!!");  // the ask-preview texts
    std::string textoPergunta = text::from_utf8("Deseja visualizar o relatório antes de imprimir?");
    std::string arquivoTextos = "CPCSRPTS.INI";
    bool gravaRViewer = false;                // the 24 reports that keep the viewer settings
    std::string arquivoRViewer = ".\\RVIEWER.INI";
    std::string anexo;                        // "<report>.zip"; empty: the report is never e-mailed
    CamposEmail email;                        // the run's own copy
    // A caller's pages shown (and printed, e-mailed) in front of the report's own, in one preview: a
    // sheet handing its pages to its result page. Read once the records are done.
    const report::Document* anteriores = nullptr;
    int zoom = 125;
    int registrosPorTick = 25;
    int tickCentesimos = 1;                   // timer of the progress window

    // Services; empty ones take the program's own (the previewer window, `ImprimePaginas` with the
    // print command of `impressao`, mail over SMTP with the settings of Vorel.ini section Email).
    std::function<report::PreviewResult(ui::ProcContext&, const report::Document&, report::PreviewOptions)> visualiza;
    // `fila`: the print queue chosen in the previewer (UTF-8); "" is the system's default queue.
    std::function<report::Outcome(const report::Document&, int copias, const std::string& fila)> imprime;
    report::PrintOptions impressao;
    std::function<report::Outcome(const report::ReportMail&, const report::Document&)> envia;
};

// Control numbers of the progress window.
namespace progresso {
inline constexpr int kTermometro = 1, kUsuario = 2, kPercentual = 3, kCancelar = 4;
}

// Runs the report to the end and returns its Response (1 printed, 2 cancelled or nothing shown).
ui::Response ExecutaRelatorio(ui::ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                              const OpcoesRelatorio& opcoes);

// The default printing of pages: a PDF of the copies handed to the print queue `fila` (UTF-8; ""
// is the system's default queue) through the print command of `opcoes`.
report::Outcome ImprimePaginas(const report::Document& paginas, int copias, const std::string& fila = {},
                               const report::PrintOptions& opcoes = {});

}  // namespace vorel::shell
