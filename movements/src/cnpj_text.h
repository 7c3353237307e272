// The CNPJ of an invoice's supplier or customer as the movement windows show and read it: the
// picture "@p##.###.###/####-##p" over fourteen digits, and the typed text taken as a number.
#pragma once

#include <string>
#include <string_view>

#include "vorel/core/text.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

inline constexpr const char* kCnpjPicture = "@p##.###.###/####-##p";

// The digits of a typed text (UTF-8 or Windows-1252: digits are the same bytes).
inline std::string Digits(std::string_view s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

// Fourteen digits shown through the CNPJ picture; anything else as it stands (UTF-8).
inline std::string ShowCnpj(std::string_view cnpj) {
    std::string v(text::clip(cnpj));
    if (v.size() == 14 && Digits(v) == v) return ui::FormatText(kCnpjPicture, v);
    return text::to_utf8(v);
}

// The typed text as a number: its digits without leading zeros ("" for none).
inline std::string AsNumber(std::string_view typed) {
    std::string d = Digits(typed);
    const std::size_t first = d.find_first_not_of('0');
    return first == std::string::npos ? std::string() : d.substr(first);
}

// The typed text as a number written with fourteen digits and leading zeros ("n014"); a blank
// text is fourteen zeros, and a longer number keeps its last fourteen digits.
inline std::string FourteenDigits(std::string_view typed) {
    std::string d = AsNumber(typed);
    if (d.size() > 14) d = d.substr(d.size() - 14);
    return std::string(14 - d.size(), '0') + d;
}

}  // namespace vorel::movements
