// The data root's rules and the folders the start-up creates.
#include <gtest/gtest.h>

#include "shell_fixture.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/startup.h"

using namespace vorel::shell;
using shell_test::ShellTest;

using StartupTest = ShellTest;

TEST_F(StartupTest, WorkingFolderWithTrabalhoIsTheRootAndMarvexIsNotRead) {
    WriteSettings("Marvex.ini", "[Servidor_Vorel]\r\nNetPath=X:\\DADOS\\\r\n");
    struct Case {
        std::string folder, root;
    } cases[] = {
        {"C:\\TRABALHO\\SISTEMA", "C:\\TRABALHO\\SISTEMA\\"},
        {"C:\\Meus Trabalhos\\Vorel", "C:\\Meus Trabalhos\\Vorel\\"},  // long names count: upper case contains it
        {"/home/ana/trabalho", "/home/ana/trabalho\\"},
        {"C:\\TRABALHO\\", "C:\\TRABALHO\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(DeterminaPastaRaiz(c.folder), c.root) << c.folder;
}

TEST_F(StartupTest, OtherFoldersTakeNetPathOrTheWorkingFolder) {
    EXPECT_EQ(DeterminaPastaRaiz("C:\\VOREL"), "C:\\VOREL\\") << "no Marvex.ini";
    WriteSettings("marvex.INI", "[Servidor_Vorel]\r\nNetPath=X:\\DADOS\\\r\n");
    EXPECT_EQ(DeterminaPastaRaiz("C:\\VOREL"), "X:\\DADOS\\") << "the file name in any case";
    // A value without its closing backslash gets one: the folders lie inside the root.
    WriteSettings("marvex.INI", "[Servidor_Vorel]\r\nNetPath=X:\\DADOS\r\n");
    EXPECT_EQ(DeterminaPastaRaiz("C:\\VOREL"), "X:\\DADOS\\");
    WriteSettings("marvex.INI", "[Servidor_Vorel]\r\nNetPath=   \r\n");
    EXPECT_EQ(DeterminaPastaRaiz("C:\\VOREL"), "C:\\VOREL\\") << "a blank NetPath names no folder";
    WriteSettings("marvex.INI", "[Outra]\r\nNetPath=X:\\DADOS\\\r\n");
    EXPECT_EQ(DeterminaPastaRaiz("C:\\VOREL"), "C:\\VOREL\\") << "missing section";
}

TEST_F(StartupTest, CreatesTheFixedFoldersAndSetsTheFolderGlobals) {
    WriteSettings("Marvex.ini", "[Servidor_Vorel]\r\nNetPath=" + Folder("dados") + "\r\n");
    std::filesystem::create_directories(Native("dados"));
    Inicio r = IniciaPrograma(Folder("programa"), Folder("programa"));
    EXPECT_EQ(r.erro, "");
    EXPECT_TRUE(r.falhas.empty());
    EXPECT_EQ(r.pastaRaiz, Folder("dados") + "\\");
    EXPECT_EQ(PastaRaiz.Get(), Folder("dados") + "\\");
    EXPECT_EQ(PastaTemp.Get(), Folder("dados") + "\\Temp\\");
    EXPECT_EQ(PastaPrograma.Get(), Folder("programa") + "\\");
    for (const char* f : {"BComuns", "BEscrita", "BCTB", "BVOREL", "Excel", "Temp"})
        EXPECT_TRUE(std::filesystem::is_directory(Native("dados") / f)) << f;
    EXPECT_FALSE(std::filesystem::exists(Native("programa"))) << "the working folder is only read";
    // Existing folders are no error; an existing file in the way is reported.
    WriteFile(Native("dados/Excel"), "");
    std::filesystem::remove(Native("dados/Excel"));
    WriteFile(Native("dados/Excel"), "x");
    auto falhas = CriaPastas(Folder("dados") + "\\");
    ASSERT_EQ(falhas.size(), 1u);
    EXPECT_NE(falhas[0].find("Excel"), std::string::npos);
}

TEST_F(StartupTest, FixedFoldersInOrderRootFirst) {
    EXPECT_EQ(PastasFixas("C:\\V\\"), (std::vector<std::string>{"C:\\V\\", "C:\\V\\BComuns", "C:\\V\\BEscrita",
                                                               "C:\\V\\BCTB", "C:\\V\\BVOREL", "C:\\V\\Excel",
                                                               "C:\\V\\Temp"}));
}

TEST_F(StartupTest, AMissingDataRootIsAnErrorNamingItAndNothingIsMade) {
    // A NetPath on a share that is not mounted: the program must not start on an empty root.
    WriteSettings("Marvex.ini", "[Servidor_Vorel]\r\nNetPath=" + Folder("rede/dados") + "\r\n");
    PastaRaiz.Set("antes\\");
    Inicio r = IniciaPrograma(Folder("programa"), Folder("programa"));
    EXPECT_EQ(r.erro, "A pasta de dados " + Folder("rede/dados") +
                          "\\ não foi encontrada. Verifique se a pasta da rede está conectada e o NetPath da seção "
                          "Servidor_Vorel de Marvex.ini.");
    EXPECT_FALSE(std::filesystem::exists(Native("rede"))) << "neither the root nor a folder above it is made";
    EXPECT_EQ(PastaRaiz.Get(), "antes\\") << "no folder global points at the missing root";
    EXPECT_EQ(ConfereRaiz(Folder("") + "\\"), "") << "an existing folder is a root";
}
