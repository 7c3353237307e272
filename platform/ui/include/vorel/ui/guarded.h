// Guarded process-wide values.
//
// `Guarded<T>` holds one value shared by every procedure thread, read and written under its own
// lock. The platform declares none of the system's globals: the shell defines them (in one .cpp,
// never as `static` in a header) and may register each under its name in the `GlobalRegistry`, so
// that tools such as the headless script can print and set them as text.
//
//     // shell/src/globals.cpp
//     vorel::ui::Guarded<std::uint8_t> ModoImpressao{1};
//     ModoImpressao.Set(2);  auto modo = ModoImpressao.Get();
//     ModoImpressao.Update([](auto& v) { v = v == 2 ? 1 : v; });
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace vorel::ui {

template <class T>
class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T v) : value_(std::move(v)) {}
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    T Get() const {
        std::lock_guard lock(m_);
        return value_;
    }
    void Set(T v) {
        std::lock_guard lock(m_);
        value_ = std::move(v);
    }
    // Runs f(value&) under the lock and returns its result: read-modify-write in one step.
    template <class F>
    auto Update(F&& f) {
        std::lock_guard lock(m_);
        return f(value_);
    }

private:
    mutable std::mutex m_;
    T value_{};
};

// Names of process-wide values, with accessors as text. Thread-safe.
class GlobalRegistry {
public:
    struct Entry {
        std::string name;
        std::function<std::string()> get;
        std::function<void(const std::string&)> set;
    };
    static void Add(Entry e);
    // False when no value of that name is registered (name compared without regard to case).
    static bool Get(const std::string& name, std::string& out);
    static bool Set(const std::string& name, const std::string& value);
    static std::vector<std::string> Names();
};

}  // namespace vorel::ui
