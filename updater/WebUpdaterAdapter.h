// The Updater's only door to the network: the web-updater library, loaded at
// run time as <module prefix>netrefresh.DLL, its exports looked up when used.
#pragma once

#include <windows.h>

#include <string>

enum UpdateCheckResult {
    CheckFailed = 0,
    UpdateAvailable = 1,
    UpdateNotAvailable = 2,
    InsufficientPrivilege = 3,
};

class WebUpdaterAdapter {
public:
    WebUpdaterAdapter();
    ~WebUpdaterAdapter();
    WebUpdaterAdapter(const WebUpdaterAdapter&) = delete;
    WebUpdaterAdapter& operator=(const WebUpdaterAdapter&) = delete;

    // Handed to the library: blocks of the program's allocator, released by
    // the adapter. Null when memory is exhausted.
    static void* __stdcall AllocMemory(unsigned long count);

    bool isDialUpConnection();
    bool isInternetAvailable();
    UpdateCheckResult isUpdateAvailable(const std::string& url, const std::string& currentVersion);
    bool downloadUpdate(const std::string& url, std::string& fileName);
    bool installUpdateUsingCurrentProcess(const std::string& installationFileName,
                                          const std::string& destinationDir);

    bool isLoaded() const { return library_ != nullptr; }

private:
    void initialize();
    void uninitialize();
    template <class Function>
    Function lookUp(const char* name);

    HMODULE library_ = nullptr;
};

// The name written to the log for a result of UpdCheckForUpdateA, and the
// answer it maps to.
const char* checkResultName(int code);
UpdateCheckResult checkResultOf(int code);
