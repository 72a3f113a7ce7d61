#include "PrinterSpoolerWrapper.h"

#include "DeviceEnumerator.h"
#include "Logger.h"
#include "Settings.h"
#include "UpdaterPlatform.h"

namespace {

const LoggerComponent& updater = logcomponent::Updater;

// A name that does not fit the 260-character open buffer cannot be opened;
// skipping it would leave a printer of the driver running during the install.
bool openWithFullAccess(const std::string& name, PrinterHandle& handle, std::uint32_t& error)
{
    if (name.size() > PrinterSpoolerWrapper::kMaxPrinterName) {
        error = PrinterSpoolerWrapper::kErrorInvalidPrinterName;
        return false;
    }
    return updaterPlatform().spooler->open(name, handle, error);
}

// A close the spooler refuses is logged and otherwise ignored: the handle is
// gone either way.
bool closePrinter(PrinterHandle handle, FunctionTrace& trace)
{
    std::uint32_t error = 0;
    if (updaterPlatform().spooler->close(handle, error))
        return true;
    trace.log("ClosePrinter failed, GetLastError()=" + std::to_string(error));
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
        const SpoolerQuery answer = spooler.getStatus(handle, status, error);
        if (answer == SpoolerQuery::noBuffer) {
            stop = true;
            return true;
        }
        if (answer == SpoolerQuery::failed) {
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
        const std::list<std::string> names = DeviceEnumerator::instance().getPrinters();
        if (names.empty()) {
            // No printer whose rights matter; answering false would ask for
            // elevation on every run, and the pass stops at pausing anyway.
            trace.log("No printer installed with our driver, no printer rights to test");
        } else {
            const std::string& name = names.front();
            PrinterHandle handle = nullptr;
            std::uint32_t error = 0;
            result = openWithFullAccess(name, handle, error);
            if (result) {
                trace.log("Printer was opened successfully with ADMIN privilages.");
                closePrinter(handle, trace);
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
    for (const std::string& name : names) {
        PrinterHandle handle = nullptr;
        std::uint32_t error = 0;
        if (!openWithFullAccess(name, handle, error)) {
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
        if (!closePrinter(handle, trace))
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
