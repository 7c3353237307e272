// Access keys: which control takes Alt + letter (the decision, as a table), and the keys as a user
// presses them in a window that shares letters with the frame's menu bar ("&Seleciona" and
// "&Salvar" against "&Sair", "&Inclui" against "&Integração", "&Fecha" in two windows), and a frame
// shortcut pressed in an entry that would take it as an editing key.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "access_keys.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::qt {
namespace {

using ui::ControlType;

TEST(AccessLetter, IsTheLetterAfterASingleAmpersand) {
    EXPECT_EQ(AccessLetter("&Inclui"), QChar('I'));
    EXPECT_EQ(AccessLetter("A&juda"), QChar('J'));
    EXPECT_EQ(AccessLetter("Ajuda &On-Line"), QChar('O'));
    EXPECT_EQ(AccessLetter("P&&D &Teste"), QChar('T'));
    EXPECT_TRUE(AccessLetter("P&&D").isNull());
    EXPECT_TRUE(AccessLetter("Fecha").isNull());
    EXPECT_TRUE(AccessLetter("Fim&").isNull());
}

// A window with "&Seleciona", "&Salvar", "&Fecha" and "&Inclui", a prompt "&Nome" for an entry, a
// check box, a tab and a disabled button.
const std::vector<AccessCandidate> kWindow = {
    {1, ControlType::Button, "&Seleciona", true, 0, 0, 0},
    {2, ControlType::Button, "&Salvar", true, 0, 0, 0},
    {3, ControlType::Button, "&Fecha", true, 0, 0, 0},
    {4, ControlType::Button, "&Inclui", true, 0, 0, 0},
    {5, ControlType::Prompt, "&Nome....", true, 6, 0, 0},
    {7, ControlType::Check, "&Ativo", true, 0, 0, 0},
    {8, ControlType::Tab, "Pesquisa por Có&digo", true, 0, 9, 1},
    {10, ControlType::Button, "&Exclui", false, 0, 0, 0},
};

TEST(ResolveAccessKey, TheActiveWindowsControlsClaimTheirLetters) {
    using A = AccessAction;
    struct Case {
        const char* what;
        int focus;
        char letter;
        A want;
    };
    const Case cases[] = {
        {"a button alone with its letter is pressed", 6, 'I', {A::Press, 4, 0}},
        {"lower case is the same letter", 6, 'i', {A::Press, 4, 0}},
        {"Fecha is pressed", 6, 'F', {A::Press, 3, 0}},
        {"two buttons share S: the first gets the focus, nothing pressed", 6, 'S', {A::Focus, 1, 0}},
        {"from the first S, the second", 1, 'S', {A::Focus, 2, 0}},
        {"from the last S, round to the first", 2, 'S', {A::Focus, 1, 0}},
        {"from a control after both, round to the first", 4, 'S', {A::Focus, 1, 0}},
        {"a prompt gives the focus to its control", 1, 'N', {A::Focus, 6, 0}},
        {"a check box is toggled", 6, 'A', {A::Toggle, 7, 0}},
        {"a tab is chosen", 6, 'D', {A::PickTab, 9, 1}},
        {"a disabled button claims nothing (the menu may take it)", 6, 'E', {}},
        {"a letter no control has", 6, 'Z', {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveAccessKey(kWindow, c.focus, QChar(c.letter)), c.want) << c.what;
}

// The frame: "&Arquivo" with "&Empresa\tCtrl + E", "&Integração" with one item, and "&Sair",
// which ends the program. The window: "&Nome" and its entry, then the four buttons.
struct Log {
    std::mutex m;
    std::vector<std::string> events;
    void Add(std::string e) {
        std::lock_guard l(m);
        events.push_back(std::move(e));
    }
    std::vector<std::string> Take() {
        std::lock_guard l(m);
        return std::exchange(events, {});
    }
};

enum : int { kNomePrompt = 1, kNome = 2, kSeleciona = 3, kSalvar = 4, kFecha = 5, kInclui = 6 };

void Frame(ui::ProcContext& ctx, Log& log) {
    ui::Window w(ctx, "Vorel");
    w.SetFrame();
    w.Add(1, ControlType::MenuBar);
    w.Add(2, ControlType::Menu, "&Arquivo").Parent(1);
    w.Add(3, ControlType::MenuItem, "&Empresa\tCtrl + E").Parent(2);
    w.Add(4, ControlType::Menu, "&Integração").Parent(1);
    w.Add(5, ControlType::MenuItem, "Importar").Parent(4);
    w.Add(6, ControlType::MenuItem, "&Sair").Parent(1);
    w.Open();
    for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
        if (e.code != ui::event::Accepted) continue;
        log.Add("frame " + std::to_string(e.feq));
        if (e.feq == 6) w.Close();
    }
}

void Teclas(ui::ProcContext& ctx, Log& log) {
    ui::Window w(ctx, "Teclas");
    std::string nome;
    w.Prompt(kNomePrompt, "&Nome....");
    w.Entry(kNome, ui::Use(nome), "@s20");
    w.Button(kSeleciona, "&Seleciona");
    w.Button(kSalvar, "&Salvar");
    w.Button(kFecha, "&Fecha");
    w.Button(kInclui, "&Inclui");
    w.Open();
    for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
        if (e.code == ui::event::Accepted && e.feq >= kSeleciona) log.Add("press " + std::to_string(e.feq));
        if (e.code == ui::event::CloseWindow) w.Close();
    }
}

class AccessKeys : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        front = std::make_unique<QtFrontEnd>(runtime);
        front->mainWindow()->resize(900, 600);
        front->Show();
        front->mainWindow()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(front->mainWindow()));
        frame = runtime.Start("Frame", [this](ui::ProcContext& c) { Frame(c, log); });
        ASSERT_TRUE(RunEventsUntil([&] { return front->FrameWindow() != 0 && runtime.Idle(); }));
        runtime.Start("Teclas", [this](ui::ProcContext& c) { Teclas(c, log); });
        ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Teclas") != 0 && runtime.Idle(); }));
        window = front->WindowByCaption("Teclas");
        ASSERT_TRUE(RunEventsUntil([&] { return FocusOn(kNome); }));
    }
    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        runtime.Shutdown();
        front.reset();
    }
    bool FocusOn(int feq) {
        QWidget* w = front->ControlWidget(window, feq);
        return w && QApplication::focusWidget() == w;
    }
    void Press(Qt::Key k, Qt::KeyboardModifiers mods) {
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : front->mainWindow();
        QTest::keyClick(to, k, mods);
        ASSERT_TRUE(RunEventsUntil([&] { return runtime.Idle(); }));
        QCoreApplication::processEvents();
    }

    ui::Runtime runtime;
    std::unique_ptr<QtFrontEnd> front;
    Log log;
    int frame = 0;
    int window = 0;
};

TEST_F(AccessKeys, TheWindowsLettersComeBeforeTheMenuBars) {
    struct Row {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::vector<std::string> events;  // what the procedures heard
        int focus;                        // the control with the focus afterwards (0: not checked)
        const char* menu;                 // the frame's menu that dropped down, if any
    };
    const Row rows[] = {
        {"Alt+S: two buttons claim S, the first gets the focus", Qt::Key_S, Qt::AltModifier, {}, kSeleciona, nullptr},
        {"Alt+S again: the second", Qt::Key_S, Qt::AltModifier, {}, kSalvar, nullptr},
        {"Alt+I presses Inclui, not the menu Integração", Qt::Key_I, Qt::AltModifier, {"press 6"}, kInclui, nullptr},
        {"Alt+F presses Fecha", Qt::Key_F, Qt::AltModifier, {"press 5"}, kFecha, nullptr},
        {"Alt+N: the prompt's entry", Qt::Key_N, Qt::AltModifier, {}, kNome, nullptr},
        {"Ctrl+E in the entry is the frame's Empresa", Qt::Key_E, Qt::ControlModifier, {"frame 3"}, kNome, nullptr},
        {"Alt+A: no control has A, the frame's menu opens", Qt::Key_A, Qt::AltModifier, {}, 0, "&Arquivo"},
    };
    for (const Row& r : rows) {
        Press(r.key, r.mods);
        EXPECT_EQ(log.Take(), r.events) << r.what;
        if (r.focus) {
            EXPECT_TRUE(RunEventsUntil([&] { return FocusOn(r.focus); }, 2000)) << r.what;
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (r.menu) {
            ASSERT_NE(menu, nullptr) << r.what;
            EXPECT_EQ(menu->title(), r.menu) << r.what;
            menu->close();
            QCoreApplication::processEvents();
        } else {
            EXPECT_EQ(menu, nullptr) << r.what;
        }
        EXPECT_FALSE(runtime.Finished(frame).has_value()) << r.what << ": the frame must still be open";
    }
}

}  // namespace
}  // namespace vorel::qt
