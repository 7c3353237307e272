// Toolbar, Resizer and PopupMenu: small helpers of window procedures.
//
// `Toolbar`: buttons (by control number) bound to actions; a controller hands it its accepted events
// (`WindowController::AddToolbarHandler`), and it runs the action of the button pressed.
// `Resizer`: keeps the controls' places in proportion when the window's size changes (strategy
// "spread"); it remembers the window's and controls' first size when set up.
// `PopupMenu`: asks the front end for a choice among items ("&Inclui|&Altera|-|&Exclui"); returns
// the 1-based item chosen (separators count), 0 when none.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "vorel/ui/window.h"

namespace vorel::ui {

class Toolbar {
public:
    void AddButton(int feq, std::function<Level()> action) { actions_[feq] = std::move(action); }
    // Whether `feq` is one of its buttons; TakeAccepted runs its action.
    bool Handles(int feq) const { return actions_.count(feq) != 0; }
    Level TakeAccepted(int feq) { return actions_.at(feq)(); }

private:
    std::map<int, std::function<Level()>> actions_;
};

class Resizer {
public:
    void Setup(Window& window);     // remembers the current sizes
    void Resize(Window& window);    // places the controls for the window's new size

private:
    Rect original_;
    std::map<int, Rect> controls_;
};

class PopupMenu {
public:
    explicit PopupMenu(std::string items) : items_(std::move(items)) {}
    int Ask();

private:
    std::string items_;
};

}  // namespace vorel::ui
