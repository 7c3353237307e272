// State-registration check: one rule per state, over the registration's digits once the typed
// punctuation is gone. Every rule checks the length and the fixed leading digits first (format
// error) and then the check digits (check-digit error).
#include "vorel/shell/inscricao_estadual.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>

namespace vorel::shell {
namespace {

using namespace ie_result;

// The registration's digits, nothing else ('0'..'9').
using Digits = std::string_view;

int at(Digits d, std::size_t i) { return d[i] - '0'; }

// Sum of the leading digits times the given weights, the first weight on the first digit.
int weighted(Digits d, std::initializer_list<int> weights) {
    int sum = 0;
    std::size_t i = 0;
    for (int w : weights) sum += at(d, i++) * w;
    return sum;
}

// Weights from `top` down to 2 over the first top - 1 digits.
int descending(Digits d, int top) {
    int sum = 0;
    std::size_t i = 0;
    for (int w = top; w >= 2; --w) sum += at(d, i++) * w;
    return sum;
}

// Number made of the digits d[from, from + n).
long number(Digits d, std::size_t from, std::size_t n) {
    long v = 0;
    for (std::size_t i = from; i < from + n; ++i) v = v * 10 + at(d, i);
    return v;
}

// 11 less the remainder by 11; 0 when that gives 10 or 11 (remainder 1 or 0).
int mod11(int sum) {
    int r = sum % 11;
    return r < 2 ? 0 : 11 - r;
}

// 11 less the remainder by 11; 10 and 11 become 0 and 1.
int mod11_wrap(int sum) {
    int dv = 11 - sum % 11;
    return dv >= 10 ? dv - 10 : dv;
}

// 10 less the remainder by 10; 0 when the remainder is 0.
int mod10(int sum) {
    int r = sum % 10;
    return r == 0 ? 0 : 10 - r;
}

// Ten times the sum, remainder by 11; 10 becomes 0.
int times10_mod11(int sum) {
    int dv = sum * 10 % 11;
    return dv == 10 ? 0 : dv;
}

int verdict(bool ok) { return ok ? valid : check_digit; }

bool starts(Digits d, std::string_view prefix) { return d.substr(0, prefix.size()) == prefix; }

bool starts(Digits d, std::initializer_list<std::string_view> prefixes) {
    for (std::string_view p : prefixes)
        if (starts(d, p)) return true;
    return false;
}

// Nine digits, the last a check digit over the first eight with weights 9..2 (mod11).
int nine_mod11(Digits d) {
    if (d.size() != 9) return format;
    return verdict(at(d, 8) == mod11(descending(d, 9)));
}

// AC and DF: 13 digits, the last two check digits, weights 4,3,2,9..2 then 5,4,3,2,9..2.
int thirteen_two_digits(Digits d, std::initializer_list<std::string_view> prefixes) {
    if (d.size() != 13 || !starts(d, prefixes)) return format;
    int d1 = mod11(weighted(d, {4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    int d2 = mod11(weighted(d, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    return verdict(at(d, 11) == d1 && at(d, 12) == d2);
}

int rule_ac(Digits d) { return thirteen_two_digits(d, {"01"}); }
// DF issues prefix 07 and, after it, 08.
int rule_df(Digits d) { return thirteen_two_digits(d, {"07", "08"}); }

// AL: 24 and six digits (the third no longer restricted to a company type), then a check digit by
// ten times the sum, remainder by 11.
int rule_al(Digits d) {
    if (d.size() != 9 || !starts(d, "24")) return format;
    return verdict(at(d, 8) == times10_mod11(descending(d, 9)));
}

// AP: 03 and six digits, then a check digit whose sum starts at p and whose result 11 becomes d,
// both set by the range of the first eight digits.
int rule_ap(Digits d) {
    if (d.size() != 9 || !starts(d, "03")) return format;
    long base = number(d, 0, 8);
    int p = 0, dd = 0;
    if (base <= 3017000) {
        p = 5;
    } else if (base <= 3019022) {
        p = 9;
        dd = 1;
    }
    int dv = 11 - (p + descending(d, 9)) % 11;
    if (dv == 10) dv = 0;
    if (dv == 11) dv = dd;
    return verdict(at(d, 8) == dv);
}

// AM: nine digits, weights 9..2. The published rule takes 11 less the sum itself when the sum is
// below 11: for sums 2..10 that is the digit mod11 gives, and only a registration of zeros (refused
// before any rule) sums lower.
int rule_am(Digits d) { return nine_mod11(d); }

// BA: 8 digits (six and two check digits) or 9 (seven and two). The first digit (8-digit form) or
// the second (9-digit form) picks modulus 10 (0-5, 8) or 11 (6, 7, 9). The last digit is computed
// first, over the leading digits; the one before it over the leading digits and the last digit.
int rule_ba(Digits d) {
    if (d.size() != 8 && d.size() != 9) return format;
    std::size_t n = d.size() - 2;
    char selector = d.size() == 8 ? d[0] : d[1];
    bool by10 = std::string_view("0123458").find(selector) != std::string_view::npos;
    auto dv = [by10](int sum) { return by10 ? mod10(sum) : mod11(sum); };
    int second = dv(descending(d, static_cast<int>(n) + 1));
    int first_sum = second * 2;
    for (std::size_t i = 0; i < n; ++i) first_sum += at(d, i) * static_cast<int>(n + 2 - i);
    int first = dv(first_sum);
    return verdict(at(d, n) == first && at(d, n + 1) == second);
}

// GO: nine digits starting 10, 11, 15 or 20..29; weights 9..2, remainder 0 gives 0, remainder 1
// gives 1 inside 10103105..10119997 and 0 outside; 11094402 takes 0 or 1.
int rule_go(Digits d) {
    if (d.size() != 9) return format;
    int head = at(d, 0) * 10 + at(d, 1);
    if (head != 10 && head != 11 && head != 15 && !(head >= 20 && head <= 29)) return format;
    long base = number(d, 0, 8);
    int last = at(d, 8);
    if (base == 11094402) return verdict(last == 0 || last == 1);
    int r = descending(d, 9) % 11;
    int dv = r == 0 ? 0 : r == 1 ? (base >= 10103105 && base <= 10119997 ? 1 : 0) : 11 - r;
    return verdict(last == dv);
}

int rule_ma(Digits d) { return starts(d, "12") ? nine_mod11(d) : format; }

// MT: eleven digits, shorter ones (nine or ten) taken with leading zeros; weights 3,2,9..2.
int rule_mt(Digits d) {
    if (d.size() < 9 || d.size() > 11) return format;
    std::string full = std::string(11 - d.size(), '0') + std::string(d);
    return verdict(at(full, 10) == mod11(weighted(full, {3, 2, 9, 8, 7, 6, 5, 4, 3, 2})));
}

// MS: nine digits starting 28.
int rule_ms(Digits d) { return starts(d, "28") ? nine_mod11(d) : format; }

// MG: 13 digits (municipality 3, order 6, establishment 2, check digits 2). First check digit: the
// first eleven digits with a 0 after the municipality, weights 1,2,1,2,... from the left, the
// digits of the products summed, the distance to the next multiple of 10. Second: the first twelve
// digits, weights 3,2,11..2, mod11.
int rule_mg(Digits d) {
    if (d.size() != 13) return format;
    std::string spread = std::string(d.substr(0, 3)) + '0' + std::string(d.substr(3, 8));
    int sum = 0;
    for (std::size_t i = 0; i < spread.size(); ++i) {
        int product = at(spread, i) * (i % 2 == 0 ? 1 : 2);
        sum += product / 10 + product % 10;
    }
    int d1 = mod10(sum);
    int d2 = mod11(weighted(d, {3, 2, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
    return verdict(at(d, 11) == d1 && at(d, 12) == d2);
}

// PA: nine digits starting 15 or 75.
int rule_pa(Digits d) { return starts(d, {"15", "75"}) ? nine_mod11(d) : format; }

// PR: ten digits, two check digits by weights 3,2,7..2 and 4,3,2,7..2.
int rule_pr(Digits d) {
    if (d.size() != 10) return format;
    int d1 = mod11(weighted(d, {3, 2, 7, 6, 5, 4, 3, 2}));
    int d2 = mod11(weighted(d, {4, 3, 2, 7, 6, 5, 4, 3, 2}));
    return verdict(at(d, 8) == d1 && at(d, 9) == d2);
}

// PE: the current nine-digit form (seven digits and two check digits, weights 8..2 then 9..2), or
// the former fourteen-digit form (one check digit, weights 5..1,9..2, 10 and 11 become 0 and 1).
int rule_pe(Digits d) {
    if (d.size() == 9) {
        int d1 = mod11(descending(d, 8));
        int d2 = mod11(descending(d, 9));
        return verdict(at(d, 7) == d1 && at(d, 8) == d2);
    }
    if (d.size() == 14)
        return verdict(at(d, 13) == mod11_wrap(weighted(d, {5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4, 3, 2})));
    return format;
}

// RJ: eight digits, weights 2,7..2.
int rule_rj(Digits d) {
    if (d.size() != 8) return format;
    return verdict(at(d, 7) == mod11(weighted(d, {2, 7, 6, 5, 4, 3, 2})));
}

// RN: 20 and then nine or ten digits in all; weights from the length down to 2, ten times the sum,
// remainder by 11.
int rule_rn(Digits d) {
    if ((d.size() != 9 && d.size() != 10) || !starts(d, "20")) return format;
    int top = static_cast<int>(d.size());
    return verdict(at(d, d.size() - 1) == times10_mod11(descending(d, top)));
}

// RS: ten digits (municipality 3, number 6, check digit), weights 2,9..2.
int rule_rs(Digits d) {
    if (d.size() != 10) return format;
    return verdict(at(d, 9) == mod11(weighted(d, {2, 9, 8, 7, 6, 5, 4, 3, 2})));
}

// RO: the current fourteen-digit form (weights 6..2,9..2 over thirteen digits) or the former
// nine-digit one (municipality 3, company 5 with weights 6..2, check digit); 10 and 11 become 0, 1.
int rule_ro(Digits d) {
    if (d.size() == 14)
        return verdict(at(d, 13) == mod11_wrap(weighted(d, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2})));
    if (d.size() == 9) return verdict(at(d, 8) == mod11_wrap(weighted(d.substr(3), {6, 5, 4, 3, 2})));
    return format;
}

// RR: 24 and nine digits in all; weights 1..8, remainder by 9.
int rule_rr(Digits d) {
    if (d.size() != 9 || !starts(d, "24")) return format;
    return verdict(at(d, 8) == weighted(d, {1, 2, 3, 4, 5, 6, 7, 8}) % 9);
}

// SP, industry and commerce: twelve digits, the ninth a check digit over the first eight (weights
// 1,3..8,10), the twelfth over the first eleven (weights 3,2,10..2); each the remainder by 11, its
// last figure.
int rule_sp(Digits d) {
    if (d.size() != 12) return format;
    int d1 = weighted(d, {1, 3, 4, 5, 6, 7, 8, 10}) % 11 % 10;
    int d2 = weighted(d, {3, 2, 10, 9, 8, 7, 6, 5, 4, 3, 2}) % 11 % 10;
    return verdict(at(d, 8) == d1 && at(d, 11) == d2);
}

// SP, rural producer: "P" and twelve digits, the first 0, the ninth a check digit over the first
// eight as above.
int rule_sp_rural(Digits d) {
    if (d.size() != 12 || d[0] != '0') return format;
    return verdict(at(d, 8) == weighted(d, {1, 3, 4, 5, 6, 7, 8, 10}) % 11 % 10);
}

// TO: the current nine-digit form (weights 9..2), or the former eleven-digit one whose third and
// fourth digits (01, 02, 03 or 99) are left out of the check.
int rule_to(Digits d) {
    if (d.size() == 9) return nine_mod11(d);
    if (d.size() != 11) return format;
    std::string_view kind = d.substr(2, 2);
    if (kind != "01" && kind != "02" && kind != "03" && kind != "99") return format;
    std::string base = std::string(d.substr(0, 2)) + std::string(d.substr(4, 6));
    return verdict(at(d, 10) == mod11(descending(base, 9)));
}

struct StateRule {
    std::string_view uf;
    int (*check)(Digits);
};

constexpr std::array<StateRule, 27> kStates{{
    {"AC", rule_ac},      {"AL", rule_al},      {"AP", rule_ap},      {"AM", rule_am},
    {"BA", rule_ba},      {"CE", nine_mod11},   {"DF", rule_df},      {"ES", nine_mod11},
    {"GO", rule_go},      {"MA", rule_ma},      {"MT", rule_mt},      {"MS", rule_ms},
    {"MG", rule_mg},      {"PA", rule_pa},      {"PB", nine_mod11},   {"PR", rule_pr},
    {"PE", rule_pe},      {"PI", nine_mod11},   {"RJ", rule_rj},      {"RN", rule_rn},
    {"RS", rule_rs},      {"RO", rule_ro},      {"RR", rule_rr},      {"SC", nine_mod11},
    {"SP", rule_sp},      {"SE", nine_mod11},   {"TO", rule_to},
}};

char upper_ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The text up to its first zero byte, without blanks around it.
std::string_view trimmed(std::string_view s) {
    s = s.substr(0, s.find('\0'));
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool equal_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper_ascii(a[i]) != upper_ascii(b[i])) return false;
    return true;
}

}  // namespace

int ConsisteInscricaoEstadual(std::string_view inscricao, std::string_view uf) {
    std::string_view state = trimmed(uf);
    const StateRule* rule = nullptr;
    for (const StateRule& r : kStates)
        if (equal_nocase(state, r.uf)) rule = &r;
    if (rule == nullptr) return unknown_state;

    std::string_view text = trimmed(inscricao);
    if (equal_nocase(text, "ISENTO")) return valid;

    // Drop the punctuation people type; SP's rural form keeps its leading "P".
    bool rural = false;
    std::string digits;
    for (char c : text) {
        if (c == '.' || c == '-' || c == '/' || c == ' ') continue;
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (upper_ascii(c) == 'P' && digits.empty() && !rural && rule->uf == "SP") {
            rural = true;
        } else {
            return format;
        }
    }
    if (digits.find_first_not_of('0') == std::string::npos) return format;
    return rural ? rule_sp_rural(digits) : rule->check(digits);
}

}  // namespace vorel::shell
