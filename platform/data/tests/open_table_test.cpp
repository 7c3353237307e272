#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_tables.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/open_table.h"

namespace vorel::data::testing {
namespace {

class OpenTableTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        ErrorManager::current().set_asker(&asker);
    }
    void TearDown() override {
        ErrorManager::current().set_asker(nullptr);
        DataTest::TearDown();
    }
    void break_keys() {
        FileManager fm(Itens());
        ASSERT_EQ(fm.open(), kNoError);
        (void)fm.close();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path("Itens.Tps").c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "DROP INDEX k1", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    ScriptedAsker asker;
};

TEST_F(OpenTableTest, MissingFileIsCreatedAndOpenedSilently) {
    FileManager fm(Itens());
    AbreArquivo(fm, 1, 0, 0, 1);
    EXPECT_TRUE(fm.is_open());
    EXPECT_TRUE(asker.asked.empty());
    AbreArquivo(fm, 1, 0, 0, 1);  // already open: fine
    EXPECT_EQ(fm.open_count(), 2);
}

TEST_F(OpenTableTest, MissingFileWithNoCreateWarnsAndEndsWithDiskError) {
    FileManager fm(Itens());
    EXPECT_THROW(AbreArquivo(fm, 1, 1, 0, 1), ProgramHalted);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].title, "File Access Error");
    EXPECT_EQ(asker.asked[0].text, "File (" + path("Itens.Tps") + ") could not be opened.  Error: " +
                                       std::string(error_text(kFileNotFound)) + " (2).");
    EXPECT_EQ(asker.halts, std::vector<std::string>{"Disk Error"});
    EXPECT_FALSE(fm.is_open());
}

TEST_F(OpenTableTest, InvalidKeysAnsweredNoEndsWithoutRebuilding) {
    break_keys();
    asker.answer(kButtonNo);
    FileManager fm(Itens());
    EXPECT_THROW(AbreArquivo(fm), ProgramHalted);
    EXPECT_EQ(asker.asked.at(0).text, path("Itens.Tps") + " key file is invalid.  Do you want to rebuild the key?");
    EXPECT_EQ(asker.halts, std::vector<std::string>{"Invalid Key!"});
    EXPECT_EQ(fm.open(), kKeysInvalid);
}

TEST_F(OpenTableTest, InvalidKeysAnsweredYesRebuildsAndOpens) {
    break_keys();
    asker.answer(kButtonYes);
    FileManager fm(Itens());
    AbreArquivo(fm);
    EXPECT_TRUE(fm.is_open());
    EXPECT_TRUE(asker.halts.empty());
    fm.rec<ItemRec>().Nome = "x";
    EXPECT_EQ(fm.get(data::KeyName{"ITE:KEY:NOME"}), kRecordNotFound);
}

// A damaged file is reported, never replaced: a foreign file, and a table file cut to 0 bytes (which
// SQLite alone would take for a new, empty database).
TEST_F(OpenTableTest, DamagedFileEndsWithInvalidFileAndStaysAsItIs) {
    const std::string cases[] = {"not a table file, only some text that fills more than a header would", ""};
    for (const std::string& content : cases) {
        SCOPED_TRACE("file of " + std::to_string(content.size()) + " bytes");
        asker.asked.clear();
        asker.halts.clear();
        std::ofstream(path("Itens.Tps"), std::ios::trunc) << content;
        FileManager fm(Itens());
        EXPECT_THROW(AbreArquivo(fm), ProgramHalted);
        ASSERT_EQ(asker.asked.size(), 1u);
        EXPECT_EQ(asker.asked[0].title, "Invalid File");
        EXPECT_NE(asker.asked[0].text.find(") accessing " + path("Itens.Tps") + ".  Press OK"), std::string::npos)
            << asker.asked[0].text;
        EXPECT_EQ(asker.halts, std::vector<std::string>{"Invalid File!"});
        EXPECT_EQ(fm.open(), kInvalidFile);
        EXPECT_EQ(last_error().file, path("Itens.Tps"));
        EXPECT_EQ(std::filesystem::file_size(path("Itens.Tps")), content.size());
    }
}

TEST_F(OpenTableTest, WarningErrorTextUsesTheSystemTextFor90AndIsCutAt150) {
    set_error(kOsError, "x", std::string(200, 'a') + "   ", 28);
    EXPECT_EQ(warning_error_text().size(), 150u);
    set_error(kOsError, "x", "No space left on device  ", 28);
    EXPECT_EQ(warning_error_text(), "No space left on device (28)");
    set_error(kRecordNotFound, "x");
    AvisoPadraoComTexto(35, "EntradaVorel  ");
    EXPECT_EQ(asker.asked.at(0).text, "Error: (" + std::string(error_text(35)) +
                                          " (35)) attempting to access a record from the EntradaVorel file.  "
                                          "Returning to previous window.");
    AvisoPadraoSemTexto(36);
    EXPECT_EQ(asker.asked.at(1).title, "View Open Error");
}

// A text-line table: one record per line.
struct LinhaTexto {
    String<30> Texto;
};
NameVariable CaminhoTexto;
const TableDesc& Texto() {
    static const TableDesc d = TableBuilder<LinhaTexto>("ImpTexto", "IMP")
                                   .file(CaminhoTexto)
                                   .text_lines()
                                   .field("Texto", &LinhaTexto::Texto)
                                   .build();
    return d;
}

// A text-line table whose one field takes a whole line (2000 characters).
struct LinhaLonga {
    String<2000> Texto;
};
NameVariable CaminhoLinhasLongas;
const TableDesc& LinhasLongas() {
    static const TableDesc d = TableBuilder<LinhaLonga>("ImpLonga", "LON")
                                   .file(CaminhoLinhasLongas)
                                   .text_lines()
                                   .field("Texto", &LinhaLonga::Texto)
                                   .build();
    return d;
}

TEST_F(OpenTableTest, TextLineDriverWritesWindows1252LinesWithCrLf) {
    CaminhoTexto.set(path("relat.txt"));
    FileManager fm(Texto());
    ASSERT_EQ(fm.open(), kNoError);
    for (const char* t : {"Ol\xE1 mundo   ", "", "linha comprida demais para trinta caracteres"}) {
        fm.rec<LinhaTexto>().Texto = t;
        ASSERT_EQ(fm.add(), kNoError);
    }
    EXPECT_EQ(fm.records(), 3);
    std::ifstream in(path("relat.txt"), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), "Ol\xE1 mundo\r\n\r\nlinha comprida demais para tri\r\n");
    ASSERT_EQ(fm.set(0), kNoError);
    ASSERT_EQ(fm.next(), kNoError);
    EXPECT_EQ(fm.rec<LinhaTexto>().Texto, "Ol\xE1 mundo");
    Position first = fm.position();
    ASSERT_EQ(fm.next(), kNoError);
    EXPECT_TRUE(fm.rec<LinhaTexto>().Texto.empty());
    ASSERT_EQ(fm.next(), kNoError);
    EXPECT_EQ(fm.next(), kRecordNotAvailable);
    ASSERT_EQ(fm.reget(first), kNoError);
    EXPECT_EQ(fm.rec<LinhaTexto>().Texto, "Ol\xE1 mundo");
    EXPECT_EQ(fm.close(), kNoError);
    fm.set_create(false);
    CaminhoTexto.set(path("nenhum.txt"));
    EXPECT_EQ(fm.open(), kFileNotFound);
}

// What the reader makes of a file's bytes: each line, the count, and the length of a cut line.
TEST_F(OpenTableTest, TextLinesEndAtCrLfLfOrCrAloneAndALongLineTellsItsLength) {
    const std::string block(65534, 'x');  // a CR at the end of the first 64 KiB read
    const std::string longo(2500, 'y');
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF", "um\r\ndois\r\n", {"um", "dois"}},
        {"LF", "um\ndois\n", {"um", "dois"}},
        {"CR alone", "um\rdois\rtres\r", {"um", "dois", "tres"}},
        {"mixed, last without end", "um\r\ndois\rtres\nquatro", {"um", "dois", "tres", "quatro"}},
        {"blank lines", "\r\r\n\n\rum", {"", "", "", "", "um"}},
        {"CR then LF across a block", "a" + block + "\r\nb\r\n", {"a" + block, "b"}},
        {"CR alone at a block's end", "a" + block + "\rb", {"a" + block, "b"}},
        {"empty file", "", {}},
        {"longer than 2000", longo + "\r" + "fim", {longo, "fim"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            std::ofstream out(path("linhas.txt"), std::ios::binary | std::ios::trunc);
            out << c.bytes;
        }
        FileManager fm(LinhasLongas());
        fm.set_create(false);
        ASSERT_EQ(fm.open_path(path("linhas.txt")), kNoError);
        EXPECT_EQ(fm.records(), static_cast<std::int64_t>(c.lines.size()));
        ASSERT_EQ(fm.set(0), kNoError);
        std::vector<Position> at;
        for (const std::string& want : c.lines) {
            ASSERT_EQ(fm.next(), kNoError);
            at.push_back(fm.position());
            EXPECT_EQ(fm.line_length(), want.size());
            EXPECT_EQ(std::string(fm.rec<LinhaLonga>().Texto.clipped()), want.substr(0, 2000));
        }
        EXPECT_EQ(fm.next(), kRecordNotAvailable);
        if (!at.empty()) {  // a line is found again where it was read
            ASSERT_EQ(fm.reget(at.back()), kNoError);
            EXPECT_EQ(std::string(fm.rec<LinhaLonga>().Texto.clipped()), c.lines.back().substr(0, 2000));
        }
        EXPECT_EQ(fm.close(), kNoError);
    }
}

TEST_F(OpenTableTest, APipeIsRefusedAtOnceNotWaitedOn) {
    ASSERT_EQ(::mkfifo(path("fila").c_str(), 0600), 0);
    FileManager fm(Texto());
    fm.set_create(false);
    EXPECT_EQ(fm.open_path(path("fila")), kInvalidFile);
    EXPECT_EQ(last_error().file_error_text, "n\xE3o \xE9 um arquivo comum");
    EXPECT_FALSE(fm.is_open());
}

TEST_F(OpenTableTest, TextLinesAddedWhileReadingAreReadOnAndAFailedWriteIsReported) {
    CaminhoTexto.set(path("linhas.txt"));
    FileManager fm(Texto());
    ASSERT_EQ(fm.open(), kNoError);
    auto& r = fm.rec<LinhaTexto>();
    auto add = [&](int i) {
        r.Texto = "linha " + std::to_string(i);
        ASSERT_EQ(fm.add(), kNoError);
    };
    for (int i = 1; i <= 3; ++i) add(i);
    ASSERT_EQ(fm.set(0), kNoError);
    ASSERT_EQ(fm.next(), kNoError);
    Position first = fm.position();
    for (int i = 4; i <= 5000; ++i) add(i);
    for (int i = 2; i <= 5000; ++i) {
        ASSERT_EQ(fm.next(), kNoError);
        ASSERT_EQ(r.Texto, "linha " + std::to_string(i));
        if (i == 2500) {
            ASSERT_EQ(fm.reget(first), kNoError);  // a reget does not move the reading on
            EXPECT_EQ(r.Texto, "linha 1");
        }
    }
    EXPECT_EQ(fm.next(), kRecordNotAvailable);
    EXPECT_EQ(fm.records(), 5000);
    EXPECT_EQ(fm.close(), kNoError);
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::file_size(path("linhas.txt")), 5000u * 2 + (9 * 7 + 90 * 8 + 900 * 9 + 4001 * 10));

    // A device that takes no bytes: the failure is reported, never success.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    ASSERT_EQ(fm.open_path("/dev/full"), kNoError);
    Result failed = kNoError;
    for (int i = 0; i < 20000 && failed == kNoError; ++i) {
        r.Texto = "linha que nao cabe";
        failed = fm.add();
    }
    if (failed == kNoError) failed = fm.close();
    EXPECT_EQ(failed, kOsError);
    EXPECT_EQ(last_error().code, kOsError);
    if (fm.is_open()) (void)fm.close();
}

}  // namespace
}  // namespace vorel::data::testing
