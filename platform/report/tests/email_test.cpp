// E-mail of reports: settings from Vorel.ini, the zip attachment, and delivery to an SMTP sink on
// loopback started by the test.
#include "vorel/core/settings_file.h"
#include "vorel/report/email_settings.h"
#include "vorel/report/report_mailer.h"
#include "vorel/report/report_zip.h"
#include "vorel/report/smtp_mail.h"

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
    s.security = MailSecurity::None;  // the sink speaks no TLS; nobody logs in
    return s;
}

Document small_report(const std::string& title) {
    Document d = samples::run_entries_listing(samples::entries(3)).document;
    d.title = title;
    return d;
}

// Writes section Email of Vorel.ini in the settings folder of the test.
class EmailSettingsFile {
public:
    EmailSettingsFile() { setenv("VOREL_SETTINGS_DIR", dir_.path().toUtf8().constData(), 1); }
    ~EmailSettingsFile() { unsetenv("VOREL_SETTINGS_DIR"); }
    EmailSettings read(const std::string& section) {
        std::ofstream(dir_.filePath("Vorel.ini").toStdString()) << "[Outra]\nServer=x\nTLS=0\n[Email]\n" << section;
        return read_email_settings(settings::SettingsFile(kEmailSettingsFile));
    }

private:
    QTemporaryDir dir_;
};

TEST(EmailSettings, ReadFromSectionEmailOfVorelIni) {
    EmailSettingsFile file;
    struct Case {
        std::string section;
        MailSecurity security;
        int port;
    };
    const std::vector<Case> cases = {
        {"Server=smtp.example.com\nPort=2525\nSender=a@b.c\nUser=u\nPassword= p w \nTLS=0\n", MailSecurity::None, 2525},
        {"Server=smtp.example.com\nTLS=none\n", MailSecurity::None, 25},
        {"Server=smtp.example.com\nTLS=Off\n", MailSecurity::None, 25},
        {"Server=smtp.example.com\nTLS=starttls\n", MailSecurity::StartTls, 587},
        {"Server=smtp.example.com\nTLS=1\nPort=25\n", MailSecurity::StartTls, 25},
        {"Server=smtp.example.com\nTLS=2\n", MailSecurity::Tls, 465},
        // No TLS key, an empty one, yes, true or on: TLS as the port implies.
        {"Server=smtp.example.com\n", MailSecurity::StartTls, 587},
        {"Server=smtp.example.com\nTLS=\nPort=25\n", MailSecurity::StartTls, 25},
        {"Server=smtp.example.com\nPort=465\n", MailSecurity::Tls, 465},
        {"Server=smtp.example.com\nTLS=yes\nPort=465\n", MailSecurity::Tls, 465},
        {"Server=smtp.example.com\nTLS=TRUE\n", MailSecurity::StartTls, 587},
        {"Server=smtp.example.com\nTLS=on\nPort=2525\n", MailSecurity::StartTls, 2525},
        {"Server=smtp.example.com\nPort=abc\n", MailSecurity::StartTls, 587},
    };
    for (const Case& c : cases) {
        const EmailSettings s = file.read(c.section);
        EXPECT_EQ(s.security, c.security) << c.section;
        EXPECT_EQ(s.port, c.port) << c.section;
        EXPECT_EQ(s.server, "smtp.example.com") << c.section;
        EXPECT_EQ(s.error, "") << c.section;
    }
    EXPECT_EQ(file.read("").server, "") << "the other section's keys are not read";
    const EmailSettings s = file.read(cases[0].section);
    EXPECT_EQ(s.user, "u");
    EXPECT_EQ(s.password, "p w");
    EXPECT_EQ(s.sender, "a@b.c");
    for (const char* unknown : {"TLS=maybe\n", "TLS=3\n", "TLS=yes please\n"})
        EXPECT_NE(file.read(unknown).error.find("a chave TLS da seção Email"), std::string::npos) << unknown;
}

// The TLS key against a sink that offers log-in and STARTTLS: the credentials go in clear only
// when TLS=0 is written, and that send says so; otherwise the client starts TLS (STARTTLS, or at
// once) before it logs in, and the sink, which speaks no TLS, sees no AUTH.
TEST(EmailSettings, NoLogInInClearUnlessTlsZeroIsWritten) {
    EmailSettingsFile file;
    struct Case {
        std::string tls;     // the TLS line of section Email
        bool sent;           // the sink received the message
        bool starttls;       // the client asked for STARTTLS
        bool handshake;      // the client began a TLS handshake
        bool auth_in_clear;  // an AUTH line reached the sink
    };
    const std::vector<Case> cases = {
        {"", false, true, true, false},
        {"TLS=\n", false, true, true, false},
        {"TLS=yes\n", false, true, true, false},
        {"TLS=true\n", false, true, true, false},
        {"TLS=on\n", false, true, true, false},
        {"TLS=1\n", false, true, true, false},
        {"TLS=starttls\n", false, true, true, false},
        {"TLS=2\n", false, false, true, false},
        {"TLS=ssl\n", false, false, true, false},
        {"TLS=maybe\n", false, false, false, false},
        {"TLS=0\n", true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("section Email with '" + c.tls + "'");
        SmtpSink sink({.reject_recipients = false, .offer_auth = true, .offer_starttls = true});
        const EmailSettings settings =
            file.read("Server=127.0.0.1\nPort=" + std::to_string(sink.port()) +
                      "\nSender=escritorio@example.com\nUser=escritorio\nPassword=segredo\n" + c.tls);
        const Outcome outcome = send_mail(settings, {"Ana", "ana@example.com", "Teste", "Texto", "a.zip", "zip", "application/zip"}, 10);
        EXPECT_EQ(outcome.ok(), c.sent) << outcome.error;
        EXPECT_EQ(sink.messages().size(), c.sent ? 1u : 0u);
        EXPECT_EQ(sink.tls_handshakes() > 0, c.handshake);
        bool starttls = false, auth = false, password = false;
        for (const std::string& line : sink.lines()) {
            starttls = starttls || line == "STARTTLS";
            auth = auth || line.rfind("AUTH", 0) == 0;
            password = password || testing::base64_decode(line).find("segredo") != std::string::npos ||
                       line.find("segredo") != std::string::npos;
        }
        EXPECT_EQ(starttls, c.starttls);
        EXPECT_EQ(auth, c.auth_in_clear);
        EXPECT_EQ(password, c.auth_in_clear);
        if (c.sent) {
            EXPECT_NE(outcome.notice.find("TLS=0"), std::string::npos) << outcome.notice;
            EXPECT_NE(outcome.notice.find("a senha passaram pela rede sem proteção"), std::string::npos) << outcome.notice;
        } else if (c.tls == "TLS=maybe\n") {
            EXPECT_NE(outcome.error.find("a chave TLS da seção Email do Vorel.ini contém \"maybe\""), std::string::npos)
                << outcome.error;
            EXPECT_TRUE(sink.lines().empty()) << "nothing reached the server";
        }
    }
    // Plain SMTP without logging in has nothing to say.
    SmtpSink sink({.reject_recipients = false, .offer_auth = true, .offer_starttls = true});
    const EmailSettings anonymous = file.read("Server=127.0.0.1\nPort=" + std::to_string(sink.port()) +
                                              "\nSender=escritorio@example.com\nTLS=0\n");
    const Outcome outcome = send_mail(anonymous, {"Ana", "ana@example.com", "Teste", "Texto", "a.zip", "zip", "application/zip"}, 10);
    EXPECT_TRUE(outcome.ok()) << outcome.error;
    EXPECT_EQ(outcome.notice, "");
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
    SmtpSink refusing({.reject_recipients = true});
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
    EXPECT_EQ(unset.error, "O e-mail para ana@example.com não foi enviado: nenhum servidor de e-mail está configurado "
                           "(seção Email do Vorel.ini).");

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
