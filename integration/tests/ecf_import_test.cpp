// The cash-register import: master, analytic and daily files read together, the lines tied to
// their master line, every line's month gating the import, and an import that replaces by key.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "import_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/integration/importa_ecf.h"

namespace vorel::integration::testing {

namespace {

namespace keys = dictionary::keys;
using dictionary::AnaliticoICMSRec;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;

std::string Mestre(const std::string& dia, const std::string& maquina, const std::string& inicial = "000001",
                   const std::string& final_ = "000009", const std::string& mes = "03") {
    return LinhaPadrao(kTipoMestre, {{1, dia}, {2, mes}, {3, "2016"}, {4, maquina}, {5, inicial},
                                     {6, final_}, {7, "000004"}, {8, "0000000000010000"},
                                     {9, "0000000000020000"}});
}
std::string Analitico(const std::string& dia, const std::string& aliquota, const std::string& mes = "03") {
    return LinhaPadrao(kTipoAnalitico, {{1, dia}, {2, mes}, {3, "2016"}, {4, "001"}, {5, aliquota},
                                        {6, "000000012345"}});
}
std::string Diario(const std::string& dia, const std::string& produto, const std::string& mes = "03") {
    return LinhaPadrao(kTipoDiario, {{1, dia}, {2, mes}, {3, "2016"}, {4, "001"}, {5, produto},
                                     {6, "0000000001500"}, {7, "0000000010000"},
                                     {8, "0000000001800"}, {9, "T18 "}});
}

struct EcfImport : ImportFixture {
    ResultadoECF lido;
    ResultadoImportacao importado;

    void SetUp() override {
        ImportFixture::SetUp();
        LayoutPadrao(kTipoMestre, 1, "Mestre");
        LayoutPadrao(kTipoAnalitico, 2, "Analítico");
        LayoutPadrao(kTipoDiario, 3, "Diário");
        Seed<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), [](auto& m) { m.Codigo = 1; });
        for (int codigo : {7, 10, 30}) SeedProduct(codigo, 0, codigo == 30 ? "00007" : "P" + std::to_string(codigo));
    }
    // Reads the three files in March 2016 and imports them when the read allows it.
    void Run(const std::vector<std::string>& mestre, const std::vector<std::string>& analitico,
             const std::vector<std::string>& diario, int utiliza = 1) {
        const OpcoesECF o{FileOfLines("mestre.txt", mestre), FileOfLines("analitico.txt", analitico),
                          FileOfLines("diario.txt", diario), {1, 2, 3}, utiliza, 3, 2016, {}, 1};
        OnThread([&] {
            ImportacaoECF ecf;
            ASSERT_EQ(ecf.Abre(), "");
            lido = ecf.Le(o);
            if (lido.PodeImportar()) importado = ecf.Importa(3);
        });
    }
    static std::string Dia(int dia) { return dictionary::DataComoTexto(date::make(2016, 3, dia)); }
    // The day of March 2016 a stored date text holds; 0 for another date.
    template <class F>
    static int DiaDoMes(const F& campo) {
        const date::Day d = dictionary::DiaDoTexto(campo.value());
        return date::year(d) == 2016 && date::month(d) == 3 ? date::day(d) : 0;
    }
};

TEST_F(EcfImport, TheThreeFilesOfOneReadLinkMasterToAnalyticToDaily) {
    // Stored before: the master of the 5th (replaced by this import) and of the 20th (untouched).
    for (int dia : {5, 20})
        Seed<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), [&](auto& m) {
            m.Codigo = 1;
            m.DataEmissao = Dia(dia);
            m.InicialCupom = 1;
            m.MesImpor = 2;
        });
    // The 9th: one coupon and an unchanged grand total (a day without sales) is no problem.
    const std::string semVendas = LinhaPadrao(kTipoMestre, {{1, "09"}, {2, "03"}, {3, "2016"}, {4, "001"}, {5, "000050"},
                                                            {6, "000050"}, {7, "000005"}, {8, "0000000000030000"},
                                                            {9, "0000000000030000"}});
    Run({Mestre("05", "001", "000100", "000200"), Mestre("05", "001", "000300", "000400"),
         Mestre("06", "002", "000010", "000005"), semVendas},
        {Analitico("05", "T18 "), Analitico("07", "F   ")},
        {Diario("05", "00000000000010"), Diario("05", "00000000000099"), Diario("08", "00000000000010")});

    EXPECT_EQ(Utf8(lido.erros), (std::vector<std::string>{
        "Mestre Linha 3 Lançamento Mestre do dia 06/03/2016 possui o Código da Máquinas Registradora inválido.",
        "Mestre Linha 3 Lançamento Mestre do dia 06/03/2016 possui Cupom Inicial Maior do que o Cupom Final.",
        "Analitico Linha 2 Não existe Lançamento Mestre para o Lançamento Analítico do dia 07/03/2016, ECF número 1 "
        "fechamento 0",
        "Diario Linha 2 O produtos 99 do Lançamento Diário do dia 05/03/2016 não está cadastrado.",
        "Diario Linha 3 Não existe Lançamento Mestre para o Lançamento Diário do dia 08/03/2016 ECF 1"}));
    ASSERT_TRUE(lido.PodeImportar());  // problems are listed, they do not withhold the import
    ASSERT_TRUE(importado.ok()) << data::error_text(importado.falha);
    EXPECT_EQ(importado.importados, 3 + 2 + 3);

    const auto mestres = All<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO);
    ASSERT_EQ(mestres.size(), 4u);
    std::map<std::pair<int, int>, LancICMSEletronicoRec> porDia;  // (day of March, machine)
    for (const auto& m : mestres) porDia[{DiaDoMes(m.DataEmissao), m.Codigo}] = m;
    const auto& quinto = porDia.at({5, 1});
    EXPECT_EQ(quinto.InicialCupom, 100);  // the first line of a repeated key, replacing the stored one
    EXPECT_EQ(quinto.FinalCupom, 200);
    EXPECT_EQ(quinto.MesImpor, 3);
    EXPECT_EQ(quinto.GTInicio.value(), *Decimal::parse("100.00"));
    EXPECT_EQ(quinto.GTFinal.value(), *Decimal::parse("200.00"));
    EXPECT_EQ(porDia.at({20, 1}).MesImpor, 2);
    EXPECT_EQ(porDia.at({6, 2}).MesImpor, 3);

    const auto analiticos = All<AnaliticoICMSRec>(dictionary::AnaliticoICMS(), keys::ANA_KEY_ALICOTA);
    ASSERT_EQ(analiticos.size(), 2u);
    const auto diarios = All<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), keys::MMR_KEY_CODIGO);
    ASSERT_EQ(diarios.size(), 3u);
    // Each line of the 5th carries its master's key; the orphans (7th, 8th) are imported too.
    for (const auto& a : analiticos) {
        EXPECT_EQ(a.MesImpor, 3);
        if (DiaDoMes(a.DataEmissao) == 5) {
            EXPECT_EQ(std::string(a.Aliquota.value()), "T18 ");
            EXPECT_EQ(a.Totalizador.value(), *Decimal::parse("123.45"));
        }
    }
    std::vector<std::string> produtos;
    for (const auto& d : diarios) {
        EXPECT_EQ(d.MesImpor, 3);
        EXPECT_EQ(d.Codigo, 1);
        produtos.push_back(std::to_string(DiaDoMes(d.DataEmissao)) + ":" + d.CodMercadoria.value().to_fixed(0));
        EXPECT_EQ(d.Quantidade.value(), *Decimal::parse("1.500"));
        EXPECT_EQ(d.BaseCalculo.value(), *Decimal::parse("100.00"));
        EXPECT_EQ(d.ValorICMS.value(), *Decimal::parse("18.00"));
    }
    std::sort(produtos.begin(), produtos.end());
    EXPECT_EQ(produtos, (std::vector<std::string>{"5:10", "5:99", "8:10"}));
}

// The daily items mark their product's balance row of the month at the register's rate, as the
// daily cash-register form does (an unregistered product at rate 0), once per product.
TEST_F(EcfImport, DailyItemsMarkTheirProductsMonthAtTheRegistersRate) {
    SeedProduct(40, 18);
    Run({Mestre("05", "001")}, {Analitico("05", "T18 ")},
        {Diario("05", "00000000000040"), Diario("05", "00000000000040"), Diario("05", "00000000000099")});
    ASSERT_TRUE(importado.ok()) << data::error_text(importado.falha);
    std::vector<std::string> marcas;
    for (const auto& q : All<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_PRODDATAALIQUOTA))
        marcas.push_back(std::string(q.Produto.clipped()) + (q.Competencia == date::make(2016, 3, 1) ? " 03/2016 " : " ? ") +
                         q.Aliquota.value().to_string() + " s" + std::to_string(q.Situacao));
    EXPECT_EQ(marcas, (std::vector<std::string>{"40 03/2016 18 s0", "99 03/2016 0 s0"}));
}

TEST_F(EcfImport, AnyLineOfAnotherMonthOrAnEmptyFileWithholdsTheImport) {
    struct Caso {
        const char* nome;
        std::vector<std::string> mestre, analitico, diario;
        const char* erro;
    };
    const std::vector<Caso> casos = {
        {"master", {Mestre("05", "001", "000001", "000009", "04"), Mestre("06", "001")}, {Analitico("06", "T18 ")},
         {Diario("06", "00000000000010")},
         "Mestre Linha 1 O Arquivo Mestre possui lançamentos com data diferente do Mês selecionado."},
        {"analytic", {Mestre("05", "001")}, {Analitico("05", "T18 ", "04"), Analitico("05", "F   ")},
         {Diario("05", "00000000000010")},
         "Analitico Linha 1 O arquivo Analítico possui lançamentos com data diferente a selecionada."},
        {"daily", {Mestre("05", "001")}, {Analitico("05", "T18 ")},
         {Diario("05", "00000000000010", "02"), Diario("05", "00000000000007")},
         "Diario Linha 1 O arquivo Diário possui lançamentos com data diferente a selecionada."},
        {"empty daily file", {Mestre("05", "001")}, {Analitico("05", "T18 ")}, {}, nullptr},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        lido = {};
        Run(c.mestre, c.analitico, c.diario);
        EXPECT_FALSE(lido.PodeImportar());
        if (c.erro) {
            const auto erros = Utf8(lido.erros);
            EXPECT_NE(std::find(erros.begin(), erros.end(), c.erro), erros.end());
        }
    }
    EXPECT_TRUE(All<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO).empty());
}

TEST_F(EcfImport, DailyProductByCodeOrOnlyByNicknameWithItsZeros) {
    // Product 7 by code; product 30 has the nickname "00007".
    std::set<std::string> importados;
    for (auto [utiliza, esperado] : {std::pair{2, "30"}, std::pair{1, "7"}}) {
        SCOPED_TRACE(utiliza);
        Run({Mestre("05", "001")}, {Analitico("05", "T18 ")}, {Diario("05", "00007")}, utiliza);
        EXPECT_TRUE(lido.erros.empty());
        importados.insert(esperado);
        std::set<std::string> produtos;
        for (const auto& d : All<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), keys::MMR_KEY_CODIGO))
            produtos.insert(d.CodMercadoria.value().to_fixed(0));
        EXPECT_EQ(produtos, importados);
    }
}

}  // namespace

}  // namespace vorel::integration::testing
