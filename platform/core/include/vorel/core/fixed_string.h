// Fixed-width text fields: string(n), cstring(n) and pstring(n) of the record layouts.
//
// All three hold Windows-1252 bytes and cut what is assigned to them to their capacity (the
// runtime's rule, which procedures rely on):
//   String<N>   N bytes, blank-padded on the right;          value() has exactly N bytes
//   CString<N>  zero-ended, at most N-1 characters;           value() has no padding
//   PString<N>  length byte plus at most N-1 characters;      value() has no padding
// Comparisons ignore trailing blanks. These are plain values, cheap to copy, usable in record structs.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "vorel/core/text.h"

namespace vorel {

enum class TextKind { String, CString, PString };

template <std::size_t N, TextKind K>
class FixedText {
public:
    static constexpr std::size_t width = N;  // bytes in the record
    static constexpr std::size_t capacity = (K == TextKind::String) ? N : N - 1;
    static constexpr TextKind kind = K;

    FixedText() { clear(); }
    FixedText(std::string_view s) { assign(s); }  // NOLINT: implicit, like the runtime's assignment
    FixedText(const char* s) { assign(s); }       // NOLINT
    FixedText(const std::string& s) { assign(s); }  // NOLINT
    FixedText& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    FixedText& operator=(const char* s) { return *this = std::string_view(s); }
    FixedText& operator=(const std::string& s) { return *this = std::string_view(s); }

    void assign(std::string_view s) {
        clear();
        length_ = s.size() < capacity ? s.size() : capacity;
        if (length_ > 0) std::memcpy(bytes_.data(), s.data(), length_);
        if constexpr (K == TextKind::String) length_ = capacity;
    }
    void clear() {
        bytes_.fill(K == TextKind::String ? ' ' : '\0');
        length_ = (K == TextKind::String) ? capacity : 0;
    }

    // The held text: String<N> padded to N bytes; the others without padding.
    std::string_view value() const { return {bytes_.data(), length_}; }
    // The held text with trailing blanks cut.
    std::string_view clipped() const { return text::clip(value()); }
    std::string str() const { return std::string(value()); }
    bool empty() const { return clipped().empty(); }

    friend bool operator==(const FixedText& a, std::string_view b) { return text::compare(a.value(), b) == 0; }
    template <std::size_t M, TextKind L>
    bool operator==(const FixedText<M, L>& other) const {
        return text::compare(value(), other.value()) == 0;
    }

private:
    std::array<char, N> bytes_{};
    std::size_t length_ = 0;
};

template <std::size_t N>
using String = FixedText<N, TextKind::String>;
template <std::size_t N>
using CString = FixedText<N, TextKind::CString>;
template <std::size_t N>
using PString = FixedText<N, TextKind::PString>;

}  // namespace vorel
