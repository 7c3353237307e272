// The product typed in an option window (produto_digitado.h).
#include "vorel/shell/produto_digitado.h"

#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

namespace {

namespace keys = dictionary::keys;

bool SoDigitos(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool ProdutoDigitado::Procura(ui::ProcContext&) {
    data::FileManager& pro = ui::ThreadFile(dictionary::Produtos());
    if (!pro.open().ok()) return false;
    auto& p = pro.rec<dictionary::ProdutosRec>();
    const std::string typed(text::clip(text::from_utf8(digitado)));
    bool achou = false;
    if (SoDigitos(typed) && typed.size() <= 15) {
        pro.clear_record();
        p.Codigo = Decimal::from_string(typed);
        achou = pro.get(keys::PRO_KEY_CODIGO).ok();
    }
    if (!achou && !typed.empty()) {
        pro.clear_record();
        p.Apelido = typed;
        achou = pro.get(keys::PRO_Key_Apelido).ok();
    }
    if (achou) {
        codigo = p.Codigo.value();
        digitado = codigo.to_fixed(0);
        descricao = text::to_utf8(p.Produtos.clipped());
    } else {
        codigo = Decimal(0);
        descricao.clear();
    }
    (void)pro.close();
    return achou;
}

void ProdutoDigitado::Escolhe(ui::ProcContext& ctx) {
    data::FileManager& pro = ui::ThreadFile(dictionary::Produtos());
    if (ctx.Call("Produtos", ui::Request::Select) != ui::Response::Completed) return;
    const auto& p = pro.rec<dictionary::ProdutosRec>();
    codigo = p.Codigo.value();
    digitado = codigo.to_fixed(0);
    descricao = text::to_utf8(p.Produtos.clipped());
}

}  // namespace vorel::shell
