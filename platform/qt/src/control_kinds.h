// What the Qt views need to know of the model's control kinds: which take input, which live only
// on the application frame, which are lists, which take typed text.
#pragma once

#include "vorel/ui/types.h"

namespace vorel::qt {

using ui::ControlType;

inline bool IsInput(ControlType t) {
    switch (t) {
        case ControlType::Entry: case ControlType::Spin: case ControlType::Text: case ControlType::DropList:
        case ControlType::Combo: case ControlType::DropCombo: case ControlType::Check: case ControlType::Radio:
        case ControlType::List: case ControlType::SubList:
            return true;
        default:
            return false;
    }
}

inline bool IsFrameOnly(ControlType t) {
    return t == ControlType::Menu || t == ControlType::MenuItem || t == ControlType::MenuBar ||
           t == ControlType::Toolbar || t == ControlType::AppFrame;
}

inline bool IsList(ControlType t) { return t == ControlType::List || t == ControlType::SubList; }

inline bool TakesText(ControlType t) {
    return t == ControlType::Entry || t == ControlType::Spin || t == ControlType::Text || t == ControlType::Combo ||
           t == ControlType::DropCombo;
}

}  // namespace vorel::qt
