// Window "ImportaLancamentoECF": "Importação de Lançamentos por ECF", one month of cash-register
// records from a master, an analytic and a daily file (layout types 21, 22, 23) read together into
// the year's LancICMSEletronico, AnaliticoICMS and MovMaqRegistradora.
#include <array>
#include <memory>

#include "import_window.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/integration/importa_ecf.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::integration {

namespace {

using ui::Level;
namespace keys = dictionary::keys;

constexpr const char* kSecao = "ImportaECF";

// One of the three files: its controls, its layouts and its staged records' list.
struct Arquivo {
    int tipo;
    const char* prompt;
    const char* dialogo;
    const char* mascara;
    const char* promptLayout;
    const char* colunaLayout;
    int rotulo, entrada, busca, rotuloLayout, layouts;
    std::string nome;  // UTF-8 as typed
    std::vector<LayoutListado> lista;
};

std::string Data(const auto& texto) {
    const date::Day d = dictionary::DiaDoTexto(texto.value());
    return d == 0 ? std::string() : ui::FormatNumber("@d06b", d);
}

class ImportaLancamentoECF : public ui::WindowController {
public:
    enum : int {
        kSheet = 1, kTabGeral, kMestre, kBuscaMestre, kAnalitico, kBuscaAnalitico, kDiario, kBuscaDiario,
        kPromptMestre, kPromptAnalitico, kPromptDiario, kRotuloMestre, kLayoutMestre, kRotuloAnalitico,
        kLayoutAnalitico, kRotuloDiario, kLayoutDiario, kProgresso, kContador, kGrupoUtiliza, kCodigo, kApelido,
        kLer, kImprime, kImporta, kFecha, kAjuda, kGrupoErros, kPromptErros, kQuantErros, kErros, kTabRegistros,
        kGrupoMestre, kListaMestre, kGrupoAnalitico, kListaAnalitico, kGrupoDiario, kListaDiario
    };

    ImportaLancamentoECF(ui::ProcContext& ctx, ImportacaoECF& run)
        : ui::WindowController(ctx, "ImportaLancamentoECF", "Importação de Lançamentos por ECF"), run_(run) {}

    Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return Level::Cancel;
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        // The targets stay the year folder's files of the company and year in force now.
        run_.FixaAlvos({data::dictionary::file(dictionary::LancICMSEletronico()).file_name(),
                        data::dictionary::file(dictionary::AnaliticoICMS()).file_name(),
                        data::dictionary::file(dictionary::MovMaqRegistradora()).file_name()});
        if (std::string erro = run_.Abre(); !erro.empty()) {
            ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
            return Level::Cancel;
        }
        pronto_ = true;

        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabGeral, kSheet, "&Geral");
        for (Arquivo& a : arquivos_) {
            w.Prompt(a.rotulo, a.prompt).Parent(kTabGeral);
            w.Entry(a.entrada, ui::Use(a.nome), "@s255").Parent(kTabGeral);
            w.Button(a.busca, "...").Parent(kTabGeral);
        }
        for (Arquivo& a : arquivos_) {
            w.Prompt(a.rotuloLayout, a.promptLayout).Parent(kTabGeral);
            w.List(a.layouts, {{a.colunaLayout, 160, 'L'}}).Parent(kTabGeral);
        }
        w.Progress(kProgresso).Parent(kTabGeral);
        w.String(kContador, "0").Parent(kTabGeral);
        w.Add(kGrupoUtiliza, ui::ControlType::Group, "Cliente Utiliza").Parent(kTabGeral);
        auto opcao = [this](int valor) {
            return ui::UseFn([this, valor] { return std::string(utiliza_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") utiliza_ = valor;
                                 return true;
                             });
        };
        w.Radio(kCodigo, "Código", opcao(1)).Parent(kGrupoUtiliza);
        w.Radio(kApelido, "Apelido - Código do Cliente", opcao(2)).Parent(kGrupoUtiliza);
        w.Button(kLer, "&Ler arquivos").Tip("Ler os arquivos para importação").Parent(kTabGeral);
        w.Button(kImprime, "&Imprime Erros").Parent(kTabGeral);
        w.Button(kImporta, "Importa Arquivos").Parent(kTabGeral).Disable();
        w.Button(kFecha, "&Fecha").Parent(kTabGeral);
        w.Button(kAjuda, "&Ajuda").Parent(kTabGeral);
        w.Add(kGrupoErros, ui::ControlType::Group, "").Parent(kTabGeral);
        w.Prompt(kPromptErros, "Erros:").Parent(kGrupoErros);
        w.String(kQuantErros, "0").Parent(kGrupoErros);
        w.List(kErros, {{"Erros", 255, 'L'}}).Parent(kGrupoErros);

        w.Tab(kTabRegistros, kSheet, "&Registros Lidos");
        Lista(0, kGrupoMestre, "Mestre", kListaMestre, run_.mestre(), keys::LAN_KEY_CODIGO, dictionary::LancICMSEletronico());
        Lista(1, kGrupoAnalitico, "Analítico", kListaAnalitico, run_.analitico(), keys::ANA_KEY_ALICOTA,
              dictionary::AnaliticoICMS());
        Lista(2, kGrupoDiario, "Diário", kListaDiario, run_.diario(), keys::MMR_KEY_CODIGO,
              dictionary::MovMaqRegistradora());
        Colunas();
        SetCancelButton(kFecha);
        for (int b : {kLer, kImprime, kImporta, kFecha, kAjuda}) navigator().ExcludeControl(b);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::WindowController::OnWindowOpened();
        utiliza_ = static_cast<int>(shell::UtilizaImportacao(kSecao));
        ui::Window& w = window();
        for (Arquivo& a : arquivos_) {
            a.lista = LayoutsDoTipo(a.tipo);
            std::vector<ui::Row> linhas;
            for (const LayoutListado& x : a.lista) linhas.push_back({ui::Cell{text::to_utf8(x.descricao)}});
            w[a.layouts].Rows(std::move(linhas));
            if (a.lista.empty()) {  // a file whose type has no layout cannot be chosen
                w[a.entrada].Disable();
                w[a.busca].Disable();
            }
        }
        w.Display();
        return l;
    }

    Level TakeEvent(const ui::Event& e) override {
        for (auto& lista : listas_)
            if (lista && lista->TakeEvent(e) == ui::kHandled) return ui::kHandled;
        return ui::WindowController::TakeEvent(e);
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        for (Arquivo& a : arquivos_) {
            if (feq == a.entrada) {
                if (text::trim(a.nome).empty() || !ArquivoTextoExiste(a.nome)) Escolhe(a);
                if (text::trim(a.nome).empty())
                    w[a.layouts].Disable();
                else
                    w[a.layouts].Enable();
            } else if (feq == a.busca) {
                w.Update();
                Escolhe(a);
                w.Select(a.entrada);
            }
        }
        switch (feq) {
            case kLer:
                w.Update();
                Ler();
                break;
            case kImprime:
                ImprimeListaErros(context(), erros_);
                break;
            case kImporta:
                Importa();
                break;
            case kFecha:
                CloseWith(ui::Response::Completed);
                break;
            default:
                break;
        }
        return l;
    }

    Level Teardown() override {
        for (auto& lista : listas_) lista.reset();
        for (auto& fonte : fontes_) fonte.reset();
        if (pronto_) run_.Fecha();  // the run's staging files only; the user's files are never touched
        return ui::WindowController::Teardown();
    }

private:
    void Lista(int i, int grupo, const char* titulo, int lista, data::FileManager& staging, data::KeyName chave,
               const data::TableDesc& base) {
        ui::Window& w = window();
        w.Add(grupo, ui::ControlType::Group, titulo).Parent(kTabRegistros);
        w.List(lista).Parent(grupo);
        fontes_[i] = std::make_unique<ui::TableSource>(staging);
        listas_[i] = std::make_unique<ui::BrowseManager>(*this, *fontes_[i]);
        listas_[i]->SetList(lista);
        listas_[i]->AddSortOrder({base.key_index(chave), 0, false, {}});
    }

    void Colunas() {
        auto n = [](auto v) { return std::to_string(v); };
        auto& m = run_.mestre().rec<dictionary::LancICMSEletronicoRec>();
        ui::BrowseManager& lm = *listas_[0];
        lm.AddColumn({"Código", 30, 'R', [&m, n] { return n(m.Codigo); }});
        lm.AddColumn({"Data Emissão", 45, 'C', [&m] { return Data(m.DataEmissao); }});
        lm.AddColumn({"Cupom Inicial", 45, 'R', [&m, n] { return n(m.InicialCupom); }});
        lm.AddColumn({"Cupom Final", 45, 'R', [&m, n] { return n(m.FinalCupom); }});
        lm.AddColumn({"Cont. Redução", 45, 'R', [&m, n] { return n(m.ContReducao); }});
        lm.AddColumn({"GT Inicial", 60, 'R', [&m] { return m.GTInicio.value().to_fixed(2, ','); }});
        lm.AddColumn({"GT Final", 60, 'R', [&m] { return m.GTFinal.value().to_fixed(2, ','); }});
        auto& a = run_.analitico().rec<dictionary::AnaliticoICMSRec>();
        ui::BrowseManager& la = *listas_[1];
        la.AddColumn({"Código", 30, 'R', [&a, n] { return n(a.Codigo); }});
        la.AddColumn({"Data Emissão", 45, 'C', [&a] { return Data(a.DataEmissao); }});
        la.AddColumn({"Alíquota", 25, 'L', [&a] { return text::to_utf8(std::string(a.Aliquota.clipped())); }});
        la.AddColumn({"Totalizador", 60, 'R', [&a] { return a.Totalizador.value().to_fixed(2, ','); }});
        auto& d = run_.diario().rec<dictionary::MovMaqRegistradoraRec>();
        ui::BrowseManager& ld = *listas_[2];
        ld.AddColumn({"Código", 30, 'R', [&d, n] { return n(d.Codigo); }});
        ld.AddColumn({"Data Emissão", 45, 'C', [&d] { return Data(d.DataEmissao); }});
        ld.AddColumn({"Produto", 60, 'R', [&d] { return d.CodMercadoria.value().to_fixed(0); }});
        ld.AddColumn({"Quantidade", 50, 'R', [&d] { return d.Quantidade.value().to_fixed(3, ','); }});
        ld.AddColumn({"Base Cálculo", 60, 'R', [&d] { return d.BaseCalculo.value().to_fixed(2, ','); }});
        ld.AddColumn({"Valor ICMS", 60, 'R', [&d] { return d.ValorICMS.value().to_fixed(2, ','); }});
        ld.AddColumn({"Alíquota", 25, 'L', [&d] { return text::to_utf8(std::string(d.Aliquota.clipped())); }});
    }

    void Escolhe(Arquivo& a) {
        a.nome = EscolheArquivoTexto(a.dialogo, a.mascara, a.nome);
        window().Display();
    }

    // The chosen layout of a file; the first when none is highlighted (the analytic and daily lists
    // are taken as they stand). 0: none.
    int LayoutEscolhido(const Arquivo& a) {
        const int i = window()[a.layouts].selected();
        if (i >= 1 && static_cast<std::size_t>(i) <= a.lista.size()) return a.lista[static_cast<std::size_t>(i) - 1].codigo;
        return 0;
    }

    void Ler() {
        ui::Window& w = window();
        for (Arquivo& a : arquivos_) {
            if (!ArquivoTextoExiste(a.nome)) {
                Escolhe(a);
                w.Select(a.entrada);
                return;
            }
        }
        OpcoesECF o;
        o.layouts[0] = LayoutEscolhido(arquivos_[0]);
        if (o.layouts[0] == 0) {
            ui::Message("Selecione o Layout para o Arquivo de Arquivo Mestre!!!", "Atneção!!!", ui::Icon::Information);
            w.Select(kLayoutMestre);
            return;
        }
        for (std::size_t i = 1; i < 3; ++i) {
            o.layouts[i] = LayoutEscolhido(arquivos_[i]);
            if (o.layouts[i] == 0 && !arquivos_[i].lista.empty()) o.layouts[i] = arquivos_[i].lista.front().codigo;
        }
        o.mestre = text::from_utf8(std::string(text::trim(arquivos_[0].nome)));
        o.analitico = text::from_utf8(std::string(text::trim(arquivos_[1].nome)));
        o.diario = text::from_utf8(std::string(text::trim(arquivos_[2].nome)));
        o.utiliza = utiliza_;
        o.mes = shell::GLO_MES.Get();
        o.ano = shell::GLO_ANO.Get();
        o.empresa = shell::GLO_EMPRESA_CODIGO.Get();
        w[kImporta].Disable();  // until this read has succeeded
        w[kProgresso].Range(0, 0).Progress(0);
        ResultadoECF r = run_.Le(o, ContaLeitura(context(), w, kContador));
        w[kContador].Text("0");
        erros_ = std::move(r.erros);
        MostraErros();
        for (auto& lista : listas_) lista->ResetToTop();
        if (auto ec = shell::GravaUtilizaImportacao(kSecao, utiliza_)) {
            // The option is only remembered for the next window; the read stands.
        }
        for (std::size_t i = 0; i < r.arquivos.size(); ++i) {
            const ResultadoLeitura& a = r.arquivos[i];
            if (!a.falha.ok()) {
                ui::Message("A leitura dos arquivos falhou e nada foi lido: " + TextoFalha(a.falha), "Atenção!!!",
                            ui::Icon::Exclamation);
                return;
            }
            if (a.vazio) {  // the file as the user chose it
                ui::Message("Arquivo vazio: " + std::string(text::trim(arquivos_[i].nome)), "Atenção!!!",
                            ui::Icon::Exclamation);
                return;
            }
            if (a.mesDiferente) {
                ui::Message("Há lançamentos com data diferente do Mês selecionado na lista de erros: a importação "
                            "não foi liberada.",
                            "Atenção!!!", ui::Icon::Exclamation);
                return;
            }
        }
        if (r.PodeImportar()) {
            ui::Message("Leitura Efetuada com sucesso !!!");
            w[kImporta].Enable();
            w.Select(kImporta);
        }
    }

    void MostraErros() { MostraListaErros(window(), kErros, kQuantErros, erros_); }

    void Importa() {
        const auto total = run_.mestre().records() + run_.analitico().records() + run_.diario().records();
        const ResultadoImportacao r =
            FaseImportacao(context(), window(), {kImporta, kContador, kProgresso}, static_cast<long>(total),
                           [this](const Progresso& p) { return run_.Importa(shell::GLO_MES.Get(), p); });
        if (r.ok()) ui::Message("Importaçao realizada com sucesso");
        window().Select(kFecha);
    }

    ImportacaoECF& run_;
    std::array<Arquivo, 3> arquivos_{
        Arquivo{kTipoMestre, "Arquivo texto mestre...............................",
                "Arquivo Importação Lançamentos Mestres", "Todos os arquivos | *.*",
                "Layout do arquivo mestre.......................", "Layout", kPromptMestre, kMestre, kBuscaMestre, kRotuloMestre,
                kLayoutMestre, {}, {}},
        Arquivo{kTipoAnalitico, "Arquivo texto analítico............................",
                "Arquivo Importação Lançamentos Analíticos", "All Files | *.*",
                "Layout do arquivo analítico.....................", "Arquivo de Layout Analítico", kPromptAnalitico, kAnalitico,
                kBuscaAnalitico, kRotuloAnalitico, kLayoutAnalitico, {}, {}},
        Arquivo{kTipoDiario, "Arquivo texto diário................................",
                "Arquivo Importação Lançamentos Diário", "All Files | *.*",
                "Layout do arquivo diário.........................", "Diario", kPromptDiario, kDiario, kBuscaDiario, kRotuloDiario,
                kLayoutDiario, {}, {}}};
    int utiliza_ = 1;
    std::vector<std::string> erros_;
    std::array<std::unique_ptr<ui::TableSource>, 3> fontes_;
    std::array<std::unique_ptr<ui::BrowseManager>, 3> listas_;
    bool pronto_ = false;
};

}  // namespace

void RunImportaLancamentoECF(ui::ProcContext& ctx) {
    ImportacaoECF run;
    ImportaLancamentoECF(ctx, run).Execute();
}

}  // namespace vorel::integration
