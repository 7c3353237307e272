#include "vorel/report/email_settings.h"

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::report {

EmailSettings read_email_settings(const settings::SettingsFile& file) {
    EmailSettings s;
    s.server = file.read_text(kEmailSection, "Server");
    s.sender = file.read_text(kEmailSection, "Sender");
    s.user = file.read_text(kEmailSection, "User");
    s.password = file.read_text(kEmailSection, "Password");
    const std::string tls = text::lower(file.read_text(kEmailSection, "TLS", "0"));
    if (tls == "1" || tls == "starttls") {
        s.security = MailSecurity::StartTls;
    } else if (tls == "2" || tls == "ssl" || tls == "tls") {
        s.security = MailSecurity::Tls;
    }
    const int default_port = s.security == MailSecurity::Tls ? 465 : s.security == MailSecurity::StartTls ? 587 : 25;
    s.port = static_cast<int>(file.read_number(kEmailSection, "Port", default_port));
    if (s.port <= 0 || s.port > 65535) s.port = default_port;
    return s;
}

}  // namespace vorel::report
