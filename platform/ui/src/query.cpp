// Query by example.
#include "vorel/ui/query.h"

#include <cstdlib>

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/ui/message_box.h"

namespace vorel::ui {

namespace {
std::string Trim(std::string s) {
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}
bool AsNumber(const std::string& s, double& out) {
    std::string t;
    for (char c : s) {
        if (c == '.') continue;       // thousands separator as shown
        t += c == ',' ? '.' : c;
    }
    if (t.empty()) return false;
    char* end = nullptr;
    out = std::strtod(t.c_str(), &end);
    return end && *end == '\0';
}
std::string Fold(const std::string& utf8) { return text::to_utf8(text::upper(text::from_utf8(utf8))); }
}  // namespace

void Query::SetCondition(int column, std::string condition) {
    condition = Trim(condition);
    if (condition.empty()) conditions_.erase(column);
    else conditions_[column] = std::move(condition);
}

bool Query::CellMatches(const std::string& cellText, const std::string& condition) {
    std::string cell = Trim(cellText);
    std::string op, value;
    for (const char* o : {"<>", "<=", ">=", "=", "<", ">"}) {
        std::string so(o);
        if (condition.rfind(so, 0) == 0) {
            op = so;
            value = Trim(condition.substr(so.size()));
            break;
        }
    }
    if (op.empty()) return Fold(cell).find(Fold(condition)) != std::string::npos;
    int cmp;
    double a, b;
    if (AsNumber(cell, a) && AsNumber(value, b)) cmp = a < b ? -1 : (a > b ? 1 : 0);
    else cmp = Fold(cell).compare(Fold(value));
    if (op == "=") return cmp == 0;
    if (op == "<>") return cmp != 0;
    if (op == "<") return cmp < 0;
    if (op == "<=") return cmp <= 0;
    if (op == ">") return cmp > 0;
    return cmp >= 0;
}

bool Query::Matches(const Row& row) const {
    for (const auto& [col, cond] : conditions_) {
        if (col < 0 || col >= static_cast<int>(row.size())) continue;
        if (!CellMatches(row[static_cast<std::size_t>(col)].text, cond)) return false;
    }
    return true;
}

namespace {
constexpr const char* kQueriesFile = "Consultas.ini";
constexpr const char* kNamesKey = "Consultas";
std::string Key(const std::string& name) { return "Q." + name; }
std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == sep) {
            if (i > start) out.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    return out;
}
// A small window of its own that asks for a name, typed or picked among `names`; "" when cancelled.
std::string AskName(ProcContext& ctx, const std::string& caption, const std::vector<std::string>& names, bool typed) {
    enum : int { kPrompt = 1, kName = 2, kOk = 3, kCancel = 4 };
    std::string name = names.empty() ? std::string() : names.front();
    Window w(ctx, caption);
    w.Prompt(kPrompt, "Nome da consulta:");
    if (typed) w.Combo(kName, Use(name), names);
    else w.DropList(kName, Use(name), names);
    w.Button(kOk, "&OK");
    w.Button(kCancel, "&Cancela");
    w.SetDefaultButton(kOk);
    w.Open();
    bool ok = false;
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::CloseWindow || (e.code == event::Accepted && e.feq == kCancel)) w.Close();
        if (e.code == event::Accepted && e.feq == kOk && w.Update()) {
            ok = true;
            w.Close();
        }
    }
    return ok ? Trim(name) : std::string();
}
}  // namespace

std::vector<std::string> Query::SavedNames() const {
    if (savedUnder_.empty()) return {};
    std::vector<std::string> names = Split(settings::SettingsFile(kQueriesFile).read_text(savedUnder_, kNamesKey), '|');
    for (std::string& n : names) n = text::to_utf8(n);
    return names;
}

std::map<int, std::string> Query::Saved(const std::string& name) const {
    std::map<int, std::string> out;
    std::string stored = settings::SettingsFile(kQueriesFile).read_text(savedUnder_, Key(text::from_utf8(name)));
    for (const std::string& item : Split(stored, '\t')) {
        std::size_t colon = item.find(':');
        long long column = 0;
        if (colon == std::string::npos || !ParseLeadingInteger(item.substr(0, colon), column)) continue;
        out[static_cast<int>(column)] = text::to_utf8(item.substr(colon + 1));
    }
    return out;
}

bool Query::Save(std::string name, const std::map<int, std::string>& conditions) const {
    std::string clean;
    for (char c : text::from_utf8(name))
        if (c != '=' && c != '|' && c != '[' && c != ']' && c != '\t') clean += c;
    clean = Trim(clean);
    if (savedUnder_.empty() || clean.empty()) return false;
    std::string stored;
    for (const auto& [column, condition] : conditions) {
        if (!stored.empty()) stored += '\t';
        stored += std::to_string(column) + ":" + text::from_utf8(condition);
    }
    auto ec = settings::SettingsFile(kQueriesFile).update([&](settings::Content& c) {
        std::vector<std::string> names = Split(c.find(savedUnder_, kNamesKey).value_or(""), '|');
        bool known = false;
        for (const std::string& n : names) known = known || text::upper(n) == text::upper(clean);
        if (!known) names.push_back(clean);
        std::string joined;
        for (const std::string& n : names) joined += (joined.empty() ? "" : "|") + n;
        c.set(savedUnder_, kNamesKey, joined);
        c.set(savedUnder_, Key(clean), stored);
    });
    return !ec;
}

bool Query::Ask(ProcContext& ctx, const std::vector<BrowseColumn>& columns) {
    enum : int { kOk = 1, kClear = 2, kCancel = 3, kSave = 4, kLoad = 5, kFirst = 100 };
    std::vector<std::string> values(columns.size());
    for (auto& [col, cond] : conditions_)
        if (col >= 0 && col < static_cast<int>(values.size())) values[static_cast<std::size_t>(col)] = cond;
    Window w(ctx, "Query");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        w.Prompt(kFirst + 2 * static_cast<int>(i), columns[i].heading);
        w.Entry(kFirst + 2 * static_cast<int>(i) + 1, Use(values[i]));
    }
    w.Button(kOk, "&OK");
    w.Button(kClear, "&Limpa");
    w.Button(kCancel, "&Cancela");
    if (!savedUnder_.empty()) {
        w.Button(kSave, "&Salva").Icon("QkQBE.ico").Tip("Salva a consulta");
        w.Button(kLoad, "&Recupera").Icon("QkLoad.ico").Tip("Recupera uma consulta salva");
    }
    w.SetDefaultButton(kOk);
    w.Open();
    bool applied = false;
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::Accepted && e.feq == kSave && w.Update()) {
            std::map<int, std::string> typed;
            for (std::size_t i = 0; i < values.size(); ++i)
                if (!Trim(values[i]).empty()) typed[static_cast<int>(i)] = Trim(values[i]);
            std::string name = AskName(ctx, "Salvar Consulta", SavedNames(), true);
            if (!name.empty() && !Save(name, typed))
                Message("A consulta não foi salva.", "Atenção", Icon::Exclamation);
        }
        if (e.code == event::Accepted && e.feq == kLoad) {
            std::vector<std::string> names = SavedNames();
            if (names.empty()) {
                Message("Nenhuma consulta salva.", "Atenção", Icon::Information);
                continue;
            }
            std::string name = AskName(ctx, "Recuperar Consulta", names, false);
            if (name.empty()) continue;
            std::map<int, std::string> saved = Saved(name);
            for (std::size_t i = 0; i < values.size(); ++i) {
                auto it = saved.find(static_cast<int>(i));
                values[i] = it == saved.end() ? std::string() : it->second;
            }
            for (Control* c : w.Controls()) if (c->type() == ControlType::Entry) c->Touched(false);
            w.Display();
        }
        if (e.code == event::CloseWindow || (e.code == event::Accepted && e.feq == kCancel)) w.Close();
        if (e.code == event::Accepted && e.feq == kClear) {
            for (auto& v : values) v.clear();
            for (Control* c : w.Controls()) if (c->type() == ControlType::Entry) c->Touched(false);
        }
        if (e.code == event::Accepted && e.feq == kOk) {
            w.Update();
            conditions_.clear();
            for (std::size_t i = 0; i < values.size(); ++i) SetCondition(static_cast<int>(i), values[i]);
            applied = true;
            w.Close();
        }
    }
    return applied;
}

}  // namespace vorel::ui
