// What an entry takes: the most characters its picture and its field hold, no control characters,
// and a negative number only under a signed picture. The window model applies these rules before a
// typed text reaches the control's use-variable (a refused text keeps the field changed and the
// focus, as any refused value), and publishes the maximum length for front ends to enforce while
// the user types.
//
//     int max = EntryMaxLength("@s3", 40);                                  // 3
//     bool ok = EntryTakes(ControlType::Entry, "@N20", 0, "-1");            // false: unsigned
#pragma once

#include <cstddef>
#include <string>

#include "vorel/ui/types.h"

namespace vorel::ui {

// The characters a control takes: a picture's width (numbers, dates and patterns count their
// separators); for a text picture the smaller of its width and the field's (`fieldWidth`, 0 when
// unknown); without a picture the field's; 0 means no limit.
int EntryMaxLength(const std::string& picture, std::size_t fieldWidth);

// Whether typed text (UTF-8) is a value the control can take: not longer than `maxLength`
// characters (trailing blanks do not count), no control characters (a multi-line text box takes
// line ends and tabs), a number picture's sign, a pattern's digits (leading zeros aside) and a
// key-in template's characters.
bool EntryTakes(ControlType type, const std::string& picture, int maxLength, const std::string& typed);

}  // namespace vorel::ui
