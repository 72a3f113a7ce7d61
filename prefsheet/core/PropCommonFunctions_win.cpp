#include "PropCommonFunctions.h"

using namespace OptionKey;

#include "drvcommon.h"

#include <windows.h>

#include <vector>

void PropCommonFunctions::LaunchProgram(const std::string& commandLine)
{
    trace_.OutputData("Launch Program()");
    trace_.OutputData(commandLine);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    // 0x28: detached, normal priority; the preferences never wait for it.
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &process)) {
        trace_.OutputData("CreateProcess() Return Code0, GetLastError()=" +
                          std::to_string(GetLastError()));
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void PropCommonFunctions::LaunchStatusProgram(const std::string& printerName, int taskCode)
{
    LaunchProgram(statusProgramCommandLine(options_.text(IDO_PSWX_NT), printerName, taskCode));
}

void PropCommonFunctions::OnOrderSupplies(const std::string& printerName)
{
    trace_.OutputData("PropCommonFunctions::OnOrderSupplies()");
    char system[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(system, MAX_PATH);
    std::string directory = (length > 0 && length < MAX_PATH) ? std::string(system, length) : "";
    std::string file = retailerFilePath(directory, options_);
    std::string retailer = PmkIniFile().ReadINI(options_.text(IDO_RETAILER_SPECIFIC_SECTION_NAME).c_str(),
                                                options_.text(IDO_PARTNER_KEY_NAME).c_str(),
                                                file.c_str());
    if (retailerOrdersSupplies(retailer)) {
        std::string commandLine = statusProgramCommandLine(options_.text(IDO_PSWX_NT), printerName,
                                                           orderSuppliesTask(options_));
        trace_.OutputData("PropCommonFunctions::OnOrderSupplies() - rtlr.ini Found");
        trace_.OutputData("LaunchLPA()");
        trace_.OutputData(commandLine);
        LaunchProgram(commandLine);
        return;
    }
    trace_.OutputData("PropCommonFunctions::OnOrderSupplies() - rtlr.ini NOT Found");
    trace_.OutputData("theInk.LaunchReorderInkAppSilentMode()");
    CGUIInkDisplay ink;
    ink.SetPrinterName(printerName.c_str());
    ink.LaunchReorderInkAppSilentMode();
}
