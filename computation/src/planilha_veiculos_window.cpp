// Windows "PlanilhaVeiculos" ("Planilha de Veículos") and "PlanilhaVeiculosFornecedor" ("Planilha
// de Veículos por Fornecedor"): the model, the rate (and the supplier's CNPJ, looked up in the
// register), the e-mail fields for the page report, and "&Imprimir", which runs the vehicle sheet
// on this window's thread; the window stays open for another rate or model.
#include "veiculos_execucao.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

namespace keys = dictionary::keys;
using dictionary::ForCliRec;

constexpr const char* kPadraoCnpj = "@p##.###.###/####-##p";

class JanelaPlanilhaVeiculos : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kPromptModelo, kModelo, kPromptPercentual, kPercentual, kPromptCnpj, kCnpj, kBuscaCnpj, kNomeFornecedor,
        kImprimir, kCancelar
    };

    JanelaPlanilhaVeiculos(ui::ProcContext& ctx, bool fornecedor)
        : JanelaOpcoesRelatorio(ctx, fornecedor ? "PlanilhaVeiculosFornecedor" : "PlanilhaVeiculos",
                                fornecedor ? "Planilha de Veículos por Fornecedor" : "Planilha de Veículos",
                                {kEnviar, kImprimir, kCancelar}),
          fornecedor_(fornecedor), forcli_(ui::ThreadFile(dictionary::ForCli())) {}

    ui::Level Teardown() override {
        if (forcliAberto_) (void)forcli_.close();
        return JanelaOpcoesRelatorio::Teardown();
    }

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override {
        if (fornecedor_) {
            if (!forcli_.open().ok()) return ui::Level::Cancel;
            forcliAberto_ = true;
        }
        PreencheEmailVeiculos(Titulo(), fornecedor_);
        AdicionaEmail();
        AdicionaModeloEPercentual(w, opcoes_, kPromptModelo);
        if (fornecedor_) {
            w.Prompt(kPromptCnpj, "CNPJ Fornecedor:");
            w.Entry(kCnpj,
                    ui::UseFn([this] { return picture::format(kPadraoCnpj, opcoes_.cnpjFornecedor); },
                              [this](const std::string& s) {
                                  auto digitos = picture::parse_text(picture::Picture(kPadraoCnpj), s);
                                  if (!digitos) return false;
                                  opcoes_.cnpjFornecedor = *digitos;
                                  return true;
                              }),
                    kPadraoCnpj)
                .Tip("Número do CGC do Cliente/Fornecedor");
            w.Button(kBuscaCnpj, "...");
            w.String(kNomeFornecedor, "");
        }
        return ui::Level::Benign;
    }

    void Imprime() override { ExecutaPlanilhaVeiculos(context(), shell::PeriodoDeTrabalho(), Opcoes(), {}); }

    void OnOption(int feq) override {
        switch (feq) {
            case kCnpj:
                CnpjAceito();
                break;
            case kBuscaCnpj:
                Escolhe(opcoes_.cnpjFornecedor);
                MostraFornecedor();
                break;
            default: break;
        }
    }

    const char* Titulo() const {
        return fornecedor_ ? "Planilha de Veículos por Fornecedor" : "Planilha de Veículos";
    }

    OpcoesVeiculos Opcoes() const {
        OpcoesVeiculos o = opcoes_;
        o.umFornecedor = fornecedor_;
        return o;
    }

    // The active supplier of the CNPJ; false when there is none.
    bool LeFornecedor(const std::string& cnpj) { return fiscal::LeFornecedorPorCnpj(forcli_, cnpj); }

    // The register to choose from, starting at `cnpj`; the chosen supplier's CNPJ when completed.
    bool Escolhe(std::string& cnpj) {
        auto& f = forcli_.rec<ForCliRec>();
        forcli_.clear_record();
        f.CGC = cnpj;
        if (context().Call("Fornecedores", ui::Request::Select) != ui::Response::Completed) return false;
        cnpj = std::string(text::clip(f.CGC.value()));
        return true;
    }

    void CnpjAceito() {
        if (!opcoes_.cnpjFornecedor.empty() && !LeFornecedor(opcoes_.cnpjFornecedor) && !Escolhe(opcoes_.cnpjFornecedor)) {
            window().Select(kCnpj);
            window().Display();
            return;
        }
        MostraFornecedor();
    }

    // The supplier's name beside the CNPJ and in the e-mail text.
    void MostraFornecedor() {
        const bool achou = !opcoes_.cnpjFornecedor.empty() && LeFornecedor(opcoes_.cnpjFornecedor);
        const auto& f = forcli_.rec<ForCliRec>();
        const std::string nome = achou ? std::string(text::clip(f.Nome.value())) : std::string();
        window()[kNomeFornecedor].Text(text::to_utf8(nome));
        PreencheEmailVeiculos(Titulo(), true, achou ? text::zero_fill(f.Codigo, 8) : std::string(), nome);
        window().Display();
    }

    bool fornecedor_;
    // The thread's supplier table: the register's browse leaves the chosen row in its buffer.
    data::FileManager& forcli_;
    bool forcliAberto_ = false;
    OpcoesVeiculos opcoes_;
};

}  // namespace

void RunPlanilhaVeiculos(ui::ProcContext& ctx) { JanelaPlanilhaVeiculos(ctx, false).Execute(); }

void RunPlanilhaVeiculosFornecedor(ui::ProcContext& ctx) { JanelaPlanilhaVeiculos(ctx, true).Execute(); }

}  // namespace vorel::computation
