#include "vorel/core/picture.h"

#include <gtest/gtest.h>

#include "vorel/core/date.h"

namespace vorel::picture {
namespace {

Decimal D(const char* s) { return Decimal::from_string(s); }

struct FormatCase {
    const char* picture;
    Decimal value;
    const char* shown;
};

TEST(Picture, FormatsNumbers) {
    const FormatCase cases[] = {
        {"@n13", 1234, "        1,234"},
        {"@n6", 12345, "12,345"},
        {"@n6", 123456, "######"},  // wider than the picture: never cut
        {"@n6.", 5102, " 5.102"},
        {"n6.", 102, "   102"},
        {"@N-19.", D("7891234567890"), "  7.891.234.567.890"},
        {"@N-19.", -1234, "             -1.234"},
        {"@N20", D("7891234567890"), "   7,891,234,567,890"},
        {"@n014", D("12345678000199"), "12345678000199"},
        {"n014", D("1234567000199"), "01234567000199"},
        {"@n05", -12, "-0012"},
        {"@n-14.2", D("1234.5"), "      1,234.50"},
        {"@n-8.3", 18, "  18.000"},
        {"@n-8.3", D("-0.0004"), "   0.000"},  // rounds to zero: no sign
        {"@n-18`3", D("1234.5"), "         1.234,500"},
        {"@n-18`2", D("-1234567.891"), "     -1.234.567,89"},
        {"@n-15`2", D("0.005"), "           0,01"},  // half away from zero
        {"@n-15`2", D("-0.005"), "          -0,01"},
        {"@n-15`2", 0, "           0,00"},
        {"@N-19.b", 0, "                   "},
        {"@n-18`2b", D("0.004"), "                  "},
        {"@n-22`5", D("-3.14159"), "              -3,14159"},
        {"@n-22", D("2.5"), "                     3"},
        {"@n3", -5, " -5"},  // the sign is never dropped
        {"@n-4", -999, "-999"},
        {"@n-4", -1000, "####"},
        {"@n5", 99999, "#####"},  // 99,999 needs six
        {"@n9`4", D("0.12345"), "   0,1235"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(format(c.picture, c.value), c.shown) << c.picture << " " << c.value.to_string();
}

TEST(Picture, FormatsDates) {
    const date::Day march5 = date::make(2016, 3, 5);
    const FormatCase cases[] = {
        {"@D06b", march5, "05/03/2016"},
        {"@d06b", 78531, "01/01/2016"},
        {"@D06B", 4, "01/01/1801"},
        {"d6b", march5, "5/3/2016"},
        {"@D6", date::make(2016, 12, 25), "25/12/2016"},
        {"@D06b", 0, "          "},
        {"@D6", 0, "          "},
        {"@D014b", date::make(2016, 3, 1), "03/2016"},
        {"D12", march5, "20160305"},
        {"@D2", march5, "3/5/2016"},
        {"@D05", march5, "05/03/16"},
        {"@D010", march5, "2016/03/05"},
        {"@D11", march5, "160305"},
        {"@D016", march5, "2016/03"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(format(c.picture, c.value), c.shown) << c.picture << " " << c.value.to_string();
}

TEST(Picture, FormatsTextPatternsAndKeyIn) {
    struct Case {
        const char* picture;
        const char* value;
        const char* shown;
    } cases[] = {
        {"@s5", "abcdefg", "abcde"},
        {"@s5", "ab", "ab   "},
        {"@S6", "A\xE7\xE3o", "A\xE7\xE3o  "},
        {"@p##.###.###/####-##p", "12345678000199", "12.345.678/0001-99"},
        {"p##.###.###/####-##p", "1234567000199 ", "01.234.567/0001-99"},
        {"@p##.###.###/####-##p", "123456789012345", "##################"},
        {"@p##.###.###/####-##p", "", "00.000.000/0000-00"},
        {"@p##.###-###p", "1310100", "01.310-100"},
        {"@p<###-####p", "32345678", "3234-5678"},
        {"@p<###-####p", "2345678", " 234-5678"},
        {"@p<<##p", "5", "  05"},
        {"@p<<<<<p", "0", "     "},
        {"@p<<<<<<p", "120", "   120"},
        {"@p<<.<<<p", "12", "    12"},  // a separator between blanked digits is blank too
        {"@p<<.<<<p", "12345", "12.345"},
        {"@p###.###.###-##p", "12345678909", "123.456.789-09"},
        {"@p####-#/##p", "1234567", "1234-5/67"},
        {"@p###.#####.##.#p", "12345678901", "123.45678.90.1"},
        {"@k^^k", "sp", "SP"},
        {"@K^^K", "\xE7" "a", "\xC7" "A"},
        {"@k^^k", "", "  "},
    };
    for (const Case& c : cases) EXPECT_EQ(format(c.picture, c.value), c.shown) << c.picture << " " << c.value;

    // Numbers into patterns and text pictures, texts into numbers.
    EXPECT_EQ(format("@p##.###.###/####-##p", D("1234567000199")), "01.234.567/0001-99");
    EXPECT_EQ(format("@p##.###-###p", 1310100), "01.310-100");
    EXPECT_EQ(format("@s6", D("12.5")), "12.5  ");
    EXPECT_EQ(format("@n-8`2", "1234,5"), "1.234,50");
    EXPECT_EQ(format("@n5", "abc"), "    0");
}

struct ParseCase {
    const char* picture;
    const char* typed;
    const char* value;  // nullptr: refused
};

TEST(Picture, ParsesTypedNumbersAndRefusesBadOnes) {
    const ParseCase cases[] = {
        {"@n-18`2", "1.234,56", "1234.56"},
        {"@n-18`2", "1234,56", "1234.56"},
        {"@n-18`2", " -1.234.567,8 ", "-1234567.8"},
        {"@n-18`2", "", "0"},
        {"@n-18`2", ",5", "0.5"},
        {"@n-18`2", "1234.56", nullptr},  // a point groups thousands here: 56 is no group
        {"@n-18`2", "1.23,4", nullptr},
        {"@n-18`2", "1,234,5", nullptr},
        {"@n-18`2", "12,345", nullptr},  // more decimals than the picture shows
        {"@n-18`2", "12a", nullptr},
        {"@n-18`2", "-", nullptr},
        {"@n-18`2", "1-2", nullptr},
        {"@n-8.3", "18.5", "18.5"},
        {"@n-8.3", "18,5", nullptr},
        {"@n-8.3", "1,234.5", nullptr},  // 1,234.500 does not fit 8
        {"@n6.", "5.102", "5102"},
        {"@n6.", "5102", "5102"},
        {"@n6.", "5.10", nullptr},
        {"@n13", "1,234", "1234"},
        {"@n13", "-5", nullptr},  // no sign in the picture: negatives refused
        {"@n13", "12.5", nullptr},
        {"@n-4", "-999", "-999"},
        {"@n-4", "-1000", nullptr},
        {"@n014", "12345678000199", "12345678000199"},
        {"@n014", "1,234", nullptr},
        {"@N-19.", "7.891.234.567.890", "7891234567890"},
        {"@n-22`5", "-3,14159", "-3.14159"},
    };
    for (const ParseCase& c : cases) {
        Parsed<Decimal> r = parse_number(Picture(c.picture), c.typed);
        if (c.value) {
            ASSERT_TRUE(r) << c.picture << " '" << c.typed << "': " << r.error;
            EXPECT_EQ(*r, D(c.value)) << c.picture << " '" << c.typed << "'";
        } else {
            EXPECT_FALSE(r) << c.picture << " '" << c.typed << "' gave " << r.value->to_string();
            EXPECT_NE(r.error.find(c.typed), std::string::npos) << r.error;
        }
    }
}

TEST(Picture, ParsesTypedDatesAndRefusesImpossibleOnes) {
    const date::Day march5 = date::make(2016, 3, 5);
    struct Case {
        const char* picture;
        const char* typed;
        long long day;  // -1: refused
    } cases[] = {
        {"@D06b", "05/03/2016", march5},
        {"@D06b", "5/3/2016", march5},
        {"@D06b", "5-3-16", march5},
        {"@D06b", "05.03.2016", march5},
        {"@D06b", "05032016", march5},
        {"@D06b", "  ", 0},
        {"@D06b", "29/02/2016", date::make(2016, 2, 29)},
        {"@D06b", "01/01/1801", 4},
        {"@D06b", "29/02/2015", -1},
        {"@D06b", "32/01/2016", -1},
        {"@D06b", "1/13/2016", -1},
        {"@D06b", "5/3", -1},
        {"@D06b", "5/3/2016/1", -1},
        {"@D06b", "ab/03/2016", -1},
        {"@D06b", "5/3/216", -1},
        {"@D06b", "31/12/1800", -1},
        {"@D014b", "03/2016", date::make(2016, 3, 1)},
        {"@D014b", "3/16", date::make(2016, 3, 1)},
        {"@D014b", "13/2016", -1},
        {"D12", "20160305", march5},
        {"D12", "2016/03/05", -1},
        {"@D2", "3/5/2016", march5},
        {"@D5", "5/3/99", date::make(1999, 3, 5)},
    };
    for (const Case& c : cases) {
        Parsed<Decimal> r = parse_number(Picture(c.picture), c.typed);
        if (c.day >= 0) {
            ASSERT_TRUE(r) << c.picture << " '" << c.typed << "': " << r.error;
            EXPECT_EQ(*r, Decimal(c.day)) << c.picture << " '" << c.typed << "'";
        } else {
            EXPECT_FALSE(r) << c.picture << " '" << c.typed << "'";
        }
    }
}

TEST(Picture, ParsesPatternsKeyInAndText) {
    struct Case {
        const char* picture;
        const char* typed;
        const char* value;  // nullptr: refused
    } cases[] = {
        {"@p##.###.###/####-##p", "12.345.678/0001-99", "12345678000199"},
        {"@p##.###.###/####-##p", "12345678000199", "12345678000199"},
        {"@p##.###.###/####-##p", "1.234.567/0001-99", "01234567000199"},
        {"@p##.###.###/####-##p", "", ""},
        {"@p##.###.###/####-##p", "12.345.678/0001-9x", nullptr},
        {"@p##.###.###/####-##p", "123456789012345", nullptr},
        {"@p##.###-###p", "01310-100", "01310100"},
        {"@p<###-####p", " 234-5678", "02345678"},
        {"@k^^k", "sp", "SP"},
        {"@k^^k", "\xE7" "a", "\xC7" "A"},
        {"@k^^k", "  ", ""},
        {"@k^^k", "S", nullptr},
        {"@k^^k", "S1", nullptr},
        {"@k^^k", "SPX", nullptr},
        {"@s5", "abcdefg", "abcde"},
        {"@n-8`2", "1.234,5", "1234.5"},
    };
    for (const Case& c : cases) {
        Parsed<std::string> r = parse_text(Picture(c.picture), c.typed);
        if (c.value) {
            ASSERT_TRUE(r) << c.picture << " '" << c.typed << "': " << r.error;
            EXPECT_EQ(*r, c.value) << c.picture << " '" << c.typed << "'";
        } else {
            EXPECT_FALSE(r) << c.picture << " '" << c.typed << "' gave " << *r.value;
        }
    }
    EXPECT_EQ(*parse_number(Picture("@p##.###.###/####-##p"), "01.234.567/0001-99"), D("1234567000199"));
    EXPECT_FALSE(parse_number(Picture("@s20"), "12"));
}

TEST(Picture, WhatIsShownReadsBackAsTheValue) {
    const char* pictures[] = {"@n13", "@n6.", "@N-19.", "@n014", "@n-14.2", "@n-8.3", "@n-18`3",
                              "@n-18`2", "@n-15`2", "@n-22`5", "@n-22", "@N-19.b", "@n05"};
    const char* values[] = {"0", "1", "-1", "999", "1000", "-1234", "5102", "12345.67", "-0.5",
                            "1234567.891", "99999999999", "0.001"};
    for (const char* pic : pictures) {
        Picture p(pic);
        for (const char* v : values) {
            Decimal value = D(v);
            if (!fits(p, value) || (value.sign() < 0 && std::string(pic).find('-') == std::string::npos))
                continue;
            std::string shown = format(p, value);
            Parsed<Decimal> back = parse_number(p, shown);
            ASSERT_TRUE(back) << pic << " " << v << " '" << shown << "': " << back.error;
            EXPECT_EQ(*back, value.rounded(p.places())) << pic << " " << v << " '" << shown << "'";
        }
    }
    for (int day : {4, 78531, date::make(2016, 2, 29), date::make(9999, 12, 31)}) {
        for (const char* pic : {"@D06b", "@d6b", "D12", "@D2", "@D010"}) {
            Picture p(pic);
            EXPECT_EQ(*parse_number(p, format(p, day)), Decimal(day)) << pic << " " << day;
        }
    }
}

TEST(Picture, RefusesTextThatIsNoPicture) {
    for (const char* bad : {"", "@", "@x12", "@n", "@n-", "@n6.2.", "@n6..2", "@n6.2x", "@n3.3",
                            "@D7", "@D99", "@D6x", "@s", "@s1x", "@pp", "@p--p", "@p##", "@k^^",
                            "@kxk"}) {
        EXPECT_FALSE(Picture::compile(bad)) << bad;
        EXPECT_THROW(Picture{bad}, std::invalid_argument) << bad;
    }
    Picture p("@N-19.");
    EXPECT_EQ(p.kind(), Kind::Number);
    EXPECT_EQ(p.width(), 19);
    EXPECT_EQ(Picture("@D06b").width(), 10);
    EXPECT_EQ(Picture("@p##.###.###/####-##p").width(), 18);
}

}  // namespace
}  // namespace vorel::picture
