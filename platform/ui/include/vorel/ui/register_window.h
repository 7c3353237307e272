// The register window pattern: the browse and form pair that every register is, and the base of
// every window that lists a table and edits its records (the shell's browses too).
//
// `RegisterBrowse` and `RegisterForm` do the steps every register shares, so that a register's own
// file holds only its window and its own events:
// - set-up: the procedure's name goes on the thread's error-manager stack, its table opens through
//   the table's RelationManager in the thread's dictionary (`data::dictionary`), a `Resizer` is set
//   up unless the register asks for none, and the buttons are kept out of key navigation;
//   a table that does not open is shown in a message box "Erro ao Abrir" and the procedure ends;
// - tear-down: the table is closed and the name popped;
// - a browse: select mode from the request (4), view mode (6) opening no form (answers 2), the form
//   run by name on the browse's thread with the request (1 insert, 2 change, 3 delete), the close
//   button ending with 2 when selecting and 1 otherwise, and, where the register asks for it, the
//   insert, change and delete buttons hidden in select mode with the focus on the select button;
// - a form: captions by request ("View Record" for view), the cancel button ending with 2, the OK
//   button relabelled on change and delete with the register's tip and message, the data controls
//   linked to the field-history key (734), and on delete either the listed controls disabled or
//   every data control read-only.
//
//     class CfoBrowse : public RegisterBrowse {
//         CfoBrowse(ProcContext& c) : RegisterBrowse(c, "CFO", "Janela de C.F.O.P. Cadastrados", CFO(), "UCFO") {}
//         Level Build(Window& w) override { ...window, columns, orders...; return Level::Benign; }
//     };
//     ProcedureRegistry::Add("CFO", [](ProcContext& c) { CfoBrowse(c).Execute(); });
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "vorel/data/file_manager.h"
#include "vorel/data/table_desc.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/form.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/toolbar.h"

namespace vorel::ui {

// The thread's object of a table, from the thread's dictionary.
data::FileManager& ThreadFile(const data::TableDesc& table);

namespace detail {
// Holds what the framework's base classes take by reference, so that it is made before them.
struct BrowseSourceHolder {
    explicit BrowseSourceHolder(data::FileManager& f) : heldSource(f) {}
    TableSource heldSource;
};
struct RecordAccessHolder {
    explicit RecordAccessHolder(data::FileManager& f) : access(f) {}
    TableAccess access;
};
}  // namespace detail

class RegisterBrowse : private detail::BrowseSourceHolder, public BrowseWindow {
public:
    RegisterBrowse(ProcContext& ctx, std::string procedureName, std::string caption, const data::TableDesc& table,
                   std::string formProcedure);

    // The cursor the list reads (for a BrowseManager of the register's own, set before Execute).
    TableSource& tableSource() { return heldSource; }

    Level Setup() override;         // the common steps, then Build
    Level Teardown() override;
    Level OnWindowOpened() override;
    Response CallProcedure(int number, Request request) override;
    Level DispatchEvent(const Event& e) override;

protected:
    // Runs after the name is pushed and before the table opens (a register whose table lives in
    // the company folder asks for the company here); false: the window does not open (no company).
    virtual bool BeforeTables() { return true; }
    // Builds the register's window (controls, columns, search tabs, buttons) once its table is
    // open; a register that needs more around the common steps replaces Setup instead.
    virtual Level Build(Window&) { return Level::Benign; }
    data::FileManager& file() { return file_; }
    void NoResizer() { useResizer_ = false; }
    // A text below the list that shows a column of the highlighted row.
    void ShowBelowList(int listFeq, int textFeq, int column) { below_ = {listFeq, textFeq, column}; }
    // A text that shows how many records the table holds (read apart from the list), when the
    // window opens and after every completed form.
    void ShowCountIn(int textFeq) { countText_ = textFeq; }
    // Keeps these controls out of key navigation (Enter keeps its own meaning on them).
    void ExcludeFromNavigation(std::initializer_list<int> feqs);
    // In select mode the update buttons leave the BrowseManager and hide; the focus goes to select.
    void HideUpdateButtonsWhenSelecting(int insert, int change, int del, int select);
    // Hands the list its buttons: insert, change and delete unless the browse only views; select always.
    void SetButtons(BrowseManager& b, int insert, int change, int del, int select);

private:
    data::FileManager& file_;
    std::string form_;
    bool useResizer_ = true;
    bool opened_ = false;
    bool pushed_ = false;
    Resizer resizer_;
    std::vector<int> hideOnSelect_;
    int selectButton_ = 0;
    struct Below { int list = 0, text = 0, column = 0; } below_;
    int countText_ = 0;
    void ShowCount();
};

// The OK (or cancel) button's text, tip and status-bar message for a request.
struct ButtonLabel {
    std::string text, tip, message;
};

class RegisterForm : private detail::RecordAccessHolder, public FormController {
public:
    // `access`, when given, replaces the plain table access (a register whose writes do more, such
    // as the suppliers' archive copy on delete); it must outlive the form.
    RegisterForm(ProcContext& ctx, std::string procedureName, std::string caption, const data::TableDesc& table,
                 FormCaptions captions, TableAccess* access = nullptr);

    Level Setup() override;         // the common steps; the register builds its window after it
    Level Teardown() override;
    Level OnWindowOpened() override;

protected:
    data::FileManager& file() { return file_; }
    void NoResizer() { useResizer_ = false; }
    // Opens further tables for the form's life (closed in the tear-down); false when one fails:
    // the failure has been shown in a message box and the window is closed, so the set-up only
    // has to return Level::Cancel.
    bool AlsoOpen(std::initializer_list<const data::TableDesc*> tables);
    void ExcludeFromNavigation(std::initializer_list<int> feqs);
    // The data controls: linked to the field-history key, in this order.
    void LinkHistory(std::initializer_list<int> feqs);
    // What the OK button (and, on delete, the cancel button) become when the window opens.
    void OkOnChange(ButtonLabel label) { okOnChange_ = std::move(label); }
    void OkOnDelete(ButtonLabel label) { okOnDelete_ = std::move(label); }
    void CancelOnDelete(ButtonLabel label) { cancelOnDelete_ = std::move(label); }
    // On delete every entry, text, spin, list, drop list, combo, drop combo, check box, option and
    // radio button becomes read-only when the window opens (the buttons stay active).
    void ReadOnlyOnDelete() { readOnlyOnDelete_ = true; }
    // Entry controls enabled only when inserting.
    void EnabledOnlyOnInsert(std::initializer_list<int> feqs) { onlyOnInsert_.assign(feqs); }
    static void Relabel(Control& button, const ButtonLabel& label);

private:
    data::FileManager& file_;
    bool useResizer_ = true;
    bool opened_ = false;
    bool pushed_ = false;
    Resizer resizer_;
    ButtonLabel okOnChange_, okOnDelete_, cancelOnDelete_;
    bool readOnlyOnDelete_ = false;
    std::vector<int> onlyOnInsert_;
    std::vector<const data::TableDesc*> alsoOpen_;
};

}  // namespace vorel::ui
