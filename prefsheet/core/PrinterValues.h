// Numbers under the printer's settings key as the main windows keep them:
// a value that is missing (or is not a 32-bit number) is taken as its
// default, and the default is written back at once under the same name.
#pragma once

#include "CommonLibrary.h"

#include <cstdint>
#include <string>

// One sub-key of the printer's settings key open for the scope, as the
// registry component allows one at a time; the personal-settings mode is on
// only around it.
class OpenPrinterKey {
public:
    OpenPrinterKey(RegistryComponent& registry, const std::string& printerName, const std::string& subKey,
                   bool personal);
    ~OpenPrinterKey();
    OpenPrinterKey(const OpenPrinterKey&) = delete;
    OpenPrinterKey& operator=(const OpenPrinterKey&) = delete;
    bool opened() const { return opened_; }

private:
    RegistryComponent& registry_;
    bool personal_;
    bool opened_;
};

class PrinterValues {
public:
    // personal: the registry component's personal-settings mode around each
    // access (the slot keys of products that offer personal settings).
    PrinterValues(RegistryComponent& registry, Trace& trace, std::string printerName, bool personal = false);

    uint32_t Read(const std::string& subKey, const std::string& name, uint32_t fallback);
    // False (traced) when the value could not be written.
    bool Write(const std::string& subKey, const std::string& name, uint32_t value);
    // A value of the printer's key itself, read and then deleted whatever
    // it held; false when there was no number.
    bool Take(const std::string& name, uint32_t& value);

private:
    void traceUnopened(const OpenPrinterKey& key, const std::string& subKey);

    RegistryComponent& registry_;
    Trace& trace_;
    std::string printerName_;
    bool personal_;
};
