// The window model: a window of a procedure, its controls, and its event loop.
//
// A `Window` belongs to the procedure thread that made it (every call checks this and throws
// std::logic_error from another thread). Controls carry the numbers the procedures use, a type, a
// state (`ControlState`: texts, value, enabled, hidden, read-only, colours, tip, status message,
// default button, picture, icon, list rows, ...) and optionally a use-variable.
//
// The event loop is `Accept()`: it returns the next framework event (accepted, new selection,
// selected 257, alert key, open and close window, timer, maximised 563, resize 1023, tab changing 21,
// posted events); before it blocks it refreshes every bound control from its variable and sends
// what changed to the front end (a window header or a control, the latest state wins). Users' events
// from the front end are turned into framework events here, with the runtime's rules: leaving a
// changed field accepts it (its text goes into its variable first; a text its variable refuses
// keeps the focus there and raises a refused event, 1025, that the procedure may explain), Tab and Shift+Tab move the
// focus in control order over enabled and visible controls, Enter presses a button or the default
// button, keys that a control registered as alert keys come back as alert-key events. A front end's
// report of how many rows fit in a list becomes a list-sized event (also for a window below a modal
// one, which takes it when its loop runs again).
//
//     Window win(ctx, "Cadastro de C.F.O.P.");
//     win.Prompt(1, "01 Código....");  win.Entry(2, Use(rec.CODIGO));
//     win.Button(10, "&OK");  win.Open();
//     for (Event e; (e = win.Accept()).code != event::None;) { ... }
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "vorel/ui/messages.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/types.h"
#include "vorel/ui/use_var.h"

namespace vorel::ui {

namespace event {
inline constexpr int ScrollUp = 3;
inline constexpr int ScrollDown = 4;
inline constexpr int PageUp = 5;
inline constexpr int PageDown = 6;
inline constexpr int ScrollTop = 7;
inline constexpr int ScrollBottom = 8;
}  // namespace event

struct Event {
    int code = event::None;
    int feq = 0;
    int key = 0;
};

class Window;

class Control {
public:
    Control(Window& w, int feq, ControlType type);
    int feq() const { return s_.feq; }
    ControlType type() const { return s_.type; }
    const ControlState& state() const { return s_; }

    // Properties (chainable).
    Control& Text(std::string t);
    Control& Value(std::string v);         // the shown value of a control without a use-variable
    Control& Enable(bool on = true);
    Control& Disable() { return Enable(false); }
    Control& Hide(bool on = true);
    Control& Unhide() { return Hide(false); }
    Control& ReadOnly(bool on = true);
    Control& Password(bool on = true);  // typing is shown masked
    Control& Colour(long fg, long bg = kDefaultColour);
    Control& Background(long bg);
    Control& FontWeight(int w);
    // The typeface and size in points ("" and 0: the front end's own). A front end shows a
    // fixed-pitch face it lacks as its nearest fixed-pitch one, so that columns of characters line up.
    Control& Font(std::string typeface, int points = 0);
    Control& Tip(std::string t);
    Control& Msg(std::string m);
    Control& Picture(std::string p);
    Control& Icon(std::string i);
    Control& At(int x, int y, int w, int h);
    Control& Parent(int feq);
    // The entries of a drop list or combo: the texts typed, matched and shown in the closed box,
    // and the values picked entries give (the texts when none). New entries drop the rows given
    // for the old ones.
    Control& Items(std::vector<std::string> items, std::vector<std::string> values = {});
    // The cells each entry of a drop list or combo shows under its columns, one row per item in
    // item order; a front end shows them when there are two or more columns and a row per item.
    Control& ItemRows(std::vector<Row> rows);
    Control& Columns(std::vector<Column> cols);
    Control& DropCount(int n);
    Control& Use(UsePtr use);
    Control& Rows(std::vector<Row> rows);
    Control& Selected(int n);
    Control& Progress(int v);
    Control& Range(int low, int high);
    Control& Alert(int keyCode);        // registers an alert key
    Control& RemoveAlert(int keyCode);
    Control& Touched(bool on = true);   // the runtime's "changed" mark: leaving it accepts it
    // Typing goes into the variable at once and raises a new-selection event (incremental locators).
    Control& Immediate(bool on = true);
    // The control shows its own text (what the user typed, or what `Value` set), never its
    // variable's: a browse's locator keeps the letters typed while the record buffer moves.
    Control& OwnText(bool on = true);
    // Tab, Shift+Tab and Enter pass the control by (a look-up button beside its field), so the
    // focus goes from field to field; a click or a Select still gives it the focus.
    Control& Skip(bool on = true);

    const std::string& text() const { return s_.text; }
    const std::string& value() const { return s_.value; }
    const std::string& picture() const { return s_.picture; }
    bool enabled() const { return s_.enabled; }
    bool hidden() const { return s_.hidden; }
    bool readOnly() const { return s_.readOnly; }
    bool password() const { return s_.password; }
    bool touched() const { return touched_; }
    bool skipped() const { return skip_; }
    int selected() const { return s_.selected; }
    int dropCount() const { return s_.dropCount; }
    const std::vector<Row>& rows() const { return s_.rows; }
    // Whole rows the front end shows of this list at its present size (0 until it has said).
    int visibleRows() const { return visibleRows_; }
    const std::vector<std::string>& items() const { return s_.items; }
    const std::vector<std::string>& itemValues() const { return values_; }
    bool HasAlert(int keyCode) const;
    UseVar* use() const { return use_.get(); }

private:
    friend class Window;
    // The maximum length from the picture and the variable's field (entries and text boxes).
    void Measure();
    // The shown value into the variable, when the control takes it (entry_rules.h) and the
    // variable does; false otherwise.
    bool Store();
    Window& w_;
    ControlState s_;
    ControlState sent_;         // what the front end has
    bool sentKnown_ = false;
    UsePtr use_;
    std::vector<std::string> values_;  // explicit values of drop-list entries
    bool touched_ = false;
    bool immediate_ = false;
    bool skip_ = false;
    bool ownText_ = false;
    int visibleRows_ = 0;
};

class Window {
public:
    Window(ProcContext& ctx, std::string caption);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int id() const { return header_.window; }
    ProcContext& context() { return ctx_; }
    const WindowHeader& header() const { return header_; }

    // Building.
    Control& Add(int feq, ControlType type, std::string text = {});
    Control& Prompt(int feq, std::string text) { return Add(feq, ControlType::Prompt, std::move(text)); }
    Control& String(int feq, std::string text) { return Add(feq, ControlType::String, std::move(text)); }
    Control& Entry(int feq, UsePtr use, std::string picture = {});
    // An entry over a record field shown through `picture`: the picture both shows the field and
    // reads typed text back (a number through its pattern, text through its key-in template);
    // `zero` says what a number 0 shows.
    template <class Field>
        requires requires(Field& f, const std::string& p) { UsePictured(f, p, Zero::Formatted); }
    Control& Entry(int feq, Field& field, std::string picture, Zero zero = Zero::Formatted) {
        UsePtr use = UsePictured(field, picture, zero);
        return Entry(feq, std::move(use), std::move(picture));
    }
    Control& TextBox(int feq, UsePtr use);
    Control& Spin(int feq, UsePtr use, std::string picture = {});
    Control& Button(int feq, std::string text) { return Add(feq, ControlType::Button, std::move(text)); }
    Control& Check(int feq, std::string text, UsePtr use);
    Control& Radio(int feq, std::string text, UsePtr use);
    Control& DropList(int feq, UsePtr use, std::vector<std::string> items, std::vector<std::string> values = {});
    Control& Combo(int feq, UsePtr use, std::vector<std::string> items = {});
    // A list; a browse's columns come from its BrowseManager's AddColumn calls.
    Control& List(int feq, std::vector<Column> columns = {});
    Control& Sheet(int feq) { return Add(feq, ControlType::Sheet); }
    Control& Tab(int feq, int sheet, std::string text);
    Control& Progress(int feq) { return Add(feq, ControlType::Progress); }
    void Remove(int feq);

    Control& operator[](int feq);             // throws std::out_of_range for an unknown number
    Control* Find(int feq);
    std::vector<Control*> Controls();          // in control order
    // The first control of the sheet's current tab chosen: its index among the sheet's tabs.
    int CurrentTab(int sheet);

    // Window properties.
    void SetCaption(std::string caption);
    const std::string& caption() const { return header_.caption; }
    void SetStatus(std::string text);
    // The application frame's parts (see WindowHeader): zone 1 is the status text.
    void SetFrame(bool on = true);
    void SetStatusZone(int zone, std::string text);
    void SetWallpaper(std::string file, int layout);
    void SetDefaultButton(int feq);
    int defaultButton() const { return header_.defaultButton; }
    void SetPosition(Rect at);
    void SetMaximized(bool on);
    void SetCaptionBar(bool on);               // false: no caption bar (a splash window)
    void SetEnabled(bool on);
    void SetHighlightBox(HighlightBox box);
    void SetTimer(int hundredths);            // 0 stops it

    // Focus.
    int Focus() const { return header_.focus; }
    // Gives `feq` the focus (the runtime's SELECT): a selected event follows, and a pass of
    // accept-all stops there.
    void Select(int feq);

    // The event loop.
    void Open();                               // shows the window; an open-window event comes first
    bool opened() const { return opened_; }
    Event Accept();                            // event::None when closed or stopping
    // The next event if one is waiting, else event::None at once (for long loops that show
    // progress and look for a cancel); sends what changed first.
    Event Poll();
    const Event& current() const { return current_; }
    void Post(int code, int feq = 0);          // a posted event, taken before the user's
    void PressKey(int keyCode);                // put into the keyboard buffer
    void Close();                              // the loop ends; Accept returns None from now
    bool closing() const { return closing_; }

    // The values of touched controls into their variables (all when feq is 0); false when a value
    // was refused.
    bool Update(int feq = 0);
    // Every bound control shows its variable now, and the changes go out.
    void Display();
    void Flush();

    // The accept-all pass of a form: true while it runs; Select() during it stops it.
    bool acceptAll = false;
    bool acceptAllStopped = false;

    void CheckThread() const;
    // Run each time the event loop has nothing left to do and is about to wait for the user (the
    // controls show what was typed, the variables what was accepted).
    void SetBeforeWait(std::function<void()> fn) { beforeWait_ = std::move(fn); }
    // Enter's own meaning on a list: the default button when the window has one, else the list
    // is accepted.
    void EnterOnList(Control& list);

private:
    friend class Control;
    bool Focusable(const Control& c) const;
    bool OnCurrentTab(const Control& c) const;
    void Refresh();
    void Translate(const UserEvent& e);
    void NoteListRows(const UserEvent& e);
    void ProcessKey(int code);
    // Tab and Shift+Tab stop at the chosen radio of a group (the radios sharing a parent, or the
    // window's radios that have none) only,
    // or at each of them while none is chosen, as a Windows option group does.
    void MoveFocus(int dir);
    bool OtherRadioChosen(const Control& c) const;
    // The arrow keys on a radio choose the next (+1) or previous (-1) radio of its group, round
    // from the last to the first.
    void StepRadio(Control& radio, int dir);
    void ChangeFocus(int feq, bool queueSelected);
    bool Leave();
    void PressDefault();
    void ListMove(Control& c, int code);
    ControlState Published(const Control& c) const;

    ProcContext& ctx_;
    std::function<void()> beforeWait_;
    std::thread::id owner_;
    WindowHeader header_;
    WindowHeader sentHeader_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::deque<Event> pending_;
    std::deque<int> keys_;
    std::vector<int> removed_;
    Event current_;
    Event Next(bool wait);
    bool opened_ = false;
    bool closing_ = false;
    int timerHundredths_ = 0;
    std::chrono::steady_clock::time_point nextTick_{};
};

}  // namespace vorel::ui
