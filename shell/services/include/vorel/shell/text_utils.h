// Two small text routines of the shell, on Windows-1252 text.
//
// `SubstituiTexto(texto, busca, troca)` replaces every occurrence of `busca` (without its trailing
// blanks) by `troca` (without its trailing blanks) and returns a 2000-character, blank-padded text;
// an occurrence takes the length of `busca` as passed, and the search goes on after the length of
// `troca` as passed, so a replacement of one blank also skips one character after each deletion.
// An empty or all-blank search text changes nothing.
// `LimpaTexto(texto)` removes ".", "-" and "/" (the masks of CNPJ, CPF, dates and postal codes) and
// returns the rest closed up, blank-padded to the argument's length.
//
//     LimpaTexto("12.345.678/0001-95")   // "12345678000195    "
#pragma once

#include <string>
#include <string_view>

namespace vorel::shell {

inline constexpr std::size_t kTamanhoSubstituiTexto = 2000;

std::string SubstituiTexto(std::string_view texto, std::string_view busca, std::string_view troca);
std::string LimpaTexto(std::string_view texto);

}  // namespace vorel::shell
