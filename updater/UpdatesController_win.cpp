#include "UpdatesController.h"

#include "CommandLineParams.h"
#include "Exception.h"
#include "Logger.h"
#include "Paths.h"
#include "Settings.h"
#include "UpdaterPlatform.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstdio>
#include <utility>

namespace {

const LoggerComponent& updater = logcomponent::Updater;
const char* const kFailedMessage = "The either the download or the installation has failed.";

}  // namespace

void setOutcomeFlag(const DwordSetting& flag)
{
    Settings settings;
    unsigned long value = 0;
    settings.readWithDefault(flag, value);
    if (value != 2)
        settings.setULongValue(flag.key, flag.name, 1, 0);
}

UpdatesController::UpdatesController()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::UpdatesController() "; });
}

UpdatesController::~UpdatesController()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::~UpdatesController() "; });
}

void UpdatesController::performUpdates()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::performUpdates() "; });
    try {
        if (!isInternetStateOk()) {
            trace.log("The InternetState is not OK to start downloads, quitting the update process.");
            return;
        }
        UpdateType type = NoUpdate;
        if (!checkForUpdates(type) || type == NoUpdate) {
            trace.log("Checking for updates failed or there are no updates available!");
            return;
        }
        trace.log("Updates are available, now, we will attempt to download and install them");
        decideAndInstall(type, trace);
    } catch (const Exception& e) {
        logError(updater, "UpdatesController::performUpdates() " + e.describe());
    } catch (...) {
        logError(updater, "UpdatesController::performUpdates() unknown exception caught");
    }
}

void UpdatesController::decideAndInstall(UpdateType type, FunctionTrace& trace)
{
    if (!updaterPlatform().os->isVistaOrLater()) {
        trace.log(std::string("The OS is Win XP or Win 2K, we have the spooler privilages, ") +
                  "we do not need extra permissions");
        if (!downloadAndInstallUpdates(type))
            trace.log(kFailedMessage);
        return;
    }
    trace.log("We are running on Windows Vista, following the Vista algorithm");
    if (!isProcessRunningWithAdminPrivileges()) {
        trace.log("The current process is running under an non admin user.");
        if (isProcessElevated()) {
            trace.log("Elevated permissions and still not an Admin. UAC must be off.");
            trace.log("Exiting update process.");
            return;
        }
        trace.log("UAC IS enabled, attempting to elevate permissions.");
        relaunchElevated();
        return;
    }
    trace.log("The current process has admin permissions!");
    if (type == DataUpdate) {
        trace.log("This is a CATALOG only update, so we are installing the updates right away!");
        if (!downloadAndInstallUpdates(DataUpdate))
            trace.log(kFailedMessage);
        return;
    }
    trace.log("This is a CATALOG + DLLs update");
    if (isProcessElevated()) {
        trace.log(std::string("The process has already been elevated. We have all the permissions") +
                  " we need, attempting to install updates now.");
        if (!downloadAndInstallUpdates(type))
            trace.log(kFailedMessage);
        return;
    }
    trace.log("The process has NOT been elevated.");
    trace.log("UAC IS enabled, attempting to elevate permissions.");
    relaunchElevated();
}

bool UpdatesController::isInternetStateOk()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::isInternetStateOk() "; });
    bool result = false;
    if (!adapter_.isInternetAvailable())
        trace.log("Internet connection is not available, halting the update process");
    else if (adapter_.isDialUpConnection())
        trace.log("The user is connected to the internet over a dial up connection, halting the "
                  "update process.");
    else
        result = true;
    trace.setResult(result);
    return result;
}

bool UpdatesController::checkForUpdates(UpdateType& typeOfUpdateAvailable)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::checkForUpdates() "; });
    typeOfUpdateAvailable = NoUpdate;

    std::string version = VersionInfo::GetKioskenVersionNumber();
    switch (adapter_.isUpdateAvailable(urls_.generateUrl(KioskenVersionUrl), version)) {
    case UpdateAvailable:
        trace.log("Kiosken Software Update is available.");
        typeOfUpdateAvailable = SoftwareUpdate;
        trace.log("Check for a data update also.");
        break;
    case UpdateNotAvailable:
        trace.log("Kiosken Software Update is NOT available.");
        trace.log("Will check for a data update.");
        break;
    case CheckFailed:
        trace.log("Unable to determine if Kiosken Software Update is available.");
        trace.log("Terminating the update process.");
        trace.setResult("false");
        return false;
    case InsufficientPrivilege:
        trace.log("Software Update is available, user does not have priveleges to install.");
        trace.log("Terminating the update process.");
        trace.setResult("false");
        return false;
    }

    version = VersionInfo::GetCatalogVersionNumber();
    if (adapter_.isUpdateAvailable(urls_.generateUrl(CatalogVersionUrl), version) ==
        UpdateAvailable) {
        trace.log("Catalog/Kiosken Data Update is available.");
        typeOfUpdateAvailable =
            typeOfUpdateAvailable == SoftwareUpdate ? SoftwareAndDataUpdate : DataUpdate;
    } else {
        trace.log("Data Update is NOT available.");
        if (typeOfUpdateAvailable == NoUpdate) {
            trace.setResult("false");
            return false;
        }
    }
    trace.log("Atleast one update is available");
    trace.setResult("true");
    return true;
}

bool UpdatesController::downloadAndInstallUpdates(UpdateType type)
{
    auto trace = FunctionTrace::begin(updater, [&] {
        return "UpdatesController::downloadAndInstallUpdates(" +
               std::to_string(static_cast<int>(type)) + ") ";
    });
    bool result = false;
    if (type == NoUpdate) {
        trace.log("There are no updates to download and install.");
    } else {
        std::string softwareName;
        std::string dataName;
        if (!downloadUpdates(type, softwareName, dataName)) {
            trace.log("Updates failed to download.");
        } else if (installUpdates(softwareName, dataName)) {
            trace.log("Updates were downloaded and installed successfully");
            result = true;
        } else {
            trace.log("Updates installation failed, halting the update process.");
        }
    }
    trace.setResult(result);
    return result;
}

bool UpdatesController::downloadUpdates(UpdateType type, std::string& softwareUpdateFileName,
                                        std::string& dataUpdateFileName)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::downloadUpdates() "; });
    trace.log("typeOfUpdateAvailable=" + std::to_string(static_cast<int>(type)));
    softwareUpdateFileName.clear();
    dataUpdateFileName.clear();
    bool result = false;
    switch (type) {
    case DataUpdate:
        trace.log("Only Data update is available, so downloading only the data update.");
        result = downloadUpdate(dataUpdateFileName, false);
        break;
    case SoftwareUpdate:
        trace.log("Only Software update is available, so downloading only the software update.");
        result = downloadUpdate(softwareUpdateFileName, true);
        break;
    case SoftwareAndDataUpdate:
        trace.log("Both the software and data updates are available, so downloading both updates.");
        if (!downloadUpdate(softwareUpdateFileName, true)) {
            softwareUpdateFileName.clear();
            trace.log("The software update failed to download, so we not downloading the data update");
        } else if (downloadUpdate(dataUpdateFileName, false)) {
            trace.log("Both updates were downloaded successfully.");
            result = true;
        } else {
            trace.log("The data update failed to download, so we are deleting the downloaded "
                      "software update");
            if (std::remove(softwareUpdateFileName.c_str()) != 0)
                trace.log("Failed to delete '" + softwareUpdateFileName + "'");
            softwareUpdateFileName.clear();
            dataUpdateFileName.clear();
        }
        break;
    default:
        trace.log("NO updates are available to download!");
        break;
    }
    trace.setResult(result);
    return result;
}

bool UpdatesController::downloadUpdate(std::string& fileName, bool isSoftwareUpdate)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::downloadUpdate() "; });
    trace.log(std::string("isSoftwareUpdate=") + (isSoftwareUpdate ? "true" : "false"));
    fileName.clear();
    std::string url = urls_.generateUrl(isSoftwareUpdate ? KioskenDownloadUrl : CatalogDownloadUrl);
    bool ok = adapter_.downloadUpdate(url, fileName);
    trace.log(ok ? "The update was downloaded SUCCESSFULLY to: '" + fileName + "'"
                 : std::string("The update FAILED to download!"));
    trace.setResult(ok);
    return ok;
}

bool UpdatesController::installUpdates(const std::string& softwareUpdateFileName,
                                       const std::string& dataUpdateFileName)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::installUpdates() "; });
    trace.log("softwareUpdateFileName=" + softwareUpdateFileName);
    trace.log("dataUpdateFileName=" + dataUpdateFileName);
    if (softwareUpdateFileName.empty() && dataUpdateFileName.empty()) {
        trace.log("NO updates were available to install !");
        trace.setResult(0);
        return false;
    }
    PrinterHandleList printers;
    if (!PrinterSpoolerWrapper::pausePrinters(printers)) {
        trace.log("FAILED to pause all printers installed with our driver!");
        PrinterSpoolerWrapper::ClosePrinters(printers);
        performPostUpdateCleanUp(softwareUpdateFileName, dataUpdateFileName);
        trace.setResult(0);
        return false;
    }
    trace.log("All Printer were paused successfully, now applying updates");

    bool ok = false;
    if (softwareUpdateFileName.empty()) {
        trace.log("Only data updates are available to install");
        ok = installDataUpdate(dataUpdateFileName);
        if (ok) {
            trace.log("Data update was successful. Setting the flag to indicate it.");
            setOutcomeFlag(setting::kDataUpdated);
        } else {
            trace.log("Data update FAILED");
        }
    } else {
        trace.log("Software updates are available to install");
        try {
            ok = adapter_.installUpdateUsingCurrentProcess(softwareUpdateFileName,
                                                           directoryOf(updaterPlatform().programPath()));
        } catch (const Exception& e) {
            logError(updater, e.describe());
            ok = false;
        }
        if (!ok) {
            trace.log("The software updates FAILED! exiting update process");
        } else {
            trace.log("The software updates were applied successfully");
            if (!dataUpdateFileName.empty()) {
                trace.log("Data update also required.");
                ok = installDataUpdate(dataUpdateFileName);
                if (ok) {
                    trace.log(std::string("Data update was also successful. ") +
                              "Setting the flag to indicate total update.");
                    setOutcomeFlag(setting::kCompleteSoftwareUpdated);
                } else {
                    trace.log("Data files update FAILED");
                }
            }
        }
    }

    if (!PrinterSpoolerWrapper::resumePrinters(printers)) {
        trace.log("FAILED to resume all printers installed with our driver!");
        ok = false;
    } else {
        trace.log("All Printer were resumed successfully");
    }
    // The pass needs the printers no more.
    PrinterSpoolerWrapper::ClosePrinters(printers);
    performPostUpdateCleanUp(softwareUpdateFileName, dataUpdateFileName);
    trace.setResult(ok);
    return ok;
}

namespace {

void readCatalogFolderNames(std::string& driver, std::string& folder)
{
    Settings settings;
    settings.read(setting::kDriverName, driver);
    folder = setting::kDataUpdatesDirectoryName.defaultValue;
    settings.readWithDefault(setting::kDataUpdatesDirectoryName, folder);
}

// Both names come from keys that every user may write, and the elevated
// pass writes wherever they lead: each must be one folder name.
bool catalogFolderNamesArePlain(FunctionTrace& trace)
{
    std::string driver;
    std::string folder;
    readCatalogFolderNames(driver, folder);
    bool plain = true;
    const std::pair<const char*, const std::string*> names[] = {
        {setting::kDriverName.name, &driver},
        {setting::kDataUpdatesDirectoryName.name, &folder},
    };
    for (const auto& name : names) {
        if (!isPlainFolderName(*name.second)) {
            trace.log(std::string("The catalog folder name ") + name.first + "='" + *name.second +
                      "' is not one plain folder name; the catalog is not installed.");
            plain = false;
        }
    }
    return plain;
}

}  // namespace

std::string UpdatesController::dataUpdatesDirectory()
{
    char common[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common)))
        return std::string();
    std::string driver;
    std::string folder;
    readCatalogFolderNames(driver, folder);
    return joinPath(joinPath(common, driver), folder);
}

bool UpdatesController::installDataUpdate(const std::string& dataUpdateFileName)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::installDataUpdate() "; });
    bool ok = false;
    std::string directory;
    if (dataUpdateFileName.empty()) {
        trace.log("NO updates were available to install !");
    } else if (catalogFolderNamesArePlain(trace)) {
        directory = dataUpdatesDirectory();
        if (directory.empty())
            trace.log("Failed to retrieve the directory into which we need to install the updates");
        else
            ok = installDataUpdateInto(dataUpdateFileName, directory, trace);
    }
    trace.setResult(ok);
    return ok;
}

bool UpdatesController::installDataUpdateInto(const std::string& dataUpdateFileName,
                                              const std::string& directory, FunctionTrace& trace)
{
    bool missing = false;
    if (GetFileAttributesA(directory.c_str()) == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        missing = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    }
    if (missing) {
        trace.log("Attempting to create dir : " + directory);
        int created = SHCreateDirectoryExA(nullptr, directory.c_str(), nullptr);
        if (created != ERROR_SUCCESS) {
            trace.log("SHCreateDirectory() failed. ErrorCode=" + std::to_string(created));
            return false;
        }
    }
    bool ok = adapter_.installUpdateUsingCurrentProcess(dataUpdateFileName, directory);
    trace.log(ok ? "The data updates were applied successfully." : "The data updates FAILED.");
    return ok;
}

void UpdatesController::performPostUpdateCleanUp(const std::string& softwareUpdateFileName,
                                                 const std::string& dataUpdateFileName)
{
    auto trace = FunctionTrace::begin(
        updater, [] { return "UpdatesController::performPostUpdateCleanUp() "; });
    unsigned long keep = 0;
    Settings().readWithDefault(setting::kDoNotDeleteDownloadedFiles, keep);
    if (keep != 0) {
        trace.log("NOT deleting files : '" + softwareUpdateFileName + "' and '" +
                  dataUpdateFileName + "'");
        return;
    }
    if (!softwareUpdateFileName.empty()) {
        trace.log("Attempting to deleting file : " + softwareUpdateFileName);
        std::remove(softwareUpdateFileName.c_str());
    }
    trace.log("Attempting to deleting file : " + dataUpdateFileName);
    std::remove(dataUpdateFileName.c_str());
}

bool UpdatesController::isProcessElevated()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::isProcessElevated() "; });
    bool result = CommandLineParams::instance("").containsUacParams();
    trace.setResult(result);
    return result;
}

bool UpdatesController::isProcessRunningWithAdminPrivileges()
{
    auto trace = FunctionTrace::begin(
        updater, [] { return "UpdatesController::isProcessRunningWithAdminPrivileges() "; });
    bool result = PrinterSpoolerWrapper::canWeOpenPrintersInAdminMode();
    trace.setResult(result);
    return result;
}

bool UpdatesController::relaunchElevated()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "UpdatesController::isProcessElevated() "; });
    bool result = false;
    try {
        std::string program = updaterPlatform().programPath();
        HINSTANCE launched = ShellExecuteA(nullptr, "RunAs", program.c_str(), kElevationToken,
                                           nullptr, SW_SHOWNORMAL);
        INT_PTR value = reinterpret_cast<INT_PTR>(launched);
        if (value > 32) {
            trace.log("The new process was launched successfully");
            result = true;
        } else {
            trace.log("The new process FAILED to launch. Casted HINSTANCE value = " +
                      std::to_string(value));
        }
    } catch (const Exception& e) {
        logError(logcomponent::JSW,
                 "ERROR: The Kiosken Updater executable FAILED to Launch! " + e.describe());
    }
    trace.setResult(result);
    return result;
}
