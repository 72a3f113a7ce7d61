// Helpers of the Updater's Wine tests: raw registry and file access that does
// not go through the code under test, and child processes of this program.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

inline std::string thisExecutable()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

inline std::string thisDirectory()
{
    std::string path = thisExecutable();
    return path.substr(0, path.rfind('\\') + 1);
}

inline std::string expand(const char* text)
{
    char buffer[MAX_PATH];
    DWORD length = ExpandEnvironmentStringsA(text, buffer, MAX_PATH);
    return length > 0 && length <= MAX_PATH ? std::string(buffer, length - 1) : std::string();
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline bool keyExists(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

inline void deleteTree(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (;;) {
        char child[256];
        DWORD length = sizeof child;
        if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        deleteTree(path + "\\" + std::string(child, length), root);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

inline void createKey(const std::string& path)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

inline void setRaw(const std::string& path, const std::string& name, DWORD type,
                   const std::string& bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

inline void setDword(const std::string& path, const std::string& name, DWORD value)
{
    setRaw(path, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
}

// false when missing; type and bytes otherwise.
inline bool queryRaw(const std::string& path, const std::string& name, DWORD& type,
                     std::string& bytes)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char data[4096];
    DWORD size = sizeof data;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    bytes.assign(data, size);
    return true;
}

// A value's bytes and type, whatever its size; empty with REG_NONE when missing.
inline std::vector<BYTE> rawValue(HKEY root, const std::string& path, const char* name,
                                  DWORD& type)
{
    HKEY key;
    std::vector<BYTE> data;
    type = REG_NONE;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return data;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    }
    RegCloseKey(key);
    return data;
}

// A REG_DWORD under HKEY_CURRENT_USER; 0xDEADBEEF when missing or of another kind.
inline DWORD rawNumber(const std::string& path, const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data = rawValue(HKEY_CURRENT_USER, path, name, type);
    DWORD value = 0xDEADBEEF;
    if (type == REG_DWORD && data.size() == 4)
        memcpy(&value, data.data(), 4);
    return value;
}

inline bool queryDword(const std::string& path, const std::string& name, DWORD& value)
{
    DWORD type = 0;
    std::string bytes;
    if (!queryRaw(path, name, type, bytes) || type != REG_DWORD || bytes.size() != 4)
        return false;
    memcpy(&value, bytes.data(), 4);
    return true;
}

// Runs program with the given command line (program name included) and
// returns its exit code.
inline DWORD runProcess(const std::string& program, const std::string& commandLine,
                        DWORD timeout = 60000)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "CreateProcess " << program << " failed: " << GetLastError();
        return 0xFFFFFFFF;
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, timeout), WAIT_OBJECT_0);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace testsupport
