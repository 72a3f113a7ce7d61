#include "CurrentProcess.h"

#include "CriticalSection.h"
#include "Exception.h"
#include "Paths.h"

namespace {

CriticalSection lock;
CurrentProcess* singleton = nullptr;

}  // namespace

CurrentProcess::CurrentProcess()
{
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        throw Win32Exception("CurrentProcess::CurrentProcess", 0, "CurrentProcess", __LINE__);
    path_.assign(path, length);
}

CurrentProcess& CurrentProcess::instance()
{
    ScopedLock guard(&lock);
    if (singleton == nullptr)
        singleton = new CurrentProcess();
    return *singleton;
}

void CurrentProcess::destroy()
{
    ScopedLock guard(&lock);
    delete singleton;
    singleton = nullptr;
}

std::string CurrentProcess::directory() const
{
    return directoryOf(path_);
}
