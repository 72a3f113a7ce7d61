#include "WebUpdaterAdapter.h"

#include "CurrentProcess.h"
#include "Localize.h"
#include "Logger.h"
#include "Paths.h"
#include "Settings.h"
#include "UpdaterPlatform.h"
#include "WebUpdaterLibrary.h"

#include <cstdlib>
#include <cstring>

namespace {

const LoggerComponent& updater = logcomponent::Updater;

unsigned long settingOrDefault(const DwordSetting& s)
{
    unsigned long value = s.defaultValue;
    Settings().readWithDefault(s, value);
    return value;
}

// Absolute, without "." or "..", long names, no trailing backslash: two
// spellings of one folder become one text. Empty when Windows cannot say.
std::string normalisedFolder(const std::string& folder)
{
    if (folder.empty())
        return std::string();
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    char longName[MAX_PATH];
    DWORD longLength = GetLongPathNameA(full, longName, MAX_PATH);
    std::string result = longLength > 0 && longLength < MAX_PATH ? std::string(longName, longLength)
                                                                 : std::string(full, length);
    while (result.size() > 3 && (result.back() == '\\' || result.back() == '/'))
        result.pop_back();
    return result;
}

// The elevated pass runs whatever it loads, and the folder value lives in a
// key that everyone may write: only folders that administrators alone can
// fill are accepted, the program's own and the spooler's driver folder.
bool isTrustedLibraryFolder(const std::string& directory)
{
    std::string wanted = normalisedFolder(directory);
    if (wanted.empty())
        return false;
    const std::string trusted[] = {
        normalisedFolder(CurrentProcess::instance().directory()),
        normalisedFolder(updaterPlatform().os->printerDriverDirectory()),
    };
    for (const std::string& folder : trusted) {
        if (!folder.empty() && lstrcmpiA(folder.c_str(), wanted.c_str()) == 0)
            return true;
    }
    return false;
}

}  // namespace

const char* checkResultName(int code)
{
    switch (code) {
    case 0:
        return "UPD_UPDATES_INET_CONN_NOT_AVAILABLE";
    case 1:
        return "UPD_UPDATES_SERVER_NO_RESPONSE";
    case 2:
        return "UPD_UPDATES_NOT_AVAILABLE";
    case 3:
        return "UPD_UPDATES_AVAILABLE";
    case 4:
        return "UPD_INSUFFICIENT_USER_PRIVILEGE";
    case 5:
        return "UPD_INVALID_RESPONSE_DOC";
    default:
        return "UPD_UPDATES_RESPONSE_UNKNOWN";
    }
}

UpdateCheckResult checkResultOf(int code)
{
    switch (code) {
    case 2:
        return UpdateNotAvailable;
    case 3:
        return UpdateAvailable;
    case 4:
        return InsufficientPrivilege;
    default:
        return CheckFailed;
    }
}

template <class Function>
Function WebUpdaterAdapter::lookUp(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
}

WebUpdaterAdapter::WebUpdaterAdapter()
{
    initialize();
}

WebUpdaterAdapter::~WebUpdaterAdapter()
{
    uninitialize();
}

void WebUpdaterAdapter::initialize()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "WebUpdaterAdapter::initialize() "; });
    std::string fileName = Localize::getInstance().getModulePrefix() + "netrefresh.DLL";
    std::string directory;
    Settings settings;
    if (!settings.read(setting::kWebUpdaterDllPath, directory) || directory.empty()) {
        trace.log("No registry entry for the updater dll path.");
        directory = updaterPlatform().os->printerDriverDirectory();
        if (!settings.setStringValue(setting::kWebUpdaterDllPath.key,
                                     setting::kWebUpdaterDllPath.name, directory, 0))
            trace.log("Unable to set the updater dll path registry entry.");
    }
    std::string path = joinPath(directory, fileName);
    trace.log("About to load web updater dll. Dll Name:" + path);
    if (!isTrustedLibraryFolder(directory)) {
        logError(updater, "WebUpdaterAdapter::initialize : the web updater dll folder '" +
                              directory +
                              "' is neither the program folder nor the printer driver folder; "
                              "not loading the dll.");
        return;
    }
    // By its full path, and its own dependencies from its folder, never from
    // the current folder.
    path = joinPath(normalisedFolder(directory), fileName);
    library_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library_ == nullptr) {
        logError(updater, "WebUpdaterAdapter::initialize : LoadLibrary Failed. ::GetLastError()=" +
                              std::to_string(GetLastError()));
        return;
    }
    auto initialise = lookUp<UpdInitializeAFunction>("UpdInitializeA");
    if (initialise == nullptr) {
        trace.log(" ::GetProcAddress failed. ::GetLastError()=" + std::to_string(GetLastError()));
        return;
    }
    initialise(&WebUpdaterAdapter::AllocMemory, 0, 0, 0, 0, 0, 0);
}

void WebUpdaterAdapter::uninitialize()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "WebUpdaterAdapter::uninitialize() "; });
    if (library_ == nullptr) {
        trace.log(" WebUpdaterAdapter DLL is not loaded, so not doing anything");
        return;
    }
    auto uninitialise = lookUp<UpdUninitializeFunction>("UpdUninitialize");
    if (uninitialise != nullptr)
        uninitialise();
    else
        trace.log(" ::GetProcAddress failed. ::GetLastError()=" + std::to_string(GetLastError()));
    FreeLibrary(library_);
    library_ = nullptr;
}

void* __stdcall WebUpdaterAdapter::AllocMemory(unsigned long count)
{
    try {
        auto trace = FunctionTrace::begin(updater, [&] {
            return "WebUpdaterAdapter::AllocMemory(" + std::to_string(count) + ")";
        });
        void* block = std::malloc(count > 0 ? count : 1);
        if (block == nullptr)
            trace.log("Out of memory");
        return block;
    } catch (...) {
        return nullptr;  // nothing may unwind into the library
    }
}

bool WebUpdaterAdapter::isDialUpConnection()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "WebUpdaterAdapter::isDialUpConnection() "; });
    std::uint32_t flags = 0;
    std::uint32_t error = 0;
    bool result = false;
    if (!updaterPlatform().connectedState(flags, error)) {
        trace.log("Call into InternetGetConnectedState() failed, GetLastError()=" +
                  std::to_string(error));
    } else if (flags & 1) {
        trace.log("CONNECTED to the internet on a DIAL UP connection");
        result = true;
    } else {
        trace.log("NOT connected to the internet on a dial up connection");
    }
    trace.setResult(result);
    return result;
}

bool WebUpdaterAdapter::isInternetAvailable()
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "WebUpdaterAdapter::isInternetAvailable() "; });
    bool result = false;
    if (library_ == nullptr) {
        trace.log("WebUpdater DLL is not loaded.");
    } else if (auto check = lookUp<UpdCheckConnectionFunction>("UpdCheckConnection")) {
        int r = check();
        trace.log("WebUpdaterDll Check for connection call returned : " + std::to_string(r));
        result = (r == 1);
    } else {
        trace.log("::GetProcAddress failed. ::GetLastError()=" + std::to_string(GetLastError()));
    }
    trace.setResult(result);
    return result;
}

UpdateCheckResult WebUpdaterAdapter::isUpdateAvailable(const std::string& url,
                                                       const std::string& currentVersion)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "WebUpdaterAdapter::isUpdateAvailable() "; });
    trace.log("url=" + url + ", currentVerionsNumber=" + currentVersion);
    UpdateCheckResult result = UpdateNotAvailable;
    auto check = library_ != nullptr
                     ? lookUp<UpdCheckForUpdateAFunction>("UpdCheckForUpdateA")
                     : nullptr;
    if (library_ == nullptr) {
        trace.log("WebUpdater DLL is not loaded.");
    } else if (check == nullptr) {
        trace.log("::GetProcAddress failed. ::GetLastError()=" + std::to_string(GetLastError()));
    } else {
        unsigned long timeOut = settingOrDefault(setting::kCheckForUpdateTimeOut);
        unsigned long retries = settingOrDefault(setting::kCheckForUpdateRetryCount);
        char* version = static_cast<char*>(AllocMemory(UPD_VERSION_BLOCK_SIZE));
        if (version == nullptr) {
            trace.log("Unable to allocate memory for the version number!!");
        } else {
            std::memset(version, 0, UPD_VERSION_BLOCK_SIZE);
            int r = check(url.c_str(), currentVersion.c_str(), version, timeOut, retries, 0);
            trace.log(" New version number=" +
                      std::string(version, strnlen(version, UPD_VERSION_BLOCK_SIZE)));
            std::free(version);
            trace.log(std::string(" WebUpdaterDll Check for updates call returned : ") +
                      checkResultName(r));
            result = checkResultOf(r);
        }
    }
    trace.setResult(result);
    return result;
}

bool WebUpdaterAdapter::downloadUpdate(const std::string& url, std::string& fileName)
{
    auto trace =
        FunctionTrace::begin(updater, [] { return "WebUpdaterAdapter::downloadUpdate() "; });
    trace.log(" url=" + url);
    fileName.clear();
    bool result = false;
    auto download = library_ != nullptr
                        ? lookUp<UpdDownloadUpdateExAFunction>("UpdDownloadUpdateExA")
                        : nullptr;
    if (library_ == nullptr) {
        trace.log(" WebUpdater DLL is not loaded.");
    } else if (download == nullptr) {
        trace.log(" ::GetProcAddress failed. ::GetLastError()=" + std::to_string(GetLastError()));
    } else {
        char* own = static_cast<char*>(AllocMemory(UPD_PATH_BLOCK_SIZE));
        if (own != nullptr)
            own[0] = '\0';  // a library that reports success without a path reads as empty
        char* holder = own;
        unsigned long timeOut = settingOrDefault(setting::kDownloadUpdateTimeOut);
        unsigned long retries = settingOrDefault(setting::kDownloadUpdateRetryCount);
        trace.log("About to download update file.");
        unsigned long detail;  // the library's to set; not read here
        int r = download(url.c_str(), 0, &detail, 0, timeOut, retries, &holder, 0);
        if (holder != own)
            std::free(own);
        trace.log(" WebUpdaterDll Download updates call returned : " + std::to_string(r));
        if (holder == nullptr) {
            trace.log("ERROR - Download update file = ''");
        } else {
            // Bounded: a library's own block carries no size, ours holds 260.
            std::size_t limit = holder == own ? UPD_PATH_BLOCK_SIZE : 32768;
            std::string text(holder, strnlen(holder, limit));
            trace.log("Download update file = '" + text + "'");
            // Success needs a file name as well as the code.
            if (r == 0 && !text.empty()) {
                fileName = text;
                trace.log("Update successfully downloaded '" + fileName + "'");
                result = true;
            }
        }
        std::free(holder);
    }
    trace.setResult(result);
    return result;
}

bool WebUpdaterAdapter::installUpdateUsingCurrentProcess(const std::string& installationFileName,
                                                         const std::string& destinationDir)
{
    auto trace = FunctionTrace::begin(
        updater, [] { return "WebUpdaterAdapter::installUpdateUsingCurrentProcess() "; });
    trace.log("installationFileName='" + installationFileName + "', destinationDir='" +
              destinationDir + "'");
    bool result = false;
    auto apply =
        library_ != nullptr ? lookUp<UpdApplyUpdateAFunction>("UpdApplyUpdateA") : nullptr;
    if (library_ == nullptr) {
        trace.log(" Updater DLL is not loaded.");
    } else if (apply == nullptr) {
        trace.log(" ::GetProcAddress failed. ::GetLastError()=" + std::to_string(GetLastError()));
    } else {
        trace.log(" About to install a DATA update '" + installationFileName + "' into dir :'" +
                  destinationDir + "'");
        int r = apply(installationFileName.c_str(), destinationDir.c_str(), 0, 0, 0);
        trace.log(" UpdaterDll apply updates call returned : " + std::to_string(r));
        result = (r == 1);
        trace.log(result ? " DATA update was SUCCESSFUL" : " DATA update FAILED");
    }
    trace.setResult(result);
    return result;
}
