// The CFOP typed in an option window (cfo_digitado.h).
#include "vorel/shell/cfo_digitado.h"

#include <algorithm>

#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

bool CfoDigitado::Procura() {
    data::FileManager& cfo = ui::ThreadFile(dictionary::CFO());
    descricao.clear();
    if (!cfo.open().ok()) return false;
    auto& c = cfo.rec<dictionary::CFORec>();
    cfo.clear_record();
    c.CODIGO = static_cast<std::int16_t>(codigo);
    c.COMPLEMENTO = static_cast<std::int16_t>(complemento);
    const bool achou = cfo.get(dictionary::keys::CFO_KEY_CFO).ok();
    if (achou) descricao = text::to_utf8(c.DESCRICAO.clipped());
    (void)cfo.close();
    return achou;
}

void CfoDigitado::Escolhe(ui::ProcContext& ctx) {
    data::FileManager& cfo = ui::ThreadFile(dictionary::CFO());
    (void)ctx.Call("CFO", ui::Request::Select);
    const auto& c = cfo.rec<dictionary::CFORec>();
    codigo = std::max<int>(0, c.CODIGO);
    complemento = std::max<int>(0, c.COMPLEMENTO);
    descricao = text::to_utf8(c.DESCRICAO.clipped());
}

}  // namespace vorel::shell
