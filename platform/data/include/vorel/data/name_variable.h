// A table's name variable: the process-wide text that holds the table file's path.
//
// Every table of the dictionary names its file through one of these (`CaminhoEntradaVorel`, ...).
// All threads share it; a table takes the value in force when it opens, creates or rebuilds its file,
// so changing the variable affects the next open in every thread and never a table already open.
// A procedure that must read another file without disturbing others opens a cursor on an explicit
// path instead (FileManager::open_path). Reads and writes are guarded; paths are never cut.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace vorel::data {

class NameVariable {
public:
    NameVariable() = default;
    explicit NameVariable(std::string_view initial) : value_(initial) {}
    NameVariable(const NameVariable&) = delete;
    NameVariable& operator=(const NameVariable&) = delete;

    std::string get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    void set(std::string_view value) {
        std::lock_guard lock(mutex_);
        value_.assign(value);
    }

private:
    mutable std::mutex mutex_;
    std::string value_;
};

}  // namespace vorel::data
