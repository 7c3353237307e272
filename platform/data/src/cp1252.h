// Windows-1252 <-> UTF-8 at the storage edge, and the case folding of the engine's collation.
// Hot paths of the driver: ASCII text passes through untouched.
#pragma once

#include <string>
#include <string_view>

namespace vorel::data::cp1252 {

bool is_ascii(std::string_view s);
void to_utf8(std::string_view in, std::string& out);
void from_utf8(std::string_view in, std::string& out);
// Upper case of a Windows-1252 byte (accented letters too).
unsigned char fold(unsigned char c);
// Comparison of two UTF-8 texts as Windows-1252, case folded, trailing blanks ignored.
int compare_nocase_utf8(std::string_view a, std::string_view b);

}  // namespace vorel::data::cp1252
