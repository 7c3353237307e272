// A run killed with its process at a chosen point, for the tests that show what a killed run leaves
// (the table engine's own, which know no table dictionary; killed_run.h adds it for the subsystems).
//
// `MataNaChamada(ponto, corrida, inicio)` forks: the child runs `inicio()` and then `corrida(pausa)` on
// a thread of its own and calls `pausa()` at every point where a kill may fall (a progress call, an
// I/O of the file layer); the child is killed with SIGKILL inside the `ponto`-th call (never when
// `ponto` is negative: the run ends by itself and must exit with `corrida`'s true). Returns the calls
// made (`ponto` when the child was killed).
//
//     const long long total = MataNaChamada(-1, [&](auto& pausa) { return Roda(pausa).ok(); }, {});
//     MataNaChamada(k, [&](auto& pausa) { return Roda(pausa).ok(); }, {});   // killed at call k
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace vorel::testing {

inline long long MataNaChamada(long long ponto, const std::function<bool(const std::function<void()>& pausa)>& corrida,
                               const std::function<void()>& inicio) {
    // The child counts its own calls: at the `ponto`-th it says so and waits to be killed (one
    // round trip per run, not one per call); a run that ends by itself sends its count.
    int ida[2], volta[2];
    EXPECT_EQ(pipe(ida), 0);
    EXPECT_EQ(pipe(volta), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        close(ida[0]);
        close(volta[1]);
        std::thread([&] {
            if (inicio) inicio();
            std::atomic<long long> chamadas{0};
            const std::function<void()> pausa = [&] {
                if (++chamadas != ponto) return;
                char c = 1;
                if (write(ida[1], &c, 1) == 1) (void)read(volta[0], &c, 1);
                _exit(2);
            };
            const bool ok = corrida(pausa);
            const long long total = chamadas;
            if (write(ida[1], &total, sizeof total) != static_cast<ssize_t>(sizeof total)) _exit(2);
            _exit(ok ? 0 : 3);
        }).join();
        _exit(4);
    }
    close(ida[1]);
    close(volta[0]);
    long long chamadas = 0;
    char lido[sizeof chamadas];
    const ssize_t n = read(ida[0], lido, sizeof lido);
    if (n == 1) {
        kill(pid, SIGKILL);
        chamadas = ponto;
    } else if (n == static_cast<ssize_t>(sizeof lido)) {
        std::memcpy(&chamadas, lido, sizeof lido);
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

}  // namespace vorel::testing
