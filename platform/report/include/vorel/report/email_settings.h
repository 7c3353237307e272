// The e-mail server settings: section `Email` of the settings file `Vorel.ini`.
//
// Keys (see the README): Server, Port, Sender, User, Password, TLS. TLS is 0 or "none" (plain
// SMTP), 1 or "starttls" (STARTTLS required), 2 or "ssl" (SMTP over TLS from the start); a missing
// port takes 25, 587 or 465 by that choice. User and password may stay empty for a server that
// takes mail without logging in.
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
    int port = 25;
    std::string sender;  // the From address
    std::string user;
    std::string password;
    MailSecurity security = MailSecurity::None;
};

inline constexpr const char* kEmailSettingsFile = "Vorel.ini";
inline constexpr const char* kEmailSection = "Email";

EmailSettings read_email_settings(const settings::SettingsFile& file);

}  // namespace vorel::report
