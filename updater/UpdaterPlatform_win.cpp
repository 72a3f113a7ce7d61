#include "UpdaterPlatform.h"

#include "CurrentProcess.h"
#include "WinSpooler.h"

#include <windows.h>
#include <wininet.h>

namespace {

void sleepFor(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

bool connectedState(std::uint32_t& flags, std::uint32_t& error)
{
    DWORD state = 0;
    BOOL connected = InternetGetConnectedState(&state, 0);
    error = connected ? 0 : GetLastError();
    flags = state;
    return connected != FALSE;
}

std::string programPath()
{
    return CurrentProcess::instance().path();
}

}  // namespace

UpdaterPlatform& updaterPlatform()
{
    static WinSpooler spooler;
    static UpdaterPlatform platform = {&spooler, nullptr, &sleepFor, &connectedState, &programPath};
    if (platform.os == nullptr)
        platform.os = &OsVersion::current();
    return platform;
}
