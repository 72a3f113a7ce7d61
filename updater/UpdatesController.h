// One update pass: check, decide by Windows version and rights (re-launching
// through the elevation verb when needed), download, pause the driver's
// printers, install, resume, record the outcome, clean up.
#pragma once

#include "Logger.h"
#include "PrinterSpoolerWrapper.h"
#include "SettingsKeys.h"
#include "UrlGenerator.h"
#include "WebUpdaterAdapter.h"

#include <string>

enum UpdateType {
    NoUpdate = 0,
    DataUpdate = 1,
    SoftwareUpdate = 2,
    SoftwareAndDataUpdate = 3,
};

class UpdatesController {
public:
    UpdatesController();
    ~UpdatesController();
    UpdatesController(const UpdatesController&) = delete;
    UpdatesController& operator=(const UpdatesController&) = delete;

    void performUpdates();

    bool isInternetStateOk();
    bool checkForUpdates(UpdateType& typeOfUpdateAvailable);
    bool downloadAndInstallUpdates(UpdateType type);
    bool downloadUpdates(UpdateType type, std::string& softwareUpdateFileName,
                         std::string& dataUpdateFileName);
    bool downloadUpdate(std::string& fileName, bool isSoftwareUpdate);
    bool installUpdates(const std::string& softwareUpdateFileName,
                        const std::string& dataUpdateFileName);
    bool installDataUpdate(const std::string& dataUpdateFileName);
    void performPostUpdateCleanUp(const std::string& softwareUpdateFileName,
                                  const std::string& dataUpdateFileName);
    bool isProcessElevated();
    bool isProcessRunningWithAdminPrivileges();
    bool relaunchElevated();

    // <common application data>\<DriverName>\<DataUpdatesDirectoryName>;
    // empty when the shell cannot name the common folder.
    static std::string dataUpdatesDirectory();

private:
    // installDataUpdate once the folder is known: create it, then apply.
    bool installDataUpdateInto(const std::string& dataUpdateFileName,
                               const std::string& directory, FunctionTrace& trace);
    // The Windows-version and rights decision of performUpdates.
    void decideAndInstall(UpdateType type, FunctionTrace& trace);

    WebUpdaterAdapter adapter_;
    UrlGenerator urls_;
};

// DataUpdated, CompleteSoftwareUpdated: 1 after success, but a 2 stays 2.
void setOutcomeFlag(const DwordSetting& flag);
