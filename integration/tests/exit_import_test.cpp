// The exit-invoice import: cutting and conversions, the checks of a line, the month rule, the
// staging file of each run and the import into SaidaVorel with its batches.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

#include "import_fixture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

using dictionary::SaidaVorelRec;

// An exit of March 2016 with what a test changes.
std::string Saida(const std::map<int, std::string>& campos = {}) {
    return LinhaPadrao(17,
                       {{1, "00000000000000"}, {3, "000010"}, {4, "05"}, {5, "03"}, {6, "2016"},
                        {7, "0000000001000"}, {8, "10"}, {9, "5102"}, {11, "0000000010000"},
                        {12, "017000"}, {13, "0000000001700"}, {14, "SP"}},
                       campos);
}

struct ExitImport : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        LayoutPadrao(17, 1, "Saídas");
        SeedProduct(10);
        SeedCfo(5102);
    }
    // Reads the lines (joined by `fim`) and, when the read allows it, imports them.
    struct Run {
        ResultadoLeitura leitura;
        ResultadoImportacao importacao;
        std::vector<SaidaVorelRec> preparados;
    };
    Run ReadAndImport(const std::vector<std::string>& linhas, bool importa = true, int utiliza = 1,
                      const std::string& fim = "\r\n") {
        const std::string arquivo = FileOfLines("saidas.txt", linhas, fim);
        Run r;
        OnThread([&] {
            ImportacaoSaidas run;
            ASSERT_EQ(run.Abre(), "");
            r.leitura = run.Le({arquivo, 1, utiliza, shell::GLO_MES.Get(), shell::GLO_ANO.Get(), {}, 1});
            data::FileManager& stg = run.staging();
            (void)stg.set(dictionary::SaidaVorel().key_index(dictionary::keys::SAI_KEY_NUMERO));
            while (stg.next().ok()) r.preparados.push_back(stg.rec<SaidaVorelRec>());
            if (importa && r.leitura.PodeImportar()) r.importacao = run.Importa(shell::GLO_MES.Get());
        });
        return r;
    }
    std::vector<SaidaVorelRec> Saidas() { return All<SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO); }
    bool HasError(const Run& r, const std::string& utf8) {
        for (const std::string& e : r.leitura.erros)
            if (text::to_utf8(e) == utf8) return true;
        return false;
    }
};

TEST(TextImport, FieldsAreCutByColumnsAndNumbersReadWithTheirImpliedDecimals) {
    EXPECT_EQ(CortaCampo("abcdef", {2, 4}), "bcd");
    EXPECT_EQ(CortaCampo("abc", {2, 6}), "bc   ");  // a short line reads blank past its end
    EXPECT_EQ(CortaCampo("abc", {0, 0}), "");
    EXPECT_EQ(CortaCampo(std::string(2000, 'x'), {1999, 2005}), "xx");  // cut at column 2000
    EXPECT_EQ(*NumeroDoTexto("001234", 2), Decimal::from_string("12.34"));
    EXPECT_EQ(*NumeroDoTexto("001234", 3), Decimal::from_string("1.234"));
    EXPECT_EQ(*NumeroDoTexto("      ", 2), Decimal(0));
    EXPECT_EQ(*NumeroDoTexto("  42  ", 0), Decimal(42));
    EXPECT_FALSE(NumeroDoTexto("12a4", 0));
    EXPECT_FALSE(NumeroDoTexto("1.234", 0));
    EXPECT_TRUE(SomenteDigitos("0123                "));
    EXPECT_TRUE(SomenteDigitos(""));
    EXPECT_FALSE(SomenteDigitos("12-3"));
}

TEST_F(ExitImport, ALineIsStagedWithItsMappingAndImportedWithTheImportMonth) {
    SeedSupplier(7, "11222333000181", "RJ");
    const auto r = ReadAndImport({Saida({{1, "11222333000181"}, {2, "A "}, {10, "01"}, {16, "L1"}, {17, "2"}}),
                                  Saida({{3, "000011"}, {4, "31"}})});
    ASSERT_TRUE(r.leitura.falha.ok());
    EXPECT_EQ(r.leitura.linhas, 2);
    EXPECT_TRUE(r.leitura.erros.empty()) << text::to_utf8(r.leitura.erros[0]);
    ASSERT_TRUE(r.importacao.ok()) << r.importacao.falha.code() << " " << r.leitura.preparados << " " << r.preparados.size();
    EXPECT_EQ(r.importacao.importados, 2);
    const auto s = Saidas();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].Numero, 10u);
    EXPECT_EQ(s[0].DataSaida, date::make(2016, 3, 5));
    EXPECT_EQ(std::string(s[0].Estado.clipped()), "RJ");  // the customer's state, not the line's
    EXPECT_EQ(s[0].CodigoForCli, 7u);
    EXPECT_EQ(std::string(s[0].Serie.clipped()), "A");
    EXPECT_EQ(static_cast<const Decimal&>(s[0].Quantidade), Decimal::from_string("1.000"));
    EXPECT_EQ(static_cast<const Decimal&>(s[0].BaseCalculo), Decimal(100));
    EXPECT_EQ(static_cast<const Decimal&>(s[0].Alicota), Decimal(17));
    EXPECT_EQ(std::string(s[0].Lote.clipped()), "L1");
    EXPECT_EQ(std::string(s[0].CFOComplementar.clipped()), "01");
    EXPECT_EQ(s[0].Complemento, 2);
    EXPECT_EQ(s[0].MesImpor, 3);
    EXPECT_EQ(std::string(s[1].Estado.clipped()), "SP");  // no CNPJ: the line's state
    EXPECT_EQ(s[1].CodigoForCli, 0u);
    EXPECT_EQ(s[1].DataSaida, date::make(2016, 3, 31));
}

// The items imported mark their product's balance row of the month, as the exit form marks what it
// saves: an existing row at the item's rate is marked for the computation and keeps its figures, a
// missing one is added with zeros; a read that cannot be imported marks nothing.
TEST_F(ExitImport, ImportedItemsMarkTheirProductsMonthForTheComputation) {
    SeedProduct(11);
    Seed<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), [](auto& s) {
        s.Produto = "10";
        s.Competencia = date::make(2016, 3, 1);
        s.Aliquota = Decimal(17);
        s.QuantProdutos = Decimal(5);
        s.Situacao = 1;
    });
    auto saldos = [&] {
        std::vector<std::string> v;
        for (const auto& s : All<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA))
            v.push_back(std::string(s.Produto.clipped()) + " " + std::to_string(s.Competencia) + " " +
                        s.Aliquota.value().to_string() + " q" + s.QuantProdutos.value().to_string() + " s" +
                        std::to_string(s.Situacao) + " e" + std::to_string(s.Exclusao));
        return v;
    };
    const std::vector<std::string> antes = saldos();
    const auto recusada = ReadAndImport({Saida({{3, "000001"}, {5, "04"}})});
    ASSERT_FALSE(recusada.leitura.PodeImportar());
    EXPECT_EQ(saldos(), antes);

    const auto r = ReadAndImport({Saida({{3, "000001"}}), Saida({{3, "000002"}}),
                                  Saida({{3, "000003"}, {8, "11"}, {12, "012000"}})});
    ASSERT_TRUE(r.importacao.ok());
    ASSERT_EQ(r.importacao.importados, 3);
    const std::string marco = std::to_string(date::make(2016, 3, 1));
    EXPECT_EQ(saldos(), (std::vector<std::string>{"10 " + marco + " 17 q5 s0 e0", "11 " + marco + " 12 q0 s0 e0"}));
}

TEST_F(ExitImport, AWrongMonthStopsTheReadAfterStagingThatLineAndNothingCanBeImported) {
    const auto r = ReadAndImport({Saida({{3, "000001"}}), Saida({{3, "000002"}}), Saida({{3, "000003"}, {5, "04"}}),
                                  Saida({{3, "000004"}}), Saida({{3, "000005"}})});
    EXPECT_EQ(r.leitura.linhas, 3);
    EXPECT_EQ(r.leitura.preparados, 3);
    EXPECT_EQ(r.preparados.size(), 3u);
    EXPECT_TRUE(r.leitura.mesDiferente);
    EXPECT_EQ(r.leitura.notaMesDiferente, 3u);
    EXPECT_FALSE(r.leitura.PodeImportar());
    EXPECT_TRUE(Saidas().empty());
    // The first line of a file may be the wrong one too; an empty file stages nothing.
    EXPECT_FALSE(ReadAndImport({Saida({{5, "02"}})}).leitura.PodeImportar());
    const auto vazio = ReadAndImport({});
    EXPECT_EQ(vazio.leitura.linhas, 0);
    EXPECT_TRUE(vazio.leitura.vazio);
    EXPECT_FALSE(vazio.leitura.PodeImportar());
    EXPECT_FALSE(r.leitura.vazio);
}

TEST_F(ExitImport, IcmsIsRecomputedFromBaseAndRateUnlessReadAsZero) {
    const auto r = ReadAndImport({Saida({{3, "000001"}, {13, "0000000001701"}}), Saida({{3, "000002"}, {13, "0000000000000"}}),
                                  Saida({{3, "000003"}, {12, "018000"}, {13, "0000000001700"}}),
                                  Saida({{3, "000004"}, {11, "0000000001005"}, {13, "0000000000100"}})});
    ASSERT_EQ(r.preparados.size(), 4u);
    EXPECT_EQ(static_cast<const Decimal&>(r.preparados[0].ICMS), Decimal::from_string("17.00"));
    EXPECT_EQ(static_cast<const Decimal&>(r.preparados[1].ICMS), Decimal(0));
    EXPECT_EQ(static_cast<const Decimal&>(r.preparados[2].ICMS), Decimal(18));
    EXPECT_EQ(static_cast<const Decimal&>(r.preparados[3].ICMS), Decimal::from_string("1.71"));  // 10.05 x 17 % = 1.7085
}

TEST_F(ExitImport, CfoCodesOfTheOtherPeriodAndUnknownRegistersAreListedButStaged) {
    shell::GLO_ANO.Set(2003);
    // The working year decides, not the invoice's: a four-digit code dated 2002 passes in 2003.
    auto r = ReadAndImport({Saida({{9, "0102"}, {6, "2003"}}), Saida({{3, "000011"}, {6, "2002"}})}, false);
    EXPECT_TRUE(HasError(r, "Nota fiscal no dia 05/03/2003 o CFO selecionado não pode ser utilizado no período em questão!!!"));
    EXPECT_FALSE(HasError(r, "Nota fiscal no dia 05/03/2002 o CFO selecionado não pode ser utilizado no período em questão!!!"));
    EXPECT_TRUE(HasError(r, "Nota Fiscal de número 10 Código Fiscal de Operação (CFO) não cadastrado."));
    shell::GLO_ANO.Set(2002);
    r = ReadAndImport({Saida({{9, "5102"}, {6, "2002"}, {1, "99999999000199"}, {8, "XYZ"}, {3, "000000"}})}, false);
    EXPECT_TRUE(HasError(r, "Nota fiscal no dia 05/03/2002 o CFO selecionado não pode ser utilizado no período em questão!!!"));
    EXPECT_TRUE(HasError(r, "Nota Fiscal de número 0 Fornecedor não cadastrado."));
    EXPECT_TRUE(HasError(r, "Nota Fiscal de número 0 Produto não cadastrado."));
    EXPECT_TRUE(HasError(r, "Nota fiscal no dia 05/03/2002 sem número de nota."));
    EXPECT_TRUE(HasError(r, "Nota Fiscal de número 0 deve ser informado código do produto."));
    EXPECT_EQ(r.preparados.size(), 1u);
    EXPECT_TRUE(r.leitura.PodeImportar());
}

TEST_F(ExitImport, ProductTextsMatchByCodeOrNicknameAsTheOptionSays) {
    SeedProduct(123);
    SeedProduct(200, 0, "555");
    SeedProduct(300, 0, "00000000000000000777");
    SeedProduct(400, 0, "ABC");
    struct Case {
        const char* texto;
        int utiliza;
        long long codigo;
        bool erro;
    };
    const Case cases[] = {{"0123", 1, 123, false}, {"555", 1, 200, false}, {"777", 1, 300, false},
                          {"ABC", 1, 400, false},  {"123", 2, 123, true},  {"ABC", 2, 400, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.texto) + " option " + std::to_string(c.utiliza));
        const auto r = ReadAndImport({Saida({{8, c.texto}})}, false, c.utiliza);
        ASSERT_EQ(r.preparados.size(), 1u);
        EXPECT_EQ(static_cast<const Decimal&>(r.preparados[0].CodMercadoria), Decimal(c.codigo));
        EXPECT_EQ(HasError(r, "Nota Fiscal de número 10 Produto não cadastrado."), c.erro);
    }
}

TEST_F(ExitImport, AnEntryCfoOnAnExitKeepsOneCurrentBatchPerProduct) {
    SeedCfo(1202);
    SeedCfo(2202);
    const auto r = ReadAndImport({Saida({{9, "1202"}, {16, "A1"}}), Saida({{9, "1202"}, {16, "A1"}, {3, "000011"}}),
                                  Saida({{16, "B2"}, {3, "000012"}}), Saida({{9, "2202"}, {16, "C3"}, {3, "000013"}})});
    ASSERT_TRUE(r.importacao.ok());
    const auto lotes = All<dictionary::LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_LOTEPROD);
    ASSERT_EQ(lotes.size(), 2u);  // A1 (1202) and C3 (2202); none for the 5102 exit
    EXPECT_EQ(std::string(lotes[0].LOTE.clipped()), "A1");
    EXPECT_EQ(static_cast<const Decimal&>(lotes[0].CODPRODUTO), Decimal(10));
    EXPECT_EQ(lotes[0].TIPO, 1);
}

// The import month is the working month's, also for a line whose date could not be read.
TEST_F(ExitImport, ALineWithoutAValidDateIsStillStampedWithTheWorkingMonth) {
    const auto r = ReadAndImport({Saida({{4, "32"}})});
    ASSERT_TRUE(r.importacao.ok());
    const auto s = Saidas();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].DataSaida, 0);
    EXPECT_EQ(s[0].MesImpor, 3);
}

TEST_F(ExitImport, ValuesThatAreNotNumbersOrDatesAreNamedWithTheirLineAndField) {
    const auto r = ReadAndImport({Saida(), Saida({{7, "00000000001X0"}, {4, "31"}, {5, "02"}})}, false);
    shell::GLO_MES.Set(3);
    EXPECT_TRUE(HasError(r, "Linha 2, campo 7-Quantidade de Produtos.: \"00000000001X0\" não é um número; lido como 0."))
        << text::to_utf8(r.leitura.erros.empty() ? "" : r.leitura.erros[0]);
    EXPECT_TRUE(HasError(r, "Linha 2, campo 4-Dia de Emissão.: \"31/02/2016\" não é uma data do calendário; lida sem data."));
    ASSERT_EQ(r.leitura.preparados, 2);  // the month check still read month 2
}

// Client systems end lines in CR LF, LF or CR alone: each is a line, every one staged and imported.
TEST_F(ExitImport, EveryLineEndEndsALineAndAccentsStayInTheirColumns) {
    const std::string lote = text::from_utf8("AÇÃO");
    std::size_t guardadas = 0;
    for (const char* fim : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(fim)));
        std::vector<std::string> linhas;
        for (int n = 1; n <= 100; ++n) linhas.push_back(Saida({{3, std::to_string(100000 + n)}, {16, lote}}));
        const auto r = ReadAndImport(linhas, true, 1, fim);
        EXPECT_EQ(r.leitura.linhas, 100);
        ASSERT_EQ(r.preparados.size(), 100u);
        EXPECT_TRUE(r.leitura.erros.empty());
        EXPECT_EQ(text::to_utf8(r.preparados[99].Lote.clipped()), "AÇÃO");
        EXPECT_EQ(r.preparados[99].Numero, 100100u);
        EXPECT_EQ(r.importacao.importados, 100);
        EXPECT_EQ(Saidas().size(), guardadas += 100);
    }
}

// A line longer than the reader takes is read cut and named, never cut without a word; a pipe is
// refused at once (a read of it would wait for ever).
TEST_F(ExitImport, ALineTooLongIsListedAndAPipeIsRefused) {
    const std::string longa = Saida() + std::string(2100 - Saida().size() - 1, ' ') + "X";
    const auto r = ReadAndImport({Saida({{3, "000001"}}), longa}, false);
    EXPECT_EQ(r.leitura.preparados, 2);
    EXPECT_TRUE(HasError(r, "Linha 2: tem 2100 caracteres; lidos os primeiros 2000, o resto ficou de fora."))
        << (r.leitura.erros.empty() ? "" : text::to_utf8(r.leitura.erros[0]));
    EXPECT_TRUE(r.leitura.PodeImportar());

    const std::string fila = (dir / "fila").string();
    ASSERT_EQ(::mkfifo(fila.c_str(), 0600), 0);
    OnThread([&] {
        ImportacaoSaidas run;
        ASSERT_EQ(run.Abre(), "");
        const ResultadoLeitura l = run.Le({fila, 1, 1, 3, 2016, {}, 1});
        EXPECT_EQ(l.falha, data::kInvalidFile);
        EXPECT_EQ(text::to_utf8(data::last_error().file_error_text), "não é um arquivo comum");
        EXPECT_FALSE(l.PodeImportar());
    });
}

TEST_F(ExitImport, EachReadReplacesTheStagedRecordsAndTheUsersFileIsLeftAsItWas) {
    const std::string bytes = Saida() + "\r\n" + Saida({{3, "000011"}}) + "\r\n";
    const std::string arquivo = File("dados.txt", bytes);
    OnThread([&] {
        ImportacaoSaidas a, b;
        ASSERT_EQ(a.Abre(), "");
        ASSERT_EQ(b.Abre(), "");
        EXPECT_NE(a.staging().file_name(), b.staging().file_name());
        const OpcoesLeitura o{arquivo, 1, 1, 3, 2016, {}, 1};
        EXPECT_EQ(a.Le(o).preparados, 2);
        EXPECT_EQ(a.Le(o).preparados, 2);
        EXPECT_EQ(a.staging().records(), 2);
        ASSERT_TRUE(a.Importa(3).ok());
    });
    EXPECT_EQ(Saidas().size(), 2u);
    std::ifstream in(arquivo, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    EXPECT_TRUE(fs::is_empty(dir / "Temp"));  // the runs' staging files are gone
}

}  // namespace

}  // namespace vorel::integration::testing
