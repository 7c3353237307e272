// FormController and lookups.
#include "vorel/ui/form.h"

#include "vorel/data/error_manager.h"
#include "vorel/ui/message_box.h"

namespace vorel::ui {

FormController::FormController(ProcContext& ctx, std::string procedureName, std::string caption, RecordAccess& file,
                               FormCaptions captions)
    : WindowController(ctx, std::move(procedureName), std::move(caption)), file_(file), captions_(std::move(captions)) {}

Level FormController::Setup() {
    Level l = WindowController::Setup();
    AddSavedFile(&file_);
    return l;
}

Level FormController::PrepareRequest() {
    openedWithDue_ = true;  // taken when the loop next waits, after the record is shown
    primedNew_ = false;
    if (request_ == Request::Insert) {
        if (!file_.PrimeNew()) return Level::Cancel;
        primedNew_ = true;
    }
    file_.SaveCopy();
    return Level::Benign;
}

Response FormController::Execute() {
    Level l = Setup();
    if (l == Level::Benign && PrepareRequest() != Level::Benign) {
        response_ = Response::Cancelled;
        l = Level::Cancel;
    }
    if (l == Level::Benign && !window().closing()) {
        if (request_ == Request::Delete)
            for (int feq : disableOnDelete_)
                if (Control* c = window().Find(feq)) c->Disable();
        OpenWindow();
        RunEventLoop();
    }
    Teardown();
    if (request_ == Request::View || response_ == Response::None) response_ = Response::Cancelled;
    ctx_.response = response_;
    return response_;
}

void FormController::RunEventLoop() {
    switch (request_) {
        case Request::View: window().SetCaption(captions_.view); break;
        case Request::Insert: if (!captions_.insert.empty()) window().SetCaption(captions_.insert); break;
        case Request::Change: if (!captions_.change.empty()) window().SetCaption(captions_.change); break;
        case Request::Delete: if (!captions_.del.empty()) window().SetCaption(captions_.del); break;
        default: break;
    }
    if (request_ == Request::Insert || request_ == Request::Change) window().SetBeforeWait([this] { NoteUnsaved(); });
    WindowController::RunEventLoop();
}

std::vector<std::string> FormController::DataValues() {
    std::vector<std::string> values;
    for (Control* c : window().Controls())
        if (c->use()) values.push_back(c->value());
    return values;
}

void FormController::NoteUnsaved() {
    bool unsaved = false;
    if (openedWithDue_) {
        openedWith_ = DataValues();
        openedWithDue_ = false;
    } else {
        unsaved = DataValues() != openedWith_;
    }
    if (unsaved == unsaved_) return;
    unsaved_ = unsaved;
    ctx_.runtime().MarkUnsaved(window().id(), unsaved);
}

Level FormController::OnAccepted(int feq) {
    if (feq != 0 && feq == okButton_ && request_ == Request::View) {
        UpdateComponents();
        CloseWith(Response::Cancelled);
        return Level::Benign;
    }
    return WindowController::OnAccepted(feq);
}

bool FormController::AcceptAll() {
    Window& w = window();
    w.acceptAll = true;
    w.acceptAllStopped = false;
    for (Control* c : w.Controls()) {
        switch (c->type()) {
            case ControlType::Entry: case ControlType::Check: case ControlType::DropList: case ControlType::Combo:
            case ControlType::DropCombo: case ControlType::Spin: case ControlType::Text: case ControlType::Radio:
            case ControlType::List:
                break;
            default:
                continue;
        }
        if (!c->enabled() || c->hidden()) continue;
        Event e{event::Accepted, c->feq(), 0};
        current_ = e;
        DispatchEvent(e);
        if (w.acceptAllStopped || w.closing()) break;
    }
    bool completed = !w.acceptAllStopped;
    w.acceptAll = false;
    w.acceptAllStopped = false;
    return completed && !w.closing();
}

Level FormController::OnCompleted() {
    Window& w = window();
    if (request_ == Request::View) {
        CloseWith(Response::Cancelled);
        return Level::Benign;
    }
    bool ok = false;
    if (request_ == Request::Delete) {
        if (data::ErrorManager::current().raise(21) != data::kBenign) return kHandled;  // "Confirma a exclusão..."
        ok = file_.Delete();
    } else {
        if (!AcceptAll()) return kHandled;
        int failed = file_.CheckFieldRules();
        if (failed >= 0) {
            if (auto it = fieldControls_.find(failed); it != fieldControls_.end()) w.Select(it->second);
            return kHandled;
        }
        ok = request_ == Request::Insert ? file_.Insert() : file_.Update();
    }
    if (!ok) return kHandled;  // the refusal was shown: the form stays open
    primedNew_ = false;
    SaveHistory();
    response_ = Response::Completed;
    if (batch_ && request_ == Request::Insert) {
        if (PrepareRequest() == Level::Benign) {
            for (Control* c : w.Controls()) c->Touched(false);
            w.Display();
            for (Control* c : w.Controls())
                if (c->type() == ControlType::Entry && c->enabled() && !c->hidden()) { w.Select(c->feq()); break; }
            return Level::Benign;
        }
    }
    w.Close();
    return Level::Benign;
}

Level FormController::Teardown() {
    if (primedNew_) file_.CancelNew();
    primedNew_ = false;
    if (response_ != Response::Completed && request_ != Request::Insert) file_.RestoreCopy();
    return WindowController::Teardown();
}

bool Lookup(ProcContext& ctx, const std::function<bool()>& find, const std::string& browseProcedure,
            const std::function<void()>& copyBack) {
    if (find()) return true;
    if (ctx.Call(browseProcedure, Request::Select) != Response::Completed) return false;
    copyBack();
    return true;
}

}  // namespace vorel::ui
