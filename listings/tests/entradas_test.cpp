// The entries listing: the first model's pages against a reference text (the supplier by register
// code over another CNPJ, a code kept in the CNPJ field, codes of four and six digits, the month's
// last day in and the next month's first out, a product missing after one found, the CFOP's
// points), the supplier filter (a CNPJ party, a code kept in the CNPJ field skipped, a party by
// CPF), and the second model's rate and own ICMS as a table of cases with its summary by CFOP and
// rate.
#include "entradas_fixture.h"
#include "legibilidade.h"

#include "vorel/core/paths.h"
#include "vorel/data/asker.h"
#include "vorel/data/error_manager.h"

namespace vorel::listings::testing {
namespace {

using vorel::testing::TextosIlegiveis;

TEST_F(Entradas, TheFirstModelsEntriesWithTheirSuppliersAndProducts) {
    EntraMes();
    const report::Document d = Documento({}, ModeloEntradas::Modelo01);
    EXPECT_TRUE(matches_reference(report::to_text(d), "rel_entradas.txt"));
    // The base and the rate of a row side by side, every heading whole.
    EXPECT_THAT(TextosIlegiveis(d, 927), ::testing::IsEmpty());
}

TEST_F(Entradas, TheSupplierFilter) {
    EntraMes();
    struct Caso {
        const char* nome;
        ParteEscolhida fornecedor;
        std::vector<std::string> numeros;
    };
    const Caso casos[] = {
        {"everyone", {}, {"1", "2", "3", "4", "5", "9", "10", "6"}},
        // Supplier 7 by its CNPJ: not entry 1, kept under its code with another CNPJ.
        {"a CNPJ party", Escolhida(0), {"3"}},
        // Supplier 123: entry 2 keeps its code in the CNPJ field, which never equals a CNPJ.
        {"a CNPJ party whose code is kept in the field", Escolhida(1), {"1"}},
        // By CPF: its register code and its CPF in the CNPJ field, never everyone.
        {"a party by CPF", Escolhida(4), {"9", "10"}},
    };
    for (const Caso& c : casos)
        for (ModeloEntradas m : {ModeloEntradas::Modelo01, ModeloEntradas::Modelo02})
            EXPECT_EQ(Numeros(Documento(c.fornecedor, m)), c.numeros) << c.nome << ", model " << static_cast<int>(m);
    // The party by CPF is named on its entries.
    const Strings linhas = Linhas(Documento(Escolhida(4), ModeloEntradas::Modelo01));
    EXPECT_EQ(std::count_if(linhas.begin(), linhas.end(),
                            [](const std::string& l) { return l.find("PESSOA FISICA") != std::string::npos; }),
              2);
}

// Company 2 keeps its own suppliers and products: supplier 7 and product 100 under other names than
// the working company's. Its entry of 1 March is in both companies' entry files, so the names come
// from company 2's registers whichever entry file the listing reads.
struct OutraEmpresa : Entradas {
    dictionary::CaminhosEmpresa empresa2;

    void SetUp() override {
        Entradas::SetUp();
        Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 1, [](dictionary::EmpresaRec& r, int) {
            r.Codigo = 2;
            r.TIPONBM = 2;
            r.TIPOFORNECEDOR = 2;
        });
        empresa2 = dictionary::CaminhosArquivosEmpresa(root, 2, 2, 2);
        const auto ano2 = dictionary::CaminhosArquivosAno(root, 2, 2016);
        ASSERT_FALSE(dictionary::CriaPastas(empresa2));
        ASSERT_FALSE(dictionary::CriaPastas(ano2));
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 1, [](dictionary::ProdutosRec& r, int) {
            r.Codigo = Decimal(100);
            r.Produtos = "CHAVE DA OUTRA";
            r.Alicota = Decimal(25);
        }, empresa2.CaminhoProdutos);
        const std::vector<Entrada> entrada{{3, 1, 1, "11111111000111", 7, 100, 1102}};
        Entra(entrada);
        Entra(entrada, ano2.CaminhoEntradaVorel);
    }

    // The first model's page rows for March 2016 of company 2, and the boxes the run showed.
    std::string Lista(data::ScriptedAsker& asker) {
        const report::Document d = OnThread([&] {
            data::ErrorManager::current().set_asker(&asker);
            report::Document doc = DocumentoRelEntradas({2, 2016, 3}, {}, ModeloEntradas::Modelo01);
            data::ErrorManager::current().set_asker(nullptr);
            return doc;
        });
        return Junta(Linhas(d));
    }
};

TEST_F(OutraEmpresa, ItsEntriesNameTheSuppliersAndProductsOfItsOwnRegisters) {
    Seed<dictionary::ForCliRec>(dictionary::ForCli(), 1, [](dictionary::ForCliRec& r, int) {
        r.Codigo = 7;
        r.CGC = "11111111000111";
        r.Nome = "FORNECEDOR DA OUTRA";
    }, empresa2.CaminhoForCli);
    data::ScriptedAsker asker;
    const std::string texto = Lista(asker);
    EXPECT_NE(texto.find("FORNECEDOR DA OUTRA"), std::string::npos) << texto;
    EXPECT_NE(texto.find("CHAVE DA OUTRA"), std::string::npos);
    EXPECT_EQ(texto.find("FORNECEDOR SETE"), std::string::npos);
    EXPECT_EQ(texto.find("PARAFUSO"), std::string::npos);
    EXPECT_TRUE(asker.asked.empty());
}

TEST_F(OutraEmpresa, ARegisterThatCannotOpenIsNamedInTheStandardWarningAndItsNamesComeOutBlank) {
    std::filesystem::create_directories(files::resolve(empresa2.CaminhoForCli));  // not a table file
    data::ScriptedAsker asker;
    const std::string texto = Lista(asker);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].title, "File Access Error");
    EXPECT_NE(asker.asked[0].text.find("File (" + empresa2.CaminhoForCli + ") could not be opened."), std::string::npos)
        << asker.asked[0].text;
    EXPECT_TRUE(asker.halts.empty());
    EXPECT_NE(texto.find("CHAVE DA OUTRA"), std::string::npos);  // the products still opened
    EXPECT_EQ(texto.find("FORNECEDOR"), std::string::npos) << texto;
}

TEST_F(Entradas, TheSecondModelsOwnOperationRateAndIcms) {
    struct Caso {
        const char* nome;
        int cfo, produto;
        const char *base, *aliquota, *icms;
    };
    // In key order (day 1, numbers 1..n).
    const Caso casos[] = {
        {"18 % rounds half away from zero", 1102, 100, "1234.57", "18,000", "222,22"},
        {"12 % rounds half away from zero", 2102, 100, "1234.57", "12,000", "148,15"},
        {"1403 at the product's 18", 1403, 100, "1000", "18,000", "180,00"},
        {"2403 at 12", 2403, 100, "1000", "12,000", "120,00"},
        {"1999 at the product's rate", 1999, 200, "100", "7,000", "7,00"},
        {"2000 at 12", 2000, 200, "100", "12,000", "12,00"},
        {"1102 at 7", 1102, 200, "100", "7,000", "7,00"},
        {"a base of 0", 1403, 100, "0", "18,000", "0,00"},
        {"a product not registered", 1403, 999, "50", "0,000", "0,00"},
        {"3102: no rate (not the one before)", 3102, 100, "100", "0,000", "0,00"},
        {"999: no rate", 999, 100, "100", "0,000", "0,00"},
    };
    std::vector<Entrada> entradas;
    std::uint32_t numero = 0;
    for (const Caso& c : casos) entradas.push_back({3, 1, ++numero, "11111111000111", 0, c.produto, c.cfo, c.base});
    Entra(entradas);
    const report::Document d = Documento({}, ModeloEntradas::Modelo02);
    const Strings linhas = Linhas(d);
    numero = 0;
    for (const Caso& c : casos) {
        ++numero;
        const std::string chave = "|" + std::to_string(numero) + "|01/03/2016|";
        const auto l = std::find_if(linhas.begin(), linhas.end(),
                                    [&](const std::string& x) { return x.find(chave) != std::string::npos; });
        ASSERT_NE(l, linhas.end()) << c.nome;
        EXPECT_TRUE(l->ends_with("|" + std::string(c.aliquota) + "|" + c.icms)) << c.nome << ": " << *l;
    }
    // The summary on a page of its own: a row per CFOP and rate, ascending, 7 before 18 within
    // 1102; the CFOP with a comma where the entries show a point.
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_TRUE(matches_reference(report::to_text(report::Document{d.title, d.paper, d.orientation, {d.pages[1]}}),
                                  "rel_entradas_mod02_resumo.txt"));
}

TEST_F(Entradas, OneEntryMakesTwoPagesAndAnEmptyMonthNone) {
    Entra({{3, 15, 1, "11111111000111", 0, 100, 1403, "1000"}});
    const report::Document d = Documento({}, ModeloEntradas::Modelo02);
    EXPECT_TRUE(matches_reference(report::to_text(d), "rel_entradas_mod02.txt"));
    EXPECT_THAT(TextosIlegiveis(d, 927), ::testing::IsEmpty());
    EXPECT_TRUE(Documento(Escolhida(2), ModeloEntradas::Modelo02).pages.empty());
    EXPECT_TRUE(Documento(Escolhida(2), ModeloEntradas::Modelo01).pages.empty());
}

}  // namespace
}  // namespace vorel::listings::testing
