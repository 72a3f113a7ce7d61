// The printers of the local spooler that use the product's driver (the
// "DriverName" setting), found once per process.
#pragma once

#include <cstdint>
#include <list>
#include <string>

struct PrinterRecord {
    std::string name;
    std::string port;
    std::uint32_t attributes;
};

class DeviceEnumerator {
public:
    // Raises Win32Exception when the driver name cannot be read.
    static DeviceEnumerator& instance();
    static void destroy();

    // Names in spooler order; the spooler is asked again only while no
    // printer of the driver has been found.
    std::list<std::string> getPrinters();
    const std::string& driverName() const { return driverName_; }

private:
    DeviceEnumerator();
    ~DeviceEnumerator();
    void enumPrinters();

    std::string driverName_;
    std::list<PrinterRecord> printers_;
};
