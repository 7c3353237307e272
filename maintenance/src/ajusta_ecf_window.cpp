// Window "AjustaECF" ("Ajusta Lançamentos Mestre/Analítico/Diário"): the working year's analytic
// cash-register records without their master and daily records without their analytic record are
// deleted (`ExcluiCuponsOrfaos`, vorel/maintenance/limpeza_lancamentos.h). Tables:
// MovMaqRegistradora and AnaliticoICMS (deleted from), LancICMSEletronico (read).
#include "vorel/maintenance/limpeza_lancamentos.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::maintenance {

namespace {

class AjustaECF : public shell::JanelaReparo {
public:
    enum : int { kContador = 1, kProgresso, kAjustar, kCancelar };

    explicit AjustaECF(ui::ProcContext& ctx)
        : JanelaReparo(ctx, "AjustaECF", "Ajusta Lançamentos Mestre/Analítico/Diário",
                       {kContador, kProgresso, kAjustar, kCancelar}) {}

protected:
    void Executa() override {
        const shell::EmpresaPeriodo periodo = shell::PeriodoDeTrabalho();
        if (!Confirma("Os registros analíticos sem registro mestre e os registros diários sem registro analítico de " +
                      std::to_string(periodo.ano) + " serão excluídos. Deseja continuar?"))
            return;
        const ResultadoReparo r = ExcluiCuponsOrfaos(periodo, Andamento());
        Conclui(r.erro, r.ok(), "Lançamentos Ajustos com Sucesso!", "Concluído", Depois::Fecha);
    }
};

}  // namespace

void RunAjustaECF(ui::ProcContext& ctx) { AjustaECF(ctx).Execute(); }

}  // namespace vorel::maintenance
