#include <gtest/gtest.h>
#include <sqlite3.h>

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
        fm.close();
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
    EXPECT_EQ(fm.get("ITE:KEY:NOME"), kRecordNotFound);
}

TEST_F(OpenTableTest, ForeignFileEndsWithInvalidFile) {
    std::ofstream(path("Itens.Tps")) << "not a table file, only some text that fills more than a header would";
    FileManager fm(Itens());
    EXPECT_THROW(AbreArquivo(fm), ProgramHalted);
    EXPECT_EQ(asker.asked.at(0).title, "Invalid File");
    EXPECT_EQ(asker.halts, std::vector<std::string>{"Invalid File!"});
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

}  // namespace
}  // namespace vorel::data::testing
