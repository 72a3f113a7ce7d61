// A stand-in for the printer status program: it shows nothing and records
// the whole command line it was started with, one line per start, in
// "pmstatus.received" beside itself, so tests and the demo can see exactly
// what the preferences asked for.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::string record(path, length);
    record.resize(record.find_last_of('\\') + 1);
    record += "pmstatus.received";

    std::string line = GetCommandLineA();
    line += "\r\n";
    HANDLE file = CreateFileA(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
