// Form "UICMSEletronico": window "Janela de Cadastro de Máquinas de Apuração" over one record of
// table ICMSEletronica (code, name, serial number, fiscal coupon model). The code is typed; a code
// already used is refused by the table's unique key.
#include "vorel/dictionary/own_tables.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::ICMSEletronicaRec;

class IcmsEletronicoForm : public ui::RegisterForm {
public:
    enum : int {
        kHeading = 1, kPromptCodigo, kCodigo, kPromptNome, kNome, kPromptSerie, kSerie, kPromptCupom, kCupom, kOk,
        kCancel, kHelp
    };

    explicit IcmsEletronicoForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UICMSEletronico", "Janela de Cadastro de Máquinas de Apuração", dictionary::ICMSEletronica(),
                       {"Inclui Máquina Registradora", "Altera Máquina Registradora", "Exclui Máquina Registradora"}),
          rec_(file().rec<ICMSEletronicaRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.String(kHeading, "Máquina Registradora");
        w.Prompt(kPromptCodigo, "01 Codigo...........");
        w.Entry(kCodigo, ui::Use(rec_.Codigo), "@n-4").Tip("Código Máquina Eletrônica");
        w.Prompt(kPromptNome, "02 Nome.............");
        w.Entry(kNome, ui::Use(rec_.Nome), "@s30").Tip("Nome Máquina");
        w.Prompt(kPromptSerie, "03 Série..............");
        w.Entry(kSerie, ui::Use(rec_.Serie), "@s15").Tip("Número de Série da Máquina");
        w.Prompt(kPromptCupom, "04 Cupom Fiscal............");
        w.Entry(kCupom, ui::Use(rec_.CumpomFiscal), "@s2").Tip("Modelo do Cumpom Fiscal");
        w.Button(kOk, "&O.K.").Tip("Confirma Inclusão Máquina Registradora");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kNome, kSerie, kCupom});
        DisableOnDelete({kCodigo, kNome, kSerie, kCupom});
        OkOnChange({"&Grava", "Confirma Alteração Cadastro Máquina Registadora",
                    "Confirma Alteração Cadastro Máquina Registadora"});
        OkOnDelete({"&Exclui", "Exclui Cadastro de Máquina Registradora", "Exclui Cadastro de Máquina Registradora"});
        ExcludeFromNavigation({kOk, kCancel, kHelp});
        return Level::Benign;
    }

private:
    ICMSEletronicaRec& rec_;
};

}  // namespace

void RunIcmsEletronicoForm(ProcContext& ctx) { IcmsEletronicoForm(ctx).Execute(); }

}  // namespace vorel::registers
