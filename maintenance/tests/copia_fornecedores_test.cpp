// The supplier register copy: where the registers lie, the copy taking the destination alone and
// putting a whole copy in place, the window's refusals, and a copy killed at each of its steps.
#include <gtest/gtest.h>

#include <fstream>

#include "killed_run.h"
#include "unificacao_fixture.h"
#include "vorel/data/open_mode.h"
#include "vorel/maintenance/copia_fornecedores.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EmpresaRec;

class CopiaFornecedoresTest : public UnificacaoFixture {
protected:
    void SetUp() override {
        UnificacaoFixture::SetUp();
        // The working company 1 and the head office 123 keep their own registers, 200 the shared one.
        Grava<EmpresaRec>(dictionary::Empresa(), 3, [](EmpresaRec& e, int i) {
            const std::uint32_t codigos[] = {1, 123, 200};
            e.Codigo = codigos[i];
            e.TIPOFORNECEDOR = i == 2 ? 1 : 2;
        });
        destino = DestinoDaCopia(root, 1);
        matriz = OrigemDaCopia(root, TipoCopia::PlanoIndividual, 123);
        Registro(destino, 1, "ANTIGO");
        Registro(matriz, 3, "MATRIZ");
    }
    // A register of `n` records named `nome` at `arquivo` (its folder made).
    void Registro(const std::string& arquivo, int n, const char* nome) {
        std::filesystem::create_directories(files::resolve(arquivo).parent_path());
        Grava<ForCliRec>(dictionary::ForCli0(), n, [&](ForCliRec& f, int i) {
            Fornecedor(f, static_cast<std::uint32_t>(i + 1), nome, "");
        }, arquivo);
    }
    // The names in the register at `arquivo`.
    std::vector<std::string> Nomes(const std::string& arquivo) {
        std::vector<std::string> out;
        for (const auto& f : Le<ForCliRec>(dictionary::ForCli0(), keys::FOR0_KEY_CODIGO1, arquivo))
            out.emplace_back(f.Nome.clipped());
        return out;
    }
    std::string destino, matriz;
};

TEST_F(CopiaFornecedoresTest, AHeadOfficesRegisterLiesInItsFolderOfEightDigitsAndIsCopiedWhole) {
    EXPECT_EQ(matriz, root + "00000123\\Escrita\\ForCli.Tps");
    EXPECT_EQ(OrigemDaCopia(root, TipoCopia::PlanoGeral, 0), root + "BComuns\\ForCli.Tps");
    EXPECT_EQ(destino, root + "00000001\\Escrita\\ForCli.Tps");
    EXPECT_EQ(NaThread([&] { return CopiaCadastroFornecedores(matriz, destino); }), "");
    EXPECT_EQ(Nomes(destino), std::vector<std::string>(3, "MATRIZ"));
    EXPECT_FALSE(files::exists(destino + ".novo"));
}

TEST_F(CopiaFornecedoresTest, ARegisterOpenElsewhereOrAMissingSourceCopiesNothingAndSaysSo) {
    std::string emUso;
    std::thread([&] {
        dictionary::InitDictionary();
        data::FileManager aberto(dictionary::ForCli0());
        ASSERT_TRUE(aberto.open_path(destino).ok());  // another window's shared open
        emUso = NaThread([&] { return CopiaCadastroFornecedores(matriz, destino); });
        (void)aberto.close();
        dictionary::TeardownDictionary();
    }).join();
    EXPECT_NE(emUso.find("em uso"), std::string::npos) << emUso;
    const std::string falta = NaThread([&] { return CopiaCadastroFornecedores(root + "nada\\ForCli.Tps", destino); });
    EXPECT_NE(falta.find("não foi encontrado"), std::string::npos) << falta;
    // A file that is no register of this system.
    std::filesystem::create_directories(dir / "texto");
    { std::ofstream(dir / "texto" / "ForCli.Tps") << "linha de outro programa\n"; }
    const std::string texto = NaThread([&] { return CopiaCadastroFornecedores(root + "texto\\ForCli.Tps", destino); });
    EXPECT_NE(texto.find("não pôde ser lido"), std::string::npos) << texto;
    EXPECT_EQ(Nomes(destino), std::vector<std::string>{"ANTIGO"});
}

TEST_F(CopiaFornecedoresTest, ACopyKilledAtAnyStepLeavesTheOldRegisterOrTheWholeCopy) {
    for (int passo = 1; passo <= 4; ++passo) {
        SCOPED_TRACE("killed at step " + std::to_string(passo));
        vorel::testing::MataNaChamada(passo, [&](const std::function<void()>& pausa) {
            return CopiaCadastroFornecedores(matriz, destino, [&](int) { pausa(); }).empty();
        });
        const auto nomes = Nomes(destino);
        if (passo < 4) {
            EXPECT_EQ(nomes, std::vector<std::string>{"ANTIGO"});
        } else {
            EXPECT_EQ(nomes, std::vector<std::string>(3, "MATRIZ"));
        }
        std::filesystem::remove(files::resolve(destino));
        Registro(destino, 1, "ANTIGO");
    }
}

struct Escolha {
    const char* nome;
    const char* tipo;     // the radio chosen, or null
    const char* codigo;   // the head office typed, or null
    const char* mensagem;
};
void PrintTo(const Escolha& e, std::ostream* os) { *os << e.nome; }

class CopiaFornecedoresJanela : public CopiaFornecedoresTest, public ::testing::WithParamInterface<Escolha> {};

TEST_P(CopiaFornecedoresJanela, RefusesWithoutAHeadOfficeOfItsOwn) {
    const Escolha& e = GetParam();
    StartUser();
    ui->Start("CopiaFornecedores");
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the opening message");
    EXPECT_EQ(ui->PendingMessageBox().text.rfind("Atenção, esta opção executa a ", 0), 0u);
    ui->Answer(1);
    const int w = ui->WindowByCaption("Cópia de Arquivos");
    EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "2 Empresa Matriz..........")));
    if (e.tipo) ui->Check(ui->ByText(w, e.tipo), true);
    ui->WaitIdle();
    if (e.codigo) ui->Type(ui->ByPrompt(w, "2 Empresa Matriz.........."), e.codigo);
    ui->Press(ui->ByText(w, "C&opiar"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, e.mensagem);
    EXPECT_EQ(ui->PendingMessageBox().text, e.mensagem);
    ui->Answer(1);
    ui->WaitIdle();
    if (std::string(e.mensagem) == "Cópia executada com êxito!!!") {
        ui->WaitUntil([&] { return !ui->HasWindow("Cópia de Arquivos"); }, "the window to close");
        EXPECT_EQ(Nomes(destino), std::vector<std::string>(3, "MATRIZ"));
    } else {
        EXPECT_TRUE(ui->HasWindow("Cópia de Arquivos"));
        EXPECT_EQ(Nomes(destino), std::vector<std::string>{"ANTIGO"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Escolhas, CopiaFornecedoresJanela,
    ::testing::Values(Escolha{"NoChoice", nullptr, nullptr, "Empresa não cadastrada!!!"},
                      Escolha{"IndividualWithoutCode", "2 Plano Individual", nullptr,
                              "Não é possível executar a cópia do arquivo sem uma empresa matriz selecionada!!!"},
                      Escolha{"HeadOfficeOnTheGeneralPlan", "2 Plano Individual", "200",
                              "Empresa matriz cadastrada com tipo de fornecedores Geral!!!"},
                      Escolha{"HeadOffice123", "2 Plano Individual", "123", "Cópia executada com êxito!!!"}),
    [](const ::testing::TestParamInfo<Escolha>& i) { return std::string(i.param.nome); });

TEST_F(CopiaFornecedoresTest, AWorkingCompanyOnTheGeneralPlanIsRefusedAtOpening) {
    Grava<EmpresaRec>(dictionary::Empresa(), 1, [](EmpresaRec& e, int) {
        e.Codigo = 2;
        e.TIPOFORNECEDOR = 1;
    });
    shell::GLO_EMPRESA_CODIGO.Set(2);
    StartUser();
    ui->Start("CopiaFornecedores");
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the opening message");
    ui->Answer(1);
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the refusal");
    EXPECT_EQ(ui->PendingMessageBox().text, "Empresa cadastrada com tipo de fornecedores geral!!!");
    ui->Answer(1);
    ui->WaitUntil([&] { return !ui->HasWindow("Cópia de Arquivos"); }, "the window to close");
}

}  // namespace
}  // namespace vorel::maintenance::testing
