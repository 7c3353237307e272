// The page sheet and its result pages, filled from work-table rows with looked-up products, CFO
// columns and suppliers given directly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "reference_file.h"
#include "tabelas_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/fiscal/linha_planilha.h"
#include "work_table_rows.h"
#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/report/pdf.h"
#include "vorel/sheets/planilha_mensal.h"

namespace vorel::sheets {
namespace {

struct Linha {
    int produto;
    int entsai;
    int dia;
    const char* numero;
    std::uint16_t cfo;
    const char* aliquota;
    const char* qtd;
    const char* base;
    const char* consFinal;
    const char* saldo;
};

dictionary::EntradaSaidaVorelRec Registro(const Linha& l) {
    dictionary::EntradaSaidaVorelRec r{};
    r.CODMERCADORIA = Decimal(l.produto);
    r.ENTSAI = static_cast<std::uint8_t>(l.entsai);
    r.DATA = date::make(2016, 7, l.dia);
    r.NUMERO = l.numero;
    r.SERIE = "1";
    r.CFO = l.cfo;
    r.ALIQUOTA = l.aliquota;
    r.QUANTIDADE = Decimal::from_string(l.qtd);
    r.BASEICMS = Decimal::from_string(l.base);
    r.SAICONSFINAL = Decimal::from_string(l.consFinal);
    r.CONFUSUFINAL = Decimal::from_string(l.consFinal) - Decimal(1);
    r.SALDOQUANTIDADE = Decimal::from_string(l.saldo);
    r.SALDOVALUNITARIO = Decimal::from_string("10.123456");
    r.SALDOBASERETENCAO = Decimal::from_string(l.saldo) * Decimal::from_string("10.12");
    return r;
}

DadosEmpresa Empresa() {
    DadosEmpresa e;
    e.nome = "12 - ACME LTDA ( SAO PAULO ) ";
    e.endereco = "RUA A, 10 SALA 2 - CENTRO";
    e.inscricao = "123456789";
    e.mostraEndereco = true;
    e.mes = 7;
    e.ano = 2016;
    return e;
}

Consultas Cadastros() {
    Consultas c;
    c.produto = [](const Decimal& codigo) {
        ProdutoPlanilha p;
        if (codigo == Decimal(1)) p = {"PARAFUSO", "UNIDADE", Decimal(18)};
        if (codigo == Decimal(2)) p = {"PORCA", "KG", Decimal::from_string("12.5")};
        return p;
    };
    c.coluna = [](std::uint16_t cfo, std::uint8_t) -> std::optional<std::uint8_t> {
        static const std::map<std::uint16_t, std::uint8_t> colunas = {{1102, 1}, {5405, 2}, {1202, 2}, {1411, 8}};
        auto it = colunas.find(cfo);
        if (it == colunas.end()) return std::nullopt;
        return it->second;
    };
    c.fornecedor = [](const Decimal& produto) -> std::uint32_t { return produto == Decimal(1) ? 40u : 0u; };
    return c;
}

// Product 1: opening balance, an entry, two sales, a sale return, a purchase return, a row of an
// unknown CFO and one without number; product 2: opening balance and a cash-register row.
const Linha kLinhas[] = {
    {1, 0, 1, "", 0, "", "0", "0", "0", "10"},
    {1, 1, 2, "501", 1102, "", "20", "200", "0", "30"},
    {1, 2, 5, "9001", 5405, "", "8", "0", "84.00", "22"},
    {1, 2, 6, "9002", 5405, "", "2", "0", "21.00", "20"},
    {1, 2, 7, "77", 1202, "", "1", "0", "10.50", "21"},
    {1, 1, 8, "502", 1411, "", "3", "30", "0", "18"},
    {1, 2, 9, "9003", 5999, "", "4", "0", "42.00", "14"},
    {1, 2, 10, "", 5405, "", "4", "0", "42.00", "14"},
    {2, 0, 1, "", 0, "", "0", "0", "0", "5"},
    {2, 2, 15, "C1", 5405, "F", "2", "0", "25.00", "3"},
};

report::Document Planilha(std::uint8_t opcao, PlanilhaMensal*& fora) {
    static std::unique_ptr<PlanilhaMensal> p;
    p = std::make_unique<PlanilhaMensal>(Empresa(), opcao, Cadastros());
    for (const Linha& l : kLinhas) p->Linha(Registro(l));
    fora = p.get();
    return p->Termina();
}

TEST(PlanilhaMensal, PageModelPerProductWithTotalsAndLastFooter) {
    PlanilhaMensal* p = nullptr;
    const report::Document d = Planilha(kResumoFornecedores, p);
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_TRUE(report::testing::matches_reference(report::to_text(d), "planilha_mensal.txt"));
    const std::string primeira = report::to_text(report::Document{d.title, d.paper, d.orientation, {d.pages[0]}});
    const std::string segunda = report::to_text(report::Document{d.title, d.paper, d.orientation, {d.pages[1]}});
    EXPECT_NE(primeira.find("Soma Geral"), std::string::npos);
    EXPECT_EQ(segunda.find("Soma Geral"), std::string::npos);
    // Product 1's footer: sales 105 + 84 + 21 - 10.50 (the sale return), the purchase return
    // subtracted, the unknown row left out.
    EXPECT_NE(primeira.find("\"94,50\""), std::string::npos);
    EXPECT_NE(primeira.find("\"17,000\""), std::string::npos);
    EXPECT_EQ(p->CfosDesconhecidos().size(), 1u);

    const auto e = p->Resumo().Entradas();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].codigo, 0u);                                    // product 2: no supplier
    EXPECT_EQ(e[0].valores[0], Decimal(25));                       // the cash register adds
    EXPECT_EQ(e[1].codigo, 40u);
    EXPECT_EQ(e[1].valores[0], Decimal::from_string("94.50"));
}

TEST(PlanilhaMensal, SummaryByProductKeysOnTheProductCode) {
    PlanilhaMensal* p = nullptr;
    (void)Planilha(kResumoProdutos, p);
    const auto e = p->Resumo().Entradas();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].codigo, 1u);
    EXPECT_EQ(e[0].descricao, "PARAFUSO");
    EXPECT_EQ(e[1].codigo, 2u);
    (void)Planilha(kSemResumo, p);
    EXPECT_TRUE(p->Resumo().Vazio());
}

TEST(PlanilhaMensal, ResultPagesAgainstReferenceAndCallersPagesFirst) {
    ResumoPlanilha r;
    LinhaPlanilha l;
    l.tipo = {TipoLinha::Coluna, 2};
    l.valores = {Decimal(100), Decimal(0), Decimal(0), Decimal(30), Decimal(0), Decimal(120), Decimal(10)};
    r.Acumula(0, "SEM", l);
    r.Acumula(40, "PARAFUSO", l);
    r.Acumula(41, "PORCA", l);
    const auto fornecedor = [](std::uint32_t c) -> std::optional<std::string> {
        if (c == 40) return std::string("DISTRIBUIDORA X");
        return std::nullopt;  // 41: inactive
    };
    const struct {
        MembroResultado membro;
        const char* referencia;
    } casos[] = {{MembroResultado::Produtos, "resultado_produtos.txt"},
                 {MembroResultado::Fornecedor, "resultado_fornecedor.txt"},
                 {MembroResultado::ModeloNovo, "resultado_modelo_novo.txt"}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.referencia);
        const report::Document d = DocumentoResultado(k.membro, r, Empresa(), fornecedor);
        EXPECT_TRUE(report::testing::matches_reference(report::to_text(d), k.referencia));
    }
    PlanilhaMensal* p = nullptr;
    const report::Document folhas = Planilha(kSemResumo, p);
    const report::Document juntas = DocumentoResultado(MembroResultado::Produtos, r, Empresa(), {}, &folhas);
    ASSERT_EQ(juntas.pages.size(), 3u);
    EXPECT_EQ(juntas.pages[0].number, folhas.pages[0].number);
    EXPECT_EQ(juntas.pages[2].number, 1);
    EXPECT_TRUE(DocumentoResultado(MembroResultado::Produtos, ResumoPlanilha{}, Empresa(), {}).empty());

    // A PDF of the sheet, kept for a look when asked for.
    if (const char* pasta = std::getenv("VOREL_SHEET_PDF")) {
        ASSERT_TRUE(report::write_pdf(folhas, std::string(pasta) + "/planilha.pdf").ok());
        ASSERT_TRUE(report::write_pdf(DocumentoResultado(MembroResultado::Fornecedor, r, Empresa(), fornecedor),
                                      std::string(pasta) + "/resultado.pdf").ok());
    }
}

// The procedure reads the work table with the fields a row's placement uses only: every kind of
// row, each with every field set, read back so prints the pages, names the unknown CFOs and sums
// the summary as the whole rows do.
struct PlanilhaDaTabelaTest : testing::TabelasFixture {};

TEST_F(PlanilhaDaTabelaTest, RowsReadWithTheSheetsFieldsPrintAsTheWholeRows) {
    const std::vector<dictionary::EntradaSaidaVorelRec> linhas = vorel::testing::RowsOfKinds({
        {1, 1, 0, 0, 0, "", true},           // the opening balance
        {1, 2, 1, 1102, 1, "", false},       // an entry with its base (column 1)
        {1, 3, 1, 1411, 1, "", false},       // a purchase return (column 8, subtracted)
        {1, 4, 1, 1407, 2, "", false},       // an entry of the other hypotheses (column 7)
        {1, 5, 2, 5405, 1, "", false},       // a sale to the final consumer (column 2)
        {1, 6, 2, 1661, 1, "", false},       // its number among the entries
        {1, 7, 2, 5409, 1, "", false},       // a return to the stock (column 9)
        {1, 8, 2, 5405, 3, "", false},       // the same CFO under a complement not registered
        {1, 9, 2, 5405, 1, "", true},        // no number: skipped
        {2, 1, 0, 0, 0, "", true},
        {2, 10, 2, 5405, 1, "F", false},     // a cash-register row
        {2, 11, 2, 5405, 1, "X", false},     // an unknown rate field
    });
    Consultas cadastros = Cadastros();
    cadastros.coluna = [](std::uint16_t cfo, std::uint8_t complemento) -> std::optional<std::uint8_t> {
        static const std::map<std::pair<int, int>, std::uint8_t> colunas = {
            {{1102, 1}, 1}, {{1411, 1}, 8}, {{1407, 2}, 7}, {{5405, 1}, 2}, {{1661, 1}, 3}, {{5409, 1}, 9}};
        auto it = colunas.find({cfo, complemento});
        if (it == colunas.end()) return std::nullopt;
        return it->second;
    };
    const auto folha = [&](PlanilhaMensal& p) {
        const report::Document d = p.Termina();
        std::string texto = report::to_text(d) + report::to_text(DocumentoResultado(
                                                     MembroResultado::Produtos, p.Resumo(), Empresa(), {}));
        for (const auto& [cfo, complemento] : p.CfosDesconhecidos())
            texto += "\n" + std::to_string(cfo) + "-" + std::to_string(complemento);
        return texto;
    };
    PlanilhaMensal inteiras(Empresa(), kResumoProdutos, cadastros);
    for (const auto& r : linhas) inteiras.Linha(r);
    PlanilhaMensal lidas(Empresa(), kResumoProdutos, cadastros);
    vorel::testing::ReadBack(root + "trabalho.tps", linhas, dictionary::keys::ESA_KEY_DATA_ENTSAI_NUM_AUX,
                             fiscal::LeSoCamposDaLinha,
                             [&](const dictionary::EntradaSaidaVorelRec& r) { lidas.Linha(r); });
    const std::string esperado = folha(inteiras);
    EXPECT_NE(esperado.find("5405-3"), std::string::npos);
    EXPECT_EQ(folha(lidas), esperado);
}

}  // namespace
}  // namespace vorel::sheets
