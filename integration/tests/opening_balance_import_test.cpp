// The opening-balances import: the rate taken from the product, the year rule, and the import of
// entries numbered 0 with their supplier-product links and batches.
#include <gtest/gtest.h>

#include <map>

#include "import_fixture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_saldo_anterior.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

std::string Saldo(const std::map<int, std::string>& campos = {}) {
    return LinhaPadrao(kTipoSaldoAnterior,
                       {{1, "29"}, {2, "02"}, {3, "2016"}, {4, "000000000000005000"}, {7, "1102"},
                        {8, "000"}, {9, "10"}, {10, "L1"}, {11, "11222333000181"}, {12, "000000"}},
                       campos);
}

struct OpeningBalanceImport : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        LayoutPadrao(kTipoSaldoAnterior, 1, "Saldos");
        SeedProduct(10, 18);
        SeedSupplier(4, "11222333000181");
    }
    struct Run {
        ResultadoLeitura leitura;
        ResultadoImportacao importacao;
        std::vector<dictionary::EntradaVorelRec> preparados;
    };
    Run ReadAndImport(const std::vector<std::string>& linhas) {
        const std::string arquivo = FileOfLines("saldos.txt", linhas);
        Run r;
        OnThread([&] {
            ImportacaoSaldoAnterior run;
            ASSERT_EQ(run.Abre(), "");
            r.leitura = run.Le({arquivo, 1, 1, 3, 2016, {}, 1});
            data::FileManager& stg = run.staging();
            (void)stg.set(dictionary::EntradaVorel().key_index(dictionary::keys::ENT_KEY_NUMERO));
            while (stg.next().ok()) r.preparados.push_back(stg.rec<dictionary::EntradaVorelRec>());
            if (r.leitura.PodeImportar()) r.importacao = run.Importa(3);
        });
        return r;
    }
};

}  // namespace

TEST_F(OpeningBalanceImport, ABalanceIsStagedAsReadAndStoredAsAnOpeningEntryWithItsLinkAndBatch) {
    const std::map<int, std::string> bases = {{5, "000000000000012345"}, {6, "000000000000010000"}};
    const auto r = ReadAndImport({Saldo(bases), Saldo({{5, bases.at(5)}, {6, bases.at(6)}, {10, "L2"}, {12, "012000"}})});
    EXPECT_TRUE(r.leitura.erros.empty());
    ASSERT_EQ(r.preparados.size(), 2u);
    EXPECT_EQ(r.preparados[0].Complemento, 0);  // listed as read
    ASSERT_TRUE(r.importacao.ok());
    const auto e = All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO);
    ASSERT_EQ(e.size(), 2u);
    for (const auto& x : e) {
        EXPECT_EQ(x.Numero, 0u);
        EXPECT_EQ(x.Complemento, 1);  // stored as 1
        EXPECT_EQ(x.Saldo_Inicial, 1);
        EXPECT_EQ(x.MesImpor, 3);
        EXPECT_EQ(x.DataEmissao, date::make(2016, 2, 29));
        EXPECT_EQ(static_cast<const Decimal&>(x.Quantidade), Decimal(5));
        EXPECT_EQ(static_cast<const Decimal&>(x.BaseICMS), Decimal::from_string("123.45"));
        EXPECT_EQ(static_cast<const Decimal&>(x.BaseICMSPropria), Decimal(100));
    }
    std::vector<Decimal> aliquotas = {e[0].Aliquota, e[1].Aliquota};
    std::sort(aliquotas.begin(), aliquotas.end());
    EXPECT_EQ(aliquotas, (std::vector<Decimal>{Decimal(12), Decimal(18)}));  // 0 read: the product's rate
    EXPECT_EQ(All<dictionary::ForCliQelRec>(dictionary::ForCliQel(), dictionary::keys::FCC_KEY_FORPROD).size(), 1u);
    const auto lotes = All<dictionary::LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_LOTEPROD);
    ASSERT_EQ(lotes.size(), 2u);
    EXPECT_EQ(lotes[0].TIPO, 0);
}

TEST_F(OpeningBalanceImport, ABalanceOfAnotherYearIsListedAndWithholdsTheImportWhereverItStands) {
    const auto r = ReadAndImport({Saldo({{1, "28"}, {3, "2015"}}), Saldo({{11, "00000000000000"}})});
    EXPECT_EQ(r.leitura.preparados, 2);
    EXPECT_FALSE(r.leitura.PodeImportar());
    ASSERT_EQ(r.leitura.erros.size(), 2u) << text::to_utf8(r.leitura.erros.back());
    EXPECT_EQ(text::to_utf8(r.leitura.erros[0]), "O ano do saldo anterior é diferente do ano selecionado produto: 10");
    EXPECT_EQ(text::to_utf8(r.leitura.erros[1]), "Nota Fiscal de número 0 Fornecedor deve ser informado.");

    const auto seguinte = ReadAndImport({Saldo({{1, "28"}, {3, "2017"}})});  // a later year is another year too
    EXPECT_FALSE(seguinte.leitura.PodeImportar());
    ASSERT_FALSE(seguinte.leitura.erros.empty());
    EXPECT_EQ(text::to_utf8(seguinte.leitura.erros[0]), "O ano do saldo anterior é diferente do ano selecionado produto: 10");
}

}  // namespace vorel::integration::testing
