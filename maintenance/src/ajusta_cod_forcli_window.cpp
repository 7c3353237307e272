// Windows "AjustaCodForCli" ("Ajusta Código Cliente Saída") and "AjustaCodForCli_Ent" ("Ajusta
// Código Cliente - Entrada"): the working year's exit or entry items take the customer or supplier
// code of the register record their CNPJ or CPF names (`AjustaCodigosForCli`,
// vorel/maintenance/codigo_forcli.h). Tables: SaidaVorel or EntradaVorel (rewritten), ForCli (read).
#include "vorel/maintenance/codigo_forcli.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::maintenance {

namespace {

class AjustaCodForCli : public shell::JanelaReparo {
public:
    enum : int { kPainel = 1, kContador, kProgresso, kAjustar, kFechar };

    AjustaCodForCli(ui::ProcContext& ctx, MovimentosForCli quais)
        : JanelaReparo(ctx, quais == MovimentosForCli::Saidas ? "AjustaCodForCli" : "AjustaCodForCli_Ent",
                       quais == MovimentosForCli::Saidas ? "Ajusta Código Cliente Saída" : "Ajusta Código Cliente - Entrada",
                       {kContador, kProgresso, kAjustar, kFechar}, "&Ajustar", "&Fechar"),
          quais_(quais) {}

protected:
    void AdicionaCampos(ui::Window& w) override {
        w.String(kPainel, quais_ == MovimentosForCli::Saidas
                              ? "Preenche o código do cliente das saídas do ano pelo CNPJ/CPF do cadastro."
                              : "Preenche o código do fornecedor das entradas do ano pelo CNPJ/CPF do cadastro.");
    }

    void Executa() override {
        const shell::EmpresaPeriodo periodo = shell::PeriodoDeTrabalho();
        const std::string ano = std::to_string(periodo.ano);
        if (!Confirma(quais_ == MovimentosForCli::Saidas
                          ? "O código do cliente de todas as saídas de " + ano +
                                " será substituído pelo do cadastro de Fornecedores e Clientes com o mesmo CNPJ/CPF. "
                                "Deseja continuar?"
                          : "O código do fornecedor de todas as entradas de " + ano +
                                " será substituído pelo do cadastro de Fornecedores e Clientes com o mesmo CNPJ/CPF. "
                                "Deseja continuar?"))
            return;
        const ResultadoReparo r = AjustaCodigosForCli(quais_, periodo, Andamento());
        Conclui(r.erro, r.ok(), "Ajuste efetuado com sucesso!", "Concluído!", Depois::Fica);
    }

private:
    MovimentosForCli quais_;
};

}  // namespace

void RunAjustaCodForCli(ui::ProcContext& ctx) { AjustaCodForCli(ctx, MovimentosForCli::Saidas).Execute(); }
void RunAjustaCodForCliEnt(ui::ProcContext& ctx) { AjustaCodForCli(ctx, MovimentosForCli::Entradas).Execute(); }

}  // namespace vorel::maintenance
