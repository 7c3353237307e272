// DecimalField<D,P>: a decimal(D,P) field of a record struct.
//
// Holds a Decimal that is always rounded to P places (half away from zero) and has at most D-P
// integer digits: every assignment rounds, and a value too large throws DecimalOverflow naming the
// value, so no digit is ever lost silently. It converts to `const Decimal&` for arithmetic:
//     DecimalField<13, 2> total;
//     total = price * quantity;        // rounded to 2 places, checked against 11 integer digits
//     total += tax;                    // the same on every compound assignment
// The table engine stores it as the scaled integer `scaled()` (at most 18 digits fit 64 bits).
#pragma once

#include "vorel/core/decimal.h"

namespace vorel {

template <int D, int P>
class DecimalField {
    static_assert(P >= 0 && P <= Decimal::kMaxScale && D > 0 && D >= P && D <= Decimal::kMaxDigits,
                  "decimal(d,p) needs 0 <= p <= d <= 38 and p <= 31");

public:
    static constexpr int digits = D;
    static constexpr int places = P;

    DecimalField() = default;
    DecimalField(const Decimal& v) : value_(v.stored(D, P)) {}  // NOLINT: assignment-like
    DecimalField(long long v) : DecimalField(Decimal(v)) {}    // NOLINT
    DecimalField(int v) : DecimalField(Decimal(v)) {}          // NOLINT
    DecimalField(long v) : DecimalField(Decimal(v)) {}         // NOLINT

    DecimalField& operator=(const Decimal& v) {
        value_ = v.stored(D, P);
        return *this;
    }
    DecimalField& operator=(int v) { return *this = Decimal(v); }
    DecimalField& operator=(long v) { return *this = Decimal(v); }
    DecimalField& operator=(long long v) { return *this = Decimal(v); }
    DecimalField& operator+=(const Decimal& v) { return *this = value_ + v; }
    DecimalField& operator-=(const Decimal& v) { return *this = value_ - v; }
    DecimalField& operator*=(const Decimal& v) { return *this = value_ * v; }
    DecimalField& operator/=(const Decimal& v) { return *this = value_ / v; }

    operator const Decimal&() const { return value_; }  // NOLINT
    const Decimal& value() const { return value_; }

    // The unscaled integer at P places (12.34 in decimal(5,2) is 1234), and back.
    long long scaled() const { return value_.scaled(P); }
    // A stored integer within D digits is already rounded and in range: it skips the checks (the
    // table engine reads every decimal column of a record this way).
    static DecimalField from_scaled(long long unscaled) {
        if constexpr (D <= 18) {
            constexpr long long limit = pow10(D);
            if (unscaled > -limit && unscaled < limit) {
                DecimalField f;
                f.value_ = Decimal::from_scaled(unscaled, P);
                return f;
            }
        }
        return DecimalField(Decimal::from_scaled(unscaled, P));
    }

    std::string to_string(char separator = '.') const { return value_.to_fixed(P, separator); }

private:
    static consteval long long pow10(int n) { return n == 0 ? 1 : 10 * pow10(n - 1); }

    Decimal value_;
};

}  // namespace vorel
