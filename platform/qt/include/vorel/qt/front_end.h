// QtFrontEnd: the window model rendered with Qt Widgets, on the GUI thread.
//
// It owns the program's main window (a frame with a document area where every procedure's windows
// live). It watches the runtime's wake-up descriptor with a socket notifier and applies the
// procedures' messages to its widgets: windows opened, changed and closed, controls changed,
// message boxes and file dialogs (ordinary windows; the asking procedure's windows are shown
// disabled meanwhile, every other window stays usable). The user's actions go back with
// `Runtime::Post`. The GUI thread never runs a procedure, never touches a procedure's `Window`,
// and never waits for a procedure thread.
//
// The application frame is the window whose header is marked `frame`: its menu bar (menus and
// items with access letters and "\t"-separated shortcut texts), its toolbar and what stands on
// it, its status-bar zones and its wallpaper become the main window's. When it closes,
// `onFrameClosed` runs (the program ends).
//
//     QApplication app(argc, argv);
//     vorel::ui::Runtime runtime;
//     vorel::qt::QtFrontEnd ui(runtime, {.keypadComma = vorel::qt::KeypadDecimalIsComma()});
//     ui.onFrameClosed = [&] { app.quit(); };
//     runtime.Start("Main");  ui.Show();  app.exec();
//     runtime.Shutdown();     // before `ui` goes
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorel/ui/runtime.h"

class QMainWindow;
class QWidget;

namespace vorel::qt {

struct FrontEndOptions {
    bool keypadComma = true;   // the keypad's decimal key types a comma
    std::string iconFolder;    // where icon files named by controls are looked for
    // A settings file (e.g. "Vorel.ini") where the main window keeps its size and place between
    // runs (section "JanelaPrincipal"): it opens as it was closed, maximised the first time. ""
    // leaves the main window at its default size.
    std::string frameSettings;
};

// The keyboard option: key "TecladoPadraoBR" of section "Parametros" of "qel.ini" (the user's
// settings folder); 0 or missing means the keypad's decimal key types a comma.
bool KeypadDecimalIsComma();

class QtFrontEnd : public ui::FrontEnd {
public:
    explicit QtFrontEnd(ui::Runtime& runtime, FrontEndOptions options = {});
    ~QtFrontEnd() override;
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    void Apply(const ui::UiMessage& message) override;
    // Applies every waiting message now (the notifier does this by itself).
    void Pump();

    QMainWindow* mainWindow();
    void Show();

    // Runs when the application frame's window closes.
    std::function<void()> onFrameClosed;

    // Lookups, for tests and screenshots: the sub-window of a model window (0 when none), the
    // widget of a control, the last opened window with a caption (0 when none), the open message
    // box or file dialog widget (nullptr when none).
    QWidget* WindowWidget(int window) const;
    QWidget* ControlWidget(int window, int feq) const;
    int WindowByCaption(const std::string& caption) const;
    int FrameWindow() const;
    std::vector<int> Windows() const;  // every open window, in opening order
    QWidget* OpenDialog() const;
    std::string StatusZone(int zone) const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace vorel::qt
