#include "cp1252.h"

#include <array>

#include "vorel/core/text.h"

namespace vorel::data::cp1252 {
namespace {

struct FoldTable {
    std::array<unsigned char, 256> t{};
    FoldTable() {
        for (int c = 0; c < 256; ++c) t[static_cast<std::size_t>(c)] = text::upper(static_cast<unsigned char>(c));
    }
};
const FoldTable& folds() {
    static const FoldTable f;
    return f;
}

std::string_view clip(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

}  // namespace

bool is_ascii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void to_utf8(std::string_view in, std::string& out) { out = text::to_utf8(in); }
void from_utf8(std::string_view in, std::string& out) { out = text::from_utf8(in); }

unsigned char fold(unsigned char c) { return folds().t[c]; }

int compare_nocase_utf8(std::string_view a, std::string_view b) {
    if (!is_ascii(a) || !is_ascii(b)) return text::compare_nocase(text::from_utf8(a), text::from_utf8(b));
    a = clip(a);
    b = clip(b);
    const auto& t = folds().t;
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = t[static_cast<unsigned char>(a[i])], y = t[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace vorel::data::cp1252
