// Pictures between register entries and their fields.
#include "vorel/registers/typed_values.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"

#include <exception>

namespace vorel::registers {

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

}  // namespace vorel::registers
