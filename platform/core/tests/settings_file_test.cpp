#include "vorel/core/settings_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

#include "temp_folder.h"

namespace vorel::settings {
namespace {

using vorel::testing::TempFolder;
namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Windows-1252 text, CRLF line ends, keys padded to 20 as the office parameters are written.
const std::string kFile =
    "; parametros do escritorio\r\n"
    "[Parametros]\r\n"
    "Nome                =Escrit\xF3rio Cont\xE1" "bil  \r\n"
    "CGC                 = 12345678000199\r\n"
    "Vazio=\r\n"
    "Numero    =  -42\r\n"
    "Quebrado=2,9\r\n"
    "Texto=\"  citado  \"\r\n"
    "\r\n"
    "[Parametros2]\r\n"
    "Nome=outro\r\n"
    "[Temp]\r\n"
    "CNPJ=1\r\n";

TEST(SettingsFile, ReadsKeysIgnoringCaseAndPadding) {
    TempFolder tmp;
    tmp.write("qel.ini", kFile);
    SettingsFile ini(tmp.program("QEL.INI"));
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Parametros", "Nome", "Escrit\xF3rio Cont\xE1" "bil"},
        {"PARAMETROS", "nome                ", "Escrit\xF3rio Cont\xE1" "bil"},
        {"parametros  ", "cgc", "12345678000199"},
        {"Parametros", "Vazio", ""},
        {"Parametros", "Texto", "  citado  "},
        {"Parametros2", "NOME", "outro"},  // a section is not a prefix of another
        {"Parametros", "Falta", "padrao"},
        {"Falta", "Nome", "padrao"},
        {"Parametros", "; parametros do escritorio", "padrao"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.read_text(c.section, c.key, "padrao"), c.expected) << c.section << "/" << c.key;

    EXPECT_EQ(ini.read_number("parametros", "NUMERO ", 7), -42);
    EXPECT_EQ(ini.read_number("parametros", "Quebrado", 7), 2);
    EXPECT_EQ(ini.read_number("parametros", "Nome", 7), 7);  // not a number
    EXPECT_EQ(ini.read_number("parametros", "Vazio", 7), 7);
    EXPECT_EQ(ini.read_number("temp", "cnpj", 7), 1);

    SettingsFile missing(tmp.program("Nada.ini"));
    EXPECT_EQ(missing.read_text("A", "B", "x"), "x");
    EXPECT_EQ(missing.read_number("A", "B", 3), 3);
}

TEST(SettingsFile, WritesChangeOnlyTheirLine) {
    TempFolder tmp;
    tmp.write("qel.ini", kFile);
    SettingsFile ini(tmp.program("qel.ini"));
    ASSERT_FALSE(ini.write_text("PARAMETROS", "nome", "Novo Nome"));      // padding of the key kept
    ASSERT_FALSE(ini.write_number("parametros", "Novo                ", 12));  // added, unpadded
    ASSERT_FALSE(ini.write_text("Temp", "CNPJ", "a\nb"));                // stays one line
    ASSERT_FALSE(ini.write_text("Email", "Porta", "587"));              // new section at the end
    EXPECT_EQ(tmp.read("qel.ini"),
              "; parametros do escritorio\r\n"
              "[Parametros]\r\n"
              "Nome                =Novo Nome\r\n"
              "CGC                 = 12345678000199\r\n"
              "Vazio=\r\n"
              "Numero    =  -42\r\n"
              "Quebrado=2,9\r\n"
              "Texto=\"  citado  \"\r\n"
              "Novo=12\r\n"
              "\r\n"
              "[Parametros2]\r\n"
              "Nome=outro\r\n"
              "[Temp]\r\n"
              "CNPJ=a b\r\n"
              "[Email]\r\n"
              "Porta=587\r\n");
    EXPECT_EQ(ini.read_number("PARAMETROS", "novo", 0), 12);
    // Nothing but the file itself is left in the folder: the temporary file was renamed over it.
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST(SettingsFile, NamesWithoutAFolderLiveInTheUserSettingsFolder) {
    TempFolder tmp;
    {
        ScopedEnv dir("VOREL_SETTINGS_DIR", nullptr);
        ScopedEnv xdg("XDG_CONFIG_HOME", tmp.path().c_str());
        EXPECT_EQ(user_folder(), tmp.path() / "Vorel");
        ScopedEnv xdg_unset("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", "/home/fulano");
        EXPECT_EQ(user_folder(), fs::path("/home/fulano/.config/Vorel"));
    }
    ScopedEnv dir("VOREL_SETTINGS_DIR", (tmp.path() / "cfg").c_str());
    EXPECT_EQ(user_folder(), tmp.path() / "cfg");

    // A write creates the folder and the file with the name as written; any case finds it again.
    SettingsFile vorel("Vorel.ini");
    ASSERT_FALSE(vorel.write_text("Impressora", "Porta", "LPT1"));
    EXPECT_TRUE(fs::exists(tmp.path() / "cfg/Vorel.ini"));
    EXPECT_EQ(SettingsFile("vorel.INI").read_text("IMPRESSORA", "porta"), "LPT1");
    EXPECT_EQ(SettingsFile("vorel.INI").path(), tmp.path() / "cfg/Vorel.ini");

    // A name with a folder is a path, not a file of the settings folder.
    tmp.write("Raiz/BComuns/Vorel.ini", "[Parametros]\nNome=Raiz\n");
    EXPECT_EQ(SettingsFile(tmp.program("raiz\\bcomuns\\VOREL.ini")).read_text("Parametros", "Nome"),
              "Raiz");
}

TEST(SettingsFile, ConcurrentWritersLoseNoUpdate) {
    TempFolder tmp;  // the file does not exist yet: the first writer makes it
    constexpr int kThreads = 8, kRounds = 40;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            // Different spellings of one file share its lock and make one file.
            SettingsFile ini(tmp.program(t % 2 ? "VOREL.INI" : "vorel.ini"));
            for (int i = 0; i < kRounds; ++i) {
                ASSERT_FALSE(ini.update([](Content& c) {
                    long long v = std::stoll(c.find("Contador", "Valor").value_or("0"));
                    c.set("Contador", "Valor", std::to_string(v + 1));
                }));
                ASSERT_FALSE(ini.write_number("Thread" + std::to_string(t), "Ultimo", i));
            }
        });
    }
    for (std::thread& th : threads) th.join();
    SettingsFile ini(tmp.program("Vorel.ini"));
    EXPECT_EQ(ini.read_number("Contador", "Valor", -1), kThreads * kRounds);
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(ini.read_number("Thread" + std::to_string(t), "Ultimo", -1), kRounds - 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.path()), fs::directory_iterator()), 1);
}

TEST(SettingsFile, AFailedWriteIsReportedAndKeepsTheFile) {
    TempFolder tmp;
    tmp.write("arquivo", "x");
    // The folder cannot be made: a file stands where it should be.
    SettingsFile ini(tmp.program("arquivo\\Vorel.ini"));
    EXPECT_TRUE(ini.write_text("A", "B", "C"));
    // A folder where the settings file should be cannot be read: the write refuses to replace it.
    fs::create_directories(tmp.path() / "Pasta.ini");
    EXPECT_TRUE(SettingsFile(tmp.program("Pasta.ini")).write_text("A", "B", "C"));
    EXPECT_TRUE(fs::is_directory(tmp.path() / "Pasta.ini"));
}

#ifndef _WIN32
// A file's permission bits in octal ("0644").
std::string ModeOf(const fs::path& p) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(fs::status(p).permissions() & fs::perms::mask));
    return text;
}

TEST(SettingsFile, ARewriteKeepsTheFilesModeAndNewUserFilesArePrivate) {
    TempFolder tmp;
    ScopedEnv settings_dir("VOREL_SETTINGS_DIR", (tmp.path() / "usuario").c_str());
    const mode_t old_umask = ::umask(022);
    // A rewrite keeps the file's own mode, in the user's folder and under the data root alike.
    const fs::path user_file = tmp.path() / "usuario" / "Vorel.ini";
    const fs::path shared_file = tmp.path() / "dados" / "Vorel.ini";
    for (const char* mode : {"0600", "0640", "0644", "0660", "0400"}) {
        for (const fs::path& file : {user_file, shared_file}) {
            std::error_code gone;
            fs::remove(file, gone);  // the last round's file may be read-only
            tmp.write(fs::relative(file, tmp.path()), "[Email]\nPassword=velha\n");
            fs::permissions(file, static_cast<fs::perms>(std::stoi(mode, nullptr, 8)));
            SettingsFile ini(file == user_file ? std::string("Vorel.ini") : tmp.program("dados\\Vorel.ini"));
            ASSERT_FALSE(ini.write_text("Email", "Password", "nova")) << file;
            EXPECT_EQ(ini.read_text("Email", "Password"), "nova") << file;
            EXPECT_EQ(ModeOf(file), mode) << file;
        }
    }
    // Made by a write: private in the user's folder whatever the umask; under the data root, shared
    // as the umask allows.
    fs::remove(user_file);
    fs::remove(shared_file);
    ASSERT_FALSE(SettingsFile("Vorel.ini").write_text("Email", "Password", "segredo"));
    ASSERT_FALSE(SettingsFile(tmp.program("dados\\Vorel.ini")).write_text("Parametros", "Nome", "X"));
    EXPECT_EQ(ModeOf(user_file), "0600");
    EXPECT_EQ(ModeOf(shared_file), "0644");
    ::umask(old_umask);
}
#endif

}  // namespace
}  // namespace vorel::settings
