// The e-mail server settings: section `Email` of the settings file `Vorel.ini`.
//
// Keys (see the README): Server, Port, Sender, User, Password, TLS. TLS is 1 or "starttls"
// (STARTTLS required), 2, "ssl" or "tls" (SMTP over TLS from the start), "yes", "true" or "on", or
// no key at all: TLS as the port implies (465 TLS from the start, any other port STARTTLS
// required). Plain SMTP, where a password crosses the network in clear, only when written: 0,
// "none", "no", "false" or "off". Any other value is an error that names the key, and a send with
// these settings fails with it. A missing port takes 465 with TLS from the start, 587 with
// STARTTLS, 25 plain. User and password may stay empty for a server that takes mail without
// logging in.
//
//   EmailSettings s = read_email_settings(settings::SettingsFile("Vorel.ini"));
#pragma once

#include <string>

namespace vorel::settings {
class SettingsFile;
}

namespace vorel::report {

enum class MailSecurity { None, StartTls, Tls };

struct EmailSettings {
    std::string server;
    int port = 587;
    std::string sender;  // the From address
    std::string user;
    std::string password;
    MailSecurity security = MailSecurity::StartTls;
    std::string error;   // what is wrong with the settings as written; empty when nothing
};

inline constexpr const char* kEmailSettingsFile = "Vorel.ini";
inline constexpr const char* kEmailSection = "Email";

EmailSettings read_email_settings(const settings::SettingsFile& file);

}  // namespace vorel::report
