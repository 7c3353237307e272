// The application frame's window: its menus, items and shortcuts, its toolbar and the frame's keys,
// built on the main window.
#include "window_view.h"

#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

#include <functional>
#include <map>
#include <set>

#include "control_kinds.h"
#include "main_frame.h"
#include "qt_convert.h"

namespace vorel::qt {

using ui::UserEvent;

// A frame receives its menu and toolbar a control at a time: they are built once the waiting
// messages are applied, not once per control.
void WindowView::RebuildFrameSoon() {
    if (frameRebuildQueued_) return;
    frameRebuildQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        frameRebuildQueued_ = false;
        BuildFrame();
    });
}

void WindowView::BuildFrame() {
    MainFrame& f = host_.mainFrame();
    for (auto& p : frameParts_)
        if (p) delete p.data();
    frameParts_.clear();
    feqOf_.clear();
    QMenuBar* bar = f.menuBar();
    auto topLevel = [&](const Item& i) {
        if (i.s.parent == 0) return true;
        const Item* p = Find(i.s.parent);
        return !p || p->s.type == ControlType::MenuBar;
    };
    // Menus and items, recursively.
    std::function<void(int, QMenu*)> fill = [&](int parent, QMenu* into) {
        for (auto& i : items_) {
            if (i.s.parent != parent) continue;
            if (i.s.type == ControlType::Menu) {
                auto* m = new QMenu(Q(i.s.text), into);
                m->setObjectName(QString("feq-%1").arg(i.s.feq));
                i.menu = m;
                i.action = into->addMenu(m);
                fill(i.s.feq, m);
            } else if (i.s.type == ControlType::MenuItem) {
                if (i.s.text.empty() || i.s.text == "-") {
                    i.action = into->addSeparator();
                    continue;
                }
                QAction* a = into->addAction(QString());
                i.action = a;
                int feq = i.s.feq;
                connect(a, &QAction::triggered, this, [this, feq] { Post(UserEvent::Press, feq); });
            }
        }
    };
    for (auto& i : items_) {
        if (!topLevel(i)) continue;
        if (i.s.type == ControlType::Menu) {
            auto* m = new QMenu(Q(i.s.text), bar);
            m->setObjectName(QString("feq-%1").arg(i.s.feq));
            i.menu = m;
            i.action = bar->addMenu(m);
            frameParts_.push_back(m);
            fill(i.s.feq, m);
        } else if (i.s.type == ControlType::MenuItem) {
            QAction* a = bar->addAction(QString());
            i.action = a;
            frameParts_.push_back(a);
            int feq = i.s.feq;
            connect(a, &QAction::triggered, this, [this, feq] { Post(UserEvent::Press, feq); });
        }
    }
    // The toolbar and what stands on it.
    QToolBar* tb = f.toolbar();
    bool hasToolbar = false;
    for (auto& t : items_) {
        if (t.s.type != ControlType::Toolbar) continue;
        hasToolbar = true;
        for (auto& i : items_) {
            if (i.s.parent != t.s.feq) continue;
            int feq = i.s.feq;
            QWidget* w = nullptr;
            if (i.s.type == ControlType::Button) {
                auto* b = new QToolButton(tb);
                b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
                b->setAutoRaise(true);
                connect(b, &QToolButton::clicked, this, [this, feq] { Post(UserEvent::Press, feq); });
                w = b;
            } else if (i.s.type == ControlType::Entry || i.s.type == ControlType::String) {
                auto* l = new QLabel(tb);
                l->setFrameShape(i.s.type == ControlType::Entry ? QFrame::StyledPanel : QFrame::NoFrame);
                l->setMargin(2);
                w = l;
            } else {
                w = new QLabel(tb);
            }
            w->setObjectName(QString("feq-%1").arg(feq));
            i.widget = w;
            frameParts_.push_back(tb->addWidget(w));
            tb->addSeparator();
            frameParts_.push_back(tb->actions().back());
        }
    }
    tb->setVisible(hasToolbar);
    // Keys the frame takes anywhere in the main window (its alert keys: F2, F3, ...), once each;
    // a key that a menu item has as its shortcut stays the item's. The key goes to a control that
    // registered it (a toolbar button), which is given the focus first.
    std::set<QString> menuKeys;
    for (auto& i : items_) {
        int tab = static_cast<int>(i.s.text.find('\t'));
        if (i.s.type == ControlType::MenuItem && tab >= 0)
            menuKeys.insert(ShortcutOf(i.s.text.substr(static_cast<std::size_t>(tab) + 1)).toString());
    }
    std::map<QString, std::pair<int, int>> keys;  // sequence -> (control, key code)
    for (auto& i : items_)
        for (int k : i.s.alertKeys) {
            QKeySequence seq = SequenceOf(k);
            if (seq.isEmpty() || menuKeys.count(seq.toString())) continue;
            auto it = keys.find(seq.toString());
            bool button = i.s.type == ControlType::Button;
            if (it == keys.end()) keys[seq.toString()] = {i.s.feq, k};
            else if (button && Find(it->second.first)->s.type != ControlType::Button) it->second = {i.s.feq, k};
        }
    for (const auto& [text, target] : keys) {
        auto* a = new QAction(&f);
        a->setShortcut(QKeySequence(text));
        a->setShortcutContext(Qt::WindowShortcut);
        f.addAction(a);
        frameParts_.push_back(a);
        int feq = target.first, k = target.second;
        connect(a, &QAction::triggered, this, [this, feq, k] {
            // Always: the mirror's focus may be older than the model's (a menu item just pressed).
            if (const Item* i = Find(feq); i && i->s.type == ControlType::Button) Post(UserEvent::Focus, feq);
            Post(UserEvent::Key, feq, k);
        });
    }
    for (auto& i : items_) Update(i);
}

}  // namespace vorel::qt
