// The headless driver: the tests' user, and a front end with no display.
//
// It keeps a mirror of every open window from the runtime's messages and plays the user through
// `Runtime::Post`. Every action first waits until the procedures are idle (every thread blocked on
// its queue or on an answer, nothing left to apply), then posts, then waits again; a wait that
// runs past the time-out throws `DriverError` naming what is still busy, so a test fails with a
// message instead of hanging.
//
//     HeadlessDriver ui(runtime);
//     ui.Start("CFO");
//     auto w = ui.WindowByCaption("Janela de C.F.O.P. Cadastrados");
//     ui.Press(ui.ByText(w, "&Inclui Novo C.F.O."));
//     auto f = ui.WindowByCaption("Inclui Novo Cadastro de C.F.O.P.");
//     ui.Type(ui.ByPrompt(f, "01 Código"), "5102");  ui.Key(f, key::Tab);
//     ui.Answer("&Sim");
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "vorel/ui/messages.h"
#include "vorel/ui/runtime.h"

namespace vorel::ui {

class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class HeadlessDriver : public FrontEnd {
public:
    struct Ctl {
        int window = 0;
        int feq = 0;
    };
    struct MirrorWindow {
        WindowHeader header;
        std::vector<ControlState> controls;  // control order
        const ControlState* Find(int feq) const;
        ControlState* Find(int feq);
    };

    explicit HeadlessDriver(Runtime& runtime, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void Apply(const UiMessage& message) override;

    // Procedures.
    int Start(const std::string& procedure, Request request = Request::None);
    void WaitIdle();
    // Threads that WaitIdle does not wait for (a procedure busy in a long loop).
    void AllowBusy(int thread) { busy_.insert(thread); }
    // Pumps messages until pred() holds; throws DriverError naming `what` after the time-out.
    void WaitUntil(const std::function<bool()>& pred, const std::string& what);

    // Windows.
    int WindowByCaption(const std::string& caption);     // the last opened with that caption
    bool HasWindow(const std::string& caption);
    int TopWindow();                                      // the last opened window
    std::vector<std::string> Captions();
    std::vector<int> Windows();                           // open windows' ids, in opening order
    const MirrorWindow& Mirror(int window);
    std::string Caption(int window) { return Mirror(window).header.caption; }
    int Focus(int window) { return Mirror(window).header.focus; }

    // Controls: by number; by prompt (the control after the prompt whose text starts with `prompt`;
    // a group box or a text in front of a control serves when no prompt matches;
    // '&' ignored); by text (a control whose caption equals `text`, '&' ignored unless given).
    Ctl Control(int window, int feq);
    Ctl ByPrompt(int window, const std::string& prompt);
    Ctl ByText(int window, const std::string& text);
    const ControlState& State(Ctl c);
    std::string Value(Ctl c) { return State(c).value; }
    std::string Text(Ctl c) { return State(c).text; }
    bool Enabled(Ctl c) { return State(c).enabled; }
    bool Hidden(Ctl c) { return State(c).hidden; }
    std::vector<std::vector<std::string>> Rows(Ctl list);
    const Cell& CellAt(Ctl list, int row, int column);   // 1-based

    // The user's actions.
    void Type(Ctl c, const std::string& text);           // focus the control and type its new text
    void Key(int window, int keyCode);                    // a key on the focused control
    void FocusOn(Ctl c);
    void Press(Ctl button);
    void PickTab(Ctl sheet, int tab);                     // 1-based
    void PickTab(Ctl sheet, const std::string& tabText);
    void PickRow(Ctl list, int row, bool doubleClick = false);
    void PickItem(Ctl dropList, int item);
    void PickItem(Ctl dropList, const std::string& itemText);
    void Check(Ctl box, bool on);
    void CloseWindow(int window);
    void Deactivate(int window);  // another window or program became the active one
    void Activate(int window);    // the user came back to the window
    void Maximize(int window, Rect at = {});
    void Resize(int window, Rect at);
    // What a front end reports when a list is laid out anew: it shows `rows` whole rows.
    void FitRows(Ctl list, int rows);

    // Dialogs.
    bool HasMessageBox();
    const MessageBoxAsked& PendingMessageBox();           // the oldest unanswered one
    void Answer(int button);                              // 1-based
    void Answer(const std::string& buttonText);           // '&' may be left out
    bool HasFileDialog();
    const FileDialogAsked& PendingFileDialog();
    void AnswerFile(const std::string& path);             // "" cancels
    // Every message box shown so far, in order.
    const std::vector<MessageBoxAsked>& MessageBoxes() const { return seen_; }
    // Every window closed so far as it last stood, in closing order (a passing progress window).
    const std::vector<MirrorWindow>& ClosedWindows() const { return closed_; }

    // A text dump of a window: caption, controls with their values and states, list rows.
    std::string Dump(int window);

private:
    void Post(UserEvent e);
    void Pump();
    [[noreturn]] void Fail(const std::string& what);

    Runtime& rt_;
    std::chrono::milliseconds timeout_;
    std::map<int, MirrorWindow> windows_;
    std::vector<int> order_;                       // window ids in opening order
    std::vector<MessageBoxAsked> boxes_;
    std::vector<FileDialogAsked> files_;
    std::vector<MessageBoxAsked> seen_;
    std::vector<MirrorWindow> closed_;
    std::set<int> busy_;
};

// '&' markers removed ("&Sim" -> "Sim"; "&&" -> "&").
std::string StripAmpersand(const std::string& s);

}  // namespace vorel::ui
