// The message table: the numbered messages the table layer raises, with level, title and text.
//
// Texts carry tokens that the error manager fills in when it raises them: %File, %Field, %Key,
// %Message, %ErrorText, %ErrorCode, %Error, %FileError, %FileErrorCode, %Procedure, %Category,
// %Previous. '|' breaks a line. The level says what raising does: Benign shows nothing, User asks
// Yes/No, Fatal ends the program after the box, the others show the box with OK.
#pragma once

#include <span>
#include <string_view>

namespace vorel::data {

enum Level : int { kBenign = 0, kUser = 1, kProgram = 2, kFatal = 3, kCancel = 4, kNotify = 5 };

struct MessageEntry {
    int id = 0;
    Level level = kNotify;
    std::string_view category;  // %Category
    std::string_view title;
    std::string_view text;      // Windows-1252
};

// Message ids that code names.
enum MessageId : int {
    kMsgDuplicateKey = 15,
    kMsgFieldNotInList = 17,
    kMsgFieldOutOfRange = 18,
    kMsgFieldTooLarge = 19,
    kMsgAutoNumberFailed = 35,
};

std::span<const MessageEntry> message_table();  // 53 messages, by id
const MessageEntry* find_message(int id);        // nullptr when none

}  // namespace vorel::data
