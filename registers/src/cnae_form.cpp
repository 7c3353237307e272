// Form "UCNAE": window "Cadastro de C.N.A.E." over one record of table CNAE (the seven-digit code,
// typed and shown as "####-#/##", and the description).
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::registers {

namespace {

using dictionary::CNAERec;

class CnaeForm : public ui::RegisterForm {
public:
    enum : int { kHeading = 1, kPromptCodigo, kCodigo, kPromptDescricao, kDescricao, kOk, kCancel, kHelp };

    explicit CnaeForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UCNAE", "Cadastro de C.N.A.E.", dictionary::CNAE(),
                       {"Inclui Novo Código de C.N.A.E.", "Altera Cadastro de C.N.A.E.", "Exclui Cadastro de C.N.A.E."}),
          rec_(file().rec<CNAERec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.String(kHeading, "C.N.A.E.");
        w.Prompt(kPromptCodigo, "01 Código.........");
        w.Entry(kCodigo, rec_.CODIGO, kCnaePicture);
        w.Prompt(kPromptDescricao, "02 Descrição....");
        w.Entry(kDescricao, ui::Use(rec_.DESCRICAO), "@s255");
        w.Button(kOk, "&OK").Tip("Confirma Inclusão de CNAE");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kDescricao});
        DisableOnDelete({kCodigo, kDescricao});
        OkOnChange({"&Grava", "Confirma Alteração no Cadastro de CNAE", "Confirma Alteração no Cadastro de CNAE"});
        OkOnDelete({"&Exclui", "Confirma Exclusão no Cadastro de CNAE", "Confirma Exclusão no Cadastro de CNAE"});
        ExcludeFromNavigation({kOk, kCancel, kHelp});
        return Level::Benign;
    }

private:
    CNAERec& rec_;
};

}  // namespace

void RunCnaeForm(ProcContext& ctx) { CnaeForm(ctx).Execute(); }

}  // namespace vorel::registers
