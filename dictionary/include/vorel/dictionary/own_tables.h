// The program's own tables: entry and exit items and their quantity lines, vehicles and
// cash registers, the computation's results and work tables, users, month closing and its log,
// printers, the text-line table and the import layouts.
//
// One record struct per table (`EntradaVorelRec` holds `ENT:...`), and the function that gives the
// table's description (`EntradaVorel()`). An alias shares its base's struct. The descriptions live in
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

// EntradaVorel (ENT)
struct EntradaVorelRec {
    String<14> Cnpj{};
    std::int32_t DataEmissao = 0;
    String<2> Serie{};
    std::uint32_t Numero = 0;
    std::uint16_t CFO = 0;
    std::int16_t Complemento = 0;
    std::uint8_t CFOComplementar = 0;
    DecimalField<13, 3> Quantidade{};
    DecimalField<13, 2> BaseICMS{};
    DecimalField<15, 2> ValorICMS{};
    DecimalField<15, 0> CodMercadoria{};
    DecimalField<7, 3> Aliquota{};
    std::uint8_t MesImpor = 0;
    String<2> Estado{};
    DecimalField<13, 2> BaseAntReducao{};
    DecimalField<13, 2> BaseICMSPropria{};
    std::uint32_t Nf_Origem = 0;
    std::uint8_t Saldo_Inicial = 0;
    String<20> Lote{};
    std::uint32_t CodigoForCli = 0;
};
const data::TableDesc& EntradaVorel();
using EntradaVorel0Rec = EntradaVorelRec;
const data::TableDesc& EntradaVorel0();

// SaidaVorel (SAI)
struct SaidaVorelRec {
    std::int32_t DataSaida = 0;
    String<20> Lote{};
    String<14> CNPJ{};
    String<2> Serie{};
    std::uint32_t Numero = 0;
    std::uint16_t CFO = 0;
    std::int16_t Complemento = 0;
    String<2> CFOComplementar{};
    DecimalField<13, 3> Quantidade{};
    DecimalField<13, 2> BaseCalculo{};
    DecimalField<13, 2> ICMS{};
    DecimalField<15, 0> CodMercadoria{};
    DecimalField<7, 3> Alicota{};
    std::uint8_t MesImpor = 0;
    DecimalField<13, 2> BaseAntReducao{};
    String<2> Estado{};
    std::uint8_t TipoValor = 0;
    std::uint32_t CodigoForCli = 0;
};
const data::TableDesc& SaidaVorel();
using SaidaVorel0Rec = SaidaVorelRec;
const data::TableDesc& SaidaVorel0();

// QuantidadeVorel (QUA)
struct QuantidadeVorelRec {
    String<2> Serie{};
    String<1> Procedencia{};
    std::uint32_t Numero = 0;
    std::int32_t DataEmissao = 0;
    std::uint32_t Quantidade = 0;
    std::uint32_t Unitario = 0;
    String<14> Cnpj{};
    DecimalField<11, 2> VlrProduto{};
    DecimalField<15, 6> Margem{};
};
const data::TableDesc& QuantidadeVorel();
using QuantidadeVorel0Rec = QuantidadeVorelRec;
const data::TableDesc& QuantidadeVorel0();
using QuantidadeVorel1Rec = QuantidadeVorelRec;
const data::TableDesc& QuantidadeVorel1();

// EntradaVeiculo (ENV)
struct EntradaVeiculoRec {
    String<14> CNPJforcli{};
    String<22> Chassi{};
    std::int32_t DataEntrada = 0;
    std::uint32_t Numero = 0;
    String<2> Serie{};
    DecimalField<13, 2> BasepropSubstituid{};
    DecimalField<13, 2> BaseCalcRetencao{};
    std::uint16_t CFO = 0;
    std::int16_t Complemento = 0;
    DecimalField<7, 3> Aliquota{};
    std::uint8_t CFOComplementar = 0;
    DecimalField<13, 3> Quantidade{};
    DecimalField<15, 0> CodProduto{};
    std::uint8_t MesImpor = 0;
    String<2> Estado{};
};
const data::TableDesc& EntradaVeiculo();
using EntradaVeiculo0Rec = EntradaVeiculoRec;
const data::TableDesc& EntradaVeiculo0();

// SaidaVeiculo (SAV)
struct SaidaVeiculoRec {
    String<22> Chassi{};
    std::int32_t DataSaida = 0;
    std::uint32_t Numero = 0;
    String<2> Serie{};
    DecimalField<13, 2> BaeSaidaComercial{};
    DecimalField<13, 2> BaseSaidaConsFinal{};
    std::uint16_t CFO = 0;
    std::int16_t Complemento = 0;
    DecimalField<7, 3> Aliquota{};
    std::uint8_t CFOComplementar = 0;
    String<14> CNPJforcli{};
    DecimalField<13, 3> Quantidade{};
    DecimalField<15, 0> CodProduto{};
    std::uint8_t MesImpor = 0;
    String<2> Estado{};
};
const data::TableDesc& SaidaVeiculo();
using SaidaVeiculo0Rec = SaidaVeiculoRec;
const data::TableDesc& SaidaVeiculo0();

// ICMSEletronica (ICM)
struct ICMSEletronicaRec {
    std::int16_t Codigo = 0;
    String<30> Nome{};
    String<15> Serie{};
    String<2> CumpomFiscal{};
    std::int32_t MesImpor = 0;
};
const data::TableDesc& ICMSEletronica();
using ICMSEletronica0Rec = ICMSEletronicaRec;
const data::TableDesc& ICMSEletronica0();

// LancICMSEletronico (LAN)
struct LancICMSEletronicoRec {
    std::int16_t Codigo = 0;
    String<8> DataEmissao{};
    std::int32_t InicialCupom = 0;
    std::int32_t FinalCupom = 0;
    std::int32_t ContReducao = 0;
    DecimalField<17, 2> GTInicio{};
    DecimalField<17, 2> GTFinal{};
    std::uint8_t Fechamento = 0;
    std::int32_t MesImpor = 0;
};
const data::TableDesc& LancICMSEletronico();
using LancICMSEletronico0Rec = LancICMSEletronicoRec;
const data::TableDesc& LancICMSEletronico0();

// AnaliticoICMS (ANA)
struct AnaliticoICMSRec {
    std::int16_t Codigo = 0;
    String<8> DataEmissao{};
    String<4> Aliquota{};
    std::uint8_t Fechamento = 0;
    DecimalField<13, 2> Totalizador{};
    std::int32_t MesImpor = 0;
};
const data::TableDesc& AnaliticoICMS();
using AnaliticoICMS0Rec = AnaliticoICMSRec;
const data::TableDesc& AnaliticoICMS0();

// MovMaqRegistradora (MMR)
struct MovMaqRegistradoraRec {
    std::int16_t Codigo = 0;
    std::uint8_t Fechamento = 0;
    String<8> DataEmissao{};
    DecimalField<15, 0> CodMercadoria{};
    DecimalField<13, 3> Quantidade{};
    DecimalField<13, 2> BaseCalculo{};
    DecimalField<13, 2> ValorICMS{};
    String<4> Aliquota{};
    std::int32_t MesImpor = 0;
};
const data::TableDesc& MovMaqRegistradora();
using MovMaqRegistradora0Rec = MovMaqRegistradoraRec;
const data::TableDesc& MovMaqRegistradora0();

// SaldosVorel (SQEL)
struct SaldosVorelRec {
    String<14> Produto{};
    std::int32_t Competencia = 0;
    DecimalField<7, 3> Aliquota{};
    DecimalField<13, 3> QuantProdutos{};
    DecimalField<13, 6> ValorUnit{};
    DecimalField<11, 2> BaseAcunulada{};
    DecimalField<11, 2> CalcUsuFinal{};
    DecimalField<11, 2> CalcFGNRealisado{};
    DecimalField<11, 2> CalcIsenta{};
    DecimalField<11, 2> CalcOutUF{};
    DecimalField<11, 2> CalcSubsequente{};
    DecimalField<11, 2> ConfUsuFinal{};
    DecimalField<11, 2> ConfDemHip{};
    std::uint8_t Situacao = 0;
    DecimalField<13, 3> SaldoAnterior{};
    std::uint8_t Exclusao = 0;
    DecimalField<13, 6> ValorUnit_Ant{};
};
const data::TableDesc& SaldosVorel();
using SaldosVorel0Rec = SaldosVorelRec;
const data::TableDesc& SaldosVorel0();

// EntradaSaidaVorel (ESA)
struct EntradaSaidaVorelRec {
    std::int32_t DATA = 0;
    String<14> CNPJFORPROD{};
    std::int32_t SDATA = 0;
    String<2> SERIE{};
    String<2> SSERIE{};
    String<15> NUMERO{};
    String<15> SNUMERO{};
    std::uint16_t CFO = 0;
    std::uint16_t SCFO = 0;
    std::uint8_t COMPLEMENTO = 0;
    std::uint8_t SCOMPLEMENTO = 0;
    std::int16_t CFOCOMPL = 0;
    std::int16_t SCFOCOMPL = 0;
    DecimalField<13, 3> QUANTIDADE{};
    DecimalField<13, 3> SQUANTIDADE{};
    DecimalField<13, 2> BASEICMS{};
    DecimalField<13, 2> SBASEICMS{};
    DecimalField<15, 0> CODMERCADORIA{};
    DecimalField<15, 0> SCODMERCADORIA{};
    String<4> ALIQUOTA{};
    String<4> SALIQUOTA{};
    String<22> CHASSI{};
    String<22> SCHASSI{};
    DecimalField<11, 2> BASEPROPSUBSTITUIDO{};
    DecimalField<11, 2> SBASEPROPSUBSTITUIDO{};
    DecimalField<11, 2> BASEEFETENT{};
    DecimalField<11, 2> SBASEEFETENT{};
    DecimalField<11, 2> BASEESTREMANESCENTE{};
    DecimalField<11, 2> SBASEESTREMANESCENTE{};
    std::uint8_t ENTSAI = 0;
    std::int32_t DATAESPELHO = 0;
    std::int32_t SDATAESPELHO = 0;
    String<20> LOTE{};
    DecimalField<13, 6> SAIVALUNITARIO{};
    DecimalField<11, 2> SAICONSFINAL{};
    DecimalField<11, 2> SAINREALIZADO{};
    DecimalField<11, 2> SAIISENTA{};
    DecimalField<11, 2> SAIOUTORUF{};
    DecimalField<11, 2> SAISUBSEQUENTE{};
    DecimalField<11, 2> CONFUSUFINAL{};
    DecimalField<11, 2> CONFENTRADASDEMHIP{};
    DecimalField<15, 3> SALDOQUANTIDADE{};
    DecimalField<13, 6> SALDOVALUNITARIO{};
    DecimalField<11, 2> SALDOBASERETENCAO{};
    String<20> INSCESTADUAL{};
    String<2> UF{};
    std::uint32_t CODIGOFORCLI = 0;
};
const data::TableDesc& EntradaSaidaVorel();

// ResumoFinal (RFC)
struct ResumoFinalRec {
    DecimalField<5, 2> PERCENTUAL{};
    DecimalField<13, 2> RETFINALCONSFINAL{};
    DecimalField<13, 2> RETFINALFGNREALISADO{};
    DecimalField<13, 2> RETFINALISENTA{};
    DecimalField<13, 2> RETFINALOUTESTADO{};
    DecimalField<13, 2> RETFINALSAISUBSEQUENTE{};
    DecimalField<13, 2> SOMARETSAIDA{};
    DecimalField<13, 2> RETCONSAIDAUSUFINAL{};
    DecimalField<13, 2> RETCONDEMHIP{};
    DecimalField<13, 2> SOMACOSAIDAS{};
    DecimalField<13, 2> BASEDIFIMPCOMPL{};
    DecimalField<13, 2> BASEDIFIMPRESS{};
    DecimalField<13, 2> VALIMPCOMPL{};
    DecimalField<13, 2> VALIMPRESS{};
    DecimalField<13, 2> VEICDIFCOMPLEMENTADO{};
    DecimalField<13, 2> VEICDIFRESSARCIDO{};
    DecimalField<13, 2> VEICDIFCOMPENSADO{};
    DecimalField<13, 2> SALDOANTERIOR{};
    DecimalField<13, 2> ENTRADAEXDEVO{};
    DecimalField<13, 2> ENTRADAOUTEST{};
    DecimalField<13, 2> BASEESTFINAL{};
    DecimalField<13, 2> BASEREVENDA{};
    DecimalField<13, 2> BASEENTDEVOLUCAO{};
    std::uint32_t COD_FORNECEDOR = 0;
};
const data::TableDesc& ResumoFinal();

// Senhas (SEN)
struct SenhasRec {
    String<20> NOME{};
    String<20> SENHA{};
    std::uint8_t ADM = 0;
    std::uint8_t Acesso = 0;
    std::uint8_t ALTERASALARIO = 0;
    std::uint8_t ALTERAMOVIMENTO = 0;
};
const data::TableDesc& Senhas();

// FechamentoEscrita (FEF)
struct FechamentoEscritaRec {
    std::int32_t MESANO = 0;
    std::uint16_t CODEMPRESA = 0;
    String<20> USUARIO{};
};
const data::TableDesc& FechamentoEscrita();

// LogEscrita (LOG1)
struct LogEscritaRec {
    String<20> USUARIO{};
    std::int32_t MESANO = 0;
    std::int32_t DATA = 0;
    std::int32_t HORA = 0;
    std::uint8_t Tipo = 0;
    std::uint16_t CODEMP = 0;
};
const data::TableDesc& LogEscrita();

// Impressora (IMP)
struct ImpressoraRec {
    std::uint8_t CODIGO = 0;
    String<100> NOME{};
    String<100> PORTA{};
    String<20> LSUB{};
    String<20> DSUB{};
    String<20> CPI10{};
    String<20> CPI17{};
    String<20> CPI20{};
    String<20> LEXP{};
    String<20> DEXP{};
    std::uint8_t NLINHAS = 0;
    String<20> LNEG{};
    String<20> DNEG{};
    String<20> ESP1_8POL{};
    String<20> ESP7_72POL{};
    String<20> ESP1_6POL{};
    std::uint8_t ACENTOS = 0;
};
const data::TableDesc& Impressora();

// ImpMatricial (MAT)
struct ImpMatricialRec {
    String<2000> LINHA{};
};
const data::TableDesc& ImpMatricial();
using ImpMatricial0Rec = ImpMatricialRec;
const data::TableDesc& ImpMatricial0();

// LayArquivos (LAY)
struct LayArquivosRec {
    std::uint8_t Arquivo = 0;
    std::uint8_t Codigo = 0;
    String<40> Descricao{};
    std::uint8_t Data = 0;
    std::uint8_t Ponto = 0;
    String<3> Extensao{};
};
const data::TableDesc& LayArquivos();
using LayArquivos0Rec = LayArquivosRec;
const data::TableDesc& LayArquivos0();

// LayCampArquivos (CampArq)
struct LayCampArquivosRec {
    std::uint8_t Arquivo = 0;
    std::uint8_t Codigo = 0;
    std::uint8_t CodigoCampo = 0;
    String<255> DescCampo{};
    String<1> Tipo{};
    std::uint16_t Posicao = 0;
    std::uint16_t Tamanho = 0;
    std::uint8_t QtdDecimal = 0;
};
const data::TableDesc& LayCampArquivos();
using LayCampArquivos0Rec = LayCampArquivosRec;
const data::TableDesc& LayCampArquivos0();

}  // namespace vorel::dictionary
