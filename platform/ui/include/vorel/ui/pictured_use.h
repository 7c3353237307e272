// Use-variables for entries whose text goes through a picture: numbers in digit patterns (a CNAE
// code shown "####-#/##", a CEP, a telephone), dates and months, key-in templates (a state's two
// upper-case letters) and decimals shown with a comma. The window shows the value formatted and
// reads typed text back through the same picture; text the picture refuses, or a value the field
// cannot hold, leaves the field as it was (the control stays changed).
//
// `Window::Entry(feq, field, picture)` picks the use-variable from the field's type, so the picture
// is written once:
//
//     w.Entry(kCodigo, rec.CODIGO, "@p####-#/##p");        // a number through a digit pattern
//     w.Entry(kCep, rec.CEP, "@p##.###-###p", Zero::Blank); // 0 shows nothing
//     w.Entry(kEstado, rec.ESTADO, "@K^^K");               // text through a key-in template
//     w.Entry(kMes, UseMesAno(rec.MES), "@d014b");         // a month kept as its first day
//     w.Entry(kAliquota, UseDecimal(rec.ALIQUOTA, 3), "@n-8.3");
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"
#include "vorel/core/fixed_string.h"
#include "vorel/core/text.h"
#include "vorel/ui/use_var.h"

namespace vorel::ui {

// The value shown through a number, pattern or date picture (UTF-8), and typed text read back
// (false when the picture refuses it or the number is out of [low, high]).
std::string FormatNumber(const std::string& picture, long long value);
bool ParseNumber(const std::string& picture, const std::string& typed, long long low, long long high, long long& out);
// Key-in and text pictures over text (UTF-8 both ways).
std::string FormatText(const std::string& picture, const std::string& value);
bool ParseText(const std::string& picture, const std::string& typed, std::string& out);

// What a number picture shows for 0: the picture's own text, or nothing.
enum class Zero { Formatted, Blank };

template <class Int>
    requires std::is_integral_v<Int>
UsePtr UsePattern(Int& v, std::string picture, Zero zero = Zero::Formatted) {
    return std::make_shared<PicturedFnUse>(
        [&v, picture, zero] {
            if (zero == Zero::Blank && v == 0) return std::string();
            return FormatNumber(picture, static_cast<long long>(v));
        },
        [&v, picture](const std::string& s) {
            long long n = 0;
            if (!ParseNumber(picture, s, static_cast<long long>(std::numeric_limits<Int>::min()),
                             static_cast<long long>(std::numeric_limits<Int>::max()), n))
                return false;
            v = static_cast<Int>(n);
            return true;
        },
        picture);
}
// A plain number limited to [low, high] (an entry that takes fewer digits than its field holds).
template <class Int>
    requires std::is_integral_v<Int>
UsePtr UseInRange(Int& v, long long low, long long high) {
    return UseFn([&v] { return std::to_string(static_cast<long long>(v)); },
                 [&v, low, high](const std::string& s) {
                     long long n = 0;
                     if (!ParseLeadingInteger(s, n) || n < low || n > high) return false;
                     v = static_cast<Int>(n);
                     return true;
                 });
}
// Dates (day numbers in a long) go through the same pair.
inline UsePtr UseDate(std::int32_t& day, std::string picture) { return UsePattern(day, std::move(picture)); }
// A month kept as the day number of its first day, shown mm/yyyy (blank when 0).
inline UsePtr UseMesAno(std::int32_t& dia) { return UsePattern(dia, "@d014b", Zero::Blank); }

// Text fields through a key-in template or a digit pattern (a CPF kept as its eleven digits).
template <std::size_t N, TextKind K>
UsePtr UseKeyIn(FixedText<N, K>& field, std::string picture) {
    return UseFn([&field, picture] {
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

// The use-variable `Window::Entry(feq, field, picture)` gives a field: a number through its
// pattern (`zero` says what 0 shows), text through its key-in template.
template <class Int>
    requires std::is_integral_v<Int>
UsePtr UsePictured(Int& v, const std::string& picture, Zero zero) { return UsePattern(v, picture, zero); }
template <std::size_t N, TextKind K>
UsePtr UsePictured(FixedText<N, K>& field, const std::string& picture, Zero) { return UseKeyIn(field, picture); }

// Decimals: a fixed number of places after a decimal comma ("12,500"), read back from text typed
// with a comma or a point (points before a comma are group separators and are dropped).
// Typed text as a number; nullopt when it is not one. Blank is 0.
std::optional<Decimal> ParseTypedDecimal(const std::string& typed);
// The value with `places` places and a decimal comma; 0 with places 0 is "0".
std::string ShowDecimal(const Decimal& v, int places);

template <int D, int P>
UsePtr UseDecimal(DecimalField<D, P>& field, int places) {
    return UseFn([&field, places] { return ShowDecimal(field, places); },
                 [&field](const std::string& s) {
                     std::optional<Decimal> v = ParseTypedDecimal(s);
                     if (!v || !v->fits(D, P)) return false;
                     field = *v;
                     return true;
                 });
}

inline UsePtr UseDecimal(Decimal& value, int digits, int places) {
    return UseFn([&value, places] { return ShowDecimal(value, places); },
                 [&value, digits, places](const std::string& s) {
                     std::optional<Decimal> v = ParseTypedDecimal(s);
                     if (!v || !v->fits(digits, places)) return false;
                     value = v->rounded(places);
                     return true;
                 });
}

}  // namespace vorel::ui
