// The recursive in-process lock of every Updater singleton.
#pragma once

#include <windows.h>

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter()
    {
        EnterCriticalSection(&section_);
        ++entries_;
    }
    void leave()
    {
        --entries_;
        LeaveCriticalSection(&section_);
    }
    int entries() const { return entries_; }

private:
    CRITICAL_SECTION section_;
    int entries_ = 0;
};

class ScopedLock {
public:
    explicit ScopedLock(CriticalSection* section) : section_(section) { section_->enter(); }
    ~ScopedLock() { section_->leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CriticalSection* section_;
};
