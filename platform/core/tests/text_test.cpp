#include "vorel/core/text.h"

#include <gtest/gtest.h>

#include <set>

namespace vorel::text {
namespace {

// Test literals are UTF-8 source text; the program works in Windows-1252.
std::string w(std::string_view utf8) { return from_utf8(utf8); }

TEST(Text, EveryDefinedByteRoundTripsThroughUtf8) {
    const std::set<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    int defined = 0;
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        std::string utf8 = to_utf8(one);
        if (undefined.count(b)) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD") << b;
            continue;
        }
        ++defined;
        EXPECT_EQ(from_utf8(utf8), one) << "byte " << b;
    }
    EXPECT_EQ(defined, 251);
    // The 0x80..0x9F block and the Latin-1 half map to their own characters.
    EXPECT_EQ(to_utf8("\x80\x8A\x8C\x8E\x93\x94\x96\x99\x9F"), "€ŠŒŽ“”–™Ÿ");
    EXPECT_EQ(to_utf8("A\xE7\xE3o \xC9"), "Ação É");
}

TEST(Text, CharactersWithoutWindows1252FormBecomeNearestLetter) {
    struct Case {
        const char* utf8;
        const char* expected;  // Windows-1252 bytes
    } cases[] = {
        {"Łódź", "L\xF3" "dz"},        // ó exists; Ł and ź do not
        {"Dvořák", "Dvor\xE1k"},
        {"Ștefan Ăla", "Stefan Ala"},
        {"a‐b−c", "a-b-c"},            // hyphen and minus sign
        {"中", "?"},
        {"a\xCC\x83o", "\xE3o"},       // a + combining tilde composes to ã
        {"c\xCC\xA7", "\xE7"},         // c + combining cedilla is ç
        {"x\xCC\x81", "x"},            // no composed form: the mark is dropped
        {"\xEF\xBB\xBFok", "ok"},      // byte-order mark
        {"\xC3", "?"},                 // cut sequence
        {"\xC0\xAF", "??"},            // overlong form
        {"\xED\xA0\x80", "???"},       // surrogate
        {"\xFF" "a", "?a"},
    };
    for (const auto& c : cases) EXPECT_EQ(from_utf8(c.utf8), c.expected) << c.utf8;
}

TEST(Text, CaseFoldingCoversEveryWindows1252Letter) {
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        auto c = static_cast<unsigned char>(b);
        if (upper(c) != c) {
            ++changed;
            EXPECT_EQ(lower(upper(c)), c) << b;
        }
        EXPECT_EQ(upper(lower(upper(c))), upper(c)) << b;
    }
    EXPECT_EQ(changed, 26 + 30 + 4);  // a-z, à-þ without ÷, and ÿ š œ ž
    EXPECT_EQ(upper(w("àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿšœž")), w("ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞŸŠŒŽ"));
    EXPECT_EQ(lower(w("ÀÇÃÕÉÑŸŠŒŽ")), w("àçãõéñÿšœž"));
    for (const char* same : {"×", "÷", "ß", "µ", "ª", "º", "1", "@"})
        EXPECT_EQ(upper(w(same)), w(same)) << same;
}

TEST(Text, CompareNocaseFoldsAccentsButKeepsThem) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {"ação", "AÇÃO", 0},
        {"ação", "acao", 1},      // accents stay significant
        {"São Paulo   ", "SÃO PAULO", 0},
        {"abc", "ABD", -1},
        {"ab", "abc", -1},
        {"", "   ", 0},
        {" a", "a", -1},          // leading blanks count
        {"Ÿ", "ÿ", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compare_nocase(w(c.a), w(c.b)), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(compare_nocase(w(c.b), w(c.a)), -c.expected) << c.b << " / " << c.a;
    }
    EXPECT_TRUE(equal_nocase(w("JOSÉ "), w("josé")));
    EXPECT_EQ(compare("abc  ", "abc"), 0);
    EXPECT_EQ(compare("abc", "ABC"), 1);
    EXPECT_EQ(compare("\xE1", "b"), 1);  // bytes compare unsigned: á after b
}

TEST(Text, SubStringsAlignmentAndFill) {
    EXPECT_EQ(sub("abcdef", 2, 3), "bcd");
    EXPECT_EQ(sub("abcdef", 5, 10), "ef");
    EXPECT_EQ(sub("abcdef", 7, 1), "");
    EXPECT_EQ(sub("abcdef", 0, 2), "a");  // position 0 lies outside
    EXPECT_EQ(sub("abcdef", 1, 0), "");
    EXPECT_EQ(sub("abcdef", 3, -1), "");

    EXPECT_EQ(left("  ab  ", 6), "ab    ");
    EXPECT_EQ(left("  abcdef", 4), "abcd");
    EXPECT_EQ(right("ab  ", 6), "    ab");
    EXPECT_EQ(right("  ab", 3), "  a");  // keeps the text's own leading blanks, cut to the width
    EXPECT_EQ(pad("ab", 4), "ab  ");
    EXPECT_EQ(pad("abcdef", 4), "abcd");
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(clip("a  "), "a");

    struct Case {
        long long value;
        int width;
        const char* expected;
    } fills[] = {
        {42, 5, "00042"}, {0, 3, "000"}, {123456, 4, "123456"}, {-42, 5, "-0042"},
        {7, 0, "7"},      {-9223372036854775807LL - 1, 1, "-9223372036854775808"},
    };
    for (const auto& f : fills) EXPECT_EQ(zero_fill(f.value, f.width), f.expected) << f.value;
}

TEST(Text, StripAccentsLeavesPlainLetters) {
    EXPECT_EQ(strip_accents(w("ÇÃO ação Ñandú Žižka Ÿ ÆßÞ ×÷")), w("CAO acao Nandu Zizka Y ÆßÞ ×÷"));
    std::string all;
    for (int b = 0xC0; b < 0x100; ++b) all += static_cast<char>(b);
    for (char c : strip_accents(all)) {
        auto u = static_cast<unsigned char>(c);
        bool plain = u < 0x80;
        bool kept = u == 0xC6 || u == 0xD7 || u == 0xDE || u == 0xDF || u == 0xE6 || u == 0xF7 || u == 0xFE;
        EXPECT_TRUE(plain || kept) << int(u);
    }
}

}  // namespace
}  // namespace vorel::text
