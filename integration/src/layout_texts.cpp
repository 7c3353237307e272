// The layout printouts' texts: each offered type's documentation and the fields' printed names.
#include <map>
#include <utility>

#include "vorel/integration/layout_printout.h"

namespace vorel::integration {

namespace {

using Nomes = std::map<int, const char*>;

const Nomes& NomesDoTipo(int tipo) {
    static const std::map<int, Nomes> kNomes = [] {
        std::map<int, Nomes> n;
        n[9] = {{1, "Código"}, {2, "Razão Social"}, {3, "Endereço"}, {4, "Número"}, {5, "Complemento"},
                {6, "Bairro"}, {7, "Cidade"}, {8, "Estado"}, {9, "CEP"}, {10, "DDD"}, {11, "Telefone"},
                {12, "Ramal"}, {13, "Fax"}, {14, "Tipo Inscrição"}, {15, "CNPJ"}, {16, "CPF"},
                {17, "Inscrição Estadual"}, {18, "Tipo Produtos"}, {19, "Cadastro Cliente"},
                {20, "Cadastro Fornecedor"}, {21, "Cadastro Produtor/Transportadora"},
                {22, "Conta Fornecedor integração"}, {23, "Conta Cliente integração"}, {24, "Código da Cidade"}};
        n[10] = {{1, "Código Produto"}, {2, "Código NBMSH"}, {3, "Grupo"}, {4, "Descrição"}, {5, "Alíq ICMS"},
                 {6, "Unidade"}, {7, "Dia Inicial"}, {8, "Mês Inicial"}, {9, "Ano Inicial"}, {10, "Dia Final"},
                 {11, "Mês Final"}, {12, "Ano Final"}, {13, "Código NCM"}, {14, "CST"}, {15, "B Cálculo ST"},
                 {16, "Alíq Redução"}, {17, "Alíq IPI"}, {18, "Em/Para"}, {19, "Gera DNF"},
                 {20, "Código Produto DNF"}, {21, "Unidade Estatistica para DNF"},
                 {22, "Fator de Conversão com 3 Dicimais para DNF"}, {23, "Código Produto na tabela SEFAZ"}};
        const Nomes notas = {{1, "CNPJ do Fornecedor"}, {2, "Série da NF"}, {3, "Número da NF"},
                             {4, "Dia de Emissão"}, {5, "Mês de Emissão"}, {6, "Ano de Emissão"},
                             {7, "Quantidade de Produtos"}, {8, "Código do Produto"},
                             {9, "Código de Operação Fiscal"}, {10, "Código de Operação Fiscal Complr."},
                             {12, "Alíquota de ICMS"}, {13, "Valor do ICMS"}};
        n[16] = notas;
        n[16].insert({{11, "Base de Cáluclo da Retenção"}, {14, "Base de Operação Própria"}, {15, "Lote do Produto"},
                      {16, "CFO Complemento"}});
        n[17] = notas;
        n[17].insert({{11, "Base de Cáluclo da Saídas"}, {14, "Estado"}, {15, "Base de Cálculo Reduzido"},
                      {16, "Lote do Produto"}, {17, "CFO Complemento"}});
        n[18] = {{1, "CNPJ do Fornecedor."}, {2, "Série da Nota Fiscal."}, {3, "Número da Nota Fiscal."},
                 {4, "Dia de Emissão."}, {5, "Mês de Emissão."}, {6, "Ano de Emissão."},
                 {7, "Quantidade de Produtos."}, {8, "Chassi do Veículo."}, {9, "Código do Produto."},
                 {10, "Código de Operação Fiscal."}, {11, "Código de Operação Fiscal Complementar."},
                 {12, "Alíquota de ICMS."}, {13, "Base de Cálculo da Retenção."},
                 {14, "Base de Cálculo do Substituto."}};
        n[19] = n[18];
        n[19][13] = "Base de Cálculo da Saídas.";
        n[19][14] = "Estado.";
        n[20] = {{1, "Código da Máquina Registradora"}, {2, "Nome/Apelido da Máquina Registradora"},
                 {3, "Número de Série da Máquina Registradora"}, {4, "Modelo do Cupom Fiscal"}};
        n[21] = {{1, "Dia de emissão dos cupons fiscais."}, {2, "Mês de emissão dos cupons fiscais."},
                 {3, "Ano de emissão dos cupons fiscais."}, {4, "Número atribuído pelo estabelecimento ai equipamento."},
                 {5, "Número do primeiro cupom fiscal emitido no dia."}, {6, "Número do último cupom fiscal emitido no dia."},
                 {7, "Número do contador de redução ou Leitura Z."}, {8, "Valor do GT Inicial do Dia."},
                 {9, "Valor do GT Final do Dia."}};
        n[22] = {{1, n[21][1]}, {2, n[21][2]}, {3, n[21][3]},
                 {4, "Número atribuído pelo estabelecimento ao equipamento."},
                 {5, "Identificação da Situação Tributária/Alíquota do ICMS."}, {6, "Valor Acumulado no final do dia."}};
        n[23] = {{1, n[22][1]}, {2, n[22][2]}, {3, n[22][3]}, {4, n[22][4]}, {5, "Código do Produto."},
                 {6, "Quantidade diária de saídas da mercadoria."}, {7, "Valor total da base de Cálculo do ICMS do Dia."},
                 {8, "Valor do ICMS na saída a consumidor ou usuário final."},
                 {9, "Identificação da Situação Tributária/Alíquota do ICMS"}};
        n[38] = {{1, "1-Dia de emissão dos Saldo Anteriores"}, {2, "2-Mês de emissão dos Saldo Anteriores"},
                 {3, "3-Ano de emissão dos Saldo Anteriores"}, {4, "4-Quantidade dos Saldo Anteriores"},
                 {5, "5-Bases I.C.M.S dos Saldo Anteriores"}, {6, "6-Bases de Operação Proprias dos Saldo Anteriores"},
                 {7, "7-C.F.O Saldo Anteriores"}, {8, "8-Complemento"}, {9, "9-Produtos Saldo Anteriores"},
                 {10, "10-Lote do Produto"}, {11, "11-CNPJ/CPF Fornecedor do Produto."}};
        return n;
    }();
    static const Nomes kNenhum;
    auto it = kNomes.find(tipo);
    return it == kNomes.end() ? kNenhum : it->second;
}

}  // namespace

TextoLayout TextosLayout(int tipo) {
    switch (tipo) {
        case 9: return {"Arquivo de Cadastro de Clientes e Fornecedores",
                        {"Este arquivo deverá conter os clientes e fornecedores da empresa", "", "", ""}};
        case 10: return {"Arquivo de Cadastro de Produtos",
                         {"Este arquivo deverá conter os produtos utilizados pela empresa", "", "", ""}};
        default: return {};
    }
}

std::string NomeCampoImpressao(int tipo, int codigo, bool pagina) {
    const Nomes& nomes = NomesDoTipo(tipo);
    auto it = nomes.find(codigo);
    if (it == nomes.end()) return {};
    std::string nome = it->second;
    if (pagina && tipo == 38 && codigo == 11) nome.pop_back();  // the page form drops the final period
    return nome;
}

}  // namespace vorel::integration
