#include <gtest/gtest.h>

#include "test_tables.h"
#include "vorel/data/upgrade.h"

namespace vorel::data::testing {
namespace {

// Version 1 of a table, and version 2 with a renamed field and a new one.
struct V1 {
    std::uint32_t Codigo = 0;
    String<10> Antigo;
    String<10> Nome;
};
struct V2 {
    std::uint32_t Codigo = 0;
    String<10> Nome;
    String<10> Novo;
    std::uint8_t Marca = 0;
};
NameVariable CaminhoVersoes;
const TableDesc& Versao1() {
    static const TableDesc d = TableBuilder<V1>("Versoes", "VER")
                                   .file(CaminhoVersoes)
                                   .version(1)
                                   .field("Codigo", &V1::Codigo)
                                   .field("Antigo", &V1::Antigo)
                                   .field("Nome", &V1::Nome)
                                   .key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase)
                                   .build();
    return d;
}
const TableDesc& Versao2() {
    static const TableDesc d = TableBuilder<V2>("Versoes", "VER")
                                   .file(CaminhoVersoes)
                                   .version(2)
                                   .field("Codigo", &V2::Codigo)
                                   .field("Nome", &V2::Nome)
                                   .field("Novo", &V2::Novo)
                                   .field("Marca", &V2::Marca)
                                   .key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase)
                                   .key("KEY:NOME", "Nome", {"Nome"}, kDuplicates | kNoCase)
                                   .upgrade([](UpgradeContext& u) {
                                       auto& r = *static_cast<V2*>(u.record());
                                       r.Novo = u.old_text("Antigo");
                                       r.Marca = static_cast<std::uint8_t>(u.old_version());
                                       return r.Codigo == 3 ? 1 : 0;  // record 3 is dropped
                                   })
                                   .build();
    return d;
}

class UpgradeTest : public DataTest {};

TEST_F(UpgradeTest, OlderFileIsUpgradedOnOpenKeepingFieldsByName) {
    CaminhoVersoes.set(path("Versoes.Tps"));
    {
        FileManager v1(Versao1());
        ASSERT_EQ(v1.open(), kNoError);
        for (std::uint32_t i = 1; i <= 3; ++i) {
            auto& r = v1.rec<V1>();
            r.Codigo = i;
            r.Antigo = "a" + std::to_string(i);
            r.Nome = "n" + std::to_string(i);
            ASSERT_EQ(v1.add(), kNoError);
        }
        EXPECT_EQ(v1.stored_version(), 1);
    }
    set_structure_version_base(100);
    FileManager v2(Versao2());
    ASSERT_EQ(v2.open(), kNoError) << last_error().file_error_text;
    set_structure_version_base(0);
    EXPECT_EQ(v2.stored_version(), 102);
    EXPECT_EQ(v2.records(), 2);
    auto& r = v2.rec<V2>();
    r.Nome = "N2";
    ASSERT_EQ(v2.get(data::KeyName{"VER:KEY:NOME"}), kNoError);  // the new key was built
    EXPECT_EQ(r.Codigo, 2u);
    EXPECT_EQ(r.Novo, "a2");
    EXPECT_EQ(r.Marca, 1);
}

}  // namespace
}  // namespace vorel::data::testing
