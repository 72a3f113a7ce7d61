#include "PrinterValues.h"

#include <utility>

// One sub-key open at a time, as the registry component allows.
class PrinterValues::OpenKey {
public:
    OpenKey(PrinterValues& values, const std::string& subKey) : registry_(values.registry_), personal_(values.personal_)
    {
        registry_.SetFriendlyName(values.printerName_);
        if (personal_)
            registry_.SetPersonalSettings(1);
        if (!registry_.Create(subKey))
            values.trace_.OutputData("PrinterValues: cannot open \"" + subKey + "\"");
    }
    ~OpenKey()
    {
        registry_.Close();
        if (personal_)
            registry_.SetPersonalSettings(0);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    RegistryComponent& registry_;
    bool personal_;
};

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
uint32_t PrinterValues::Read(const std::string& subKey, const std::string& name, uint32_t fallback)
{
    if (name.empty())
        return fallback;
    OpenKey key(*this, subKey);
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
    OpenKey key(*this, subKey);
    if (registry_.Write(name, kRegNumber, &value, sizeof value))
        return true;
    trace_.OutputData("PrinterValues: writing " + subKey + "\\" + name + " failed");
    return false;
}

bool PrinterValues::Take(const std::string& name, uint32_t& value)
{
    OpenKey key(*this, "");
    const bool found = readNumber(registry_, name, value);
    registry_.DeleteValue(name);
    return found;
}
