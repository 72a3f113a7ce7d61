// What the update pass asks of the machine that a test must be able to set:
// the spooler, the Windows version, the internet connection state and the
// drain wait's sleep. The shipped program uses the real ones throughout.
#pragma once

#include "OsVersion.h"
#include "Spooler.h"

#include <cstdint>

struct UpdaterPlatform {
    Spooler* spooler;
    const OsVersion* os;
    void (*sleep)(std::uint32_t milliseconds);
    // InternetGetConnectedState: false when offline or the query fails.
    bool (*connectedState)(std::uint32_t& flags, std::uint32_t& error);
};

// The process-wide platform; tests replace members and restore them.
UpdaterPlatform& updaterPlatform();
