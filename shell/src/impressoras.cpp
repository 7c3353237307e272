// The printers register: browse "Janela de Impressoras" (Impressoras) and form "Atualização da
// Tabela de Impressoras" (UImpressoras), over the table Impressora. Closing the browse loads the
// chosen printer's codes again, so edits take effect at once.
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/printers_register.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::ImpressoraRec;
namespace b = impressoras;
namespace f = uimpressoras;

std::string U(std::string_view cp1252) { return text::to_utf8(text::clip(cp1252)); }

class FormImpressora : public RegisterForm {
public:
    explicit FormImpressora(ProcContext& ctx)
        : RegisterForm(ctx, "UImpressoras", "Atualização da Tabela de Impressoras", dictionary::Impressora(),
                       {"Incluindo um Impressora na Tabela", "Alterando um Impressora da Tabela",
                        "Excluindo uma Impressora da Tabela"}),
          rec_(file().rec<ImpressoraRec>()) {}

    Level Setup() override {
        Level l = RegisterForm::Setup();
        if (l != Level::Benign) return l;
        Window& w = window();
        int p = 100;  // prompts and groups
        auto campo = [&](const char* rotulo, int feq, UsePtr use, int grupo = 0) {
            Control& pr = w.Prompt(p++, rotulo);
            Control& e = w.Entry(feq, std::move(use));
            if (grupo) {
                pr.Parent(grupo);
                e.Parent(grupo);
            }
        };
        auto grupo = [&](int feq, const char* texto) { w.Add(feq, ControlType::Group, texto); };
        campo("0&1-Código..............", f::kCodigo, Use(rec_.CODIGO));
        campo("0&2-Nome...............", f::kNome, Use(rec_.NOME));
        campo("0&3-Porta:/Arquivo..............", f::kPorta, Use(rec_.PORTA));
        w.String(p++, "Caso a impressora esteja conectada em outro terminal, indique o caminho e o nome do");
        w.String(p++, "compartilhamento, ex.: \\\\MICRO01\\EPSON");
        grupo(f::kGrupoCpi, "0&4-Caracteres por Polegada");
        campo("10 CPI........", f::kCpi10, Use(rec_.CPI10), f::kGrupoCpi);
        campo("17 CPI.........", f::kCpi17, Use(rec_.CPI17), f::kGrupoCpi);
        campo("20 CPI.........", f::kCpi20, Use(rec_.CPI20), f::kGrupoCpi);
        grupo(f::kGrupoEspaco, "0&5-Espaçamento entre linhas");
        campo("1/8 Pol. p/ linha.....", f::kEsp18, Use(rec_.ESP1_8POL), f::kGrupoEspaco);
        campo("7/72 Pol. p/ linha...", f::kEsp772, Use(rec_.ESP7_72POL), f::kGrupoEspaco);
        campo("1/6 Pol. p/ linha.....", f::kEsp16, Use(rec_.ESP1_6POL), f::kGrupoEspaco);
        grupo(f::kGrupoLinhas, "0&6-Qtde Linhas");
        w.Entry(f::kLinhas, Use(rec_.NLINHAS)).Parent(f::kGrupoLinhas);
        grupo(f::kGrupoNegrito, "0&7-Negrito");
        campo("Liga........................", f::kLNeg, Use(rec_.LNEG), f::kGrupoNegrito);
        campo("Desliga.........", f::kDNeg, Use(rec_.DNEG), f::kGrupoNegrito);
        grupo(f::kGrupoExpandido, "0&8-Expandido");
        campo("Liga........................", f::kLExp, Use(rec_.LEXP), f::kGrupoExpandido);
        campo("Desliga.........", f::kDExp, Use(rec_.DEXP), f::kGrupoExpandido);
        grupo(f::kGrupoSublinhado, "0&9-Sublinhado");
        campo("Liga........................", f::kLSub, Use(rec_.LSUB), f::kGrupoSublinhado);
        campo("Desligar................", f::kDSub, Use(rec_.DSUB), f::kGrupoSublinhado);
        grupo(f::kGrupoAcentos, "Acentos");
        w.Check(f::kAcentos, "Imprimir acentos", Use(rec_.ACENTOS)).Parent(f::kGrupoAcentos);
        w.Button(f::kRestaura, "Restaurar Conf. Iniciais");
        w.Button(f::kGrava, "&Grava");
        w.Button(f::kCancela, "Cancela");
        w.Button(f::kAjuda, "&Ajuda");
        SetOkButton(f::kGrava);
        SetCancelButton(f::kCancela);
        w.SetDefaultButton(f::kGrava);
        EnabledOnlyOnInsert({f::kCodigo});
        DisableOnDelete({f::kCodigo, f::kNome, f::kPorta, f::kCpi10, f::kCpi17, f::kCpi20, f::kEsp18, f::kEsp772,
                         f::kEsp16, f::kLinhas, f::kLNeg, f::kDNeg, f::kLExp, f::kDExp, f::kLSub, f::kDSub,
                         f::kAcentos, f::kRestaura});
        OkOnDelete({"&Exclui", "Exclui a Configuração da Impressora Matricial exibida na janela",
                    "Exclui a Configuração da Impressora matricial da Tabela"});
        CancelOnDelete({"&Cancela", "Cancela   exclusão da Configuração da Impressora Matricial exibida na janela",
                        "Cancela a exclusão da Configuração da Impressora Matricial"});
        OnButton(f::kRestaura, [this] {
            CodigosPadrao(rec_);
            window().Display();
            return Level::Benign;
        });
        return Level::Benign;
    }

    Level PrepareRequest() override {
        Level l = RegisterForm::PrepareRequest();
        if (request() == Request::Insert) {
            rec_.NLINHAS = 60;
            CodigosPadrao(rec_);
        }
        return l;
    }

private:
    ImpressoraRec& rec_;
};

class BrowseImpressoras : public RegisterBrowse {
public:
    explicit BrowseImpressoras(ProcContext& ctx)
        : RegisterBrowse(ctx, "Impressoras", "Janela de Impressoras", dictionary::Impressora(), "UImpressoras"),
          rec_(file().rec<ImpressoraRec>()) {}

    Level Build(Window& w) override {
        w.Sheet(b::kSheet);
        AddSearchTab(b::kSheet, {b::kTabCodigo, "Pesquisa por Có&digo",
            b::kPromptCodigo, "Pesquisa por Código..........",
            b::kLocCodigo, Use(rec_.CODIGO), {},
            file().desc().key_index(dictionary::keys::IMP_KEY_CODIGO)});
        AddSearchTab(b::kSheet, {b::kTabNome, "Pesquisa por &Nome",
            b::kPromptNome, "Pesquisa por Nome............",
            b::kLocNome, Use(rec_.NOME), {},
            file().desc().key_index(dictionary::keys::IMP_KEY_NOME)});
        w.String(b::kTitulo, "Janela de Impressoras Cadastradas");
        w.List(b::kLista);
        w.Button(b::kInclui, "&Inclui Impressora");
        w.Button(b::kAltera, "&Altera Cadastro");
        w.Button(b::kExclui, "&Exclui Cadastro");
        w.Button(b::kSeleciona, "&Seleciona Impressora");
        w.Button(b::kFecha, "&Fecha");
        BrowseManager& m = browse();
        m.SetList(b::kLista, 10);
        m.AddColumn({"Código", 16, 'R', [this] { return text::zero_fill(rec_.CODIGO, 3); }});
        m.AddColumn({"Nome", 120, 'L', [this] { return U(rec_.NOME.value()); }});
        m.AddColumn({"Porta", 60, 'L', [this] { return U(rec_.PORTA.value()); }});
        m.AddColumn({"Liga", 40, 'L', [this] { return U(rec_.LSUB.value()); }});
        m.AddColumn({"Desligar", 40, 'L', [this] { return U(rec_.DSUB.value()); }});
        m.AddColumn({"10 CPI", 40, 'L', [this] { return U(rec_.CPI10.value()); }});
        m.AddColumn({"17 CPI", 40, 'L', [this] { return U(rec_.CPI17.value()); }});
        m.AddColumn({"20 CPI", 40, 'L', [this] { return U(rec_.CPI20.value()); }});
        m.AddColumn({"Liga Expandido", 40, 'L', [this] { return U(rec_.LEXP.value()); }});
        m.SetSheet(b::kSheet);
        SetButtons(m, b::kInclui, b::kAltera, b::kExclui, b::kSeleciona);
        SetCloseButton(b::kFecha);
        ExcludeFromNavigation({b::kInclui, b::kAltera, b::kExclui, b::kSeleciona, b::kFecha});
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        if (!browse().selectMode()) window()[b::kSeleciona].Hide();
        return RegisterBrowse::OnWindowOpened();
    }

private:
    ImpressoraRec& rec_;
};

}  // namespace

// Closing the browse loads the chosen printer's codes again, so edits take effect at once.
void Impressoras(ProcContext& ctx) {
    BrowseImpressoras(ctx).Execute();
    CarregaCodigosImpressora();
}

void UImpressoras(ProcContext& ctx) { FormImpressora(ctx).Execute(); }

}  // namespace vorel::shell
