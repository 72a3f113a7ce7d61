// Starting the printer's companion programs from the preferences: the status
// program with a task code, and the supplies-ordering path.
#pragma once

#include "CommonLibrary.h"
#include "Options.h"

#include <string>

// Task codes of the status program, one per button or menu entry.
namespace statustask {
constexpr int kOrderSupplies = 203;
constexpr int kOrderSuppliesVendra = 700;
constexpr int kAll[] = {100, 102, 203, 304, 305, 306, 308, 311, 312, 317, 318, 422, 653, 700};
}  // namespace statustask

// <program> /F="<printer name>" /T=<task> /L=a, the printer name unchanged.
std::string statusProgramCommandLine(const std::string& program, const std::string& printerName,
                                     int taskCode);

// <system directory>\<IDO_LPA_EXECUTABLENAME_PATH><IDO_RETAILERSPECIFIC_INIFILE_NAME>
std::string retailerFilePath(const std::string& systemDirectory, const Options& options);

// 700 for the Vendra interface (IDO_VENDRA_GUI_OPTION equals 1), else 203.
int orderSuppliesTask(const Options& options);

// An empty retailer value, or "Default", means the ink display orders.
bool retailerOrdersSupplies(const std::string& retailerValue);

// What the pages start outside the library. PropCommonFunctions on Windows;
// native tests record the calls.
class CompanionActions {
public:
    virtual ~CompanionActions() = default;
    virtual void LaunchStatusProgram(const std::string& printerName, int taskCode) = 0;
    virtual void OnOrderSupplies(const std::string& printerName) = 0;
};

class PropCommonFunctions : public CompanionActions {
public:
    PropCommonFunctions(const Options& options, Trace& trace) : options_(options), trace_(trace) {}

    // Starts commandLine detached and does not wait; a failure is only traced.
    void LaunchProgram(const std::string& commandLine);
    void LaunchStatusProgram(const std::string& printerName, int taskCode) override;
    void OnOrderSupplies(const std::string& printerName) override;

private:
    const Options& options_;
    Trace& trace_;
};
