// How a window's widgets are laid out: in reading order (a prompt and its control or picture button
// on a row, an entry's search button beside it, lists and sheets across, the other buttons in rows
// at the bottom) or at the positions the procedure gave (dialog units, tab pages offset by their
// sheet); the window sized to show its content, which scrolls when the frame is too small for it.
#include "window_view.h"

#include <QtCore/QTimer>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionTitleBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <functional>

#include "control_kinds.h"
#include "highlight_frame.h"
#include "main_frame.h"
#include "qt_convert.h"

namespace vorel::qt {

using ui::ControlState;

void WindowView::Build() {
    feqOf_.clear();
    if (box_) delete box_.data();
    QWidget* old = content_;
    content_ = new QWidget;
    content_->setObjectName(QString("content-%1").arg(header_.window));
    if (Absolute()) {
        BuildContainer(0, content_);
        int w = 0, h = 0;
        for (auto& i : items_)
            if (i.s.parent == 0 && i.widget) {
                w = std::max(w, i.widget->geometry().right() + 8);
                h = std::max(h, i.widget->geometry().bottom() + 8);
            }
        content_->setMinimumSize(w, h);
    } else {
        auto* v = new QVBoxLayout(content_);
        v->setContentsMargins(10, 10, 10, 10);
        BuildContainer(0, content_);
    }
    // The content scrolls inside the window when the window is smaller than it (a tall form on a
    // small screen) instead of being squeezed.
    if (!scroll_) {
        scroll_ = new QScrollArea;
        scroll_->setObjectName("scroll");
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setWidgetResizable(true);
        sub_->setWidget(scroll_);
    }
    if (old) old->setParent(nullptr);  // taken out before the new content goes in
    scroll_->setWidget(content_);
    if (old) old->deleteLater();
    for (auto& i : items_) Update(i);
    UpdateEnabled();
    FitContent();
    if (Absolute()) QTimer::singleShot(0, this, [this] { PlaceAll(); });
}

// A window grows to show what it holds when controls arrive after it opened (never beyond the
// frame's area, and never shrinks what the user sized).
void WindowView::FitContent() {
    if (!sub_ || !content_ || sub_->isMaximized() || Absolute()) return;
    // Texts and widths set after the widgets went into their layouts leave nested layouts with
    // stale sizes: measure afresh.
    std::function<void(QLayout*)> invalidate = [&](QLayout* l) {
        if (!l) return;
        l->invalidate();
        for (int k = 0; k < l->count(); ++k) invalidate(l->itemAt(k)->layout());
    };
    invalidate(content_->layout());
    for (QWidget* w : content_->findChildren<QWidget*>())  // groups' and tab pages' own layouts
        invalidate(w->layout());
    if (sub_->layout()) sub_->layout()->invalidate();
    QSize want = WantedSize();
    QSize now = sub_->size();
    if (now.width() >= want.width() && now.height() >= want.height()) return;
    sub_->resize(now.expandedTo(want));
    KeepInsideArea();
}

// Moves the window left or up when it reaches past the frame's area (a tall form cascaded below
// the window that opened it would hide its last fields and its buttons under the status bar).
void WindowView::KeepInsideArea() {
    if (!sub_ || standalone_) return;
    QRect area = host_.mainFrame().area()->viewport()->rect();
    QPoint at = sub_->pos();
    at.setX(std::max(0, std::min(at.x(), area.width() - sub_->width())));
    at.setY(std::max(0, std::min(at.y(), area.height() - sub_->height())));
    if (at != sub_->pos()) sub_->move(at);
}

// The window's size that shows its whole content (the content's own size, and the window's frame
// and title around the scroll area), within the frame's area; a window cut short in height keeps
// room for the scroll bar beside its content.
QSize WindowView::WantedSize() const {
    QSize content = content_->sizeHint().expandedTo(content_->minimumSizeHint()).expandedTo(content_->minimumSize());
    QSize want = content + (sub_->sizeHint() - scroll_->sizeHint()).expandedTo(QSize(0, 0));
    // The caption says what the window does: a narrow window (two buttons) is widened so that its
    // title bar shows the caption whole beside the icon and the title bar's buttons.
    if (!sub_->windowTitle().isEmpty()) {
        QStyleOptionTitleBar bar;
        bar.initFrom(sub_);
        const int height = sub_->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, sub_);
        QFont title = sub_->font();
        title.setBold(true);
        want.setWidth(std::max(want.width(), QFontMetrics(title).horizontalAdvance(sub_->windowTitle()) + 5 * height));
    }
    if (standalone_) return want;
    const QSize area = host_.mainFrame().area()->viewport()->size();
    if (want.height() > area.height()) want.rwidth() += scroll_->verticalScrollBar()->sizeHint().width();
    if (want.width() > area.width()) want.rheight() += scroll_->horizontalScrollBar()->sizeHint().height();
    return want.boundedTo(area);
}

int WindowView::TabOf(const Item& item) const {
    int p = item.s.parent;
    for (int guard = 0; p != 0 && guard < 64; ++guard) {
        const Item* pi = Find(p);
        if (!pi) return 0;
        if (pi->s.type == ControlType::Tab) return p;
        p = pi->s.parent;
    }
    return 0;
}

// Where a tab page's (0, 0) lies in the window's content: the sheet's current page once the sheet
// has been laid out, else worked out from the sheet's position and its tab bar.
QPoint WindowView::PageOrigin(int tab) const {
    const Item* t = Find(tab);
    const Item* sheet = t ? Find(t->s.parent) : nullptr;
    if (!sheet) return {};
    auto* tw = qobject_cast<QTabWidget*>(sheet->widget.data());
    if (tw && content_ && tw->currentWidget() && tw->currentWidget()->isVisible())
        return tw->currentWidget()->mapTo(content_.data(), QPoint(0, 0));
    int bar = tw ? tw->tabBar()->sizeHint().height() : 0;
    return {DluX(sheet->s.at.x) + 2, DluY(sheet->s.at.y) + bar + 2};
}

// A control placed by the procedure, at its window position (dialog units), on its tab page when
// it lies on one.
void WindowView::Place(Item& item) {
    QWidget* w = item.widget;
    const auto& a = item.s.at;
    if (!w || a.w <= 0 || a.h <= 0 || item.s.type == ControlType::Tab) return;
    QPoint origin;
    if (int tab = TabOf(item)) origin = PageOrigin(tab);
    QRect r(DluX(a.x) - origin.x(), DluY(a.y) - origin.y(), DluX(a.w), DluY(a.h));
    // The procedure's size holds: not the picture's width, nor a combo fitting itself to its items.
    w->setFixedSize(r.size());
    if (w->geometry() != r) w->setGeometry(r);
}

void WindowView::PlaceAll() {
    if (!Absolute()) return;
    // Sheets first: their pages' positions are what the controls on them are placed against.
    for (auto& i : items_)
        if (i.s.type == ControlType::Sheet) Place(i);
    for (auto& i : items_)
        if (i.s.type != ControlType::Sheet) Place(i);
    UpdateHighlight();
}

void WindowView::BuildContainer(int parent, QWidget* into) {
    // Children of this container, in control order. Laid out in reading order, a control goes in
    // its group or on its tab page; placed by position, it goes on its tab page (or the window),
    // in front of the groups that frame it.
    bool absolute = Absolute();
    std::vector<Item*> kids;
    for (auto& i : items_) {
        if (IsFrameOnly(i.s.type) || i.s.type == ControlType::Tab) continue;
        if (absolute) {
            if (TabOf(i) == parent) kids.push_back(&i);
            continue;
        }
        int p = i.s.parent;
        if (parent == 0) {
            const Item* pi = Find(p);
            bool container = pi && (pi->s.type == ControlType::Tab || pi->s.type == ControlType::Group ||
                                    pi->s.type == ControlType::Option);
            if (p != 0 && container) continue;
        } else if (p != parent) {
            continue;
        }
        kids.push_back(&i);
    }
    if (absolute) {
        for (Item* k : kids) {
            QWidget* w = MakeWidget(*k, into);
            if (!w) continue;
            const auto& a = k->s.at;
            if (a.w > 0 && a.h > 0) Place(*k);
            else w->adjustSize();
            w->lower();
        }
        // Groups and boxes stay behind the controls they frame.
        for (Item* k : kids)
            if (k->widget && k->s.type != ControlType::Group && k->s.type != ControlType::Option) k->widget->raise();
        return;
    }
    auto* v = qobject_cast<QVBoxLayout*>(into->layout());
    if (!v) {
        v = new QVBoxLayout(into);
        v->setContentsMargins(8, 8, 8, 8);
    }
    QGridLayout* grid = nullptr;
    int gridRow = 0;
    std::vector<QWidget*> buttons;  // in rows at the bottom
    bool expanding = false;
    // An entry's own search button (no caption, or "...") right after it sits beside it, not among
    // the window's buttons at the bottom, and so does an empty string without a picture after them
    // (the description the procedure fills in: a name, a month); `n` moves past them. A check or radio standing
    // alone carries its own caption: it starts at the prompts' edge, across both columns.
    auto addInput = [&](QWidget* w, std::size_t& n, Qt::Alignment a, bool alone) {
        const ControlType own = kids[n]->s.type;
        auto next = [&](std::size_t m) { return m < kids.size() ? kids[m] : nullptr; };
        std::vector<QWidget*> beside;
        Item* b = next(n + 1);
        if (b && b->s.type == ControlType::Button && (b->s.text.empty() || b->s.text == "...")) {
            if (QWidget* bw = MakeWidget(*b, into)) {
                beside.push_back(bw);
                ++n;
            }
        }
        Item* d = next(n + 1);
        if (d && d->s.type == ControlType::String && d->s.text.empty() && d->s.picture.empty()) {
            if (QWidget* dw = MakeWidget(*d, into)) {
                beside.push_back(dw);
                ++n;
            }
        }
        if (!beside.empty()) {
            auto* row = new QHBoxLayout;
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(w, 0, a);  // (aligned: an entry keeps its own width, as in the grid)
            for (QWidget* x : beside) row->addWidget(x, 0, a);
            row->addStretch();
            grid->addLayout(row, gridRow, 1, a);
            return;
        }
        if (alone && (own == ControlType::Check || own == ControlType::Radio))
            grid->addWidget(w, gridRow, 0, 1, 2, a);
        else
            grid->addWidget(w, gridRow, 1, a);
    };
    for (std::size_t n = 0; n < kids.size(); ++n) {
        Item* k = kids[n];
        ControlType t = k->s.type;
        auto ensureGrid = [&] {
            if (!grid) {
                grid = new QGridLayout;
                grid->setColumnStretch(1, 1);
                gridRow = 0;
                v->addLayout(grid);
            }
        };
        // A prompt and its entry on a row; a prompt's picture button (no caption) stands there too.
        const Item* next = n + 1 < kids.size() ? kids[n + 1] : nullptr;
        if (t == ControlType::Prompt && next &&
            ((IsInput(next->s.type) && !IsList(next->s.type)) ||
             (next->s.type == ControlType::Button && next->s.text.empty()))) {
            ensureGrid();
            auto* label = qobject_cast<QLabel*>(MakeWidget(*k, into));
            QWidget* w = MakeWidget(*kids[n + 1], into);
            if (label && w) label->setBuddy(w);
            grid->addWidget(label, gridRow, 0, Qt::AlignLeft | Qt::AlignVCenter);
            if (kids[n + 1]->s.type == ControlType::Text) expanding = true;
            ++n;
            addInput(w, n, Qt::AlignLeft | Qt::AlignVCenter, false);
            ++gridRow;
            continue;
        }
        // A prompt and the value it names (a counter, a total, a name read from a register) on a
        // row, as a prompt and its entry: one row each, not two.
        if (t == ControlType::Prompt && next && next->s.type == ControlType::String) {
            ensureGrid();
            QWidget* label = MakeWidget(*k, into);
            QWidget* w = MakeWidget(*kids[n + 1], into);
            ++n;
            if (label) grid->addWidget(label, gridRow, 0, Qt::AlignLeft | Qt::AlignVCenter);
            if (w) {
                if (auto* value = qobject_cast<QLabel*>(w)) value->setWordWrap(true);
                grid->addWidget(w, gridRow, 1, Qt::AlignLeft | Qt::AlignVCenter);
            }
            ++gridRow;
            continue;
        }
        QWidget* w = MakeWidget(*k, into);
        if (!w) continue;
        if (t == ControlType::Button) {
            buttons.push_back(w);
        } else if (IsInput(t) && !IsList(t)) {
            ensureGrid();
            addInput(w, n, Qt::AlignLeft | Qt::AlignVCenter, true);
            ++gridRow;
        } else {
            grid = nullptr;
            // A line of text on its own row wraps rather than widening the window.
            if (auto* label = qobject_cast<QLabel*>(w); label && (t == ControlType::Prompt || t == ControlType::String))
                label->setWordWrap(true);
            bool grows = IsList(t) || t == ControlType::Text || t == ControlType::Image;
            v->addWidget(w, grows ? 1 : 0);
            if (grows) expanding = true;
        }
    }
    if (!expanding) v->addStretch();
    // Many buttons (a keypad) go in several even rows rather than one row wider than the screen.
    constexpr std::size_t kMostPerRow = 8;
    const std::size_t rows = (buttons.size() + kMostPerRow - 1) / kMostPerRow;
    const std::size_t perRow = rows ? (buttons.size() + rows - 1) / rows : 0;
    for (std::size_t first = 0; first < buttons.size(); first += perRow) {
        auto* row = new QHBoxLayout;
        row->addStretch();
        for (std::size_t b = first; b < std::min(buttons.size(), first + perRow); ++b) row->addWidget(buttons[b]);
        row->addStretch();
        v->addLayout(row);
    }
}

}  // namespace vorel::qt
