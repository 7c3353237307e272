// Form "UMunicipios": window "Atualização da Tabela de Municípios" over one record of table
// Municipios (code, typed only for a new municipality; name; state). It also opens Estados: a
// state that Estados lacks opens the states browse for selection, and the button "Pesquisa na
// Tabela de Estados" picks a state from it. On delete the record shows read-only.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::registers {

namespace {

using dictionary::EstadosRec;
using dictionary::MunicipiosRec;

class MunicipiosForm : public ui::RegisterForm {
public:
    enum : int { kPromptCodigo = 1, kCodigo, kPromptNome, kNome, kPromptEstado, kEstado, kPesquisa, kOk, kCancel, kHelp };

    explicit MunicipiosForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UMunicipios", "Atualização da Tabela de Municípios", dictionary::Municipios(),
                       {"Incluindo um Município", "Alterando um Município", "Excluindo um Município"}),
          rec_(file().rec<MunicipiosRec>()),
          estados_(ui::ThreadFile(dictionary::Estados())) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::Estados()})) return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kPromptCodigo, "0&1-Código......................");
        w.Entry(kCodigo, ui::Use(rec_.CODIGO), "@N6.").Tip("Código do Município");
        w.Prompt(kPromptNome, "0&2-Nome................................");
        w.Entry(kNome, ui::Use(rec_.NOME), "@s25").Tip("Nome do Município");
        w.Prompt(kPromptEstado, "0&3-Estado......................");
        w.Entry(kEstado, rec_.ESTADO, "@K^^K").Tip("Estado").Msg("Estado onde está situado o Município");
        w.Button(kPesquisa, "Pesquisa na Tabela de Estados").Tip("Pesquisa").Skip();
        w.Button(kOk, "&Grava ").Tip("Grava").Msg("Grava o registro");
        w.Button(kCancel, "&Cancela");
        w.Button(kHelp, "&Ajuda");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kNome, kEstado});
        EnabledOnlyOnInsert({kCodigo});
        OkOnDelete({"&Exclui", "Exclui o Município da Tabela", "Exclui o Município mostrado na janela"});
        CancelOnDelete({"&Cancela", "Cancela a exclusão do Município", "Cancela a exclusão do Município mostrado na janela"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kPesquisa, kOk, kCancel, kHelp});
        OnButton(kPesquisa, [this] { return PickState(); });
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::RegisterForm::OnAccepted(feq);
        if (feq == kEstado && request() != Request::Delete && request() != Request::View) return CheckState();
        return l;
    }

    // The states browse, with the request given (1: no view-mode form opens states).
    Response CallProcedure(int, Request r) override {
        if (request() == Request::View) return Response::Cancelled;
        return context().Call("Estados", r);
    }

private:
    // A typed state must be in Estados; otherwise the user picks one or goes back to the entry.
    Level CheckState() {
        std::string uf(rec_.ESTADO.clipped());
        if (uf.empty()) return Level::Benign;
        auto& est = estados_.rec<EstadosRec>();
        estados_.clear_record();
        est.UF = uf;
        if (estados_.get(dictionary::keys::EST_KEY_SIGLA) == data::kNoError) return Level::Benign;
        if (CallProcedure(1, Request::Select) == Response::Completed) {
            rec_.ESTADO = est.UF.clipped();
        } else {
            window().Select(kEstado);
            return ui::kHandled;
        }
        window().Display();
        return Level::Benign;
    }

    Level PickState() {
        UpdateComponents();
        if (CallProcedure(1, Request::Select) == Response::Completed)
            rec_.ESTADO = estados_.rec<EstadosRec>().UF.clipped();
        window().Display();
        return Level::Benign;
    }

    MunicipiosRec& rec_;
    data::FileManager& estados_;
};

}  // namespace

void RunMunicipiosForm(ProcContext& ctx) { MunicipiosForm(ctx).Execute(); }

}  // namespace vorel::registers
