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
    String<14> Cnpj{};  // CNPJ of the supplier that issued the invoice, 14 digits
    std::int32_t DataEmissao = 0;  // issue date of the invoice (a date held in a long)
    String<2> Serie{};  // series of the invoice
    std::uint32_t Numero = 0;  // number of the invoice
    std::uint16_t CFO = 0;  // CFOP code of the operation
    std::int16_t Complemento = 0;  // complement of the CFOP code
    std::uint8_t CFOComplementar = 0;  // complementary CFOP code
    DecimalField<13, 3> Quantidade{};  // quantity of the product
    DecimalField<13, 2> BaseICMS{};  // tax-substitution calculation base
    DecimalField<15, 2> ValorICMS{};  // ICMS collected by substitution
    DecimalField<15, 0> CodMercadoria{};  // product code (the product register's code)
    DecimalField<7, 3> Aliquota{};  // ICMS rate of the substitution
    std::uint8_t MesImpor = 0;  // import month
    String<2> Estado{};  // state code of the supplier
    DecimalField<13, 2> BaseAntReducao{};  // base before the base reduction
    DecimalField<13, 2> BaseICMSPropria{};  // calculation base of the supplier's own operation
    std::uint32_t Nf_Origem = 0;  // number of the invoice of origin
    std::uint8_t Saldo_Inicial = 0;  // mark of a line typed as the opening balance
    String<20> Lote{};  // batch
    std::uint32_t CodigoForCli = 0;  // code of the supplier in the supplier and customer register
};
const data::TableDesc& EntradaVorel();
using EntradaVorel0Rec = EntradaVorelRec;
const data::TableDesc& EntradaVorel0();

// SaidaVorel (SAI)
struct SaidaVorelRec {
    std::int32_t DataSaida = 0;  // exit date of the invoice (a date held in a long)
    String<20> Lote{};  // batch
    String<14> CNPJ{};  // CNPJ of the customer, 14 digits
    String<2> Serie{};  // series of the invoice
    std::uint32_t Numero = 0;  // number of the invoice
    std::uint16_t CFO = 0;  // CFOP code of the exit
    std::int16_t Complemento = 0;  // complement of the CFOP code
    String<2> CFOComplementar{};  // complementary CFOP code (a string here, a byte in EntradaVorel)
    DecimalField<13, 3> Quantidade{};  // quantity of goods leaving
    DecimalField<13, 2> BaseCalculo{};  // calculation base
    DecimalField<13, 2> ICMS{};  // ICMS to be collected
    DecimalField<15, 0> CodMercadoria{};  // product code
    DecimalField<7, 3> Alicota{};  // ICMS rate of the substitution (the field is spelled Alicota)
    std::uint8_t MesImpor = 0;  // import month
    DecimalField<13, 2> BaseAntReducao{};  // base before the base reduction
    String<2> Estado{};  // state code of the customer
    std::uint8_t TipoValor = 0;  // value kind ("Tipo do valor"; the exit form sets it with its choice of automatic calculation of the base)
    std::uint32_t CodigoForCli = 0;  // code of the customer in the supplier and customer register
};
const data::TableDesc& SaidaVorel();
using SaidaVorel0Rec = SaidaVorelRec;
const data::TableDesc& SaidaVorel0();

// QuantidadeVorel (QUA)
struct QuantidadeVorelRec {
    String<2> Serie{};  // series of the invoice
    String<1> Procedencia{};  // origin of the line (one character)
    std::uint32_t Numero = 0;  // number of the invoice
    std::int32_t DataEmissao = 0;  // date of the invoice (a date held in a long)
    std::uint32_t Quantidade = 0;  // quantity counted
    std::uint32_t Unitario = 0;  // unit quantity (the key that ends in it is described "Valor Unitário")
    String<14> Cnpj{};  // CNPJ of the invoice: the supplier's for an entry, the customer's for an exit
    DecimalField<11, 2> VlrProduto{};  // value of the product
    DecimalField<15, 6> Margem{};  // margin
};
const data::TableDesc& QuantidadeVorel();
using QuantidadeVorel0Rec = QuantidadeVorelRec;
const data::TableDesc& QuantidadeVorel0();
using QuantidadeVorel1Rec = QuantidadeVorelRec;
const data::TableDesc& QuantidadeVorel1();

// EntradaVeiculo (ENV)
struct EntradaVeiculoRec {
    String<14> CNPJforcli{};  // CNPJ of the supplier, 14 digits
    String<22> Chassi{};  // chassis of the vehicle
    std::int32_t DataEntrada = 0;  // date of the vehicle's entry (a date held in a long)
    std::uint32_t Numero = 0;  // number of the entry invoice
    String<2> Serie{};  // series of the entry invoice
    DecimalField<13, 2> BasepropSubstituid{};  // calculation base of the supplier's own operation
    DecimalField<13, 2> BaseCalcRetencao{};  // calculation base of the retention
    std::uint16_t CFO = 0;  // CFOP code of the vehicle's entry
    std::int16_t Complemento = 0;  // complement of the CFOP code
    DecimalField<7, 3> Aliquota{};  // ICMS rate of the vehicle
    std::uint8_t CFOComplementar = 0;  // complementary CFOP code
    DecimalField<13, 3> Quantidade{};  // quantity
    DecimalField<15, 0> CodProduto{};  // product code
    std::uint8_t MesImpor = 0;  // import month
    String<2> Estado{};  // state code
};
const data::TableDesc& EntradaVeiculo();
using EntradaVeiculo0Rec = EntradaVeiculoRec;
const data::TableDesc& EntradaVeiculo0();

// SaidaVeiculo (SAV)
struct SaidaVeiculoRec {
    String<22> Chassi{};  // chassis of the vehicle
    std::int32_t DataSaida = 0;  // date of the vehicle's exit (a date held in a long)
    std::uint32_t Numero = 0;  // number of the exit invoice
    String<2> Serie{};  // series of the exit invoice
    DecimalField<13, 2> BaeSaidaComercial{};  // base of a commercial exit (the field is spelled BaeSaidaComercial)
    DecimalField<13, 2> BaseSaidaConsFinal{};  // base of an exit to a final consumer
    std::uint16_t CFO = 0;  // CFOP code of the operation
    std::int16_t Complemento = 0;  // complement of the CFOP code
    DecimalField<7, 3> Aliquota{};  // ICMS rate of the vehicle
    std::uint8_t CFOComplementar = 0;  // complementary CFOP code
    String<14> CNPJforcli{};  // CNPJ of the customer, 14 digits
    DecimalField<13, 3> Quantidade{};  // quantity
    DecimalField<15, 0> CodProduto{};  // product code
    std::uint8_t MesImpor = 0;  // import month
    String<2> Estado{};  // state code
};
const data::TableDesc& SaidaVeiculo();
using SaidaVeiculo0Rec = SaidaVeiculoRec;
const data::TableDesc& SaidaVeiculo0();

// ICMSEletronica (ICM)
struct ICMSEletronicaRec {
    std::int16_t Codigo = 0;  // code of the machine
    String<30> Nome{};  // name of the machine
    String<15> Serie{};  // serial number of the machine
    String<2> CumpomFiscal{};  // model of the fiscal coupon (the field is spelled CumpomFiscal)
    std::int32_t MesImpor = 0;  // import month
};
const data::TableDesc& ICMSEletronica();
using ICMSEletronica0Rec = ICMSEletronicaRec;
const data::TableDesc& ICMSEletronica0();

// LancICMSEletronico (LAN)
struct LancICMSEletronicoRec {
    std::int16_t Codigo = 0;  // code of the machine
    String<8> DataEmissao{};  // date of the coupons, as 8 characters of text
    std::int32_t InicialCupom = 0;  // number of the first coupon of the day
    std::int32_t FinalCupom = 0;  // number of the last coupon of the day
    std::int32_t ContReducao = 0;  // reduction counter
    DecimalField<17, 2> GTInicio{};  // grand total at the start of the day
    DecimalField<17, 2> GTFinal{};  // grand total at the end of the day
    std::uint8_t Fechamento = 0;  // number of the till closing
    std::int32_t MesImpor = 0;  // import month
};
const data::TableDesc& LancICMSEletronico();
using LancICMSEletronico0Rec = LancICMSEletronicoRec;
const data::TableDesc& LancICMSEletronico0();

// AnaliticoICMS (ANA)
struct AnaliticoICMSRec {
    std::int16_t Codigo = 0;  // code of the machine
    String<8> DataEmissao{};  // date of the coupons, as 8 characters of text
    String<4> Aliquota{};  // rate of the entries, as a 4-character code
    std::uint8_t Fechamento = 0;  // number of the till closing
    DecimalField<13, 2> Totalizador{};  // totalled value
    std::int32_t MesImpor = 0;  // import month
};
const data::TableDesc& AnaliticoICMS();
using AnaliticoICMS0Rec = AnaliticoICMSRec;
const data::TableDesc& AnaliticoICMS0();

// MovMaqRegistradora (MMR)
struct MovMaqRegistradoraRec {
    std::int16_t Codigo = 0;  // code of the machine
    std::uint8_t Fechamento = 0;  // number of the till closing
    String<8> DataEmissao{};  // date, as 8 characters of text
    DecimalField<15, 0> CodMercadoria{};  // product code
    DecimalField<13, 3> Quantidade{};  // quantity of the product
    DecimalField<13, 2> BaseCalculo{};  // calculation base
    DecimalField<13, 2> ValorICMS{};  // ICMS
    String<4> Aliquota{};  // tax situation or rate, as a 4-character code
    std::int32_t MesImpor = 0;  // import month
};
const data::TableDesc& MovMaqRegistradora();
using MovMaqRegistradora0Rec = MovMaqRegistradoraRec;
const data::TableDesc& MovMaqRegistradora0();

// SaldosVorel (SQEL)
struct SaldosVorelRec {
    String<14> Produto{};  // product code, as text
    std::int32_t Competencia = 0;  // month of the balance (a date held in a long)
    DecimalField<7, 3> Aliquota{};  // ICMS rate
    DecimalField<13, 3> QuantProdutos{};  // quantity in stock
    DecimalField<13, 6> ValorUnit{};  // unit value
    DecimalField<11, 2> BaseAcunulada{};  // accumulated base (the field is spelled BaseAcunulada)
    DecimalField<11, 2> CalcUsuFinal{};  // computed amount for exits to the final user
    DecimalField<11, 2> CalcFGNRealisado{};  // computed amount for taxable events not realised
    DecimalField<11, 2> CalcIsenta{};  // computed amount for exempt exits
    DecimalField<11, 2> CalcOutUF{};  // computed amount for exits to other states
    DecimalField<11, 2> CalcSubsequente{};  // computed amount for subsequent exits
    DecimalField<11, 2> ConfUsuFinal{};  // second amount for exits to the final user
    DecimalField<11, 2> ConfDemHip{};  // second amount for the other cases
    std::uint8_t Situacao = 0;  // situation
    DecimalField<13, 3> SaldoAnterior{};  // previous balance
    std::uint8_t Exclusao = 0;  // deletion mark
    DecimalField<13, 6> ValorUnit_Ant{};  // previous unit value
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
    String<20> NOME{};  // user name; the key
    String<20> SENHA{};  // the user's password, kept in plain text
    std::uint8_t ADM = 0;  // 1 = administrator (may open the user table); 0 = ordinary user
    std::uint8_t Acesso = 0;  // access scope, 0 or 1 (field rule below); no procedure of this program reads or sets it
    std::uint8_t ALTERASALARIO = 0;  // permission flag; no procedure of this program reads or sets it
    std::uint8_t ALTERAMOVIMENTO = 0;  // permission flag; no procedure of this program reads or sets it
};
const data::TableDesc& Senhas();

// FechamentoEscrita (FEF)
struct FechamentoEscritaRec {
    std::int32_t MESANO = 0;  // the closed month, as the date of its first day; windows show it with the picture "@D014b" (month and year)
    std::uint16_t CODEMPRESA = 0;  // company code; every procedure of this program that adds or looks up a record leaves it 0
    String<20> USUARIO{};  // user; every procedure of this program leaves it blank
};
const data::TableDesc& FechamentoEscrita();

// LogEscrita (LOG1)
struct LogEscritaRec {
    String<20> USUARIO{};  // the user who closed or reopened the month (as confirmed by VerificaUsuario)
    std::int32_t MESANO = 0;  // the month acted on, as the date of its first day
    std::int32_t DATA = 0;  // the day of the action (today's date)
    std::int32_t HORA = 0;  // the time of the action (the clock's time of day)
    std::uint8_t Tipo = 0;  // 1 = closing, 0 = reopening
    std::uint16_t CODEMP = 0;  // company code; no procedure of this program sets it, so it stays 0
};
const data::TableDesc& LogEscrita();

// Impressora (IMP)
struct ImpressoraRec {
    std::uint8_t CODIGO = 0;  // printer code; the key; auto-numbered
    String<100> NOME{};  // printer name, make and model
    String<100> PORTA{};  // port or file to print to, or the path and share name of a printer on another computer
    String<20> LSUB{};  // sequence that switches underline on
    String<20> DSUB{};  // sequence that switches underline off
    String<20> CPI10{};  // sequence for 10 characters per inch
    String<20> CPI17{};  // sequence for 17 characters per inch
    String<20> CPI20{};  // sequence for 20 characters per inch
    String<20> LEXP{};  // sequence that switches expanded print on
    String<20> DEXP{};  // sequence that switches expanded print off
    std::uint8_t NLINHAS = 0;  // lines printed per page
    String<20> LNEG{};  // sequence that switches bold on
    String<20> DNEG{};  // sequence that switches bold off
    String<20> ESP1_8POL{};  // sequence for 1/8 inch line spacing (reduced)
    String<20> ESP7_72POL{};  // sequence for 7/72 inch line spacing (minimum)
    String<20> ESP1_6POL{};  // sequence for 1/6 inch line spacing (normal)
    std::uint8_t ACENTOS = 0;  // 1 = the printer prints accents (accented letters are sent as overstrike sequences)
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
    std::uint8_t Arquivo = 0;  // layout type
    std::uint8_t Codigo = 0;  // layout code ("Código do Layout")
    String<40> Descricao{};  // description ("Descrição do layout")
    std::uint8_t Data = 0;  // not read or set by any procedure of this program
    std::uint8_t Ponto = 0;  // not read or set by any procedure of this program
    String<3> Extensao{};  // not read or set by any procedure of this program
};
const data::TableDesc& LayArquivos();
using LayArquivos0Rec = LayArquivosRec;
const data::TableDesc& LayArquivos0();

// LayCampArquivos (CampArq)
struct LayCampArquivosRec {
    std::uint8_t Arquivo = 0;  // layout type of the owning layout
    std::uint8_t Codigo = 0;  // code of the owning layout
    std::uint8_t CodigoCampo = 0;  // field code: the number of the field in the catalogue of the layout type ("Código dos Campos")
    String<255> DescCampo{};  // description of the field ("Descrição do Campo")
    String<1> Tipo{};  // "N" numeric or "X" alphanumeric (field rule below)
    std::uint16_t Posicao = 0;  // position of the field's first character in the line, counted from 1 ("Posição do campo no Arquivo")
    std::uint16_t Tamanho = 0;  // length of the field in characters ("Tamanho do Campo"); the field ends at position + length - 1
    std::uint8_t QtdDecimal = 0;  // not read or set by any procedure of this program
};
const data::TableDesc& LayCampArquivos();
using LayCampArquivos0Rec = LayCampArquivosRec;
const data::TableDesc& LayCampArquivos0();

}  // namespace vorel::dictionary
