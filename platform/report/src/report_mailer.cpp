#include "vorel/report/report_mailer.h"

#include <exception>

#include "vorel/report/pdf.h"
#include "vorel/report/report_zip.h"
#include "vorel/report/smtp_mail.h"

namespace vorel::report {

Outcome mail_report(const EmailSettings& settings, const ReportMail& mail, const Document& pages) {
    if (pages.empty()) return Outcome::failure("O relatório " + pages.title + " não tem páginas para enviar por e-mail.");
    MailMessage message{mail.recipient_name, mail.recipient_address, mail.subject, mail.text,
                        attachment_zip_name(mail.attachment_name), {}};
    try {
        message.attachment = zip_report(pdf_bytes(pages), mail.attachment_name);
    } catch (const std::exception& e) {
        return Outcome::failure(e.what());
    }
    return send_mail(settings, message);
}

ReportMailer::~ReportMailer() { wait(); }

void ReportMailer::reap_finished() {
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (*it->finished) {
            it->thread.join();
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
}

std::future<Outcome> ReportMailer::send(EmailSettings settings, ReportMail mail, Document pages, Done done) {
    auto promise = std::make_shared<std::promise<Outcome>>();
    std::future<Outcome> future = promise->get_future();
    auto finished = std::make_shared<bool>(false);
    std::lock_guard lock(mutex_);
    reap_finished();
    std::thread thread([this, settings = std::move(settings), mail = std::move(mail), pages = std::move(pages),
                        done = std::move(done), promise, finished] {
        Outcome outcome;
        try {
            outcome = mail_report(settings, mail, pages);
        } catch (const std::exception& e) {
            outcome = Outcome::failure("O e-mail do relatório " + pages.title + " falhou: " + e.what());
        }
        if (done) done(outcome);
        promise->set_value(outcome);
        std::lock_guard lock(mutex_);
        *finished = true;
    });
    jobs_.push_back({std::move(thread), std::move(finished)});
    return future;
}

void ReportMailer::wait() {
    std::vector<Job> jobs;
    {
        std::lock_guard lock(mutex_);
        jobs.swap(jobs_);
    }
    for (Job& job : jobs) job.thread.join();
}

}  // namespace vorel::report
