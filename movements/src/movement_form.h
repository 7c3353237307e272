// The update form shared by the vehicle and cash-register forms (`UEntradaVeiculo`,
// `USaidaVeiculos`, `UMestre`, `UAnalitico`, `UDiario`): the register form plus what these forms
// do alike.
// - A new record gets its form's own values (`PrimeInsert`: carried values, the parent's link) after
//   the table's defaults, and the form remembers the record as it primed or opened it.
// - `MayCancel`: cancelling an insert or change whose record differs from that one asks the
//   framework's question ("As alterações serão perdidas!" / "Você deseja realmente cancelar?").
// - A delete asks nothing beyond `ConfirmDelete` (none by default: the OK button reading "&Exclui"
//   is the question), then deletes through the table's relations and closes.
// - `ChildList`: a list of the record's children (the records of another table whose leading key
//   components are the record's link), whose update buttons run the form's `CallProcedure`; it
//   takes its events before the form, except during OK's pass over the fields.
// - `AbasDaLista`, `ChamaFormDaLista`: the arrow to the list's tab, the guarded cancel and the
//   list's own form, as the master and analytic forms have them.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "vorel/data/record_buffer.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/range_source.h"
#include "vorel/ui/register_window.h"

namespace vorel::movements {

class MovementForm : public ui::RegisterForm {
public:
    MovementForm(ProcContext& ctx, std::string procedureName, std::string caption,
                 const data::TableDesc& table, ui::FormCaptions captions, ui::TableAccess* access = nullptr);

    Level PrepareRequest() override;
    Level OnCompleted() override;
    Level TakeEvent(const ui::Event& e) override;

protected:
    virtual void PrimeInsert() {}
    virtual bool ConfirmDelete() { return true; }
    // Calls a register's browse by name (for selection unless `request` says otherwise); when the
    // user chose nothing, the register's buffer is put back as it was.
    Response EscolheNoCadastro(const char* browse, data::FileManager& table, Request request = Request::Select);
    // The forms of a record with a list of its children on a second tab (`UMestre`, `UAnalitico`):
    // `paraLista`, the arrow button, shows that tab of `sheet`; `cancel` closes only when
    // `MayCancel` allows. The level to return when `feq` is one of the two; nothing otherwise.
    std::optional<Level> AbasDaLista(int feq, int sheet, int paraLista, int cancel);
    // The list's form (by its procedure's name), which takes this record's fields as they are typed;
    // nothing while this form only views.
    Response ChamaFormDaLista(const char* procedimento, Request request);
    // Whether the record differs from the one the form primed or opened.
    bool Changed();
    // True when the form may close on cancel (asked when an insert or change has changed fields).
    bool MayCancel();
    // The children of `table` in the order of `key`, whose first `components` components `prime`
    // fills from the record and `linked` compares; the buttons are left out when the form views
    // or deletes.
    ui::BrowseManager& ChildList(int listFeq, data::FileManager& table, data::KeyName key, int components,
                                 std::function<void()> prime, std::function<bool()> linked, int insert, int change,
                                 int del);

private:
    data::RecordBuffer opened_;
    std::unique_ptr<ui::RangeSource> childSource_;
    std::unique_ptr<ui::BrowseManager> children_;
};

}  // namespace vorel::movements
