// The entries listing: the first model's pages against a reference text (the supplier by register
// code over another CNPJ, a code kept in the CNPJ field, codes of four and six digits, the month's
// last day in and the next month's first out, a product missing after one found, the CFOP's
// points), the supplier filter (a CNPJ party, a code kept in the CNPJ field skipped, a party by
// CPF), and the second model's rate and own ICMS as a table of cases with its summary by CFOP and
// rate.
#include "movimentos_fixture.h"

namespace vorel::listings::testing {
namespace {

using dictionary::EntradaVorelRec;

struct Entrada {
    int mes, dia;
    std::uint32_t numero;
    const char* cnpj;
    std::uint32_t codigoForCli;
    int produto;
    int cfo;
    const char* basePropria = "0";
};

struct Entradas : MovimentosFixture {
    void Entra(const std::vector<Entrada>& entradas) {
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), static_cast<int>(entradas.size()),
                              [&entradas](EntradaVorelRec& r, int i) {
                                  const Entrada& e = entradas[static_cast<std::size_t>(i)];
                                  r.DataEmissao = date::make(2016, e.mes, e.dia);
                                  r.Numero = e.numero;
                                  r.Serie = "1";
                                  r.Cnpj = e.cnpj;
                                  r.CodigoForCli = e.codigoForCli;
                                  r.CodMercadoria = Decimal(e.produto);
                                  r.CFO = static_cast<std::uint16_t>(e.cfo);
                                  r.CFOComplementar = 2;
                                  r.Quantidade = Decimal::from_string("1234.5");
                                  r.BaseICMS = Decimal::from_string("1000");
                                  r.ValorICMS = Decimal::from_string("180");
                                  r.BaseICMSPropria = Decimal::from_string(e.basePropria);
                              });
    }

    // The month used by the first model's tests.
    void EntraMes() {
        Entra({
            {3, 1, 1, "22222222000122", 7, 100, 1102},  // the register code wins over the CNPJ
            {3, 2, 2, "123", 0, 999, 1102},              // a code in the CNPJ field; no such product
            {3, 3, 3, "11111111000111", 0, 200, 1102},   // a full CNPJ after it
            {3, 4, 4, "1234", 0, 100, 1102},
            {3, 5, 5, "123456", 0, 100, 1102},
            {3, 10, 9, "12345678901", 0, 100, 1102},     // a CPF in the CNPJ field
            {3, 11, 10, "", 50, 100, 1102},              // the party by CPF, by register code
            {3, 31, 6, "33333333000133", 0, 100, 1403},  // the month's last day
            {4, 1, 7, "33333333000133", 0, 100, 1403},   // the next month's first
            {2, 29, 8, "33333333000133", 0, 100, 1403},  // the month before
        });
    }

    // The invoice numbers of the document's entries, in order (the fourth text of each entry's first row).
    static std::vector<std::string> Numeros(const report::Document& d) {
        std::vector<std::string> out;
        for (const std::string& l : Linhas(d)) {
            if (l.find("/2016") == std::string::npos) continue;
            std::vector<std::string> campos;
            std::size_t de = 0;
            for (std::size_t ate; (ate = l.find('|', de)) != std::string::npos; de = ate + 1) campos.push_back(l.substr(de, ate - de));
            campos.push_back(l.substr(de));
            out.push_back(campos.size() > 3 ? campos[3] : l);
        }
        return out;
    }

    static report::Document Documento(ParteEscolhida fornecedor, ModeloEntradas modelo) {
        return OnThread([&] { return DocumentoRelEntradas(Marco(), fornecedor, modelo); });
    }
};

TEST_F(Entradas, TheFirstModelsEntriesWithTheirSuppliersAndProducts) {
    EntraMes();
    EXPECT_TRUE(matches_reference(report::to_text(Documento({}, ModeloEntradas::Modelo01)), "rel_entradas.txt"));
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
    EXPECT_TRUE(Documento(Escolhida(2), ModeloEntradas::Modelo02).pages.empty());
    EXPECT_TRUE(Documento(Escolhida(2), ModeloEntradas::Modelo01).pages.empty());
}

}  // namespace
}  // namespace vorel::listings::testing
