// FormController: the update form of a register, over one record of its table.
//
// Opened with the request in `Request` (1 insert, 2 change, 3 delete, 6 view) and the record in the
// table's buffer. The caption follows the request ("View Record" when viewing, the form's own texts
// otherwise). `PrepareRequest` primes a new record (defaults, auto-number) or keeps a copy of the
// record; when it fails the form closes at once. OK (`OnAccepted` of the OK button) moves the
// controls into the record and runs `OnCompleted`, the OK pipeline:
//   view: the form closes (Response 2, always);
//   insert / change: every data control is accepted again (`window().acceptAll` is set; a handler
//     that selects a control stops the pass and the form stays open), then the table's field rules
//     (a failing field gets the focus), then the write (a refusal such as a duplicate key keeps the
//     form open);
//   delete: the deletion question (message 21 of the message table), then the delete.
// A completed write saves the field history (key 734) and ends the form with Response 1, or, with
// `SetBatchInsert`, primes the next record and stays open. Cancel ends with Response 2 and gives an
// abandoned insert's auto-number back. While an insert or change form is open it tells the runtime
// whether its data controls hold values other than those it opened with (a batch's carry-over
// counts as opened with): `Runtime::UnsavedWindows`, which the program's exit asks about.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "vorel/ui/record_access.h"
#include "vorel/ui/window_controller.h"

namespace vorel::ui {

struct FormCaptions {
    std::string insert, change, del;
    std::string view = "View Record";
};

class FormController : public WindowController {
public:
    FormController(ProcContext& ctx, std::string procedureName, std::string caption, RecordAccess& file,
                   FormCaptions captions);

    // Set-up helpers.
    void LinkField(int feq, int fieldNumber) { fieldControls_[fieldNumber] = feq; }
    void DisableOnDelete(std::vector<int> feqs) { disableOnDelete_ = std::move(feqs); }
    void SetBatchInsert(bool on) { batch_ = on; }

    Response Execute() override;
    Level Setup() override;
    void RunEventLoop() override;
    Level OnAccepted(int feq) override;
    Level OnCompleted() override;
    Level PrepareRequest() override;
    Level Teardown() override;

    // The accept-all pass over the data controls; false when a handler stopped it.
    bool AcceptAll();

protected:
    RecordAccess& file_;
    FormCaptions captions_;
    std::map<int, int> fieldControls_;  // field number -> control
    std::vector<int> disableOnDelete_;
    bool batch_ = false;
    bool primedNew_ = false;

private:
    // Whether the data controls differ from what the form opened (or primed the batch's next
    // record) with, told to the runtime each time the loop waits for the user.
    void NoteUnsaved();
    std::vector<std::string> DataValues();
    std::vector<std::string> openedWith_;
    bool openedWithDue_ = false;
    bool unsaved_ = false;
};

// A lookup: `find()` looks the typed code up; when it is missing the register's browse runs with
// request select on this thread, and a completed selection runs `copyBack()` (the chosen record
// is in the table's buffer). Returns true when a record was found or chosen.
bool Lookup(ProcContext& ctx, const std::function<bool()>& find, const std::string& browseProcedure,
            const std::function<void()>& copyBack);

}  // namespace vorel::ui
