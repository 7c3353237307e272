#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "test_tables.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"

namespace vorel::data::testing {
namespace {

class ConnectionsTest : public DataTest {};

// More files than one connection can attach, a file opened inside a transaction, and a transaction
// over files that sit on different connections.
TEST_F(ConnectionsTest, ManyFilesAndTransactionsAcrossConnections) {
    std::vector<std::unique_ptr<FileManager>> files;
    for (int i = 0; i < 14; ++i) {
        files.push_back(std::make_unique<FileManager>(Pedidos()));
        ASSERT_EQ(files.back()->open_path(path("P" + std::to_string(i) + ".Tps")), kNoError) << i;
    }
    FileManager& first = *files.front();
    FileManager& last = *files.back();
    {
        Transaction t({&first, &last});
        ASSERT_EQ(t.status(), kNoError) << last_error().text;
        first.rec<PedidoRec>().Codigo = 1;
        last.rec<PedidoRec>().Codigo = 1;
        ASSERT_EQ(first.add(), kNoError);
        ASSERT_EQ(last.add(), kNoError);
        // A table opened inside the transaction is not part of it, and opens all the same.
        FileManager late(Pedidos());
        ASSERT_EQ(late.open_path(path("Late.Tps")), kNoError);
        late.rec<PedidoRec>().Codigo = 9;
        ASSERT_EQ(late.add(), kNoError);
    }
    EXPECT_EQ(first.records(), 0);
    EXPECT_EQ(last.records(), 0);
    FileManager late(Pedidos());
    ASSERT_EQ(late.open_path(path("Late.Tps")), kNoError);
    EXPECT_EQ(late.records(), 1);
    {
        Transaction t({files[3].get(), files[12].get(), &first});
        ASSERT_EQ(t.status(), kNoError);
        for (FileManager* fm : {files[3].get(), files[12].get(), &first}) {
            fm->rec<PedidoRec>().Codigo = 5;
            ASSERT_EQ(fm->add(), kNoError);
        }
        ASSERT_EQ(t.commit(), kNoError);
    }
    EXPECT_EQ(files[3]->records(), 1);
    EXPECT_EQ(files[12]->records(), 1);
    for (auto& f : files) EXPECT_EQ(f->close(), kNoError);
}

// A thread reading a file while writing it never waits on itself; a nested transaction rolls back
// only its own part.
TEST_F(ConnectionsTest, ReadWhileWritingAndNestedTransactions) {
    FileManager a(Pedidos()), b(Pedidos());
    ASSERT_EQ(a.open(), kNoError);
    ASSERT_EQ(b.open(), kNoError);
    for (std::uint32_t i = 1; i <= 30; ++i) {
        a.rec<PedidoRec>().Codigo = i;
        ASSERT_EQ(a.add(), kNoError);
    }
    Transaction outer({&a}, 0);
    ASSERT_EQ(outer.status(), kNoError);
    ASSERT_EQ(b.set(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
    ASSERT_EQ(b.next(), kNoError);  // b holds a position while a writes
    a.rec<PedidoRec>().Codigo = 100;
    ASSERT_EQ(a.add(), kNoError);
    {
        Transaction inner({&a}, 0);
        ASSERT_EQ(inner.status(), kNoError);
        a.rec<PedidoRec>().Codigo = 101;
        ASSERT_EQ(a.add(), kNoError);
    }  // the inner part is undone
    ASSERT_EQ(outer.commit(), kNoError);
    EXPECT_EQ(a.records(), 31);
    int n = 1;
    while (b.next() == kNoError) ++n;
    EXPECT_EQ(n, 31);
}

// Threads opening one missing file at once: one of them creates it, whole, and every one opens it;
// none finds a half-made file (which would be damage) and nothing is left beside it.
TEST_F(ConnectionsTest, ThreadsCreatingOneFileAtOnceAllOpenIt) {
    constexpr int kThreads = 8;
    Result results[kThreads];
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            FileManager fm(Pedidos());
            results[i] = fm.open_path(path("Novo.Tps"));
            fm.rec<PedidoRec>().Codigo = static_cast<std::uint32_t>(i + 1);
            if (results[i] == kNoError) results[i] = fm.add();
        });
    }
    for (auto& t : threads) t.join();
    for (int i = 0; i < kThreads; ++i) EXPECT_EQ(results[i], kNoError) << "thread " << i;
    FileManager fm(Pedidos());
    ASSERT_EQ(fm.open_path(path("Novo.Tps")), kNoError);
    EXPECT_EQ(fm.records(), kThreads);
    for (auto& e : std::filesystem::directory_iterator(dir_)) {
        std::string name = e.path().filename().string();
        EXPECT_TRUE(!e.is_regular_file() || name == "Novo.Tps" || name == "Novo.Tps-lock") << name;
    }
}

}  // namespace
}  // namespace vorel::data::testing
