// Dates and times on the runtime's scale.
//
// A date is a day number: days since 28 December 1800 (1 January 1801 is day 4, 1 January 1900 is
// day 36163, 1 January 2016 is day 78531); 0 means no date. A month kept in a long field is the day
// number of its first day. A time is hundredths of a second after midnight, plus one (1 is midnight,
// 0 is no time). Both are plain 32-bit integers, as the record layouts store them.
#pragma once

#include <cstdint>
#include <optional>

namespace vorel::date {

using Day = std::int32_t;
using Time = std::int32_t;

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

bool is_leap(int year);
int days_in_month(int year, int month);            // 0 for a month outside 1..12
bool valid(int year, int month, int day);           // years 1801..9999
// Day number of a calendar date; the runtime normalises month 13 or day 0 (DATE(m,d,y) rules:
// months beyond 12 roll into later years, day 0 is the last day of the previous month).
Day make(int year, int month, int day);
Ymd split(Day d);                                   // d > 0
int year(Day d);
int month(Day d);
int day(Day d);
int weekday(Day d);                                 // 0 Sunday .. 6 Saturday
Day first_of_month(int year, int month);
Day last_of_month(int year, int month);
Day first_of_month(Day d);
Day last_of_month(Day d);
Day today();                                        // local date

Time make_time(int hours, int minutes, int seconds, int hundredths = 0);
Time now();                                         // local time of day
struct Hms {
    int hours = 0, minutes = 0, seconds = 0, hundredths = 0;
};
Hms split_time(Time t);                             // t > 0

}  // namespace vorel::date
