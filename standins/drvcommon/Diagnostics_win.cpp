// CSpy, ActivityTracker, PmkIniFile and the platform query.
#include "drvcommon.h"

#include "Module_win.h"

#include <cstring>

namespace {

// Appends whole lines; a file that cannot be opened is skipped silently,
// diagnostics never fail visibly.
void appendLine(const std::string& path, const std::string& line)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string record = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
}

std::string environment(const char* name)
{
    char buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

}  // namespace

namespace drvcommon {

void Spy(const std::string& line)
{
    OutputDebugStringA((line + "\n").c_str());
    const std::string file = environment("DRVCOMMON_SPY_FILE");
    if (!file.empty())
        appendLine(file, line);
}

}  // namespace drvcommon

extern "C" void WINAPI SpyOutputData(const char* text)
{
    try {
        drvcommon::Spy(text != nullptr ? text : "");
    } catch (...) {
        OutputDebugStringA("CSpy: out of memory\n");
    }
}

extern "C" void WINAPI ActivityWriteData(WORD eventId, const char* text)
{
    try {
        char folder[MAX_PATH];
        DWORD length = GetTempPathA(MAX_PATH, folder);
        if (length == 0 || length >= MAX_PATH) {
            drvcommon::Spy("ActivityTracker: GetTempPath failed, error " + std::to_string(GetLastError()));
            return;
        }
        appendLine(std::string(folder, length) + "PelmoraActivity.log",
                   std::to_string(eventId) + "\t" + (text != nullptr ? text : ""));
    } catch (...) {
        OutputDebugStringA("ActivityTracker: out of memory\n");
    }
}

extern "C" DWORD WINAPI PmkReadINI(const char* section, const char* key, const char* file, char* buffer,
                                   DWORD size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    buffer[0] = '\0';
    if (section == nullptr || key == nullptr || file == nullptr)
        return 0;
    try {
        const std::string path = drvcommon::InInstallation(file);
        return GetPrivateProfileStringA(section, key, "", buffer, size, path.c_str());
    } catch (...) {
        return 0;
    }
}

extern "C" BOOL WINAPI PlatformQuery(void*)
{
    return GetSystemMetrics(SM_DBCSENABLED) != 0;
}
