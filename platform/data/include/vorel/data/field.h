// Fields of a record layout: type words, widths, and type-erased access to a field of a record struct.
//
// A table's record is a plain C++ struct (String<N>, CString<N>, PString<N>, integers, decimal fields,
// std::array of those for array fields). Its description lists one FieldDesc per field, made by
// TableBuilder from a member pointer, so generic code (forms, browses, imports, the engine itself)
// reads and writes any field by number or name through `field_text`, `field_int` and their setters.
// Decimals are kept as scaled integers: a decimal(d,p) field's integer value is its value times 10^p.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "vorel/core/decimal_field.h"
#include "vorel/core/fixed_string.h"

namespace vorel::data {

enum class FieldType : std::uint8_t {
    String, CString, PString, Byte, Short, UShort, Long, ULong, Date, Time, Decimal
};

// The type word as the record layouts write it ("string(14)", "decimal(13,2)", "ulong").
std::string type_word(FieldType type, int width, int digits = 0, int places = 0);
inline bool is_text(FieldType t) {
    return t == FieldType::String || t == FieldType::CString || t == FieldType::PString;
}

// Operations on one element of a field, given its address inside a record.
struct FieldAccess {
    std::string_view (*get_text)(const void* element) = nullptr;       // text kinds
    void (*set_text)(void* element, std::string_view value) = nullptr;  // cuts to the width
    std::int64_t (*get_int)(const void* element) = nullptr;             // numbers; decimals scaled
    void (*set_int)(void* element, std::int64_t value) = nullptr;       // plain store, no range check
};

struct FieldDesc {
    std::string name;    // full name with the prefix: "ENT:Cnpj"
    std::string label;   // the name after the prefix: "Cnpj" (the storage column's name)
    FieldType type = FieldType::Long;
    int width = 0;       // bytes in the record (string(n): n)
    int digits = 0;      // decimal(d,p): d
    int places = 0;      // decimal(d,p): p
    int elements = 1;    // array fields: number of values
    std::size_t offset = 0;  // of element 0 inside the record struct
    std::size_t stride = 0;  // distance between elements
    FieldAccess access;

    void* element(void* record, int index = 0) const {
        return static_cast<char*>(record) + offset + static_cast<std::size_t>(index) * stride;
    }
    const void* element(const void* record, int index = 0) const {
        return static_cast<const char*>(record) + offset + static_cast<std::size_t>(index) * stride;
    }
    // Smallest and largest value the field holds (integers, dates, scaled decimals).
    std::int64_t min_value() const;
    std::int64_t max_value() const;
};

// A decimal(d,p) record field (DecimalField<D,P>): tells its digits and places and goes to and from
// its scaled integer.
template <class T>
concept ScaledDecimalField = requires(const T ct, long long v) {
    { T::digits } -> std::convertible_to<int>;
    { T::places } -> std::convertible_to<int>;
    { ct.scaled() } -> std::convertible_to<std::int64_t>;
    { T::from_scaled(v) } -> std::convertible_to<T>;
};

namespace detail {

template <class T>
struct FieldTraits;  // FieldType, width, access for one element type

template <class T>
    requires std::is_integral_v<T>
struct FieldTraits<T> {
    static_assert(sizeof(T) <= 4, "record integers are at most 4 bytes");
    static constexpr FieldType type = sizeof(T) == 1   ? FieldType::Byte
                                      : sizeof(T) == 2 ? (std::is_signed_v<T> ? FieldType::Short : FieldType::UShort)
                                                       : (std::is_signed_v<T> ? FieldType::Long : FieldType::ULong);
    static constexpr int width = sizeof(T);
    static constexpr int digits = 0, places = 0;
    static FieldAccess access() {
        FieldAccess a;
        a.get_int = [](const void* p) -> std::int64_t { return *static_cast<const T*>(p); };
        a.set_int = [](void* p, std::int64_t v) { *static_cast<T*>(p) = static_cast<T>(v); };
        return a;
    }
};

template <std::size_t N, TextKind K>
struct FieldTraits<FixedText<N, K>> {
    static constexpr FieldType type =
        K == TextKind::String ? FieldType::String : (K == TextKind::CString ? FieldType::CString : FieldType::PString);
    static constexpr int width = static_cast<int>(N);
    static constexpr int digits = 0, places = 0;
    static FieldAccess access() {
        FieldAccess a;
        a.get_text = [](const void* p) { return static_cast<const FixedText<N, K>*>(p)->value(); };
        a.set_text = [](void* p, std::string_view v) { static_cast<FixedText<N, K>*>(p)->assign(v); };
        return a;
    }
};

template <ScaledDecimalField T>
struct FieldTraits<T> {
    static constexpr FieldType type = FieldType::Decimal;
    static constexpr int digits = T::digits;
    static constexpr int places = T::places;
    static constexpr int width = (T::digits + 2) / 2;
    static FieldAccess access() {
        FieldAccess a;
        a.get_int = [](const void* p) -> std::int64_t { return static_cast<const T*>(p)->scaled(); };
        a.set_int = [](void* p, std::int64_t v) { *static_cast<T*>(p) = T::from_scaled(v); };
        return a;
    }
};

template <class T>
struct ArrayInfo {
    using element = T;
    static constexpr int count = 1;
};
template <class T, std::size_t N>
struct ArrayInfo<std::array<T, N>> {
    using element = T;
    static constexpr int count = static_cast<int>(N);
};

}  // namespace detail

// Generic access to a field of a record, by its description. Text fields give their value with
// trailing blanks cut; numbers give decimal digits; decimals give digits with their places
// ("-12.50" for decimal(7,2)).
std::string field_text(const FieldDesc& f, const void* record, int element = 0);
// Stores text into the field: text fields take it cut to their width; numbers and decimals parse
// it (a point or a comma separates the places). False when the text is not a number or the value
// does not fit the field (then the field is unchanged).
bool set_field_text(const FieldDesc& f, void* record, std::string_view text, int element = 0);
// Integer value (decimals: scaled); text fields give 0.
std::int64_t field_int(const FieldDesc& f, const void* record, int element = 0);
// False when the value lies outside the field's range (the field is unchanged).
bool set_field_int(const FieldDesc& f, void* record, std::int64_t value, int element = 0);
// True when the field is blank (text) or zero (numbers), in every element.
bool field_empty(const FieldDesc& f, const void* record);
void clear_field(const FieldDesc& f, void* record);

}  // namespace vorel::data
