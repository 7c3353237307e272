// The management page sheet: the worked month as a reference page model, its result page after it
// in the same document; and the opening read from the balances (January: the previous year's file).
#include <gtest/gtest.h>

#include "../src/tabelas_gestao.h"
#include "legibilidade.h"
#include "reference_file.h"
#include "tabelas_fixture.h"
#include "vorel/dictionary/folders.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"

namespace vorel::sheets {
namespace {

Decimal D(const char* s) { return Decimal::from_string(s); }

dictionary::EntradaSaidaVorelRec Row(std::uint16_t cfo, const char* q, const char* b, int dia, const char* numero,
                                     int mes = 7) {
    dictionary::EntradaSaidaVorelRec r{};
    r.ENTSAI = cfo < 5000 ? 1 : 2;
    r.DATA = date::make(2016, mes, dia);
    r.NUMERO = numero;
    r.SERIE = "1";
    r.CFO = cfo;
    r.QUANTIDADE = D(q);
    r.BASEICMS = D(b);
    r.CODMERCADORIA = 5;
    return r;
}

ConsultasGestao ConsultasDoMes() {
    ConsultasGestao c;
    c.coluna = [](std::uint16_t cfo, std::uint8_t) -> std::optional<std::uint8_t> {
        return cfo == 1403 ? 1 : cfo == 5405 ? 2 : 5;
    };
    c.saldoAnterior = [](const Decimal&) { return SaldoGestao{D("10"), D("5"), D("50")}; };
    c.entradas = [](const Decimal&, date::Day, const std::function<bool(const EntradaAnterior&)>& v) {
        (void)v({date::make(2016, 7, 5), D("10"), D("50"), false});
    };
    return c;
}

DadosEmpresa EmpresaDoMes() {
    DadosEmpresa empresa;
    empresa.nome = "12 - ACME LTDA ( SAO PAULO ) ";
    empresa.endereco = "FORNECEDOR TRES";
    empresa.mostraEndereco = empresa.enderecoFornecedor = true;
    empresa.mes = 7;
    empresa.ano = 2016;
    return empresa;
}

// Product 5's management page for `rows` of supplier 3 and the result page after it.
report::Document PaginasDaGestao(const DadosEmpresa& empresa, std::initializer_list<dictionary::EntradaSaidaVorelRec> rows) {
    ValorMedioGestao valor({}, ConsultasDoMes());
    Consultas consultas;
    consultas.produto = [](const Decimal&) { return ProdutoPlanilha{"PARAFUSO", "UN", D("18")}; };
    PlanilhaMensal folha(empresa, kSemResumo, consultas);
    folha.Gestao();
    folha.ProdutoGestao(5);
    for (const auto& row : rows)
        for (const LinhaPlanilha& l : valor.Linha(row, kLoteAtual, 3, "FORNECEDOR TRES")) folha.LinhaGestao(&l, valor.Totais());
    const report::Document paginas = folha.Termina();
    return DocumentoResultado(MembroResultado::ModeloNovo, valor.Resumo(), empresa,
                              [](std::uint32_t) { return std::optional<std::string>("FORNECEDOR TRES"); }, &paginas);
}

TEST(PlanilhaGestao, WorkedMonthPageAndResultAgainstReference) {
    const report::Document d = PaginasDaGestao(
        EmpresaDoMes(), {Row(1403, "10", "70", 5, "1234"), Row(5405, "4", "30", 10, "    77"), Row(6404, "2", "0", 12, "    78")});
    ASSERT_EQ(d.pages.size(), 2u);
    const std::string texto = report::to_text(d);
    EXPECT_TRUE(report::testing::matches_reference(texto, "planilha_gestao.txt"));
    EXPECT_NE(texto.find("\"-6,00\""), std::string::npos);  // result A: 24,00 - 30,00
    EXPECT_NE(texto.find("\"2,00\""), std::string::npos);   // result B: 12,00 - 10,00
}

// The sheet's dates carry the year in four digits; with two-digit days and months, as with every
// heading, each text is drawn whole and apart from its neighbours (the figures are small enough
// for their columns, so the whole page is checked).
TEST(PlanilhaGestao, DatesAndHeadingsAreDrawnWhole) {
    DadosEmpresa empresa = EmpresaDoMes();
    empresa.mes = 12;
    const report::Document d =
        PaginasDaGestao(empresa, {Row(1403, "10", "70", 28, "1234", 12), Row(5405, "4", "30", 29, "77", 12)});
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_THAT(vorel::testing::TextosIlegiveis(d, 8268), ::testing::IsEmpty());
}

struct AberturaTest : testing::TabelasFixture {
    void Saldo(int ano, int mes, const char* base) {
        shell::PastaRaiz.Set(root);
        shell::GLO_EMPRESA_CODIGO.Set(1);
        auto pastas = dictionary::CaminhosArquivosAno(root, 1, ano);
        ASSERT_FALSE(dictionary::CriaPastas(pastas));
        Grava<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), [&](auto& r) {
            r.Produto = "5";
            r.Competencia = date::make(ano, mes, 1);
            r.Aliquota = Decimal(18);
            r.QuantProdutos = Decimal(10);
            r.ValorUnit = Decimal(5);
            r.BaseAcunulada = D(base);
        }, shell::ArquivoDoAno(dictionary::SaldosVorel(), 1, ano));
    }
    void TearDown() override {
        shell::GLO_EMPRESA_CODIGO.Set(0);
        TabelasFixture::TearDown();
    }
};

TEST_F(AberturaTest, PreviousMonthAndInJanuaryThePreviousYearsDecember) {
    Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
        r.Codigo = 5;
        r.Alicota = Decimal(18);
    });
    Saldo(2016, 6, "50.00");
    Saldo(2015, 12, "40.00");
    std::thread([&] {
        for (const auto& [mes, base] : {std::pair{7, "50.00"}, std::pair{1, "40.00"}, std::pair{3, "0"}}) {
            SCOPED_TRACE(mes);
            TabelasGestao t(FormaPlanilha::Pagina, {1, 2016, mes});
            (void)t.Produto(5);  // the rate the record is read with
            EXPECT_EQ(t.Consultas().saldoAnterior(5).base, D(base));
        }
    }).join();
}

}  // namespace
}  // namespace vorel::sheets
