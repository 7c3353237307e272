// Query: query by example over a browse's columns.
//
// `Ask` opens the query window on the calling thread (caption "Query", one entry per column, "&OK",
// "&Limpa", "&Cancela"); each entry takes a condition on that column's shown text: "=v", "<>v", "<v",
// "<=v", ">v", ">=v", or a plain text that the cell must contain (without regard to case). Numbers
// compare as numbers. `Matches` tells whether a row passes every condition; `Clear` drops them.
// A browse attaches it to a button (`BrowseManager::AttachQuery`).
//
// A query made with a name (the procedure's, "BFuncionarios") also keeps queries under it: its
// window has "&Salva" (icon "QkQBE.ico"), which files the conditions typed under a name the user
// gives, and "&Recupera" (icon "QkLoad.ico"), which puts a filed query's conditions back into the
// window. They live in the settings file "Consultas.ini", in the section of that name.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "vorel/ui/browse_manager.h"

namespace vorel::ui {

class Query {
public:
    explicit Query(std::string savedUnder = {}) : savedUnder_(std::move(savedUnder)) {}
    bool Ask(ProcContext& ctx, const std::vector<BrowseColumn>& columns);
    void SetCondition(int column, std::string condition);  // 0-based column
    void Clear() { conditions_.clear(); }
    bool active() const { return !conditions_.empty(); }
    bool Matches(const Row& row) const;
    static bool CellMatches(const std::string& cell, const std::string& condition);
    const std::string& savedUnder() const { return savedUnder_; }

    // The queries filed under this query's name, and one of them (column -> condition), UTF-8.
    std::vector<std::string> SavedNames() const;
    std::map<int, std::string> Saved(const std::string& name) const;
    // Files `conditions` under `name` (UTF-8; '=', '|', '[' and ']' are dropped from it). False when
    // the settings file cannot be written or the name is left blank.
    bool Save(std::string name, const std::map<int, std::string>& conditions) const;

private:
    std::string savedUnder_;
    std::map<int, std::string> conditions_;
};

}  // namespace vorel::ui
