#include "PrinterValues.h"

#include <utility>

OpenPrinterKey::OpenPrinterKey(RegistryComponent& registry, const std::string& printerName,
                               const std::string& subKey, bool personal)
    : registry_(registry), personal_(personal)
{
    registry_.SetFriendlyName(printerName);
    if (personal_)
        registry_.SetPersonalSettings(1);
    opened_ = registry_.Create(subKey);
}

OpenPrinterKey::~OpenPrinterKey()
{
    registry_.Close();
    if (personal_)
        registry_.SetPersonalSettings(0);
}

namespace {

bool readNumber(RegistryComponent& registry, const std::string& name, uint32_t& value)
{
    uint32_t buffer = 0;
    try {
        if (registry.Read(name, &buffer, sizeof buffer) != sizeof buffer)
            return false;
    } catch (const RegistryReadError&) {
        return false;
    }
    value = buffer;
    return true;
}

}  // namespace

PrinterValues::PrinterValues(RegistryComponent& registry, Trace& trace, std::string printerName, bool personal)
    : registry_(registry), trace_(trace), printerName_(std::move(printerName)), personal_(personal)
{
}

// An empty name is an option the product does not set: it would address
// the key's unnamed value, which belongs to no one.
void PrinterValues::traceUnopened(const OpenPrinterKey& key, const std::string& subKey)
{
    if (!key.opened())
        trace_.OutputData("PrinterValues: cannot open \"" + subKey + "\"");
}

uint32_t PrinterValues::Read(const std::string& subKey, const std::string& name, uint32_t fallback)
{
    if (name.empty())
        return fallback;
    const OpenPrinterKey key(registry_, printerName_, subKey, personal_);
    traceUnopened(key, subKey);
    uint32_t value = 0;
    if (readNumber(registry_, name, value))
        return value;
    if (!registry_.Write(name, kRegNumber, &fallback, sizeof fallback))
        trace_.OutputData("PrinterValues: writing the default of " + subKey + "\\" + name + " failed");
    return fallback;
}

bool PrinterValues::Write(const std::string& subKey, const std::string& name, uint32_t value)
{
    if (name.empty())
        return true;
    const OpenPrinterKey key(registry_, printerName_, subKey, personal_);
    traceUnopened(key, subKey);
    if (registry_.Write(name, kRegNumber, &value, sizeof value))
        return true;
    trace_.OutputData("PrinterValues: writing " + subKey + "\\" + name + " failed");
    return false;
}

bool PrinterValues::Take(const std::string& name, uint32_t& value)
{
    const OpenPrinterKey key(registry_, printerName_, "", personal_);
    traceUnopened(key, "");
    const bool found = readNumber(registry_, name, value);
    registry_.DeleteValue(name);
    return found;
}
