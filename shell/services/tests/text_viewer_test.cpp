// The text report viewer: display lines, page arithmetic, jumps and search, and the window played
// headless (search not found, page jump, save, print to a device).
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "shell_fixture.h"
#include "vorel/core/text.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

using namespace vorel;
using namespace vorel::shell;
using shell_test::ShellTest;

namespace {

std::vector<std::string> Numeradas(int n) {
    std::vector<std::string> v;
    for (int i = 1; i <= n; ++i) v.push_back("linha " + std::to_string(i));
    return v;
}

}  // namespace

TEST(LinhaExibida, ControlStringsAccentsAndFormFeedsDoNotShow) {
    CodigosImpressoraRec c;
    c.LNEG = "\x1BG";
    c.DNEG = "\x1BH";
    c.CPI17 = "\x1BP\x0F";
    EXPECT_EQ(LinhaExibida("\f\x1BGTOTAL\x1BH \"A\xE7\xE3o\" 1\xAA   ", c), "TOTAL Acao 1");
    EXPECT_EQ(LinhaExibida("Ac\b,a\b~o", c), "Acao") << "overstruck accents show as their letters";
    EXPECT_EQ(LinhaExibida("\x1BP\x0Fx", CodigosImpressoraRec{}), "\x1BP\x0Fx") << "empty codes remove nothing";
    std::string longa = std::string(290, 'a') + "0123456789" + std::string(50, 'z');
    EXPECT_EQ(LinhaExibida(longa, c), std::string(290, 'a') + "0123456789") << "300 characters shown";
}

TEST(PaginasTexto, PagesFollowThePrintersLines) {
    struct Case {
        int linhas, porPagina, paginas;
    } cases[] = {{60, 60, 1}, {61, 60, 2}, {120, 60, 2}, {121, 60, 3}, {0, 60, 1}, {500, 0, 1}, {0, 0, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(PaginasTexto(Numeradas(c.linhas), c.porPagina).totalPaginas(), c.paginas)
            << c.linhas << " lines, " << c.porPagina << " per page";

    PaginasTexto p(Numeradas(130), 60);
    EXPECT_EQ(p.PaginaDaLinha(60), 1);
    EXPECT_EQ(p.PaginaDaLinha(61), 2);
    EXPECT_EQ(p.PaginaDaLinha(0), 1);
    struct Jump {
        long long typed;
        int pagina, linha;
    } jumps[] = {{3, 3, 121}, {4, 3, 0}, {0, 1, 0}, {-2, 1, 0}, {1, 1, 1}, {2, 2, 61}};
    for (const Jump& j : jumps) {
        PaginasTexto::Salto s = p.SaltaParaPagina(j.typed);
        EXPECT_EQ(s.pagina, j.pagina) << "typed " << j.typed;
        EXPECT_EQ(s.linha, j.linha) << "typed " << j.typed;
    }
    // A printer without lines per page: one page, every line on it.
    PaginasTexto semLinhas(Numeradas(500), 0);
    EXPECT_EQ(semLinhas.PaginaDaLinha(499), 1);
    EXPECT_EQ(semLinhas.SaltaParaPagina(2).linha, 0);
    EXPECT_EQ(semLinhas.SaltaParaPagina(1).linha, 1);
}

TEST(PaginasTexto, SearchUpAndDownGoesOnPastTheLastHit) {
    PaginasTexto p({"cabecalho", "TOTAL parcial", "x", "total geral", "fim"}, 2);
    int posicao = 0;
    EXPECT_EQ(p.Pesquisa("total  ", false, posicao), 2) << "any case, trailing blanks cut";
    EXPECT_EQ(p.Pesquisa("total", false, posicao), 4) << "down goes on after the hit";
    EXPECT_EQ(p.Pesquisa("total", false, posicao), 0);
    EXPECT_EQ(posicao, 5);

    posicao = 4;  // the user selected line 4: up finds that line first
    EXPECT_EQ(p.Pesquisa("TOTAL", true, posicao), 4);
    EXPECT_EQ(p.Pesquisa("TOTAL", true, posicao), 2);
    EXPECT_EQ(p.Pesquisa("TOTAL", true, posicao), 0);
    EXPECT_EQ(posicao, 0);
    EXPECT_EQ(p.Pesquisa("   ", false, posicao), 0) << "a blank text finds nothing";

    EXPECT_EQ(TextoNaoEncontrado("abc  ", true), "A Pesquisa não encontrou a palavra ' abc ' no relatório acima");
    EXPECT_EQ(TextoNaoEncontrado("abc", false), "A Pesquisa não encontrou a palavra 'abc' no relatório abaixo");
}

using VisualizadorTest = ShellTest;

TEST_F(VisualizadorTest, WindowPagesSearchesSavesAndPrintsToTheDevice) {
    std::string conteudo;
    for (int i = 1; i <= 65; ++i) conteudo += (i == 63 ? "\x1BGTOTAL 63\x1BH" : "linha " + std::to_string(i)) + "\r\n";
    WriteFile(Native("temp/00000000.000"), conteudo);
    WriteFile(Native("impressora"), "");  // the printer's device
    PastaRaiz.Set(Folder("raiz") + "\\");
    std::filesystem::create_directories(Native("raiz/Saida"));

    CodigosImpressoraRec c;
    c.LNEG = "\x1BG";
    c.DNEG = "\x1BH";
    c.NLINHAS = 60;
    c.PORTA = Folder("impressora");

    ui::Runtime rt;
    std::atomic<bool> fim{false};
    rt.Start("RelEntradas", [&](ui::ProcContext& ctx) {
        Visualiza_Relatorio_Matricial(ctx, Folder("temp") + "\\00000000.000", c, "PlanilhaMensalProdutosM.txt");
        fim = true;
    });
    ui::HeadlessDriver ui(rt);
    namespace v = visualizador;
    int w = ui.WindowByCaption("Visualização Impressão Matricial");
    EXPECT_EQ(ui.Rows(ui.Control(w, v::kLista)).size(), 65u);
    EXPECT_EQ(ui.Text(ui.Control(w, v::kTotal)), "2");
    EXPECT_EQ(ui.CellAt(ui.Control(w, v::kLista), 63, 2).text, "TOTAL 63");
    EXPECT_EQ(ui.CellAt(ui.Control(w, v::kLista), 63, 1).text, "00063");
    EXPECT_EQ(ui.State(ui.Control(w, v::kLista)).font, "Courier New") << "the printer's columns line up";

    ui.Type(ui.Control(w, v::kPagina), "3");
    ui.Key(w, ui::key::Tab);
    EXPECT_EQ(ui.Value(ui.Control(w, v::kPagina)), "2") << "past the last page: the total";
    ui.Type(ui.Control(w, v::kPagina), "2");
    ui.Key(w, ui::key::Tab);
    EXPECT_EQ(ui.State(ui.Control(w, v::kLista)).selected, 61);

    ui.Type(ui.Control(w, v::kBusca), "total");
    ui.Key(w, ui::key::Tab);
    ui.Press(ui.Control(w, v::kPesquisar));
    EXPECT_EQ(ui.State(ui.Control(w, v::kLista)).selected, 63);
    ui.Press(ui.Control(w, v::kPesquisar));
    ASSERT_TRUE(ui.HasMessageBox());
    EXPECT_EQ(ui.PendingMessageBox().title, "!! Atenção !!");
    EXPECT_EQ(ui.PendingMessageBox().text, "A Pesquisa não encontrou a palavra 'total' no relatório abaixo");
    ui.Answer(1);

    ui.Press(ui.Control(w, v::kSalvar));
    int s = ui.WindowByCaption("Salva Relatório Matricial");
    EXPECT_EQ(ui.Value(ui.Control(s, salvar::kArquivo)), "PlanilhaMensalProdut") << "cut to 20 characters";
    EXPECT_EQ(ui.Value(ui.Control(s, salvar::kCaminho)), Folder("raiz") + "\\");
    // The folder button opens the folder picker on the folder field.
    ui.Press(ui.Control(s, salvar::kPasta));
    int p = ui.WindowByCaption("Selecione Diretório");
    auto pastas = ui.Rows(ui.Control(p, seleciona_diretorio::kPastas));
    ASSERT_EQ(pastas.size(), 2u);
    EXPECT_EQ(pastas[1][0], "SAIDA");
    ui.PickRow(ui.Control(p, seleciona_diretorio::kPastas), 2, true);
    ui.Press(ui.ByText(p, "&OK"));
    const std::string saida = text::to_utf8(text::upper(Folder("raiz")) + "\\SAIDA\\");
    EXPECT_EQ(ui.Value(ui.Control(s, salvar::kCaminho)), saida);
    ui.Type(ui.Control(s, salvar::kArquivo), "Rel.txt");
    ui.Press(ui.Control(s, salvar::kOk));
    EXPECT_EQ(ReadFile(Native("raiz/Saida/Rel.txt")), conteudo);

    ui.Press(ui.Control(w, v::kImprimir));
    ui.WaitUntil([&] { return fim.load(); }, "the viewer closes after printing");
    EXPECT_EQ(ReadFile(Native("impressora")), conteudo) << "the file as written, codes included";
}

TEST_F(VisualizadorTest, AReportPrintedStraightGoesToThePortAndItsFileIsDeleted) {
    std::filesystem::create_directories(Native("temp"));
    PastaTemp.Set(Folder("temp") + "\\");
    WriteFile(Native("impressora"), "");
    CodigosImpressoraRec c;
    c.PORTA = Folder("impressora");
    ui::Runtime rt;
    ui::HeadlessDriver ui(rt);
    std::atomic<bool> fim{false};
    std::string nome;
    rt.Start("RelSaidas", [&](ui::ProcContext& ctx) {
        ArquivoTexto arq(c);
        ASSERT_TRUE(arq.AbreTemporario().ok());
        nome = arq.nome();
        ASSERT_TRUE(arq.GravaLinhaTexto("Sa\xED" "das").ok());
        EXPECT_TRUE(EncerraRelatorioTexto(ctx, arq, "RelSaidas.txt", false).ok());
        fim = true;
    });
    ui.WaitUntil([&] { return fim.load(); }, "the report ends");
    EXPECT_EQ(ReadFile(Native("impressora")), "Saidas\r\n");
    EXPECT_FALSE(std::filesystem::exists(files::resolve(nome)));
    EXPECT_TRUE(ui.MessageBoxes().empty());
}
