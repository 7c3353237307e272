// The catalogue of the 62 tables, in set-up order (every base before its aliases).
#include "vorel/dictionary/tables.h"

#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::dictionary {

const std::vector<TableInfo>& all_tables() {
    static const std::vector<TableInfo> list = {
        {EntradaVorel, nullptr, "ENT", Family::Own, Options{true, false, true}, 109},
        {EntradaVorel0, EntradaVorel, "ESPENT", Family::Own, Options{true, false, true}, 109},
        {SaidaVorel, nullptr, "SAI", Family::Own, Options{true, false, true}, 98},
        {SaidaVorel0, SaidaVorel, "SAI0", Family::Own, Options{true, false, true}, 98},
        {QuantidadeVorel, nullptr, "QUA", Family::Own, Options{true, false, true}, 47},
        {QuantidadeVorel0, QuantidadeVorel, "QUA0", Family::Own, Options{true, false, true}, 47},
        {QuantidadeVorel1, QuantidadeVorel, "QUA1", Family::Own, Options{true, false, true}, 47},
        {EntradaVeiculo, nullptr, "ENV", Family::Own, Options{true, false, true}, 87},
        {EntradaVeiculo0, EntradaVeiculo, "ENTV0", Family::Own, Options{true, false, true}, 87},
        {SaidaVeiculo, nullptr, "SAV", Family::Own, Options{true, false, true}, 87},
        {SaidaVeiculo0, SaidaVeiculo, "SAIV0", Family::Own, Options{true, false, true}, 87},
        {ICMSEletronica, nullptr, "ICM", Family::Own, Options{false, true, true}, 53},
        {ICMSEletronica0, ICMSEletronica, "ICM0", Family::Own, Options{false, true, true}, 53},
        {LancICMSEletronico, nullptr, "LAN", Family::Own, Options{true, false, true}, 45},
        {LancICMSEletronico0, LancICMSEletronico, "LAN0", Family::Own, Options{true, false, true}, 45},
        {AnaliticoICMS, nullptr, "ANA", Family::Own, Options{true, false, true}, 26},
        {AnaliticoICMS0, AnaliticoICMS, "ANA0", Family::Own, Options{true, false, true}, 26},
        {MovMaqRegistradora, nullptr, "MMR", Family::Own, Options{true, false, true}, 48},
        {MovMaqRegistradora0, MovMaqRegistradora, "MOV0", Family::Own, Options{true, false, true}, 48},
        {SaldosVorel, nullptr, "SQEL", Family::Own, Options{true, false, true}, 100},
        {SaldosVorel0, SaldosVorel, "SALE", Family::Own, Options{true, false, true}, 100},
        {EntradaSaidaVorel, nullptr, "Esa", Family::Own, Options{true, false, true}, 323},
        {ResumoFinal, nullptr, "RFC", Family::Own, Options{true, false, true}, 161},
        {Senhas, nullptr, "SEN", Family::Own, Options{true, false, true}, 0},
        {FechamentoEscrita, nullptr, "FEF", Family::Own, Options{true, false, true}, 0},
        {LogEscrita, nullptr, "LOG1", Family::Own, Options{false, false, true}, 0},
        {Impressora, nullptr, "IMP", Family::Own, Options{true, false, true}, 0},
        {ImpMatricial, nullptr, nullptr, Family::Own, Options{false, true, true}, 0},
        {ImpMatricial0, ImpMatricial, nullptr, Family::Own, Options{false, true, true}, 0},
        {LayArquivos, nullptr, "LAY", Family::Own, Options{true, false, true}, 0},
        {LayArquivos0, LayArquivos, "LAY0", Family::Own, Options{true, false, true}, 0},
        {LayCampArquivos, nullptr, "CampArq", Family::Own, Options{true, false, true}, 0},
        {LayCampArquivos0, LayCampArquivos, "CampArq0", Family::Own, Options{true, false, true}, 0},
        {Empresa, nullptr, "EMP", Family::SharedRegisters, Options{true, false, true}, 13617},
        {Filiais, nullptr, "Filiais", Family::SharedRegisters, Options{true, false, true}, 10},
        {Contas_Integracao_Contabil, nullptr, "CIC", Family::SharedRegisters, Options{true, false, true}, 626},
        {AltContratuais, nullptr, "AltCont", Family::SharedRegisters, Options{true, false, true}, 54},
        {Revendas, nullptr, "REV", Family::SharedRegisters, Options{true, false, true}, 1044},
        {CFO, nullptr, "CFO", Family::SharedRegisters, Options{true, false, true}, 6057},
        {CodCFOComplementar, nullptr, "CCF", Family::SharedRegisters, Options{false, false, true}, 201},
        {CNAE, nullptr, "CNAE", Family::SharedRegisters, Options{true, false, true}, 322},
        {Estados, nullptr, "EST", Family::SharedRegisters, Options{true, false, true}, 32},
        {Municipios, nullptr, "MUN", Family::SharedRegisters, Options{true, false, true}, 209},
        {ForCli, nullptr, "FOR", Family::SharedRegisters, Options{true, false, true}, 562},
        {ForCli0, ForCli, "FOR0", Family::SharedRegisters, Options{true, false, true}, 562},
        {ForCliMorto, ForCli, "ForCliMorto", Family::SharedRegisters, Options{true, false, true}, 562},
        {ForCliQel, nullptr, "FCC", Family::SharedRegisters, Options{true, false, true}, 12},
        {Produtos, nullptr, "PRO", Family::SharedRegisters, Options{true, false, true}, 328},
        {Produtos0, Produtos, "PROE", Family::SharedRegisters, Options{true, false, true}, 328},
        {ProdutosAliq, nullptr, "PALIQ", Family::SharedRegisters, Options{true, false, false}, 32},
        {LoteVorel, nullptr, "LTC", Family::SharedRegisters, Options{true, false, true}, 29},
        {TabValorIndProduto, nullptr, "TVP", Family::SharedRegisters, Options{true, false, true}, 20},
        {TabelaValorProdutoSaida, nullptr, "TVPS", Family::SharedRegisters, Options{true, false, true}, 18},
        {Funcionarios, nullptr, "FUN", Family::Payroll, Options{true, false, true}, 0},
        {ACFuncionarios, nullptr, "ACFun", Family::Payroll, Options{true, false, true}, 0},
        {Dependentes, nullptr, "DEP", Family::Payroll, Options{true, false, true}, 0},
        {DepVacinacao, nullptr, "DVaci", Family::Payroll, Options{true, false, true}, 0},
        {DepSuspSF, nullptr, "DSSF", Family::Payroll, Options{true, false, true}, 0},
        {MovFuncionarios, nullptr, "MovFunc", Family::Payroll, Options{true, false, true}, 0},
        {RefTotalMedia, nullptr, "RefTotMed", Family::Payroll, Options{true, false, true}, 0},
        {RefMedCta, nullptr, "RefMedCta", Family::Payroll, Options{true, false, true}, 0},
        {RefVlrMensais, nullptr, "RefVlrMen", Family::Payroll, Options{true, false, true}, 0},
    };
    return list;
}

std::span<const data::DescFn> table_descs() {
    static const std::vector<data::DescFn> descs = [] {
        std::vector<data::DescFn> v;
        for (const TableInfo& t : all_tables()) v.push_back(t.desc);
        return v;
    }();
    return descs;
}

}  // namespace vorel::dictionary
