// Pictures between entries and their fields, and decimals typed with a comma.
#include "vorel/ui/pictured_use.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"

#include <exception>

namespace vorel::ui {

std::string FormatNumber(const std::string& picture, long long value) {
    return text::to_utf8(picture::format(std::string_view(picture), value));
}

bool ParseNumber(const std::string& picture, const std::string& typed, long long low, long long high, long long& out) {
    auto parsed = picture::parse_number(picture::Picture(picture), text::from_utf8(typed));
    if (!parsed) return false;
    long long n = 0;
    try {
        n = parsed->to_integer();
    } catch (const std::exception&) {
        return false;  // more digits than any field holds
    }
    if (n < low || n > high) return false;
    out = n;
    return true;
}

std::string FormatText(const std::string& picture, const std::string& value) {
    return text::to_utf8(picture::format(std::string_view(picture), std::string_view(text::from_utf8(value))));
}

bool ParseText(const std::string& picture, const std::string& typed, std::string& out) {
    auto parsed = picture::parse_text(picture::Picture(picture), text::from_utf8(typed));
    if (!parsed) return false;
    out = text::to_utf8(*parsed);
    return true;
}
std::optional<Decimal> ParseTypedDecimal(const std::string& typed) {
    std::string s;
    const bool comma = typed.find(',') != std::string::npos;
    for (char c : typed) {
        if (c == ' ') continue;
        if (c == '.' && comma) continue;  // group separators before a decimal comma
        s += c;
    }
    if (s.empty()) return Decimal(0);
    return Decimal::parse(s);
}

std::string ShowDecimal(const Decimal& v, int places) { return v.to_fixed(places, ','); }

}  // namespace vorel::ui
