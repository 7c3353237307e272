// The movement listings' option window (janela_parte.h).
#include "janela_parte.h"

#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/window.h"

namespace vorel::listings {

JanelaParte::JanelaParte(ui::ProcContext& ctx, std::string procedimento, std::string caption, Textos textos)
    : JanelaOpcoesRelatorio(ctx, std::move(procedimento), std::move(caption), {kEmail, kImprimir, kCancelar}),
      textos_(std::move(textos)) {}

ui::Level JanelaParte::AdicionaOpcoes(ui::Window& w) {
    shell::PreencheEmail(textos_.titulo);
    w.Add(kGrupoFiltro, ui::ControlType::Group, textos_.grupoFiltro);
    w.Check(kFiltrar, " Filtrar Cliente/Fornecedor", ui::Use(filtrar_)).Parent(kGrupoFiltro);
    w.Add(kGrupoParte, ui::ControlType::Group, "").Parent(kGrupoFiltro).Disable();
    w.Prompt(kPromptCodigo, "Código:").Parent(kGrupoParte);
    w.Entry(kCodigo, ui::Use(codigo_), "@n13").Parent(kGrupoParte);
    w.Button(kPesquisa, "").Icon("search").Parent(kGrupoParte);
    w.Prompt(kPromptNome, "Nome:").Parent(kGrupoParte);
    w.Entry(kNome, ui::Use(nome_), "@s60").Parent(kGrupoParte);
    w.Add(kGrupoModelo, ui::ControlType::Group, textos_.grupoModelo);
    std::vector<std::string> valores;
    for (std::size_t i = 1; i <= textos_.modelos.size(); ++i) valores.push_back(std::to_string(i));
    w.DropList(kModelo, ui::Use(modelo_), textos_.modelos, valores).Parent(kGrupoModelo);
    AdicionaEmail();
    return ui::Level::Benign;
}

void JanelaParte::OnOption(int feq) {
    ui::Window& w = window();
    switch (feq) {
        case kFiltrar:
            w.Update();
            w[kGrupoParte].Enable(filtrar_);
            break;
        case kCodigo:
            w.Update();
            if (!Procura()) {
                w.Post(ui::event::Accepted, kPesquisa);
                return;
            }
            break;
        case kPesquisa:
            w.Update();
            Escolhe();
            break;
        default: return;
    }
    w.Display();
}

bool JanelaParte::Procura() {
    data::FileManager& f = ui::ThreadFile(dictionary::ForCli());
    if (!f.open().ok()) return false;
    auto& r = f.rec<dictionary::ForCliRec>();
    f.clear_record();
    r.Codigo = codigo_;
    r.Inativo = 0;
    const bool achou = f.get(dictionary::keys::FOR_KEY_CODIGO).ok();
    if (achou) Guarda(r.Codigo, r.CGC.value(), r.CPF.value(), r.Nome.value());
    (void)f.close();
    return achou;
}

void JanelaParte::Escolhe() {
    // Whatever the browse answers, its current record is the party.
    (void)context().Call("Fornecedores", ui::Request::Select);
    const auto& r = ui::ThreadFile(dictionary::ForCli()).rec<dictionary::ForCliRec>();
    Guarda(r.Codigo, r.CGC.value(), r.CPF.value(), r.Nome.value());
}

void JanelaParte::Guarda(std::uint32_t codigo, std::string_view cgc, std::string_view cpf, std::string_view nome) {
    parte_ = {codigo, std::string(text::clip(cgc)), std::string(text::clip(cpf)), std::string(text::clip(nome))};
    codigo_ = codigo;
    nome_ = text::to_utf8(text::left(parte_.nome, 60));
}

void JanelaParte::Imprime() {
    (void)shell::GaranteEmpresa(context());
    ParteEscolhida parte;
    if (filtrar_ && codigo_ != 0) {
        // A code typed over the one shown is looked up again; one not in the register filters by
        // the items' register code alone.
        if (parte_.codigo != codigo_ && !Procura()) parte_ = {codigo_, {}, {}, {}};
        parte = parte_;
    }
    Imprime(parte, modelo_);
}

}  // namespace vorel::listings
