// The company's and the year's tables open where the working context names them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::dictionary {
namespace {

namespace fs = std::filesystem;

class DataRoot : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vorel_dictionary_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        root_ = files::to_program_path(dir_) + "\\";
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string root_;  // the data root in program form, ending with a backslash
};

TEST_F(DataRoot, Company15In2016OpensItsFilesInItsFolders) {
    const CaminhosEmpresa e = CaminhosArquivosEmpresa(root_, 15, 2, 1);
    const CaminhosAno a = CaminhosArquivosAno(root_, 15, 2016);
    ASSERT_FALSE(CriaPastas(e));
    ASSERT_FALSE(CriaPastas(a));
    // twice with the same inputs changes nothing
    ASSERT_FALSE(CriaPastas(e));
    ASSERT_FALSE(CriaPastas(a));
    AplicaCaminhos(e);
    AplicaCaminhos(a);

    struct {
        const data::TableDesc& (*table)();
        const char* file;  // under the data root
    } cases[] = {
        {EntradaVorel, "00000015/Vorel/2016/Entradas.Tps"},
        {SaidaVorel0, "00000015/Vorel/2016/Saidas.Tps"},
        {QuantidadeVorel, "00000015/Vorel/2016/QuantQel.Tps"},
        {SaldosVorel, "00000015/Vorel/2016/SaldoPro.Tps"},
        {LancICMSEletronico, "00000015/Vorel/2016/CaLanMes.Tps"},
        {ICMSEletronica, "00000015/Vorel/MaqICMS.Tps"},
        {TabValorIndProduto, "00000015/Vorel/ProdUnit.Tps"},
        {Produtos, "00000015/Produtos.Tps"},
        {Funcionarios, "00000015/Funciona.Tps"},
        {RefVlrMensais, "00000015/RefVlMen.Tps"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table().label);
        data::FileManager fm(c.table());
        ASSERT_EQ(fm.open(), data::kNoError) << data::last_error().text;
        EXPECT_EQ(fm.records(), 0);
        (void)fm.close();
        EXPECT_TRUE(fs::is_regular_file(dir_ / c.file));
    }
    EXPECT_TRUE(fs::is_directory(dir_ / "00000015" / "Escrita"));
    EXPECT_EQ(CaminhoForCli.get(), root_ + "BComuns\\ForCli.Tps");
    EXPECT_EQ(ArquivoForCliMorto.get(), root_ + "BComuns\\ForCliMo.Tps");
}

TEST_F(DataRoot, AnotherCompanyRedirectsTheNextOpenOnly) {
    AplicaCaminhos(CaminhosArquivosEmpresa(root_, 1, 1, 1));
    AplicaCaminhos(CaminhosArquivosAno(root_, 1, 2016));
    ASSERT_FALSE(CriaPastas(CaminhosArquivosAno(root_, 1, 2016)));
    data::FileManager open_before(EntradaVorel());
    ASSERT_EQ(open_before.open(), data::kNoError);

    AplicaCaminhos(CaminhosArquivosAno(root_, 2, 2017));
    ASSERT_FALSE(CriaPastas(CaminhosArquivosAno(root_, 2, 2017)));
    EXPECT_NE(open_before.file_name().find("00000001"), std::string::npos);
    data::FileManager opened_after(EntradaVorel());
    ASSERT_EQ(opened_after.open(), data::kNoError);
    EXPECT_NE(opened_after.file_name().find("00000002\\Vorel\\2017"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(dir_ / "00000002/Vorel/2017/Entradas.Tps"));
}

TEST_F(DataRoot, LongPathsAreNeverCut) {
    // wider than the 60 characters of the old work-table variable and the 100 of the cash registers
    const std::string deep = root_ + std::string(70, 'p');
    ASSERT_FALSE(files::make_folder(deep));
    CaminhoEntradaSaidaVorel.set(deep + "\\00000001.001");
    data::FileManager esa(EntradaSaidaVorel());
    ASSERT_EQ(esa.open(), data::kNoError) << data::last_error().text;
    (void)esa.close();
    EXPECT_TRUE(fs::is_regular_file(dir_ / std::string(70, 'p') / "00000001.001"));

    const CaminhosAno a = CaminhosArquivosAno(deep + "\\", 15, 2016);
    ASSERT_GT(a.CaminhoLancICMSEletronico.size(), 100u);
    ASSERT_FALSE(CriaPastas(a));
    AplicaCaminhos(a);
    data::FileManager lan(LancICMSEletronico());
    ASSERT_EQ(lan.open(), data::kNoError) << data::last_error().text;
    (void)lan.close();
    EXPECT_TRUE(fs::is_regular_file(dir_ / std::string(70, 'p') / "00000015/Vorel/2016/CaLanMes.Tps"));
}

}  // namespace
}  // namespace vorel::dictionary
