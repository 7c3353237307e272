// Window "AjustaLançamentos" ("Ajusta Lançamentos de Entrada"): the entry items of the working
// year's file dated in another year are deleted (`ExcluiEntradasDeOutroAno`,
// vorel/maintenance/limpeza_lancamentos.h). Table: EntradaVorel (deleted from).
#include "vorel/maintenance/limpeza_lancamentos.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::maintenance {

namespace {

class AjustaLancamentos : public shell::JanelaReparo {
public:
    enum : int { kContador = 1, kProgresso, kAjustar, kCancelar };

    explicit AjustaLancamentos(ui::ProcContext& ctx)
        : JanelaReparo(ctx, "AjustaLançamentos", "Ajusta Lançamentos de Entrada",
                       {kContador, kProgresso, kAjustar, kCancelar}) {}

protected:
    void Executa() override {
        const shell::EmpresaPeriodo periodo = shell::PeriodoDeTrabalho();
        const std::string ano = std::to_string(periodo.ano);
        if (!Confirma("As entradas do arquivo de " + ano + " com data de outro ano serão excluídas. Deseja continuar?"))
            return;
        const ResultadoReparo r = ExcluiEntradasDeOutroAno(periodo, Andamento());
        Conclui(r.erro, r.ok(), "Lançamentos Ajustados com sucesso!", "Concluído", Depois::Zera);
    }
};

}  // namespace

void RunAjustaLancamentos(ui::ProcContext& ctx) { AjustaLancamentos(ctx).Execute(); }

}  // namespace vorel::maintenance
