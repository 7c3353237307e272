// Window "AjustaLancEntrada" ("Ajustar Lançamento de Entrada - Campo 14-Base Calc. / 17-Base Op.
// Própria"): the working year's CFOP 1409 entry items take both bases from their product's latest
// earlier 1403/2403 entry (`AjustaBasesDeOrigem`, vorel/movements/ajuste_bases_origem.h). Tables:
// EntradaVorel (rewritten), EntradaVorel0 and the earlier years' entry files (read).
#include "vorel/movements/ajuste_bases_origem.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::movements {

namespace {

class AjustaLancEntrada : public shell::JanelaReparo {
public:
    enum : int { kContador = 1, kProgresso, kAjustar, kCancelar };

    explicit AjustaLancEntrada(ui::ProcContext& ctx)
        : JanelaReparo(ctx, "AjustaLancEntrada",
                       "Ajustar Lançamento de Entrada - Campo 14-Base Calc. / 17-Base Op. Própria",
                       {kContador, kProgresso, kAjustar, kCancelar}) {}

protected:
    void Executa() override {
        const shell::EmpresaPeriodo periodo = shell::PeriodoDeTrabalho();
        if (!Confirma("As entradas de " + std::to_string(periodo.ano) +
                      " com CFOP 1409 receberão a Base de Cálculo e a Base da Operação Própria da última entrada "
                      "anterior do produto com CFOP 1403 ou 2403, proporcionais à quantidade. Deseja continuar?"))
            return;
        const ResultadoAjusteBases r = AjustaBasesDeOrigem(periodo, Andamento());
        Conclui(r.erro, r.ok(), "Lançamentos Ajustos com Sucesso!", "Concluído", Depois::Fecha);
    }
};

}  // namespace

void RunAjustaLancEntrada(ui::ProcContext& ctx) { AjustaLancEntrada(ctx).Execute(); }

}  // namespace vorel::movements
