// CRegistry: the printer's settings key
// HKEY_CURRENT_USER\Software\Pelmora\PrinterSettings\<printer>, and in
// personal-settings mode its "Personal" sub-key, with one sub-key open at a time.
#include "drvcommon.h"

#include "Module_win.h"

namespace {

const char kSettingsRoot[] = "Software\\Pelmora\\PrinterSettings\\";

struct PrinterRegistry {
    std::string printerName;
    bool personal = false;
    drvcommon::RegKey open;
};

PrinterRegistry* from(void* handle)
{
    return static_cast<PrinterRegistry*>(handle);
}

// Building the line allocates; an export must not let that failure reach
// its caller.
void spyFailure(const char* step, const char* valueName, LONG code) noexcept
{
    try {
        drvcommon::Spy(std::string(step) + valueName + " failed, error " + std::to_string(code));
    } catch (...) {
        OutputDebugStringA("CRegistry: out of memory\n");
    }
}

}  // namespace

extern "C" void* WINAPI RegCompCreate(void)
{
    try {
        return new PrinterRegistry();
    } catch (...) {
        return nullptr;
    }
}

extern "C" void WINAPI RegCompDestroy(void* registry)
{
    delete from(registry);
}

extern "C" void WINAPI RegCompSetFriendlyName(void* registry, const char* printerName)
{
    try {
        if (registry != nullptr)
            from(registry)->printerName = printerName != nullptr ? printerName : "";
    } catch (...) {
        drvcommon::Spy("CRegistry::SetFriendlyName: out of memory");
    }
}

extern "C" void WINAPI RegCompSetPersonalSettings(void* registry, int on)
{
    if (registry != nullptr)
        from(registry)->personal = on != 0;
}

extern "C" DWORD WINAPI RegCompCreateKey(void* registry, const char* subKey, DWORD access)
{
    try {
        if (registry == nullptr || subKey == nullptr)
            return ERROR_INVALID_PARAMETER;
        PrinterRegistry& r = *from(registry);
        std::string path = kSettingsRoot + drvcommon::PrinterKeyName(r.printerName);
        if (r.personal)
            path += "\\Personal";
        if (*subKey != '\0')
            path += std::string("\\") + subKey;
        r.open.reset();
        HKEY key = nullptr;
        LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS) {
            drvcommon::Spy("CRegistry::Create: RegCreateKeyEx " + path + " failed, error " +
                           std::to_string(result));
            return static_cast<DWORD>(result);
        }
        r.open = drvcommon::RegKey(key);
        return ERROR_SUCCESS;
    } catch (...) {
        return ERROR_OUTOFMEMORY;
    }
}

extern "C" DWORD WINAPI RegCompRead(void* registry, const char* valueName, void* buffer, DWORD* size)
{
    if (registry == nullptr || valueName == nullptr || size == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (from(registry)->open.get() == nullptr)
        return ERROR_INVALID_HANDLE;
    DWORD type = 0;
    LONG result = RegQueryValueExA(from(registry)->open.get(), valueName, nullptr, &type,
                                   static_cast<BYTE*>(buffer), size);
    if (result == ERROR_SUCCESS && buffer == nullptr)
        return ERROR_MORE_DATA;
    return static_cast<DWORD>(result);
}

extern "C" DWORD WINAPI RegCompWrite(void* registry, const char* valueName, DWORD type, const void* data,
                                     DWORD size)
{
    if (registry == nullptr || valueName == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (from(registry)->open.get() == nullptr)
        return ERROR_INVALID_HANDLE;
    LONG result = RegSetValueExA(from(registry)->open.get(), valueName, 0, type,
                                 static_cast<const BYTE*>(data), size);
    if (result != ERROR_SUCCESS)
        spyFailure("CRegistry::Write: RegSetValueEx ", valueName, result);
    return static_cast<DWORD>(result);
}

extern "C" DWORD WINAPI RegCompDeleteValue(void* registry, const char* valueName)
{
    if (registry == nullptr || valueName == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (from(registry)->open.get() == nullptr)
        return ERROR_INVALID_HANDLE;
    return static_cast<DWORD>(RegDeleteValueA(from(registry)->open.get(), valueName));
}

extern "C" void WINAPI RegCompClose(void* registry)
{
    if (registry != nullptr)
        from(registry)->open.reset();
}

extern "C" DWORD WINAPI RegCompGetOSPlatform(void)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        spyFailure("CRegistry::GetOSPlatform: GetVersionEx", "", static_cast<LONG>(GetLastError()));
        return 0;
    }
    return version.dwPlatformId;
}

extern "C" DWORD WINAPI RegCompGetOSVer(void)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) {
        spyFailure("CRegistry::GetOSVer: GetVersionEx", "", static_cast<LONG>(GetLastError()));
        return 0;
    }
    return (version.dwMajorVersion << 8) | version.dwMinorVersion;
}
