#include "vorel/data/error_manager.h"

#include <atomic>
#include <utility>

namespace vorel::data {

namespace {
std::atomic<Asker*> g_default_asker{nullptr};

constexpr std::string_view kFatalTail = "  Press OK to end this application";
}  // namespace

void set_default_asker(Asker* asker) { g_default_asker = asker; }
Asker* default_asker() { return g_default_asker; }

unsigned safe_answer(const AskRequest& request) {
    for (unsigned b : {kButtonNo, kButtonCancel, kButtonAbort, kButtonOk})
        if (request.buttons & b) return b;
    return request.default_button;
}

unsigned ScriptedAsker::ask(const AskRequest& request) {
    asked.push_back(request);
    if (answers_.empty()) return request.default_button;
    unsigned a = answers_.front();
    answers_.pop_front();
    return a;
}

void ScriptedAsker::halt(std::string_view message) {
    halts.emplace_back(message);
    if (throw_on_halt) throw ProgramHalted(std::string(message));
}

ErrorManager& ErrorManager::current() {
    thread_local ErrorManager m;
    return m;
}

Asker* ErrorManager::asker() const { return asker_ ? asker_ : default_asker(); }

std::string ErrorManager::substitute(std::string_view text) const {
    const LastError& e = last_error();
    std::string error_text = e.code == kOsError && !e.file_error_text.empty() ? e.file_error_text : e.text;
    error_text += " (" + std::to_string(e.code) + ")";
    std::string file = file_.empty() ? e.file : file_;
    std::string key = key_.empty() ? e.key : key_;
    // Longer tokens first, so that %FileErrorCode is not read as %FileError followed by "Code".
    const std::pair<std::string_view, std::string> tokens[] = {
        {"%FileErrorCode", std::to_string(e.file_error_code)},
        {"%FileError", e.file_error_text},
        {"%ErrorText", error_text},
        {"%ErrorCode", std::to_string(e.code)},
        {"%Error", e.text},
        {"%File", file},
        {"%Field", field_},
        {"%Key", key},
        {"%Message", message_},
        {"%Procedure", std::string(procedure())},
        {"%Category", category_},
        {"%Previous", previous_},
    };
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '%') {
            bool matched = false;
            for (const auto& [token, value] : tokens) {
                if (text.compare(i, token.size(), token) == 0) {
                    out += value;
                    i += token.size();
                    matched = true;
                    break;
                }
            }
            if (matched) continue;
        }
        out.push_back(text[i++]);
    }
    return out;
}

int ErrorManager::raise_with_message(int id, std::string_view message) {
    message_ = message;
    int r = raise(id);
    message_.clear();
    return r;
}

int ErrorManager::raise(int id) {
    const MessageEntry* m = find_message(id);
    if (!m) {
        category_ = "Programa";
        m = find_message(44);
        message_ = "mensagem " + std::to_string(id) + " desconhecida";
    }
    category_ = std::string(m->category);
    std::string text = substitute(m->text);
    field_.clear();
    key_.clear();
    file_.clear();
    if (m->level == kBenign) {
        previous_ = std::move(text);
        return kBenign;
    }
    AskRequest req;
    req.title = std::string(m->title);
    req.text = text;
    if (m->level == kUser) {
        req.icon = Icon::Question;
        req.buttons = kButtonYes | kButtonNo;
        req.default_button = kButtonYes;
    } else if (m->level == kFatal) {
        req.icon = Icon::Hand;
        req.text += kFatalTail;
    }
    previous_ = text;
    Asker* a = asker();
    unsigned answer = a ? a->ask(req) : safe_answer(req);
    switch (m->level) {
        case kUser: return answer == kButtonYes ? kBenign : kCancel;
        case kFatal:
            if (a)
                a->halt(text);
            else
                throw ProgramHalted(text);
            return kFatal;
        default: return m->level;
    }
}

ErrorManager::State ErrorManager::save() const { return {last_error(), field_, file_, key_, message_}; }

void ErrorManager::restore(const State& s) {
    last_error() = s.error;
    field_ = s.field;
    file_ = s.file;
    key_ = s.key;
    message_ = s.message;
}

}  // namespace vorel::data
