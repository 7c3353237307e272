// The balance listing and the opening-balance listing: page models against reference texts, the
// "only with balance" option, the month and year bounds, and the running totals in every page
// footer of the opening balances.
#include "listing_fixture.h"

#include <variant>

#include "vorel/core/date.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/listings/saldos.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/headless.h"

namespace vorel::listings::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::ProdutosRec;
using dictionary::SaldosVorelRec;

struct Saldos : ListingFixture {
    void SeedProdutos() {
        Seed<ProdutosRec>(dictionary::Produtos(), 2, [](ProdutosRec& r, int i) {
            r.Codigo = Decimal(i ? 20 : 100);
            r.Produtos = i ? "PORCA" : "PARAFUSO";
        });
    }
};

// The texts of a page's items, in order.
Strings Textos(const report::Page& p) {
    Strings out;
    for (const report::Item& i : p.items)
        if (const auto* t = std::get_if<report::TextItem>(&i)) out.push_back(text::to_utf8(t->text));
    return out;
}

TEST_F(Saldos, TheMonthsBalancesByProductTextWithAndWithoutTheZeroQuantities) {
    SeedProdutos();
    struct S { const char* produto; int mes; const char* aliq; const char* qtd; };
    // "20" at two rates (one of quantity 0, one negative), "100", a product not in the register,
    // and February's rows, one of quantity 0.
    static constexpr S kSaldos[] = {{"20", 3, "18", "-3"}, {"100", 3, "18", "5"},  {"20", 3, "12", "0"},
                                    {"999", 3, "7", "1.5"}, {"100", 2, "18", "0"}, {"20", 2, "18", "4"}};
    Seed<SaldosVorelRec>(dictionary::SaldosVorel(), 6, [](SaldosVorelRec& r, int i) {
        r.Produto = kSaldos[i].produto;
        r.Competencia = date::make(2016, kSaldos[i].mes, 1);
        r.Aliquota = Decimal::from_string(kSaldos[i].aliq);
        r.QuantProdutos = Decimal::from_string(kSaldos[i].qtd);
        r.ValorUnit = Decimal::from_string("2.123456");
        r.BaseAcunulada = Decimal::from_string("1234.5");
    });
    const std::string paginas = OnThread([] {
        return report::to_text(DocumentoRelSaldos(shell::PeriodoDeTrabalho(), false)) + report::to_text(DocumentoRelSaldos(shell::PeriodoDeTrabalho(), true));
    });
    EXPECT_TRUE(matches_reference(paginas, "rel_saldos.txt"));
    // February with the option: "100" (quantity 0) is left out, "20" stays.
    shell::GLO_MES.Set(2);
    const report::Document fevereiro = OnThread([] { return DocumentoRelSaldos(shell::PeriodoDeTrabalho(), true); });
    ASSERT_EQ(fevereiro.pages.size(), 1u);
    EXPECT_EQ(Textos(fevereiro.pages[0]).front(), "Relação de Saldos - 02/2016");
    // A month whose every row is left out gives no page.
    shell::GLO_MES.Set(4);
    EXPECT_TRUE(OnThread([] { return DocumentoRelSaldos(shell::PeriodoDeTrabalho(), false); }).pages.empty());
}

TEST_F(Saldos, OpeningBalancesOfTheYearOneLineEachWithTheirTotals) {
    SeedProdutos();
    struct E { int produto; int ano, mes, dia; std::uint32_t numero; const char* qtd, *base, *propria; };
    static constexpr E kEntradas[] = {
        {100, 2016, 2, 1, 0, "5", "20", "0"},
        {100, 2016, 1, 10, 0, "10", "1234.5", "1234.56"},
        {300, 2016, 1, 1, 0, "-3", "-30.25", "-1"},        // not in the register
        {100, 2015, 12, 31, 0, "100", "100", "100"},       // another year
        {100, 2016, 3, 5, 55, "100", "100", "100"},        // an invoice
    };
    Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 5, [](EntradaVorelRec& r, int i) {
        const E& e = kEntradas[i];
        r.CodMercadoria = Decimal(e.produto);
        r.DataEmissao = date::make(e.ano, e.mes, e.dia);
        r.Numero = e.numero;
        r.Quantidade = Decimal::from_string(e.qtd);
        r.BaseICMS = Decimal::from_string(e.base);
        r.BaseICMSPropria = Decimal::from_string(e.propria);
    });
    EXPECT_TRUE(matches_reference(report::to_text(OnThread([] { return DocumentoSaldoAnterior(shell::PeriodoDeTrabalho()); })),
                                  "rel_saldo_anterior.txt"));
    shell::GLO_ANO.Set(2017);
    EXPECT_TRUE(OnThread([] { return DocumentoSaldoAnterior(shell::PeriodoDeTrabalho()); }).pages.empty());
}

TEST_F(Saldos, EveryPageFooterShowsTheTotalsAsThatPageEnded) {
    Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 60, [](EntradaVorelRec& r, int i) {
        r.CodMercadoria = Decimal(i + 1);
        r.DataEmissao = date::make(2016, 1, 1);
        r.Quantidade = Decimal(1);
        r.BaseICMS = Decimal::from_string("1000.5");
        r.BaseICMSPropria = Decimal::from_string("0.25");
    });
    const report::Document d = OnThread([] { return DocumentoSaldoAnterior(shell::PeriodoDeTrabalho()); });
    ASSERT_EQ(d.pages.size(), 2u);
    auto rodape = [](const report::Page& p) {
        const Strings t = Textos(p);
        const auto i = std::find(t.begin(), t.end(), "Totais");
        return i == t.end() ? Strings{} : Strings(i + 1, i + 4);
    };
    // 56 lines of 4 mm from 25 to 250 mm on the first page; the last page's footer holds all 60.
    EXPECT_EQ(rodape(d.pages[0]), (Strings{"            56,000", "         56.028,00", "             14.00"}));
    EXPECT_EQ(rodape(d.pages[1]), (Strings{"            60,000", "         60.030,00", "             15.00"}));
}

TEST_F(Saldos, TheWindowRunsTheBalanceListingThroughThePreviewerInPrintingModeTwo) {
    SeedProdutos();
    Seed<SaldosVorelRec>(dictionary::SaldosVorel(), 1, [](SaldosVorelRec& r, int) {
        r.Produto = "100";
        r.Competencia = date::make(2016, 3, 1);
        r.QuantProdutos = Decimal(1);
    });
    shell::ModoImpressao.Set(shell::kModoDos);
    ui->Start("JRelSaldos");
    const int w = ui->WindowByCaption("Caption");
    ui->Check(ui->ByText(w, " Imprimir somente produtos com Saldo"), true);
    ui->Press(ui->ByText(w, "&Imprimir"));
    ClosePreview("RelSaldosW");
    ui->Press(ui->ByText(w, "&Fecha"));
}

}  // namespace
}  // namespace vorel::listings::testing
