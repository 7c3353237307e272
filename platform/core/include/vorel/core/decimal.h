// Decimal: exact decimal numbers for money, quantities and rates. No binary floating point.
//
// A Decimal is a signed integer of up to 38 digits (128-bit two's complement kept as two 64-bit
// halves; no compiler extension in the interface) times 10^-scale, scale 0..31.
//
// Precision:
//   + and -   exact, at the larger scale of the operands;
//   *         exact, at the sum of the scales; places beyond 31 are rounded half away from zero;
//   /         the quotient carries max(kDivisionPlaces, the dividend's scale) places (16 at least),
//             rounded half away from zero: 1 / 3 is 0.3333333333333333, 2 / 3 is 0.6666666666666667.
//   Any result wider than 38 digits loses fraction places (rounded half away from zero), never
//   integer digits: more than 38 integer digits throws DecimalOverflow. Division by zero throws
//   DecimalDivisionByZero; where the rules make it 0, use `divide_or_zero`.
//
// Storing into a field of the record layout, decimal(d,p), rounds half away from zero to p places
// and refuses a value with more than d-p integer digits (`stored`, or DecimalField<D,P> in
// decimal_field.h); a cut toward zero is `cut`. Text goes both ways, with a point or a comma as
// the decimal separator. The wide arithmetic lives in decimal.cpp only.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vorel {

struct DecimalOverflow : std::overflow_error {
    using std::overflow_error::overflow_error;
};
struct DecimalDivisionByZero : std::domain_error {
    using std::domain_error::domain_error;
};

class Decimal {
public:
    static constexpr int kMaxDigits = 38;
    static constexpr int kMaxScale = 31;
    static constexpr int kDivisionPlaces = 16;

    constexpr Decimal() = default;
    Decimal(long long integer);  // NOLINT: integers convert implicitly, as in the runtime
    Decimal(int integer) : Decimal(static_cast<long long>(integer)) {}                // NOLINT
    Decimal(long integer) : Decimal(static_cast<long long>(integer)) {}               // NOLINT
    Decimal(unsigned integer) : Decimal(static_cast<long long>(integer)) {}           // NOLINT
    Decimal(unsigned long long integer);                                              // NOLINT
    Decimal(unsigned long integer) : Decimal(static_cast<unsigned long long>(integer)) {}  // NOLINT

    // Parses "-1234.56" or "-1234,56": an optional sign, digits, at most one decimal separator (point
    // or comma), no group separators; blanks around are allowed. nullopt on anything else.
    static std::optional<Decimal> parse(std::string_view text);
    // Like parse, throwing std::invalid_argument on bad text; for literals in code and tests.
    static Decimal from_string(std::string_view text);
    // The unscaled integer and its scale: from_scaled(12345, 2) is 123.45.
    static Decimal from_scaled(long long unscaled, int scale);

    // Rounded half away from zero to `places` places (places 0..31).
    Decimal rounded(int places) const;
    // Cut toward zero to `places` places.
    Decimal cut(int places) const;
    // Rounded to p places and checked to fit decimal(d,p); throws DecimalOverflow naming the value.
    Decimal stored(int digits, int places) const;
    // True when the integer part has at most digits-places digits after rounding to `places`.
    bool fits(int digits, int places) const;

    // Unscaled integer at `places` places (rounded half away from zero), for storage as an integer;
    // throws DecimalOverflow when it does not fit 64 bits.
    long long scaled(int places) const {
        // A value held at those very places within 64 bits is its own scaled integer (a field's
        // value as the table engine reads and writes it).
        if (scale_ == places && hi_ == (static_cast<std::int64_t>(lo_) < 0 ? ~std::uint64_t{0} : 0))
            return static_cast<long long>(lo_);
        if ((hi_ | lo_) == 0 && places >= 0 && places <= kMaxScale) return 0;
        return scaled_other(places);
    }
    // Integer part, cut toward zero (throws DecimalOverflow beyond 64 bits).
    long long to_integer() const;

    int sign() const;
    bool is_zero() const { return sign() == 0; }
    int scale() const { return scale_; }
    Decimal abs() const;

    // Plain text: "-1234.5" with the least places that keep the value (at least `min_places`),
    // using `separator` ('.' or ',').
    std::string to_string(char separator = '.', int min_places = 0) const;
    // Exactly `places` places, rounded half away from zero.
    std::string to_fixed(int places, char separator = '.') const;

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator/(const Decimal& a, const Decimal& b);
    Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
    Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
    Decimal& operator*=(const Decimal& b) { return *this = *this * b; }
    Decimal& operator/=(const Decimal& b) { return *this = *this / b; }
    // a / b, or 0 when b is 0.
    static Decimal divide_or_zero(const Decimal& a, const Decimal& b);

    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

private:
    long long scaled_other(int places) const;

    // 128-bit two's complement magnitude, kept as two halves so that no compiler extension leaks.
    std::uint64_t hi_ = 0;
    std::uint64_t lo_ = 0;
    int scale_ = 0;
    friend class DecimalAccess;  // the arithmetic layer in decimal.cpp
};

// The operators again at namespace scope, so that values that convert to Decimal (DecimalField)
// take part too.
Decimal operator+(const Decimal& a, const Decimal& b);
Decimal operator-(const Decimal& a, const Decimal& b);
Decimal operator*(const Decimal& a, const Decimal& b);
Decimal operator/(const Decimal& a, const Decimal& b);
std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
bool operator==(const Decimal& a, const Decimal& b);

}  // namespace vorel
