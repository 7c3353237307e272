// Window "CopiaFornecedores" ("Cópia de Arquivos"): the working company's own register of suppliers
// and customers replaced by the general plan's or a head office's (`CopiaCadastroFornecedores`,
// vorel/maintenance/copia_fornecedores.h). Reads `Empresa` (the working company and the head office
// chosen); writes only the working company's "Escrita\ForCli.Tps". A company on the general plan is
// refused at opening; a successful copy closes the window.
#include "vorel/core/paths.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/maintenance/copia_fornecedores.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::maintenance {

namespace {

using ui::Level;

void Aviso(const std::string& texto) { ui::Message(texto, "Atenção!!!"); }

class CopiaFornecedores : public ui::WindowController {
public:
    enum : int {
        kBanner = 1, kPromptTipo, kTipo, kGeral, kIndividual, kPromptMatriz, kMatriz, kBuscaMatriz,
        kCopiar, kCancela, kAjuda, kProgresso
    };

    explicit CopiaFornecedores(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "CopiaFornecedores", "Cópia de Arquivos") {}

    Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return Level::Cancel;
        Aviso("Atenção, esta opção executa a cópia do Arquivo de Clientes e Fornecedores, então, antes de executar a "
              "cópia verifique se já foram incluído algum cadastro, pois os arquivos voltará com o conteúdo idêntico "
              "ao arquivo matriz!!!");
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        empresa_ = shell::PeriodoDeTrabalho().empresa;
        ui::Window& w = window();
        w.String(kBanner, "Cópia de Arquivos");
        w.Prompt(kPromptTipo, "1 Tipo de Fornecedor....");
        w.Add(kTipo, ui::ControlType::Option, "Tipo de Cópia");
        auto opcao = [this](int valor) {
            return ui::UseFn([this, valor] { return std::string(tipo_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") tipo_ = valor;
                                 return true;
                             });
        };
        w.Radio(kGeral, "1 Plano Geral", opcao(1)).Parent(kTipo);
        w.Radio(kIndividual, "2 Plano Individual", opcao(2)).Parent(kTipo);
        w.Prompt(kPromptMatriz, "2 Empresa Matriz..........");
        w.Entry(kMatriz, ui::UsePattern(matriz_, "@n8", ui::Zero::Formatted), "@n8").Tip("Código da Empresa Matriz");
        w.Button(kBuscaMatriz, "...");
        w.Button(kCopiar, "C&opiar");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.Progress(kProgresso);
        SetCancelButton(kCancela);
        for (int b : {kBuscaMatriz, kCopiar, kCancela, kAjuda}) navigator().ExcludeControl(b);
        MostraMatriz();
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::WindowController::OnWindowOpened();
        if (TipoFornecedorDaEmpresa(empresa_) == std::optional<std::uint8_t>(1)) {
            Aviso("Empresa cadastrada com tipo de fornecedores geral!!!");
            CloseWith(ui::Response::Cancelled);
        }
        return l;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kGeral:
            case kIndividual:
                w.Update();
                MostraMatriz();
                break;
            case kMatriz:
                w.Update();
                if (matriz_ != 0 && !TipoFornecedorDaEmpresa(matriz_)) BuscaMatriz();
                break;
            case kBuscaMatriz: BuscaMatriz(); break;
            case kCopiar:
                w.Update();
                Copia();
                break;
            case kCancela: CloseWith(ui::Response::Cancelled); break;
            default: break;
        }
        return l;
    }

private:
    void MostraMatriz() {
        ui::Window& w = window();
        for (int c : {kPromptMatriz, kMatriz, kBuscaMatriz}) w[c].Hide(tipo_ != 2);
        w.Display();
    }

    void BuscaMatriz() {
        const bool escolhida = context().Call("Empresa", ui::Request::Select) == ui::Response::Completed;
        const auto& e = data::dictionary::file(dictionary::Empresa()).rec<dictionary::EmpresaRec>();
        if (escolhida && e.Codigo != 0) matriz_ = e.Codigo;
        window().Display();
        window().Select(kMatriz);
    }

    void Copia() {
        ui::Window& w = window();
        w[kProgresso].Range(0, 1).Progress(0);
        const std::string raiz = shell::PastaRaiz.Get();
        std::string origem;
        if (tipo_ == 1) {
            origem = OrigemDaCopia(raiz, TipoCopia::PlanoGeral, 0);
        } else {
            if (tipo_ == 2 && matriz_ == 0) {
                Aviso("Não é possível executar a cópia do arquivo sem uma empresa matriz selecionada!!!");
                w.Select(kMatriz);
                return;
            }
            const auto tipo = TipoFornecedorDaEmpresa(matriz_);
            if (!tipo) {
                Aviso("Empresa não cadastrada!!!");
                w.Select(kMatriz);
                return;
            }
            if (*tipo == 1) {
                Aviso("Empresa matriz cadastrada com tipo de fornecedores Geral!!!");
                w.Select(kMatriz);
                return;
            }
            origem = OrigemDaCopia(raiz, TipoCopia::PlanoIndividual, matriz_);
        }
        const std::string erro = CopiaCadastroFornecedores(origem, DestinoDaCopia(raiz, empresa_));
        if (!erro.empty()) {
            Aviso("A cópia não foi feita: " + erro);
            return;
        }
        Aviso("Cópia executada com êxito!!!");
        w[kProgresso].Progress(1);
        w.Display();
        CloseWith(ui::Response::Completed);
    }

    std::uint32_t empresa_ = 0;
    int tipo_ = 0;           // LOC:TIPOCOPIA: 0 no choice, 1 general plan, 2 individual plan
    std::uint32_t matriz_ = 0;  // LOC:CODIGOEMPMATRIZ
};

}  // namespace

void RunCopiaFornecedores(ui::ProcContext& ctx) { CopiaFornecedores(ctx).Execute(); }

}  // namespace vorel::maintenance
