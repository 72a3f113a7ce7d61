// A named Win32 mutex shared between processes, with the bookkeeping that
// lets release() give up every acquisition of the owning thread at once.
#pragma once

#include <windows.h>

#include <string>

class Mutex {
public:
    // nullDacl: anyone, from any account, may open and wait on the mutex.
    Mutex(bool initialOwner, const std::string& name, bool nullDacl);
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    // Timeout 0 answers false at once. An abandoned mutex counts as acquired:
    // the process that held it is gone and the file it guarded is intact.
    bool acquire(DWORD milliseconds);
    void release();

    const std::string& name() const { return name_; }
    unsigned long count() const { return count_; }
    DWORD owner() const { return owner_; }

private:
    void createMutex(SECURITY_ATTRIBUTES* attributes, bool initialOwner, const std::string& name);

    HANDLE handle_ = nullptr;
    std::string name_;
    unsigned long count_ = 0;
    DWORD owner_ = 0;
};

class InterProcessLock {
public:
    explicit InterProcessLock(Mutex* mutex);
    ~InterProcessLock();
    InterProcessLock(const InterProcessLock&) = delete;
    InterProcessLock& operator=(const InterProcessLock&) = delete;

private:
    Mutex* mutex_;
};
