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

std::string Linha(int tipo, const std::map<int, std::string>& campos) {
    std::string out(static_cast<std::size_t>(ComprimentoPadrao(tipo)), ' ');
    for (const auto& [codigo, texto] : campos) {
        const CampoCatalogo* c = EntradaDoCampo(tipo, codigo);
        out.replace(static_cast<std::size_t>(c->posicao - 1), texto.size(), texto);
    }
    return out;
}

// A vehicle of March 2016 with what a test changes.
std::string Veiculo(int tipo, std::map<int, std::string> campos = {}) {
    std::map<int, std::string> base = {{1, "11222333000181"}, {2, "1 "}, {3, "000010"}, {4, "05"}, {5, "03"},
                                       {6, "2016"}, {8, "CHASSI1"}, {9, "10"}, {10, "1102"}, {12, "018000"}};
    for (auto& [k, v] : campos) base[k] = v;
    return Linha(tipo, base);
}

struct VehicleImport : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        for (int tipo : {kTipoEntradaVeiculos, kTipoSaidaVeiculos}) {
            std::vector<CampoTeste> campos;
            for (const CampoCatalogo& c : EntradasDoTipo(tipo)) campos.push_back({c.codigo, c.posicao, c.tamanho});
            Layout(tipo, tipo == kTipoSaidaVeiculos ? 2 : 1, "Veículos", campos);
        }
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& p) {
            p.Codigo = Decimal(10);
            p.Alicota = Decimal(18);
        });
        Seed<dictionary::CFORec>(dictionary::CFO(), [](auto& c) {
            c.CODIGO = 1102;
            c.COMPLEMENTO = 1;
        });
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), [](auto& f) {
            f.Codigo = 1;
            f.CGC = "11222333000181";
            f.Estado = "PR";
        });
    }
    std::pair<ResultadoLeitura, ResultadoImportacao> Run(bool saidas, const std::vector<std::string>& linhas) {
        std::string bytes;
        for (const std::string& l : linhas) bytes += l + "\r\n";
        const std::string arquivo = File("veiculos.txt", bytes);
        std::pair<ResultadoLeitura, ResultadoImportacao> r;
        OnThread([&] {
            ImportacaoVeiculos run(saidas);
            ASSERT_EQ(run.Abre(), "");
            r.first = run.Le({arquivo, saidas ? 2 : 1, 1, 3, 2016});
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
    r = Run(false, {Veiculo(t, {{12, "018000"}, {13, "0000000020000"}})});
    EXPECT_TRUE(r.first.erros.empty());
    ASSERT_TRUE(r.second.ok());
    const auto v = All<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), dictionary::keys::ENV_KEY_NUMERO);
    ASSERT_EQ(v.size(), 1u);  // updated, not doubled
    EXPECT_EQ(static_cast<const Decimal&>(v[0].BaseCalcRetencao), Decimal(200));
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
    auto r = Run(true, {Veiculo(t, {{1, "00000000000000"}, {14, "SC"}}),
                        Veiculo(t, {{1, "00000000000000"}, {3, "000011"}})});
    EXPECT_EQ(Utf8(r.first.erros), std::vector<std::string>{"Nota Fiscal de número 11 o Estado deve ser informado."});
    ASSERT_TRUE(r.second.ok());
    const auto v = All<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), dictionary::keys::SAV_KEY_NUMERO);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(std::string(v[0].Estado.clipped()), "SC");
}

}  // namespace vorel::integration::testing
