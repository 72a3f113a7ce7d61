#include "PrinterKey.h"

OpenPrinterKey::OpenPrinterKey(RegistryComponent& registry, const std::string& printerName,
                               const std::string& subKey, bool personal)
    : registry_(registry), personal_(personal)
{
    registry_.SetFriendlyName(printerName);
    if (personal_)
        registry_.SetPersonalSettings(1);
    registry_.Create(subKey);
}

OpenPrinterKey::~OpenPrinterKey()
{
    registry_.Close();
    if (personal_)
        registry_.SetPersonalSettings(0);
}

bool ReadRegistryNumber(RegistryComponent& registry, const std::string& valueName, uint32_t& value)
{
    uint32_t buffer = 0;
    try {
        if (registry.Read(valueName, &buffer, sizeof buffer) != sizeof buffer)
            return false;
    } catch (const RegistryReadError&) {
        return false;
    }
    value = buffer;
    return true;
}
