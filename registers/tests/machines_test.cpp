// The cash-register machine register driven headless: a second machine with a code already used is
// refused and the form stays open; the tabs list by name and by code.
#include "company_fixture.h"

#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::ICMSEletronicaRec;

constexpr const char* kBrowse = "Janela de Máquina de Apuração";
constexpr const char* kInsert = "Inclui Máquina Registradora";
constexpr int kList = 8;

struct MachineTest : CompanyFixture {
    int Insert(const char* code, const char* name) {
        int b = ui->WindowByCaption(kBrowse);
        ui->Press(ui->ByText(b, "&Inclui Nova Máquina"));
        int f = ui->WindowByCaption(kInsert);
        ui->Type(ui->ByPrompt(f, "01 Codigo"), code);
        ui->Type(ui->ByPrompt(f, "02 Nome"), name);
        ui->Type(ui->ByPrompt(f, "03 Série"), "SN-1");
        ui->Press(ui->ByText(f, "&O.K."));
        return f;
    }
};

TEST_F(MachineTest, DuplicateCodeIsRefusedAndTabsListByNameOrCode) {
    ui->Start("ICMSEletronico");
    int b = ui->WindowByCaption(kBrowse);
    Insert("2", "Caixa Frente");
    EXPECT_FALSE(ui->HasWindow(kInsert));
    Insert("1", "Balcao");
    int f = Insert("2", "Caixa Fundos");
    ASSERT_TRUE(ui->HasMessageBox());  // the engine's duplicate-key message
    ui->Answer(1);
    EXPECT_TRUE(ui->HasWindow(kInsert));
    ui->Press(ui->ByText(f, "&Cancela"));
    EXPECT_EQ(Read<ICMSEletronicaRec>(dictionary::ICMSEletronica(), dictionary::keys::ICM_KEY_NUMERO,
                                      [](const ICMSEletronicaRec& r) { return std::string(r.Nome.clipped()); }),
              (std::vector<std::string>{"Balcao", "Caixa Frente"}));

    auto list = ui->Control(b, kList);
    EXPECT_EQ(ui->Rows(list), (Rows{{"Balcao", "1", "SN-1"}, {"Caixa Frente", "2", "SN-1"}}));
    ui->Press(ui->ByText(b, "&Alteraca Cadastro"));
    f = ui->WindowByCaption("Altera Máquina Registradora");
    EXPECT_EQ(ui->Text(ui->ByText(f, "&Grava")), "&Grava");
    ui->Type(ui->ByPrompt(f, "02 Nome"), "Zeta");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_EQ(ui->Rows(list)[1][0], "Zeta");  // by name: Caixa Frente (2), then Zeta (1)
    ui->PickTab(ui->Control(b, 1), "Pesquisa por &Máquina");
    EXPECT_EQ(ui->Rows(list), (Rows{{"Zeta", "1", "SN-1"}, {"Caixa Frente", "2", "SN-1"}}));
}

}  // namespace
}  // namespace vorel::registers::testing
