// Form "UCFOComplementar": window "Complemento de C.F.O.P" over one record of table
// CodCFOComplementar (code and description). The table's keys take duplicates, so an existing code
// may be added again. Enter moves on over the data controls and keeps its meaning on the buttons.
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::registers {

namespace {

using dictionary::CodCFOComplementarRec;

class CfoComplementarForm : public ui::RegisterForm {
public:
    enum : int { kHeading = 1, kPromptCodigo, kCodigo, kPromptDescricao, kDescricao, kOk, kCancel, kHelp };

    explicit CfoComplementarForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UCFOComplementar", "Complemento de C.F.O.P", dictionary::CodCFOComplementar(),
                       {"Inclui Novo CFOP Complementar", "Altera Cadastro do CFOP Complementar",
                        "Exclui Cadastro do CFOP Complementar"}),
          rec_(file().rec<CodCFOComplementarRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.String(kHeading, "Complemento de C.F.O.P.");
        w.Prompt(kPromptCodigo, "01 Código...........");
        w.Entry(kCodigo, ui::UseInRange(rec_.CODIGO, 0, 99), "@n2").Tip("Código Complementar de CFO");
        w.Prompt(kPromptDescricao, "02 Descrição.......");
        w.Entry(kDescricao, ui::Use(rec_.DESCRICAO), "@s200").Tip("Descrição do Código Complementar");
        w.Button(kOk, "&O.K.").Tip("Confirma Inclusão de Complemento de CFO");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda &On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kDescricao});
        DisableOnDelete({kCodigo, kDescricao});
        OkOnChange({"&Grava", "Grava Alteração no Complemento de C.F.O.", "Grava Alteração no Complemento de C.F.O."});
        OkOnDelete({"&Exclui", "Exclui Cadastro de Complento de C.F.O.", "Exclui Cadastro de Complento de C.F.O."});
        // Enter acts as Tab everywhere but on the three buttons.
        ExcludeFromNavigation({kOk, kCancel, kHelp});
        return Level::Benign;
    }

private:
    CodCFOComplementarRec& rec_;
};

}  // namespace

void RunCfoComplementarForm(ProcContext& ctx) { CfoComplementarForm(ctx).Execute(); }

}  // namespace vorel::registers
