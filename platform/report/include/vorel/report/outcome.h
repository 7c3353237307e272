// Outcome: the result of a report-layer operation that can fail (writing a file, sending mail):
// ok, or a message that says what failed, for the user. A success may carry a notice the user
// should still read (an e-mail sent without encryption).
#pragma once

#include <string>
#include <utility>

namespace vorel::report {

struct [[nodiscard]] Outcome {
    std::string error;   // empty on success
    std::string notice;  // on success: something the user should know; usually empty
    bool ok() const { return error.empty(); }
    static Outcome success() { return {}; }
    static Outcome success_with(std::string notice) { return {{}, std::move(notice)}; }
    static Outcome failure(std::string message) { return {std::move(message), {}}; }
};

}  // namespace vorel::report
