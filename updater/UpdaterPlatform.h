// What the update pass asks of the machine that a test must be able to set:
// the spooler, the Windows version, the internet connection state, the
// drain wait's sleep and the program's own path (whose failures, and a
// re-launch that cannot start, Wine cannot be made to produce). The shipped
// program uses the real ones throughout.
#pragma once

#include "OsVersion.h"
#include "Spooler.h"

#include <cstdint>
#include <string>

struct UpdaterPlatform {
    Spooler* spooler;
    const OsVersion* os;
    void (*sleep)(std::uint32_t milliseconds);
    // InternetGetConnectedState: false when offline or the query fails.
    bool (*connectedState)(std::uint32_t& flags, std::uint32_t& error);
    // The running program's full path, as the pass installs beside it and
    // re-launches it; raises Exception when it cannot be read.
    std::string (*programPath)();
};

// The process-wide platform; tests replace members and restore them.
UpdaterPlatform& updaterPlatform();
