// The e-mail options of a report's options window: the "Enviar e-mail" check and the group of
// recipient, address, subject and text bound to GLO:EMAIL:*, preset from the working company, and
// hidden in printing mode 2, when the text report is not e-mailed.
#pragma once

#include <string>

namespace vorel::ui {
class Window;
}

namespace vorel::shell {

// Control numbers of the e-mail options, ten in a row from `primeiro` on.
struct ControlesEmail {
    int enviar, grupo, promptNome, nome, promptEmail, email, promptAssunto, assunto, promptTexto, texto;
    explicit ControlesEmail(int primeiro)
        : enviar(primeiro), grupo(primeiro + 1), promptNome(primeiro + 2), nome(primeiro + 3),
          promptEmail(primeiro + 4), email(primeiro + 5), promptAssunto(primeiro + 6), assunto(primeiro + 7),
          promptTexto(primeiro + 8), texto(primeiro + 9) {}
};

// Sets GLO:EMAIL:ENVIAR 0, the recipient (cut to 40) and address from the working company, the
// subject "<titulo> - dd/mm/yyyy" (cut to 50) and the text "<titulo> - Empresa: 00001 - <name>
// <complemento> - Período: 03/2016." (cut to 255). `titulo` is UTF-8, `complemento` Windows-1252.
void PreencheEmail(const std::string& titulo, const std::string& complemento = {});

// Adds the check and the group with its prompts and entries to `w`.
void AdicionaEmail(ui::Window& w, const ControlesEmail& c);

// On every focus and on the check: in printing mode 2 the check is cleared and hidden; the group
// shows only while the check is set.
void AplicaModoEmail(ui::Window& w, const ControlesEmail& c);

}  // namespace vorel::shell
