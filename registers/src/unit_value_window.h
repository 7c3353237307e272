// The base of the two unit-value windows ("ValorUnitario" and "CadastroValorUnitSaida"): a browse
// over a value table of the working company whose entries above the list edit a product's value on
// a date. It asks for the working company, keeps the product tables open for the window's life
// (`Produtos` through its relations for the entries, `Produtos0` for the list's descriptions, read
// apart from the product buffer the entries show), takes Insert and Delete on the list for its
// buttons and says a failed write.
#pragma once

#include <initializer_list>
#include <string>

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
    Level OnAlertKey(int feq, int keyCode) override;

protected:
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

private:
    bool produtosAbertos_ = false;
    bool descricoesAbertas_ = false;
    struct Keys { int list = 0, insert = 0, del = 0; } keys_;
};

}  // namespace vorel::registers
