#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "test_tables.h"
#include "vorel/data/bulk_load.h"
#include "vorel/data/cursor.h"
#include "vorel/data/data_root.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"

namespace vorel::data::testing {
namespace {

namespace fs = std::filesystem;

class FileManagerTest : public DataTest {
protected:
    void add_item(FileManager& fm, std::uint32_t code, std::string_view nome, std::string_view grupo, int data) {
        auto& r = fm.rec<ItemRec>();
        fm.clear_record();
        r.Codigo = code;
        r.Nome = nome;
        r.Grupo = grupo;
        r.Data = data;
        ASSERT_EQ(fm.add(), kNoError) << last_error().file_error_text;
    }
    std::vector<std::uint32_t> read_all(FileManager& fm, KeyName key, int dir = 1) {
        std::vector<std::uint32_t> out;
        EXPECT_EQ(fm.set(key), kNoError);
        while ((dir > 0 ? fm.next() : fm.previous()) == kNoError) out.push_back(fm.rec<ItemRec>().Codigo);
        EXPECT_EQ(last_error().code, kRecordNotAvailable);
        return out;
    }
};

TEST_F(FileManagerTest, FreshFolderCreatesTheFileEmpty) {
    FileManager fm(Itens());
    ASSERT_FALSE(fs::exists(path("Itens.Tps")));
    ASSERT_EQ(fm.open(), kNoError);
    EXPECT_TRUE(fs::exists(path("Itens.Tps")));
    EXPECT_EQ(fm.records(), 0);
    EXPECT_EQ(fm.stored_version(), 3);
    EXPECT_EQ(fm.close(), kNoError);
}

TEST_F(FileManagerTest, MissingFileWithoutCreateIsError2AndMissingFolderError3) {
    FileManager fm(Itens());
    fm.set_create(false);
    EXPECT_EQ(fm.open(), kFileNotFound);
    EXPECT_FALSE(fs::exists(path("Itens.Tps")));
    fm.set_create(true);
    EXPECT_EQ(fm.open_path(path("nowhere/Itens.Tps")), kPathNotFound);
}

TEST_F(FileManagerTest, OpenCountsAndNameIsTakenAtOpen) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    ASSERT_EQ(fm.open(), kNoError);
    CaminhoItens.set(path("Outro.Tps"));
    EXPECT_EQ(fm.file_name(), path("Itens.Tps"));
    EXPECT_EQ(fm.close(), kNoError);
    EXPECT_TRUE(fm.is_open());
    EXPECT_EQ(fm.close(), kNoError);
    EXPECT_FALSE(fm.is_open());
    EXPECT_EQ(fm.close(), kFileNotOpen);
}

TEST_F(FileManagerTest, GetNextPreviousInKeyOrder) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    add_item(fm, 3, "Cebola", "B", 10);
    add_item(fm, 1, "Alho", "A", 20);
    add_item(fm, 2, "Batata", "A", 30);
    EXPECT_EQ(read_all(fm, data::KeyName{"ITE:KEY:CODIGO"}), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(read_all(fm, data::KeyName{"ITE:KEY:CODIGO"}, -1), (std::vector<std::uint32_t>{3, 2, 1}));
    EXPECT_EQ(read_all(fm, data::KeyName{"KEY:NOME"}), (std::vector<std::uint32_t>{1, 2, 3}));

    fm.clear_record();
    fm.rec<ItemRec>().Nome = "batata";  // case folds
    ASSERT_EQ(fm.get(data::KeyName{"ITE:KEY:NOME"}), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 2u);
    fm.rec<ItemRec>().Nome = "Batatas";
    EXPECT_EQ(fm.get(data::KeyName{"ITE:KEY:NOME"}), kRecordNotFound);

    // Positioned from the buffer: next reads at or after, previous at or before.
    fm.clear_record();
    fm.rec<ItemRec>().Codigo = 2;
    ASSERT_EQ(fm.set_at(data::KeyName{"ITE:KEY:CODIGO"}), kNoError);
    ASSERT_EQ(fm.next(), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 2u);
    ASSERT_EQ(fm.next(), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 3u);
    ASSERT_EQ(fm.previous(), kNoError);  // turning back reads the record before the last one read
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 2u);
    ASSERT_EQ(fm.previous(), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 1u);
    EXPECT_EQ(fm.previous(), kRecordNotAvailable);
}

TEST_F(FileManagerTest, DescendingComponentAndEqualKeysInInsertionOrder) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    add_item(fm, 1, "a", "G", 10);
    add_item(fm, 2, "b", "G", 30);
    add_item(fm, 3, "c", "G", 20);
    add_item(fm, 4, "d", "G", 30);
    add_item(fm, 5, "e", "F", 99);
    EXPECT_EQ(read_all(fm, data::KeyName{"ITE:KEY:GRUPODATA"}), (std::vector<std::uint32_t>{5, 2, 4, 3, 1}));
    EXPECT_EQ(read_all(fm, data::KeyName{"ITE:KEY:GRUPODATA"}, -1), (std::vector<std::uint32_t>{1, 3, 4, 2, 5}));
    // Set at group G, date 25: the first record at or after it in the key order is dated 20.
    fm.clear_record();
    fm.rec<ItemRec>().Grupo = "g";
    fm.rec<ItemRec>().Data = 25;
    ASSERT_EQ(fm.set_at(data::KeyName{"ITE:KEY:GRUPODATA"}), kNoError);
    ASSERT_EQ(fm.next(), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 3u);
}

TEST_F(FileManagerTest, OptionalKeyLeavesOutEmptyRecords) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    add_item(fm, 1, "a", "", 10);
    add_item(fm, 2, "b", "X", 10);
    add_item(fm, 3, "c", "  ", 10);
    add_item(fm, 4, "d", "A", 10);
    EXPECT_EQ(read_all(fm, data::KeyName{"ITE:KEY:GRUPO"}), (std::vector<std::uint32_t>{4, 2}));
    EXPECT_EQ(fm.records(), 4);
}

TEST_F(FileManagerTest, CaseInsensitiveUniqueKeyFoldsCaseButKeepsAccents) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    add_item(fm, 1, "A\xC7\xC3O", "", 0);  // "AÇÃO"
    fm.clear_record();
    fm.rec<ItemRec>().Codigo = 2;
    fm.rec<ItemRec>().Nome = "a\xE7\xE3o  ";  // "ação" with trailing blanks
    EXPECT_EQ(fm.add(), kDuplicateKey);
    EXPECT_EQ(last_error().key, "Nome do item");
    fm.rec<ItemRec>().Nome = "acao";
    EXPECT_EQ(fm.add(), kNoError);
    fm.rec<ItemRec>().Codigo = 1;  // primary key collides
    fm.rec<ItemRec>().Nome = "outro";
    EXPECT_EQ(fm.add(), kDuplicateKey);
    EXPECT_EQ(last_error().key, "C\xF3" "digo");
    EXPECT_EQ(fm.records(), 2);
    // Accented text comes back as it was stored.
    fm.clear_record();
    fm.rec<ItemRec>().Codigo = 1;
    ASSERT_EQ(fm.get(data::KeyName{"KEY:CODIGO"}), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Nome, "A\xC7\xC3O");
}

TEST_F(FileManagerTest, PutRemoveAndPositionKeepTheCursorGoing) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    for (std::uint32_t i = 1; i <= 40; ++i) add_item(fm, i, "n" + std::to_string(i), "", 0);
    ASSERT_EQ(fm.set(data::KeyName{"KEY:CODIGO"}), kNoError);
    std::vector<std::uint32_t> seen;
    Position p20;
    while (fm.next() == kNoError) {
        auto& r = fm.rec<ItemRec>();
        seen.push_back(r.Codigo);
        if (r.Codigo % 2 == 0) {
            ASSERT_EQ(fm.remove(), kNoError);
        } else {
            r.Nivel = 1;
            ASSERT_EQ(fm.put(), kNoError);
        }
        if (r.Codigo == 21) p20 = fm.position();
    }
    EXPECT_EQ(seen.size(), 40u);
    EXPECT_EQ(fm.records(), 20);
    ASSERT_EQ(fm.reget(p20), kNoError);
    EXPECT_EQ(fm.rec<ItemRec>().Codigo, 21u);
    EXPECT_EQ(fm.rec<ItemRec>().Nivel, 1);
    EXPECT_EQ(fm.put(), kNoError);
    EXPECT_EQ(fm.remove(), kNoError);
    EXPECT_EQ(fm.remove(), kNoRecord);
    EXPECT_EQ(fm.reget(p20), kRecordNotFound);
}

TEST_F(FileManagerTest, ReadModifyWriteSeesEachRecordOnceAndOtherCursorsSeeTheWrites) {
    FileManager fm(Itens()), other(Itens0());
    ASSERT_EQ(fm.open(), kNoError);
    ASSERT_EQ(other.open(), kNoError);
    const std::uint32_t n = 1200;  // more than a read-ahead batch holds
    {
        Transaction t({&fm});
        for (std::uint32_t i = 1; i <= n; ++i) add_item(fm, i, "n" + std::to_string(i), "G" + std::to_string(i % 3), 1);
        ASSERT_EQ(t.commit(), kNoError);
    }
    // The other cursor has read ahead before the writes.
    ASSERT_EQ(other.set(data::KeyName{"ITE0:KEY:CODIGO"}), kNoError);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(other.next(), kNoError);

    std::vector<int> visits(n + 1);
    Transaction t({&fm});
    ASSERT_EQ(fm.set(data::KeyName{"KEY:GRUPODATA"}), kNoError);
    while (fm.next() == kNoError) {
        auto& r = fm.rec<ItemRec>();
        ++visits[r.Codigo];
        r.Valor = DecimalField<11, 2>::from_scaled(r.Codigo);
        if (r.Codigo == 300 && visits[300] == 1) r.Grupo = "G9";  // moves ahead in this order: met again
        if (r.Codigo % 7 == 0) {
            ASSERT_EQ(fm.remove(), kNoError);
        } else {
            ASSERT_EQ(fm.put(), kNoError);
        }
    }
    EXPECT_EQ(last_error().code, kRecordNotAvailable);
    ASSERT_EQ(t.commit(), kNoError);
    for (std::uint32_t i = 1; i <= n; ++i) EXPECT_EQ(visits[i], i == 300 ? 2 : 1) << "record " << i;
    EXPECT_EQ(fm.records(), n - n / 7);

    // The other cursor goes on with what was written, not with what it had read ahead.
    auto& o = other.rec<ItemRec>();
    ASSERT_EQ(other.next(), kNoError);
    EXPECT_EQ(o.Codigo, 6u);
    EXPECT_EQ(o.Valor.scaled(), 6);
    ASSERT_EQ(other.next(), kNoError);
    EXPECT_EQ(o.Codigo, 8u);  // 7 was deleted
}

// A write through the cursor that leaves the key columns alone skips the indexes; one that changes a
// key column of another key, and then changes it back, must reach the file both times.
TEST_F(FileManagerTest, WritesThroughTheCursorKeepEveryKeyTrue) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    for (std::uint32_t i = 1; i <= 3; ++i) add_item(fm, i, "n" + std::to_string(i), "G", 1);
    Transaction t({&fm});
    ASSERT_EQ(fm.set(data::KeyName{"KEY:CODIGO"}), kNoError);
    auto& r = fm.rec<ItemRec>();
    while (fm.next() == kNoError) {
        r.Valor = DecimalField<11, 2>::from_scaled(r.Codigo * 100);
        ASSERT_EQ(fm.put(), kNoError);
        if (r.Codigo != 2) continue;
        r.Nome = "outro";
        r.Grupo = "";
        ASSERT_EQ(fm.put(), kNoError);
        r.Nome = "n2";
        r.Grupo = "G";
        r.Nivel = 2;
        ASSERT_EQ(fm.put(), kNoError);
    }
    ASSERT_EQ(t.commit(), kNoError);

    fm.clear_record();
    r.Nome = "outro";
    EXPECT_EQ(fm.get(data::KeyName{"KEY:NOME"}), kRecordNotFound);
    r.Nome = "n2";
    ASSERT_EQ(fm.get(data::KeyName{"KEY:NOME"}), kNoError);
    EXPECT_EQ(r.Codigo, 2u);
    EXPECT_EQ(r.Grupo, "G");
    EXPECT_EQ(r.Nivel, 2);
    EXPECT_EQ(r.Valor.scaled(), 200);
    EXPECT_EQ(read_all(fm, data::KeyName{"KEY:GRUPO"}), (std::vector<std::uint32_t>{1, 2, 3}));
}

// A cursor kept within a range of leading components: both directions, from a prefix or a full
// position, through more records than one read-ahead holds and across deletions on the way.
TEST_F(FileManagerTest, CursorWithinARangeStopsAtItsEnds) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    {
        Transaction t({&fm});
        for (std::uint32_t i = 1; i <= 300; ++i) add_item(fm, i, "n" + std::to_string(i), "G" + std::to_string(i % 3), static_cast<int>(i));
        ASSERT_EQ(t.commit(), kNoError);
    }
    const data::KeyName key{"KEY:GRUPODATA"};  // Grupo, then Data descending
    auto& r = fm.rec<ItemRec>();
    auto read = [&](int dir) {
        std::vector<std::uint32_t> out;
        while ((dir > 0 ? fm.next() : fm.previous()) == kNoError) {
            EXPECT_EQ(r.Grupo, "G1");
            out.push_back(r.Codigo);
            if (r.Codigo % 10 == 4) {
                EXPECT_EQ(fm.remove(), kNoError);
            }
        }
        EXPECT_EQ(last_error().code, kRecordNotAvailable);
        return out;
    };
    struct Case {
        int dir, components;
        int data;  // the position's date (components < 0)
        std::uint32_t first, last;
        std::size_t count;
    };
    for (const Case& k : {Case{1, 1, 0, 298, 1, 100}, Case{-1, 1, 0, 1, 298, 90}, Case{1, -1, 151, 151, 1, 46},
                          Case{-1, -1, 151, 151, 298, 45}}) {
        fm.clear_record();
        r.Grupo = "g1";
        r.Data = k.data;
        ASSERT_EQ(fm.set_within(key, 1, k.components), kNoError);
        std::vector<std::uint32_t> seen = read(k.dir);
        ASSERT_EQ(seen.size(), k.count) << "dir " << k.dir << " components " << k.components;
        EXPECT_EQ(seen.front(), k.first);
        EXPECT_EQ(seen.back(), k.last);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end(), [&](auto a, auto b) { return (a > b) == (k.dir > 0); }));
    }
    fm.clear_record();
    r.Grupo = "G3";
    ASSERT_EQ(fm.set_within(key, 1), kNoError);
    EXPECT_EQ(fm.next(), kRecordNotAvailable);
}

// A range of a key deleted in one call: bounds compared in the key's order (case folded, a
// descending date), across a change of the leading component, an optional key's unlisted records
// left alone, an empty range.
TEST_F(FileManagerTest, ARangeOfAKeyIsDeletedInOneCall) {
    struct Case {
        const char* key;
        const char* grupo1;
        int data1;
        std::uint32_t codigo1;
        const char* grupo2;
        int data2;
        std::uint32_t codigo2;
        std::vector<std::uint32_t> gone;
    };
    const std::vector<Case> cases = {
        {"KEY:GRUPODATA", "g1", 200, 0, "G1", 100, 0, {13, 16, 19}},
        {"KEY:GRUPODATA", "G0", 60, 0, "G1", 250, 0, {3, 6, 28}},
        {"KEY:GRUPODATA", "G2", 80, 0, "G2", 80, 0, {8}},
        {"KEY:GRUPODATA", "G1", 100, 0, "G1", 200, 0, {}},
        {"KEY:GRUPO", "", 0, 0, "G0", 0, 0, {3, 6, 9, 12, 18, 21, 24, 27}},
        {"KEY:CODIGO", "", 0, 10, "", 0, 12, {10, 11, 12}},
    };
    int n = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.key) + " case " + std::to_string(n));
        FileManager fm(Itens());
        ASSERT_EQ(fm.open_path(path("faixa" + std::to_string(n++) + ".Tps")), kNoError);
        std::vector<std::uint32_t> left;
        {
            Transaction t({&fm});
            for (std::uint32_t i = 1; i <= 30; ++i) {
                add_item(fm, i, "n" + std::to_string(i), i % 5 == 0 ? "" : "G" + std::to_string(i % 3), static_cast<int>(i) * 10);
                if (std::find(k.gone.begin(), k.gone.end(), i) == k.gone.end()) left.push_back(i);
            }
            ASSERT_EQ(t.commit(), kNoError);
        }
        auto& r = fm.rec<ItemRec>();
        fm.clear_record();
        r.Grupo = k.grupo2;
        r.Data = k.data2;
        r.Codigo = k.codigo2;
        const ItemRec last = r;
        r.Grupo = k.grupo1;
        r.Data = k.data1;
        r.Codigo = k.codigo1;
        std::int64_t removed = -1;
        ASSERT_EQ(fm.remove_range(data::KeyName{k.key}, &last, &removed), kNoError) << last_error().file_error_text;
        EXPECT_EQ(removed, static_cast<std::int64_t>(k.gone.size()));
        EXPECT_FALSE(fm.has_current());
        EXPECT_EQ(read_all(fm, data::KeyName{"KEY:CODIGO"}), left);
    }
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    ItemRec last;
    EXPECT_EQ(fm.remove_range(-1, &last), kKeysInvalid);
}

TEST_F(FileManagerTest, PositionByRecordAmongThousandsOfEqualKeysStepsBothWays) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    std::vector<Position> at(3003);
    Transaction t({&fm});
    add_item(fm, 1, "a", "A", 5);
    at[1] = fm.position();
    for (std::uint32_t i = 2; i <= 3001; ++i) {  // 3,000 equal keys
        add_item(fm, i, "n" + std::to_string(i), "B", 5);
        at[i] = fm.position();
    }
    add_item(fm, 3002, "z", "C", 5);
    ASSERT_EQ(t.commit(), kNoError);
    int key = fm.key_number(data::KeyName{"KEY:GRUPODATA"});
    struct Case {
        std::uint32_t from, before, after;  // 0: none
    };
    for (Case c : {Case{2, 1, 3}, Case{1500, 1499, 1501}, Case{3001, 3000, 3002}, Case{1, 0, 2}}) {
        ASSERT_EQ(fm.set_after(key, at[c.from]), kNoError);
        EXPECT_EQ(fm.previous(), c.before ? kNoError : kRecordNotAvailable) << c.from;
        if (c.before) {
            EXPECT_EQ(fm.rec<ItemRec>().Codigo, c.before) << c.from;
        }
        ASSERT_EQ(fm.set_after(key, at[c.from]), kNoError);
        ASSERT_EQ(fm.next(), kNoError);
        EXPECT_EQ(fm.rec<ItemRec>().Codigo, c.after) << c.from;
    }
}

TEST_F(FileManagerTest, AliasHasItsOwnBufferAndCursor) {
    FileManager base(Itens());
    FileManager alias(Itens0());
    ASSERT_EQ(base.open(), kNoError);
    for (std::uint32_t i = 1; i <= 5; ++i) add_item(base, i, "n" + std::to_string(i), "", 0);
    ASSERT_EQ(alias.open(), kNoError);
    ASSERT_EQ(base.set(data::KeyName{"ITE:KEY:CODIGO"}), kNoError);
    ASSERT_EQ(alias.set(data::KeyName{"ITE0:KEY:CODIGO"}), kNoError);
    ASSERT_EQ(base.next(), kNoError);
    ASSERT_EQ(base.next(), kNoError);
    ASSERT_EQ(alias.next(), kNoError);
    EXPECT_EQ(alias.rec<ItemRec>().Codigo, 1u);
    EXPECT_EQ(base.rec<ItemRec>().Codigo, 2u);
    ASSERT_EQ(base.next(), kNoError);
    EXPECT_EQ(base.rec<ItemRec>().Codigo, 3u);
    EXPECT_EQ(Itens0().keys[1].name, "ITE0:KEY:NOME");
    EXPECT_EQ(Itens0().keys[3].description, "ITE0:KEY:GRUPO");  // described by its own name
}

TEST_F(FileManagerTest, SwitchingTheNameVariableOpensTheOtherFileThroughTheAlias) {
    FileManager base(Itens());
    FileManager alias(Itens0());
    ASSERT_EQ(base.open(), kNoError);
    add_item(base, 1, "um", "", 0);
    const std::string year_file = CaminhoItens.get();
    CaminhoItens.set(path("Staging.Tps"));
    ASSERT_EQ(alias.open(), kNoError);  // created empty
    CaminhoItens.set(year_file);
    EXPECT_EQ(alias.records(), 0);
    alias.clear_record();
    alias.rec<ItemRec>().Codigo = 7;
    ASSERT_EQ(alias.add(), kNoError);
    EXPECT_EQ(base.records(), 1);
    EXPECT_EQ(alias.records(), 1);
    EXPECT_EQ(alias.file_name(), path("Staging.Tps"));
}

TEST_F(FileManagerTest, ExplicitPathLeavesTheNameVariableAlone) {
    FileManager other(Itens());
    ASSERT_EQ(other.open_path(path("Ano2015.Tps")), kNoError);
    EXPECT_EQ(CaminhoItens.get(), path("Itens.Tps"));
    add_item(other, 9, "velho", "", 0);
    (void)other.close();
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    EXPECT_EQ(fm.records(), 0);
    ASSERT_EQ(other.open_path(path("ANO2015.tps")), kNoError);  // names resolve without regard to case
    EXPECT_EQ(other.records(), 1);
}

TEST_F(FileManagerTest, ForeignFileIsInvalid) {
    {
        std::FILE* f = std::fopen(path("Lixo.Tps").c_str(), "wb");
        std::fputs("this is not a table file at all, just some bytes to fill the header page", f);
        std::fclose(f);
    }
    FileManager fm(Itens());
    EXPECT_EQ(fm.open_path(path("Lixo.Tps")), kInvalidFile);
}

TEST_F(FileManagerTest, GenericAccessByFieldNumberAndName) {
    FileManager fm(Itens());
    const TableDesc& d = fm.desc();
    ASSERT_EQ(d.fields.size(), 6u);
    EXPECT_EQ(d.fields[4].name, "ITE:Valor");
    EXPECT_EQ(type_word(d.fields[4].type, d.fields[4].width, d.fields[4].digits, d.fields[4].places), "decimal(11,2)");
    EXPECT_EQ(type_word(d.fields[1].type, d.fields[1].width), "string(20)");
    void* r = fm.buffer();
    EXPECT_TRUE(set_field_text(d.field("ITE:Valor"), r, "-12,345"));
    EXPECT_EQ(fm.rec<ItemRec>().Valor.scaled(), -1235);
    EXPECT_EQ(field_text(d.field("Valor"), r), "-12.35");
    EXPECT_TRUE(set_field_text(d.field("Nome"), r, "Um nome bem mais comprido que vinte"));
    EXPECT_EQ(field_text(d.field("nome"), r), "Um nome bem mais com");
    EXPECT_FALSE(set_field_int(d.field("Nivel"), r, 256));
    EXPECT_TRUE(set_field_int(d.field("Nivel"), r, 255));
    EXPECT_FALSE(set_field_text(d.field("Codigo"), r, "12a"));
}

}  // namespace
}  // namespace vorel::data::testing

namespace vorel::data::testing {
namespace {

TEST_F(FileManagerTest, PositionOfADeletedRecordNeverFindsALaterOne) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    add_item(fm, 1, "um", "", 0);
    add_item(fm, 2, "dois", "", 0);
    Position last = fm.position();
    ASSERT_EQ(fm.remove(), kNoError);
    add_item(fm, 3, "tres", "", 0);
    EXPECT_EQ(fm.reget(last), kRecordNotFound);
}

}  // namespace
}  // namespace vorel::data::testing

namespace vorel::data::testing {
namespace {

// A load without keys: the records added while the keys are dropped are all in every key once they
// are built again, inside the load's transaction; a file left without them does not open (46).
TEST_F(FileManagerTest, KeysDroppedForALoadAreBuiltAgainWhole) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    add_item(fm, 3, "Cebola", "B", 10);
    {
        Transaction t({&fm});
        ASSERT_EQ(drop_keys(fm), kNoError);
        add_item(fm, 1, "Alho", "A", 20);
        add_item(fm, 2, "Batata", "A", 30);
        ASSERT_EQ(fm.rebuild_keys(), kNoError);
        ASSERT_EQ(t.commit(), kNoError);
    }
    EXPECT_EQ(read_all(fm, data::KeyName{"ITE:KEY:CODIGO"}), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(read_all(fm, data::KeyName{"KEY:NOME"}, -1), (std::vector<std::uint32_t>{3, 2, 1}));
    ASSERT_EQ(drop_keys(fm), kNoError);
    EXPECT_EQ(fm.close(), kNoError);
    FileManager outro(Itens());
    EXPECT_EQ(outro.open(), kKeysInvalid);
    ASSERT_EQ(outro.rebuild_keys(), kNoError);
    ASSERT_EQ(outro.open(), kNoError);
    EXPECT_EQ(read_all(outro, data::KeyName{"ITE:KEY:CODIGO"}), (std::vector<std::uint32_t>{1, 2, 3}));
}

// Records added at given positions read, among equal key values, in the order of those positions,
// not of the adds; a taken position is refused and a later add numbers after the highest.
TEST_F(FileManagerTest, RecordsAddedAtAPositionReadInThatPositionsOrderAmongEqualKeys) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    auto& r = fm.rec<ItemRec>();
    auto add_at = [&](std::uint32_t code, std::int64_t at) {
        fm.clear_record();
        r.Codigo = code;
        r.Nome = "item " + std::to_string(code);
        r.Grupo = "A";
        r.Data = 5;
        return fm.add_at(Position{at});
    };
    ASSERT_EQ(add_at(1, std::int64_t{1} << 42), kNoError);
    EXPECT_EQ(fm.position().id, std::int64_t{1} << 42);
    ASSERT_EQ(add_at(2, 7), kNoError);
    ASSERT_EQ(add_at(3, std::int64_t{1} << 40), kNoError);
    EXPECT_EQ(add_at(9, 7), kDuplicateKey);
    EXPECT_EQ(add_at(9, 0), kNoRecord);
    add_item(fm, 4, "item 4", "A", 5);
    EXPECT_EQ(read_all(fm, data::KeyName{"KEY:GRUPODATA"}), (std::vector<std::uint32_t>{2, 3, 1, 4}));
    EXPECT_EQ(read_all(fm, data::KeyName{"KEY:GRUPODATA"}, -1), (std::vector<std::uint32_t>{4, 1, 3, 2}));
    EXPECT_EQ(fm.records(), 4);
}

// Records added one after another keep each its own integers, decimals and texts, whether a field
// holds what the record before held, goes back to zero or blank or changes again (the insert binds
// again only the integers that changed and the texts that are not blank), also after a failed add
// and a put in between.
TEST_F(FileManagerTest, SuccessiveAddsKeepEachRecordsOwnNumbers) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    auto& r = fm.rec<ItemRec>();
    struct Linha {
        std::uint32_t codigo;
        std::int32_t data;
        const char* valor;
        std::uint8_t nivel;
        const char* grupo;
    };
    const std::vector<Linha> linhas = {{1, 5, "12.50", 3, "A"}, {2, 5, "12.50", 3, ""}, {3, 0, "0", 0, ""},
                                       {4, 7, "-1", 3, "B"},    {5, 0, "0", 0, ""},     {6, 0, "0.01", 9, "B"},
                                       {7, 7, "12.5", 3, ""}};
    auto add = [&](const Linha& l) {
        fm.clear_record();
        r.Codigo = l.codigo;
        r.Nome = "item " + std::to_string(l.codigo);
        r.Data = l.data;
        r.Valor = Decimal::from_string(l.valor);
        r.Nivel = l.nivel;
        r.Grupo = l.grupo;
        return fm.add();
    };
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        ASSERT_EQ(add(linhas[i]), kNoError);
        if (i == 2) EXPECT_EQ(add(linhas[0]), kDuplicateKey);  // code 1 again: refused
        if (i == 4) {
            r.Valor = Decimal(99);
            ASSERT_EQ(fm.put(), kNoError);
            r.Valor = Decimal(0);
            ASSERT_EQ(fm.put(), kNoError);
        }
    }
    ASSERT_EQ(fm.set(data::KeyName{"ITE:KEY:CODIGO"}), kNoError);
    for (const Linha& l : linhas) {
        ASSERT_EQ(fm.next(), kNoError);
        EXPECT_EQ(r.Codigo, l.codigo);
        EXPECT_EQ(r.Data, l.data) << l.codigo;
        EXPECT_EQ(r.Valor.value(), Decimal::from_string(l.valor)) << l.codigo;
        EXPECT_EQ(r.Nivel, l.nivel) << l.codigo;
        EXPECT_EQ(r.Grupo.clipped(), l.grupo) << l.codigo;
    }
    EXPECT_NE(fm.next(), kNoError);
}

// A pass over a few fields: the cursor fills those and the fields of the key it goes by, put writes
// only those (a value in another field is not written), get leaves the others blank, and every
// field comes back once the selection is lifted.
TEST_F(FileManagerTest, SelectedFieldsAreTheOnlyOnesReadAndWritten) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    auto& r = fm.rec<ItemRec>();
    for (std::uint32_t i = 1; i <= 3; ++i) {
        fm.clear_record();
        r.Codigo = i;
        r.Nome = "item " + std::to_string(i);
        r.Valor = Decimal(10 * i);
        r.Nivel = 1;
        ASSERT_EQ(fm.add(), kNoError);
    }
    EXPECT_EQ(Cursor::read_only(fm, {"ITE:Nada"}), kBadValue);
    ASSERT_EQ(Cursor::read_only(fm, {"ITE:Nivel"}), kNoError);
    fm.clear_record();
    ASSERT_EQ(fm.set(data::KeyName{"ITE:KEY:CODIGO"}), kNoError);
    std::vector<std::uint32_t> lidos;
    while (fm.next() == kNoError) {
        lidos.push_back(r.Codigo);
        EXPECT_EQ(r.Nivel, 1);
        r.Nivel = 2;
        r.Valor = Decimal(99);
        ASSERT_EQ(fm.put(), kNoError);
    }
    EXPECT_EQ(lidos, (std::vector<std::uint32_t>{1, 2, 3}));
    fm.clear_record();
    r.Codigo = 2;
    r.Valor = Decimal(5);
    ASSERT_EQ(fm.get(data::KeyName{"ITE:KEY:CODIGO"}), kNoError);
    EXPECT_EQ(r.Nome.clipped(), "item 2");  // a key's field
    EXPECT_EQ(r.Valor.value(), Decimal(0));
    Cursor::read_every_field(fm);
    ASSERT_EQ(fm.get(data::KeyName{"ITE:KEY:CODIGO"}), kNoError);
    EXPECT_EQ(r.Nivel, 2);
    EXPECT_EQ(r.Valor.value(), Decimal(20));
}

// A look-up by a text key with a field selection in force finds the record holding the text asked for,
// not one whose key text is blank (the selection blanks the record, which must not blank the value
// being looked up), and finds nothing for a text no record holds.
TEST_F(FileManagerTest, ALookUpByATextKeyUnderASelectionFindsTheTextAsked) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    auto& r = fm.rec<ItemRec>();
    const struct {
        std::uint32_t codigo;
        const char* nome;
        const char* grupo;
    } itens[] = {{1, "sem grupo", ""}, {2, "grupo ab", "AB"}, {3, "grupo çã", "ÇÃ"}};
    for (const auto& i : itens) {
        fm.clear_record();
        r.Codigo = i.codigo;
        r.Nome = i.nome;
        r.Grupo = i.grupo;
        r.Data = 5;
        ASSERT_EQ(fm.add(), kNoError);
    }
    ASSERT_EQ(Cursor::read_only(fm, {"ITE:Nivel"}), kNoError);
    const struct {
        const char* key;
        const char* nome;
        const char* grupo;
        ErrorCode rc;
        std::uint32_t codigo;
    } casos[] = {
        {"ITE:KEY:GRUPODATA", "", "AB", kNoError, 2},
        {"ITE:KEY:GRUPODATA", "", "ab", kNoError, 2},
        {"ITE:KEY:GRUPODATA", "", "ÇÃ", kNoError, 3},
        {"ITE:KEY:GRUPODATA", "", "ZZ", kRecordNotFound, 0},
        {"ITE:KEY:NOME", "grupo ab", "", kNoError, 2},
        {"ITE:KEY:NOME", "nenhum", "", kRecordNotFound, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.key) + " " + c.nome + c.grupo);
        fm.clear_record();
        r.Nome = c.nome;
        r.Grupo = c.grupo;
        r.Data = 5;
        EXPECT_EQ(fm.get(data::KeyName{c.key}), c.rc);
        if (c.rc == kNoError) EXPECT_EQ(r.Codigo, c.codigo);
    }
}

// A bulk writer's small page cache: the option answers the size in force, and a transaction larger
// than the cache spills to the file instead of holding every page in memory, and still commits whole.
class FileManagerCacheTest : public DataTest {};

TEST_F(FileManagerCacheTest, ASmallPageCacheKeepsALargeTransactionOutOfMemory) {
    FileManager unopened(Itens());
    EXPECT_EQ(unopened.send("CacheKiB=512"), "");  // not open: nothing to set
    // SQLite's peak memory while one transaction adds 100,000 records, with the page cache given.
    auto peak = [&](const std::string& file, const char* cache) -> long long {
        FileManager fm(Itens());
        EXPECT_EQ(fm.open_path(path(file)), kNoError);
        if (cache) {
            EXPECT_NE(fm.send(cache), "");
        }
        const long long before = sqlite3_memory_used();
        sqlite3_memory_highwater(1);
        {
            Transaction t({&fm});
            for (std::uint32_t i = 1; i <= 100000; ++i) {
                fm.clear_record();
                fm.rec<ItemRec>().Codigo = i;
                fm.rec<ItemRec>().Nome = "item " + std::to_string(i);
                EXPECT_EQ(fm.add(), kNoError);
            }
            EXPECT_EQ(t.commit(), kNoError);
        }
        const long long grew = sqlite3_memory_highwater(0) - before;
        EXPECT_EQ(fm.records(), 100000);
        EXPECT_EQ(fm.close(), kNoError);
        return grew;
    };
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    EXPECT_EQ(fm.send("CacheKiB=10"), "64");  // at least 64
    EXPECT_EQ(fm.close(), kNoError);
    const long long usual = peak("A.Tps", nullptr), small = peak("B.Tps", "CacheKiB=256");
    EXPECT_LT(small, 2 * 1024 * 1024) << small;
    EXPECT_LT(small * 2, usual) << small << " against " << usual;
}

// Counting a file walks a whole b-tree once: the count holds only a small cache of it, and the
// file's own cache is in force again after (a read in key order fills it as before).
TEST_F(FileManagerCacheTest, ACountHoldsLittleOfTheFileInMemoryAndLeavesItsCacheInForce) {
    {
        FileManager fm(Itens());
        ASSERT_EQ(fm.open(), kNoError);
        Transaction t({&fm});
        for (std::uint32_t i = 1; i <= 200000; ++i) {
            fm.clear_record();
            fm.rec<ItemRec>().Codigo = i;
            fm.rec<ItemRec>().Nome = "item " + std::to_string(i);
            ASSERT_EQ(fm.add(), kNoError);
        }
        ASSERT_EQ(t.commit(), kNoError);
    }
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    auto growth = [](auto&& step) {
        const long long before = sqlite3_memory_used();
        sqlite3_memory_highwater(1);
        step();
        return sqlite3_memory_highwater(0) - before;
    };
    const long long counting = growth([&] { EXPECT_EQ(fm.records(), 200000); });
    EXPECT_LT(counting, 512 * 1024) << counting;
    const long long reading = growth([&] {
        ASSERT_EQ(fm.set(KeyName{"ITE:KEY:NOME"}), kNoError);
        long long n = 0;
        while (fm.next() == kNoError) ++n;
        EXPECT_EQ(n, 200000);
    });
    EXPECT_GT(reading, 4 * 1024 * 1024) << reading;
    EXPECT_EQ(fm.close(), kNoError);
}

// A disk that fills while a transaction over two tables writes one of them: the error says "disco
// cheio" and names the table being written, not the other one. (A child process whose files may not
// grow past a limit stands for the full disk.)
TEST_F(FileManagerTest, AFullDiskIsSaidWithTheTableBeingWritten) {
    {
        FileManager p(Pedidos()), i(Itens());
        ASSERT_EQ(p.open(), kNoError);
        ASSERT_EQ(i.open(), kNoError);
        for (std::uint32_t c = 1; c <= 20; ++c) add_item(i, c, "item " + std::to_string(c), "G", 1);
    }
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 9;
        std::thread([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            set_data_root(dir_);  // as the program runs: its files through the data root's layer
            FileManager p(Pedidos()), i(Itens());
            if (p.open() != kNoError || i.open() != kNoError) return;
            const rlimit limit{static_cast<rlim_t>(fs::file_size(path("Itens.Tps")) + 30000),
                               static_cast<rlim_t>(fs::file_size(path("Itens.Tps")) + 30000)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            Transaction t({&p, &i}, 1);
            Result r = t.status();
            for (std::uint32_t c = 100; r.ok() && c < 20000; ++c) {
                i.clear_record();
                i.rec<ItemRec>().Codigo = c;
                i.rec<ItemRec>().Nome = "item " + std::to_string(c);
                r = i.add();
            }
            if (r.ok()) r = t.commit();
            const LastError& e = last_error();
            code = r.ok() ? 1 : e.file_error_text != "disco cheio" ? 2 : e.file != CaminhoItens.get() ? 3
                 : describe(e) != "Erro do sistema de arquivos: disco cheio (" + CaminhoItens.get() + ")" ? 4 : 0;
        }).join();
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no failure, 2: another cause, 3: another file, 4: another text";
    FileManager i(Itens());
    ASSERT_EQ(i.open(), kNoError);
    EXPECT_EQ(i.records(), 20) << "nothing of the failed transaction stayed";
}

}  // namespace
}  // namespace vorel::data::testing
