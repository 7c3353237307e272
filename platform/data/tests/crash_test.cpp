#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "../src/root_relative_vfs.h"
#include "test_tables.h"
#include "vorel/data/data_root.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/state_folder.h"
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
                if (!a.open_path(a_path).ok() || !b.open_path(b_path).ok()) _exit(2);
                Transaction t({&a, &b});
                if (!t.status().ok()) _exit(3);
                for (int i = 0; i < kRows; ++i) {
                    a.rec<PedidoRec>().Codigo = static_cast<std::uint32_t>(1000 + i);
                    a.rec<PedidoRec>().Cliente = "cliente";
                    b.rec<PedidoRec>().Codigo = static_cast<std::uint32_t>(1000 + i);
                    if (!a.add().ok() || !b.add().ok()) _exit(4);
                    if (i == kRows / 4) {
                        char c = 1;
                        if (write(pipefd[1], &c, 1) != 1) _exit(5);
                    }
                }
                if (!t.commit().ok()) _exit(6);
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
                ASSERT_EQ(fm->set_at(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
                while (fm->next() == kNoError) ASSERT_EQ(fm->remove(), kNoError);
            }
            ASSERT_EQ(t.commit(), kNoError);
        }
    }
    EXPECT_GE(outcomes[0], 1);  // at least the kill while writing found nothing committed
}

// A commit over three table files (two folders of the data root), killed before each of its writes,
// syncs and deletes in turn; the next program opens the files as another workstation would: with
// another state folder (the first one's is out of its reach), and again with the data root moved to
// another path. Every file is whole, and the three hold either all of the commit or none of it.
namespace fs = std::filesystem;

int g_kill_at = 0;
int g_io_count = 0;
void kill_at_chosen_write(const char*, const char*) {
    if (++g_io_count == g_kill_at) kill(getpid(), SIGKILL);
}

constexpr int kSeeded = 5;
constexpr int kAdded = 150;
const char* const kTables[] = {"A.Tps", "BVOREL/B.Tps", "BVOREL/2016/C.Tps"};

enum class Workstation { OtherStateFolder, RootMovedToAnotherPath };

class CommitKilledAtEachWrite : public DataTest, public ::testing::WithParamInterface<Workstation> {
protected:
    // The pristine data root, copied afresh for each kill.
    void Seed(const fs::path& root) {
        fs::create_directories(root / "BVOREL" / "2016");
        set_data_root(root);
        for (const char* name : kTables) {
            FileManager t(Pedidos());
            ASSERT_EQ(t.open_path((root / name).string()), kNoError);
            for (std::uint32_t i = 1; i <= kSeeded; ++i) {
                t.rec<PedidoRec>().Codigo = i;
                t.rec<PedidoRec>().Cliente = "antigo";
                ASSERT_EQ(t.add(), kNoError);
            }
        }
        set_data_root({});
    }

    // In a child process on a thread of its own: the commit, killed before I/O number `kill_at` (0:
    // not killed). Returns true when the child finished the commit.
    bool RunCommit(const fs::path& root, const fs::path& state, int kill_at) {
        pid_t pid = fork();
        if (pid == 0) {
            int code = 0;
            std::thread worker([&] {
                set_state_folder(state);
                set_data_root(root);
                FileManager a(Pedidos()), b(Pedidos()), c(Pedidos());
                FileManager* tables[] = {&a, &b, &c};
                for (int i = 0; i < 3; ++i)
                    if (!tables[i]->open_path((root / kTables[i]).string()).ok()) code = 2;
                if (code) return;
                g_kill_at = kill_at;
                vfs_testing::set_io_probe(kill_at_chosen_write);
                Transaction t({&a, &b, &c});
                if (!t.status().ok()) code = 3;
                for (FileManager* fm : tables) {
                    fm->rec<PedidoRec>().Codigo = 1;
                    if (code == 0 && fm->get(data::KeyName{"PED:KEY:CODIGO"}) != kNoError) code = 4;
                    fm->rec<PedidoRec>().Cliente = "novo";
                    if (code == 0 && fm->put() != kNoError) code = 5;
                    for (int i = 0; i < kAdded && code == 0; ++i) {
                        fm->rec<PedidoRec>().Codigo = static_cast<std::uint32_t>(100 + i);
                        fm->rec<PedidoRec>().Cliente = "acrescido";
                        if (fm->add() != kNoError) code = 6;
                    }
                }
                if (code == 0 && t.commit() != kNoError) code = 7;
            });
            worker.join();
            _exit(code);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFSIGNALED(status)) return false;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child failed: " << status;
        return true;
    }

    // Opens the three tables and tells whether they hold the commit (1), not (0), or are unsound (-1).
    int Outcome(const fs::path& root, const std::string& context) {
        int seen = -2;
        for (const char* name : kTables) {
            FileManager t(Pedidos());
            Result rc = t.open_path((root / name).string());
            EXPECT_EQ(rc, kNoError) << context << name << ": " << last_error().text;
            if (rc != kNoError) return -1;
            EXPECT_EQ(t.verify(), kNoError) << context << name << ": " << last_error().file_error_text;
            std::int64_t n = t.records();
            t.rec<PedidoRec>().Codigo = 1;
            if (t.get(data::KeyName{"PED:KEY:CODIGO"}) != kNoError) return -1;
            bool committed = t.rec<PedidoRec>().Cliente == "novo";
            bool whole = committed ? n == kSeeded + kAdded : n == kSeeded;
            EXPECT_TRUE(whole) << context << name << " holds " << n << " records";
            if (!whole) return -1;
            if (seen == -2) seen = committed;
            EXPECT_EQ(seen, committed ? 1 : 0) << context << name << " differs from the first table";
            if (seen != (committed ? 1 : 0)) return -1;
        }
        return seen;
    }
};

TEST_P(CommitKilledAtEachWrite, EveryTableWholeAndTheCommitAllOrNothing) {
    const fs::path pristine = dir_ / "pristine";
    Seed(pristine);
    int rolled_back = 0, kept = 0, removed = 0;
    for (int kill_at = 1;; ++kill_at) {
        const fs::path root = dir_ / "share" / "Vorel";
        const fs::path first_state = dir_ / "ws1", other_state = dir_ / "ws2";
        fs::remove_all(dir_ / "share");
        fs::remove_all(dir_ / "elsewhere");
        fs::create_directories(root.parent_path());
        fs::copy(pristine, root, fs::copy_options::recursive);
        bool finished = RunCommit(root, first_state, kill_at);

        // Another workstation: its own state folder, the first one's gone from its sight.
        fs::remove_all(first_state);
        fs::remove_all(other_state);
        set_state_folder(other_state);
        fs::path seen_root = root;
        if (GetParam() == Workstation::RootMovedToAnotherPath) {
            seen_root = dir_ / "elsewhere" / "Mounted";
            fs::create_directories(seen_root.parent_path());
            fs::rename(root, seen_root);
        }
        set_data_root(seen_root);
        std::string context = "killed before I/O " + std::to_string(kill_at) + ": ";
        // The next start removes the super-journals no journal names any more, before anything
        // opens; those a journal names stay for its rollback: the files are still whole after it.
        removed += remove_stale_super_journals(std::chrono::seconds(0));
        int outcome = Outcome(seen_root, finished ? "finished: " : context);
        set_data_root({});
        ASSERT_GE(outcome, 0) << context;
        (outcome ? kept : rolled_back)++;
        if (finished) {
            EXPECT_EQ(outcome, 1);
            break;
        }
        ASSERT_LT(kill_at, 500) << "the commit never finished";
    }
    EXPECT_GE(rolled_back, 10);  // the kills before the commit point found nothing of it
    EXPECT_GE(kept, 1);
    EXPECT_GE(removed, 1) << "no kill left a super-journal that the next start removes";
}

INSTANTIATE_TEST_SUITE_P(Workstations, CommitKilledAtEachWrite,
                         ::testing::Values(Workstation::OtherStateFolder, Workstation::RootMovedToAnotherPath),
                         [](const auto& info) {
                             return info.param == Workstation::OtherStateFolder ? "OtherStateFolder"
                                                                                 : "RootMovedToAnotherPath";
                         });

// A form's primed record (its number shown, its fields blank) in a child process that is then killed:
// while the child lives, others see the record and number past it; once it died, the next open removes
// the blank record and its number is given again. A record the form wrote before the kill stays.
TEST_F(CrashTest, PrimedRecordOfAKilledProgramIsGoneAfterRestart) {
    struct Case {
        const char* name;
        bool form_saved;
    };
    for (const Case& c : {Case{"form still open", false}, Case{"form saved", true}}) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path("Pedidos.Tps"));
        {
            FileManager fm(Pedidos());
            ASSERT_EQ(fm.open(), kNoError);
            for (std::uint32_t i = 1; i <= 2; ++i) {
                fm.rec<PedidoRec>().Codigo = i;
                fm.rec<PedidoRec>().Cliente = "antigo";
                ASSERT_EQ(fm.add(), kNoError);
            }
        }
        HoldingChild form = run_holding_child([&](const auto& hold) {
            FileManager fm(Pedidos());
            char number = 0;
            if (fm.open() == kNoError && fm.prime_auto_number(Messages::Quiet).done()) {
                number = static_cast<char>(fm.rec<PedidoRec>().Codigo);
                fm.rec<PedidoRec>().Cliente = "gravado";
                if (c.form_saved && !fm.insert(Messages::Quiet).done()) number = 0;
            }
            hold(number);  // the form stays open until the program is killed
        });
        ASSERT_EQ(form.answer, 3);
        {
            FileManager other(Pedidos());
            ASSERT_EQ(other.open(), kNoError);
            EXPECT_EQ(other.records(), 3) << "a live program's primed record stays";
            ASSERT_TRUE(other.prime_auto_number(Messages::Quiet).done());
            EXPECT_EQ(other.rec<PedidoRec>().Codigo, 4u);
            ASSERT_EQ(other.release_auto_number(), kNoError);
        }
        form.kill_and_wait();

        FileManager fm(Pedidos());
        ASSERT_EQ(fm.open(), kNoError);
        fm.rec<PedidoRec>().Codigo = 3;
        if (c.form_saved) {
            EXPECT_EQ(fm.records(), 3);
            ASSERT_EQ(fm.get(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
            EXPECT_EQ(fm.rec<PedidoRec>().Cliente, "gravado");
        } else {
            EXPECT_EQ(fm.records(), 2);
            EXPECT_EQ(fm.get(data::KeyName{"PED:KEY:CODIGO"}), kRecordNotFound);
            fm.prime_record();
            ASSERT_TRUE(fm.insert(Messages::Quiet).done());
            EXPECT_EQ(fm.rec<PedidoRec>().Codigo, 3u);
        }
    }
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
                if (!fm.open().ok()) {
                    code = 2;
                    return;
                }
                for (int i = 0; i < kEach; ++i) {
                    fm.prime_record();
                    fm.rec<PedidoRec>().Cliente = k == 0 ? "um" : "dois";
                    if (!fm.insert(Messages::Quiet).done()) {
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
    ASSERT_EQ(fm.set(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
    std::uint32_t expected = 1;
    while (fm.next() == kNoError) EXPECT_EQ(fm.rec<PedidoRec>().Codigo, expected++);
    EXPECT_EQ(expected, 2u * kEach + 1);
}

}  // namespace
}  // namespace vorel::data::testing
