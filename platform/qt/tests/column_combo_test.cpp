// Drop lists whose entries have cells under two or more columns drop down a table with the
// columns' headings and widths; the closed box shows the entry's item, and a row picked with the
// mouse or the keyboard reaches the procedure as that entry. A one-column combo stays a plain list.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QPixmap>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QTreeView>

#include <atomic>
#include <cstdlib>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "qt_convert.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::qt {
namespace {

enum { kCategoria = 1, kUsuario, kReload };

bool Until(const std::function<bool()>& pred) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (pred()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return pred();
}

TEST(ColumnCombo, TwoColumnDropListShowsATableAndPickedRowsGiveTheirEntries) {
    TestApplication();
    ui::Runtime rt;
    auto front = std::make_unique<QtFrontEnd>(rt);
    front->mainWindow()->resize(900, 600);
    front->Show();
    std::atomic<int> picked{-1};
    rt.Start("Categorias", [&](ui::ProcContext& ctx) {
        int categoria = 0;
        std::string usuario;
        ui::Window w(ctx, "Categorias");
        w.DropList(kCategoria, ui::Use(categoria), {"00", "01", "11"}, {"0", "1", "11"})
            .Columns({{"Código", 20, 'R'}, {"Descrição", 120, 'L'}})
            .ItemRows({{{"00"}, {"Não gera FGTS"}}, {{"01"}, {"Empregado"}}, {{"11"}, {"Contribuinte Individual"}}})
            .At(10, 10, 60, 12);
        w.Combo(kUsuario, ui::Use(usuario), {"ANA", "JOSE"}).Columns({{"Nome", 80, 'L'}}).At(10, 30, 80, 12);
        w.Button(kReload, "&Recarrega").At(100, 30, 40, 14);
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
            if (e.code == ui::event::CloseWindow) w.Close();
            if (e.code == ui::event::Accepted && e.feq == kCategoria) picked = categoria;
            if (e.code == ui::event::Accepted && e.feq == kReload) {
                w[kCategoria].Items({"02"}, {"2"});  // new entries without cells: a plain list again
                w.Display();
            }
        }
    });
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Categorias") != 0; }));
    const int win = front->WindowByCaption("Categorias");
    auto* box = qobject_cast<QComboBox*>(front->ControlWidget(win, kCategoria));
    ASSERT_NE(box, nullptr);
    auto* table = qobject_cast<QTreeView*>(box->view());
    ASSERT_NE(table, nullptr) << "two columns and a row per entry drop down a table";

    QHeaderView* header = table->header();
    EXPECT_EQ(header->count() - header->hiddenSectionCount(), 2);
    EXPECT_EQ(box->model()->headerData(1, Qt::Horizontal).toString(), "Código");
    EXPECT_EQ(box->model()->headerData(2, Qt::Horizontal).toString(), "Descrição");
    EXPECT_EQ(box->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(table->columnWidth(1), DluX(20));
    EXPECT_GE(table->columnWidth(2), DluX(120)) << "the last column fills what is left";
    EXPECT_EQ(box->model()->index(1, 2).data().toString(), "Empregado");

    box->showPopup();
    ASSERT_TRUE(Until([&] { return table->isVisible(); }));
    EXPECT_GE(table->width(), DluX(140)) << "the popup is as wide as its columns";
    EXPECT_EQ(table->window()->geometry().top(), box->mapToGlobal(QPoint(0, box->height())).y())
        << "the table drops down below the box, its heading not over it";
    const QModelIndex third = box->model()->index(2, 2);
    EXPECT_GE(table->viewport()->height(), 3 * table->visualRect(third).height()) << "every entry shows below the heading";
    if (const char* shots = std::getenv("VOREL_SCREENS_DIR")) table->window()->grab().save(QString(shots) + "/column_combo.png");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(third).center());
    ASSERT_TRUE(Until([&] { return picked == 11; })) << "picked " << picked;
    ASSERT_TRUE(Until([&] { return box->currentText() == "11"; })) << "the closed box shows the item";

    box->showPopup();
    ASSERT_TRUE(Until([&] { return table->isVisible(); }));
    QTest::keyClick(table, Qt::Key_Up);
    QTest::keyClick(table, Qt::Key_Return);
    ASSERT_TRUE(Until([&] { return picked == 1; })) << "picked " << picked;

    auto* oneColumn = qobject_cast<QComboBox*>(front->ControlWidget(win, kUsuario));
    ASSERT_NE(oneColumn, nullptr);
    EXPECT_EQ(qobject_cast<QTreeView*>(oneColumn->view()), nullptr) << "one column: a plain list";
    EXPECT_EQ(oneColumn->count(), 2);

    ui::UserEvent press;
    press.kind = ui::UserEvent::Press;
    press.window = win;
    press.feq = kReload;
    rt.Post(press);
    ASSERT_TRUE(Until([&] { return box->count() == 1 && qobject_cast<QTreeView*>(box->view()) == nullptr; }));
    EXPECT_EQ(box->model()->columnCount(), 1);
    EXPECT_EQ(box->itemText(0), "02");

    rt.Shutdown();
    front.reset();
}

}  // namespace
}  // namespace vorel::qt
