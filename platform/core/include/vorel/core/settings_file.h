// Settings files: the "[Section]" / "key=value" text files the program keeps its settings in.
//
// A file named without a folder ("Vorel.ini", "qel.ini", "WIN.INI", ...) lives in the user's
// settings folder (`user_folder`); a name with a folder ("BComuns\Vorel.ini", ".\RVIEWER.INI")
// resolves as a program path (vorel/core/paths.h), without regard to case.
//
// Sections and keys match without regard to case and trailing blanks: keys are often written
// padded ("Nome                =X") and read without the padding. Values are read with the blanks
// around them removed (and one pair of enclosing double quotes). Content is Windows-1252, kept as
// bytes; lines starting with ';' are comments. A missing file, section or key gives the default.
//
// A write changes the one line it concerns (or appends the key at the end of its section, or the
// section at the end of the file) and keeps every other line and its order. The new content goes
// to a temporary file beside the old one, which then replaces it by a rename, so a crash leaves
// either the old or the new file, never a broken one. The file keeps its own permissions across
// a rewrite; a file made by a write is private to the user (0600) when it lives in the user's
// settings folder (`Vorel.ini` there holds the e-mail password), else readable as the process's
// umask allows (files under the data root are shared by the office's workstations). Every access holds a per-file lock, so the
// read-modify-write of one thread never loses another thread's update; `update` does several
// changes as one.
//
//   vorel::settings::SettingsFile ini("Vorel.ini");
//   std::string port = ini.read_text("Impressora", "Porta", "LPT1");
//   if (auto ec = ini.write_number("Impressora", "Configuração", 1)) ... report ec ...
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace vorel::settings {

// The folder of settings files named without a folder: $VOREL_SETTINGS_DIR when set (tests),
// else $XDG_CONFIG_HOME/Vorel, else ~/.config/Vorel (on Windows %APPDATA%\Vorel).
std::filesystem::path user_folder();

// Where a settings file of that name lives (see above). Read at every call, so a test may set
// VOREL_SETTINGS_DIR before it touches a file.
std::filesystem::path locate(std::string_view name);

// The parsed content of one file, for changing several keys in one locked step (`update`).
class Content {
public:
    explicit Content(std::string bytes = {});
    // The value of the first matching key of the first matching section, blanks around removed.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    // Replaces the value of that key, or adds the key (and its section) at the end.
    void set(std::string_view section, std::string_view key, std::string_view value);
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::string line_end_;
};

class SettingsFile {
public:
    explicit SettingsFile(std::string_view name);

    // Where the file is now (resolved at each access: a file made by another spelling is found).
    std::filesystem::path path() const;

    std::string read_text(std::string_view section, std::string_view key,
                          std::string_view default_value = {}) const;
    // The value as a whole number ("12", " -3 ", "2.9" cut to 2); the default when the key is
    // missing, empty or not a number.
    long long read_number(std::string_view section, std::string_view key,
                          long long default_value = 0) const;

    [[nodiscard]] std::error_code write_text(std::string_view section, std::string_view key,
                                             std::string_view value);
    [[nodiscard]] std::error_code write_number(std::string_view section, std::string_view key,
                                               long long value);
    // Reads the file, lets `change` edit it and writes it back, all under the file's lock.
    [[nodiscard]] std::error_code update(const std::function<void(Content&)>& change);

private:
    std::string name_;
};

}  // namespace vorel::settings
