// The entry-invoice import: the supplier rules of the read, and the import's links, batches and
// rate history written with the entries.
#include <gtest/gtest.h>

#include <map>

#include "import_fixture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_entradas.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

using dictionary::EntradaVorelRec;

std::string Entrada(const std::map<int, std::string>& campos = {}) {
    return LinhaPadrao(16,
                       {{1, "11222333000181"}, {3, "000010"}, {4, "10"}, {5, "03"}, {6, "2016"},
                        {7, "0000000001000"}, {8, "10"}, {9, "1403"}, {11, "0000000010000"},
                        {12, "018000"}, {13, "0000000000000"}},
                       campos);
}

struct EntryImport : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        LayoutPadrao(16, 1, "Entradas");
        SeedProduct(10, 12);
        SeedCfo(1403);
        Fornecedor(7, "11222333000181", "", "SP");
    }
    void Fornecedor(std::uint32_t codigo, const std::string& cnpj, const std::string& cpf, const std::string& uf) {
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), [&](auto& f) {
            f.Codigo = codigo;
            f.CGC = cnpj;
            f.CPF = cpf;
            f.Estado = uf;
        });
    }
    struct Run {
        ResultadoLeitura leitura;
        ResultadoImportacao importacao;
        std::vector<EntradaVorelRec> preparados;
    };
    Run ReadAndImport(const std::vector<std::string>& linhas) {
        const std::string arquivo = FileOfLines("entradas.txt", linhas);
        Run r;
        OnThread([&] {
            ImportacaoEntradas run;
            ASSERT_EQ(run.Abre(), "");
            r.leitura = run.Le({arquivo, 1, 1, 3, 2016, {}, 1});
            data::FileManager& stg = run.staging();
            (void)stg.set(dictionary::EntradaVorel().key_index(dictionary::keys::ENT_KEY_NUMERO));
            while (stg.next().ok()) r.preparados.push_back(stg.rec<EntradaVorelRec>());
            if (r.leitura.PodeImportar()) r.importacao = run.Importa(3);
        });
        return r;
    }
    std::vector<std::string> Errors(const Run& r) {
        std::vector<std::string> out;
        for (const auto& e : r.leitura.erros) out.push_back(text::to_utf8(e));
        return out;
    }
    // The rate history as "rate first..last changed" rows, in code order.
    std::vector<std::string> Rates() {
        std::vector<std::string> out;
        auto d = [](date::Day x) { return x == 0 ? std::string("-") : TextoData(x); };
        for (const auto& a : All<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo))
            out.push_back(a.ALIQUOTA.value().to_fixed(3) + " " + d(a.DATA_INICIAL) + ".." + d(a.DATA_FINAL) + " " +
                          d(a.DATA_ALTERACAO));
        return out;
    }
};

// Quantities, bases and rates at their scales; an ICMS read is replaced by base x rate rounded to
// the cent, one read as 0 stays; the working year, not the invoice's, judges a CFOP's numbering;
// every entry carries the import month.
TEST_F(EntryImport, ALineIsStagedAtItsScalesWithItsIcmsAndImportedWithTheImportMonth) {
    const auto r = ReadAndImport({Entrada({{7, "0000000001500"}, {11, "0000000001005"}, {12, "017000"},
                                           {13, "0000000000100"}, {14, "0000000000850"}}),
                                  Entrada({{3, "000011"}}), Entrada({{3, "000012"}, {6, "2002"}})});
    for (const std::string& e : Errors(r)) EXPECT_EQ(e.find("período em questão"), std::string::npos) << e;
    ASSERT_TRUE(r.importacao.ok());
    std::map<std::uint32_t, EntradaVorelRec> porNumero;
    for (const auto& e : All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO))
        porNumero[e.Numero] = e;
    ASSERT_EQ(porNumero.size(), 3u);
    const EntradaVorelRec& e = porNumero.at(10);
    EXPECT_EQ(static_cast<const Decimal&>(e.Quantidade), Decimal::from_string("1.5"));
    EXPECT_EQ(static_cast<const Decimal&>(e.BaseICMS), Decimal::from_string("10.05"));
    EXPECT_EQ(static_cast<const Decimal&>(e.Aliquota), Decimal(17));
    EXPECT_EQ(static_cast<const Decimal&>(e.ValorICMS), Decimal::from_string("1.71"));  // 10.05 x 17 % = 1.7085
    EXPECT_EQ(static_cast<const Decimal&>(e.BaseICMSPropria), Decimal::from_string("8.5"));
    EXPECT_EQ(static_cast<const Decimal&>(porNumero.at(11).ValorICMS), Decimal(0));
    for (const auto& [numero, x] : porNumero) EXPECT_EQ(x.MesImpor, 3) << numero;
}

// The entries imported mark their product's balance row of the month, as the entry form marks what
// it saves: an existing row at the entry's rate is marked for the computation and keeps its
// figures, a missing one is added with zeros; a read that cannot be imported marks nothing.
TEST_F(EntryImport, ImportedEntriesMarkTheirProductsMonthForTheComputation) {
    SeedProduct(11);
    Seed<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), [](auto& s) {
        s.Produto = "10";
        s.Competencia = date::make(2016, 3, 1);
        s.Aliquota = Decimal(18);
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
    const auto recusada = ReadAndImport({Entrada({{3, "000001"}, {5, "04"}})});
    ASSERT_FALSE(recusada.leitura.PodeImportar());
    EXPECT_EQ(saldos(), antes);

    const auto r = ReadAndImport({Entrada({{3, "000001"}}), Entrada({{3, "000002"}}),
                                  Entrada({{3, "000003"}, {8, "11"}, {12, "012000"}})});
    ASSERT_TRUE(r.importacao.ok());
    ASSERT_EQ(r.importacao.importados, 3);
    const std::string marco = std::to_string(date::make(2016, 3, 1));
    EXPECT_EQ(saldos(), (std::vector<std::string>{"10 " + marco + " 18 q5 s0 e0", "11 " + marco + " 12 q0 s0 e0"}));
}

TEST_F(EntryImport, SuppliersMustBeGivenRegisteredAndHaveAState) {
    Fornecedor(8, "44555666000177", "", "");
    const auto r = ReadAndImport({Entrada({{1, "00000000000000"}, {3, "000001"}}), Entrada({{1, "44555666000177"}, {3, "000002"}}),
                                  Entrada({{3, "000003"}})});
    EXPECT_EQ(Errors(r), (std::vector<std::string>{"Nota Fiscal de número 1 Fornecedor deve ser informado.",
                                                   "Nota Fiscal de número 2 Fornecedor não cadastrado."}));
    ASSERT_EQ(r.preparados.size(), 3u);
    EXPECT_EQ(std::string(r.preparados[0].Estado.clipped()), "");
    EXPECT_EQ(std::string(r.preparados[1].Estado.clipped()), "");
    EXPECT_EQ(std::string(r.preparados[2].Estado.clipped()), "SP");
    EXPECT_EQ(r.preparados[2].CodigoForCli, 7u);
    EXPECT_TRUE(r.importacao.ok());
    EXPECT_EQ(All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).size(), 3u);
}

TEST_F(EntryImport, TheImportLinksSuppliersByCnpjOrCpfOnceAndKeepsEveryBatch) {
    Fornecedor(9, "", "12345678901", "MG");
    const auto r = ReadAndImport({Entrada({{3, "000001"}, {15, "L1"}}), Entrada({{3, "000002"}, {15, "L1"}}),
                                  Entrada({{1, "12345678901000"}, {3, "000003"}})});
    EXPECT_NE(std::find(Errors(r).begin(), Errors(r).end(), "Nota Fiscal de número 3 Fornecedor não cadastrado."),
              Errors(r).end());
    ASSERT_TRUE(r.importacao.ok());
    const auto links = All<dictionary::ForCliQelRec>(dictionary::ForCliQel(), dictionary::keys::FCC_KEY_FORPROD);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].CODFOR, 7u);
    EXPECT_EQ(links[1].CODFOR, 9u);
    const auto lotes = All<dictionary::LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_LOTEPROD);
    ASSERT_EQ(lotes.size(), 2u);  // the blank batch and L1, each once
    EXPECT_EQ(lotes[0].TIPO, 1);
}

TEST_F(EntryImport, ARateConfirmedInALaterMonthOrADifferentRateOpensTheInvoicesMonth) {
    Seed<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), [](auto& a) {
        a.CODIGO = Decimal(1);
        a.CODIGO_PRODUTO = Decimal(10);
        a.ALIQUOTA = Decimal(12);
        a.DATA_INICIAL = date::make(2016, 1, 1);
        a.DATA_ALTERACAO = date::make(2016, 1, 1);
    });
    // The same 12.000 confirmed in a later month starts that month's period, as an item typed in
    // the entry form does (one rule for every movement); at rate 0 and for product 0 nothing changes.
    ASSERT_TRUE(ReadAndImport({Entrada({{12, "012000"}}), Entrada({{12, "000000"}, {3, "000002"}}),
                               Entrada({{8, "0"}, {3, "000003"}})})
                    .importacao.ok());
    EXPECT_EQ(Rates(), (std::vector<std::string>{"12.000 01/01/2016..29/02/2016 01/01/2016",
                                                 "12.000 01/03/2016..- 10/03/2016"}));
    // Another rate closes the open row at the end of the month before and opens its own.
    ASSERT_TRUE(ReadAndImport({Entrada({{12, "018000"}})}).importacao.ok());
    EXPECT_EQ(Rates(), (std::vector<std::string>{"12.000 01/01/2016..29/02/2016 01/01/2016",
                                                 "12.000 01/03/2016..29/02/2016 10/03/2016",
                                                 "18.000 01/03/2016..- 10/03/2016"}));
}

}  // namespace

}  // namespace vorel::integration::testing
