// Registration of the register procedures by name.
#include "vorel/registers/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::registers {

void AddRegisterProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("CFO", RunCfoBrowse);
        ProcedureRegistry::Add("UCFO", RunCfoForm);
        ProcedureRegistry::Add("CFOComplementar", RunCfoComplementarBrowse);
        ProcedureRegistry::Add("UCFOComplementar", RunCfoComplementarForm);
        ProcedureRegistry::Add("CNAE", RunCnaeBrowse);
        ProcedureRegistry::Add("UCNAE", RunCnaeForm);
        ProcedureRegistry::Add("Estados", RunEstadosBrowse);
        ProcedureRegistry::Add("UEstados", RunEstadosForm);
        ProcedureRegistry::Add("UMunicipios", RunMunicipiosForm);
        ProcedureRegistry::Add("BFuncionarios", RunFuncionariosBrowse);
        ProcedureRegistry::Add("UFuncionarios", RunFuncionariosForm);
        ProcedureRegistry::Add("WLegenda", RunLegenda);
        ProcedureRegistry::Add("Fornecedores", RunFornecedoresBrowse);
        ProcedureRegistry::Add("UFornecedores", RunFornecedoresForm);
        ProcedureRegistry::Add("Produtos", RunProdutosBrowse);
        ProcedureRegistry::Add("UProdutos", RunProdutosForm);
        ProcedureRegistry::Add("UForCliQel", RunForCliQelForm);
        ProcedureRegistry::Add("UProdutoAliquotas", RunProdutoAliquotasForm);
        ProcedureRegistry::Add("ULoteVorel", RunLoteVorelForm);
        ProcedureRegistry::Add("ValorUnitario", RunValorUnitario);
        ProcedureRegistry::Add("CadastroValorUnitSaida", RunCadastroValorUnitSaida);
        ProcedureRegistry::Add("ICMSEletronico", RunIcmsEletronicoBrowse);
        ProcedureRegistry::Add("UICMSEletronico", RunIcmsEletronicoForm);
    });
}

}  // namespace vorel::registers
