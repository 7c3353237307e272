// The supplier chosen in the final summary's option windows: a code (0: all suppliers) looked up
// among the active register rows, or chosen in the supplier browse; its name for the window.
#pragma once

#include <cstdint>
#include <string>

namespace vorel::ui {
class ProcContext;
}

namespace vorel::computation {

struct FornecedorEscolhido {
    std::uint32_t codigo = 0;
    std::string nome;  // UTF-8, blank for code 0

    // The code typed: false when it is not 0 and no active row has it (the caller opens the browse).
    bool Procura();
    // The supplier browse in select mode; true when one was chosen.
    bool Escolhe(ui::ProcContext& ctx);
    void Limpa() { codigo = 0, nome.clear(); }
};

}  // namespace vorel::computation
