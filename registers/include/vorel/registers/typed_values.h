// Use-variables for the register entries whose text goes through a picture: digit patterns (a CNAE
// code shown "####-#/##", a CEP, a telephone), key-in templates (a state's two upper-case
// letters) and dates. The window shows the value formatted and reads typed text back through the
// same picture; text the picture refuses leaves the field unchanged (the control stays changed).
//
//     w.Entry(kCodigo, UsePattern(rec.CODIGO, kCnaePicture), kCnaePicture);
//     w.Entry(kEstado, UseKeyIn(rec.ESTADO, "@K^^K"), "@K^^K");
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>

#include "vorel/core/fixed_string.h"
#include "vorel/ui/use_var.h"

namespace vorel::registers {

inline constexpr const char* kCnaePicture = "@p####-#/##p";

// The value shown through a number, pattern or date picture (UTF-8), and typed text read back
// (false when the picture refuses it or the number is out of [low, high]).
std::string FormatNumber(const std::string& picture, long long value);
bool ParseNumber(const std::string& picture, const std::string& typed, long long low, long long high, long long& out);
// Key-in and text pictures over text (UTF-8 both ways).
std::string FormatText(const std::string& picture, const std::string& value);
bool ParseText(const std::string& picture, const std::string& typed, std::string& out);

template <class Int>
    requires std::is_integral_v<Int>
ui::UsePtr UsePattern(Int& v, std::string picture) {
    return ui::UseFn([&v, picture] { return FormatNumber(picture, static_cast<long long>(v)); },
                     [&v, picture](const std::string& s) {
                         long long n = 0;
                         if (!ParseNumber(picture, s, static_cast<long long>(std::numeric_limits<Int>::min()),
                                          static_cast<long long>(std::numeric_limits<Int>::max()), n))
                             return false;
                         v = static_cast<Int>(n);
                         return true;
                     });
}
// A plain number limited to [low, high] (an entry that takes fewer digits than its field holds).
template <class Int>
    requires std::is_integral_v<Int>
ui::UsePtr UseInRange(Int& v, long long low, long long high) {
    return ui::UseFn([&v] { return std::to_string(static_cast<long long>(v)); },
                     [&v, low, high](const std::string& s) {
                         long long n = 0;
                         if (!ui::ParseLeadingInteger(s, n) || n < low || n > high) return false;
                         v = static_cast<Int>(n);
                         return true;
                     });
}
// Dates (day numbers in a long) go through the same pair.
inline ui::UsePtr UseDate(std::int32_t& day, std::string picture) { return UsePattern(day, std::move(picture)); }

// Text fields through a key-in template or a digit pattern (a CPF kept as its eleven digits).
template <std::size_t N, TextKind K>
ui::UsePtr UseKeyIn(FixedText<N, K>& field, std::string picture) {
    return ui::UseFn([&field, picture] {
                         std::string v = text::to_utf8(field.clipped());
                         return v.empty() ? v : FormatText(picture, v);
                     },
                     [&field, picture](const std::string& s) {
                         std::string t;
                         if (!ParseText(picture, s, t)) return false;
                         field = text::from_utf8(t);
                         return true;
                     });
}

}  // namespace vorel::registers
