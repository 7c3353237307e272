#include "vorel/core/settings_file.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "vorel/core/paths.h"
#include "vorel/core/text.h"

namespace vorel::settings {

namespace fs = std::filesystem;

namespace {

// One line of a file: its text without the line end, and the line end it had ("", "\n", "\r\n").
struct Line {
    std::string_view text;
    std::string_view end;
};

std::vector<Line> split_lines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::size_t stop = nl == std::string_view::npos ? bytes.size() : nl;
        std::size_t text_end = (stop > pos && bytes[stop - 1] == '\r') ? stop - 1 : stop;
        std::size_t next = nl == std::string_view::npos ? bytes.size() : nl + 1;
        lines.push_back({bytes.substr(pos, text_end - pos), bytes.substr(text_end, next - text_end)});
        pos = next;
    }
    return lines;
}

std::string_view trim_all(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The section name of a "[name]" line, or nullopt when the line is no section header.
std::optional<std::string_view> section_of(std::string_view line) {
    line = trim_all(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim_all(line.substr(1, close - 1));
}

// Position of the '=' of a "key=value" line whose key matches, or npos.
std::size_t key_match(std::string_view line, std::string_view key) {
    std::string_view t = trim_all(line);
    if (t.empty() || t.front() == ';') return std::string_view::npos;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return eq;
    return text::equal_nocase(trim_all(line.substr(0, eq)), trim_all(key)) ? eq
                                                                            : std::string_view::npos;
}

std::string value_of(std::string_view raw) {
    raw = trim_all(raw);
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') raw = raw.substr(1, raw.size() - 2);
    return std::string(raw);
}

std::string one_line(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

#ifdef _WIN32
constexpr std::string_view kDefaultLineEnd = "\r\n";
#else
constexpr std::string_view kDefaultLineEnd = "\n";
#endif

// Per-file locks, shared by every thread of the process. A file's lock lives as long as the
// process: there are a handful of settings files.
std::mutex& lock_for(const fs::path& path) {
    static std::mutex registry_mutex;
    static std::map<std::string, std::unique_ptr<std::mutex>> registry;
    std::string key = text::upper(files::to_program_path(path));
    std::lock_guard guard(registry_mutex);
    auto& slot = registry[key];
    if (!slot) slot = std::make_unique<std::mutex>();
    return *slot;
}

// The whole file; a missing file is empty content, any other failure an error.
std::error_code read_bytes(const fs::path& path, std::string& out) {
    out.clear();
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) return {};
    if (!fs::is_regular_file(st)) return std::make_error_code(std::errc::is_a_directory);
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::make_error_code(std::errc::permission_denied);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return std::make_error_code(std::errc::io_error);
    out = std::move(buffer).str();
    return {};
}

// Who may read a file that a write makes.
enum class NewFile {
    Private,  // the owner alone (0600): the user's own settings, which hold the e-mail password
    Shared,   // as the process's umask allows: files under the data root, read by every workstation
};

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over `path`.
// The new file keeps the permissions of the file it replaces; a file made anew gets those of
// `new_file`. The temporary file is never readable by others before it has its final mode.
std::error_code replace_file(const fs::path& path, const std::string& bytes, NewFile new_file) {
    std::error_code ec;
    fs::path folder = path.parent_path();
    fs::create_directories(folder, ec);
    if (ec) return ec;
    static std::atomic<unsigned> counter{0};
    fs::path temp = folder / (path.filename().string() + ".tmp" + std::to_string(counter++));
#ifndef _WIN32
    temp += "-" + std::to_string(::getpid());
    struct stat old_file {};
    const bool replacing = ::stat(path.c_str(), &old_file) == 0;
    const mode_t create_mode = !replacing && new_file == NewFile::Shared ? 0666 : 0600;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, create_mode);
    if (fd < 0) return {errno, std::generic_category()};
    if (replacing && ::fchmod(fd, old_file.st_mode & 07777) != 0) ec = {errno, std::generic_category()};
    std::size_t done = 0;
    while (!ec && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ec = {errno, std::generic_category()};
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (!ec && ::fsync(fd) != 0) ec = {errno, std::generic_category()};
    if (::close(fd) != 0 && !ec) ec = {errno, std::generic_category()};
#else
    (void)new_file;  // the folder's access rules apply
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) ec = std::make_error_code(std::errc::io_error);
    }
#endif
    if (!ec) fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return ec;
    }
#ifndef _WIN32
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);  // makes the rename itself durable; a failure here loses nothing already written
        ::close(dir);
    }
#endif
    return {};
}

std::optional<long long> whole_number(std::string_view s) {
    s = trim_all(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() < '0' || s.front() > '9') return std::nullopt;
    unsigned long long v = 0;
    std::size_t i = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (v > (9223372036854775807ULL - static_cast<unsigned>(s[i] - '0')) / 10) return std::nullopt;
        v = v * 10 + static_cast<unsigned>(s[i] - '0');
    }
    if (i < s.size()) {
        if (s[i] != '.' && s[i] != ',') return std::nullopt;
        for (++i; i < s.size(); ++i)
            if (s[i] < '0' || s[i] > '9') return std::nullopt;
    }
    long long r = static_cast<long long>(v);
    return negative ? -r : r;
}

}  // namespace

fs::path user_folder() {
    auto env = [](const char* name) -> std::string {
        const char* v = std::getenv(name);
        return v ? std::string(v) : std::string();
    };
    if (std::string v = env("VOREL_SETTINGS_DIR"); !v.empty()) return fs::path(v);
#ifdef _WIN32
    if (std::string v = env("APPDATA"); !v.empty()) return fs::path(v) / "Vorel";
#else
    if (std::string v = env("XDG_CONFIG_HOME"); !v.empty() && v.front() == '/')
        return fs::path(v) / "Vorel";
    if (std::string v = env("HOME"); !v.empty()) return fs::path(v) / ".config" / "Vorel";
#endif
    std::error_code ec;
    return fs::current_path(ec) / ".config" / "Vorel";
}

namespace {

// Whether a settings file's name carries a folder (else it lives in the user's settings folder).
bool named_with_folder(std::string_view name) {
    std::string_view clipped = text::clip(name);
    return clipped.find_first_of("\\/") != std::string_view::npos || (clipped.size() >= 2 && clipped[1] == ':');
}

}  // namespace

fs::path locate(std::string_view name) {
    std::string_view clipped = text::clip(name);
    return named_with_folder(clipped) ? files::resolve(clipped) : files::resolve(clipped, user_folder());
}

// ---- Content

Content::Content(std::string bytes) : bytes_(std::move(bytes)) {
    std::size_t nl = bytes_.find('\n');
    if (nl == std::string::npos) {
        line_end_ = kDefaultLineEnd;
    } else {
        line_end_ = (nl > 0 && bytes_[nl - 1] == '\r') ? "\r\n" : "\n";
    }
}

std::optional<std::string> Content::find(std::string_view section, std::string_view key) const {
    bool inside = false;
    for (const Line& line : split_lines(bytes_)) {
        if (auto name = section_of(line.text)) {
            if (inside) break;  // the first matching section is the one read
            inside = text::equal_nocase(*name, trim_all(section));
            continue;
        }
        if (!inside) continue;
        std::size_t eq = key_match(line.text, key);
        if (eq != std::string_view::npos) return value_of(line.text.substr(eq + 1));
    }
    return std::nullopt;
}

void Content::set(std::string_view section, std::string_view key, std::string_view value) {
    std::vector<Line> lines = split_lines(bytes_);
    std::string new_value = one_line(value);
    // Find the section and, inside it, the key line or the last non-blank line.
    std::size_t header = lines.size(), last = lines.size(), found = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = section_of(lines[i].text)) {
            if (header != lines.size()) break;
            if (text::equal_nocase(*name, trim_all(section))) header = last = i;
            continue;
        }
        if (header == lines.size()) continue;
        if (!trim_all(lines[i].text).empty()) last = i;
        if (key_match(lines[i].text, key) != std::string_view::npos) {
            found = i;
            break;
        }
    }

    std::string out;
    out.reserve(bytes_.size() + key.size() + new_value.size() + section.size() + 8);
    std::string key_line = std::string(text::clip(trim_all(key))) + "=" + new_value;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (i == found) {
            std::size_t eq = line.text.find('=');
            out.append(line.text.substr(0, eq + 1)).append(new_value).append(line.end);
            continue;
        }
        out.append(line.text).append(line.end);
        if (found == lines.size() && i == last) {
            if (line.end.empty()) out += line_end_;
            out.append(key_line).append(line_end_);
        }
    }
    if (header == lines.size()) {
        if (!out.empty() && out.back() != '\n') out += line_end_;
        out.append("[").append(trim_all(section)).append("]").append(line_end_);
        out.append(key_line).append(line_end_);
    }
    bytes_ = std::move(out);
}

// ---- SettingsFile

SettingsFile::SettingsFile(std::string_view name) : name_(name) {}

fs::path SettingsFile::path() const {
    fs::path p = locate(name_);
    std::error_code ec;
    if (fs::is_symlink(p, ec)) {
        fs::path target = fs::canonical(p, ec);
        if (!ec) p = target;  // the rename of a write replaces the file, not the link
    }
    return p;
}

std::string SettingsFile::read_text(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
    std::string bytes;
    {
        std::lock_guard guard(lock_for(path()));
        if (read_bytes(path(), bytes)) return std::string(default_value);
    }
    std::optional<std::string> v = Content(std::move(bytes)).find(section, key);
    return v ? *v : std::string(default_value);
}

long long SettingsFile::read_number(std::string_view section, std::string_view key,
                                   long long default_value) const {
    std::optional<long long> v = whole_number(read_text(section, key));
    return v ? *v : default_value;
}

std::error_code SettingsFile::write_text(std::string_view section, std::string_view key,
                                         std::string_view value) {
    return update([&](Content& c) { c.set(section, key, value); });
}

std::error_code SettingsFile::write_number(std::string_view section, std::string_view key,
                                           long long value) {
    return write_text(section, key, std::to_string(value));
}

std::error_code SettingsFile::update(const std::function<void(Content&)>& change) {
    // The lock is keyed by the folded name; the path is resolved again under it, so that two
    // spellings of a file that does not exist yet end up as one file.
    std::lock_guard guard(lock_for(path()));
    const fs::path file = path();
    std::string bytes;
    if (std::error_code ec = read_bytes(file, bytes)) return ec;  // never overwrite what we could not read
    Content content(std::move(bytes));
    std::string before = content.bytes();
    change(content);
    std::error_code ec;
    if (content.bytes() == before && fs::exists(file, ec)) return {};
    return replace_file(file, content.bytes(), named_with_folder(name_) ? NewFile::Shared : NewFile::Private);
}

}  // namespace vorel::settings
