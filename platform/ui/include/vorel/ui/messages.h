// The protocol between procedures and a front end.
//
// Messages out (procedure threads -> front end): `UiMessage`, a variant of window opened / changed /
// closed, control changed, message box asked, file dialog asked and dialog withdrawn. Each carries
// the full state of what changed (a window's header or one control), so a front end keeps a mirror
// by replacing what it holds; updates of one control between two flushes are merged (latest wins).
// Texts are UTF-8.
//
// User events in (front end -> procedure threads): `UserEvent`, posted with `Runtime::Post` from
// any thread. The front end applies a user's typing to its own mirror and posts `Type`; the model
// does not echo it back unless a procedure changes the value. `ListRows` tells how many rows fit
// in a list control as the front end lays it out; a browse then pages by that many rows.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "vorel/ui/types.h"

namespace vorel::ui {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Rect&) const = default;
};

// One cell of a list row: its text and colours (-1 default).
struct Cell {
    std::string text;
    long fg = kDefaultColour, bg = kDefaultColour, selFg = kDefaultColour, selBg = kDefaultColour;
    int icon = 0;
    bool operator==(const Cell&) const = default;
};
using Row = std::vector<Cell>;

struct Column {
    std::string heading;
    int width = 0;
    char align = 'L';  // 'L', 'C', 'R'
    bool operator==(const Column&) const = default;
};

// Everything a front end shows of one control.
struct ControlState {
    int feq = 0;
    ControlType type = ControlType::String;
    int parent = 0;               // the sheet of a tab, the tab of a control on it, or 0
    std::string text;             // caption of a button, prompt, string, tab, check box, window part
    std::string value;            // displayed value of an entry, check ("1"/"0"), drop list, text box
    bool enabled = true, hidden = false, readOnly = false, isDefault = false;
    bool password = false;        // an entry whose typing is shown masked
    long fg = kDefaultColour, bg = kDefaultColour;
    int fontWeight = 400;
    std::string font;             // typeface ("" the front end's own); a fixed-pitch one keeps columns
    int fontSize = 0;             // points, 0 the front end's own
    std::string tip, msg, picture, icon;
    int maxLength = 0;            // characters an entry takes (its picture's and field's); 0 any
    Rect at;
    std::vector<std::string> items;  // entries of a drop list, combo or list from a fixed text
    std::vector<Column> columns;     // list columns; the columns of a drop list's or combo's entries
    std::vector<Row> rows;           // list rows now shown (one page); the cells of each entry of a
                                     // drop list or combo (one row per item, or none)
    int selected = 0;                // 1-based highlighted row / entry / current tab; 0 none
    int dropCount = 0;               // > 0: a list that drops down
    std::vector<int> alertKeys;      // keys the front end must post as Key events, not handle
    int progress = 0, rangeLow = 0, rangeHigh = 100;
    bool operator==(const ControlState&) const = default;
};

// The focus highlighter's box, drawn by the front end around `rect`.
struct HighlightBox {
    bool shown = false;
    Rect rect;
    long pen = 0, fill = kDefaultColour;
    bool operator==(const HighlightBox&) const = default;
};

struct WindowHeader {
    int window = 0;               // process-unique window id
    int thread = 0;               // procedure thread id
    std::string procedure;        // the procedure that owns it
    std::string caption;
    Rect at;
    bool maximized = false, iconized = false;
    bool enabled = true;          // false while its procedure waits on a message box
    bool modal = false;           // called on the same thread as another window
    bool captionBar = true;       // false: drawn without a caption bar (a splash window)
    int focus = 0;                // control with the focus
    int defaultButton = 0;
    HighlightBox box;
    std::string status;           // status-bar text
    // The application frame (the main window's own procedure window): its menu bar, toolbar,
    // status-bar zones and wallpaper belong to the program's main window.
    bool frame = false;
    std::vector<std::string> zones;  // status-bar zones 2, 3, ... (zone 1 is `status`)
    std::string wallpaper;        // picture file behind the procedure windows ("" none)
    int wallpaperLayout = 0;      // 1 stretched, 2 tiled, 3 centred, other: as it is
    bool operator==(const WindowHeader&) const = default;
};

struct WindowOpened { WindowHeader header; std::vector<ControlState> controls; };
struct WindowChanged { WindowHeader header; };
struct ControlChanged { int window = 0; ControlState control; };
struct ControlRemoved { int window = 0; int feq = 0; };
struct WindowClosed { int window = 0; };
struct WindowRaised { int window = 0; };  // brought forward and activated (with the windows it called over it)

enum class Icon { None, Information, Exclamation, Question, Hand, Asterisk };
struct MessageBoxAsked {
    int dialog = 0;               // answer with UserEvent::Answer(dialog, button)
    int window = 0;               // owner window (0 when the procedure has none open)
    int thread = 0;
    std::string title, text;      // '|' in text is a line break
    Icon icon = Icon::None;
    std::vector<std::string> buttons;  // captions, e.g. "&Não", "&Sim"
    int defaultButton = 1;        // 1-based
    bool popup = false;           // a popup menu: `buttons` are its items ("-" a separator)
};
struct FileDialogAsked {
    int dialog = 0;
    int window = 0;
    int thread = 0;
    std::string title, filter, folder, initial;
    bool save = false, chooseFolder = false;
};
struct DialogWithdrawn { int dialog = 0; };  // the asker stopped waiting (program closing)

using UiMessage = std::variant<WindowOpened, WindowChanged, ControlChanged, ControlRemoved,
                               WindowClosed, WindowRaised, MessageBoxAsked, FileDialogAsked, DialogWithdrawn>;

// A user's action, posted by a front end.
struct UserEvent {
    enum Kind {
        Focus,       // the user put the focus on `feq` (click, or the front end's own navigation)
        Type,        // the user changed the text of `feq` to `text` (no event until it is left)
        Key,         // a key pressed on the focused control (`number` is the key code)
        Press,       // a button clicked
        PickItem,    // an entry of a drop list / combo chosen (`number`, 1-based)
        PickRow,     // a list row highlighted (`number`, 1-based); `text` "accept" for a double click
        PickTab,     // a tab of a sheet chosen (`number`, 1-based; `feq` is the sheet)
        Check,       // a check box or radio toggled to `number` (0/1)
        Scroll,      // a list scrolled by `number` rows (negative: up)
        Close,       // the window's close box
        Maximize,
        Resize,      // new size in `at`
        Deactivated, // the window stopped being the active one (another window or program took it)
        Activated,   // the window became the active one (the user came back to it)
        Answer,      // a message box answered: `dialog`, `number` the 1-based button
        FileAnswer,  // a file dialog answered: `dialog`, `text` the path; `number` 0 when cancelled
        ListRows,    // list `feq` now shows `number` whole rows (>= 1); posted only when that changes
    };
    Kind kind = Focus;
    int window = 0;
    int feq = 0;
    int number = 0;
    int dialog = 0;
    std::string text;
    Rect at;
};

}  // namespace vorel::ui
