// The product typed in a report's option window: a code, or a nickname (`PRO:Apelido`) replaced by
// its product's code; the product browse in select mode when neither finds one. Lives on the
// window's thread.
#pragma once

#include <string>

#include "vorel/core/decimal.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

struct ProdutoDigitado {
    std::string digitado;   // UTF-8, as typed (the code once found)
    Decimal codigo;         // 0 when none is chosen
    std::string descricao;  // UTF-8, `PRO:Produtos`

    // Looks the typed text up by code, then by nickname; false when neither finds a product.
    bool Procura(ui::ProcContext& ctx);
    // The product browse in select mode; the chosen product becomes the value.
    void Escolhe(ui::ProcContext& ctx);
};

}  // namespace vorel::shell
