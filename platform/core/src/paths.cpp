#include "vorel/core/paths.h"

#include <algorithm>
#include <iterator>

#include "vorel/core/text.h"

namespace vorel::files {

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

fs::path native_name(std::string_view cp1252) {
    std::string utf8 = text::to_utf8(cp1252);
#ifdef _WIN32
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return fs::path(std::move(utf8));
#endif
}

std::string program_name(const fs::path& native) {
#ifdef _WIN32
    std::u8string u8 = native.u8string();
    return text::from_utf8(std::string(u8.begin(), u8.end()));
#else
    return text::from_utf8(native.string());
#endif
}

bool present(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

#ifndef _WIN32
// The entry of `folder` whose name equals `name` without regard to case; empty when none. When
// several differ only in case, the first in byte order wins, so the choice does not depend on the
// order the folder lists them in.
fs::path find_nocase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return {};
    fs::path best;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        fs::path entry = it->path().filename();
        if (!text::equal_nocase(program_name(entry), name)) continue;
        if (best.empty() || entry.native() < best.native()) best = entry;
    }
    return best;
}
#endif

}  // namespace

fs::path resolve(std::string_view program_path, const fs::path& base) {
    std::string_view p = program_path;
    while (!p.empty() && p.back() == ' ') p.remove_suffix(1);  // paths held in padded text fields
    bool drive = p.size() >= 2 && p[1] == ':' &&
                 ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
    fs::path current;
#ifdef _WIN32
    if (drive) {
        current = native_name(p.substr(0, 2)) / "\\";
        p.remove_prefix(2);
    }
#else
    if (drive) p.remove_prefix(2);
#endif
    bool absolute = !p.empty() && is_separator(p.front());
    std::error_code ec;
    if (current.empty()) {
        if (absolute) {
            current = fs::path("/");
        } else {
            current = base.empty() ? fs::current_path(ec) : fs::absolute(base, ec);
        }
    }

    bool existing = true;  // every component so far exists, so the next one is looked up
    std::size_t i = 0;
    while (i < p.size()) {
        while (i < p.size() && is_separator(p[i])) ++i;
        std::size_t end = i;
        while (end < p.size() && !is_separator(p[end])) ++end;
        std::string_view component = text::clip(p.substr(i, end - i));
        i = end;
        if (component.empty() || component == ".") continue;
        if (component == "..") {
            if (current.has_relative_path()) current = current.parent_path();
            continue;
        }
        fs::path name = native_name(component);
#ifndef _WIN32
        if (existing && !present(current / name)) {
            fs::path found = find_nocase(current, component);
            if (found.empty()) {
                existing = false;
            } else {
                name = std::move(found);
            }
        }
#endif
        current /= name;
    }
    return current;
}

std::string to_program_path(const fs::path& native) {
    std::string s = program_name(native);
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

std::string to_display_path(std::string_view program_path) {
#ifdef _WIN32
    return std::string(program_path);
#else
    std::string_view p = program_path;
    if (p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')))
        p.remove_prefix(2);
    std::string out;
    out.reserve(p.size());
    for (char c : p) {
        if (!is_separator(c)) {
            out += c;
        } else if (out.empty() || out.back() != '/') {
            out += '/';
        }
    }
    return out;
#endif
}

std::string join(std::string_view folder, std::string_view name) {
    std::string out(folder);
    while (!name.empty() && is_separator(name.front())) name.remove_prefix(1);
    if (!out.empty() && !is_separator(out.back())) out += '\\';
    out += name;
    return out;
}

bool exists(std::string_view program_path) { return present(resolve(program_path)); }

bool is_folder(std::string_view program_path) {
    std::error_code ec;
    return fs::is_directory(resolve(program_path), ec);
}

std::error_code make_folder(std::string_view program_path) {
    fs::path p = resolve(program_path);
    std::error_code ec;
    fs::create_directories(p, ec);
    if (ec) return ec;
    if (!fs::is_directory(p, ec)) return std::make_error_code(std::errc::not_a_directory);
    return {};
}

std::error_code remove_file(std::string_view program_path) {
    std::error_code ec;
    if (!fs::remove(resolve(program_path), ec) && !ec)
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
    return ec;
}

std::error_code copy_file(std::string_view from, std::string_view to, Overwrite overwrite) {
    std::error_code ec;
    fs::copy_file(resolve(from), resolve(to),
                  overwrite == Overwrite::Yes ? fs::copy_options::overwrite_existing
                                              : fs::copy_options::none,
                  ec);
    return ec;
}

std::error_code rename(std::string_view from, std::string_view to) {
    std::error_code ec;
    fs::rename(resolve(from), resolve(to), ec);
    return ec;
}

bool matches(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*") return true;
    // Iterative wildcard match with one back-track point for the last '*'.
    std::size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || text::upper(static_cast<unsigned char>(pattern[p])) ==
                                             text::upper(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<Entry> list(std::string_view folder, std::string_view pattern, std::error_code* error) {
    std::vector<Entry> out;
    std::error_code ec;
    fs::directory_iterator it(resolve(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        Entry e;
        e.name = program_name(it->path().filename());
        if (!matches(e.name, pattern)) continue;
        std::error_code entry_ec;
        e.folder = it->is_directory(entry_ec);
        if (!e.folder) {
            std::uintmax_t size = it->file_size(entry_ec);
            e.size = entry_ec ? 0 : size;
        }
        out.push_back(std::move(e));
    }
    if (error) *error = ec;
    std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) {
        int c = text::compare_nocase(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return out;
}

namespace {

// Returns false when the observer stopped the delete (the folder and what is left in it stay).
bool remove_tree_at(const fs::path& folder, std::vector<DeleteFailure>& failures, DeleteObserver* observer) {
    if (observer) observer->entering(to_program_path(folder));
    std::error_code ec;
    std::vector<fs::path> children;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) children.push_back(it->path());
    if (ec) failures.push_back({to_program_path(folder), ec.message()});
    std::sort(children.begin(), children.end());  // failures reported in a stable order
    for (const fs::path& child : children) {
        bool stopped = observer && observer->stop();
        if (stopped) failures.push_back({to_program_path(folder), "interrupted: the program is closing"});
        std::error_code child_ec;
        const bool isFolder = !stopped && fs::is_directory(fs::symlink_status(child, child_ec));
        if (isFolder) stopped = !remove_tree_at(child, failures, observer);
        if (stopped) {
            if (observer) observer->leaving(to_program_path(folder));
            return false;
        }
        if (isFolder) continue;
        if (observer) observer->deleting(to_program_path(child));
        if (!fs::remove(child, child_ec) && child_ec) failures.push_back({to_program_path(child), child_ec.message()});
    }
    ec.clear();
    if (!fs::remove(folder, ec) && ec) failures.push_back({to_program_path(folder), ec.message()});
    if (observer) observer->leaving(to_program_path(folder));
    return true;
}

}  // namespace

std::vector<DeleteFailure> remove_tree(std::string_view program_path, DeleteObserver* observer) {
    std::vector<DeleteFailure> failures;
    fs::path root = resolve(program_path);
    std::error_code ec;
    fs::file_status st = fs::symlink_status(root, ec);
    if (!fs::exists(st)) return failures;
    if (fs::is_directory(st)) {
        remove_tree_at(root, failures, observer);
    } else if (!fs::remove(root, ec) && ec) {
        failures.push_back({to_program_path(root), ec.message()});
    }
    return failures;
}

std::vector<DeleteFailure> remove_tree(std::string_view program_path, std::string_view inside,
                                       DeleteObserver* observer) {
    std::error_code ec;
    fs::path target = fs::weakly_canonical(resolve(program_path), ec);
    fs::path root = ec ? fs::path() : fs::weakly_canonical(resolve(inside), ec);
    bool below = !ec && !root.empty();
    if (below) {
        auto [r, t] = std::mismatch(root.begin(), root.end(), target.begin(), target.end());
        // Every component of the root matched and the target has more (a trailing "" of a root
        // written with a final separator counts as matched).
        bool root_done = r == root.end() || (std::next(r) == root.end() && r->empty());
        below = root_done && t != target.end() && !t->empty();
    }
    if (!below) return {{std::string(program_path), "outside the folder it must stay in; nothing deleted"}};
    return remove_tree(program_path, observer);
}

}  // namespace vorel::files
