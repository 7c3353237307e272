// The program's start under the Qt front end on the offscreen platform: the login window of an
// empty users table, a wrong password's message, and the frame with its menu bar and toolbar after
// the built-in user logs in. With VOREL_SCREENS_DIR set, pictures of them are saved there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "vorel/qt/test_application.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/tables.h"
#include "vorel/qt/front_end.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

QApplication& App() { return vorel::qt::TestApplication(); }

ui::Runtime::Options WithDictionary() {
    ui::Runtime::Options o;
    o.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
    o.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
    return o;
}

class ShellQt : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorel-shellqt-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        std::filesystem::create_directories(dir_ / "settings");
        ::setenv("VOREL_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
        shell::RegisterShellProcedures();
        ui::InstallMessageBoxAsker();
        auto r = shell::IniciaPrograma(files::to_program_path(dir_ / "TRABALHO"), files::to_program_path(dir_));
        ASSERT_TRUE(r.falhas.empty());
        front = std::make_unique<qt::QtFrontEnd>(runtime, qt::FrontEndOptions{true, {}});
        front->mainWindow()->resize(1100, 700);  // shown by the frame's window, as in the program
    }
    void TearDown() override {
        runtime.Shutdown();
        front.reset();
        ::unsetenv("VOREL_SETTINGS_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    bool Until(const std::function<bool()>& pred, int ms = 8000) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (pred()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return pred();
    }
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

    std::filesystem::path dir_;
    ui::Runtime runtime{WithDictionary()};
    std::unique_ptr<qt::QtFrontEnd> front;
};

TEST_F(ShellQt, LoginThenTheFrameWithItsMenuBar) {
    // The office's default wallpaper, tiled when Vorel.ini names none.
    QImage tile(64, 64, QImage::Format_RGB32);
    tile.fill(QColor(0x2F, 0x5D, 0x8A));
    QPainter(&tile).fillRect(0, 0, 32, 32, QColor(0x3C, 0x74, 0xA8));
    ASSERT_TRUE(tile.save(QString::fromStdString((dir_ / "TRABALHO" / "FGenerico.bmp").string()), "BMP"));
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
              "Vorel  -  Versão: 1.00d 077 - " + text::to_utf8(shell::PastaRaiz.Get()));
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
    mw->close();
    ASSERT_TRUE(Until([&] { return runtime.Finished(main).has_value(); }));
    EXPECT_EQ(*runtime.Finished(main), ui::Response::Completed);
}

}  // namespace
