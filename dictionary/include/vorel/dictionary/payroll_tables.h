// The suite's payroll tables: the employees (this program's responsible persons), their change
// history and the chain below them (dependants, vaccinations, allowance suspensions, dated
// entries and the stored bases of averages), reached here through the relations only.
//
// One record struct per table (`FuncionariosRec` holds `FUN:...`), and the function that gives the
// table's description (`Funcionarios()`). An alias shares its base's struct. The descriptions live in
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

// Funcionarios (FUN)
struct FuncionariosRec {
    std::uint32_t CODIGO = 0;  // person code; auto-numbered (key FUN:Key:Codigo)
    String<70> Nome{};  // name
    String<40> ENDERECO{};  // street address
    std::uint16_t NUMERO = 0;  // street number
    String<25> COMPLEMENTO{};  // address complement
    String<25> BAIRRO{};  // district
    std::uint32_t CEP = 0;  // postal code (CEP), 8 digits
    String<2> UF{};  // state, two letters (a state of Estados)
    String<15> RG{};  // identity card (RG) number
    String<10> ORGAO{};  // identity card issuer
    std::int32_t DATAEMISSAORG = 0;  // identity card issue date
    String<11> CPF{};  // CPF, 11 digits without punctuation
    String<14> CNPJ{};
    std::int32_t ADMISSAO = 0;  // admission date
    std::int32_t DTEXAMEADMISSIONAL = 0;
    std::int32_t DEMISSAO = 0;  // dismissal date
    std::int32_t DTEXAMEDEMISSIONAL = 0;
    String<60> CIDADE{};  // municipality name (a municipality of Municipios)
    String<40> EMAIL{};  // e-mail address
    std::int16_t DDD = 0;  // telephone area code (DDD)
    std::uint32_t TELEFONE = 0;  // telephone number
    std::int16_t RAMAL = 0;  // telephone extension
    std::uint32_t TELEFONE_2 = 0;
    std::uint8_t CATEGORIA = 0;  // category code (the responsible-person form's category list)
    String<70> NPAI{};
    String<70> NMAE{};
    std::uint8_t ESTADOCIVIL = 0;  // marital status (field rule; new record: 1)
    std::uint8_t SEXO = 0;  // sex (field rule; new record: 1)
    std::int32_t NASCIMENTO = 0;
    String<20> NATURALDE{};
    std::uint8_t GRAUINSTRUCAO = 0;  // level of schooling (field rule; new record: 1)
    std::uint16_t CHAPA = 0;
    std::uint8_t RACA = 0;  // race (field rule; new record: 1)
    std::uint8_t NACIONALIDADE = 0;
    std::int32_t ANOCHEGADA = 0;
    DecimalField<11, 0> PIS{};  // PIS number or INSS registration, 11 digits
    DecimalField<13, 0> TITELEITOR{};
    std::uint16_t TITELEITORZONA = 0;
    std::uint16_t TITELEITORSECAO = 0;
    std::uint8_t DEFICIENTEFISICO = 0;  // disability (field rule)
    std::uint32_t CTPS_NUMERO = 0;
    std::uint32_t CTPS_SERIE = 0;
    String<2> CTPS_UF{};
    std::int32_t DATAEMISSAOCTPS = 0;
    String<3> LIVRONUMERO{};
    std::uint16_t LIVROPAGINA = 0;
    String<12> CERTIFICADOMILITAR{};
    DecimalField<11, 0> HABILITACAO{};
    String<3> HABILITACAOCATEGORIIA{};
    std::int32_t DATAOPCAOFGTS = 0;
    std::uint8_t OPCAOCAGED = 0;
    std::uint8_t QTDHORASSEM = 0;  // hours worked per week (field rule)
    DecimalField<5, 2> QTDHORASMES{};
    std::int32_t EXPERIENCIA1 = 0;
    std::int32_t EXPERIENCIA2 = 0;
    DecimalField<11, 0> CONTAFGTS{};
    std::uint16_t BANCOCONTA = 0;
    std::uint16_t BANCOFGTS = 0;
    String<40> CONTACORRENTE{};
    std::int32_t CONTARAZAO = 0;
    std::uint16_t SINDICATO = 0;
    std::uint8_t VINCULORAIS = 0;
    String<100> FOTO{};  // path of the person's picture file
    String<20> INSCRICAOCLASSE{};  // registration number with a professional body (such as CREA, OAB, CRC)
    String<20> DESCRICAODACLASSE{};
    std::int32_t DTAVISOPREVIO = 0;
    std::uint8_t TIPOAVISOPREVIO = 0;
    std::uint8_t IMPRESCISAO = 0;
    std::uint16_t CAUSARESCISAO = 0;
    std::int32_t DTRECRESCISAO = 0;
    DecimalField<7, 4> PCTCAPTOTAL{};
    DecimalField<7, 4> PCTCAPVOTANTE{};
    DecimalField<11, 2> FGTSEMGRFC{};
    String<40> CONTACONTABILDISTRLUCRO{};
    std::uint8_t RECOLHERGRFC = 0;  // field rule
    std::int32_t DATARECGRFC = 0;
    std::uint8_t DEPOSMESANTERIOR = 0;  // field rule; new record: 1
    std::uint8_t Transporte = 0;  // field rule
    std::uint8_t ALVARA = 0;
    std::uint8_t CODADMRAIS = 0;
    String<20> CABELO{};
    String<20> OLHOS{};
    DecimalField<3, 2> ALTURA{};
    DecimalField<7, 2> PESO{};
    std::int32_t PASSAPORTE_NUM = 0;
    std::int32_t PASSAPORTE_VALIDADE = 0;
    std::uint16_t AGENCIACEF = 0;
    std::uint32_t DATAPIS = 0;
    std::uint16_t PPP_DADOSADMBR_PDH = 0;
    std::array<std::int32_t, 4> PPP_CATDATA{};
    std::array<String<15>, 4> PPP_CATNUMERO{};
    std::array<std::int32_t, 4> PPP_LOTACAODATAINICIAL{};
    std::array<std::int32_t, 4> PPP_LOTACAODATAFINAL{};
    std::array<String<20>, 4> PPP_LOTACAOINSCRICAO{};
    std::array<String<15>, 4> PPP_LOTACAOSETOR{};
    std::array<String<30>, 4> PPP_LOTACAOFUNCAO{};
    std::array<std::int32_t, 4> PPP_PROFISSIOGRAFIADATAINICIAL{};
    std::array<std::int32_t, 4> PPP_PROFISSIOGRAFIADATAFINAL{};
    std::array<String<255>, 4> PPP_PROFISSIOGRAFIADESCRICAO{};
    std::array<std::int32_t, 4> PPP_EXPORISCODATAINICIAL{};
    std::array<std::int32_t, 4> PPP_EXPORISCODATAFINAL{};
    std::array<String<1>, 4> PPP_EXPORISCOTIPO{};
    std::array<String<40>, 4> PPP_EXPORISCOFATORRISCO{};
    std::array<String<15>, 4> PPP_EXPORISCOINTENSIDADE{};
    std::array<String<40>, 4> PPP_EXPORISCOTECNICA{};
    std::array<String<1>, 4> PPP_EXPORISCOEPCEFICAZ{};
    std::array<String<1>, 4> PPP_EXPORISCOEPIEFICAZ{};
    std::array<String<5>, 4> PPP_EXPORISCOCAEPI{};
    std::array<std::int32_t, 3> PPP_REGAMBIENTAISDATAINICIAL{};
    std::array<std::int32_t, 3> PPP_REGAMBIENTAISDATAFINAL{};
    std::array<String<9>, 3> PPP_REGAMBIENTAISREGCONSELHO{};
    std::array<String<40>, 3> PPP_REGAMBIENTAISNOMEPROF{};
    std::array<std::int32_t, 4> PPP_EXAMEMEDICODATA{};
    std::array<String<1>, 4> PPP_EXAMEMEDICOTIPO{};
    std::array<String<50>, 4> PPP_EXAMEMEDICONATUREZA{};
    std::array<String<1>, 4> PPP_EXAMEMEDICOEXAME{};
    String<1> PPP_SECAOII159A{};
    String<1> PPP_SECAOII159B{};
    String<1> PPP_SECAOII159C{};
    String<1> PPP_SECAOII159D{};
    String<1> PPP_SECAOII159E{};
    std::array<std::uint8_t, 4> PPP_EXAMEMEDICORESULTNORMAL{};
    std::array<std::uint8_t, 4> PPP_EXAMEMEDICORESULTALTERADO{};
    std::array<std::uint8_t, 4> PPP_EXAMEMEDICORESULTESTAVEL{};
    std::array<std::uint8_t, 4> PPP_EXAMEMEDICORESULTAGRAVAMENTO{};
    std::array<std::uint8_t, 4> PPP_EXAMEMEDICORESULTOCUPACIONAL{};
    std::array<std::uint8_t, 4> PPP_EXAMEMEDICORESULTNOCUPACIONAL{};
    std::array<std::int32_t, 3> PPP_MONITBIOLOGICADATAINICIAL{};
    std::array<std::int32_t, 3> PPP_MONITBIOLOGICADATAFINAL{};
    std::array<String<20>, 3> PPP_MONITBIOLOGICANIT{};
    std::array<String<9>, 3> PPP_MONITBIOLOGICAREGCONSELHO{};
    std::array<String<40>, 3> PPP_MONITBIOLOGICANOMEPROF{};
    std::int32_t PPP_RESPONSAVEISDATAEMISSAO = 0;
    String<1500> PPP_RESPONSAVEISOBSERVACOES{};
    std::uint16_t PERIODOEXAMEMEDICO = 0;
    std::int32_t GPSAUTONOMO = 0;
    std::int32_t HOMOLOGACAODATA = 0;
    String<50> HOMOLOGACAOLOCAL{};
    String<50> HOMOLOGACAOENDERECO{};
    std::uint16_t HOMOLOGACAONUMERO = 0;
    std::int32_t HOMOLOGACAOHORA = 0;
    String<500> HOMOLOGACAOMOTIVOJUSTACAUSA{};
    std::uint8_t NAODESCONTARAVPREVIO = 0;
    std::uint8_t AVISOPREVIO = 0;  // field rule
    DecimalField<11, 2> VLRRECMESANTERIOR{};
    DecimalField<11, 2> VLRRECMESRESCISAO{};
    DecimalField<11, 2> VLRRECAVISOPREVIOIND{};
    DecimalField<11, 2> VLRRECMULTARESCISORIA{};
    std::uint8_t ResponsavelReceitaFederal = 0;  // field rule
    std::uint8_t PENSAOALCALC = 0;  // field rule
    std::uint16_t PENSAOALCODSAL = 0;
    DecimalField<7, 2> PENSAOALPCT{};
    std::uint8_t PENSAOAL = 0;  // field rule
    std::uint8_t SINDICALIZADO = 0;
    std::uint8_t CalcHoras = 0;  // field rule
    std::uint8_t CalcMediasalario = 0;  // field rule
    std::uint8_t TIPOTERMINO1 = 0;  // field rule
    std::uint8_t TIPOTERMINO2 = 0;  // field rule
    std::uint16_t QUANTIDADE1 = 0;
    std::uint16_t QUANTIDADE2 = 0;
    DecimalField<11, 2> REMFINSRESC{};
    std::uint8_t RemFinsRescManual = 0;  // field rule
    std::uint8_t TIPOCALCHORAS = 0;
    String<40> EMP_RESP_NOME{};
    String<15> EMP_RESP_RG{};
    String<15> EMP_RESP_RG_ORGAO{};
    String<15> EMP_RESP_RG_UF{};
    String<11> EMP_EESP_CPF{};
    String<1> REPVAGA{};
    std::uint32_t CODEMPRESATRANSF = 0;
    std::uint32_t CODFUNCTRANSF = 0;
    std::int32_t DATATRANSF = 0;
    std::uint8_t TIPOTRANSF = 0;  // field rule
    std::uint8_t CalcularD13Rescisao = 0;  // field rule
    std::uint8_t Inativo = 0;  // field rule
    std::uint8_t TRANSFERENCIAFUNC = 0;
    std::uint8_t QTDEDIASFERIASRESCISAO = 0;
    std::uint8_t PERMITIRMAISRECBMES = 0;
    String<20> INSCMUNICIPAL{};
    std::uint8_t NCALCULARIRRF = 0;
    String<80> ASSINATURADIGITAL{};
    std::uint8_t FUNCIONARIAGRAVIDA = 0;
    std::uint8_t QTDEMESESGRAVIDA = 0;
    std::uint8_t RESCISAOTRAVADA = 0;
    std::uint8_t NAOCALCULACONTRIBUICOES = 0;
    std::uint8_t VisuAssinaturaRel = 0;  // field rule
    std::uint8_t TipoContratoHomolognet = 0;  // field rule
    std::uint8_t ComprovouEmpregoPerAviso = 0;  // field rule
    DecimalField<5, 2> PENSAOFGTS{};
    DecimalField<11, 2> VLRREMUMESANTHOMOLOGNET{};
    String<5> CODAFASTAMENTOHOMOLOGNET{};
    std::uint8_t LeiAviso = 0;  // field rule
    std::uint8_t ContagemDias = 0;  // field rule
    std::uint8_t DiasAcrescimo = 0;  // field rule
    DecimalField<11, 2> REMFINSRESCCOMP{};
    std::int32_t DATAAFASTHOMOLOGNET = 0;
    std::uint8_t CTDTipo = 0;  // field rule
    std::int32_t CTDDATAEMISSAO = 0;
    String<40> CTDTERMO_MATRICULA{};
    String<20> CTDLIVRO{};
    String<20> CTDFOLHA{};
    String<20> CTDCARTORIO{};
    String<2> CTDUF{};
    String<50> CTDMUNICIPIO{};
    std::int32_t CNHEMISSAO = 0;
    std::int32_t CNHVALIDADE = 0;
    DecimalField<7, 2> PCTCAPVOLANTE{};
    std::int32_t ENTRADAHORTRAB = 0;
    std::int32_t INTERVALOINIHORTRAB = 0;
    std::int32_t INTERVALOFIMHORTRAB = 0;
    std::int32_t SAIDAHORTRAB = 0;
    std::int32_t FERIASPROGRAMADAS = 0;
    std::int32_t CAGEDGERADO = 0;
    std::int32_t CAGEDENVIADO = 0;
    std::int32_t VEICDATA = 0;
    String<20> VEICPLACA{};
    String<50> VEICMARCAMODELO{};
    String<20> VEICRENAVAM{};
    String<2> VEICUF{};
    std::int32_t RENADDATAINICIAL = 0;
    std::int32_t RENADDATAFINAL = 0;
};
const data::TableDesc& Funcionarios();

// ACFuncionarios (ACFUN)
struct ACFuncionariosRec {
    std::uint32_t CODIGOFUN = 0;  // the person's FUN:CODIGO
    std::uint8_t CODIGOCAMPO = 0;  // change type: which item of the person changed (the change history's numbering)
    std::int32_t DATA = 0;  // the date from which the change applies
    DecimalField<11, 4> VALOR{};  // numeric value of the change
    String<50> ALTERACAO{};  // text value of the change
    String<50> ANOTACAO{};  // annotation
    std::int32_t DATAEX = 0;  // a second date kept with the change
};
const data::TableDesc& ACFuncionarios();

// Dependentes (DEP)
struct DependentesRec {
    std::uint32_t CODIGOFUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint8_t CODIGODEPENDENTE = 0;  // dependant number within the employee; auto-numbered
    String<40> NOME{};  // dependant's name
    std::uint8_t TIPO = 0;  // kind of dependant (field rule)
    std::int32_t NASCIMENTO = 0;
    std::int32_t DATAENTREGA = 0;
    String<20> LOCALNASCIMENTO{};
    String<20> CARTORIO{};
    String<50> NUMEROREGISTRO{};
    std::uint16_t NUMEROFOLHA = 0;
    std::uint8_t FOLHAFV = 0;
    String<7> LIVROREGISTRO{};
    std::uint8_t DEPEDENTEIRRF = 0;
    std::uint8_t DEPENDENTESF = 0;
    std::uint8_t SEXO = 0;  // sex (field rule)
    std::uint8_t DEPIDADEESCOLAR = 0;
};
const data::TableDesc& Dependentes();

// DepVacinacao (DVACI)
struct DepVacinacaoRec {
    std::uint32_t CODIGOFUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint8_t CODIGODEPENDENTE = 0;  // the dependant's DEP:CODIGODEPENDENTE
    std::uint8_t CODIGOVACINA = 0;  // vaccine code
    std::uint8_t NUMERODOSE = 0;  // dose number within employee, dependant and vaccine; auto-numbered
    std::int32_t DATA = 0;
};
const data::TableDesc& DepVacinacao();

// DepSuspSF (DSSF)
struct DepSuspSFRec {
    std::uint32_t CODIGOFUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint8_t CODIGODEPENDENTE = 0;  // the dependant's DEP:CODIGODEPENDENTE
    std::int32_t DATAINICIO = 0;
    std::int32_t DATAFINAL = 0;
};
const data::TableDesc& DepSuspSF();

// MovFuncionarios (MOVFUNC)
struct MovFuncionariosRec {
    std::uint32_t FUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint8_t FERIASEMDOBRO = 0;
    std::uint8_t CLANCAMENTO = 0;  // entry number within the employee; auto-numbered
    std::uint8_t TIPO = 0;  // kind of entry (field rule)
    std::int32_t INICIO = 0;
    std::int32_t FINAL = 0;
    std::int32_t PERAQINICIAL = 0;
    std::int32_t PERAQFINAL = 0;
    std::int32_t PERGOZOINICIAL = 0;
    std::int32_t PERGOZOFINAL = 0;
    std::int32_t PERABPECINICIAL = 0;
    std::int32_t PERABPECFINAL = 0;
    std::int32_t DTRECFERIAS = 0;
    std::int32_t DTAVFERIAS = 0;
    DecimalField<11, 2> SALARIO1{};
    DecimalField<11, 2> SALARIO2{};
    DecimalField<11, 2> SALARIO3{};
    DecimalField<11, 2> SALARIO4{};
    DecimalField<11, 2> SALARIO5{};
    DecimalField<11, 2> SOMASALARIO{};
    DecimalField<11, 2> SOMASALREFLEXOS{};
    std::int32_t AFASTAMENTO = 0;
    std::int32_t RETORNO = 0;
    std::int32_t ATESTADO = 0;
    std::int32_t TERMINOATESTADO = 0;
    std::int32_t DATANASCIMENTO = 0;
    std::uint8_t CODRAIS = 0;
    std::uint8_t Paga13Salario = 0;  // field rule
    std::uint8_t NCONSFERIADOFERIAS = 0;
    std::uint8_t FERIAS_COLETIVAS = 0;
    std::uint8_t FERIAS_INCOMPLETA = 0;
    std::uint8_t QTDDIASLICREM = 0;
    DecimalField<7, 2> QTDEFERIASPROPORCIONAIS{};
    std::uint8_t NAODESCFALTAS = 0;
    std::uint8_t QTDEFERIASDOBRO = 0;
    std::uint8_t AFASTMESMADECOR = 0;
    std::uint8_t VESPERAS = 0;
    std::uint8_t FERIASTRAVADA = 0;
    String<20> NUMBENEFICIO{};
    std::uint8_t NAOSOMARREFLEXOS = 0;
    std::uint8_t FALTAMANUAL = 0;
    std::uint8_t QTDEFALTAS = 0;
    std::uint8_t PERDEUFERIAS = 0;
    std::uint8_t QTDEMESESAFASTADOS = 0;
    std::int32_t NVPERIODOAQUISITIVO = 0;
};
const data::TableDesc& MovFuncionarios();

// RefTotalMedia (REFTOTMED)
struct RefTotalMediaRec {
    std::uint32_t FUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint16_t LANCAMENTO = 0;  // the owning MOVFUNC:CLANCAMENTO
    std::uint8_t COMPLEMENTO = 0;
    std::uint8_t CALCULO = 0;
    std::int32_t REFERENCIA = 0;
    std::uint8_t QTDEMESMEDIA = 0;
    DecimalField<11, 2> VALORTOTAL{};
    std::int32_t MESI = 0;
    std::int32_t MESF = 0;
    std::uint8_t SELECIONA = 0;
    std::int32_t PERAQFERIASINICIO = 0;
    std::int32_t PERAQFERIASFINAL = 0;
    std::uint8_t QTDEMESESFERIAS = 0;
    std::uint32_t QTDEFALTAS = 0;
    std::int32_t MESINIMEDIA = 0;
    std::int32_t MESFINMEDIA = 0;
};
const data::TableDesc& RefTotalMedia();

// RefMedCta (REFMEDCTA)
struct RefMedCtaRec {
    std::uint32_t FUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint16_t LANCAMENTO = 0;
    std::uint8_t COMPLEMENTO = 0;
    std::uint8_t CALCULO = 0;
    std::int32_t REFERENCIA = 0;
    std::uint8_t QTDEMESMEDIA = 0;
    std::uint16_t CONTA = 0;
    DecimalField<11, 2> TOTAL{};
    std::uint8_t DIVISOR = 0;
    DecimalField<11, 2> MEDIA{};
    DecimalField<11, 2> VALOR{};
    std::int32_t MESI = 0;
    std::int32_t MESF = 0;
    std::uint8_t ALTEROUVLR = 0;
    std::uint8_t INCLUIMANUAL = 0;
    std::uint8_t INCLUIMANUALVALOR = 0;
};
const data::TableDesc& RefMedCta();

// RefVlrMensais (REFVLRMEN)
struct RefVlrMensaisRec {
    std::uint32_t FUNCIONARIO = 0;  // the employee's FUN:CODIGO
    std::uint16_t LANCAMENTO = 0;
    std::uint8_t CALCULO = 0;
    std::int32_t REFERENCIA = 0;
    std::uint16_t CONTA = 0;
    std::int32_t MES = 0;
    DecimalField<11, 2> VALOR{};
    std::uint8_t INCLUIMANUAL = 0;
};
const data::TableDesc& RefVlrMensais();

}  // namespace vorel::dictionary
