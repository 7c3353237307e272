// The supplier chosen in an option window (fornecedor_escolhido.h).
#include "fornecedor_escolhido.h"

#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/register_window.h"

namespace vorel::computation {

bool FornecedorEscolhido::Procura() {
    nome.clear();
    if (codigo == 0) return true;
    data::FileManager& fm = ui::ThreadFile(dictionary::ForCli());
    if (!fm.open().ok()) return false;
    auto& f = fm.rec<dictionary::ForCliRec>();
    fm.clear_record();
    f.Codigo = codigo;
    f.Inativo = 0;
    const bool achou = fm.get(dictionary::keys::FOR_KEY_CODIGO).ok();
    if (achou) nome = text::to_utf8(f.Nome.clipped());
    (void)fm.close();
    return achou;
}

bool FornecedorEscolhido::Escolhe(ui::ProcContext& ctx) {
    if (ctx.Call("Fornecedores", ui::Request::Select) != ui::Response::Completed) return false;
    codigo = ui::ThreadFile(dictionary::ForCli()).rec<dictionary::ForCliRec>().Codigo;
    return Procura();
}

}  // namespace vorel::computation
