// A sample upload library: it uploads nothing, it records what it received.
// Each call appends the argument text and a line feed, byte for byte, to
// "sampleupload.received" beside the DLL, so tests and the demo can see
// exactly what the gateway handed over.
#include "UploadLibrary.h"

#include <windows.h>

#include <string>

namespace {

HMODULE thisModule;

std::string recordPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(thisModule, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string result(path, length);
    std::string::size_type slash = result.find_last_of("\\/");
    result.resize(slash == std::string::npos ? 0 : slash + 1);
    return result + "sampleupload.received";
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" int __stdcall Upload(const char* arguments)
{
    try {
        std::string record = (arguments != nullptr ? arguments : "");
        record += '\n';
        HANDLE file = CreateFileA(recordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 0;
        DWORD written = 0;
        BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written,
                            nullptr);
        CloseHandle(file);
        return ok && written == record.size() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
