// A cursor on another year's file: it reads that year's records while the thread's own object of
// the table, its name variable and the working year stay on the working year's file; it reads
// backwards along a key; a year without the file is not created.
#include <gtest/gtest.h>

#include "company_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/other_year.h"

namespace shell_test {
namespace {

using namespace vorel;
using dictionary::EntradaVorelRec;

class OtherYearTest : public CompanyTest {
protected:
    void SetUp() override {
        CompanyTest::SetUp();
        shell::GLO_EMPRESA_CODIGO.Set(1);
        ASSERT_FALSE(dictionary::CriaPastas(dictionary::CaminhosArquivosEmpresa(shell::PastaRaiz.Get(), 1, 0, 0)));
        for (int ano : {2015, 2016}) {
            auto c = dictionary::CaminhosArquivosAno(shell::PastaRaiz.Get(), 1, ano);
            ASSERT_FALSE(dictionary::CriaPastas(c));
            dictionary::AplicaCaminhos(c);  // 2016 last: the working year
            // Entries of product 7 on the 1st of months 1..3, numbered year * 10 + month.
            OnTables([&] {
                auto& f = data::dictionary::file(dictionary::EntradaVorel());
                ASSERT_TRUE(f.open().ok());
                for (int mes = 1; mes <= 3; ++mes) {
                    f.clear_record();
                    auto& r = f.rec<EntradaVorelRec>();
                    r.CodMercadoria = Decimal(7);
                    r.DataEmissao = date::make(ano, mes, 1);
                    r.Numero = static_cast<std::uint32_t>(ano * 10 + mes);
                    ASSERT_TRUE(f.add().ok());
                }
                ASSERT_TRUE(f.close().ok());
            });
        }
        shell::GLO_ANO.Set(2016);
    }
};

TEST_F(OtherYearTest, ReadsThatYearBackwardsWhileTheWorkingYearStays) {
    const std::string working = dictionary::CaminhoEntradaVorel.get();
    OnTables([&] {
        auto& atual = data::dictionary::file(dictionary::EntradaVorel());
        ASSERT_TRUE(atual.open().ok());
        shell::OtherYearFile anterior(dictionary::EntradaVorel(), 1, 2015);
        ASSERT_TRUE(anterior.open().ok());
        EXPECT_EQ(dictionary::CaminhoEntradaVorel.get(), working);

        // The previous year's entries of product 7 up to 15/02/2015, newest first.
        auto& e = anterior.rec<EntradaVorelRec>();
        e.CodMercadoria = Decimal(7);
        e.DataEmissao = date::make(2015, 2, 15);
        ASSERT_TRUE(anterior.file().set_at(dictionary::keys::ENT_KEY_PRODUTODATA).ok());
        std::vector<std::uint32_t> numeros;
        while (anterior.file().previous().ok()) numeros.push_back(e.Numero);
        EXPECT_EQ(numeros, (std::vector<std::uint32_t>{20152, 20151}));

        // The thread's own object reads the working year, from the end of the order.
        ASSERT_TRUE(atual.set(dictionary::keys::ENT_KEY_DATA).ok());
        ASSERT_TRUE(atual.previous().ok());
        EXPECT_EQ(atual.rec<EntradaVorelRec>().Numero, 20163u);
        EXPECT_EQ(anterior.file().records(), 3);
        (void)atual.close();
    });
    EXPECT_EQ(dictionary::CaminhoEntradaVorel.get(), working);
}

TEST_F(OtherYearTest, AYearWithoutTheFileIsNotCreated) {
    OnTables([&] {
        shell::OtherYearFile nenhum(dictionary::EntradaVorel(), 1, 2014);
        EXPECT_EQ(nenhum.open(), data::kFileNotFound);
        EXPECT_FALSE(files::exists(nenhum.path()));
        shell::OtherYearFile naoAnual(dictionary::ForCli(), 1, 2015);
        EXPECT_EQ(naoAnual.open(), data::kFileNotFound);
    });
}

}  // namespace
}  // namespace shell_test
