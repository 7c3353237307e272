// The CFOP typed in an option window: a code and a complement, looked up in the `CFO` register by
// `CFO:KEY:CFO` (the first row of any state), or chosen in the CFOP list. Lives on the window's
// thread and reads the thread's own `CFO` table, where the list leaves its choice.
//
//     if (cfo_.codigo != 0 && !cfo_.Procura()) cfo_.Escolhe(context());
//     w[kDescricao].Text(cfo_.descricao);
#pragma once

#include <string>

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

struct CfoDigitado {
    int codigo = 0;
    int complemento = 0;
    std::string descricao;  // UTF-8, `CFO:DESCRICAO`; cleared when the code is not registered

    // The code and complement in the register: true with the row's description.
    bool Procura();
    // The CFOP list for a choice: code, complement and description from the record it leaves, also
    // when the list was closed without one.
    void Escolhe(ui::ProcContext& ctx);
};

}  // namespace vorel::shell
