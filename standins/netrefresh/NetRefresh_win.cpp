// The exports of the web-updater library. Each one catches everything: no
// C++ exception may reach the Updater.
#include "WebUpdaterLibrary.h"

#include "Fetcher_win.h"
#include "LocalFiles_win.h"
#include "Manifest.h"
#include "ManifestTrust_win.h"
#include "PackageDownloader_win.h"
#include "PackageInstaller_win.h"
#include "UpdateCheck.h"
#include "UpdateUrl.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

HMODULE thisModule;
UpdAllocFunction callerAllocate;

const DWORD connectionTimeOutMilliseconds = 5000;

// "<folder>\pmabnetrefresh.DLL" is configured by "<folder>\pmabnetrefresh.ini"
// and trusts the keys in "<folder>\pmabnetrefresh.key".
std::string besideLibrary(const char* extension)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(thisModule, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string file(path, length);
    std::string::size_type slash = file.find_last_of('\\');
    std::string::size_type dot = file.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        file.resize(dot);
    return file + extension;
}

std::string settingsFile()
{
    return besideLibrary(".ini");
}

TrustFiles trustFiles()
{
    return {besideLibrary(".key"), settingsFile()};
}

std::string configuredServerUrl()
{
    std::string file = settingsFile();
    if (file.empty())
        return std::string();
    char value[2048] = {};
    GetPrivateProfileStringA("netrefresh", "ServerUrl", "", value, sizeof value, file.c_str());
    return value;
}

int checkResultFor(FetchOutcome outcome)
{
    switch (outcome) {
    case FetchOutcome::NoConnection:
        return UPD_UPDATES_INET_CONN_NOT_AVAILABLE;
    case FetchOutcome::TooLarge:
        return UPD_INVALID_RESPONSE_DOC;
    default:
        return UPD_UPDATES_SERVER_NO_RESPONSE;
    }
}

// The path goes into the caller's block when it fits, else into a block of
// the caller's allocator. False when neither is possible.
bool handOverPath(const std::string& path, char** pathHolder, DWORD& error)
{
    if (*pathHolder != nullptr && path.size() < UPD_PATH_BLOCK_SIZE) {
        std::memcpy(*pathHolder, path.c_str(), path.size() + 1);
        return true;
    }
    if (callerAllocate == nullptr) {
        error = ERROR_INSUFFICIENT_BUFFER;
        return false;
    }
    char* block = static_cast<char*>(callerAllocate(static_cast<unsigned long>(path.size() + 1)));
    if (block == nullptr) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    std::memcpy(block, path.c_str(), path.size() + 1);
    *pathHolder = block;
    return true;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" int __stdcall UpdInitializeA(UpdAllocFunction allocate, unsigned long, unsigned long,
                                        unsigned long, unsigned long, unsigned long,
                                        unsigned long)
{
    callerAllocate = allocate;
    return 1;
}

extern "C" int __stdcall UpdUninitialize(void)
{
    callerAllocate = nullptr;
    return 1;
}

extern "C" int __stdcall UpdCheckConnection(void)
{
    try {
        std::string server = configuredServerUrl();
        if (urlScheme(server) == UrlScheme::Unsupported)
            return UPD_CONNECTION_NOT_CONFIGURED;
        return probeServer(server, connectionTimeOutMilliseconds) == 0
                   ? UPD_CONNECTION_AVAILABLE
                   : UPD_CONNECTION_NOT_AVAILABLE;
    } catch (...) {
        return UPD_CONNECTION_NOT_AVAILABLE;
    }
}

extern "C" int __stdcall UpdCheckForUpdateA(const char* url, const char* currentVersion,
                                            char* newVersion, unsigned long timeOut,
                                            unsigned long retryCount, unsigned long)
{
    try {
        if (url == nullptr)
            return UPD_UPDATES_SERVER_NO_RESPONSE;
        MemorySink document(Manifest::maximumBytes);
        FetchResult fetched = fetchWithRetries(url, timeOut, retryCount, document);
        if (fetched.outcome != FetchOutcome::Ok)
            return checkResultFor(fetched.outcome);
        std::string body;
        if (!acceptManifest(trustFiles(), url, document.text(), body))
            return UPD_INVALID_RESPONSE_DOC;
        UpdateCheckAnswer answer = answerUpdateCheck(body, currentVersion);
        if (answer.result == UPD_UPDATES_AVAILABLE && newVersion != nullptr &&
            answer.newerVersion.size() < UPD_VERSION_BLOCK_SIZE)
            std::memcpy(newVersion, answer.newerVersion.c_str(), answer.newerVersion.size() + 1);
        return answer.result;
    } catch (...) {
        return UPD_UPDATES_SERVER_NO_RESPONSE;
    }
}

extern "C" int __stdcall UpdDownloadUpdateExA(const char* url, unsigned long,
                                              unsigned long* detail, unsigned long,
                                              unsigned long timeOut, unsigned long retryCount,
                                              char** pathHolder, unsigned long)
{
    DWORD error = ERROR_INVALID_PARAMETER;
    int code = UPD_DOWNLOAD_BAD_ARGUMENT;
    try {
        if (url != nullptr && pathHolder != nullptr) {
            DownloadResult result = downloadPackage(url, timeOut, retryCount, trustFiles());
            code = result.code;
            error = result.detail;
            if (code == UPD_DOWNLOAD_OK && !handOverPath(result.localPath, pathHolder, error)) {
                DeleteFileW(longPath(result.localPath).c_str());
                code = UPD_DOWNLOAD_LOCAL_ERROR;
            }
        }
    } catch (...) {
        code = UPD_DOWNLOAD_LOCAL_ERROR;
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (detail != nullptr)
        *detail = code == UPD_DOWNLOAD_OK ? 0 : error;
    return code;
}

extern "C" int __stdcall UpdApplyUpdateA(const char* packagePath,
                                         const char* destinationDirectory, unsigned long,
                                         unsigned long, unsigned long)
{
    try {
        return installPackage(packagePath, destinationDirectory);
    } catch (...) {
        return UPD_APPLY_FAILED;
    }
}
