// A message for a menu function whose procedure is not in the program yet.
#include "not_available.h"

#include "vorel/ui/message_box.h"

namespace vorel::shell {

std::string TextoIndisponivel(const std::string& procedimento, const std::string& texto) {
    std::string nome;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '&' && i + 1 < texto.size() && texto[i + 1] != '&') continue;
        nome += texto[i];
    }
    return "A função \"" + nome + "\" (" + procedimento + ") ainda não está disponível nesta versão.";
}

void FuncaoIndisponivel(ui::ProcContext&, const std::string& procedimento, const std::string& texto) {
    ui::Message(TextoIndisponivel(procedimento, texto), "Vorel", ui::Icon::Information);
}

}  // namespace vorel::shell
