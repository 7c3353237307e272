// Access keys (Alt + letter) and the frame's shortcuts, routed as a clerk expects them.
//
// Every procedure window lives inside the one main window, so Qt would see the access letters of
// all open windows and of the frame's menu bar at once: Alt+S of "&Seleciona" met the menu's
// "&Sair", Alt+F of two windows' "&Fecha" was ambiguous. The rule here: the active window's own
// controls claim their letter first (a button is pressed, a check box toggled, a prompt gives the
// focus to its control, a tab is chosen); when several claim one letter each press moves the
// focus to the next of them, pressing nothing; only a letter no control of the active window
// claims opens the frame's menu with that letter. Inactive windows never take a letter.
//
// A frame shortcut (a menu item's Ctrl + letter, the toolbar's keys) is the frame's even while an
// entry has the focus (an entry would take Ctrl+E as "end of line"), unless the focused control
// registered the key as one of its own alert keys.
//
// `ResolveAccessKey` is the decision, over a window's controls, with no widgets; `KeyRouter` is the
// application-wide event filter that applies it.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

#include <functional>
#include <vector>

#include "vorel/ui/types.h"

class QKeyEvent;

namespace vorel::qt {

// The access letter of a caption ("&Inclui" -> 'I', "A&juda" -> 'J', "&&" is a plain '&'), upper
// case; a null QChar when it has none.
QChar AccessLetter(const QString& caption);

// A control that may claim an access letter: its caption, whether it can be used now (enabled,
// shown, on the current tab), and what the letter reaches: the control itself, a prompt's
// control, or a tab's sheet and position.
struct AccessCandidate {
    int feq = 0;
    ui::ControlType type = ui::ControlType::Button;
    QString caption;
    bool usable = true;
    int target = 0;    // the control that gets the focus (a prompt's control); 0: feq itself
    int sheet = 0;     // a tab: its sheet
    int tabIndex = 0;  // a tab: its 1-based position
};

struct AccessAction {
    enum Kind { None, Press, Toggle, Focus, PickTab } kind = None;
    int feq = 0;     // the button, check box or radio, the control to focus, or the sheet
    int number = 0;  // PickTab: the tab's position
    bool operator==(const AccessAction&) const = default;
};

// What Alt + `letter` does in a window whose controls are `controls` (in control order) and whose
// focus is on `focus`.
AccessAction ResolveAccessKey(const std::vector<AccessCandidate>& controls, int focus, QChar letter);

// The application-wide filter. `accessKey(letter)` acts on the active window (or the frame's menu)
// and answers whether the letter belongs to the program's main window at all (false: a message
// box or another top-level window handles it as usual). `frameShortcut(event)` answers whether
// the key is a frame shortcut that the focused control does not take itself.
class KeyRouter : public QObject {
public:
    std::function<bool(QChar)> accessKey;
    std::function<bool(const QKeyEvent&)> frameShortcut;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int swallow_ = 0;  // the key whose press follows an access key already acted on
};

}  // namespace vorel::qt
