// WindowController: the life cycle of a window procedure and the operations a procedure replaces.
//
// A procedure derives from it, builds its window in `Setup` (after calling the base, which makes
// the window and takes the request), and replaces what it needs. `Execute` runs the whole life:
//   Setup -> (window opened: saved position restored, FocusHighlighter and KeyboardNavigator set
//   up) -> RunEventLoop -> Teardown, and returns the `Response` (also left in ctx.response;
//   cancelled unless something completed it).
// `DispatchEvent` gives each event first to the highlighter and the navigator (an event the
// navigator handles ends there, level 5), then to the framework's dispatch: OnAccepted,
// OnSelected, OnNewSelection, OnAlertKey, OnWindowEvent (open -> OnWindowOpened, close, timer,
// maximised, resize), OnOtherEvent. The OK button runs UpdateComponents then OnCompleted; the
// cancel button ends with Response 2.
//
//     class Calculadora : public WindowController {
//         using WindowController::WindowController;
//         Level Setup() override { WindowController::Setup(); window().Entry(...); ...; return Level::Benign; }
//     };
//     ProcedureRegistry::Add("Calculadora", [](ProcContext& c) { Calculadora(c, "Calculadora", "Calculadora").Execute(); });
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorel/ui/focus_highlighter.h"
#include "vorel/ui/keyboard_navigator.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::ui {

class RecordAccess;
class Toolbar;
class Resizer;

// Where saved window positions are kept: the settings file's section named after the procedure.
struct PositionSettings {
    std::string file = "Vorel.ini";
};

class WindowController {
public:
    WindowController(ProcContext& ctx, std::string procedureName, std::string caption);
    virtual ~WindowController();
    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    // The whole life of the procedure; returns its Response.
    virtual Response Execute();

    // Operations a procedure replaces.
    virtual Level Setup();
    virtual void RunEventLoop();
    virtual Level DispatchEvent(const Event& e);
    // The framework's own dispatch of an event (DispatchEvent's second half).
    virtual Level TakeEvent(const Event& e);
    virtual Level OnAccepted(int feq);
    virtual Level OnSelected(int feq);
    virtual Level OnNewSelection(int feq);
    virtual Level OnAlertKey(int feq, int keyCode);
    virtual Level OnWindowOpened();
    virtual Level OnWindowEvent(const Event& e);
    virtual Level OnOtherEvent(const Event& e);
    virtual Level OnCompleted();
    virtual Response CallProcedure(int number, Request request);
    virtual Level PrepareRequest();
    virtual void UpdateComponents();
    virtual Level Teardown();

    // Field history (the key Ctrl+0xDE, 734): the history is kept per thread under `name` (by
    // default the procedure's name); a linked control takes its last saved text back on the key.
    void SetHistoryRecords(std::string name = {});
    void LinkHistoryControl(int feq);
    void SaveHistory();                 // the linked controls' texts become the history
    // The table a form writes (its saved file).
    void AddSavedFile(RecordAccess* file) { savedFile_ = file; }
    RecordAccess* savedFile() const { return savedFile_; }
    void AddToolbarHandler(Toolbar* toolbar) { toolbars_.push_back(toolbar); }

    // Configuration, for Setup.
    void SetOkButton(int feq) { okButton_ = feq; }
    void SetCancelButton(int feq) { cancelButton_ = feq; }
    int okButton() const { return okButton_; }
    int cancelButton() const { return cancelButton_; }
    void RememberPosition(PositionSettings settings = {}) { position_ = settings; }
    void UseNavigation(bool on) { navigation_ = on; }
    void SetResizer(Resizer* r) { resizer_ = r; }
    // A handler for a control's accepted event (a button's action), run by OnAccepted.
    void OnButton(int feq, std::function<Level()> action) { buttons_[feq] = std::move(action); }

    // State.
    ProcContext& context() { return ctx_; }
    Window& window();
    bool hasWindow() const { return window_ != nullptr; }
    Request request() const { return request_; }
    void SetRequest(Request r) { request_ = r; }
    Response response() const { return response_; }
    void SetResponse(Response r) { response_ = r; }
    // Ends the event loop after the current event with the given response.
    void CloseWith(Response r);
    const std::string& procedureName() const { return procedure_; }
    KeyboardNavigator& navigator() { return navigator_; }
    FocusHighlighter& highlighter() { return highlighter_; }
    const Event& currentEvent() const { return current_; }

protected:
    void OpenWindow();
    void RestorePosition();
    void StorePosition();

    ProcContext& ctx_;
    std::string procedure_;
    std::string caption_;
    std::unique_ptr<Window> window_;
    Request request_ = Request::None;
    Response response_ = Response::None;
    int okButton_ = 0, cancelButton_ = 0;
    KeyboardNavigator navigator_;
    FocusHighlighter highlighter_;
    bool navigation_ = true;
    std::optional<PositionSettings> position_;
    RecordAccess* savedFile_ = nullptr;
    std::vector<Toolbar*> toolbars_;
    Resizer* resizer_ = nullptr;
    std::map<int, std::function<Level()>> buttons_;
    std::string historyName_;
    std::vector<int> historyControls_;
    Event current_;
};

}  // namespace vorel::ui
