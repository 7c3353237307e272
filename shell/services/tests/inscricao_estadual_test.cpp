#include "vorel/shell/inscricao_estadual.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorel::shell {
namespace {

using namespace ie_result;

struct Valid {
    const char* uf;
    const char* ie;
    std::vector<int> checks;  // which digits of `ie` are check digits, counted from 0
};

// Every number below is worked out by hand in its comment: w = weights, S = sum, r = remainder.
// "mod11" means the check digit is 11 - r, or 0 when r is 0 or 1.
const std::vector<Valid>& valid_numbers() {
    static const std::vector<Valid> cases = {
        // AC 01 004823 001 12. d1: 0 1 0 0 4 8 2 3 0 0 1 x w 4,3,2,9..2: S=3+32+56+12+15+2=120,
        // r=10 -> 1. d2: + the 1, w 5,4,3,2,9..2: S=4+36+64+14+18+3+2=141, r=9 -> 2.
        {"AC", "0100482300112", {11, 12}},
        {"AC", "01.004.823/001-12", {11, 12}},
        // AL 24 0 00004 8: w 9..2: S=18+32+8=58; 580 mod 11 = 8.
        {"AL", "240000048", {8}},
        // AL 24 1 01152, a third digit once refused: S=18+32+7+5+4+15+4=85; 850 mod 11 = 3.
        {"AL", "24.101.152-3", {8}},
        // AP 03012345 (p=5, d=0): S=5+24+6+10+12+12+10=79, r=2 -> 9.
        {"AP", "030123459", {8}},
        // AP 03012344 (p=5, d=0): S=5+24+6+10+12+12+8=77, r=0 -> 11 -> d=0.
        {"AP", "030123440", {8}},
        // AP 03017001 (p=9, d=1): S=9+24+6+35+2=76, r=10 -> 1.
        {"AP", "030170011", {8}},
        // AP 03017010 (p=9, d=1): S=9+24+6+35+3=77, r=0 -> 11 -> d=1.
        {"AP", "030170101", {8}},
        // AP 03019023 (p=0): S=24+6+45+6+6=87, r=10 -> 11-10 = 1.
        {"AP", "030190231", {8}},
        // AM 04123456: S=32+7+12+15+16+15+12=109, r=10 -> 1.
        {"AM", "041234561", {8}},
        // BA 123456 (first digit 1: modulus 10). Last: w 7..2: S=77, r=7 -> 3. Before it: w 8..3
        // and 2 on the 3: S=8+14+18+20+20+18+6=104, r=4 -> 6.
        {"BA", "12345663", {6, 7}},
        {"BA", "123456-63", {6, 7}},
        // BA 612345 (first digit 6: modulus 11). Last: S=42+6+10+12+12+10=92, r=4 -> 7. Before:
        // S=48+7+12+15+16+15+14=127, r=6 -> 5.
        {"BA", "61234557", {6, 7}},
        // BA 1000003 (nine digits, second digit 0: modulus 10). Last: w 8..2: S=8+6=14 -> 6.
        // Before: w 9..3 and 2 on the 6: S=9+9+12=30, r=0 -> 0.
        {"BA", "100000306", {7, 8}},
        // BA 1600000 (second digit 6: modulus 11). Last: S=8+42=50, r=6 -> 5. Before: S=9+48+10=67,
        // r=1 -> 0.
        {"BA", "160000005", {7, 8}},
        // CE 06000001: S=48+2=50, r=6 -> 5.
        {"CE", "060000015", {8}},
        {"CE", "06.000001-5", {8}},
        // DF 07300001001: d1 w 4,3,2,9..2: S=21+6+5+2=34, r=1 -> 0. d2: S=28+9+6+3=46, r=2 -> 9.
        {"DF", "0730000100109", {11, 12}},
        // DF 08435873729: d1 S=24+8+27+40+56+42+15+28+6+18=264, r=0 -> 0. d2: S=32+12+6+45+64+49+18+35
        // +8+27=296, r=10 -> 1.
        {"DF", "0843587372901", {11, 12}},
        // ES 08123456: S=64+7+12+15+16+15+12=141, r=9 -> 2.
        {"ES", "081234562", {8}},
        // GO 10987654: S=9+63+48+35+24+15+8=202, r=4 -> 7.
        {"GO", "109876547", {8}},
        // GO 10110006 lies in 10103105..10119997: S=9+7+6+12=34, r=1 -> 1.
        {"GO", "101100061", {8}},
        // GO 10120003 lies outside it: S=9+7+12+6=34, r=1 -> 0.
        {"GO", "101200030", {8}},
        // GO 20000000: S=18, r=7 -> 4.
        {"GO", "200000004", {8}},
        // MA 12000038: S=9+16+9+16=50, r=6 -> 5.
        {"MA", "120000385", {8}},
        // MT 0013000001: w 3,2,9..2: S=9+24+2=35, r=2 -> 9; also typed without the leading zeros.
        {"MT", "00130000019", {10}},
        {"MT", "130000019", {8}},
        // MS 28012345: S=18+64+6+10+12+12+10=132, r=0 -> 0.
        {"MS", "280123450", {8}},
        // MG 062 307904 00: with a 0 after 062, w 1,2,1,2..: 0,12,2,0,3,0,7,18,0,8,0,0 -> digit sum
        // 32 -> 8. Then 0 6 2 3 0 7 9 0 4 0 0 8 x w 3,2,11..2: S=12+22+30+56+63+20+16=219, r=10 -> 1.
        {"MG", "0623079040081", {11, 12}},
        {"MG", "062.307.904/0081", {11, 12}},
        // PA 15999999: S=9+40+9*27=292, r=6 -> 5.
        {"PA", "159999995", {8}},
        // PA 75031185: S=63+40+18+5+4+24+10=164, r=10 -> 1.
        {"PA", "75-031185-1", {8}},
        // PB 16148346: S=9+48+7+24+40+12+12+12=164, r=10 -> 1.
        {"PB", "161483461", {8}},
        // PR 12345678: w 3,2,7..2: S=138, r=6 -> 5; w 4,3,2,7..2 with the 5: S=166, r=1 -> 0.
        {"PR", "1234567850", {8, 9}},
        // PE 0321418: w 8..2: S=21+12+5+16+3+16=73, r=7 -> 4; w 9..2 with the 4: S=100, r=1 -> 0.
        {"PE", "032141840", {7, 8}},
        {"PE", "0321418-40", {7, 8}},
        // PE former form 1810010000004: w 5,4,3,2,1,9..2: S=5+32+3+9+8=57, r=2 -> 9.
        {"PE", "18100100000049", {13}},
        // PE former form 1810010000003: S=5+32+3+9+6=55, r=0 -> 11 -> 1.
        {"PE", "18.1.001.0000003-1", {13}},
        // PI 19301656: S=9+72+21+5+24+15+12=158, r=4 -> 7.
        {"PI", "193016567", {8}},
        // RJ 9999999: w 2,7..2: S=9*29=261, r=8 -> 3.
        {"RJ", "99999993", {7}},
        {"RJ", "99.999.99-3", {7}},
        // RN 20040040: S=18+24+12=54; 540 mod 11 = 1.
        {"RN", "200400401", {8}},
        // RN 200040040 (ten digits, w 10..2): S=20+24+12=56; 560 mod 11 = 10 -> 0.
        {"RN", "2000400400", {9}},
        // RS 224365879: w 2,9..2: S=4+18+32+21+36+25+32+21+18=207, r=9 -> 2.
        {"RS", "2243658792", {9}},
        {"RS", "224/3658792", {9}},
        // RO 0000000062521: w 6,5,4,3,2,9..2: S=36+10+20+6+2=74, r=8 -> 3.
        {"RO", "00000000625213", {13}},
        // RO 0000000062500: S=36+10+20=66, r=0 -> 11 -> 1.
        {"RO", "00000000625001", {13}},
        // RO 0000000062506: S=66+12=78, r=1 -> 10 -> 0.
        {"RO", "00000000625060", {13}},
        // RO former form 101 62521: the five company digits, w 6..2: S=74, r=8 -> 3.
        {"RO", "101625213", {8}},
        // RR 24006628: w 1..8: S=2+8+30+36+14+64=154; 154 mod 9 = 1.
        {"RR", "240066281", {8}},
        // SC 25104085: S=18+40+7+20+24+10=119, r=9 -> 2.
        {"SC", "251040852", {8}},
        // SP 11004249 0 11 4: ninth w 1,3..8,10: S=1+3+24+14+32+90=164, r=10 -> 0. Twelfth,
        // w 3,2,10..2 over 11004249011: S=3+2+32+14+24+45+3+2=125, r=4 -> 4.
        {"SP", "110042490114", {8, 11}},
        {"SP", "110.042.490.114", {8, 11}},
        // SP rural producer P 01100424 3 002: S=3+4+28+16+40=91, r=3 -> 3.
        {"SP", "P011004243002", {8}},
        {"SP", "p-01100424.3/002", {8}},
        // SE 27123456: S=18+56+7+12+15+16+15+12=151, r=8 -> 3.
        {"SE", "271234563", {8}},
        // TO 29 01 022783: the 01 left out, 29022783 w 9..2: S=18+72+12+10+28+24+6=170, r=5 -> 6.
        {"TO", "29010227836", {10}},
        // TO current form 29022783, the same sum: 6.
        {"TO", "290227836", {8}},
    };
    return cases;
}

TEST(InscricaoEstadual, ValidNumbersOfEveryStateAreAccepted) {
    for (const Valid& c : valid_numbers())
        EXPECT_EQ(ConsisteInscricaoEstadual(c.ie, c.uf), valid) << c.uf << " " << c.ie;
}

TEST(InscricaoEstadual, EveryOtherCheckDigitIsRefused) {
    for (const Valid& c : valid_numbers()) {
        for (int nth : c.checks) {
            std::string ie = c.ie;
            std::size_t pos = ie.find_first_of("0123456789");
            for (int k = 0; k < nth; ++k) pos = ie.find_first_of("0123456789", pos + 1);
            ASSERT_LT(pos, ie.size()) << c.uf << " " << c.ie << " digit " << nth;
            char right = ie[pos];
            for (char other = '0'; other <= '9'; ++other) {
                if (other == right) continue;
                ie[pos] = other;
                EXPECT_EQ(ConsisteInscricaoEstadual(ie, c.uf), check_digit) << c.uf << " " << ie;
            }
        }
    }
}

TEST(InscricaoEstadual, EveryStateHasACase) {
    const std::string states =
        "AC AL AP AM BA CE DF ES GO MA MT MS MG PA PB PR PE PI RJ RN RS RO RR SC SP SE TO";
    for (std::size_t i = 0; i < states.size(); i += 3) {
        std::string uf = states.substr(i, 2);
        bool found = false;
        for (const Valid& c : valid_numbers()) found = found || uf == c.uf;
        EXPECT_TRUE(found) << uf;
    }
}

TEST(InscricaoEstadual, GoiasExceptionsToItsRule) {
    // 11094402: S=9+8+54+20+16+4=111, r=1, outside the range of 1: the rule gives 0, and this
    // registration is also issued with 1.
    EXPECT_EQ(ConsisteInscricaoEstadual("110944020", "GO"), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("110944021", "GO"), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("110944022", "GO"), check_digit);
    // Remainder 1 inside 10103105..10119997 gives 1, not 0; outside it gives 0, not 1.
    EXPECT_EQ(ConsisteInscricaoEstadual("101100060", "GO"), check_digit);
    EXPECT_EQ(ConsisteInscricaoEstadual("101200031", "GO"), check_digit);
}

TEST(InscricaoEstadual, WrongLengthsAndPrefixesAreFormatErrors) {
    struct Case {
        const char* uf;
        const char* ie;
    } cases[] = {
        {"AC", "010048230011"},   {"AC", "01004823001120"}, {"AC", "0200482300112"},  // 02 prefix
        {"AL", "24000004"},       {"AL", "2400000480"},     {"AL", "250000048"},
        {"AP", "03012345"},       {"AP", "0301234590"},     {"AP", "040123459"},
        {"AM", "04123456"},       {"AM", "0412345610"},
        {"BA", "1234566"},        {"BA", "1234566300"},
        {"CE", "06000001"},       {"CE", "0600000150"},
        {"DF", "073000010010"},   {"DF", "07300001001090"}, {"DF", "0930000100109"},
        {"ES", "08123456"},       {"ES", "0812345620"},
        {"GO", "10987654"},       {"GO", "1098765470"},     {"GO", "129876547"},
        {"GO", "309876547"},
        {"MA", "12000038"},       {"MA", "1200003850"},     {"MA", "130000385"},
        {"MT", "13000001"},       {"MT", "001300000190"},
        {"MS", "28012345"},       {"MS", "2801234500"},     {"MS", "290123450"},
        {"MS", "500123454"},      // 50 is no published prefix
        {"MG", "062307904008"},   {"MG", "06230790400810"},
        {"PA", "15999999"},       {"PA", "1599999950"},     {"PA", "169999995"},
        {"PB", "16148346"},       {"PB", "1614834610"},
        {"PR", "123456785"},      {"PR", "12345678500"},
        {"PE", "03214184"},       {"PE", "0321418400"},     {"PE", "1810010000004"},
        {"PE", "181001000000490"},
        {"PI", "19301656"},       {"PI", "1930165670"},
        {"RJ", "9999999"},        {"RJ", "999999930"},
        {"RN", "20040040"},       {"RN", "20004004000"},    {"RN", "210400401"},
        {"RS", "224365879"},      {"RS", "22436587920"},
        {"RO", "10162521"},       {"RO", "0000000062521"},  {"RO", "000000006252130"},
        {"RR", "24006628"},       {"RR", "2400662810"},     {"RR", "250066281"},
        {"SC", "25104085"},       {"SC", "2510408520"},
        {"SP", "11004249011"},    {"SP", "1100424901140"},  {"SP", "P01100424300"},
        {"SP", "P0110042430020"}, {"SP", "1P1004243002"},   {"SP", "PP011004243002"},
        {"SP", "P111004243002"},  // a rural registration has 0 after the P
        {"SE", "27123456"},       {"SE", "2712345630"},
        {"TO", "29022783"},       {"TO", "2901022783"},     {"TO", "290102278360"},
        {"TO", "29040227836"},    // 04 is no kind of the former form
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConsisteInscricaoEstadual(c.ie, c.uf), format) << c.uf << " " << c.ie;
}

TEST(InscricaoEstadual, RulesAsTheStatesPublishThemNow) {
    struct Case {
        const char* uf;
        const char* ie;
        int result;
    } cases[] = {
        {"AL", "24.101.152-3", valid},        // the company-type digit is no longer restricted
        {"DF", "0843587372901", valid},       // prefix 08 as well as 07
        {"PA", "75-031185-1", valid},         // prefix 75 as well as 15
        {"SP", "P972564380746", format},      // a rural registration has 0 after the P
        {"MS", "500123454", format},          // the published rule starts with 28
        {"MS", "280123450", valid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConsisteInscricaoEstadual(c.ie, c.uf), c.result) << c.uf << " " << c.ie;
}

TEST(InscricaoEstadual, TextAsTheCallersPassIt) {
    // The 20-character field with its blanks, a zero byte ending the buffer, lower-case states.
    EXPECT_EQ(ConsisteInscricaoEstadual("240000048           ", "AL"), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("  24.000.004-8", " al "), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual(std::string_view("240000048\0" "99", 12), "AL"), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("240000048", std::string_view("AL\0", 3)), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("062 307 904 0081", "mg"), valid);
    // Empty, blanks only, zeros only, letters and other marks are refused.
    for (const char* ie : {"", "          ", "000000000", "00.000.000-0", "24000004X", "24,000,004-8",
                           "P240000048", "2400\xE7" "00048"})
        EXPECT_EQ(ConsisteInscricaoEstadual(ie, "AL"), format) << ie;
    EXPECT_EQ(ConsisteInscricaoEstadual("00000000", "RJ"), format);
}

TEST(InscricaoEstadual, IsentoIsValidForEveryKnownState) {
    for (const char* uf : {"AC", "SP", "TO", "rs"}) {
        EXPECT_EQ(ConsisteInscricaoEstadual("ISENTO", uf), valid) << uf;
        EXPECT_EQ(ConsisteInscricaoEstadual("isento              ", uf), valid) << uf;
        EXPECT_EQ(ConsisteInscricaoEstadual(" Isento", uf), valid) << uf;
    }
    EXPECT_EQ(ConsisteInscricaoEstadual("ISENTA", "SP"), format);
    EXPECT_EQ(ConsisteInscricaoEstadual("ISENTO 1", "SP"), format);
}

TEST(InscricaoEstadual, UnknownStateIsItsOwnCode) {
    for (const char* uf : {"", "  ", "XX", "EX", "S", "SPX", "S P"}) {
        EXPECT_EQ(ConsisteInscricaoEstadual("110042490114", uf), unknown_state) << "'" << uf << "'";
        EXPECT_EQ(ConsisteInscricaoEstadual("ISENTO", uf), unknown_state) << "'" << uf << "'";
    }
}

TEST(InscricaoEstadual, ARegistrationBelongsToItsState) {
    // The same valid number is measured by another state's rule.
    EXPECT_EQ(ConsisteInscricaoEstadual("060000015", "CE"), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("060000015", "MA"), format);  // MA starts with 12
    EXPECT_EQ(ConsisteInscricaoEstadual("240066281", "RR"), valid);
    EXPECT_EQ(ConsisteInscricaoEstadual("240066281", "AL"), check_digit);  // AL's rule gives 6
    EXPECT_EQ(ConsisteInscricaoEstadual("P011004243002", "MG"), format);   // the P is SP's alone
}

}  // namespace
}  // namespace vorel::shell
