// The framework's insert, update, field rules and auto-numbering on top of the raw operations.
#include <string>

#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "primed_records.h"
#include "share_lock.h"

namespace vorel::data {

void FileManager::prime_record() {
    clear_record();
    if (desc_.defaults) desc_.defaults(buffer());
}

Outcome FileManager::test_field_rules(int field, Messages messages) {
    bool show = messages == Messages::Show;
    const TableDesc& rules = desc_.base ? *desc_.base : desc_;
    if (desc_.base) show = true;
    const FieldRule* rule = rules.rule_for(field);
    if (!rule) return kBenign;
    ErrorManager& em = ErrorManager::current();
    em.set_field_text(rule->field_text);
    const FieldDesc& f = desc_.fields[static_cast<std::size_t>(field)];
    bool ok = true;
    int message = kMsgFieldNotInList;
    switch (rule->kind) {
        case RuleKind::Choice: ok = rule->choices.find("]" + field_text(f, buffer()) + "[") != std::string::npos; break;
        case RuleKind::Range: {
            std::int64_t v = field_int(f, buffer());
            ok = v >= rule->low && v <= rule->high;
            message = kMsgFieldOutOfRange;
            break;
        }
        case RuleKind::UpperBound:
            ok = field_int(f, buffer()) <= rule->high;
            message = kMsgFieldTooLarge;
            break;
    }
    if (ok) {
        em.set_field_text({});
        return kBenign;
    }
    if (!show) {
        em.set_field_text({});
        return kNotify;
    }
    return em.raise_with_message(message, rule->message);
}

Outcome FileManager::validate_record(Messages messages) {
    const TableDesc& rules = desc_.base ? *desc_.base : desc_;
    for (const FieldRule& r : rules.rules)
        if (Outcome rc = test_field_rules(r.field, messages); !rc.done()) return rc;
    return kBenign;
}

namespace {

int duplicate_message(bool show, const std::string& file, const std::string& key) {
    if (!show) return kNotify;
    ErrorManager& em = ErrorManager::current();
    em.set_file(file);
    return em.raise_with_message(kMsgDuplicateKey, key);
}

bool has_auto_number(const TableDesc& d) {
    for (const auto& k : d.keys)
        if (k.auto_number > 0) return true;
    return false;
}

}  // namespace

// Numbers every auto-numbered key and adds the record (when priming, listed as primed by this
// process), inside one write transaction, so no other thread or process can take the same number.
// Three tries, then message 35 asks whether to go on.
int FileManager::number_and_write(bool show, bool priming) {
    const TableDesc& d = desc_.layout();
    for (;;) {
        int last = kNoError;
        std::string colliding;
        for (int attempt = 0; attempt < 3; ++attempt) {
            Transaction t({this}, lock_wait_);
            if (t.status() != kNoError) {
                last = t.status().code();
                continue;
            }
            bool numbered = true;
            for (std::size_t ki = 0; ki < desc_.keys.size() && numbered; ++ki) {
                const KeyDesc& k = desc_.keys[ki];
                if (k.auto_number == 0) continue;
                std::int64_t top = highest(static_cast<int>(ki), k.auto_number);
                if (top < 0) {
                    numbered = false;
                    break;
                }
                const FieldDesc& f = d.fields[static_cast<std::size_t>(k.components[static_cast<std::size_t>(k.auto_number - 1)].field)];
                if (!set_field_int(f, buffer(), top + 1)) {
                    // A number past the field's range is refused, never wrapped.
                    set_error(kBadValue, open_name_, f.name);
                    if (show) {
                        ErrorManager& em = ErrorManager::current();
                        em.set_field_text(f.name);
                        em.raise_with_message(36, std::to_string(top + 1));
                    }
                    return kNotify;
                }
            }
            if (!numbered) {
                last = last_error().code;
                continue;
            }
            int rc = add().code();
            bool fresh = false;
            int slot = priming && share_ ? share_->owner_slot(&fresh) : -1;
            if (rc == kNoError && slot >= 0) {
                if (int src = primed::mark(handle_, current_id_, slot, fresh); src != SQLITE_OK)
                    rc = storage_error(handle_->db(), src, open_name_);
            }
            if (rc == kNoError) rc = t.commit().code();
            if (rc == kNoError) {
                if (fresh) share_->slot_cleaned();
                return kBenign;
            }
            last = rc;
            colliding = last_error().key;
            if (rc != kDuplicateKey && rc != kFileLocked) break;
        }
        if (last == kDuplicateKey && !colliding.empty()) {
            // A collision on a key that is not numbered is an ordinary duplicate.
            bool numbered_key = false;
            for (const auto& k : desc_.keys) numbered_key = numbered_key || (k.auto_number > 0 && k.description == colliding);
            if (!numbered_key) return duplicate_message(show, open_name_, colliding);
        }
        if (last != kDuplicateKey && last != kFileLocked) {
            if (show) {
                ErrorManager::current().set_file(open_name_);
                ErrorManager::current().raise(11);
            }
            return kNotify;
        }
        if (!show) return kNotify;
        ErrorManager& em = ErrorManager::current();
        em.set_file(open_name_);
        for (const auto& k : desc_.keys)
            if (k.auto_number > 0) {
                em.set_key(colliding.empty() ? k.description : colliding);
                break;
            }
        if (em.raise(kMsgAutoNumberFailed) != kBenign) return kNotify;
    }
}

Outcome FileManager::prime_auto_number(Messages messages) {
    const bool show = messages == Messages::Show;
    if (int rc = check_open(); rc) return kNotify;
    if (!has_auto_number(desc_)) return kBenign;
    if (primed_id_ != 0) return kBenign;
    int rc = number_and_write(show, true);
    if (rc == kBenign) primed_id_ = current_id_;
    return rc;
}

// Writes over (or, with `remove_it`, deletes) the primed record and takes it off the primed list, in
// one transaction.
int FileManager::settle_primed(bool remove_it) {
    std::int64_t rid = primed_id_;
    current_id_ = rid;
    Transaction t({this}, lock_wait_);
    int rc = t.status().code();
    if (rc == kNoError) rc = (remove_it ? remove() : put()).code();
    if (rc == kNoError) {
        if (int src = primed::unmark(handle_, rid); src != SQLITE_OK) rc = storage_error(handle_->db(), src, open_name_);
    }
    if (rc == kNoError) rc = t.commit().code();
    if (rc == kNoError) primed_id_ = 0;
    return rc;
}

Result FileManager::release_auto_number() {
    if (primed_id_ == 0) return kNoError;
    std::int64_t keep = current_id_;
    int rc = settle_primed(true);
    primed_id_ = 0;
    current_id_ = keep == current_id_ ? 0 : keep;
    return rc;
}

Outcome FileManager::insert(Messages messages) {
    const bool show = messages == Messages::Show;
    if (check_open()) {
        if (show) {
            ErrorManager::current().set_file(desc_.label);
            ErrorManager::current().raise(8);
        }
        return kNotify;
    }
    if (Outcome rc = validate_record(messages); !rc.done()) return rc;
    if (primed_id_ != 0) {
        int rc = settle_primed(false);
        if (rc == kNoError) return kBenign;
        if (rc == kDuplicateKey) return duplicate_message(show, open_name_, last_error().key);
        if (show) {
            ErrorManager::current().set_file(open_name_);
            ErrorManager::current().raise(11);
        }
        return kNotify;
    }
    if (has_auto_number(desc_)) return number_and_write(show, false);
    int rc = add().code();
    if (rc == kNoError) return kBenign;
    if (rc == kDuplicateKey) return duplicate_message(show, open_name_, last_error().key);
    if (show) {
        ErrorManager::current().set_file(open_name_);
        ErrorManager::current().raise(11);
    }
    return kNotify;
}

Outcome FileManager::update(Messages messages) {
    const bool show = messages == Messages::Show;
    if (Outcome rc = validate_record(messages); !rc.done()) return rc;
    int rc = put().code();
    if (rc == kNoError) return kBenign;
    if (rc == kDuplicateKey) return duplicate_message(show, open_name_, last_error().key);
    if (show) {
        ErrorManager::current().set_file(open_name_);
        ErrorManager::current().raise(12);
    }
    return kNotify;
}

}  // namespace vorel::data
