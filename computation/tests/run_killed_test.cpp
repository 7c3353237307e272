// A computation killed with its process at random points of its run (gathering, valuation, the
// carry of the other products: every point before its commit) leaves the month's records exactly
// as they were; the next run gives the records of a clean one. (That a commit itself is whole after
// a kill is the table engine's crash test.)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "vorel/core/paths.h"
#include "vorel/shell/run_leftovers.h"
#include "vorel/shell/text_report.h"

#include "calculo_fixture.h"
#include "killed_run.h"

namespace vorel::computation::testing {
namespace {

class RunKilledTest : public CalculoFixture {
protected:
    std::vector<std::string> Registros() {
        std::vector<std::string> out;
        for (const auto& r : Saldos())
            out.push_back(std::string(r.Produto.clipped()) + "|" + std::to_string(r.Competencia) + "|" +
                          r.QuantProdutos.value().to_string() + "|" + r.BaseAcunulada.value().to_string() + "|" +
                          r.CalcUsuFinal.value().to_string() + "|" + std::to_string(r.Situacao));
        return out;
    }
};

TEST_F(RunKilledTest, KilledRunLeavesTheMonthAsBefore) {
    constexpr int kProdutos = 120;
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    ProdutosComSaidas(kProdutos);
    ASSERT_TRUE(CalculaTodos().ok());

    // The run in a child process, killed at progress call `ponto` (never when negative); returns
    // how many calls it saw.
    auto filho = [&](long long ponto) {
        return vorel::testing::MataNaChamada(ponto, [](const std::function<void()>& pausa) {
            struct EmPasso : AvisosDeTeste {
                const std::function<void()>* pausa = nullptr;
                bool Progresso(const ProgressoCalculo&) override {
                    (*pausa)();
                    return true;
                }
            } avisos;
            avisos.pausa = &pausa;
            OpcoesCalculo o;
            o.todos = true;
            return CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos).ok();
        });
    };
    const long long total = filho(-1);
    ASSERT_GT(total, 1000);

    std::mt19937 sorte(static_cast<unsigned>(std::random_device{}()));
    std::uniform_int_distribution<long long> ponto(1, total);
    for (int rodada = 1; rodada <= 6; ++rodada) {
        // A new movement: a finished run changes a product's record.
        Saida(rodada, Dia(2016, 3, 29), static_cast<std::uint32_t>(90000 + rodada), 5102, "3");
        const auto antes = Registros();
        const long long k = ponto(sorte);
        SCOPED_TRACE("killed at progress call " + std::to_string(k) + " of " + std::to_string(total));
        filho(k);
        EXPECT_EQ(Registros(), antes);
    }
    // After the kills, a clean run gives what it gives on these movements.
    ASSERT_TRUE(CalculaTodos().ok());
    const auto limpo = Registros();
    ASSERT_TRUE(CalculaTodos().ok());
    EXPECT_EQ(Registros(), limpo);
}

// What a killed run leaves in Temp (its work table with the table's journal and lock file) is
// removed by the next start, which knows the dead run by its owner slot; a running program's files
// stay.
TEST_F(RunKilledTest, TheNextStartRemovesWhatAKilledRunLeft) {
    Cfo(5102, kConsumidorFinal);
    ProdutosComSaidas(40);
    int ida[2], volta[2];
    ASSERT_EQ(pipe(ida), 0);
    ASSERT_EQ(pipe(volta), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        std::thread([&] {
            dictionary::InitDictionary();
            struct Para : AvisosDeTeste {
                int saida = -1, entrada = -1;
                long long n = 0;
                bool Progresso(const ProgressoCalculo&) override {
                    char c = 1;
                    if (++n == 60 && (write(saida, &c, 1) != 1 || read(entrada, &c, 1) != 1)) _exit(2);
                    return true;
                }
            } avisos;
            avisos.saida = ida[1];
            avisos.entrada = volta[0];
            OpcoesCalculo o;
            o.todos = true;
            (void)CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos);
        }).join();
        _exit(4);
    }
    char c = 0;
    ASSERT_EQ(read(ida[0], &c, 1), 1) << "the run never reached its 60th progress call";
    const std::string outro = shell::NomeArqTemp().nome;  // a file of this running program
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    for (int fd : {ida[0], ida[1], volta[0], volta[1]}) close(fd);

    auto restos = [&] {
        std::vector<std::string> nomes;
        for (const auto& f : fs::directory_iterator(dir / "Temp")) nomes.push_back(f.path().filename().string());
        std::sort(nomes.begin(), nomes.end());
        return nomes;
    };
    const auto deixados = restos();
    ASSERT_GE(deixados.size(), 3u) << "the work table, its journal and its lock file, and this program's file";
    EXPECT_EQ(shell::RemoveSobras(), 1) << "the dead run's work table";
    EXPECT_EQ(restos(), std::vector<std::string>{fs::path(files::resolve(outro)).filename().string()});
}

}  // namespace
}  // namespace vorel::computation::testing
