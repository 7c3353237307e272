// Check digits of CPF, CNPJ and PIS by the modulus-11 rule.
#include "vorel/shell/check_digits.h"

#include <array>
#include <span>

#include "vorel/core/text.h"
#include "vorel/ui/message_box.h"

namespace vorel::shell {

namespace {

// The text read as a whole number and written back with `width` digits, leading zeros. Blanks
// around are ignored; a text that is no whole number reads as 0. A number wider than `width`
// stays wider (its check then fails).
std::string Digitos(std::string_view texto, std::size_t width) {
    std::string_view t = text::trim(texto);
    // A zero byte ends a field's text.
    if (auto z = t.find('\0'); z != std::string_view::npos) t = text::trim(t.substr(0, z));
    std::string digits;
    for (char c : t) {
        if (c < '0' || c > '9') return std::string(width, '0');
        digits += c;
    }
    std::size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

// r = S mod 11; the digit is 0 for r 0 or 1, else 11 - r.
char Digito(std::string_view digits, std::span<const int> weights) {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) sum += (digits[i] - '0') * weights[i];
    int r = sum % 11;
    return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
}

DigitosVerificados DoisDigitos(const std::string& d, std::span<const int> first, std::span<const int> second) {
    std::string base = d.substr(0, first.size());
    char d1 = Digito(base, first);
    base += d1;
    char d2 = Digito(base, second);
    DigitosVerificados v;
    v.provavel = {d1, d2};
    v.correto = d.size() == first.size() + 2 && d.substr(first.size()) == v.provavel;
    return v;
}

std::uint8_t Mostra(const DigitosVerificados& v, const char* titulo) {
    if (v.correto) return 1;
    ui::Message(MensagemDigitoIncorreto(v), titulo, ui::Icon::Exclamation);
    return 0;
}

}  // namespace

DigitosVerificados VerificaCPF(std::string_view texto) {
    static constexpr std::array<int, 9> w1{10, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 10> w2{11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    return DoisDigitos(Digitos(texto, 11), w1, w2);
}

DigitosVerificados VerificaCGC(std::string_view texto) {
    static constexpr std::array<int, 12> w1{5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    static constexpr std::array<int, 13> w2{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return DoisDigitos(Digitos(texto, 14), w1, w2);
}

DigitosVerificados VerificaPIS(std::string_view texto) {
    static constexpr std::array<int, 10> w{3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    std::string d = Digitos(texto, 11);
    if (d == std::string(11, '0')) return {true, "0"};
    DigitosVerificados v;
    v.provavel = std::string(1, Digito(d, w));
    v.correto = d.size() == 11 && d[10] == v.provavel[0];
    return v;
}

std::string MensagemDigitoIncorreto(const DigitosVerificados& v) {
    return "Digito incorreto, o digito provavel é " + v.provavel;
}

std::uint8_t ConsisteCPF(std::string_view texto) { return Mostra(VerificaCPF(texto), "Número do CPF está Incorreto"); }
std::uint8_t ConsisteCGC(std::string_view texto) { return Mostra(VerificaCGC(texto), "Número do CGC está Incorreto"); }
std::uint8_t ConsistePIS(std::string_view texto) { return Mostra(VerificaPIS(texto), "Número do PIS está Incorreto"); }

}  // namespace vorel::shell
