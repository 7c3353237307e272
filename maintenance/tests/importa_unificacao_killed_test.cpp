// A merge of unification files killed with its process at random points of its run: the receiving
// company's entries, quantity records and register are exactly as before, or, for a run that ends,
// fully merged. (That a commit itself is whole after a kill is the table engine's crash test.)
#include <gtest/gtest.h>

#include <random>

#include "killed_run.h"
#include "unificacao_fixture.h"
#include "vorel/maintenance/importa_unificacao.h"

namespace vorel::maintenance::testing {
namespace {

using A = ArquivoUnificacao;

class ImportaUnificacaoKilledTest : public UnificacaoFixture {
protected:
    // What the receiving company holds, as text: every entry, quantity record and register record.
    std::string Estado() {
        std::string s;
        for (const auto& e : Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA))
            s += "E" + std::to_string(e.Numero) + "/" + std::to_string(e.CodigoForCli) + "/" + std::string(e.Cnpj.clipped()) + " ";
        for (const auto& q : Le<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA))
            s += "Q" + std::to_string(q.Numero) + "/" + std::string(q.Cnpj.clipped()) + " ";
        for (const auto& f : Le<ForCliRec>(dictionary::ForCli(), keys::FOR_KEY_CODIGO1))
            s += "F" + std::to_string(f.Codigo) + "/" + std::string(f.Nome.clipped()) + " ";
        return s;
    }
    // The group merged in a child process killed at progress call `ponto` (never when negative).
    long long Filho(GrupoUnificacao g, long long ponto) {
        return vorel::testing::MataNaChamada(ponto, [&](const std::function<void()>& pausa) {
            PreparoUnificacao p;
            if (!p.Abre().empty()) return false;
            for (A a : {A::Entradas, A::EntQQel, A::ForCli})
                if (!p.Liga(a, files::join(pasta, NomeDoArquivo(a))).ok()) return false;
            return UnificaGrupo(p, g, periodo, [&](long long, long long) {
                pausa();
                return true;
            }).ok();
        });
    }
    std::string pasta;
};

TEST_F(ImportaUnificacaoKilledTest, AKilledMergeLeavesTheCompanyAsBeforeAndAWholeRunMergesAll) {
    constexpr int kEntradas = 600, kFornecedores = 300;
    Grava<ForCliRec>(dictionary::ForCli(), 2, [](ForCliRec& f, int i) {
        Fornecedor(f, static_cast<std::uint32_t>(i + 1), "RECEBIDO", i ? "" : "10000000000100");
    });
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 3, [](EntradaVorelRec& e, int i) {
        Entrada(e, Dia(2016, 3, 1), static_cast<std::uint32_t>(900 + i), 1, 1, "10000000000100");
    });
    pasta = Pasta("unifica");
    Grava<ForCliRec>(LayoutDoArquivo(A::ForCli), kFornecedores, [](ForCliRec& f, int i) {
        Fornecedor(f, static_cast<std::uint32_t>(i + 1), "NOVO", "");
        f.CGC = std::to_string(10000000000100LL + 100LL * i);
    }, files::join(pasta, "ForCli.Tps"));
    Grava<EntradaVorelRec>(LayoutDoArquivo(A::Entradas), kEntradas, [](EntradaVorelRec& e, int i) {
        Entrada(e, Dia(2016, 3, 1 + i % 28), static_cast<std::uint32_t>(i + 1), 1 + i % 7,
                static_cast<std::uint32_t>(1 + i % kFornecedores), "0");
    }, files::join(pasta, "Entradas.Tps"));
    Grava<QuantidadeVorelRec>(LayoutDoArquivo(A::EntQQel), kEntradas, [](QuantidadeVorelRec& q, int i) {
        Quantidade(q, Dia(2016, 3, 1 + i % 28), static_cast<std::uint32_t>(i + 1), "E", "0");
    }, files::join(pasta, "EntQQel.Tps"));

    std::mt19937 sorte(static_cast<unsigned>(std::random_device{}()));
    for (GrupoUnificacao g : {GrupoUnificacao::Fornecedores, GrupoUnificacao::Entradas}) {
        const long long chamadas = g == GrupoUnificacao::Fornecedores ? kFornecedores : 2 * kEntradas;
        const std::string antes = Estado();
        std::uniform_int_distribution<long long> ponto(1, chamadas);
        std::vector<long long> pontos{1, chamadas};
        for (int i = 0; i < 5; ++i) pontos.push_back(ponto(sorte));
        for (const long long k : pontos) {
            SCOPED_TRACE("group " + std::to_string(static_cast<int>(g)) + " killed at progress call " + std::to_string(k));
            Filho(g, k);
            EXPECT_EQ(Estado(), antes);
        }
        ASSERT_EQ(Filho(g, -1), chamadas);
        EXPECT_NE(Estado(), antes);
    }
    // Fully merged: every supplier added after the two there, every entry with its receiving code
    // and its supplier's CNPJ, every quantity record following its invoice.
    const auto f = Le<ForCliRec>(dictionary::ForCli(), keys::FOR_KEY_CODIGO1);
    ASSERT_EQ(f.size(), static_cast<std::size_t>(2 + kFornecedores - 1));  // the first CNPJ was there
    const auto e = Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA);
    ASSERT_EQ(e.size(), static_cast<std::size_t>(3 + kEntradas));
    for (const auto& x : e) {
        ASSERT_NE(x.CodigoForCli, 0u) << x.Numero;
        ASSERT_NE(x.Cnpj.clipped(), "0") << x.Numero;
    }
    const auto q = Le<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA);
    ASSERT_EQ(q.size(), static_cast<std::size_t>(kEntradas));
    for (const auto& x : q) ASSERT_NE(x.Cnpj.clipped(), "0") << x.Numero;
}

}  // namespace
}  // namespace vorel::maintenance::testing
