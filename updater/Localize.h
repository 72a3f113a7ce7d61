// The running module's identity, a process-wide singleton created first at
// start-up and destroyed last.
#pragma once

#include "ModuleIdentity.h"

#include <windows.h>

#include <string>

class Localize {
public:
    // Null module: the program's executable. Later calls do nothing.
    static void createInstance(HMODULE module);
    // Throws the text "You must call Localize::createInstance() before
    // calling getInstance()" (a const char*) before createInstance.
    static Localize& getInstance();
    static void destroyInstance();

    std::string getModulePrefix() const { return identity_.modulePrefix(); }
    std::string getProductKeyPath() const { return identity_.productKeyPath(); }
    std::string getJswKeyPath() const { return identity_.jswKeyPath(); }
    std::string getSettingsKeyPath(std::int32_t scope) const
    {
        return identity_.settingsKeyPath(scope);
    }
    bool isLaserFamily() const { return identity_.isLaserFamily(); }
    const std::string& modulePath() const { return modulePath_; }

private:
    explicit Localize(HMODULE module);

    HMODULE module_;
    std::string modulePath_;
    ModuleIdentity identity_;
};
