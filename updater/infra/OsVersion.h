// The operating-system version the Updater decides by. Built from a version
// record and the WOW64 answer, so every decision can be exercised for any
// Windows version; current() reads the running system.
#pragma once

#include <cstdint>
#include <string>

struct OsVersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;  // 1 Windows 9x, 2 NT
    std::string servicePack;
    std::uint16_t servicePackMajor = 0;
    std::uint16_t servicePackMinor = 0;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
};

class OsVersion {
public:
    OsVersion(const OsVersionRecord& record, bool wow64);

    // The running system, read once (GetVersionEx, IsWow64Process looked up at
    // run time). Raises Win32Exception when the version cannot be read.
    static const OsVersion& current();

    const OsVersionRecord& record() const { return record_; }
    bool isNT() const;
    bool is2000OrLater() const;
    bool isVistaOrLater() const;
    bool isWow64() const { return wow64_; }

    // 1 Win95, 2 Win98, 3 WinMe, 4 NT 4, 5 2000, 6 XP, 7 NT 5.2, 8 Vista, 0 other.
    int versionCode() const;

    // The driver-version folder under the spooler's driver directory:
    // "\\3" from Windows 2000 to Vista, "\\2" on NT 4, nothing otherwise.
    std::string driverVersionFolder() const;

    // The local spooler's printer-driver directory plus driverVersionFolder();
    // empty when the spooler cannot say.
    std::string printerDriverDirectory() const;

private:
    OsVersionRecord record_;
    bool wow64_;
};
