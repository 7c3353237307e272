// Dates kept as the text of their day number: both ways, with the day count the tables share.
#include <gtest/gtest.h>

#include "vorel/dictionary/text_dates.h"

namespace vorel::dictionary {
namespace {

TEST(TextDates, DayNumbersAsTextAndBack) {
    EXPECT_EQ(DataComoTexto(date::make(2016, 1, 1)), "78531");
    EXPECT_EQ(DataComoTexto(date::make(1801, 1, 1)), "4");
    EXPECT_EQ(DataComoTexto(0), "");
    struct Case {
        const char* texto;
        date::Day dia;
    };
    for (const Case& c : {Case{"78531   ", 78531}, {"78531", 78531}, {"  78531", 78531}, {"", 0}, {"        ", 0},
                          {"abc", 0}, {"7853x", 7853}, {"123456789", 0}})
        EXPECT_EQ(DiaDoTexto(c.texto), c.dia) << '"' << c.texto << '"';
}

}  // namespace
}  // namespace vorel::dictionary
