// CriticalSection and LockGuard: the framework's guards around its process-wide shared objects.
//
// A `CriticalSection` is a recursive lock (the same thread may enter it again). A `LockGuard` holds
// at most one section: `Acquire` releases the one it holds, then enters the given one (nothing for
// nullptr); `Release` / `ReleaseHeld` leave the held one; the destructor leaves it too.
//
//     CriticalSection cs;
//     { LockGuard g; g.Acquire(&cs); ... shared work ... }
#pragma once

#include <mutex>

namespace vorel::ui {

class CriticalSection {
public:
    CriticalSection() = default;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    std::recursive_mutex& Handle() { return m_; }
    void Enter() { m_.lock(); }
    void Leave() { m_.unlock(); }

private:
    std::recursive_mutex m_;
};

class LockGuard {
public:
    LockGuard() = default;
    explicit LockGuard(CriticalSection& cs) { Acquire(&cs); }
    ~LockGuard() { Release(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

    void Clear() { Release(); }  // an empty guard
    void Acquire(CriticalSection* cs) {
        Release();
        if (cs) {
            cs->Enter();
            held_ = cs;
        }
    }
    void Release() {
        if (held_) {
            CriticalSection* cs = held_;
            held_ = nullptr;
            cs->Leave();
        }
    }
    void ReleaseHeld() { Release(); }
    CriticalSection* held() const { return held_; }

private:
    CriticalSection* held_ = nullptr;
};

}  // namespace vorel::ui
