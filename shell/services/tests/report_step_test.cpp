// The previewer step of page reports, played headless: the cancel questions (No, Ignore, partial
// preview, cancel), the empty report, e-mail whatever the previewer's answer, copies, the print
// queue chosen (printed on and offered again), the report-viewer settings and the previewer texts
// from their settings file.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <optional>

#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/report/report_controller.h"
#include "vorel/shell/report_step.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

using namespace vorel;
using namespace vorel::shell;
using shell_test::ShellTest;

namespace {

// A report of `total` records printing one line per record from record `primeiraImpressa` on.
struct RelatorioTeste {
    std::size_t total;
    std::size_t primeiraImpressa = 1;
    std::atomic<std::size_t> lidos{0};
    report::ReportSetup setup;
    std::optional<report::ReportController> controller;
    OpcoesRelatorio opcoes;
    // What the services saw.
    std::atomic<int> previas{0};
    std::size_t paginasVistas = 0;
    report::PreviewResult escolha;
    std::string filaOferecida;  // the queue the previewer was asked to choose first
    std::vector<int> copiasImpressas;
    std::vector<report::ReportMail> emails;
    std::atomic<bool> fim{false};
    ui::Response resposta = ui::Response::None;

    explicit RelatorioTeste(std::size_t n) : total(n) {
        setup.title = "";
        setup.header_top = 500;
        setup.detail_top = 1000;
        setup.detail_height = 2000;  // ten lines a page
        setup.footer_top = 3100;
        controller.emplace(setup);
        opcoes.nome = "RelTeste";
        opcoes.visualiza = [this](ui::ProcContext&, const report::Document& d, report::PreviewOptions o) {
            ++previas;
            paginasVistas = d.pages.size();
            EXPECT_EQ(o.zoom, 125);
            EXPECT_EQ(d.title, "RelTeste") << "the report's name is the job's name";
            filaOferecida = o.printer;
            return escolha;
        };
        opcoes.imprime = [this](const report::Document&, int copias, const std::string&) {
            copiasImpressas.push_back(copias);
            return report::Outcome::success();
        };
        opcoes.envia = [this](const report::ReportMail& m, const report::Document&) {
            emails.push_back(m);
            return report::Outcome::success();
        };
    }

    void Inicia(ui::Runtime& rt) {
        rt.Start("RelTeste", [this](ui::ProcContext& ctx) {
            report::RecordLoop loop;
            loop.total = total;
            loop.next = [this] { return lidos < total && (++lidos, true); };
            loop.on_record = [this](report::ReportController& r) {
                if (lidos >= primeiraImpressa)
                    r.print({200, [](report::BandPainter& p) { p.text({0, 0, 2000, 150}, "x", report::Font{}); }});
            };
            resposta = ExecutaRelatorio(ctx, *controller, std::move(loop), opcoes);
            fim = true;
        });
    }
};

}  // namespace

using PassoVisualizadorTest = ShellTest;

TEST_F(PassoVisualizadorTest, CancelAskedNoThenIgnoreGoesOnAndYesPreviewsThePagesSoFar) {
    RelatorioTeste r(1000000);
    r.escolha = {false, 1};
    ui::Runtime rt;
    r.Inicia(rt);
    ui::HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Generating Report");
    auto cancel = ui.ByText(w, "Cancel");
    ui.WaitUntil([&] { return r.lidos > 100; }, "pages made");

    ui.Press(cancel);
    ASSERT_TRUE(ui.HasMessageBox());
    const ui::MessageBoxAsked& q = ui.PendingMessageBox();
    EXPECT_EQ(q.title, "Question");
    EXPECT_EQ(q.text, "Are you sure you want to CANCEL this Report?");
    EXPECT_EQ(q.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(q.defaultButton, 2);
    EXPECT_EQ(q.icon, ui::Icon::Exclamation);
    ui.Answer("&No");
    std::size_t antes = r.lidos;
    ui.WaitUntil([&] { return r.lidos > antes; }, "the report goes on after No");

    ui.Press(cancel);
    ui.Answer("&Yes");
    ASSERT_TRUE(ui.HasMessageBox());
    EXPECT_EQ(ui.PendingMessageBox().text, "Report Cancellation Requested!||Preview Report generated so far?");
    EXPECT_EQ(ui.PendingMessageBox().buttons, (std::vector<std::string>{"&Yes", "&No", "&Ignore"}));
    ui.Answer("&Ignore");
    antes = r.lidos;
    ui.WaitUntil([&] { return r.lidos > antes + 2; }, "the report goes on after Ignore");

    ui.Press(cancel);
    ui.Answer("&Yes");
    ui.Answer("&Yes");
    ui.WaitUntil([&] { return r.fim.load(); }, "the report ends after the partial preview");
    EXPECT_EQ(r.previas, 1);
    EXPECT_GT(r.paginasVistas, 0u);
    EXPECT_EQ(r.resposta, ui::Response::Cancelled) << "previewed, not printed";
    EXPECT_FALSE(ui.HasWindow("Generating Report"));
}

TEST_F(PassoVisualizadorTest, CancelWithoutPagesOrAnsweredNoShowsNothing) {
    struct Case {
        std::size_t primeiraImpressa;
        std::vector<std::string> respostas;
    } cases[] = {
        {2000000, {"&Yes"}},        // no page yet: Yes cancels at once
        {1, {"&Yes", "&No"}},       // pages made: No to the preview cancels
    };
    for (const Case& c : cases) {
        RelatorioTeste r(1000000);
        r.primeiraImpressa = c.primeiraImpressa;
        ui::Runtime rt;
        r.Inicia(rt);
        ui::HeadlessDriver ui(rt);
        int w = ui.WindowByCaption("Generating Report");
        ui.WaitUntil([&] { return r.lidos > 100; }, "records read");
        if (c.primeiraImpressa == 1) ui.Press(ui.ByText(w, "Cancel"));
        else ui.Key(w, ui::key::Esc);  // Esc asks like the button
        for (const std::string& a : c.respostas) ui.Answer(a);
        ui.WaitUntil([&] { return r.fim.load(); }, "the report ends");
        EXPECT_FALSE(ui.HasMessageBox());
        EXPECT_EQ(ui.MessageBoxes().size(), c.respostas.size());
        EXPECT_EQ(r.previas, 0);
        EXPECT_EQ(r.resposta, ui::Response::Cancelled);
    }
}

TEST_F(PassoVisualizadorTest, AnEmptyReportShowsNothingAndAnswersTwo) {
    for (std::size_t primeira : {std::size_t{1}, std::size_t{100}}) {  // no records; records but no line
        RelatorioTeste r(primeira == 1 ? 0 : 30);
        r.primeiraImpressa = primeira;
        r.opcoes.email = {true, "Ana", "ana@example.com", "Relatorio", "Segue"};
        r.opcoes.anexo = "RelTeste.zip";
        ui::Runtime rt;
        r.Inicia(rt);
        ui::HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return r.fim.load(); }, "the report ends");
        EXPECT_EQ(r.previas, 0);
        EXPECT_TRUE(r.emails.empty());
        EXPECT_TRUE(ui.MessageBoxes().empty());
        EXPECT_EQ(r.resposta, ui::Response::Cancelled);
    }
}

TEST_F(PassoVisualizadorTest, EmailGoesWhateverThePreviewAnswersAndCopiesArePrinted) {
    struct Case {
        report::PreviewResult escolha;
        ui::Response resposta;
        std::vector<int> copias;
    } cases[] = {{{false, 1}, ui::Response::Cancelled, {}}, {{true, 3}, ui::Response::Completed, {3}}};
    for (const Case& c : cases) {
        RelatorioTeste r(30);
        r.escolha = c.escolha;
        r.opcoes.email = {true, "Ana  ", "ana@example.com   ", "Relatorio  ", "Segue  "};
        r.opcoes.anexo = "RelTeste.zip";
        r.opcoes.gravaRViewer = true;
        r.opcoes.arquivoRViewer = Folder("RVIEWER.INI");
        ui::Runtime rt;
        r.Inicia(rt);
        ui::HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return r.fim.load(); }, "the report ends");
        EXPECT_EQ(r.previas, 1);
        EXPECT_EQ(r.paginasVistas, 3u);
        ASSERT_EQ(r.emails.size(), 1u);
        EXPECT_EQ(r.emails[0].recipient_name, "Ana");
        EXPECT_EQ(r.emails[0].recipient_address, "ana@example.com");
        EXPECT_EQ(r.emails[0].subject, "Relatorio");
        EXPECT_EQ(r.emails[0].text, "Segue");
        EXPECT_EQ(r.emails[0].attachment_name, "RelTeste.zip");
        EXPECT_EQ(r.copiasImpressas, c.copias);
        EXPECT_EQ(r.resposta, c.resposta);
        settings::SettingsFile rv(Folder("RVIEWER.INI"));
        EXPECT_EQ(rv.read_text("RVIEWER", "Landscape"), "NO");
        EXPECT_EQ(rv.read_text("RVIEWER", "PaperCode"), "1");
        EXPECT_EQ(rv.read_text("RVIEWER", "PaperWidth"), "8500");
        EXPECT_EQ(rv.read_text("RVIEWER", "PaperHeight"), "11000");
    }
}

TEST_F(PassoVisualizadorTest, AMailThatFailedOrWentInClearIsSaid) {
    struct Case {
        report::Outcome enviado;
        std::string mensagem;  // empty: no message
    } cases[] = {
        {report::Outcome::success(), ""},
        {report::Outcome::failure("no server"), "O relatório não foi enviado por e-mail.|no server"},
        {report::Outcome::success_with("sent in clear"), "O relatório foi enviado por e-mail sem criptografia.|sent in clear"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mensagem);
        RelatorioTeste r(3);
        r.escolha = {false, 1};
        r.opcoes.email = {true, "Ana", "ana@example.com", "Relatorio", "Segue"};
        r.opcoes.anexo = "RelTeste.zip";
        r.opcoes.envia = [&c](const report::ReportMail&, const report::Document&) { return c.enviado; };
        ui::Runtime rt;
        r.Inicia(rt);
        ui::HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return r.fim.load() || ui.HasMessageBox(); }, "the report ends or says something");
        if (c.mensagem.empty()) {
            EXPECT_FALSE(ui.HasMessageBox());
            continue;
        }
        ASSERT_TRUE(ui.HasMessageBox());
        EXPECT_EQ(ui.PendingMessageBox().text, c.mensagem);
        ui.Answer("&OK");
        ui.WaitUntil([&] { return r.fim.load(); }, "the report ends");
    }
}

TEST_F(PassoVisualizadorTest, PrintsOnTheQueueChosenAndOffersItNextTime) {
    int argc = 1;  // the PDF's fonts need a Qt application, which no other test here makes
    char nome[] = "shell_tests";
    char* argv[] = {nome, nullptr};
    std::optional<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) app.emplace(argc, argv);
    // A stand-in print command: one line per argument, then the start of the file it was given.
    const auto lp = Native("lp-falso");
    const auto log = Native("lp.log");
    WriteFile(lp, "#!/bin/sh\nfor a; do printf '%s\\n' \"$a\" >> '" + log.string() + "'; f=$a; done\n"
                  "head -c 4 \"$f\" >> '" + log.string() + "'\n");
    std::filesystem::permissions(lp, std::filesystem::perms::owner_all);
    auto linhas = [&] {
        std::vector<std::string> l;
        std::istringstream in(ReadFile(log));
        for (std::string s; std::getline(in, s);) l.push_back(s);
        std::filesystem::remove(log);
        return l;
    };
    struct Case {
        std::string escolhida;           // "" : the system's default (no print system)
        std::string oferecida;           // what the next preview is asked to choose
        std::vector<std::string> antes;  // the print command's arguments before the file
    } cases[] = {{"fiscal", "fiscal", {"-d", "fiscal"}}, {"", "fiscal", {}}, {"laser", "laser", {"-d", "laser"}}};
    std::string oferecida;
    for (const Case& c : cases) {
        SCOPED_TRACE("queue \"" + c.escolhida + "\"");
        RelatorioTeste r(30);
        r.escolha = {true, 2, c.escolhida};
        r.opcoes.imprime = nullptr;
        r.opcoes.impressao.program = lp.string();
        ui::Runtime rt;
        r.Inicia(rt);
        ui::HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return r.fim.load(); }, "the report ends");
        EXPECT_TRUE(ui.MessageBoxes().empty());
        EXPECT_EQ(r.resposta, ui::Response::Completed);
        EXPECT_EQ(r.filaOferecida, oferecida) << "the queue printed on last time";
        std::vector<std::string> l = linhas();
        ASSERT_EQ(l.size(), c.antes.size() + 2);
        EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + static_cast<long>(c.antes.size())), c.antes);
        EXPECT_EQ(l.back(), "%PDF");
        EXPECT_FALSE(std::filesystem::exists(l[l.size() - 2])) << "the print file goes once printed";
        oferecida = c.oferecida;
    }
    settings::SettingsFile vorel("Vorel.ini");
    EXPECT_EQ(vorel.read_text("Impressora", "FilaRelatorios"), "laser");
}

TEST_F(PassoVisualizadorTest, TextsComeFromTheirFileOrTakeTheirDefaults) {
    TextosVisualizador t = CarregaTextosVisualizador("CPCSRPTS.INI", "Lendo", "Preview", "Do you wish to PREVIEW this Report?");
    EXPECT_EQ(t.ProgWinTitlePrvw, "Generating Report");
    EXPECT_EQ(t.ProgWinUsrText, "Lendo");
    EXPECT_EQ(t.AskPrvwDialogTitle, "Preview");
    EXPECT_EQ(t.ButtonYesNoIgnore, "&Yes|&No|&Ignore");

    WriteSettings("CPCSRPTS.INI", "[DISPLAY STRINGS 2.0]\r\nCancelAreYouSureText=Cancelar o relat\xF3rio?\r\n"
                                  "ProgWinPctText=" + std::string(80, '%') + "\r\n");
    WriteSettings("WIN.INI", "[DISPLAY STRINGS 2.0]\r\nButtonYesNo=&Sim|&N\xE3o\r\n");
    t = CarregaTextosVisualizador("CPCSRPTS.INI", "", "", "");
    EXPECT_EQ(t.CancelAreYouSureText, "Cancelar o relat\xF3rio?");
    EXPECT_EQ(t.ProgWinPctText.size(), 63u) << "cut to its size";
    EXPECT_EQ(t.ButtonYesNo, "&Yes|&No");
    EXPECT_EQ(CarregaTextosVisualizador("   ", "", "", "").ButtonYesNo, "&Sim|&N\xE3o") << "a blank name reads WIN.INI";

    // The report frame shows the file's texts.
    RelatorioTeste r(1000000);
    r.primeiraImpressa = 2000000;
    ui::Runtime rt;
    r.Inicia(rt);
    ui::HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Generating Report");
    ui.Press(ui.ByText(w, "Cancel"));
    EXPECT_EQ(ui.PendingMessageBox().text, "Cancelar o relatório?");
    ui.Answer("&Yes");
    ui.WaitUntil([&] { return r.fim.load(); }, "the report ends");
}

TEST_F(PassoVisualizadorTest, ALandscapeReportWritesYes) {
    report::ReportSetup s;
    s.orientation = report::Orientation::Landscape;
    s.paper = report::Paper::a4();
    GravaConfiguracaoRViewer(Folder("RVIEWER.INI"), s);
    settings::SettingsFile rv(Folder("RVIEWER.INI"));
    EXPECT_EQ(rv.read_text("RVIEWER", "Landscape"), "YES");
    EXPECT_EQ(rv.read_text("RVIEWER", "PaperCode"), "9");
    for (const char* chave : {"PaperWidth", "PaperHeight", "Xpos", "Ypos", "Height", "Width"})
        EXPECT_FALSE(rv.read_text("RVIEWER", chave).empty()) << chave;
}
