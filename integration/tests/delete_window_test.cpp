// The deletion windows as the user drives them: the range lists what it selects, the deletion asks
// first (No by default) and the register imports' windows are started by the menu's names.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

struct DeleteWindow : ImportFixture {
    void Saida(std::uint32_t numero, int mesImpor) {
        Seed<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), [&](auto& s) {
            s.Numero = numero;
            s.MesImpor = static_cast<std::uint8_t>(mesImpor);
        });
    }
    std::size_t Saidas() { return All<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO).size(); }
};

}  // namespace

TEST_F(DeleteWindow, TheRangeListsWhatItSelectsAndTheDeletionAsksFirst) {
    for (int mes : {2, 3, 4, 5, 6}) Saida(static_cast<std::uint32_t>(mes), mes);
    ui->Start("ExcluiSaidasImportada");
    const int w = ui->WindowByCaption(" Exclusão das Notas de Saída Importadas");
    const auto lista = ui->Control(w, 8);
    EXPECT_EQ(ui->Rows(lista).size(), 1u);  // the working month, March, on both ends
    EXPECT_EQ(ui->State(ui->Control(w, 4)).text, "Março");
    ui->PickItem(ui->ByPrompt(w, "Mês Final"), "05");
    EXPECT_EQ(ui->Rows(lista).size(), 3u);
    EXPECT_EQ(ui->State(ui->Control(w, 7)).text, "Maio");

    ui->Press(ui->ByText(w, "&Excluir"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().defaultButton, 1);  // "&Não"
    ui->Answer("&Não");
    ui->WaitIdle();
    EXPECT_EQ(Saidas(), 5u);

    ui->Press(ui->ByText(w, "&Excluir"));
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Notas excluídas com sucesso !!!");
    ui->Answer(1);
    EXPECT_TRUE(ui->Rows(lista).empty());
    ui->Press(ui->ByText(w, "&Fechar"));
    ui->WaitIdle();
    EXPECT_EQ(Saidas(), 2u);
}

TEST_F(DeleteWindow, RegisterImportWindowsOpenUnderTheMenuNames) {
    Layout(kTipoProdutos, 1, "Produtos", {});
    ui->Start("ImportaProdutos");
    const int w = ui->WindowByCaption("Importação do Cadastro de Produtos");
    EXPECT_EQ(ui->Rows(ui->ByPrompt(w, "Layout do arquivon de produtos:")).size(), 1u);
    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitIdle();
    for (const char* p : {"ImportaFornecedores", "ImportaMaquinaECF"}) {
        ui->Start(p);
        ui->WaitIdle();
        const int j = ui->TopWindow();
        ui->Press(ui->ByText(j, "&Fecha"));
        ui->WaitIdle();
    }
    EXPECT_TRUE(fs::is_empty(dir / "Temp"));
}

}  // namespace vorel::integration::testing
