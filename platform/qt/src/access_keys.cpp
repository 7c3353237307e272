// Access keys and frame shortcuts: who takes Alt + letter, and the filter that routes the keys.
#include "access_keys.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>

namespace vorel::qt {

QChar AccessLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;  // "&&" shows one ampersand
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return {};
}

namespace {

using ui::ControlType;

AccessAction ActionOf(const AccessCandidate& c, bool alone) {
    if (c.type == ControlType::Tab) return {AccessAction::PickTab, c.sheet, c.tabIndex};
    if (!alone) return {AccessAction::Focus, c.target ? c.target : c.feq, 0};
    switch (c.type) {
        case ControlType::Button: return {AccessAction::Press, c.feq, 0};
        case ControlType::Check: case ControlType::Radio: return {AccessAction::Toggle, c.feq, 0};
        default: return {AccessAction::Focus, c.target ? c.target : c.feq, 0};
    }
}

}  // namespace

AccessAction ResolveAccessKey(const std::vector<AccessCandidate>& controls, int focus, QChar letter) {
    letter = letter.toUpper();
    std::vector<const AccessCandidate*> claims;
    std::size_t after = 0;  // claims at or before the focused control come after the others
    for (const AccessCandidate& c : controls) {
        const int reaches = c.target ? c.target : c.feq;
        if (c.usable && !letter.isNull() && AccessLetter(c.caption) == letter) claims.push_back(&c);
        if (reaches == focus) after = claims.size();
    }
    if (claims.empty()) return {};
    if (claims.size() == 1) return ActionOf(*claims.front(), true);
    // Several controls share the letter: the focus steps to the next of them, round the window.
    return ActionOf(*claims[after % claims.size()], false);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* k = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        if (swallow_ && k->key() == swallow_) {
            swallow_ = 0;
            return true;
        }
        return false;
    }
    swallow_ = 0;
    if (QApplication::activePopupWidget()) return false;  // an open menu takes its own letters
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    const int key = k->key();
    const bool letter = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    if (mods == Qt::AltModifier && letter && accessKey) {
        if (!accessKey(QChar(key))) return false;
        // Taken: no Qt shortcut (another window's letter, the menu bar's) sees it, and the key
        // press that follows goes nowhere.
        k->accept();
        swallow_ = key;
        return true;
    }
    if (frameShortcut && frameShortcut(*k)) {
        // Not overridden by the focused entry: the frame's shortcut acts.
        k->ignore();
        return true;
    }
    return false;
}

}  // namespace vorel::qt
