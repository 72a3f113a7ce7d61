#include "DeviceEnumerator.h"

#include "CriticalSection.h"
#include "Exception.h"
#include "Logger.h"
#include "Settings.h"
#include "UpdaterPlatform.h"

namespace {

const LoggerComponent& rules = logcomponent::RulesEng;
CriticalSection lock;
DeviceEnumerator* singleton = nullptr;

}  // namespace

DeviceEnumerator& DeviceEnumerator::instance()
{
    auto trace = FunctionTrace::begin(rules, [] { return "DeviceEnumerator::instance: "; });
    ScopedLock guard(&lock);
    if (singleton == nullptr) {
        trace.log("creating DeviceEnumerator.");
        singleton = new DeviceEnumerator();
    }
    return *singleton;
}

void DeviceEnumerator::destroy()
{
    auto trace = FunctionTrace::begin(rules, [] { return "DeviceEnumerator::destroy: "; });
    ScopedLock guard(&lock);
    if (singleton != nullptr) {
        trace.log("destroying DeviceEnumerator.");
        delete singleton;
        singleton = nullptr;
    }
}

DeviceEnumerator::DeviceEnumerator()
{
    auto trace = FunctionTrace::begin(rules, [] { return "DeviceEnumerator::DeviceEnumerator: "; });
    Settings settings;
    if (!settings.read(setting::kDriverName, driverName_)) {
        trace.log(std::string("Error - settings.getStringValue(keyName=") + setting::kSettingsKey +
                  ", valueName=" + setting::kDriverName.name + ", rc=false.");
        throw Win32Exception("DeviceEnumerator::DeviceEnumerator - could not retrieve driver name",
                             1, "", 0);
    }
}

DeviceEnumerator::~DeviceEnumerator()
{
    auto trace =
        FunctionTrace::begin(rules, [] { return "DeviceEnumerator::~DeviceEnumerator: "; });
}

void DeviceEnumerator::enumPrinters()
{
    auto trace = FunctionTrace::begin(rules, [] { return "DeviceEnumerator::enumPrinters():"; });
    std::vector<SpoolerPrinter> found;
    std::uint32_t error = 0;
    switch (updaterPlatform().spooler->enumPrinters(found, error)) {
    case SpoolerQuery::ok:
        break;
    case SpoolerQuery::noBuffer:
        trace.log("could not allocate memory for results of printer enumeration");
        return;
    case SpoolerQuery::failed:
        trace.log("Printer enumeration failed with win32 error code =" + std::to_string(error));
        return;
    }
    printers_.clear();
    try {
        for (const SpoolerPrinter& printer : found) {
            // Exact comparison: a driver named differently in case is not ours.
            if (printer.driver == driverName_)
                printers_.push_back({printer.name, printer.port, printer.attributes});
        }
    } catch (...) {
        logError(rules, "DeviceEnumerator::enumPrinters unknown exception caught!!");
    }
}

std::list<std::string> DeviceEnumerator::getPrinters()
{
    auto trace = FunctionTrace::begin(rules, [] { return "DeviceEnumerator::getPrinters(): "; });
    ScopedLock guard(&lock);
    if (printers_.empty())
        enumPrinters();
    std::list<std::string> names;
    for (const PrinterRecord& record : printers_)
        names.push_back(record.name);
    return names;
}
