#include "OsVersion.h"

#include "Exception.h"

#include <windows.h>
#include <winspool.h>

namespace {

OsVersionRecord readVersionRecord()
{
    OSVERSIONINFOEXA info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
        throw Win32Exception("OsVersion::OsVersion(): GetVersionEx failed",
                             static_cast<std::int32_t>(GetLastError()), "OsVersion", __LINE__);
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 4) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
            throw Win32Exception("OsVersion::OsVersion(): GetVersionEx failed with OSVERSIONINFOEX",
                                 static_cast<std::int32_t>(GetLastError()), "OsVersion",
                                 __LINE__);
    }
    OsVersionRecord record;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.servicePack = info.szCSDVersion;
    record.servicePackMajor = info.wServicePackMajor;
    record.servicePackMinor = info.wServicePackMinor;
    record.suiteMask = info.wSuiteMask;
    record.productType = info.wProductType;
    return record;
}

// Looked up at run time: Windows 2000 and XP before SP2 have no IsWow64Process.
bool readWow64()
{
    HMODULE kernel = GetModuleHandleA("kernel32");
    if (kernel == nullptr)
        return false;
    typedef BOOL(WINAPI * IsWow64ProcessFunction)(HANDLE, PBOOL);
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    if (isWow64Process == nullptr)
        return false;
    BOOL wow64 = FALSE;
    return isWow64Process(GetCurrentProcess(), &wow64) && wow64 == 1;
}

}  // namespace

const OsVersion& OsVersion::current()
{
    static const OsVersion instance(readVersionRecord(), readWow64());
    return instance;
}

std::string OsVersion::printerDriverDirectory() const
{
    char directory[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                    MAX_PATH, &needed))
        return std::string();
    return std::string(directory) + driverVersionFolder();
}
