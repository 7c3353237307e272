// Repairs of whole table files: the keys rebuilt with progress (and stopped), a damaged file rebuilt
// from what can still be read with the original kept, an older file rewritten in the current
// structure, a file another process holds left alone, and each repair killed at random points
// leaving the original or the finished file, whole.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

#include "../src/root_relative_vfs.h"
#include "killed_child.h"
#include "test_tables.h"
#include "vorel/core/paths.h"
#include "vorel/data/data_root.h"
#include "vorel/data/open_mode.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/state_folder.h"
#include "vorel/data/table_repair.h"
#include "vorel/data/transaction.h"

namespace vorel::data::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRecords = 2000;

// The same table in an older structure (no "Nivel", no group keys) and its structure version.
NameVariable CaminhoAntigo;
const TableDesc& ItensAntigos() {
    static const TableDesc d = TableBuilder<ItemRec>("Itens", "ITE")
                                   .file(CaminhoAntigo)
                                   .version(2)
                                   .field("Codigo", &ItemRec::Codigo)
                                   .field("Nome", &ItemRec::Nome)
                                   .field("Grupo", &ItemRec::Grupo)
                                   .date("Data", &ItemRec::Data)
                                   .field("Valor", &ItemRec::Valor)
                                   .key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase, 1)
                                   .key("KEY:NOME", "Nome do item", {"Nome"}, kNoCase)
                                   .build();
    return d;
}

std::string Bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class TableRepairTest : public DataTest {
protected:
    // `n` items (code i, name "Item<i>") in the file, through the layout `d`.
    void Fill(const std::string& file, std::uint32_t n, const TableDesc& d = Itens()) {
        FileManager fm(d);
        ASSERT_EQ(fm.open_path(file), kNoError);
        Transaction t({&fm});
        for (std::uint32_t i = 1; i <= n; ++i) {
            fm.clear_record();
            auto& r = fm.rec<ItemRec>();
            r.Codigo = i;
            r.Nome = "Item" + std::to_string(i);
            r.Grupo = "G" + std::to_string(i % 7);
            ASSERT_EQ(fm.add(), kNoError);
        }
        ASSERT_EQ(t.commit(), kNoError);
        ASSERT_EQ(fm.close(), kNoError);
    }
    // Writes over a leaf page in the middle of `object` ("rec", or a key's index "k1") with garbage.
    static void Damage(const std::string& file, const std::string& object) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        register_collations(db);
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db,
                                     "SELECT pageno, (SELECT page_size FROM pragma_page_size) FROM dbstat "
                                     "WHERE name = ?1 AND pagetype = 'leaf' ORDER BY pageno",
                                     -1, &st, nullptr),
                  SQLITE_OK);
        sqlite3_bind_text(st, 1, object.c_str(), -1, SQLITE_TRANSIENT);
        std::vector<std::pair<long, long>> pages;
        while (sqlite3_step(st) == SQLITE_ROW) pages.emplace_back(sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1));
        sqlite3_finalize(st);
        sqlite3_close(db);
        ASSERT_GE(pages.size(), 3u) << object;
        const auto [page, size] = pages[pages.size() / 2];
        std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp((page - 1) * size);
        const std::string garbage(static_cast<std::size_t>(size), '\xAB');
        f.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    // Drops one key's index, as an older program or a crash may leave it (the file then opens with 46).
    static void DropIndex(const std::string& file, const std::string& index) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, ("DROP INDEX " + index).c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    // The codes of the file's records, each found again by its name; empty when the file fails to open.
    static std::set<std::uint32_t> Codes(const std::string& file, const TableDesc& d = Itens()) {
        std::set<std::uint32_t> out;
        FileManager fm(d);
        if (!fm.open_path(file).ok()) return out;
        EXPECT_EQ(fm.verify(), kNoError) << file;
        fm.clear_record();
        EXPECT_EQ(fm.set(KeyName{"ITE:KEY:CODIGO"}), kNoError);
        std::vector<ItemRec> all;
        while (fm.next().ok()) all.push_back(fm.rec<ItemRec>());
        for (const ItemRec& r : all) {
            fm.clear_record();
            fm.rec<ItemRec>().Nome = r.Nome;
            if (fm.get(KeyName{"ITE:KEY:NOME"}).ok() && fm.rec<ItemRec>().Codigo == r.Codigo) out.insert(r.Codigo);
        }
        EXPECT_EQ(fm.records(), static_cast<std::int64_t>(all.size()));
        (void)fm.close();
        return out;
    }
    // The indexes the file holds.
    static int Indexes(const std::string& file) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name NOT LIKE 'sqlite_%'", -1, &st, nullptr);
        const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    }
    std::vector<std::string> Kept(const std::string& file) const {
        std::vector<std::string> out;
        const std::string prefix = fs::path(file).filename().string() + ".";
        for (const auto& e : fs::directory_iterator(dir_))
            if (e.path().filename().string().rfind(prefix, 0) == 0) out.push_back(e.path().string());
        return out;
    }
};

TEST_F(TableRepairTest, FixRebuildsADamagedFileFromWhatReadsAndLeavesASoundOneAlone) {
    struct Case {
        const char* name;
        const char* damaged;  // "" for a sound file
    };
    for (const Case& c : {Case{"sound", ""}, Case{"damaged index", "k1"}, Case{"damaged page", "rec"}}) {
        SCOPED_TRACE(c.name);
        const std::string file = path(std::string("Fix-") + (c.damaged[0] ? c.damaged : "none") + ".Tps");
        Fill(file, kRecords);
        if (c.damaged[0]) Damage(file, c.damaged);
        const std::string before = Bytes(file);
        std::vector<std::string> steps;
        FixReport r;
        ASSERT_EQ(fix_table_file(Itens(), file, r, [&](const std::string& s, int) {
                      if (steps.empty() || steps.back() != s) steps.push_back(s);
                      return true;
                  }),
                  kNoError)
            << describe(last_error());
        const std::set<std::uint32_t> codes = Codes(file);
        if (!c.damaged[0]) {
            EXPECT_FALSE(r.rebuilt);
            EXPECT_EQ(r.kept, kRecords);
            EXPECT_EQ(Bytes(file), before);
            EXPECT_TRUE(Kept(file).empty());
            continue;
        }
        EXPECT_TRUE(r.rebuilt);
        EXPECT_EQ(r.kept, static_cast<std::int64_t>(codes.size()));
        EXPECT_EQ(r.kept + r.lost, kRecords);
        if (std::string(c.damaged) == "k1") {
            EXPECT_EQ(codes.size(), kRecords);
        } else {
            EXPECT_GT(r.lost, 0);
            EXPECT_LT(r.lost, kRecords / 10);  // one page's records, not the rest of the file
        }
        ASSERT_EQ(Kept(file), std::vector<std::string>{files::resolve(r.original).string()});
        EXPECT_EQ(Bytes(files::resolve(r.original).string()), before);
        EXPECT_FALSE(fs::exists(file + ".novo"));
        EXPECT_EQ(steps.front(), "Checking File");
        EXPECT_NE(std::find(steps.begin(), steps.end(), "Key :ITE:KEY:NOME"), steps.end());
    }
}

TEST_F(TableRepairTest, FreshenRewritesAnOlderFileInTheCurrentStructureWithTheSameRecords) {
    const std::string file = path("Antigo.Tps");
    Fill(file, 50, ItensAntigos());
    ASSERT_EQ(freshen_table_file(Itens(), file), kNoError) << describe(last_error());
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE name = 'version'", -1, &st, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_int(st, 0), structure_version_base() + 3);  // before any open through the engine
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    std::set<std::uint32_t> expected;
    for (std::uint32_t i = 1; i <= 50; ++i) expected.insert(i);
    EXPECT_EQ(Codes(file), expected);
    EXPECT_FALSE(fs::exists(file + ".novo"));
}

TEST_F(TableRepairTest, AFileAnotherProcessHoldsIsLeftAloneByEveryRepair) {
    const std::string file = path("Aberto.Tps");
    Fill(file, 20);
    DropIndex(file, "k1");
    const std::string before = Bytes(file);
    const HoldingChild child = run_holding_child([&](const std::function<void(char)>& hold) {
        FileManager fm(Itens());
        fm.keep_open_on_invalid_keys(true);
        hold(fm.open_path(file, open_mode::kReadOnly | open_mode::kDenyNone) == kKeysInvalid ? 'o' : 'x');
    });
    ASSERT_EQ(child.answer, 'o');
    FixReport r;
    EXPECT_EQ(fix_table_file(Itens(), file, r), kFileLocked);
    EXPECT_EQ(freshen_table_file(Itens(), file), kFileLocked);
    FileManager fm(Itens());
    fm.keep_open_on_invalid_keys(true);
    EXPECT_EQ(fm.open_path(file, open_mode::kExclusive), kFileLocked);
    child.kill_and_wait();
    EXPECT_EQ(Bytes(file), before);
    EXPECT_FALSE(fs::exists(file + ".novo"));
}

TEST_F(TableRepairTest, RebuildingKeysTellsEachKeyAndAStopLeavesThemAsTheyWere) {
    const std::string file = path("Chaves.Tps");
    Fill(file, 100);
    DropIndex(file, "k1");
    FileManager fm(Itens());
    fm.keep_open_on_invalid_keys(true);
    ASSERT_EQ(fm.open_path(file, open_mode::kExclusive), kKeysInvalid);
    std::vector<std::string> keys;
    auto told = [&](const std::string& key, int percent) {
        if (keys.empty() || keys.back() != key + " " + std::to_string(percent)) keys.push_back(key + " " + std::to_string(percent));
        return keys.size() < 3;
    };
    EXPECT_EQ(fm.rebuild_keys(told), kStopped);
    ASSERT_EQ(fm.close(), kNoError);
    ASSERT_EQ(fm.open_path(file, open_mode::kExclusive), kKeysInvalid);  // as it was
    keys.clear();
    EXPECT_EQ(fm.rebuild_keys([&](const std::string& key, int percent) { return told(key, percent) || true; }), kNoError);
    EXPECT_EQ(keys, (std::vector<std::string>{"ITE:KEY:CODIGO 0", "ITE:KEY:NOME 25", "ITE:KEY:GRUPODATA 50",
                                              "ITE:KEY:GRUPO 75", "ITE:KEY:GRUPO 100"}));
    ASSERT_EQ(fm.close(), kNoError);
    EXPECT_EQ(Codes(file).size(), 100u);
}

// Each repair in a child process, killed before a random I/O of the file layer or progress call.
enum class Repair { Build, Pack, Fix, Freshen };

std::function<void()>* g_pause = nullptr;
void PauseAtIo(const char*, const char*) {
    if (g_pause) (*g_pause)();
}

class KilledRepair : public TableRepairTest, public ::testing::WithParamInterface<Repair> {
protected:
    // The file as the repair finds it: keys missing (Build), records deleted (Pack), an index page
    // damaged (Fix), an older structure (Freshen).
    void Prepare(const std::string& file) {
        const Repair repair = GetParam();
        Fill(file, kRecords, repair == Repair::Freshen ? ItensAntigos() : Itens());
        if (repair == Repair::Build) DropIndex(file, "k1");
        if (repair == Repair::Fix) Damage(file, "k1");
        if (repair == Repair::Pack) {
            FileManager fm(Itens());
            ASSERT_EQ(fm.open_path(file), kNoError);
            fm.rec<ItemRec>().Codigo = kRecords + 1;
            fm.rec<ItemRec>().Nome = "Apagado";
            ASSERT_EQ(fm.add(), kNoError);
            ASSERT_EQ(fm.remove(), kNoError);
            ASSERT_EQ(fm.close(), kNoError);
        }
    }
    bool Run(const std::string& file, const std::function<void()>& pausa) {
        g_pause = const_cast<std::function<void()>*>(&pausa);
        vfs_testing::set_io_probe(PauseAtIo);
        auto progress = [&](const std::string&, int) {
            pausa();
            return true;
        };
        switch (GetParam()) {
            case Repair::Build: {
                FileManager fm(Itens());
                fm.keep_open_on_invalid_keys(true);
                return fm.open_path(file, open_mode::kExclusive) == kKeysInvalid && fm.rebuild_keys(progress).ok();
            }
            case Repair::Pack: {
                FileManager fm(Itens());
                return fm.open_path(file, open_mode::kExclusive).ok() && fm.pack().ok();
            }
            case Repair::Fix: {
                FixReport r;
                return fix_table_file(Itens(), file, r, progress).ok() && r.rebuilt && r.lost == 0;
            }
            case Repair::Freshen: return freshen_table_file(Itens(), file, progress).ok();
        }
        return false;
    }
};

TEST_P(KilledRepair, LeavesTheOriginalOrTheFinishedFileWholeWithEveryRecord) {
    const fs::path root = dir_ / "root";
    fs::create_directories(root / "BVorel");
    set_data_root(root);
    const std::string pristine = (root / "BVorel" / "Pristine.Tps").string(), file = (root / "BVorel" / "Itens.Tps").string();
    Prepare(pristine);
    const std::string original = Bytes(pristine);
    auto inicio = [&] {
        set_state_folder(dir_ / "child-state");
        set_data_root(root);
    };
    auto restore = [&] {
        for (const char* leftover : {"", "-journal", "-lock"}) fs::remove(file + leftover);
        fs::copy_file(pristine, file);
    };
    restore();
    const long long total = vorel::testing::MataNaChamada(-1, [&](const std::function<void()>& p) { return Run(file, p); }, inicio);
    ASSERT_GT(total, 10);
    std::mt19937 random(20261211);
    std::set<long long> points{1, total};
    while (points.size() < 12) points.insert(std::uniform_int_distribution<long long>(1, total)(random));
    std::set<std::uint32_t> every;
    for (std::uint32_t i = 1; i <= kRecords; ++i) every.insert(i);
    int originals = 0;
    for (long long point : points) {
        restore();
        vorel::testing::MataNaChamada(point, [&](const std::function<void()>& p) { return Run(file, p); }, inicio);
        SCOPED_TRACE("killed at call " + std::to_string(point) + " of " + std::to_string(total));
        const Repair repair = GetParam();
        // A repair on a copy leaves the original untouched until the finished copy takes its place.
        if ((repair == Repair::Fix || repair == Repair::Freshen) && Bytes(file) == original) {
            ++originals;
            continue;
        }
        // A repair in place is one transaction: its file opens (a Build rolled back: keys still
        // missing), passes the check and holds every record.
        FileManager fm(Itens());
        fm.keep_open_on_invalid_keys(true);
        const Result opened = fm.open_path(file);
        ASSERT_TRUE(opened.ok() || (repair == Repair::Build && opened == kKeysInvalid)) << opened;
        EXPECT_EQ(fm.verify(), kNoError);
        EXPECT_EQ(fm.records(), static_cast<std::int64_t>(kRecords));
        ASSERT_EQ(fm.close(), kNoError);
        // A Build rolled back leaves the keys as they were: all but the one missing.
        if (!opened.ok()) {
            EXPECT_EQ(Indexes(file), static_cast<int>(Itens().keys.size()) - 1);
        }
        if (opened.ok()) {
            EXPECT_EQ(Codes(file), every);
        }
    }
    if (GetParam() == Repair::Fix || GetParam() == Repair::Freshen) {
        EXPECT_GE(originals, 1);
    }
    // A killed run's leftovers do not hinder the next run.
    restore();
    EXPECT_GT(vorel::testing::MataNaChamada(-1, [&](const std::function<void()>& p) { return Run(file, p); }, inicio), 0);
    EXPECT_EQ(Codes(file), every);
}

std::string RepairName(const ::testing::TestParamInfo<Repair>& info) {
    static const char* const names[] = {"Build", "Pack", "Fix", "Freshen"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Repairs, KilledRepair, ::testing::Values(Repair::Build, Repair::Pack, Repair::Fix, Repair::Freshen),
                         RepairName);

}  // namespace
}  // namespace vorel::data::testing
