#include "vorel/core/text.h"

namespace vorel::text {

std::string_view clip(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

int compare(std::string_view a, std::string_view b) {
    int c = clip(a).compare(clip(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace vorel::text
