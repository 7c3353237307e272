// Use-variables for the registers' decimal entries: a `DecimalField` shown with a fixed number of
// places after a decimal comma ("12,500") and read back from text typed with a comma or a point
// (points before a comma are group separators and are dropped). Text that is not a number, or a
// number too large for the field, leaves the field as it was (the control stays changed).
//
//     w.Entry(kAliquota, UseDecimal(rec.ALIQUOTA, 3), "@n-8.3");
//     w.Entry(kCodigo, UseDecimal(rec.Codigo, 0), "@N20");
#pragma once

#include <optional>
#include <string>

#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"
#include "vorel/ui/use_var.h"

namespace vorel::registers {

// Typed text as a number; nullopt when it is not one. Blank is 0.
std::optional<Decimal> ParseTypedDecimal(const std::string& typed);
// The value with `places` places and a decimal comma; 0 with places 0 is "0".
std::string ShowDecimal(const Decimal& v, int places);

template <int D, int P>
ui::UsePtr UseDecimal(DecimalField<D, P>& field, int places) {
    return ui::UseFn([&field, places] { return ShowDecimal(field, places); },
                     [&field](const std::string& s) {
                         std::optional<Decimal> v = ParseTypedDecimal(s);
                         if (!v || !v->fits(D, P)) return false;
                         field = *v;
                         return true;
                     });
}

inline ui::UsePtr UseDecimal(Decimal& value, int digits, int places) {
    return ui::UseFn([&value, places] { return ShowDecimal(value, places); },
                     [&value, digits, places](const std::string& s) {
                         std::optional<Decimal> v = ParseTypedDecimal(s);
                         if (!v || !v->fits(digits, places)) return false;
                         value = v->rounded(places);
                         return true;
                     });
}

}  // namespace vorel::registers
