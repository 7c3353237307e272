// Aliases as second cursors and as second files of the same shape; a thread's own dictionary.
#include <thread>

#include "dictionary_fixture.h"
#include "vorel/dictionary/name_variables.h"

namespace vorel::dictionary {
namespace {

class Alias : public DictionaryFiles {};

TEST_F(Alias, ASecondCursorOnTheSameFileMovesOnItsOwn) {
    for (std::uint32_t n : {1u, 2u, 3u}) add<EntradaVorelRec>(EntradaVorel(), [&](auto& r) { r.Numero = n; r.DataEmissao = 78531; });
    FileManager& base = data::dictionary::file(EntradaVorel());
    FileManager& alias = data::dictionary::file(EntradaVorel0());
    ASSERT_EQ(alias.open(), data::kNoError);
    ASSERT_EQ(base.set(data::KeyName{"ENT:KEY:NUMERO"}), data::kNoError);
    ASSERT_EQ(alias.set(data::KeyName{"ESPENT:KEY:NUMERO"}), data::kNoError);
    ASSERT_EQ(base.next(), data::kNoError);
    ASSERT_EQ(alias.next(), data::kNoError);
    ASSERT_EQ(alias.next(), data::kNoError);
    EXPECT_EQ(base.rec<EntradaVorelRec>().Numero, 1u);
    EXPECT_EQ(alias.rec<EntradaVorel0Rec>().Numero, 2u);
    EXPECT_EQ(alias.records(), 3);
}

TEST_F(Alias, StagingFileThroughTheAliasLeavesTheBaseOnItsOwnFile) {
    add<ProdutosRec>(Produtos(), [](auto& r) { r.Codigo = 1; });
    const std::string own = CaminhoProdutos.get();
    const std::string staging = files::to_program_path(dir_) + "\\Temp00000001.001";
    CaminhoProdutos.set(staging);
    FileManager& alias = data::dictionary::file(Produtos0());
    ASSERT_EQ(alias.open(), data::kNoError) << last_error().text;
    CaminhoProdutos.set(own);  // put back before anything else opens
    EXPECT_EQ(alias.records(), 0);
    alias.clear_record();
    alias.rec<Produtos0Rec>().Codigo = 7;
    ASSERT_EQ(alias.add(), data::kNoError);
    EXPECT_TRUE(fs::is_regular_file(dir_ / "Temp00000001.001"));
    EXPECT_EQ(column(Produtos(), "PRO:Codigo"), (Values{1}));
    EXPECT_EQ(column(Produtos0(), "PROE:Codigo"), (Values{7}));
}

TEST_F(Alias, ANewThreadFindsEveryTableSetUpAndNoneOpen) {
    (void)data::dictionary::file(EntradaVorel()).open();
    bool ready = false, anyOpen = true, leftOpen = false;
    std::thread t([&] {
        InitDictionary();
        ready = data::dictionary::ready();
        anyOpen = false;
        for (const TableInfo& info : all_tables())
            anyOpen = anyOpen || data::dictionary::file(info.desc()).is_open();
        leftOpen = data::dictionary::file(SaidaVorel()).open().ok();  // left open: teardown closes it
        TeardownDictionary();
    });
    t.join();
    EXPECT_TRUE(ready);
    EXPECT_FALSE(anyOpen);
    EXPECT_TRUE(leftOpen);
    EXPECT_TRUE(data::dictionary::file(EntradaVorel()).is_open());  // this thread's own stays open
    EXPECT_FALSE(data::dictionary::file(SaidaVorel()).is_open());
}

}  // namespace
}  // namespace vorel::dictionary
