// Text in Windows-1252, the program's in-memory encoding.
//
// Every text the program keeps (table fields, settings values, import and export lines, text reports)
// is a std::string of Windows-1252 bytes: one byte per character, so widths and positions mean what
// the record layouts say. Conversion to UTF-8 happens only at the edges (Qt, SQLite, XML, the terminal).
//
// This header owns the conversions, case folding of every Windows-1252 letter (accented ones too:
// "ação" and "AÇÃO" fold alike, while "acao" stays another value), comparison that ignores trailing
// blanks, and the small text helpers procedures use (clip, sub-string, alignment, zero fill).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorel::text {

// Windows-1252 bytes to UTF-8. The five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+FFFD.
std::string to_utf8(std::string_view cp1252);

// UTF-8 to Windows-1252. A character with no Windows-1252 form becomes the nearest plain letter
// ("ő" -> "o", "ł" -> "l"), or '?' when there is none; malformed UTF-8 bytes become '?'.
std::string from_utf8(std::string_view utf8);

// Case of one Windows-1252 byte: letters with and without accents; other bytes unchanged.
unsigned char upper(unsigned char c);
unsigned char lower(unsigned char c);
std::string upper(std::string_view s);
std::string lower(std::string_view s);

// Trailing blanks cut (the runtime's CLIP).
std::string_view clip(std::string_view s);
// Leading and trailing blanks cut.
std::string_view trim(std::string_view s);

// Three-way comparison, trailing blanks ignored; bytewise (case significant).
int compare(std::string_view a, std::string_view b);
// Three-way comparison, trailing blanks ignored and case folded (accents significant).
int compare_nocase(std::string_view a, std::string_view b);
inline bool equal_nocase(std::string_view a, std::string_view b) { return compare_nocase(a, b) == 0; }

// 1-based sub-string of at most `length` bytes (the runtime's SUB); out-of-range parts give "".
std::string sub(std::string_view s, int start, int length);
// Left-aligned (leading blanks moved to the end) / right-aligned (trailing blanks moved to the
// front) in a field of `width`, cut to the width.
std::string left(std::string_view s, std::size_t width);
std::string right(std::string_view s, std::size_t width);
// Blank-padded on the right or cut to exactly `width` bytes.
std::string pad(std::string_view s, std::size_t width);
// Decimal digits of `value` with leading zeros to `width` ("@n0w"); a negative value keeps its sign.
// Wider values are not cut: the caller decides whether that is an error.
std::string zero_fill(long long value, int width);

// Accented letters replaced by their plain forms ("ÇÃO" -> "CAO"); for exports and printers
// that do not take accents.
std::string strip_accents(std::string_view s);
unsigned char strip_accent(unsigned char c);

}  // namespace vorel::text
