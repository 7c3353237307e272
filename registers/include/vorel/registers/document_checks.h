// Check digits of a CPF and of a PIS number, as the responsible-person form checks them.
//
// `ConsisteCPF` and `ConsistePIS` take the digits (masks removed) and return 1 when the check
// digits are right, or 0 after a message box "Digito incorreto, o digito provavel é " with the
// expected digit(s), titled "Número do CPF está Incorreto" / "Número do PIS está Incorreto". The
// text is read as a number and written back as eleven digits with leading zeros first, so a CPF
// typed without its leading zeros checks alike; a PIS of 0 (or blank) passes without a check.
// `DigitosCPF` and `DigitoPIS` give the expected digits without asking anything.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorel::registers {

// The eleven digits of a number typed with or without masks; nullopt when it is not one.
std::optional<std::string> OnzeDigitos(std::string_view digits);
std::string DigitosCPF(const std::string& onze);   // the two check digits the first nine give
char DigitoPIS(const std::string& onze);           // the check digit the first ten give

std::uint8_t ConsisteCPF(std::string_view digits);
std::uint8_t ConsistePIS(std::string_view digits);

}  // namespace vorel::registers
