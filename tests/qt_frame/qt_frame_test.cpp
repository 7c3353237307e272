// The shell's `Main` rendered by the Qt front end on the offscreen platform: its menus with access
// letters and shortcuts, the toolbar with its texts and keys, the clock in the fourth status zone.
// Every procedure it starts is a stub that notes its name. With VOREL_SCREENS_DIR set, the test
// saves a picture of the frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QRegularExpression>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>

#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

#include "vorel/qt/test_application.h"
#include "vorel/core/paths.h"
#include "vorel/qt/front_end.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

QApplication& App() { return vorel::qt::TestApplication(); }

class QtFrame : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorel-qtframe-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        std::filesystem::create_directories(dir / "settings");
        std::filesystem::create_directories(dir / "dados" / "BComuns");
        ::setenv("VOREL_SETTINGS_DIR", (dir / "settings").c_str(), 1);
        shell::RegisterShellGlobals();
        shell::PastaRaiz.Set(files::to_program_path(dir / "dados") + "\\");
        shell::PastaPrograma.Set(files::to_program_path(dir / "programa") + "\\");
        shell::GLO_EMPRESA_CODIGO.Set(0);
        servicos.abertura = false;
        servicos.procura = [this](std::string_view n) -> std::optional<ui::ProcedureFn> {
            std::string name(n);
            if (name == "Login")
                return ui::ProcedureFn([](ui::ProcContext& c) { c.response = ui::Response::Completed; });
            if (name == "CarregaCodigosImpressora") return std::nullopt;
            return ui::ProcedureFn([this, name](ui::ProcContext&) {
                std::lock_guard lock(m);
                started.push_back(name);
            });
        };
        front = std::make_unique<qt::QtFrontEnd>(runtime);
        front->mainWindow()->resize(1100, 700);
        front->Show();
        runtime.Start("Main", [this](ui::ProcContext& c) { shell::Main(c, servicos); });
        ASSERT_TRUE(Until([&] { return front->FrameWindow() != 0 && runtime.Idle(); }));
        QCoreApplication::processEvents();  // the frame's menus are built once its controls are in
    }
    void TearDown() override {
        runtime.Shutdown();
        front.reset();
        ::unsetenv("VOREL_SETTINGS_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    bool Until(const std::function<bool()>& pred, int ms = 20000) { return qt::RunEventsUntil(pred, ms); }
    std::vector<std::string> Started() {
        std::lock_guard lock(m);
        return started;
    }

    std::filesystem::path dir;
    shell::ServicosMain servicos;
    ui::Runtime runtime;
    std::unique_ptr<qt::QtFrontEnd> front;
    std::mutex m;
    std::vector<std::string> started;
};

TEST_F(QtFrame, MenusToolbarKeysAndClock) {
    QMainWindow* mw = front->mainWindow();
    EXPECT_TRUE(mw->windowTitle().startsWith("Vorel  -  ")) << mw->windowTitle().toStdString();
    QStringList menus;
    for (QAction* a : mw->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Arquivo", "&Lançamentos", "&Cálculos", "&Relatórios", "&Integração",
                                  "&Utilitários", "A&juda", "&Sair"}));  // the bar shows no shortcut text
    QMenu* arquivo = mw->menuBar()->actions().front()->menu();
    ASSERT_NE(arquivo, nullptr);
    QAction* cfo = nullptr;
    for (QAction* a : arquivo->actions())
        if (a->text().startsWith("C.F.&O.P.")) cfo = a;
    ASSERT_NE(cfo, nullptr);
    EXPECT_EQ(cfo->text(), "C.F.&O.P.\tCtrl + O");
    EXPECT_EQ(cfo->shortcut(), QKeySequence("Ctrl+O"));

    // The toolbar's texts and the clock.
    auto* tb = mw->findChild<QToolBar*>("toolbar");
    ASSERT_NE(tb, nullptr);
    QStringList texts;
    for (auto* l : tb->findChildren<QLabel*>()) texts << l->text();
    EXPECT_TRUE(texts.contains("Empresa Selecionada"));
    EXPECT_TRUE(texts.contains("Vídeo/Windows"));
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(QString::fromStdString(front->StatusZone(4))).hasMatch())
        << front->StatusZone(4);
    QByteArray shots = qgetenv("VOREL_SCREENS_DIR");
    if (!shots.isEmpty()) mw->grab().save(QDir(QString::fromUtf8(shots)).filePath("shell-frame.png"));

    // Keys typed by the user: a menu item's shortcut and the toolbar's key start their procedures,
    // each once (the key is a shortcut of the main window, once for all the buttons that
    // registered it).
    mw->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mw));
    QTest::keyClick(mw, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(Until([&] { return Started().size() == 1; }));
    QAction* f2 = nullptr;
    int f2Count = 0;
    for (QAction* a : mw->actions())
        if (a->shortcut() == QKeySequence(Qt::Key_F2)) {
            f2 = a;
            ++f2Count;
        }
    ASSERT_NE(f2, nullptr);
    EXPECT_EQ(f2Count, 1);
    QTest::keyClick(mw, Qt::Key_F2);
    ASSERT_TRUE(Until([&] { return Started().size() == 2; }));
    Until([&] { return false; }, 100);  // nothing more arrives
    EXPECT_EQ(Started(), (std::vector<std::string>{"CFO", "SelecionaEmpresa"}));
}

}  // namespace
