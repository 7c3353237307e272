#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "test_tables.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"

namespace vorel::data::testing {
namespace {

class CrashTest : public DataTest {};

// A child process writes a large transaction over two files and is killed at some moment of it
// (writing, committing, or after); each file must then be whole, and both must show the same
// outcome: the transaction wholly there or wholly absent.
TEST_F(CrashTest, ProcessKilledInALargeTransactionLeavesEveryFileWhole) {
    constexpr int kBefore = 10;
    constexpr int kRows = 4000;
    const std::string a_path = path("A.Tps"), b_path = path("B.Tps");
    {
        FileManager a(Pedidos()), b(Pedidos());
        ASSERT_EQ(a.open_path(a_path), kNoError);
        ASSERT_EQ(b.open_path(b_path), kNoError);
        for (std::uint32_t i = 1; i <= kBefore; ++i) {
            a.rec<PedidoRec>().Codigo = i;
            b.rec<PedidoRec>().Codigo = i;
            ASSERT_EQ(a.add(), kNoError);
            ASSERT_EQ(b.add(), kNoError);
        }
    }
    int outcomes[2] = {0, 0};
    for (int delay_ms : {0, 15, 60, 250}) {
        int pipefd[2];
        ASSERT_EQ(pipe(pipefd), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(pipefd[0]);
            std::thread worker([&] {
                FileManager a(Pedidos()), b(Pedidos());
                if (a.open_path(a_path) || b.open_path(b_path)) _exit(2);
                Transaction t({&a, &b});
                if (t.status()) _exit(3);
                for (int i = 0; i < kRows; ++i) {
                    a.rec<PedidoRec>().Codigo = static_cast<std::uint32_t>(1000 + i);
                    a.rec<PedidoRec>().Cliente = "cliente";
                    b.rec<PedidoRec>().Codigo = static_cast<std::uint32_t>(1000 + i);
                    if (a.add() || b.add()) _exit(4);
                    if (i == kRows / 4) {
                        char c = 1;
                        if (write(pipefd[1], &c, 1) != 1) _exit(5);
                    }
                }
                if (t.commit()) _exit(6);
            });
            worker.join();
            _exit(0);
        }
        close(pipefd[1]);
        char c = 0;
        ASSERT_EQ(read(pipefd[0], &c, 1), 1);
        close(pipefd[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);

        FileManager a(Pedidos()), b(Pedidos());
        ASSERT_EQ(a.open_path(a_path), kNoError);
        ASSERT_EQ(b.open_path(b_path), kNoError);
        EXPECT_EQ(a.verify(), kNoError) << last_error().file_error_text;
        EXPECT_EQ(b.verify(), kNoError) << last_error().file_error_text;
        std::int64_t na = a.records(), nb = b.records();
        EXPECT_EQ(na, nb) << "after " << delay_ms << " ms";
        EXPECT_TRUE(na == kBefore || na == kBefore + kRows) << na;
        outcomes[na == kBefore ? 0 : 1]++;
        if (na != kBefore) {
            // Put the files back for the next round.
            Transaction t({&a, &b});
            for (FileManager* fm : {&a, &b}) {
                fm->clear_record();
                fm->rec<PedidoRec>().Codigo = 1000;
                ASSERT_EQ(fm->set_at("PED:KEY:CODIGO"), kNoError);
                while (fm->next() == kNoError) ASSERT_EQ(fm->remove(), kNoError);
            }
            ASSERT_EQ(t.commit(), kNoError);
        }
    }
    EXPECT_GE(outcomes[0], 1);  // at least the kill while writing found nothing committed
}

// Two processes inserting under one auto-numbered key at once never take the same number.
TEST_F(CrashTest, TwoProcessesAutoNumberDistinctly) {
    constexpr int kEach = 40;
    {
        FileManager fm(Pedidos());
        ASSERT_EQ(fm.open(), kNoError);  // created before the children start
    }
    pid_t kids[2];
    for (int k = 0; k < 2; ++k) {
        kids[k] = fork();
        ASSERT_GE(kids[k], 0);
        if (kids[k] == 0) {
            int code = 0;
            std::thread worker([&] {
                FileManager fm(Pedidos());
                if (fm.open()) {
                    code = 2;
                    return;
                }
                for (int i = 0; i < kEach; ++i) {
                    fm.prime_record();
                    fm.rec<PedidoRec>().Cliente = k == 0 ? "um" : "dois";
                    if (fm.insert(false) != 0) {
                        code = 3;
                        return;
                    }
                }
            });
            worker.join();
            _exit(code);
        }
    }
    for (pid_t p : kids) {
        int status = 0;
        waitpid(p, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    FileManager fm(Pedidos());
    ASSERT_EQ(fm.open(), kNoError);
    EXPECT_EQ(fm.records(), 2 * kEach);
    ASSERT_EQ(fm.set("PED:KEY:CODIGO"), kNoError);
    std::uint32_t expected = 1;
    while (fm.next() == kNoError) EXPECT_EQ(fm.rec<PedidoRec>().Codigo, expected++);
    EXPECT_EQ(expected, 2u * kEach + 1);
}

}  // namespace
}  // namespace vorel::data::testing
