#include "native_path.h"

#include <system_error>

#include "cp1252.h"

namespace vorel::data {

namespace fs = std::filesystem;

namespace {

bool same_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1252::fold(static_cast<unsigned char>(a[i])) != cp1252::fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

}  // namespace

fs::path native_path(std::string_view p) {
    std::string s;
    if (p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'))) p.remove_prefix(2);
    bool absolute = !p.empty() && (p.front() == '\\' || p.front() == '/');
    fs::path out = absolute ? fs::path("/") : fs::current_path();
    std::size_t i = 0;
    bool exists = true;
    while (i < p.size()) {
        std::size_t j = p.find_first_of("\\/", i);
        if (j == std::string_view::npos) j = p.size();
        std::string_view part = p.substr(i, j - i);
        i = j + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            out = out.parent_path();
            continue;
        }
        std::string utf8;
        cp1252::to_utf8(part, utf8);
        if (exists) {
            std::error_code ec;
            fs::path exact = out / utf8;
            if (fs::exists(exact, ec)) {
                out = exact;
                continue;
            }
            std::string folded;
            bool found = false;
            for (fs::directory_iterator it(out, ec), end; !ec && it != end; it.increment(ec)) {
                std::string name1252;
                cp1252::from_utf8(it->path().filename().string(), name1252);
                if (same_nocase(name1252, part)) {
                    out = it->path();
                    found = true;
                    break;
                }
            }
            if (found) continue;
            exists = false;
        }
        out /= utf8;
    }
    return out;
}

}  // namespace vorel::data
