// Windows-1252 to UTF-8 for the report layer's edges (text dumps, Qt, mail headers).
#pragma once

#include <string>
#include <string_view>

namespace vorel::report {

std::string cp1252_to_utf8(std::string_view cp1252);

}  // namespace vorel::report
