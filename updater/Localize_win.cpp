#include "Localize.h"

#include "CriticalSection.h"
#include "Exception.h"

namespace {

CriticalSection lock;
Localize* singleton = nullptr;

bool moduleFileName(HMODULE module, std::string& name)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    name.assign(path, length);
    return true;
}

std::string pathOf(HMODULE module)
{
    std::string path;
    if (!moduleFileName(module, path))
        throw Win32Exception("Localize::Localize(): GetModuleFileName failed", 0, ".\\Localize",
                             32);
    return path;
}

std::string prefixOf(HMODULE module)
{
    std::string name;
    if (!moduleFileName(module, name))
        throw Win32Exception("Localize::Localize(): GetLocalId failed", 0, ".\\Localize", 44);
    return modulePrefixOf(name);
}

}  // namespace

// The path is taken before the prefix, so a module without a file name
// reports the first of the two failures.
Localize::Localize(HMODULE module)
    : module_(module), modulePath_(pathOf(module)), identity_(prefixOf(module))
{
}

void Localize::createInstance(HMODULE module)
{
    ScopedLock guard(&lock);
    if (singleton == nullptr)
        singleton = new Localize(module);
}

Localize& Localize::getInstance()
{
    ScopedLock guard(&lock);
    if (singleton == nullptr)
        throw "You must call Localize::createInstance() before calling getInstance()";
    return *singleton;
}

void Localize::destroyInstance()
{
    ScopedLock guard(&lock);
    delete singleton;
    singleton = nullptr;
}
