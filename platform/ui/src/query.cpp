// Query by example.
#include "vorel/ui/query.h"

#include <cstdlib>

#include "vorel/core/text.h"

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

bool Query::Ask(ProcContext& ctx, const std::vector<BrowseColumn>& columns) {
    enum : int { kOk = 1, kClear = 2, kCancel = 3, kFirst = 100 };
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
    w.SetDefaultButton(kOk);
    w.Open();
    bool applied = false;
    for (Event e; (e = w.Accept()).code != event::None;) {
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
