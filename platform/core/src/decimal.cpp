// Decimal arithmetic. All wide integer work (products up to 256 bits, scaling by powers of ten,
// long division) lives in the small portable layer `Wide` below: unsigned integers of 32-bit limbs
// with 64-bit intermediates, so it builds on any compiler. Where the compiler has a 128-bit integer,
// the common cases (operands that fit 64 bits, sums at one scale) take a shorter path.
#include "vorel/core/decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

namespace vorel {

namespace {

// ---------------------------------------------------------------------------------------------
// Wide: an unsigned integer of up to 384 bits in 32-bit limbs, least significant first.
struct Wide {
    static constexpr int kLimbs = 12;
    std::array<std::uint32_t, kLimbs> limb{};
    int n = 0;  // limbs in use; limb[n-1] != 0 unless the value is 0 (n == 0)

    static Wide of_u128(std::uint64_t hi, std::uint64_t lo) {
        Wide w;
        w.limb[0] = static_cast<std::uint32_t>(lo);
        w.limb[1] = static_cast<std::uint32_t>(lo >> 32);
        w.limb[2] = static_cast<std::uint32_t>(hi);
        w.limb[3] = static_cast<std::uint32_t>(hi >> 32);
        w.n = 4;
        w.trim();
        return w;
    }
    void trim() {
        while (n > 0 && limb[n - 1] == 0) --n;
    }
    bool zero() const { return n == 0; }
    bool fits_u128() const { return n <= 4; }
    std::uint64_t lo64() const { return (std::uint64_t{limb[1]} << 32) | limb[0]; }
    std::uint64_t hi64() const { return (std::uint64_t{limb[3]} << 32) | limb[2]; }

    void mul_small(std::uint32_t m) {
        std::uint64_t carry = 0;
        for (int i = 0; i < n; ++i) {
            std::uint64_t t = std::uint64_t{limb[i]} * m + carry;
            limb[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry) limb[n++] = static_cast<std::uint32_t>(carry);
    }
    void add_small(std::uint32_t a) {
        std::uint64_t carry = a;
        for (int i = 0; i < n && carry; ++i) {
            std::uint64_t t = std::uint64_t{limb[i]} + carry;
            limb[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry) limb[n++] = static_cast<std::uint32_t>(carry);
    }
    // Divides in place; returns the remainder.
    std::uint32_t div_small(std::uint32_t m) {
        std::uint64_t rem = 0;
        for (int i = n - 1; i >= 0; --i) {
            std::uint64_t cur = (rem << 32) | limb[i];
            limb[i] = static_cast<std::uint32_t>(cur / m);
            rem = cur % m;
        }
        trim();
        return static_cast<std::uint32_t>(rem);
    }
    void mul_pow10(int k) {
        for (; k >= 9; k -= 9) mul_small(1000000000u);
        if (k > 0) mul_small(kPow10Small[k]);
    }
    // Divides by 10^k toward zero; returns true when anything non-zero was dropped.
    bool div_pow10(int k) {
        bool dropped = false;
        for (; k >= 9; k -= 9) dropped |= div_small(1000000000u) != 0;
        if (k > 0) dropped |= div_small(kPow10Small[k]) != 0;
        return dropped;
    }
    // Divides by 10^k, rounding half away from zero: the magnitude goes up when the first dropped
    // digit is 5 or more.
    void div_pow10_round(int k) {
        if (k <= 0) return;
        div_pow10(k - 1);
        if (div_small(10) >= 5) add_small(1);
    }

    static constexpr std::uint32_t kPow10Small[10] = {1,      10,      100,      1000,      10000,
                                                      100000, 1000000, 10000000, 100000000, 1000000000};
};

int compare(const Wide& a, const Wide& b) {
    if (a.n != b.n) return a.n < b.n ? -1 : 1;
    for (int i = a.n - 1; i >= 0; --i)
        if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i] ? -1 : 1;
    return 0;
}

Wide add(const Wide& a, const Wide& b) {
    Wide r;
    int n = std::max(a.n, b.n);
    std::uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
        std::uint64_t t = std::uint64_t{a.limb[i]} + b.limb[i] + carry;
        r.limb[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    r.n = n;
    if (carry) r.limb[r.n++] = static_cast<std::uint32_t>(carry);
    return r;
}

// a - b for a >= b.
Wide sub(const Wide& a, const Wide& b) {
    Wide r;
    std::int64_t borrow = 0;
    for (int i = 0; i < a.n; ++i) {
        std::int64_t t = std::int64_t{a.limb[i]} - b.limb[i] - borrow;
        borrow = t < 0 ? 1 : 0;
        r.limb[i] = static_cast<std::uint32_t>(t + (borrow << 32));
    }
    r.n = a.n;
    r.trim();
    return r;
}

Wide mul(const Wide& a, const Wide& b) {
    Wide r;
    if (a.zero() || b.zero()) return r;
    for (int i = 0; i < a.n; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < b.n; ++j) {
            std::uint64_t t = std::uint64_t{a.limb[i]} * b.limb[j] + r.limb[i + j] + carry;
            r.limb[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        r.limb[i + b.n] = static_cast<std::uint32_t>(carry);
    }
    r.n = a.n + b.n;
    r.trim();
    return r;
}

// Long division (Knuth's algorithm D): q = u / v, r = u % v, v != 0.
void divmod(const Wide& u, const Wide& v, Wide& q, Wide& r) {
    q = Wide{};
    r = Wide{};
    if (compare(u, v) < 0) {
        r = u;
        return;
    }
    if (v.n == 1) {
        q = u;
        std::uint32_t rem = q.div_small(v.limb[0]);
        r.limb[0] = rem;
        r.n = 1;
        r.trim();
        return;
    }
    const int m = u.n;
    const int n = v.n;
    const int s = std::countl_zero(v.limb[n - 1]);
    constexpr std::uint64_t b = 1ULL << 32;
    std::array<std::uint32_t, Wide::kLimbs> vn{};
    std::array<std::uint32_t, Wide::kLimbs + 1> un{};
    for (int i = n - 1; i > 0; --i)
        vn[i] = static_cast<std::uint32_t>((std::uint64_t{v.limb[i]} << s) | (std::uint64_t{v.limb[i - 1]} >> (32 - s)));
    vn[0] = static_cast<std::uint32_t>(std::uint64_t{v.limb[0]} << s);
    un[m] = static_cast<std::uint32_t>(std::uint64_t{u.limb[m - 1]} >> (32 - s));
    for (int i = m - 1; i > 0; --i)
        un[i] = static_cast<std::uint32_t>((std::uint64_t{u.limb[i]} << s) | (std::uint64_t{u.limb[i - 1]} >> (32 - s)));
    un[0] = static_cast<std::uint32_t>(std::uint64_t{u.limb[0]} << s);

    for (int j = m - n; j >= 0; --j) {
        std::uint64_t num = (std::uint64_t{un[j + n]} << 32) | un[j + n - 1];
        std::uint64_t qhat = num / vn[n - 1];
        std::uint64_t rhat = num % vn[n - 1];
        while (qhat >= b || qhat * vn[n - 2] > ((rhat << 32) | un[j + n - 2])) {
            --qhat;
            rhat += vn[n - 1];
            if (rhat >= b) break;
        }
        std::int64_t t = 0;
        std::uint64_t k = 0;
        for (int i = 0; i < n; ++i) {
            std::uint64_t p = qhat * vn[i];
            t = std::int64_t{un[i + j]} - static_cast<std::int64_t>(k) - static_cast<std::int64_t>(p & 0xFFFFFFFFu);
            un[i + j] = static_cast<std::uint32_t>(t);
            k = (p >> 32) - static_cast<std::uint64_t>(t >> 32);
        }
        t = std::int64_t{un[j + n]} - static_cast<std::int64_t>(k);
        un[j + n] = static_cast<std::uint32_t>(t);
        q.limb[j] = static_cast<std::uint32_t>(qhat);
        if (t < 0) {  // subtracted one time too many: add back
            q.limb[j] -= 1;
            k = 0;
            for (int i = 0; i < n; ++i) {
                std::uint64_t sum = std::uint64_t{un[i + j]} + vn[i] + k;
                un[i + j] = static_cast<std::uint32_t>(sum);
                k = sum >> 32;
            }
            un[j + n] = static_cast<std::uint32_t>(un[j + n] + k);
        }
    }
    q.n = m - n + 1;
    q.trim();
    for (int i = 0; i < n - 1; ++i)
        r.limb[i] = static_cast<std::uint32_t>((std::uint64_t{un[i]} >> s) | (std::uint64_t{un[i + 1]} << (32 - s)));
    r.limb[n - 1] = static_cast<std::uint32_t>(std::uint64_t{un[n - 1]} >> s);
    r.n = n;
    r.trim();
}

Wide pow10(int k) {
    Wide w;
    w.limb[0] = 1;
    w.n = 1;
    w.mul_pow10(k);
    return w;
}

const Wide& max_magnitude() {  // 10^38: magnitudes stay below it
    static const Wide w = pow10(Decimal::kMaxDigits);
    return w;
}

int digit_count(const Wide& w) {
    if (w.zero()) return 0;
    Wide t = w;
    int digits = 0;
    while (t.n > 1) {
        t.div_small(1000000000u);
        digits += 9;
    }
    for (std::uint32_t x = t.limb[0]; x != 0; x /= 10) ++digits;
    return digits;
}

std::string digits_of(Wide w) {
    if (w.zero()) return "0";
    std::string out;
    while (!w.zero()) {
        std::uint32_t chunk = w.div_small(1000000000u);
        for (int i = 0; i < 9; ++i) {
            out += static_cast<char>('0' + chunk % 10);
            chunk /= 10;
            if (w.zero() && chunk == 0) break;
        }
    }
    std::reverse(out.begin(), out.end());
    return out;
}

// "-123.45" from a sign, a magnitude and a scale.
std::string plain_text(bool negative, const Wide& magnitude, int scale, char separator) {
    std::string digits = digits_of(magnitude);
    if (scale > 0) {
        if (static_cast<int>(digits.size()) <= scale)
            digits.insert(0, static_cast<std::size_t>(scale + 1) - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(scale), 1, separator);
    }
    return (negative && !magnitude.zero()) ? "-" + digits : digits;
}

void check_places(int places) {
    if (places < 0 || places > Decimal::kMaxScale)
        throw std::invalid_argument("decimal places out of range: " + std::to_string(places));
}

}  // namespace

// The bridge between Decimal's stored halves and the wide layer.
class DecimalAccess {
public:
    struct Parts {
        bool negative = false;
        Wide magnitude;
        int scale = 0;
    };

    static Parts unpack(const Decimal& d) {
        Parts p;
        p.scale = d.scale_;
        std::uint64_t hi = d.hi_, lo = d.lo_;
        p.negative = (hi >> 63) != 0;
        if (p.negative) negate(hi, lo);
        p.magnitude = Wide::of_u128(hi, lo);
        return p;
    }

    // Builds a Decimal from parts: more than kMaxScale places, or more than kMaxDigits digits, are
    // rounded off the fraction; integer digits beyond kMaxDigits throw DecimalOverflow.
    static Decimal pack(Parts p) {
        if (p.scale > Decimal::kMaxScale) {
            p.magnitude.div_pow10_round(p.scale - Decimal::kMaxScale);
            p.scale = Decimal::kMaxScale;
        }
        while (compare(p.magnitude, max_magnitude()) >= 0) {
            int excess = digit_count(p.magnitude) - Decimal::kMaxDigits;
            if (excess < 1) excess = 1;
            if (p.scale == 0 || excess > p.scale)
                throw DecimalOverflow("value " + plain_text(p.negative, p.magnitude, p.scale, '.') +
                                      " exceeds " + std::to_string(Decimal::kMaxDigits) + " digits");
            p.magnitude.div_pow10_round(excess);
            p.scale -= excess;
        }
        return raw(p.negative, p.magnitude.hi64(), p.magnitude.lo64(), p.scale);
    }

    static Decimal raw(bool negative, std::uint64_t hi, std::uint64_t lo, int scale) {
        Decimal d;
        if (negative) negate(hi, lo);
        d.hi_ = hi;
        d.lo_ = lo;
        d.scale_ = scale;
        return d;
    }

    static void negate(std::uint64_t& hi, std::uint64_t& lo) {
        lo = ~lo + 1;
        hi = ~hi + (lo == 0 ? 1 : 0);
    }

    // Both values at the larger scale (the magnitudes may then exceed 128 bits).
    static void align(Parts& a, Parts& b) {
        if (a.scale < b.scale) {
            a.magnitude.mul_pow10(b.scale - a.scale);
            a.scale = b.scale;
        } else if (b.scale < a.scale) {
            b.magnitude.mul_pow10(a.scale - b.scale);
            b.scale = a.scale;
        }
    }

    static Decimal add(const Decimal& x, const Decimal& y) {
#if defined(__SIZEOF_INT128__) && !defined(VOREL_DECIMAL_PORTABLE)
        if (x.scale_ == y.scale_) {  // same scale: one 128-bit addition, checked
            __int128 a = as_int128(x), b = as_int128(y);
            __int128 s;
            if (!__builtin_add_overflow(a, b, &s) && in_range(s)) return of_int128(s, x.scale_);
        }
#endif
        Parts a = unpack(x), b = unpack(y);
        align(a, b);
        Parts r;
        r.scale = a.scale;
        if (a.negative == b.negative) {
            r.magnitude = vorel::add(a.magnitude, b.magnitude);
            r.negative = a.negative;
        } else if (compare(a.magnitude, b.magnitude) >= 0) {
            r.magnitude = sub(a.magnitude, b.magnitude);
            r.negative = a.negative;
        } else {
            r.magnitude = sub(b.magnitude, a.magnitude);
            r.negative = b.negative;
        }
        return pack(r);
    }

    static Decimal multiply(const Decimal& x, const Decimal& y) {
#if defined(__SIZEOF_INT128__) && !defined(VOREL_DECIMAL_PORTABLE)
        // Operands within 64 bits: the product fits 127 bits.
        if (fits64(x) && fits64(y) && x.scale_ + y.scale_ <= Decimal::kMaxScale) {
            __int128 p = as_int128(x) * as_int128(y);
            if (in_range(p)) return of_int128(p, x.scale_ + y.scale_);
        }
#endif
        Parts a = unpack(x), b = unpack(y);
        Parts r;
        r.magnitude = mul(a.magnitude, b.magnitude);
        r.negative = a.negative != b.negative;
        r.scale = a.scale + b.scale;
        return pack(r);
    }

    static Decimal divide(const Decimal& x, const Decimal& y) {
        Parts a = unpack(x), b = unpack(y);
        if (b.magnitude.zero()) throw DecimalDivisionByZero("division by zero: " + x.to_string() + " / 0");
        int target = std::max(Decimal::kDivisionPlaces, a.scale);
        // (|a| * 10^e) / |b| has `target` places when e = target + b.scale - a.scale (>= 0).
        a.magnitude.mul_pow10(target + b.scale - a.scale);
        Wide q, r;
        divmod(a.magnitude, b.magnitude, q, r);
        // Half away from zero: up when 2r >= |b|.
        if (compare(vorel::add(r, r), b.magnitude) >= 0) q.add_small(1);
        Parts out;
        out.magnitude = q;
        out.negative = a.negative != b.negative;
        out.scale = target;
        return pack(out);
    }

    static int compare_values(const Decimal& x, const Decimal& y) {
        int sx = x.sign(), sy = y.sign();
        if (sx != sy) return sx < sy ? -1 : 1;
        if (sx == 0) return 0;
        Parts a = unpack(x), b = unpack(y);
        align(a, b);
        int c = compare(a.magnitude, b.magnitude);
        return sx < 0 ? -c : c;
    }

    static Decimal with_places(const Decimal& x, int places, bool round) {
        check_places(places);
        if (places >= x.scale_) return x;
#if defined(__SIZEOF_INT128__) && !defined(VOREL_DECIMAL_PORTABLE)
        {
            const __int128 v = as_int128(x);
            const __int128 unit = pow10_int128(x.scale_ - places);
            __int128 q = v / unit;  // toward zero
            const __int128 rem = v % unit;
            if (round && (rem < 0 ? -rem : rem) * 2 >= unit) q += v < 0 ? -1 : 1;
            return of_int128(q, places);
        }
#endif
        Parts p = unpack(x);
        if (round)
            p.magnitude.div_pow10_round(p.scale - places);
        else
            p.magnitude.div_pow10(p.scale - places);
        p.scale = places;
        return pack(p);
    }

    // The magnitude at exactly `places` places (places >= the value's scale).
    static Wide magnitude_at(const Decimal& x, int places) {
        Parts p = unpack(x);
        p.magnitude.mul_pow10(places - p.scale);
        return p.magnitude;
    }

    static long long to_int64(const Decimal& x, int places) {
        Parts p = unpack(x);
        p.magnitude.mul_pow10(places - p.scale);
        const std::uint64_t limit = p.negative ? (1ULL << 63) : (1ULL << 63) - 1;
        if (p.magnitude.n > 2 || p.magnitude.lo64() > limit)
            throw DecimalOverflow("value " + x.to_string() + " does not fit a 64-bit integer");
        std::uint64_t m = p.magnitude.lo64();
        return p.negative ? static_cast<long long>(0 - m) : static_cast<long long>(m);
    }

    static std::string text(const Decimal& x, char separator, int min_places) {
        Parts p = unpack(x);
        int keep = p.scale;
        if (!p.magnitude.zero()) {
            // Drop trailing zeros of the fraction down to min_places.
            Wide t = p.magnitude;
            while (keep > min_places) {
                Wide probe = t;
                if (probe.div_small(10) != 0) break;
                t = probe;
                --keep;
            }
            p.magnitude = t;
        } else {
            keep = std::min(keep, min_places);
        }
        if (keep < min_places) {
            p.magnitude.mul_pow10(min_places - keep);
            keep = min_places;
        }
        return plain_text(p.negative, p.magnitude, keep, separator);
    }

#if defined(__SIZEOF_INT128__) && !defined(VOREL_DECIMAL_PORTABLE)
    static __int128 as_int128(const Decimal& d) {
        return static_cast<__int128>((static_cast<unsigned __int128>(d.hi_) << 64) | d.lo_);
    }
    static Decimal of_int128(__int128 v, int scale) {
        Decimal d;
        auto u = static_cast<unsigned __int128>(v);
        d.hi_ = static_cast<std::uint64_t>(u >> 64);
        d.lo_ = static_cast<std::uint64_t>(u);
        d.scale_ = scale;
        return d;
    }
    static bool fits64(const Decimal& d) {
        return d.hi_ == (static_cast<std::int64_t>(d.lo_) < 0 ? ~0ULL : 0ULL);
    }
    static __int128 pow10_int128(int k) {  // k 0..38
        static const auto table = [] {
            std::array<__int128, Decimal::kMaxDigits + 1> t{};
            t[0] = 1;
            for (int i = 1; i <= Decimal::kMaxDigits; ++i) t[i] = t[i - 1] * 10;
            return t;
        }();
        return table[static_cast<std::size_t>(k)];
    }
    // |x| < 10^k, for k >= 0.
    static bool below_pow10(const Decimal& x, int k) {
        if (k >= Decimal::kMaxDigits) return true;
        __int128 v = as_int128(x);
        return (v < 0 ? -v : v) < pow10_int128(k);
    }
    static bool in_range(__int128 v) {
        const __int128 limit = pow10_int128(Decimal::kMaxDigits);
        return v < limit && v > -limit;
    }
#endif
};

// ---------------------------------------------------------------------------------------------

Decimal::Decimal(long long integer) {
    bool negative = integer < 0;
    std::uint64_t m = negative ? 0 - static_cast<std::uint64_t>(integer) : static_cast<std::uint64_t>(integer);
    *this = DecimalAccess::raw(negative, 0, m, 0);
}

Decimal::Decimal(unsigned long long integer) { *this = DecimalAccess::raw(false, 0, integer, 0); }

Decimal Decimal::from_scaled(long long unscaled, int scale) {
    check_places(scale);
    Decimal d(unscaled);
    d.scale_ = scale;
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    text = text.substr(b, e - b);
    DecimalAccess::Parts p;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) p.negative = text[i++] == '-';
    bool separator = false;
    int digits = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            ++digits;
            if (p.magnitude.n >= Wide::kLimbs - 1) return std::nullopt;  // far beyond any range
            p.magnitude.mul_small(10);
            p.magnitude.add_small(static_cast<std::uint32_t>(c - '0'));
            if (separator) ++p.scale;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    if (p.magnitude.zero()) p.negative = false;
    try {
        return DecimalAccess::pack(p);
    } catch (const DecimalOverflow&) {
        return std::nullopt;
    }
}

Decimal Decimal::from_string(std::string_view text) {
    auto d = parse(text);
    if (!d) throw std::invalid_argument("not a decimal number: \"" + std::string(text) + "\"");
    return *d;
}

Decimal Decimal::rounded(int places) const { return DecimalAccess::with_places(*this, places, true); }
Decimal Decimal::cut(int places) const { return DecimalAccess::with_places(*this, places, false); }

bool Decimal::fits(int digits, int places) const {
    check_places(places);
    if (digits < places || digits > kMaxDigits) return false;
#if defined(__SIZEOF_INT128__) && !defined(VOREL_DECIMAL_PORTABLE)
    {
        // At its own scale s (<= places), the rounded value fits when |r| < 10^(digits - places + s).
        Decimal r = rounded(places);
        return DecimalAccess::below_pow10(r, digits - places + r.scale_);
    }
#endif
    Wide m = DecimalAccess::magnitude_at(rounded(places), places);
    return compare(m, pow10(digits)) < 0;
}

Decimal Decimal::stored(int digits, int places) const {
    Decimal r = rounded(places);
    if (!r.fits(digits, places))
        throw DecimalOverflow("value " + to_string() + " does not fit decimal(" + std::to_string(digits) + "," +
                              std::to_string(places) + ")");
    return r;
}

long long Decimal::scaled_other(int places) const {
    check_places(places);
    // (A value held at the places asked within 64 bits, and zero, take scaled's inline path.)
    if (hi_ == (static_cast<std::int64_t>(lo_) < 0 ? ~std::uint64_t{0} : 0)) {
        const auto v = static_cast<long long>(lo_);
        // Held at fewer places (a value assigned from a whole number): the integer times a power
        // of ten, when the product stays within 64 bits.
        if (scale_ < places && places - scale_ <= 18) {
            long long unit = 1;
            for (int k = scale_; k < places; ++k) unit *= 10;
            const long long limit = std::numeric_limits<long long>::max() / unit;
            if (v <= limit && v >= -limit) return v * unit;
        }
    }
    return DecimalAccess::to_int64(rounded(places), places);
}

long long Decimal::to_integer() const { return DecimalAccess::to_int64(cut(0), 0); }

int Decimal::sign() const {
    if (hi_ == 0 && lo_ == 0) return 0;
    return (hi_ >> 63) ? -1 : 1;
}

Decimal Decimal::abs() const { return sign() < 0 ? -*this : *this; }

std::string Decimal::to_string(char separator, int min_places) const {
    check_places(min_places);
    return DecimalAccess::text(*this, separator, min_places);
}

std::string Decimal::to_fixed(int places, char separator) const {
    check_places(places);
    Decimal r = rounded(places);
    return DecimalAccess::text(r, separator, places);
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    if (sign() != 0) DecimalAccess::negate(d.hi_, d.lo_);
    return d;
}

Decimal operator+(const Decimal& a, const Decimal& b) { return DecimalAccess::add(a, b); }
Decimal operator-(const Decimal& a, const Decimal& b) { return DecimalAccess::add(a, -b); }
Decimal operator*(const Decimal& a, const Decimal& b) { return DecimalAccess::multiply(a, b); }
Decimal operator/(const Decimal& a, const Decimal& b) { return DecimalAccess::divide(a, b); }

Decimal Decimal::divide_or_zero(const Decimal& a, const Decimal& b) {
    if (b.is_zero()) return Decimal();
    return a / b;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    int c = DecimalAccess::compare_values(a, b);
    return c < 0 ? std::strong_ordering::less : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

}  // namespace vorel
