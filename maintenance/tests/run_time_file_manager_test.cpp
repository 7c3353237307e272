// The table maintenance window and its operations on our files: the two questions, the sorted list
// and the buttons that follow the marks, the run-time files passed over, Info and Create on a missing
// file, a file another process holds left alone with its message while the run goes on, a stopped
// table left as it was (the progress window's "&Cancel" stops the table in hand so), and Fix, Release
// and Freshen from the window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "reparo_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/data/open_mode.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/maintenance/manutencao_arquivos.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

const char* kSuporte = "Esta opção deve ser utilizada mediante suporte técnico! Deseja continuar ?";
const char* kEstacoes = "Esta opção não deve ser utilizada se existir alguma estação com o programa aberto. Deseja continuar ?";

std::string Bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct RunTimeFileManagerTest : ReparoFixture {
    // `n` rate-history rows and one product in the working company's (shared) files.
    void Registros(int n) {
        Grava<ProdutosRec>(dictionary::Produtos(), [](ProdutosRec& p) { p.Codigo = Decimal(1); });
        Grava<ProdutosAliqRec>(dictionary::ProdutosAliq(), n, [](ProdutosAliqRec& a, int i) {
            a.CODIGO_PRODUTO = Decimal(1 + i % 50);
            a.CODIGO = Decimal(i + 1);
            a.ALIQUOTA = D("18");
            a.DATA_INICIAL = Dia(2000, 1, 1) + i;
        });
    }
    std::string Arquivo(const data::TableDesc& d) { return files::resolve(d.file_name()).string(); }
    // Drops a key's index of the file (it then opens with 46) and tells whether it is still missing.
    static void SemIndice(const std::string& file) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "DROP INDEX k1", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    static bool TemIndice(const std::string& file) {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE name = 'k1'", -1, &st, nullptr);
        const bool tem = sqlite3_step(st) == SQLITE_ROW;
        sqlite3_finalize(st);
        sqlite3_close(db);
        return tem;
    }
    // Opens the window past its two questions.
    int Abre() {
        ui->Start("RunTimeFileManager");
        ui->Answer("&Sim");
        ui->Answer("&Sim");
        return ui->WindowByCaption("Atualização Arquivos");
    }
    ui::HeadlessDriver::Ctl Lista(int w) { return ui->Control(w, 1); }
    // The row (1-based) of a description.
    int Linha(int w, const std::string& descricao) {
        const auto rows = ui->Rows(Lista(w));
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i][1] == descricao) return static_cast<int>(i) + 1;
        ADD_FAILURE() << "no row " << descricao;
        return 1;
    }
    void Marca(int w, const std::string& descricao) { ui->PickRow(Lista(w), Linha(w, descricao), true); }
    std::vector<std::string> Colunas(int w, const std::string& descricao) {
        return ui->Rows(Lista(w))[static_cast<std::size_t>(Linha(w, descricao) - 1)];
    }
};

TEST_F(RunTimeFileManagerTest, AsksTwiceThenListsTheTablesByDescriptionWithButtonsFollowingTheMarks) {
    StartUser();
    ui->Start("RunTimeFileManager");
    ASSERT_TRUE(ui->HasMessageBox());
    auto pergunta = ui->PendingMessageBox();
    EXPECT_EQ(pergunta.text, kSuporte);
    EXPECT_EQ(pergunta.title, "ATENÇÃO!!!");
    EXPECT_EQ(pergunta.buttons, (std::vector<std::string>{"&Não", "&Sim"}));
    EXPECT_EQ(pergunta.defaultButton, 1);
    ui->Answer("&Não");
    ASSERT_TRUE(ui->HasMessageBox());  // the second is asked all the same
    EXPECT_EQ(ui->PendingMessageBox().text, kEstacoes);
    EXPECT_EQ(ui->PendingMessageBox().defaultButton, 1);
    ui->Answer("&Sim");
    EXPECT_FALSE(ui->HasWindow("Atualização Arquivos"));

    const int w = Abre();
    const auto rows = ui->Rows(Lista(w));
    ASSERT_EQ(rows.size(), 36u);
    EXPECT_EQ(rows[0][1], "Aliquotas dos produtos por periodo");
    EXPECT_EQ(rows[1][1], "Analítico da Vorel");
    EXPECT_EQ(rows[2][1], "Arquivo da quantidade da Vorel");
    EXPECT_EQ(rows[3][1], "Arquivo de Empresas");
    EXPECT_EQ(Linha(w, "Tabela de alterações no cadastro de func"), 35);  // a description's first 40 characters
    for (const auto& r : rows) EXPECT_EQ(r[2], "?");
    const char* operacoes[] = {"&Reindexa", "&Limpa", "&Atualiza", "&Corrige", "Força Indexação", "&Informações",
                               "&Cria Arquivos"};
    auto habilitados = [&] {
        int n = 0;
        for (const char* b : operacoes) n += ui->State(ui->ByText(w, b)).enabled ? 1 : 0;
        return n;
    };
    EXPECT_EQ(habilitados(), 0);
    // The list opens on its first row: Enter there marks it, and again unmarks it.
    ASSERT_EQ(ui->Focus(w), Lista(w).feq);
    ui->Key(w, ui::key::Enter);
    EXPECT_EQ(ui->CellAt(Lista(w), 1, 1).icon, 1);
    EXPECT_EQ(habilitados(), 7);
    ui->Key(w, ui::key::Enter);
    EXPECT_EQ(ui->CellAt(Lista(w), 1, 1).icon, 0);
    ui->PickRow(Lista(w), 2, true);
    EXPECT_EQ(ui->CellAt(Lista(w), 2, 1).icon, 1);
    EXPECT_EQ(habilitados(), 7);
    ui->PickRow(Lista(w), 2, true);
    EXPECT_EQ(ui->CellAt(Lista(w), 2, 1).icon, 0);
    EXPECT_EQ(habilitados(), 0);
    ui->Press(ui->ByText(w, "&Marca Todos"));
    EXPECT_EQ(habilitados(), 7);
    ui->Press(ui->ByText(w, "&Desmarca Todos"));
    EXPECT_EQ(habilitados(), 0);
}

TEST_F(RunTimeFileManagerTest, RunTimeFilesArePassedOverAndAMissingFileIsToldThenCreated) {
    StartUser();
    const int w = Abre();
    Marca(w, "ImpMatricial");
    ui->Press(ui->ByText(w, "&Informações"));
    EXPECT_FALSE(ui->HasWindow("Progress..."));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Colunas(w, "ImpMatricial")[2], "?");
    EXPECT_EQ(Colunas(w, "ImpMatricial")[3], "Arquivo temporário");

    const std::string lote = dictionary::CaminhoLoteVorel.get();
    ASSERT_FALSE(files::exists(lote));
    Marca(w, "ImpMatricial");
    Marca(w, "Arquivo de Lote Vorel");
    ui->Press(ui->ByText(w, "&Informações"));
    EXPECT_EQ(Colunas(w, "Arquivo de Lote Vorel")[2], "?");
    EXPECT_EQ(Colunas(w, "Arquivo de Lote Vorel")[3], "Error 2 : Arquivo não encontrado");
    EXPECT_FALSE(files::exists(lote));
    ui->Press(ui->ByText(w, "&Cria Arquivos"));
    EXPECT_EQ(Colunas(w, "Arquivo de Lote Vorel")[2], "0");
    EXPECT_EQ(Colunas(w, "Arquivo de Lote Vorel")[3], lote);
    EXPECT_TRUE(files::exists(lote));
}

TEST_F(RunTimeFileManagerTest, AFileAnotherProcessHoldsIsSaidAndLeftAsItWasWhileTheRunGoesOn) {
    Registros(300);
    const std::string produtos = Arquivo(dictionary::Produtos()), aliq = Arquivo(dictionary::ProdutosAliq());
    int ida[2];
    ASSERT_EQ(pipe(ida), 0);
    const pid_t filho = fork();
    if (filho == 0) {
        std::thread([&] {
            data::FileManager fm(dictionary::Produtos());
            char c = fm.open_path(produtos).ok() ? 'o' : 'x';
            if (write(ida[1], &c, 1) != 1) _exit(2);
            for (;;) pause();
        }).join();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ida[0], &c, 1), 1);
    ASSERT_EQ(c, 'o');
    const std::string antes = Bytes(produtos);

    StartUser();
    const int w = Abre();
    Marca(w, "Cadastro de Produtos");
    Marca(w, "Aliquotas dos produtos por periodo");
    for (const char* botao : {"&Reindexa", "&Limpa"}) {
        SCOPED_TRACE(botao);
        SemIndice(aliq);
        ui->Press(ui->ByText(w, botao));
        ASSERT_TRUE(ui->HasMessageBox());
        EXPECT_EQ(ui->PendingMessageBox().title, "File Access Error");
        EXPECT_EQ(ui->PendingMessageBox().text,
                  "This option requires exclusive file access.|Please ensure no other users are in the system. "
                  "|An error occured trying to open the file : Error Arquivo bloqueado por outro usuário");
        ui->Answer(1);
        ui->WaitIdle();
        EXPECT_FALSE(ui->HasWindow("Progress..."));
        EXPECT_EQ(Colunas(w, "Aliquotas dos produtos por periodo")[2], "300");
        EXPECT_EQ(TemIndice(aliq), std::string(botao) == "&Reindexa");
    }
    kill(filho, SIGKILL);
    waitpid(filho, nullptr, 0);
    EXPECT_EQ(Bytes(produtos), antes);
    EXPECT_EQ(Colunas(w, "Cadastro de Produtos")[2], "?");
}

TEST_F(RunTimeFileManagerTest, AStoppedBuildLeavesTheTableAsItWasAndALaterOneBuildsIt) {
    Registros(300);
    const std::string aliq = Arquivo(dictionary::ProdutosAliq());
    SemIndice(aliq);
    const auto tabelas = TabelasDaManutencao();
    const TabelaListada& historico = tabelas[0];
    ASSERT_EQ(historico.rotulo, "ProdutosAliq");
    const ResultadoOperacao parado = NaThread([&] {
        return ExecutaOperacao(Operacao::Build, historico, [](const std::string& acao, int) { return acao != "Key :PALIQ:KEY:CODIGOPRODUTO"; });
    });
    EXPECT_FALSE(TemIndice(aliq));
    EXPECT_EQ(parado.registros, "300");
    const ResultadoOperacao feito = NaThread([&] { return ExecutaOperacao(Operacao::Build, historico); });
    EXPECT_TRUE(TemIndice(aliq));
    EXPECT_EQ(feito.registros, "300");
}

TEST_F(RunTimeFileManagerTest, FixReleaseAndFreshenFromTheWindow) {
    Registros(2000);
    const std::string aliq = Arquivo(dictionary::ProdutosAliq());
    StartUser();
    const int w = Abre();
    Marca(w, "Aliquotas dos produtos por periodo");
    // A sound file: Fix changes nothing.
    const std::string antes = Bytes(aliq);
    ui->Press(ui->ByText(w, "&Corrige"));
    EXPECT_EQ(Colunas(w, "Aliquotas dos produtos por periodo")[2], "2000");
    EXPECT_EQ(Colunas(w, "Aliquotas dos produtos por periodo")[3], dictionary::CaminhoProdutosAliq.get());
    EXPECT_EQ(Bytes(aliq), antes);
    // A damaged key: rebuilt whole, the original kept.
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(aliq.c_str(), &db), SQLITE_OK);
        data::register_collations(db);
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT pageno, (SELECT page_size FROM pragma_page_size) FROM dbstat WHERE name = 'k1' AND pagetype = 'leaf'", -1, &st, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        const long pagina = sqlite3_column_int64(st, 0), tamanho = sqlite3_column_int64(st, 1);
        sqlite3_finalize(st);
        sqlite3_close(db);
        std::fstream f(aliq, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp((pagina - 1) * tamanho);
        const std::string lixo(static_cast<std::size_t>(tamanho), '\x5A');
        f.write(lixo.data(), static_cast<std::streamsize>(lixo.size()));
    }
    ui->Press(ui->ByText(w, "&Corrige"));
    const auto linha = Colunas(w, "Aliquotas dos produtos por periodo");
    EXPECT_EQ(linha[2], "2000");
    EXPECT_EQ(linha[3].rfind("Refeito: 2000 registros mantidos, 0 perdidos; original em " + dictionary::CaminhoProdutosAliq.get() + ".", 0), 0u)
        << linha[3];
    // Release reads everything and changes nothing; Freshen rewrites it and tells its count.
    ui->Press(ui->ByText(w, "&Atualiza"));
    EXPECT_EQ(Colunas(w, "Aliquotas dos produtos por periodo")[2], "2000");
    EXPECT_EQ(Colunas(w, "Aliquotas dos produtos por periodo")[3], dictionary::CaminhoProdutosAliq.get());
    ui->Press(ui->ByText(w, "Força Indexação"));
    EXPECT_EQ(Colunas(w, "Aliquotas dos produtos por periodo")[2], "2000");
    EXPECT_EQ(Le<ProdutosAliqRec>(dictionary::ProdutosAliq(), keys::PALIQ_Key_Codigo).size(), 2000u);
}

}  // namespace
}  // namespace vorel::maintenance::testing
