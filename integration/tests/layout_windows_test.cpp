// The layout windows: the list of one type, a new layout with its default fields and the next free
// code, the position check on "&Grava", and the field form's proposals.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "vorel/core/text.h"
#include "vorel/shell/program_settings.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::integration::testing {

namespace {

struct LayoutWindows : ImportFixture {
    int OpenList(int tipo) {
        EXPECT_FALSE(shell::GravaQelLayout(tipo));
        ui->Start("Layout");
        return ui->WindowByCaption("Janela de Layout");
    }
};

TEST_F(LayoutWindows, TheListShowsOneTypeAndANewLayoutTakesTheNextCodeWithTheDefaultFields) {
    Layout(9, 1, "Clientes", {{1, 1, 6}});
    Layout(17, 2, "Saídas", {});
    int b = OpenList(9);
    EXPECT_EQ(ui->Rows(ui->Control(b, 6)), (std::vector<std::vector<std::string>>{{"009", "001", "Clientes"}}));
    EXPECT_EQ(ui->Text(ui->Control(b, 5)), "Layout Fornecedores");
    ui->Press(ui->ByText(b, "&Inclui"));
    int f = ui->WindowByCaption("Incluindo Novo Layout");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 Código")), "3");  // after the highest code of any type
    const auto campos = ui->Rows(ui->Control(f, 9));
    ASSERT_GE(campos.size(), 2u);
    EXPECT_EQ(campos[0], (std::vector<std::string>{"1-Código do Fornecedor.", "N", "6", "1"}));
    EXPECT_FALSE(ui->Enabled(ui->ByText(f, "&Imprimir")));
    // Written by another menu item meanwhile: the form keeps its list's type.
    ASSERT_FALSE(shell::GravaQelLayout(21));
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Novo");
    ui->Press(ui->ByText(f, "&Grava"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Incluindo Novo Layout"));
    EXPECT_EQ(ui->Rows(ui->Control(b, 6)).size(), 2u);
    EXPECT_EQ(ui->Rows(ui->Control(b, 6))[1][0], "009");
    ui->CloseWindow(b);
}

TEST_F(LayoutWindows, AnAbandonedNewLayoutLeavesNoFieldsBehind) {
    int b = OpenList(17);
    ui->Press(ui->ByText(b, "&Inclui"));
    int f = ui->WindowByCaption("Incluindo Novo Layout");
    EXPECT_EQ(ui->Rows(ui->Control(f, 9)).size(), 10u);  // a page of the 17 default fields
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->WaitIdle();
    ui->CloseWindow(b);
    ui->WaitIdle();
    EXPECT_TRUE((All<dictionary::LayCampArquivosRec>(dictionary::LayCampArquivos(), dictionary::keys::CampArq_Key_Codigo).empty()));
}

TEST_F(LayoutWindows, GravaReceivingTheFocusNamesAMisplacedFieldAndFocusesTheFieldList) {
    Layout(9, 1, "Clientes", {{1, 1, 6}, {2, 5, 40}, {3, 47, 40}});
    int b = OpenList(9);
    ui->PickRow(ui->Control(b, 6), 1);
    ui->Press(ui->ByText(b, "&Altera"));
    int f = ui->WindowByCaption("Alterando Layout");
    EXPECT_TRUE(ui->Enabled(ui->ByText(f, "&Imprimir")));
    ui->FocusOn(ui->ByText(f, "&Grava"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção o campo 2-Razão Social do Fornecedor. está com a posição inicial incorreta possivelmente ela "
              "deve ser 7 !!!");
    EXPECT_EQ(ui->PendingMessageBox().title, "Atenção!!!");
    ui->Answer(1);
    EXPECT_FALSE(ui->HasMessageBox());  // the third field passes
    EXPECT_EQ(ui->Focus(f), 9);
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->CloseWindow(b);
}

TEST_F(LayoutWindows, OpeningAFieldToChangeProposesTheCataloguesHintAndKind) {
    Layout(10, 1, "Produtos", {{16, 156, 7}});
    int b = OpenList(10);
    ui->PickRow(ui->Control(b, 6), 1);
    ui->Press(ui->ByText(b, "&Altera"));
    int f = ui->WindowByCaption("Alterando Layout");
    ui->PickRow(ui->Control(f, 9), 1);
    ui->Press(ui->ByText(f, "&Altera"));
    int c = ui->WindowByCaption("Alterando Dados do Layout");
    EXPECT_EQ(ui->Value(ui->Control(c, 4)), "13-Alíquota Reduzida.");
    EXPECT_TRUE(ui->Hidden(ui->Control(c, 3)));
    EXPECT_EQ(ui->Value(ui->ByPrompt(c, "02 Descrição Campo")), "deixar em branco");
    EXPECT_EQ(ui->Value(ui->ByPrompt(c, "03 Tipo do Campo")), "N-Numérico");
    ui->Press(ui->ByText(c, "&Cancela"));
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->CloseWindow(b);
}

}  // namespace

}  // namespace vorel::integration::testing
