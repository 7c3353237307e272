// Query: query by example over a browse's columns.
//
// `Ask` opens the query window on the calling thread (caption "Query", one entry per column, "&OK",
// "&Limpa", "&Cancela"); each entry takes a condition on that column's shown text: "=v", "<>v", "<v",
// "<=v", ">v", ">=v", or a plain text that the cell must contain (without regard to case). Numbers
// compare as numbers. `Matches` tells whether a row passes every condition; `Clear` drops them.
// A browse attaches it to a button (`BrowseManager::AttachQuery`).
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

private:
    std::string savedUnder_;
    std::map<int, std::string> conditions_;
};

}  // namespace vorel::ui
