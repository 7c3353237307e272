#include "cp1252.h"

#include <array>
#include <cstdint>

namespace vorel::data::cp1252 {
namespace {

// Unicode of the bytes 0x80..0x9F; 0 where Windows-1252 defines nothing (those map to U+FFFD).
constexpr std::array<std::uint16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t unicode_of(unsigned char c) {
    if (c < 0x80 || c >= 0xA0) return c;
    std::uint16_t u = kHigh[c - 0x80];
    return u ? u : 0xFFFD;
}

unsigned char byte_of(std::uint32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return static_cast<unsigned char>(0x80 + i);
    return '?';
}

struct FoldTable {
    std::array<unsigned char, 256> t{};
    FoldTable() {
        for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
        for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<unsigned char>(c - 32);
        for (int c = 0xE0; c <= 0xFE; ++c)
            if (c != 0xF7) t[c] = static_cast<unsigned char>(c - 32);
        t[0x9A] = 0x8A;  // š
        t[0x9C] = 0x8C;  // œ
        t[0x9E] = 0x8E;  // ž
        t[0xFF] = 0x9F;  // ÿ
    }
};
const FoldTable kFold;

// Next Windows-1252 byte of a UTF-8 text; advances i.
inline unsigned char next_byte(std::string_view s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    std::uint32_t u = 0;
    int extra = 0;
    if ((c & 0xE0) == 0xC0) {
        u = c & 0x1F;
        extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
        u = c & 0x0F;
        extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
        u = c & 0x07;
        extra = 3;
    } else {
        ++i;
        return '?';
    }
    ++i;
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return '?';
        u = (u << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        ++i;
    }
    return byte_of(u);
}

}  // namespace

bool is_ascii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void to_utf8(std::string_view in, std::string& out) {
    out.clear();
    for (char ch : in) {
        std::uint32_t u = unicode_of(static_cast<unsigned char>(ch));
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
}

void from_utf8(std::string_view in, std::string& out) {
    out.clear();
    std::size_t i = 0;
    while (i < in.size()) out.push_back(static_cast<char>(next_byte(in, i)));
}

unsigned char fold(unsigned char c) { return kFold.t[c]; }

int compare_nocase_utf8(std::string_view a, std::string_view b) {
    std::size_t na = a.size(), nb = b.size();
    while (na > 0 && a[na - 1] == ' ') --na;
    while (nb > 0 && b[nb - 1] == ' ') --nb;
    a = a.substr(0, na);
    b = b.substr(0, nb);
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        unsigned char ca = kFold.t[next_byte(a, i)];
        unsigned char cb = kFold.t[next_byte(b, j)];
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace vorel::data::cp1252
