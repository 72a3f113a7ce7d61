// CGUIInkDisplay, as far as the preferences use it: the silent reorder path
// of the ink display starts the printer status program (IDO_PSWX_NT, taken
// from the installation directory when relative) on its supplies task with
// the silent switch /S.
#include "drvcommon.h"

#include "Module_win.h"

#include <new>
#include <string>
#include <vector>

namespace {

struct InkDisplay {
    std::string printerName;
};

std::string optionText(const char* key)
{
    char buffer[MAX_PATH];
    DWORD length = PmkGetSettingText(key, buffer, sizeof buffer);
    return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

}  // namespace

extern "C" void* WINAPI InkDisplayCreate(void)
{
    return new (std::nothrow) InkDisplay();
}

extern "C" void WINAPI InkDisplayDestroy(void* display)
{
    delete static_cast<InkDisplay*>(display);
}

extern "C" void WINAPI InkDisplaySetPrinterName(void* display, const char* printerName)
{
    try {
        if (display != nullptr)
            static_cast<InkDisplay*>(display)->printerName = printerName != nullptr ? printerName : "";
    } catch (...) {
    }
}

extern "C" BOOL WINAPI InkDisplayLaunchReorderInkAppSilentMode(void* display)
{
    try {
        if (display == nullptr)
            return FALSE;
        std::string program = optionText("IDO_PSWX_NT");
        if (program.empty()) {
            drvcommon::Spy("CGUIInkDisplay: no status program (IDO_PSWX_NT)");
            return FALSE;
        }
        std::string line = "\"" + drvcommon::InInstallation(program) + "\" /F=\"" +
                           static_cast<InkDisplay*>(display)->printerName + "\" /T=203 /L=a /S";
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            drvcommon::Spy("CGUIInkDisplay: cannot start " + line + ", error " +
                           std::to_string(GetLastError()));
            return FALSE;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}
