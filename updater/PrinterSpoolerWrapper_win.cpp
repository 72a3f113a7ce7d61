#include "PrinterSpoolerWrapper.h"

#include "DeviceEnumerator.h"
#include "Logger.h"
#include "Settings.h"
#include "UpdaterPlatform.h"

namespace {

const LoggerComponent& updater = logcomponent::Updater;

bool fitsOpenBuffer(const std::string& name, FunctionTrace& trace)
{
    if (name.size() <= PrinterSpoolerWrapper::kMaxPrinterName)
        return true;
    trace.log("Printer name of " + std::to_string(name.size()) +
              " characters does not fit the open buffer, skipping '" + name.substr(0, 64) +
              "...'");
    return false;
}

std::string openFailure(const std::string& name, std::uint32_t error)
{
    return "OpenPrinter failed to open printer '" + name +
           "' with ADMIN permissions. GetLastError()=" + std::to_string(error);
}

// One scan of the drain wait: true when no printer that counts holds a job.
bool queuesAreEmpty(const PrinterHandleList& handles, FunctionTrace& trace, bool& stop)
{
    Spooler& spooler = *updaterPlatform().spooler;
    for (PrinterHandle handle : handles) {
        SpoolerStatus status;
        std::uint32_t error = 0;
        if (!spooler.getStatus(handle, status, error)) {
            if (error == 8) {
                stop = true;
                return true;
            }
            trace.log("GetPrinter failed, GetLastError()=" + std::to_string(error));
            continue;
        }
        if ((status.status & kPrinterStatusPaused) ||
            (status.attributes & kPrinterAttributeWorkOffline))
            continue;
        if (status.jobs > 0)
            return false;
    }
    return true;
}

}  // namespace

bool PrinterSpoolerWrapper::canWeOpenPrintersInAdminMode()
{
    auto trace = FunctionTrace::begin(
        updater, [] { return "PrinterSpoolerWrapper::canWeOpenPrintersInAdminMode() "; });
    bool result = true;
    if (updaterPlatform().os->isVistaOrLater()) {
        std::string name;
        for (const std::string& candidate : DeviceEnumerator::instance().getPrinters()) {
            if (fitsOpenBuffer(candidate, trace)) {
                name = candidate;
                break;
            }
        }
        if (name.empty()) {
            // No printer whose rights matter; answering false would ask for
            // elevation on every run, and the pass stops at pausing anyway.
            trace.log("No printer installed with our driver, no printer rights to test");
        } else {
            Spooler& spooler = *updaterPlatform().spooler;
            PrinterHandle handle = nullptr;
            std::uint32_t error = 0;
            result = spooler.open(name, handle, error);
            if (result) {
                trace.log("Printer was opened successfully with ADMIN privilages.");
                spooler.close(handle);
            } else {
                trace.log(openFailure(name, error));
            }
        }
    }
    trace.setResult(result);
    return result;
}

bool PrinterSpoolerWrapper::OpenPrinters(const std::list<std::string>& names,
                                         PrinterHandleList& handles)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "PrinterSpoolerWrapper::OpenPrinters() "; });
    Spooler& spooler = *updaterPlatform().spooler;
    for (const std::string& name : names) {
        if (!fitsOpenBuffer(name, trace))
            continue;
        PrinterHandle handle = nullptr;
        std::uint32_t error = 0;
        if (!spooler.open(name, handle, error)) {
            trace.log(openFailure(name, error));
            trace.setResult(0);
            return false;
        }
        trace.log("Successfully Opened printer '" + name + "'");
        handles.push_back(handle);
    }
    trace.log("All printer were opened successfully with ADMIN privilages.");
    trace.setResult(1);
    return true;
}

bool PrinterSpoolerWrapper::ClosePrinters(PrinterHandleList& handles)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "PrinterSpoolerWrapper::ClosePrinters() "; });
    trace.log("Closing all open printers");
    bool result = true;
    for (PrinterHandle handle : handles) {
        if (!updaterPlatform().spooler->close(handle))
            result = false;
    }
    handles.clear();
    trace.setResult(result);
    return result;
}

bool PrinterSpoolerWrapper::pausePrinters(PrinterHandleList& handles)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "PrinterSpoolerWrapper::pausePrinters() "; });
    std::list<std::string> names = DeviceEnumerator::instance().getPrinters();
    if (names.empty()) {
        trace.log("No printers are installed on the OS with the Print Driver of interest");
        trace.setResult(0);
        return false;
    }
    if (!OpenPrinters(names, handles)) {
        trace.log("Failed to open all the printers in the list, so closing and exiting");
        ClosePrinters(handles);
        trace.setResult(0);
        return false;
    }

    unsigned long interval = setting::kPrinterPollInterval.defaultValue;
    Settings().readWithDefault(setting::kPrinterPollInterval, interval);
    bool stop = false;
    while (!queuesAreEmpty(handles, trace, stop) && !stop)
        updaterPlatform().sleep(static_cast<std::uint32_t>(interval));

    trace.log("Total number of printers to pause = " + std::to_string(handles.size()));
    Spooler& spooler = *updaterPlatform().spooler;
    for (PrinterHandle handle : handles) {
        std::uint32_t error = 0;
        if (!spooler.control(handle, kPrinterControlPause, error)) {
            trace.log(std::string("SetPrinter(hPrinter, 0, NULL, PRINTER_CONTROL_PAUSE) failed.") +
                      " GetLastError()=" + std::to_string(error));
            resumePrinters(handles);
            trace.setResult(0);
            return false;
        }
        trace.log("Printer was PAUSED successfully");
    }
    trace.setResult(1);
    return true;
}

bool PrinterSpoolerWrapper::resumePrinters(PrinterHandleList handles)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "PrinterSpoolerWrapper::resumePrinters() "; });
    Spooler& spooler = *updaterPlatform().spooler;
    bool result = true;
    for (PrinterHandle handle : handles) {
        std::uint32_t error = 0;
        if (spooler.control(handle, kPrinterControlResume, error)) {
            trace.log("Printer was RESUMED successfully");
        } else {
            trace.log(std::string("SetPrinter(hPrinter, 0, NULL, PRINTER_CONTROL_RESUME) failed.") +
                      " GetLastError()=" + std::to_string(error));
            result = false;
        }
    }
    trace.setResult(result);
    return result;
}
