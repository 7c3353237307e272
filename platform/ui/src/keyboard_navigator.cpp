// KeyboardNavigator.
#include "vorel/ui/keyboard_navigator.h"

#include <algorithm>

namespace vorel::ui {

void KeyboardNavigator::ExcludeControl(int feq) {
    if (!Excluded(feq)) excluded_.push_back(feq);
}

bool KeyboardNavigator::Excluded(int feq) const {
    return std::find(excluded_.begin(), excluded_.end(), feq) != excluded_.end();
}

std::vector<int> KeyboardNavigator::KeysFor(const Control& c, int option) {
    switch (c.type()) {
        case ControlType::Text: case ControlType::SubList: case ControlType::Spin:
        case ControlType::Combo: case ControlType::DropCombo: case ControlType::Radio:
            return {key::Enter};
        case ControlType::Entry:
            return {key::Enter, key::Up, key::Down};
        case ControlType::List: case ControlType::DropList: {
            std::vector<int> keys;
            // A plain list takes Enter too: on an empty list it moves on (below).
            if (c.dropCount() > 0 || c.type() == ControlType::List) keys.push_back(key::Enter);
            if (option == 0) { keys.push_back(key::Left); keys.push_back(key::Right); }
            return keys;
        }
        case ControlType::Button: case ControlType::Check:
            return {key::Enter, key::Up, key::Down, key::Left, key::Right};
        default:
            return {};
    }
}

void KeyboardNavigator::Setup(Window& window, int option) {
    for (Control* c : window.Controls()) {
        if (Excluded(c->feq())) continue;
        for (int k : KeysFor(*c, option)) c->Alert(k);
    }
    active_ = true;
}

void KeyboardNavigator::PressKey(Window& window, int keyCode) { window.PressKey(keyCode); }

bool KeyboardNavigator::HandleEvent(Window& window, const Event& e) {
    if (!active_ || e.code != event::AlertKey || Excluded(e.feq)) return false;
    Control* c = window.Find(e.feq);
    if (!c) return false;
    switch (e.key) {
        case key::Enter:
            if (c->type() == ControlType::Text || c->type() == ControlType::SubList) {
                PressKey(window, key::ShiftEnter);
                PressKey(window, key::ShiftOnly);
            } else if (c->type() == ControlType::List && c->dropCount() == 0 && !c->rows().empty()) {
                window.EnterOnList(*c);  // a list with rows keeps its own meaning
            } else {
                PressKey(window, key::Tab);
            }
            return true;
        case key::Down: case key::Right:
            PressKey(window, key::Tab);
            return true;
        case key::Up: case key::Left:
            PressKey(window, key::ShiftTab);
            return true;
        default:
            return false;
    }
}

}  // namespace vorel::ui
