// The Qt front end: messages from the procedures applied to widgets, user events posted back.
#include "vorel/qt/front_end.h"

#include <QtCore/QPointer>
#include <QtCore/QSocketNotifier>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "access_keys.h"
#include "dialogs.h"
#include "main_frame.h"
#include "qt_convert.h"
#include "vorel/core/settings_file.h"
#include "window_view.h"

namespace vorel::qt {

bool KeypadDecimalIsComma() {
    vorel::settings::SettingsFile ini("qel.ini");
    return ini.read_number("Parametros", "TecladoPadraoBR", 0) == 0;
}

namespace {
// Popup menus travel as message boxes marked `popup` (when the window layer has them).
template <class Box>
bool IsPopup(const Box& box) {
    if constexpr (requires { box.popup; }) return box.popup;
    else return false;
}
}  // namespace

struct QtFrontEnd::Impl : public ViewHost {
    Impl(QtFrontEnd& owner, ui::Runtime& rt, FrontEndOptions o) : self(owner), runtime(rt), options(std::move(o)) {
        view.keypadComma = options.keypadComma;
        view.iconFolder = options.iconFolder;
    }

    void Post(const ui::UserEvent& e) override { runtime.Post(e); }
    const ViewOptions& viewOptions() const override { return view; }
    MainFrame& mainFrame() override { return *frame; }
    void StatusChanged() override {
        // Zone 1: the active procedure window's message, else the frame's own status text.
        std::string text;
        if (QMdiSubWindow* active = frame->area()->activeSubWindow())
            for (auto& [id, v] : views)
                if (v->subWindow() == active) text = v->StatusText();
        if (text.empty() && frameWindow)
            if (auto it = views.find(frameWindow); it != views.end()) text = it->second->StatusText();
        frame->SetZone(1, Q(text));
    }

    // Message boxes and file dialogs belong to the main window, or to the asking window while
    // that one stands alone (the login, before the main window shows).
    QWidget* DialogOwner(int window) {
        if (auto it = views.find(window); it != views.end() && it->second->standalone() && it->second->subWindow())
            return it->second->subWindow();
        return frame.get();
    }

    // The sub-window that was active before `now` (another one, or none when the main window lost
    // the desktop's focus) tells its procedure, and `now` tells its own that it has the focus.
    void Deactivated(QMdiSubWindow* now) {
        QMdiSubWindow* before = lastActive;
        lastActive = now;
        if (before == now) return;
        for (auto& [id, v] : views) {
            ui::UserEvent e;
            e.window = id;
            if (before && v->subWindow() == before)
                e.kind = ui::UserEvent::Deactivated;
            else if (now && v->subWindow() == now)
                e.kind = ui::UserEvent::Activated;
            else
                continue;
            runtime.Post(e);
        }
    }

    // A procedure working for a while (not waiting for the user) shows the busy cursor over its
    // windows; the others, and the frame, stay as they are.
    void ShowBusy() {
        std::vector<int> now = runtime.Busy(std::chrono::milliseconds(400));
        std::set<int> busy(now.begin(), now.end());
        for (auto& [id, v] : views) {
            QWidget* w = v->subWindow();
            if (v->isFrame() || !w) continue;
            const bool want = busy.count(v->thread()) > 0;
            if (want == w->testAttribute(Qt::WA_SetCursor)) continue;
            if (want) w->setCursor(Qt::BusyCursor);
            else w->unsetCursor();
        }
    }

    // The main window shown as it was last closed (its normal place and size, maximised or
    // not), or maximised when nothing is stored.
    void ShowFrame() {
        if (frame->isVisible()) return;
        ShowFrameAtItsPlace();
        frame->activateWindow();  // the keyboard's, also where no window manager gives it
    }
    void ShowFrameAtItsPlace() {
        if (options.frameSettings.empty()) return frame->show();
        settings::SettingsFile ini(options.frameSettings);
        if (ini.read_text(kFrameSection, "Width").empty()) {
            // The screen's whole work area, also where no window manager maximises.
            if (QScreen* screen = QGuiApplication::primaryScreen()) frame->setGeometry(screen->availableGeometry());
            return frame->showMaximized();
        }
        const QRect at(static_cast<int>(ini.read_number(kFrameSection, "XPos")),
                       static_cast<int>(ini.read_number(kFrameSection, "YPos")),
                       static_cast<int>(ini.read_number(kFrameSection, "Width")),
                       static_cast<int>(ini.read_number(kFrameSection, "Height")));
        if (at.width() >= 200 && at.height() >= 150) frame->setGeometry(at);
        if (ini.read_number(kFrameSection, "Maximize") != 0) frame->showMaximized();
        else frame->show();
    }

    void StoreFrame() {
        if (options.frameSettings.empty() || !frameShown) return;
        const QRect at = frame->isMaximized() ? frame->normalGeometry() : frame->geometry();
        const bool maximized = frame->isMaximized();
        settings::SettingsFile ini(options.frameSettings);
        auto ec = ini.update([&](settings::Content& c) {
            c.set(kFrameSection, "Maximize", maximized ? "1" : "0");
            c.set(kFrameSection, "XPos", std::to_string(at.x()));
            c.set(kFrameSection, "YPos", std::to_string(at.y()));
            c.set(kFrameSection, "Width", std::to_string(at.width()));
            c.set(kFrameSection, "Height", std::to_string(at.height()));
        });
        if (ec) std::fprintf(stderr, "vorel: the main window's place was not stored: %s\n", ec.message().c_str());
    }
    static constexpr const char* kFrameSection = "JanelaPrincipal";

    // Alt + letter: the active procedure window's controls first, then the frame's menu bar.
    // False when the main window and its windows are not the active ones (a message box).
    bool AccessKey(QChar letter) {
        QWidget* active = QApplication::activeWindow();
        if (!active) return false;
        if (active == frame.get()) {
            if (WindowView* v = ActiveView(); v && v->TakeAccessKey(letter)) return true;
            OpenMenu(letter);
            return true;  // a letter nothing claims goes nowhere (never to a window behind)
        }
        for (auto& [id, v] : views)
            if (v->standalone() && v->subWindow() == active) {
                v->TakeAccessKey(letter);
                return true;
            }
        return false;
    }

    WindowView* ActiveView() {
        QMdiSubWindow* s = frame->area()->activeSubWindow();
        for (auto& [id, v] : views)
            if (s && v->subWindow() == s) return v.get();
        return nullptr;
    }

    void OpenMenu(QChar letter) {
        QMenuBar* bar = frame->menuBar();
        for (QAction* a : bar->actions()) {
            if (!a->isVisible() || !a->isEnabled() || AccessLetter(a->text()) != letter) continue;
            if (a->menu()) bar->setActiveAction(a);
            else a->trigger();
            return;
        }
    }

    // A key that is one of the frame's shortcuts (menu items, toolbar keys) and that the focused
    // control does not register as its own.
    bool FrameShortcut(const QKeyEvent& e) {
        if (QApplication::activeWindow() != frame.get()) return false;
        const QKeySequence seq(e.keyCombination());
        bool frameKey = false;
        std::function<void(const QList<QAction*>&)> look = [&](const QList<QAction*>& actions) {
            for (QAction* a : actions) {
                if (frameKey) return;
                if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == seq) frameKey = true;
                if (a->menu()) look(a->menu()->actions());
            }
        };
        look(frame->actions());
        look(frame->menuBar()->actions());
        if (!frameKey) return false;
        WindowView* v = ActiveView();
        return !(v && v->FocusTakes(KeyCodeOf(e)));
    }

    void NoteActivated(QMdiSubWindow* now) {
        for (auto& [id, v] : views)
            if (now && v->subWindow() == now) {
                std::erase(activations, id);
                activations.push_back(id);
                // A window waiting on one it called (greyed, deaf to the keys) passes the
                // activation (Ctrl+Tab, a click) on to the window its procedure waits on.
                if (v->blocked() && !v->standalone()) {
                    const int thread = v->thread();
                    QTimer::singleShot(0, frame.get(), [this, thread] {
                        if (stacks.count(thread)) Restack(thread);
                    });
                }
            }
    }

    // The active window closed: the window active before it takes over (the lookup that opened
    // a form on another thread), with its procedure's windows in their order, rather than the
    // one the document area would pick (the lookup's caller's browse, over its form).
    void ReturnToPreviousWindow() {
        auto back = [this] {
            for (auto id = activations.rbegin(); id != activations.rend(); ++id)
                if (auto it = views.find(*id); it != views.end() && !it->second->blocked()) {
                    Restack(it->second->thread());
                    return;
                }
        };
        back();
        QTimer::singleShot(0, frame.get(), back);  // after the area's own choice, if it comes later
    }

    // Windows of each procedure thread, oldest first: all but the newest are blocked.
    void Restack(int thread) {
        auto& ws = stacks[thread];
        // Oldest at the bottom: a window closing (the document area then activates whichever
        // window it had active before) never leaves a caller behind the window that called it.
        for (std::size_t i = 0; i < ws.size(); ++i)
            if (auto it = views.find(ws[i]); it != views.end()) {
                it->second->SetBlocked(i + 1 < ws.size());
                if (QWidget* sub = it->second->subWindow(); sub && !it->second->standalone()) sub->raise();
            }
        if (!ws.empty())
            if (auto it = views.find(ws.back()); it != views.end() && it->second->subWindow()) {
                it->second->Activate();
                it->second->FollowFocus();
            }
        if (ws.empty()) stacks.erase(thread);
    }

    QtFrontEnd& self;
    ui::Runtime& runtime;
    FrontEndOptions options;
    ViewOptions view;
    std::unique_ptr<MainFrame> frame;
    std::unique_ptr<QSocketNotifier> notifier;
    std::map<int, std::unique_ptr<WindowView>> views;
    std::map<int, std::vector<int>> stacks;
    std::map<int, QPointer<QWidget>> dialogs;
    int frameWindow = 0;
    QPointer<QMdiSubWindow> lastActive;
    std::unique_ptr<QTimer> busyWatch;
    std::vector<int> order;  // window ids in opening order
    std::vector<int> activations;  // sub-windows in the order they were last active (latest last)
    KeyRouter keys;
    bool frameShown = false;  // the main window has been shown (its place is worth keeping)
};

QtFrontEnd::QtFrontEnd(ui::Runtime& runtime, FrontEndOptions options)
    : impl_(std::make_unique<Impl>(*this, runtime, std::move(options))) {
    impl_->frame = std::make_unique<MainFrame>();
    impl_->frame->setWindowTitle("Vorel");
    impl_->frame->onCloseAsked = [this] {
        if (impl_->frameWindow) {
            ui::UserEvent e;
            e.kind = ui::UserEvent::Close;
            e.window = impl_->frameWindow;
            impl_->runtime.Post(e);
            return false;  // the frame's procedure decides
        }
        return true;
    };
    QObject::connect(impl_->frame->area(), &QMdiArea::subWindowActivated, impl_->frame.get(),
                     [this](QMdiSubWindow* now) {
                         impl_->NoteActivated(now);
                         impl_->Deactivated(now);
                         impl_->StatusChanged();
                     });
    impl_->busyWatch = std::make_unique<QTimer>();
    QObject::connect(impl_->busyWatch.get(), &QTimer::timeout, impl_->frame.get(), [this] { impl_->ShowBusy(); });
    impl_->busyWatch->start(200);
    impl_->keys.accessKey = [this](QChar letter) { return impl_->AccessKey(letter); };
    impl_->keys.frameShortcut = [this](const QKeyEvent& e) { return impl_->FrameShortcut(e); };
    qApp->installEventFilter(&impl_->keys);
    impl_->notifier = std::make_unique<QSocketNotifier>(runtime.WakeFd(), QSocketNotifier::Read);
    QObject::connect(impl_->notifier.get(), &QSocketNotifier::activated, impl_->frame.get(), [this] { Pump(); });
}

QtFrontEnd::~QtFrontEnd() {
    qApp->removeEventFilter(&impl_->keys);
    impl_->busyWatch.reset();
    impl_->notifier.reset();
    // Destroying a sub-window makes the window area activate another one: no signal of the area
    // may reach this half-destroyed front end. Each view leaves the map before it is destroyed, so
    // whatever its destruction still reaches sees a whole map.
    QObject::disconnect(impl_->frame->area(), nullptr, impl_->frame.get(), nullptr);
    for (auto& [id, d] : impl_->dialogs)
        if (d) delete d.data();
    while (!impl_->views.empty()) {
        auto node = impl_->views.extract(impl_->views.begin());
        node.mapped().reset();
    }
    impl_->frame.reset();
}

void QtFrontEnd::Pump() { impl_->runtime.Pump(*this); }

QMainWindow* QtFrontEnd::mainWindow() { return impl_->frame.get(); }

void QtFrontEnd::Show() {
    impl_->ShowFrame();
    impl_->frameShown = true;
}

void QtFrontEnd::Apply(const ui::UiMessage& message) {
    Impl& d = *impl_;
    std::visit(
        [&](const auto& m) {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, ui::WindowOpened>) {
                // The main window appears with the application frame's window (not before the
                // login), unless it was shown already.
                if (m.header.frame && !d.frame->isVisible()) {
                    d.ShowFrame();
                    d.frameShown = true;
                }
                auto v = std::make_unique<WindowView>(d, m);
                int id = m.header.window;
                if (m.header.frame) d.frameWindow = id;
                d.views[id] = std::move(v);
                d.order.push_back(id);
                if (!m.header.frame) {
                    d.stacks[m.header.thread].push_back(id);
                    d.Restack(m.header.thread);
                }
                d.StatusChanged();
            } else if constexpr (std::is_same_v<T, ui::WindowChanged>) {
                if (auto it = d.views.find(m.header.window); it != d.views.end()) it->second->ApplyHeader(m.header);
            } else if constexpr (std::is_same_v<T, ui::ControlChanged>) {
                if (auto it = d.views.find(m.window); it != d.views.end()) it->second->ApplyControl(m.control);
            } else if constexpr (std::is_same_v<T, ui::ControlRemoved>) {
                if (auto it = d.views.find(m.window); it != d.views.end()) it->second->RemoveControl(m.feq);
            } else if constexpr (std::is_same_v<T, ui::WindowClosed>) {
                auto it = d.views.find(m.window);
                if (it == d.views.end()) return;
                int thread = it->second->thread();
                bool wasFrame = it->second->isFrame();
                const bool wasActive = it->second->subWindow() && !it->second->standalone() &&
                                       d.frame->area()->activeSubWindow() == it->second->subWindow();
                it->second->CloseFromModel();
                d.views.erase(it);
                std::erase(d.order, m.window);
                std::erase(d.activations, m.window);
                if (auto s = d.stacks.find(thread); s != d.stacks.end()) {
                    std::erase(s->second, m.window);
                    d.Restack(thread);
                }
                if (wasActive) d.ReturnToPreviousWindow();
                d.StatusChanged();
                if (wasFrame) {
                    d.StoreFrame();
                    d.frameWindow = 0;
                    if (onFrameClosed) onFrameClosed();
                }
            } else if constexpr (std::is_same_v<T, ui::WindowRaised>) {
                if (auto it = d.views.find(m.window); it != d.views.end()) d.Restack(it->second->thread());
            } else if constexpr (std::is_same_v<T, ui::MessageBoxAsked>) {
                int dialog = m.dialog;
                QPointer<QWidget> owner = d.DialogOwner(m.window);
                auto answer = [&d, dialog, owner](int n) {
                    d.dialogs.erase(dialog);
                    if (owner) owner->activateWindow();
                    ui::UserEvent e;
                    e.kind = ui::UserEvent::Answer;
                    e.dialog = dialog;
                    e.number = n;
                    d.runtime.Post(e);
                };
                QWidget* w = IsPopup(m) ? ShowPopupMenu(owner, m, answer) : ShowMessageBox(owner, m, answer);
                d.dialogs[dialog] = w;
            } else if constexpr (std::is_same_v<T, ui::FileDialogAsked>) {
                int dialog = m.dialog;
                QPointer<QWidget> owner = d.DialogOwner(m.window);
                auto answer = [&d, dialog, owner](bool ok, const std::string& path) {
                    d.dialogs.erase(dialog);
                    if (owner) owner->activateWindow();
                    ui::UserEvent e;
                    e.kind = ui::UserEvent::FileAnswer;
                    e.dialog = dialog;
                    e.number = ok ? 1 : 0;
                    e.text = path;
                    d.runtime.Post(e);
                };
                d.dialogs[dialog] = ShowFileDialog(owner, m, answer);
            } else if constexpr (std::is_same_v<T, ui::DialogWithdrawn>) {
                auto it = d.dialogs.find(m.dialog);
                if (it == d.dialogs.end()) return;
                QPointer<QWidget> w = it->second;
                d.dialogs.erase(it);
                WithdrawDialog(w);
            }
        },
        message);
}

QWidget* QtFrontEnd::WindowWidget(int window) const {
    auto it = impl_->views.find(window);
    return it == impl_->views.end() ? nullptr : it->second->subWindow();
}

QWidget* QtFrontEnd::ControlWidget(int window, int feq) const {
    auto it = impl_->views.find(window);
    return it == impl_->views.end() ? nullptr : it->second->ControlWidget(feq);
}

int QtFrontEnd::WindowByCaption(const std::string& caption) const {
    for (auto it = impl_->order.rbegin(); it != impl_->order.rend(); ++it)
        if (auto v = impl_->views.find(*it); v != impl_->views.end() && v->second->header().caption == caption)
            return *it;
    return 0;
}

int QtFrontEnd::FrameWindow() const { return impl_->frameWindow; }

std::vector<int> QtFrontEnd::Windows() const { return impl_->order; }

QWidget* QtFrontEnd::OpenDialog() const {
    for (auto& [id, w] : impl_->dialogs)
        if (w) return w;
    return nullptr;
}

std::string QtFrontEnd::StatusZone(int zone) const { return S(impl_->frame->Zone(zone)); }

}  // namespace vorel::qt
