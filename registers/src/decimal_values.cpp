// Decimal entries of the registers: typed text to a number and back.
#include "vorel/registers/decimal_values.h"

namespace vorel::registers {

std::optional<Decimal> ParseTypedDecimal(const std::string& typed) {
    std::string s;
    const bool comma = typed.find(',') != std::string::npos;
    for (char c : typed) {
        if (c == ' ') continue;
        if (c == '.' && comma) continue;  // group separators before a decimal comma
        s += c;
    }
    if (s.empty()) return Decimal(0);
    return Decimal::parse(s);
}

std::string ShowDecimal(const Decimal& v, int places) { return v.to_fixed(places, ','); }

}  // namespace vorel::registers
