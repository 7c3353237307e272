// Vocabulary of the window layer: requests and responses, levels, events, keys and control types.
//
// The numbers are those the window procedures are written against: Request 1 insert, 2 change,
// 3 delete, 4 select, 6 view; Response 1 completed, 2 cancelled; Level 5 "handled" (the event ends
// there); the events and control types carry the runtime's numbers (selected 257, tab changing 21,
// maximised 563, resize 1023; entry field 8, button 9, ...). Key codes are the virtual-key code plus
// 0x100 for Shift, 0x200 for Ctrl and 0x400 for Alt (Shift+Enter is 269, Ctrl+0xDE is 734).
#pragma once

#include <cstdint>

namespace vorel::ui {

enum class Request : int { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4, View = 6 };
enum class Response : int { None = 0, Completed = 1, Cancelled = 2 };

// The outcome of a framework operation or handler.
enum class Level : int { Benign = 0, Question = 1, Program = 2, Fatal = 3, Cancel = 4, Notify = 5 };
inline constexpr Level kHandled = Level::Notify;  // the event ends here; nothing more is done with it

// Control types, with the runtime's numbers.
enum class ControlType : int {
    String = 1, String2 = 2, Image = 3, Region = 4, Line = 5, Box = 6, Ellipse = 7, Entry = 8,
    Button = 9, Prompt = 10, Check = 12, Group = 13, List = 14, Combo = 15, Spin = 16, Text = 17,
    Custom = 18, Menu = 19, MenuItem = 20, Radio = 21, MenuBar = 22, AppFrame = 24, Window = 25,
    OleContainer = 32, DropList = 33, DropCombo = 34, Progress = 35, Tab = 37, Panel = 38,
    RichText = 39, SubList = 40, Sheet = 36, Option = 11, Toolbar = 128, Item270 = 270
};
const char* ControlTypeName(ControlType t);

// Events of the framework.
namespace event {
inline constexpr int None = 0;
inline constexpr int Accepted = 1;
inline constexpr int NewSelection = 2;
inline constexpr int AlertKey = 11;
inline constexpr int TabChanging = 21;
inline constexpr int Selected = 257;
inline constexpr int CloseWindow = 513;
inline constexpr int OpenWindow = 515;
inline constexpr int GainFocus = 517;  // the window became the active one
inline constexpr int LoseFocus = 518;  // the window stopped being the active one
inline constexpr int Timer = 519;
inline constexpr int Maximized = 563;
inline constexpr int Iconized = 564;
inline constexpr int Moved = 565;
inline constexpr int Sized = 566;
inline constexpr int DoResize = 1023;
inline constexpr int ListSized = 1024;  // the front end shows a different number of rows of a list
inline constexpr int Refused = 1025;    // a value typed into `feq` was refused (it keeps the focus)
inline constexpr int User = 0x400 + 1024;  // first number for posted events of a procedure's own
const char* Name(int code);
}  // namespace event

// Key codes.
namespace key {
inline constexpr int Shift = 0x100;
inline constexpr int Ctrl = 0x200;
inline constexpr int Alt = 0x400;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Esc = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
inline constexpr int Insert = 45;
inline constexpr int F1 = 112;
inline constexpr int ShiftTab = Shift | Tab;        // 265
inline constexpr int ShiftEnter = Shift | Enter;    // 269
inline constexpr int ShiftOnly = Shift | 16;        // 272: the Shift key pressed alone
inline constexpr int FieldHistory = Ctrl | 0xDE;    // 734
inline constexpr int F(int n) { return F1 + n - 1; }
// "Enter", "Tab", "Shift+Tab", "Up", "F2", "Ctrl+0xDE", "Space", a single letter: key code or 0.
int Parse(const char* name);
}  // namespace key

// Colours are Windows RGB values (red in the low byte); -1 is the default colour.
inline constexpr long kDefaultColour = -1;

}  // namespace vorel::ui
