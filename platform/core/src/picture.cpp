#include "vorel/core/picture.h"

#include <stdexcept>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/text.h"

namespace vorel::picture {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_letter(char c) {
    auto u = static_cast<unsigned char>(c);
    return text::upper(u) != u || text::lower(u) != u;
}

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads a run of digits as a small number; -1 when there is none or it is too long.
int read_count(std::string_view s, std::size_t& i) {
    std::size_t start = i;
    int v = 0;
    while (i < s.size() && is_digit(s[i]) && i - start < 4) v = v * 10 + (s[i++] - '0');
    if (i == start || (i < s.size() && is_digit(s[i]))) return -1;
    return v;
}

std::string failure(std::string_view message, std::string_view typed) {
    std::string out(message);
    out += ": ";
    out += typed;
    return out;
}

// Messages for the user, in Windows-1252.
constexpr std::string_view kBadNumber = "N\xFAmero inv\xE1lido";
constexpr std::string_view kNegative = "N\xFAmero negativo n\xE3o permitido";
constexpr std::string_view kPlaces = "N\xFAmero com casas decimais demais";
constexpr std::string_view kTooLarge = "N\xFAmero grande demais para o campo";
constexpr std::string_view kBadDate = "Data inv\xE1lida";
constexpr std::string_view kBadCharacter = "Caractere inv\xE1lido";
constexpr std::string_view kIncomplete = "Entrada incompleta";
constexpr std::string_view kTooLong = "Entrada longa demais";
constexpr std::string_view kNotNumeric = "Campo n\xE3o num\xE9rico";

// ---- dates

struct DateForm {
    std::string_view order;  // 'd', 'm', 'y' in the order shown
    int year_digits;
    bool separators;
};

const DateForm* date_form(int n) {
    static constexpr DateForm kForms[] = {
        {"", 0, false},    {"mdy", 2, true}, {"mdy", 4, true},  {"", 0, false},
        {"", 0, false},    {"dmy", 2, true}, {"dmy", 4, true},  {"", 0, false},
        {"", 0, false},    {"ymd", 2, true}, {"ymd", 4, true},  {"ymd", 2, false},
        {"ymd", 4, false}, {"my", 2, true},  {"my", 4, true},   {"ym", 2, true},
        {"ym", 4, true},
    };
    if (n < 1 || n > 16 || kForms[n].order.empty()) return nullptr;
    return &kForms[n];
}

int date_width(const DateForm& f) {
    int w = 0;
    for (char c : f.order) w += c == 'y' ? f.year_digits : 2;
    return w + (f.separators ? static_cast<int>(f.order.size()) - 1 : 0);
}

void append_number(std::string& out, long long v, int min_digits) {
    std::string digits = std::to_string(v);
    if (static_cast<int>(digits.size()) < min_digits) out.append(min_digits - digits.size(), '0');
    out += digits;
}

}  // namespace

struct PictureAccess {
    static bool compile_number(Picture& p, std::string_view s) {
        std::size_t i = 0;
        if (i < s.size() && s[i] == '-') p.sign_ = true, ++i;
        if (i + 1 < s.size() && s[i] == '0' && is_digit(s[i + 1])) p.zero_fill_ = true, ++i;
        p.width_ = read_count(s, i);
        if (p.width_ < 1 || p.width_ > 64) return false;
        bool point_grouping = false;
        if (i < s.size() && s[i] == '.' && (i + 1 == s.size() || !is_digit(s[i + 1]))) {
            point_grouping = true;
            ++i;
        }
        if (i < s.size() && (s[i] == '.' || s[i] == '`')) {
            p.point_ = s[i] == '.' ? '.' : ',';
            ++i;
            p.places_ = read_count(s, i);
            if (p.places_ < 1 || p.places_ > Decimal::kMaxScale || p.places_ >= p.width_) return false;
            if (point_grouping && p.point_ == '.') return false;
        }
        if (i < s.size() && lower_ascii(s[i]) == 'b') p.blank_zero_ = true, ++i;
        if (i != s.size()) return false;
        if (point_grouping || p.point_ == ',') {
            p.group_ = '.';
            p.point_ = ',';
        } else {
            p.group_ = ',';
        }
        if (p.zero_fill_) p.group_ = 0;
        return true;
    }

    static bool compile_date(Picture& p, std::string_view s) {
        std::size_t i = 0;
        if (i + 1 < s.size() && s[i] == '0' && is_digit(s[i + 1])) p.zero_fill_ = true, ++i;
        p.date_form_ = read_count(s, i);
        const DateForm* form = date_form(p.date_form_);
        if (!form) return false;
        if (i < s.size() && lower_ascii(s[i]) == 'b') p.blank_zero_ = true, ++i;
        if (i != s.size()) return false;
        p.width_ = date_width(*form);
        return true;
    }

    static bool compile_mask(Picture& p, std::string_view s, char close, std::string_view slots) {
        if (s.size() < 2 || lower_ascii(s.back()) != close) return false;
        p.mask_ = std::string(s.substr(0, s.size() - 1));
        for (char c : p.mask_)
            if (slots.find(c) != std::string_view::npos) ++p.slots_;
        p.width_ = static_cast<int>(p.mask_.size());
        return p.slots_ > 0;
    }

    // ---- numbers

    // The number as the picture shows it, or nullopt when it does not fit.
    static std::optional<std::string> number_text(const Picture& p, const Decimal& value) {
        Decimal r = value.rounded(p.places_);
        if (p.blank_zero_ && r.is_zero()) return std::string(p.width_, ' ');
        std::string digits = r.abs().to_fixed(p.places_, '.');
        std::size_t int_len = p.places_ > 0 ? digits.size() - p.places_ - 1 : digits.size();
        std::string body;
        body.reserve(p.width_);
        for (std::size_t k = 0; k < int_len; ++k) {
            if (p.group_ && k > 0 && (int_len - k) % 3 == 0) body += p.group_;
            body += digits[k];
        }
        if (p.places_ > 0) {
            body += p.point_;
            body.append(digits, int_len + 1, std::string::npos);
        }
        bool negative = r.sign() < 0;
        std::size_t need = body.size() + (negative ? 1 : 0);
        if (need > static_cast<std::size_t>(p.width_)) return std::nullopt;
        std::string out;
        out.reserve(p.width_);
        if (p.zero_fill_) {
            if (negative) out += '-';
            out.append(p.width_ - need, '0');
        } else {
            out.append(p.width_ - need, ' ');
            if (negative) out += '-';
        }
        out += body;
        return out;
    }

    static Parsed<Decimal> parse_number(const Picture& p, std::string_view typed) {
        std::string_view s = text::trim(typed);
        Parsed<Decimal> out;
        if (s.empty()) {
            out.value = Decimal();
            return out;
        }
        bool negative = false;
        if (s.front() == '-' || s.front() == '+') {
            negative = s.front() == '-';
            s = text::trim(s.substr(1));
        }
        std::string int_part, frac_part;
        bool point_seen = false;
        std::vector<std::size_t> groups;  // digits in each group of the integer part
        std::size_t group_digits = 0;
        for (char c : s) {
            if (is_digit(c)) {
                (point_seen ? frac_part : int_part) += c;
                if (!point_seen) ++group_digits;
            } else if (c == p.point_ && !point_seen) {
                point_seen = true;
            } else if (p.group_ && c == p.group_ && !point_seen) {
                groups.push_back(group_digits);
                group_digits = 0;
            } else {
                out.error = failure(kBadNumber, typed);
                return out;
            }
        }
        if (!groups.empty()) {
            groups.push_back(group_digits);
            bool ok = groups.front() >= 1 && groups.front() <= 3;
            for (std::size_t k = 1; k < groups.size(); ++k) ok = ok && groups[k] == 3;
            if (!ok) {
                out.error = failure(kBadNumber, typed);
                return out;
            }
        }
        if (int_part.empty() && frac_part.empty()) {
            out.error = failure(kBadNumber, typed);
            return out;
        }
        if (static_cast<int>(frac_part.size()) > p.places_) {
            out.error = failure(kPlaces, typed);
            return out;
        }
        std::string plain = negative ? "-" : "";
        plain += int_part.empty() ? "0" : int_part;
        if (!frac_part.empty()) plain += "." + frac_part;
        std::optional<Decimal> v = Decimal::parse(plain);
        if (!v) {
            out.error = failure(kTooLarge, typed);
            return out;
        }
        if (v->sign() < 0 && !p.sign_) {
            out.error = failure(kNegative, typed);
            return out;
        }
        if (!number_text(p, *v)) {
            out.error = failure(kTooLarge, typed);
            return out;
        }
        out.value = *v;
        return out;
    }

    // ---- dates

    static std::string date_text(const Picture& p, const Decimal& value) {
        long long n = 0;
        try {
            n = value.to_integer();
        } catch (const DecimalOverflow&) {
            return std::string(p.width_, '#');
        }
        if (n <= 0) return std::string(p.width_, ' ');
        static const long long kLastDay = date::make(9999, 12, 31);
        if (n > kLastDay) return std::string(p.width_, '#');
        date::Ymd ymd = date::split(static_cast<date::Day>(n));
        const DateForm& form = *date_form(p.date_form_);
        bool fill = p.zero_fill_ || !form.separators;
        std::string out;
        out.reserve(p.width_);
        for (std::size_t k = 0; k < form.order.size(); ++k) {
            if (k > 0 && form.separators) out += '/';
            switch (form.order[k]) {
                case 'd': append_number(out, ymd.day, fill ? 2 : 1); break;
                case 'm': append_number(out, ymd.month, fill ? 2 : 1); break;
                default:
                    append_number(out, form.year_digits == 4 ? ymd.year : ymd.year % 100,
                                  form.year_digits);
            }
        }
        return out;
    }

    static Parsed<Decimal> parse_date(const Picture& p, std::string_view typed) {
        std::string_view s = text::trim(typed);
        Parsed<Decimal> out;
        if (s.empty()) {
            out.value = Decimal();
            return out;
        }
        const DateForm& form = *date_form(p.date_form_);
        std::vector<std::string_view> parts;
        bool all_digits = true;
        for (char c : s) all_digits = all_digits && is_digit(c);
        int packed = date_width(form) - (form.separators ? static_cast<int>(form.order.size()) - 1 : 0);
        if (all_digits && static_cast<int>(s.size()) == packed) {
            std::size_t pos = 0;
            for (char c : form.order) {
                std::size_t n = c == 'y' ? form.year_digits : 2;
                parts.push_back(s.substr(pos, n));
                pos += n;
            }
        } else if (form.separators) {
            std::size_t pos = 0;
            while (pos <= s.size()) {
                std::size_t next = s.find_first_of("/-.", pos);
                if (next == std::string_view::npos) next = s.size();
                parts.push_back(s.substr(pos, next - pos));
                pos = next + 1;
            }
        }
        int y = 0, m = 0, d = 1;
        bool ok = parts.size() == form.order.size();
        for (std::size_t k = 0; ok && k < parts.size(); ++k) {
            std::string_view part = parts[k];
            bool digits = !part.empty();
            for (char c : part) digits = digits && is_digit(c);
            ok = digits && (form.order[k] == 'y' ? (part.size() == 2 || part.size() == 4)
                                                  : part.size() <= 2);
            if (!ok) break;
            int v = 0;
            for (char c : part) v = v * 10 + (c - '0');
            switch (form.order[k]) {
                case 'd': d = v; break;
                case 'm': m = v; break;
                default: y = part.size() == 2 ? (v < 50 ? 2000 + v : 1900 + v) : v;
            }
        }
        if (!ok || !date::valid(y, m, d)) {
            out.error = failure(kBadDate, typed);
            return out;
        }
        out.value = Decimal(static_cast<long long>(date::make(y, m, d)));
        return out;
    }

    // ---- patterns

    static std::string pattern_text(const Picture& p, std::string digits) {
        std::size_t lead = 0;
        while (lead + 1 < digits.size() && digits[lead] == '0') ++lead;
        if (digits.size() - lead > static_cast<std::size_t>(p.slots_)) return std::string(p.width_, '#');
        digits = std::string(p.slots_ - (digits.size() - lead), '0') + digits.substr(lead);
        std::string out;
        out.reserve(p.width_);
        std::size_t next = 0;
        bool leading = true;   // every digit so far is a leading zero
        bool blanked = false;  // and at least one was left blank
        for (char c : p.mask_) {
            if (c == '#' || c == '<') {
                char digit = digits[next++];
                if (c == '<' && leading && digit == '0') {
                    out += ' ';
                    blanked = true;
                } else {
                    out += digit;
                    leading = false;
                }
            } else {
                out += (leading && blanked) ? ' ' : c;
            }
        }
        return out;
    }

    static Parsed<std::string> parse_pattern(const Picture& p, std::string_view typed) {
        Parsed<std::string> out;
        std::string digits;
        for (char c : typed) {
            if (is_digit(c)) {
                digits += c;
            } else if (c != ' ' && (c == '#' || c == '<' || p.mask_.find(c) == std::string::npos)) {
                out.error = failure(kBadCharacter, typed);
                return out;
            }
        }
        if (digits.empty()) {
            out.value = std::string();
            return out;
        }
        std::size_t lead = 0;
        while (lead + 1 < digits.size() && digits[lead] == '0') ++lead;
        if (digits.size() - lead > static_cast<std::size_t>(p.slots_)) {
            out.error = failure(kTooLong, typed);
            return out;
        }
        out.value = std::string(p.slots_ - (digits.size() - lead), '0') + digits.substr(lead);
        return out;
    }

    // ---- key-in templates

    static bool is_slot(char c) { return c == '^' || c == '#' || c == '?'; }

    static std::string keyin_text(const Picture& p, std::string_view value) {
        std::string out;
        out.reserve(p.width_);
        std::size_t next = 0;
        for (char c : p.mask_) {
            if (!is_slot(c)) {
                out += c;
            } else if (next < value.size()) {
                char v = value[next++];
                out += c == '^' ? static_cast<char>(text::upper(static_cast<unsigned char>(v))) : v;
            } else {
                out += ' ';
            }
        }
        return out;
    }

    static Parsed<std::string> parse_keyin(const Picture& p, std::string_view typed) {
        Parsed<std::string> out;
        std::string_view s = text::clip(typed);
        if (text::trim(s).empty()) {
            out.value = std::string();
            return out;
        }
        std::string kept;
        std::size_t j = 0;
        for (char c : p.mask_) {
            if (!is_slot(c)) {
                if (j < s.size() && s[j] == c) ++j;
                continue;
            }
            if (j >= s.size()) {
                out.error = failure(kIncomplete, typed);
                return out;
            }
            char v = s[j++];
            bool ok = c == '?' || (c == '#' && is_digit(v)) || (c == '^' && is_letter(v));
            if (!ok) {
                out.error = failure(kBadCharacter, typed);
                return out;
            }
            kept += c == '^' ? static_cast<char>(text::upper(static_cast<unsigned char>(v))) : v;
        }
        if (j < s.size()) {
            out.error = failure(kTooLong, typed);
            return out;
        }
        out.value = std::move(kept);
        return out;
    }

    static std::string digits_of(const Decimal& value) {
        if (value.sign() < 0) return std::string(100, '9');  // shows as overflow
        return value.rounded(0).to_fixed(0);
    }
};

std::optional<Picture> Picture::compile(std::string_view text) {
    Picture p;
    p.text_ = std::string(text);
    std::string_view s = text::trim(text);
    if (!s.empty() && s.front() == '@') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    char kind = lower_ascii(s.front());
    s.remove_prefix(1);
    bool ok = false;
    switch (kind) {
        case 'n':
            p.kind_ = Kind::Number;
            ok = PictureAccess::compile_number(p, s);
            break;
        case 'd':
            p.kind_ = Kind::Date;
            ok = PictureAccess::compile_date(p, s);
            break;
        case 's': {
            p.kind_ = Kind::Text;
            std::size_t i = 0;
            p.width_ = read_count(s, i);
            ok = p.width_ >= 1 && i == s.size();
            break;
        }
        case 'p':
            p.kind_ = Kind::Pattern;
            ok = PictureAccess::compile_mask(p, s, 'p', "#<");
            break;
        case 'k':
            p.kind_ = Kind::KeyIn;
            ok = PictureAccess::compile_mask(p, s, 'k', "^#?");
            break;
        default: break;
    }
    if (!ok) return std::nullopt;
    return p;
}

Picture::Picture(std::string_view text) {
    std::optional<Picture> p = compile(text);
    if (!p) throw std::invalid_argument("not a picture: " + std::string(text));
    *this = std::move(*p);
}

std::string format(const Picture& p, const Decimal& value) {
    switch (p.kind()) {
        case Kind::Number: {
            std::optional<std::string> s = PictureAccess::number_text(p, value);
            return s ? *s : std::string(p.width(), '#');
        }
        case Kind::Date: return PictureAccess::date_text(p, value);
        case Kind::Pattern: return PictureAccess::pattern_text(p, PictureAccess::digits_of(value));
        case Kind::Text:
        case Kind::KeyIn: return format(p, std::string_view(value.to_string()));
    }
    return {};
}

std::string format(const Picture& p, std::string_view value) {
    switch (p.kind()) {
        case Kind::Text: return text::pad(value, static_cast<std::size_t>(p.width()));
        case Kind::KeyIn: return PictureAccess::keyin_text(p, value);
        case Kind::Pattern: {
            std::string digits;
            for (char c : value)
                if (is_digit(c)) digits += c;
            return PictureAccess::pattern_text(p, digits.empty() ? "0" : digits);
        }
        case Kind::Number:
        case Kind::Date: {
            std::optional<Decimal> v = Decimal::parse(value);
            return format(p, v ? *v : Decimal());
        }
    }
    return {};
}

std::string format(std::string_view picture, const Decimal& value) {
    return format(Picture(picture), value);
}

std::string format(std::string_view picture, std::string_view value) {
    return format(Picture(picture), value);
}

bool fits(const Picture& p, const Decimal& value) {
    switch (p.kind()) {
        case Kind::Number: return PictureAccess::number_text(p, value).has_value();
        case Kind::Date:
        case Kind::Pattern: return format(p, value).find('#') == std::string::npos;
        case Kind::Text:
        case Kind::KeyIn: return static_cast<int>(value.to_string().size()) <= p.width();
    }
    return false;
}

Parsed<Decimal> parse_number(const Picture& p, std::string_view typed) {
    switch (p.kind()) {
        case Kind::Number: return PictureAccess::parse_number(p, typed);
        case Kind::Date: return PictureAccess::parse_date(p, typed);
        case Kind::Pattern: {
            Parsed<std::string> digits = PictureAccess::parse_pattern(p, typed);
            Parsed<Decimal> out;
            if (!digits) {
                out.error = digits.error;
            } else {
                std::optional<Decimal> v = Decimal::parse(digits->empty() ? "0" : *digits);
                if (v) {
                    out.value = *v;
                } else {
                    out.error = failure(kTooLarge, typed);
                }
            }
            return out;
        }
        case Kind::Text:
        case Kind::KeyIn: break;
    }
    Parsed<Decimal> out;
    out.error = failure(kNotNumeric, typed);
    return out;
}

Parsed<std::string> parse_text(const Picture& p, std::string_view typed) {
    Parsed<std::string> out;
    switch (p.kind()) {
        case Kind::Text: {
            std::string_view s = typed.substr(0, static_cast<std::size_t>(p.width()));
            out.value = std::string(s);
            return out;
        }
        case Kind::Pattern: return PictureAccess::parse_pattern(p, typed);
        case Kind::KeyIn: return PictureAccess::parse_keyin(p, typed);
        case Kind::Number:
        case Kind::Date: {
            Parsed<Decimal> n = parse_number(p, typed);
            if (n) {
                out.value = n->to_string();
            } else {
                out.error = n.error;
            }
            return out;
        }
    }
    return out;
}

}  // namespace vorel::picture
