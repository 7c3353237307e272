// Check digits of CPF and PIS numbers.
#include "vorel/registers/document_checks.h"

#include "vorel/ui/message_box.h"

namespace vorel::registers {

namespace {

char Mod11(int sum) {
    int r = sum % 11;
    return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
}

std::uint8_t Refuse(const std::string& expected, const std::string& title) {
    ui::Message("Digito incorreto, o digito provavel é " + expected, title, ui::Icon::Exclamation, "&OK");
    return 0;
}

}  // namespace

std::optional<std::string> OnzeDigitos(std::string_view digits) {
    std::string d;
    for (char c : digits) {
        if (c >= '0' && c <= '9') d += c;
        else if (c != ' ' && c != '.' && c != '-' && c != '/') return std::nullopt;
    }
    std::size_t first = d.find_first_not_of('0');
    d = first == std::string::npos ? std::string() : d.substr(first);
    if (d.size() > 11) return std::nullopt;
    return std::string(11 - d.size(), '0') + d;
}

std::string DigitosCPF(const std::string& onze) {
    int s1 = 0, s2 = 0;
    for (int i = 0; i < 9; ++i) {
        int d = onze[static_cast<std::size_t>(i)] - '0';
        s1 += d * (10 - i);
        s2 += d * (11 - i);
    }
    char first = Mod11(s1);
    s2 += (first - '0') * 2;
    return std::string{first, Mod11(s2)};
}

char DigitoPIS(const std::string& onze) {
    static const int weights[10] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int s = 0;
    for (int i = 0; i < 10; ++i) s += (onze[static_cast<std::size_t>(i)] - '0') * weights[i];
    return Mod11(s);
}

std::uint8_t ConsisteCPF(std::string_view digits) {
    auto onze = OnzeDigitos(digits);
    if (!onze) return Refuse("", "Número do CPF está Incorreto");
    std::string want = DigitosCPF(*onze);
    if (onze->substr(9) != want) return Refuse(want, "Número do CPF está Incorreto");
    return 1;
}

std::uint8_t ConsistePIS(std::string_view digits) {
    auto onze = OnzeDigitos(digits);
    if (!onze) return Refuse("", "Número do PIS está Incorreto");
    if (*onze == "00000000000") return 1;
    char want = DigitoPIS(*onze);
    if ((*onze)[10] != want) return Refuse(std::string(1, want), "Número do PIS está Incorreto");
    return 1;
}

}  // namespace vorel::registers
