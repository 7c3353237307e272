// The base of the two unit-value windows ("ValorUnitario" and "CadastroValorUnitSaida"): a browse
// over a value table of the working company whose entries above the list edit a product's value on
// a date. It asks for the working company, keeps the product tables open for the window's life
// (`Produtos` through its relations for the entries, `Produtos0` for the list's descriptions, read
// apart from the product buffer the entries show), takes Insert and Delete on the list for its
// buttons and says a failed write. While the list has the focus the entries show its highlighted
// row and are disabled; the cancel button goes back to the list, the search button chooses the
// product from the product browse.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

class UnitValueWindow : public ui::RegisterBrowse {
public:
    UnitValueWindow(ProcContext& ctx, std::string procedureName, std::string caption, const data::TableDesc& table);

    bool BeforeTables() override;
    Level Teardown() override;
    Level OnWindowOpened() override;
    Level DispatchEvent(const ui::Event& e) override;
    Level OnAccepted(int feq) override;
    Level OnAlertKey(int feq, int keyCode) override;

protected:
    // What the buttons above the list started; none while the list has the focus.
    enum Acao : int { kNenhuma = 0, kIncluir = 1, kAlterar = 2, kExcluir = 3 };
    // The controls disabled while the list has the focus, the cancel and the search button.
    void EditingControls(std::vector<int> entries, int cancel, int search) {
        editing_ = {std::move(entries), cancel, search};
    }
    // The list takes the focus (ListFocused).
    void FocusList();
    // The highlighted row in the entries, which are disabled; no action is pending.
    void ListFocused();
    void ShowHighlighted();
    // Copies the record buffer's row into the entries' variables.
    virtual void ShowRecord() = 0;
    // After the product browse: the chosen product is in the product buffer.
    virtual void ProductChosen() = 0;
    // Insert and Delete on the list act as the window's insert and delete buttons, which edit in
    // the entries above the list rather than in a form.
    void InsertAndDeleteKeys(int list, int insert, int del) { keys_ = {list, insert, del}; }
    void Enable(std::initializer_list<int> feqs, bool on);
    // The product's description (Windows-1252, blanks cut); empty when it has none.
    std::string DescricaoProduto(const Decimal& codigo);
    // "Não foi possível gravar o valor unitário: erro N."
    static void FalhaAoGravar(data::Result code);
    // dd/mm/yyyy, blank for no date.
    static std::string DayText(date::Day d);

    data::FileManager& pro_;
    dictionary::ProdutosRec& produto_;
    Acao acao_ = kNenhuma;

private:
    bool produtosAbertos_ = false;
    bool descricoesAbertas_ = false;
    struct Keys { int list = 0, insert = 0, del = 0; } keys_;
    struct Editing { std::vector<int> entries; int cancel = 0, search = 0; } editing_;
};

}  // namespace vorel::registers
