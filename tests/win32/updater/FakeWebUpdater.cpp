// A web-updater library whose answers a test sets in the registry, under
// HKLM\Software\PelmoraTest\FakeWebUpdater, keyed by the last path segment of
// the URL it is asked about ("http://fake/kv" -> "kv"):
//   connection         DWORD  UpdCheckConnection's answer (default 1)
//   check <code>       DWORD  UpdCheckForUpdateA's answer (default 2)
//   version <code>     SZ     text written into the version block
//   download <code>    DWORD  UpdDownloadUpdateExA's answer (default 1)
//   path <code>        SZ     the file it "downloads": created, and reported
//                             in the caller's block, or in an allocated one
//                             when it does not fit
//   apply              DWORD  UpdApplyUpdateA's answer (default 1); on 1 the
//                             file "<dir>\applied.<package name>" is written
//   record             SZ     a file each call appends one line to
//   fail call          DWORD  the one call (counting from 1, over every export
//                             and every load) that fails: init and uninit
//                             answer 0, the connection 0, a check 1 (no
//                             response), a download 1 without a file, an
//                             apply 0
//   calls              DWORD  the calls counted so far
#include "WebUpdaterLibrary.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kKey = "Software\\PelmoraTest\\FakeWebUpdater";
UpdAllocFunction allocate = nullptr;

bool readText(const std::string& name, std::string& text)
{
    char buffer[2048] = {};
    DWORD size = sizeof buffer - 1;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG result =
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    text = buffer;
    return true;
}

int readNumber(const std::string& name, int defaultValue)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return defaultValue;
    LONG result =
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? static_cast<int>(value) : defaultValue;
}

void writeNumber(const std::string& name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

// Counts this call; true when it is the one to fail.
bool failing()
{
    const int count = readNumber("calls", 0) + 1;
    writeNumber("calls", static_cast<DWORD>(count));
    return count == readNumber("fail call", 0);
}

void record(const std::string& line)
{
    std::string path;
    if (!readText("record", path))
        return;
    FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr)
        return;
    std::fprintf(file, "%s\r\n", line.c_str());
    std::fclose(file);
}

std::string codeOf(const char* url)
{
    std::string text = url != nullptr ? url : "";
    std::string::size_type slash = text.rfind('/');
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

}  // namespace

extern "C" {

int __stdcall UpdInitializeA(UpdAllocFunction allocator, unsigned long, unsigned long,
                             unsigned long, unsigned long, unsigned long, unsigned long)
{
    allocate = allocator;
    record("init");
    return failing() ? 0 : 1;
}

int __stdcall UpdUninitialize(void)
{
    record("uninit");
    allocate = nullptr;
    return failing() ? 0 : 1;
}

int __stdcall UpdCheckConnection(void)
{
    record("connection");
    if (failing())
        return 0;
    return readNumber("connection", 1);
}

int __stdcall UpdCheckForUpdateA(const char* url, const char* currentVersion, char* newVersion,
                                 unsigned long timeOut, unsigned long retryCount, unsigned long)
{
    std::string code = codeOf(url);
    record("check " + std::string(url) + " " + currentVersion + " " + std::to_string(timeOut) +
           " " + std::to_string(retryCount));
    if (failing())
        return 1;
    std::string version;
    if (readText("version " + code, version))
        std::strncpy(newVersion, version.c_str(), 19);
    return readNumber("check " + code, 2);
}

int __stdcall UpdDownloadUpdateExA(const char* url, unsigned long, unsigned long* detail,
                                   unsigned long, unsigned long timeOut, unsigned long retryCount,
                                   char** pathHolder, unsigned long)
{
    std::string code = codeOf(url);
    record("download " + std::string(url) + " " + std::to_string(timeOut) + " " +
           std::to_string(retryCount));
    if (detail != nullptr)
        *detail = 0;
    if (failing())
        return 1;
    int result = readNumber("download " + code, 1);
    std::string path;
    if (result != 0 || !readText("path " + code, path))
        return result;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fputs(code.c_str(), file);
        std::fclose(file);
    }
    if (path.size() < UPD_PATH_BLOCK_SIZE) {
        std::strcpy(*pathHolder, path.c_str());
    } else {
        char* block = static_cast<char*>(allocate(static_cast<unsigned long>(path.size() + 1)));
        std::strcpy(block, path.c_str());
        *pathHolder = block;
    }
    return 0;
}

int __stdcall UpdApplyUpdateA(const char* packagePath, const char* destinationDirectory,
                              unsigned long, unsigned long, unsigned long)
{
    record(std::string("apply ") + packagePath + " " + destinationDirectory);
    int result = failing() ? 0 : readNumber("apply", 1);
    if (result == 1) {
        std::string name = packagePath;
        name = name.substr(name.find_last_of('\\') + 1);
        std::string marker = std::string(destinationDirectory) + "\\applied." + name;
        FILE* file = std::fopen(marker.c_str(), "wb");
        if (file != nullptr)
            std::fclose(file);
    }
    return result;
}

}  // extern "C"
