// Writes the program settings file into the registry: each section names a
// key under HKEY_LOCAL_MACHINE, each entry a typed value.
#pragma once

#include "IniReader.h"

#include <memory>
#include <string>

class SettingsInstaller {
public:
    explicit SettingsInstaller(const std::string& fileName);

    // True when every section and entry was accepted; valid entries are
    // written even when others are skipped.
    bool installSettings();

private:
    std::unique_ptr<IniReader> reader_;
    bool parsed_ = false;
};
