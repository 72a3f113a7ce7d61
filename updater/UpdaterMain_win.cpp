#include "UpdaterMain.h"

#include "CommandLineParams.h"
#include "CurrentProcess.h"
#include "DeviceEnumerator.h"
#include "Localize.h"
#include "Logger.h"
#include "UpdatesController.h"

bool initializeServices(const std::string& commandLine)
{
    try {
        Localize::createInstance(nullptr);
        createLogger();
        CommandLineParams::instance(commandLine);
        DeviceEnumerator::instance();
        return true;
    } catch (...) {
        return false;
    }
}

int runUpdater(const std::string& commandLine)
{
    if (!initializeServices(commandLine))
        return 0;
    {
        UpdatesController controller;
        controller.performUpdates();
    }
    CurrentProcess::destroy();
    DeviceEnumerator::destroy();
    CommandLineParams::destroy();
    destroyLogger();
    Localize::destroyInstance();
    return 0;
}
