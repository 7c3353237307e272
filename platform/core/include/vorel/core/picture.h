// Pictures: how a value is shown in a window, a report or a text line, and how typed text is read
// back. Every picture of the program goes through this one module.
//
// A picture is written as the window and report definitions store it, with or without the leading
// "@"; the letter that opens it may be upper or lower case ("@N-19." and "n-19." are one picture).
//
// Numbers  "@n" [-] [0] width [.] [.places | `places] [b]
//   width    characters of the result, signs and separators counted; the value is right-aligned.
//   -        a minus sign in front of negative values. (A negative value shows its sign even when
//            the picture has none: the sign is never dropped. Typing a negative value into such a
//            picture is refused.)
//   0        fill the leading positions with zeros, with no grouping ("@n014": 00012345678901).
//   grouping without a fill, thousands are grouped by commas ("@n6": 12,345); a "." alone after
//            the width groups them by points ("@n6.": 5.102).
//   .d       d decimals after a decimal point ("@n-8.3": -18.500), thousands by commas.
//   `d       d decimals after a decimal comma, thousands by points ("@n-18`3": 1.234,500).
//   b        a value that is zero shows as blanks.
//   A value is rounded half away from zero to the places shown. A value wider than the picture
//   shows as `width` '#' characters (`fits` tells beforehand); it is never cut.
//
// Dates    "@d" [0] form [b]    the value is a day number (vorel/core/date.h)
//   form  1 mm/dd/yy    2 mm/dd/yyyy    5 dd/mm/yy    6 dd/mm/yyyy    9 yy/mm/dd   10 yyyy/mm/dd
//        11 yymmdd     12 yyyymmdd     13 mm/yy      14 mm/yyyy     15 yy/mm     16 yyyy/mm
//   0     day and month with two digits ("@D06b": 05/03/2016). Without it they take as many digits
//         as they need ("@d6b": 5/3/2016); forms 11 and 12 always have two ("D12": 20160305).
//   A day 0 (no date) shows as `width` blanks, with or without "b".
//   Typed dates take the picture's order, any of "/", "-", "." as separators, day and month of one
//   or two digits, a year of four digits or of two (00..49 is 20xx, 50..99 is 19xx); the digits
//   alone are also read when they have the zero-filled form's length ("05032016"). A month form
//   (13..16) gives the month's first day. An impossible date (29/02/2015) is refused.
//
// Text     "@s" width           the text cut or blank-padded to `width` characters.
//
// Patterns "@p" ... "p"         digit patterns ("@p##.###.###/####-##p" for a CNPJ):
//   #  a digit;  <  a digit shown blank while only zeros stand before it;  any other character is
//   copied, except that one standing after blanked digits only is blank too. A number or a text of
//   digits fills the positions from the right, with leading zeros ("@p##.###-###p" of 1310100 is
//   01.310-100). Typed text may carry the pattern's characters or not; its digits are the value
//   (`parse_text` gives them zero-filled to the pattern's digit count; blank input gives "").
//
// Key-in   "@k" ... "k"         fixed entry templates ("@k^^k" for a state's two letters):
//   ^  a letter, shown and kept upper case;  #  a digit;  ?  any character; any other character is
//   copied and not kept in the value. Typed text must fill every position, or be blank.
//
// Text in and out is Windows-1252.
//
//   vorel::picture::Picture money("@n-18`2");
//   std::string shown = vorel::picture::format(money, vorel::Decimal::from_string("-1234.5"));
//   auto typed = vorel::picture::parse_number(money, "1.234,50");   // 1234.50
//   if (!typed) show(typed.error);
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "vorel/core/decimal.h"

namespace vorel::picture {

enum class Kind { Number, Date, Text, Pattern, KeyIn };

class Picture {
public:
    // Compiles a picture; throws std::invalid_argument for text that is no picture.
    explicit Picture(std::string_view text);
    // Compiles a picture; nullopt for text that is no picture.
    static std::optional<Picture> compile(std::string_view text);

    Kind kind() const { return kind_; }
    // Characters of a formatted value (the longest one, for dates without zero fill).
    int width() const { return width_; }
    // Decimal places of a number picture.
    int places() const { return places_; }
    // Whether a number picture takes negative values (its '-').
    bool negative_allowed() const { return sign_; }
    const std::string& text() const { return text_; }

private:
    Picture() = default;
    friend struct PictureAccess;

    std::string text_;
    Kind kind_ = Kind::Text;
    int width_ = 0;
    int places_ = 0;
    bool sign_ = false;        // numbers: '-'
    bool zero_fill_ = false;   // numbers and dates: '0'
    bool blank_zero_ = false;  // 'b'
    char group_ = 0;           // numbers: ',', '.' or 0
    char point_ = '.';         // numbers: decimal mark
    int date_form_ = 0;        // dates: 1..16
    std::string mask_;         // patterns and key-in templates
    int slots_ = 0;            // patterns and key-in: positions that take a character
};

// The value shown through the picture. Numbers, dates and patterns take a number (a day number for
// dates); a text given to them is read as a number first (patterns take its digits). Text and
// key-in pictures take text; a number given to them is written as plain digits first.
std::string format(const Picture& picture, const Decimal& value);
std::string format(const Picture& picture, std::string_view value);
template <class I>
    requires std::is_integral_v<I>
std::string format(const Picture& picture, I value) {
    return format(picture, Decimal(value));
}
// The same with a picture given as text (compiled at each call; throws std::invalid_argument for
// text that is no picture).
std::string format(std::string_view picture, const Decimal& value);
std::string format(std::string_view picture, std::string_view value);
template <class I>
    requires std::is_integral_v<I>
std::string format(std::string_view picture, I value) {
    return format(picture, Decimal(value));
}

// Whether a number shows in the picture without overflowing it.
bool fits(const Picture& picture, const Decimal& value);

// The outcome of reading typed text: the value, or a message for the user (Windows-1252).
template <class T>
struct Parsed {
    std::optional<T> value;
    std::string error;
    explicit operator bool() const { return value.has_value(); }
    const T& operator*() const { return *value; }
    const T* operator->() const { return &*value; }
};

// Typed text read back as a number: numbers (blank is 0), dates (the day number; blank is 0) and
// patterns (their digits). Text and key-in pictures give an error.
Parsed<Decimal> parse_number(const Picture& picture, std::string_view typed);
// Typed text read back as text: text pictures (cut to the width), patterns (their digits),
// key-in templates (the characters kept), numbers and dates (the value in plain digits).
Parsed<std::string> parse_text(const Picture& picture, std::string_view typed);

}  // namespace vorel::picture
