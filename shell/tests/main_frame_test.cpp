// The main frame, driven headless: login outcome, the menu bar and toolbar starting procedures on
// threads of their own, "QelLayout" written first, the settings applied when it opens, and the
// one-time conversion of "Tem.Atu".
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/main_menu.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

using namespace vorel::shell;
using namespace vorel::ui;
using shell_test::ShellTest;

namespace {

struct Started {
    std::string name;
    int thread = 0;
    long long qelLayout = 0;
};

// A program whose every procedure is a stub that notes its start, with a login that answers
// `loginOk`.
class FrameTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterShellGlobals();
        PastaRaiz.Set(Folder("dados") + "\\");
        PastaPrograma.Set(Folder("programa") + "\\");
        GLO_EMPRESA_CODIGO.Set(0);
        std::filesystem::create_directories(Native("dados/BComuns"));
        servicos.abertura = false;
        servicos.procura = [this](std::string_view name) -> std::optional<ProcedureFn> {
            std::string n(name);
            if (n == "Login")
                return ProcedureFn([this](ProcContext& c) {
                    ++logins;
                    GLO_VERSAO.Set("Vers\xE3o: 1.00d 077");
                    c.response = loginOk ? Response::Completed : Response::Cancelled;
                });
            if (missing.count(n)) return std::nullopt;
            if (n == "Configura_Impressora")
                return ProcedureFn([this](ProcContext& c) {
                    configuraThread = c.thread();
                    ModoImpressao.Set(0);
                });
            return ProcedureFn([this, n](ProcContext& c) {
                long long layout = vorel::settings::SettingsFile("Layout.ini").read_number("Layout", "QelLayout", 0);
                std::lock_guard lock(m);
                started.push_back({n, c.thread(), layout});
            });
        };
    }

    int StartMain() {
        return rt.Start("Main", [this](ProcContext& c) {
            mainThread = c.thread();
            Main(c, servicos);
        });
    }

    std::vector<Started> Take() {
        std::lock_guard lock(m);
        return std::exchange(started, {});
    }

    Runtime rt;
    ServicosMain servicos;
    bool loginOk = true;
    std::set<std::string> missing{"CarregaCodigosImpressora"};
    std::atomic<int> logins{0};
    std::atomic<int> mainThread{0};
    std::atomic<int> configuraThread{0};
    std::mutex m;
    std::vector<Started> started;
};

int FrameWindow(HeadlessDriver& ui) {
    ui.WaitIdle();
    for (const std::string& c : ui.Captions())
        if (c.rfind("Vorel  -  ", 0) == 0) return ui.WindowByCaption(c);
    throw DriverError("no frame");
}

}  // namespace

TEST_F(FrameTest, FailedLoginEndsWithoutFrame) {
    loginOk = false;
    int t = StartMain();
    HeadlessDriver ui(rt);
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "Main to end");
    EXPECT_EQ(*rt.Finished(t), Response::Cancelled);
    EXPECT_EQ(logins, 1);
    EXPECT_TRUE(ui.Captions().empty()) << "no window was ever shown";
}

TEST_F(FrameTest, TitleAndEveryMenuItemStartsItsProcedureOnANewThread) {
    StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    // The data root as this system writes paths, not in the program's backslashed form.
    EXPECT_EQ(ui.Caption(w), "Vorel  -  Versão: 1.00d 077 - " + Native("dados").string() + "/");
    for (const ItemMenu& item : MenuPrincipal()) {
        if (item.acao != AcaoMenu::Inicia) continue;
        SCOPED_TRACE(item.texto);
        auto c = ui.ByText(w, item.atalho.empty() ? item.texto : item.texto + "\t" + item.atalho);
        EXPECT_EQ(ui.State(c).type, ControlType::MenuItem);
        if (!item.mensagem.empty()) {
            EXPECT_EQ(ui.State(c).msg, item.mensagem);
        }
        ui.Press(c);
        ui.WaitUntil([&] { std::lock_guard l(m); return !started.empty(); }, item.procedimento);
        auto s = Take();
        ASSERT_EQ(s.size(), 1u);
        EXPECT_EQ(s[0].name, item.procedimento);
        EXPECT_NE(s[0].thread, mainThread.load()) << "a thread of its own";
        if (item.qelLayout != 0) {
            EXPECT_EQ(s[0].qelLayout, item.qelLayout) << "QelLayout written before the start";
        }
    }
    ui.CloseWindow(w);
}

TEST_F(FrameTest, ShortcutsAndToolbarKeys) {
    StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    for (const ItemMenu& item : MenuPrincipal()) {
        if (item.tecla == 0 || item.acao != AcaoMenu::Inicia) continue;
        SCOPED_TRACE(item.atalho);
        ui.Key(w, item.tecla);
        ui.WaitUntil([&] { std::lock_guard l(m); return !started.empty(); }, item.procedimento);
        auto s = Take();
        ASSERT_EQ(s.size(), 1u);
        EXPECT_EQ(s[0].name, item.procedimento);
    }
    // F3 with no working company opens the company window; with one, the period window.
    ui.Key(w, key::F(3));
    ui.WaitUntil([&] { std::lock_guard l(m); return !started.empty(); }, "F3");
    EXPECT_EQ(Take()[0].name, "SelecionaEmpresa");
    GLO_EMPRESA_CODIGO.Set(15);
    ui.Key(w, key::F(3));
    ui.WaitUntil([&] { std::lock_guard l(m); return !started.empty(); }, "F3");
    EXPECT_EQ(Take()[0].name, "SelecionaPeriodo");
    ui.Press(ui.Control(w, quadro::kCalculadora));
    ui.WaitUntil([&] { std::lock_guard l(m); return !started.empty(); }, "calculator");
    EXPECT_EQ(Take()[0].name, "Calculadora");
    // Alt+F, "&Sair", closes the frame.
    ui.Key(w, key::Alt | 'F');
    ui.WaitUntil([&] { return rt.Running().empty(); }, "Main to end");
}

TEST_F(FrameTest, TwoChoicesOfOneItemOpenTwoThreadsAndAMissingProcedureSaysSo) {
    missing.insert("CalculoMensal");
    StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    auto produtos = ui.ByText(w, "&Produtos\tCtrl + P");
    ui.Press(produtos);
    ui.Press(produtos);
    ui.WaitUntil([&] { std::lock_guard l(m); return started.size() == 2; }, "two starts");
    auto s = Take();
    EXPECT_NE(s[0].thread, s[1].thread);
    ui.Press(ui.ByText(w, "Calculo Mensal"));
    ui.WaitUntil([&] { return ui.HasMessageBox(); }, "the message");
    EXPECT_NE(ui.PendingMessageBox().text.find("Calculo Mensal"), std::string::npos);
    EXPECT_NE(ui.PendingMessageBox().text.find("ainda não está disponível"), std::string::npos);
    EXPECT_NE(ui.PendingMessageBox().thread, mainThread.load()) << "the frame stays usable";
    ui.Answer(1);
    ui.CloseWindow(w);
}

TEST_F(FrameTest, OpeningAppliesWallpaperPrintingModeParametersAndKeypad) {
    WriteSettings("Vorel.ini", "[Impressora]\r\nConfigura\xE7\xE3o=2\r\nImpressora=3\r\n");
    WriteSettings("qel.ini", "[Parametros]\r\nTecladoPadraoBR   =1\r\n");
    WriteFile(Native("dados/BComuns/Vorel.ini"),
              "[Parametros]\r\nResponsavel         =Ana\r\nNumero              =12\r\nCGC                 =123\r\n"
              "AliquotaProdutos    =1\r\nNome                =Escritorio\r\n");
    WriteFile(Native("dados/BComuns/Revenda.Ini"), "[Revenda]\r\nRevenda=3\r\n");
    StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    EXPECT_EQ(ModoImpressao.Get(), 2);
    EXPECT_EQ(GLO_CODIMPRESSORA.Get(), 3);
    EXPECT_EQ(ui.Text(ui.Control(w, quadro::kModoTexto)), "Matricial");
    EXPECT_EQ(ui.State(ui.Control(w, quadro::kModoImpressao)).icon, "Print.ico");
    EXPECT_EQ(GLO_PARAMETROS.Get().PARRESPONSAVEL, "Ana");
    EXPECT_EQ(GLO_PARAMETROS.Get().PARNUMERO, 12);
    EXPECT_EQ(GLO_PARAMETROS.Get().PARCGC, "123");
    EXPECT_EQ(GLO_PARAMETROS.Get().PARIMPDATA, 1);
    EXPECT_EQ(GLO_USAALIQPRODUTO.Get(), 1);
    EXPECT_FALSE(TecladoDecimalVirgula.Get());
    EXPECT_EQ(PastaTemp.Get(), PastaRaiz.Get() + "Temp\\");
    EXPECT_NE(DataHoje.Get(), 0);
    const WindowHeader& h = ui.Mirror(w).header;
    EXPECT_TRUE(h.frame);
    EXPECT_EQ(h.wallpaper, vorel::text::to_utf8(PastaRaiz.Get()) + "netfundo.bmp");
    EXPECT_EQ(h.wallpaperLayout, 2);
    EXPECT_EQ(h.status, "") << "a missing news program is said only when it is asked for";
    ASSERT_EQ(h.zones.size(), 3u);
    EXPECT_EQ(h.zones[2].size(), 8u) << "the time of day, hh:mm:ss";
    ui.CloseWindow(w);
}

// The news program missing: nothing at the start (above); its menu item says so in plain words.
TEST_F(FrameTest, AMissingNewsProgramIsSaidWhenItsMenuItemIsChosen) {
    StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    ui.Press(ui.ByText(w, "&Naveli"));
    ui.WaitUntil([&] { return ui.HasMessageBox(); }, "the message");
    EXPECT_EQ(ui.PendingMessageBox().text.rfind("O boletim de notícias não está instalado neste computador", 0), 0u)
        << ui.PendingMessageBox().text;
    ui.Answer(1);
    EXPECT_EQ(ui.Mirror(w).header.status, "");
    ui.CloseWindow(w);
}

TEST_F(FrameTest, F4RunsThePrintingModeWindowOnTheFramesThreadAndShowsTheMode) {
    StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    EXPECT_EQ(ui.Text(ui.Control(w, quadro::kModoTexto)), "Vídeo/Windows");
    ui.Key(w, key::F(4));
    EXPECT_EQ(configuraThread.load(), mainThread.load());
    EXPECT_EQ(ui.Text(ui.Control(w, quadro::kModoTexto)), "Jato Tinta/Laser");
    EXPECT_EQ(ui.State(ui.Control(w, quadro::kModoImpressao)).icon, "Matric.ico");
    ui.CloseWindow(w);
}

namespace {

// A window of its own that notes its close in `fechadas`; with `pergunta` it asks first and stays
// open on "&Não".
ProcedureFn JanelaQueFecha(std::string nome, bool pergunta, std::mutex& m, std::vector<std::string>& fechadas) {
    return [nome, pergunta, &m, &fechadas](ProcContext& c) {
        Window w(c, nome);
        w.Button(1, "&OK");
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;) {
            if (e.code != event::CloseWindow) continue;
            if (pergunta && Message("Fechar " + nome + "?", "Atenção", Icon::Question, "&Sim|&Não") != 1) continue;
            std::lock_guard lock(m);
            fechadas.push_back(nome);
            w.Close();
        }
    };
}

}  // namespace

TEST_F(FrameTest, ClosingTheFrameClosesTheOtherWindowsOneByOneFirst) {
    std::vector<std::string> fechadas;
    auto padrao = servicos.procura;
    servicos.procura = [&](std::string_view name) -> std::optional<ProcedureFn> {
        if (name == "Calculadora") return JanelaQueFecha("Primeira", false, m, fechadas);
        if (name == "SelecionaEmpresa") return JanelaQueFecha("Segunda", true, m, fechadas);
        return padrao(name);
    };
    int t = StartMain();
    HeadlessDriver ui(rt);
    int w = FrameWindow(ui);
    ui.Press(ui.Control(w, quadro::kCalculadora));
    ui.WaitUntil([&] { return ui.HasWindow("Primeira"); }, "the first window");
    ui.Key(w, key::F(2));
    ui.WaitUntil([&] { return ui.HasWindow("Segunda"); }, "the second window");

    // The last opened asks first; kept open, it keeps the frame open.
    ui.CloseWindow(w);
    ui.WaitUntil([&] { return ui.HasMessageBox(); }, "the second window's question");
    EXPECT_EQ(ui.PendingMessageBox().text, "Fechar Segunda?");
    ui.Answer("&Não");
    ui.WaitIdle();
    EXPECT_TRUE(ui.HasWindow("Primeira"));
    EXPECT_TRUE(ui.HasWindow("Segunda"));
    EXPECT_FALSE(rt.Finished(t).has_value()) << "the frame stays";

    ui.CloseWindow(w);
    ui.WaitUntil([&] { return ui.HasMessageBox(); }, "the question again");
    ui.Answer("&Sim");
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the frame's end");
    std::lock_guard lock(m);
    EXPECT_EQ(fechadas, (std::vector<std::string>{"Segunda", "Primeira"}));
}
