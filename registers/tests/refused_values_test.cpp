// Values the product and supplier forms refuse as they are typed: a negative code under an
// unsigned picture, a CNPJ of fifteen digits, text longer than the picture or the field, control
// characters. A refused text keeps the focus on its field and is never stored; the values next to
// them are taken (an all-zero CNPJ passes the check digits).
#include "company_fixture.h"

#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::ForCliRec;
using dictionary::ProdutosRec;

struct RefusedValues : CompanyFixture {};

TEST_F(RefusedValues, TheFormsTakeOnlyWhatTheirPicturesAndFieldsHold) {
    struct Case {
        const char* what;
        const char* form;
        const char* caption;
        const char* prompt;
        std::string typed;
        bool taken;
        const char* shown;  // when taken
    } cases[] = {
        {"product code -1 under @N20", "UProdutos", "Inclui Novo Produto", "01 Código", "-1", false, ""},
        {"product code 1", "UProdutos", "Inclui Novo Produto", "01 Código", "1", true, "1"},
        {"unit of 6 letters under @s3", "UProdutos", "Inclui Novo Produto", "04 Unidade", "Caixas", false, ""},
        {"unit of 3 letters", "UProdutos", "Inclui Novo Produto", "04 Unidade", "CXA", true, "CXA"},
        {"product name with a control character", "UProdutos", "Inclui Novo Produto", "03 Produto", "Arroz\x07", false, ""},
        {"product name with NUL", "UProdutos", "Inclui Novo Produto", "03 Produto", std::string("Arroz\0tipo 1", 12), false, ""},
        {"supplier CNPJ of 15 digits", "UFornecedores", "Inclui Novo Cadastro de Fornecedor", "02 CNPJ", "112223330001810", false, ""},
        {"supplier CNPJ, all zeros", "UFornecedores", "Inclui Novo Cadastro de Fornecedor", "02 CNPJ", "00000000000000", true,
         "00.000.000/0000-00"},
        {"supplier name of 41 characters under @s40", "UFornecedores", "Inclui Novo Cadastro de Fornecedor", "04 Nome",
         std::string(41, 'N'), false, ""},
        {"supplier name with a tab", "UFornecedores", "Inclui Novo Cadastro de Fornecedor", "04 Nome", "Ana\tLuz", false, ""},
    };
    for (const Case& c : cases) {
        int t = rt->Start(c.form, ui::Request::Insert);
        int f = ui->WindowByCaption(c.caption);
        auto field = ui->ByPrompt(f, c.prompt);
        ui->Type(field, c.typed);
        ui->Key(f, ui::key::Tab);
        EXPECT_FALSE(ui->HasMessageBox()) << c.what;
        if (c.taken) {
            EXPECT_NE(ui->Focus(f), field.feq) << c.what;
            EXPECT_EQ(ui->Value(field), c.shown) << c.what;
        } else {
            EXPECT_EQ(ui->Focus(f), field.feq) << c.what << ": a refused value keeps the focus";
        }
        ui->CloseWindow(f);
        WaitFinished(t);
    }
    EXPECT_TRUE(Read<ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO, [](const ProdutosRec&) { return ""; }).empty());
    EXPECT_TRUE(Read<ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO1, [](const ForCliRec&) { return ""; }).empty());
}

}  // namespace
}  // namespace vorel::registers::testing
