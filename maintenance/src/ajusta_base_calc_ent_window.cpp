// Window "AjustaBaseCalc_Ent": the working year's entry items with CFOP 1403 or 2403 and no
// calculation base take their own-operation base (`CopiaBasePropriaParaBaseCalculo`,
// vorel/maintenance/base_calculo_entrada.h). Table: EntradaVorel (rewritten).
#include "vorel/maintenance/base_calculo_entrada.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::maintenance {

namespace {

class AjustaBaseCalcEnt : public shell::JanelaReparo {
public:
    enum : int { kContador = 1, kProgresso, kAjustar, kCancelar };

    explicit AjustaBaseCalcEnt(ui::ProcContext& ctx)
        : JanelaReparo(ctx, "AjustaBaseCalc_Ent",
                       "Ajustar Entrada - Copiar Valor 17-Base Op. Prórpia p/ 14-Base Cálc. - CFOP 1403 e 2403",
                       {kContador, kProgresso, kAjustar, kCancelar}) {}

protected:
    void Executa() override {
        const shell::EmpresaPeriodo periodo = shell::PeriodoDeTrabalho();
        if (!Confirma("As entradas de " + std::to_string(periodo.ano) +
                      " com CFOP 1403 ou 2403 e Base de Cálculo zerada receberão o valor da Base da Operação Própria. "
                      "Deseja continuar?"))
            return;
        const ResultadoReparo r = CopiaBasePropriaParaBaseCalculo(periodo, Andamento());
        Conclui(r.erro, r.ok(), "Ajuste efetuado com sucesso!", "Concluído!", Depois::Fecha);
    }
};

}  // namespace

void RunAjustaBaseCalcEnt(ui::ProcContext& ctx) { AjustaBaseCalcEnt(ctx).Execute(); }

}  // namespace vorel::maintenance
