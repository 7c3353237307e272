#include <gtest/gtest.h>
#include <cstdint>
#include <future>
#include <thread>

#include "test_tables.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_mode.h"

namespace vorel::data::testing {
namespace {

using namespace open_mode;

class OpenModeTest : public DataTest {};

struct Case {
    std::uint8_t first, second;
    bool second_opens;
};

// A first opener holds the file in its mode; a second asks in its own.
constexpr Case kCases[] = {
    {kShared, kShared, true},
    {kReadWrite | kDenyWrite, kShared, false},            // deny write: no other writer
    {kReadWrite | kDenyWrite, kReadOnly | kDenyNone, true},  // ... readers welcome
    {kShared, kReadWrite | kDenyWrite, false},            // cannot deny write to a writer already there
    {kReadOnly | kDenyNone, kReadWrite | kDenyWrite, true},
    {kReadWrite | kDenyWrite, kReadWrite | kDenyWrite, false},
    {kReadOnly | kDenyWrite, kReadOnly | kDenyWrite, true},
    {kExclusive, kReadOnly | kDenyNone, false},
    {kShared, kExclusive, false},
    {kReadOnly | kDenyNone, kExclusive, false},
    {kReadWrite | kDenyRead, kWriteOnly | kDenyNone, true},
    {kReadWrite | kDenyRead, kReadOnly | kDenyNone, false},
};

std::string describe(const Case& c) {
    char text[64];
    std::snprintf(text, sizeof text, "first 0x%02X, second 0x%02X", c.first, c.second);
    return text;
}

TEST_F(OpenModeTest, ModesExcludeEachOtherBetweenThreads) {
    {
        FileManager make(Pedidos());
        ASSERT_EQ(make.open(), kNoError);
    }
    for (const Case& c : kCases) {
        SCOPED_TRACE(describe(c));
        std::promise<Result> opened;
        std::promise<void> done;
        std::thread holder([&] {
            FileManager first(Pedidos());
            opened.set_value(first.open(c.first));
            done.get_future().wait();
        });
        ASSERT_EQ(opened.get_future().get(), kNoError);
        FileManager second(Pedidos());
        EXPECT_EQ(second.open(c.second), c.second_opens ? kNoError : kFileLocked);
        EXPECT_EQ(second.is_open(), c.second_opens);
        (void)second.close();
        done.set_value();
        holder.join();
        if (!c.second_opens) {
            EXPECT_EQ(second.open(c.second), kNoError) << "once the first closed";
            (void)second.close();
        }
    }
}

TEST_F(OpenModeTest, ModesExcludeEachOtherBetweenProcessesUntilTheHolderDies) {
    {
        FileManager make(Pedidos());
        ASSERT_EQ(make.open(), kNoError);
    }
    for (const Case& c : kCases) {
        SCOPED_TRACE(describe(c));
        HoldingChild holder = run_holding_child([&](const auto& hold) {
            FileManager first(Pedidos());
            hold(first.open(c.first) == kNoError ? 1 : 0);
        });
        ASSERT_EQ(holder.answer, 1);
        FileManager second(Pedidos());
        EXPECT_EQ(second.open(c.second), c.second_opens ? kNoError : kFileLocked);
        (void)second.close();
        holder.kill_and_wait();
        EXPECT_EQ(second.open(c.second), kNoError) << "once the holder died";
        (void)second.close();
    }
}

// The modes that a table keeps while open: a read-only open refuses writes; a counted reopen keeps the
// first mode; an exclusive open by the same thread's other table is refused as well.
TEST_F(OpenModeTest, ReadOnlyOpenRefusesWritesAndReopensKeepTheMode) {
    FileManager fm(Pedidos());
    ASSERT_EQ(fm.open(kReadOnly | kDenyNone), kNoError);
    fm.rec<PedidoRec>().Codigo = 1;
    EXPECT_EQ(fm.add(), kAccessDenied);
    ASSERT_EQ(fm.open(kShared), kNoError);  // counted: still read only
    EXPECT_EQ(fm.add(), kAccessDenied);
    FileManager other(Pedidos());
    EXPECT_EQ(other.open(kExclusive), kFileLocked);
    ASSERT_EQ(fm.close(), kNoError);
    ASSERT_EQ(fm.close(), kNoError);
    EXPECT_EQ(other.open(kExclusive), kNoError);
    other.rec<PedidoRec>().Codigo = 1;
    EXPECT_EQ(other.add(), kNoError);
}

}  // namespace
}  // namespace vorel::data::testing
