// Window "JRelProdutos" ("Relação de Produtos"): the model and order of the product register
// report, which "&Imprimir" runs through the previewer in every printing mode, and the export of
// the register to "Relacao_Produtos.csv" ("&Gerar Excel", offered with "Modelo 01" only). Reads the
// working company's `Empresa` record and `Produtos`; writes only the export file.
#include "janela_fecha.h"
#include "vorel/listings/procedures.h"
#include "vorel/listings/produtos.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"

namespace vorel::listings {

namespace {

class JRelProdutos : public JanelaComFecha {
public:
    enum : int {
        kPromptModelo = 1, kModelo, kGrupoOrdem, kOrdemCodigo, kOrdemDescricao, kGerarExcel, kGrupoExportacao,
        kPromptCaminho, kCaminho, kProgresso, kImprimir, kFecha, kEmail
    };

    explicit JRelProdutos(ui::ProcContext& ctx)
        : JanelaComFecha(ctx, "JRelProdutos", "Relação de Produtos", {kEmail, kImprimir, kFecha}) {}

private:
    // Opens without a company too: the reports then name a blank company.
    bool AbreSemEmpresa() const override { return true; }

    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail("Relação de Produtos");
        caminho_ = text::to_utf8(shell::PastaRaiz.Get()) + "Excel\\Relacao_Produtos.csv";
        w.Prompt(kPromptModelo, "Modelo");
        w.DropList(kModelo, ui::UseFn([this] { return std::to_string(modelo_); },
                                      [this](const std::string& s) { return modelo_ = s == "2" ? 2 : 1, true; }),
                   {"Modelo 01", "Modelo 02"}, {"1", "2"});
        w.Add(kGrupoOrdem, ui::ControlType::Group, "Ordem Impressão");
        auto opcao = [this](int valor) {
            return ui::UseFn([this, valor] { return std::string(ordem_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") ordem_ = valor;
                                 return true;
                             });
        };
        w.Radio(kOrdemCodigo, "Código", opcao(1)).Parent(kGrupoOrdem);
        w.Radio(kOrdemDescricao, "Descrição", opcao(2)).Parent(kGrupoOrdem);
        AdicionaEmail();
        w.Button(kGerarExcel, "&Gerar Excel");
        w.Add(kGrupoExportacao, ui::ControlType::Group, "");
        w.Prompt(kPromptCaminho, "Caminho do Arquivo Excel:").Parent(kGrupoExportacao);
        w.Entry(kCaminho, ui::Use(caminho_), "@s255").Parent(kGrupoExportacao);
        w.Progress(kProgresso).Range(0, 100).Hide().Parent(kGrupoExportacao);
        return ui::Level::Benign;
    }

    OrdemProdutos Ordem() const { return ordem_ == 1 ? OrdemProdutos::Codigo : OrdemProdutos::Descricao; }

    void Imprime() override {
        RelProdutos(context(), shell::PeriodoDeTrabalho().empresa, modelo_ == 2 ? ModeloProdutos::AliquotaZero : ModeloProdutos::Todos, Ordem());
    }

    void OnOption(int feq) override {
        ui::Window& w = window();
        if (feq == kModelo) {
            for (int c : {kGerarExcel, kGrupoExportacao, kPromptCaminho, kCaminho}) w[c].Hide(modelo_ == 2);
        } else if (feq == kGerarExcel) {
            w.Update();
            Exporta(w);
        }
        w.Display();
    }

    void Exporta(ui::Window& w) {
        if (text::trim(caminho_).empty()) {
            ui::Message("Caminho Não Informado. Por Favor informe o caminho para geração do arquivo", "!!! Atenção !!!");
            w.Select(kCaminho);
            return;
        }
        w[kProgresso].Range(0, 100).Progress(0).Unhide();
        w.Display();
        const report::Outcome o = ExportaProdutos(shell::PeriodoDeTrabalho().empresa, text::from_utf8(caminho_), Ordem(), [&w](std::size_t lidos, std::size_t total) {
            if (total > 0 && (lidos % 25 == 0 || lidos == total))
                w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(lidos));
        });
        w[kProgresso].Hide();
        w.Display();
        if (o.ok())
            ui::Message("Arquivo gerado com sucesso!", "Concluído!");
        else
            ui::Message("O arquivo não foi gerado.|" + o.error, "!!! Atenção !!!", ui::Icon::Exclamation);
        w.Select(kFecha);
    }

    int modelo_ = 1;
    int ordem_ = 1;
    std::string caminho_;  // UTF-8, as the entry shows it
};

}  // namespace

void RunJRelProdutos(ui::ProcContext& ctx) { JRelProdutos(ctx).Execute(); }

}  // namespace vorel::listings
