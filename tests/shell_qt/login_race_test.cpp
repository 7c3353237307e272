// The program's start with windows, repeated on new data folders (offscreen): after a correct
// login the frame's window always follows, and the program goes on until the frame is closed.
// The login window closes before the frame's window shows; for a moment no window is visible.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>

#include <filesystem>

#include "data_root.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/tables.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/registers/procedures.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"
#include "windowed_loop.h"

namespace {

using namespace vorel;
namespace fs = std::filesystem;

using vorel::testing::WithDictionary;

void Post(ui::Runtime& runtime, ui::UserEvent::Kind kind, int window, int feq, std::string text = {}) {
    ui::UserEvent e;
    e.kind = kind;
    e.window = window;
    e.feq = feq;
    e.text = std::move(text);
    runtime.Post(e);
}

// What one start saw.
struct Start {
    bool loggedIn = false;  // the login was answered
    bool frame = false;     // the frame's window opened and was visible
    bool timedOut = false;
    int rc = -1;
};

// One start of the program on a new data folder: the built-in user logs in as soon as the login
// window is idle; the frame is closed as soon as it shows.
Start StartOnNewFolder(QApplication& app, const fs::path& folder) {
    fs::create_directories(folder / "TRABALHO");
    fs::create_directories(folder / "settings");
    ::setenv("VOREL_SETTINGS_DIR", (folder / "settings").c_str(), 1);
    const auto started = shell::IniciaPrograma(files::to_program_path(folder / "TRABALHO"), files::to_program_path(folder));
    EXPECT_TRUE(started.falhas.empty());

    Start s;
    QTimer driver;
    QElapsedTimer clock;
    clock.start();
    app::WindowedLoop loop{.first = "Main", .frontEnd = {.keypadComma = true, .iconFolder = {}, .frameSettings = {}}, .started = {}};
    loop.started = [&](ui::Runtime& runtime, qt::QtFrontEnd& front) {
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (clock.elapsed() > 20000) {
                s.timedOut = true;
                QCoreApplication::quit();
            } else if (!s.loggedIn) {
                const int login = front.WindowByCaption("Login de Usuário");
                if (login == 0 || !runtime.Idle()) return;
                Post(runtime, ui::UserEvent::Type, login, 5, "PAINELCHEFIA");
                Post(runtime, ui::UserEvent::Type, login, 7, "PAINELCHEFIA");
                Post(runtime, ui::UserEvent::Press, login, 9);
                s.loggedIn = true;
            } else if (!s.frame && front.FrameWindow() != 0 && front.mainWindow()->isVisible()) {
                s.frame = true;
                front.mainWindow()->close();  // the frame's procedure closes it, as Sair does
            }
        });
        driver.start(2);
    };
    s.rc = app::RunWindowedLoop(app, WithDictionary(), loop);
    ::unsetenv("VOREL_SETTINGS_DIR");
    return s;
}

TEST(LoginRace, TheFrameFollowsACorrectLoginOnEveryStart) {
    QApplication& app = qt::TestApplication();
    shell::RegisterShellProcedures();
    registers::AddRegisterProcedures();
    ui::InstallMessageBoxAsker();
    // In memory where the system offers it: a hundred new folders of tables cost seconds on disk.
    std::error_code shm;
    const fs::path base = fs::is_directory("/dev/shm", shm) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "vorel-loginrace-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    const fs::path root = tmpl;
    int withoutFrame = 0;
    for (int i = 0; i < 100; ++i) {
        const fs::path folder = root / std::to_string(i);
        const Start s = StartOnNewFolder(app, folder);
        ASSERT_FALSE(s.timedOut) << "start " << i << " neither logged in nor ended";
        EXPECT_TRUE(s.loggedIn) << "start " << i;
        EXPECT_EQ(s.rc, 0) << "start " << i;
        if (!s.frame) ++withoutFrame;
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    EXPECT_EQ(withoutFrame, 0) << "of 100 starts, these ended after the login without the frame";
    std::error_code ec;
    fs::remove_all(root, ec);
}

}  // namespace
