// The company form: required fields, the CNPJ check, the lookups (a register that is not there
// yet is named; one that is opens for selection), the working company while it is open, and the
// deletion of the company's folder after a completed delete.
#include <gtest/gtest.h>

#include "company_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/shell/company_register.h"
#include "vorel/shell/picture_file.h"
#include "vorel/ui/messages.h"
#include "vorel/dictionary/key_names.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;

namespace {

class CompanyForm : public shell_test::CompanyTest {
protected:
    int AbreBrowse() {
        rt->Start("Empresa");
        return WaitWindow("Visualização de Empresas Cadastradas");
    }
    std::vector<std::string> Codigos(int b) {
        std::vector<std::string> out;
        for (auto& r : driver->Rows(driver->Control(b, 10))) out.push_back(r[1]);
        return out;
    }
};

TEST_F(CompanyForm, InsertChecksTheRequiredFieldsAndTheCnpj) {
    int b = AbreBrowse();
    driver->Press(driver->ByText(b, "&Inclui Empresa"));
    int f = WaitWindow("Inclui Nova Empresa");
    const std::string codigo = driver->Value(driver->ByPrompt(f, "01 Código"));
    EXPECT_EQ(codigo, "1");
    EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 1u) << "the edited company is the working company";
    EXPECT_TRUE(std::filesystem::is_directory(Native("dados/00000001/Vorel")));
    driver->Press(driver->ByText(f, "&O.K."));
    EXPECT_EQ(driver->PendingMessageBox().text, "Campo com a Razão Social é Indispensável");
    driver->Answer(1);
    EXPECT_EQ(driver->Focus(f), driver->ByPrompt(f, "02 Razão Social").feq);
    driver->Type(driver->ByPrompt(f, "02 Razão Social"), "Mercado Ação");
    driver->Press(driver->ByText(f, "&O.K."));
    EXPECT_EQ(driver->PendingMessageBox().text, "Campo de C.G.C. é Indispensável");
    driver->Answer(1);
    // A wrong check digit keeps the focus in the CNPJ.
    driver->Type(driver->ByPrompt(f, "16 C.N.P.J."), "11.222.333/0001-82");
    driver->Key(f, key::Tab);
    EXPECT_EQ(driver->PendingMessageBox().text, "Digito incorreto, o digito provavel é 81");
    EXPECT_EQ(driver->PendingMessageBox().title, "Número do CGC está Incorreto");
    driver->Answer(1);
    EXPECT_EQ(driver->Focus(f), driver->ByPrompt(f, "16 C.N.P.J.").feq);
    // Fifteen digits are refused as typed, never cut to the field's fourteen.
    driver->Type(driver->ByPrompt(f, "16 C.N.P.J."), "112223330001810");
    driver->Key(f, key::Tab);
    EXPECT_FALSE(driver->HasMessageBox());
    EXPECT_EQ(driver->Focus(f), driver->ByPrompt(f, "16 C.N.P.J.").feq);
    driver->Type(driver->ByPrompt(f, "16 C.N.P.J."), "11222333000181");
    driver->Press(driver->ByText(f, "&O.K."));
    EXPECT_FALSE(driver->HasWindow("Inclui Nova Empresa"));
    EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 0u) << "closing the form leaves no working company";
    auto rows = driver->Rows(driver->Control(b, 10));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][2], "Mercado Ação");
    EXPECT_EQ(rows[0][5], "11.222.333/0001-81");
    // The suite's defaults went in.
    OnTables([&] {
        auto& e = data::dictionary::file(dictionary::Empresa());
        ASSERT_EQ(e.open(), data::kNoError);
        e.clear_record();
        e.rec<dictionary::EmpresaRec>().Codigo = 1;
        ASSERT_EQ(e.get(dictionary::keys::EMP_KEY_CODIGO), data::kNoError);
        EXPECT_EQ(e.rec<dictionary::EmpresaRec>().MESDATABASE, 1);
        (void)e.close();
    });
}

TEST_F(CompanyForm, LookupsNameAMissingRegisterAndOpenOneThatIsThere) {
    Seed({{1, "Alfa"}});
    int b = AbreBrowse();
    driver->Press(driver->ByText(b, "&Altera Empresa"));
    int f = WaitWindow("Altera Cadastro de Empresa");
    EXPECT_EQ(driver->Text(driver->Control(f, driver->ByText(f, "&Grava").feq)), "&Grava");
    EXPECT_FALSE(driver->Enabled(driver->ByPrompt(f, "01 Código")));
    // No states register in the program yet (and an empty states table).
    const bool havia = ProcedureRegistry::Find("Estados").has_value();
    if (!havia) {
        driver->Type(driver->ByPrompt(f, "08 UF"), "sp");
        driver->Key(f, key::Tab);
        EXPECT_EQ(driver->PendingMessageBox().text, "O cadastro de Estados ainda não está disponível nesta versão.");
        driver->Answer(1);
        EXPECT_EQ(driver->Focus(f), driver->ByPrompt(f, "08 UF").feq);
    }
    // Once the register is there, the lookup opens it for selection and copies the choice.
    int chamadas = 0;
    ProcedureRegistry::Add("Estados", [&](ProcContext& c) {
        ++chamadas;
        EXPECT_EQ(c.request, Request::Select);
        data::dictionary::file(dictionary::Estados()).rec<dictionary::EstadosRec>().UF = "RJ";
        c.response = Response::Completed;
    });
    driver->Type(driver->ByPrompt(f, "08 UF"), "xx");
    driver->Key(f, key::Tab);
    EXPECT_EQ(chamadas, 1);
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "08 UF")), "RJ");
    driver->Press(driver->Control(f, driver->ByPrompt(f, "08 UF").feq + 1));  // the UF lookup button
    EXPECT_EQ(chamadas, 2);
    driver->Press(driver->ByText(f, "&Cancela"));
    EXPECT_FALSE(driver->HasWindow("Altera Cadastro de Empresa"));
    if (!havia) ProcedureRegistry::Add("Estados", {});
}

TEST_F(CompanyForm, DeletingACompanyAsksTwiceThenItsFolderMayGo) {
    Seed({{42, "Empresa Antiga"}, {43, "Empresa Nova"}});
    WriteFile(Native("dados/00000042/Vorel/2016/Entradas.Tps"), "x");
    WriteFile(Native("dados/00000042/Escrita/ForCli.Tps"), "x");
    WriteFile(Native("dados/00000043/Vorel/x.Tps"), "x");
    int b = AbreBrowse();
    driver->PickRow(driver->Control(b, 10), 1);
    driver->Press(driver->ByText(b, "&Exclui Empresa"));
    int f = WaitWindow("Exclui Cadastro de Empresa");
    // "&Não" keeps the record and the form.
    driver->Press(driver->ByText(f, "&Exclui"));
    EXPECT_EQ(driver->PendingMessageBox().title, "Confirma exclusão da empresa ?");
    driver->Answer("&Não");
    EXPECT_TRUE(driver->HasWindow("Exclui Cadastro de Empresa"));
    driver->Press(driver->ByText(f, "&Exclui"));
    driver->Answer("&Sim");
    EXPECT_EQ(driver->PendingMessageBox().text, "Confirma a exclusão deste registro?");
    driver->Answer("&Sim");
    int a = WaitWindow("Confirmação de Exclusão");
    EXPECT_EQ(driver->Value(driver->Control(a, 4)), "42");
    EXPECT_EQ(driver->Value(driver->Control(a, 6)), "Empresa Antiga");
    driver->Press(driver->ByText(a, "&SIM"));
    EXPECT_FALSE(std::filesystem::exists(Native("dados/00000042")));
    EXPECT_TRUE(std::filesystem::exists(Native("dados/00000043/Vorel/x.Tps")));
    EXPECT_EQ(Codigos(b), std::vector<std::string>{"43"});
    // "&NÃO" leaves every file in place.
    driver->Press(driver->ByText(b, "&Exclui Empresa"));
    f = WaitWindow("Exclui Cadastro de Empresa");
    driver->Press(driver->ByText(f, "&Exclui"));
    driver->Answer("&Sim");
    driver->Answer("&Sim");
    a = WaitWindow("Confirmação de Exclusão");
    driver->Press(driver->ByText(a, "&NÃO"));
    EXPECT_TRUE(std::filesystem::exists(Native("dados/00000043/Vorel/x.Tps")));
    EXPECT_TRUE(Codigos(b).empty());
}

// What the front end is sent while a company's folder goes: a window per folder, nested ones on
// top, and the file being deleted redrawn now and then rather than once per file.
struct Gravador : HeadlessDriver {
    using HeadlessDriver::HeadlessDriver;
    std::vector<int> abertas;                  // progress windows open now
    std::vector<std::pair<std::string, std::size_t>> pastas;  // folder shown, windows open with it
    std::vector<bool> modais;
    int redesenhos = 0;                        // changes of the "Arquivo:" text sent
    void Apply(const UiMessage& m) override {
        if (auto* o = std::get_if<WindowOpened>(&m)) {
            if (o->controls.size() == 5 && o->controls[0].text == "Reorganizando arquivos") {
                EXPECT_EQ(o->header.caption, "");
                EXPECT_EQ(o->controls[1].text, "Diretório:");
                EXPECT_EQ(o->controls[3].text, "Arquivo:");
                abertas.push_back(o->header.window);
                pastas.emplace_back(o->controls[2].text, abertas.size());
                modais.push_back(o->header.modal);
            }
        } else if (auto* c = std::get_if<WindowClosed>(&m)) {
            std::erase(abertas, c->window);
        } else if (auto* ch = std::get_if<ControlChanged>(&m)) {
            if (std::find(abertas.begin(), abertas.end(), ch->window) != abertas.end() && ch->control.feq == 5)
                ++redesenhos;
        }
        HeadlessDriver::Apply(m);
    }
};

TEST_F(CompanyForm, TheFolderGoesWithAWindowPerFolderAndFewRedraws) {
    const int kArquivos = 3000;
    WriteFile(Native("dados/00000042/Vorel/2016/Entradas.Tps"), "x");
    WriteFile(Native("dados/00000042/Escrita/ForCli.Tps"), "x");
    for (int i = 0; i < kArquivos; ++i) WriteFile(Native("dados/00000042/Muitos/A" + std::to_string(i) + ".Tps"), "x");
    driver.reset();
    auto gravador = std::make_unique<Gravador>(*rt);
    Gravador& g = *gravador;
    driver = std::move(gravador);
    rt->Start("Apaga", [](ProcContext& ctx) { ApagaEmpresa(ctx, 42, "Empresa Antiga"); });
    int a = WaitWindow("Confirmação de Exclusão");
    driver->Press(driver->ByText(a, "&SIM"));
    EXPECT_FALSE(std::filesystem::exists(Native("dados/00000042")));
    EXPECT_FALSE(driver->HasMessageBox()) << "everything went";
    const std::string raiz = Folder("dados") + "\\00000042";
    using Pasta = std::pair<std::string, std::size_t>;
    EXPECT_EQ(g.pastas, (std::vector<Pasta>{{raiz, 1}, {raiz + "\\Escrita", 2}, {raiz + "\\Muitos", 2},
                                           {raiz + "\\Vorel", 2}, {raiz + "\\Vorel\\2016", 3}}));
    EXPECT_EQ(g.modais, std::vector<bool>(5, true)) << "each on top of the window that asked";
    EXPECT_TRUE(g.abertas.empty());
    EXPECT_LT(g.redesenhos, kArquivos / 4);
}

TEST_F(CompanyForm, AFolderIsDeletedOnlyAfterACompletedDelete) {
    Seed({{42, "Empresa Antiga"}});
    WriteFile(Native("dados/00000042/Vorel/x.Tps"), "x");
    int b = AbreBrowse();
    driver->Press(driver->ByText(b, "&Exclui Empresa"));
    int f = WaitWindow("Exclui Cadastro de Empresa");
    driver->Press(driver->ByText(f, "&Exclui"));
    driver->Answer("&Sim");
    driver->Answer("&Não");  // the record's own deletion is refused
    EXPECT_TRUE(driver->HasWindow("Exclui Cadastro de Empresa"));
    driver->Press(driver->ByText(f, "&Cancela"));
    EXPECT_FALSE(driver->HasWindow("Confirmação de Exclusão"));
    EXPECT_TRUE(std::filesystem::exists(Native("dados/00000042/Vorel/x.Tps")));
}

TEST_F(CompanyForm, PictureFilesAreGivenAsFilesTheFrontEndCanOpen) {
    WriteFile(Native("dados/Imagens/Logo.BMP"), "x");
    WriteFile(Native("dados/Imagens/Sub/y.bmp"), "x");
    WriteFile(Native("dados/Outra/x.bmp"), "x");
    const std::string imagens = PastaImagens();
    EXPECT_EQ(imagens, Folder("dados") + "\\Imagens\\");
    const struct { std::string nome; std::string arquivo; } casos[] = {
        {"logo.bmp", Native("dados/Imagens/Logo.BMP")},                  // relative, any case
        {" LOGO.BMP    ", Native("dados/Imagens/Logo.BMP")},             // a padded field
        {"sub\\Y.BMP", Native("dados/Imagens/Sub/y.bmp")},
        {Folder("dados") + "\\OUTRA\\X.BMP", Native("dados/Outra/x.bmp")},  // a program path
        {"falta.bmp", ""},                                               // no such file: nothing
        {"..\\Imagens", ""},                                             // a folder is no picture
        {"", ""},
    };
    for (const auto& c : casos) EXPECT_EQ(ArquivoImagem(c.nome, imagens), c.arquivo) << c.nome;

    // A chosen file is kept relative to the pictures folder when it lies inside it; a name that
    // would be cut by the field is not kept at all.
    EXPECT_EQ(NomeParaGravar(Native("dados/Imagens/Sub/y.bmp"), imagens, 80), "Sub\\y.bmp");
    EXPECT_EQ(NomeParaGravar(Native("dados/Outra/x.bmp"), imagens, 200), Folder("dados") + "\\Outra\\x.bmp");
    EXPECT_EQ(NomeParaGravar(Native("dados/Outra/x.bmp"), imagens, 10), std::nullopt);
}

TEST_F(CompanyForm, TheLogoShowsItsFileAndAClickChoosesAnother) {
    WriteFile(Native("dados/Imagens/Logo.BMP"), "x");
    WriteFile(Native("dados/Imagens/LogEmp.bmp"), "x");
    WriteFile(Native("dados/Imagens/Novo.bmp"), "x");
    Seed({{.codigo = 1, .razao = "Alfa", .logo = "logo.bmp"},
          {.codigo = 2, .razao = "Beta"},
          {.codigo = 3, .razao = "Gama", .logo = "C:\\Escrit\\Logos\\gama.bmp"}});
    int b = AbreBrowse();
    auto logoDe = [&](int f) {
        for (const ControlState& c : driver->Mirror(f).controls)
            if (c.type == ControlType::Image) return driver->Control(f, c.feq);
        ADD_FAILURE() << "no picture in the form";
        return driver->Control(f, 0);
    };
    const struct { int linha; std::string arquivo; } casos[] = {
        {1, Native("dados/Imagens/Logo.BMP")},
        {2, Native("dados/Imagens/LogEmp.bmp")},  // no logo of its own
        {3, ""},                                  // a file that is not there shows nothing
    };
    for (const auto& c : casos) {
        driver->PickRow(driver->Control(b, 10), c.linha);
        driver->Press(driver->ByText(b, "&Altera Empresa"));
        int f = WaitWindow("Altera Cadastro de Empresa");
        EXPECT_EQ(driver->Text(logoDe(f)), c.arquivo) << c.linha;
        driver->Press(driver->ByText(f, "&Cancela"));
    }

    // A click opens the file dialog in the pictures folder; the chosen file shows and is kept.
    driver->PickRow(driver->Control(b, 10), 2);
    driver->Press(driver->ByText(b, "&Altera Empresa"));
    int f = WaitWindow("Altera Cadastro de Empresa");
    driver->Press(logoDe(f));
    ASSERT_TRUE(driver->HasFileDialog());
    EXPECT_EQ(driver->PendingFileDialog().title, "Escolha um Arquivo");
    EXPECT_EQ(driver->PendingFileDialog().filter, "Imagens | *.bmp;*.gif;*.jpg;*.wmf;*.ico;*.pcx");
    EXPECT_EQ(std::filesystem::path(driver->PendingFileDialog().folder), Native("dados/Imagens"));
    driver->AnswerFile(Native("dados/Imagens/Novo.bmp").string());
    EXPECT_EQ(driver->Text(logoDe(f)), Native("dados/Imagens/Novo.bmp"));
    driver->Press(driver->ByText(f, "&Grava"));
    EXPECT_FALSE(driver->HasWindow("Altera Cadastro de Empresa"));
    OnTables([&] {
        auto& e = data::dictionary::file(dictionary::Empresa());
        ASSERT_EQ(e.open(), data::kNoError);
        e.clear_record();
        e.rec<dictionary::EmpresaRec>().Codigo = 2;
        ASSERT_EQ(e.get(dictionary::keys::EMP_KEY_CODIGO), data::kNoError);
        EXPECT_EQ(std::string(e.rec<dictionary::EmpresaRec>().LOGO.clipped()), "Novo.bmp");
        (void)e.close();
    });
}

TEST_F(CompanyForm, CnpjLookUpSaysWhenItsProgramIsMissing) {
    Seed({{1, "Alfa"}});
    int b = AbreBrowse();
    driver->Press(driver->ByText(b, "&Altera Empresa"));
    int f = WaitWindow("Altera Cadastro de Empresa");
    driver->Press(driver->Control(f, driver->ByPrompt(f, "16 C.N.P.J.").feq + 1));
    ASSERT_TRUE(driver->HasMessageBox());
    EXPECT_NE(driver->PendingMessageBox().text.find("WebBrowser.exe"), std::string::npos);
    driver->Answer(1);
    EXPECT_TRUE(driver->HasWindow("Altera Cadastro de Empresa"));
    driver->Press(driver->ByText(f, "&Cancela"));
}

}  // namespace

namespace {

class CompanyFormLookUp : public shell_test::CompanyTest {};

TEST_F(CompanyFormLookUp, CnpjLookUpFillsTheFormFromWhatTheProgramFound) {
    Seed({{1, "Alfa"}});
    const auto programa = Native("dados/WebBrowser/WebBrowser.exe");
    WriteFile(programa,
              "#!/bin/sh\n"
              "[ \"$1\" = 3 ] || exit 1\n"
              "printf '[WebBrowser]\\r\\nBuscou=1\\r\\nCnpj=%s\\r\\nRazaoSocial=Loja Nova\\r\\nUF=sp\\r\\n"
              "Endereco=Rua A\\r\\nNumero=12\\r\\nCEP=01.310-100\\r\\nBairro=Centro\\r\\n' \"$2\" "
              "> \"$(dirname \"$0\")/WebBrowser.ini\"\n");
    std::filesystem::permissions(programa, std::filesystem::perms::owner_all);
    rt->Start("Empresa");
    int b = WaitWindow("Visualização de Empresas Cadastradas");
    driver->Press(driver->ByText(b, "&Altera Empresa"));
    int f = WaitWindow("Altera Cadastro de Empresa");
    driver->Press(driver->Control(f, driver->ByPrompt(f, "16 C.N.P.J.").feq + 1));
    ASSERT_TRUE(driver->HasMessageBox());
    EXPECT_EQ(driver->PendingMessageBox().text, "Deseja preencher o cadastro com os dados da Receita Federal?");
    driver->Answer("&Sim");
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "02 Razão Social")), "Loja Nova");
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "08 UF")), "SP");
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "03 Endereço")), "Rua A");
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "04 Número")), "12");
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "09 CEP")), "01.310-100");
    EXPECT_EQ(driver->Value(driver->ByPrompt(f, "07 Cidade")), "") << "no municipality of that name";
    settings::SettingsFile ini(Folder("dados") + "\\WebBrowser\\WebBrowser.ini");
    EXPECT_EQ(ini.read_text("WebBrowser", "Cnpj"), "11222333000181");
    driver->Press(driver->ByText(f, "&Cancela"));
}

}  // namespace
