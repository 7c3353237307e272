// Check digits of the Brazilian registration numbers: CPF (people), CNPJ (companies, the old
// "CGC") and PIS (workers).
//
// `VerificaCPF`, `VerificaCGC` and `VerificaPIS` are pure: they read the text as a whole number
// (digits only; the callers strip masks with `LimpaTexto`), write it back zero-filled to 11 or 14
// digits and compare the check digits with those worked out by the modulus-11 rule. The result
// says whether they match and gives the digits that would be right.
// `ConsisteCPF`, `ConsisteCGC` and `ConsistePIS` are what the forms call on a procedure thread:
// 1 when right, else 0 after the message "Digito incorreto, o digito provavel é NN".
//
//     if (!ConsisteCGC(rec.CGC)) { win.Select(feq::kCgc); return Level::Notify; }
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorel::shell {

struct DigitosVerificados {
    bool correto = false;
    std::string provavel;  // the check digits that would be right (two for CPF and CNPJ, one for PIS)
};

DigitosVerificados VerificaCPF(std::string_view texto);
DigitosVerificados VerificaCGC(std::string_view texto);
// A number 0 (an empty text too) is taken as right without a check.
DigitosVerificados VerificaPIS(std::string_view texto);

// The message boxes of the forms (procedure thread). 1: right; 0: wrong, after the message.
std::uint8_t ConsisteCPF(std::string_view texto);
std::uint8_t ConsisteCGC(std::string_view texto);
std::uint8_t ConsistePIS(std::string_view texto);

// The message text shown for wrong digits.
std::string MensagemDigitoIncorreto(const DigitosVerificados& v);

}  // namespace vorel::shell
