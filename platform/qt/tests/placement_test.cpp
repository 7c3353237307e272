// Controls a procedure places by position (dialog units, relative to the window): on a tab page
// they land where the window says, not shifted by the sheet and its tab bar; inside a group they
// are shown (in front of the group's frame); when the procedure moves them, their widgets follow.
// Without positions, an entry's search button stands beside it, and a prompt beside the value it names.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QTabWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

#include "qt_convert.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::qt {
namespace {

enum { kSheet = 1, kTab1, kTab2, kEntry, kOther, kGroup, kCheck, kMove, kCombo };


TEST(Placement, PositionsOnTabPagesAndInGroupsAreTheWindows) {
    TestApplication();
    ui::Runtime rt;
    auto front = std::make_unique<QtFrontEnd>(rt);
    front->mainWindow()->resize(900, 600);
    front->Show();
    rt.Start("Fichas", [](ui::ProcContext& ctx) {
        std::string um = "abc", dois = "def", nome;
        ui::Window w(ctx, "Fichas");
        w.Sheet(kSheet).At(4, 4, 220, 100);
        w.Tab(kTab1, kSheet, "Um");
        w.Tab(kTab2, kSheet, "Dois");
        w.Entry(kEntry, ui::Use(um)).Parent(kTab1).At(40, 40, 60, 12);
        w.Entry(kOther, ui::Use(dois)).Parent(kTab2).At(20, 30, 60, 12);
        w.Add(kGroup, ui::ControlType::Group, "Opções").At(4, 110, 220, 40);
        w.Add(kCheck, ui::ControlType::Check, "Ativo").Parent(kGroup).At(14, 124, 80, 10);
        w.Button(kMove, "Mover").At(230, 4, 40, 14);
        w.Combo(kCombo, ui::Use(nome)).At(230, 30, 120, 12).Items({"A", "B"});
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
            if (e.code == ui::event::CloseWindow) w.Close();
            if (e.code == ui::event::Accepted && e.feq == kMove) {
                w[kEntry].At(60, 50, 60, 12);  // the procedure moves it (as a resizer does)
                w.Display();
            }
        }
    });
    ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Fichas") != 0; }));
    int win = front->WindowByCaption("Fichas");
    QWidget* content = front->WindowWidget(win)->findChild<QWidget*>("content-" + QString::number(win));
    ASSERT_NE(content, nullptr);
    auto at = [&](int feq) { return front->ControlWidget(win, feq)->mapTo(content, QPoint(0, 0)); };
    ASSERT_TRUE(RunEventsUntil([&] { return at(kEntry) == QPoint(DluX(40), DluY(40)); })) << at(kEntry).x() << "," << at(kEntry).y();
    EXPECT_EQ(front->ControlWidget(win, kEntry)->size(), QSize(DluX(60), DluY(12)));

    auto* sheet = qobject_cast<QTabWidget*>(front->ControlWidget(win, kSheet));
    ASSERT_NE(sheet, nullptr);
    sheet->setCurrentIndex(1);
    ASSERT_TRUE(RunEventsUntil([&] { return at(kOther) == QPoint(DluX(20), DluY(30)); })) << at(kOther).x() << "," << at(kOther).y();

    auto* check = qobject_cast<QCheckBox*>(front->ControlWidget(win, kCheck));
    ASSERT_NE(check, nullptr) << "a control in a group is built";
    EXPECT_TRUE(check->isVisible());
    EXPECT_EQ(at(kCheck), QPoint(DluX(14), DluY(124)));
    auto* group = qobject_cast<QGroupBox*>(front->ControlWidget(win, kGroup));
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->geometry().contains(check->geometry()));

    // A combo given its items keeps the size the procedure placed it at (it does not fit itself).
    RunEventsUntil([] { return false; }, 100);
    EXPECT_EQ(front->ControlWidget(win, kCombo)->size(), QSize(DluX(120), DluY(12)));

    sheet->setCurrentIndex(0);
    ui::UserEvent press;
    press.kind = ui::UserEvent::Press;
    press.window = win;
    press.feq = kMove;
    rt.Post(press);
    ASSERT_TRUE(RunEventsUntil([&] { return at(kEntry) == QPoint(DluX(60), DluY(50)); })) << at(kEntry).x() << "," << at(kEntry).y();

    rt.Shutdown();
    front.reset();
}

// Without positions: an entry's search button (no caption, or "...") and a prompt's picture button
// stand on their row; a captioned button goes to the row of buttons at the bottom.
TEST(Placement, SearchButtonsStandBesideTheirEntries) {
    enum { kPCodigo = 1, kCodigo, kBusca, kPArquivo, kArquivo, kEscolhe, kPMes, kCadeado, kOk };
    TestApplication();
    ui::Runtime rt;
    auto front = std::make_unique<QtFrontEnd>(rt);
    front->mainWindow()->resize(900, 600);
    front->Show();
    rt.Start("Linhas", [](ui::ProcContext& ctx) {
        std::string codigo, arquivo;
        ui::Window w(ctx, "Linhas");
        w.Prompt(kPCodigo, "Código:");
        w.Entry(kCodigo, ui::Use(codigo));
        w.Button(kBusca, "").Icon("search");
        w.Prompt(kPArquivo, "Arquivo:");
        w.Entry(kArquivo, ui::Use(arquivo));
        w.Button(kEscolhe, "...");
        w.Prompt(kPMes, "Mês Aberto");
        w.Button(kCadeado, "").Icon("cadeadoaberto.ico");
        w.Button(kOk, "&OK");
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;)
            if (e.code == ui::event::CloseWindow) w.Close();
    });
    ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Linhas") != 0 && rt.Idle(); }));
    RunEventsUntil([] { return false; }, 100);
    int win = front->WindowByCaption("Linhas");
    QWidget* content = front->WindowWidget(win)->findChild<QWidget*>("content-" + QString::number(win));
    ASSERT_NE(content, nullptr);
    auto box = [&](int feq) {
        QWidget* w = front->ControlWidget(win, feq);
        return QRect(w->mapTo(content, QPoint(0, 0)), w->size());
    };
    for (auto [entry, button] : {std::pair{kCodigo, kBusca}, {kArquivo, kEscolhe}, {kPMes, kCadeado}}) {
        EXPECT_EQ(box(button).center().y(), box(entry).center().y()) << "button " << button;
        EXPECT_GT(box(button).left(), box(entry).right()) << "button " << button;
    }
    EXPECT_GT(box(kOk).top(), box(kCadeado).bottom());
    EXPECT_LT(box(kCodigo).width(), 300) << "the entry keeps its own width beside its button";
    rt.Shutdown();
    front.reset();
}

// Without positions: a prompt followed by the value it names (a counter, a name read from a
// register) stands on one row with it, as a prompt and its entry do, so that a window of counters
// is one row a counter, not two.
TEST(Placement, APromptAndItsValueShareARow) {
    enum { kPTipo02 = 1, kTipo02, kPTotal, kTotal, kOk };
    TestApplication();
    ui::Runtime rt;
    auto front = std::make_unique<QtFrontEnd>(rt);
    front->mainWindow()->resize(900, 600);
    front->Show();
    rt.Start("Contadores", [](ui::ProcContext& ctx) {
        ui::Window w(ctx, "Contadores");
        w.Prompt(kPTipo02, "Arquivo Tipo 02");
        w.String(kTipo02, "             2");
        w.Prompt(kPTotal, "Total de Registros");
        w.String(kTotal, "            10");
        w.Button(kOk, "&OK");
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;)
            if (e.code == ui::event::CloseWindow) w.Close();
    });
    ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Contadores") != 0 && rt.Idle(); }));
    RunEventsUntil([] { return false; }, 100);
    int win = front->WindowByCaption("Contadores");
    QWidget* content = front->WindowWidget(win)->findChild<QWidget*>("content-" + QString::number(win));
    ASSERT_NE(content, nullptr);
    auto box = [&](int feq) {
        QWidget* w = front->ControlWidget(win, feq);
        return QRect(w->mapTo(content, QPoint(0, 0)), w->size());
    };
    for (auto [prompt, value] : {std::pair{kPTipo02, kTipo02}, {kPTotal, kTotal}}) {
        EXPECT_EQ(box(value).center().y(), box(prompt).center().y()) << "value " << value;
        EXPECT_GT(box(value).left(), box(prompt).right()) << "value " << value;
    }
    EXPECT_GT(box(kPTotal).top(), box(kTipo02).bottom()) << "the next prompt starts the next row";
    rt.Shutdown();
    front.reset();
}

}  // namespace
}  // namespace vorel::qt
