// State-registration (Inscrição Estadual) check.
//
// `ConsisteInscricaoEstadual` decides whether a registration is well formed for a state: its length,
// its fixed leading digits and its check digits, by each of the 27 states' own rule. It is a pure
// function with no state; the supplier form asks it on OK and the reports of invalid registrations
// call it once per supplier or customer, passing the 20-character field and the 2-letter state as
// they stand in the record.
//
// What it accepts:
// - the registration with or without the points, dashes, slashes and blanks people type
//   ("062.307.904/0081", "0623079040081", "  0623079040081   " are the same); a zero byte ends
//   the text, as in a zero-ended buffer;
// - "ISENTO" (any case, blanks around it) for every known state;
// - the state's two letters in any case, with blanks around them.
// Any other character, an empty registration and one made only of zeros are refused.
//
// Result: 0 when valid, otherwise one of the codes below. Callers that only need valid or invalid
// test for 0; every code fits in a byte.
#pragma once

#include <string_view>

namespace vorel::shell {

namespace ie_result {
inline constexpr int valid = 0;
inline constexpr int check_digit = 1;    // well formed, but a check digit is wrong
inline constexpr int format = 2;         // empty, all zeros, wrong length, a stray character, or
                                         // leading digits the state never issues
inline constexpr int unknown_state = 3;  // the state letters name none of the 27 states
}  // namespace ie_result

[[nodiscard]] int ConsisteInscricaoEstadual(std::string_view inscricao, std::string_view uf);

}  // namespace vorel::shell
