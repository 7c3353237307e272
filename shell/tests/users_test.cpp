// Login and the users' check windows on a real users table in a temporary data root.
#include <gtest/gtest.h>

#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/users.h"
#include "vorel/ui/headless.h"
#include "vorel/dictionary/key_names.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;
using shell_test::ShellTest;

namespace {

Runtime::Options WithDictionary() {
    Runtime::Options o;
    o.threadStart = [](ProcContext&) { dictionary::InitDictionary(); };
    o.threadEnd = [](ProcContext&) { dictionary::TeardownDictionary(); };
    return o;
}

class UsersTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterShellProcedures();
        PastaRaiz.Set(Folder("dados") + "\\");
        std::filesystem::create_directories(Native("dados/BVOREL"));
        std::filesystem::create_directories(Native("dados/BComuns"));
        std::filesystem::create_directories(Native("dados/BEscrita"));
        dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(PastaRaiz.Get()));
        GLO_LOGIN.Set("");
    }

    // Users written straight into the table, on a thread of their own.
    void AddUsers(const std::vector<std::tuple<std::string, std::string, int>>& users) {
        Runtime rt(WithDictionary());
        int t = rt.Start("Seed", [&](ProcContext&) {
            auto& sen = data::dictionary::file(dictionary::Senhas());
            ASSERT_EQ(sen.open(), data::kNoError);
            for (const auto& [n, s, a] : users) {
                sen.clear_record();
                auto& r = sen.rec<dictionary::SenhasRec>();
                r.NOME = n;
                r.SENHA = s;
                r.ADM = static_cast<std::uint8_t>(a);
                ASSERT_EQ(sen.add(), data::kNoError);
            }
            (void)sen.close();
        });
        HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "seed");
    }

    std::vector<std::string> StoredUsers() {
        std::vector<std::string> names;
        Runtime rt(WithDictionary());
        int t = rt.Start("Read", [&](ProcContext&) {
            auto& sen = data::dictionary::file(dictionary::Senhas());
            ASSERT_EQ(sen.open(), data::kNoError);
            (void)sen.set(dictionary::keys::SEN_Key_Nome);
            while (sen.next().ok()) names.emplace_back(sen.rec<dictionary::SenhasRec>().NOME.clipped());
            (void)sen.close();
        });
        HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "read");
        return names;
    }

    static void TypeLogin(HeadlessDriver& ui, int w, const std::string& user, const std::string& password) {
        ui.Type(ui.Control(w, 5), user);
        ui.Type(ui.Control(w, 7), password);
        ui.Press(ui.ByText(w, "&Ok"));
    }
};

}  // namespace

TEST_F(UsersTest, EmptyTableAdmitsTheBuiltInUserAndTheNextStartProposesHim) {
    for (int run = 0; run < 2; ++run) {
        Runtime rt(WithDictionary());
        int t = rt.Start("Login");
        HeadlessDriver ui(rt);
        int w = ui.WindowByCaption("Login de Usuário");
        EXPECT_EQ(ui.State(ui.Control(w, 5)).items, std::vector<std::string>{"PAINELCHEFIA"});
        EXPECT_EQ(ui.Value(ui.Control(w, 5)), run == 0 ? "" : "PAINELCHEFIA");
        EXPECT_EQ(ui.Text(ui.Control(w, 3)), "Versão: 1.00d 077");
        EXPECT_TRUE(ui.State(ui.Control(w, 7)).password) << "the password is typed masked";
        TypeLogin(ui, w, "PAINELCHEFIA", "PAINELCHEFIA");
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "login");
        EXPECT_EQ(*rt.Finished(t), Response::Completed);
        EXPECT_EQ(GLO_LOGIN.Get(), "PAINELCHEFIA");
        EXPECT_EQ(CorFoco.Get(), "13828095");
    }
    EXPECT_EQ(settings::SettingsFile("UsuVorel.ini").read_text("UltimoUsuario", "Usuario"), "PAINELCHEFIA");
    EXPECT_EQ(StoredUsers(), std::vector<std::string>{"PAINELCHEFIA"}) << "added once";
}

TEST_F(UsersTest, WrongUserOrPasswordGetTheirMessagesAndTheWindowStays) {
    AddUsers({{"JOSE", "segredo", 0}});
    Runtime rt(WithDictionary());
    int t = rt.Start("Login");
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Login de Usuário");
    EXPECT_EQ(ui.State(ui.Control(w, 5)).items, std::vector<std::string>{"JOSE"}) << "a table with users gets no built-in one";
    struct Case {
        std::string user, password, text;
        int focus;
    } cases[] = {{"MARIA", "x", "Usuário inválido!", 5},
                 {"JOSE", "SEGREDO", "Senha inválida!", 7},
                 {"JOSE", "segredo ", "", 0}};  // trailing blanks are no difference
    for (const auto& c : cases) {
        TypeLogin(ui, w, c.user, c.password);
        if (c.text.empty()) break;
        ASSERT_TRUE(ui.HasMessageBox()) << c.user;
        EXPECT_EQ(ui.PendingMessageBox().text, c.text);
        EXPECT_EQ(ui.PendingMessageBox().title, "Acesso Negado!");
        ui.Answer(1);
        EXPECT_EQ(ui.Focus(w), c.focus);
    }
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "login");
    EXPECT_EQ(*rt.Finished(t), Response::Completed);
    EXPECT_EQ(GLO_LOGIN.Get(), "JOSE");
}

TEST_F(UsersTest, NamesAndPasswordsOfTwentyCharactersLogIn) {
    AddUsers({{"ADMINISTRADORGERAL01", "SENHAMUITOLONGA12345", 1}});
    Runtime rt(WithDictionary());
    int t = rt.Start("Login");
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Login de Usuário");
    TypeLogin(ui, w, "ADMINISTRADORGERAL01", "SENHAMUITOLONGA12345");
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "login");
    EXPECT_EQ(*rt.Finished(t), Response::Completed);
    EXPECT_EQ(GLO_LOGIN.Get(), "ADMINISTRADORGERAL01");
    EXPECT_EQ(GLO_PASSWORD.Get(), "SENHAMUITOLONGA12345");
}

TEST_F(UsersTest, CancellingTheLoginEndsMainWithoutAFrame) {
    Runtime rt(WithDictionary());
    ServicosMain s = ServicosPadrao();
    s.abertura = false;
    int t = rt.Start("Main", [&](ProcContext& c) { Main(c, s); });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Login de Usuário");
    ui.Press(ui.ByText(w, "&Cancela"));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "Main");
    EXPECT_EQ(*rt.Finished(t), Response::Cancelled);
    EXPECT_TRUE(ui.Captions().empty()) << "the frame never opened";
}

TEST_F(UsersTest, CheckWindowsMessages) {
    AddUsers({{"ANA", "ABC", 0}, {"CHEFE", "XYZ", 1}, {"LUIS", "minusc", 0}});
    struct Case {
        bool super;
        std::string user, password, message;
        bool ok;
    } cases[] = {
        {false, "NINGUEM", "ABC", "Usuário não cadastrado!", false},
        {false, "ana", "abd", "Senha Inválida!", false},
        {false, "ana", "abc", "", true},       // both entries upper-cased
        {false, "luis", "minusc", "", true},   // a password stored in lower case
        {true, "ANA", "ABC", "Usuário não tem acesso!", false},
        {true, "CHEFE", "XYZ", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        Runtime rt(WithDictionary());
        UsuarioVerificado v;
        int t = rt.Start("Check", [&](ProcContext& ctx) { v = c.super ? VerificaSuper(ctx) : VerificaUsuario(ctx); });
        HeadlessDriver ui(rt);
        int w = ui.WindowByCaption(c.super ? " Verifica Administrador" : " Verifica Usuário");
        ui.Type(ui.Control(w, 2), c.user);
        ui.Type(ui.Control(w, 4), c.password);
        ui.Press(ui.ByText(w, "&OK"));
        if (!c.ok) {
            ASSERT_TRUE(ui.HasMessageBox());
            EXPECT_EQ(ui.PendingMessageBox().text, c.message);
            EXPECT_EQ(ui.PendingMessageBox().title, "Aviso!");
            ui.Answer(1);
            ui.Press(ui.ByText(w, "&Cancela"));
        }
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "check");
        EXPECT_EQ(v.ok, c.ok);
        EXPECT_EQ(v.usuario, c.user) << "the name as typed";
    }
}

// Called by name (as the movement browses' padlocks do), the window leaves the user as typed in
// the caller's Senhas record buffer.
TEST_F(UsersTest, CheckByNameHandsTheUserBackInTheRecordBuffer) {
    AddUsers({{"ANA", "ABC", 0}});
    Runtime rt(WithDictionary());
    Response r = Response::None;
    std::string usuario;
    int t = rt.Start("Check", [&](ProcContext& ctx) {
        r = ctx.Call("VerificaUsuario");
        usuario = std::string(data::dictionary::file(dictionary::Senhas()).rec<dictionary::SenhasRec>().NOME.clipped());
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption(" Verifica Usuário");
    ui.Type(ui.Control(w, 2), "ana");
    ui.Type(ui.Control(w, 4), "abc");
    ui.Press(ui.ByText(w, "&OK"));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "check");
    EXPECT_EQ(r, Response::Completed);
    EXPECT_EQ(usuario, "ana");
}

TEST_F(UsersTest, ResetLeavesExactlyTheTwoBuiltInUsers) {
    AddUsers({{"ANA", "ABC", 0}, {"BETO", "X", 1}});
    for (const char* answer : {"&Não", "&Sim"}) {
        Runtime rt(WithDictionary());
        int t = rt.Start("Config_Senhas");
        HeadlessDriver ui(rt);
        int w = ui.WindowByCaption("Configuração de Senhas");
        ui.Press(ui.ByText(w, "Excluir Senhas"));
        ASSERT_TRUE(ui.HasMessageBox());
        EXPECT_EQ(ui.PendingMessageBox().title, "!!! ATENÇÃO !!!");
        EXPECT_NE(ui.PendingMessageBox().text.find("Usuário : PAINELCHEFIA\r\nSenha : PAINELCHEFIA"), std::string::npos);
        ui.Answer(answer);
        ui.Press(ui.ByText(w, "Fecha"));
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "config");
        if (std::string(answer) == "&Não") {
            EXPECT_EQ(StoredUsers(), (std::vector<std::string>{"ANA", "BETO"}));
        }
    }
    EXPECT_EQ(StoredUsers(), (std::vector<std::string>{"1", "PAINELCHEFIA"}));
}

TEST_F(UsersTest, UsersBrowseOnlyForAnAdministratorAndItsFormAddsAUser) {
    AddUsers({{"ANA", "ABC", 0}, {"CHEFE", "XYZ", 1}});
    {
        Runtime rt(WithDictionary());
        int t = rt.Start("UsuariosSenhas");
        HeadlessDriver ui(rt);
        int v = ui.WindowByCaption(" Verifica Administrador");
        ui.Type(ui.Control(v, 2), "ANA");
        ui.Type(ui.Control(v, 4), "ABC");
        ui.Press(ui.ByText(v, "&OK"));
        EXPECT_EQ(ui.PendingMessageBox().text, "Usuário não tem acesso!");
        ui.Answer(1);
        ui.Press(ui.ByText(v, "&Cancela"));
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the browse to close at once");
        EXPECT_FALSE(ui.HasWindow("Usuários / Senhas"));
    }
    Runtime rt(WithDictionary());
    int t = rt.Start("UsuariosSenhas");
    HeadlessDriver ui(rt);
    int v = ui.WindowByCaption(" Verifica Administrador");
    ui.Type(ui.Control(v, 2), "CHEFE");
    ui.Type(ui.Control(v, 4), "XYZ");
    ui.Press(ui.ByText(v, "&OK"));
    int w = ui.WindowByCaption("Usuários / Senhas");
    EXPECT_EQ(ui.Rows(ui.Control(w, 1)), (std::vector<std::vector<std::string>>{{"ANA", "Não"}, {"CHEFE", "Sim"}}));
    ui.Press(ui.ByText(w, "    &Incluir"));
    int f = ui.WindowByCaption("Incluir Usuário");
    ui.Press(ui.ByText(f, "&OK"));
    EXPECT_EQ(ui.PendingMessageBox().text, "Preencha o usuário!");
    ui.Answer(1);
    ui.Type(ui.Control(f, 2), "BIA");
    ui.Press(ui.ByText(f, "&OK"));
    EXPECT_EQ(ui.PendingMessageBox().text, "Preencha a senha!");
    ui.Answer(1);
    ui.Type(ui.Control(f, 4), "123");
    ui.Check(ui.Control(f, 5), true);
    ui.Press(ui.ByText(f, "&OK"));
    EXPECT_EQ(ui.Rows(ui.Control(w, 1)),
              (std::vector<std::vector<std::string>>{{"ANA", "Não"}, {"BIA", "Sim"}, {"CHEFE", "Sim"}}));
    // The locator on the name: the first name at or after the text, any case.
    struct {
        const char* typed;
        int row;
    } locate[] = {{"b", 2}, {"C", 3}, {"AN", 1}, {"BZ", 3}, {"Z", 3}};
    for (const auto& l : locate) {
        ui.Type(ui.ByPrompt(w, "Usuário:"), l.typed);
        EXPECT_EQ(ui.State(ui.Control(w, 1)).selected, l.row) << l.typed;
    }
    ui.Press(ui.ByText(w, "   &Fechar"));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the browse");
    EXPECT_EQ(StoredUsers(), (std::vector<std::string>{"ANA", "BIA", "CHEFE"}));
}
