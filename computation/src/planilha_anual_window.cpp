// Window "Planilha Anual" (`PlanilhaAnual`): the e-mail options (GLO:EMAIL:*, preset from the
// working company) and the first page number; "&Imprimir" sums the year by rate
// (`VerificaSaldosAnual`) and, unless the printing mode is 2, runs the sheet
// (`PlanilhaAnualProdutos`) on this window's thread. The window stays open between runs.
#include "vorel/computation/planilha_anual.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

// A global text bound to an entry: UTF-8 on the screen, Windows-1252 cut to `largura` in the global.
ui::UsePtr UsaGlobal(shell::Global<std::string>& g, std::size_t largura) {
    return ui::UseFn([&g] { return text::to_utf8(g.Get()); },
                     [&g, largura](const std::string& s) {
                         g.Set(text::left(text::from_utf8(s), largura));
                         return true;
                     });
}

class JanelaPlanilhaAnual : public ui::WindowController {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kPromptPagina, kPagina, kImprimir, kCancelar
    };

    explicit JanelaPlanilhaAnual(ui::ProcContext& ctx) : ui::WindowController(ctx, "PlanilhaAnual", "Planilha Anual") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        PreencheEmail();
        ui::Window& w = window();
        w.Check(kEnviar, "Enviar e-mail", ui::UseFn([] { return std::string(shell::GLO_EMAIL_ENVIAR.Get() == 1 ? "1" : "0"); },
                                                    [](const std::string& s) {
                                                        shell::GLO_EMAIL_ENVIAR.Set(s == "1" ? 1 : 0);
                                                        return true;
                                                    }));
        w.Add(kGrupoEmail, ui::ControlType::Group, "");
        w.Prompt(kPromptNome, "Destinatário:").Parent(kGrupoEmail);
        w.Entry(kNome, UsaGlobal(shell::GLO_EMAIL_NOME, 40), "@s40").Parent(kGrupoEmail);
        w.Prompt(kPromptEmail, "E-mail:").Parent(kGrupoEmail);
        w.Entry(kEmail, UsaGlobal(shell::GLO_EMAIL_EMAIL, 100), "@s100").Parent(kGrupoEmail);
        w.Prompt(kPromptAssunto, "Assunto:").Parent(kGrupoEmail);
        w.Entry(kAssunto, UsaGlobal(shell::GLO_EMAIL_ASSUNTO, 50), "@s50").Parent(kGrupoEmail);
        w.Prompt(kPromptTexto, "Texto:").Parent(kGrupoEmail);
        w.TextBox(kTexto, UsaGlobal(shell::GLO_EMAIL_TEXTO, 255)).Parent(kGrupoEmail);
        w.Prompt(kPromptPagina, "Página Inicial:");
        w.Entry(kPagina, ui::UsePattern(paginaInicial_, "@n6"));
        w.Button(kImprimir, "&Imprimir");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kImprimir, kCancelar}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level OnWindowOpened() override {
        ui::Level l = ui::WindowController::OnWindowOpened();
        AplicaModo();
        return l;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kEnviar: w[kGrupoEmail].Hide(shell::GLO_EMAIL_ENVIAR.Get() != 1); break;
            case kImprimir:
                w.Update();
                VerificaSaldosAnual(context(), paginaInicial_);
                AplicaModo();
                w.Select(kCancelar);
                break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    void PreencheEmail() {
        std::string razao, email;
        {
            data::FileManager emp(dictionary::Empresa());
            if (emp.open().ok()) {
                auto& e = emp.rec<dictionary::EmpresaRec>();
                emp.clear_record();
                e.Codigo = shell::GLO_EMPRESA_CODIGO.Get();
                if (emp.get(dictionary::keys::EMP_KEY_CODIGO).ok()) {
                    razao = std::string(text::clip(e.RAZAOSOCIAL.value()));
                    email = std::string(text::clip(e.EMAIL.value()));
                }
                (void)emp.close();
            }
        }
        shell::GLO_EMAIL_ENVIAR.Set(0);
        shell::GLO_EMAIL_NOME.Set(text::left(razao, 40));
        shell::GLO_EMAIL_EMAIL.Set(email);
        const date::Day hoje = shell::DataHoje.Get();
        shell::GLO_EMAIL_ASSUNTO.Set(text::left("Planilha Anual - " + (hoje ? picture::format("@D06b", hoje) : std::string()), 50));
        shell::GLO_EMAIL_TEXTO.Set(text::left("Planilha Anual - Empresa: " + text::zero_fill(shell::GLO_EMPRESA_CODIGO.Get(), 5) +
                                                  " - " + razao + text::from_utf8(" - Período: ") +
                                                  text::zero_fill(shell::GLO_MES.Get(), 2) + "/" +
                                                  text::zero_fill(shell::GLO_ANO.Get(), 4) + ".",
                                              255));
    }

    // In printing mode 2 nothing is e-mailed: the check and the e-mail fields hide.
    void AplicaModo() {
        ui::Window& w = window();
        if (shell::ModoImpressao.Get() == 2) {
            shell::GLO_EMAIL_ENVIAR.Set(0);
            w[kEnviar].Hide();
        } else {
            w[kEnviar].Unhide();
        }
        w[kGrupoEmail].Hide(shell::GLO_EMAIL_ENVIAR.Get() != 1);
        w.Display();
    }

    std::int32_t paginaInicial_ = 1;
};

}  // namespace

void VerificaSaldosAnual(ui::ProcContext& ctx, int paginaInicial) {
    std::vector<TaxaAnual> taxas;
    if (std::string erro = VerificaSaldosAnual(taxas); !erro.empty()) {
        ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    if (shell::ModoImpressao.Get() != 2) PlanilhaAnualProdutos(ctx, taxas, paginaInicial);
}

void PlanilhaAnualProdutos(ui::ProcContext& ctx, const std::vector<TaxaAnual>& taxas, int paginaInicial) {
    report::ReportController r(PaginaPlanilhaAnual(paginaInicial));
    r.set_page_footer(RodapePlanilhaAnual(shell::RodapeRelatorio()));
    std::vector<report::Band> paginas;
    if (!taxas.empty()) paginas = PaginasPlanilhaAnual(ApuraMetodoAnual(taxas));
    std::size_t proxima = 0;
    report::RecordLoop loop;
    loop.total = paginas.size();
    loop.next = [&] { return proxima < paginas.size(); };
    loop.on_record = [&](report::ReportController& c) {
        if (proxima > 0) c.page_break();
        c.print(paginas[proxima++]);
    };
    shell::OpcoesRelatorio o;
    o.nome = "PlanilhaAnualProdutos";
    o.anexo = "PlanilhaAnual.zip";
    o.email = shell::CapturaCamposEmail();
    ctx.response = shell::ExecutaRelatorio(ctx, r, loop, o);
}

void RunPlanilhaAnual(ui::ProcContext& ctx) { JanelaPlanilhaAnual(ctx).Execute(); }

}  // namespace vorel::computation
