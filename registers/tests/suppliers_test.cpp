// The supplier and customer register driven headless: the CNPJ zero-filled and checked when its
// entry is left, a second active record with the CNPJ questioned (an inactive one is not), the
// state-registration check and the blank CNPJ on OK, and the archive copy of a deleted record
// written through a cursor on the archive file, in the delete's transaction.
#include "company_fixture.h"

#include <fstream>
#include <sys/stat.h>

#include "vorel/core/settings_file.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::EstadosRec;
using dictionary::ForCliRec;
using ui::Request;
using ui::Response;

constexpr const char* kBrowse = "Janela de Fornecedores e Clientes Cadastrados";
constexpr const char* kInsert = "Inclui Novo Cadastro de Fornecedor";
constexpr const char* kDuplicate = "Atenção!!! Já existe outro cadastro com o CNPJ informado!!! Deseja continuar???";
constexpr const char* kInvalidIe = "Atenção!!! Inscrição estadual inválida!!! Deseja continuar assim mesmo???";
constexpr int kList = 11, kQuant = 13;

struct SupplierTest : CompanyFixture {
    void SetUp() override {
        CompanyFixture::SetUp();
        Seed<EstadosRec>(dictionary::Estados(), 2, [](EstadosRec& r, int i) {
            r.UF = i == 0 ? "SP" : "RJ";
            r.DESC = i == 0 ? "Sao Paulo" : "Rio de Janeiro";
        });
    }
    struct Supplier {
        std::uint32_t code;
        const char* cnpj;
        std::uint8_t inactive;
        const char* name;
        const char* ie = "ISENTO";
    };
    void SeedSuppliers(std::vector<Supplier> rows) {
        Seed<ForCliRec>(dictionary::ForCli(), static_cast<int>(rows.size()), [&](ForCliRec& r, int i) {
            const Supplier& s = rows[static_cast<std::size_t>(i)];
            r.Codigo = s.code;
            r.CGC = s.cnpj;
            r.Inativo = s.inactive;
            r.Nome = s.name;
            r.InscricaoEstadual = s.ie;
            r.Estado = "SP";
            r.TipoInscricao = 1;
        });
    }
    std::vector<std::string> Stored() {
        return Read<ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO1, [](const ForCliRec& r) {
            return std::to_string(r.Codigo) + " " + std::string(r.CGC.clipped()) + " " + std::string(r.Nome.clipped()) +
                   " " + std::string(r.InscricaoEstadual.clipped());
        });
    }
    // The archive file, read through a cursor of its own on the archive's path.
    std::vector<ForCliRec> Archive() {
        std::vector<ForCliRec> out;
        std::thread([&] {
            data::FileManager fm(dictionary::ForCliMorto());
            ASSERT_EQ(fm.open_path(dictionary::ArquivoForCliMorto.get()), data::kNoError);
            fm.clear_record();
            (void)fm.set(fm.desc().key_index(dictionary::keys::ForCliMorto_KEY_CODIGO));
            while (fm.next().ok()) out.push_back(fm.rec<ForCliRec>());
            (void)fm.close();
        }).join();
        return out;
    }
    int OpenForm(const char* button, const char* caption, int row = 0) {
        int b = ui->HasWindow(kBrowse) ? ui->WindowByCaption(kBrowse) : (ui->Start("Fornecedores"), ui->WindowByCaption(kBrowse));
        if (row) ui->PickRow(ui->Control(b, kList), row);
        ui->Press(ui->ByText(b, button));
        return ui->WindowByCaption(caption);
    }
    void TypeAndLeave(int f, const char* prompt, const std::string& text) {
        ui->Type(ui->ByPrompt(f, prompt), text);
        ui->Key(f, ui::key::Tab);
        ui->WaitIdle();
    }
};

TEST_F(SupplierTest, CnpjIsZeroFilledAndCheckedWhenTheEntryIsLeft) {
    int f = OpenForm("&Inclui Novo Cadastro", kInsert);
    // 00.000.000/0001-91 has right check digits: no message.
    TypeAndLeave(f, "02 CNPJ", "191");
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 CNPJ")), "00.000.000/0001-91");

    // 1234 becomes 00000000001234, whose check digits are wrong: the message, and back to the entry.
    TypeAndLeave(f, "02 CNPJ", "1234");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_NE(ui->PendingMessageBox().text.find("Digito incorreto"), std::string::npos);
    ui->Answer(1);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 CNPJ")), "00.000.000/0012-34");
    EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "02 CNPJ").feq);
    ui->Press(ui->ByText(f, "&Cancela"));
}

TEST_F(SupplierTest, SecondActiveRecordWithTheCnpjIsQuestionedAnInactiveOneIsNot) {
    SeedSuppliers({{1, "11222333000181", 0, "Ativo"}, {2, "00000000000191", 1, "Inativo"}});
    int f = OpenForm("&Inclui Novo Cadastro", kInsert);
    TypeAndLeave(f, "02 CNPJ", "11.222.333/0001-81");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, kDuplicate);
    EXPECT_EQ(ui->PendingMessageBox().title, "Atenção!!!");
    ui->Answer("&Não");
    EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "02 CNPJ").feq);

    TypeAndLeave(f, "02 CNPJ", "191");  // only an inactive record has it
    EXPECT_FALSE(ui->HasMessageBox());
    ui->Press(ui->ByText(f, "&Cancela"));

    // The record's own CNPJ is no duplicate of itself.
    f = OpenForm("&Altera Cadastro", "Altera Cadastro de Fornecedor", 1);
    TypeAndLeave(f, "02 CNPJ", "11222333000181");
    EXPECT_FALSE(ui->HasMessageBox());
    ui->Press(ui->ByText(f, "&Cancela"));
}

TEST_F(SupplierTest, OkChecksTheStateRegistrationAndRefusesABlankCnpj) {
    int f = OpenForm("&Inclui Novo Cadastro", kInsert);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 CNPJ")), "");
    ui->Press(ui->ByText(f, "&OK"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Campo de CNPJ deve ser Informado!!!");
    ui->Answer(1);

    TypeAndLeave(f, "02 CNPJ", "11222333000181");
    TypeAndLeave(f, "03 Insc. Est", "110.042.490.115");  // a wrong check digit for SP
    TypeAndLeave(f, "04 Nome", "Distribuidora Norte");
    TypeAndLeave(f, "10 Estado", "sp");
    ui->Press(ui->ByText(f, "&OK"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, kInvalidIe);
    EXPECT_EQ(ui->PendingMessageBox().icon, ui::Icon::Question);
    ui->Answer("&Não");
    EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "03 Insc. Est").feq);
    EXPECT_EQ(Stored(), (std::vector<std::string>{"1   "}));  // only the new record's primed number

    // Accepted as it stands with "&Sim".
    ui->Press(ui->ByText(f, "&OK"));
    ui->Answer("&Sim");
    EXPECT_FALSE(ui->HasWindow(kInsert));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"1 11222333000181 Distribuidora Norte 110.042.490.115"}));

    const int b = ui->WindowByCaption(kBrowse);
    EXPECT_EQ(ui->Text(ui->Control(b, kQuant)), "1") << "the count follows an insert";

    // A valid registration passes without a word.
    f = OpenForm("&Inclui Novo Cadastro", kInsert);
    TypeAndLeave(f, "02 CNPJ", "191");
    TypeAndLeave(f, "03 Insc. Est", "110042490114");
    TypeAndLeave(f, "10 Estado", "SP");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Stored().size(), 2u);
    EXPECT_EQ(ui->Text(ui->Control(b, kQuant)), "2");
}

TEST_F(SupplierTest, AMobileNumberOfNineDigitsIsRefusedWithTheReason) {
    int f = OpenForm("&Inclui Novo Cadastro", kInsert);
    for (const char* campo : {"13 Telefone", "15 Fax"}) {
        SCOPED_TRACE(campo);
        TypeAndLeave(f, campo, "987654321");
        ASSERT_TRUE(ui->HasMessageBox());
        EXPECT_EQ(ui->PendingMessageBox().title, "Atenção");
        EXPECT_NE(ui->PendingMessageBox().text.find("no máximo 8 dígitos"), std::string::npos)
            << ui->PendingMessageBox().text;
        ui->Answer(1);
        EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, campo).feq) << "the entry keeps the focus";
        EXPECT_EQ(ui->Value(ui->ByPrompt(f, campo)), "987654321") << "and what was typed";
        TypeAndLeave(f, campo, "98765432");
        EXPECT_FALSE(ui->HasMessageBox());
        EXPECT_EQ(ui->Value(ui->ByPrompt(f, campo)), "9876-5432");
    }
}

TEST_F(SupplierTest, DeleteCopiesTheRecordIntoTheArchiveInItsTransaction) {
    SeedSuppliers({{7, "11222333000181", 0, "Atacado Sul"}, {8, "00000000000191", 0, "Mercearia"}});
    const std::string sharedName = dictionary::CaminhoForCli.get();

    // Refusing the engine's deletion question deletes nothing and archives nothing.
    int f = OpenForm("&Exclui Cadastro", "Exclui Cadastro de Forncedor", 1);
    EXPECT_EQ(ui->Text(ui->ByText(f, "&Exclui")), "&Exclui");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "02 CNPJ")));
    ui->Press(ui->ByText(f, "&Exclui"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Confirma exclusão do fornecedor/cliente");
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());  // the engine's own question
    ui->Answer("&Não");
    EXPECT_EQ(Stored().size(), 2u);
    EXPECT_TRUE(Archive().empty());

    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer("&Sim");
    ui->Answer("&Sim");
    EXPECT_FALSE(ui->HasWindow("Exclui Cadastro de Forncedor"));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"8 00000000000191 Mercearia ISENTO"}));
    EXPECT_EQ(ui->Text(ui->Control(ui->WindowByCaption(kBrowse), kQuant)), "1") << "the count follows a delete";
    std::vector<ForCliRec> archive = Archive();
    ASSERT_EQ(archive.size(), 1u);
    EXPECT_EQ(archive[0].Codigo, 7u);
    EXPECT_EQ(archive[0].Nome, "Atacado Sul");
    EXPECT_EQ(archive[0].Usuario, "SUPERVISORA-");  // its first 12 characters
    EXPECT_EQ(archive[0].DataExclusao, date::today());
    EXPECT_GT(archive[0].HoraExclusao, 0);
    EXPECT_EQ(dictionary::CaminhoForCli.get(), sharedName);

    // A code already standing in the archive: the copy takes the archive's highest code plus 1.
    ui->CloseWindow(ui->WindowByCaption(kBrowse));
    ui->WaitIdle();
    SeedSuppliers({{7, "33000167000101", 0, "Outro Sete"}});
    f = OpenForm("&Exclui Cadastro", "Exclui Cadastro de Forncedor", 1);
    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer("&Sim");
    ui->Answer("&Sim");
    archive = Archive();
    ASSERT_EQ(archive.size(), 2u);
    EXPECT_EQ(archive[1].Codigo, 8u);
    EXPECT_EQ(archive[1].Nome, "Outro Sete");
    EXPECT_EQ(Stored(), (std::vector<std::string>{"8 00000000000191 Mercearia ISENTO"}));
}

TEST_F(SupplierTest, CnpjLookUpProgramFillsTheFormOrIsSaidToBeMissing) {
    Seed<dictionary::MunicipiosRec>(dictionary::Municipios(), 1, [](dictionary::MunicipiosRec& r, int) {
        r.CODIGO = 1;
        r.ESTADO = "SP";
        r.NOME = "Campinas";
        r.NOME_DOS = "CAMPINAS";
    });
    constexpr int kLookUp = 5;
    int f = OpenForm("&Inclui Novo Cadastro", kInsert);
    ui->Press(ui->Control(f, kLookUp));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_NE(ui->PendingMessageBox().text.find("WebBrowser.exe"), std::string::npos);
    ui->Answer(1);

    // A stand-in for the program: it leaves what it found in its settings file.
    fs::create_directories(dir / "WebBrowser");
    const fs::path program = dir / "WebBrowser" / "WebBrowser.exe";
    std::ofstream(program) << "#!/bin/sh\n"
                              "[ \"$1\" = 3 ] || exit 1\n"
                              "printf '[WebBrowser]\\nBuscou=1\\nRazaoSocial=Comercial %s\\nUF=sp\\nMunicipio=CAMPINAS\\n"
                              "Endereco=Rua Um\\nNumero=45\\nCEP=01.234-567\\nComplemento=Sala 2\\nBairro=Centro\\n' \"$2\" "
                              "> \"$(dirname \"$0\")/WebBrowser.ini\"\n";
    ::chmod(program.c_str(), 0755);
    TypeAndLeave(f, "02 CNPJ", "11222333000181");
    ui->Press(ui->Control(f, kLookUp));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Deseja preencher o cadastro com os dados da Receita Federal?");
    ui->Answer("&Sim");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "04 Nome")), "Comercial 11222333000181");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "10 Estado")), "SP");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "09 Cidade")), "Campinas");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "06 Número")), "45");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "08 Bairro")), "Centro");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "11 C.E.P")), "01.234-567");
    TypeAndLeave(f, "03 Insc. Est", "ISENTO");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Stored(), (std::vector<std::string>{"1 11222333000181 Comercial 11222333000181 ISENTO"}));
}

TEST_F(SupplierTest, NewRecordStartsWithTheCnpjTheEntryFormHandsOver) {
    settings::SettingsFile ini("Vorel.ini");
    ASSERT_FALSE(ini.write_text("Temp", "CNPJ", "00000000000191"));
    ASSERT_FALSE(ini.write_number("Temp", "Local", 4));
    int f = OpenForm("&Inclui Novo Cadastro", kInsert);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 CNPJ")), "00.000.000/0001-91");
    ui->Press(ui->ByText(f, "&Cancela"));

    ASSERT_FALSE(ini.write_number("Temp", "Local", 0));  // the entry form has closed
    f = OpenForm("&Inclui Novo Cadastro", kInsert);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 CNPJ")), "");
    ui->Press(ui->ByText(f, "&Cancela"));
}

TEST_F(SupplierTest, BrowseCountsInactiveRecordsAndListsByEachTab) {
    SeedSuppliers({{3, "33000167000101", 0, "Beta"}, {1, "00000000000191", 1, "Alfa"}, {2, "11222333000181", 0, "Gama"}});
    ui->Start("Fornecedores");
    int b = ui->WindowByCaption(kBrowse);
    EXPECT_EQ(ui->Text(ui->Control(b, kQuant)), "3");
    auto list = ui->Control(b, kList);
    EXPECT_EQ(ui->Rows(list)[0][0], "1");
    EXPECT_EQ(ui->Rows(list)[0][4], "00.000.000/0001-91");
    ui->PickTab(ui->Control(b, 1), "Pesquisa por &Nome");
    EXPECT_EQ(ui->Rows(list)[1][1], "Beta");
    ui->PickTab(ui->Control(b, 1), "Pesquisa por &CNPJ");
    EXPECT_EQ(ui->Rows(list)[1][1], "Gama");
    ui->Type(ui->ByPrompt(b, "Pesquisa por C.N.P.J"), "3");
    EXPECT_EQ(ui->Rows(list)[static_cast<std::size_t>(ui->State(list).selected - 1)][1], "Beta");
}

}  // namespace
}  // namespace vorel::registers::testing
