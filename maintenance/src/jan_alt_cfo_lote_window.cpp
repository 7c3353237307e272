// Window "JanAltCFOLote" ("Altera CFO em Lote"): a period of the working year, the current CFOP
// code, complement and complementary code, the new ones (each with its look-up of `CFO` or
// `CodCFOComplementar`), and "&Gravar", which asks and then replaces the code on the period's
// entries or exits (`AlteraCfoEmLote`, vorel/maintenance/altera_cfo_lote.h).
#include <array>

#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/maintenance/altera_cfo_lote.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/window_controller.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using ui::Level;

class JanAltCFOLote : public ui::WindowController {
public:
    enum : int {
        kTitulo = 1, kGrupoPeriodo, kPromptInicial, kInicial, kPromptFinal, kFinal,
        kGrupoAtual, kPromptCfo, kCfo, kPromptCompl, kCompl, kBuscaCfo, kPromptCfoCompl, kCfoCompl, kBuscaCfoCompl,
        kPromptTipo, kTipo,
        kGrupoNovo, kPromptNovoCfo, kNovoCfo, kPromptNovoCompl, kNovoCompl, kBuscaNovoCfo, kPromptNovoCfoCompl,
        kNovoCfoCompl, kBuscaNovoCfoCompl, kPromptTipoNovo, kTipoNovo,
        kProgresso, kGravar, kSair
    };

    explicit JanAltCFOLote(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "JanAltCFOLote", "Altera CFO em Lote"),
          cfo_(ui::ThreadFile(dictionary::CFO())),
          complementar_(ui::ThreadFile(dictionary::CodCFOComplementar())) {
        RememberPosition();
    }

    Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return Level::Cancel;
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        if (!cfo_.open().ok() || !complementar_.open().ok()) {
            ui::Message("Não foi possível abrir o cadastro de CFO.", "Erro ao Abrir");
            return Level::Fatal;
        }
        aberto_ = true;
        const int ano = shell::GLO_ANO.Get();
        a_.inicio = date::make(ano, 1, 1);
        a_.fim = date::make(ano, 12, 31);
        ui::Window& w = window();
        w.String(kTitulo, "Alteração C.F.O");
        w.Add(kGrupoPeriodo, ui::ControlType::Group, "Período");
        w.Prompt(kPromptInicial, "Data Inicial").Parent(kGrupoPeriodo);
        w.Entry(kInicial, ui::UseDate(a_.inicio, "@d06b"), "@d06b").Parent(kGrupoPeriodo);
        w.Prompt(kPromptFinal, "Data Final").Parent(kGrupoPeriodo);
        w.Entry(kFinal, ui::UseDate(a_.fim, "@d06b"), "@d06b").Parent(kGrupoPeriodo);

        w.Add(kGrupoAtual, ui::ControlType::Group, "CFO Anterior");
        Linha(kGrupoAtual, {kPromptCfo, kCfo, kPromptCompl, kCompl, kBuscaCfo, kPromptCfoCompl, kCfoCompl,
                            kBuscaCfoCompl, kPromptTipo, kTipo},
              "CFO Atual", a_.cfo, a_.complemento, cfoCompl_);
        w.Add(kGrupoNovo, ui::ControlType::Group, "Novo CFO");
        Linha(kGrupoNovo, {kPromptNovoCfo, kNovoCfo, kPromptNovoCompl, kNovoCompl, kBuscaNovoCfo, kPromptNovoCfoCompl,
                           kNovoCfoCompl, kBuscaNovoCfoCompl, kPromptTipoNovo, kTipoNovo},
              "Novo CFO", a_.novoCfo, a_.novoComplemento, a_.novoCfoComplementar);
        w.Progress(kProgresso);
        w.Button(kGravar, "&Gravar");
        w.Button(kSair, "&Sair");
        SetCancelButton(kSair);
        for (int b : {kGravar, kSair}) navigator().ExcludeControl(b);
        Tipos();
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
            case kCfo:
            case kNovoCfo: Tipos(); break;
            case kCompl: ConfereCfo(a_.cfo, a_.complemento, kCompl); break;
            case kNovoCompl: ConfereCfo(a_.novoCfo, a_.novoComplemento, kNovoCompl); break;
            case kBuscaCfo: EscolheCfo(a_.cfo, a_.complemento); break;
            case kBuscaNovoCfo: EscolheCfo(a_.novoCfo, a_.novoComplemento); break;
            case kCfoCompl: ConfereComplementar(cfoCompl_); break;
            case kNovoCfoCompl: ConfereComplementar(a_.novoCfoComplementar); break;
            case kBuscaCfoCompl: EscolheComplementar(cfoCompl_); break;
            case kBuscaNovoCfoCompl: EscolheComplementar(a_.novoCfoComplementar); break;
            case kGravar: Grava(); break;
            case kSair: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

    Level Teardown() override {
        if (aberto_) {
            (void)cfo_.close();
            (void)complementar_.close();
        }
        return ui::WindowController::Teardown();
    }

private:
    // A row of code, complement and complementary code with their look-ups and the side's text.
    void Linha(int grupo, std::array<int, 10> c, const char* rotulo, std::uint32_t& cfo, std::uint16_t& compl_,
               std::uint16_t& cfoCompl) {
        ui::Window& w = window();
        w.Prompt(c[0], rotulo).Parent(grupo);
        w.Entry(c[1], ui::UsePattern(cfo, "@n6"), "@n6").Parent(grupo).Tip("Código de Operação Fiscal");
        w.Prompt(c[2], "Complemento").Parent(grupo);
        w.Entry(c[3], ui::UsePattern(compl_, "@n3"), "@n3").Parent(grupo).Tip("Código Fiscal");
        w.Button(c[4], "...").Parent(grupo).Skip();
        w.Prompt(c[5], "CFO Compl.").Parent(grupo);
        w.Entry(c[6], ui::UsePattern(cfoCompl, "@n3"), "@n3").Parent(grupo).Tip("Código Fiscal");
        w.Button(c[7], "...").Parent(grupo).Skip();
        w.Prompt(c[8], "Tipo:").Parent(grupo);
        w.String(c[9], "").Parent(grupo);
    }

    static const char* Lado(std::uint32_t cfo) { return AlteraEntradas(cfo) ? "Entrada" : "Saída"; }
    void Tipos() {
        window()[kTipo].Text(Lado(a_.cfo));
        window()[kTipoNovo].Text(Lado(a_.novoCfo));
        window().Display();
    }

    // The code and complement typed must be registered (state blank); else the complement is cleared
    // and the CFOP list opens.
    void ConfereCfo(std::uint32_t& cfo, std::uint16_t& compl_, int campo) {
        if (cfo <= 0x7fff &&
            fiscal::ColunaDoCfo(cfo_, static_cast<int>(cfo), compl_, fiscal::EstadoDoCfo::SemEstado))
            return;
        compl_ = 0;
        window().Display();
        ui::Message("CFO não cadastrado!!!", "Atenção!!!");
        EscolheCfo(cfo, compl_);
        window().Select(campo);
    }

    // The CFOP list for a choice: the fields take the code and complement it leaves current.
    void EscolheCfo(std::uint32_t& cfo, std::uint16_t& compl_) {
        (void)context().Call("CFO", ui::Request::Select);
        const auto& c = cfo_.rec<dictionary::CFORec>();
        if (c.CODIGO > 0) {
            cfo = static_cast<std::uint32_t>(c.CODIGO);
            compl_ = static_cast<std::uint16_t>(std::max<int>(0, c.COMPLEMENTO));
        }
        Tipos();
    }

    void ConfereComplementar(std::uint16_t& codigo) {
        complementar_.clear_record();
        complementar_.rec<dictionary::CodCFOComplementarRec>().CODIGO = static_cast<std::uint8_t>(codigo);
        if (codigo <= 255 && complementar_.get(keys::CCF_KEY_CODIGO).ok()) return;
        ui::Message("CFO Complementar não cadastrado!!!", "Atenção!!!");
        EscolheComplementar(codigo);
    }

    void EscolheComplementar(std::uint16_t& codigo) {
        if (context().Call("CFOComplementar", ui::Request::Select) == ui::Response::Completed)
            codigo = complementar_.rec<dictionary::CodCFOComplementarRec>().CODIGO;
        window().Display();
    }

    void Grava() {
        ui::Window& w = window();
        w.Update();
        if (a_.cfo == 0) {
            ui::Message("Informe o CFO Atual!!!", "Atenção!!!");
            w.Select(kCfo);
            return;
        }
        if (std::string e = ValorForaDoCampo(a_); !e.empty()) {
            ui::Message(e, "Atenção!!!");
            w.Select(kNovoCfo);
            return;
        }
        auto cfo = [](std::uint32_t c, std::uint16_t k) { return std::to_string(c) + "/" + std::to_string(k); };
        const std::string pergunta = "Deseja realmente alterar o CFO " + cfo(a_.cfo, a_.complemento) + " para " +
                                     cfo(a_.novoCfo, a_.novoComplemento) + " nas " +
                                     (AlteraEntradas(a_.cfo) ? "entradas" : "saídas") + " de " +
                                     ui::FormatNumber("@d06b", a_.inicio) + " a " + ui::FormatNumber("@d06b", a_.fim) + "?";
        if (ui::Message(pergunta, "Atenção!!!", ui::Icon::Question, "&Sim|&Não", 2) != 1) return;
        ResultadoReparo r = AlteraCfoEmLote(shell::PeriodoDeTrabalho(), a_, [this, &w](long long feito, long long total) {
            w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feito));
            w.Display();
            return !context().StopRequested();
        });
        w[kProgresso].Progress(0);
        w.Display();
        if (!r.ok() && !r.erro.empty()) ui::Message(r.erro, "Atenção!!!");
    }

    data::FileManager& cfo_;
    data::FileManager& complementar_;
    bool aberto_ = false;
    AlteracaoCfo a_;
    std::uint16_t cfoCompl_ = 0;  // looked up when typed; the change does not use it
};

}  // namespace

void RunJanAltCFOLote(ui::ProcContext& ctx) { JanAltCFOLote(ctx).Execute(); }

}  // namespace vorel::maintenance
