// Radios of one group as a user drives them with the keyboard: Tab enters the group at the chosen
// radio and leaves it at the next control; the arrow keys choose the next or previous radio (round
// from the last to the first), and the procedure hears each choice.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QRadioButton>

#include <atomic>
#include <memory>
#include <string>

#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::qt {
namespace {

using ui::ControlType;

enum : int { kNome = 1, kGrupo = 2, kPrimeiro = 3, kSegundo = 4, kTerceiro = 5, kEmail = 6 };

class GroupRadioKeys : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        front = std::make_unique<QtFrontEnd>(runtime);
        front->mainWindow()->resize(900, 600);
        front->Show();
        front->mainWindow()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(front->mainWindow()));
        runtime.Start("Opcoes", [this](ui::ProcContext& ctx) {
            ui::Window w(ctx, "Opções");
            std::string nome;
            bool email = false;
            w.Entry(kNome, ui::Use(nome), "@s20");
            w.Add(kGrupo, ControlType::Group, " Tipo ");
            const char* escolhas[] = {"Mestres", "Analíticos", "Diários"};
            for (int i = 0; i < 3; ++i)
                w.Radio(kPrimeiro + i, escolhas[i],
                        ui::UseFn([this, i] { return std::string(tipo == i ? "1" : "0"); },
                                  [this, i](const std::string& s) {
                                      if (s == "1") tipo = i;
                                      return true;
                                  }))
                    .Parent(kGrupo);
            w.Check(kEmail, "Enviar e-mail", ui::Use(email));
            w.Open();
            for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
                w.Display();  // every radio shows the choice
                if (e.code == ui::event::CloseWindow) w.Close();
            }
        });
        ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Opções") != 0 && runtime.Idle(); }));
        window = front->WindowByCaption("Opções");
        ASSERT_TRUE(RunEventsUntil([&] { return FocusOn(kNome); }));
    }
    void TearDown() override {
        runtime.Shutdown();
        front.reset();
    }
    bool FocusOn(int feq) {
        QWidget* w = front->ControlWidget(window, feq);
        return w && QApplication::focusWidget() == w;
    }
    // The radios show the choice `i` (the procedure's answer has reached the window).
    bool Mostra(int i) {
        for (int j = 0; j < 3; ++j) {
            auto* r = qobject_cast<QRadioButton*>(front->ControlWidget(window, kPrimeiro + j));
            if (!r || r->isChecked() != (i == j)) return false;
        }
        return true;
    }
    void Press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
        ASSERT_TRUE(RunEventsUntil([&] { return runtime.Idle(); }));
        QCoreApplication::processEvents();
    }

    ui::Runtime runtime;
    std::unique_ptr<QtFrontEnd> front;
    std::atomic<int> tipo{0};
    int window = 0;
};

TEST_F(GroupRadioKeys, TabStopsAtTheChosenRadioAndTheArrowsChoose) {
    struct Row {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int focus;  // the control with the focus afterwards
        int tipo;   // the procedure's choice afterwards
    };
    const Row rows[] = {
        {"Tab enters the group at the chosen radio", Qt::Key_Tab, Qt::NoModifier, kPrimeiro, 0},
        {"Down chooses the second", Qt::Key_Down, Qt::NoModifier, kSegundo, 1},
        {"Right chooses the third", Qt::Key_Right, Qt::NoModifier, kTerceiro, 2},
        {"Down from the last goes round to the first", Qt::Key_Down, Qt::NoModifier, kPrimeiro, 0},
        {"Up from the first goes round to the last", Qt::Key_Up, Qt::NoModifier, kTerceiro, 2},
        {"Left goes back one", Qt::Key_Left, Qt::NoModifier, kSegundo, 1},
        {"Tab leaves the group for the next control", Qt::Key_Tab, Qt::NoModifier, kEmail, 1},
        {"Shift+Tab comes back to the chosen radio", Qt::Key_Backtab, Qt::ShiftModifier, kSegundo, 1},
        {"Shift+Tab again leaves the group backwards", Qt::Key_Backtab, Qt::ShiftModifier, kNome, 1},
    };
    for (const Row& r : rows) {
        Press(r.key, r.mods);
        EXPECT_TRUE(RunEventsUntil([&] { return FocusOn(r.focus); }, 2000))
            << r.what << ": focus on " << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing");
        EXPECT_TRUE(RunEventsUntil([&] { return tipo == r.tipo && Mostra(r.tipo); }, 2000)) << r.what << ": choice " << tipo;
    }
}

}  // namespace
}  // namespace vorel::qt
