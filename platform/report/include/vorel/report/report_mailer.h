// ReportMailer: e-mails a report's pages as a PDF inside "<report>.zip", without blocking the caller.
//
// Each send is a run of its own: it takes its own copy of the server settings, the mail fields and
// the pages, so two reports e-mailed at once never share or overwrite each other's fields. The
// PDF is rendered, zipped and sent on a thread of the mailer; the outcome comes back through the
// returned future and, when given, the `done` function (called on the mailer's thread: post it to
// your own queue). A failure is an Outcome with a message for the user, never silence.
//
//   ReportMailer mailer;                 // outlives its sends; its destructor waits for them
//   mailer.send(read_email_settings(settings::SettingsFile(kEmailSettingsFile)),
//               {name, address, subject, text, "RelatorioEntradas.zip"}, pages,
//               [&](const Outcome& o) { queue.post(o); });
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "vorel/report/email_settings.h"
#include "vorel/report/outcome.h"
#include "vorel/report/page_model.h"

namespace vorel::report {

struct ReportMail {
    std::string recipient_name;     // Windows-1252
    std::string recipient_address;
    std::string subject;
    std::string text;
    std::string attachment_name;    // "RelatorioEntradas.zip" (".zip" added when missing)
};

class ReportMailer {
public:
    using Done = std::function<void(const Outcome&)>;

    ReportMailer() = default;
    ReportMailer(const ReportMailer&) = delete;
    ReportMailer& operator=(const ReportMailer&) = delete;
    ~ReportMailer();

    std::future<Outcome> send(EmailSettings settings, ReportMail mail, Document pages, Done done = {});
    // Waits for every send started so far.
    void wait();

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<bool> finished;  // written under mutex_
    };
    void reap_finished();  // joins threads whose send has ended; mutex_ held

    std::mutex mutex_;
    std::vector<Job> jobs_;
};

// The whole send of one report, on the calling thread: PDF, zip, SMTP.
Outcome mail_report(const EmailSettings& settings, const ReportMail& mail, const Document& pages);

}  // namespace vorel::report
