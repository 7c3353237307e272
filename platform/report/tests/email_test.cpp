// E-mail of reports: settings from Vorel.ini, the zip attachment, and delivery to an SMTP sink on
// loopback started by the test.
#include "vorel/core/settings_file.h"
#include "vorel/report/email_settings.h"
#include "vorel/report/report_mailer.h"
#include "vorel/report/report_zip.h"

#include <zip.h>

#include <QTemporaryDir>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "sample_reports.h"
#include "smtp_sink.h"

namespace vorel::report {
namespace {

using testing::SmtpSink;

// Name and content of each file of a zip archive held in memory.
std::map<std::string, std::string> unzip(const std::string& bytes) {
    std::map<std::string, std::string> files;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (archive == nullptr) {
        if (source) zip_source_free(source);
        return files;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, i, 0, &st);
        std::string content(st.size, '\0');
        zip_file_t* f = zip_fopen_index(archive, i, 0);
        zip_fread(f, content.data(), content.size());
        zip_fclose(f);
        files[st.name] = content;
    }
    zip_close(archive);
    return files;
}

EmailSettings sink_settings(const SmtpSink& sink) {
    EmailSettings s;
    s.server = "127.0.0.1";
    s.port = sink.port();
    s.sender = "escritorio@example.com";
    return s;
}

Document small_report(const std::string& title) {
    Document d = samples::run_entries_listing(samples::entries(3)).document;
    d.title = title;
    return d;
}

TEST(EmailSettings, ReadFromSectionEmailOfVorelIni) {
    QTemporaryDir dir;
    setenv("VOREL_SETTINGS_DIR", dir.path().toUtf8().constData(), 1);
    struct Case {
        std::string section;
        MailSecurity security;
        int port;
    };
    const std::vector<Case> cases = {
        {"Server=smtp.example.com\nPort=2525\nSender=a@b.c\nUser=u\nPassword= p w \nTLS=0\n", MailSecurity::None, 2525},
        {"Server=smtp.example.com\nTLS=starttls\n", MailSecurity::StartTls, 587},
        {"Server=smtp.example.com\nTLS=2\n", MailSecurity::Tls, 465},
        {"Server=smtp.example.com\nPort=abc\n", MailSecurity::None, 25},
        {"", MailSecurity::None, 25},
    };
    for (const Case& c : cases) {
        std::ofstream(dir.filePath("Vorel.ini").toStdString()) << "[Outra]\nServer=x\n[Email]\n" << c.section;
        const EmailSettings s = read_email_settings(settings::SettingsFile(kEmailSettingsFile));
        EXPECT_EQ(s.security, c.security) << c.section;
        EXPECT_EQ(s.port, c.port) << c.section;
        EXPECT_EQ(s.server, c.section.empty() ? "" : "smtp.example.com") << c.section;
    }
    EXPECT_EQ(read_email_settings(settings::SettingsFile(kEmailSettingsFile)).sender, "");
    std::ofstream(dir.filePath("Vorel.ini").toStdString()) << "[Email]\n" << cases[0].section;
    const EmailSettings s = read_email_settings(settings::SettingsFile(kEmailSettingsFile));
    EXPECT_EQ(s.user, "u");
    EXPECT_EQ(s.password, "p w");
    EXPECT_EQ(s.sender, "a@b.c");
    unsetenv("VOREL_SETTINGS_DIR");
}

TEST(ReportZip, HoldsThePdfUnderTheReportsName) {
    const auto files = unzip(zip_report("%PDF-1.4 test", "RelatorioEntradas.zip"));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, "RelatorioEntradas.pdf");
    EXPECT_EQ(files.begin()->second, "%PDF-1.4 test");
    EXPECT_EQ(attachment_zip_name("ListagemEmpresas"), "ListagemEmpresas.zip");
    EXPECT_EQ(attachment_zip_name("PlanilhaMensalProdutos.ZIP"), "PlanilhaMensalProdutos.ZIP");
}

TEST(ReportMailer, SinkReceivesTheReportAsPdfInsideAZip) {
    SmtpSink sink;
    ReportMailer mailer;
    Outcome reported = Outcome::failure("not called");
    auto sent = mailer.send(sink_settings(sink),
                            {"Jo\xE3o Cont\xE1" "bil", "joao@example.com", "Relat\xF3rio de entradas",
                             "Segue o relat\xF3rio.", "RelatorioEntradas.zip"},
                            small_report("RelEntradas"), [&](const Outcome& o) { reported = o; });
    const Outcome outcome = sent.get();
    ASSERT_TRUE(outcome.ok()) << outcome.error;
    mailer.wait();
    EXPECT_TRUE(reported.ok());

    const auto messages = sink.messages();
    ASSERT_EQ(messages.size(), 1u);
    const auto& m = messages[0];
    EXPECT_EQ(m.from, "escritorio@example.com");
    EXPECT_EQ(m.recipients, std::vector<std::string>{"joao@example.com"});
    EXPECT_EQ(testing::header_of(m.data, "To"), "=?UTF-8?B?Sm/Do28gQ29udMOhYmls?= <joao@example.com>");
    EXPECT_EQ(testing::header_of(m.data, "Subject"), "=?UTF-8?B?UmVsYXTDs3JpbyBkZSBlbnRyYWRhcw==?=");
    const auto files = unzip(testing::attachment_of(m.data, "RelatorioEntradas.zip"));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, "RelatorioEntradas.pdf");
    EXPECT_EQ(files.begin()->second.substr(0, 5), "%PDF-");
}

TEST(ReportMailer, TwoReportsSentAtOnceReachTheirOwnRecipients) {
    SmtpSink sink;
    ReportMailer mailer;
    auto first = mailer.send(sink_settings(sink), {"Ana", "ana@example.com", "Entradas", "", "RelatorioEntradas.zip"},
                             small_report("RelEntradas"));
    auto second = mailer.send(sink_settings(sink), {"Bia", "bia@example.com", "Planilha", "", "PlanilhaMensalProdutos"},
                              samples::run_result_page(samples::result_lines(3)).document);
    ASSERT_TRUE(first.get().ok());
    ASSERT_TRUE(second.get().ok());
    std::map<std::string, std::string> attachment_by_recipient;
    for (const auto& m : sink.messages()) {
        ASSERT_EQ(m.recipients.size(), 1u);
        for (std::string name : {"RelatorioEntradas.zip", "PlanilhaMensalProdutos.zip"})
            if (!testing::attachment_of(m.data, name).empty()) attachment_by_recipient[m.recipients[0]] = name;
        EXPECT_NE(testing::header_of(m.data, "To").find(m.recipients[0]), std::string::npos);
    }
    EXPECT_EQ(attachment_by_recipient, (std::map<std::string, std::string>{
                                           {"ana@example.com", "RelatorioEntradas.zip"},
                                           {"bia@example.com", "PlanilhaMensalProdutos.zip"}}));
}

TEST(ReportMailer, FailuresAreReportedClearly) {
    SmtpSink refusing(/*reject_recipients=*/true);
    ReportMailer mailer;
    const Document pages = small_report("RelEntradas");
    const ReportMail mail{"Ana", "ana@example.com", "Entradas", "", "RelatorioEntradas.zip"};

    Outcome refused = mailer.send(sink_settings(refusing), mail, pages).get();
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.error.find("ana@example.com"), std::string::npos) << refused.error;
    EXPECT_NE(refused.error.find("550"), std::string::npos) << refused.error;

    EmailSettings no_server = sink_settings(refusing);
    no_server.server = "";
    const Outcome unset = mailer.send(no_server, mail, pages).get();
    EXPECT_NE(unset.error.find("no e-mail server is set"), std::string::npos) << unset.error;

    EmailSettings closed = sink_settings(refusing);
    { SmtpSink gone; closed.port = gone.port(); }  // a port nobody listens on any more
    const Outcome unreachable = mailer.send(closed, mail, pages).get();
    EXPECT_FALSE(unreachable.ok());
    EXPECT_NE(unreachable.error.find("127.0.0.1"), std::string::npos) << unreachable.error;

    const Outcome nothing = mailer.send(sink_settings(refusing), mail, Document{}).get();
    EXPECT_FALSE(nothing.ok());
    EXPECT_TRUE(refusing.messages().empty());
}

}  // namespace
}  // namespace vorel::report
