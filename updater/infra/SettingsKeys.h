// Every key and value the Updater reads or writes in its settings store, with
// its default. Key paths are relative to the program's local branch.
#pragma once

struct DwordSetting {
    const char* key;
    const char* name;
    unsigned long defaultValue;
};

struct StringSetting {
    const char* key;
    const char* name;
    const char* defaultValue;  // null: plain read, nothing written when missing
};

namespace setting {

constexpr const char* kLoggerKey = "Logger";
constexpr const char* kUpdaterKey = "Settings\\Updater";
constexpr const char* kSettingsKey = "Settings\\";

// Logging flags; the level masks are named after the logging components.
constexpr DwordSetting kStartLog = {kLoggerKey, "startLog", 0};
constexpr DwordSetting kClockInHeader = {kLoggerKey, "Clocktime_In_Header", 1};
constexpr DwordSetting kProcessIdInHeader = {kLoggerKey, "Proc_Id_In_Header", 0};
constexpr DwordSetting kThreadIdInHeader = {kLoggerKey, "Thread_Id_In_Header", 0};

// The update pass.
constexpr DwordSetting kPrinterPollInterval = {kUpdaterKey, "PrinterPollInterval", 30000};
constexpr DwordSetting kDoNotDeleteDownloadedFiles = {kUpdaterKey, "DoNotDeleteDownloadedFiles", 0};
constexpr DwordSetting kCheckForUpdateTimeOut = {kUpdaterKey, "CheckForUpdateTimeOut", 5};
constexpr DwordSetting kCheckForUpdateRetryCount = {kUpdaterKey, "CheckForUpdateRetryCount", 0};
constexpr DwordSetting kDownloadUpdateTimeOut = {kUpdaterKey, "DownloadUpdateTimeOut", 30};
constexpr DwordSetting kDownloadUpdateRetryCount = {kUpdaterKey, "DownloadUpdateRetryCount", 1};
constexpr DwordSetting kDataUpdated = {kUpdaterKey, "DataUpdated", 0};
constexpr DwordSetting kCompleteSoftwareUpdated = {kUpdaterKey, "CompleteSoftwareUpdated", 0};
// When missing or empty the spooler's driver directory is written instead.
constexpr StringSetting kWebUpdaterDllPath = {kUpdaterKey, "WebUpdaterDllPath", nullptr};
constexpr StringSetting kWebServerUrl = {kUpdaterKey, "WebServerUrl", nullptr};
constexpr StringSetting kCatalogVersionPackageCode = {
    kUpdaterKey, "QuillcastCatalogVersionPackageCode", nullptr};
constexpr StringSetting kKioskenVersionPackageCode = {
    kUpdaterKey, "QuillcastKioskenVersionPackageCode", nullptr};
constexpr StringSetting kCatalogDownloadPackageCode = {
    kUpdaterKey, "QuillcastCatalogDownloadPackageCode", nullptr};
constexpr StringSetting kKioskenDownloadPackageCode = {
    kUpdaterKey, "QuillcastKioskenDownloadPackageCode", nullptr};
constexpr StringSetting kDataUpdatesDirectoryName = {kUpdaterKey, "DataUpdatesDirectoryName",
                                                     "Job Status"};

// Version files and the driver. The program version file's default is the
// module prefix followed by this text.
constexpr const char* kKioskenVersionFileSuffix = "Prog.ver";
constexpr StringSetting kKioskenVersionInfoFileName = {kSettingsKey, "KioskenVersionInfoFileName",
                                                       nullptr};
constexpr StringSetting kDllPath = {kSettingsKey, "DllPath", "."};
constexpr StringSetting kCatalogVersionInfoFileName = {kSettingsKey, "CatalogVersionInfoFileName",
                                                       "kkData.ver"};
constexpr StringSetting kDataPath = {kSettingsKey, "DataPath", "."};
constexpr StringSetting kDriverName = {kSettingsKey, "DriverName", nullptr};
// Plain read; missing counts as 1.
constexpr DwordSetting kDeleteStoreOnUninstall = {kSettingsKey, "DeleteStoreOnUninstall", 1};

}  // namespace setting
