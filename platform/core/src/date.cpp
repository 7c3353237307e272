#include "vorel/core/date.h"

#include <chrono>
#include <ctime>

namespace vorel::date {

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date (month 1..12, any day count).
constexpr long long days_from_civil(long long y, int m, long long d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr Ymd civil_from_days(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return Ymd{static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// Day 0 is 28 December 1800. A compile-time constant: statics of other files call make() at start-up.
constexpr long long kEpoch = days_from_civil(1800, 12, 28);
constexpr int kLastYear = 9999;

std::tm local_now(int* hundredths) {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    if (hundredths) {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        *hundredths = static_cast<int>((ms < 0 ? ms + 1000 : ms) / 10);
    }
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

}  // namespace

bool is_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

bool valid(int year, int month, int day) {
    return year >= 1801 && year <= kLastYear && day >= 1 && day <= days_in_month(year, month);
}

Day make(int year, int month, int day) {
    // Months outside 1..12 roll into other years; days outside the month roll into other months.
    long long m0 = static_cast<long long>(month) - 1;
    long long y = year + (m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
    int m = static_cast<int>(m0 - (y - year) * 12) + 1;
    if (y < 1800 || y > kLastYear) return 0;
    long long n = days_from_civil(y, m, 1) + (static_cast<long long>(day) - 1) - kEpoch;
    if (n < 1 || n > days_from_civil(kLastYear, 12, 31) - kEpoch) return 0;
    return static_cast<Day>(n);
}

Ymd split(Day d) {
    if (d <= 0) return Ymd{};
    return civil_from_days(d + kEpoch);
}

int year(Day d) { return split(d).year; }
int month(Day d) { return split(d).month; }
int day(Day d) { return split(d).day; }
int weekday(Day d) { return ((d % 7) + 7) % 7; }  // day 0, 28 December 1800, was a Sunday

Day first_of_month(int year, int month) { return make(year, month, 1); }
Day last_of_month(int year, int month) { return make(year, month + 1, 0); }
Day first_of_month(Day d) {
    Ymd s = split(d);
    return d > 0 ? first_of_month(s.year, s.month) : 0;
}
Day last_of_month(Day d) {
    Ymd s = split(d);
    return d > 0 ? last_of_month(s.year, s.month) : 0;
}

Day today() {
    std::tm tm = local_now(nullptr);
    return make(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

Time make_time(int hours, int minutes, int seconds, int hundredths) {
    return ((hours * 60 + minutes) * 60 + seconds) * 100 + hundredths + 1;
}

Time now() {
    int hundredths = 0;
    std::tm tm = local_now(&hundredths);
    return make_time(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec, hundredths);
}

Hms split_time(Time t) {
    if (t <= 0) return Hms{};
    int v = t - 1;
    Hms h;
    h.hundredths = v % 100;
    v /= 100;
    h.seconds = v % 60;
    v /= 60;
    h.minutes = v % 60;
    h.hours = v / 60;
    return h;
}

}  // namespace vorel::date
