// The browse of a register kept per company (products, suppliers and customers, cash registers,
// and every later list of a company's records): a `ui::RegisterBrowse` that asks for the working
// company (`GaranteEmpresa`) before its table opens, so the table's name points into that
// company's folder; with no company chosen the window does not open.
//
//     class ProdutosBrowse : public shell::CompanyRegisterBrowse {
//         ProdutosBrowse(ProcContext& c) : CompanyRegisterBrowse(c, "Produtos", "Cadastro de Produtos", Produtos(), "UProdutos") {}
//         Level Build(ui::Window& w) override { ...window, columns, search tabs...; return Level::Benign; }
//     };
#pragma once

#include "vorel/shell/working_context.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

class CompanyRegisterBrowse : public ui::RegisterBrowse {
public:
    using ui::RegisterBrowse::RegisterBrowse;

protected:
    bool BeforeTables() override { return GaranteEmpresa(context()); }
};

}  // namespace vorel::shell
