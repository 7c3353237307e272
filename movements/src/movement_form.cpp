// The update form shared by the vehicle and cash-register forms (see movement_form.h).
#include "movement_form.h"

#include "vorel/movements/month_lock.h"

#include "vorel/data/field.h"
#include "vorel/ui/message_box.h"

namespace vorel::movements {

MovementForm::MovementForm(ProcContext& ctx, std::string procedureName, std::string caption,
                           const data::TableDesc& table, ui::FormCaptions captions, ui::TableAccess* access)
    : ui::RegisterForm(ctx, std::move(procedureName), std::move(caption), table, std::move(captions), access),
      opened_(table) {}

Level MovementForm::PrepareRequest() {
    Level l = ui::RegisterForm::PrepareRequest();
    if (l == Level::Benign && request() == Request::Insert) PrimeInsert();
    opened_.copy_from(file().buffer());
    return l;
}

Response MovementForm::EscolheNoCadastro(const char* browse, data::FileManager& table, Request request) {
    data::RecordBuffer before(table.desc());
    before.copy_from(table.buffer());
    const Response r = context().Call(browse, request);
    if (r != Response::Completed) before.copy_to(table.buffer());
    return r;
}

std::optional<Level> MovementForm::AbasDaLista(int feq, int sheet, int paraLista, int cancel) {
    if (feq == paraLista) {
        window()[sheet].Selected(2);
        return Level::Benign;
    }
    if (feq == cancel && !MayCancel()) return ui::kHandled;
    return std::nullopt;
}

Response MovementForm::ChamaFormDaLista(const char* procedimento, Request request) {
    if (this->request() == Request::View) return Response::Cancelled;
    UpdateComponents();
    return context().Call(procedimento, request);
}

bool MovementForm::Changed() {
    for (const data::FieldDesc& f : file().desc().fields)
        if (data::field_text(f, opened_.get()) != data::field_text(f, file().buffer())) return true;
    return false;
}

bool MovementForm::MayCancel() {
    if (request() != Request::Insert && request() != Request::Change) return true;
    if (!Changed()) return true;
    return ui::Ask("Você deseja realmente cancelar?", "As alterações serão perdidas!", ui::Icon::Question,
                   "&Sim|&Não") == "&Sim";
}

Level MovementForm::OnCompleted() {
    if (request() == Request::View) return ui::RegisterForm::OnCompleted();
    return GravaNoMesDeTrabalho([this] {
        if (request() != Request::Delete) return ui::RegisterForm::OnCompleted();
        if (!ConfirmDelete() || !savedFile()->Delete()) return ui::kHandled;
        SetResponse(Response::Completed);
        window().Close();
        return Level::Benign;
    });
}

ui::BrowseManager& MovementForm::ChildList(int listFeq, data::FileManager& table, data::KeyName key,
                                           int components, std::function<void()> prime,
                                           std::function<bool()> linked, int insert, int change, int del) {
    childSource_ = std::make_unique<ui::RangeSource>(table, std::move(prime), std::move(linked), components);
    children_ = std::make_unique<ui::BrowseManager>(*this, *childSource_);
    ui::BrowseManager& b = *children_;
    b.SetList(listFeq);
    b.AddSortOrder({table.desc().key_index(key), 0, false, {}});
    if (request() != Request::View && request() != Request::Delete) {
        b.SetInsertButton(insert);
        b.SetChangeButton(change);
        b.SetDeleteButton(del);
    }
    return b;
}

Level MovementForm::TakeEvent(const ui::Event& e) {
    // The OK button's pass over the controls must not open the list's form.
    if (children_ && !window().acceptAll && children_->TakeEvent(e) == ui::kHandled) return ui::kHandled;
    return ui::RegisterForm::TakeEvent(e);
}

}  // namespace vorel::movements
