#include "Mutex.h"

#include "Exception.h"

Mutex::Mutex(bool initialOwner, const std::string& name, bool nullDacl) : name_(name)
{
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes = {};
    SECURITY_ATTRIBUTES* useAttributes = nullptr;
    if (nullDacl) {
        if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION))
            throw Win32Exception("Mutex::Mutex() InitializeSecurityDescriptor failed",
                                 static_cast<std::int32_t>(GetLastError()), "", 0);
        if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE))
            throw Win32Exception("Mutex::Mutex() SetSecurityDescriptorDacl failed",
                                 static_cast<std::int32_t>(GetLastError()), "", 0);
        attributes.nLength = sizeof attributes;
        attributes.lpSecurityDescriptor = &descriptor;
        attributes.bInheritHandle = FALSE;
        useAttributes = &attributes;
    }
    createMutex(useAttributes, initialOwner, name);
}

Mutex::~Mutex()
{
    if (handle_ != nullptr)
        CloseHandle(handle_);
}

void Mutex::createMutex(SECURITY_ATTRIBUTES* attributes, bool initialOwner,
                        const std::string& name)
{
    handle_ = CreateMutexA(attributes, initialOwner ? TRUE : FALSE,
                           name.empty() ? nullptr : name.c_str());
    DWORD error = GetLastError();
    if (handle_ == nullptr)
        throw Win32Exception("Mutex::createMutex() CreateMutex failed",
                             static_cast<std::int32_t>(error), "Mutex", __LINE__);
    // Opening an existing mutex ignores the initial-owner request.
    if (initialOwner && error != ERROR_ALREADY_EXISTS) {
        count_ = 1;
        owner_ = GetCurrentThreadId();
    }
}

bool Mutex::acquire(DWORD milliseconds)
{
    if (milliseconds == 0)
        return false;
    DWORD result = WaitForSingleObject(handle_, milliseconds);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
        owner_ = GetCurrentThreadId();
        ++count_;
        return true;
    }
    if (result == WAIT_TIMEOUT)
        return false;
    throw Win32Exception("Mutex::acquire() WaitForSingleObject failed",
                         static_cast<std::int32_t>(GetLastError()), "Mutex", __LINE__);
}

void Mutex::release()
{
    if (GetCurrentThreadId() != owner_)
        return;
    for (unsigned long n = count_; n > 0; --n) {
        --count_;
        if (!ReleaseMutex(handle_))
            throw Win32Exception("Mutex::release() ReleaseMutex failed",
                                 static_cast<std::int32_t>(GetLastError()), "Mutex", __LINE__);
    }
}

InterProcessLock::InterProcessLock(Mutex* mutex) : mutex_(mutex)
{
    if (mutex_->name().empty())
        throw Win32Exception("InterProcessLock has no name", 0, "InterProcessLock", __LINE__);
    mutex_->acquire(INFINITE);
}

InterProcessLock::~InterProcessLock()
{
    try {
        mutex_->release();
    } catch (const Exception&) {
        // A destructor must not throw; the mutex is abandoned at worst.
    }
}
