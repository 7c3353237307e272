// A text report's run behind its small window: the lines reach the printer's port and the run's file
// goes; a cancel, a failed line or a run without lines sends nothing to the port, unless the report
// sends its printed part when cancelled.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "shell_fixture.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report_run.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

using namespace vorel;
using namespace vorel::shell;

namespace {

struct RelatorioTextoRun : shell_test::ShellTest {
    void SetUp() override {
        ShellTest::SetUp();
        std::filesystem::create_directories(Native("temp"));
        PastaTemp.Set(Folder("temp") + "\\");
        CodigosImpressoraRec c;
        c.PORTA = Folder("impressora");
        CodigosImpressora.Set(c);
    }
    void TearDown() override {
        CodigosImpressora.Set({});
        ShellTest::TearDown();
    }

    // Runs `gera` on a procedure thread of its own; `durante` plays the user meanwhile.
    FimRelatorioTexto Executa(bool cancela, const GeraLinhasTexto& gera, const std::function<void()>& durante = {},
                              bool enviaParte = false) {
        std::atomic<bool> fim{false};
        std::optional<FimRelatorioTexto> r;
        const int t = rt.Start("RelTexto", [&](ui::ProcContext& ctx) {
            r = ExecutaRelatorioTexto(ctx, {"Relatório de Teste", "RelTexto.txt", false, cancela, enviaParte}, gera);
            fim = true;
        });
        ui.AllowBusy(t);
        if (durante) durante();
        ui.WaitUntil([&] { return fim.load(); }, "the run to end");
        return *r;
    }
    bool TempVazio() const { return std::filesystem::is_empty(Native("temp")); }

    ui::Runtime rt;
    ui::HeadlessDriver ui{rt};
};

TEST_F(RelatorioTextoRun, TheLinesGoToThePortAndTheRunsFileIsDeleted) {
    WriteFile(Native("impressora"), "");
    EXPECT_EQ(Executa(false,
                      [](const CodigosImpressoraRec&, const EscreveLinhaTexto& escreve, const ProgressoTexto& progresso) {
                          for (const char* l : {"Rela\xE7\xE3o", "linha 2"}) {
                              if (report::Outcome o = escreve(l); !o.ok()) return o;
                              EXPECT_TRUE(progresso(1, 2));
                          }
                          return report::Outcome{};
                      }),
              FimRelatorioTexto::Encerrado);
    EXPECT_EQ(ReadFile(Native("impressora")), "Relacao\r\nlinha 2\r\n");
    EXPECT_TRUE(TempVazio());
    EXPECT_TRUE(ui.MessageBoxes().empty());
    // The small window: no "&Cancela" unless the report offers it.
    ASSERT_FALSE(ui.ClosedWindows().empty());
    EXPECT_EQ(ui.ClosedWindows().back().Find(3), nullptr);
}

TEST_F(RelatorioTextoRun, ACancelAFailedLineOrNoLineSendsNothingToThePort) {
    // The port is a folder that does not exist: anything sent there would fail and say so.
    CodigosImpressoraRec c = CodigosImpressora.Get();
    c.PORTA = Folder("sem-dispositivo") + "\\lp0";
    CodigosImpressora.Set(c);

    // "&Cancela" pressed while the report runs: the report stops at its next progress.
    std::atomic<int> progressos{0};
    EXPECT_EQ(Executa(
                  true,
                  [&](const CodigosImpressoraRec&, const EscreveLinhaTexto& escreve, const ProgressoTexto& progresso) {
                      const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                      while (std::chrono::steady_clock::now() < limite) {
                          if (report::Outcome o = escreve("linha"); !o.ok()) return o;
                          ++progressos;
                          if (!progresso(1, 1000)) return report::Outcome{};
                          std::this_thread::sleep_for(std::chrono::milliseconds(5));
                      }
                      ADD_FAILURE() << "the cancel never reached the report";
                      return report::Outcome{};
                  },
                  [&] {
                      ui.WaitUntil([&] { return progressos.load() > 0; }, "the run to be under way");
                      const int w = ui.TopWindow();
                      EXPECT_EQ(ui.Text(ui.Control(w, 1)), "Relatório de Teste");
                      ui.Press(ui.ByText(w, "&Cancela"));
                  }),
              FimRelatorioTexto::Cancelado);
    EXPECT_TRUE(TempVazio());
    EXPECT_TRUE(ui.MessageBoxes().empty());

    // A line the report could not make: said, and the file deleted.
    std::atomic<bool> respondido{false};
    EXPECT_EQ(Executa(false,
                      [](const CodigosImpressoraRec&, const EscreveLinhaTexto& escreve, const ProgressoTexto&) {
                          (void)escreve("linha");
                          return report::Outcome::failure("Disco cheio");
                      },
                      [&] {
                          ui.WaitUntil([&] { return ui.HasMessageBox(); }, "the failure message");
                          EXPECT_EQ(ui.PendingMessageBox().text, "O relatório não foi impresso.|Disco cheio");
                          ui.Answer(1);
                          respondido = true;
                      }),
              FimRelatorioTexto::Falhou);
    EXPECT_TRUE(respondido);
    EXPECT_TRUE(TempVazio());

    // No line at all: nothing sent, nothing said.
    const std::size_t mensagens = ui.MessageBoxes().size();
    EXPECT_EQ(Executa(false, [](const CodigosImpressoraRec&, const EscreveLinhaTexto&,
                                const ProgressoTexto&) { return report::Outcome{}; }),
              FimRelatorioTexto::Vazio);
    EXPECT_EQ(ui.MessageBoxes().size(), mensagens);
    EXPECT_TRUE(TempVazio());
}

TEST_F(RelatorioTextoRun, ACancelOfAReportThatSendsItsPrintedPartEndsThePageAndSendsIt) {
    WriteFile(Native("impressora"), "");
    std::atomic<int> progressos{0};
    EXPECT_EQ(Executa(
                  true,
                  [&](const CodigosImpressoraRec&, const EscreveLinhaTexto& escreve, const ProgressoTexto& progresso) {
                      const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                      while (std::chrono::steady_clock::now() < limite) {
                          if (report::Outcome o = escreve("linha"); !o.ok()) return o;
                          ++progressos;
                          if (!progresso(1, 1000)) return escreve("fim da pagina");
                          std::this_thread::sleep_for(std::chrono::milliseconds(5));
                      }
                      ADD_FAILURE() << "the cancel never reached the report";
                      return report::Outcome{};
                  },
                  [&] {
                      ui.WaitUntil([&] { return progressos.load() > 0; }, "the run to be under way");
                      ui.Press(ui.ByText(ui.TopWindow(), "&Cancela"));
                  },
                  true),
              FimRelatorioTexto::Cancelado);
    const std::string enviado = ReadFile(Native("impressora"));
    EXPECT_EQ(enviado.rfind("linha\r\n", 0), 0u) << enviado;
    EXPECT_TRUE(enviado.size() >= 15 && enviado.compare(enviado.size() - 15, 15, "fim da pagina\r\n") == 0) << enviado;
    EXPECT_TRUE(TempVazio());
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

}  // namespace
