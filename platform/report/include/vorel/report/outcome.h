// Outcome: the result of a report-layer operation that can fail (writing a file, sending mail):
// ok, or a message that says what failed, for the user.
#pragma once

#include <string>
#include <utility>

namespace vorel::report {

struct [[nodiscard]] Outcome {
    std::string error;  // empty on success
    bool ok() const { return error.empty(); }
    static Outcome success() { return {}; }
    static Outcome failure(std::string message) { return {std::move(message)}; }
};

}  // namespace vorel::report
