// The clean-ups of cash-register records and of entries dated in another year, and the calculation
// base of the retained-tax purchases.
#include <gtest/gtest.h>

#include <set>

#include "reparo_fixture.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/maintenance/base_calculo_entrada.h"
#include "vorel/maintenance/limpeza_lancamentos.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::AnaliticoICMSRec;
using dictionary::DataComoTexto;
using dictionary::EntradaVorelRec;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;

class LimpezaTest : public ReparoFixture {};

// Machine 1 on the 10th: master, analytic records at "18" and "F", daily records at "18", "F" and
// "07" (no analytic: goes). Machine 2 on the 10th: no master; its analytic record "18" goes, and
// with it its daily record. The 20th: an analytic record without master and without daily records
// is not examined and stays; a master alone stays.
TEST_F(LimpezaTest, OrphanAnalyticAndDailyRecordsGoAndMastersStay) {
    const std::string dia10 = DataComoTexto(Dia(2016, 3, 10)), dia20 = DataComoTexto(Dia(2016, 3, 20));
    Grava<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), 2, [&](LancICMSEletronicoRec& m, int i) {
        m.DataEmissao = i == 0 ? dia10 : dia20;
        m.Codigo = static_cast<std::int16_t>(i == 0 ? 1 : 3);
    });
    struct A {
        const std::string* dia;
        int maquina;
        const char* aliquota;
    };
    const A analiticos[] = {{&dia10, 1, "18"}, {&dia10, 1, "F"}, {&dia10, 2, "18"}, {&dia20, 5, "12"}};
    Grava<AnaliticoICMSRec>(dictionary::AnaliticoICMS(), std::size(analiticos), [&](AnaliticoICMSRec& a, int i) {
        a.DataEmissao = *analiticos[i].dia;
        a.Codigo = static_cast<std::int16_t>(analiticos[i].maquina);
        a.Aliquota = analiticos[i].aliquota;
    });
    const A diarios[] = {{&dia10, 1, "18"}, {&dia10, 1, "F"}, {&dia10, 1, "07"}, {&dia10, 2, "18"}};
    Grava<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), std::size(diarios), [&](MovMaqRegistradoraRec& d, int i) {
        d.DataEmissao = *diarios[i].dia;
        d.Codigo = static_cast<std::int16_t>(diarios[i].maquina);
        d.Aliquota = diarios[i].aliquota;
        d.CodMercadoria = 10 + i;
    });

    const ResultadoReparo r = NaThread([&] { return ExcluiCuponsOrfaos(periodo); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.lidos, 4);
    EXPECT_EQ(r.alterados, 3);
    auto chaves = [](const auto& linhas) {
        std::set<std::string> s;
        for (const auto& l : linhas)
            s.insert(std::to_string(dictionary::DiaDoTexto(l.DataEmissao.clipped()) - Dia(2016, 3, 0)) + "/" +
                     std::to_string(l.Codigo) + "/" + std::string(l.Aliquota.clipped()));
        return s;
    };
    EXPECT_EQ(chaves(Le<AnaliticoICMSRec>(dictionary::AnaliticoICMS(), keys::ANA_KEY_ALICOTA)),
              (std::set<std::string>{"10/1/18", "10/1/F", "20/5/12"}));
    EXPECT_EQ(chaves(Le<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), keys::MMR_KEY_CODIGO)),
              (std::set<std::string>{"10/1/18", "10/1/F"}));
    EXPECT_EQ(Le<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO).size(), 2u);
}

// In the 2014 file an entry of 31/12/2013 (and one without a date) goes; those of 2014 stay. A stop
// leaves the file as it was.
TEST_F(LimpezaTest, EntriesOfAnotherYearLeaveTheYearsFile) {
    const std::string arquivo = NoAno(dictionary::EntradaVorel(), 2014);
    const date::Day datas[] = {Dia(2013, 12, 31), Dia(2014, 1, 1), 0, Dia(2014, 12, 31), Dia(2015, 1, 2)};
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), std::size(datas), [&](EntradaVorelRec& e, int i) {
        e.DataEmissao = datas[i];
        e.Numero = static_cast<std::uint32_t>(i + 1);
    }, arquivo);
    const shell::EmpresaPeriodo ano2014{.empresa = 1, .ano = 2014, .mes = 1};
    auto numeros = [&] {
        std::set<std::uint32_t> s;
        for (const auto& e : Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA, arquivo)) s.insert(e.Numero);
        return s;
    };

    ResultadoReparo r = NaThread([&] {
        return ExcluiEntradasDeOutroAno(ano2014, [](long long lidos, long long) { return lidos < 5; });
    });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(numeros(), (std::set<std::uint32_t>{1, 2, 3, 4, 5}));

    r = NaThread([&] { return ExcluiEntradasDeOutroAno(ano2014); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.lidos, 5);
    EXPECT_EQ(r.alterados, 3);
    EXPECT_EQ(numeros(), (std::set<std::uint32_t>{2, 4}));
}

// 1403 and 2403 entries without a calculation base take the own-operation base (zero included);
// one with a base, and other codes, stay.
TEST_F(LimpezaTest, RetainedTaxPurchasesWithoutBaseTakeTheOwnOperationBase) {
    struct Caso {
        int cfo;
        const char *base, *propria, *depois;
    };
    const Caso casos[] = {{1403, "0", "150.00", "150.00"}, {2403, "0", "0", "0"}, {1403, "80.00", "150.00", "80.00"},
                          {1102, "0", "150.00", "0"},      {1409, "0", "150.00", "0"}};
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), std::size(casos), [&](EntradaVorelRec& e, int i) {
        e.DataEmissao = Dia(2016, 2, 1 + i);
        e.CFO = static_cast<std::uint16_t>(casos[i].cfo);
        e.BaseICMS = D(casos[i].base);
        e.BaseICMSPropria = D(casos[i].propria);
    });
    const ResultadoReparo r = NaThread([&] { return CopiaBasePropriaParaBaseCalculo(periodo); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.confirmados, (std::vector<long long>{5}));
    const auto entradas = Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA);
    ASSERT_EQ(entradas.size(), std::size(casos));
    for (std::size_t i = 0; i < entradas.size(); ++i)
        EXPECT_EQ(entradas[i].BaseICMS.value(), D(casos[i].depois)) << casos[i].cfo << " base " << casos[i].base;
}

}  // namespace
}  // namespace vorel::maintenance::testing
