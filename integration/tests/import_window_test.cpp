// The exit import's window as the user drives it: the layout list, the read with its messages,
// the import once, and the staging file removed when the window closes.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::integration::testing {

namespace {

constexpr const char* kCaption = "Importação do Lançamentos de Saídas por Notas Fiscais";

struct ImportWindow : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        LayoutPadrao(17, 2, "Saídas do cliente");
        Layout(16, 1, "Entradas", {});
    }
    // Lines of the default exit layout: number, day/month/year; the rest blank.
    static std::string Line(const std::string& numero, const std::string& mes) {
        return LinhaPadrao(17, {{3, numero}, {4, "05"}, {5, mes}, {6, "2016"}});
    }
    int Open() {
        ui->Start("ImportaSaidasNota");
        return ui->WindowByCaption(kCaption);
    }
    void Read(int w, const std::string& arquivo) {
        ui->Type(ui->ByPrompt(w, "Arquivo texto de NF"), arquivo);
        ui->PickRow(ui->ByPrompt(w, "Layout do arquivo"), 1);
        ui->Press(ui->ByText(w, "&Ler arquivo"));
    }
};

TEST_F(ImportWindow, ReadThenImportOnceAndTheStagingFileGoesWithTheWindow) {
    const std::string arquivo = File("notas.txt", Line("000001", "03") + "\r\n" + Line("000002", "03") + "\r\n");
    int w = Open();
    EXPECT_EQ(ui->Rows(ui->ByPrompt(w, "Layout do arquivo")), (std::vector<std::vector<std::string>>{{"Saídas do cliente"}}));
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivo")));
    Read(w, arquivo);
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Leitura Efetuada com sucesso");
    ui->Answer(1);
    EXPECT_TRUE(ui->Enabled(ui->ByText(w, "Importa Arquivo")));
    EXPECT_EQ(ui->Rows(ui->Control(w, 24)).size(), 2u);  // the staged records' list
    ui->Press(ui->ByText(w, "Importa Arquivo"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Importação efetuada com sucesso !!!");
    ui->Answer(1);
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivo")));  // never twice

    // A second read of a file with another month: stopped, and the import stays off.
    const std::string outro = File("abril.txt", Line("000003", "03") + "\r\n" + Line("000004", "04") + "\r\n");
    Read(w, outro);
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Ocorreu um erro fatal, a nota de número 4 possui a Data com mês diferente ao selecionado!!!");
    EXPECT_EQ(ui->PendingMessageBox().title, "Atenção!!!");
    ui->Answer(1);
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivo")));
    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kCaption));
    EXPECT_EQ(All<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO).size(), 2u);
    EXPECT_TRUE(fs::is_empty(dir / "Temp"));
    EXPECT_TRUE(fs::exists(arquivo));
    EXPECT_TRUE(fs::exists(outro));
}

TEST_F(ImportWindow, ReadingWithoutALayoutAsksForOne) {
    const std::string arquivo = File("notas.txt", Line("000001", "03") + "\r\n");
    int w = Open();
    ui->Type(ui->ByPrompt(w, "Arquivo texto de NF"), arquivo);
    ui->Press(ui->ByText(w, "&Ler arquivo"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Atneção!!!");
    ui->Answer(1);
    EXPECT_EQ(ui->Focus(w), ui->ByPrompt(w, "Layout do arquivo").feq);
    ui->CloseWindow(w);
}

}  // namespace

}  // namespace vorel::integration::testing
