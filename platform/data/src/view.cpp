#include "vorel/data/view.h"

#include <algorithm>

#include "vorel/core/text.h"

namespace vorel::data {

View::View(FileManager& table, int key) : table_(table), key_(key) {}

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

int View::load_sorted() {
    sorted_.clear();
    sorted_pos_.clear();
    std::vector<Position> pos;
    std::vector<RecordBuffer> recs;
    std::vector<KeyComponent> order = std::move(order_);
    order_.clear();
    dir_ = 0;
    int rc;
    while ((rc = next()) == kNoError) {
        recs.emplace_back(table_.desc());
        recs.back().copy_from(table_.buffer());
        pos.push_back(table_.position());
    }
    order_ = std::move(order);
    if (rc != kRecordNotAvailable) return rc;
    const TableDesc& d = table_.desc();
    std::vector<std::size_t> idx(recs.size());
    for (std::size_t i = 0; i < idx.size(); ++i) idx[i] = i;
    std::stable_sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) {
        for (const KeyComponent& c : order_) {
            const FieldDesc& f = d.fields[static_cast<std::size_t>(c.field)];
            int r;
            if (is_text(f.type)) {
                r = text::compare_nocase(field_text(f, recs[a].get()), field_text(f, recs[b].get()));
            } else {
                std::int64_t x = field_int(f, recs[a].get()), y = field_int(f, recs[b].get());
                r = x < y ? -1 : (x > y ? 1 : 0);
            }
            if (c.descending) r = -r;
            if (r != 0) return r < 0;
        }
        return false;
    });
    for (std::size_t i : idx) {
        sorted_.push_back(std::move(recs[i]));
        sorted_pos_.push_back(pos[i]);
    }
    sorted_loaded_ = true;
    clear_error();
    return kNoError;
}

int View::open() {
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
    sorted_loaded_ = false;
    cur_ = -1;
    clear_error();
    return kNoError;
}

int View::start(int dir) {
    dir_ = dir;
    if (components_ == 0) return table_.set(key_);
    (dir > 0 ? first_ : last_).copy_to(table_.buffer());
    return table_.set_at(key_, components_);
}

int View::next() {
    if (!opened_) return set_error(kFileNotOpen, table_.file_name(), "view not open");
    if (!order_.empty()) {
        if (!sorted_loaded_) {
            if (int rc = load_sorted(); rc) return rc;
            cur_ = -1;
        }
        dir_ = 1;
        if (cur_ + 1 >= static_cast<long>(sorted_.size())) {
            cur_ = static_cast<long>(sorted_.size());
            return set_error(kRecordNotAvailable, table_.file_name());
        }
        ++cur_;
        sorted_[static_cast<std::size_t>(cur_)].copy_to(table_.buffer());
        table_.reget_position_only(sorted_pos_[static_cast<std::size_t>(cur_)]);
        return kNoError;
    }
    if (dir_ == 0)
        if (int rc = start(1); rc) return rc;
    dir_ = 1;
    for (;;) {
        if (int rc = table_.next(); rc) return rc;
        if (components_ > 0 && compare_prefix(table_.buffer(), last_.get()) > 0)
            return set_error(kRecordNotAvailable, table_.file_name());
        if (components_ > 0 && compare_prefix(table_.buffer(), first_.get()) < 0) continue;
        if (!filter_ || filter_(table_.buffer())) return kNoError;
    }
}

int View::previous() {
    if (!opened_) return set_error(kFileNotOpen, table_.file_name(), "view not open");
    if (!order_.empty()) {
        if (!sorted_loaded_) {
            if (int rc = load_sorted(); rc) return rc;
            cur_ = static_cast<long>(sorted_.size());
        }
        dir_ = -1;
        if (cur_ <= 0) {
            cur_ = -1;
            return set_error(kRecordNotAvailable, table_.file_name());
        }
        --cur_;
        sorted_[static_cast<std::size_t>(cur_)].copy_to(table_.buffer());
        table_.reget_position_only(sorted_pos_[static_cast<std::size_t>(cur_)]);
        return kNoError;
    }
    if (dir_ == 0)
        if (int rc = start(-1); rc) return rc;
    dir_ = -1;
    for (;;) {
        if (int rc = table_.previous(); rc) return rc;
        if (components_ > 0 && compare_prefix(table_.buffer(), first_.get()) < 0)
            return set_error(kRecordNotAvailable, table_.file_name());
        if (components_ > 0 && compare_prefix(table_.buffer(), last_.get()) > 0) continue;
        if (!filter_ || filter_(table_.buffer())) return kNoError;
    }
}

int View::close() {
    opened_ = false;
    dir_ = 0;
    return kNoError;
}

}  // namespace vorel::data
