// The vehicle imports: the checks of a line, the lines that stop a read, and an import that
// updates a stored vehicle with the same key.
#include <gtest/gtest.h>

#include <map>

#include "import_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_veiculos.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

// A vehicle of March 2016 with what a test changes.
std::string Veiculo(int tipo, const std::map<int, std::string>& campos = {}) {
    return LinhaPadrao(tipo,
                       {{1, "11222333000181"}, {2, "1 "}, {3, "000010"}, {4, "05"}, {5, "03"},
                        {6, "2016"}, {8, "CHASSI1"}, {9, "10"}, {10, "1102"}, {12, "018000"}},
                       campos);
}

struct VehicleImport : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        for (int tipo : {kTipoEntradaVeiculos, kTipoSaidaVeiculos}) {
            LayoutPadrao(tipo, tipo == kTipoSaidaVeiculos ? 2 : 1, "Veículos");
        }
        SeedProduct(10, 18);
        SeedCfo(1102);
        SeedSupplier(1, "11222333000181", "PR");
    }
    std::pair<ResultadoLeitura, ResultadoImportacao> Run(bool saidas, const std::vector<std::string>& linhas) {
        const std::string arquivo = FileOfLines("veiculos.txt", linhas);
        std::pair<ResultadoLeitura, ResultadoImportacao> r;
        OnThread([&] {
            ImportacaoVeiculos run(saidas);
            ASSERT_EQ(run.Abre(), "");
            r.first = run.Le({arquivo, saidas ? 2 : 1, 1, 3, 2016, {}, 1});
            if (r.first.PodeImportar()) r.second = run.Importa(3);
        });
        return r;
    }
};

}  // namespace

TEST_F(VehicleImport, ARateOtherThanTheProductsIsListedAndStoredAsReadAndTheSameKeyUpdates) {
    const int t = kTipoEntradaVeiculos;
    auto r = Run(false, {Veiculo(t, {{12, "017000"}, {13, "0000000010000"}})});
    EXPECT_EQ(Utf8(r.first.erros),
              std::vector<std::string>{"Nota Fiscal de número 10 Alíquota de ICMS não confere com a informanda no Produto."});
    ASSERT_TRUE(r.second.ok());
    r = Run(false, {Veiculo(t, {{7, "0000000001000"}, {12, "018000"}, {13, "0000000020000"}, {14, "0000000015050"}})});
    EXPECT_TRUE(r.first.erros.empty());
    ASSERT_TRUE(r.second.ok());
    const auto v = All<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), dictionary::keys::ENV_KEY_NUMERO);
    ASSERT_EQ(v.size(), 1u);  // updated, not doubled
    EXPECT_EQ(static_cast<const Decimal&>(v[0].Quantidade), Decimal(1));
    EXPECT_EQ(static_cast<const Decimal&>(v[0].BaseCalcRetencao), Decimal(200));
    EXPECT_EQ(static_cast<const Decimal&>(v[0].BasepropSubstituid), Decimal::from_string("150.50"));
    EXPECT_EQ(static_cast<const Decimal&>(v[0].Aliquota), Decimal(18));
    EXPECT_EQ(std::string(v[0].Estado.clipped()), "PR");
    EXPECT_EQ(v[0].Complemento, 1);
    EXPECT_EQ(v[0].MesImpor, 3);

    r = Run(false, {Veiculo(t, {{12, "017000"}, {3, "000011"}})});
    const auto w = All<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), dictionary::keys::ENV_KEY_NUMERO);
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(static_cast<const Decimal&>(w[1].Aliquota), Decimal(17));
}

TEST_F(VehicleImport, ABlankChassisOrAnotherMonthStopsTheReadAndTheMonthComesFirst) {
    const int t = kTipoEntradaVeiculos;
    auto r = Run(false, {Veiculo(t, {{8, "       "}}), Veiculo(t, {{3, "000011"}})});
    EXPECT_TRUE(r.first.linhaFatal);
    EXPECT_EQ(r.first.preparados, 1);
    EXPECT_FALSE(r.first.PodeImportar());
    r = Run(false, {Veiculo(t, {{8, "       "}, {5, "04"}})});
    EXPECT_TRUE(r.first.mesDiferente);
    EXPECT_FALSE(r.first.linhaFatal);
}

TEST_F(VehicleImport, AnExitWithoutCnpjTakesTheStateOfItsLine) {
    const int t = kTipoSaidaVeiculos;
    auto r = Run(true, {Veiculo(t, {{1, "00000000000000"}, {13, "0000000045000"}, {14, "SC"}}),
                        Veiculo(t, {{1, "00000000000000"}, {3, "000011"}})});
    EXPECT_EQ(Utf8(r.first.erros), std::vector<std::string>{"Nota Fiscal de número 11 o Estado deve ser informado."});
    ASSERT_TRUE(r.second.ok());
    const auto v = All<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), dictionary::keys::SAV_KEY_NUMERO);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(std::string(v[0].Estado.clipped()), "SC");
    EXPECT_EQ(static_cast<const Decimal&>(v[0].BaseSaidaConsFinal), Decimal(450));
}

}  // namespace vorel::integration::testing
