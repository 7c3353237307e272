// The two repairs that rewrite products one transaction each (the register change and the rate
// history rebuild) killed with their process at random points: every product is either wholly
// changed (its record and all its history rows) or wholly as it was, and the products changed are
// those whose run had ended before the kill.
#include <gtest/gtest.h>

#include <random>

#include "killed_run.h"
#include "reparo_fixture.h"
#include "vorel/maintenance/ajusta_cadastro_produtos.h"
#include "vorel/maintenance/ajuste_aliquota_produtos.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

constexpr int kProdutos = 12;

class ProdutosKilledTest : public ReparoFixture {
protected:
    // Products 1..12 at 12 with an open row at 17 from 01/01/2013, and three entries each in 2013:
    // 12, then 18 from May.
    void SetUp() override {
        ReparoFixture::SetUp();
        Restaura();
        const std::string entradas = EntradasDoAno(2013);
        const date::Day dias[] = {Dia(2013, 1, 15), Dia(2013, 5, 10), Dia(2013, 9, 1)};
        const char* aliquotas[] = {"12", "18", "18"};
        Grava<EntradaVorelRec>(
            dictionary::EntradaVorel(), kProdutos * 3,
            [&](EntradaVorelRec& e, int i) {
                e.CodMercadoria = 1 + i / 3;
                e.DataEmissao = dias[i % 3];
                e.Aliquota = D(aliquotas[i % 3]);
            },
            entradas);
    }

    // The register and the history back as they were before any run.
    void Restaura() {
        Esvazia(dictionary::Produtos(), keys::PRO_KEY_CODIGO);
        Esvazia(dictionary::ProdutosAliq(), keys::PALIQ_Key_Codigo);
        Grava<ProdutosRec>(dictionary::Produtos(), kProdutos, [](ProdutosRec& p, int i) {
            p.Codigo = 1 + i;
            p.Alicota = D("12");
        });
        Grava<ProdutosAliqRec>(dictionary::ProdutosAliq(), kProdutos, [](ProdutosAliqRec& a, int i) {
            a.CODIGO_PRODUTO = 1 + i;
            a.CODIGO = 1 + i;
            a.ALIQUOTA = D("17");
            a.DATA_INICIAL = Dia(2013, 1, 1);
        });
    }
    void Esvazia(const data::TableDesc& t, data::KeyName chave) {
        std::thread([&] {
            data::FileManager fm(t);
            ASSERT_TRUE(fm.open().ok());
            data::Transaction tr({&fm});
            while (fm.set(chave).ok() && fm.next().ok()) ASSERT_TRUE(fm.remove().ok());
            ASSERT_TRUE(tr.commit().ok());
            (void)fm.close();
        }).join();
    }

    // Each product: "[alias] rate | rate start-end change | ..." (history rows by rate and start).
    std::vector<std::string> Estado() {
        const auto linhas = Le<ProdutosAliqRec>(dictionary::ProdutosAliq(), keys::PALIQ_KEY_PRODUTOALIQ);
        std::vector<std::string> out;
        for (const auto& p : Le<ProdutosRec>(dictionary::Produtos(), keys::PRO_KEY_CODIGO)) {
            std::string s = "[" + std::string(p.Apelido.clipped()) + "] " + p.Alicota.value().to_fixed(0);
            for (const auto& a : linhas)
                if (a.CODIGO_PRODUTO.value() == p.Codigo.value())
                    s += " | " + a.ALIQUOTA.value().to_fixed(0) + " " + Data(a.DATA_INICIAL) + "-" + Data(a.DATA_FINAL) +
                         " " + Data(a.DATA_ALTERACAO);
            out.push_back(s);
        }
        return out;
    }

    // `corrida(progresso)` run in a child process killed at progress call `ponto` (never when
    // negative).
    using Corrida = std::function<ResultadoReparo(const ProgressoReparo&)>;
    static long long Filho(long long ponto, const Corrida& corrida) {
        return vorel::testing::MataNaChamada(ponto, [&](const std::function<void()>& pausa) {
            return corrida([&](long long, long long) {
                       pausa();
                       return true;
                   }).ok();
        });
    }

    // The whole run first (what a changed product looks like), then runs killed at the edges of
    // the products (`chamadas` progress calls each) and at random points: after a kill at call k
    // the first (k - 1) / chamadas products are changed and the others as they were.
    void MataEmPontos(long long chamadas, const Corrida& corrida) {
        const std::vector<std::string> velho = Estado();
        ASSERT_EQ(velho.size(), static_cast<std::size_t>(kProdutos));
        const long long total = Filho(-1, corrida);
        ASSERT_EQ(total, chamadas * kProdutos);
        const std::vector<std::string> novo = Estado();
        for (int i = 0; i < kProdutos; ++i) ASSERT_NE(novo[i], velho[i]) << "product " << i + 1;

        std::mt19937 sorte(static_cast<unsigned>(std::random_device{}()));
        std::uniform_int_distribution<long long> ponto(1, total);
        std::vector<long long> pontos{1, chamadas, chamadas + 1, total};
        for (int i = 0; i < 6; ++i) pontos.push_back(ponto(sorte));
        for (const long long k : pontos) {
            Restaura();
            SCOPED_TRACE("killed at progress call " + std::to_string(k));
            Filho(k, corrida);
            const std::size_t feitos = static_cast<std::size_t>((k - 1) / chamadas);
            std::vector<std::string> esperado = velho;
            std::copy_n(novo.begin(), feitos, esperado.begin());
            EXPECT_EQ(Estado(), esperado);
        }
    }
};

TEST_F(ProdutosKilledTest, TheRegisterChangeLeavesEachProductWholeOrUntouched) {
    const AjusteCadastro a{.apelido = true, .aliquota = true, .dataAliquota = Dia(2014, 4, 1), .novaAliquota = D("18"),
                           .hoje = Dia(2016, 3, 15)};
    MataEmPontos(1, [&](const ProgressoReparo& p) { return AjustaCadastroProdutos(a, p); });
}

TEST_F(ProdutosKilledTest, TheHistoryRebuildLeavesEachProductWholeOrUntouched) {
    std::vector<ProdutoDoAjuste> selecao;
    for (int i = 1; i <= kProdutos; ++i) selecao.push_back({Decimal(i), D("12")});
    // Each product: its one row deleted and its three entries read.
    MataEmPontos(4, [&](const ProgressoReparo& p) { return AjustaAliquotasPelasEntradas(1, selecao, 2013, 2013, p); });
}

}  // namespace
}  // namespace vorel::maintenance::testing
