// The item forms' register look-ups (item_lookups.h).
#include "item_lookups.h"

#include <string>

#include "cnpj_text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"

namespace vorel::movements {

bool LeFornecedorDigitado(data::FileManager& forcli, std::string_view digitado) {
    const std::string numero = AsNumber(digitado);
    if (fiscal::LeFornecedorPorCnpj(forcli, FourteenDigits(digitado))) return true;
    if (numero.empty() || numero.size() > 9) return false;
    auto& f = forcli.rec<dictionary::ForCliRec>();
    forcli.clear_record();
    f.Codigo = static_cast<std::uint32_t>(std::stoul(numero));
    f.Inativo = 0;
    return forcli.get(dictionary::keys::FOR_KEY_CODIGO).ok();
}

bool EscolheNoRegistro(ui::ProcContext& ctx, ui::Window& janela, const char* procedimento) {
    if (ctx.Call(procedimento, ui::Request::Select) == ui::Response::Completed) return true;
    janela.Display();
    return false;
}

}  // namespace vorel::movements
