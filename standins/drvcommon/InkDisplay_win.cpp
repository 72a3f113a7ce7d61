// CGUIInkDisplay: the ink record of one printer, drawn into two ink-tank
// windows, and the silent reorder path, which starts the printer status
// program (IDO_PSWX_NT, taken from the installation directory when relative)
// on its supplies task with the silent switch /S.
#include "drvcommon.h"

#include "InkCartridges.h"
#include "Module_win.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

struct InkDisplay {
    InkDisplay()
    {
        for (int32_t& word : words)
            word = drvcommon::kInkNoStatus;
    }
    std::string printerName;
    int32_t words[drvcommon::kInkWordCount];
    DWORD portMode = 0;
    HWND tanks[2] = {nullptr, nullptr};
};

InkDisplay* from(void* display)
{
    return static_cast<InkDisplay*>(display);
}

void showInTanks(const InkDisplay& display)
{
    for (int holder = 1; holder <= 2; ++holder) {
        HWND tank = display.tanks[holder - 1];
        if (tank == nullptr)
            continue;
        const drvcommon::CartridgeView view = drvcommon::DescribeCartridge(display.words, holder, display.portMode);
        GuiInkTankData data = {};
        data.state = view.state == drvcommon::CartridgeState::Present ? 0
                     : view.state == drvcommon::CartridgeState::Missing ? 1 : 2;
        data.photo = view.photo;
        data.lastKnown = view.lastKnown;
        data.inkCount = static_cast<DWORD>(view.inkCount);
        for (int i = 0; i < view.inkCount; ++i) {
            data.inks[i].colour = view.inks[i].colour;
            data.inks[i].percent = view.inks[i].percent;
        }
        SendMessageA(tank, GUI_SETINKTANK, 0, reinterpret_cast<LPARAM>(&data));
    }
}

bool validHolder(DWORD holder)
{
    return holder == 1 || holder == 2;
}

std::string optionText(const char* key)
{
    char buffer[MAX_PATH];
    DWORD length = PmkGetSettingText(key, buffer, sizeof buffer);
    return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

}  // namespace

extern "C" void* WINAPI InkDisplayCreate(void)
{
    try {
        return new InkDisplay();
    } catch (...) {
        return nullptr;
    }
}

extern "C" void WINAPI InkDisplaySetInkInfo(void* display, const void* inkInfo)
{
    if (display == nullptr || inkInfo == nullptr)
        return;
    // The ink words are the first 64 of the record's 152 bytes.
    memcpy(from(display)->words, inkInfo, sizeof from(display)->words);
    showInTanks(*from(display));
}

extern "C" void WINAPI InkDisplaySetPortMode(void* display, DWORD portMode)
{
    if (display == nullptr)
        return;
    from(display)->portMode = portMode;
    showInTanks(*from(display));
}

extern "C" BOOL WINAPI InkDisplayHasInkMonitoring(void* display)
{
    return display != nullptr && drvcommon::HasInkMonitoring(from(display)->words);
}

extern "C" BOOL WINAPI InkDisplayIsPhotoCartridge(void* display, DWORD holder)
{
    if (display == nullptr || !validHolder(holder))
        return FALSE;
    return drvcommon::DescribeCartridge(from(display)->words, static_cast<int>(holder), 0).photo;
}

extern "C" BOOL WINAPI InkDisplayIsCartridgeMissing(void* display, DWORD holder)
{
    if (display == nullptr || !validHolder(holder))
        return FALSE;
    return drvcommon::DescribeCartridge(from(display)->words, static_cast<int>(holder), 0).state ==
           drvcommon::CartridgeState::Missing;
}

extern "C" BOOL WINAPI InkDisplayUpdateFromStatusCache(void* display)
{
    try {
        if (display == nullptr)
            return FALSE;
        InkDisplay& ink = *from(display);
        CComxDataRetriever cache;
        if (!cache.GetPrinterCacheData(ink.printerName.c_str()))
            return FALSE;
        ink.words[drvcommon::kWordStyle] = static_cast<int32_t>(cache.GetInkStyle());
        for (DWORD level = 1; level <= 9; ++level)
            ink.words[drvcommon::kWordFirstLevel + level - 1] = static_cast<int32_t>(cache.GetInkPercent(level));
        ink.words[drvcommon::kWordLogCart1] = static_cast<int32_t>(cache.GetLogCartId(1));
        ink.words[drvcommon::kWordLogCart2] = static_cast<int32_t>(cache.GetLogCartId(2));
        ink.words[12] = static_cast<int32_t>(cache.GetPhysCartId(1));
        ink.words[13] = static_cast<int32_t>(cache.GetPhysCartId(2));
        ink.words[14] = static_cast<int32_t>(cache.GetCartStatus(1));
        ink.words[15] = static_cast<int32_t>(cache.GetCartStatus(2));
        showInTanks(ink);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" void WINAPI InkDisplaySetInkTanks(void* display, HWND leftTank, HWND rightTank)
{
    if (display == nullptr)
        return;
    from(display)->tanks[0] = leftTank;
    from(display)->tanks[1] = rightTank;
    showInTanks(*from(display));
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
