#include "vorel/core/fixed_string.h"

#include <gtest/gtest.h>

namespace vorel {
namespace {

TEST(FixedText, AssignmentCutsToCapacityAndPads) {
    String<5> s = "abcdefg";
    EXPECT_EQ(s.value(), "abcde");
    s = "ab";
    EXPECT_EQ(s.value(), "ab   ");
    EXPECT_EQ(s.clipped(), "ab");

    CString<5> c = "abcdefg";  // one byte for the ending zero
    EXPECT_EQ(c.value(), "abcd");
    PString<4> p = "abcdefg";  // one byte for the length
    EXPECT_EQ(p.value(), "abc");
}

TEST(FixedText, ComparisonIgnoresTrailingBlanks) {
    String<8> s = "abc";
    CString<8> c = "abc  ";
    EXPECT_TRUE(s == "abc");
    EXPECT_TRUE(c == "abc");
    EXPECT_FALSE(s == "abd");
    EXPECT_TRUE(String<3>().empty());
}

}  // namespace
}  // namespace vorel
