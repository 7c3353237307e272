// What Main reaches outside the shell by default: the procedure registry and the dictionary.
#include "vorel/shell/main_frame.h"

namespace vorel::shell {

ServicosMain ServicosPadrao() {
    ServicosMain s;
    s.procura = [](std::string_view nome) { return ui::ProcedureRegistry::Find(nome); };
    return s;
}

}  // namespace vorel::shell
