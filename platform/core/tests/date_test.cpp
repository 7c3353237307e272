#include "vorel/core/date.h"

#include <gtest/gtest.h>

namespace vorel::date {
namespace {

TEST(Date, DayNumbersOfKnownDates) {
    struct Case {
        int y, m, d;
        Day number;
    } cases[] = {
        {1800, 12, 29, 1},  {1801, 1, 1, 4},     {1801, 3, 1, 63},    {1900, 1, 1, 36163},
        {1900, 3, 1, 36222},  // 1900 was not a leap year
        {2000, 2, 29, 72746}, {2016, 1, 1, 78531}, {2016, 2, 29, 78590}, {2016, 3, 1, 78591},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(make(c.y, c.m, c.d), c.number) << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(split(c.number), (Ymd{c.y, c.m, c.d})) << c.number;
    }
    EXPECT_EQ(weekday(make(2016, 1, 1)), 5);  // a Friday
    EXPECT_EQ(weekday(make(2024, 6, 2)), 0);  // a Sunday
    EXPECT_EQ(year(78590), 2016);
    EXPECT_EQ(month(78590), 2);
    EXPECT_EQ(day(78590), 29);
    EXPECT_EQ(split(0), Ymd{});
}

TEST(Date, ValidityAndMonthEnds) {
    EXPECT_TRUE(valid(2016, 2, 29));
    EXPECT_FALSE(valid(2015, 2, 29));
    EXPECT_FALSE(valid(1900, 2, 29));
    EXPECT_TRUE(valid(2000, 2, 29));
    EXPECT_FALSE(valid(2016, 4, 31));
    EXPECT_FALSE(valid(2016, 13, 1));
    EXPECT_FALSE(valid(2016, 1, 0));
    EXPECT_FALSE(valid(1800, 12, 31));

    EXPECT_EQ(split(last_of_month(2016, 2)).day, 29);
    EXPECT_EQ(split(last_of_month(2015, 2)).day, 28);
    EXPECT_EQ(last_of_month(2016, 12), make(2016, 12, 31));
    EXPECT_EQ(first_of_month(make(2016, 2, 17)), make(2016, 2, 1));
    EXPECT_EQ(last_of_month(make(2016, 2, 17)), make(2016, 2, 29));
}

TEST(Date, MakeNormalisesMonthsAndDays) {
    EXPECT_EQ(make(2015, 13, 1), make(2016, 1, 1));
    EXPECT_EQ(make(2016, 3, 0), make(2016, 2, 29));
    EXPECT_EQ(make(2016, 1, 0), make(2015, 12, 31));
    EXPECT_EQ(make(2016, 0, 1), make(2015, 12, 1));
    EXPECT_EQ(make(2016, -11, 1), make(2015, 1, 1));
    EXPECT_EQ(make(2016, 1, 32), make(2016, 2, 1));
    EXPECT_EQ(make(2016, 25, 1), make(2018, 1, 1));
    EXPECT_EQ(make(1800, 12, 28), 0);  // before the first day
}

TEST(Date, EveryDayRoundTrips) {
    Day expected = make(1801, 1, 1);
    for (int y = 1801; y <= 2100; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= days_in_month(y, m); ++d) {
                ASSERT_EQ(make(y, m, d), expected) << y << '-' << m << '-' << d;
                ASSERT_EQ(split(expected), (Ymd{y, m, d})) << expected;
                ++expected;
            }
}

TEST(Date, TimesAreHundredthsPlusOne) {
    EXPECT_EQ(make_time(0, 0, 0), 1);
    EXPECT_EQ(make_time(0, 0, 1), 101);
    EXPECT_EQ(make_time(23, 59, 59, 99), 8640000);
    Hms h = split_time(make_time(13, 45, 7, 42));
    EXPECT_EQ(h.hours, 13);
    EXPECT_EQ(h.minutes, 45);
    EXPECT_EQ(h.seconds, 7);
    EXPECT_EQ(h.hundredths, 42);
    Time t = now();
    EXPECT_GE(t, 1);
    EXPECT_LE(t, 8640000);
    EXPECT_GT(today(), make(2020, 1, 1));
}

}  // namespace
}  // namespace vorel::date
