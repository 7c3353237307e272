// Window "CopiaCodProdutos" ("Ajustar Cadastro de Produtos"): four changes ticked over the whole
// product register (`Produtos`, with the rate history `ProdutosAliq`): the alias becomes the code,
// the start and end dates take the values typed, the rate changes from a date. "&Alterar" asks,
// asks again for a rate change, and runs `AjustaCadastroProdutos`
// (vorel/maintenance/ajusta_cadastro_produtos.h); the window stays open.
#include "vorel/core/picture.h"
#include "vorel/maintenance/ajusta_cadastro_produtos.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::maintenance {

namespace {

using ui::Level;

class CopiaCodProdutos : public ui::WindowController {
public:
    enum : int {
        kGrupoAlteracoes = 1, kApelido, kDataInicial, kDataFinal, kAliquota,
        kGrupoAliquota, kPromptData, kData, kPromptValor, kValor,
        kPainelDatas, kPromptInicialProduto, kInicialProduto, kPromptFinalProduto, kFinalProduto,
        kContador, kProgresso, kAlterar, kFechar
    };

    explicit CopiaCodProdutos(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "CopiaCodProdutos", "Ajustar Cadastro de Produtos") {
        RememberPosition();
    }

    Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return Level::Cancel;
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.Add(kGrupoAlteracoes, ui::ControlType::Group, "Alterações");
        w.Check(kApelido, "Alterar Apelido", ui::Use(a_.apelido)).Parent(kGrupoAlteracoes);
        w.Check(kDataInicial, "Alterar Data Inicial", ui::Use(a_.dataInicial)).Parent(kGrupoAlteracoes);
        w.Check(kDataFinal, "Alterar Data Final", ui::Use(a_.dataFinal)).Parent(kGrupoAlteracoes);
        w.Check(kAliquota, "Ajusta Alíquota", ui::Use(a_.aliquota)).Parent(kGrupoAlteracoes);
        w.Add(kGrupoAliquota, ui::ControlType::Group, "Alíquota");
        w.Prompt(kPromptData, "Data").Parent(kGrupoAliquota);
        w.Entry(kData, ui::UseDate(a_.dataAliquota, "@d06b"), "@d06b").Parent(kGrupoAliquota);
        w.Prompt(kPromptValor, "Aliquota").Parent(kGrupoAliquota);
        w.Entry(kValor, ui::UseDecimal(a_.novaAliquota, 7, 3), "@n-8.3")
            .Parent(kGrupoAliquota)
            .Tip("Alíquota de ICMS Substituíção Tributária");
        w.Add(kPainelDatas, ui::ControlType::Panel);
        w.Prompt(kPromptInicialProduto, "Data Inicial").Parent(kPainelDatas);
        w.Entry(kInicialProduto, ui::UseDate(a_.dataInicialProduto, "@d06b"), "@d06b").Parent(kPainelDatas);
        w.Prompt(kPromptFinalProduto, "Data Final").Parent(kPainelDatas);
        w.Entry(kFinalProduto, ui::UseDate(a_.dataFinalProduto, "@d06b"), "@d06b").Parent(kPainelDatas);
        w.String(kContador, Contador(0));
        w.Progress(kProgresso);
        w.Button(kAlterar, "&Alterar");
        w.Button(kFechar, "&Fechar");
        SetCancelButton(kFechar);
        for (int b : {kAlterar, kFechar}) navigator().ExcludeControl(b);
        Habilita();
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
            case kDataInicial:
            case kDataFinal:
            case kAliquota: Habilita(); break;
            case kAlterar: Altera(); break;
            case kFechar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    static std::string Contador(long long n) { return text::to_utf8(picture::format("@n6", n)); }

    // The dates and the rate are typed only while their change is ticked.
    void Habilita() {
        ui::Window& w = window();
        for (int c : {kPromptInicialProduto, kInicialProduto}) w[c].Enable(a_.dataInicial);
        for (int c : {kPromptFinalProduto, kFinalProduto}) w[c].Enable(a_.dataFinal);
        for (int c : {kGrupoAliquota, kPromptData, kData, kPromptValor, kValor}) w[c].Enable(a_.aliquota);
        w.Display();
    }

    bool Pergunta(const std::string& texto) {
        return ui::Message(texto, "Atenção!!!", ui::Icon::Question, "&Sim|&Não", 2) == 1;
    }

    void Altera() {
        ui::Window& w = window();
        w.Update();
        if (a_.aliquota && a_.dataAliquota == 0) {
            ui::Message("Favor informar a Data Inicial da Alíquota.", "Atenção!");
            w.Select(kData);
            return;
        }
        if (a_.aliquota && a_.novaAliquota.is_zero()) {
            ui::Message("Favor informar a Alíquota.", "Atenção!");
            w.Select(kValor);
            return;
        }
        if (!Pergunta("Deseja realmente fazer essas Alterações no Cadastro de Produtos? Isso fará com que as "
                      "informações anteriores dos Produtos sejem perdidas!"))
            return;
        if (a_.aliquota &&
            !Pergunta("Você está preste a alterar a alíquota do poduto, isso pode acarretar em várias mudanças como "
                      "diferença de valores, de saldos, planilha mensal, planilha final, etc. Tem certeza que deseja "
                      "continuar?"))
            return;
        a_.hoje = shell::DataHoje.Get();
        w[kContador].Text(Contador(0));
        ResultadoReparo r = AjustaCadastroProdutos(a_, [this, &w](long long feito, long long total) {
            w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feito));
            w[kContador].Text(Contador(feito));
            w.Display();
            return !context().StopRequested();
        });
        w[kContador].Text(Contador(r.alterados));
        w.Display();
        if (!r.ok()) {
            if (!r.erro.empty()) ui::Message(r.erro, "Atenção!!!");
            return;
        }
        ui::Message("Cadastro de Produtos alterado com sucesso!", "Concluído!");
        w.Select(kFechar);
    }

    AjusteCadastro a_;
};

}  // namespace

void RunCopiaCodProdutos(ui::ProcContext& ctx) { CopiaCodProdutos(ctx).Execute(); }

}  // namespace vorel::maintenance
