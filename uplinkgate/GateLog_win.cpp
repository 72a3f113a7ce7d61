#include "GateLog.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

std::string logFilePath()
{
    const char* variable = "%ALLUSERSPROFILE%";
    DWORD needed = ExpandEnvironmentStringsA(variable, nullptr, 0);
    if (needed == 0)
        return std::string();
    std::string path(needed, '\0');
    DWORD written = ExpandEnvironmentStringsA(variable, &path[0], needed);
    if (written == 0 || written > needed)
        return std::string();
    path.resize(written - 1);
    return path + "\\UplinkGateLog.log";
}

HKEY openSwitchKey()
{
    // The switch is set by 64-bit installers too; look there first.
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pelmora", 0, KEY_READ | KEY_WOW64_64KEY,
                      &key) == ERROR_SUCCESS)
        return key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pelmora", 0, KEY_READ, &key) ==
        ERROR_SUCCESS)
        return key;
    return nullptr;
}

bool loggingOn()
{
    HKEY key = openSwitchKey();
    if (key == nullptr)
        return false;
    BYTE value[4] = {};
    DWORD size = sizeof value;
    LONG rc = RegQueryValueExA(key, "catslog", nullptr, nullptr, value, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    DWORD number;
    std::memcpy(&number, value, sizeof number);
    return number == 1;
}

}  // namespace

void gateLog(const std::string& message)
{
    if (!loggingOn())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string path = logFilePath();
    if (path.empty())
        return;
    FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr)
        return;
    std::string line =
        gateLogStamp(now.wMonth, now.wDay, now.wYear, now.wHour, now.wMinute, now.wSecond);
    line += message;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}
