#include "vorel/report/email_settings.h"

#include <optional>

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::report {

namespace {

enum class TlsChoice { ByPort, None, StartTls, Tls };

std::optional<TlsChoice> tls_choice(const std::string& value) {
    const std::string v = text::lower(value);
    for (const char* w : {"", "yes", "true", "on"})
        if (v == w) return TlsChoice::ByPort;
    for (const char* w : {"0", "none", "no", "false", "off"})
        if (v == w) return TlsChoice::None;
    for (const char* w : {"1", "starttls"})
        if (v == w) return TlsChoice::StartTls;
    for (const char* w : {"2", "ssl", "tls"})
        if (v == w) return TlsChoice::Tls;
    return std::nullopt;
}

int default_port(MailSecurity security) {
    switch (security) {
        case MailSecurity::None: return 25;
        case MailSecurity::StartTls: return 587;
        case MailSecurity::Tls: return 465;
    }
    return 587;
}

}  // namespace

EmailSettings read_email_settings(const settings::SettingsFile& file) {
    EmailSettings s;
    s.server = file.read_text(kEmailSection, "Server");
    s.sender = file.read_text(kEmailSection, "Sender");
    s.user = file.read_text(kEmailSection, "User");
    s.password = file.read_text(kEmailSection, "Password");
    const long long port = file.read_number(kEmailSection, "Port", 0);
    const bool port_given = port > 0 && port <= 65535;
    const std::string tls = file.read_text(kEmailSection, "TLS");
    const std::optional<TlsChoice> choice = tls_choice(tls);
    if (!choice) {
        s.error = "a chave TLS da seção Email do Vorel.ini contém \"" + text::to_utf8(tls) +
                  "\", que não é 0 (SMTP sem criptografia), 1 (STARTTLS), 2 (TLS desde o início) nem yes "
                  "(TLS conforme a porta).";
    }
    switch (choice.value_or(TlsChoice::ByPort)) {
        case TlsChoice::ByPort:
            s.security = port_given && port == 465 ? MailSecurity::Tls : MailSecurity::StartTls;
            break;
        case TlsChoice::None: s.security = MailSecurity::None; break;
        case TlsChoice::StartTls: s.security = MailSecurity::StartTls; break;
        case TlsChoice::Tls: s.security = MailSecurity::Tls; break;
    }
    s.port = port_given ? static_cast<int>(port) : default_port(s.security);
    return s;
}

}  // namespace vorel::report
