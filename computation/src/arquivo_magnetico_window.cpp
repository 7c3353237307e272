// Window "ArquivoMagnetico" ("Gera Arquivo Magnético"): the period, the file's full name, the
// validator version and the complement choice; "&Gerar Arquivo" runs the monthly computation of
// the period for all products (its work table kept), then writes the file from it
// (GravaArquivoMagnetico) while the counters follow the records, and deletes the work table. A
// file that cannot be written whole, or that would carry a value its layout cannot hold, is not
// put in place: the window says why.
#include "vorel/computation/arquivo_magnetico.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

std::string Contador(long long n) {
    std::string s = std::to_string(n);
    return s.size() >= 14 ? s : std::string(14 - s.size(), ' ') + s;
}

class ArquivoMagnetico : public ui::WindowController, public AvisosArquivo {
public:
    enum : int {
        kSheet = 1, kTab, kTitulo, kGrupoPeriodo, kPromptInicial, kInicial, kPromptFinal, kFinal, kGrupoDiretorio,
        kPromptLocal, kLocal, kGrupoVersao, kV21, kV23Port, kV23, kGrupoCompl, kComplemento, kComplementoCfo,
        kCabecalho, kPrompt02, k02, kPrompt03M, k03M, kPrompt03A, k03A, kPrompt03P, k03P, kPrompt04, k04, kPrompt05,
        k05, kPrompt06, k06, kPromptTotal, kTotal, kMensagem, kMensagem2, kProgresso, kMsgSaldo, kContProd,
        kProgressoSaldo, kGerar, kFecha
    };

    explicit ArquivoMagnetico(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ArquivoMagnetico", "Gera Arquivo Magnético") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        empresa_ = static_cast<int>(shell::GLO_EMPRESA_CODIGO.Get());
        ano_ = shell::GLO_ANO.Get();
        mes_ = shell::GLO_MES.Get();
        inicial_ = date::first_of_month(ano_, mes_);
        final_ = date::last_of_month(inicial_);
        versao_ = ano_ < 2003 ? 1 : 2;
        tipoCompl_ = 1;
        arquivo_ = NomeArquivoMagnetico(empresa_, final_);
        const std::string titulo = std::to_string(empresa_) + " - " + std::string(text::clip(shell::GLO_EMPRESA_RAZAO.Get()));
        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTab, kSheet, "&Gera Arquivo");
        w.String(kTitulo, text::to_utf8(titulo)).Parent(kTab);
        w.Add(kGrupoPeriodo, ui::ControlType::Group, "Período do Arquivo").Parent(kTab);
        w.Prompt(kPromptInicial, "01 Inicial").Parent(kGrupoPeriodo);
        w.Entry(kInicial, ui::UseDate(inicial_, "@d06b")).Parent(kGrupoPeriodo);
        w.Prompt(kPromptFinal, "02 Final").Parent(kGrupoPeriodo);
        w.Entry(kFinal, ui::UseDate(final_, "@D06b")).Parent(kGrupoPeriodo);
        w.Add(kGrupoDiretorio, ui::ControlType::Group, "Diretório do Arquivo").Parent(kTab);
        w.Prompt(kPromptLocal, "03 Local").Parent(kGrupoDiretorio);
        w.Entry(kLocal, ui::Use(arquivo_), "@s100").Parent(kGrupoDiretorio);
        auto opcao = [](int& alvo, int valor) {
            return ui::UseFn([&alvo, valor] { return std::string(alvo == valor ? "1" : "0"); },
                             [&alvo, valor](const std::string& s) {
                                 if (s == "1") alvo = valor;
                                 return true;
                             });
        };
        w.Add(kGrupoVersao, ui::ControlType::Group, "Validador").Parent(kTab);
        w.Radio(kV21, "2.1", opcao(versao_, 1)).Parent(kGrupoVersao);
        w.Radio(kV23Port, "2.3 Port.99/05", opcao(versao_, 2)).Parent(kGrupoVersao);
        w.Radio(kV23, "2.3", opcao(versao_, 3)).Parent(kGrupoVersao);
        w.Add(kGrupoCompl, ui::ControlType::Group, "Complemento CFO").Parent(kTab);
        w.Radio(kComplemento, "Complemento", opcao(tipoCompl_, 1)).Parent(kGrupoCompl);
        w.Radio(kComplementoCfo, "Complemento CFO", opcao(tipoCompl_, 2)).Parent(kGrupoCompl);
        w.String(kCabecalho, "Tipo do Arquivo / Total").Parent(kTab);
        const std::pair<int, const char*> contadores[] = {
            {kPrompt02, "Arquivo Tipo 02"},  {kPrompt03M, "Arquivo Tipo 03 M"}, {kPrompt03A, "Arquivo Tipo 03 A"},
            {kPrompt03P, "Arquivo Tipo 03 P"}, {kPrompt04, "Arquivo Tipo 04"},   {kPrompt05, "Arquivo Tipo 05"},
            {kPrompt06, "Arquivo Tipo 06"},  {kPromptTotal, "Total de Registros"}};
        for (const auto& [prompt, texto] : contadores) {
            w.Prompt(prompt, texto).Parent(kTab);
            w.String(prompt + 1, Contador(0)).Parent(kTab);
        }
        w.String(kMensagem, "").Parent(kTab);
        w.String(kMensagem2, Contador(0)).Parent(kTab);
        w.Progress(kProgresso).Parent(kTab);
        w.String(kMsgSaldo, "").Parent(kTab);
        w.String(kContProd, "").Parent(kTab);
        w.Progress(kProgressoSaldo).Parent(kTab);
        w.Button(kGerar, "&Gerar Arquivo");
        w.Button(kFecha, "&Fecha");
        SetCancelButton(kFecha);
        navigator().ExcludeControl(kGerar);
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kFinal:
                if (final_ > 0) arquivo_ = NomeArquivoMagnetico(empresa_, final_);
                w.Display();
                break;
            case kGerar:
                Gera();
                w.Select(kFecha);
                break;
            case kFecha: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

    // The counters as the file grows.
    bool Progresso(const ContadoresArquivo& c) override {
        ui::Window& w = window();
        w[k02].Text(Contador(c.tipo02));
        w[k03M].Text(Contador(c.tipo03M));
        w[k03A].Text(Contador(c.tipo03A));
        w[k03P].Text(Contador(c.tipo03P));
        w[k04].Text(Contador(c.tipo04));
        w[k05].Text(Contador(c.tipo05));
        w[k06].Text(Contador(c.tipo06));
        w[kTotal].Text(Contador(c.total));
        w[kMensagem].Text(c.mensagem);
        w[kMensagem2].Text(Contador(c.registrosPasso));
        w[kMsgSaldo].Text(c.mensagemSaldo);
        w[kContProd].Text(c.produtosExaminados ? std::to_string(c.produtosExaminados) : std::string());
        w.Display();
        return true;
    }

private:
    void Gera() {
        window().Update();
        if (inicial_ <= 0 || final_ <= 0 || inicial_ > final_) {
            ui::Message("A data inicial deve ser anterior ou igual à data final.", "Atenção!!!");
            return;
        }
        if (text::clip(arquivo_).empty()) {
            ui::Message("Informe o nome do arquivo.", "Atenção!!!");
            return;
        }
        OpcoesCalculo o;
        o.todos = true;
        o.periodoExplicito = true;
        o.inicio = inicial_;
        o.fim = final_;
        o.manterTrabalho = true;
        ResultadoCalculo calculo = CalculoProdutos(context(), shell::PeriodoDeTrabalho(), o);  // the run shows its own messages
        if (!calculo.ok()) {
            ApagaTrabalho(calculo.arquivoTrabalho);
            return;
        }
        PedidoArquivo p;
        p.empresa = empresa_;
        p.anoTrabalho = ano_;
        p.mesTrabalho = mes_;
        p.inicio = inicial_;
        p.fim = final_;
        p.versao = static_cast<VersaoArquivo>(versao_);
        p.tipoCompl = tipoCompl_;
        p.arquivo = text::from_utf8(arquivo_);
        p.trabalho = calculo.arquivoTrabalho;
        ResultadoMagnetico r = GravaArquivoMagnetico(p, *this);
        ApagaTrabalho(calculo.arquivoTrabalho);
        Progresso(r.contadores);
        if (r.estado == ResultadoMagnetico::Estado::Falhou) {
            ui::Message("O arquivo não foi gravado. " + r.erro, "Atenção!!!", ui::Icon::Exclamation);
        } else if (r.estado == ResultadoMagnetico::Estado::Recusado) {
            std::string texto = "O arquivo não foi gravado: há valores que o leiaute não comporta.";
            std::size_t n = 0;
            for (const auto& c : r.cfosAusentes) {
                if (++n > 20) break;
                texto += "\nCFO " + std::to_string(c.cfo) + " - " + std::to_string(c.complemento) +
                         " não existe na tabela de CFO.";
            }
            for (const auto& v : r.recusas) {
                if (++n > 20) break;
                texto += "\n" + v.registro + ": " + v.campo + " " + v.valor;
            }
            if (r.cfosAusentes.size() + r.recusas.size() > 20)
                texto += "\n... e mais " + std::to_string(r.cfosAusentes.size() + r.recusas.size() - 20) + ".";
            ui::Message(texto, "Atenção!!!", ui::Icon::Exclamation);
        }
    }

    int empresa_ = 0, ano_ = 0, mes_ = 0;
    std::int32_t inicial_ = 0, final_ = 0;
    int versao_ = 2, tipoCompl_ = 1;
    std::string arquivo_;
};

}  // namespace

void RunArquivoMagnetico(ui::ProcContext& ctx) { ArquivoMagnetico(ctx).Execute(); }

}  // namespace vorel::computation
