// The register look-ups that the invoice item forms (`UEntradas`, `USaldoAnterior`) make alike from
// their supplier, product and CFO fields: the supplier typed as a CNPJ or as a register code, and a
// register's browse opened to choose from.
//
//     if (LeFornecedorDigitado(forcli_, rec_.Cnpj.clipped())) TakeSupplier(); else ChooseSupplier();
//     if (EscolheNoRegistro(context(), window(), "Produtos")) rec_.CodMercadoria = produtos_.rec<ProdutosRec>().Codigo;
#pragma once

#include <string_view>

#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::data {
class FileManager;
}

namespace vorel::movements {

// The supplier typed into a CNPJ field: the text as a CNPJ of fourteen digits among the active
// suppliers (`FOR:KEY:CGC`), else, when it is a number of one to nine digits, as an active
// supplier's register code (`FOR:KEY:CODIGO`). True when found, with the supplier in `forcli`'s buffer.
bool LeFornecedorDigitado(data::FileManager& forcli, std::string_view digitado);

// Opens a register's browse, by its procedure's name, for the user to choose a record. True when
// the user chose (the record is in the register's buffer); otherwise the window is shown again as
// it stands and the answer is false.
bool EscolheNoRegistro(ui::ProcContext& ctx, ui::Window& janela, const char* procedimento);

}  // namespace vorel::movements
