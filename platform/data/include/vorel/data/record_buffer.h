// RecordBuffer: one record of a table's layout, owned on the heap (a form's copy, a saved state).
#pragma once

#include <cstddef>
#include <new>
#include <utility>

#include "vorel/data/table_desc.h"

namespace vorel::data {

class RecordBuffer {
public:
    RecordBuffer() = default;
    explicit RecordBuffer(const TableDesc& d) : ops_(&d.record) {
        p_ = ::operator new(ops_->size, std::align_val_t(ops_->align));
        ops_->construct(p_);
    }
    RecordBuffer(const RecordBuffer& o) : RecordBuffer() {
        if (o.ops_) {
            ops_ = o.ops_;
            p_ = ::operator new(ops_->size, std::align_val_t(ops_->align));
            ops_->construct(p_);
            ops_->copy(p_, o.p_);
        }
    }
    RecordBuffer(RecordBuffer&& o) noexcept : p_(std::exchange(o.p_, nullptr)), ops_(o.ops_) {}
    RecordBuffer& operator=(RecordBuffer o) noexcept {
        swap(o);
        return *this;
    }
    ~RecordBuffer() {
        if (p_) {
            ops_->destroy(p_);
            ::operator delete(p_, std::align_val_t(ops_->align));
        }
    }
    void swap(RecordBuffer& o) noexcept {
        std::swap(p_, o.p_);
        std::swap(ops_, o.ops_);
    }
    void* get() { return p_; }
    const void* get() const { return p_; }
    void copy_from(const void* record) { ops_->copy(p_, record); }
    void copy_to(void* record) const { ops_->copy(record, p_); }
    void clear() { ops_->clear(p_); }
    explicit operator bool() const { return p_ != nullptr; }

private:
    void* p_ = nullptr;
    const RecordOps* ops_ = nullptr;
};

}  // namespace vorel::data
