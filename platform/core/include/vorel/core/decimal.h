// Decimal: exact decimal numbers for money, quantities and rates. No binary floating point.
//
// A Decimal is a signed integer of up to 38 digits (`Int128`, portable: two 64-bit halves, no
// __int128 in the interface) times 10^-scale, scale 0..31. Addition, subtraction and multiplication are
// exact while the result fits 38 digits (the excess places of a product are rounded half away from
// zero, never its integer digits); division carries `kDivisionPlaces` places, rounded half away
// from zero. An integer-digit overflow throws DecimalOverflow; division by zero throws
// DecimalDivisionByZero (callers that the rules make give 0 use `divide_or_zero`).
//
// Storing into a field of the record layout, decimal(d,p), rounds half away from zero to p places
// (`rounded`) and refuses a value with more than d-p integer digits; a cut toward zero is `cut`.
// Text goes both ways with a point or a comma as the decimal separator.
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
    Decimal(int integer) : Decimal(static_cast<long long>(integer)) {}

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
    long long scaled(int places) const;
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
    // 128-bit two's complement magnitude, kept as two halves so that no compiler extension leaks.
    std::uint64_t hi_ = 0;
    std::uint64_t lo_ = 0;
    int scale_ = 0;
    friend class DecimalAccess;  // the arithmetic layer in decimal.cpp
};

}  // namespace vorel
