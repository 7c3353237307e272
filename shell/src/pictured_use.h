// Use-variables that show a record field through a picture and read typed text back through it:
// dates as month and year, numbers in digit patterns (CEP, telephone). A refused text keeps the
// field changed and the value as it was.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/ui/use_var.h"

namespace vorel::shell {

template <class Int>
ui::UsePtr UsePicture(std::string picture, Int& v) {
    return ui::UseFn(
        [picture, &v] {
            if (v == 0) return std::string();
            return text::to_utf8(picture::format(picture, static_cast<long long>(v)));
        },
        [picture, &v](const std::string& s) {
            auto lido = picture::parse_number(picture::Picture(picture), text::from_utf8(s));
            if (!lido) return false;
            long long n = lido->to_integer();
            if (n < static_cast<long long>(std::numeric_limits<Int>::min()) ||
                n > static_cast<long long>(std::numeric_limits<Int>::max()))
                return false;
            v = static_cast<Int>(n);
            return true;
        });
}

// A month kept as the day number of its first day, shown mm/yyyy (blank when 0).
inline ui::UsePtr UseMesAno(std::int32_t& dia) { return UsePicture("@d014b", dia); }

}  // namespace vorel::shell
