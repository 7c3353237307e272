// WindowView: the widgets of one model window, kept as a mirror of what its procedure sends.
//
// A procedure window becomes a sub-window of the main frame's document area; the application
// frame's window (header.frame) gives the main window its menu bar, toolbar, status zones and
// wallpaper instead. Controls are laid out from the model: by their positions (dialog units) when
// the procedure placed them, otherwise in reading order (a prompt and its control on one row,
// lists, sheets and groups across, buttons in a row at the bottom).
//
// User actions become `UserEvent`s through the host; the view never reads a procedure's `Window`.
// Typing is applied to the widget and posted; the texts it posted are remembered, so a control
// state that still carries one of them (sent before the procedure saw the newer typing) does not
// overwrite what the user typed since. Tab, Shift+Tab, Enter, Esc and the control's alert keys go
// to the model, which moves the focus; list paging keys too.
#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QWidget>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vorel/ui/messages.h"

class QAction;
class QScrollArea;
class QMenu;

namespace vorel::qt {

class MainFrame;

struct ViewOptions {
    bool keypadComma = true;
    std::string iconFolder;
};

// What a view needs from the front end.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void Post(const ui::UserEvent& e) = 0;
    virtual const ViewOptions& viewOptions() const = 0;
    virtual MainFrame& mainFrame() = 0;
    virtual void StatusChanged() = 0;
};

class HighlightFrame;

class WindowView : public QObject {
public:
    WindowView(ViewHost& host, const ui::WindowOpened& opened);
    ~WindowView() override;

    int id() const { return header_.window; }
    int thread() const { return header_.thread; }
    bool isFrame() const { return header_.frame; }
    const ui::WindowHeader& header() const { return header_; }
    QMdiSubWindow* subWindow() const { return sub_; }
    QWidget* content() const { return content_; }
    QWidget* ControlWidget(int feq) const;
    const ui::ControlState* State(int feq) const;
    // The text of the status bar's first zone for this window: the focused control's message,
    // else the window's status text.
    std::string StatusText() const;

    void ApplyHeader(const ui::WindowHeader& h);
    void ApplyControl(const ui::ControlState& c);
    void RemoveControl(int feq);
    // Blocked while a newer window of the same procedure thread is open.
    void SetBlocked(bool blocked);
    bool blocked() const { return blocked_; }
    // Gives the model's focus control the keyboard focus (when the window is the active one).
    void FollowFocus();
    // Makes the window the active one (the frame's active sub-window, or the desktop's).
    void Activate();
    // A window opened before the main window was shown stands alone on the desktop.
    bool standalone() const { return standalone_; }
    // The model closed the window: the sub-window goes without asking.
    void CloseFromModel();
    // Alt + `letter` while this window is the active one: true when one of its controls claims
    // the letter (and the control has been acted on).
    bool TakeAccessKey(QChar letter);
    // Whether the focused control registered the key (a runtime key code) as an alert key.
    bool FocusTakes(int keyCode) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        ui::ControlState s;
        QPointer<QWidget> widget;   // the control's widget (focus, geometry)
        QPointer<QWidget> label;    // a prompt's buddy link is set on it
        QPointer<QAction> action;   // a menu item or menu
        QPointer<QMenu> menu;
        std::deque<std::string> typed;  // texts posted by typing, not yet seen back
    };
    Item* Find(int feq);
    const Item* Find(int feq) const;
    void Build();
    void BuildFrame();
    void RebuildFrameSoon();
    void FitContent();
    void KeepInsideArea();
    QSize WantedSize() const;
    int TabOf(const Item& item) const;  // the tab page a control lies on (0: the window)
    QPoint PageOrigin(int tab) const;
    void Place(Item& item);
    void PlaceAll();
    void BuildContainer(int parent, QWidget* into);
    QWidget* MakeWidget(Item& item, QWidget* parent);
    void Update(Item& item);
    void UpdateEnabled();
    void UpdateHighlight();
    bool HandleKey(Item& item, QKeyEvent* e);
    void Post(ui::UserEvent::Kind kind, int feq, int number = 0, const std::string& text = {});
    void Typed(int feq, const std::string& text);
    bool Absolute() const;
    bool IsActive() const;
    bool StructureDiffers(const ui::ControlState& a, const ui::ControlState& b) const;

    ViewHost& host_;
    ui::WindowHeader header_;
    std::vector<Item> items_;             // control order
    std::map<QObject*, int> feqOf_;       // widget -> control number
    QPointer<QMdiSubWindow> sub_;
    QPointer<QWidget> content_;
    QPointer<QScrollArea> scroll_;
    QPointer<HighlightFrame> box_;
    std::vector<QPointer<QObject>> frameParts_;  // menus and toolbar widgets of the frame
    bool applying_ = false;
    bool leavingCombo_ = false;           // an editable combo is losing the focus (not a pick)
    bool blocked_ = false;
    bool closingFromModel_ = false;
    bool destroying_ = false;             // the view is being destroyed: its filter passes everything
    bool standalone_ = false;
    bool frameRebuildQueued_ = false;
    bool fitQueued_ = false;
    QElapsedTimer opened_;                  // since the window opened
    static constexpr int kSettleMs = 1500;  // how long texts arriving may still widen it
    int shownFocus_ = -1;
};

}  // namespace vorel::qt
