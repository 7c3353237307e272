// Window "RecalcLancamentos" ("Recalculando Lançamentos"): one product or all, a period (the
// working month by default), and "&Calcula", which rewrites the period's entry items from the
// product value table (`RecalculaEntradas`, vorel/computation/manutencao_mes.h) and lists them.
#include "vorel/computation/manutencao_mes.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/picture.h"
#include "vorel/shell/produto_digitado.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class RecalcLancamentos : public ui::WindowController {
public:
    enum : int {
        kGrupoTipo = 1, kSelecionar, kTodos, kPromptProduto, kProduto, kPesquisa, kDescricao, kGrupoPeriodo,
        kPromptInicial, kInicial, kPromptFinal, kFinal, kProgresso, kMensagem, kLista, kCalcula, kFecha, kAjuda
    };

    explicit RecalcLancamentos(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "RecalcLancamentos", "Recalculando Lançamentos") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        inicial_ = date::first_of_month(shell::GLO_ANO.Get(), shell::GLO_MES.Get());
        final_ = date::last_of_month(inicial_);
        ui::Window& w = window();
        auto opcao = [this](int valor) {
            return ui::UseFn([this, valor] { return std::string(tipo_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") tipo_ = valor;
                                 return true;
                             });
        };
        w.Add(kGrupoTipo, ui::ControlType::Group, "Tipo do Cálculo");
        w.Radio(kSelecionar, "Selecionar Produto", opcao(0)).Parent(kGrupoTipo);
        w.Radio(kTodos, "Todo os Produtos", opcao(1)).Parent(kGrupoTipo);
        w.Prompt(kPromptProduto, "Código do Produto");
        w.Entry(kProduto, ui::Use(produto_.digitado), "@s20");
        w.Button(kPesquisa, "...").Tip("Pesquisa produtos cadastrados.");
        w.String(kDescricao, "");
        w.Add(kGrupoPeriodo, ui::ControlType::Group, "Período para Recalcular");
        w.Prompt(kPromptInicial, "Data Inicial").Parent(kGrupoPeriodo);
        w.Entry(kInicial, ui::UseDate(inicial_, "@D06b")).Parent(kGrupoPeriodo);
        w.Prompt(kPromptFinal, "Data Final").Parent(kGrupoPeriodo);
        w.Entry(kFinal, ui::UseDate(final_, "@D06b")).Parent(kGrupoPeriodo);
        w.Progress(kProgresso);
        w.String(kMensagem, "");
        w.List(kLista, {{"Data", 44, 'L'}, {"Série", 20, 'L'}, {"Número", 40, 'R'}, {"Produto", 50, 'R'},
                        {"Quantidade", 50, 'R'}, {"Base ICMS", 50, 'R'}});
        w.Button(kCalcula, "&Calcula").Tip("Recalcula os Lançamentos.");
        w.Button(kFecha, "&Fecha").Tip("Fecha e retorna a janela anterior.");
        w.Button(kAjuda, "&Ajuda");
        SetCancelButton(kFecha);
        for (int b : {kCalcula, kFecha, kAjuda}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kSelecionar:
            case kTodos:
                for (int c : {kPromptProduto, kProduto, kPesquisa, kDescricao}) w[c].Hide(tipo_ == 1);
                break;
            case kProduto:
                if (!produto_.Procura(context())) {
                    ui::Message("Produto não encontrado!!!", "Atenção!!!");
                    produto_.Escolhe(context());
                    w.Select(kProduto);
                }
                MostraProduto();
                break;
            case kPesquisa:
                produto_.Escolhe(context());
                MostraProduto();
                break;
            case kCalcula: Calcula(); break;
            case kFecha: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    void MostraProduto() {
        window()[kDescricao].Text(produto_.descricao);
        window().Display();
    }

    void Calcula() {
        ui::Window& w = window();
        w.Update();
        w[kLista].Rows({});
        if (tipo_ == 0 && produto_.codigo == Decimal(0)) {
            ui::Message("Atenção!!! O código do produto é indispensável para a opção selecionanda!!!", "Atenção!!!");
            w.Select(kProduto);
            return;
        }
        ResultadoRecalculo r = RecalculaEntradas({.todos = tipo_ == 1, .produto = produto_.codigo, .inicio = inicial_,
                                                  .fim = final_},
                                                 [&w](long long feito, long long total) {
                                                     w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feito));
                                                     w.Display();
                                                     return true;
                                                 });
        if (!r.ok()) ui::Message(r.erro, "Atenção!!!");
        std::vector<ui::Row> linhas;
        for (const auto& i : r.linhas)
            linhas.push_back({{picture::format("@D06b", i.data)}, {text::to_utf8(i.serie)}, {std::to_string(i.numero)},
                              {i.produto.to_fixed(0)}, {ui::ShowDecimal(i.quantidade, 3)}, {ui::ShowDecimal(i.base, 2)}});
        w[kLista].Rows(std::move(linhas));
        w.Select(kFecha);
        w.Display();
    }

    int tipo_ = 0;
    shell::ProdutoDigitado produto_;
    std::int32_t inicial_ = 0, final_ = 0;
};

}  // namespace

void RunRecalcLancamentos(ui::ProcContext& ctx) { RecalcLancamentos(ctx).Execute(); }

}  // namespace vorel::computation
