#include "vorel/report/smtp_mail.h"

#include <curl/curl.h>

#include <ctime>
#include <memory>
#include <mutex>
#include <vector>

#include "vorel/core/text.h"

namespace vorel::report {

namespace {

void global_init() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string base64(std::string_view in) {
    static const char* const k = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(in[i]) << 16 | static_cast<unsigned char>(in[i + 1]) << 8 |
                           static_cast<unsigned char>(in[i + 2]);
        out += {k[v >> 18], k[(v >> 12) & 63], k[(v >> 6) & 63], k[v & 63]};
    }
    if (i + 1 == in.size()) {
        const unsigned v = static_cast<unsigned char>(in[i]) << 16;
        out += {k[v >> 18], k[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == in.size()) {
        const unsigned v = static_cast<unsigned char>(in[i]) << 16 | static_cast<unsigned char>(in[i + 1]) << 8;
        out += {k[v >> 18], k[(v >> 12) & 63], k[(v >> 6) & 63], '='};
    }
    return out;
}

// Header text: plain when it is printable ASCII, else an RFC 2047 encoded word in UTF-8.
std::string header_text(std::string_view cp1252) {
    for (unsigned char c : cp1252)
        if (c < 0x20 || c > 0x7E) return "=?UTF-8?B?" + base64(text::to_utf8(cp1252)) + "?=";
    return std::string(cp1252);
}

// Header values never carry line breaks (a name or subject cannot add headers).
std::string one_line(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

std::string date_header() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, "Date: %a, %d %b %Y %H:%M:%S +0000", &tm);
    return buf;
}

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MimeFree {
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};
struct ListFree {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

bool valid_address(std::string_view a) {
    return !a.empty() && a.find('@') != std::string_view::npos &&
           a.find_first_of("<>\r\n ") == std::string_view::npos;
}

}  // namespace

Outcome send_mail(const EmailSettings& s, const MailMessage& m, long timeout_seconds) {
    const std::string recipient = std::string(text::trim(m.recipient_address));
    const std::string sender = std::string(text::trim(s.sender));
    const std::string what = "O e-mail para " + (recipient.empty() ? std::string("(sem endereço)") : recipient);
    if (!s.error.empty()) return Outcome::failure(what + " não foi enviado: " + s.error);
    if (text::trim(s.server).empty())
        return Outcome::failure(what + " não foi enviado: nenhum servidor de e-mail está configurado (seção Email do Vorel.ini).");
    if (!valid_address(recipient)) return Outcome::failure(what + " não foi enviado: o endereço não é válido.");
    if (!valid_address(sender))
        return Outcome::failure(what + " não foi enviado: nenhum endereço de remetente válido está configurado (seção Email do Vorel.ini).");

    global_init();
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) return Outcome::failure(what + " não foi enviado: a biblioteca de e-mail não pôde ser iniciada.");
    CURL* c = curl.get();

    const std::string scheme = s.security == MailSecurity::Tls ? "smtps://" : "smtp://";
    const std::string url = scheme + std::string(text::trim(s.server)) + ":" + std::to_string(s.port);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    if (s.security == MailSecurity::StartTls) curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!s.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, s.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, s.password.c_str());
    }
    const std::string from = "<" + sender + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    std::unique_ptr<curl_slist, ListFree> rcpt(curl_slist_append(nullptr, ("<" + recipient + ">").c_str()));
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());

    std::vector<std::string> header_lines = {
        date_header(),
        "From: <" + sender + ">",
        "To: " + (text::trim(m.recipient_name).empty()
                      ? "<" + recipient + ">"
                      : header_text(one_line(text::trim(m.recipient_name))) + " <" + recipient + ">"),
        "Subject: " + header_text(one_line(text::clip(m.subject))),
    };
    curl_slist* raw_headers = nullptr;
    for (const std::string& h : header_lines) raw_headers = curl_slist_append(raw_headers, h.c_str());
    std::unique_ptr<curl_slist, ListFree> headers(raw_headers);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

    std::unique_ptr<curl_mime, MimeFree> mime(curl_mime_init(c));
    curl_mimepart* body = curl_mime_addpart(mime.get());
    const std::string body_text = text::to_utf8(text::clip(m.text));
    curl_mime_data(body, body_text.c_str(), body_text.size());
    curl_mime_type(body, "text/plain; charset=UTF-8");
    curl_mime_encoder(body, "quoted-printable");
    curl_mimepart* file = curl_mime_addpart(mime.get());
    curl_mime_data(file, m.attachment.data(), m.attachment.size());
    curl_mime_type(file, m.attachment_type.c_str());
    const std::string file_name = text::to_utf8(m.attachment_name);
    curl_mime_filename(file, file_name.c_str());
    curl_mime_encoder(file, "base64");
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, timeout_seconds);

    const CURLcode rc = curl_easy_perform(c);
    if (rc != CURLE_OK) {
        long reply = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply);
        std::string message = what + " não foi enviado por " + url + ": " + (error[0] ? error : curl_easy_strerror(rc));
        if (reply != 0) message += " (resposta do servidor " + std::to_string(reply) + ")";
        return Outcome::failure(message);
    }
    if (s.security == MailSecurity::None && !s.user.empty())
        return Outcome::success_with(what + " foi enviado sem criptografia (TLS=0 na seção Email do Vorel.ini): "
                                            "o usuário e a senha passaram pela rede sem proteção.");
    return Outcome::success();
}

}  // namespace vorel::report
