// One e-mail with one attachment, sent over SMTP (libcurl), blocking the calling thread.
//
// The message is MIME: a UTF-8 text part and the attachment in base64. Names, subject and text are
// Windows-1252, converted at the edge; non-ASCII header text is encoded (RFC 2047). A failure comes
// back as an Outcome whose message says what failed and names the server and the recipient.
// Settings with an error (email_settings.h) send nothing and fail with it. Security as the
// settings say: TLS from the start, or STARTTLS required (the send fails rather than going on in
// clear); a plain send that logged in succeeds with a notice saying the password crossed in clear.
//
// Used by ReportMailer (report_mailer.h), which sends on a thread of its own; call directly only
// from a thread that may wait for the network.
#pragma once

#include <string>

#include "vorel/report/email_settings.h"
#include "vorel/report/outcome.h"

namespace vorel::report {

struct MailMessage {
    std::string recipient_name;     // Windows-1252
    std::string recipient_address;
    std::string subject;            // Windows-1252
    std::string text;               // Windows-1252
    std::string attachment_name;    // file name shown to the recipient (Windows-1252)
    std::string attachment;         // bytes
    std::string attachment_type = "application/zip";
};

Outcome send_mail(const EmailSettings& settings, const MailMessage& message, long timeout_seconds = 60);

}  // namespace vorel::report
