// The register window pattern: the steps every register browse and form share.
#include "vorel/ui/register_window.h"

#include "vorel/data/dictionary.h"
#include "vorel/data/error.h"
#include "vorel/data/error_manager.h"
#include "vorel/ui/message_box.h"

namespace vorel::ui {

data::FileManager& ThreadFile(const data::TableDesc& table) { return data::dictionary::file(table); }

namespace {

// A table that does not open is reported (a register without its table shows nothing), and the
// procedure ends.
bool OpenThroughRelations(const data::TableDesc& table) {
    if (data::dictionary::relation(table).open() == data::kNoError) return true;
    const data::LastError& e = data::last_error();
    std::string file = e.file.empty() ? table.label : e.file;
    Message("Erro (" + text::to_utf8(e.text) + ") ao abrir o arquivo " + text::to_utf8(file) + ".", "Erro ao Abrir",
                Icon::Hand, "&OK");
    return false;
}

void CloseThroughRelations(const data::TableDesc& table) { (void)data::dictionary::relation(table).close(); }

bool TakesData(ControlType t) {
    switch (t) {
        case ControlType::Entry: case ControlType::Text: case ControlType::Spin:
        case ControlType::List: case ControlType::DropList: case ControlType::Combo:
        case ControlType::DropCombo: case ControlType::Check: case ControlType::Radio:
            return true;
        default:
            return false;
    }
}

}  // namespace

// ---- browse ------------------------------------------------------------------------------------

RegisterBrowse::RegisterBrowse(ProcContext& ctx, std::string procedureName, std::string caption,
                               const data::TableDesc& table, std::string formProcedure)
    : detail::BrowseSourceHolder(ThreadFile(table)),
      BrowseWindow(ctx, std::move(procedureName), std::move(caption), heldSource),
      file_(ThreadFile(table)),
      form_(std::move(formProcedure)) {}

Level RegisterBrowse::Setup() {
    data::ErrorManager::current().push_procedure(procedureName());
    pushed_ = true;
    const bool seguir = BeforeTables();
    Level l = BrowseWindow::Setup();
    if (!seguir) {
        window().Close();
        return Level::Cancel;
    }
    if (!OpenThroughRelations(file_.desc())) {
        window().Close();
        return Level::Cancel;
    }
    opened_ = true;
    if (useResizer_) SetResizer(&resizer_);
    return l == Level::Benign ? Build(window()) : l;
}

Level RegisterBrowse::Teardown() {
    Level l = BrowseWindow::Teardown();
    if (opened_) CloseThroughRelations(file_.desc());
    opened_ = false;
    if (pushed_) data::ErrorManager::current().pop_procedure();
    pushed_ = false;
    return l;
}

void RegisterBrowse::ExcludeFromNavigation(std::initializer_list<int> feqs) {
    for (int f : feqs) navigator().ExcludeControl(f);
}

void RegisterBrowse::SetButtons(BrowseManager& b, int insert, int change, int del, int select) {
    if (request() != Request::View) {
        b.SetInsertButton(insert);
        b.SetChangeButton(change);
        b.SetDeleteButton(del);
    }
    b.SetSelectButton(select);
}

void RegisterBrowse::HideUpdateButtonsWhenSelecting(int insert, int change, int del, int select) {
    hideOnSelect_ = {insert, change, del};
    selectButton_ = select;
}

void RegisterBrowse::ShowCount() {
    if (!countText_) return;
    const std::int64_t n = file().records();
    window()[countText_].Text(std::to_string(n < 0 ? 0 : n));
}

Level RegisterBrowse::OnWindowOpened() {
    ShowCount();
    if (browse().selectMode() && !hideOnSelect_.empty()) {
        browse().DropUpdateButtons();
        for (int f : hideOnSelect_)
            if (Control* c = window().Find(f)) c->Hide();
        if (selectButton_) window().Select(selectButton_);
    }
    return Level::Benign;
}

Level RegisterBrowse::DispatchEvent(const Event& e) {
    Level l = BrowseWindow::DispatchEvent(e);
    if (below_.text && hasWindow()) {
        Window& w = window();
        std::string shown;
        if (Control* list = w.Find(below_.list)) {
            int row = list->selected();
            if (row >= 1 && row <= static_cast<int>(list->rows().size())) {
                const Row& r = list->rows()[static_cast<std::size_t>(row - 1)];
                if (below_.column >= 1 && below_.column <= static_cast<int>(r.size()))
                    shown = r[static_cast<std::size_t>(below_.column - 1)].text;
            }
        }
        if (Control* t = w.Find(below_.text); t && t->text() != shown) t->Text(shown);
    }
    return l;
}

Response RegisterBrowse::CallProcedure(int, Request request) {
    if (this->request() == Request::View) return Response::Cancelled;
    Response r = context().Call(form_, request);
    if (r == Response::Completed) ShowCount();
    return r;
}

// ---- form --------------------------------------------------------------------------------------

RegisterForm::RegisterForm(ProcContext& ctx, std::string procedureName, std::string caption,
                           const data::TableDesc& table, FormCaptions captions, TableAccess* custom)
    : detail::RecordAccessHolder(ThreadFile(table)),
      FormController(ctx, std::move(procedureName), std::move(caption), custom ? *custom : access,
                         std::move(captions)),
      file_(ThreadFile(table)) {}

Level RegisterForm::Setup() {
    data::ErrorManager::current().push_procedure(procedureName());
    pushed_ = true;
    Level l = FormController::Setup();
    if (!OpenThroughRelations(file_.desc())) {
        window().Close();
        return Level::Cancel;
    }
    opened_ = true;
    SetHistoryRecords();
    if (useResizer_) SetResizer(&resizer_);
    return l;
}

bool RegisterForm::AlsoOpen(std::initializer_list<const data::TableDesc*> tables) {
    for (const data::TableDesc* t : tables) {
        if (!OpenThroughRelations(*t)) {
            window().Close();
            return false;
        }
        alsoOpen_.push_back(t);
    }
    return true;
}

Level RegisterForm::Teardown() {
    Level l = FormController::Teardown();
    for (const data::TableDesc* t : alsoOpen_) CloseThroughRelations(*t);
    alsoOpen_.clear();
    if (opened_) CloseThroughRelations(file_.desc());
    opened_ = false;
    if (pushed_) data::ErrorManager::current().pop_procedure();
    pushed_ = false;
    return l;
}

void RegisterForm::ExcludeFromNavigation(std::initializer_list<int> feqs) {
    for (int f : feqs) navigator().ExcludeControl(f);
}

void RegisterForm::LinkHistory(std::initializer_list<int> feqs) {
    for (int f : feqs) LinkHistoryControl(f);
}

void RegisterForm::Relabel(Control& button, const ButtonLabel& label) {
    if (!label.text.empty()) button.Text(label.text);
    if (!label.tip.empty()) button.Tip(label.tip);
    if (!label.message.empty()) button.Msg(label.message);
}

Level RegisterForm::OnWindowOpened() {
    Window& w = window();
    if (request() != Request::Insert)
        for (int f : onlyOnInsert_)
            if (Control* c = w.Find(f)) c->Disable();
    if (request() == Request::Change && okButton())
        Relabel(w[okButton()], okOnChange_);
    if (request() == Request::Delete) {
        if (okButton()) Relabel(w[okButton()], okOnDelete_);
        if (cancelButton()) Relabel(w[cancelButton()], cancelOnDelete_);
        if (readOnlyOnDelete_)
            for (Control* c : w.Controls())
                if (TakesData(c->type())) c->ReadOnly();
    }
    return Level::Benign;
}

}  // namespace vorel::ui
