// What the option windows of the computation's sheets share: the e-mail fields (GLO:EMAIL:*)
// preset from the working company and bound to the window's group, and hiding them in printing
// mode 2, when nothing is e-mailed.
#pragma once

#include <string>

namespace vorel::ui {
class Window;
}

namespace vorel::computation {

// Sets GLO:EMAIL:ENVIAR 0, the recipient and address from the working company, the subject
// "<titulo> - dd/mm/yyyy" and the text "<titulo> - Empresa: 00001 - <name> - Período: 03/2016."
// (`titulo` UTF-8).
void PreparaEmail(const std::string& titulo);

// Control numbers of the e-mail group, from `primeiro` on.
struct ControlesEmail {
    int enviar, grupo, promptNome, nome, promptEmail, email, promptAssunto, assunto, promptTexto, texto;
    explicit ControlesEmail(int primeiro)
        : enviar(primeiro), grupo(primeiro + 1), promptNome(primeiro + 2), nome(primeiro + 3),
          promptEmail(primeiro + 4), email(primeiro + 5), promptAssunto(primeiro + 6), assunto(primeiro + 7),
          promptTexto(primeiro + 8), texto(primeiro + 9) {}
};
void AdicionaEmail(ui::Window& w, const ControlesEmail& c);
// On every focus: in printing mode 2 the check is cleared and hidden; the group follows the check.
void AplicaModoEmail(ui::Window& w, const ControlesEmail& c);

}  // namespace vorel::computation
