#include "vorel/core/text.h"

#include <array>
#include <cstdlib>

namespace vorel::text {

namespace {

// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined bytes.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

// Nearest plain letter of U+0100..U+017F (Latin Extended-A). The letters that Windows-1252 has
// (Œ œ Š š Ÿ Ž ž) are found before this table is consulted.
constexpr std::string_view kLatinExtA =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

// Plain letter of each Windows-1252 byte 0xC0..0xFF; 0 where the byte is no accented letter.
constexpr char kPlainHigh[] =
    "AAAAAA\0CEEEEIIII"   // C0-CF (ligature Æ kept)
    "DNOOOOO\0OUUUUY\0\0"  // D0-DF
    "aaaaaa\0ceeeeiiii"   // E0-EF (ligature æ kept)
    "dnooooo\0ouuuuy\0y";  // F0-FF
static_assert(sizeof(kPlainHigh) == 65);

int windows1252_of(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp && cp != 0) return 0x80 + i;
    return -1;
}

// The nearest Windows-1252 byte of a code point that has no Windows-1252 form, or -1.
int nearest_of(char32_t cp) {
    if (cp >= 0x0100 && cp <= 0x017F) return static_cast<unsigned char>(kLatinExtA[cp - 0x0100]);
    switch (cp) {
        case 0x01CD: case 0x0200: case 0x0202: case 0x1EA0: case 0x1EA2: return 'A';
        case 0x01CE: case 0x0201: case 0x0203: case 0x1EA1: case 0x1EA3: return 'a';
        case 0x01CF: return 'I';
        case 0x01D0: return 'i';
        case 0x01D1: case 0x1ECC: case 0x1ECE: return 'O';
        case 0x01D2: case 0x1ECD: case 0x1ECF: return 'o';
        case 0x01D3: case 0x01D5: case 0x01D7: case 0x01D9: case 0x01DB: case 0x1EE4: return 'U';
        case 0x01D4: case 0x01D6: case 0x01D8: case 0x01DA: case 0x01DC: case 0x1EE5: return 'u';
        case 0x0218: return 'S';
        case 0x0219: return 's';
        case 0x021A: return 'T';
        case 0x021B: return 't';
        case 0x1EB8: case 0x1EBA: case 0x1EBC: return 'E';
        case 0x1EB9: case 0x1EBB: case 0x1EBD: return 'e';
        case 0x1EF2: case 0x1EF8: return 'Y';
        case 0x1EF3: case 0x1EF9: return 'y';
        case 0x2010: case 0x2011: case 0x2012: case 0x2015: case 0x2212: return '-';
        case 0x2032: return '\'';
        case 0x2033: return '"';
        case 0x2044: case 0x2215: return '/';
        case 0x2000: case 0x2001: case 0x2002: case 0x2003: case 0x2004: case 0x2005: case 0x2006:
        case 0x2007: case 0x2008: case 0x2009: case 0x200A: case 0x202F: case 0x205F: case 0x3000:
            return ' ';
        default: return -1;
    }
}

// A combining mark (U+0300..U+036F) applied to the byte before it, when Windows-1252 has the
// composed letter; -1 otherwise (the mark is then dropped).
int compose(unsigned char base, char32_t mark) {
    // Rows: grave, acute, circumflex, tilde, diaeresis; columns: A E I O U Y a e i o u y.
    static constexpr std::string_view kBases = "AEIOUYaeiouy";
    static constexpr unsigned char kTable[5][12] = {
        {0xC0, 0xC8, 0xCC, 0xD2, 0xD9, 0, 0xE0, 0xE8, 0xEC, 0xF2, 0xF9, 0},
        {0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xDD, 0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xFD},
        {0xC2, 0xCA, 0xCE, 0xD4, 0xDB, 0, 0xE2, 0xEA, 0xEE, 0xF4, 0xFB, 0},
        {0xC3, 0, 0, 0xD5, 0, 0, 0xE3, 0, 0, 0xF5, 0, 0},
        {0xC4, 0xCB, 0xCF, 0xD6, 0xDC, 0x9F, 0xE4, 0xEB, 0xEF, 0xF6, 0xFC, 0xFF},
    };
    int row = -1;
    switch (mark) {
        case 0x0300: row = 0; break;
        case 0x0301: row = 1; break;
        case 0x0302: row = 2; break;
        case 0x0303: row = 3; break;
        case 0x0308: row = 4; break;
        case 0x0327:  // cedilla
            if (base == 'C') return 0xC7;
            if (base == 'c') return 0xE7;
            return -1;
        case 0x030C:  // caron
            if (base == 'S') return 0x8A;
            if (base == 's') return 0x9A;
            if (base == 'Z') return 0x8E;
            if (base == 'z') return 0x9E;
            return -1;
        default: return -1;
    }
    std::size_t col = kBases.find(static_cast<char>(base));
    if (col == std::string_view::npos) {
        if (row == 3 && base == 'N') return 0xD1;
        if (row == 3 && base == 'n') return 0xF1;
        return -1;
    }
    unsigned char r = kTable[row][col];
    return r ? r : -1;
}

void put_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns the code point and advances i, or returns -1 and
// advances one byte on a malformed sequence (overlong forms and surrogates are malformed).
long next_code_point(std::string_view s, std::size_t& i) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    int extra;
    char32_t cp;
    char32_t min;
    if (c < 0x80) {
        ++i;
        return c;
    } else if ((c & 0xE0) == 0xC0) {
        extra = 1, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3, cp = c & 0x07, min = 0x10000;
    } else {
        ++i;
        return -1;
    }
    if (i + extra >= s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += extra + 1;
    return static_cast<long>(cp);
}

}  // namespace

std::string to_utf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char ch : cp1252) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            char32_t cp = kHigh[c - 0x80];
            put_utf8(out, cp ? cp : 0xFFFD);
        } else {
            put_utf8(out, c);
        }
    }
    return out;
}

std::string from_utf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        long cp = next_code_point(utf8, i);
        if (cp < 0) {
            out += '?';
            continue;
        }
        auto u = static_cast<char32_t>(cp);
        if (u >= 0x0300 && u <= 0x036F) {  // combining mark: compose with the letter before it
            if (!out.empty()) {
                int composed = compose(static_cast<unsigned char>(out.back()), u);
                if (composed >= 0) out.back() = static_cast<char>(composed);
            }
            continue;
        }
        if (u == 0xFEFF || u == 0x200B || u == 0x200C || u == 0x200D) continue;  // invisible
        int b = windows1252_of(u);
        if (b < 0) b = nearest_of(u);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

unsigned char upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
        case 0xFF: return 0x9F;  // ÿ Ÿ
        case 0x9A: return 0x8A;  // š Š
        case 0x9C: return 0x8C;  // œ Œ
        case 0x9E: return 0x8E;  // ž Ž
        default: return c;
    }
}

unsigned char lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    switch (c) {
        case 0x9F: return 0xFF;
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        default: return c;
    }
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(upper(static_cast<unsigned char>(ch)));
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(lower(static_cast<unsigned char>(ch)));
    return out;
}

std::string_view clip(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

std::string_view trim(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    return clip(s.substr(b));
}

int compare(std::string_view a, std::string_view b) {
    int c = clip(a).compare(clip(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int compare_nocase(std::string_view a, std::string_view b) {
    a = clip(a);
    b = clip(b);
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = upper(static_cast<unsigned char>(a[i]));
        unsigned char y = upper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string sub(std::string_view s, int start, int length) {
    if (length <= 0) return {};
    long long first = start;  // 1-based
    long long last = first + length - 1;
    if (first < 1) first = 1;
    if (last > static_cast<long long>(s.size())) last = static_cast<long long>(s.size());
    if (first > last) return {};
    return std::string(s.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1)));
}

std::string left(std::string_view s, std::size_t width) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    return pad(s.substr(b), width);
}

std::string right(std::string_view s, std::size_t width) {
    std::string_view body = clip(s);
    if (body.size() >= width) return std::string(body.substr(0, width));
    return std::string(width - body.size(), ' ') + std::string(body);
}

std::string pad(std::string_view s, std::size_t width) {
    std::string out(s.substr(0, s.size() < width ? s.size() : width));
    out.resize(width, ' ');
    return out;
}

std::string zero_fill(long long value, int width) {
    bool negative = value < 0;
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    int room = width - (negative ? 1 : 0);
    if (static_cast<int>(digits.size()) < room) digits.insert(0, static_cast<std::size_t>(room) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

unsigned char strip_accent(unsigned char c) {
    if (c >= 0xC0) {
        char plain = kPlainHigh[c - 0xC0];
        return plain ? static_cast<unsigned char>(plain) : c;
    }
    switch (c) {
        case 0x8A: return 'S';
        case 0x9A: return 's';
        case 0x8E: return 'Z';
        case 0x9E: return 'z';
        case 0x9F: return 'Y';
        default: return c;
    }
}

std::string strip_accents(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(strip_accent(static_cast<unsigned char>(ch)));
    return out;
}

}  // namespace vorel::text
