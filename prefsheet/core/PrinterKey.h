// One sub-key of a printer's settings key open in the registry component
// for as long as the object lives, in the personal-settings mode when asked,
// and the 4-byte numbers kept there.
#pragma once

#include "CommonLibrary.h"

#include <cstdint>
#include <string>

class OpenPrinterKey {
public:
    OpenPrinterKey(RegistryComponent& registry, const std::string& printerName, const std::string& subKey,
                   bool personal);
    ~OpenPrinterKey();
    OpenPrinterKey(const OpenPrinterKey&) = delete;
    OpenPrinterKey& operator=(const OpenPrinterKey&) = delete;

private:
    RegistryComponent& registry_;
    bool personal_;
};

// A number of the open key; false when it is missing or not 4 bytes long.
bool ReadRegistryNumber(RegistryComponent& registry, const std::string& valueName, uint32_t& value);
