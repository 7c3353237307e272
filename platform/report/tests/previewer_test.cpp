// The previewer window, played by the headless driver: pages read as images, page turning and
// jumps, zoom, copies, the print queue, print and close.
#include "vorel/report/previewer.h"

#include <QImage>
#include <atomic>
#include <filesystem>

#include <gtest/gtest.h>

#include "sample_reports.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::report {
namespace {

using namespace vorel::ui;

struct PreviewRun {
    Runtime runtime;
    Document pages = samples::run_entries_listing(samples::entries(14)).document;  // 3 pages
    PreviewResult result;
    std::atomic<bool> done{false};
    explicit PreviewRun(PreviewOptions options = {.zoom = 125, .copies = 1}) {
        runtime.Start("RelEntradas", [this, options](ProcContext& ctx) {
            result = preview_report(ctx, pages, options);
            done = true;
        });
    }
};

QImage shown(HeadlessDriver& ui, int w) { return QImage(QString::fromStdString(ui.Text(ui.Control(w, preview::kPage)))); }

TEST(Previewer, ShowsPagesAsImagesAndTurnsAndJumps) {
    PreviewRun run;
    HeadlessDriver ui(run.runtime);
    const int w = ui.WindowByCaption("Visualiza\xC3\xA7\xC3\xA3o - RelEntradas");
    EXPECT_EQ(ui.Text(ui.Control(w, preview::kPageCount)), "de 3");
    EXPECT_EQ(ui.Value(ui.Control(w, preview::kPageNumber)), "1");
    EXPECT_FALSE(ui.Enabled(ui.Control(w, preview::kPrevious)));
    EXPECT_FALSE(ui.State(ui.Control(w, preview::kPrinter)).items.empty()) << "the system's queues, or its default";
    QImage first = shown(ui, w);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.width(), 1020);  // 8.5 inches at 125 % of 96 dots per inch
    EXPECT_EQ(first.height(), 1320);

    ui.Press(ui.Control(w, preview::kNext));
    ui.WaitIdle();
    EXPECT_EQ(ui.Value(ui.Control(w, preview::kPageNumber)), "2");
    EXPECT_NE(shown(ui, w), first);

    struct Jump {
        std::string typed;
        std::string shown;
    };
    for (const Jump& j : std::vector<Jump>{{"3", "3"}, {"9", "3"}, {"0", "1"}}) {
        ui.Type(ui.Control(w, preview::kPageNumber), j.typed);
        ui.Key(w, key::Tab);
        ui.WaitIdle();
        EXPECT_EQ(ui.Value(ui.Control(w, preview::kPageNumber)), j.shown) << "typed " << j.typed;
    }
    ui.Press(ui.Control(w, preview::kLast));
    ui.WaitIdle();
    EXPECT_FALSE(ui.Enabled(ui.Control(w, preview::kNext)));

    ui.Type(ui.Control(w, preview::kZoom), "50");
    ui.Key(w, key::Tab);
    ui.WaitIdle();
    EXPECT_EQ(shown(ui, w).width(), 408);

    const std::filesystem::path folder = std::filesystem::path(ui.Text(ui.Control(w, preview::kPage))).parent_path();
    ui.CloseWindow(w);
    ui.WaitIdle();
    EXPECT_TRUE(run.done);
    EXPECT_FALSE(run.result.print);
    EXPECT_FALSE(std::filesystem::exists(folder));  // the page images go with the preview
}

TEST(Previewer, PrintAnswersWithTheCopiesChosen) {
    PreviewRun run({.can_print = [] { return true; }});
    HeadlessDriver ui(run.runtime);
    const int w = ui.WindowByCaption("Visualiza\xC3\xA7\xC3\xA3o - RelEntradas");
    ui.Type(ui.Control(w, preview::kCopies), "2");
    ui.Key(w, key::Tab);
    ui.Press(ui.ByText(w, "&Imprimir"));
    ui.WaitIdle();
    ASSERT_TRUE(run.done);
    EXPECT_TRUE(run.result.print);
    EXPECT_EQ(run.result.copies, 2);
}

TEST(Previewer, OffersThePrintQueuesAndAnswersTheOneChosen) {
    struct Case {
        const char* name;
        PrintQueues system;
        std::string asked;  // the queue chosen last time
        std::vector<std::string> entries;
        std::string chosen;
        std::string pick;   // the entry the user picks before printing ("" = none)
        std::string printed;
    } cases[] = {
        {"default first", {{"fiscal", "laser"}, "laser"}, "", {"fiscal", "laser"}, "laser", "fiscal", "fiscal"},
        {"last one kept", {{"fiscal", "laser"}, "laser"}, "fiscal", {"fiscal", "laser"}, "fiscal", "", "fiscal"},
        {"last one gone", {{"fiscal", "laser"}, "laser"}, "antiga", {"fiscal", "laser"}, "laser", "", "laser"},
        {"no default", {{"fiscal", "laser"}, ""}, "", {"fiscal", "laser"}, "fiscal", "", "fiscal"},
        {"no print system", {}, "antiga", {"(padr\xC3\xA3o do sistema)"}, "(padr\xC3\xA3o do sistema)", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewRun run({.printer = c.asked, .queues = [&c] { return c.system; }, .can_print = [] { return true; }});
        HeadlessDriver ui(run.runtime);
        const int w = ui.WindowByCaption("Visualiza\xC3\xA7\xC3\xA3o - RelEntradas");
        const auto list = ui.ByPrompt(w, "Impressora:");
        EXPECT_EQ(list.feq, preview::kPrinter);
        EXPECT_EQ(ui.State(list).items, c.entries);
        EXPECT_EQ(ui.Value(list), c.chosen);
        if (!c.pick.empty()) ui.PickItem(list, c.pick);
        ui.Press(ui.Control(w, preview::kPrint));
        ui.WaitIdle();
        ASSERT_TRUE(run.done);
        EXPECT_TRUE(run.result.print);
        EXPECT_EQ(run.result.printer, c.printed);
    }
}

// Enter in "Página", "Zoom (%)" or "Cópias" applies the value and keeps the focus there; it never
// answers "print".
TEST(Previewer, EnterInAValueAppliesItOnly) {
    PreviewRun run({.can_print = [] { return true; }});
    HeadlessDriver ui(run.runtime);
    const int w = ui.WindowByCaption("Visualiza\xC3\xA7\xC3\xA3o - RelEntradas");
    ui.Type(ui.Control(w, preview::kPageNumber), "2");
    ui.Key(w, key::Enter);
    ui.WaitIdle();
    EXPECT_EQ(ui.Value(ui.Control(w, preview::kPageNumber)), "2");
    EXPECT_TRUE(ui.Enabled(ui.Control(w, preview::kPrevious))) << "page 2 is shown";
    EXPECT_EQ(ui.Focus(w), preview::kPageNumber);
    ui.Type(ui.Control(w, preview::kZoom), "50");
    ui.Key(w, key::Enter);
    ui.WaitIdle();
    EXPECT_EQ(shown(ui, w).width(), 408);
    EXPECT_EQ(ui.Focus(w), preview::kZoom);
    EXPECT_FALSE(run.done) << "Enter printed the report";
    ui.CloseWindow(w);
    ui.WaitIdle();
    EXPECT_FALSE(run.result.print);
}

// With no print queue (or no print command) "&Imprimir" says so in plain words and the preview
// stays open.
TEST(Previewer, WithoutAPrinterPrintSaysSoAndThePreviewStays) {
    PreviewRun run({.queues = [] { return PrintQueues{}; }});
    HeadlessDriver ui(run.runtime);
    const int w = ui.WindowByCaption("Visualiza\xC3\xA7\xC3\xA3o - RelEntradas");
    ui.Press(ui.Control(w, preview::kPrint));
    ui.WaitUntil([&] { return ui.HasMessageBox(); }, "the message");
    EXPECT_EQ(ui.PendingMessageBox().text, "Nenhuma impressora dispon\xC3\xADvel; o relat\xC3\xB3rio n\xC3\xA3o foi impresso.");
    ui.Answer(1);
    ui.WaitIdle();
    EXPECT_FALSE(run.done);
    EXPECT_TRUE(ui.HasWindow("Visualiza\xC3\xA7\xC3\xA3o - RelEntradas"));
    ui.CloseWindow(w);
    ui.WaitIdle();
    EXPECT_TRUE(run.done);
    EXPECT_FALSE(run.result.print);
}

}  // namespace
}  // namespace vorel::report
