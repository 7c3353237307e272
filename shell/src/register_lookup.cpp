// EscolheNoCadastro: a register's browse for selection, or a message when it is not there yet.
#include "register_lookup.h"

#include "vorel/ui/message_box.h"

namespace vorel::shell {

bool EscolheNoCadastro(ui::ProcContext& ctx, const std::string& procedimento, const std::string& nome) {
    if (!ui::ProcedureRegistry::Find(procedimento)) {
        ui::Message("O cadastro de " + nome + " ainda não está disponível nesta versão.", "Atenção", ui::Icon::Exclamation);
        return false;
    }
    return ctx.Call(procedimento, ui::Request::Select) == ui::Response::Completed;
}

}  // namespace vorel::shell
