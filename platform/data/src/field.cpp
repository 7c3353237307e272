#include "vorel/data/field.h"

#include <charconv>
#include <limits>

namespace vorel::data {

std::string type_word(FieldType t, int width, int digits, int places) {
    switch (t) {
        case FieldType::String: return "string(" + std::to_string(width) + ")";
        case FieldType::CString: return "cstring(" + std::to_string(width) + ")";
        case FieldType::PString: return "pstring(" + std::to_string(width) + ")";
        case FieldType::Byte: return "byte";
        case FieldType::Short: return "short";
        case FieldType::UShort: return "ushort";
        case FieldType::Long: return "long";
        case FieldType::ULong: return "ulong";
        case FieldType::Date: return "date";
        case FieldType::Time: return "time";
        case FieldType::Decimal: return "decimal(" + std::to_string(digits) + "," + std::to_string(places) + ")";
    }
    return "?";
}

namespace {
std::int64_t pow10(int n) {
    std::int64_t v = 1;
    while (n-- > 0) v *= 10;
    return v;
}
}  // namespace

std::int64_t FieldDesc::min_value() const {
    switch (type) {
        case FieldType::Byte:
        case FieldType::UShort:
        case FieldType::ULong: return 0;
        case FieldType::Short: return std::numeric_limits<std::int16_t>::min();
        case FieldType::Long:
        case FieldType::Date:
        case FieldType::Time: return width == 4 ? std::numeric_limits<std::int32_t>::min() : 0;
        case FieldType::Decimal: return -(pow10(digits > 18 ? 18 : digits) - 1);
        default: return 0;
    }
}

std::int64_t FieldDesc::max_value() const {
    switch (type) {
        case FieldType::Byte: return 255;
        case FieldType::UShort: return 65535;
        case FieldType::ULong: return 4294967295LL;
        case FieldType::Short: return 32767;
        case FieldType::Long:
        case FieldType::Date:
        case FieldType::Time: return 2147483647;
        case FieldType::Decimal: return pow10(digits > 18 ? 18 : digits) - 1;
        default: return 0;
    }
}

std::string field_text(const FieldDesc& f, const void* record, int element) {
    const void* p = f.element(record, element);
    if (is_text(f.type)) {
        std::string_view v = f.access.get_text(p);
        std::size_t n = v.size();
        while (n > 0 && v[n - 1] == ' ') --n;
        return std::string(v.substr(0, n));
    }
    std::int64_t v = f.access.get_int(p);
    if (f.type != FieldType::Decimal || f.places == 0) return std::to_string(v);
    bool neg = v < 0;
    std::uint64_t m = neg ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string digits = std::to_string(m);
    if (digits.size() <= static_cast<std::size_t>(f.places))
        digits.insert(0, static_cast<std::size_t>(f.places) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(f.places), ".");
    return neg ? "-" + digits : digits;
}

bool set_field_int(const FieldDesc& f, void* record, std::int64_t v, int element) {
    if (is_text(f.type)) {
        f.access.set_text(f.element(record, element), std::to_string(v));
        return true;
    }
    if (v < f.min_value() || v > f.max_value()) return false;
    f.access.set_int(f.element(record, element), v);
    return true;
}

bool set_field_text(const FieldDesc& f, void* record, std::string_view text, int element) {
    if (is_text(f.type)) {
        f.access.set_text(f.element(record, element), text);
        return true;
    }
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return set_field_int(f, record, 0, element);
    bool neg = false;
    if (text.front() == '-' || text.front() == '+') {
        neg = text.front() == '-';
        text.remove_prefix(1);
    }
    int places = f.type == FieldType::Decimal ? f.places : 0;
    std::string_view whole = text, frac;
    if (auto dot = text.find_first_of(".,"); dot != std::string_view::npos) {
        whole = text.substr(0, dot);
        frac = text.substr(dot + 1);
    }
    if (whole.empty() && frac.empty()) return false;
    std::int64_t v = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return false;
        if (v > (std::numeric_limits<std::int64_t>::max() - 9) / 10) return false;
        v = v * 10 + (c - '0');
    }
    int used = 0;
    bool round_up = false;
    for (char c : frac) {
        if (c < '0' || c > '9') return false;
        if (used < places) {
            if (v > (std::numeric_limits<std::int64_t>::max() - 9) / 10) return false;
            v = v * 10 + (c - '0');
            ++used;
        } else if (used == places) {
            round_up = c >= '5';  // half away from zero on the first dropped digit
            ++used;
        }
    }
    for (; used < places; ++used) v *= 10;
    if (round_up) ++v;
    return set_field_int(f, record, neg ? -v : v, element);
}

std::int64_t field_int(const FieldDesc& f, const void* record, int element) {
    if (is_text(f.type)) return 0;
    return f.access.get_int(f.element(record, element));
}

bool field_empty(const FieldDesc& f, const void* record) {
    for (int e = 0; e < f.elements; ++e) {
        const void* p = f.element(record, e);
        if (is_text(f.type)) {
            for (char c : f.access.get_text(p))
                if (c != ' ' && c != '\0') return false;
        } else if (f.access.get_int(p) != 0) {
            return false;
        }
    }
    return true;
}

void clear_field(const FieldDesc& f, void* record) {
    for (int e = 0; e < f.elements; ++e) {
        void* p = f.element(record, e);
        if (is_text(f.type))
            f.access.set_text(p, std::string_view(""));
        else
            f.access.set_int(p, 0);
    }
}

}  // namespace vorel::data
