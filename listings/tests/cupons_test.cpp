// The cash-register reports: the four page models against a reference text (the month's first and
// last day in, the days around them out; a master line once; under each master only its own
// analytic and daily lines and their "Soma"), an empty month, and the window: the e-mail subject and
// text of each choice, printing mode 2, and "&Imprimir" run again.
#include "listing_fixture.h"

#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/listings/cupons.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings::testing {
namespace {

using dictionary::AnaliticoICMSRec;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;

// An entry's value without the blanks that fill its picture.
std::string Limpo(const std::string& valor) { return std::string(text::clip(valor)); }

std::string Dia(int ano, int mes, int dia) { return dictionary::DataComoTexto(date::make(ano, mes, dia)); }

struct Cupons : ListingFixture {
    void SeedCupons() {
        Seed<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), 2, [](dictionary::ICMSEletronicaRec& r, int i) {
            r.Codigo = static_cast<std::int16_t>(i + 1);
            r.Nome = i ? "CAIXA DOIS" : "CAIXA UM";
            r.CumpomFiscal = "2D";
        });
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 1, [](dictionary::ProdutosRec& r, int) {
            r.Codigo = Decimal(100);
            r.Produtos = "PARAFUSO";
        });
        // Masters: 1 March machines 1 and 2, 31 March machine 1 (nothing under it), and the days
        // around the month.
        struct M { int mes, dia; std::int16_t maquina; };
        static constexpr M kMestres[] = {{3, 31, 1}, {3, 1, 2}, {3, 1, 1}, {2, 29, 1}, {4, 1, 1}};
        Seed<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), 5, [](LancICMSEletronicoRec& r, int i) {
            r.DataEmissao = Dia(2016, kMestres[i].mes, kMestres[i].dia);
            r.Codigo = kMestres[i].maquina;
            r.Fechamento = 1;
            r.InicialCupom = 1000 * (i + 1);
            r.FinalCupom = 1000 * (i + 1) + 99;
            r.ContReducao = 10 + i;
            r.GTInicio = Decimal::from_string("123456.78");
            r.GTFinal = Decimal::from_string("124000.5");
        });
        struct A { int mes, dia; std::int16_t maquina; const char* aliquota; const char* total; };
        static constexpr A kAnaliticos[] = {{3, 1, 1, "T18", "100"}, {3, 1, 1, "F", "50"}, {3, 1, 2, "F", "30"},
                                            {2, 29, 1, "F", "1"},    {4, 1, 1, "F", "1"}};
        Seed<AnaliticoICMSRec>(dictionary::AnaliticoICMS(), 5, [](AnaliticoICMSRec& r, int i) {
            r.DataEmissao = Dia(2016, kAnaliticos[i].mes, kAnaliticos[i].dia);
            r.Codigo = kAnaliticos[i].maquina;
            r.Fechamento = 1;
            r.Aliquota = kAnaliticos[i].aliquota;
            r.Totalizador = Decimal::from_string(kAnaliticos[i].total);
        });
        // Daily: machine 1's two, machine 2's of a product not in the register, one in April.
        struct D { int mes; std::int16_t maquina; const char* aliquota; int produto; const char* qtd, *base; };
        static constexpr D kDiarios[] = {{3, 1, "F", 100, "2", "10"}, {3, 1, "T18", 100, "1", "5.5"},
                                         {3, 2, "F", 999, "3", "7.25"}, {4, 1, "F", 100, "1", "1"}};
        Seed<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), 4, [](MovMaqRegistradoraRec& r, int i) {
            r.DataEmissao = Dia(2016, kDiarios[i].mes, 1);
            r.Codigo = kDiarios[i].maquina;
            r.Fechamento = 1;
            r.Aliquota = kDiarios[i].aliquota;
            r.CodMercadoria = Decimal(kDiarios[i].produto);
            r.Quantidade = Decimal::from_string(kDiarios[i].qtd);
            r.BaseCalculo = Decimal::from_string(kDiarios[i].base);
        });
    }
};

TEST_F(Cupons, TheMonthsRecordsOfTheFourReports) {
    SeedCupons();
    const std::string paginas = OnThread([] {
        return report::to_text(DocumentoPDVMestre(shell::PeriodoDeTrabalho())) + report::to_text(DocumentoPDVAnalitico(shell::PeriodoDeTrabalho())) +
               report::to_text(DocumentoPDVDiario(shell::PeriodoDeTrabalho())) + report::to_text(DocumentoPDVCompleto(shell::PeriodoDeTrabalho()));
    });
    EXPECT_TRUE(matches_reference(paginas, "rel_pdv.txt"));
}

// A month of a year other than the working one reads that year's master, analytic and daily
// records and the company's machines at their files: the same pages as when it is the working year.
TEST_F(Cupons, TheFullReportReadsTheTablesOfItsMonthsYear) {
    SeedCupons();
    const shell::EmpresaPeriodo marco{1, 2016, 3};
    const std::string noAno = OnThread([&] { return report::to_text(DocumentoPDVCompleto(marco)); });
    vorel::testing::NameYearTables(root, 1, 2017);  // the working year's files hold nothing
    shell::GLO_ANO.Set(2017);
    EXPECT_EQ(OnThread([&] { return report::to_text(DocumentoPDVCompleto(marco)); }), noAno);
    EXPECT_NE(noAno.find("CAIXA DOIS"), std::string::npos);
    EXPECT_NE(noAno.find("PARAFUSO"), std::string::npos);
}

TEST_F(Cupons, AnEmptyMonthMakesNoPageAndAnswersCancelled) {
    SeedCupons();
    shell::GLO_MES.Set(5);
    EXPECT_TRUE(OnThread([] {
        return DocumentoPDVMestre(shell::PeriodoDeTrabalho()).empty() && DocumentoPDVAnalitico(shell::PeriodoDeTrabalho()).empty() && DocumentoPDVDiario(shell::PeriodoDeTrabalho()).empty() &&
               DocumentoPDVCompleto(shell::PeriodoDeTrabalho()).empty();
    }));
    ui::ProcedureRegistry::Add("RelPDVMestre", [](ui::ProcContext& c) { RelPDVMestre(c, shell::PeriodoDeTrabalho()); });
    const int t = ui->Start("RelPDVMestre");
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the report to end");
    EXPECT_EQ(*rt->Finished(t), ui::Response::Cancelled);
    EXPECT_FALSE(ui->HasMessageBox());
}

TEST_F(Cupons, TheWindowsEmailFollowsTheChoiceAndPrintsInEveryMode) {
    vorel::testing::NameCompanyTables(root, 12);  // the records are the working company's
    vorel::testing::NameYearTables(root, 12, 2016);
    SeedCupons();
    Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 1, [](dictionary::EmpresaRec& r, int) {
        r.Codigo = 12;
        r.RAZAOSOCIAL = "MERCADO DOZE LTDA";
    });
    shell::GLO_EMPRESA_CODIGO.Set(12);
    shell::DataHoje.Set(date::make(2016, 4, 2));
    ui->Start("RelatorioCF");
    const int w = ui->WindowByCaption("Relatório de Cupons Fiscais");
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Texto:"))),
              "Relatório de Lançamentos Mestres - Empresa: 00012 - MERCADO DOZE LTDA - Período: 03/2016.");
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Assunto:"))), "Relatório de Lançamentos Mestres - 02/04/2016");
    ui->Check(ui->ByText(w, "Lançamentos Mestre/Analítico/Diário"), true);
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Assunto:"))), "Relatório de Lançamentos Mestre/Analítico/Diário -");
    EXPECT_EQ(Limpo(ui->Value(ui->ByPrompt(w, "Texto:"))),
              "Relatório de Lançamentos Mestre/Analítico/Diário - Empresa: 00012 - MERCADO DOZE LTDA - Período: 03/2016.");
    // Printing mode 2: the e-mail box goes, the report still comes to the previewer, and again.
    shell::ModoImpressao.Set(shell::kModoDos);
    ui->Press(ui->ByText(w, "&Imprimir"));
    ClosePreview("RelPDVCompleto");
    ui->WaitIdle();
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    ui->Press(ui->ByText(w, "&Imprimir"));
    ClosePreview("RelPDVCompleto");
    ui->Press(ui->ByText(w, "&Cancelar"));
}

}  // namespace
}  // namespace vorel::listings::testing
