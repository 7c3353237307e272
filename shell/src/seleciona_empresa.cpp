// SelecionaEmpresa: the working company (heading "Selecione a Empresa"). Tables: Empresa (the
// thread's own record buffer, which the company's folders are taken from).
//
// The code typed stays in the window until it closes; it becomes the working company for every
// thread only when the window closes with a company found in `Empresa` (typed or chosen through the
// browse). A code that is not found opens the company browse for selection; a browse left without
// a choice leaves no company loaded. "&Seleciona" without a company loaded keeps the window open;
// "&Cancela" (or the close box) with none loaded leaves it cancelled, so the user is never held in
// it and the procedure that asked goes no further. While no company is loaded, a company chosen
// meanwhile in another window (two functions opened at once) is taken into this one.
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/company_selection.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::EmpresaRec;

class JanelaEmpresa : public WindowController {
public:
    enum : int {
        kTitulo = 1, kPromptCodigo = 2, kCodigo = 3, kPesquisa = 4, kInativa = 5, kPromptRazao = 6, kRazao = 7,
        kSeleciona = 8, kCancela = 9, kAjuda = 10
    };

    explicit JanelaEmpresa(ProcContext& ctx)
        : WindowController(ctx, "SelecionaEmpresa", ""), emp_(data::dictionary::file(dictionary::Empresa())) {}

    Level Setup() override {
        WindowController::Setup();
        if (emp_.open() != data::kNoError) {
            Message("Não foi possível abrir o cadastro de empresas: " + text::to_utf8(data::last_error().text), "Atenção");
            return Level::Fatal;
        }
        aberta_ = true;
        codigo_ = GLO_EMPRESA_CODIGO.Get();
        Window& w = window();
        w.String(kTitulo, "Selecione a Empresa");
        w.Prompt(kPromptCodigo, "01 Código...........");
        w.Entry(kCodigo, Use(codigo_), "@n6");
        w.String(kInativa, "Empresa Inativa").Hide();
        w.Prompt(kPromptRazao, "02 Razão Social..");
        w.Entry(kRazao, Use(razao_), "@s40").ReadOnly();
        w.Button(kPesquisa, "").Icon("Find.ico").Tip("Pesquisa Empresas").Skip();
        w.Button(kSeleciona, "&Seleciona").Tip("Seleciona a Empresa");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.SetDefaultButton(kSeleciona);
        for (int f : {kSeleciona, kCancela, kAjuda}) navigator().ExcludeControl(f);
        OnButton(kPesquisa, [this] { return Pesquisa(); });
        OnButton(kSeleciona, [this] { return Seleciona(); });
        OnButton(kCancela, [this] {
            window().Post(event::CloseWindow);
            return Level::Benign;
        });
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Carrega();
        vista_ = GLO_EMPRESA_CODIGO.Get();
        window().SetTimer(kVigia);
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        if (feq == kCodigo) {
            // A blank code is no code ("&Seleciona" asks for one); a code not found opens the
            // browse, unless the user is pressing the lookup button already.
            if (!Carrega() && codigo_ != 0 && window().Focus() != kPesquisa) return Pesquisa();
            return Level::Benign;
        }
        return WindowController::OnAccepted(feq);
    }

    Level OnWindowEvent(const Event& e) override {
        if (e.code == event::Timer) {
            OutraJanela();
            return Level::Benign;
        }
        if (e.code != event::CloseWindow) return WindowController::OnWindowEvent(e);
        window().Update();
        if (!Escolhida()) {
            if (e.feq == kSeleciona) {
                Message("Seleciona uma Empresa", "Atenção");
                window().Select(kCodigo);
                return kHandled;
            }
            CloseWith(Response::Cancelled);
            return Level::Benign;
        }
        const EmpresaRec& r = Rec();
        GLO_EMPRESA_CODIGO.Set(r.Codigo);
        GLO_EMPRESA_RAZAO.Set(std::string(r.RAZAOSOCIAL.clipped()));
        CaminhosArquivosEmpresa();
        if (GLO_ANO.Get() <= 0)
            context().Call("SelecionaPeriodo");
        else
            CaminhosArquivosAno();
        CNPJEmpresa.Set(std::string(r.CGC.clipped()));
        TipoFornecedorEmpresa.Set(r.TIPOFORNECEDOR);
        CloseWith(Response::Completed);
        return Level::Benign;
    }

    Level Teardown() override {
        if (aberta_) (void)emp_.close();
        return WindowController::Teardown();
    }

private:
    EmpresaRec& Rec() { return emp_.rec<EmpresaRec>(); }

    // Reads the company of the typed code into the buffer; shows its name and state.
    bool Carrega() {
        emp_.clear_record();
        carregada_ = false;
        if (codigo_ > 0 && codigo_ <= 0xFFFF) {
            Rec().Codigo = static_cast<std::uint16_t>(codigo_);
            carregada_ = emp_.get(dictionary::keys::EMP_KEY_CODIGO) == data::kNoError;
            if (!carregada_) emp_.clear_record();
        }
        Mostra();
        return carregada_;
    }

    void Mostra() {
        razao_ = carregada_ ? text::to_utf8(Rec().RAZAOSOCIAL.clipped()) : std::string();
        window()[kInativa].Hide(!(carregada_ && Rec().EMPRESAINATIVA == 1));
        window().Display();
    }

    // The company browse for selection; a choice becomes the typed code.
    Level Pesquisa() {
        window().Select(kCodigo);
        if (context().Call("Empresa", Request::Select) == Response::Completed && Rec().Codigo != 0) {
            codigo_ = Rec().Codigo;
            Carrega();
        }
        Mostra();
        return Level::Benign;
    }

    Level Seleciona() {
        window().Update();
        if (codigo_ == 0) {
            Message("É necessário informar o Código da Empresa!!!", "Atenção");
            window().Select(kCodigo);
            return Level::Benign;
        }
        window().Post(event::CloseWindow, kSeleciona);
        return Level::Benign;
    }

    bool Escolhida() { return carregada_ && Rec().Codigo == codigo_; }

    // The working company chosen in another window while this one has none loaded (and its code
    // is not being typed) is shown here, ready to be confirmed.
    void OutraJanela() {
        const std::uint32_t agora = GLO_EMPRESA_CODIGO.Get();
        if (agora == vista_) return;
        vista_ = agora;
        if (agora == 0 || carregada_ || window()[kCodigo].touched()) return;
        codigo_ = agora;
        Carrega();
    }

    static constexpr int kVigia = 50;  // hundredths of a second between looks at the working company

    data::FileManager& emp_;
    std::uint32_t vista_ = 0;  // the working company last seen
    bool aberta_ = false;
    bool carregada_ = false;
    std::uint32_t codigo_ = 0;
    std::string razao_;
};

}  // namespace

void SelecionaEmpresa(ProcContext& ctx) { JanelaEmpresa(ctx).Execute(); }

}  // namespace vorel::shell
