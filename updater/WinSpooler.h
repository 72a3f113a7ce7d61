// The local print spooler through winspool.
#pragma once

#include "Spooler.h"

class WinSpooler : public Spooler {
public:
    SpoolerQuery enumPrinters(std::vector<SpoolerPrinter>& printers, std::uint32_t& error) override;
    bool open(const std::string& name, PrinterHandle& handle, std::uint32_t& error) override;
    SpoolerQuery getStatus(PrinterHandle handle, SpoolerStatus& status, std::uint32_t& error) override;
    bool control(PrinterHandle handle, std::uint32_t command, std::uint32_t& error) override;
    bool close(PrinterHandle handle, std::uint32_t& error) override;
};
