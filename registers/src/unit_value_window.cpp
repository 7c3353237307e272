// What the two unit-value windows share.
#include "unit_value_window.h"

#include <cstdio>

#include "vorel/dictionary/key_names.h"
#include "vorel/data/dictionary.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"

namespace vorel::registers {

using dictionary::ProdutosRec;

UnitValueWindow::UnitValueWindow(ProcContext& ctx, std::string procedureName, std::string caption,
                                 const data::TableDesc& table)
    : ui::RegisterBrowse(ctx, std::move(procedureName), std::move(caption), table, ""),
      pro_(ui::ThreadFile(dictionary::Produtos())),
      produto_(pro_.rec<ProdutosRec>()) {}

bool UnitValueWindow::BeforeTables() {
    if (!shell::GaranteEmpresa(context())) return false;
    produtosAbertos_ = data::dictionary::relation(dictionary::Produtos()).open() == data::kNoError;
    descricoesAbertas_ = ui::ThreadFile(dictionary::Produtos0()).open() == data::kNoError;
    return true;
}

Level UnitValueWindow::Teardown() {
    Level l = ui::RegisterBrowse::Teardown();
    if (produtosAbertos_) (void)data::dictionary::relation(dictionary::Produtos()).close();
    if (descricoesAbertas_) (void)ui::ThreadFile(dictionary::Produtos0()).close();
    produtosAbertos_ = descricoesAbertas_ = false;
    return l;
}

Level UnitValueWindow::OnWindowOpened() {
    Level l = ui::RegisterBrowse::OnWindowOpened();
    FocusList();  // the entries wait for a button: the keys go to the list
    return l;
}

Level UnitValueWindow::DispatchEvent(const ui::Event& e) {
    Level l = ui::RegisterBrowse::DispatchEvent(e);
    if (e.feq == keys_.list && hasWindow()) {
        if (e.code == ui::event::Selected) ListFocused();
        else if (e.code == ui::event::NewSelection) ShowHighlighted();
    }
    return l;
}

Level UnitValueWindow::OnAccepted(int feq) {
    if (feq == editing_.cancel) {
        FocusList();
        return ui::kHandled;
    }
    if (feq == editing_.search) {
        UpdateComponents();
        context().Call("Produtos", Request::Select);
        ProductChosen();
        return ui::kHandled;
    }
    return ui::RegisterBrowse::OnAccepted(feq);
}

void UnitValueWindow::FocusList() {
    window().Select(keys_.list);
    ListFocused();
}

void UnitValueWindow::ListFocused() {
    ShowHighlighted();
    for (int f : editing_.entries) window()[f].Enable(false);
    acao_ = kNenhuma;
}

void UnitValueWindow::ShowHighlighted() {
    if (!browse().FetchHighlighted()) return;
    ShowRecord();
    window().Display();
}

Level UnitValueWindow::OnAlertKey(int feq, int keyCode) {
    if (feq == keys_.list && keyCode == ui::key::Insert) return OnAccepted(keys_.insert);
    if (feq == keys_.list && keyCode == ui::key::Delete) return OnAccepted(keys_.del);
    return ui::RegisterBrowse::OnAlertKey(feq, keyCode);
}

void UnitValueWindow::Enable(std::initializer_list<int> feqs, bool on) {
    for (int f : feqs) window()[f].Enable(on);
}

std::string UnitValueWindow::DescricaoProduto(const Decimal& codigo) {
    if (!descricoesAbertas_) return {};
    data::FileManager& p = ui::ThreadFile(dictionary::Produtos0());
    p.clear_record();
    p.rec<ProdutosRec>().Codigo = codigo;
    if (!p.get(p.desc().key_index(dictionary::keys::PROE_KEY_CODIGO)).ok()) return {};
    return std::string(p.rec<ProdutosRec>().Produtos.clipped());
}

void UnitValueWindow::FalhaAoGravar(data::Result code) {
    ui::Message("Não foi possível gravar o valor unitário: erro " + std::to_string(code.code()) + ".", "Atenção!!!",
                ui::Icon::Exclamation, "&OK");
}

std::string UnitValueWindow::DayText(date::Day d) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", date::day(d), date::month(d), date::year(d));
    return d == 0 ? std::string() : std::string(b);
}

}  // namespace vorel::registers
