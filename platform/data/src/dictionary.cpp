#include "vorel/data/dictionary.h"

#include "session.h"

#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace vorel::data::dictionary {

namespace {

struct Entry {
    std::unique_ptr<FileManager> file;
    std::unique_ptr<RelationManager> relation;
};

struct ThreadTables {
    std::vector<std::unique_ptr<Entry>> entries;
    std::unordered_map<const TableDesc*, Entry*> by_desc;
    ~ThreadTables() { clear(); }
    void clear() {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            while ((*it)->file->is_open()) (void)(*it)->file->close();
        by_desc.clear();
        entries.clear();
    }
};

ThreadTables& tables() {
    // The thread's storage session is made first, so that it is destroyed after the tables that
    // close their files into it when the thread ends.
    Session::current();
    thread_local ThreadTables t;
    return t;
}

Entry& entry(const TableDesc& d) {
    auto& t = tables();
    auto it = t.by_desc.find(&d);
    if (it == t.by_desc.end()) throw std::logic_error("table not set up in this thread: " + d.label);
    return *it->second;
}

}  // namespace

void init(std::span<const DescFn> list) {
    auto& t = tables();
    t.clear();
    for (DescFn fn : list) {
        const TableDesc& d = fn();
        auto e = std::make_unique<Entry>();
        e->file = std::make_unique<FileManager>(d);
        e->relation = std::make_unique<RelationManager>(*e->file);
        t.by_desc[&d] = e.get();
        t.entries.push_back(std::move(e));
    }
}

void teardown() { tables().clear(); }

bool ready() { return !tables().entries.empty(); }

FileManager& file(const TableDesc& d) { return *entry(d).file; }
RelationManager& relation(const TableDesc& d) { return *entry(d).relation; }

FileManager* find(const TableDesc& d) {
    auto& t = tables();
    auto it = t.by_desc.find(&d);
    return it == t.by_desc.end() ? nullptr : it->second->file.get();
}

}  // namespace vorel::data::dictionary
