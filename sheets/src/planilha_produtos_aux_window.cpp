// Window "PlanilhaProdutos_Aux" ("Planilha Mensal de Produtos/Gestão"): one product or all, the
// negative-balance and balance options, one supplier or all, the e-mail; "&Imprimir" gathers the
// working month into a work table of the run, hands it to the page sheet (or, in printing mode 2,
// to the text sheet), then empties and removes it. The window stays open for another run.
#include <algorithm>

#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/sheets/movimento_gestao.h"
#include "vorel/sheets/planilha_gestao.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"
#include "vorel/shell/produto_digitado.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/window_controller.h"

namespace vorel::sheets {

namespace {

namespace keys = dictionary::keys;

class PlanilhaProdutosAux : public ui::WindowController {
public:
    enum : int {
        kTodos = 1, kProduto = 2, kSaldoNegativo = 4, kFiltrar = 6, kSaldo = 7, kNormal = 8, kAnterior = 9,
        kAtual = 10, kGrupoFornecedor = 11, kPromptCodigo = 12, kFornecedor = 13, kPesquisaFornecedor = 14,
        kPromptNome = 15, kNome = 16, kEmail = 17, kPromptProduto = 27, kPesquisaProduto = 28, kDescricao = 29,
        kImprimir = 31, kCancelar = 32, kPromptContador = 33, kContador = 34, kProgresso = 35
    };

    explicit PlanilhaProdutosAux(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "PlanilhaProdutos_Aux", "Planilha Mensal de Produtos/Gestão"), email_(kEmail) {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        shell::PreencheEmail("Planilha Mensal de Produtos");
        erros_ = shell::PastaTemp.Get() + "Erros_Notas.txt";
        (void)files::remove_file(erros_);
        ui::Window& w = window();
        w.Check(kTodos, " Imprimir todos os Produtos", ui::Use(todos_));
        w.Prompt(kPromptProduto, "Código do Produto:");
        w.Entry(kProduto, ui::Use(produto_.digitado), "@s20");
        w.Button(kPesquisaProduto, "...");
        w.String(kDescricao, "");
        w.Check(kSaldoNegativo, " Imprimir somente produtos com saldo negativo", ui::Use(saldoNegativo_));
        w.Check(kFiltrar, " Filtrar Fornecedor", ui::Use(filtrar_));
        w.Add(kSaldo, ui::ControlType::Option, "Saldo");
        const auto opcao = [this](std::uint8_t valor) {
            return ui::UseFn([this, valor] { return std::string(desc_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") desc_ = valor;
                                 return true;
                             });
        };
        w.Radio(kNormal, " Normal", opcao(kSaldoNormal)).Parent(kSaldo);
        w.Radio(kAnterior, " Apenas Saldo Anterior", opcao(kApenasSaldoAnterior)).Parent(kSaldo);
        w.Radio(kAtual, " Apenas Saldo Atual", opcao(kApenasSaldoAtual)).Parent(kSaldo);
        w.Add(kGrupoFornecedor, ui::ControlType::Group, "");
        w.Prompt(kPromptCodigo, "Código:").Parent(kGrupoFornecedor);
        w.Entry(kFornecedor, ui::Use(fornecedor_), "@n6").Parent(kGrupoFornecedor);
        w.Button(kPesquisaFornecedor, "...").Parent(kGrupoFornecedor);
        w.Prompt(kPromptNome, "Nome:").Parent(kGrupoFornecedor);
        w.String(kNome, "").Parent(kGrupoFornecedor);
        shell::AdicionaEmail(w, email_);
        w.Button(kImprimir, "&Imprimir");
        w.Button(kCancelar, "&Cancelar");
        w.Prompt(kPromptContador, "Verificando Produtos").Hide();
        w.String(kContador, "0").Hide();
        w.Progress(kProgresso).Hide();
        w[kGrupoFornecedor].Disable();
        SetCancelButton(kCancelar);
        for (int b : {kImprimir, kCancelar}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level OnWindowOpened() override {
        ui::Level l = ui::WindowController::OnWindowOpened();
        shell::AplicaModoEmail(window(), email_);
        desc_ = kSaldoNormal;
        window().Display();
        return l;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        if (feq == email_.enviar) {
            shell::AplicaModoEmail(w, email_);
            return l;
        }
        switch (feq) {
            case kTodos:
                for (int c : {kPromptProduto, kProduto, kPesquisaProduto, kDescricao}) w[c].Hide(todos_);
                break;
            case kProduto:
                if (!produto_.Procura(context())) produto_.Escolhe(context());
                w[kDescricao].Text(produto_.descricao);
                break;
            case kPesquisaProduto:
                produto_.Escolhe(context());
                w[kDescricao].Text(produto_.descricao);
                break;
            case kSaldoNegativo:
                if (saldoNegativo_) desc_ = kSaldoNormal;
                w[kSaldo].Enable(!saldoNegativo_);
                break;
            case kFiltrar: w[kGrupoFornecedor].Enable(filtrar_); break;
            case kFornecedor:
                if (!ProcuraFornecedor()) EscolheFornecedor();
                w[kNome].Text(nome_);
                break;
            case kPesquisaFornecedor:
                EscolheFornecedor();
                w[kNome].Text(nome_);
                break;
            case kImprimir: Imprime(); break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        w.Display();
        return l;
    }

private:
    bool ProcuraFornecedor() {
        data::FileManager& f = ui::ThreadFile(dictionary::ForCli());
        if (!f.open().ok()) return false;
        auto& r = f.rec<dictionary::ForCliRec>();
        f.clear_record();
        r.Codigo = fornecedor_;
        const bool achou = f.get(keys::FOR_KEY_CODIGO).ok();
        if (achou) Guarda(r);
        (void)f.close();
        return achou;
    }
    void EscolheFornecedor() {
        data::FileManager& f = ui::ThreadFile(dictionary::ForCli());
        if (context().Call("Fornecedores", ui::Request::Select) != ui::Response::Completed) return;
        Guarda(f.rec<dictionary::ForCliRec>());
    }
    void Guarda(const dictionary::ForCliRec& r) {
        fornecedor_ = r.Codigo;
        nome_ = text::to_utf8(r.Nome.clipped());
        cgc_ = std::string(r.CGC.clipped());
    }

    void Imprime() {
        ui::Window& w = window();
        w.Update();
        if (filtrar_ && fornecedor_ == 0) {
            (void)ui::Message("Anteção! Informe o código do Fornecedor ou desmarque o campo \"Filtrar Fornecedor\".",
                              "Alerta", ui::Icon::Hand);
            w.Select(kFornecedor);
            return;
        }
        OpcoesLidasGestao escolhas;
        escolhas.cnpj = filtrar_ ? cgc_ : std::string();
        escolhas.descSaldo = static_cast<std::uint8_t>(desc_);
        escolhas.saldoNegativo = saldoNegativo_;
        // The sheets read these back: a run on options that could not be written would print others.
        if (const std::error_code erro = GravaOpcoesGestao(escolhas)) {
            (void)ui::Message("Vorel.ini: " + erro.message(), "Atenção!!!", ui::Icon::Exclamation);
            return;
        }

        // The work table is this run's own file, removed when the run ends.
        const shell::NomeTemporario nome = shell::NomeArqTemp();
        if (!nome.ok()) {
            (void)ui::Message(nome.erro, "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        (void)files::remove_file(nome.nome);
        TrabalhoGestao trabalho;
        trabalho.arquivo = nome.nome;
        trabalho.periodo = shell::PeriodoDeTrabalho();
        trabalho.produto = todos_ ? Decimal() : produto_.codigo;
        std::int64_t linhas = 0;
        {
            data::FileManager esa(dictionary::EntradaSaidaVorel());
            esa.set_create(true);
            if (!esa.open_path(trabalho.arquivo).ok()) {
                (void)ui::Message(text::to_utf8(data::last_error().text) + " (EntradaSaidaVorel)", "Atenção!!!",
                                  ui::Icon::Exclamation);
                return Remove(trabalho.arquivo);
            }
            const ResultadoMontagem m = Monta(esa, escolhas.cnpj, trabalho.periodo);
            linhas = esa.records();
            (void)esa.close();
            if (!m.ok()) {
                (void)ui::Message(m.falha, "Atenção!!!", ui::Icon::Exclamation);
                return Remove(trabalho.arquivo);
            }
            trabalho.aberturas = m.aberturas;
        }
        if (linhas > 0) {
            if (shell::ModoImpressao.Get() != 2) {
                PlanilhaMensalProdutos_Aux(context(), trabalho);
            } else if (resulPlanilha_ == 1) {
                (void)ui::Message("Atenção! Opção em manutenção!", "Mensagem", ui::Icon::Exclamation);
                w.Select(kImprimir);
            } else {
                PlanilhaMensalProdutosM_Aux(context(), trabalho);
            }
        }
        Remove(trabalho.arquivo);
        shell::AplicaModoEmail(w, email_);
        if (linhas == 0 || shell::ModoImpressao.Get() != 2 || resulPlanilha_ != 1) w.Select(kCancelar);
    }

    ResultadoMontagem Monta(data::FileManager& esa, const std::string& cnpj, const shell::EmpresaPeriodo& periodo) {
        ui::Window& w = window();
        OpcoesMontagem o;
        o.todos = todos_;
        o.produto = produto_.codigo;
        o.fornecedor = filtrar_ ? fornecedor_ : 0;
        o.cnpjFornecedor = cnpj;
        o.periodo = periodo;
        o.arquivoErros = erros_;
        long long total = 0;
        for (const data::TableDesc* t : {&dictionary::EntradaVorel(), &dictionary::SaidaVorel(),
                                         &dictionary::MovMaqRegistradora()}) {
            data::FileManager f(*t);
            if (f.open().ok()) {
                total += std::max<std::int64_t>(f.records(), 0);
                (void)f.close();
            }
        }
        w[kProgresso].Range(0, static_cast<int>(std::min<long long>(total, 1 << 30))).Progress(0);
        for (int c : {kPromptContador, kContador, kProgresso}) w[c].Unhide();
        long long contador = 0;
        AvisosMontagem a;
        a.loteAusente = [](const std::string& texto) { (void)ui::Message(texto, "!!! Atenção !!!"); };
        a.avanca = [&] {
            ++contador;
            w[kContador].Text(std::to_string(contador));
            w[kProgresso].Progress(static_cast<int>(std::min<long long>(contador, 1 << 30)));
            w.Display();
        };
        ResultadoMontagem m = MontaMovimentoMes(esa, o, a);
        w[kProgresso].Progress(static_cast<int>(std::min<long long>(total, 1 << 30)));
        return m;
    }

    // Ends a run: the work table's file removed, the counter hidden.
    void Remove(const std::string& arquivo) {
        for (const char* sufixo : {"", "-journal", "-lock"}) (void)files::remove_file(arquivo + sufixo);
        ui::Window& w = window();
        for (int c : {kPromptContador, kContador, kProgresso}) w[c].Hide();
        w[kContador].Text("0");
    }

    shell::ControlesEmail email_;
    bool todos_ = false, saldoNegativo_ = false, filtrar_ = false;
    std::uint8_t desc_ = kSaldoNormal;
    std::uint16_t fornecedor_ = 0;
    std::string nome_;
    std::string cgc_;
    shell::ProdutoDigitado produto_;
    std::string erros_;
    std::uint8_t resulPlanilha_ = LeOpcoesGestao().resulPlanilha;
};

}  // namespace

void PlanilhaProdutos_Aux(ui::ProcContext& ctx) { PlanilhaProdutosAux(ctx).Execute(); }

}  // namespace vorel::sheets
