// The Updater's start-up and shut-down around one update pass.
#pragma once

#include <string>

// Creates Localize, the logger, CommandLineParams and DeviceEnumerator, in
// this order; false when any of them throws (nothing is undone then).
bool initializeServices(const std::string& commandLine);

// The whole program: services, one pass, teardown in reverse order. The
// exit code is always 0.
int runUpdater(const std::string& commandLine);
