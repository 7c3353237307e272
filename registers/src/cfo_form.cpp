// Form "UCFO": window "Cadastro de C.F.O.P." over one record of table CFO (code, complement,
// pre-2003 equivalent, print column, vehicle column, description). Choosing print column 8 is
// allowed only for codes 5411 and 6411; the check runs when the column is chosen, not at save.
// Deleting shows the record read-only.
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/message_box.h"

namespace vorel::registers {

namespace {

using dictionary::CFORec;

class CfoForm : public ui::RegisterForm {
public:
    enum : int {
        kHeading = 1, kPromptCodigo, kCodigo, kPromptComplemento, kComplemento, kPromptAnterior, kAnterior,
        kPromptColuna, kColuna, kPromptColunaVeic, kColunaVeic, kPromptDescricao, kDescricao, kOk, kCancel, kHelp
    };

    explicit CfoForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UCFO", "Cadastro de C.F.O.P.", dictionary::CFO(),
                       {"Inclui Novo Cadastro de C.F.O.P.", "Altera Cadastro de C.F.O.P.", "Exclui Cadastro de C.F.O.P."}),
          rec_(file().rec<CFORec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.String(kHeading, "C.F.O.");
        w.Prompt(kPromptCodigo, "01 Código...........................");
        w.Entry(kCodigo, ui::Use(rec_.CODIGO), "@n4");
        w.Prompt(kPromptComplemento, "02 Complemento......");
        w.Entry(kComplemento, ui::Use(rec_.COMPLEMENTO), "@n3");
        w.Prompt(kPromptAnterior, "03 CFO anterior a 2003 equivalente........................");
        w.Entry(kAnterior, ui::Use(rec_.CODIGO_CFO_ARQUIVOMAGNETICO_VOREL), "@n4");
        w.Prompt(kPromptColuna, "04 Coluna de Impressão....");
        // The entries carry no values of their own: the number an entry begins with is stored.
        w.DropList(kColuna, ui::Use(rec_.COLUNA),
                   {"1 CFO Entrada", "2 Saída Consumidor Final", "3 Fato Gerador Não Realizado", "4 Saída Isenta",
                    "5 Saída Out. Estado", "6 Saída com Subsequênte", "7 Entradas Demais Hipóteses",
                    "8 Devolução de Compras", "9 Devolução de Estoque"})
            .Tip("Coluna de Impressão");
        w.Prompt(kPromptColunaVeic, "05 Coluna Veículo.............");
        w.DropList(kColunaVeic, ui::Use(rec_.COLUNAVEIC),
                   {"CFO de Entrada de Veículo", "Base Cálculo da Retenção Saída para Comercialização",
                    "Base Cálculo Efetiva Consumidor Final"},
                   {"1", "2", "3"})
            .Tip("Coluna de Impressão dos Veículos");
        w.Prompt(kPromptDescricao, "06 Descrição......................");
        w.Entry(kDescricao, ui::Use(rec_.DESCRICAO), "@s100");
        w.Button(kOk, "&OK").Tip("Confirma Cadastro de C.F.O.");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Janela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kComplemento, kAnterior, kColuna, kColunaVeic, kDescricao});
        LinkField(kColunaVeic, file().desc().field_index("CFO:COLUNAVEIC"));
        // On delete the code, description and print column are greyed and nothing can be
        // changed: the record goes as it is stored.
        DisableOnDelete({kCodigo, kDescricao, kColuna});
        ReadOnlyOnDelete();
        OkOnChange({"&Grava", "Grava Alteração do Cadastro de C.F.O.", "Grava Alteração do Cadastro de C.F.O."});
        OkOnDelete({"&Exclui", "Exclui Cadastro de C.F.O.", "Exclui Cadastro de C.F.O."});
        ExcludeFromNavigation({kOk, kCancel, kHelp});
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::RegisterForm::OnAccepted(feq);
        // Only a choice made by the user is checked; the OK button's pass over the controls is not.
        if (feq == kColuna && !window().acceptAll && rec_.COLUNA == 8 && rec_.CODIGO != 5411 && rec_.CODIGO != 6411) {
            ui::Message("Atenção! Opção \"8 - Devolução de Compras\" válida somente para os CFOs 5411 e 6411.",
                        "Alerta!", ui::Icon::Information, "&OK");
            rec_.COLUNA = 1;
            window().Select(kColuna);
            return ui::kHandled;
        }
        return l;
    }

private:
    CFORec& rec_;
};

}  // namespace

void RunCfoForm(ProcContext& ctx) { CfoForm(ctx).Execute(); }

}  // namespace vorel::registers
