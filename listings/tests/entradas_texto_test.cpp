// The entries listing's text forms: both models' lines against reference texts with their column
// positions and frames, pages of 20 entries at 66 lines with the last page filled, the second
// model's summary pages and its filter, and the run: the file as the printer takes it (no accents for
// a printer without them), one file a run, no printer, and a file that cannot be written.
#include <sys/resource.h>

#include <csignal>

#include "entradas_fixture.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings::testing {
namespace {

namespace fs = std::filesystem;

const std::string kVisualizador = "Visualização Impressão Matricial";

const std::string kRegua = "+" + std::string(134, '-') + "+";

std::string Pagina(int n) { return std::string(60, ' ') + text::from_utf8("Número Página....") + text::zero_fill(n, 3); }

// The line of `linhas` whose text holds `trecho`.
const std::string& Achada(const Strings& linhas, const std::string& trecho) {
    static const std::string nenhuma;
    for (const std::string& l : linhas)
        if (l.find(trecho) != std::string::npos) return l;
    ADD_FAILURE() << "no line holds " << trecho;
    return nenhuma;
}

TEST_F(Entradas, TextFormsOfBothModels) {
    EntraMes();
    const Strings um = Texto({}, ModeloEntradas::Modelo01), dois = Texto({}, ModeloEntradas::Modelo02);
    EXPECT_TRUE(matches_reference(Junta(um), "rel_entradas_m.txt"));
    EXPECT_TRUE(matches_reference(Junta(dois), "rel_entradas_m_mod02.txt"));
    for (const Strings* linhas : {&um, &dois}) {
        EXPECT_EQ((*linhas)[1], Pagina(1));
        for (const std::string& l : *linhas)
            if (!l.empty() && (l[0] == '|' || l[0] == '+' || l[0] == '=')) {
                EXPECT_EQ(l.size(), 136u) << l;
            }
    }
    // Model 01's columns: a full CNPJ's entry (number 3), and a code kept in the CNPJ field (2).
    struct Coluna {
        std::size_t de, ate;
        std::string esperado;
    };
    const std::string& tres = Achada(um, "11.111.111/0001-11");
    const Coluna colunas[] = {{3, 20, "11.111.111/0001-11"}, {21, 25, "     "}, {26, 55, text::pad("FORNECEDOR SETE", 30)},
                              {72, 74, "  1"},  {82, 87, "     3"}, {99, 108, "03/03/2016"},
                              {111, 116, " 1.102"}, {122, 123, " 2"}, {136, 136, "|"}};
    for (const Coluna& c : colunas) EXPECT_EQ(Colunas(tres, c.de, c.ate), c.esperado) << c.de << "-" << c.ate;
    const std::string& dois01 = Achada(um, "FORNECEDOR CENTO E VINTE E TRE");
    EXPECT_EQ(Colunas(dois01, 1, 25), "|   123" + std::string(18, ' '));
    // Model 02: the same code in columns 2-6, and the frame of every heading and entry line.
    const std::string& dois02 = Achada(dois, "FORNECEDOR CENTO E VINTE ");
    EXPECT_EQ(Colunas(dois02, 1, 20), "|  123" + std::string(13, ' ') + "|");
    const std::vector<std::size_t> barras = {1, 20, 46, 58, 71, 82, 89, 102, 114, 123, 136};
    int linhasDeEntrada = 0;
    for (std::size_t i = 3; i < dois.size(); ++i) {
        const std::string& l = dois[i];
        if (l.empty() || l[0] != '|' || l.find("R E S U M O") != std::string::npos || l.find("Total B.") != std::string::npos ||
            l.starts_with("|  1,"))
            continue;
        ++linhasDeEntrada;
        std::vector<std::size_t> achadas;
        for (std::size_t c = 0; c < l.size(); ++c)
            if (l[c] == '|') achadas.push_back(c + 1);
        EXPECT_EQ(achadas, barras) << l;
    }
    EXPECT_EQ(linhasDeEntrada, 2 + 2 * 8);  // the two headings, two lines for each of the 8 entries
}

TEST_F(Entradas, TwentyEntriesAPageOfSixtySixLinesAndTheLastPageFilled) {
    EntraMuitas(21, 1102);
    const std::string rodape = shell::RodapeRelatorio();
    for (ModeloEntradas m : {ModeloEntradas::Modelo01, ModeloEntradas::Modelo02}) {
        const Strings l = Texto({}, m);
        // Page 1: 6 + 60 lines, the footer, the form feed; page 2: 6 + 3, blank up to 66 lines, the
        // footer, the form feed (model 02's summary follows).
        ASSERT_GE(l.size(), 136u);
        EXPECT_EQ(l[65], kRegua) << "the 20th entry's rule ends the page";
        EXPECT_EQ(l[66], rodape);
        EXPECT_EQ(l[67], "\f");
        EXPECT_EQ(l[69], Pagina(2));
        EXPECT_EQ(l[76], kRegua);
        for (std::size_t i = 77; i < 134; ++i) EXPECT_EQ(l[i], "") << i;
        EXPECT_EQ(l[134], rodape);
        EXPECT_EQ(l[135], "\f");
        if (m == ModeloEntradas::Modelo01) {
            EXPECT_EQ(l.size(), 136u);
        }
    }
    // A printer of 61 lines: 18 entries make 60 lines, past 61 less 1, and end the page unfilled.
    const Strings curta = Texto({}, ModeloEntradas::Modelo01, 61);
    EXPECT_EQ(curta[59], kRegua);
    EXPECT_EQ(curta[60], rodape);
    // A supplier none of the month's entries has: one page of its header alone; an empty month: nothing.
    const Strings nenhuma = Texto(Escolhida(2), ModeloEntradas::Modelo02);
    ASSERT_EQ(nenhuma.size(), 68u);
    EXPECT_EQ(nenhuma[1], Pagina(1));
    EXPECT_EQ(nenhuma[6], "");
    shell::GLO_MES.Set(5);
    EXPECT_TRUE(LinhasCp1252([](const EscreveLinha& e) {
                    return LinhasRelEntradasM({1, 2016, 5}, {}, ModeloEntradas::Modelo01, Codigos(66), e);
                }).empty());
}

TEST_F(Entradas, EverySummaryPageOpensWithItsBlockAndAFilteredSummarySumsTheListedEntriesOnly) {
    EntraMuitas(40, 1101, false);  // 40 rows: 30 on the first summary page, 10 on the second
    Entra({{3, 20, 99, "33333333000133", 0, 100, 2949, "500"}});  // another supplier's
    const std::string bloco = std::string(55, ' ') + "R E S U M O  P O R  C.F.O." + std::string(55, ' ');
    for (const auto& [fornecedor, linhasResumo] : std::vector<std::pair<ParteEscolhida, int>>{{{}, 41}, {Escolhida(0), 40}}) {
        const Strings l = Texto(fornecedor, ModeloEntradas::Modelo02);
        std::vector<std::size_t> blocos;
        int linhas = 0;
        bool cfo2949 = false;
        for (std::size_t i = 0; i < l.size(); ++i) {
            if (l[i] == bloco) blocos.push_back(i);
            if (l[i].starts_with("|  1,") || l[i].starts_with("|  2,")) ++linhas;
            cfo2949 = cfo2949 || l[i].starts_with("|  2,949");
        }
        EXPECT_EQ(linhas, linhasResumo);
        EXPECT_EQ(cfo2949, !fornecedor.Filtra());
        ASSERT_EQ(blocos.size(), 2u);
        for (std::size_t b : blocos) EXPECT_EQ(l[b - 1], "\f") << "a summary page begins with its block, no header";
        EXPECT_EQ(l.size() % 68, 0u) << "every page holds 66 lines, the footer and the form feed";
    }
    // A summary row: the CFOP by commas, the totals and the rate with decimal commas.
    EXPECT_EQ(Achada(Texto({}, ModeloEntradas::Modelo02), "|  1,101"),
              "|  1,101" + std::string(20, ' ') + text::right("100,00", 18) + std::string(24, ' ') + "   18,00" +
                  std::string(32, ' ') + text::right("18,00", 18) + std::string(7, ' ') + "|");
}

// Runs a text form on a thread of its own, as its window does.
struct Execucao : Entradas {
    void SetUp() override {
        Entradas::SetUp();
        ui::ProcedureRegistry::Add("T_RelEntradasM", [](ui::ProcContext& c) { RelEntradasM(c, Marco(), {}); });
        ui::ProcedureRegistry::Add("T_RelEntradasM_Mod02", [](ui::ProcContext& c) { RelEntradasM_Mod02(c, Marco(), {}); });
        shell::GLO_CODIMPRESSORA.Set(1);
        shell::CodigosImpressora.Set(Codigos(66, 0));
    }
    static std::string ComoAImpressora(const Strings& linhas) {
        std::string out;
        for (const std::string& l : linhas) out += shell::LinhaTexto(l, 0, false) + "\r\n";
        return out;
    }
};

TEST_F(Execucao, EachRunWritesItsOwnFileAsThePrinterTakesItAndDeletesItAfterTheViewer) {
    EntraMes();
    const int a = ui->Start("T_RelEntradasM");
    ui->WaitUntil([&] { return ui->HasWindow(kVisualizador); }, "the first viewer");
    const int b = ui->Start("T_RelEntradasM_Mod02");
    ui->WaitUntil([&] { return Temporarios().size() == 2 && ui->Windows().size() >= 2; }, "the second viewer");
    std::map<std::string, fs::path> arquivos;
    for (const fs::path& p : Temporarios()) arquivos[ReadFile(p)] = p;
    const std::string um = ComoAImpressora(Texto({}, ModeloEntradas::Modelo01));
    const std::string dois = ComoAImpressora(Texto({}, ModeloEntradas::Modelo02));
    EXPECT_EQ(arquivos.count(um), 1u) << "model 01's own file";
    EXPECT_EQ(arquivos.count(dois), 1u) << "model 02's own file";
    // A printer without accents: the title reaches the file without them.
    EXPECT_NE(um.find("{E}{N}         Relatorio de Entradas          {n}{e}\r\n"), std::string::npos);
    for (int i = 0; i < 2; ++i) ui->Press(ui->ByText(ui->WindowByCaption(kVisualizador), "&Fechar"));
    ui->WaitUntil([&] { return rt->Finished(a).has_value() && rt->Finished(b).has_value(); }, "both runs to end");
    EXPECT_TRUE(Temporarios().empty());
}

TEST_F(Execucao, NoPrinterWritesNothingAndAFileThatCannotBeWrittenIsSaidAndLeftNowhere) {
    EntraMuitas(60, 1102);
    shell::GLO_CODIMPRESSORA.Set(0);
    int t = ui->Start("T_RelEntradasM");
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the printer message");
    EXPECT_EQ(ui->PendingMessageBox().title, "Impressora não selecionada");
    EXPECT_EQ(ui->PendingMessageBox().text, "Selecione uma impressora para imprimir");
    ui->Answer(1);
    ui->WaitUntil([&] { return ui->HasWindow(kVisualizador); }, "the empty viewer");
    ASSERT_EQ(Temporarios().size(), 1u);
    EXPECT_EQ(fs::file_size(Temporarios()[0]), 0u);
    ui->Press(ui->ByText(ui->WindowByCaption(kVisualizador), "&Fechar"));
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the run to end");
    EXPECT_TRUE(Temporarios().empty());

    // Files of this process may not grow past 4 KB: the listing's writes fail part way.
    shell::GLO_CODIMPRESSORA.Set(1);
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    t = ui->Start("T_RelEntradasM");
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the failure's message");
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    EXPECT_NE(ui->PendingMessageBox().text.find("O relatório não foi impresso."), std::string::npos)
        << ui->PendingMessageBox().text;
    ui->Answer(1);
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the run to end");
    EXPECT_FALSE(ui->HasWindow(kVisualizador));
    EXPECT_TRUE(Temporarios().empty());
}

}  // namespace
}  // namespace vorel::listings::testing
