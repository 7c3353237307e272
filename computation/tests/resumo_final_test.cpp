// The final summary over real tables (by rate, by supplier with all suppliers or a chosen one and
// its establishments) and its `;` file byte for byte.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "calculo_fixture.h"
#include "reference_file.h"
#include "vorel/computation/folhas_resumo.h"
#include "vorel/computation/resumo_final.h"
#include "vorel/core/settings_file.h"
#include "vorel/report/page_model.h"
#include "vorel/report/pdf.h"

namespace vorel::computation::testing {
namespace {

using dictionary::ResumoFinalRec;

class ResumoFinalTest : public CalculoFixture {
protected:
    // Builds the summary on a thread and returns its records in FORALIQ order; with `arquivo`,
    // also writes the `;` file there.
    std::vector<ResumoFinalRec> Monta(OpcoesResumo o, const std::string& arquivo = {},
                                      ResultadoArquivo* gerado = nullptr) {
        std::vector<ResumoFinalRec> out;
        std::thread([&] {
            dictionary::InitDictionary();
            data::FileManager resumo(dictionary::ResumoFinal());
            ASSERT_EQ(AbreResumoFinal(resumo), "");
            ASSERT_EQ(MontaResumoFinal(shell::PeriodoDeTrabalho(), o, resumo), "");
            ASSERT_TRUE(resumo.set(keys::RFC_KEY_FORALIQ).ok());
            while (resumo.next().ok()) out.push_back(resumo.rec<ResumoFinalRec>());
            if (gerado) *gerado = GeraArquivoResumoFornecedor(shell::PeriodoDeTrabalho(), resumo, arquivo);
            (void)resumo.close();
            dictionary::TeardownDictionary();
        }).join();
        return out;
    }
    // The pages of a sheet (model 0 by rate, 1 and 2 by supplier) over the summary built for it.
    report::Document Folha(int modelo, int paginaInicial = 1) {
        report::Document doc;
        std::thread([&] {
            dictionary::InitDictionary();
            data::FileManager resumo(dictionary::ResumoFinal());
            ASSERT_EQ(AbreResumoFinal(resumo), "");
            ASSERT_EQ(MontaResumoFinal(shell::PeriodoDeTrabalho(), {.porFornecedor = modelo != 0}, resumo), "");
            doc = DocumentoPlanilhaFinal(shell::PeriodoDeTrabalho(), resumo, modelo, paginaInicial);
            (void)resumo.close();
            dictionary::TeardownDictionary();
        }).join();
        return doc;
    }
    // A PDF of a sheet, kept for a look when VOREL_SHEET_PDF names a folder.
    static void GravaPdf(const report::Document& doc, const std::string& nome) {
        const char* pasta = std::getenv("VOREL_SHEET_PDF");
        if (!pasta) return;
        int argc = 1;
        char programa[] = "computation_tests";
        char* argv[] = {programa, nullptr};
        std::optional<QGuiApplication> app;
        if (QGuiApplication::instance() == nullptr) app.emplace(argc, argv);
        EXPECT_TRUE(report::write_pdf(doc, std::string(pasta) + "/" + nome).ok());
    }
    static std::string Texto(const ResumoFinalRec& r) {
        std::string s = std::to_string(r.COD_FORNECEDOR) + "@" + r.PERCENTUAL.to_string() + ":";
        for (const auto& v : LinhasDoResumo(r)) s += " " + v.to_fixed(2);
        return s;
    }
    static std::vector<std::string> Textos(const std::vector<ResumoFinalRec>& v) {
        std::vector<std::string> out;
        for (const auto& r : v) out.push_back(Texto(r));
        return out;
    }
};

// Two products at 18 % are one record whose lines 9..12 follow the summed lines 5 and 8 (row by
// row one would complement and the other reimburse); 12.345 and 12.35 group at two places;
// equal lines 5 and 8 give zeros; other months stay out.
TEST_F(ResumoFinalTest, ByRateSumsRowsAndWorksOutTheTaxFromTheSums) {
    Balanco(1, "18", {.cf = "100", .cu = "150"});
    Balanco(2, "18", {.fg = "80", .cd = "10"});
    Balanco(3, "12.345", {.is = "10", .cu = "30"});
    Balanco(4, "12.35", {.uf = "10"});
    Balanco(5, "7", {.cf = "40", .cu = "25", .cd = "15"});
    Balanco(6, "18", {.cf = "999"}, Dia(2016, 2, 1));
    EXPECT_EQ(Textos(Monta({})),
              (std::vector<std::string>{
                  "0@7.00: 40.00 0.00 0.00 0.00 40.00 25.00 15.00 40.00 0.00 0.00 0.00 0.00",
                  "0@12.35: 0.00 0.00 10.00 10.00 20.00 30.00 0.00 30.00 10.00 0.00 1.24 0.00",
                  "0@18.00: 100.00 80.00 0.00 0.00 180.00 150.00 10.00 160.00 0.00 20.00 0.00 3.60"}));
}

// All suppliers: the first entry of the year with a CNPJ of an active register row decides (blank
// and zero CNPJs and unknown or inactive ones are passed over); none gives supplier 0. A chosen
// supplier takes its own CNPJ and the establishments of its root sorting after it; products of a
// branch sorting before it, or of no supplier, are left out.
TEST_F(ResumoFinalTest, BySupplierAttributesTheFirstQualifyingEntry) {
    Fornecedor(10, "11111111000200", "Alfa Matriz");
    Fornecedor(11, "11111111000300", "Alfa Filial");
    Fornecedor(12, "11111111000100", "Alfa Antes");
    Fornecedor(20, "22222222000100", "Beta", 1);  // inactive
    Compra(1, Dia(2016, 1, 2), "");
    Compra(1, Dia(2016, 1, 3), "00000000000000");
    Compra(1, Dia(2016, 1, 4), "22222222000100");
    Compra(1, Dia(2016, 1, 5), "11111111000300");
    Compra(1, Dia(2016, 1, 6), "11111111000200");
    Compra(2, Dia(2016, 1, 2), "11111111000100");
    Compra(3, Dia(2016, 1, 2), "99999999000100");
    Balanco(1, "18", {.cf = "10"});
    Balanco(2, "18", {.cf = "20"});
    Balanco(3, "18", {.cf = "40"});

    std::vector<std::string> todos;
    for (const auto& r : Monta({.porFornecedor = true}))
        todos.push_back(std::to_string(r.COD_FORNECEDOR) + " " + r.RETFINALCONSFINAL.to_string());
    EXPECT_EQ(todos, (std::vector<std::string>{"0 40.00", "11 10.00", "12 20.00"}));

    auto escolhido = Monta({.porFornecedor = true, .codFornecedor = 10});
    ASSERT_EQ(escolhido.size(), 1u);
    EXPECT_EQ(escolhido[0].COD_FORNECEDOR, 10u);
    EXPECT_EQ(escolhido[0].RETFINALCONSFINAL.value(), D("10"));  // product 1 only (branch 0003 after 0002)

    EXPECT_TRUE(Monta({.porFornecedor = true, .codFornecedor = 20}).empty());  // inactive: nothing
}

std::string LeArquivo(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Supplier A (rates 7 and 18), B (12) and a zero-sum record: A's lines then B's, the zero one left
// out, totals as column sums, the balance in the 14th field; Windows-1252 bytes with accents
// stripped, CR LF. A second run replaces the file.
TEST_F(ResumoFinalTest, SemicolonFileByteForByteAndReplacedOnASecondRun) {
    Grava<dictionary::EmpresaRec>(dictionary::Empresa(), [&](auto& e) {
        e.Codigo = 2;
    });
    std::thread([&] {
        data::FileManager fm(dictionary::Empresa());
        ASSERT_TRUE(fm.open().ok());
        auto& e = fm.rec<dictionary::EmpresaRec>();
        fm.clear_record();
        e.Codigo = 1;
        ASSERT_TRUE(fm.get(keys::EMP_KEY_CODIGO).ok());
        e.RAZAOSOCIAL = text::from_utf8("Comércio Ação Ltda");
        e.INSCESTADUAL = "123456789";
        ASSERT_TRUE(fm.put().ok());
        (void)fm.close();
    }).join();
    Fornecedor(1, "11111111000100", "Distribuidora Água");
    Fornecedor(2, "22222222000100", "Beta");
    Compra(1, Dia(2016, 1, 2), "11111111000100");
    Compra(2, Dia(2016, 1, 2), "11111111000100");
    Compra(3, Dia(2016, 1, 2), "22222222000100");
    Compra(4, Dia(2016, 1, 2), "22222222000100");
    Balanco(1, "7", {.cf = "1000", .cu = "2500"});        // complement 1500 x 7% = 105.00
    Balanco(2, "18", {.cf = "300", .cu = "100"});         // reimburse 200 x 18% = 36.00
    Balanco(3, "12", {.is = "1234567.89", .cd = "1234567.89"});
    Balanco(4, "4", {});                                  // all zero: left out

    const std::string arquivo = (dir / "PlFinal032016.csv").string();
    { std::ofstream(arquivo) << "old contents\r\n"; }
    ResultadoArquivo g;
    Monta({.porFornecedor = true}, arquivo, &g);
    ASSERT_EQ(g.estado, ResultadoArquivo::Estado::Gerado) << g.erro;
    EXPECT_EQ(g.linhas, 3);
    const std::string z = "           0,00";
    const std::string esperado =
        "METODO PERMANENTE - APURACAO DO IMPOSTO A SER COMPLEMENTADO OU RESSARCIDO\r\n"
        "\r\n"
        "Contribuinte : Comercio Acao Ltda\r\n"
        "Inscricao Estadual : 123456789\r\n"
        "Periodo : 03/2016\r\n"
        "\r\n"
        "Fornecedores;Aliq;01;02;03;04;05;06;07;08;09;10;11;12\r\n"
        "1 - Distribuidora Agua;7,00;       1.000,00;" + z + ";" + z + ";" + z + ";       1.000,00;       2.500,00;" + z +
        ";       2.500,00;       1.500,00;" + z + ";         105,00;" + z + "\r\n"
        "1 - Distribuidora Agua;18,00;         300,00;" + z + ";" + z + ";" + z + ";         300,00;         100,00;" + z +
        ";         100,00;" + z + ";         200,00;" + z + ";          36,00\r\n"
        "2 - Beta;12,00;" + z + ";" + z + ";   1.234.567,89;" + z + ";   1.234.567,89;" + z + ";   1.234.567,89;" +
        "   1.234.567,89;" + z + ";" + z + ";" + z + ";" + z + "\r\n";
    const std::string fim =
        " SOMA TOTAIS ;;       1.300,00;" + z + ";   1.234.567,89;" + z + ";   1.235.867,89;       2.600,00;   1.234.567,89;" +
        "   1.237.167,89;       1.500,00;         200,00;         105,00;          36,00\r\n"
        "\r\n"
        "SALDO DO IMPOSTO A SER COMPLEMENTADO TOTAL DO 11 ( - ) TOTAL DO 12;;;;;;;;;;;;;          69,00\r\n"
        "SALDO DO IMPOSTO A SER RESSARCIDO TOTAL DO 12 ( - ) TOTAL 11;;;;;;;;;;;;;" + z + "\r\n";
    const std::string lido = LeArquivo(arquivo);
    EXPECT_EQ(lido.substr(0, esperado.size()), esperado);
    EXPECT_EQ(lido.substr(esperado.size()), fim);

    Monta({.porFornecedor = true}, arquivo, &g);
    EXPECT_EQ(LeArquivo(arquivo), lido);
}

TEST_F(ResumoFinalTest, NoFileWithoutANameOrRecords) {
    ResultadoArquivo g;
    Monta({.porFornecedor = true}, (dir / "vazio.csv").string(), &g);
    EXPECT_EQ(g.estado, ResultadoArquivo::Estado::NadaAGerar);
    EXPECT_FALSE(fs::exists(dir / "vazio.csv"));
    Balanco(1, "7", {.cf = "1"});
    Monta({.porFornecedor = true}, "", &g);
    EXPECT_EQ(g.estado, ResultadoArquivo::Estado::NadaAGerar);
}

// Six rates: five columns on the first page, the sixth and "Totais" on the second; both footers
// carry the balance (the first page ends after the last rate was read) and the same page number.
TEST_F(ResumoFinalTest, SheetByRateSixRatesOnTwoPages) {
    const char* aliquotas[] = {"4", "7", "12", "17", "18", "25"};
    for (int i = 0; i < 6; ++i)
        Balanco(i + 1, aliquotas[i], {.cf = i % 2 ? "100" : "1000", .cu = i % 2 ? "300" : "600", .cd = "0"});
    const report::Document doc = Folha(0, 7);
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_TRUE(report::testing::matches_reference(report::to_text(doc), "planilha_final_aliquota.txt"));
    GravaPdf(doc, "planilha_final_aliquota.pdf");
}

// Model 01: supplier A (7 and 18) on a page with its "Totais", B (12) on its own, a record of
// supplier 0 on a page of its own, then the summary page.
TEST_F(ResumoFinalTest, SheetBySupplierModel01PagePerSupplierAndSummary) {
    Fornecedor(1, "11111111000100", "Alfa");
    Fornecedor(2, "22222222000100", "Beta");
    Compra(1, Dia(2016, 1, 2), "11111111000100");
    Compra(2, Dia(2016, 1, 2), "11111111000100");
    Compra(3, Dia(2016, 1, 2), "22222222000100");
    Balanco(1, "7", {.cf = "1000", .cu = "2500"});
    Balanco(2, "18", {.cf = "300", .cu = "100"});
    Balanco(3, "12", {.is = "50", .cd = "10"});
    Balanco(4, "18", {.uf = "20"});  // no entry: supplier 0
    const report::Document doc = Folha(1);
    ASSERT_EQ(doc.pages.size(), 4u);
    EXPECT_TRUE(report::testing::matches_reference(report::to_text(doc), "planilha_final_fornecedor_01.txt"));
}

// Model 02: a supplier whose complement is 100,00 and another whose reimbursement is 30,00 end in
// a footer of 70,00 to complement and nothing to reimburse.
TEST_F(ResumoFinalTest, SheetBySupplierModel02FooterNetsTheBalances) {
    Fornecedor(1, "11111111000100", "Alfa");
    Fornecedor(2, "22222222000100", "Beta");
    Compra(1, Dia(2016, 1, 2), "11111111000100");
    Compra(2, Dia(2016, 1, 2), "22222222000100");
    Balanco(1, "10", {.cf = "0", .cu = "1000"});  // 1000 x 10% = 100,00 to complement
    Balanco(2, "10", {.cf = "300", .cu = "0"});   // 300 x 10% = 30,00 to reimburse
    const report::Document doc = Folha(2);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_TRUE(report::testing::matches_reference(report::to_text(doc), "planilha_final_fornecedor_02.txt"));
    GravaPdf(doc, "planilha_final_fornecedor_02.pdf");
}

// The default name and folder, and the stored folder glued to the name as typed.
TEST_F(ResumoFinalTest, ExportFileNameFromTheStoredSettings) {
    EXPECT_EQ(NomePlanilhaFinal(3, 2016), "PlFinal032016.csv");
    EXPECT_EQ(PastaExcelPadrao(), root + "Excel\\");
    EXPECT_EQ(ArquivoExcelConfigurado(), "");
    settings::SettingsFile ini("Gerar_Excel.ini");
    ASSERT_FALSE(ini.write_text("Excel", "Nome_Rel", "PlFinal032016.csv"));
    ASSERT_FALSE(ini.write_text("Excel", "Caminho_Rel", "C:\\Dados"));
    EXPECT_EQ(ArquivoExcelConfigurado(), "C:\\DadosPlFinal032016.csv");
    ASSERT_FALSE(ini.write_text("Excel", "Caminho_Rel", PastaExcelPadrao()));
    EXPECT_EQ(ArquivoExcelConfigurado(), root + "Excel\\PlFinal032016.csv");
}

TEST(SaldoDoImposto, OneSideIsAlwaysZero) {
    struct Caso {
        const char *s11, *s12, *complemento, *ressarcimento;
    } casos[] = {{"100", "30", "70", "0"}, {"30", "100", "0", "70"}, {"50", "50", "0", "0"}};
    for (const auto& c : casos) {
        auto s = SaldoDoImposto(D(c.s11), D(c.s12));
        EXPECT_EQ(s.complemento, D(c.complemento)) << c.s11 << " " << c.s12;
        EXPECT_EQ(s.ressarcimento, D(c.ressarcimento)) << c.s11 << " " << c.s12;
    }
}

}  // namespace
}  // namespace vorel::computation::testing
