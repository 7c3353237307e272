// Form "UEstados": window "Atualização da Tabela dos Estados" over one record of table Estados (the
// state's two letters, typed only for a new state, and its name). No resizer. On delete the record shows read-only.
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::EstadosRec;

class EstadosForm : public ui::RegisterForm {
public:
    enum : int { kPromptUf = 1, kUf, kPromptDescricao, kDescricao, kOk, kCancel, kHelp };

    explicit EstadosForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UEstados", "Atualização da Tabela dos Estados", dictionary::Estados(),
                       {"Incluindo um Estado", "Alterando um Estado", "Excluindo um Estado"}),
          rec_(file().rec<EstadosRec>()) {
        NoResizer();
    }

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.Prompt(kPromptUf, "0&1-Unidade da Federação..........");
        w.Entry(kUf, ui::Use(rec_.UF), "@s2");
        w.Prompt(kPromptDescricao, "0&2-Descrição da Unidade..........");
        w.Entry(kDescricao, ui::Use(rec_.DESC), "@s20");
        w.Button(kOk, "&Grava").Tip("Grava as informações");
        w.Button(kCancel, "&Cancela").Tip("Cancela as modificações");
        w.Button(kHelp, "&Ajuda").Tip("Traz a janela de ajuda");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kUf, kDescricao});
        EnabledOnlyOnInsert({kUf});
        OkOnDelete({"&Exclui", "Exclui o Estado da Tabela", "Exclui o Estado mostrado na janela"});
        CancelOnDelete({"&Cancela", "Cancela a exclusão do Estado", "Cancela a exclusão do Estado mostrado na janela"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kOk, kCancel, kHelp});
        return Level::Benign;
    }

private:
    EstadosRec& rec_;
};

}  // namespace

void RunEstadosForm(ProcContext& ctx) { EstadosForm(ctx).Execute(); }

}  // namespace vorel::registers
