// The registers shared with the suite's other programs: companies and what hangs on them,
// fiscal codes, states and municipalities, suppliers and customers, products, their rate
// history, batches and unit values. Field order, types and widths are binding.
//
// One record struct per table (`EmpresaRec` holds `EMP:...`), and the function that gives the
// table's description (`Empresa()`). An alias shares its base's struct. The descriptions live in
// the matching .cpp; this header only declares them, so that including it stays cheap.
#pragma once

#include <array>
#include <cstdint>

#include "vorel/core/decimal_field.h"
#include "vorel/core/fixed_string.h"

namespace vorel::data {
struct TableDesc;
}

namespace vorel::dictionary {

// Empresa (EMP)
struct EmpresaRec {
    std::uint32_t AGENPISFUNC = 0;
    std::uint8_t SINDICALIZADA = 0;
    std::uint8_t PCMATFILIAISTCONTAS = 0;  // choice, field rule
    DecimalField<7, 4> ALIQUOTA_IRPJ{};
    DecimalField<7, 2> ALIQUOTA_PRESTSERV{};
    std::uint8_t AUTONOMO = 0;
    std::uint32_t AGENPISEMPR = 0;
    String<40> ATIVEMP{};
    String<25> BAIRRO{};  // district of the address
    std::uint16_t BANCOCONTA = 0;
    std::uint16_t BANCODEBFGTS = 0;
    DecimalField<11, 2> CAPITALSOCIAL{};
    std::uint8_t EMPREGADORDOMESTICO = 0;
    std::uint16_t Codigo = 0;  // company code
    String<25> COMPLEMENTO{};  // address complement
    String<14> CGC{};  // CNPJ, 14 digits
    String<12> CEI{};
    String<11> CPF{};  // CPF, 11 digits
    std::uint32_t CEP = 0;  // postal code (CEP), 8 digits
    String<60> CIDADE{};  // city of the address
    std::uint32_t CNAE = 0;  // CNAE activity code (a CNAE:CODIGO)
    std::uint8_t CATEMPFGTS = 0;
    std::uint8_t CLASSESTABIPI = 0;  // choice, field rule
    DecimalField<15, 0> CONTAFGTS{};
    std::uint32_t CODEMPRBCO = 0;
    DecimalField<13, 0> CONCOREMPR{};
    std::int32_t CODRESPESCR = 0;  // code of the responsible person (a Funcionarios code)
    std::int32_t CODRESPFOLHA = 0;
    std::int32_t CODRESPCAIXA = 0;
    String<20> CCM{};
    std::uint16_t CODIGOPLANOCONTAS = 0;
    std::int32_t CODRESPCTB = 0;
    std::uint8_t COMERCIO = 0;
    std::uint8_t CLASSEEPP = 0;
    String<40> CREDITOICMS{};
    String<500> COMPLICMS{};
    String<40> CREDITOIPI{};
    String<500> COMPLIPI{};
    String<40> CREDITOPIS{};
    String<500> COMPLPIS{};
    String<40> CREDITOCOFINS{};
    String<500> COMPLCOFINS{};
    String<40> CREDITOSIMPLES{};
    String<500> COMPLSIMPLES{};
    String<40> CREDITOCSOCIAL{};
    String<500> COMPLCSOCIAL{};
    String<40> CREDITOIRPJ{};
    String<500> COMPLIRPJ{};
    String<40> CREDITOSIMPLESEST{};
    String<500> COMPLSIMPLESEST{};
    String<40> CREDITOSUBTRIBUTARIA{};
    String<500> COMPLSUBTRIBUTARIA{};
    DecimalField<15, 0> CONTADEBFGTS{};
    std::uint16_t CODIGOMENSAGEMCTB = 0;
    std::uint16_t CODRECGAREICMS = 0;
    std::uint16_t CPRICMS = 0;
    std::uint16_t CPRICMSST = 0;
    std::uint16_t CDARFPIS = 0;
    std::uint8_t CDARFPISCOMP = 0;
    std::uint16_t CDARFCOFINS = 0;
    std::uint8_t CDARFCOFINSCOMP = 0;
    std::uint16_t CDARFCSOCIAL = 0;
    std::uint8_t CDARFCSOCIALCOMP = 0;
    std::uint16_t CDARFIRPJ = 0;
    std::uint8_t CDARFIRPJCOMP = 0;
    std::uint16_t CDARFIPI = 0;
    std::uint8_t CDARFIPICOMP = 0;
    std::int32_t DATAREGISTRO = 0;
    std::int32_t DATAINICIO = 0;
    std::int32_t DATACADSEFAZ = 0;
    std::uint8_t DIGITOSCGC = 0;  // new record: 14
    std::uint16_t DDD = 0;  // telephone area code
    String<40> DEBITOICMS{};
    String<40> DEBITOIPI{};
    String<40> DEBITOPIS{};
    String<40> DEBITOCOFINS{};
    String<40> DEBITOSIMPLES{};
    String<40> DEBITOCSOCIAL{};
    String<40> DEBITOIRPJ{};
    String<40> DEBITOSIMPLESEST{};
    String<40> DEBITOSUBTRIBUTARIA{};
    std::uint8_t DIAPGTO1 = 0;
    std::uint8_t DIAPGTO2 = 0;
    String<100> EMAIL{};  // e-mail address
    String<40> ENDERECO{};  // street address
    std::uint8_t EQUIPARADO = 0;
    std::int32_t ENCATIV = 0;
    std::int32_t DATAPROTOCOLOENCATIV = 0;
    String<40> ENTDEBITODUP{};
    String<40> ENTCREDITODUP{};
    std::uint16_t ENTHISTORICODUP = 0;
    String<500> ENTCOMPLEMENTODUP{};
    String<40> ENTDEBITODUPDESC{};
    String<40> ENTCREDITODUPDESC{};
    std::uint16_t ENTHISTORICODUPDESC = 0;
    String<500> ENTCOMPLEMENTODUPDESC{};
    String<40> ENTDEBITODUPMULTA{};
    String<40> ENTCREDITODUPMULTA{};
    std::uint16_t ENTHISTORICODUPMULTA = 0;
    String<500> ENTCOMPLEMENTODUPMULTA{};
    String<40> ENTDEBITODUPJUROS{};
    String<40> ENTCREDITODUPJUROS{};
    std::uint16_t ENTHISTORICODUPJUROS = 0;
    String<500> ENTCOMPLEMENTODUPJUROS{};
    std::uint32_t FAX = 0;  // fax number
    std::uint16_t FPAS = 0;
    std::uint32_t FONE = 0;  // telephone number
    std::uint8_t FPAS_SALEDUCACAO = 0;
    std::uint8_t FPAS_INCRA = 0;
    std::uint8_t FPAS_SENAI = 0;
    std::uint8_t FPAS_SESI = 0;
    std::uint8_t FPAS_SENAC = 0;
    std::uint8_t FPAS_SESC = 0;
    std::uint8_t FPAS_SEBRAE = 0;
    std::uint8_t FPAS_DPC = 0;
    std::uint8_t FPAS_FUNDOAEROVIARIO = 0;
    std::uint8_t FPAS_SENAR = 0;
    std::uint8_t FPAS_SEST = 0;
    std::uint8_t FPAS_SENAT = 0;
    std::uint8_t FPAS_SESCOOP = 0;
    String<20> GRUPOFORNECEDOR{};
    String<20> GRUPOCLIENTE{};
    String<20> GRUPOPRODUTOR{};
    std::uint16_t HISTORICOICMS = 0;
    std::uint16_t HISTORICOIPI = 0;
    std::uint16_t HISTORICOPIS = 0;
    std::uint16_t HISTORICOCOFINS = 0;
    std::uint16_t HISTORICOSIMPLES = 0;
    std::uint16_t HISTORICOCSOCIAL = 0;
    std::uint16_t HISTORICOIRPJ = 0;
    std::uint16_t HISTORICOSIMPLESEST = 0;
    std::uint16_t HISTORICOSUBTRIBUTARIA = 0;
    String<20> INSCESTADUAL{};  // state registration
    std::uint8_t INDUSTRIA = 0;
    std::uint8_t INDICADORPAT = 0;
    String<40> ISSDEBITODUP{};
    String<40> ISSCREDITODUP{};
    std::uint16_t ISSHISTORICODUP = 0;
    String<500> ISSCOMPLEMENTODUP{};
    String<40> ISSDEBITODUPDESC{};
    String<40> ISSCREDITODUPDESC{};
    std::uint16_t ISSHISTORICODUPDESC = 0;
    String<500> ISSCOMPLEMENTODUPDESC{};
    String<40> ISSDEBITODUPMULTA{};
    String<40> ISSCREDITODUPMULTA{};
    std::uint16_t ISSHISTORICODUPMULTA = 0;
    String<500> ISSCOMPLEMENTODUPMULTA{};
    String<40> ISSDEBITODUPJUROS{};
    String<40> ISSCREDITODUPJUROS{};
    std::uint16_t ISSHISTORICODUPJUROS = 0;
    String<500> ISSCOMPLEMENTODUPJUROS{};
    String<20> JUNTACOMERCIAL{};
    String<80> LOGO{};  // file name of the company's logo picture
    std::uint8_t LOTES = 0;  // choice, field rule; new record: 1
    std::uint8_t MESDATABASE = 0;  // month 1 to 12, field rule
    std::uint16_t NUMERO = 0;  // street number
    std::uint16_t NATUESTAB = 0;
    std::uint8_t QUALIFPJ = 0;  // choice, field rule; new record: 1
    String<20> NREGESPECIAL{};
    std::uint8_t PLCONTAS = 0;
    String<30> PAGINAWEB{};  // web page address
    DecimalField<7, 2> PCTISENTFILAN{};
    DecimalField<5, 2> PATSERVICOPROPRIO{};
    DecimalField<5, 2> PATADMCOZINHAS{};
    DecimalField<5, 2> PATREFTRANSPORTADAS{};
    DecimalField<5, 2> PATREFCONVENIO{};
    DecimalField<5, 2> PATCESTAALIMENTACAO{};
    std::uint8_t PRODUTORRURAL = 0;
    DecimalField<5, 2> PATALIMCONVENIO{};
    String<15> RG{};
    String<40> RAZAOSOCIAL{};  // company name
    std::uint16_t RAMALFONE = 0;  // telephone extension
    std::uint16_t RAMALFAX = 0;  // fax extension
    std::uint8_t REGIMEIPI = 0;  // choice, field rule
    std::uint8_t REGIMEICMS = 0;  // choice, field rule
    std::uint8_t REGIMEIRPJ = 0;  // choice, field rule
    std::uint8_t RECOLHIMENTOIRPJ = 0;  // choice, field rule
    std::uint8_t REGIMECSL = 0;  // choice, field rule
    std::uint8_t REGIMECOFINS = 0;  // choice, field rule
    std::uint8_t REGIMEPIS = 0;  // choice, field rule
    std::uint8_t RECOLHIMENTOCSL = 0;  // choice, field rule
    std::int32_t RAZAOCONTACORRENTE = 0;
    DecimalField<15, 0> REGEXPORTACAO{};
    std::uint8_t SIMPLES = 0;
    std::uint8_t SIMPLESMUNICIPAL = 0;
    std::uint8_t SIMPLESESTADUAL = 0;  // choice, field rule
    std::uint8_t SIMPLESFEDERAL = 0;  // choice, field rule
    std::uint8_t SERVICO = 0;
    std::uint16_t SINDICATO = 0;
    String<40> SAIDEBITODUP{};
    String<40> SAICREDITODUP{};
    std::uint16_t SAIHISTORICODUP = 0;
    String<500> SAICOMPLEMENTODUP{};
    String<40> SAIDEBITODUPDESC{};
    String<40> SAICREDITODUPDESC{};
    std::uint16_t SAIHISTORICODUPDESC = 0;
    String<500> SAICOMPLEMENTODUPDESC{};
    String<40> SAIDEBITODUPMULTA{};
    String<40> SAICREDITODUPMULTA{};
    std::uint16_t SAIHISTORICODUPMULTA = 0;
    String<500> SAICOMPLEMENTODUPMULTA{};
    String<40> SAIDEBITODUPJUROS{};
    String<40> SAICREDITODUPJUROS{};
    std::uint16_t SAIHISTORICODUPJUROS = 0;
    String<500> SAICOMPLEMENTODUPJUROS{};
    std::uint8_t TIPOHIST = 0;  // choice, field rule
    std::uint8_t TIPOESTAB = 0;
    std::uint8_t TIPOINSCESCRITA = 0;
    std::uint8_t TIPOREGISTRO = 0;  // choice, field rule; new record: 1
    std::uint8_t TIPOAPURACAO = 0;  // choice, field rule; new record: 1
    std::uint8_t TIPOFORNECEDOR = 0;  // where the suppliers and customers lie: 1 in the shared folder, 2 in the company's folder; new record: 1
    std::uint8_t TIPOCFO = 0;  // new record: 1
    std::uint8_t TIPONBM = 0;  // where the products and their rate history lie: 1 in the shared folder, 2 in the company's folder; new record: 1
    std::uint8_t TIPOCONTAISS = 0;  // new record: 1
    std::uint8_t TIPOAUTOMATICA = 0;  // choice, field rule
    std::uint8_t TIPOPAGAMENTO = 0;  // choice, field rule; new record: 1
    std::uint8_t TRANSPORTADORA = 0;
    String<2> UF{};  // state of the address (an EST:UF)
    std::uint8_t CTBDATADESCDUP = 0;  // choice, field rule
    std::uint8_t APURACAODCA = 0;  // choice, field rule
    DecimalField<5, 2> PERCENTUALFUNRURAL{};
    std::uint8_t CIAP = 0;  // choice, field rule
    String<20> USUARIO{};
    std::int32_t DATAEXCLUSAO = 0;
    std::int32_t HORAEXCLUSAO = 0;
    std::uint8_t EMPRESAINATIVA = 0;  // company status, field rule; 1 marks an inactive company
    String<100> RAZAOSOCIALRELATORIO{};
    std::int32_t DTPRIMDECCAGED = 0;
    std::int16_t CODRECGPS = 0;
    std::uint8_t GPSLTRABINDIV = 0;  // new record: 0
    std::uint8_t DEPARTAMENTO = 0;
    std::uint8_t SETOR = 0;
    std::uint8_t SECAO = 0;
    std::uint8_t LOCALTRABALHO = 0;
    DecimalField<7, 2> QHORAEXTRA1{};
    DecimalField<7, 2> QHORAEXTRA2{};
    DecimalField<7, 2> QHORAEXTRA3{};
    DecimalField<7, 2> PERCENTUALHE1{};
    DecimalField<7, 2> PERCENTUALHE2{};
    DecimalField<7, 2> PERCENTUALHE3{};
    std::uint16_t CONTAHE1 = 0;
    std::uint16_t CONTAHE2 = 0;
    std::uint16_t CONTAHE3 = 0;
    std::uint16_t CONTAHEN1 = 0;
    std::uint16_t CONTAHEN2 = 0;
    std::uint16_t CONTAHEN3 = 0;
    std::uint8_t TIPOCALCULO = 0;  // choice, field rule
    std::uint16_t PERCENTUALHED = 0;
    std::uint16_t CONTAHED = 0;
    std::uint16_t CONTAHEDAD_N = 0;
    std::uint16_t C_TRABALHADAS = 0;
    std::uint16_t C_ADICIONALN = 0;
    std::uint16_t C_FALTA = 0;
    std::uint16_t C_FALTADIA = 0;
    std::int32_t TOLERANCIA = 0;
    std::uint8_t DIAAPCINICIAL = 0;
    std::uint8_t HABILITA_PIS_COFINS = 0;
    std::uint8_t RATEIOLTRAB = 0;
    std::uint8_t INFORMALTRAB = 0;
    std::uint8_t FOLHASOBREPIS = 0;
    std::int32_t CNGAS = 0;
    std::int32_t CNALCOOL = 0;
    std::int32_t CNDIESEL = 0;
    std::int32_t CNGASAD = 0;
    std::int32_t CNALCOOLAD = 0;
    std::int32_t CNDIESELAD = 0;
    std::int32_t CNGNV = 0;
    String<30> DISTGAS{};
    String<30> DISTALCOOL{};
    String<30> DISTDIESEL{};
    String<30> DISTGASAD{};
    String<30> DISTALCOOLAD{};
    String<30> DISTDIESELAD{};
    String<30> DISTGASNV{};
    std::uint8_t TIPOFUNRURAL = 0;  // choice, field rule
    std::uint8_t TIPOENTIDADE = 0;  // choice, field rule
    std::uint8_t PARC13OSALARIO = 0;  // choice, field rule
    std::uint8_t Reflexos = 0;  // choice, field rule
    std::uint8_t NAOCALCDEDPCAUTO = 0;
    std::uint8_t AnexoSuperSimples = 0;  // choice, field rule
    DecimalField<13, 0> CODACESSODAS{};
    std::uint8_t TRANSPORTASALDO = 0;
    std::int32_t DATASTATUS = 0;
    std::uint8_t NFP_Digitacao = 0;  // choice, field rule; new record: 0
    std::uint8_t NFP_Integracao = 0;  // choice, field rule; new record: 0
    std::uint8_t DIA_PRO_LABORE = 0;
    std::uint8_t DIA_PGTO_AUTONOMO = 0;
    std::uint16_t CODGAREST = 0;
    std::uint8_t Perfil = 0;  // choice, field rule
    std::uint8_t ADOTALEI = 0;  // flag shown on the company form as "Adota Lei 13.291"
    std::uint8_t CTB_CTR_LOTE_DATA = 0;
    std::uint8_t NAOCALCCONTRIBUICOES = 0;
    DecimalField<7, 4> FAP{};
    std::int32_t DATACADASTRO = 0;
    std::uint32_t CODACESSOSITFISCAL = 0;
    String<8> SENHASITFISCAL{};
    String<9> SUFRAMA{};
    std::uint8_t Ind_Atividade = 0;  // choice, field rule
    std::uint8_t INSSMP540 = 0;  // choice, field rule
    std::uint8_t CartaoPonto = 0;  // choice, field rule
    String<20> BANCOCONVENIO{};
};
const data::TableDesc& Empresa();

// Filiais (FILIAIS)
struct FiliaisRec {
    std::uint16_t MATRIZ = 0;  // code of the head-office company (EMP:Codigo)
    std::uint16_t FILIAL = 0;  // code of the branch
    std::uint8_t PIS = 0;
    std::uint8_t COFINS = 0;
    std::uint8_t IRPJ = 0;
    std::uint8_t CONTRSOCIAL = 0;
    std::uint8_t SIMPLES = 0;
    std::uint8_t CONTABILIDADE = 0;
};
const data::TableDesc& Filiais();

// Contas_Integracao_Contabil (CIC)
struct Contas_Integracao_ContabilRec {
    std::uint16_t CODIGO_EMPRESA = 0;  // company code (EMP:Codigo)
    std::uint8_t CODIGO_REFERENCIA = 0;  // reference number within the company
    String<40> CONTA_DEBITO{};
    String<40> CONTA_CREDITO{};
    String<20> CCUSTOC{};
    String<20> CCUSTOD{};
    std::uint16_t HISTORICO = 0;
    String<500> COMPLEMENTO{};
    std::uint8_t VLRIMPBRUT = 0;
};
const data::TableDesc& Contas_Integracao_Contabil();

// AltContratuais (ALTCONT)
struct AltContratuaisRec {
    std::uint16_t CODIGO = 0;  // company code (EMP:Codigo)
    std::int32_t DATA = 0;
    std::uint8_t CODALT = 0;
    String<40> OBS{};
    DecimalField<11, 2> VALOR{};
    std::uint8_t CODALTESCRITA = 0;
};
const data::TableDesc& AltContratuais();

// Revendas (REV)
struct RevendasRec {
    std::uint16_t CODIGO = 0;  // reseller code
    String<80> LINHA1{};  // text line 1
    String<80> LINHA2{};  // text line 2
    String<80> LINHA3{};  // text line 3
    String<80> LINHA4{};  // text line 4
    String<80> LINHA5{};  // text line 5
    String<80> LINHA6{};  // text line 6
    String<80> LINHA7{};  // text line 7
    String<80> LINHA8{};  // text line 8
    String<80> LINHA9{};  // text line 9
    String<80> LINHA10{};  // text line 10
    String<80> LINHA11{};  // text line 11
    String<80> LINHA12{};  // text line 12
    std::uint8_t LOC_TITULO1 = 0;  // title setting of line 1
    std::uint8_t LOC_TITULO2 = 0;  // title setting of line 2
    std::uint8_t LOC_TITULO3 = 0;  // title setting of line 3
    std::uint8_t LOC_TITULO4 = 0;  // title setting of line 4
    std::uint8_t LOC_TITULO5 = 0;  // title setting of line 5
    std::uint8_t LOC_TITULO6 = 0;  // title setting of line 6
    std::uint8_t LOC_TITULO7 = 0;  // title setting of line 7
    std::uint8_t LOC_TITULO8 = 0;  // title setting of line 8
    std::uint8_t LOC_TITULO9 = 0;  // title setting of line 9
    std::uint8_t LOC_TITULO10 = 0;  // title setting of line 10
    std::uint8_t LOC_TITULO11 = 0;  // title setting of line 11
    std::uint8_t LOC_TITULO12 = 0;  // title setting of line 12
    String<70> RODAPE{};  // footer text
};
const data::TableDesc& Revendas();

// CFO (CFO)
struct CFORec {
    std::int16_t CODIGO = 0;  // the CFOP code
    std::int16_t COMPLEMENTO = 0;  // complement of the code
    String<2> ESTADO{};  // state (an EST:UF); first component of the primary key
    String<100> DESCRICAO{};  // description
    String<10> APELIDO{};  // short name
    std::uint8_t TRIBUTACAO_ICMS = 0;
    DecimalField<7, 4> ALIQUOTA_ICMS{};
    DecimalField<7, 4> BASEREDUZ{};
    std::uint8_t EMPARA = 0;
    std::uint8_t REGIMESUB = 0;
    std::uint8_t TRIBUTACAO_IPI = 0;  // choice, field rule
    std::uint8_t IPI_50 = 0;
    std::uint8_t INFAPUR = 0;  // new record: 0
    std::uint8_t ALIQUOTACSOCIAL = 0;  // choice, field rule
    std::uint8_t IMPORTA_GRF = 0;  // choice, field rule
    String<20> CONTA_DEBITO{};
    String<20> CONTA_CREDITO{};
    String<20> CCUSTOD{};
    String<20> CCUSTOC{};
    std::uint16_t CODIGO_HISTORIO = 0;
    String<500> COMPLEMENTO_H{};
    String<20> ICMS_DEBITO{};
    String<20> ICMS_CREDITO{};
    String<20> CCUSTOICMSD{};
    String<20> CCUSTOICMSC{};
    std::uint16_t HISTORICO = 0;
    String<500> COMPLEMENTO_ICMS{};
    String<20> IPI_DEBITO{};
    String<20> IPI_CREDITO{};
    String<20> CCUSTOIPIC{};
    String<20> CCUSTOIPID{};
    std::uint16_t HISTORICO_IPI = 0;
    String<500> COMPLEMENTO_IPI{};
    String<255> COMPLEMENTOLIVROCAIXA{};
    String<255> COMPLEMENTOLIVROCAIXAPZ{};
    String<255> COMPLEMENTOLIVROCAIXAPZDESC{};
    String<255> COMPLEMENTOLIVROCAIXAPZMULTA{};
    String<255> COMPLEMENTOLIVROCAIXAPZJUROS{};
    std::uint16_t CODHISTLC = 0;
    std::uint16_t CODHISTLCPZ = 0;
    std::uint16_t CODHISTLCPZDESC = 0;
    std::uint16_t CODHISTLCPZMULTA = 0;
    std::uint16_t CODHISTLCPZJUROS = 0;
    std::uint8_t PIS = 0;
    std::uint8_t COFINS = 0;
    std::uint8_t IRPJ = 0;
    std::uint8_t SIMPLES = 0;
    std::uint8_t SIMPLESESTADUAL = 0;
    std::uint8_t CSL = 0;
    std::int16_t CONTROLECFOVOREL = 0;  // third component of CFO:KEY:CFOVOREL
    std::uint8_t COLUNA = 0;  // print column, 1 to 9 (list below)
    std::uint8_t COLUNAVEIC = 0;  // vehicle column, 1 to 3 (field rule); new record: 1
    std::uint8_t CONTRIBUINTE = 0;  // new record: 1
    std::uint8_t CODSISTGIAMS = 0;
    DecimalField<5, 2> ALIQIR{};
    String<40> CONTADEBITOPRAZO{};
    String<40> CONTACREDITOPRAZO{};
    String<20> CCUSTOPRAZOC{};
    String<20> CCUSTOPRAZOD{};
    std::uint16_t HISTORICOPRAZO = 0;
    String<500> COMPLEMENTOPRAZO{};
    std::uint16_t CODREDBASEICMSMT = 0;
    String<20> CONTADEBITOICMSFONTE{};
    String<20> CONTACREDITOICMSFONTE{};
    String<20> CCUSTOICMSFONTEC{};
    String<20> CCUSTOICMSFONTED{};
    std::uint16_t HISTORICOICMSFONTE = 0;
    String<500> COMPLEMENTOICMSFONTE{};
    std::int16_t CODIGO_CFO_ARQUIVOMAGNETICO_VOREL = 0;  // the equivalent code in the numbering in force before 2003
    String<20> USUARIO{};
    std::int32_t DATAEXCLUSAO = 0;
    std::int32_t HORAEXCLUSAO = 0;
    std::uint8_t ADC50PCTSFSERV = 0;  // choice, field rule
    std::uint8_t MES_UNIFICA = 0;
    std::uint8_t TIPOENSINO = 0;  // choice, field rule
    std::uint16_t LP_VALOR_A_VISTA = 0;
    std::uint16_t LP_VALOR_A_PRAZO = 0;
    std::uint16_t LP_ICMS = 0;
    std::uint16_t LP_IPI = 0;
    std::uint16_t LP_ICMS_FONTE = 0;
    String<80> OBSERVACOESICMS{};
    String<80> OBSERVACOESIPI{};
    String<30> LP_ICMS_PRAZO{};
    String<20> ICMS_DEBITO_PRAZO{};
    String<20> ICMS_CREDITO_PRAZO{};
    String<20> CCUSTOICMSD_PRAZO{};
    String<20> CCUSTOICMSC_PRAZO{};
    std::uint16_t HISTORICO_PRAZO = 0;
    String<255> COMPLEMENTO_ICMS_PRAZO{};
    String<30> LP_IPI_PRAZO{};
    String<20> IPI_DEBITO_PRAZO{};
    String<20> IPI_CREDITO_PRAZO{};
    String<20> CCUSTOIPID_PRAZO{};
    String<20> CCUSTOIPIC_PRAZO{};
    std::uint16_t HISTORICO_IPI_PRAZO = 0;
    String<255> COMPLEMENTO_IPI_PRAZO{};
    String<30> LP_ST{};
    String<20> ST_DEBITO{};
    String<20> ST_CREDITO{};
    String<20> CCUSTOSTD{};
    String<20> CCUSTOSTC{};
    std::uint16_t HISTORICOST = 0;
    String<255> COMPLEMENTOST{};
    String<30> LP_ST_PRAZO{};
    String<20> ST_PRAZO_DEBITO{};
    String<20> ST_PRAZO_CREDITO{};
    String<20> CCUSTOSTPRAZOD{};
    String<20> CCUSTOSTPRAZOC{};
    std::uint16_t HISTORICO_ST_PRAZO = 0;
    String<255> COMPLEMENTO_ST_PRAZO{};
    std::uint8_t APURACAOPISCOFINS = 0;
    std::uint8_t IPI_EMBUTIDO = 0;
};
const data::TableDesc& CFO();

// CodCFOComplementar (CCF)
struct CodCFOComplementarRec {
    std::uint8_t CODIGO = 0;  // complementary CFOP code
    String<200> DESCRICAO{};  // description of the complementary code
};
const data::TableDesc& CodCFOComplementar();

// CNAE (CNAE)
struct CNAERec {
    std::uint32_t CODIGO = 0;  // CNAE activity code (7 digits)
    String<255> DESCRICAO{};  // description of the activity
    DecimalField<5, 2> PERCACITRAB{};
    DecimalField<5, 2> NOVOPERCSAT{};
    DecimalField<5, 2> PERCJAN2010{};
    std::int32_t DATAGRAVADA = 0;
    String<50> LOGIN{};
};
const data::TableDesc& CNAE();

// Estados (EST)
struct EstadosRec {
    String<2> UF{};  // state abbreviation (UF)
    String<20> DESC{};  // name of the state
    std::uint8_t SIMPLES = 0;
    std::uint8_t CODIGOGIA = 0;
    std::uint8_t CODSISTGIAMSENT = 0;
    std::uint8_t CODSISTGIAMSSAI = 0;
    std::uint8_t CODGIARJ = 0;
    std::uint8_t NIMPLENTRADARESFAT = 0;
    String<4> CODIGOUFGNRE{};
};
const data::TableDesc& Estados();

// Municipios (MUN)
struct MunicipiosRec {
    std::uint16_t CODIGO = 0;  // municipality code
    String<60> NOME{};  // name of the municipality
    String<2> ESTADO{};  // state of the municipality (an EST:UF)
    std::uint8_t SIMPLES = 0;
    String<100> TEXTO{};
    std::uint8_t ZFM_ALC = 0;
    std::uint32_t CODMUNGIA = 0;
    std::uint16_t CODMUNDIPAMB = 0;
    std::uint16_t CODMUNIRPJ = 0;
    std::uint32_t CODMUNRAIS = 0;
    std::uint16_t CODMUNGIARJ = 0;
    String<25> NOME_DOS{};  // name in capitals (second component of MUN:KEY:NOME_MAIUS)
    std::uint16_t CODMUNSEFPE = 0;
    std::uint16_t CODMUNDFCPR = 0;
};
const data::TableDesc& Municipios();

// ForCli (FOR)
struct ForCliRec {
    std::uint32_t Codigo = 0;  // supplier or customer code
    std::uint8_t TipoProdutos = 0;  // choice, field rule
    std::uint8_t TipoInscricao = 0;  // 1 CNPJ, 2 CPF (field rule); new record: 1
    String<14> CGC{};  // CNPJ, 14 digits
    String<11> CPF{};  // CPF, 11 digits
    String<20> InscricaoEstadual{};  // state registration
    String<100> Nome{};  // name
    String<40> Endereco{};  // street address
    std::uint32_t Numero = 0;  // street number
    String<25> Complemento{};  // address complement
    String<25> Bairro{};  // district
    String<60> Cidade{};  // city
    String<2> Estado{};  // state (an EST:UF)
    std::uint16_t DDD = 0;  // telephone area code
    std::uint32_t Telefone = 0;  // telephone number
    std::uint16_t Ramal = 0;  // telephone extension
    std::uint32_t Fax = 0;  // fax number
    std::uint32_t Cep = 0;  // postal code (CEP), 8 digits
    String<30> ContaFornecedor{};
    String<30> ContaCliente{};
    String<30> ContaProdutor{};
    std::uint8_t Clientes = 0;
    std::uint8_t Fornecedor = 0;
    std::uint8_t ProdutorRural = 0;
    std::int32_t MesImport = 0;  // import month
    std::uint32_t InscSUFRAMA = 0;
    String<20> CCM{};
    String<20> Usuario{};  // in the archive copy of a deleted record: the user (GLO:LOGIN) who deleted it
    std::int32_t DataExclusao = 0;  // in the archive copy: the day of the deletion (a date)
    std::int32_t HoraExclusao = 0;  // in the archive copy: the time of the deletion
    std::uint8_t Mes_Unifica = 0;
    std::uint32_t NLinha = 0;
    std::uint8_t ME = 0;  // choice, field rule
    String<50> Email{};
    std::uint8_t TipoCtrc = 0;  // choice, field rule
    std::int32_t SeuCodigo = 0;  // the client's own code for the supplier or customer
    std::uint8_t Inativo = 0;  // inactive mark
    std::uint8_t SuperSimples = 0;  // choice, field rule
    DecimalField<11, 2> SuperSimplesRecAcuPerc{};
    String<20> Pais{};
    std::uint8_t Publica = 0;
};
const data::TableDesc& ForCli();
using ForCli0Rec = ForCliRec;
const data::TableDesc& ForCli0();
using ForCliMortoRec = ForCliRec;
const data::TableDesc& ForCliMorto();

// ForCliQel (FCC)
struct ForCliQelRec {
    std::uint32_t CODFOR = 0;  // supplier or customer code (FOR:Codigo)
    DecimalField<15, 0> CODPROD{};  // product code (PRO:Codigo)
};
const data::TableDesc& ForCliQel();

// Produtos (PRO)
struct ProdutosRec {
    DecimalField<15, 0> Codigo{};  // product code
    String<20> Apelido{};  // the user's own code for the product
    String<100> Produtos{};  // product description
    DecimalField<7, 3> Alicota{};  // ICMS tax-substitution rate
    String<6> Medida{};  // unit of measure
    std::int32_t DataInicio = 0;  // first day of the rate's validity (a date)
    std::int32_t DataFinal = 0;  // last day of the rate's validity (a date)
    String<14> NBM{};
    String<8> NCM{};  // NCM code, 8 digits
    std::uint8_t Situacao = 0;
    DecimalField<7, 3> AliquotaIPI{};
    DecimalField<11, 2> BaseCalculoST{};
    String<3> Ex{};
    std::uint16_t Grupo = 0;  // product group
    String<40> Observacao{};
    std::int32_t MesImport = 0;  // import month
    DecimalField<7, 4> AliqReducao{};  // base-reduction rate
    std::uint8_t EmPara = 0;
    std::uint8_t DNF = 0;  // choice, field rule
    DecimalField<3, 0> CodProdDNF{};
    String<10> UnidadeEstatisca{};
    DecimalField<11, 3> FatorConversao{};
    String<14> Codigo_SEFAZ{};
    std::uint8_t Mes_Unifica = 0;
    std::int16_t CapacidadeML = 0;
    std::uint8_t TipoReceita = 0;  // choice, field rule
    DecimalField<11, 4> IVA{};
    std::uint16_t Tipo_Merc_Qel44 = 0;
    DecimalField<11, 4> IVAajustado{};
    DecimalField<7, 3> AliqICMSST{};
    DecimalField<13, 3> Saldo{};  // quantity of products
    std::uint8_t TipoSpeed = 0;  // choice, field rule
    std::uint8_t Genero = 0;
    std::uint16_t CodServSpeed = 0;
    String<20> CodComb{};
    std::uint8_t CST_Entrada = 0;
    std::uint8_t CST_Saida = 0;
    String<4> CSOSN{};
    String<3> NaturezaReceita{};
};
const data::TableDesc& Produtos();
using Produtos0Rec = ProdutosRec;
const data::TableDesc& Produtos0();

// ProdutosAliq (PALIQ)
struct ProdutosAliqRec {
    DecimalField<15, 0> CODIGO_PRODUTO{};  // product code (PRO:Codigo)
    DecimalField<15, 0> CODIGO{};  // sequential code of the row, unique over the whole file
    DecimalField<7, 3> ALIQUOTA{};  // ICMS tax-substitution rate
    std::int32_t DATA_INICIAL = 0;  // first day of the period in which the rate is in force
    std::int32_t DATA_FINAL = 0;  // last day of that period; no date (0) while it is the product's open period
    std::int32_t DATA_ALTERACAO = 0;  // latest movement date that confirmed the rate
};
const data::TableDesc& ProdutosAliq();

// LoteVorel (LTC)
struct LoteVorelRec {
    String<20> LOTE{};  // batch description
    std::uint8_t TIPO = 0;  // 0 previous batch, 1 current batch (field rule)
    DecimalField<15, 0> CODPRODUTO{};  // product code (PRO:Codigo)
};
const data::TableDesc& LoteVorel();

// TabValorIndProduto (TVP)
struct TabValorIndProdutoRec {
    std::int32_t COMPETENCIA = 0;  // month of reference (a date)
    DecimalField<15, 0> CODPRODUTO{};  // product code (PRO:Codigo)
    DecimalField<15, 5> VALOR{};  // entry unit value
};
const data::TableDesc& TabValorIndProduto();

// TabelaValorProdutoSaida (TVPS)
struct TabelaValorProdutoSaidaRec {
    std::int32_t DATA = 0;  // date of the value (a date)
    DecimalField<15, 0> CODPRODUTO{};  // product code (PRO:Codigo)
    DecimalField<11, 2> VALOR{};  // exit unit value
};
const data::TableDesc& TabelaValorProdutoSaida();

}  // namespace vorel::dictionary
