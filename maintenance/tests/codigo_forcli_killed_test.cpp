// The customer-code repair killed with its process at random points of its run: the movements of
// every batch of 1001 committed before the kill keep their new codes, the others their old ones
// (never part of a batch), and the files read back whole. (That a commit itself is whole after a
// kill is the table engine's crash test.)
#include <gtest/gtest.h>
#include <random>

#include "killed_run.h"
#include "reparo_fixture.h"
#include "vorel/maintenance/codigo_forcli.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::ForCliRec;
using dictionary::SaidaVorelRec;

class CodigoForCliKilledTest : public ReparoFixture {
protected:
    // The codes of the exits in the order the run reads them (date).
    std::vector<std::uint32_t> Codigos() {
        std::vector<std::uint32_t> out;
        for (const auto& s : Le<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_DATA)) out.push_back(s.CodigoForCli);
        return out;
    }
    // Every exit's code back to 0.
    void Zera() {
        std::thread([] {
            data::FileManager fm(dictionary::SaidaVorel());
            ASSERT_TRUE(fm.open().ok());
            data::Transaction t({&fm});
            ASSERT_TRUE(fm.set(keys::SAI_KEY_DATA).ok());
            while (fm.next().ok()) {
                fm.rec<SaidaVorelRec>().CodigoForCli = 0;
                ASSERT_TRUE(fm.put().ok());
            }
            ASSERT_TRUE(t.commit().ok());
            (void)fm.close();
        }).join();
    }
    // The run in a child process, killed at progress call `ponto` (never when negative).
    long long Filho(long long ponto) {
        return vorel::testing::MataNaChamada(ponto, [this](const std::function<void()>& pausa) {
            return AjustaCodigosForCli(MovimentosForCli::Saidas, periodo, [&](long long, long long) {
                pausa();
                return true;
            }).ok();
        });
    }
};

TEST_F(CodigoForCliKilledTest, AKilledRunLeavesWholeBatchesOf1001) {
    constexpr int kSaidas = 2500;
    Grava<ForCliRec>(dictionary::ForCli(), 1, [](ForCliRec& f, int) {
        f.Codigo = 10;
        f.CGC = "11222333000181";
    });
    Grava<SaidaVorelRec>(dictionary::SaidaVorel(), kSaidas, [](SaidaVorelRec& s, int i) {
        s.DataSaida = Dia(2016, 1 + i % 12, 1 + i % 28);
        s.Numero = static_cast<std::uint32_t>(i + 1);
        s.CNPJ = "11222333000181";
    });
    ASSERT_EQ(Filho(-1), kSaidas);
    ASSERT_EQ(Codigos(), std::vector<std::uint32_t>(kSaidas, 10));

    std::mt19937 sorte(static_cast<unsigned>(std::random_device{}()));
    std::uniform_int_distribution<long long> ponto(1, kSaidas);
    std::vector<long long> pontos{1001, 1002, 2002, 2003};  // at the edges of the batches, then at random
    for (int i = 0; i < 6; ++i) pontos.push_back(ponto(sorte));
    for (const long long k : pontos) {
        Zera();
        SCOPED_TRACE("killed at progress call " + std::to_string(k));
        Filho(k);
        // Killed at call k, the run had read k - 1 movements: every whole batch among them is written.
        const std::size_t feitos = static_cast<std::size_t>((k - 1) / 1001 * 1001);
        std::vector<std::uint32_t> esperado(kSaidas, 0);
        std::fill_n(esperado.begin(), feitos, 10u);
        EXPECT_EQ(Codigos(), esperado);
    }
}

}  // namespace
}  // namespace vorel::maintenance::testing
