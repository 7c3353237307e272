// The program's start under the Qt front end on the offscreen platform: the login window of an
// empty users table, a wrong password's message, and the frame with its menu bar and toolbar after
// the built-in user logs in. With VOREL_SCREENS_DIR set, pictures of them are saved there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "program_root.h"
#include "vorel/qt/test_application.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/tables.h"
#include "vorel/qt/front_end.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

QApplication& App() { return vorel::qt::TestApplication(); }

using vorel::testing::WithDictionary;

class ShellQt : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(root_.Start());
        front = std::make_unique<qt::QtFrontEnd>(runtime);
        front->mainWindow()->resize(1100, 700);  // shown by the frame's window, as in the program
    }
    void TearDown() override {
        runtime.Shutdown();
        front.reset();
    }
    bool Until(const std::function<bool()>& pred, int ms = 8000) { return qt::RunEventsUntil(pred, ms); }
    void Settle() {
        ASSERT_TRUE(Until([&] { return runtime.Idle(); }));
        QCoreApplication::processEvents();
    }
    void Shot(const char* name, QWidget* what = nullptr) {
        QByteArray dir = qgetenv("VOREL_SCREENS_DIR");
        if (dir.isEmpty()) return;
        QCoreApplication::processEvents();
        (what ? what : front->mainWindow())->grab().save(QDir(QString::fromUtf8(dir)).filePath(QString::fromUtf8(name)));
    }
    void Post(ui::UserEvent::Kind kind, int window, int feq, std::string text = {}) {
        ui::UserEvent e;
        e.kind = kind;
        e.window = window;
        e.feq = feq;
        e.text = std::move(text);
        runtime.Post(e);
    }

    vorel::testing::ProgramRoot root_{"vorel-shellqt"};
    ui::Runtime runtime{WithDictionary()};
    std::unique_ptr<qt::QtFrontEnd> front;
};

TEST_F(ShellQt, LoginThenTheFrameWithItsMenuBar) {
    // The office's default wallpaper, tiled when Vorel.ini names none.
    QImage tile(64, 64, QImage::Format_RGB32);
    tile.fill(QColor(0x2F, 0x5D, 0x8A));
    QPainter(&tile).fillRect(0, 0, 32, 32, QColor(0x3C, 0x74, 0xA8));
    ASSERT_TRUE(tile.save(QString::fromStdString((root_.dir() / "TRABALHO" / "FGenerico.bmp").string()), "BMP"));
    shell::ServicosMain s = shell::ServicosPadrao();
    s.abertura = false;
    int main = runtime.Start("Main", [&s](ui::ProcContext& c) { shell::Main(c, s); });
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Login de Usuário") != 0; }));
    Settle();
    int login = front->WindowByCaption("Login de Usuário");
    EXPECT_EQ(front->FrameWindow(), 0) << "no frame before the login";
    EXPECT_FALSE(front->mainWindow()->isVisible()) << "the login stands alone, no empty frame behind it";
    QWidget* loginWindow = front->WindowWidget(login);
    ASSERT_NE(loginWindow, nullptr);
    EXPECT_TRUE(loginWindow->isWindow() && loginWindow->isVisible());
    Shot("shell-login.png", loginWindow);

    Post(ui::UserEvent::Type, login, 5, "PAINELCHEFIA");
    Post(ui::UserEvent::Type, login, 7, "errada");
    Post(ui::UserEvent::Press, login, 9);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    Settle();
    Shot("shell-login-wrong-password.png", loginWindow);
    if (QByteArray d = qgetenv("VOREL_SCREENS_DIR"); !d.isEmpty())
        front->OpenDialog()->grab().save(QDir(QString::fromUtf8(d)).filePath("shell-login-message.png"));
    front->OpenDialog()->close();
    Settle();

    Post(ui::UserEvent::Type, login, 7, "PAINELCHEFIA");
    Post(ui::UserEvent::Press, login, 9);
    ASSERT_TRUE(Until([&] { return front->FrameWindow() != 0; }));
    Settle();
    QMainWindow* mw = front->mainWindow();
    EXPECT_TRUE(mw->isVisible()) << "the frame's window shows the main window";
    EXPECT_EQ(mw->windowTitle().toStdString(),
              "Vorel  -  Versão: 1.00d 077 - " + (root_.dir() / "TRABALHO").string() + "/");
    QStringList menus;
    for (QAction* a : mw->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Arquivo", "&Lançamentos", "&Cálculos", "&Relatórios", "&Integração",
                                  "&Utilitários", "A&juda", "&Sair"}));
    Shot("shell-frame.png");
    QMenu* arquivo = mw->menuBar()->actions().front()->menu();
    ASSERT_NE(arquivo, nullptr);
    arquivo->popup(mw->mapToGlobal(QPoint(10, 30)));
    QCoreApplication::processEvents();
    if (QByteArray d = qgetenv("VOREL_SCREENS_DIR"); !d.isEmpty())
        arquivo->grab().save(QDir(QString::fromUtf8(d)).filePath("shell-menu-arquivo.png"));
    arquivo->hide();

    // The CFOP register from the keyboard: its menu shortcut opens the browse inside the frame,
    // Insert's button opens the form, the code and description are typed and Enter moves on.
    mw->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mw));
    // An X server without a window manager (the screenshots' Xvfb) activates nothing by itself.
    if (!QApplication::activeWindow()) QApplication::setActiveWindow(mw);
    QTest::keyClick(mw, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Janela de C.F.O.P. Cadastrados") != 0; }));
    Settle();
    int browse = front->WindowByCaption("Janela de C.F.O.P. Cadastrados");
    EXPECT_FALSE(front->WindowWidget(browse)->isWindow()) << "a sub-window of the frame";
    auto* insert = qobject_cast<QPushButton*>(front->ControlWidget(browse, 10));
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->text(), "&Inclui Novo C.F.O.");
    QTest::mouseClick(insert, Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Inclui Novo Cadastro de C.F.O.P.") != 0; }));
    Settle();
    int form = front->WindowByCaption("Inclui Novo Cadastro de C.F.O.P.");
    auto* code = qobject_cast<QLineEdit*>(front->ControlWidget(form, 3));
    ASSERT_NE(code, nullptr);
    ASSERT_TRUE(Until([&] { return code->hasFocus(); }));
    QTest::keyClicks(code, "1102");
    QTest::keyClick(code, Qt::Key_Return);
    auto* description = qobject_cast<QLineEdit*>(front->ControlWidget(form, 13));
    ASSERT_NE(description, nullptr);
    Post(ui::UserEvent::Focus, form, 13);
    ASSERT_TRUE(Until([&] { return description->hasFocus(); }));
    QTest::keyClicks(description, "Compra para revenda");
    Settle();
    Shot("shell-cfop-form.png");
    QWidget* formWindow = front->WindowWidget(form);
    EXPECT_GE(formWindow->width(), description->geometry().right()) << "the entry fits in its window";
    QTest::mouseClick(qobject_cast<QPushButton*>(front->ControlWidget(form, 14)), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Inclui Novo Cadastro de C.F.O.P.") == 0; }));
    Settle();
    auto* list = qobject_cast<QTableWidget*>(front->ControlWidget(browse, 8));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(Until([&] { return list->rowCount() >= 1 && list->item(0, 0) && list->item(0, 0)->text() == "1102"; }));
    EXPECT_EQ(list->item(0, 1)->text(), "Compra para revenda");
    Shot("shell-cfop-browse.png");
    mw->close();
    ASSERT_TRUE(Until([&] { return runtime.Finished(main).has_value(); }));
    EXPECT_EQ(*runtime.Finished(main), ui::Response::Completed);
}

}  // namespace
