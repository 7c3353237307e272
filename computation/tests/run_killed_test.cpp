// A computation killed with the process at random moments of its run leaves the month's records
// exactly as they were before it, or exactly as a finished run writes them; never a mix. The next
// run gives the records of a clean one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "calculo_fixture.h"
#include "vorel/data/transaction.h"

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

TEST_F(RunKilledTest, KilledRunLeavesTheMonthAsBeforeOrAsAFinishedRun) {
    constexpr int kProdutos = 120;
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    std::thread([&] {
        data::FileManager pro(dictionary::Produtos()), sai(dictionary::SaidaVorel()), sal(dictionary::SaldosVorel());
        ASSERT_TRUE(pro.open().ok() && sai.open().ok() && sal.open().ok());
        data::Transaction t({&pro, &sai, &sal});
        for (int p = 1; p <= kProdutos; ++p) {
            pro.clear_record();
            pro.rec<dictionary::ProdutosRec>().Codigo = p;
            pro.rec<dictionary::ProdutosRec>().Alicota = 18;
            ASSERT_TRUE(pro.add().ok());
            auto& s = sal.rec<dictionary::SaldosVorelRec>();
            sal.clear_record();
            s.Produto = std::to_string(p);
            s.Competencia = Dia(2016, 2, 1);
            s.Aliquota = 18;
            s.QuantProdutos = 1000;
            s.ValorUnit = 2;
            s.BaseAcunulada = 2000;
            ASSERT_TRUE(sal.add().ok());
            for (int i = 1; i <= 20; ++i) {
                auto& x = sai.rec<dictionary::SaidaVorelRec>();
                sai.clear_record();
                x.CodMercadoria = p;
                x.DataSaida = Dia(2016, 3, 1 + i % 28);
                x.Numero = static_cast<std::uint32_t>(p * 100 + i);
                x.CFO = 5102;
                x.Quantidade = 1;
                ASSERT_TRUE(sai.add().ok());
            }
        }
        ASSERT_TRUE(t.commit().ok());
    }).join();
    ASSERT_TRUE(CalculaTodos().ok());

    // The run in a child process; the parent kills it `espera` after it starts (never, when
    // negative) and returns how long the child lived.
    auto filho = [&](std::chrono::microseconds espera) {
        int canal[2];
        EXPECT_EQ(pipe(canal), 0);
        pid_t pid = fork();
        if (pid == 0) {
            close(canal[0]);
            std::thread([&] {
                dictionary::InitDictionary();
                char c = 1;
                if (write(canal[1], &c, 1) != 1) _exit(2);
                AvisosDeTeste avisos;
                OpcoesCalculo o;
                o.todos = true;
                ResultadoCalculo r = CalculoProdutos(o, avisos);
                _exit(r.ok() ? 0 : 3);
            }).join();
            _exit(4);
        }
        close(canal[1]);
        char c = 0;
        EXPECT_EQ(read(canal[0], &c, 1), 1);
        close(canal[0]);
        const auto inicio = std::chrono::steady_clock::now();
        if (espera.count() >= 0) {
            std::this_thread::sleep_for(espera);
            kill(pid, SIGKILL);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (espera.count() < 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        return std::chrono::steady_clock::now() - inicio;
    };
    const auto duracao = filho(std::chrono::microseconds(-1));

    std::mt19937 sorte(static_cast<unsigned>(std::random_device{}()));
    std::uniform_real_distribution<double> fracao(0.0, 1.1);
    int antesVistos = 0;
    for (int rodada = 1; rodada <= 6; ++rodada) {
        // A new movement: a finished run changes a product's record.
        Saida(rodada, Dia(2016, 3, 29), static_cast<std::uint32_t>(90000 + rodada), 5102, "3");
        const auto antes = Registros();
        const auto espera = std::chrono::duration_cast<std::chrono::microseconds>(duracao * fracao(sorte));
        SCOPED_TRACE("killed after " + std::to_string(espera.count()) + " us of a run of " +
                     std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(duracao).count()));
        filho(espera);
        const auto agora = Registros();
        if (agora == antes) {
            ++antesVistos;
            continue;
        }
        // Changed: it must be a finished run's records, which a clean run writes again.
        ASSERT_TRUE(CalculaTodos().ok());
        EXPECT_EQ(Registros(), agora) << "a killed run left a mix of records";
    }
    EXPECT_GE(antesVistos, 1);
    // After the kills, a clean run gives what it gives on these movements.
    ASSERT_TRUE(CalculaTodos().ok());
    const auto limpo = Registros();
    ASSERT_TRUE(CalculaTodos().ok());
    EXPECT_EQ(Registros(), limpo);
}

}  // namespace
}  // namespace vorel::computation::testing
