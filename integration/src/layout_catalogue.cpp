// The layout catalogue's data: the eleven types' field codes and default layouts.
#include "vorel/integration/layout_catalogue.h"

#include <algorithm>

namespace vorel::integration {

namespace {

constexpr CampoCatalogo kTipo9[] = {
    {1, "1-Código do Fornecedor.", 'N', "Código do Fornecedor", 1, 6, 'N', "Código do Fornecedor"},
    {2, "2-Razão Social do Fornecedor.", 'X', "Razão Social do Fornecedor", 7, 40, 'X', "Razão Social do Fornecedor"},
    {3, "3-Endereço do Fornecedor.", 'X', "Endereço do Fornecedor", 47, 40, 'X', "Endereço do Fornecedor"},
    {4, "4-Número do endereço do Fornecedor.", 'N', "Número do endereço do Fornecedor", 87, 10, 'N', "Número do endereço do Fornecedor"},
    {5, "5-Complemento do endereço do Fornecedor.", 'X', "se não houver deixar em branco", 97, 25, 'X', "Se não houver deixar em branco"},
    {6, "6-Bairro do endereço do Fornecedor.", 'X', "Bairro do endereço do Fornecedor", 122, 25, 'X', "Bairro do endereço do Fornecedor"},
    {7, "7-Cidade do endereço do Fornecedor.", 'X', "Cidade do endereço do Fornecedor", 147, 25, 'X', "Cidade do endereço do Fornecedor"},
    {8, "8-Estado do endereço do Fornecedor.", 'X', "Estado do endereço do Fornecedor", 172, 2, 'X', "Estado do endereço do Fornecedor"},
    {9, "9-CEP do endereço do Fornecedor.", 'N', "CEP do endereço do Fornecedor", 174, 8, 'N', "CEP do endereço do Fornecedor"},
    {10, "10-DDD do telefone do Fornecedor.", 'N', "DDD do telefone do Fornecedor", 182, 3, 'N', "DDD do telefone do Fornecedor"},
    {11, "11-Número do telefone do Fornecedor.", 'N', "Número do telefone do Fornecedor", 185, 8, 'N', "Número do telefone do Fornecedor"},
    {12, "12-Ramal do telefone do Fornecedor.", 'N', "se não houver deixar em branco", 193, 5, 'N', "Se não houver deixar em branco"},
    {13, "13-Número do fax do Fornecedor.", 'N', "Número do fax do Fornecedor", 198, 8, 'N', "Número do fax do Fornecedor"},
    {14, "14-Tipo de Inscrição do Fornecedor.", 'N', "1-Para CNPJ, 2-Para CPF", 206, 1, 'N', "1-Para CNPJ, 2-Para CPF"},
    {15, "15-CNPJ do Fornecedor.", 'N', "CNPJ do Fornecedor", 207, 14, 'N', "Se não houver zerar os campos (00000000000000)"},
    {16, "16-CPF do Fornecedor.", 'N', "se não houver zerar os campos (00000000000000)", 221, 11, 'N', "Se não houver zerar os campos (00000000000)"},
    {17, "17-Inscrição Estadual do Fornecedor.", 'X', "se não tiver escrever a palavra ISENTO", 232, 20, 'X', "Se não tiver escrever a palavra ISENTO"},
    {18, "18-Tipo Produtos.", 'N', "0-Não usa, 1-Petróleo/Energia, 2-Outros Produtos", 252, 1, 'N', "0-Não usa, 1-Petróleo/Energia, 2-Outros Produtos"},
    {19, "19-Se o cadastro é como Cliente.", 'N', "0-Caso não seja Cliente, 1-Caso seja Cliente", 253, 1, 'N', "0-Caso não seja Cliente, 1-Caso seja Cliente"},
    {20, "20-Se o cadastro é como Fornecedor.", 'N', "0-Caso ele não seja Fornecedor, 1-Caso ele seja Fornecedor", 254, 1, 'N', "0-Caso ele não seja Fornecedor, 1-Caso ele seja Fornecedor"},
    {21, "21-Se o cadastro é como Produtor Rural ou Transportadora.", 'N', "0-Caso não seja Produtor Rural/Transportadora, 1-Caso seja Produtor Rural/Transportadora", 255, 1, 'N', "0-Caso não seja Produtor Rural/Transportadora, 1-Caso seja Produtor Rural/Transportadora"},
    {22, "22-Conta do Fornecedor para integração para contabilidade.", 'X', "Conta do Fornecedor para integração para contabilidade", 256, 20, 'X', "Se não houver integração com a contabilidade deixar em branco"},
    {23, "23-Conta do Cliente para integração para contabilidade.", 'X', "Conta do Cliente para integração para contabilidade", 276, 20, 'X', "Se não houver integração com a contabilidade deixar em branco"},
};
constexpr CampoCatalogo kTipo10[] = {
    {1, "1-Código do Produto.", 'X', "Alinhar a esquerda", 1, 14, 'X', "Alinhar a esquerda"},
    {2, "2-Código do Produto na tabela de NBMSH.", 'N', "se não tiver deixar em branco", 15, 13, 'N', "Se não tiver deixar em branco"},
    {3, "3-Grupo do Produto.", 'N', "se não tiver deixar em branco", 28, 3, 'N', "Se não tiver deixar em branco"},
    {4, "4-Descrição do Produto.", 'X', "Descrição do Produto", 31, 100, 'X', "Descrição do Produto"},
    {5, "5-Alíquota de ICMS.", 'N', "Alq. Interna do produto com 3 casas decimais", 131, 6, 'N', "Alq. Interna do produto com 3 casas decimais"},
    {6, "6-Unidade de Medida do Produto.", 'X', "Unidade de medida EX pç,  Un , KG etc", 137, 3, 'X', "Unidade de medida EX pç,  Un , KG etc"},
    {7, "7-Dia Inicial da vigência do Produto.", 'N', "Dia de inicio do Regime ST", 140, 2, 'N', "Dia de inicio do Regime ST"},
    {8, "8-Mês Inicial da vigência do Produto.", 'N', "Mes de inicio do regime ST.", 142, 2, 'N', "Mês de inicio do regime ST."},
    {9, "9-Ano Inicial da vigência do Produto.", 'N', "Ano de inicio do regime ST", 144, 4, 'N', "Ano de inicio do regime ST"},
    {10, "10-Dia Final da vigência do Produto.", 'N', "Dia final da vigência ou informar 31", 148, 2, 'N', "Dia final da vigência ou digitar 31"},
    {11, "11-Mês Final da vigência do Produto.", 'N', "Mês final da vigencia ou informar 12", 150, 2, 'N', "Mês final da vigência ou digitar 12"},
    {12, "12-Ano Final da vigência do Produto.", 'N', "Ano final da vigência ou informar 2099", 152, 4, 'N', "Ano final da vigência ou digitar 2099"},
    {16, "13-Alíquota Reduzida.", 'N', "deixar em branco", 156, 7, 'N', "Deixar em branco"},
};
constexpr CampoCatalogo kTipo16[] = {
    {1, "1-CNPJ do Fornecedor.", 'N', "Se fornecedor for pessoa física ou não tiver CNPJ zerar os campos (00000000000000)", 1, 14, 'N', "Se fornecedor for pessoa física ou não tiver CNPJ zerar os campos (00000000000000)"},
    {2, "2-Série da Nota Fiscal.", 'X', "Se não tiver série deixar em branco", 15, 2, 'X', "Se não tiver série deixar em branco"},
    {3, "3-Número da Nota Fiscal.", 'N', "Número da Nota Fiscal", 17, 6, 'N', "Número da Nota Fiscal"},
    {4, "4-Dia de Emissão.", 'N', "Dia de Emissão da Nota Fiscal", 23, 2, 'N', "Dia de Emissão da Nota Fiscal"},
    {5, "5-Mês de Emissão.", 'N', "Mês de Emissão da Nota Fiscal", 25, 2, 'N', "Mês de Emissão da Nota Fiscal"},
    {6, "6-Ano de Emissão.", 'N', "Ano de Emissão da Nota Fiscal", 27, 4, 'N', "Ano de Emissão da Nota Fiscal"},
    {7, "7-Quantidade de Produtos.", 'N', "Quantidade de Produtos com 3 casas decimais", 31, 13, 'N', "Quantidade de Produtos com 3 casas decimais"},
    {8, "8-Código do Produto.", 'X', "Código do Produto", 44, 14, 'X', "Código do Produto"},
    {9, "9-Código de Operação Fiscal.", 'N', "Considerar os CFOPs cadastrados no sistema EX 1403", 58, 4, 'N', "Considerar os CFOPs cadastrados no sistema EX 1403"},
    {10, "10-Código de Operação Fiscal Complementar.", 'N', "Utilizar o código complementar conforme o regulamento do ICMS do estado (códigos complementares)", 62, 2, 'N', "Utilizar o código complementar conforme o regulamento do ICMS do estado (códigos complementares)"},
    {11, "11-Base de Cálculo da Retenção.", 'N', "Valor da base de calculo ST da NF produto por produto", 64, 13, 'N', "Valor da base de calculo ST da NF produto por produto"},
    {12, "12-Alíquota de ICMS.", 'N', "Considerar a aliquota interna do produto mesmo nas operações interestaduais", 77, 6, 'N', "Considerar a aliquota interna do produto mesmo nas operações interestaduais"},
    {13, "13-Valor do ICMS.", 'N', "Resultado de base de calculo x alíquota ( poderá deixar em branco )", 83, 13, 'N', "Resultado de base de calculo x alíquota (poderá deixar em branco)"},
    {14, "14-Base de Operação Própria.", 'N', "Trazer o valor da operação própria base sem o IVA", 96, 13, 'N', "Trazer o valor da operação própria base sem o IVA"},
    {15, "15-Lote do Produto.", 'X', "Se não houver controle por lote deixar em branco", 109, 20, 'X', "Se não houver controle por lote deixar em branco"},
    {16, "16-CFO Complemento.", 'N', "Combinar com o código de operação fiscal  EX 1.403 complemento 1", 129, 1, 'N', "Combinar com o código de operação fiscal  EX 1.403 complemento 1"},
};
constexpr CampoCatalogo kTipo17[] = {
    {1, "1-CNPJ do Cliente.", 'N', "Se o cliente não tiver CNPJ zerar os campos EX: 00000000000000", 1, 14, 'N', "Se o cliente não tiver CNPJ zerar os campos EX: 00000000000000"},
    {2, "2-Série da Nota Fiscal.", 'X', "Se não tiver série deixar em branco", 15, 2, 'X', "Se não tiver série deixar em branco"},
    {3, "3-Número da Nota Fiscal.", 'N', "Número da Nota Fiscal", 17, 6, 'N', "Número da Nota Fiscal"},
    {4, "4-Dia de Emissão.", 'N', "Dia de Emissão da Nota Fiscal", 23, 2, 'N', "Dia de Emissão da Nota Fiscal"},
    {5, "5-Mês de Emissão.", 'N', "Mês de Emissão da Nota Fiscal", 25, 2, 'N', "Mês de Emissão da Nota Fiscal"},
    {6, "6-Ano de Emissão.", 'N', "Ano de Emissão da Nota Fiscal", 27, 4, 'N', "Ano de Emissão da Nota Fiscal"},
    {7, "7-Quantidade de Produtos.", 'N', "Quantidade de Produtos com 3 casas decimais", 31, 13, 'N', "Quantidade de Produtos com 3 casas decimais"},
    {8, "8-Código do Produto.", 'X', "Código do Produto", 44, 14, 'X', "Código do Produto"},
    {9, "9-Código de Operação Fiscal.", 'N', "Deve ser usado os cfops cadastrados na tabela", 58, 4, 'N', "Deve ser usado os cfops cadastrados na tabela"},
    {10, "10-Código de Operação Fiscal Complementar.", 'N', "Utilizar a tabela de códigos de operação complementares do regulamento do ICMS do estado", 62, 2, 'N', "Utilizar a tabela de códigos de operação complementares do regulamento do ICMS do estado"},
    {11, "11-Base de Cálculo da Saídas.", 'N', "Valor da quantidade x valor unitario dos produtos(2 casas decimais)", 64, 13, 'N', "Valor da quantidade x valor unitario dos produtos (2 casas decimais)"},
    {12, "12-Alíquota de ICMS.", 'N', "Aliquota interna do produto de São Paulo mesmo nas operações interestaduais", 77, 6, 'N', "Aliquota interna do produto de São Paulo mesmo nas operações interestaduais"},
    {13, "13-Valor do ICMS.", 'N', "Deixar em branco", 83, 13, 'N', "Deixar em branco"},
    {14, "14-Estado.", 'X', "Considerar o estado do destinatário", 96, 2, 'X', "Considerar o estado do destinatário"},
    {15, "15-Base de Cálculo Reduzido.", 'N', "Deixar em branco", 98, 13, 'N', "Deixar em branco"},
    {16, "16-Lote do Produto.", 'X', "Não tendo deixar em branco", 111, 20, 'X', "Não tendo deixar em branco"},
    {17, "17-CFO Complemento.", 'N', "Considerar o complemento cadastrado no CFOPs do sistema", 131, 1, 'N', "Considerar o complemento cadastrado no CFOPs do programa"},
};
constexpr CampoCatalogo kTipo18[] = {
    {1, "1-CNPJ do Fornecedor.", 'N', "CNPJ do Fornecedor", 1, 14, 'N', "CNPJ do Fornecedor"},
    {2, "2-Série da Nota Fiscal.", 'X', "Série da Nota Fiscal", 15, 2, 'X', "Série da Nota Fiscal"},
    {3, "3-Número da Nota Fiscal.", 'N', "Número da Nota Fiscal", 17, 6, 'N', "Número da Nota Fiscal"},
    {4, "4-Dia de Emissão.", 'N', "Dia de Emissão da Nota Fiscal", 23, 2, 'N', "Dia de Emissão da Nota Fiscal"},
    {5, "5-Mês de Emissão.", 'N', "Mês de Emissão da Nota Fiscal", 25, 2, 'N', "Mês de Emissão da Nota Fiscal"},
    {6, "6-Ano de Emissão.", 'N', "Ano de Emissão da Nota Fiscal", 27, 4, 'N', "Ano de Emissão da Nota Fiscal"},
    {7, "7-Quantidade de Produtos.", 'N', "Quantidade de Produtos com 3 casas decimais", 31, 13, 'N', "Quantidade de Produtos com 3 casas decimais"},
    {8, "8-Chassi do Veículo.", 'X', "Chassi do Veículo", 44, 22, 'X', "Chassi do Veículo"},
    {9, "9-Código do Produto.", 'X', "Código do Produto", 66, 14, 'X', "Código do Produto"},
    {10, "10-Código de Operação Fiscal.", 'N', "Código de Operação Fiscal", 80, 4, 'N', "Código de Operação Fiscal"},
    {11, "11-Código de Operação Fiscal Complementar.", 'N', "Código de Operação Fiscal Complementar", 84, 2, 'N', "Código de Operação Fiscal Complementar"},
    {12, "12-Alíquota de ICMS.", 'N', "Valor da Alíquota ICMS com 3 casas decimais", 86, 6, 'N', "Valor da Alíquota ICMS com 3 casas decimais"},
    {13, "13-Base de Cálculo da Retenção.", 'N', "Base de Cálculo da Retenção com 2 casas decimais", 92, 13, 'N', "Base de Cálculo da Retenção com 2 casas decimais"},
    {14, "14-Base de Cálculo do Substituto.", 'N', "Base de Cálculo do Substituto com 2 casas decimais", 105, 13, 'N', "Base de Cálculo do Substituto com 2 casas decimais"},
};
constexpr CampoCatalogo kTipo19[] = {
    {1, "1-CNPJ do Fornecedor.", 'N', "CNPJ do Fornecedor", 1, 14, 'N', "CNPJ do Fornecedor"},
    {2, "2-Série da Nota Fiscal.", 'X', "Série da Nota Fiscal", 15, 2, 'X', "Série da Nota Fiscal"},
    {3, "3-Número da Nota Fiscal.", 'N', "Número da Nota Fiscal", 17, 6, 'N', "Número da Nota Fiscal"},
    {4, "4-Dia de Emissão.", 'N', "Dia de Emissão da Nota Fiscal", 23, 2, 'N', "Dia de Emissão da Nota Fiscal"},
    {5, "5-Mês de Emissão.", 'N', "Mês de Emissão da Nota Fiscal", 25, 2, 'N', "Mês de Emissão da Nota Fiscal"},
    {6, "6-Ano de Emissão.", 'N', "Ano de Emissão da Nota Fiscal", 27, 4, 'N', "Ano de Emissão da Nota Fiscal"},
    {7, "7-Quantidade de Produtos.", 'N', "Quantidade de Produtos com 3 casas decimais", 31, 13, 'N', "Quantidade de Produtos com 3 casas decimais"},
    {8, "8-Chassi do Veículo.", 'X', "Chassi do Veículo", 44, 22, 'X', "Chassi do Veículo"},
    {9, "9-Código do Produto.", 'X', "Código do Produto", 66, 14, 'X', "Código do Produto"},
    {10, "10-Código de Operação Fiscal.", 'N', "Código de Operação Fiscal", 80, 4, 'N', "Código de Operação Fiscal"},
    {11, "11-Código de Operação Fiscal Complementar.", 'N', "Código de Operação Fiscal Complementar", 84, 2, 'N', "Código de Operação Fiscal Complementar"},
    {12, "12-Alíquota de ICMS.", 'N', "Valor da Alíquota ICMS com 3 casas decimais", 86, 6, 'N', "Valor da Alíquota ICMS com 3 casas decimais"},
    {13, "13-Base de Cálculo da Saídas.", 'N', "Base de Cálculo da Saídas com 2 casas decimais", 92, 13, 'N', "Base de Cálculo da Saídas com 2 casas decimais"},
    {14, "14-Estado.", 'X', "Estado do endereço do Fornecedor", 105, 2, 'X', "Estado do endereço do Fornecedor"},
};
constexpr CampoCatalogo kTipo20[] = {
    {1, "1-Código da Máquina Registradora.", 'N', "Código da Máquina Registradora", 1, 3, 'N', "Código da Máquina Registradora"},
    {2, "2-Nome/Apelido da Máquina Registradora.", 'X', "Nome/Apelido da Máquina Registradora", 4, 30, 'X', "Nome/Apelido da Máquina Registradora"},
    {3, "3-Número de Série da Máquina Registradora.", 'N', "Número de Série da Máquina Registradora", 34, 15, 'X', "Número de Série da Máquina Registradora"},
    {4, "4-Modelo do Cupom Fiscal.", 'X', "Modelo do Cupom Fiscal", 49, 2, 'X', "Modelo do Cupom Fiscal"},
};
constexpr CampoCatalogo kTipo21[] = {
    {1, "1-Dia de emissão dos cupons fiscais.", 'N', "Dia de emissão dos cupons fiscais", 1, 2, 'N', "Dia de emissão dos cupons fiscais"},
    {2, "2-Mês de emissão dos cupons fiscais.", 'N', "Mês de emissão dos cupons fiscais", 3, 2, 'N', "Mês de emissão dos cupons fiscais"},
    {3, "3-Ano de emissão dos cupons fiscais.", 'N', "Ano de emissão dos cupons fiscais", 5, 4, 'N', "Ano de emissão dos cupons fiscais"},
    {4, "4-Número atribuído pelo estabelecimento ao equipamento.", 'N', "Número atribuído pelo estabelecimento ao equipamento", 9, 3, 'N', "Número atribuído pelo estabelecimento ao equipamento"},
    {5, "5-Número do primeiro cupom fiscal emitido no dia.", 'N', "Número do primeiro cupom fiscal emitido no dia", 12, 6, 'N', "Número do primeiro cupom fiscal emitido no dia"},
    {6, "6-Número do último cupom fiscal emitido nodia.", 'N', "Número do último cupom fiscal emitido no dia", 18, 6, 'N', "Número do último cupom fiscal emitido no dia"},
    {7, "7-Número do contador de redução ou Leitura Z.", 'N', "Número do contador de redução ou Leitura Z", 24, 6, 'N', "Número do contador de redução ou Leitura Z"},
    {8, "8-Valor do GT Inicial do Dia.", 'N', "Valor do GT Inicial do Dia com 2 casas decimais", 30, 16, 'N', "Valor do GT Inicial do Dia com 2 casas decimais"},
    {9, "9-Valor do GT Final do Dia.", 'N', "Valor do GT Final do Dia com 2 casas decimais", 46, 16, 'N', "Valor do GT Final do Dia com 2 casas decimais"},
};
constexpr CampoCatalogo kTipo22[] = {
    {1, "1-Dia de emissão dos cupons fiscais.", 'N', "Dia de emissão dos cupons fiscais", 1, 2, 'N', "Dia de emissão dos cupons fiscais"},
    {2, "2-Mês de emissão dos cupons fiscais.", 'N', "Mês de emissão dos cupons fiscais", 3, 2, 'N', "Mês de emissão dos cupons fiscais"},
    {3, "3-Ano de emissão dos cupons fiscais.", 'N', "Ano de emissão dos cupons fiscais", 5, 4, 'N', "Ano de emissão dos cupons fiscais"},
    {4, "4-Número atribuído pelo estabelecimento ao equipamento.", 'N', "Número atribuído pelo estabelecimento ao equipamento", 9, 3, 'N', "Número atribuído pelo estabelecimento ao equipamento"},
    {5, "5-Identificação da Situação Tributária/Alíquota do ICMS.", 'X', "Identificação da Situação Tributária/Alíquota do ICMS", 12, 4, 'X', "Identificação da Situação Tributária/Alíquota do ICMS"},
    {6, "6-Valor Acumulado no final do dia.", 'N', "Valor Acumulado no final do dia com 2 casas decimais", 16, 12, 'N', "Valor Acumulado no final do dia com 2 casas decimais"},
};
constexpr CampoCatalogo kTipo23[] = {
    {1, "1-Dia de emissão dos cupons fiscais.", 'N', "Dia de emissão dos cupons fiscais", 1, 2, 'N', "Dia de emissão dos cupons fiscais"},
    {2, "2-Mês de emissão dos cupons fiscais.", 'N', "Mês de emissão dos cupons fiscais", 3, 2, 'N', "Mês de emissão dos cupons fiscais"},
    {3, "3-Ano de emissão dos cupons fiscais.", 'N', "Ano de emissão dos cupons fiscais", 5, 4, 'N', "Ano de emissão dos cupons fiscais"},
    {4, "4-Número atribuído pelo estabelecimento ao equipamento.", 'N', "Número atribuído pelo estabelecimento ao equipamento", 9, 3, 'N', "Número atribuído pelo estabelecimento ao equipamento"},
    {5, "5-Código do Produto.", 'X', "Código do Produto", 12, 14, 'X', "Código do Produto"},
    {6, "6-Quantidade diária de saídas da mercadoria.", 'N', "Quantidade diária de saídas da mercadoria com 3 casas decimais", 26, 13, 'N', "Quantidade diária de saídas da mercadoria com 3 casas decimais"},
    {7, "7-Valor total da base de Cálculo do ICMS do Dia.", 'N', "Valor total da base de Cálculo do ICMS do Dia com 2 casas decimais", 39, 13, 'N', "Valor total da base de Cálculo do ICMS do Dia com 2 casas decimais"},
    {8, "8-Valor do ICMS na saída a consumidor ou usuário final.", 'N', "Valor do ICMS na saída a consumidor ou usuário final com 2 casas decimais", 52, 13, 'N', "Valor do ICMS na saída a consumidor ou usuário final com 2 casas decimais"},
    {9, "9-Identificação da Situação Tributária/Alíquota do ICMS.", 'X', "Identificação da Situação Tributária/Alíquota do ICMS", 65, 4, 'X', "Identificação da Situação Tributária/Alíquota do ICMS"},
};
constexpr CampoCatalogo kTipo38[] = {
    {1, "1-Dia de emissão dos Saldo Anteriores", 'N', "Ultimo dia do inventário do mês anterior", 1, 2, 'N', "Ultimo dia do inventário do mês anterior"},
    {2, "2-Mês de emissão dos Saldo Anteriores", 'N', "Mês do Saldo Anterior", 3, 2, 'N', "Mês do saldo anterior"},
    {3, "3-Ano de emissão dos Saldo Anteriores", 'N', "Ano do Saldo Anterior", 5, 4, 'N', "Ano do saldo anterior"},
    {4, "4-Quantidade dos Saldo Anteriores", 'N', "Quantidade dos Saldo Anteriores (3 casas decimais)", 9, 18, 'N', "Quantidade dos Saldo Anteriores (3 casas decimais)"},
    {5, "5-Bases I.C.M.S dos Saldo Anteriores", 'N', "Valor base de calculo ST (com o IVA)", 27, 18, 'N', "Valor base de calculo ST (com o IVA)"},
    {6, "6-Bases de Operação Proprias dos Saldo Anteriores", 'N', "Valor da base de cálculo própria (sem o IVA)", 45, 18, 'N', "Valor da base de cálculo própria (sem o IVA)"},
    {7, "7-C.F.O Saldo Anteriores", 'N', "Considerar 1403", 63, 4, 'N', "Considerar 1403"},
    {8, "8-Complemento", 'N', "Considerar 00", 67, 3, 'N', "Considerar 00"},
    {9, "9-Produtos Saldo Anteriores", 'X', "Produtos Saldo Anteriores", 70, 14, 'X', "Produtos Saldo Anteriores"},
    {10, "10-Lote do Produto.", 'X', "Se não houver deixar em branco", 84, 20, 'X', "Se não houver deixar em branco"},
    {11, "11-CNPJ/CPF.", 'N', "CNPJ/CPF do Fornecedor do Produto.", 104, 14, 'N', "CNPJ do Fornecedor"},
    {12, "12-Aliquota dos Produtos Saldos Anteriores", 'N', "Aliquota interna do produto de São Paulo mesmo nas operações interestaduais", 118, 6, 'N', "Aliquota interna do produto de São Paulo mesmo nas operações interestaduais"},
};

struct Tipo {
    int tipo;
    const char* titulo;
    std::span<const CampoCatalogo> campos;
};

constexpr Tipo kTipos[] = {
    {9, "Layout Fornecedores", kTipo9},
    {10, "Layout Produtos", kTipo10},
    {16, "Layout Notas de Entradas", kTipo16},
    {17, "Layout Notas de Saídas", kTipo17},
    {18, "Layout Entradas de Veículos", kTipo18},
    {19, "Layout Saídas de Veículos", kTipo19},
    {20, "Layout Máquinas Registradoras", kTipo20},
    {21, "Layout Lançamento Mestre", kTipo21},
    {22, "Layout Lançamento Analítico", kTipo22},
    {23, "Layout Lançamento Diário", kTipo23},
    {38, "Layout Lançamento Saldo Anterior", kTipo38},
};

const Tipo* AchaTipo(int tipo) {
    for (const Tipo& t : kTipos)
        if (t.tipo == tipo) return &t;
    return nullptr;
}

// Where the layout form words a label otherwise: (type, code, field list, position check).
struct Variante {
    int tipo, codigo;
    const char* lista;        // nullptr: the label
    const char* verificacao;  // nullptr: the label
};
constexpr Variante kVariantes[] = {
    {16, 15, nullptr, "15-Lote."},
    {17, 1, "1-CNPJ do Destinatário.", "1-CNPJ do Fornecedor."},
    {17, 16, nullptr, "16-Lote."},
    {21, 4, "4-Número atribuído pelo estabelecimento ai equipamento.",
     "4-Número atribuído pelo estabelecimento ai equipamento."},
    {38, 10, "10-Lote do Produto", "10-Lote"},
    {38, 11, "11-CNPJ/CPF Fornecedor", "11-CNPJ/CPF"},
    {38, 12, nullptr, "12-Aliquota dos Produtos Saldo Anteriores"},
};

}  // namespace

std::string TituloTipoLayout(int tipo) {
    const Tipo* t = AchaTipo(tipo);
    return t ? t->titulo : "";
}

std::span<const CampoCatalogo> EntradasDoTipo(int tipo) {
    const Tipo* t = AchaTipo(tipo);
    return t ? t->campos : std::span<const CampoCatalogo>{};
}

const CampoCatalogo* EntradaDoCampo(int tipo, int codigo) {
    for (const CampoCatalogo& c : EntradasDoTipo(tipo))
        if (c.codigo == codigo) return &c;
    return nullptr;
}

std::string RotuloCampo(int tipo, int codigo, Onde onde) {
    const CampoCatalogo* c = EntradaDoCampo(tipo, codigo);
    if (!c) return {};
    if (onde != Onde::Escolha) {
        for (const Variante& v : kVariantes) {
            if (v.tipo != tipo || v.codigo != codigo) continue;
            const char* texto = onde == Onde::ListaCampos ? v.lista : v.verificacao;
            if (texto) return texto;
        }
    }
    return c->rotulo;
}

int ComprimentoPadrao(int tipo) {
    int fim = 0;
    for (const CampoCatalogo& c : EntradasDoTipo(tipo)) fim = std::max(fim, c.posicao + c.tamanho - 1);
    return fim;
}

}  // namespace vorel::integration
