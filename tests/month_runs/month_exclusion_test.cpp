// A month's computation and the writes to the movements it reads, started a moment apart in two
// processes on one data root: the later one refuses, says which run holds the month, and writes
// nothing; once the first one ends, the later one goes through.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "import_fixture.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/exclui_importados.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/shell/working_context.h"

namespace vorel::integration::testing {
namespace {

const char* const kCalculando =
    "O cálculo mensal da empresa 1 em 03/2016 está em andamento (nesta ou em outra estação): nada foi "
    "gravado. Grave depois que ele terminar.";
const char* const kGravando =
    "Há uma gravação de movimentos da empresa 1 em 03/2016 em andamento (importação, digitação ou exclusão, "
    "nesta ou em outra estação): o cálculo não foi feito. Calcule depois que ela terminar.";

struct Avisos : computation::AvisosCalculo {
    std::function<void()> primeiro;  // at the first progress call
    std::vector<std::string> mensagens;
    bool Progresso(const computation::ProgressoCalculo&) override {
        if (primeiro) std::exchange(primeiro, nullptr)();
        return true;
    }
    void Mensagem(std::string_view, std::string_view texto) override { mensagens.emplace_back(texto); }
};

// A child process that runs `corre` and stops at its first progress call until the parent says go.
class Filho {
public:
    // `corre` gets the pause to call from its progress and returns the child's exit code.
    explicit Filho(const std::function<int(const std::function<void()>&)>& corre) {
        int ida[2], volta[2];
        EXPECT_EQ(pipe(ida), 0);
        EXPECT_EQ(pipe(volta), 0);
        pid_ = fork();
        if (pid_ == 0) {
            close(ida[0]);
            close(volta[1]);
            int codigo = 5;
            std::thread([&] {
                dictionary::InitDictionary();
                codigo = corre([&] {
                    char c = 1;
                    if (write(ida[1], &c, 1) != 1 || read(volta[0], &c, 1) != 1) _exit(2);
                });
            }).join();
            _exit(codigo);
        }
        close(ida[1]);
        close(volta[0]);
        sinal_ = ida[0];
        segue_ = volta[1];
        char c = 0;
        EXPECT_EQ(read(sinal_, &c, 1), 1) << "the child never reached its pause";
    }
    // Lets the child go on and returns its exit code.
    int Termina() {
        char c = 1;
        EXPECT_EQ(write(segue_, &c, 1), 1);
        close(sinal_);
        close(segue_);
        int status = 0;
        waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int sinal_ = -1, segue_ = -1;
};

struct MonthExclusion : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        LayoutPadrao(17, 1, "Saídas");
        SeedProduct(10);
        for (int complemento : {0, 1})  // exits to the final consumer, whatever complement the line gets
            Seed<dictionary::CFORec>(dictionary::CFO(), [&](auto& c) {
                c.CODIGO = 5102;
                c.COMPLEMENTO = static_cast<std::int16_t>(complemento);
                c.COLUNA = 2;
            });
    }
    // An exits file of March 2016 with `n` lines numbered from `primeira`.
    std::string Arquivo(const std::string& nome, int primeira, int n) {
        std::vector<std::string> linhas;
        for (int i = primeira; i < primeira + n; ++i)
            linhas.push_back(LinhaPadrao(17, {{1, "00000000000000"}, {3, std::to_string(100000 + i)}, {4, "05"},
                                              {5, "03"}, {6, "2016"}, {7, "0000000001000"}, {8, "10"},
                                              {9, "5102"}, {11, "0000000010000"}, {14, "SP"}}));
        return FileOfLines(nome, linhas);
    }
    // Reads and imports the file on this process; the import's result.
    static ResultadoImportacao Importa(const std::string& arquivo, const Progresso& progresso = {}) {
        ResultadoImportacao i;
        OnThread([&] {
            ImportacaoSaidas run;
            ASSERT_EQ(run.Abre(), "");
            ASSERT_TRUE(run.Le({arquivo, 1, 1, 3, 2016, {}, 1}).PodeImportar());
            i = run.Importa(3, progresso);
        });
        return i;
    }
    static computation::ResultadoCalculo Calcula(Avisos& avisos) {
        computation::ResultadoCalculo r;
        OnThread([&] {
            computation::OpcoesCalculo o;
            o.todos = true;
            r = computation::CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos);
        });
        return r;
    }
    std::size_t Saidas() {
        return All<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO).size();
    }
    std::vector<std::string> Saldos() {
        std::vector<std::string> out;
        for (const auto& s : All<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(),
                                                              dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA))
            out.push_back(std::string(s.Produto.clipped()) + " " + std::to_string(date::month(s.Competencia)) +
                          " " + s.QuantProdutos.value().to_string());
        return out;
    }
};

TEST_F(MonthExclusion, AnImportOrADeletionOfAMonthBeingComputedIsRefusedAndWritesNothing) {
    ASSERT_TRUE(Importa(Arquivo("primeira.txt", 1, 1)).ok());
    const std::string segunda = Arquivo("segunda.txt", 2, 20);

    Filho calculo([](const std::function<void()>& pausa) {  // another station computes March
        Avisos avisos;
        avisos.primeiro = pausa;
        computation::OpcoesCalculo o;
        o.todos = true;
        return computation::CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos).ok() ? 0 : 3;
    });
    const ResultadoImportacao i = Importa(segunda);
    EXPECT_FALSE(i.ok());
    EXPECT_EQ(i.recusa, kCalculando);
    EXPECT_EQ(i.importados, 0);
    ResultadoExclusao e;
    ImportFixture::OnThread([&] { e = ExcluiImportados(Importados::Saidas, {3, 3}, {1, 2016, 3}); });
    EXPECT_EQ(e.recusa, kCalculando);
    EXPECT_EQ(Saidas(), 1u) << "nothing imported, nothing deleted";
    EXPECT_EQ(calculo.Termina(), 0);
    EXPECT_EQ(Saldos(), std::vector<std::string>{"10 3 -1"}) << "the month as its one exit makes it";

    // The computation ended: the same import goes through.
    EXPECT_TRUE(Importa(segunda).ok());
    EXPECT_EQ(Saidas(), 21u);
}

TEST_F(MonthExclusion, AComputationOfAMonthBeingImportedIsRefusedAndWritesNothing) {
    const std::string arquivo = Arquivo("saidas.txt", 1, 20);
    Filho importacao([&](const std::function<void()>& pausa) {  // another station imports into March
        int codigo = 4;
        ImportacaoSaidas run;
        if (run.Abre().empty() && run.Le({arquivo, 1, 1, 3, 2016, {}, 1}).PodeImportar()) {
            bool primeiro = true;
            codigo = run.Importa(3, [&](long) {
                         if (std::exchange(primeiro, false)) pausa();
                         return true;
                     }).ok()
                         ? 0
                         : 3;
        }
        return codigo;
    });
    Avisos avisos;
    const computation::ResultadoCalculo r = Calcula(avisos);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.erro, kGravando);
    EXPECT_EQ(avisos.mensagens, std::vector<std::string>{kGravando});
    EXPECT_TRUE(Saldos().empty()) << "the refused computation wrote no month record";
    EXPECT_EQ(importacao.Termina(), 0);
    EXPECT_EQ(Saidas(), 20u);

    // The import ended: the computation goes through and takes the 20 exits.
    Avisos depois;
    EXPECT_TRUE(Calcula(depois).ok());
    EXPECT_EQ(Saldos(), std::vector<std::string>{"10 3 -20"});
}

}  // namespace
}  // namespace vorel::integration::testing
