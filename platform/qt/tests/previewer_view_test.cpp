// The report previewer in the Qt front end: the page is shown whole inside a scrolled place (the
// window stays within the frame), and the page buttons turn it.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtTest/QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
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

// The two pages previewed under the Qt front end; `Open` answers the previewer's window.
struct PreviewerView : ::testing::Test {
    ui::Runtime rt;
    std::unique_ptr<QtFrontEnd> front;
    report::Document pages = TwoPages();
    std::atomic<bool> done{false};
    report::PreviewResult result;

    void SetUp() override {
        TestApplication();
        front = std::make_unique<QtFrontEnd>(rt);
        front->mainWindow()->resize(1000, 700);
        front->Show();
    }
    void TearDown() override {
        rt.Shutdown();
        front.reset();
    }
    int Open(report::PreviewOptions options) {
        rt.Start("Teste", [this, options](ui::ProcContext& ctx) {
            result = report::preview_report(ctx, pages, options);
            done = true;
        });
        EXPECT_TRUE(RunEventsUntil([&] { return front->WindowByCaption("Visualização - Teste") != 0 && rt.Idle(); }));
        QCoreApplication::processEvents();
        return front->WindowByCaption("Visualização - Teste");
    }
};

TEST_F(PreviewerView, ThePageScrollsInsideTheWindowAndTurns) {
    const int w = Open({.zoom = 125, .copies = 1});
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
}

// Enter in "Página" and "Zoom (%)" applies the value typed and keeps the focus there (it never
// prints); "&Imprimir" on a machine with no printer says so in plain words and the preview stays.
TEST_F(PreviewerView, EnterInPageOrZoomAppliesItAndNoPrinterIsSaidPlainly) {
    const int w = Open({.zoom = 125, .copies = 1, .queues = [] { return report::PrintQueues{}; }});
    auto* page = qobject_cast<QLabel*>(qobject_cast<QScrollArea*>(front->ControlWidget(w, report::preview::kPage))->widget());
    ASSERT_NE(page, nullptr);
    auto settle = [&] {
        ASSERT_TRUE(RunEventsUntil([&] { return rt.Idle(); }));
        QCoreApplication::processEvents();
    };
    auto focusIn = [&](int feq) {
        QWidget* c = front->ControlWidget(w, feq);
        QWidget* f = QApplication::focusWidget();
        return c && f && (f == c || c->isAncestorOf(f));
    };
    // The page number: typed, Enter.
    QWidget* number = front->ControlWidget(w, report::preview::kPageNumber);
    ASSERT_NE(number, nullptr);
    QTest::mouseClick(number, Qt::LeftButton);
    settle();
    auto* edit = number->findChild<QLineEdit*>() ? number->findChild<QLineEdit*>() : qobject_cast<QLineEdit*>(number);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "2");
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
    ASSERT_TRUE(RunEventsUntil([&] { return front->ControlWidget(w, report::preview::kFirst)->isEnabled(); }, 3000))
        << "page 2 is shown";
    EXPECT_FALSE(done.load()) << "Enter in \"Página\" printed the report";
    EXPECT_TRUE(focusIn(report::preview::kPageNumber));
    // The zoom: typed, Enter.
    const int width = page->pixmap().width();
    QWidget* zoom = front->ControlWidget(w, report::preview::kZoom);
    QTest::mouseClick(zoom, Qt::LeftButton);
    settle();
    QWidget* zoomEdit = QApplication::focusWidget();
    ASSERT_NE(zoomEdit, nullptr);
    QTest::keyClick(zoomEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(zoomEdit, "50");
    QTest::keyClick(zoomEdit, Qt::Key_Return);
    settle();
    EXPECT_TRUE(RunEventsUntil([&] { return page->pixmap().width() != width; }, 3000)) << "the zoom applied";
    EXPECT_FALSE(done.load()) << "Enter in \"Zoom (%)\" printed the report";
    EXPECT_TRUE(focusIn(report::preview::kZoom));
    // No printer on this machine: "&Imprimir" says so and the preview stays.
    QTest::mouseClick(qobject_cast<QPushButton*>(front->ControlWidget(w, report::preview::kPrint)), Qt::LeftButton);
    ASSERT_TRUE(RunEventsUntil([&] { return front->OpenDialog() != nullptr; }));
    auto* text = front->OpenDialog()->findChild<QLabel*>("text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text().toStdString(), "Nenhuma impressora disponível; o relatório não foi impresso.");
    QTest::keyClick(front->OpenDialog(), Qt::Key_Return);
    ASSERT_TRUE(RunEventsUntil([&] { return front->OpenDialog() == nullptr && rt.Idle(); }));
    EXPECT_FALSE(done.load());
    EXPECT_NE(front->WindowByCaption("Visualização - Teste"), 0) << "the preview stays open";
    QTest::mouseClick(qobject_cast<QPushButton*>(front->ControlWidget(w, report::preview::kClose)), Qt::LeftButton);
    ASSERT_TRUE(RunEventsUntil([&] { return done.load(); }));
    EXPECT_FALSE(result.print);
}

}  // namespace
}  // namespace vorel::qt
