// The widgets of one model window.
#include "window_view.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <functional>
#include <set>

#include "access_keys.h"
#include "browse_list.h"
#include "column_combo.h"
#include "control_kinds.h"
#include "highlight_frame.h"
#include "main_frame.h"
#include "qt_convert.h"
#include "vorel/ui/headless.h"

namespace vorel::qt {

using ui::ControlState;
using ui::ControlType;
using ui::UserEvent;
namespace key = ui::key;


namespace {

constexpr int kBoxMargin = 3;  // pixels between the control and its highlight box

// Applies a model colour to a palette role, or leaves the inherited one.
void SetColours(QWidget* w, const ControlState& s) {
    QPalette pal;  // resolves against the parent's palette
    QColor fg = ColourOf(s.fg), bg = ColourOf(s.bg);
    if (fg.isValid()) {
        pal.setColor(QPalette::Text, fg);
        pal.setColor(QPalette::WindowText, fg);
        pal.setColor(QPalette::ButtonText, fg);
    }
    if (bg.isValid()) {
        pal.setColor(QPalette::Base, bg);
        pal.setColor(QPalette::Window, bg);
        pal.setColor(QPalette::Button, bg);
    }
    w->setPalette(pal);
    bool fillLabel = bg.isValid() && (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ||
                                      qobject_cast<QRadioButton*>(w));
    w->setAutoFillBackground(fillLabel);
}

// A string shown under a hand cursor is a link: a click on it is a press.
bool IsLink(const ControlState& s) {
    return (s.type == ControlType::String || s.type == ControlType::String2) && s.icon == "hand";
}

QString ImageFile(const ControlState& s) {
    for (const std::string* t : {&s.value, &s.icon, &s.text})
        if (!t->empty()) {
            QString n = Q(*t);
            n.replace('\\', '/');
            return n;
        }
    return {};
}

}  // namespace

WindowView::WindowView(ViewHost& host, const ui::WindowOpened& opened) : host_(host), header_(opened.header) {
    for (const auto& c : opened.controls) items_.push_back(Item{c, {}, {}, {}, {}, {}});
    if (header_.frame) {
        BuildFrame();
        ApplyHeader(opened.header);
        return;
    }
    sub_ = new QMdiSubWindow;
    sub_->setObjectName(QString("window-%1").arg(header_.window));
    sub_->setAttribute(Qt::WA_DeleteOnClose);
    sub_->setWindowIcon(IconOf("vorel", {}));
    sub_->installEventFilter(this);
    // Before the main window is shown (the login, before the frame opens) a window stands alone
    // on the desktop; afterwards every window lives inside the frame.
    standalone_ = !host_.mainFrame().isVisible();
    if (standalone_)
        sub_->setWindowFlags(header_.captionBar ? Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                      Qt::WindowCloseButtonHint
                                                : Qt::Window | Qt::FramelessWindowHint);
    else
        host_.mainFrame().area()->addSubWindow(sub_, header_.captionBar ? Qt::WindowFlags() : Qt::FramelessWindowHint);
    Build();
    sub_->setWindowTitle(Q(header_.caption));
    if (header_.at.w > 0 && header_.at.h > 0) {
        sub_->resize(DluX(header_.at.w) + 12, DluY(header_.at.h) + 36);
        if (!standalone_) sub_->move(DluX(header_.at.x), DluY(header_.at.y));
    } else {
        sub_->resize(WantedSize());
        // Cascade new windows a little.
        int n = static_cast<int>(host_.mainFrame().area()->subWindowList().size()) - 1;
        if (!standalone_) sub_->move(12 + 24 * (n % 10), 12 + 24 * (n % 10));
    }
    FitContent();  // a declared size smaller than what the window holds grows to show it all
    KeepInsideArea();
    opened_.start();
    if (standalone_) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            sub_->move(screen->availableGeometry().center() - QPoint(sub_->width() / 2, sub_->height() / 2));
    }
    if (header_.maximized) sub_->showMaximized();
    else sub_->show();
    Activate();
    shownFocus_ = -1;
    ApplyHeader(opened.header);
}

WindowView::~WindowView() {
    // Deleting the sub-window destroys the controls one by one, each sending events through this
    // filter while the sub-window is already half destroyed: none of them may reach the model.
    destroying_ = true;
    if (sub_) {
        closingFromModel_ = true;
        sub_->removeEventFilter(this);
        delete sub_.data();
    }
    for (auto& p : frameParts_)
        if (p) delete p.data();
    if (header_.frame) {
        host_.mainFrame().toolbar()->hide();
        host_.mainFrame().area()->SetWallpaper({}, 0);
    }
}

WindowView::Item* WindowView::Find(int feq) {
    for (auto& i : items_)
        if (i.s.feq == feq) return &i;
    return nullptr;
}
const WindowView::Item* WindowView::Find(int feq) const {
    for (auto& i : items_)
        if (i.s.feq == feq) return &i;
    return nullptr;
}

QWidget* WindowView::ControlWidget(int feq) const {
    const Item* i = Find(feq);
    return i ? i->widget.data() : nullptr;
}

const ControlState* WindowView::State(int feq) const {
    const Item* i = Find(feq);
    return i ? &i->s : nullptr;
}

std::string WindowView::StatusText() const {
    if (header_.frame) return header_.status;  // menu items and toolbar buttons show their own tips
    if (const Item* i = Find(header_.focus); i && !i->s.msg.empty()) return i->s.msg;
    return header_.status;
}

bool WindowView::Absolute() const {
    for (const auto& i : items_)
        if (!IsFrameOnly(i.s.type) && i.s.at.w > 0 && i.s.at.h > 0) return true;
    return false;
}

// ---- building ------------------------------------------------------------------------------------

QWidget* WindowView::MakeWidget(Item& item, QWidget* parent) {
    const ControlState& s = item.s;
    int feq = s.feq;
    QWidget* w = nullptr;
    switch (s.type) {
        case ControlType::Prompt:
        case ControlType::String:
        case ControlType::String2: {
            auto* l = new QLabel(parent);
            l->setTextFormat(Qt::PlainText);
            w = l;
            break;
        }
        case ControlType::Entry:
        case ControlType::Spin: {
            auto* e = new QLineEdit(parent);
            PictureShape shape = ShapeOf(s.picture);
            if (shape.number) e->setAlignment(Qt::AlignRight);
            int chars = shape.width > 0 ? std::min(shape.width, 60) : 20;
            e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QString(chars + 2, QChar('0'))));
            connect(e, &QLineEdit::textEdited, this, [this, feq](const QString& t) { Typed(feq, S(t)); });
            w = e;
            break;
        }
        case ControlType::Text: {
            auto* t = new QPlainTextEdit(parent);
            t->setTabChangesFocus(true);
            t->setMinimumHeight(t->fontMetrics().height() * 4);
            connect(t, &QPlainTextEdit::textChanged, this, [this, feq, t] {
                if (!applying_) Typed(feq, S(t->toPlainText()));
            });
            w = t;
            break;
        }
        case ControlType::Button: {
            auto* b = new QPushButton(parent);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, feq] { Post(UserEvent::Press, feq); });
            w = b;
            break;
        }
        case ControlType::Check: {
            auto* c = new QCheckBox(parent);
            connect(c, &QCheckBox::clicked, this, [this, feq](bool on) { Post(UserEvent::Check, feq, on ? 1 : 0); });
            w = c;
            break;
        }
        case ControlType::Radio: {
            auto* r = new QRadioButton(parent);
            r->setAutoExclusive(false);
            connect(r, &QRadioButton::clicked, this, [this, feq, r] {
                r->setChecked(true);
                Post(UserEvent::Check, feq, 1);
            });
            w = r;
            break;
        }
        case ControlType::DropList:
        case ControlType::Combo:
        case ControlType::DropCombo: {
            auto* c = new ColumnCombo(parent);
            bool editable = s.type != ControlType::DropList;
            c->setEditable(editable);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            if (s.dropCount > 0) c->setMaxVisibleItems(s.dropCount);
            connect(c, &QComboBox::activated, this, [this, feq](int index) {
                // An editable box whose text matches an entry "activates" that entry when it loses
                // the focus: that is no pick of the user's (it took the focus back from the next field).
                if (!applying_ && !leavingCombo_ && index >= 0) Post(UserEvent::PickItem, feq, index + 1);
            });
            if (editable) {
                connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, feq](const QString& t) { Typed(feq, S(t)); });
                c->lineEdit()->installEventFilter(this);
                feqOf_[c->lineEdit()] = feq;
            }
            w = c;
            break;
        }
        case ControlType::List:
        case ControlType::SubList: {
            auto* l = new BrowseList(parent);
            l->onPick = [this, feq](int row, bool accept) {
                Post(UserEvent::PickRow, feq, row, accept ? "accept" : "");
            };
            l->onScroll = [this, feq](int rows) { Post(UserEvent::Scroll, feq, rows); };
            l->onRowsFit = [this, feq](int rows) { Post(UserEvent::ListRows, feq, rows); };
            w = l;
            break;
        }
        case ControlType::Sheet: {
            auto* tw = new QTabWidget(parent);
            tw->tabBar()->installEventFilter(this);
            feqOf_[tw->tabBar()] = feq;
            item.widget = tw;
            // Pages: the sheet's tabs, in control order.
            for (auto& t : items_) {
                if (t.s.type != ControlType::Tab || t.s.parent != feq) continue;
                auto* page = new QWidget;
                page->setObjectName(QString("feq-%1").arg(t.s.feq));
                t.widget = page;
                tw->addTab(page, Q(t.s.text));
                BuildContainer(t.s.feq, page);
            }
            connect(tw, &QTabWidget::currentChanged, this, [this, feq](int index) {
                if (!applying_ && index >= 0) Post(UserEvent::PickTab, feq, index + 1);
            });
            w = tw;
            break;
        }
        case ControlType::Group:
        case ControlType::Option: {
            auto* g = new QGroupBox(parent);
            item.widget = g;
            if (!Absolute()) BuildContainer(feq, g);
            w = g;
            break;
        }
        case ControlType::Image: {
            auto* l = new QLabel(parent);
            l->setAlignment(Qt::AlignCenter);
            // An icon (a drive's picture) is small: it takes its own size.
            if (Absolute() || Q(s.icon).endsWith(".ico", Qt::CaseInsensitive)) {
                w = l;
                break;
            }
            // A picture the window lays out itself (a report page) scrolls inside its place.
            auto* scroll = new QScrollArea(parent);
            scroll->setWidget(l);
            scroll->setWidgetResizable(false);
            scroll->setAlignment(Qt::AlignCenter);
            l->setObjectName("picture");
            l->installEventFilter(this);
            feqOf_[l] = feq;
            w = scroll;
            break;
        }
        case ControlType::Progress: {
            auto* p = new QProgressBar(parent);
            w = p;
            break;
        }
        case ControlType::Box:
        case ControlType::Line:
        case ControlType::Ellipse:
        case ControlType::Region:
        case ControlType::Panel: {
            if (!Absolute()) return nullptr;
            auto* f = new QFrame(parent);
            f->setFrameShape(s.type == ControlType::Line ? QFrame::HLine : QFrame::Box);
            w = f;
            break;
        }
        default: {
            auto* l = new QLabel(parent);
            w = l;
            break;
        }
    }
    w->setObjectName(QString("feq-%1").arg(feq));
    w->installEventFilter(this);
    feqOf_[w] = feq;
    item.widget = w;
    return w;
}

// ---- showing the model ----------------------------------------------------------------------------

void WindowView::Update(Item& item) {
    const ControlState& s = item.s;
    applying_ = true;
    if (item.action) {
        QAction* a = item.action;
        if (!a->isSeparator()) {
            QString text = Q(s.text);
            int tab = text.indexOf('\t');
            // An item on the bar itself shows no shortcut text.
            bool onBar = !item.menu && (s.parent == 0 || (Find(s.parent) && Find(s.parent)->s.type == ControlType::MenuBar));
            a->setText(onBar && tab >= 0 ? text.left(tab) : text);
            if (s.type == ControlType::MenuItem && tab >= 0) {
                a->setShortcut(ShortcutOf(S(text.mid(tab + 1))));
                a->setShortcutContext(Qt::WindowShortcut);
            }
            a->setStatusTip(Q(s.msg));
            a->setToolTip(Q(s.tip));
        }
        a->setEnabled(s.enabled);
        a->setVisible(!s.hidden);
        applying_ = false;
        return;
    }
    QWidget* w = item.widget;
    if (!w) {
        applying_ = false;
        return;
    }
    if (s.type == ControlType::Tab) {
        // A tab is its sheet's page: its caption and visibility are the sheet's.
        if (const Item* sheet = Find(s.parent))
            if (auto* tw = qobject_cast<QTabWidget*>(sheet->widget.data())) {
                int index = tw->indexOf(w);
                if (index >= 0) {
                    tw->setTabText(index, Q(s.text));
                    tw->setTabToolTip(index, Q(s.tip));
                    tw->setTabVisible(index, !s.hidden);
                    tw->setTabEnabled(index, s.enabled);
                }
            }
        applying_ = false;
        return;
    }
    w->setToolTip(Q(s.tip));
    if (IsLink(s)) w->setCursor(Qt::PointingHandCursor);
    QFont font = s.font.empty() && s.fontSize == 0 ? w->font() : FontOf(s.font, s.fontSize, w->font());
    font.setBold(s.fontWeight >= 700);
    w->setFont(font);
    SetColours(w, s);
    if (auto* scroll = qobject_cast<QScrollArea*>(w); scroll && s.type == ControlType::Image) {
        if (auto* l = qobject_cast<QLabel*>(scroll->widget())) {
            QPixmap pm(ImageFile(s));
            l->setPixmap(pm);
            l->adjustSize();
            // A small picture (a logo) takes its own size; a big one (a page) a scrolled place.
            const int frame = 2 * scroll->frameWidth();
            scroll->setMinimumSize(pm.isNull() ? QSize(0, 0)
                                               : QSize(std::min(pm.width(), 240) + frame, std::min(pm.height(), 180) + frame));
        }
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        if (s.type == ControlType::Image) {
            QString file = ImageFile(s);
            QPixmap pm(file);
            // An icon the program names but does not ship is looked for in the icon folder, else
            // drawn (the program's own mark beside the login's title).
            if (pm.isNull() && file.endsWith(".ico", Qt::CaseInsensitive))
                pm = IconOf(S(file), host_.viewOptions().iconFolder)
                         .pixmap(s.at.w > 0 ? DluX(s.at.w) : 32, s.at.h > 0 ? DluY(s.at.h) : 32);
            if (!pm.isNull() && s.at.w > 0 && s.at.h > 0) pm = pm.scaled(DluX(s.at.w), DluY(s.at.h), Qt::KeepAspectRatio);
            l->setPixmap(pm);
        } else if (s.type == ControlType::Prompt) {
            // A prompt shows its access letter when it leads to a control; plain text otherwise.
            l->setTextFormat(Qt::PlainText);
            l->setText(l->buddy() ? Q(s.text) : Q(ui::StripAmpersand(s.text)));
        } else {
            QString t = Q(s.text.empty() ? s.value : s.text);
            l->setText(s.type == ControlType::Entry ? t.trimmed() : t);
        }
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        std::string v = s.value;
        // Typing stops at what the picture and the field hold (the model refuses more anyway); a
        // longer value the procedure shows is never cut.
        const int most = s.maxLength > 0 ? std::max<int>(s.maxLength, static_cast<int>(Q(v).size())) : 32767;
        if (e->maxLength() != most) e->setMaxLength(most);
        auto hit = std::find(item.typed.begin(), item.typed.end(), v);
        if (hit != item.typed.end()) {
            item.typed.erase(item.typed.begin(), hit + 1);  // our own typing, seen back: keep the widget
        } else {
            item.typed.clear();
            if (S(e->text()) != v) {
                e->setText(Q(v));
                // A field the user is in shows the new value selected, so typing replaces it.
                if (e->hasFocus()) e->selectAll();
                else e->setCursorPosition(0);
            }
        }
        e->setReadOnly(s.readOnly);
        e->setEchoMode(s.password ? QLineEdit::Password : QLineEdit::Normal);
        e->setFocusPolicy(Qt::StrongFocus);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        auto hit = std::find(item.typed.begin(), item.typed.end(), s.value);
        if (hit != item.typed.end()) {
            item.typed.erase(item.typed.begin(), hit + 1);
        } else {
            item.typed.clear();
            if (S(t->toPlainText()) != s.value) {
                t->setPlainText(Q(s.value));
                t->moveCursor(QTextCursor::End);
            }
        }
        t->setReadOnly(s.readOnly);
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
        b->setText(Q(s.text));
        b->setIcon(IconOf(s.icon, host_.viewOptions().iconFolder));
        b->setDefault(s.isDefault);
    } else if (auto* tb = qobject_cast<QToolButton*>(w)) {
        tb->setText(Q(ui::StripAmpersand(s.text)));
        tb->setIcon(IconOf(s.icon, host_.viewOptions().iconFolder));
        tb->setToolButtonStyle(s.text.empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setText(Q(s.text));
        c->setChecked(!s.value.empty() && s.value != "0");
    } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
        r->setText(Q(s.text));
        r->setChecked(!s.value.empty() && s.value != "0");
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        ShowEntries(*cb, s);
        if (cb->isEditable()) {
            auto hit = std::find(item.typed.begin(), item.typed.end(), s.value);
            if (hit != item.typed.end()) {
                item.typed.erase(item.typed.begin(), hit + 1);
            } else {
                item.typed.clear();
                if (cb->currentIndex() != s.selected - 1) cb->setCurrentIndex(s.selected - 1);
                if (S(cb->currentText()) != s.value) {
                    cb->setEditText(Q(s.value));
                    if (cb->hasFocus()) cb->lineEdit()->selectAll();
                }
            }
        } else {
            cb->setCurrentIndex(s.selected >= 1 && s.selected <= cb->count() ? s.selected - 1 : -1);
        }
    } else if (auto* list = dynamic_cast<BrowseList*>(w)) {
        list->Show(s);
    } else if (auto* tw = qobject_cast<QTabWidget*>(w)) {
        if (s.selected >= 1 && s.selected <= tw->count() && tw->currentIndex() != s.selected - 1)
            tw->setCurrentIndex(s.selected - 1);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(Q(s.text));
    } else if (auto* p = qobject_cast<QProgressBar*>(w)) {
        p->setRange(s.rangeLow, std::max(s.rangeLow, s.rangeHigh));
        p->setValue(std::clamp(s.progress, s.rangeLow, std::max(s.rangeLow, s.rangeHigh)));
    }
    bool readOnlyChoice = s.readOnly && (s.type == ControlType::DropList || s.type == ControlType::Check ||
                                         s.type == ControlType::Radio);
    w->setEnabled(s.enabled && !readOnlyChoice);
    w->setVisible(!s.hidden);
    applying_ = false;
}

void WindowView::ApplyHeader(const ui::WindowHeader& h) {
    bool focusMoved = h.focus != header_.focus || shownFocus_ != h.focus || (h.enabled && !header_.enabled);
    header_ = h;
    if (header_.frame) {
        MainFrame& f = host_.mainFrame();
        f.setWindowTitle(Q(h.caption));
        for (std::size_t i = 0; i < 3; ++i) f.SetZone(static_cast<int>(i) + 2, i < h.zones.size() ? Q(h.zones[i]) : QString());
        f.area()->SetWallpaper(h.wallpaper, h.wallpaperLayout);
        host_.StatusChanged();
        return;
    }
    if (sub_) {
        sub_->setWindowTitle(Q(h.caption));
        if (h.maximized && !sub_->isMaximized()) sub_->showMaximized();
    }
    UpdateEnabled();
    if (focusMoved) FollowFocus();
    UpdateHighlight();
    host_.StatusChanged();
}

void WindowView::ApplyControl(const ControlState& c) {
    Item* item = Find(c.feq);
    if (!item || StructureDiffers(item->s, c)) {
        if (item) item->s = c;
        else items_.push_back(Item{c, {}, {}, {}, {}, {}});
        if (header_.frame) RebuildFrameSoon();
        else Build();
        FollowFocus();
    } else {
        bool moved = !(item->s.at == c.at);
        bool retitled = item->s.text != c.text && !header_.frame;
        item->s = c;
        Update(*item);
        // A longer text arriving while the window opens (a description shown beside a code) may
        // need a wider window; once the window has settled it no longer jumps as texts change.
        if (retitled && !fitQueued_ && opened_.isValid() && opened_.elapsed() < kSettleMs) {
            fitQueued_ = true;
            QTimer::singleShot(0, this, [this] {
                fitQueued_ = false;
                FitContent();
            });
        }
        // A placed control the procedure moved (a resizer): its widget follows; a sheet takes its
        // pages' controls along.
        if (moved && Absolute()) {
            if (c.type == ControlType::Sheet) PlaceAll();
            else Place(*item);
        }
    }
    UpdateHighlight();
    if (c.feq == header_.focus) host_.StatusChanged();
}

bool WindowView::StructureDiffers(const ControlState& a, const ControlState& b) const {
    if (a.type != b.type || a.parent != b.parent) return true;
    if (Absolute() && !(a.at == b.at) && !IsFrameOnly(a.type)) {
        // A placed control that moves: move its widget (no rebuild).
        return false;
    }
    if (header_.frame && !(a.alertKeys == b.alertKeys)) return true;
    return false;
}

void WindowView::RemoveControl(int feq) {
    auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& i) { return i.s.feq == feq; });
    if (it == items_.end()) return;
    items_.erase(it);
    if (header_.frame) RebuildFrameSoon();
    else Build();
}

void WindowView::SetBlocked(bool blocked) {
    blocked_ = blocked;
    UpdateEnabled();
}

void WindowView::UpdateEnabled() {
    if (content_) content_->setEnabled(header_.enabled && !blocked_);
}

void WindowView::Activate() {
    if (!sub_) return;
    if (standalone_) {
        sub_->raise();
        sub_->activateWindow();
    } else {
        host_.mainFrame().area()->setActiveSubWindow(sub_);
    }
}

bool WindowView::IsActive() const {
    if (!sub_) return false;
    if (standalone_) return sub_->isActiveWindow() || QApplication::activeWindow() == nullptr;
    QMdiArea* area = host_.mainFrame().area();
    return area->activeSubWindow() == sub_ || area->currentSubWindow() == sub_;
}

void WindowView::FollowFocus() {
    if (!sub_ || !content_) return;
    if (!IsActive()) return;
    Item* i = Find(header_.focus);
    QWidget* w = i ? i->widget.data() : nullptr;
    if (!w) return;
    shownFocus_ = header_.focus;
    // A control on a tab page that is not shown cannot take the focus yet. The model moves the
    // focus as the keyboard does: the style shows it (a button's focus frame) as after a Tab.
    if (!w->hasFocus()) w->setFocus(Qt::TabFocusReason);
    // Arriving in a field selects its text, so what is typed replaces it.
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit()) c->lineEdit()->selectAll();
    if (scroll_ && w->isVisible()) scroll_->ensureWidgetVisible(w, 16, 16);
}

void WindowView::UpdateHighlight() {
    if (!content_) return;
    Item* i = Find(header_.focus);
    QWidget* w = i ? i->widget.data() : nullptr;
    // The highlighter leaves buttons alone; a button that has the focus still shows it, with a
    // frame of the box's pen and no fill, so that a clerk sees where Enter goes.
    const bool button = i && i->s.type == ControlType::Button && !header_.box.shown;
    if (!header_.box.shown && !button) w = nullptr;
    if (!w || !w->isVisible()) {
        if (box_) box_->hide();
        return;
    }
    if (!box_ || box_->parentWidget() != w->parentWidget()) {
        if (box_) delete box_.data();
        box_ = new HighlightFrame(w->parentWidget());
    }
    box_->pen = ColourOf(header_.box.pen);
    box_->fill = button ? QColor() : ColourOf(header_.box.fill);
    box_->setGeometry(w->geometry().adjusted(-kBoxMargin, -kBoxMargin, kBoxMargin, kBoxMargin));
    box_->stackUnder(w);
    box_->show();
    box_->update();
}

void WindowView::CloseFromModel() {
    closingFromModel_ = true;
    if (sub_) sub_->close();
}

// ---- the user's actions ---------------------------------------------------------------------------

bool WindowView::TakeAccessKey(QChar letter) {
    if (!content_ || !content_->isEnabled()) return false;
    std::vector<AccessCandidate> controls;
    for (const Item& i : items_) {
        const ControlType t = i.s.type;
        if (t != ControlType::Button && t != ControlType::Check && t != ControlType::Radio &&
            t != ControlType::Prompt && t != ControlType::Tab)
            continue;
        AccessCandidate c{i.s.feq, t, Q(i.s.text), false, 0, 0, 0};
        if (t == ControlType::Tab) {
            const Item* sheet = Find(i.s.parent);
            auto* tw = sheet ? qobject_cast<QTabWidget*>(sheet->widget.data()) : nullptr;
            const int index = tw && i.widget ? tw->indexOf(i.widget) : -1;
            if (index < 0) continue;
            c.usable = tw->isVisible() && tw->isEnabled() && tw->isTabEnabled(index) && tw->isTabVisible(index);
            c.sheet = sheet->s.feq;
            c.tabIndex = index + 1;
        } else if (t == ControlType::Prompt) {
            auto* label = qobject_cast<QLabel*>(i.widget.data());
            QWidget* buddy = label ? label->buddy() : nullptr;
            auto to = buddy ? feqOf_.find(buddy) : feqOf_.end();
            if (to == feqOf_.end()) continue;
            c.target = to->second;
            c.usable = buddy->isVisible() && buddy->isEnabled();
        } else {
            c.usable = i.widget && i.widget->isVisible() && i.widget->isEnabled();
        }
        controls.push_back(std::move(c));
    }
    const AccessAction a = ResolveAccessKey(controls, header_.focus, letter);
    switch (a.kind) {
        case AccessAction::None: return false;
        case AccessAction::Press: Post(UserEvent::Press, a.feq); break;
        case AccessAction::Focus: Post(UserEvent::Focus, a.feq); break;
        case AccessAction::PickTab: Post(UserEvent::PickTab, a.feq, a.number); break;
        case AccessAction::Toggle: {
            const Item* i = Find(a.feq);
            const bool on = i && !i->s.value.empty() && i->s.value != "0";
            Post(UserEvent::Check, a.feq, i && i->s.type == ControlType::Radio ? 1 : (on ? 0 : 1));
            break;
        }
    }
    return true;
}

bool WindowView::FocusTakes(int keyCode) const {
    const Item* i = Find(header_.focus);
    return i && std::find(i->s.alertKeys.begin(), i->s.alertKeys.end(), keyCode) != i->s.alertKeys.end();
}

void WindowView::Post(UserEvent::Kind kind, int feq, int number, const std::string& text) {
    UserEvent e;
    e.kind = kind;
    e.window = header_.window;
    e.feq = feq;
    e.number = number;
    e.text = text;
    host_.Post(e);
}

void WindowView::Typed(int feq, const std::string& text) {
    if (applying_) return;
    Item* i = Find(feq);
    if (!i) return;
    i->typed.push_back(text);
    if (i->typed.size() > 64) i->typed.pop_front();
    i->s.value = text;  // the mirror shows what was typed, as the widget does
    Post(UserEvent::Type, feq, 0, text);
}

bool WindowView::HandleKey(Item& item, QKeyEvent* e) {
    int code = KeyCodeOf(*e);
    if (code == 0) return false;
    bool comma = host_.viewOptions().keypadComma && (code & 0xFF) == kKeypadDecimal;
    if (comma) code = (code & ~0xFF) | kCommaKey;
    if (std::find(item.s.alertKeys.begin(), item.s.alertKeys.end(), code) != item.s.alertKeys.end()) {
        Post(UserEvent::Key, item.s.feq, code);
        return true;
    }
    switch (code) {
        case key::Tab: case key::ShiftTab: case key::Enter: case key::ShiftEnter: case key::Esc:
            Post(UserEvent::Key, item.s.feq, code);
            return true;
        default: break;
    }
    if (item.s.type == ControlType::Radio) {
        switch (code) {
            case key::Up: case key::Down: case key::Left: case key::Right:
                Post(UserEvent::Key, item.s.feq, code);  // the model chooses the next radio
                return true;
            default: break;
        }
    }
    if (IsList(item.s.type)) {
        switch (code) {
            case key::Up: case key::Down: case key::PageUp: case key::PageDown: case key::Home: case key::End:
                Post(UserEvent::Key, item.s.feq, code);
                return true;
            default: break;
        }
    }
    return false;
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
    if (destroying_) return false;
    if (watched == sub_) {
        if (event->type() == QEvent::Close && !closingFromModel_) {
            event->ignore();
            Post(UserEvent::Close, 0);
            return true;
        }
        if (standalone_ && event->type() == QEvent::WindowDeactivate && !closingFromModel_)
            Post(UserEvent::Deactivated, 0);
        if (event->type() == QEvent::WindowStateChange && sub_->isMaximized() && !header_.maximized) {
            UserEvent e;
            e.kind = UserEvent::Maximize;
            e.window = header_.window;
            QRect r = sub_->geometry();
            e.at = {r.x(), r.y(), r.width(), r.height()};
            host_.Post(e);
        }
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) QTimer::singleShot(0, this, [this] { UpdateHighlight(); });
        return false;
    }
    auto it = feqOf_.find(watched);
    if (it == feqOf_.end()) return false;
    Item* item = Find(it->second);
    if (!item) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Keys the model takes are not main-window shortcuts while this control has the focus.
            auto* k = static_cast<QKeyEvent*>(event);
            int code = KeyCodeOf(*k);
            if (code && std::find(item->s.alertKeys.begin(), item->s.alertKeys.end(), code) != item->s.alertKeys.end()) {
                event->accept();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(event);
            int code = KeyCodeOf(*k);
            bool comma = host_.viewOptions().keypadComma && (code & 0xFF) == kKeypadDecimal;
            if (comma && TakesText(item->s.type)) {
                int c2 = (code & ~0xFF) | kCommaKey;
                if (std::find(item->s.alertKeys.begin(), item->s.alertKeys.end(), c2) == item->s.alertKeys.end()) {
                    QKeyEvent typed(QEvent::KeyPress, Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","));
                    QCoreApplication::sendEvent(watched, &typed);
                    return true;
                }
            }
            return HandleKey(*item, k);
        }
        case QEvent::MouseButtonRelease: {
            // A picture or a click region is pressed like a button (a form's logo, a photo), and
            // so is a string under a hand cursor (a link such as the login's "Configurar Senhas").
            const bool clickable = item->s.type == ControlType::Image || item->s.type == ControlType::Region ||
                                   IsLink(item->s);
            if (!clickable || !item->s.enabled || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                return false;
            Post(UserEvent::Press, item->s.feq);
            return true;
        }
        case QEvent::FocusIn: {
            auto* f = static_cast<QFocusEvent*>(event);
            if ((f->reason() == Qt::MouseFocusReason || f->reason() == Qt::ShortcutFocusReason) &&
                item->s.feq != header_.focus && item->s.type != ControlType::Sheet)
                Post(UserEvent::Focus, item->s.feq);
            return false;
        }
        case QEvent::FocusOut:
            if (item->s.type == ControlType::Combo || item->s.type == ControlType::DropCombo) {
                leavingCombo_ = true;
                QTimer::singleShot(0, this, [this] { leavingCombo_ = false; });
            }
            return false;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            if (item->s.feq == header_.focus) QTimer::singleShot(0, this, [this] { UpdateHighlight(); });
            return false;
        default:
            return false;
    }
}

}  // namespace vorel::qt
