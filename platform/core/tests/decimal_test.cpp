#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace vorel {
namespace {

Decimal d(std::string_view text) { return Decimal::from_string(text); }

TEST(Decimal, RoundingHalfAwayFromZeroAndCuttingTowardZero) {
    struct Case {
        const char* value;
        int places;
        const char* rounded;
        const char* cut;
    } cases[] = {
        {"2.5", 0, "3", "2"},
        {"-2.5", 0, "-3", "-2"},
        {"2.4999", 0, "2", "2"},
        {"-0.5", 0, "-1", "0"},
        {"-0.4", 0, "0", "0"},
        {"1.005", 2, "1.01", "1"},
        {"-1.005", 2, "-1.01", "-1"},
        {"1.0049999", 2, "1", "1"},
        {"0.125", 2, "0.13", "0.12"},
        {"-0.125", 2, "-0.13", "-0.12"},
        {"99.995", 2, "100", "99.99"},
        {"-99.995", 2, "-100", "-99.99"},
        {"12.34565", 4, "12.3457", "12.3456"},
        {"-12.34565", 4, "-12.3457", "-12.3456"},
        {"12.34564999", 4, "12.3456", "12.3456"},
        {"0.00005", 4, "0.0001", "0"},
        {"7.1", 3, "7.1", "7.1"},  // fewer places than asked: unchanged
        {"0.05", 1, "0.1", "0"},
        {"-0.05", 1, "-0.1", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(d(c.value).rounded(c.places).to_string(), c.rounded) << c.value << " @" << c.places;
        EXPECT_EQ(d(c.value).cut(c.places).to_string(), c.cut) << c.value << " @" << c.places;
    }
    EXPECT_EQ(d("2.5").to_fixed(2), "2.50");
    EXPECT_EQ(d("-1.005").to_fixed(2, ','), "-1,01");
    EXPECT_EQ(d("-0.001").to_fixed(2), "0.00");
    EXPECT_THROW((void)d("1").rounded(32), std::invalid_argument);
}

TEST(Decimal, ArithmeticIsExact) {
    EXPECT_EQ(d("0.1") + d("0.2"), d("0.3"));
    EXPECT_EQ((d("0.1") + d("0.2")).to_string(), "0.3");
    EXPECT_EQ((d("10.25") - d("20.5")).to_string(), "-10.25");
    EXPECT_EQ((d("1.5") * d("-2.25")).to_string(), "-3.375");
    EXPECT_EQ((d("123456789.1234") * d("1000.01")).to_string(), "123458023691.291234");
    EXPECT_EQ((d("-0.0001") * d("0.0001")).to_string(), "-0.00000001");
    // 31 significant digits carried through sums and products.
    Decimal big = d("1234567890123456789012345678901");
    EXPECT_EQ((big + 1).to_string(), "1234567890123456789012345678902");
    EXPECT_EQ((big * 10 - big * 9), big);
    EXPECT_EQ((d("0.1234567890123456789012345678901") * 3).to_string(), "0.3703703670370370367037037036703");
    // A product wider than 38 digits keeps its integer digits and rounds its fraction.
    EXPECT_EQ((d("12345678901234567890.123456789") * d("1000000.123456789")).to_string(),
              "12345680425392443061591344.30614678875");
    // Places beyond 31 are rounded.
    EXPECT_EQ((d("0.0000000000000001") * d("0.0000000000000005")).to_string(), "0.0000000000000000000000000000001");
}

TEST(Decimal, DivisionCarriesSixteenPlaces) {
    struct Case {
        const char* a;
        const char* b;
        const char* quotient;
    } cases[] = {
        {"1", "3", "0.3333333333333333"},
        {"2", "3", "0.6666666666666667"},
        {"-2", "3", "-0.6666666666666667"},
        {"10", "4", "2.5"},
        {"1", "-8", "-0.125"},
        {"100", "0.03", "3333.3333333333333333"},
        {"0.00000000000000000001", "1", "0.00000000000000000001"},  // the dividend's places are kept
        {"99999999999999999999", "0.000001", "99999999999999999999000000"},
        {"123456789012345678901234567890", "7", "17636684144620811271604938270"},
    };
    for (const auto& c : cases) EXPECT_EQ((d(c.a) / d(c.b)).to_string(), c.quotient) << c.a << " / " << c.b;

    EXPECT_THROW((void)(d("1") / Decimal()), DecimalDivisionByZero);
    EXPECT_THROW((void)(Decimal() / d("0.00")), DecimalDivisionByZero);
    EXPECT_EQ(Decimal::divide_or_zero(d("5"), d("0")), Decimal());
    EXPECT_EQ(Decimal::divide_or_zero(d("5"), d("2")), d("2.5"));
}

#ifdef __SIZEOF_INT128__
TEST(Decimal, DivisionMatchesWideIntegerReference) {
    std::mt19937_64 rng(42);
    for (int i = 0; i < 2000; ++i) {
        // Dividends up to 20 digits, divisors from one limb up to 20 digits.
        unsigned __int128 a = rng() % 10000000000000000000ULL + (static_cast<unsigned __int128>(rng() % 5) << 64);
        unsigned __int128 b = (rng() >> (rng() % 64)) + 1;
        if (i % 3 == 0) b += static_cast<unsigned __int128>(rng() % 3) << 64;
        unsigned __int128 scale = 1;
        for (int k = 0; k < 16; ++k) scale *= 10;
        unsigned __int128 n = a * scale;
        unsigned __int128 q = n / b, r = n % b;
        if (2 * r >= b) ++q;
        auto text = [](unsigned __int128 v) {
            std::string s;
            do {
                s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
                v /= 10;
            } while (v != 0);
            return s;
        };
        Decimal expected = Decimal::from_string(text(q)) / Decimal::from_string("10000000000000000");
        EXPECT_EQ(d(text(a)) / d(text(b)), expected) << text(a) << " / " << text(b);
    }
}
#endif

TEST(Decimal, OverflowIsRefusedNamingTheValue) {
    Decimal max38 = d("99999999999999999999999999999999999999");
    EXPECT_THROW((void)(max38 + 1), DecimalOverflow);
    EXPECT_THROW((void)(max38 * 10), DecimalOverflow);
    EXPECT_THROW((void)(-max38 - 1), DecimalOverflow);
    EXPECT_EQ((max38 - max38), Decimal());

    EXPECT_EQ(d("123456.785").stored(8, 2).to_string(), "123456.79");
    try {
        (void)d("1234567.5").stored(8, 2);
        FAIL();
    } catch (const DecimalOverflow& e) {
        EXPECT_NE(std::string(e.what()).find("1234567.5"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("decimal(8,2)"), std::string::npos) << e.what();
    }
    // Rounding may carry into a new integer digit.
    EXPECT_FALSE(d("999.995").fits(5, 2));
    EXPECT_TRUE(d("999.994").fits(5, 2));
    EXPECT_TRUE(d("-999.994").fits(5, 2));
    EXPECT_TRUE(d("0.5").fits(1, 1));
    EXPECT_FALSE(d("1").fits(1, 1));

    EXPECT_EQ(d("12.345").scaled(2), 1235);
    EXPECT_EQ(d("-12.345").scaled(2), -1235);
    EXPECT_EQ(d("-9223372036854775808").scaled(0), std::numeric_limits<long long>::min());
    EXPECT_THROW((void)d("9223372036854775808").scaled(0), DecimalOverflow);
    // Held at the places asked: one past the lowest 64-bit value, 2^64, and -1 (every high bit set).
    EXPECT_THROW((void)d("-9223372036854775809").scaled(0), DecimalOverflow);
    EXPECT_THROW((void)d("18446744073709551616").scaled(0), DecimalOverflow);
    EXPECT_EQ(d("-1.00").scaled(2), -100);
    // Held at fewer places than asked (a whole number, zero): scaled up, still checked for 64 bits.
    EXPECT_EQ(d("-1").scaled(2), -100);
    EXPECT_EQ(d("12.5").scaled(3), 12500);
    EXPECT_EQ(Decimal().scaled(6), 0);
    EXPECT_EQ(d("-922337203685477580").scaled(1), -9223372036854775800LL);
    EXPECT_EQ(d("922337203685477580.7").scaled(1), 9223372036854775807LL);
    EXPECT_THROW((void)d("922337203685477581").scaled(1), DecimalOverflow);
    EXPECT_THROW((void)d("-922337203685477581").scaled(1), DecimalOverflow);
    EXPECT_THROW((void)d("1").scaled(19), DecimalOverflow);
    EXPECT_EQ(d("-12.99").to_integer(), -12);
    EXPECT_EQ(Decimal::from_scaled(-12345, 2).to_string(), "-123.45");
    EXPECT_EQ(Decimal(std::numeric_limits<long long>::min()).to_string(), "-9223372036854775808");
    EXPECT_EQ(Decimal(18446744073709551615ULL).to_string(), "18446744073709551615");
}

TEST(Decimal, TextBothWays) {
    struct Case {
        const char* text;
        const char* canonical;
    } good[] = {
        {"1234.56", "1234.56"},   {"1234,56", "1234.56"},  {"-0,5", "-0.5"},    {"+7", "7"},
        {"  42  ", "42"},         {".5", "0.5"},           {"5.", "5"},         {"-0", "0"},
        {"007.100", "7.1"},       {"0.0000000000000000000000000000001", "0.0000000000000000000000000000001"},
        {"-1234567890123456789012345678901", "-1234567890123456789012345678901"},
        {"12345678901234567890123456789.01", "12345678901234567890123456789.01"},
    };
    for (const auto& c : good) {
        auto v = Decimal::parse(c.text);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(v->to_string(), c.canonical) << c.text;
        EXPECT_EQ(Decimal::parse(v->to_string(',')), v) << c.text;  // round trip with a comma
    }
    for (const char* bad : {"", " ", "-", "+", ".", "1.2.3", "1,2.3", "1 2", "1e5", "abc", "12a", "--1", "1-",
                            "1.000,00", "999999999999999999999999999999999999999"})
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << '"' << bad << '"';
    EXPECT_THROW((void)Decimal::from_string("x"), std::invalid_argument);

    EXPECT_EQ(d("1.5").to_string(',', 2), "1,50");
    EXPECT_EQ(d("1.500").to_string(), "1.5");
    EXPECT_EQ(d("0.000").to_string('.', 1), "0.0");
    EXPECT_EQ(d("-0.05").to_string(), "-0.05");
}

TEST(Decimal, OrderingIgnoresScale) {
    EXPECT_EQ(d("1.50"), d("1.5"));
    EXPECT_LT(d("-2"), d("-1.99"));
    EXPECT_GT(d("0.001"), Decimal());
    EXPECT_GT(d("99999999999999999999999999999999999999"), d("-100000000000000000000000000000").abs() * 100000000);
    EXPECT_LT(d("-99999999999999999999999999999999999999"), d("0.0000000000000000000000000000001"));
    EXPECT_EQ(d("-3").abs(), 3);
    EXPECT_EQ(d("-3").sign(), -1);
    EXPECT_TRUE(d("-0.00").is_zero());
}

TEST(DecimalField, RoundsOnEveryAssignmentAndRefusesOverflow) {
    DecimalField<13, 2> total;
    DecimalField<15, 4> price{d("10.12345")};
    EXPECT_EQ(price.value().to_string(), "10.1235");
    DecimalField<13, 3> quantity{d("3")};
    total = price * quantity;  // 30.3705
    EXPECT_EQ(total.to_string(), "30.37");
    total += d("0.005");
    EXPECT_EQ(total.to_string(), "30.38");
    total = -2;
    EXPECT_EQ(total.scaled(), -200);
    using Field52 = DecimalField<5, 2>;
    EXPECT_EQ(Field52::from_scaled(-12345).to_string(), "-123.45");
    EXPECT_TRUE(total == d("-2"));
    EXPECT_TRUE(total < price);

    DecimalField<5, 2> small;
    EXPECT_THROW(small = d("1000"), DecimalOverflow);
    EXPECT_THROW(small = d("999.995"), DecimalOverflow);
    EXPECT_EQ(small.value(), Decimal());  // a refused assignment leaves the field as it was
    small = d("-999.994");
    EXPECT_EQ(small.to_string(','), "-999,99");
    EXPECT_THROW(small *= 2, DecimalOverflow);
}

// A stored integer comes back exactly at its places up to D digits; one digit more is refused as
// an assigned value is, whatever its sign.
TEST(DecimalField, FromScaledKeepsTheDigitLimit) {
    using Field52 = DecimalField<5, 2>;
    EXPECT_EQ(Field52::from_scaled(99999).to_string(), "999.99");
    EXPECT_EQ(Field52::from_scaled(-99999).to_string(), "-999.99");
    EXPECT_EQ(Field52::from_scaled(5).value().scaled(2), 5);
    EXPECT_EQ(Field52::from_scaled(100).value(), d("1"));
    EXPECT_THROW((void)Field52::from_scaled(100000), DecimalOverflow);
    EXPECT_THROW((void)Field52::from_scaled(-100000), DecimalOverflow);
    EXPECT_THROW((void)(DecimalField<18, 0>::from_scaled(std::numeric_limits<long long>::min())), DecimalOverflow);
    EXPECT_EQ((DecimalField<18, 0>::from_scaled(999999999999999999LL).scaled()), 999999999999999999LL);
}

}  // namespace
}  // namespace vorel
