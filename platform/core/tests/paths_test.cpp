#include "vorel/core/paths.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_folder.h"

namespace vorel::files {
namespace {

using vorel::testing::TempFolder;

TEST(Paths, ResolvesExistingComponentsWithoutRegardToCase) {
    TempFolder tmp;
    tmp.write("BVorel/Sub/Produtos.TPS", "x");
    tmp.write("A\xC3\xA7\xC3\xA3o/f.txt", "x");  // "Ação" on disk, in UTF-8
    tmp.write("dup/x", "");
    tmp.write("DUP/x", "");
    const fs::path& root = tmp.path();
    struct Case {
        std::string program;
        fs::path expected;
    } cases[] = {
        {"BVOREL\\sub\\produtos.tps", root / "BVorel/Sub/Produtos.TPS"},
        {"bvorel\\\\SUB//Novo.dat", root / "BVorel/Sub/Novo.dat"},          // doubled separators
        {"BVOREL\\NovaPasta\\Arq.TXT", root / "BVorel/NovaPasta/Arq.TXT"},  // new parts keep case
        {"bvorel\\.\\sub\\..\\SUB\\PRODUTOS.tps", root / "BVorel/Sub/Produtos.TPS"},
        {"BVOREL\\Sub   ", root / "BVorel/Sub"},                             // padded text field
        {"A\xC7\xC3O\\F.TXT", root / "A\xC3\xA7\xC3\xA3o/f.txt"},           // "AÇÃO" in Windows-1252
        {"dup", root / "dup"},                                               // exact match wins
        {"Dup", root / "DUP"},                                               // first in byte order
    };
    for (const Case& c : cases) EXPECT_EQ(resolve(c.program, root), c.expected) << c.program;

    // Absolute program paths, with and without a drive prefix.
    EXPECT_EQ(resolve(tmp.program("bvorel\\SUB")), root / "BVorel/Sub");
    EXPECT_EQ(resolve("C:" + tmp.program("bvorel\\\\sub\\")), root / "BVorel/Sub");
}

TEST(Paths, ProgramFormUsesBackslashesAndWindows1252) {
    EXPECT_EQ(to_program_path("/tmp/A\xC3\xA7\xC3\xA3o/x.txt"), "\\tmp\\A\xE7\xE3o\\x.txt");
    EXPECT_EQ(join("C:\\Vorel", "BVOREL"), "C:\\Vorel\\BVOREL");
    EXPECT_EQ(join("C:\\Vorel\\", "\\BVOREL"), "C:\\Vorel\\BVOREL");
#ifndef _WIN32
    // Shown to the user as this system writes paths.
    EXPECT_EQ(to_display_path("\\home\\escritorio\\TRABALHO\\"), "/home/escritorio/TRABALHO/");
    EXPECT_EQ(to_display_path("C:\\Vorel\\\\BVOREL/A\xE7\xE3o.tps"), "/Vorel/BVOREL/A\xE7\xE3o.tps");
    EXPECT_EQ(to_display_path("BComuns\\Vorel.ini"), "BComuns/Vorel.ini");
#endif
}

TEST(Paths, FolderAndFileOperations) {
    TempFolder tmp;
    tmp.write("BVorel/a.txt", "abc");
    std::string base = tmp.program();

    EXPECT_FALSE(make_folder(base + "\\bvorel\\Novo\\Mais"));  // parents made, existing one reused
    EXPECT_TRUE(fs::is_directory(tmp.path() / "BVorel/Novo/Mais"));
    EXPECT_FALSE(make_folder(base + "\\BVOREL\\novo"));  // existing folder is fine
    EXPECT_TRUE(make_folder(base + "\\BVOREL\\A.TXT"));  // a file is in the way
    EXPECT_TRUE(is_folder(base + "\\bvorel\\NOVO"));
    EXPECT_FALSE(is_folder(base + "\\bvorel\\a.txt"));

    EXPECT_FALSE(copy_file(base + "\\BVOREL\\A.TXT", base + "\\bvorel\\Copia.txt"));
    EXPECT_EQ(tmp.read("BVorel/Copia.txt"), "abc");
    EXPECT_TRUE(copy_file(base + "\\BVOREL\\A.TXT", base + "\\bvorel\\copia.TXT", Overwrite::No));
    EXPECT_FALSE(copy_file(base + "\\nada.txt", base + "\\outro.txt") == std::error_code());

    EXPECT_FALSE(rename(base + "\\bvorel\\COPIA.txt", base + "\\bvorel\\Movido.txt"));
    EXPECT_TRUE(exists(base + "\\BVOREL\\MOVIDO.TXT"));
    EXPECT_FALSE(exists(base + "\\BVOREL\\copia.txt"));

    EXPECT_FALSE(remove_file(base + "\\bvorel\\movido.txt"));
    EXPECT_FALSE(exists(base + "\\BVOREL\\MOVIDO.TXT"));
    EXPECT_EQ(remove_file(base + "\\bvorel\\movido.txt"), std::errc::no_such_file_or_directory);
}

TEST(Paths, ListMatchesWildcardsWithoutRegardToCase) {
    TempFolder tmp;
    tmp.write("Pasta/b.TXT", "12345");
    tmp.write("Pasta/a.txt", "");
    tmp.write("Pasta/c.dat", "");
    tmp.write("Pasta/readme", "");
    tmp.write("Pasta/Sub/x", "");
    auto names = [&](std::string_view pattern) {
        std::string out;
        for (const Entry& e : list(tmp.program("pasta"), pattern)) out += e.name + (e.folder ? "/ " : " ");
        return out;
    };
    EXPECT_EQ(names("*.txt"), "a.txt b.TXT ");
    EXPECT_EQ(names("*.*"), "a.txt b.TXT c.dat readme Sub/ ");
    EXPECT_EQ(names("?.DAT"), "c.dat ");
    EXPECT_EQ(names("READ*"), "readme ");
    EXPECT_EQ(names("*e*"), "readme ");
    EXPECT_EQ(names("x*"), "");
    EXPECT_EQ(list(tmp.program("pasta"), "B.txt").at(0).size, 5u);

    std::error_code ec;
    EXPECT_TRUE(list(tmp.program("nada"), "*", &ec).empty());
    EXPECT_TRUE(ec);
}

// Makes a file undeletable for the duration of a test: read-only parent folder for an ordinary
// user, the immutable flag for root (which ignores permissions).
class Undeletable {
public:
    explicit Undeletable(fs::path file) : file_(std::move(file)) {
        if (::geteuid() != 0) {
            fs::permissions(file_.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
            ok_ = true;
        } else {
            ok_ = set_immutable(true);
        }
    }
    ~Undeletable() {
        if (::geteuid() != 0) {
            fs::permissions(file_.parent_path(), fs::perms::owner_all);
        } else if (ok_) {
            set_immutable(false);
        }
    }
    bool ok() const { return ok_; }

private:
    bool set_immutable(bool on) {
        int fd = ::open(file_.c_str(), O_RDONLY);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    fs::path file_;
    bool ok_ = false;
};

TEST(Paths, RemoveTreeGoesOnPastFailuresAndReportsThem) {
    TempFolder tmp;
    tmp.write("Empresa/A/keep.dat", "x");
    tmp.write("Empresa/A/gone1.dat", "x");
    tmp.write("Empresa/B/gone2.dat", "x");
    tmp.write("Empresa/z.dat", "x");
    tmp.write("Outside/precious.dat", "x");
    fs::create_directory_symlink(tmp.path() / "Outside", tmp.path() / "Empresa/link");

    std::vector<DeleteFailure> failures;
    {
        Undeletable guard(tmp.path() / "Empresa/A/keep.dat");
        if (!guard.ok()) GTEST_SKIP() << "cannot make a file undeletable here";
        failures = remove_tree(tmp.program("EMPRESA"));
    }
    std::vector<std::string> paths;
    for (const DeleteFailure& f : failures) {
        paths.push_back(f.path);
        EXPECT_FALSE(f.message.empty());
    }
    // The file that stayed, and the folders that hold it; the rest went.
    if (::geteuid() != 0) {  // a read-only folder keeps every entry of it
        EXPECT_EQ(paths, (std::vector<std::string>{tmp.program("Empresa\\A\\gone1.dat"),
                                                   tmp.program("Empresa\\A\\keep.dat"),
                                                   tmp.program("Empresa\\A"), tmp.program("Empresa")}))
            << ::testing::PrintToString(paths);
    } else {
        EXPECT_FALSE(fs::exists(tmp.path() / "Empresa/A/gone1.dat"));
        EXPECT_EQ(paths, (std::vector<std::string>{tmp.program("Empresa\\A\\keep.dat"),
                                                   tmp.program("Empresa\\A"), tmp.program("Empresa")}))
            << ::testing::PrintToString(paths);
    }
    EXPECT_TRUE(fs::exists(tmp.path() / "Empresa/A/keep.dat"));
    EXPECT_FALSE(fs::exists(tmp.path() / "Empresa/B"));
    EXPECT_FALSE(fs::exists(tmp.path() / "Empresa/z.dat"));
    EXPECT_FALSE(fs::exists(tmp.path() / "Empresa/link"));
    EXPECT_TRUE(fs::exists(tmp.path() / "Outside/precious.dat"));  // a link is never followed

    EXPECT_TRUE(remove_tree(tmp.program("NaoExiste")).empty());
}

TEST(Paths, RemoveTreeTellsItsObserverEachFolderAndFileInTurn) {
    TempFolder tmp;
    tmp.write("Raiz/Empresa/a.dat", "x");
    tmp.write("Raiz/Empresa/Sub/b.dat", "x");
    tmp.write("Outside/c.dat", "x");
    fs::create_directory_symlink(tmp.path() / "Outside", tmp.path() / "Raiz/Empresa/link");
    struct Log : DeleteObserver {
        std::string base;
        std::vector<std::string> seen;
        void note(const char* what, const std::string& p) { seen.push_back(what + p.substr(base.size())); }
        void entering(const std::string& f) override { note("> ", f); }
        void deleting(const std::string& f) override { note("- ", f); }
        void leaving(const std::string& f) override { note("< ", f); }
    } log;
    log.base = tmp.program("Raiz");
    EXPECT_TRUE(remove_tree(log.base + "\\Empresa", log.base, &log).empty());
    // Folders are entered and left in pairs, nested; a link is deleted like a file, never entered.
    EXPECT_EQ(log.seen, (std::vector<std::string>{"> \\Empresa", "> \\Empresa\\Sub", "- \\Empresa\\Sub\\b.dat",
                                                  "< \\Empresa\\Sub", "- \\Empresa\\a.dat", "- \\Empresa\\link",
                                                  "< \\Empresa"}));
    EXPECT_TRUE(fs::exists(tmp.path() / "Outside/c.dat"));
}

TEST(Paths, RemoveTreeStopsWhenItsObserverSaysSo) {
    TempFolder tmp;
    for (const char* f : {"Raiz/Empresa/Sub/b.dat", "Raiz/Empresa/Sub/c.dat", "Raiz/Empresa/z.dat"})
        tmp.write(f, "x");
    struct StopAfter : DeleteObserver {
        int left = 2, entered = 0, leftFolders = 0;
        void entering(const std::string&) override { ++entered; }
        void leaving(const std::string&) override { ++leftFolders; }
        bool stop() override { return left-- <= 0; }  // before Sub, before b.dat, then stops
    } observer;
    const std::string root = tmp.program("Raiz");
    std::vector<DeleteFailure> failures = remove_tree(root + "\\Empresa", root, &observer);
    ASSERT_EQ(failures.size(), 1u) << "only the folder where it stopped";
    EXPECT_EQ(failures[0].path, root + "\\Empresa\\Sub");
    EXPECT_FALSE(fs::exists(tmp.path() / "Raiz/Empresa/Sub/b.dat"));
    EXPECT_TRUE(fs::exists(tmp.path() / "Raiz/Empresa/Sub/c.dat"));
    EXPECT_TRUE(fs::exists(tmp.path() / "Raiz/Empresa/z.dat")) << "nothing after the stop";
    EXPECT_EQ(observer.entered, observer.leftFolders) << "every folder entered is left";
}

TEST(Paths, RemoveTreeInsideARootRefusesWhatLiesOutsideIt) {
    TempFolder tmp;
    tmp.write("Raiz/Empresa/a.dat", "x");
    tmp.write("Outside/Sub/precious.dat", "x");
    fs::create_directory_symlink(tmp.path() / "Outside", tmp.path() / "Raiz/link");
    const std::string root = tmp.program("RAIZ");
    for (const std::string& target : {root, root + "\\", root + "\\Empresa\\..", tmp.program(),
                                      root + "\\link\\Sub", tmp.program("Outside")}) {
        std::vector<DeleteFailure> failures = remove_tree(target, root);
        ASSERT_EQ(failures.size(), 1u) << target;
        EXPECT_EQ(failures[0].path, target);
    }
    EXPECT_TRUE(fs::exists(tmp.path() / "Outside/Sub/precious.dat"));
    EXPECT_TRUE(fs::exists(tmp.path() / "Raiz/Empresa/a.dat"));

    EXPECT_TRUE(remove_tree(root + "\\empresa", root + "\\").empty());
    EXPECT_FALSE(fs::exists(tmp.path() / "Raiz/Empresa"));
}

}  // namespace
}  // namespace vorel::files
