#include "vorel/data/view.h"

#include <algorithm>
#include <limits>

#include "sorted_rows.h"

#include "vorel/core/text.h"

namespace vorel::data {

namespace {
constexpr std::size_t kSortedBatch = 256;  // places read back at a time
}

View::View(FileManager& table, int key) : table_(table), key_(key) {}

View::~View() {
    if (sorted_) sorted_->drop(table_);
}

void View::range(int components, const void* first, const void* last) {
    components_ = components;
    from_buffer_ = false;
    first_ = RecordBuffer(table_.desc());
    last_ = RecordBuffer(table_.desc());
    first_.copy_from(first);
    last_.copy_from(last);
}

void View::range_equal(int components) {
    components_ = components;
    from_buffer_ = true;
}

int View::compare_prefix(const void* record, const void* bound) const {
    const TableDesc& d = table_.desc();
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key_)];
    for (int c = 0; c < components_ && c < static_cast<int>(k.components.size()); ++c) {
        const KeyComponent& kc = k.components[static_cast<std::size_t>(c)];
        const FieldDesc& f = d.fields[static_cast<std::size_t>(kc.field)];
        int r;
        if (is_text(f.type)) {
            std::string a = field_text(f, record), b = field_text(f, bound);
            r = k.nocase() ? text::compare_nocase(a, b) : text::compare(a, b);
        } else {
            std::int64_t a = field_int(f, record), b = field_int(f, bound);
            r = a < b ? -1 : (a > b ? 1 : 0);
        }
        if (kc.descending) r = -r;
        if (r != 0) return r;
    }
    return 0;
}

void View::order_by(std::initializer_list<std::string_view> fields) {
    order_.clear();
    for (std::string_view f : fields) {
        KeyComponent c;
        if (!f.empty() && f.front() == '-') {
            c.descending = true;
            f.remove_prefix(1);
        }
        c.field = table_.desc().field_index(f);
        if (c.field >= 0) order_.push_back(c);
    }
}

// One record along the dynamic order: the places come from the sorted rows in batches; a record
// deleted since is passed over, and so is one the filter refuses.
int View::sorted_step(int dir) {
    if (!sorted_) {
        auto rows = std::make_unique<SortedRows>();
        SortedRows::Request request{key_, components_, first_ ? first_.get() : nullptr, last_ ? last_.get() : nullptr, order_};
        if (int rc = rows->build(table_, request); rc) return rc;
        sorted_ = std::move(rows);
        seq_ = dir > 0 ? 0 : std::numeric_limits<std::int64_t>::max();
        batch_.clear();
    }
    for (;;) {
        if (batch_dir_ != dir || batch_at_ >= batch_.size()) {
            std::vector<SortedRows::Entry> got;
            if (int rc = sorted_->fetch(table_, dir, seq_, kSortedBatch, got); rc) return rc;
            batch_.clear();
            for (auto& e : got) batch_.emplace_back(e.seq, e.id);
            batch_at_ = 0;
            batch_dir_ = dir;
            if (batch_.empty()) {
                seq_ = dir > 0 ? std::numeric_limits<std::int64_t>::max() : 0;
                return set_error(kRecordNotAvailable, table_.file_name());
            }
        }
        auto [seq, id] = batch_[batch_at_++];
        seq_ = seq;
        int rc = table_.reget({id}).code();
        if (rc == kRecordNotFound) continue;
        if (rc) return rc;
        if (!filter_ || filter_(table_.buffer())) return kNoError;
    }
}

Result View::open() {
    if (!table_.is_open()) return set_error(kFileNotOpen, table_.desc().label);
    if (key_ < 0 || key_ >= static_cast<int>(table_.desc().keys.size()))
        return set_error(kKeysInvalid, table_.file_name(), "no such key");
    if (from_buffer_) {
        first_ = RecordBuffer(table_.desc());
        first_.copy_from(table_.buffer());
        last_ = first_;
    }
    opened_ = true;
    dir_ = 0;
    if (sorted_) sorted_->drop(table_);
    sorted_.reset();
    batch_.clear();
    batch_dir_ = 0;
    clear_error();
    return kNoError;
}

int View::start(int dir) {
    dir_ = dir;
    if (components_ == 0) return table_.set(key_).code();
    (dir > 0 ? first_ : last_).copy_to(table_.buffer());
    return table_.set_at(key_, components_).code();
}

Result View::next() {
    if (!opened_) return set_error(kFileNotOpen, table_.file_name(), "view not open");
    if (!order_.empty()) {
        dir_ = 1;
        return sorted_step(1);
    }
    if (dir_ == 0)
        if (int rc = start(1); rc) return rc;
    dir_ = 1;
    for (;;) {
        if (Result rc = table_.next(); !rc.ok()) return rc;
        if (components_ > 0 && compare_prefix(table_.buffer(), last_.get()) > 0)
            return set_error(kRecordNotAvailable, table_.file_name());
        if (components_ > 0 && compare_prefix(table_.buffer(), first_.get()) < 0) continue;
        if (!filter_ || filter_(table_.buffer())) return kNoError;
    }
}

Result View::previous() {
    if (!opened_) return set_error(kFileNotOpen, table_.file_name(), "view not open");
    if (!order_.empty()) {
        dir_ = -1;
        return sorted_step(-1);
    }
    if (dir_ == 0)
        if (int rc = start(-1); rc) return rc;
    dir_ = -1;
    for (;;) {
        if (Result rc = table_.previous(); !rc.ok()) return rc;
        if (components_ > 0 && compare_prefix(table_.buffer(), first_.get()) < 0)
            return set_error(kRecordNotAvailable, table_.file_name());
        if (components_ > 0 && compare_prefix(table_.buffer(), last_.get()) > 0) continue;
        if (!filter_ || filter_(table_.buffer())) return kNoError;
    }
}

Result View::close() {
    if (sorted_) sorted_->drop(table_);
    sorted_.reset();
    opened_ = false;
    dir_ = 0;
    return kNoError;
}

}  // namespace vorel::data
