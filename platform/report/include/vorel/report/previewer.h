// The report previewer: a window of the window model that shows a report's pages, one at a time,
// and lets the user turn pages, jump to a page, zoom, choose the number of copies and the print
// queue, and print.
//
// It runs on the report's procedure thread like any window procedure and returns when the user
// prints or closes it; the report frame then prints the copies asked for (the answer "1 = print"
// of the previewer). Front ends draw it from the window model alone: control kPage is an image
// control whose text is the file name of the current page's image (PNG, rendered by the one
// renderer at zoom% of 96 dots per inch into a folder of this preview, removed when it closes);
// every other control is an ordinary prompt, string, entry, spin, drop list or button. The headless
// driver reads the pages the same way.
//
// The drop list kPrinter offers the system's print queues (or those of `queues`, when given), with
// the queue asked for in `printer` chosen when the system has it, else the system's default queue,
// else the first. With no queue at all it holds the one entry "(padrão do sistema)", which answers
// an empty queue name: print on whatever the system takes as its default.
//
// Enter in "Página", "Zoom (%)" or "Cópias" applies the value typed there (the focus stays); only
// "&Imprimir" prints.
//
//   PreviewResult r = preview_report(ctx, result.document, {.zoom = 125, .printer = last});
//   if (r.print) print(result.document, r.copies, r.printer);
#pragma once

#include <functional>
#include <string>

#include "vorel/report/page_model.h"
#include "vorel/report/print_queues.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::report {

struct PreviewOptions {
    int zoom = 125;    // percent of 96 dots per inch
    int copies = 1;
    std::string printer{};   // the queue to choose first when it exists (UTF-8); "": the default
    PrintQueueSource queues{};  // empty: the system's (system_print_queues)
    // Whether the pages can be printed at all; empty: some print queue exists and the print
    // command ("lp") can be started. When not, "&Imprimir" says "Nenhuma impressora disponível; o
    // relatório não foi impresso." and the preview stays open.
    std::function<bool()> can_print{};
};

struct PreviewResult {
    bool print = false;  // the user chose "&Imprimir"
    int copies = 1;
    std::string printer{};  // the queue chosen (UTF-8); "": the system's default queue
};

// Control numbers of the previewer window.
namespace preview {
inline constexpr int kPage = 1;         // image: text = PNG file of the page shown
inline constexpr int kFirst = 2;        // button "&Primeira"
inline constexpr int kPrevious = 3;     // button "&Anterior"
inline constexpr int kNext = 4;         // button "Pró&xima"
inline constexpr int kLast = 5;         // button "Ú&ltima"
inline constexpr int kPagePrompt = 6;   // "Página:"
inline constexpr int kPageNumber = 7;   // entry: the page shown; typing a number jumps to it
inline constexpr int kPageCount = 8;    // string: "de N"
inline constexpr int kZoomPrompt = 9;   // "Zoom (%):"
inline constexpr int kZoom = 10;        // spin: 25 to 400
inline constexpr int kCopiesPrompt = 11;  // "Cópias:"
inline constexpr int kCopies = 12;      // spin: 1 to 99
inline constexpr int kPrint = 13;       // button "&Imprimir"
inline constexpr int kClose = 14;       // button "&Fechar"
inline constexpr int kPrinterPrompt = 15;  // "Impressora:"
inline constexpr int kPrinter = 16;     // drop list: the print queues, the one to print on chosen
inline constexpr int kMinZoom = 25, kMaxZoom = 400, kMaxCopies = 99;
}  // namespace preview

// Shows the pages; returns at once with print = false when there are none.
PreviewResult preview_report(ui::ProcContext& context, const Document& pages, PreviewOptions options = {});

}  // namespace vorel::report
