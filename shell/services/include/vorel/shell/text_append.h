// `AnexaTextoArquivo`: appends one piece of text (as a rule one line) to a plain text file,
// creating the file when it is missing; every call opens, writes and closes the file, so each call
// leaves a complete, closed file behind. It keeps nothing between calls and shares nothing between
// threads.
//
// Arguments in this order: the file name (program path), the text (Windows-1252), and three flags:
// printer port, line end 1, line end 2. Every caller passes (file, line, 0, 0, 1): a named file and
// CR LF after each text. A text that is a form feed alone gets no line end; the bytes written are
// at most 2000 (a longer text is cut, its line end with it) without the trailing blanks of what is
// left, so a text written with a line end keeps its own trailing blanks.
//
// Result: 0 appended and closed, 1 the file could be neither opened nor created, 2 fewer bytes were
// written than asked, 3 closing failed, 4 moving to the end failed. The routine shows no message:
// its callers stop their run and say so when the result is not 0.
//
//     if (auto r = AnexaTextoArquivo(arquivo, linha, 0, 0, 1); r != kAnexaOk) ... stop ...
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorel::shell {

inline constexpr std::uint8_t kAnexaOk = 0;
inline constexpr std::uint8_t kAnexaNaoAbriu = 1;
inline constexpr std::uint8_t kAnexaGravacaoIncompleta = 2;
inline constexpr std::uint8_t kAnexaNaoFechou = 3;
inline constexpr std::uint8_t kAnexaNaoPosicionou = 4;

std::uint8_t AnexaTextoArquivo(std::string_view arquivo, std::string_view texto, std::uint8_t portaImpressora,
                               std::uint8_t fimLinha1, std::uint8_t fimLinha2);

// A line for the user (UTF-8) that says what a result other than 0 means for `arquivo`.
std::string MensagemAnexaTexto(std::uint8_t resultado, std::string_view arquivo);

}  // namespace vorel::shell
