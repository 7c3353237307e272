// Asker: how the table layer asks the user something, without knowing any window code.
//
// The error manager (messages 15, 17-19, 35, the file errors) and the table-opening warnings show
// their boxes through an Asker. The window layer implements it (a message box on the asking
// procedure's thread) and installs it with `set_default_asker`; a thread may install its own with
// `ErrorManager::set_asker`. Tests answer through ScriptedAsker. `halt` ends the program after a
// fatal message; the window layer shuts the program down, tests record it.
//
// A question that nobody answers (no asker, no procedure thread to ask on, or the program closing
// while the box is open) gets its safe answer, never its default button: see `safe_answer`.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorel::data {

// Buttons, combinable; the answer is one of them.
enum Button : unsigned {
    kButtonOk = 1,
    kButtonYes = 2,
    kButtonNo = 4,
    kButtonAbort = 8,
    kButtonRetry = 16,
    kButtonIgnore = 32,
    kButtonCancel = 64,
};

enum class Icon { None, Exclamation, Question, Hand, Asterisk };

struct AskRequest {
    std::string title;
    std::string text;        // Windows-1252; '|' breaks the line
    Icon icon = Icon::Exclamation;
    unsigned buttons = kButtonOk;
    unsigned default_button = kButtonOk;
};

class Asker {
public:
    virtual ~Asker() = default;
    // Shows the box and returns the button pressed.
    virtual unsigned ask(const AskRequest& request) = 0;
    // Ends the program with a halt message (exit code 0). May return in tests; callers then return.
    virtual void halt(std::string_view message) = 0;
};

// The answer of a question nobody answered: the one that changes nothing. No when offered, else
// Cancel, else Abort, else OK; never Yes, Retry or Ignore unless they are the only buttons.
unsigned safe_answer(const AskRequest& request);

// The asker of threads that installed none (the window layer sets it at start-up). Without one,
// questions get their safe answer and halts throw ProgramHalted.
void set_default_asker(Asker* asker);
Asker* default_asker();

// A halt with no asker to end the program (or a scripted one that stops the caller).
struct ProgramHalted : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Answers from a script, records every request and halt. For tests.
class ScriptedAsker : public Asker {
public:
    ScriptedAsker() = default;
    explicit ScriptedAsker(std::vector<unsigned> answers) : answers_(answers.begin(), answers.end()) {}
    void answer(unsigned button) { answers_.push_back(button); }
    // The next scripted answer, or the request's default when the script is empty.
    unsigned ask(const AskRequest& request) override;
    // Records the halt and throws ProgramHalted when `throw_on_halt` (the default), so that code
    // after a halt never runs in a test.
    void halt(std::string_view message) override;

    std::vector<AskRequest> asked;
    std::vector<std::string> halts;
    bool throw_on_halt = true;

private:
    std::deque<unsigned> answers_;
};

}  // namespace vorel::data
