// An import killed at random moments (a child process, killed while it copies the staged records
// into SaidaVorel or while it commits) leaves the year's file whole with none or all of the lines.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "import_fixture.h"
#include "vorel/data/transaction.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

struct ImportKilled : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        ui.reset();
        rt.reset();  // no other threads in the process that forks
        std::vector<CampoTeste> campos;
        for (const CampoCatalogo& c : EntradasDoTipo(17)) campos.push_back({c.codigo, c.posicao, c.tamanho});
        Layout(17, 1, "Saídas", campos);
    }
};

TEST_F(ImportKilled, NothingOrTheWholeFileIsImported) {
    constexpr int kLinhas = 3000;
    std::string bytes;
    for (int i = 1; i <= kLinhas; ++i) {
        std::string l(131, ' ');
        const std::string n = std::to_string(100000 + i);
        l.replace(16, 6, n.substr(0, 6));
        l.replace(22, 8, "05032016");
        bytes += l + "\r\n";
    }
    const std::string arquivo = File("saidas.txt", bytes);
    std::mt19937 sorte(20161203);
    int vazios = 0, inteiros = 0;
    for (int rodada = 0; rodada < 6; ++rodada) {
        int aviso[2];
        ASSERT_EQ(pipe(aviso), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(aviso[0]);
            OnThread([&] {
                ImportacaoSaidas run;
                if (!run.Abre().empty()) _exit(2);
                if (!run.Le({arquivo, 1, 1, 3, 2016}).PodeImportar()) _exit(3);
                const auto r = run.Importa(3, [&](long n) {
                    if (n == 1) {
                        char c = 1;
                        if (write(aviso[1], &c, 1) != 1) _exit(4);
                    }
                    return true;
                });
                if (!r.ok()) _exit(5);
            });
            _exit(0);
        }
        close(aviso[1]);
        char c = 0;
        const bool comecou = read(aviso[0], &c, 1) == 1;
        close(aviso[0]);
        if (comecou && rodada > 0) std::this_thread::sleep_for(std::chrono::milliseconds(sorte() % 120));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(comecou || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << "the child failed";

        std::int64_t n = -1;
        OnThread([&] {
            data::FileManager sai(dictionary::SaidaVorel());
            ASSERT_EQ(sai.open(), vorel::data::kNoError);
            EXPECT_EQ(sai.verify(), vorel::data::kNoError);
            n = sai.records();
            (void)sai.close();
        });
        ASSERT_TRUE(n == 0 || n == kLinhas) << "round " << rodada << ": " << n << " records";
        if (n == 0) {
            ++vazios;
        } else {
            ++inteiros;
            OnThread([&] {  // empty the file for the next round
                data::FileManager sai(dictionary::SaidaVorel());
                ASSERT_EQ(sai.open(), vorel::data::kNoError);
                {
                    data::Transaction t({&sai});
                    (void)sai.set(0);
                    while (sai.next().ok()) ASSERT_EQ(sai.remove(), vorel::data::kNoError);
                    ASSERT_EQ(t.commit(), vorel::data::kNoError);
                }
                (void)sai.close();
            });
        }
    }
    EXPECT_GE(vazios, 1);  // the first kill comes right after the first record was copied
}

}  // namespace

}  // namespace vorel::integration::testing
