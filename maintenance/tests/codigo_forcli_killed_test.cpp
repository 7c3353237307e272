// The customer-code repair killed with its process at random points of its run: the movements of
// every batch of 1001 committed before the kill keep their new codes, the others their old ones
// (never part of a batch), and the files read back whole. (That a commit itself is whole after a
// kill is the table engine's crash test.)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

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
    // The run in a child process that stops at each progress call until the parent answers; the
    // parent kills it at call `ponto` (never, when negative) and returns how many calls it saw.
    long long Filho(long long ponto) {
        int ida[2], volta[2];
        EXPECT_EQ(pipe(ida), 0);
        EXPECT_EQ(pipe(volta), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            close(ida[0]);
            close(volta[1]);
            std::thread([&] {
                dictionary::InitDictionary();
                const ResultadoReparo r = AjustaCodigosForCli(MovimentosForCli::Saidas, periodo, [&](long long, long long) {
                    char c = 1;
                    if (write(ida[1], &c, 1) != 1 || read(volta[0], &c, 1) != 1) _exit(2);
                    return true;
                });
                _exit(r.ok() ? 0 : 3);
            }).join();
            _exit(4);
        }
        close(ida[1]);
        close(volta[0]);
        long long chamadas = 0;
        char c = 0;
        while (read(ida[0], &c, 1) == 1) {
            if (++chamadas == ponto) {
                kill(pid, SIGKILL);
                break;
            }
            if (write(volta[1], &c, 1) != 1) break;
        }
        close(ida[0]);
        close(volta[1]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (ponto < 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        return chamadas;
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
