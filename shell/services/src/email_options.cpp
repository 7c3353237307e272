// The e-mail options of the report windows (email_options.h).
#include "vorel/shell/email_options.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/window.h"

namespace vorel::shell {

namespace {

// A global text bound to an entry: UTF-8 on the screen, Windows-1252 cut to `largura` in the global.
ui::UsePtr UsaGlobal(Global<std::string>& g, std::size_t largura) {
    return ui::UseFn([&g] { return text::to_utf8(g.Get()); },
                     [&g, largura](const std::string& s) {
                         g.Set(text::left(text::from_utf8(s), largura));
                         return true;
                     });
}

}  // namespace

void PreencheEmail(const std::string& titulo, const std::string& complemento) {
    std::string razao, email;
    {
        data::FileManager emp(dictionary::Empresa());
        emp.set_create(false);
        if (emp.open().ok()) {
            auto& e = emp.rec<dictionary::EmpresaRec>();
            emp.clear_record();
            e.Codigo = static_cast<decltype(e.Codigo)>(GLO_EMPRESA_CODIGO.Get());
            if (emp.get(dictionary::keys::EMP_KEY_CODIGO).ok()) {
                razao = std::string(text::clip(e.RAZAOSOCIAL.value()));
                email = std::string(text::clip(e.EMAIL.value()));
            }
            (void)emp.close();
        }
    }
    const std::string t = text::from_utf8(titulo);
    const date::Day hoje = DataHoje.Get();
    GLO_EMAIL_ENVIAR.Set(0);
    GLO_EMAIL_NOME.Set(text::left(razao, 40));
    GLO_EMAIL_EMAIL.Set(email);
    GLO_EMAIL_ASSUNTO.Set(
        text::left(t + " - " + (hoje ? picture::format("@D06b", hoje) : std::string()), 50));
    GLO_EMAIL_TEXTO.Set(text::left(t + " - Empresa: " + text::zero_fill(GLO_EMPRESA_CODIGO.Get(), 5) + " - " +
                                       razao + complemento + text::from_utf8(" - Período: ") +
                                       text::zero_fill(GLO_MES.Get(), 2) + "/" +
                                       text::zero_fill(GLO_ANO.Get(), 4) + ".",
                                   255));
}

void AdicionaEmail(ui::Window& w, const ControlesEmail& c) {
    w.Check(c.enviar, "Enviar e-mail",
            ui::UseFn([] { return std::string(GLO_EMAIL_ENVIAR.Get() == 1 ? "1" : "0"); },
                      [](const std::string& s) {
                          GLO_EMAIL_ENVIAR.Set(s == "1" ? 1 : 0);
                          return true;
                      }));
    w.Add(c.grupo, ui::ControlType::Group, "");
    w.Prompt(c.promptNome, "Destinatário:").Parent(c.grupo);
    w.Entry(c.nome, UsaGlobal(GLO_EMAIL_NOME, 40), "@s40").Parent(c.grupo);
    w.Prompt(c.promptEmail, "E-mail:").Parent(c.grupo);
    w.Entry(c.email, UsaGlobal(GLO_EMAIL_EMAIL, 100), "@s100").Parent(c.grupo);
    w.Prompt(c.promptAssunto, "Assunto:").Parent(c.grupo);
    w.Entry(c.assunto, UsaGlobal(GLO_EMAIL_ASSUNTO, 50), "@s50").Parent(c.grupo);
    w.Prompt(c.promptTexto, "Texto:").Parent(c.grupo);
    w.TextBox(c.texto, UsaGlobal(GLO_EMAIL_TEXTO, 255)).Parent(c.grupo);
}

void AplicaModoEmail(ui::Window& w, const ControlesEmail& c) {
    if (FormaDoRelatorio(ModoImpressao.Get()) == FormaRelatorio::Texto) {
        GLO_EMAIL_ENVIAR.Set(0);
        w[c.enviar].Hide();
    } else {
        w[c.enviar].Unhide();
    }
    w[c.grupo].Hide(GLO_EMAIL_ENVIAR.Get() != 1);
    w.Display();
}

}  // namespace vorel::shell
