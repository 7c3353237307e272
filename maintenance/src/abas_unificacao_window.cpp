// The unification windows' shared frame (abas_unificacao_window.h).
#include "abas_unificacao_window.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using A = ArquivoUnificacao;
using ui::Level;

std::string Texto(std::string_view cp1252) { return text::to_utf8(std::string(cp1252)); }
std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
std::string Numero(const char* pic, const Decimal& v) { return text::to_utf8(picture::format(pic, v)); }
std::string Numero(const char* pic, long long v) { return text::to_utf8(picture::format(pic, v)); }
std::string Cnpj(std::string_view c) { return c.empty() ? std::string() : ui::FormatText("@p##.###.###/####-##p", std::string(c)); }
std::string Cpf(std::string_view c) { return c.empty() ? std::string() : ui::FormatText("@p###.###.###-##p", std::string(c)); }

// The item columns of the entries and exits lists.
template <class Rec>
void ColunasItens(ui::BrowseManager& l, Rec& r, std::int32_t Rec::*data, String<14> Rec::*documento,
                  DecimalField<13, 2> Rec::*base) {
    l.AddColumn({"C.N.P.J.", 80, 'L', [&r, documento] { return Cnpj((r.*documento).clipped()); }});
    l.AddColumn({"Data", 45, 'C', [&r, data] { return Data(r.*data); }});
    l.AddColumn({"Série", 20, 'L', [&r] { return Texto(r.Serie.clipped()); }});
    l.AddColumn({"Número", 55, 'R', [&r] { return Numero("@n13", static_cast<long long>(r.Numero)); }});
    l.AddColumn({"Produto", 80, 'R', [&r] { return Numero("@N-19.", r.CodMercadoria.value()); }});
    l.AddColumn({"Quantidade", 75, 'R', [&r] { return Numero("@n-18`3", r.Quantidade.value()); }});
    l.AddColumn({"Base ICMS", 75, 'R', [&r, base] { return Numero("@n-18`2", (r.*base).value()); }});
}

}  // namespace

JanelaUnificacao::JanelaUnificacao(ui::ProcContext& ctx, const TextosUnificacao& textos)
    : ui::WindowController(ctx, textos.procedimento, textos.titulo), textos_(textos) {}

JanelaUnificacao::~JanelaUnificacao() = default;

void JanelaUnificacao::Lista(Campo c, ArquivoUnificacao a, int pai) {
    const std::size_t i = static_cast<std::size_t>(c);
    ui::Window& w = window();
    w.List(kLista0 + static_cast<int>(c)).Parent(pai).Tip("Registros lidos para unificação.");
    data::FileManager& fm = preparo_.tabela(a);
    fontes_[i] = std::make_unique<ui::TableSource>(fm);
    listas_[i] = std::make_unique<ui::BrowseManager>(*this, *fontes_[i]);
    ui::BrowseManager& l = *listas_[i];
    l.SetList(kLista0 + static_cast<int>(c));
    using namespace dictionary;
    switch (a) {
        case A::Entradas: {
            l.AddSortOrder({fm.key_number(keys::ESPENT_KEY_DATA), 0, false, {}});
            ColunasItens(l, fm.rec<EntradaVorelRec>(), &EntradaVorelRec::DataEmissao, &EntradaVorelRec::Cnpj,
                         &EntradaVorelRec::BaseICMS);
            break;
        }
        case A::Saidas: {
            l.AddSortOrder({fm.key_number(keys::SAI0_KEY_DATA), 0, false, {}});
            ColunasItens(l, fm.rec<SaidaVorelRec>(), &SaidaVorelRec::DataSaida, &SaidaVorelRec::CNPJ,
                         &SaidaVorelRec::BaseCalculo);
            break;
        }
        case A::Mestre: {
            auto& r = fm.rec<LancICMSEletronicoRec>();
            l.AddSortOrder({fm.key_number(keys::LAN0_KEY_CODIGO), 0, false, {}});
            l.AddColumn({"Código", 25, 'R', [&r] { return Numero("@n-4", r.Codigo); }});
            l.AddColumn({"Data", 45, 'C', [&r] { return Data(DiaDoTexto(r.DataEmissao.clipped())); }});
            l.AddColumn({"Cupom Inicial", 60, 'R', [&r] { return Numero("@n-14", r.InicialCupom); }});
            l.AddColumn({"Cupom Final", 60, 'R', [&r] { return Numero("@n-14", r.FinalCupom); }});
            l.AddColumn({"Redução", 60, 'R', [&r] { return Numero("@n-14", r.ContReducao); }});
            l.AddColumn({"GT Início", 90, 'R', [&r] { return Numero("@n-22`2", r.GTInicio.value()); }});
            l.AddColumn({"GT Final", 90, 'R', [&r] { return Numero("@n-22`2", r.GTFinal.value()); }});
            break;
        }
        case A::Analitico: {
            auto& r = fm.rec<AnaliticoICMSRec>();
            l.AddSortOrder({fm.key_number(keys::ANA0_KEY_ALICOTA), 0, false, {}});
            l.AddColumn({"Código", 25, 'R', [&r] { return Numero("@n-4", r.Codigo); }});
            l.AddColumn({"Data", 45, 'C', [&r] { return Data(DiaDoTexto(r.DataEmissao.clipped())); }});
            l.AddColumn({"Alíquota", 25, 'L', [&r] { return Texto(r.Aliquota.clipped()); }});
            l.AddColumn({"Totalizador", 75, 'R', [&r] { return Numero("@n-17`2", r.Totalizador.value()); }});
            break;
        }
        case A::Diario: {
            auto& r = fm.rec<MovMaqRegistradoraRec>();
            l.AddSortOrder({fm.key_number(keys::MOV0_KEY_CODIGO), 0, false, {}});
            l.AddColumn({"Código", 35, 'R', [&r] { return Numero("@n-7", r.Codigo); }});
            l.AddColumn({"Data", 45, 'C', [&r] { return Data(DiaDoTexto(r.DataEmissao.clipped())); }});
            l.AddColumn({"Produto", 80, 'R', [&r] { return Numero("@N-19.", r.CodMercadoria.value()); }});
            l.AddColumn({"Quantidade", 75, 'R', [&r] { return Numero("@n-18`3", r.Quantidade.value()); }});
            l.AddColumn({"Base Cálculo", 75, 'R', [&r] { return Numero("@n-18`2", r.BaseCalculo.value()); }});
            break;
        }
        default: {
            auto& r = fm.rec<ForCliRec>();
            l.AddSortOrder({fm.key_number(keys::FOR0_KEY_NOME), kLocaliza, true, {}});
            l.AddColumn({"Nome", 160, 'L', [&r] { return Texto(r.Nome.clipped()); }});
            l.AddColumn({"CNPJ", 80, 'L', [&r] {
                             return r.CGC.empty() ? Cpf(r.CPF.clipped()) : Cnpj(r.CGC.clipped());
                         }});
            l.AddColumn({"Cidade", 80, 'L', [&r] { return Texto(r.Cidade.clipped()); }});
            l.AddColumn({"UF", 15, 'L', [&r] { return Texto(r.Estado.clipped()); }});
            l.AddColumn({textos_.enderecoDoFornecedor, 120, 'L', [&r] { return Texto(r.Endereco.clipped()); }});
            if (textos_.numeroDoFornecedor)
                l.AddColumn({"Número", 30, 'R', [&r] { return std::to_string(r.Numero); }});
            break;
        }
    }
}

Level JanelaUnificacao::Setup() {
    if (!shell::GaranteEmpresa(context())) return Level::Cancel;
    Level l = ui::WindowController::Setup();
    if (l != Level::Benign) return l;
    periodo_ = shell::PeriodoDeTrabalho();
    if (std::string erro = preparo_.Abre(); !erro.empty()) {
        Aviso(erro);
        return Level::Cancel;
    }
    preparado_ = true;
    ui::Window& w = window();
    w.String(kTitulo, "Janela de Unificação dos Arquivos.");
    w.Sheet(kSheet);
    w.Tab(kTabEntradas, kSheet, "&Entradas");
    w.Tab(kTabSaidas, kSheet, "&Saídas");
    w.Tab(kTabEcf, kSheet, "E.&C.F.");
    w.Tab(kTabFornecedores, kSheet, "&Fornecedores");
    for (int i = 0; i < kCampos; ++i) {
        const TextosCampo& t = textos_.campos[static_cast<std::size_t>(i)];
        const int aba = i == 0 ? kTabEntradas : i == 1 ? kTabSaidas : i == 5 ? kTabFornecedores : kTabEcf;
        w.Prompt(kPrompt0 + i, t.prompt).Parent(aba);
        w.Entry(kCampo0 + i, ui::Use(campos_[static_cast<std::size_t>(i)]), "@s100").Parent(aba).Tip(t.tip);
        w.Button(kBusca0 + i, "...").Parent(aba).Tip(t.tipBusca);
    }
    Lista(Campo::Entradas, A::Entradas, kTabEntradas);
    Lista(Campo::Saidas, A::Saidas, kTabSaidas);
    w.Sheet(kSheetEcf).Parent(kTabEcf);
    w.Tab(kTabMestre, kSheetEcf, "&Mestre");
    w.Tab(kTabAnalitico, kSheetEcf, "A&nalítico");
    w.Tab(kTabDiario, kSheetEcf, "&Diário");
    Lista(Campo::Mestre, A::Mestre, kTabMestre);
    Lista(Campo::Analitico, A::Analitico, kTabAnalitico);
    Lista(Campo::Diario, A::Diario, kTabDiario);
    w.Entry(kLocaliza, preparo_.tabela(A::ForCli).rec<dictionary::ForCliRec>().Nome, "@s40")
        .Parent(kTabFornecedores)
        .Immediate();
    Lista(Campo::Fornecedores, A::ForCli, kTabFornecedores);
    w.Button(kLer, "&Ler").Tip("Leitura do arquivo para unificação.");
    w.Button(kGrava, "&Grava").Tip("Efetua gravação dos registros lidos.");
    w.Button(kFecha, "&Fecha").Tip("Fecha e retorna.");
    w.Button(kAjuda, "&Ajuda");
    w.Progress(kProgresso);
    SetCancelButton(kFecha);
    for (int b : {kLer, kGrava, kFecha, kAjuda}) navigator().ExcludeControl(b);
    for (int i = 0; i < kCampos; ++i) navigator().ExcludeControl(kBusca0 + i);
    return Level::Benign;
}

Level JanelaUnificacao::TakeEvent(const ui::Event& e) {
    for (auto& l : listas_)
        if (l && l->TakeEvent(e) == ui::kHandled) return ui::kHandled;
    return ui::WindowController::TakeEvent(e);
}

GrupoUnificacao JanelaUnificacao::GrupoDaAba() {
    switch (window().CurrentTab(kSheet)) {  // 1-based
        case 2: return GrupoUnificacao::Saidas;
        case 3: return GrupoUnificacao::ECF;
        case 4: return GrupoUnificacao::Fornecedores;
        default: return GrupoUnificacao::Entradas;
    }
}

Level JanelaUnificacao::OnAccepted(int feq) {
    Level l = ui::WindowController::OnAccepted(feq);
    ui::Window& w = window();
    if (feq >= kBusca0 && feq < kBusca0 + kCampos) {
        w.Update();
        Busca(static_cast<Campo>(feq - kBusca0));
        return l;
    }
    switch (feq) {
        case kLer:
            w.Update();
            Ler(GrupoDaAba());
            break;
        case kGrava:
            w.Update();
            Grava(GrupoDaAba());
            w.Select(kFecha);
            break;
        case kFecha: CloseWith(ui::Response::Completed); break;
        default: break;
    }
    return l;
}

Level JanelaUnificacao::Teardown() {
    for (auto& l : listas_) l.reset();
    for (auto& f : fontes_) f.reset();
    if (preparado_) preparo_.Encerra();  // the run's temporary files only; a chosen file stays
    return ui::WindowController::Teardown();
}

std::string JanelaUnificacao::Caminho(Campo c) { return text::from_utf8(std::string(text::trim(campo(c)))); }

void JanelaUnificacao::MostraGrupo(GrupoUnificacao g) {
    for (ArquivoUnificacao a : ArquivosDoGrupo(g)) {
        Campo c = Campo::Fornecedores;
        switch (a) {
            case A::Entradas: c = Campo::Entradas; break;
            case A::Saidas: c = Campo::Saidas; break;
            case A::Mestre: c = Campo::Mestre; break;
            case A::Analitico: c = Campo::Analitico; break;
            case A::Diario: c = Campo::Diario; break;
            case A::ForCli: break;
            default: continue;  // the quantity records have no list
        }
        listas_[static_cast<std::size_t>(c)]->ResetToTop();
    }
    window().Display();
}

ProgressoReparo JanelaUnificacao::Andamento() {
    return [this](long long feitos, long long total) {
        if (feitos == 1 || feitos % 500 == 0 || feitos == total) {
            ui::Window& w = window();
            w[kProgresso].Range(0, static_cast<int>(std::max<long long>(total, 1))).Progress(static_cast<int>(feitos));
            w.Display();
        }
        return !context().StopRequested();
    };
}

void JanelaUnificacao::Aviso(const std::string& texto) { ui::Message(texto, "Atenção!!!"); }

bool JanelaUnificacao::Pergunta(const std::string& texto) {
    return ui::Message(texto, "Atenção!!!", ui::Icon::Question, "&Sim|&Não", 2) == 1;
}

}  // namespace vorel::maintenance
