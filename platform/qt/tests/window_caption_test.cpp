// A window with little in it (two buttons) is made wide enough to show its caption whole: the
// caption is what tells the user which repair the window runs.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiSubWindow>

#include <memory>

#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::qt {
namespace {

constexpr const char* kCaption = "Ajustar Lançamento de Entrada - Campo 14-Base Calc. / 17-Base Op. Própria";

TEST(WindowCaption, ANarrowWindowIsWideEnoughForItsCaption) {
    TestApplication();
    ui::Runtime runtime;
    auto front = std::make_unique<QtFrontEnd>(runtime);
    front->mainWindow()->resize(1200, 800);
    front->Show();
    runtime.Start("Ajuste", [](ui::ProcContext& ctx) {
        ui::Window w(ctx, kCaption);
        w.Button(1, "&Ajustar");
        w.Button(2, "&Cancelar");
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;)
            if (e.code == ui::event::CloseWindow) w.Close();
    });
    ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption(kCaption) != 0 && runtime.Idle(); }));
    QWidget* button = front->ControlWidget(front->WindowByCaption(kCaption), 1);
    ASSERT_NE(button, nullptr);
    QMdiSubWindow* sub = nullptr;
    for (QWidget* p = button; p && !sub; p = p->parentWidget()) sub = qobject_cast<QMdiSubWindow*>(p);
    ASSERT_NE(sub, nullptr);
    QCoreApplication::processEvents();
    QFont title = sub->font();
    title.setBold(true);
    EXPECT_GE(sub->width(), QFontMetrics(title).horizontalAdvance(QString::fromUtf8(kCaption)));
    runtime.Shutdown();
    front.reset();
}

}  // namespace
}  // namespace vorel::qt
