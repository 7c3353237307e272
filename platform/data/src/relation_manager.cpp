#include "vorel/data/relation_manager.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/record_buffer.h"
#include "vorel/data/transaction.h"
#include "bulk.h"

namespace vorel::data {

namespace {

bool same_value(const FieldDesc& a, const void* ra, const FieldDesc& b, const void* rb) {
    if (is_text(a.type) || is_text(b.type)) return text::compare_nocase(field_text(a, ra), field_text(b, rb)) == 0;
    return field_int(a, ra) == field_int(b, rb);
}

void copy_value(const FieldDesc& from, const void* rf, const FieldDesc& to, void* rt) {
    if (is_text(from.type) || is_text(to.type))
        set_field_text(to, rt, field_text(from, rf));
    else
        set_field_int(to, rt, field_int(from, rf));
}

// Cursors of their own on every table that a change of `root` can reach through its relations,
// opened before the transaction begins (a file cannot join a connection inside one).
class Cascade {
public:
    int open(const TableDesc& d) {
        for (const RelationLink& link : d.children) {
            const TableDesc& c = link.child();
            if (by_desc_.count(&c)) continue;
            auto fm = std::make_unique<FileManager>(c);
            FileManager* own = dictionary::find(c);
            std::string path = own && own->is_open() ? own->file_name() : c.file_name();
            if (Result rc = fm->open_path(path); !rc.ok()) return rc.code();
            by_desc_[&c] = fm.get();
            cursors_.push_back(std::move(fm));
            if (int rc = open(c); rc != kNoError) return rc;
        }
        return kNoError;
    }
    std::vector<FileManager*> all() const {
        std::vector<FileManager*> v;
        for (auto& c : cursors_) v.push_back(c.get());
        return v;
    }
    FileManager& cursor(const TableDesc& d) { return *by_desc_.at(&d); }

private:
    std::vector<std::unique_ptr<FileManager>> cursors_;
    std::unordered_map<const TableDesc*, FileManager*> by_desc_;
};

struct Failure {
    int message = 0;
    std::string file;
};

// The child cursor's buffer cleared, with the parent record's values in the linking fields; the
// child key's number (its first components are the linking fields), or an error.
int prime_link(const RelationLink& link, const TableDesc& pd, const void* pr, FileManager& c, int* key) {
    const TableDesc& cd = c.desc();
    *key = cd.key_index_by_text(link.child_key);
    if (*key < 0) return set_error(kKeysInvalid, c.file_name(), link.child_key);
    c.clear_record();
    for (auto& [pf, cf] : link.fields) copy_value(pd.field(pf), pr, cd.field(cf), c.buffer());
    return kNoError;
}

// Whether the children of one relation can be dealt with in one statement: their linking fields are
// plain fields and no relation of the child acts on this kind of change (nothing to carry further).
bool set_based(const RelationLink& link, const TableDesc& cd, bool deleting) {
    for (auto& [pf, cf] : link.fields)
        if (cd.field(cf).elements != 1) return false;
    for (const RelationLink& grand : cd.children)
        if ((deleting ? grand.del : grand.update) != kNoAction) return false;
    return true;
}

std::vector<int> link_field_numbers(const RelationLink& link, const TableDesc& cd) {
    std::vector<int> v;
    for (auto& [pf, cf] : link.fields) v.push_back(cd.field_index(cf));
    return v;
}

// Positions of the children of the parent record `pr` under one relation.
int children_of(const RelationLink& link, const TableDesc& pd, const void* pr, FileManager& c,
                std::vector<Position>& out) {
    const TableDesc& cd = c.desc();
    int key = -1;
    if (int rc = prime_link(link, pd, pr, c, &key); rc) return rc;
    RecordBuffer wanted(cd);
    wanted.copy_from(c.buffer());
    // Positioned on the linking fields alone, so that no child is skipped whatever the order of
    // the key's other components (descending ones included).
    if (Result rc = c.set_at(key, static_cast<int>(link.fields.size())); !rc.ok()) return rc.code();
    for (;;) {
        int rc = c.next().code();
        if (rc == kRecordNotAvailable) break;
        if (rc != kNoError) return rc;
        bool same = true;
        for (auto& [pf, cf] : link.fields) same = same && same_value(cd.field(cf), wanted.get(), cd.field(cf), c.buffer());
        if (!same) break;
        out.push_back(c.position());
    }
    clear_error();
    return kNoError;
}

int delete_tree(Cascade& cas, const TableDesc& pd, const void* pr, Failure& fail) {
    for (const RelationLink& link : pd.children) {
        if (link.del == kNoAction) continue;
        const TableDesc& cd = link.child();
        FileManager& c = cas.cursor(cd);
        if (link.del == kRestrict || set_based(link, cd, true)) {
            // All of the parent's children at once; when the statement fails (a key the cleared
            // fields collide on), the children are gone through one by one below, which names it.
            int key = -1, n = static_cast<int>(link.fields.size());
            if (int rc = prime_link(link, pd, pr, c, &key); rc) {
                fail = {13, c.file_name()};
                return rc;
            }
            int rc;
            if (link.del == kRestrict) {
                bool any = false;
                if ((rc = bulk::exists(c, key, n, &any)) != kNoError) {
                    fail = {13, c.file_name()};
                    return rc;
                }
                if (!any) continue;
                fail = {16, c.file_name()};
                return set_error(kDuplicateKey, c.file_name(), "related records exist");
            }
            if (link.del == kClear) {
                RecordBuffer cleared(cd);
                cleared.copy_from(c.buffer());
                for (auto& [pf, cf] : link.fields) clear_field(cd.field(cf), cleared.get());
                rc = bulk::set_fields(c, key, n, link_field_numbers(link, cd), cleared.get());
            } else {
                rc = bulk::remove(c, key, n);
            }
            if (rc == kNoError) continue;
        }
        std::vector<Position> kids;
        if (int rc = children_of(link, pd, pr, c, kids); rc) {
            fail = {13, c.file_name()};
            return rc;
        }
        if (kids.empty()) continue;
        if (link.del == kRestrict) {
            fail = {16, c.file_name()};
            return set_error(kDuplicateKey, c.file_name(), "related records exist");
        }
        for (Position p : kids) {
            int rc = c.reget(p).code();
            if (rc == kNoError && link.del == kClear) {
                for (auto& [pf, cf] : link.fields) clear_field(cd.field(cf), c.buffer());
                rc = c.put().code();
            } else if (rc == kNoError) {
                RecordBuffer child(cd);
                child.copy_from(c.buffer());
                if ((rc = delete_tree(cas, cd, child.get(), fail)) != kNoError) return rc;
                rc = c.reget(p).code();
                if (rc == kNoError) rc = c.remove().code();
            }
            if (rc != kNoError) {
                fail = {13, c.file_name()};
                return rc;
            }
        }
    }
    return kNoError;
}

// A parent's change into a child record's linking fields: cleared, or the parent's new values.
void carry_change(const RelationLink& link, const TableDesc& pd, const void* new_r, const TableDesc& cd, void* child) {
    for (auto& [pf, cf] : link.fields) {
        if (link.update == kClear)
            clear_field(cd.field(cf), child);
        else
            copy_value(pd.field(pf), new_r, cd.field(cf), child);
    }
}

int update_tree(Cascade& cas, const TableDesc& pd, const void* old_r, const void* new_r, Failure& fail) {
    for (const RelationLink& link : pd.children) {
        if (link.update == kNoAction) continue;
        bool changed = false;
        for (auto& [pf, cf] : link.fields) changed = changed || !same_value(pd.field(pf), old_r, pd.field(pf), new_r);
        if (!changed) continue;
        const TableDesc& cd = link.child();
        FileManager& c = cas.cursor(cd);
        if (link.update == kRestrict || set_based(link, cd, false)) {
            // All of the parent's children at once (see delete_tree).
            int key = -1, n = static_cast<int>(link.fields.size());
            if (int rc = prime_link(link, pd, old_r, c, &key); rc) {
                fail = {12, c.file_name()};
                return rc;
            }
            if (link.update == kRestrict) {
                bool any = false;
                if (int rc = bulk::exists(c, key, n, &any); rc != kNoError) {
                    fail = {12, c.file_name()};
                    return rc;
                }
                if (!any) continue;
                fail = {20, c.file_name()};
                return set_error(kDuplicateKey, c.file_name(), "related records exist");
            }
            RecordBuffer now(cd);
            now.copy_from(c.buffer());
            carry_change(link, pd, new_r, cd, now.get());
            if (bulk::set_fields(c, key, n, link_field_numbers(link, cd), now.get()) == kNoError) continue;
        }
        std::vector<Position> kids;
        if (int rc = children_of(link, pd, old_r, c, kids); rc) {
            fail = {12, c.file_name()};
            return rc;
        }
        if (kids.empty()) continue;
        if (link.update == kRestrict) {
            fail = {20, c.file_name()};
            return set_error(kDuplicateKey, c.file_name(), "related records exist");
        }
        for (Position p : kids) {
            int rc = c.reget(p).code();
            if (rc == kNoError) {
                RecordBuffer before(cd);
                before.copy_from(c.buffer());
                carry_change(link, pd, new_r, cd, c.buffer());
                RecordBuffer after(cd);
                after.copy_from(c.buffer());
                if ((rc = update_tree(cas, cd, before.get(), after.get(), fail)) != kNoError) return rc;
                rc = c.reget(p).code();
                if (rc == kNoError) {
                    after.copy_to(c.buffer());
                    rc = c.put().code();
                }
            }
            if (rc != kNoError) {
                if (fail.message == 0) fail = {rc == kDuplicateKey ? 15 : 12, c.file_name()};
                return rc;
            }
        }
    }
    return kNoError;
}

int report(bool show, const Failure& fail) {
    if (!show) return kNotify;
    ErrorManager& em = ErrorManager::current();
    em.set_file(fail.file);
    if (fail.message == 15) return em.raise_with_message(15, last_error().key);
    return em.raise(fail.message);
}

}  // namespace

Outcome RelationManager::delete_record(Messages messages) {
    const bool show = messages == Messages::Show;
    FileManager& t = table_;
    if (!t.is_open()) return report(show, {8, t.desc().label});
    if (!t.has_current()) return report(show, {43, t.file_name()});
    Position p = t.position();
    Cascade cas;
    if (int rc = cas.open(t.desc()); rc) return report(show, {26, last_error().file});
    std::vector<FileManager*> all = cas.all();
    all.insert(all.begin(), &t);
    Transaction tx(all, t.lock_wait());
    if (!tx.status().ok()) return report(show, {29, t.file_name()});
    if (t.reget(p) != kNoError) return report(show, {10, t.file_name()});
    RecordBuffer parent(t.desc());
    parent.copy_from(t.buffer());
    Failure fail;
    if (delete_tree(cas, t.desc(), parent.get(), fail) != kNoError) {
        LastError e = last_error();
        (void)tx.rollback();
        last_error() = e;
        return report(show, fail);
    }
    if (t.remove() != kNoError) {
        LastError e = last_error();
        (void)tx.rollback();
        last_error() = e;
        return report(show, {13, t.file_name()});
    }
    if (tx.commit() != kNoError) return report(show, {30, t.file_name()});
    return kBenign;
}

Outcome RelationManager::update(Messages messages) {
    const bool show = messages == Messages::Show;
    FileManager& t = table_;
    if (t.desc().children.empty()) return t.update(messages);
    if (!t.is_open()) return report(show, {8, t.desc().label});
    if (!t.has_current()) return report(show, {43, t.file_name()});
    if (Outcome rc = t.validate_record(messages); !rc.done()) return rc;
    Position p = t.position();
    FileManager old(t.desc());
    if (old.open_path(t.file_name()) != kNoError || old.reget(p) != kNoError) return report(show, {10, t.file_name()});
    Cascade cas;
    if (int rc = cas.open(t.desc()); rc) return report(show, {26, last_error().file});
    std::vector<FileManager*> all = cas.all();
    all.insert(all.begin(), &t);
    Transaction tx(all, t.lock_wait());
    if (!tx.status().ok()) return report(show, {29, t.file_name()});
    Failure fail;
    RecordBuffer now(t.desc());
    now.copy_from(t.buffer());
    if (update_tree(cas, t.desc(), old.buffer(), now.get(), fail) != kNoError) {
        LastError e = last_error();
        (void)tx.rollback();
        last_error() = e;
        return report(show, fail);
    }
    int rc = t.put().code();
    if (rc != kNoError) {
        LastError e = last_error();
        (void)tx.rollback();
        last_error() = e;
        return report(show, {rc == kDuplicateKey ? 15 : 12, t.file_name()});
    }
    if (tx.commit() != kNoError) return report(show, {30, t.file_name()});
    return kBenign;
}

}  // namespace vorel::data
