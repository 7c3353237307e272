// The invoice text imports' window: set-up, events (file, layout, read, errors, import), tear-down.
#include "import_window.h"

#include <filesystem>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/table_desc.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/shell/error_report.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"

namespace vorel::integration {

using ui::Level;

std::string TextoFalha(data::Result r) {
    const data::LastError& e = data::last_error();
    if (e.code == r.code()) return text::to_utf8(data::describe(e));
    return text::to_utf8(std::string(data::error_text(r)));
}

bool ArquivoTextoExiste(const std::string& utf8) {
    const std::string nome = text::from_utf8(std::string(text::trim(utf8)));
    if (nome.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(files::resolve(nome), ec);
}

std::string EscolheArquivoTexto(const char* titulo, const char* mascara, const std::string& atual) {
    ui::FileChooser dialogo(titulo, mascara);
    return dialogo.File({}, atual).value_or("");
}

std::vector<ui::Row> LinhasErros(const std::vector<std::string>& erros) {
    std::vector<ui::Row> linhas;
    linhas.reserve(erros.size());
    for (const std::string& e : erros) linhas.push_back({ui::Cell{text::to_utf8(e)}});
    return linhas;
}

void ImprimeListaErros(ui::ProcContext& ctx, const std::vector<std::string>& erros) {
    if (auto ec = shell::PedeImpressaoErros()) {
        ui::Message("Não foi possível gravar o pedido de impressão: " + ec.message(), "Atenção!!!",
                    ui::Icon::Exclamation);
        return;
    }
    if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto) return;
    (void)shell::Rel_Erro_ECF_W(ctx, erros);
}

void MostraListaErros(ui::Window& w, int lista, int quantidade, const std::vector<std::string>& erros) {
    w[lista].Rows(LinhasErros(erros));
    w[quantidade].Text(std::to_string(erros.size()));
}

Progresso ContaLeitura(ui::ProcContext& ctx, ui::Window& w, int contador) {
    return [&ctx, &w, contador](long n) {
        if (n % kMostraACada == 0) w[contador].Text(std::to_string(n));
        return !ctx.StopRequested();
    };
}

ResultadoImportacao FaseImportacao(ui::ProcContext& ctx, ui::Window& w, const ControlesImportacao& c, long total,
                                   const std::function<ResultadoImportacao(const Progresso&)>& importa) {
    w[c.importa].Disable();
    w[c.contador].Text("0");
    w[c.progresso].Range(0, static_cast<int>(total)).Progress(0);
    ResultadoImportacao r = importa([&](long n) {
        if (n % kMostraACada == 0) {
            w[c.contador].Text(std::to_string(n));
            w[c.progresso].Progress(static_cast<int>(n));
        }
        return !ctx.StopRequested();
    });
    if (r.ok()) {
        w[c.contador].Text(std::to_string(r.importados));
        return r;
    }
    if (!r.recusa.empty())
        ui::Message(r.recusa, "Atenção!!!", ui::Icon::Exclamation);
    else if (!r.interrompida)
        ui::Message("A importação falhou e nada foi gravado: " + TextoFalha(r.falha), "Atenção!!!",
                    ui::Icon::Exclamation);
    w[c.importa].Enable();
    return r;
}

JanelaImportacao::JanelaImportacao(ui::ProcContext& ctx, TextosImportacao textos, ImportacaoTexto& run)
    : ui::WindowController(ctx, textos.procedimento, textos.titulo), textos_(textos), run_(run) {}

JanelaImportacao::~JanelaImportacao() = default;

Level JanelaImportacao::Setup() {
    if (!shell::GaranteEmpresa(context())) return Level::Cancel;
    Level l = ui::WindowController::Setup();
    if (l != Level::Benign) return l;
    // The target stays the year folder's file of the company and year in force now.
    run_.FixaAlvo(data::dictionary::file(textos_.alvo()).file_name());
    if (std::string erro = run_.Abre(); !erro.empty()) {
        ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
        return Level::Cancel;
    }
    pronto_ = true;

    ui::Window& w = window();
    w.Sheet(kSheet);
    w.Tab(kTabGeral, kSheet, "&Geral");
    w.Prompt(kPromptArquivo, textos_.promptArquivo).Parent(kTabGeral);
    w.Entry(kArquivo, ui::Use(arquivo_), "@s255").Parent(kTabGeral);
    w.Button(kBusca, "...").Parent(kTabGeral);
    w.Prompt(kPromptLayout, textos_.promptLayout).Parent(kTabGeral);
    w.List(kLayouts, {{"Layout", 160, 'L'}}).Parent(kTabGeral);
    w.Progress(kProgresso).Parent(kTabGeral);
    w.Add(kGrupoUtiliza, ui::ControlType::Group, "Cliente Utiliza").Parent(kTabGeral);
    auto opcao = [this](int valor) {
        return ui::UseFn([this, valor] { return std::string(utiliza_ == valor ? "1" : "0"); },
                         [this, valor](const std::string& s) {
                             if (s == "1") utiliza_ = valor;
                             return true;
                         });
    };
    auto codigo = [&] { w.Radio(kCodigo, "Código", opcao(1)).Parent(kGrupoUtiliza); };
    if (!textos_.apelidoPrimeiro) codigo();
    w.Radio(kApelido, "Apelido - Código do Cliente", opcao(2)).Parent(kGrupoUtiliza);
    if (textos_.apelidoPrimeiro) codigo();
    if (!textos_.opcaoUtiliza) {
        for (int c : {kGrupoUtiliza, kCodigo, kApelido}) w[c].Hide();
    }
    ControlesProprios(w);
    w.String(kContador, "0").Parent(kTabGeral);
    w.Button(kLer, textos_.botaoLer).Tip("Ler os arquivos para importação").Msg("Leitura dos arquivos").Parent(kTabGeral);
    w.Button(kImprime, "&Imprime Erros").Parent(kTabGeral);
    w.Button(kImporta, textos_.botaoImporta).Parent(kTabGeral).Disable();
    w.Button(kFecha, "&Fecha").Parent(kTabGeral);
    w.Button(kAjuda, "&Ajuda").Parent(kTabGeral);
    w.Add(kGrupoErros, ui::ControlType::Group, "").Parent(kTabGeral);
    w.Prompt(kPromptErros, "Erros:").Parent(kGrupoErros);
    w.String(kQuantErros, "0").Parent(kGrupoErros);
    w.List(kErros, {{"Erros", 255, 'L'}}).Parent(kGrupoErros);
    w.Tab(kTabRegistros, kSheet, "&Registros Lidos");
    w.Add(kGrupoRegistros, ui::ControlType::Group, textos_.grupoRegistros).Parent(kTabRegistros);
    w.List(kRegistros).Parent(kGrupoRegistros);

    fonte_ = std::make_unique<ui::TableSource>(run_.staging());
    lista_ = std::make_unique<ui::BrowseManager>(*this, *fonte_);
    lista_->SetList(kRegistros);
    lista_->AddSortOrder({ChaveLista(), 0, false, {}});
    Colunas(*lista_);
    SetCancelButton(kFecha);
    for (int b : {kLer, kImprime, kImporta, kFecha, kAjuda}) navigator().ExcludeControl(b);
    return Level::Benign;
}

Level JanelaImportacao::OnWindowOpened() {
    Level l = ui::WindowController::OnWindowOpened();
    if (textos_.opcaoUtiliza) utiliza_ = static_cast<int>(shell::UtilizaImportacao(textos_.secaoUtiliza));
    layouts_ = LayoutsDoTipo(run_.tipo());
    std::vector<ui::Row> linhas;
    for (const LayoutListado& x : layouts_) linhas.push_back({ui::Cell{text::to_utf8(x.descricao)}});
    ui::Window& w = window();
    w[kLayouts].Rows(std::move(linhas));
    if (layouts_.empty()) {
        w[kArquivo].Disable();
        w[kBusca].Disable();
    }
    w.Display();
    return l;
}

Level JanelaImportacao::TakeEvent(const ui::Event& e) {
    if (lista_ && lista_->TakeEvent(e) == ui::kHandled) return ui::kHandled;
    return ui::WindowController::TakeEvent(e);
}

Level JanelaImportacao::OnAccepted(int feq) {
    Level l = ui::WindowController::OnAccepted(feq);
    ui::Window& w = window();
    switch (feq) {
        case kArquivo:
            if (text::trim(arquivo_).empty()) {
                EscolheArquivo();
                w[kLayouts].Disable();
            } else {
                if (!ArquivoExiste()) EscolheArquivo();
                w[kLayouts].Enable();
            }
            break;
        case kBusca:
            w.Update();
            EscolheArquivo();
            w.Select(kArquivo);
            break;
        case kLer:
            w.Update();
            Ler();
            break;
        case kImprime:
            w.Update();
            ImprimeErros();
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

Level JanelaImportacao::Teardown() {
    lista_.reset();
    fonte_.reset();
    if (pronto_) {
        // The run's own staging file only; the user's file is never touched.
        run_.Fecha();
    }
    return ui::WindowController::Teardown();
}

bool JanelaImportacao::ArquivoExiste() const { return ArquivoTextoExiste(arquivo_); }

void JanelaImportacao::EscolheArquivo() {
    arquivo_ = EscolheArquivoTexto(textos_.tituloDialogo, "Todos os arquivos | *.*", arquivo_);
    window().Display();
}

void AguardeAoGravar(ImportacaoTexto& run, ui::ProcContext& ctx, std::unique_ptr<ui::Window>& janela) {
    run.AvisoGravacao([&ctx, &janela](bool gravando) {
        janela.reset();
        if (!gravando) return;
        janela = std::make_unique<ui::Window>(ctx, "!!! Aguarde !!!");
        janela->String(1, "Por Favor Aguarde , Gravando Informações no Banco de Dados");
        janela->Open();
    });
}

void JanelaImportacao::Ler() {
    ui::Window& w = window();
    if (!ArquivoExiste()) {
        EscolheArquivo();
        w.Select(kArquivo);
        return;
    }
    const int escolhido = w[kLayouts].selected();
    if (escolhido < 1 || static_cast<std::size_t>(escolhido) > layouts_.size()) {
        ui::Message(textos_.pedeLayout, "Atneção!!!", ui::Icon::Information);
        w.Select(kLayouts);
        return;
    }
    OpcoesLeitura o;
    o.arquivo = text::from_utf8(std::string(text::trim(arquivo_)));
    o.layout = layouts_[static_cast<std::size_t>(escolhido) - 1].codigo;
    o.utiliza = utiliza_;
    o.mes = shell::GLO_MES.Get();
    o.ano = shell::GLO_ANO.Get();
    o.empresa = shell::GLO_EMPRESA_CODIGO.Get();
    w[kImporta].Disable();  // until this read has succeeded
    w[kProgresso].Range(0, 0).Progress(0);
    w[kContador].Text("0");
    AntesDeLer();
    std::unique_ptr<ui::Window> aguarde;
    if (textos_.aguardeAoGravar) AguardeAoGravar(run_, context(), aguarde);
    ResultadoLeitura r = run_.Le(o, ContaLeitura(context(), w, kContador));
    run_.AvisoGravacao({});
    const std::string falha = r.falha.ok() ? std::string() : TextoFalha(r.falha);  // before other reads
    w[kContador].Text(std::to_string(r.linhas));
    erros_ = std::move(r.erros);
    MostraErros();
    lista_->ResetToTop();
    if (textos_.opcaoUtiliza) {
        if (auto ec = shell::GravaUtilizaImportacao(textos_.secaoUtiliza, utiliza_)) {
            // The option is only remembered for the next window; the read stands.
        }
    }
    if (!r.falha.ok()) {
        ui::Message("A leitura do arquivo falhou e nada foi lido: " + falha, "Atenção!!!",
                    ui::Icon::Exclamation);
        return;
    }
    if (r.vazio) {
        ui::Message("Arquivo vazio", "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    if (r.mesDiferente) {
        ui::Message("Ocorreu um erro fatal, a nota de número " + TextoNumero(r.notaMesDiferente) +
                        " possui a Data com mês diferente ao selecionado!!!",
                    "Atenção!!!", ui::Icon::Question);
        return;
    }
    if (r.linhaFatal) {
        ui::Message("Ocorreu um erro fatal, a nota de número " + TextoNumero(r.notaFatal) +
                        " não possui o Chassi do Veículo!!!",
                    "Atenção!!!", ui::Icon::Question);
        return;
    }
    if (r.recusada) {
        ui::Message("Há saldos de outro ano na lista de erros: a importação não foi liberada.", "Erro Fatal",
                    ui::Icon::Exclamation);
        return;
    }
    if (r.PodeImportar()) {
        if (*textos_.leituraOk) ui::Message(textos_.leituraOk);
        w[kImporta].Enable();
        w.Select(kImporta);
    }
}

void JanelaImportacao::MostraErros() { MostraListaErros(window(), kErros, kQuantErros, erros_); }

void JanelaImportacao::ImprimeErros() { ImprimeListaErros(context(), erros_); }

void JanelaImportacao::Importa() {
    ui::Window& w = window();
    const ResultadoImportacao r =
        FaseImportacao(context(), w, {kImporta, kContador, kProgresso}, static_cast<long>(run_.staging().records()),
                       [this](const Progresso& p) { return run_.Importa(shell::GLO_MES.Get(), p); });
    if (r.ok()) {
        if (!r.erros.empty()) {  // records the target refused: named beside the read's problems
            erros_.insert(erros_.end(), r.erros.begin(), r.erros.end());
            MostraErros();
        }
        if (*textos_.importacaoOk) ui::Message(textos_.importacaoOk);
    }
    w.Select(kFecha);
}

}  // namespace vorel::integration
