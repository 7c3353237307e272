// What an entry takes: no more characters than its picture and its field hold, no control
// characters, a negative number only under a signed picture, a pattern's digits. A refused text
// never reaches the variable, and the field keeps the focus.
#include <gtest/gtest.h>

#include <string>

#include "vorel/core/fixed_string.h"
#include "vorel/ui/entry_rules.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/window.h"

using namespace vorel;
using namespace vorel::ui;

namespace {

enum : int { kS3 = 1, kNoPicture, kName, kUnsigned, kSigned, kCnpj, kNotes, kOther };

// The variables the window writes into; reset at each start.
struct Values {
    String<40> s3;
    String<5> noPicture;
    String<40> name;
    std::string unsignedNumber, signedNumber, cnpj;
    String<200> notes;
};
Values g;

UsePtr Text(std::string& v) {
    return UseFn([&v] { return v; }, [&v](const std::string& s) { v = s; return true; });
}

void Entries(ProcContext& ctx) {
    g = Values{};
    Window w(ctx, "Entradas");
    w.Entry(kS3, Use(g.s3), "@s3");
    w.Entry(kNoPicture, Use(g.noPicture));
    w.Entry(kName, Use(g.name), "@s40");
    w.Entry(kUnsigned, Text(g.unsignedNumber), "@N20");
    w.Entry(kSigned, Text(g.signedNumber), "@n-8.3");
    w.Entry(kCnpj, Text(g.cnpj), "@p##.###.###/####-##p");
    w.TextBox(kNotes, Use(g.notes));
    w.Entry(kOther, Text(g.unsignedNumber));
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
    }
}

std::string Stored(int feq) {
    switch (feq) {
        case kS3: return std::string(g.s3.clipped());
        case kNoPicture: return std::string(g.noPicture.clipped());
        case kName: return text::to_utf8(g.name.clipped());
        case kUnsigned: return g.unsignedNumber;
        case kSigned: return g.signedNumber;
        case kCnpj: return g.cnpj;
        case kNotes: return std::string(g.notes.clipped());
    }
    return "?";
}

TEST(EntryRules, RefusedValuesNeverReachTheVariable) {
    struct Case {
        const char* what;
        int feq;
        std::string typed;
        bool taken;
        std::string stored;  // when taken
    } cases[] = {
        {"@s3: three characters", kS3, "abc", true, "abc"},
        {"@s3: six characters", kS3, "abcdef", false, ""},
        {"@s3: trailing blanks do not count", kS3, "abc   ", true, "abc"},
        {"field of 5, no picture: six characters", kNoPicture, "abcdef", false, ""},
        {"field of 5, no picture: five", kNoPicture, "abcde", true, "abcde"},
        {"name: accented letters", kName, "Mercado São João", true, "Mercado São João"},
        {"name: a control character", kName, "Ana\x01", false, ""},
        {"name: NUL", kName, std::string("Ana\0Maria", 9), false, ""},
        {"name: a tab", kName, "Ana\tMaria", false, ""},
        {"name: a line end", kName, "Ana\nMaria", false, ""},
        {"@N20: -1 under an unsigned picture", kUnsigned, "-1", false, ""},
        {"@N20: 1", kUnsigned, "1", true, "1"},
        {"@n-8.3: a negative value under a signed picture", kSigned, "-1,5", true, "-1,5"},
        {"CNPJ: 15 digits", kCnpj, "112223330001810", false, ""},
        {"CNPJ: 14 digits, masked", kCnpj, "11.222.333/0001-81", true, "11.222.333/0001-81"},
        {"CNPJ: all zeros", kCnpj, "00000000000000", true, "00000000000000"},
        {"CNPJ: 15 digits, the first a leading zero", kCnpj, "011222333000181", true, "011222333000181"},
        {"text box: line ends", kNotes, "linha 1\nlinha 2", true, "linha 1\nlinha 2"},
        {"text box: NUL", kNotes, std::string("a\0b", 3), false, ""},
    };
    for (const Case& c : cases) {
        Runtime rt;
        HeadlessDriver ui(rt);
        rt.Start("Entradas", Entries);
        int w = ui.WindowByCaption("Entradas");
        ui.Type(ui.Control(w, c.feq), c.typed);
        ui.FocusOn(ui.Control(w, kOther));  // leaving the field accepts it, or not
        EXPECT_EQ(ui.Focus(w), c.taken ? kOther : c.feq) << c.what;
        EXPECT_EQ(Stored(c.feq), c.taken ? c.stored : "") << c.what;
    }
}

TEST(EntryRules, TheMaximumLengthIsThePicturesAndTheFieldsSmaller) {
    struct Case {
        const char* picture;
        std::size_t field;
        int max;
    } cases[] = {
        {"@s3", 40, 3}, {"@s40", 20, 20}, {"", 5, 5}, {"", 0, 0}, {"@n-14`2", 16, 14},
        {"@p##.###.###/####-##p", 14, 18}, {"@D06b", 0, 10}, {"@k^^k", 2, 2}, {"no picture", 7, 7},
    };
    for (const Case& c : cases) EXPECT_EQ(EntryMaxLength(c.picture, c.field), c.max) << c.picture << " " << c.field;

    // The window publishes it for the front end.
    Runtime rt;
    HeadlessDriver ui(rt);
    rt.Start("Entradas", Entries);
    int w = ui.WindowByCaption("Entradas");
    EXPECT_EQ(ui.State(ui.Control(w, kS3)).maxLength, 3);
    EXPECT_EQ(ui.State(ui.Control(w, kNoPicture)).maxLength, 5);
    EXPECT_EQ(ui.State(ui.Control(w, kName)).maxLength, 40);
    EXPECT_EQ(ui.State(ui.Control(w, kNotes)).maxLength, 200);
}

}  // namespace
