// Text-report files: lines in Windows-1252 with CR LF into a file of the run's own; handing the
// file to a print queue (through a stand-in print command) or a device.
#include "vorel/report/print_file.h"
#include "vorel/report/text_report_file.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace vorel::report {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TextReportFile, WritesLinesAsGivenWithCrLf) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("00000000.000").toStdString();
    TextReportFile file;
    ASSERT_TRUE(file.open(path, TextReportFile::Create::New).ok());
    for (std::string_view line : {std::string_view("Relat\xF3rio de Entradas"), std::string_view(""),
                                  std::string_view("\x1B" "E" "A\x08'"), std::string_view("\f")})
        ASSERT_TRUE(file.write_line(line).ok());
    ASSERT_TRUE(file.close().ok());
    EXPECT_EQ(read_file(path), "Relat\xF3rio de Entradas\r\n\r\n\x1B" "EA\x08'\r\n\f\r\n");
    EXPECT_EQ(file.lines(), 4);
}

TEST(TextReportFile, NewFileNeverTakesAnotherRunsFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("RelEntradas.txt").toStdString();
    std::ofstream(path) << "another run's lines\r\n";
    TextReportFile file;
    const Outcome o = file.open(path, TextReportFile::Create::New);
    EXPECT_FALSE(o.ok());
    EXPECT_NE(o.error.find(path), std::string::npos) << o.error;
    EXPECT_EQ(read_file(path), "another run's lines\r\n");
    // An export may replace the file the user chose.
    ASSERT_TRUE(file.open(path, TextReportFile::Create::Replace).ok());
    ASSERT_TRUE(file.write_line("a;b").ok());
    ASSERT_TRUE(file.close().ok());
    EXPECT_EQ(read_file(path), "a;b\r\n");
}

TEST(TextReportFile, FailedWritesAreReported) {
    TextReportFile missing;
    EXPECT_FALSE(missing.open("/nonexistent-folder/report.txt", TextReportFile::Create::New).ok());
    EXPECT_FALSE(missing.write_line("x").ok());
    if (std::filesystem::exists("/dev/full")) {  // a device that is always full
        TextReportFile full;
        ASSERT_TRUE(full.open("/dev/full", TextReportFile::Create::Replace).ok());
        Outcome o = Outcome::success();
        for (int i = 0; i < 10000 && o.ok(); ++i) o = full.write_line(std::string(100, 'x'));
        if (o.ok()) o = full.close();
        EXPECT_FALSE(o.ok());
        EXPECT_NE(o.error.find("/dev/full"), std::string::npos) << o.error;
        EXPECT_EQ(o.error.rfind("Não foi possível gravar no arquivo texto do relatório", 0), 0u) << o.error;
    }
}

TEST(PrintFile, QueueGetsTheFileThroughAnArgumentList) {
    QTemporaryDir dir;
    // A stand-in print command that records its arguments, one per line.
    const std::string fake = dir.filePath("fake-lp").toStdString();
    const std::string log = dir.filePath("args.log").toStdString();
    std::ofstream(fake) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" << log << "'; done\n"
                        << "[ \"$2\" = broken ] && exit 3\nexit 0\n";
    std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    // A file name a shell would read as two commands stays one argument.
    const std::string report = dir.filePath("rel; touch hacked.txt").toStdString();
    std::ofstream(report) << "linha\r\n";

    ASSERT_TRUE(print_file(report, {PrintTarget::Kind::Queue, "matricial"}, {fake}).ok());
    EXPECT_EQ(read_file(log), "-d\nmatricial\n" + report + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.filePath("hacked.txt").toStdString()));

    const Outcome refused = print_file(report, {PrintTarget::Kind::Queue, "broken"}, {fake});
    EXPECT_NE(refused.error.find("terminou com o código 3"), std::string::npos) << refused.error;
    const Outcome no_command = print_file(report, {PrintTarget::Kind::Queue, ""}, {dir.filePath("no-lp").toStdString()});
    EXPECT_NE(no_command.error.find("não pôde ser iniciado"), std::string::npos) << no_command.error;
}

TEST(PrintFile, DeviceGetsTheBytesAndAMissingDeviceIsNotCreated) {
    QTemporaryDir dir;
    const std::string report = dir.filePath("report.txt").toStdString();
    std::ofstream(report, std::ios::binary) << "linha 1\r\n\f\r\n";
    const std::string port = dir.filePath("lp0").toStdString();
    std::ofstream(port).flush();  // stands for the device node
    ASSERT_TRUE(print_file(report, {PrintTarget::Kind::Device, port}).ok());
    EXPECT_EQ(read_file(port), "linha 1\r\n\f\r\n");

    const std::string missing = dir.filePath("lp9").toStdString();
    const Outcome sem_porta = print_file(report, {PrintTarget::Kind::Device, missing});
    EXPECT_FALSE(sem_porta.ok());
    EXPECT_EQ(sem_porta.error.rfind("Não foi possível abrir a porta da impressora " + missing, 0), 0u) << sem_porta.error;
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace vorel::report
