// The register look-ups the subsystems share: a CFOP code's column read from the row of any state
// or only from the row of no state, and a run's columns each read once.
#include <gtest/gtest.h>

#include <optional>

#include "data_root.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/fiscal/consultas_cadastro.h"

namespace vorel::fiscal {
namespace {

struct Consultas : ::testing::Test, testing::DataRoot {
    void SetUp() override {
        CreateDataRoot("vorel-fiscal-consultas");
        SetWorkingCompany();
        data::dictionary::init(dictionary::table_descs());
    }
    void TearDown() override {
        data::dictionary::teardown();
        RemoveDataRoot();
    }
    data::FileManager& Cfo() { return data::dictionary::file(dictionary::CFO()); }
    void Grava(const char* estado, int codigo, int complemento, int coluna) {
        data::FileManager& f = Cfo();
        f.clear_record();
        auto& c = f.rec<dictionary::CFORec>();
        c.ESTADO = estado;
        c.CODIGO = static_cast<std::int16_t>(codigo);
        c.COMPLEMENTO = static_cast<std::int16_t>(complemento);
        c.COLUNA = static_cast<std::uint8_t>(coluna);
        ASSERT_EQ(f.add(), data::kNoError);
    }
};

// 5102 only under a state, 5405 under a state and with none, 1403 with none; 5102/2 nowhere.
TEST_F(Consultas, AColumnComesFromAnyStatesRowOrOnlyFromTheRowOfNoState) {
    ASSERT_EQ(Cfo().open(), data::kNoError);
    Grava("SP", 5102, 0, 2);
    Grava("AC", 5405, 0, 6);
    Grava("", 5405, 0, 5);
    Grava("", 1403, 0, 1);
    using E = EstadoDoCfo;
    struct Caso {
        int codigo, complemento;
        E estado;
        std::optional<std::uint8_t> coluna;
    } casos[] = {
        {5102, 0, E::Qualquer, 2}, {5102, 0, E::SemEstado, std::nullopt},
        {5405, 0, E::Qualquer, 6}, {5405, 0, E::SemEstado, 5},  // the row added first; the blank one
        {1403, 0, E::Qualquer, 1}, {1403, 0, E::SemEstado, 1},
        {5102, 2, E::Qualquer, std::nullopt},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.codigo) + "/" + std::to_string(c.complemento) +
                     (c.estado == E::Qualquer ? " any state" : " no state"));
        EXPECT_EQ(ColunaDoCfo(Cfo(), c.codigo, c.complemento, c.estado), c.coluna);
    }

    // A run's columns are read once: a row added afterwards is not seen by the same run.
    ColunasDoCfo run(Cfo());
    EXPECT_EQ(run.Coluna(5102, 0), std::nullopt);
    EXPECT_EQ(run.Coluna(5405, 0), std::optional<std::uint8_t>(5));
    Grava("", 5102, 0, 3);
    EXPECT_EQ(run.Coluna(5102, 0), std::nullopt);
    EXPECT_EQ(ColunasDoCfo(Cfo()).Coluna(5102, 0), std::optional<std::uint8_t>(3));
    (void)Cfo().close();
}

}  // namespace
}  // namespace vorel::fiscal
