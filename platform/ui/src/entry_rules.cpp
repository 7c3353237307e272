// The rules of what an entry takes, applied by the window model.
#include "vorel/ui/entry_rules.h"

#include <algorithm>
#include <optional>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"

namespace vorel::ui {

namespace {

std::optional<picture::Picture> Compiled(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return picture::Picture::compile(text);
}

// Characters of UTF-8 text, trailing blanks left out.
std::size_t Characters(const std::string& utf8) {
    std::size_t end = utf8.find_last_not_of(' ');
    std::size_t n = 0;
    for (std::size_t i = 0; end != std::string::npos && i <= end; ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++n;
    return n;
}

bool HasControlCharacter(const std::string& utf8, bool multiLine) {
    return std::any_of(utf8.begin(), utf8.end(), [multiLine](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        if (multiLine && (c == '\n' || c == '\r' || c == '\t')) return false;
        return c < 0x20 || c == 0x7F;
    });
}

// A pattern's digit positions ('#' and '<').
std::size_t DigitSlots(const std::string& pattern) {
    return static_cast<std::size_t>(std::count_if(pattern.begin(), pattern.end(), [](char c) { return c == '#' || c == '<'; }));
}

// Digits of typed text after its leading zeros (separators of any kind are the entry's business).
std::size_t SignificantDigits(const std::string& typed) {
    std::size_t n = 0;
    for (char c : typed)
        if (c >= '0' && c <= '9' && (n > 0 || c != '0')) ++n;
    return n;
}

}  // namespace

int EntryMaxLength(const std::string& pictureText, std::size_t fieldWidth) {
    const int field = static_cast<int>(std::min<std::size_t>(fieldWidth, 1 << 20));
    auto p = Compiled(pictureText);
    if (!p || p->width() <= 0) return field;
    // Numbers, dates and patterns are typed with their separators and stored in another form:
    // only a text picture and its field measure the same characters.
    if (p->kind() != picture::Kind::Text || field == 0) return p->width();
    return std::min(field, p->width());
}

bool EntryTakes(ControlType type, const std::string& pictureText, int maxLength, const std::string& typed) {
    if (HasControlCharacter(typed, type == ControlType::Text)) return false;
    if (maxLength > 0 && Characters(typed) > static_cast<std::size_t>(maxLength)) return false;
    auto p = Compiled(pictureText);
    if (!p) return true;
    const std::string cp1252 = text::from_utf8(typed);
    switch (p->kind()) {
        case picture::Kind::Number:
            // Entries read numbers their own way (a decimal comma, say); the sign is the picture's.
            return p->negative_allowed() || text::trim(cp1252).find('-') == std::string::npos;
        case picture::Kind::Pattern: return SignificantDigits(cp1252) <= DigitSlots(pictureText);
        case picture::Kind::KeyIn: return picture::parse_text(*p, cp1252).value.has_value();
        case picture::Kind::Date:
        case picture::Kind::Text: return true;
    }
    return true;
}

}  // namespace vorel::ui
