#include "Module_win.h"

#include <fstream>
#include <sstream>

namespace drvcommon {

HMODULE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

std::string ModuleDirectory()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        Spy("drvcommon: GetModuleFileName failed, error " + std::to_string(GetLastError()));
        return std::string();
    }
    std::string result(path, length);
    return result.substr(0, result.find_last_of("\\/") + 1);
}

std::string InInstallation(const std::string& fileName)
{
    const bool absolute = (fileName.size() > 1 && fileName[1] == ':') ||
                          (!fileName.empty() && (fileName[0] == '\\' || fileName[0] == '/'));
    return absolute ? fileName : ModuleDirectory() + fileName;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string PrinterKeyName(const std::string& printerName)
{
    std::string name = printerName;
    for (char& c : name) {
        if (c == '\\')
            c = ',';
    }
    return name;
}

}  // namespace drvcommon
