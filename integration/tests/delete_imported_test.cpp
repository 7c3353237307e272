// Deleting imported data by import month: the selection of each kind and the balance marks.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/core/date.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/exclui_importados.h"

namespace vorel::integration::testing {

namespace {

using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;
using dictionary::SaldosVorelRec;

struct DeleteImported : ImportFixture {
    void Saida(std::uint32_t numero, int mesImpor, long long produto, long long aliquota) {
        Seed<SaidaVorelRec>(dictionary::SaidaVorel(), [&](auto& s) {
            s.Numero = numero;
            s.MesImpor = static_cast<std::uint8_t>(mesImpor);
            s.CodMercadoria = Decimal(produto);
            s.Alicota = Decimal(aliquota);
        });
    }
    void Saldo(const std::string& produto, date::Day competencia, long long aliquota) {
        Seed<SaldosVorelRec>(dictionary::SaldosVorel(), [&](auto& s) {
            s.Produto = produto;
            s.Competencia = competencia;
            s.Aliquota = Decimal(aliquota);
        });
    }
    ResultadoExclusao Exclui(Importados qual, FaixaMeses faixa, long* contados = nullptr) {
        ResultadoExclusao r;
        OnThread([&] {
            if (contados) *contados = ContaImportados(qual, faixa, 2016);
            r = ExcluiImportados(qual, faixa, {1, 2016, 3});
        });
        return r;
    }
};

}  // namespace

TEST_F(DeleteImported, ExitsStampedInTheRangeGoAndTheirBalancesAreMarked) {
    const date::Day marco = date::make(2016, 3, 1);
    for (int mes = 2; mes <= 6; ++mes) Saida(static_cast<std::uint32_t>(mes), mes, 10 + mes, 18);
    Saldo("13", marco, 18);                      // item 3's product at its rate
    Saldo("14", marco, 12);                      // item 4's product, at another rate only
    Saldo("14", marco, 25);
    Saldo("15", date::make(2016, 5, 1), 18);      // item 5's product, but not in the working month
    long contados = 0;
    const auto r = Exclui(Importados::Saidas, {3, 5}, &contados);
    ASSERT_TRUE(r.falha.ok());
    EXPECT_EQ(contados, 3);
    EXPECT_EQ(r.excluidos, 3);
    const auto s = All<SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].MesImpor, 2);
    EXPECT_EQ(s[1].MesImpor, 6);
    const auto b = All<SaldosVorelRec>(dictionary::SaldosVorel(), dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA);
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(b[0].Exclusao, 1);  // 13 at 18
    EXPECT_EQ(b[1].Exclusao, 1);  // 14 at 12: the first of the month in key order
    EXPECT_EQ(b[2].Exclusao, 0);  // 14 at 25
    EXPECT_EQ(b[3].Exclusao, 0);  // 15 in May
}

TEST_F(DeleteImported, OpeningBalancesAreTheEntriesNumberedZero) {
    for (std::uint32_t numero : {0u, 7u})
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& e) {
            e.Numero = numero;
            e.MesImpor = 3;
        });
    const auto r = Exclui(Importados::SaldoAnterior, {3, 3});
    ASSERT_TRUE(r.falha.ok());
    EXPECT_EQ(r.excluidos, 1);
    const auto e = All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Numero, 7u);
}

TEST_F(DeleteImported, ProductsAndMachinesAreSelectedByTheDateTheirImportsStamp) {
    struct Caso {
        long long codigo;
        date::Day mes;
    };
    const std::vector<Caso> produtos = {
        {1, date::make(2016, 1, 1)}, {2, date::make(2016, 12, 1)}, {3, date::make(2015, 12, 1)}, {4, 0}};
    for (const Caso& c : produtos) {
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), [&](auto& p) {
            p.Codigo = Decimal(c.codigo);
            p.MesImport = c.mes;
        });
        Seed<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), [&](auto& m) {
            m.Codigo = static_cast<std::int16_t>(c.codigo);
            m.MesImpor = c.mes;
        });
    }
    EXPECT_EQ(Exclui(Importados::Produtos, {1, 12}).excluidos, 2);
    const auto p = All<dictionary::ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(static_cast<const Decimal&>(p[0].Codigo), Decimal(3));
    EXPECT_EQ(Exclui(Importados::Maquinas, {12, 12}).excluidos, 1);
    EXPECT_EQ(All<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), dictionary::keys::ICM_KEY_NUMERO).size(), 3u);
}

TEST_F(DeleteImported, CashRegisterTablesAreEachSelectedByTheirOwnStamp) {
    Seed<dictionary::LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), [](auto& l) { l.MesImpor = 3; });
    Seed<dictionary::AnaliticoICMSRec>(dictionary::AnaliticoICMS(), [](auto& a) { a.MesImpor = 4; });
    Seed<dictionary::MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), [](auto& m) { m.MesImpor = 3; });
    EXPECT_EQ(Exclui(Importados::Lancamentos, {3, 3}).excluidos, 2);
    EXPECT_TRUE(All<dictionary::LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), dictionary::keys::LAN_KEY_CODIGO).empty());
    EXPECT_EQ(All<dictionary::AnaliticoICMSRec>(dictionary::AnaliticoICMS(), dictionary::keys::ANA_KEY_ALICOTA).size(), 1u);
}

}  // namespace vorel::integration::testing
