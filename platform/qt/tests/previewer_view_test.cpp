// The report previewer in the Qt front end: the page is shown whole inside a scrolled place (the
// window stays within the frame), and the page buttons turn it.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtTest/QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/report/previewer.h"
#include "vorel/ui/runtime.h"

namespace vorel::qt {
namespace {


report::Document TwoPages() {
    report::Document d;
    d.title = "Teste";
    for (int n = 1; n <= 2; ++n) {
        report::Page p;
        p.number = n;
        p.items.push_back(report::TextItem{{500, 500, 4000, 300}, "P\xE1gina " + std::to_string(n), {}, report::Align::Left, false});
        p.items.push_back(report::BoxItem{{500, 1000, 7500, 9000}, 20, -1});
        d.pages.push_back(p);
    }
    return d;
}

TEST(PreviewerView, ThePageScrollsInsideTheWindowAndTurns) {
    TestApplication();
    ui::Runtime rt;
    auto front = std::make_unique<QtFrontEnd>(rt);
    front->mainWindow()->resize(1000, 700);
    front->Show();
    report::Document pages = TwoPages();
    std::atomic<bool> done{false};
    report::PreviewResult result;
    rt.Start("Teste", [&](ui::ProcContext& ctx) {
        result = report::preview_report(ctx, pages, {.zoom = 125, .copies = 1});
        done = true;
    });
    ASSERT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Visualização - Teste") != 0 && rt.Idle(); }));
    QCoreApplication::processEvents();
    int w = front->WindowByCaption("Visualização - Teste");
    auto* scroll = qobject_cast<QScrollArea*>(front->ControlWidget(w, report::preview::kPage));
    ASSERT_NE(scroll, nullptr);
    auto* page = qobject_cast<QLabel*>(scroll->widget());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->pixmap().size(), QSize(1020, 1320)) << "the page whole, at 125 % of 96 dots per inch";
    QWidget* window = front->WindowWidget(w);
    QRect area = front->mainWindow()->findChild<QMdiArea*>()->viewport()->rect();
    EXPECT_TRUE(area.contains(window->geometry())) << "the window stays inside the frame";
    EXPECT_GT(scroll->viewport()->height(), area.height() / 2) << "the page takes most of the frame";
    const QImage first = page->pixmap().toImage();
    if (QByteArray shots = qgetenv("VOREL_SCREENS_DIR"); !shots.isEmpty())
        front->mainWindow()->grab().save(QDir(QString::fromUtf8(shots)).filePath("previewer.png"));

    QTest::mouseClick(qobject_cast<QPushButton*>(front->ControlWidget(w, report::preview::kNext)), Qt::LeftButton);
    ASSERT_TRUE(RunEventsUntil([&] { return page->pixmap().toImage() != first; })) << "the next page is shown";
    QTest::mouseClick(qobject_cast<QPushButton*>(front->ControlWidget(w, report::preview::kClose)), Qt::LeftButton);
    ASSERT_TRUE(RunEventsUntil([&] { return done.load(); }));
    EXPECT_FALSE(result.print);
    rt.Shutdown();
    front.reset();
}

}  // namespace
}  // namespace vorel::qt
