// The help function of the common look: HTML Help from hhctrl.ocx of the
// system folder, loaded on first use so that a process that never asks for
// help never maps it. It stays loaded: its help windows live in the caller's
// process and would lose their code if it went.
#include "drvcommon.h"
#include "Module_win.h"

#include <string>

namespace {

using HtmlHelpA_t = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpA_t htmlHelp()
{
    static HtmlHelpA_t function = nullptr;
    if (function != nullptr)
        return function;
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        drvcommon::Spy("GuiShowHelp: no system folder, error " + std::to_string(GetLastError()));
        return nullptr;
    }
    const std::string path = std::string(system, length) + "\\hhctrl.ocx";
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        drvcommon::Spy("GuiShowHelp: cannot load " + path + ", error " + std::to_string(GetLastError()));
        return nullptr;
    }
    function = reinterpret_cast<HtmlHelpA_t>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")));
    if (function == nullptr)
        drvcommon::Spy("GuiShowHelp: hhctrl.ocx has no HtmlHelpA, error " + std::to_string(GetLastError()));
    return function;
}

}  // namespace

extern "C" HWND WINAPI GuiShowHelp(HWND owner, const char* helpFile, const char* window, UINT command,
                                   DWORD_PTR data)
{
    try {
        if (helpFile == nullptr || *helpFile == '\0') {
            drvcommon::Spy("GuiShowHelp: no help file");
            return nullptr;
        }
        const std::string target = drvcommon::InInstallation(helpFile) + (window != nullptr ? window : "");
        drvcommon::Spy("GuiShowHelp: " + target + " command " + std::to_string(command) + " data " +
                       std::to_string(static_cast<unsigned long long>(data)));
        HtmlHelpA_t show = htmlHelp();
        if (show == nullptr)
            return nullptr;
        HWND shown = show(owner, target.c_str(), command, data);
        if (shown == nullptr)
            drvcommon::Spy("GuiShowHelp: HtmlHelp opened nothing for " + target);
        return shown;
    } catch (...) {
        return nullptr;
    }
}
