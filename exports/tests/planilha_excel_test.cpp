// The monthly sheet's `;` file from a small work table, against reference files: the titles and
// heading blocks, each product's opening row first, the placement of entries, exits, returns and
// cash-register rows, the numbers cut to their columns, the sign of column-2 codes in the totals,
// an unregistered CFO written blank and named once, the summary by product; the CFOP filter; a
// cancel after the first row; and the procedure a computation run hands its work table to, which
// reads the file and the filter from the export window's settings. (The window running the
// computation into it: tests/computation_exports.)
#include "export_fixture.h"

#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/exports/planilha_excel.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/ui/headless.h"

namespace vorel::exports::testing {
namespace {

namespace fs = std::filesystem;
using dictionary::EntradaSaidaVorelRec;

struct Movimento {
    int produto;
    int entsai;          // 0 opening, 1 entry, 2 exit
    int dia;             // of March 2016; 0 for the opening row
    const char* numero;
    const char* serie;
    int cfo, complemento;
    const char* aliquota;  // "" or "F"
    const char* qtd, *base, *unit;
    const char* consFinal;  // column 10
    const char* saldoQtd, *saldoUnit, *saldoBase;
};

// Rows in the work table's key order (product, date, kind, number) as a run leaves them.
const Movimento kTrabalho[] = {
    {0, 2, 3, "77", "1", 5102, 0, "", "1", "0", "5", "5.00", "-1", "5", "0"},
    {10, 0, 0, "", "", 0, 0, "", "0", "0", "0", "0", "100", "2.5", "250"},
    {10, 1, 2, "123", "1", 1102, 0, "", "10", "100", "0", "0", "110", "2.5", "275"},
    {10, 2, 4, "", "1", 5102, 0, "", "1", "0", "0", "0", "109", "2.5", "272.5"},                      // no number: left out
    {10, 2, 5, "123456789012", "A", 5102, 0, "", "2", "0", "3.123456", "6.25", "107", "2.5", "267.5"},
    {10, 2, 6, "98765432", "2", 1661, 0, "", "1", "0", "2.5", "2.50", "108", "2.5", "270"},          // a return
    {10, 2, 7, "ECF-SERIAL-0001", "", 0, 0, "F", "1.5", "0", "2.5", "3.75", "106.5", "2.5", "266.25"},
    {10, 2, 8, "555", "1", 5999, 0, "", "1234", "0", "2.5", "9999.99", "-1127.5", "2.5", "-2818.75"}, // CFO not registered
    {20, 2, 9, "1", "1", 1000, 0, "", "1", "0", "1", "1.00", "0", "0", "0"},
    {20, 2, 9, "2", "1", 1001, 0, "", "1", "0", "1", "2.00", "0", "0", "0"},
    {20, 2, 9, "3", "1", 4999, 0, "", "1", "0", "1", "4.00", "0", "0", "0"},
    {20, 2, 9, "4", "1", 499, 0, "", "1", "0", "1", "8.00", "0", "0", "0"},
    {20, 2, 9, "5", "1", 500, 0, "", "1", "0", "1", "16.00", "0", "0", "0"},
    {20, 2, 9, "6", "1", 999, 0, "", "1", "0", "1", "32.00", "0", "0", "0"},
    {20, 2, 9, "7", "1", 5000, 0, "", "1", "0", "1", "64.00", "7", "1", "7"},
    {30, 2, 10, "8", "2", 5102, 0, "", "2", "0", "4", "8.00", "-2", "4", "-8"},
    {30, 2, 11, "9", "2", 5999, 0, "", "1", "0", "4", "4.00", "-3", "4", "-12"},                      // named once
};

struct PlanilhaExcel : ExportFixture {
    std::string trabalho;

    void SetUp() override {
        ExportFixture::SetUp();
        trabalho = files::to_program_path(dir / "Temp" / "trabalho.tps");
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 2, [](dictionary::ProdutosRec& r, int i) {
            r.Codigo = Decimal(i == 0 ? 10 : 20);
            r.Produtos = i == 0 ? "PARAFUSO SEXTAVADO A\xC7O INOX COM UM NOME BEM MAIS LONGO QUE CINQUENTA" : "PORCA  ";
            r.Medida = i == 0 ? "UNID" : "KG";
            r.Alicota = Decimal(i == 0 ? 18 : 12);
        });
        const int cfos[][2] = {{5102, 2}, {1102, 1}, {1661, 2}, {1000, 2}, {1001, 2}, {4999, 2},
                               {499, 2},  {500, 2},  {999, 2},  {5000, 2}};
        Seed<dictionary::CFORec>(dictionary::CFO(), 10, [&](dictionary::CFORec& r, int i) {
            r.CODIGO = static_cast<std::int16_t>(cfos[i][0]);
            r.COLUNA = static_cast<std::uint8_t>(cfos[i][1]);
        });
        std::thread([&] {
            data::FileManager esa(dictionary::EntradaSaidaVorel());
            ASSERT_TRUE(esa.open_path(trabalho).ok());
            for (const Movimento& m : kTrabalho) {
                esa.clear_record();
                auto& r = esa.rec<EntradaSaidaVorelRec>();
                r.CODMERCADORIA = Decimal(m.produto);
                r.ENTSAI = static_cast<std::uint8_t>(m.entsai);
                r.DATA = m.dia ? date::make(2016, 3, m.dia) : 0;
                r.NUMERO = m.numero;
                r.SERIE = m.serie;
                r.CFO = static_cast<std::uint16_t>(m.cfo);
                r.COMPLEMENTO = static_cast<std::uint8_t>(m.complemento);
                r.ALIQUOTA = m.aliquota;
                r.QUANTIDADE = Decimal::from_string(m.qtd);
                r.BASEICMS = Decimal::from_string(m.base);
                r.SAIVALUNITARIO = Decimal::from_string(m.unit);
                r.SAICONSFINAL = Decimal::from_string(m.consFinal);
                r.CONFUSUFINAL = Decimal::from_string(m.consFinal).is_zero() ? Decimal(0) : Decimal::from_string("0.01");
                r.SALDOQUANTIDADE = Decimal::from_string(m.saldoQtd);
                r.SALDOVALUNITARIO = Decimal::from_string(m.saldoUnit);
                r.SALDOBASERETENCAO = Decimal::from_string(m.saldoBase);
                ASSERT_TRUE(esa.add().ok());
            }
            (void)esa.close();
        }).join();
    }

    ResultadoPlanilhaExcel Grava(const OpcoesPlanilhaExcel& o, const ProgressoPlanilha& p = {},
                                 const shell::EmpresaPeriodo& periodo = {1, 2016, 3}) {
        return OnThread([&] { return GravaPlanilhaExcel(trabalho, periodo, o, p); });
    }
    std::string Alvo() const { return files::to_program_path(dir / "Excel" / "Planilha Mensal Excel.csv"); }
};

TEST_F(PlanilhaExcel, EveryProductsBlockLinesTotalsAndTheSummary) {
    const ResultadoPlanilhaExcel r = Grava({.caminho = Alvo(), .resumo = 1});
    ASSERT_TRUE(r.saida.ok()) << r.saida.error;
    EXPECT_TRUE(matches_reference(File(files::resolve(Alvo())), "planilha_excel.csv"));
    EXPECT_EQ(r.cfosDesconhecidos, (std::vector<std::pair<int, int>>{{5999, 0}}));
    EXPECT_EQ(Files(dir / "Excel"), 1u);
}

TEST_F(PlanilhaExcel, ACfopFilterWritesOnlyItsRowsAndNoOpeningRows) {
    ASSERT_TRUE(Grava({.caminho = Alvo(), .cfo = 5102, .complemento = 0, .resumo = 0}).saida.ok());
    EXPECT_TRUE(matches_reference(File(files::resolve(Alvo())), "planilha_excel_filtro.csv"));
}

TEST_F(PlanilhaExcel, ACancelAfterTheFirstRowStillEndsWithThatProductsTotalsAndTheSummary) {
    const ResultadoPlanilhaExcel r = Grava({.caminho = Alvo(), .resumo = 1}, [](long long lidos, long long) {
        return lidos == 1 ? PassoPlanilha::Cancela : PassoPlanilha::Segue;
    });
    ASSERT_TRUE(r.saida.ok());
    EXPECT_TRUE(r.cancelado);
    EXPECT_TRUE(matches_reference(File(files::resolve(Alvo())), "planilha_excel_cancelada.csv"));
    // The program closing mid-run leaves the file that was there, and nothing else.
    const std::string antes = File(files::resolve(Alvo()));
    EXPECT_FALSE(Grava({.caminho = Alvo()}, [](long long, long long) { return PassoPlanilha::Interrompe; }).saida.ok());
    EXPECT_EQ(File(files::resolve(Alvo())), antes);
    EXPECT_EQ(Files(dir / "Excel"), 1u);
}

TEST_F(PlanilhaExcel, TheHandOverReadsTheWindowsSettingsAndNamesEachUnregisteredCfoOnce) {
    ASSERT_FALSE(shell::GravaOpcoesPlanMensal({.caminho = Alvo(), .cfo = 0, .compCfo = 7}));
    const int t = rt->Start("Calculo", [&](ui::ProcContext& ctx) {
        shell::EntregaTrabalho entrega({trabalho, 1, {1, 2016, 3}});
        (void)ctx.Call("PlanilhaExcelProdutos");
    });
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the unregistered CFOs");
    EXPECT_EQ(ui->PendingMessageBox().title, "Alerta!");
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção! Identificamos inconsistências nos CFO abaixo ou eles não existem. Favor verifica a tabela de "
              "CFO.\n5999 - 0");
    ui->Answer(1);
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the export to end");
    EXPECT_TRUE(matches_reference(File(files::resolve(Alvo())), "planilha_excel.csv"));

    // With the window's CFOP filter: its rows only.
    ASSERT_FALSE(shell::GravaOpcoesPlanMensal({.caminho = Alvo(), .cfo = 5102, .compCfo = 0}));
    const int t2 = rt->Start("Calculo", [&](ui::ProcContext& ctx) {
        shell::EntregaTrabalho entrega({trabalho, 0, {1, 2016, 3}});
        (void)ctx.Call("PlanilhaExcelProdutos");
    });
    ui->WaitUntil([&] { return rt->Finished(t2).has_value(); }, "the export to end");
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_TRUE(matches_reference(File(files::resolve(Alvo())), "planilha_excel_filtro.csv"));
}

TEST_F(PlanilhaExcel, AnotherCompanysSheetTakesNameUnitAndRateFromItsOwnProducts) {
    Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 1, [](dictionary::EmpresaRec& r, int) {
        r.Codigo = 2;
        r.RAZAOSOCIAL = "OUTRA EMPRESA";
        r.TIPONBM = 2;  // its own products and rate history
    });
    const auto empresa2 = dictionary::CaminhosArquivosEmpresa(root, 2, 2, 0);
    ASSERT_FALSE(dictionary::CriaPastas(empresa2));
    Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 1, [](dictionary::ProdutosRec& r, int) {
        r.Codigo = Decimal(10);
        r.Produtos = "CHAVE DE FENDA";
        r.Medida = "PC";
        r.Alicota = Decimal(25);
    }, empresa2.CaminhoProdutos);

    ASSERT_TRUE(Grava({.caminho = Alvo(), .resumo = 1}, {}, {2, 2016, 3}).saida.ok());
    const std::string f = File(files::resolve(Alvo()));
    EXPECT_NE(f.find("Mercadoria:;10 - CHAVE DE FENDA"), std::string::npos);
    EXPECT_NE(f.find("Unidade de Medida:;PC ;;;;;Aliquota;25,00"), std::string::npos);
    EXPECT_EQ(f.find("PARAFUSO"), std::string::npos);  // the working company's product
    EXPECT_EQ(f.find("Aliquota;18,00"), std::string::npos);
}

}  // namespace
}  // namespace vorel::exports::testing
