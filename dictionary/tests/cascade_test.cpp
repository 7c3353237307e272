// Deletes and key changes through the relation classes carry into the child tables.
#include "dictionary_fixture.h"

namespace vorel::dictionary {
namespace {

class Cascade : public DictionaryFiles {};

TEST_F(Cascade, DeletingACompanyRemovesItsChildren) {
    for (int c : {5, 6}) add<EmpresaRec>(Empresa(), [&](EmpresaRec& r) { r.Codigo = c; });
    for (auto [c, ref] : {std::pair{5, 1}, {5, 2}, {6, 1}})
        add<Contas_Integracao_ContabilRec>(Contas_Integracao_Contabil(), [&](auto& r) {
            r.CODIGO_EMPRESA = c;
            r.CODIGO_REFERENCIA = ref;
        });
    for (int c : {5, 5, 6}) add<AltContratuaisRec>(AltContratuais(), [&](auto& r) { r.CODIGO = c; });
    // company 5 heads branch 7, and is itself a branch of company 6
    add<FiliaisRec>(Filiais(), [](auto& r) { r.MATRIZ = 5; r.FILIAL = 7; });
    add<FiliaisRec>(Filiais(), [](auto& r) { r.MATRIZ = 6; r.FILIAL = 5; });

    fetch<EmpresaRec>(Empresa(), data::KeyName{"EMP:KEY:CODIGO"}, [](auto& r) { r.Codigo = 5; });
    ASSERT_EQ(data::dictionary::relation(Empresa()).delete_record(data::Messages::Quiet), data::kBenign) << last_error().text;

    EXPECT_EQ(column(Empresa(), "EMP:Codigo"), (Values{6}));
    EXPECT_EQ(column(Contas_Integracao_Contabil(), "CIC:CODIGO_EMPRESA"), (Values{6}));
    EXPECT_EQ(column(AltContratuais(), "ALTCONT:CODIGO"), (Values{6}));
    EXPECT_EQ(column(Filiais(), "FILIAIS:MATRIZ"), (Values{6}));
    EXPECT_EQ(column(Filiais(), "FILIAIS:FILIAL"), (Values{5}));  // a branch row of company 5 stays
    EXPECT_TRUE(asker_.asked.empty());
}

TEST_F(Cascade, DeletingAnEmployeeEmptiesTheTablesOfItsChain) {
    for (std::uint32_t f : {1u, 2u}) {
        add<FuncionariosRec>(Funcionarios(), [&](auto& r) { r.CODIGO = f; });
        add<ACFuncionariosRec>(ACFuncionarios(), [&](auto& r) { r.CODIGOFUN = f; r.CODIGOCAMPO = 1; r.DATA = 100; });
        for (std::uint8_t dep : {1, 2}) {
            add<DependentesRec>(Dependentes(), [&](auto& r) { r.CODIGOFUNCIONARIO = f; r.CODIGODEPENDENTE = dep; });
            add<DepVacinacaoRec>(DepVacinacao(), [&](auto& r) {
                r.CODIGOFUNCIONARIO = f; r.CODIGODEPENDENTE = dep; r.CODIGOVACINA = 1; r.NUMERODOSE = 1;
            });
            add<DepSuspSFRec>(DepSuspSF(), [&](auto& r) { r.CODIGOFUNCIONARIO = f; r.CODIGODEPENDENTE = dep; r.DATAINICIO = 10; });
        }
        for (std::uint8_t lanc : {1, 2}) {
            add<MovFuncionariosRec>(MovFuncionarios(), [&](auto& r) { r.FUNCIONARIO = f; r.CLANCAMENTO = lanc; r.INICIO = 100 + lanc; });
            add<RefTotalMediaRec>(RefTotalMedia(), [&](auto& r) { r.FUNCIONARIO = f; r.LANCAMENTO = lanc; });
            add<RefMedCtaRec>(RefMedCta(), [&](auto& r) { r.FUNCIONARIO = f; r.LANCAMENTO = lanc; r.CONTA = 7; });
            add<RefVlrMensaisRec>(RefVlrMensais(), [&](auto& r) { r.FUNCIONARIO = f; r.LANCAMENTO = lanc; r.CONTA = 7; r.MES = 1; });
        }
    }

    // an entry of employee 1 takes its totals, averages and monthly values along
    fetch<MovFuncionariosRec>(MovFuncionarios(), data::KeyName{"MOVFUNC:KEY:FUNCCLANC"}, [](auto& r) { r.FUNCIONARIO = 1; r.CLANCAMENTO = 2; });
    ASSERT_EQ(data::dictionary::relation(MovFuncionarios()).delete_record(data::Messages::Quiet), data::kBenign) << last_error().text;
    EXPECT_EQ(column(RefTotalMedia(), "REFTOTMED:FUNCIONARIO"), (Values{1, 2, 2}));
    EXPECT_EQ(column(RefMedCta(), "REFMEDCTA:LANCAMENTO"), (Values{1, 1, 2}));
    EXPECT_EQ(column(RefVlrMensais(), "REFVLRMEN:LANCAMENTO"), (Values{1, 1, 2}));

    // the employee takes everything of its own in the seven tables and its history
    fetch<FuncionariosRec>(Funcionarios(), data::KeyName{"FUN:Key:Codigo"}, [](auto& r) { r.CODIGO = 1; });
    ASSERT_EQ(data::dictionary::relation(Funcionarios()).delete_record(data::Messages::Quiet), data::kBenign) << last_error().text;
    EXPECT_EQ(column(Funcionarios(), "FUN:CODIGO"), (Values{2}));
    EXPECT_EQ(column(ACFuncionarios(), "ACFUN:CODIGOFUN"), (Values{2}));
    EXPECT_EQ(column(Dependentes(), "DEP:CODIGOFUNCIONARIO"), (Values{2, 2}));
    EXPECT_EQ(column(DepVacinacao(), "DVACI:CODIGOFUNCIONARIO"), (Values{2, 2}));
    EXPECT_EQ(column(DepSuspSF(), "DSSF:CODIGOFUNCIONARIO"), (Values{2, 2}));
    EXPECT_EQ(column(MovFuncionarios(), "MOVFUNC:FUNCIONARIO"), (Values{2, 2}));
    EXPECT_EQ(column(RefTotalMedia(), "REFTOTMED:FUNCIONARIO"), (Values{2, 2}));
    EXPECT_EQ(column(RefMedCta(), "REFMEDCTA:FUNCIONARIO"), (Values{2, 2}));
    EXPECT_EQ(column(RefVlrMensais(), "REFVLRMEN:FUNCIONARIO"), (Values{2, 2}));
}

TEST_F(Cascade, AnEntryItemCarriesAndTakesItsQuantityLines) {
    add<EntradaVorelRec>(EntradaVorel(), [](auto& r) { r.DataEmissao = 78531; r.Numero = 10; r.Serie = "1"; r.Cnpj = "11222333000181"; });
    for (std::uint32_t numero : {10u, 10u, 11u})
        add<QuantidadeVorelRec>(QuantidadeVorel(), [&](auto& r) {
            r.DataEmissao = 78531; r.Numero = numero; r.Serie = "1"; r.Cnpj = "11222333000181"; r.Unitario = numero;
        });
    // the same invoice number under another CNPJ is another invoice's line
    add<QuantidadeVorelRec>(QuantidadeVorel(), [](auto& r) { r.DataEmissao = 78531; r.Numero = 10; r.Serie = "1"; r.Cnpj = "99"; });

    fetch<EntradaVorelRec>(EntradaVorel(), data::KeyName{"ENT:KEY:RELACIONAMENTO"}, [](auto& r) {
        r.DataEmissao = 78531; r.Numero = 10; r.Serie = "1"; r.Cnpj = "11222333000181";
    });
    data::dictionary::file(EntradaVorel()).rec<EntradaVorelRec>().Numero = 12;
    ASSERT_EQ(data::dictionary::relation(EntradaVorel()).update(data::Messages::Quiet), data::kBenign) << last_error().text;
    EXPECT_EQ(column(QuantidadeVorel(), "QUA:Numero"), (Values{10, 11, 12, 12}));

    ASSERT_EQ(data::dictionary::relation(EntradaVorel()).delete_record(data::Messages::Quiet), data::kBenign) << last_error().text;
    EXPECT_TRUE(column(EntradaVorel(), "ENT:Numero").empty());
    EXPECT_EQ(column(QuantidadeVorel(), "QUA:Numero"), (Values{10, 11}));
}

TEST_F(Cascade, AMasterCashRegisterEntryTakesItsAnalyticAndDailyEntries) {
    for (std::uint8_t fech : {1, 2}) {
        add<LancICMSEletronicoRec>(LancICMSEletronico(), [&](auto& r) { r.DataEmissao = "78531"; r.Codigo = 3; r.Fechamento = fech; });
        for (const char* aliq : {"T17", "F"}) {
            add<AnaliticoICMSRec>(AnaliticoICMS(), [&](auto& r) { r.DataEmissao = "78531"; r.Codigo = 3; r.Fechamento = fech; r.Aliquota = aliq; });
            add<MovMaqRegistradoraRec>(MovMaqRegistradora(), [&](auto& r) {
                r.DataEmissao = "78531"; r.Codigo = 3; r.Fechamento = fech; r.Aliquota = aliq; r.CodMercadoria = 42;
            });
        }
    }
    fetch<LancICMSEletronicoRec>(LancICMSEletronico(), data::KeyName{"LAN:KEY:CODIGO"}, [](auto& r) { r.DataEmissao = "78531"; r.Codigo = 3; r.Fechamento = 1; });
    ASSERT_EQ(data::dictionary::relation(LancICMSEletronico()).delete_record(data::Messages::Quiet), data::kBenign) << last_error().text;
    EXPECT_EQ(column(LancICMSEletronico(), "LAN:Fechamento"), (Values{2}));
    EXPECT_EQ(column(AnaliticoICMS(), "ANA:Fechamento"), (Values{2, 2}));
    EXPECT_EQ(column(MovMaqRegistradora(), "MMR:Fechamento"), (Values{2, 2}));
}

}  // namespace
}  // namespace vorel::dictionary
