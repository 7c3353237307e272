// ErrorManager: the running thread's raising of numbered messages.
//
// One per thread (`ErrorManager::current()`): its procedure-name stack, field text, %Message text and
// previous message are the thread's own. `raise(id)` fills the message's tokens from the thread's
// last error (error.h) and from what the caller set, then acts on its level through the thread's
// Asker: Benign shows nothing and returns 0; User asks Yes/No and returns 0 for Yes, Cancel (4) for
// No; Fatal shows the text followed by "  Press OK to end this application" and halts; the others
// show it with OK and return their level.
//
//   ErrorManager& em = ErrorManager::current();
//   em.set_field_text("Mês data base");
//   int answer = em.raise_with_message(kMsgFieldOutOfRange, "1 .. 12");   // 5 after OK
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorel/data/asker.h"
#include "vorel/data/error.h"
#include "vorel/data/messages.h"

namespace vorel::data {

class ErrorManager {
public:
    static ErrorManager& current();

    // The thread's asker; the default asker when none is set.
    void set_asker(Asker* asker) { asker_ = asker; }
    Asker* asker() const;

    void push_procedure(std::string_view name) { procedures_.emplace_back(name); }
    void pop_procedure() {
        if (!procedures_.empty()) procedures_.pop_back();
    }
    std::string_view procedure() const { return procedures_.empty() ? std::string_view{} : procedures_.back(); }

    void set_field_text(std::string_view text) { field_ = text; }
    void set_file(std::string_view file) { file_ = file; }
    void set_key(std::string_view key) { key_ = key; }

    int raise(int id);
    int raise_with_message(int id, std::string_view message);
    // The message's text with its tokens filled in (without raising it).
    std::string substitute(std::string_view text) const;

    // The error state that hooks keep around the framework's work.
    struct State {
        LastError error;
        std::string field, file, key, message;
    };
    State save() const;
    void restore(const State& s);

    std::string_view previous() const { return previous_; }

private:
    Asker* asker_ = nullptr;
    std::vector<std::string> procedures_;
    std::string field_, file_, key_, message_, previous_;
    std::string category_;
};

// Pushes a procedure name for a scope.
class ProcedureScope {
public:
    explicit ProcedureScope(std::string_view name) { ErrorManager::current().push_procedure(name); }
    ~ProcedureScope() { ErrorManager::current().pop_procedure(); }
    ProcedureScope(const ProcedureScope&) = delete;
    ProcedureScope& operator=(const ProcedureScope&) = delete;
};

}  // namespace vorel::data
