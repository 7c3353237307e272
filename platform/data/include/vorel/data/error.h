// Error codes of the table engine and the running thread's last error.
//
// Every table operation returns an ErrorCode (0 = success) and leaves the same code, its text and
// the file it concerns in the thread's last error (`last_error()`), which the error manager's
// message tokens (%ErrorCode, %Error, %FileError, ...) read. The codes are those the procedures test:
// 2 missing file, 32 access denied (file locked by another user), 33 end of the key order, 35 record
// not found, 40 duplicate key, 46 keys invalid, 47 invalid file, 52 already open, 90 operating-system
// error (with the system's own text and code in file_error_*), 92 stopped by the caller's progress callback.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace vorel::data {

enum ErrorCode : int {
    kNoError = 0,
    kFileNotFound = 2,
    kPathNotFound = 3,
    kAccessDenied = 5,
    kFileLocked = 32,        // access denied: another user holds the file (the lock wait ran out)
    kRecordNotAvailable = 33,  // end (or start) of the key order
    kRecordNotFound = 35,
    kFileNotOpen = 37,
    kDuplicateKey = 40,
    kNoRecord = 43,          // put/delete without a current record
    kKeysInvalid = 46,
    kInvalidFile = 47,
    kAlreadyOpen = 52,
    kTransactionActive = 56,
    kBadValue = 75,          // a value that does not fit its field
    kTooManyFiles = 80,      // more files open at once in one thread than the engine can attach
    kOsError = 90,
    kNoTransaction = 91,
    kStopped = 92,           // the caller's progress callback asked to stop; nothing was changed
};

// The result of a table operation: its error code, kNoError when it was done. Every result must be
// looked at ([[nodiscard]]): test it with `ok()` or against a named code (`r == kRecordNotFound`).
// A result is not a number: it does not turn into an int or a bool, so `r == 0`, `if (r)` and
// `int rc = r` do not compile; `code()` gives the code where one is handed on (a message token, a
// thread's exit value). The engine's own functions build it from the code they set.
class [[nodiscard]] Result {
public:
    constexpr Result() noexcept = default;
    constexpr Result(ErrorCode code) noexcept : code_(code) {}
    constexpr Result(int code) noexcept : code_(static_cast<ErrorCode>(code)) {}
    constexpr ErrorCode code() const noexcept { return code_; }
    constexpr bool ok() const noexcept { return code_ == kNoError; }
    friend constexpr bool operator==(Result r, ErrorCode code) noexcept { return r.code_ == code; }

private:
    ErrorCode code_ = kNoError;
};

// A result in test failures and logs: "35 (Registro não encontrado)".
std::ostream& operator<<(std::ostream& out, Result r);

enum Level : int;  // messages.h

// What a framework operation (insert, update, a field rule, a delete with its children) ends with:
// a level of messages.h, not an error code: kBenign when it was done, otherwise the level of the
// message it showed (kNotify) or the user's answer to it. Like a result it is not a number: test it
// with `done()` or against a named level (`o == kNotify`); `level()` gives the number.
class [[nodiscard]] Outcome {
public:
    constexpr Outcome(int level = 0) noexcept : level_(level) {}
    constexpr int level() const noexcept { return level_; }
    constexpr bool done() const noexcept { return level_ == 0; }
    friend constexpr bool operator==(Outcome o, Level level) noexcept { return o.level_ == level; }

private:
    int level_;
};

// An outcome in test failures and logs: its level.
std::ostream& operator<<(std::ostream& out, Outcome o);

// Whether a framework operation shows its messages (field rules, duplicate key) or only returns.
enum class Messages : bool { Quiet, Show };

// Standard text of a code, in Portuguese ("Registro não encontrado"), in Windows-1252 like every
// text of the table layer (convert with text::to_utf8 for a window).
std::string_view error_text(int code);
inline std::string_view error_text(Result r) { return error_text(r.code()); }

struct LastError {
    int code = 0;
    std::string text;            // error_text(code) or a more precise text (Windows-1252)
    int file_error_code = 0;     // the system's (or SQLite's) own code, for 90 and storage errors
    std::string file_error_text;
    std::string file;            // the file name the error concerns (trailing blanks cut)
    std::string key;             // description of the colliding key (duplicate key)
};

// The running thread's last error; every operation sets or clears it.
LastError& last_error();
// An error as its user reads it (Windows-1252): the code's text, the cause when the system gave one
// and the file or files it concerns: "Erro do sistema de arquivos: disco cheio (C:\...\SaldoPro.Tps)".
std::string describe(const LastError& e);
// Sets the thread's last error and returns its code (for `return fail(...)`).
int set_error(int code, std::string_view file = {}, std::string_view detail = {}, int file_error_code = 0);
void clear_error();

}  // namespace vorel::data
