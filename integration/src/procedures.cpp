// Registration of the data integration procedures by name.
#include "vorel/integration/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::integration {

void AddIntegrationProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("Layout", RunLayoutBrowse);
        ProcedureRegistry::Add("ULayout", RunLayoutForm);
        ProcedureRegistry::Add("CampArquivos", RunCampoForm);
        ProcedureRegistry::Add("ImportaSaidasNota", RunImportaSaidasNota);
        ProcedureRegistry::Add("ImportaEntradasNota", RunImportaEntradasNota);
        ProcedureRegistry::Add("ImportaNfe_Ent", RunImportaNfeEnt);
        ProcedureRegistry::Add("ImportaNfe_Sai", RunImportaNfeSai);
        ProcedureRegistry::Add("ImportaFornecedores", RunImportaFornecedores);
        ProcedureRegistry::Add("ImportaProdutos", RunImportaProdutos);
        ProcedureRegistry::Add("ImportaMaquinaECF", RunImportaMaquinaECF);
        ProcedureRegistry::Add("ImportaLancamentoECF", RunImportaLancamentoECF);
        ProcedureRegistry::Add("ImportaEntradaVeiculos", RunImportaEntradaVeiculos);
        ProcedureRegistry::Add("ImportaSaidaVeiculos", RunImportaSaidaVeiculos);
        ProcedureRegistry::Add("ImportaSaldoAnterior", RunImportaSaldoAnterior);
        ProcedureRegistry::Add("ExcluiProdutosIntegrados", RunExcluiProdutosIntegrados);
        ProcedureRegistry::Add("ExcluiEntradaImportada", RunExcluiEntradaImportada);
        ProcedureRegistry::Add("ExcluiSaidasImportada", RunExcluiSaidasImportada);
        ProcedureRegistry::Add("ExcluiSaldoAnterior", RunExcluiSaldoAnterior);
        ProcedureRegistry::Add("ExcluiEntradaVeiculoImportada", RunExcluiEntradaVeiculoImportada);
        ProcedureRegistry::Add("ExcluiSaidaVeiculoImportada", RunExcluiSaidaVeiculoImportada);
        ProcedureRegistry::Add("ExcluiLancamentoImportada", RunExcluiLancamentoImportada);
        ProcedureRegistry::Add("ExcluiMaquinaECFImportada", RunExcluiMaquinaECFImportada);
    });
}

}  // namespace vorel::integration
