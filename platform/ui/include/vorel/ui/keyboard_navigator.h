// KeyboardNavigator: Enter and the arrow keys move between a window's controls as Tab and
// Shift+Tab do.
//
// One per window procedure. `ExcludeControl` the controls on which Enter keeps its own meaning
// (command buttons), then `Setup(0)` after the window's controls exist: it registers, by control
// kind, the keys it takes over as alert keys. In the procedure's event dispatch, `HandleEvent`
// returns true when it handled the event (the procedure then reports it handled):
//   Enter -> Tab (Shift+Enter and Shift in a text box or sub-list); Down, Right -> Tab;
//   Up, Left -> Shift+Tab. A list that does not drop down keeps Enter's own meaning while it has
//   rows (its window's default button, else the list accepted); on an empty list (a form's grid of
//   lines not in use) Enter moves on as Tab, so it never accepts a half-typed form.
#pragma once

#include <vector>

#include "vorel/ui/window.h"

namespace vorel::ui {

class KeyboardNavigator {
public:
    void ExcludeControl(int feq);
    void Setup(Window& window, int option = 0);
    bool HandleEvent(Window& window, const Event& e);
    void PressKey(Window& window, int keyCode);
    bool active() const { return active_; }
    bool Excluded(int feq) const;
    // The keys registered for a control of this kind (option as given to Setup).
    static std::vector<int> KeysFor(const Control& c, int option);

private:
    std::vector<int> excluded_;
    bool active_ = false;
};

}  // namespace vorel::ui
