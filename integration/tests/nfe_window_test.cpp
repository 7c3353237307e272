// The NF-e import windows as the user drives them: the whole import of a folder, the check file
// against the working company, the company entry and its look-up, and the options kept in XML.ini.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <optional>
#include <sstream>

#include "import_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/core/settings_file.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/ui/runtime.h"

namespace vorel::integration::testing {

namespace {

struct NfeWindow : ImportFixture {
    // The working company's document: the receiver of the test documents used for entries.
    std::string cnpjEmpresa = "53232886000165";
    // The error report's preview needs a Qt application.
    int argc = 1;
    char nome[18] = "integration_tests";
    char* argv[2] = {nome, nullptr};
    std::optional<QGuiApplication> app;
    void SetUp() override {
        if (QGuiApplication::instance() == nullptr) app.emplace(argc, argv);
        ImportFixture::SetUp();
        fs::create_directories(dir / "Empresa" / "NFe");
        shell::PastaEmpresa.Set(files::to_program_path(dir / "Empresa"));
        Seed<dictionary::EmpresaRec>(dictionary::Empresa(), [this](auto& e) {
            e.Codigo = 1;
            e.RAZAOSOCIAL = "EMPRESA UM";
            e.CGC = cnpjEmpresa;
        });
        Seed<dictionary::EmpresaRec>(dictionary::Empresa(), [](auto& e) {
            e.Codigo = 2;
            e.RAZAOSOCIAL = "OUTRA";
            e.CGC = "57647232000153";
        });
    }
    void TearDown() override {
        ui::ProcedureRegistry::Add("Empresa", {});
        ImportFixture::TearDown();
    }
    // The company browse in select mode: counts its openings and chooses `escolhe` (0 leaves it
    // without a choice).
    int buscas = 0;
    void BrowseDeEmpresas(std::uint16_t escolhe) {
        ui::ProcedureRegistry::Add("Empresa", [this, escolhe](ui::ProcContext& c) {
            ++buscas;
            EXPECT_EQ(c.request, ui::Request::Select);
            if (escolhe == 0) {
                c.response = ui::Response::Cancelled;
                return;
            }
            data::FileManager& emp = data::dictionary::file(dictionary::Empresa());
            emp.clear_record();
            emp.rec<dictionary::EmpresaRec>().Codigo = escolhe;
            ASSERT_TRUE(emp.get(dictionary::keys::EMP_KEY_CODIGO).ok());
            c.response = ui::Response::Completed;
        });
    }
    // A test document moved to March 2016 (emission) with its items dated `saida`, in `pasta`
    // under the test folder.
    void Documento(const std::string& nome, const std::string& saida, const fs::path& pasta = "Empresa/NFe") {
        std::ifstream in(fs::path(VOREL_NFE_TESTDATA) / nome, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string x = s.str();
        for (auto [tag, valor] : {std::pair{"<dhEmi>", std::string("2016-03-08")}, std::pair{"<dhSaiEnt>", saida}})
            x.replace(x.find(tag) + std::string(tag).size(), 10, valor);
        fs::create_directories(dir / pasta);
        std::ofstream(dir / pasta / nome, std::ios::binary) << x;
    }
};

// The same documents seen from their issuer, whose exits they are.
struct NfeWindowSaidas : NfeWindow {
    NfeWindowSaidas() { cnpjEmpresa = "34128745000152"; }
};

constexpr const char* kDoc = "35180834128745000152550010000474491454651420-nfe.xml";

}  // namespace

TEST_F(NfeWindow, EntriesImportedThroughTheWindowOnTheirEmissionDate) {
    // Entered on 01/04: an entry is chosen and dated by its emission, so nothing is asked.
    Documento(kDoc, "2016-04-01");
    ui->Start("ImportaNfe_Ent");
    int w = ui->WindowByCaption("Importa NF-e Entrada");
    ui->Check(ui->ByText(w, "Sobrescrever Clientes/Fornecedores"), true);
    ui->Press(ui->ByText(w, "&Ler/Importar XML"));
    ui->WaitIdle();
    ASSERT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
    // The problem list (CFOs not registered) is shown in the error report.
    const std::string previa = "Visualização - Rel_Erro_ECF_W";
    ui->WaitUntil([&] { return ui->HasWindow(previa); }, "the error report");
    ui->Press(ui->ByText(ui->WindowByCaption(previa), "&Fechar"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Importa NF-e Entrada"));
    auto itens = All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO);
    ASSERT_EQ(itens.size(), 21u);
    for (const auto& e : itens) {
        EXPECT_EQ(e.DataEmissao, date::make(2016, 3, 8));
        EXPECT_EQ(e.CFO, 1910);
        EXPECT_EQ(std::string(e.Estado.clipped()), "SP");  // the supplier registered by the same run
    }
    EXPECT_EQ(All<dictionary::ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO).size(), 1u);
    EXPECT_FALSE(All<dictionary::ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO).empty());
    EXPECT_EQ(settings::SettingsFile("XML.ini").read_number("XMLSaida", "SobForCli"), 1);
}

TEST_F(NfeWindow, AFolderOfAnotherCompanyFailsTheCheckWithItsName) {
    // A document to another company (neither side of company 1).
    Documento("35180834128745000152550010000476051695511860-nfe.xml", "2016-03-08");
    ui->Start("ImportaNfe_Ent");
    int w = ui->WindowByCaption("Importa NF-e Entrada");
    ui->Press(ui->ByText(w, "&Ler/Importar XML"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Alerta");
    EXPECT_NE(ui->PendingMessageBox().text.find("OUTRA (57647232000153)"), std::string::npos)
        << ui->PendingMessageBox().text;
    ui->Answer(1);
    // The document left out is in the error report.
    const std::string previa = "Visualização - Rel_Erro_ECF_W";
    ui->WaitUntil([&] { return ui->HasWindow(previa); }, "the error report");
    ui->Press(ui->ByText(ui->WindowByCaption(previa), "&Fechar"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Importa NF-e Entrada"));
    EXPECT_TRUE(All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).empty());
    EXPECT_TRUE(All<dictionary::ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO).empty());
}

TEST_F(NfeWindow, CompanyZeroAsksForACompanyAndKeepsTheWindow) {
    Documento(kDoc, "2016-03-08");
    BrowseDeEmpresas(0);
    ui->Start("ImportaNfe_Ent");
    int w = ui->WindowByCaption("Importa NF-e Entrada");
    const auto empresa = ui->ByPrompt(w, "Empresa:");
    ui->Type(empresa, "0");
    ui->Key(w, ui::key::Tab);  // no company 0: the browse opens, and is left without a choice
    ui->WaitIdle();
    EXPECT_EQ(buscas, 1);
    EXPECT_EQ(ui->Text(ui->Control(w, empresa.feq + 2)), "");
    ui->Press(ui->ByText(w, "&Ler/Importar XML"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Escolha uma empresa");
    EXPECT_EQ(ui->PendingMessageBox().title, "");
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_TRUE(ui->HasWindow("Importa NF-e Entrada"));
    EXPECT_FALSE(fs::exists(dir / "Empresa" / "NFe" / "CNPJ.txt"));  // the reader did not run
    ui->Press(ui->ByText(w, "&Fechar"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Importa NF-e Entrada"));
    EXPECT_TRUE(All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).empty());
}

TEST_F(NfeWindow, TheCompanyChosenInTheBrowseGivesTheFolderTheCheckRefuses) {
    // Company 2's folder holds its own entry; company 1's folder holds nothing.
    Documento("35180834128745000152550010000476051695511860-nfe.xml", "2016-03-08", "00000002/NFe");
    BrowseDeEmpresas(2);
    ui->Start("ImportaNfe_Ent");
    int w = ui->WindowByCaption("Importa NF-e Entrada");
    const auto empresa = ui->ByPrompt(w, "Empresa:");
    EXPECT_EQ(ui->Text(ui->Control(w, empresa.feq + 2)), "EMPRESA UM");
    ui->Press(ui->Control(w, empresa.feq + 1));  // the look-up button
    ui->WaitIdle();
    EXPECT_EQ(buscas, 1);
    EXPECT_EQ(ui->Value(empresa), "2");
    EXPECT_EQ(ui->Text(ui->Control(w, empresa.feq + 2)), "OUTRA");
    // A code not in the register opens the browse for the user.
    ui->Type(empresa, "7");
    ui->Key(w, ui::key::Tab);
    ui->WaitIdle();
    EXPECT_EQ(buscas, 2);
    EXPECT_EQ(ui->Value(empresa), "2");
    // The reader reads company 2's folder for company 2's document; the working company is 1.
    ui->Press(ui->ByText(w, "&Ler/Importar XML"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Alerta");
    EXPECT_NE(ui->PendingMessageBox().text.find("OUTRA (57647232000153)"), std::string::npos)
        << ui->PendingMessageBox().text;
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Importa NF-e Entrada"));
    EXPECT_TRUE(fs::exists(dir / "00000002" / "NFe" / "CNPJ.txt"));
    EXPECT_TRUE(All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).empty());
    EXPECT_TRUE(All<dictionary::ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO).empty());
}

TEST_F(NfeWindow, AFolderWithoutDocumentsImportsNothingAndClosesWithoutAWord) {
    ui->Start("ImportaNfe_Ent");
    ui->Press(ui->ByText(ui->WindowByCaption("Importa NF-e Entrada"), "&Ler/Importar XML"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_TRUE(ui->Captions().empty());
    EXPECT_TRUE(All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).empty());
}

TEST_F(NfeWindowSaidas, ExitsImportedThroughTheWindow) {
    Documento(kDoc, "2016-03-08");
    // The options the entry window left are the exit window's too.
    {
        settings::SettingsFile ini("XML.ini");
        ASSERT_FALSE(ini.update([](settings::Content& c) {
            c.set("XMLSaida", "SobForCli", "1");
            c.set("XMLSaida", "CriaConta", "1");
        }));
    }
    ui->Start("ImportaNfe_Sai");
    int w = ui->WindowByCaption("Importa NF-e Saída");
    EXPECT_EQ(ui->Value(ui->ByText(w, "Sobrescrever Clientes/Fornecedores")), "1");
    EXPECT_EQ(ui->Value(ui->ByText(w, "Criar Automaticamente Conta Contábil do Cliente/Fornecedor")), "1");
    ui->Press(ui->ByText(w, "&Ler/Importar XML"));
    const std::string previa = "Visualização - Rel_Erro_ECF_W";
    ui->WaitUntil([&] { return ui->HasMessageBox() || ui->HasWindow(previa) || !ui->HasWindow("Importa NF-e Saída"); },
                  "the end of the import");
    ASSERT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().title << ": " << ui->PendingMessageBox().text;
    if (ui->HasWindow(previa)) {
        ui->Press(ui->ByText(ui->WindowByCaption(previa), "&Fechar"));
        ui->WaitIdle();
    }
    EXPECT_FALSE(ui->HasWindow("Importa NF-e Saída"));
    auto itens = All<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO);
    ASSERT_EQ(itens.size(), 21u);
    for (const auto& s : itens) {
        EXPECT_EQ(s.DataSaida, date::make(2016, 3, 8));
        EXPECT_EQ(s.CFO, 5910);
    }
    EXPECT_TRUE(All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).empty());
}

}  // namespace vorel::integration::testing
