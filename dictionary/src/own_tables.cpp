// Descriptions of the program's own tables.
#include "vorel/dictionary/own_tables.h"

#include "vorel/data/table_desc.h"
#include "vorel/dictionary/name_variables.h"

namespace vorel::dictionary {

using namespace vorel::data;

const TableDesc& EntradaVorel() {
    static const TableDesc d = TableBuilder<EntradaVorelRec>("EntradaVorel", "ENT")
        .file(CaminhoEntradaVorel)
        .version(73)
        .field("Cnpj", &EntradaVorelRec::Cnpj)
        .field("DataEmissao", &EntradaVorelRec::DataEmissao)
        .field("Serie", &EntradaVorelRec::Serie)
        .field("Numero", &EntradaVorelRec::Numero)
        .field("CFO", &EntradaVorelRec::CFO)
        .field("Complemento", &EntradaVorelRec::Complemento)
        .field("CFOComplementar", &EntradaVorelRec::CFOComplementar)
        .field("Quantidade", &EntradaVorelRec::Quantidade)
        .field("BaseICMS", &EntradaVorelRec::BaseICMS)
        .field("ValorICMS", &EntradaVorelRec::ValorICMS)
        .field("CodMercadoria", &EntradaVorelRec::CodMercadoria)
        .field("Aliquota", &EntradaVorelRec::Aliquota)
        .field("MesImpor", &EntradaVorelRec::MesImpor)
        .field("Estado", &EntradaVorelRec::Estado)
        .field("BaseAntReducao", &EntradaVorelRec::BaseAntReducao)
        .field("BaseICMSPropria", &EntradaVorelRec::BaseICMSPropria)
        .field("Nf_Origem", &EntradaVorelRec::Nf_Origem)
        .field("Saldo_Inicial", &EntradaVorelRec::Saldo_Inicial)
        .field("Lote", &EntradaVorelRec::Lote)
        .field("CodigoForCli", &EntradaVorelRec::CodigoForCli)
        .key("ENT:KEY:NUMERO", "Lista por Número de Nota Fiscal", {"ENT:DataEmissao", "ENT:Numero", "ENT:Serie", "ENT:CodMercadoria", "ENT:CFO", "ENT:BaseICMS", "ENT:Lote"}, kDuplicates | kNoCase)
        .key("ENT:KEY:FORCLIPROD", "Fornecedor + Código do Produto (Usada para pesquisa - Tabela ForCliVorel)", {"ENT:Cnpj", "ENT:CodMercadoria"}, kDuplicates | kNoCase)
        .key("ENT:KEY:RELACIONAMENTO", "Relacionamento", {"ENT:DataEmissao", "ENT:Numero", "ENT:Serie", "ENT:Cnpj"}, kDuplicates | kNoCase)
        .key("ENT:KEY:DATA", "Data", {"ENT:DataEmissao"}, kDuplicates | kNoCase)
        .key("ENT:KEY:PRODUTODATA", "Produto mais Data", {"ENT:CodMercadoria", "ENT:DataEmissao"}, kDuplicates | kNoCase)
        .key("ENT:KEY:PRODUTOALIQDATA", "Produto + Aliquota + Data", {"ENT:CodMercadoria", "ENT:Aliquota", "ENT:DataEmissao"}, kDuplicates | kNoCase)
        .key("ENT:KEY:DATANUMSERIECFOPROD", "Data + Numero + Série + CFO + Produto", {"ENT:DataEmissao", "ENT:Numero", "ENT:Serie", "ENT:CFO", "ENT:CodMercadoria"}, kDuplicates | kNoCase)
        .key("ENT:KEY:CNPJ", "CNPJ", {"ENT:Cnpj"}, kDuplicates | kNoCase)
        .key("ENT:KEY:PRODLOTESERIENUM", "Código do Produto + Lote + Serie + Numero", {"ENT:CodMercadoria", "ENT:Lote", "ENT:Serie", "ENT:Numero"}, kDuplicates | kNoCase)
        .key("ENT:Key:ProdNumeroData", "ENT:Key:ProdNumeroData", {"ENT:CodMercadoria", "ENT:Numero", "ENT:DataEmissao"}, kDuplicates | kNoCase)
        .child(QuantidadeVorel, "QUA:KEY:SERIENUMERODATA", kCascade, kCascade, {{"ENT:DataEmissao", "QUA:DataEmissao"}, {"ENT:Numero", "QUA:Numero"}, {"ENT:Serie", "QUA:Serie"}, {"ENT:Cnpj", "QUA:Cnpj"}})
        .build();
    return d;
}

const TableDesc& EntradaVorel0() {
    static const TableDesc d = make_alias(EntradaVorel(), "EntradaVorel0", "ESPENT");
    return d;
}

const TableDesc& SaidaVorel() {
    static const TableDesc d = TableBuilder<SaidaVorelRec>("SaidaVorel", "SAI")
        .file(CaminhoSaidaVorel)
        .version(51)
        .field("DataSaida", &SaidaVorelRec::DataSaida)
        .field("Lote", &SaidaVorelRec::Lote)
        .field("CNPJ", &SaidaVorelRec::CNPJ)
        .field("Serie", &SaidaVorelRec::Serie)
        .field("Numero", &SaidaVorelRec::Numero)
        .field("CFO", &SaidaVorelRec::CFO)
        .field("Complemento", &SaidaVorelRec::Complemento)
        .field("CFOComplementar", &SaidaVorelRec::CFOComplementar)
        .field("Quantidade", &SaidaVorelRec::Quantidade)
        .field("BaseCalculo", &SaidaVorelRec::BaseCalculo)
        .field("ICMS", &SaidaVorelRec::ICMS)
        .field("CodMercadoria", &SaidaVorelRec::CodMercadoria)
        .field("Alicota", &SaidaVorelRec::Alicota)
        .field("MesImpor", &SaidaVorelRec::MesImpor)
        .field("BaseAntReducao", &SaidaVorelRec::BaseAntReducao)
        .field("Estado", &SaidaVorelRec::Estado)
        .field("TipoValor", &SaidaVorelRec::TipoValor)
        .field("CodigoForCli", &SaidaVorelRec::CodigoForCli)
        .key("SAI:KEY:NUMERO", "Lista por Número de Nota Fiscal", {"SAI:DataSaida", "SAI:Numero", "SAI:Serie", "SAI:CodMercadoria", "SAI:CFO", "SAI:BaseCalculo"}, kDuplicates | kNoCase)
        .key("SAI:KEY:RELACIONAMENTO", "Relacionamento", {"SAI:DataSaida", "SAI:Numero", "SAI:Serie", "SAI:CNPJ"}, kDuplicates | kNoCase)
        .key("SAI:KEY:DATA", "Data", {"SAI:DataSaida"}, kDuplicates | kNoCase)
        .key("SAI:KEY:PRODUTOALIQDATA", "Produto + Aliquota + Data", {"SAI:CodMercadoria", "SAI:Alicota", "SAI:DataSaida"}, kDuplicates | kNoCase)
        .key("SAI:KEY:PRODUTODATA", "Produto + Data", {"SAI:CodMercadoria", "SAI:DataSaida"}, kDuplicates | kNoCase)
        .key("SAI:KEY:DATANUMSERIECFOPROD", "Data + Numero + Serie + CFO + Produtos", {"SAI:DataSaida", "SAI:Numero", "SAI:Serie", "SAI:CFO", "SAI:CodMercadoria"}, kDuplicates | kNoCase)
        .key("SAI:KEY:CNPJ", "CNPJ", {"SAI:CNPJ"}, kDuplicates | kNoCase)
        .child(QuantidadeVorel, "QUA:KEY:SERIENUMERODATA", kCascade, kCascade, {{"SAI:DataSaida", "QUA:DataEmissao"}, {"SAI:Numero", "QUA:Numero"}, {"SAI:Serie", "QUA:Serie"}, {"SAI:CNPJ", "QUA:Cnpj"}})
        .build();
    return d;
}

const TableDesc& SaidaVorel0() {
    static const TableDesc d = make_alias(SaidaVorel(), "SaidaVorel0", "SAI0");
    return d;
}

const TableDesc& QuantidadeVorel() {
    static const TableDesc d = TableBuilder<QuantidadeVorelRec>("QuantidadeVorel", "QUA")
        .file(CaminhoQuantidadeVorel)
        .version(4)
        .field("Serie", &QuantidadeVorelRec::Serie)
        .field("Procedencia", &QuantidadeVorelRec::Procedencia)
        .field("Numero", &QuantidadeVorelRec::Numero)
        .field("DataEmissao", &QuantidadeVorelRec::DataEmissao)
        .field("Quantidade", &QuantidadeVorelRec::Quantidade)
        .field("Unitario", &QuantidadeVorelRec::Unitario)
        .field("Cnpj", &QuantidadeVorelRec::Cnpj)
        .field("VlrProduto", &QuantidadeVorelRec::VlrProduto)
        .field("Margem", &QuantidadeVorelRec::Margem)
        .key("QUA:KEY:SERIENUMERODATA", "Série + Número + Data", {"QUA:DataEmissao", "QUA:Numero", "QUA:Serie", "QUA:Cnpj"}, kDuplicates | kNoCase)
        .key("QUA:KEY:DATANUMSERIEUNIT", "Valor Unitário", {"QUA:DataEmissao", "QUA:Numero", "QUA:Serie", "QUA:Cnpj", "QUA:Unitario"}, kDuplicates | kNoCase)
        .parent(EntradaVorel)
        .parent(SaidaVorel)
        .build();
    return d;
}

const TableDesc& QuantidadeVorel0() {
    static const TableDesc d = make_alias(QuantidadeVorel(), "QuantidadeVorel0", "QUA0");
    return d;
}

const TableDesc& QuantidadeVorel1() {
    static const TableDesc d = make_alias(QuantidadeVorel(), "QuantidadeVorel1", "QUA1");
    return d;
}

const TableDesc& EntradaVeiculo() {
    static const TableDesc d = TableBuilder<EntradaVeiculoRec>("EntradaVeiculo", "ENV")
        .file(CaminhoEntradaVeiculo)
        .version(26)
        .field("CNPJforcli", &EntradaVeiculoRec::CNPJforcli)
        .field("Chassi", &EntradaVeiculoRec::Chassi)
        .field("DataEntrada", &EntradaVeiculoRec::DataEntrada)
        .field("Numero", &EntradaVeiculoRec::Numero)
        .field("Serie", &EntradaVeiculoRec::Serie)
        .field("BasepropSubstituid", &EntradaVeiculoRec::BasepropSubstituid)
        .field("BaseCalcRetencao", &EntradaVeiculoRec::BaseCalcRetencao)
        .field("CFO", &EntradaVeiculoRec::CFO)
        .field("Complemento", &EntradaVeiculoRec::Complemento)
        .field("Aliquota", &EntradaVeiculoRec::Aliquota)
        .field("CFOComplementar", &EntradaVeiculoRec::CFOComplementar)
        .field("Quantidade", &EntradaVeiculoRec::Quantidade)
        .field("CodProduto", &EntradaVeiculoRec::CodProduto)
        .field("MesImpor", &EntradaVeiculoRec::MesImpor)
        .field("Estado", &EntradaVeiculoRec::Estado)
        .key("ENV:KEY:NUMERO", "Índice por Número", {"ENV:DataEntrada", "ENV:Chassi", "ENV:Numero", "ENV:Serie"}, kPrimary | kUnique | kNoCase)
        .key("ENV:KEY:CHASSI", "Índices por Chassi", {"ENV:Chassi"}, kDuplicates | kNoCase)
        .key("ENV:KEY:CNPJ", "CNPJ", {"ENV:CNPJforcli"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& EntradaVeiculo0() {
    static const TableDesc d = make_alias(EntradaVeiculo(), "EntradaVeiculo0", "ENTV0");
    return d;
}

const TableDesc& SaidaVeiculo() {
    static const TableDesc d = TableBuilder<SaidaVeiculoRec>("SaidaVeiculo", "SAV")
        .file(CaminhoSaidaVeiculo)
        .version(27)
        .field("Chassi", &SaidaVeiculoRec::Chassi)
        .field("DataSaida", &SaidaVeiculoRec::DataSaida)
        .field("Numero", &SaidaVeiculoRec::Numero)
        .field("Serie", &SaidaVeiculoRec::Serie)
        .field("BaeSaidaComercial", &SaidaVeiculoRec::BaeSaidaComercial)
        .field("BaseSaidaConsFinal", &SaidaVeiculoRec::BaseSaidaConsFinal)
        .field("CFO", &SaidaVeiculoRec::CFO)
        .field("Complemento", &SaidaVeiculoRec::Complemento)
        .field("Aliquota", &SaidaVeiculoRec::Aliquota)
        .field("CFOComplementar", &SaidaVeiculoRec::CFOComplementar)
        .field("CNPJforcli", &SaidaVeiculoRec::CNPJforcli)
        .field("Quantidade", &SaidaVeiculoRec::Quantidade)
        .field("CodProduto", &SaidaVeiculoRec::CodProduto)
        .field("MesImpor", &SaidaVeiculoRec::MesImpor)
        .field("Estado", &SaidaVeiculoRec::Estado)
        .key("SAV:KEY:NUMERO", "Ínidice por Número", {"SAV:DataSaida", "SAV:Chassi", "SAV:Numero", "SAV:Serie"}, kPrimary | kUnique | kNoCase)
        .key("SAV:KEY:CHASSI", "Índice por Chassi", {"SAV:Chassi"}, kDuplicates | kNoCase)
        .key("SAV:KEY:CNPJ", "CNPJ", {"SAV:CNPJforcli"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& SaidaVeiculo0() {
    static const TableDesc d = make_alias(SaidaVeiculo(), "SaidaVeiculo0", "SAIV0");
    return d;
}

const TableDesc& ICMSEletronica() {
    static const TableDesc d = TableBuilder<ICMSEletronicaRec>("ICMSEletronica", "ICM")
        .file(CaminhoICMSEletronica)
        .version(5)
        .field("Codigo", &ICMSEletronicaRec::Codigo)
        .field("Nome", &ICMSEletronicaRec::Nome)
        .field("Serie", &ICMSEletronicaRec::Serie)
        .field("CumpomFiscal", &ICMSEletronicaRec::CumpomFiscal)
        .field("MesImpor", &ICMSEletronicaRec::MesImpor)
        .key("ICM:KEY:NUMERO", "Lista por Número da Máquina", {"ICM:Codigo"}, kPrimary | kUnique | kNoCase)
        .key("ICM:KEY:NOME", "Lista por Nome da Máquina", {"ICM:Nome"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& ICMSEletronica0() {
    static const TableDesc d = make_alias(ICMSEletronica(), "ICMSEletronica0", "ICM0");
    return d;
}

const TableDesc& LancICMSEletronico() {
    static const TableDesc d = TableBuilder<LancICMSEletronicoRec>("LancICMSEletronico", "LAN")
        .file(CaminhoLancICMSEletronico)
        .version(17)
        .field("Codigo", &LancICMSEletronicoRec::Codigo)
        .field("DataEmissao", &LancICMSEletronicoRec::DataEmissao)
        .field("InicialCupom", &LancICMSEletronicoRec::InicialCupom)
        .field("FinalCupom", &LancICMSEletronicoRec::FinalCupom)
        .field("ContReducao", &LancICMSEletronicoRec::ContReducao)
        .field("GTInicio", &LancICMSEletronicoRec::GTInicio)
        .field("GTFinal", &LancICMSEletronicoRec::GTFinal)
        .field("Fechamento", &LancICMSEletronicoRec::Fechamento)
        .field("MesImpor", &LancICMSEletronicoRec::MesImpor)
        .key("LAN:KEY:CODIGO", "Pesquisa por Código da Máquina", {"LAN:DataEmissao", "LAN:Codigo", "LAN:Fechamento"}, kPrimary | kUnique | kNoCase)
        .child(AnaliticoICMS, "ANA:KEY:ALICOTA", kCascade, kCascade, {{"LAN:DataEmissao", "ANA:DataEmissao"}, {"LAN:Codigo", "ANA:Codigo"}, {"LAN:Fechamento", "ANA:Fechamento"}})
        .build();
    return d;
}

const TableDesc& LancICMSEletronico0() {
    static const TableDesc d = make_alias(LancICMSEletronico(), "LancICMSEletronico0", "LAN0");
    return d;
}

const TableDesc& AnaliticoICMS() {
    static const TableDesc d = TableBuilder<AnaliticoICMSRec>("AnaliticoICMS", "ANA")
        .file(CaminhoAnaliticoICMS)
        .version(10)
        .field("Codigo", &AnaliticoICMSRec::Codigo)
        .field("DataEmissao", &AnaliticoICMSRec::DataEmissao)
        .field("Aliquota", &AnaliticoICMSRec::Aliquota)
        .field("Fechamento", &AnaliticoICMSRec::Fechamento)
        .field("Totalizador", &AnaliticoICMSRec::Totalizador)
        .field("MesImpor", &AnaliticoICMSRec::MesImpor)
        .key("ANA:KEY:ALICOTA", "Chave de Alíquota e Data", {"ANA:DataEmissao", "ANA:Codigo", "ANA:Fechamento", "ANA:Aliquota"}, kPrimary | kUnique | kNoCase)
        .child(MovMaqRegistradora, "MMR:KEY:CODIGO", kCascade, kCascade, {{"ANA:DataEmissao", "MMR:DataEmissao"}, {"ANA:Codigo", "MMR:Codigo"}, {"ANA:Fechamento", "MMR:Fechamento"}, {"ANA:Aliquota", "MMR:Aliquota"}})
        .parent(LancICMSEletronico)
        .build();
    return d;
}

const TableDesc& AnaliticoICMS0() {
    static const TableDesc d = make_alias(AnaliticoICMS(), "AnaliticoICMS0", "ANA0");
    return d;
}

const TableDesc& MovMaqRegistradora() {
    static const TableDesc d = TableBuilder<MovMaqRegistradoraRec>("MovMaqRegistradora", "MMR")
        .file(CaminhoMovMaqRegistradora)
        .version(15)
        .field("Codigo", &MovMaqRegistradoraRec::Codigo)
        .field("Fechamento", &MovMaqRegistradoraRec::Fechamento)
        .field("DataEmissao", &MovMaqRegistradoraRec::DataEmissao)
        .field("CodMercadoria", &MovMaqRegistradoraRec::CodMercadoria)
        .field("Quantidade", &MovMaqRegistradoraRec::Quantidade)
        .field("BaseCalculo", &MovMaqRegistradoraRec::BaseCalculo)
        .field("ValorICMS", &MovMaqRegistradoraRec::ValorICMS)
        .field("Aliquota", &MovMaqRegistradoraRec::Aliquota)
        .field("MesImpor", &MovMaqRegistradoraRec::MesImpor)
        .key("MMR:KEY:CODIGO", "Lista por Código da Máquina", {"MMR:DataEmissao", "MMR:Codigo", "MMR:Fechamento", "MMR:Aliquota", "MMR:CodMercadoria"}, kPrimary | kUnique | kNoCase)
        .key("MMR:KEY:DATA", "Data", {"MMR:DataEmissao"}, kDuplicates | kNoCase)
        .key("MMR:KEY:PRODUTODATA", "Produto + Data", {"MMR:CodMercadoria", "MMR:DataEmissao"}, kDuplicates | kNoCase)
        .parent(AnaliticoICMS)
        .build();
    return d;
}

const TableDesc& MovMaqRegistradora0() {
    static const TableDesc d = make_alias(MovMaqRegistradora(), "MovMaqRegistradora0", "MOV0");
    return d;
}

const TableDesc& SaldosVorel() {
    static const TableDesc d = TableBuilder<SaldosVorelRec>("SaldosVorel", "SQEL")
        .file(CaminhoSaldosVorel)
        .version(21)
        .field("Produto", &SaldosVorelRec::Produto)
        .field("Competencia", &SaldosVorelRec::Competencia)
        .field("Aliquota", &SaldosVorelRec::Aliquota)
        .field("QuantProdutos", &SaldosVorelRec::QuantProdutos)
        .field("ValorUnit", &SaldosVorelRec::ValorUnit)
        .field("BaseAcunulada", &SaldosVorelRec::BaseAcunulada)
        .field("CalcUsuFinal", &SaldosVorelRec::CalcUsuFinal)
        .field("CalcFGNRealisado", &SaldosVorelRec::CalcFGNRealisado)
        .field("CalcIsenta", &SaldosVorelRec::CalcIsenta)
        .field("CalcOutUF", &SaldosVorelRec::CalcOutUF)
        .field("CalcSubsequente", &SaldosVorelRec::CalcSubsequente)
        .field("ConfUsuFinal", &SaldosVorelRec::ConfUsuFinal)
        .field("ConfDemHip", &SaldosVorelRec::ConfDemHip)
        .field("Situacao", &SaldosVorelRec::Situacao)
        .field("SaldoAnterior", &SaldosVorelRec::SaldoAnterior)
        .field("Exclusao", &SaldosVorelRec::Exclusao)
        .field("ValorUnit_Ant", &SaldosVorelRec::ValorUnit_Ant)
        .key("SQEL:KEY:PRODDATAALIQUOTA", "Produto + Data + Alíquota", {"SQEL:Produto", "SQEL:Competencia", "SQEL:Aliquota"}, kPrimary | kUnique | kNoCase)
        .key("SQEL:KEY:DATA", "Data", {"SQEL:Competencia"}, kDuplicates | kNoCase)
        .key("SQEL:PRODUTOALIQDATA", "Produto + Aliquota + Data", {"SQEL:Produto", "SQEL:Aliquota", "SQEL:Competencia"}, kDuplicates | kNoCase)
        .key("SQEL:KEY:PROD_DATA", "Produto +  Data", {"SQEL:Produto", "SQEL:Competencia"}, kDuplicates | kNoCase)
        .key("SQEL:KEY:EXCLUSAO", "Competencia + Exclusao", {"SQEL:Competencia", "SQEL:Exclusao"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& SaldosVorel0() {
    static const TableDesc d = make_alias(SaldosVorel(), "SaldosVorel0", "SALE");
    return d;
}

const TableDesc& EntradaSaidaVorel() {
    static const TableDesc d = TableBuilder<EntradaSaidaVorelRec>("EntradaSaidaVorel", "ESA")
        .file(CaminhoEntradaSaidaVorel)
        .version(75)
        .field("DATA", &EntradaSaidaVorelRec::DATA)
        .field("CNPJFORPROD", &EntradaSaidaVorelRec::CNPJFORPROD)
        .field("SDATA", &EntradaSaidaVorelRec::SDATA)
        .field("SERIE", &EntradaSaidaVorelRec::SERIE)
        .field("SSERIE", &EntradaSaidaVorelRec::SSERIE)
        .field("NUMERO", &EntradaSaidaVorelRec::NUMERO)
        .field("SNUMERO", &EntradaSaidaVorelRec::SNUMERO)
        .field("CFO", &EntradaSaidaVorelRec::CFO)
        .field("SCFO", &EntradaSaidaVorelRec::SCFO)
        .field("COMPLEMENTO", &EntradaSaidaVorelRec::COMPLEMENTO)
        .field("SCOMPLEMENTO", &EntradaSaidaVorelRec::SCOMPLEMENTO)
        .field("CFOCOMPL", &EntradaSaidaVorelRec::CFOCOMPL)
        .field("SCFOCOMPL", &EntradaSaidaVorelRec::SCFOCOMPL)
        .field("QUANTIDADE", &EntradaSaidaVorelRec::QUANTIDADE)
        .field("SQUANTIDADE", &EntradaSaidaVorelRec::SQUANTIDADE)
        .field("BASEICMS", &EntradaSaidaVorelRec::BASEICMS)
        .field("SBASEICMS", &EntradaSaidaVorelRec::SBASEICMS)
        .field("CODMERCADORIA", &EntradaSaidaVorelRec::CODMERCADORIA)
        .field("SCODMERCADORIA", &EntradaSaidaVorelRec::SCODMERCADORIA)
        .field("ALIQUOTA", &EntradaSaidaVorelRec::ALIQUOTA)
        .field("SALIQUOTA", &EntradaSaidaVorelRec::SALIQUOTA)
        .field("CHASSI", &EntradaSaidaVorelRec::CHASSI)
        .field("SCHASSI", &EntradaSaidaVorelRec::SCHASSI)
        .field("BASEPROPSUBSTITUIDO", &EntradaSaidaVorelRec::BASEPROPSUBSTITUIDO)
        .field("SBASEPROPSUBSTITUIDO", &EntradaSaidaVorelRec::SBASEPROPSUBSTITUIDO)
        .field("BASEEFETENT", &EntradaSaidaVorelRec::BASEEFETENT)
        .field("SBASEEFETENT", &EntradaSaidaVorelRec::SBASEEFETENT)
        .field("BASEESTREMANESCENTE", &EntradaSaidaVorelRec::BASEESTREMANESCENTE)
        .field("SBASEESTREMANESCENTE", &EntradaSaidaVorelRec::SBASEESTREMANESCENTE)
        .field("ENTSAI", &EntradaSaidaVorelRec::ENTSAI)
        .field("DATAESPELHO", &EntradaSaidaVorelRec::DATAESPELHO)
        .field("SDATAESPELHO", &EntradaSaidaVorelRec::SDATAESPELHO)
        .field("LOTE", &EntradaSaidaVorelRec::LOTE)
        .field("SAIVALUNITARIO", &EntradaSaidaVorelRec::SAIVALUNITARIO)
        .field("SAICONSFINAL", &EntradaSaidaVorelRec::SAICONSFINAL)
        .field("SAINREALIZADO", &EntradaSaidaVorelRec::SAINREALIZADO)
        .field("SAIISENTA", &EntradaSaidaVorelRec::SAIISENTA)
        .field("SAIOUTORUF", &EntradaSaidaVorelRec::SAIOUTORUF)
        .field("SAISUBSEQUENTE", &EntradaSaidaVorelRec::SAISUBSEQUENTE)
        .field("CONFUSUFINAL", &EntradaSaidaVorelRec::CONFUSUFINAL)
        .field("CONFENTRADASDEMHIP", &EntradaSaidaVorelRec::CONFENTRADASDEMHIP)
        .field("SALDOQUANTIDADE", &EntradaSaidaVorelRec::SALDOQUANTIDADE)
        .field("SALDOVALUNITARIO", &EntradaSaidaVorelRec::SALDOVALUNITARIO)
        .field("SALDOBASERETENCAO", &EntradaSaidaVorelRec::SALDOBASERETENCAO)
        .field("INSCESTADUAL", &EntradaSaidaVorelRec::INSCESTADUAL)
        .field("UF", &EntradaSaidaVorelRec::UF)
        .field("CODIGOFORCLI", &EntradaSaidaVorelRec::CODIGOFORCLI)
        .key("ESA:KEY:NUMERO", "Pesquisa por Data de Emissão", {"ESA:CODMERCADORIA", "ESA:DATA", "ESA:ENTSAI", "ESA:SERIE", "ESA:NUMERO"}, kDuplicates | kNoCase)
        .key("ESA:KEY:DATAPRODUTO", "Data + Produto", {"ESA:CODMERCADORIA", "ESA:DATA"}, kDuplicates | kNoCase)
        .key("ESA:KEY:VEICULOS", "Índice por Veículo", {"ESA:DATA"}, kDuplicates | kNoCase)
        .key("ESA:KEY:CHASSIS", "Numero do Chassis", {"ESA:CHASSI"}, kDuplicates | kNoCase)
        .key("Esa:Key:DataEspelho", "Esa:Key:DataEspelho", {"ESA:DATAESPELHO", "ESA:CHASSI", "ESA:ENTSAI", "ESA:SERIE", "ESA:NUMERO"}, kDuplicates | kNoCase)
        .key("ESA:KEY:DATA_ENTSAI_NUMERO", "Data + EntSai + Numero", {"ESA:DATA", "ESA:ENTSAI", "ESA:NUMERO"}, kDuplicates | kNoCase)
        .key("ESA:KEY:DATA_ENTSAI_NUM_AUX", "Código da Mercadoria + Data + Entrada Saida + Número", {"ESA:CODMERCADORIA", "ESA:DATA", "ESA:ENTSAI", "ESA:NUMERO"}, kDuplicates | kNoCase)
        .key("ESA:KEY:PROD_ALIQ_DATA_ENTSAI_NUM_AUX", "Produto + Aliquota + Data + EntradaSaida + Numero", {"ESA:CODMERCADORIA", "ESA:ALIQUOTA", "ESA:DATA", "ESA:ENTSAI", "ESA:NUMERO"}, kDuplicates | kNoCase)
        .key("ESA:KEY:ENTRADA", "Key Igual a Key da Entarda", {"ESA:DATA", "ESA:NUMERO", "ESA:SERIE", "ESA:CODMERCADORIA", "ESA:CFO", "ESA:ENTSAI"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& ResumoFinal() {
    static const TableDesc d = TableBuilder<ResumoFinalRec>("ResumoFinal", "RFC")
        .file(CaminhoResumoFinal)
        .version(21)
        .field("PERCENTUAL", &ResumoFinalRec::PERCENTUAL)
        .field("RETFINALCONSFINAL", &ResumoFinalRec::RETFINALCONSFINAL)
        .field("RETFINALFGNREALISADO", &ResumoFinalRec::RETFINALFGNREALISADO)
        .field("RETFINALISENTA", &ResumoFinalRec::RETFINALISENTA)
        .field("RETFINALOUTESTADO", &ResumoFinalRec::RETFINALOUTESTADO)
        .field("RETFINALSAISUBSEQUENTE", &ResumoFinalRec::RETFINALSAISUBSEQUENTE)
        .field("SOMARETSAIDA", &ResumoFinalRec::SOMARETSAIDA)
        .field("RETCONSAIDAUSUFINAL", &ResumoFinalRec::RETCONSAIDAUSUFINAL)
        .field("RETCONDEMHIP", &ResumoFinalRec::RETCONDEMHIP)
        .field("SOMACOSAIDAS", &ResumoFinalRec::SOMACOSAIDAS)
        .field("BASEDIFIMPCOMPL", &ResumoFinalRec::BASEDIFIMPCOMPL)
        .field("BASEDIFIMPRESS", &ResumoFinalRec::BASEDIFIMPRESS)
        .field("VALIMPCOMPL", &ResumoFinalRec::VALIMPCOMPL)
        .field("VALIMPRESS", &ResumoFinalRec::VALIMPRESS)
        .field("VEICDIFCOMPLEMENTADO", &ResumoFinalRec::VEICDIFCOMPLEMENTADO)
        .field("VEICDIFRESSARCIDO", &ResumoFinalRec::VEICDIFRESSARCIDO)
        .field("VEICDIFCOMPENSADO", &ResumoFinalRec::VEICDIFCOMPENSADO)
        .field("SALDOANTERIOR", &ResumoFinalRec::SALDOANTERIOR)
        .field("ENTRADAEXDEVO", &ResumoFinalRec::ENTRADAEXDEVO)
        .field("ENTRADAOUTEST", &ResumoFinalRec::ENTRADAOUTEST)
        .field("BASEESTFINAL", &ResumoFinalRec::BASEESTFINAL)
        .field("BASEREVENDA", &ResumoFinalRec::BASEREVENDA)
        .field("BASEENTDEVOLUCAO", &ResumoFinalRec::BASEENTDEVOLUCAO)
        .field("COD_FORNECEDOR", &ResumoFinalRec::COD_FORNECEDOR)
        .key("RFC:KEY:NUMERO", "Índice por Número", {"RFC:PERCENTUAL"}, kDuplicates | kNoCase)
        .key("RFC:KEY:FORALIQ", "Fornecedor + Aliquota", {"RFC:COD_FORNECEDOR", "RFC:PERCENTUAL"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& Senhas() {
    static const TableDesc d = TableBuilder<SenhasRec>("Senhas", "SEN")
        .file(CaminhoSenhas)
        .version(7)
        .field("NOME", &SenhasRec::NOME)
        .field("SENHA", &SenhasRec::SENHA)
        .field("ADM", &SenhasRec::ADM)
        .field("Acesso", &SenhasRec::Acesso)
        .field("ALTERASALARIO", &SenhasRec::ALTERASALARIO)
        .field("ALTERAMOVIMENTO", &SenhasRec::ALTERAMOVIMENTO)
        .key("SEN:Key:Nome", "SEN:Key:Nome", {"SEN:NOME"}, kPrimary | kUnique | kNoCase)
        .choice_rule("SEN:Acesso", "SEN:Acesso", "]0[]1[",
                     "'0 - Acessa Tudo','1 - Restringe Tudo'")
        .build();
    return d;
}

const TableDesc& FechamentoEscrita() {
    static const TableDesc d = TableBuilder<FechamentoEscritaRec>("FechamentoEscrita", "FEF")
        .file(CaminhoFechamentoEscrita)
        .version(2)
        .field("MESANO", &FechamentoEscritaRec::MESANO)
        .field("CODEMPRESA", &FechamentoEscritaRec::CODEMPRESA)
        .field("USUARIO", &FechamentoEscritaRec::USUARIO)
        .key("FEF:KEY:MESANO", "MesAno - CodEmpresa", {"FEF:MESANO", "FEF:CODEMPRESA"}, kPrimary | kUnique | kNoCase)
        .build();
    return d;
}

const TableDesc& LogEscrita() {
    static const TableDesc d = TableBuilder<LogEscritaRec>("LogEscrita", "LOG1")
        .file(CaminhoLogEscrita)
        .version(3)
        .field("USUARIO", &LogEscritaRec::USUARIO)
        .field("MESANO", &LogEscritaRec::MESANO)
        .field("DATA", &LogEscritaRec::DATA)
        .field("HORA", &LogEscritaRec::HORA)
        .field("Tipo", &LogEscritaRec::Tipo)
        .field("CODEMP", &LogEscritaRec::CODEMP)
        .key("LOG1:KEY:LOG", "Usuari, data, hora, MesAno", {"LOG1:MESANO", "LOG1:DATA", "LOG1:HORA", "LOG1:Tipo", "LOG1:USUARIO", "LOG1:CODEMP"}, kPrimary | kUnique | kNoCase)
        .choice_rule("LOG1:Tipo", "LOG1:Tipo", "]0[]1[",
                     "'0-Abertura','1-Fechamento'")
        .build();
    return d;
}

const TableDesc& Impressora() {
    static const TableDesc d = TableBuilder<ImpressoraRec>("Impressora", "IMP")
        .file(CaminhoImpressora)
        .version(6)
        .field("CODIGO", &ImpressoraRec::CODIGO)
        .field("NOME", &ImpressoraRec::NOME)
        .field("PORTA", &ImpressoraRec::PORTA)
        .field("LSUB", &ImpressoraRec::LSUB)
        .field("DSUB", &ImpressoraRec::DSUB)
        .field("CPI10", &ImpressoraRec::CPI10)
        .field("CPI17", &ImpressoraRec::CPI17)
        .field("CPI20", &ImpressoraRec::CPI20)
        .field("LEXP", &ImpressoraRec::LEXP)
        .field("DEXP", &ImpressoraRec::DEXP)
        .field("NLINHAS", &ImpressoraRec::NLINHAS)
        .field("LNEG", &ImpressoraRec::LNEG)
        .field("DNEG", &ImpressoraRec::DNEG)
        .field("ESP1_8POL", &ImpressoraRec::ESP1_8POL)
        .field("ESP7_72POL", &ImpressoraRec::ESP7_72POL)
        .field("ESP1_6POL", &ImpressoraRec::ESP1_6POL)
        .field("ACENTOS", &ImpressoraRec::ACENTOS)
        .key("IMP:KEY:CODIGO", "Código", {"IMP:CODIGO"}, kPrimary | kUnique | kNoCase, 1)
        .key("IMP:KEY:NOME", "Nome da Impressora", {"IMP:NOME"}, kDuplicates | kNoCase)
        .build();
    return d;
}

const TableDesc& ImpMatricial() {
    static const TableDesc d = TableBuilder<ImpMatricialRec>("ImpMatricial", "MAT")
        .file(CaminhoImpMatricial)
        .text_lines()
        .field("LINHA", &ImpMatricialRec::LINHA)
        .build();
    return d;
}

const TableDesc& ImpMatricial0() {
    static const TableDesc d = make_alias(ImpMatricial(), "ImpMatricial0", "MAT0");
    return d;
}

const TableDesc& LayArquivos() {
    static const TableDesc d = TableBuilder<LayArquivosRec>("LayArquivos", "LAY")
        .file(CaminhoLayArquivos)
        .version(10)
        .field("Arquivo", &LayArquivosRec::Arquivo)
        .field("Codigo", &LayArquivosRec::Codigo)
        .field("Descricao", &LayArquivosRec::Descricao)
        .field("Data", &LayArquivosRec::Data)
        .field("Ponto", &LayArquivosRec::Ponto)
        .field("Extensao", &LayArquivosRec::Extensao)
        .key("LAY:Key:Codigo", "LAY:Key:Codigo", {"LAY:Arquivo", "LAY:Codigo"}, kPrimary | kUnique | kNoCase, 2)
        .key("LAY:KEY:SCODIGO", "Codigo", {"LAY:Codigo"}, kUnique | kNoCase, 1)
        .child(LayCampArquivos, "CampArq:Key:Codigo", kCascade, kCascade, {{"LAY:Arquivo", "CampArq:Arquivo"}, {"LAY:Codigo", "CampArq:Codigo"}})
        .build();
    return d;
}

const TableDesc& LayArquivos0() {
    static const TableDesc d = make_alias(LayArquivos(), "LayArquivos0", "LAY0");
    return d;
}

const TableDesc& LayCampArquivos() {
    static const TableDesc d = TableBuilder<LayCampArquivosRec>("LayCampArquivos", "CampArq")
        .file(CaminhoLayCampArquivos)
        .version(6)
        .field("Arquivo", &LayCampArquivosRec::Arquivo)
        .field("Codigo", &LayCampArquivosRec::Codigo)
        .field("CodigoCampo", &LayCampArquivosRec::CodigoCampo)
        .field("DescCampo", &LayCampArquivosRec::DescCampo)
        .field("Tipo", &LayCampArquivosRec::Tipo)
        .field("Posicao", &LayCampArquivosRec::Posicao)
        .field("Tamanho", &LayCampArquivosRec::Tamanho)
        .field("QtdDecimal", &LayCampArquivosRec::QtdDecimal)
        .key("CampArq:Key:Codigo", "CampArq:Key:Codigo", {"CampArq:Arquivo", "CampArq:Codigo", "CampArq:CodigoCampo"}, kPrimary | kUnique | kNoCase, 3)
        .key("CampArq:Key:Posicao", "CampArq:Key:Posicao", {"CampArq:Arquivo", "CampArq:Codigo", "CampArq:Posicao"}, kDuplicates | kNoCase)
        .choice_rule("CampArq:Tipo", "Tipo de Campo (Numerico ou Alfanumerico", "]N[]X[",
                     "'N-Numérico','X-Alfanumérico'")
        .build();
    return d;
}

const TableDesc& LayCampArquivos0() {
    static const TableDesc d = make_alias(LayCampArquivos(), "LayCampArquivos0", "CampArq0");
    return d;
}

}  // namespace vorel::dictionary
