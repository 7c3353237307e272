// Use-variables: what a control shows and where its value goes.
//
// A control bound to a use-variable shows the variable's value after every event and, when the
// user has changed it, writes the typed text back into the variable when the control is accepted
// (left, or the form's OK pass). Bindings exist for locals (UTF-8 text, integers, booleans), for the
// fixed-width Windows-1252 text fields of record buffers (converted at this edge; a text longer
// than the field is refused), and for any pair of functions (a field reached by name through a
// table's description, a `Guarded` global).
//
//     win.Entry(2, Use(rec.CODIGO));                       // short field of a record buffer
//     win.Entry(3, Use(rec.DESCRICAO));                    // String<100>, Windows-1252
//     win.Entry(4, UseFn([&]{ return Text(); }, [&](const std::string& s) { ...; return true; }));
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

#include "vorel/core/fixed_string.h"
#include "vorel/core/text.h"

namespace vorel::ui {

class UseVar {
public:
    virtual ~UseVar() = default;
    virtual std::string Get() const = 0;              // the value as displayed text (UTF-8)
    virtual bool Set(const std::string& text) = 0;     // false: the text is not a valid value
    // Characters the variable holds (a record's text field); 0 when it sets no limit.
    virtual std::size_t MaxLength() const { return 0; }
    // The picture the variable shows and reads its text through ("@d06b"), when it has one.
    virtual std::string Picture() const { return {}; }
};
using UsePtr = std::shared_ptr<UseVar>;

class FnUse : public UseVar {
public:
    FnUse(std::function<std::string()> get, std::function<bool(const std::string&)> set)
        : get_(std::move(get)), set_(std::move(set)) {}
    std::string Get() const override { return get_(); }
    bool Set(const std::string& text) override { return set_ ? set_(text) : false; }

private:
    std::function<std::string()> get_;
    std::function<bool(const std::string&)> set_;
};

inline UsePtr UseFn(std::function<std::string()> get, std::function<bool(const std::string&)> set) {
    return std::make_shared<FnUse>(std::move(get), std::move(set));
}

// A pair of functions that show and read the value through `picture`.
class PicturedFnUse : public FnUse {
public:
    PicturedFnUse(std::function<std::string()> get, std::function<bool(const std::string&)> set, std::string picture)
        : FnUse(std::move(get), std::move(set)), picture_(std::move(picture)) {}
    std::string Picture() const override { return picture_; }

private:
    std::string picture_;
};

// Reads the leading integer of a text ("  12", "-3", "1 CFO Entrada" -> 1); blank is 0.
bool ParseLeadingInteger(const std::string& text, long long& out);

inline UsePtr Use(std::string& utf8) {
    return UseFn([&utf8] { return utf8; }, [&utf8](const std::string& s) { utf8 = s; return true; });
}

inline UsePtr Use(bool& b) {
    return UseFn([&b] { return std::string(b ? "1" : "0"); },
                 [&b](const std::string& s) { b = !s.empty() && s != "0"; return true; });
}

template <class Int>
    requires std::is_integral_v<Int> && (!std::is_same_v<Int, bool>)
UsePtr Use(Int& v) {
    return UseFn([&v] { return std::to_string(static_cast<long long>(v)); },
                 [&v](const std::string& s) {
                     long long n = 0;
                     if (!ParseLeadingInteger(s, n)) return false;
                     if (n < static_cast<long long>(std::numeric_limits<Int>::min()) ||
                         static_cast<unsigned long long>(n) >
                             static_cast<unsigned long long>(std::numeric_limits<Int>::max()))
                         return false;
                     v = static_cast<Int>(n);
                     return true;
                 });
}

// A fixed-width text field takes at most its capacity: a longer text (trailing blanks aside) is
// refused, never cut.
template <std::size_t N, TextKind K>
class FieldUse : public UseVar {
public:
    explicit FieldUse(FixedText<N, K>& field) : field_(field) {}
    std::string Get() const override { return text::to_utf8(field_.clipped()); }
    bool Set(const std::string& utf8) override {
        std::string v = text::from_utf8(utf8);
        if (text::clip(v).size() > FixedText<N, K>::capacity) return false;
        field_ = v;
        return true;
    }
    std::size_t MaxLength() const override { return FixedText<N, K>::capacity; }

private:
    FixedText<N, K>& field_;
};

template <std::size_t N, TextKind K>
UsePtr Use(FixedText<N, K>& field) {
    return std::make_shared<FieldUse<N, K>>(field);
}

}  // namespace vorel::ui
