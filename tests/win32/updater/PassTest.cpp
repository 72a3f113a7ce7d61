#include "CommandLineParams.h"
#include "DeviceEnumerator.h"
#include "Exception.h"
#include "FakeSpooler.h"
#include "Logger.h"
#include "PrinterSpoolerWrapper.h"
#include "TestSupport.h"
#include "UpdaterPlatform.h"
#include "UpdatesController.h"

#include <algorithm>

using namespace testsupport;

namespace {

const std::string kProduct = "Software\\Pelmora Tools";
const std::string kLocal = kProduct + "\\JSW\\Local\\upda\\";
const std::string kUpdaterKey = kLocal + "Settings\\Updater";
const std::string kFake = "Software\\PelmoraTest\\FakeWebUpdater";
const std::string kDriver = "Pelmora Photo 100";

OsVersionRecord version(std::uint32_t major, std::uint32_t minor)
{
    OsVersionRecord r;
    r.platformId = 2;
    r.major = major;
    r.minor = minor;
    return r;
}

const OsVersion kXp(version(5, 1), false);
const OsVersion kVista(version(6, 0), false);

std::vector<std::uint32_t> sleeps;
void fakeSleep(std::uint32_t milliseconds)
{
    sleeps.push_back(milliseconds);
}

// The program's path as the pass reads it: the real one, a program that
// does not exist, or a read that fails.
std::string programPathAnswer;
bool programPathFails = false;
std::string fakeProgramPath()
{
    if (programPathFails)
        throw Win32Exception("CurrentProcess::CurrentProcess", 0, "CurrentProcess", 17);
    return programPathAnswer;
}

std::uint32_t connectionFlags = 0;
bool fakeConnectedState(std::uint32_t& flags, std::uint32_t& error)
{
    flags = connectionFlags;
    error = 0;
    return true;
}

class UpdatePass : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = updaterPlatform();
        updaterPlatform() = {&spooler_, &kXp, &fakeSleep, &fakeConnectedState, &fakeProgramPath};
        programPathAnswer = thisExecutable();
        programPathFails = false;
        sleeps.clear();
        connectionFlags = 0;

        deleteTree(kProduct);
        deleteTree(kFake);
        scratch_ = expand("%TEMP%") + "\\updater-pass\\";
        CreateDirectoryA(scratch_.c_str(), nullptr);
        for (const char* name : {"program.tar", "catalog.tar", "record.txt", "relaunched.marker"})
            DeleteFileA((scratch_ + name).c_str());

        setText(kUpdaterKey, "WebServerUrl", "http://fake/[package_code]");
        setText(kUpdaterKey, "QuillcastKioskenVersionPackageCode", "kv");
        setText(kUpdaterKey, "QuillcastCatalogVersionPackageCode", "cv");
        setText(kUpdaterKey, "QuillcastKioskenDownloadPackageCode", "kd");
        setText(kUpdaterKey, "QuillcastCatalogDownloadPackageCode", "cd");
        setText(kUpdaterKey, "WebUpdaterDllPath", thisDirectory());
        setText(kLocal + "Settings", "DriverName", kDriver);
        setText(kLocal + "Settings", "DllPath", scratch_);
        setText(kLocal + "Settings", "DataPath", scratch_);
        setDword(kLocal + "Logger", "startLog", 1);
        setDword(kLocal + "Logger", "Clocktime_In_Header", 0);
        writeFile(scratch_ + "updaProg.ver", "<PackageVersion>1.0.0.1</PackageVersion>");
        writeFile(scratch_ + "kkData.ver", "<?xml version=\"1.0\"?>\r\n<Package><PackageVersion>"
                                          "2.0.0.0</PackageVersion></Package>");

        setText(kFake, "record", scratch_ + "record.txt");
        setText(kFake, "path kd", scratch_ + "program.tar");
        setText(kFake, "path cd", scratch_ + "catalog.tar");
        setDword(kFake, "download kd", 0);
        setDword(kFake, "download cd", 0);

        spooler_.printers = {printer("Photo on USB", kDriver), printer("Office", "Other Driver")};
        dataDirectory_ = UpdatesController::dataUpdatesDirectory();

        CommandLineParams::destroy();
        DeviceEnumerator::destroy();
        destroyLogger();
        createLogger();
        logFile_ = expand("%ALLUSERSPROFILE%") + "\\updaJSW.log";
        DeleteFileA(logFile_.c_str());
        removeDataDirectory();
    }

    void TearDown() override
    {
        CommandLineParams::destroy();
        DeviceEnumerator::destroy();
        destroyLogger();
        updaterPlatform() = saved_;
        deleteTree(kProduct);
        deleteTree(kFake);
        removeDataDirectory();
        DeleteFileA(logFile_.c_str());
    }

    static FakeSpooler::Printer printer(const std::string& name, const std::string& driver)
    {
        FakeSpooler::Printer p;
        p.name = name;
        p.driver = driver;
        return p;
    }

    static void setText(const std::string& key, const std::string& name, const std::string& text)
    {
        setRaw(key, name, REG_SZ, text + std::string(1, '\0'));
    }

    // Whatever a pass installed there, then the folder.
    void removeDataDirectory()
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dataDirectory_ + "\\applied.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((dataDirectory_ + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(dataDirectory_.c_str());
    }

    // Both packages newer.
    void offerBoth()
    {
        setDword(kFake, "check kv", 3);
        setDword(kFake, "check cv", 3);
    }

    void run(bool elevatedCopy = false)
    {
        CommandLineParams::instance(elevatedCopy ? "-UAC" : "");
        DeviceEnumerator::instance();
        UpdatesController controller;
        controller.performUpdates();
    }

    // The fake library's calls, "check ...", "download ...", "apply ...".
    std::vector<std::string> recordsOf(const std::string& verb) const
    {
        std::vector<std::string> found;
        for (const std::string& line : splitLines(readFile(scratch_ + "record.txt"))) {
            if (line.compare(0, verb.size(), verb) == 0)
                found.push_back(line);
        }
        return found;
    }

    bool logged(const std::string& message) const
    {
        for (const std::string& line : splitLines(readFile(logFile_))) {
            if (line.size() > 16 && line.substr(16).find(message) != std::string::npos)
                return true;
        }
        return false;
    }

    bool exists(const std::string& path) const
    {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Waits for the re-launched copy's marker, complete, and takes it away.
    bool relaunched()
    {
        std::string marker = scratch_ + "relaunched.marker";
        for (int i = 0; i < 100; ++i) {
            if (readFile(marker) == "-UAC" && DeleteFileA(marker.c_str()))
                return true;
            Sleep(100);
        }
        return false;
    }

    std::uint32_t dword(const std::string& key, const std::string& name) const
    {
        DWORD value = 0xDEADBEEF;
        queryDword(key, name, value);
        return value;
    }

    static void deleteValue(const std::string& key, const char* name)
    {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(handle, name);
        RegCloseKey(handle);
    }

    // Everything one pass leaves, taken away before the next one.
    void freshPass()
    {
        CommandLineParams::destroy();
        DeviceEnumerator::destroy();
        for (const char* name : {"program.tar", "catalog.tar", "record.txt"})
            DeleteFileA((scratch_ + name).c_str());
        DeleteFileA((thisDirectory() + "applied.program.tar").c_str());
        removeDataDirectory();
        DeleteFileA(logFile_.c_str());
        for (const char* flag : {"CompleteSoftwareUpdated", "DataUpdated"})
            deleteValue(kUpdaterKey, flag);
        for (const char* value : {"calls", "fail call"})
            deleteValue(kFake, value);
        spooler_.calls.clear();
        spooler_.closes.clear();
        spooler_.openHandles = 0;
        spooler_.failCall = -1;
        spooler_.printers = {printer("A", kDriver), printer("Office", "Other Driver"), printer("B", kDriver)};
    }

    UpdaterPlatform saved_;
    FakeSpooler spooler_;
    std::string scratch_;
    std::string dataDirectory_;
    std::string logFile_;
};

TEST_F(UpdatePass, OnXpBothPackagesAreInstalledAroundPausedPrinters)
{
    offerBoth();
    run();
    EXPECT_EQ(recordsOf("check"),
              (std::vector<std::string>{"check http://fake/kv 1.0.0.1 5 0",
                                        "check http://fake/cv 2.0.0.0 5 0"}));
    EXPECT_EQ(recordsOf("download"), (std::vector<std::string>{"download http://fake/kd 30 1",
                                                                "download http://fake/cd 30 1"}));
    EXPECT_EQ(recordsOf("apply"),
              (std::vector<std::string>{"apply " + scratch_ + "program.tar " + thisDirectory(),
                                        "apply " + scratch_ + "catalog.tar " + dataDirectory_}));
    EXPECT_TRUE(exists(dataDirectory_ + "\\applied.catalog.tar"));
    EXPECT_EQ(spooler_.calls,
              (std::vector<std::string>{"enum", "open Photo on USB", "status Photo on USB",
                                        "pause Photo on USB", "resume Photo on USB",
                                        "close Photo on USB"}));
    EXPECT_EQ(spooler_.openHandles, 0);
    EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 1u);
    EXPECT_EQ(dword(kUpdaterKey, "DataUpdated"), 0xDEADBEEFu);
    EXPECT_FALSE(exists(scratch_ + "program.tar"));
    EXPECT_FALSE(exists(scratch_ + "catalog.tar"));
    EXPECT_TRUE(logged("The OS is Win XP or Win 2K, we have the spooler privilages, we do not need extra permissions"));
    EXPECT_TRUE(logged("Updates were downloaded and installed successfully"));
    DeleteFileA((thisDirectory() + "applied.program.tar").c_str());
}

// Each spooler call and each library call of a whole pass fails in turn, one
// per pass. Whatever fails: no printer stays paused (but one whose resume
// failed), every handle is closed exactly once, the downloads are gone (or
// kept when asked), a flag is set exactly when its packages were installed,
// and the log names the failure.
TEST_F(UpdatePass, EachSpoolerAndLibraryCallFailingInTurn)
{
    const struct Scenario {
        const char* what;
        const OsVersion* os;
        bool elevatedCopy;
        bool program;
        bool catalog;
        bool keepDownloads;
    } scenarios[] = {
        {"both packages on XP", &kXp, false, true, true, false},
        {"both packages in the elevated copy on Vista", &kVista, true, true, true, false},
        {"catalog only on XP, downloads kept", &kXp, false, false, true, true},
        {"program only on XP", &kXp, false, true, false, false},
    };
    const std::string programApplied = thisDirectory() + "applied.program.tar";
    const std::string catalogApplied = dataDirectory_ + "\\applied.catalog.tar";
    const std::string injected = std::to_string(FakeSpooler::kInjectedError);

    // What the log says when the named call fails.
    auto spoolerFailure = [&](const std::string& call) -> std::string {
        const std::string verb = call.substr(0, call.find(' '));
        const std::string name = call.substr(call.find(' ') + 1);
        if (verb == "enum")
            return "Printer enumeration failed with win32 error code =" + injected;
        if (verb == "open")
            return "OpenPrinter failed to open printer '" + name + "' with ADMIN permissions. GetLastError()=" + injected;
        if (verb == "status")
            return "GetPrinter failed, GetLastError()=" + injected;
        if (verb == "pause")
            return "SetPrinter(hPrinter, 0, NULL, PRINTER_CONTROL_PAUSE) failed. GetLastError()=" + injected;
        if (verb == "resume")
            return "SetPrinter(hPrinter, 0, NULL, PRINTER_CONTROL_RESUME) failed. GetLastError()=" + injected;
        return "ClosePrinter failed, GetLastError()=" + injected;
    };
    auto libraryFailure = [&](const std::string& call, const Scenario& s) -> std::string {
        if (call == "connection")
            return "Internet connection is not available, halting the update process";
        if (call.find("check http://fake/kv") == 0)
            return "Unable to determine if Kiosken Software Update is available.";
        if (call.find("check http://fake/cv") == 0)
            return s.program ? "Data Update is NOT available." : "Checking for updates failed or there are no updates available!";
        if (call.find("download http://fake/kd") == 0)
            return s.catalog ? "The software update failed to download, so we not downloading the data update"
                             : "The update FAILED to download!";
        if (call.find("download http://fake/cd") == 0)
            return s.program ? "The data update failed to download, so we are deleting the downloaded software update"
                             : "The update FAILED to download!";
        if (call.find("apply") == 0 && call.find("program.tar") != std::string::npos)
            return "The software updates FAILED! exiting update process";
        if (call.find("apply") == 0)
            return "The data updates FAILED.";
        return "";  // init and uninit: their results are ignored
    };

    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        updaterPlatform().os = s.os;
        setDword(kFake, "check kv", s.program ? 3 : 2);
        setDword(kFake, "check cv", s.catalog ? 3 : 2);
        setDword(kUpdaterKey, "DoNotDeleteDownloadedFiles", s.keepDownloads ? 1 : 0);
        const char* flag = s.program ? "CompleteSoftwareUpdated" : "DataUpdated";

        // The pass without faults gives the steps to fail.
        freshPass();
        run(s.elevatedCopy);
        const std::vector<std::string> spoolerCalls = spooler_.calls;
        const std::vector<std::string> libraryCalls = splitLines(readFile(scratch_ + "record.txt"));
        ASSERT_GE(spoolerCalls.size(), 11u);
        ASSERT_GE(libraryCalls.size(), 7u);
        EXPECT_EQ(exists(programApplied), s.program);
        EXPECT_EQ(exists(catalogApplied), s.catalog);
        EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), s.program && s.catalog ? 1u : 0xDEADBEEFu);
        EXPECT_EQ(dword(kUpdaterKey, "DataUpdated"), !s.program && s.catalog ? 1u : 0xDEADBEEFu);

        const int faults = static_cast<int>(spoolerCalls.size() + libraryCalls.size());
        for (int fault = 0; fault < faults; ++fault) {
            const bool inSpooler = fault < static_cast<int>(spoolerCalls.size());
            const std::string call = inSpooler ? spoolerCalls[fault] : libraryCalls[fault - spoolerCalls.size()];
            SCOPED_TRACE((inSpooler ? "spooler call " : "library call ") + call);
            freshPass();
            if (inSpooler)
                spooler_.failCall = fault;
            else
                setDword(kFake, "fail call", static_cast<DWORD>(fault - spoolerCalls.size() + 1));
            run(s.elevatedCopy);

            for (const FakeSpooler::Printer& p : spooler_.printers) {
                if (call != "resume " + p.name) {
                    EXPECT_EQ(p.status & kPrinterStatusPaused, 0u) << p.name << " left paused";
                }
            }
            for (const auto& handle : spooler_.closes)
                EXPECT_EQ(handle.second, 1) << "closes of a handle";
            EXPECT_EQ(spooler_.openHandles, 0);

            const bool programInstalled = exists(programApplied);
            const bool catalogInstalled = exists(catalogApplied);
            const bool installed = (programInstalled || !s.program) && (catalogInstalled || !s.catalog);
            EXPECT_EQ(dword(kUpdaterKey, flag) == 1, installed && s.catalog);
            if (!s.program) {
                EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 0xDEADBEEFu);
            }
            if (!s.catalog || s.program) {
                EXPECT_EQ(dword(kUpdaterKey, "DataUpdated"), 0xDEADBEEFu);
            }

            if (!s.keepDownloads) {
                EXPECT_FALSE(exists(scratch_ + "program.tar"));
                EXPECT_FALSE(exists(scratch_ + "catalog.tar"));
            } else {
                const bool downloaded = !recordsOf("download http://fake/cd").empty() &&
                                        call.find("download http://fake/cd") != 0;
                EXPECT_EQ(exists(scratch_ + "catalog.tar"), downloaded);
            }

            const std::string failure = inSpooler ? spoolerFailure(call) : libraryFailure(call, s);
            if (!failure.empty()) {
                EXPECT_TRUE(logged(failure)) << failure;
            } else {
                EXPECT_EQ(programInstalled, s.program);
                EXPECT_EQ(catalogInstalled, s.catalog);
            }
            if (HasFailure())
                return;
        }
    }
}

// The catalog folder cannot be made (a file stands where its parent folder
// should be): no catalog is installed and no flag set, the printers run
// again and the downloads are gone.
TEST_F(UpdatePass, AFailedCatalogFolderCreationInstallsNoCatalog)
{
    const std::string parent = dataDirectory_.substr(0, dataDirectory_.rfind('\\'));
    CreateDirectoryA(parent.substr(0, parent.rfind('\\')).c_str(), nullptr);
    for (bool withProgram : {false, true}) {
        SCOPED_TRACE(withProgram ? "program and catalog" : "catalog only");
        freshPass();
        setDword(kFake, "check kv", withProgram ? 3 : 2);
        setDword(kFake, "check cv", 3);
        RemoveDirectoryA(parent.c_str());
        writeFile(parent, "a file, not a folder");
        ASSERT_EQ(GetFileAttributesA(parent.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << parent;
        run();
        DeleteFileA(parent.c_str());
        EXPECT_TRUE(logged("Attempting to create dir : " + dataDirectory_));
        EXPECT_TRUE(logged("SHCreateDirectory() failed. ErrorCode="));
        EXPECT_EQ(recordsOf("apply").size(), withProgram ? 1u : 0u);
        EXPECT_TRUE(logged(withProgram ? "Data files update FAILED" : "Data update FAILED"));
        EXPECT_EQ(dword(kUpdaterKey, "DataUpdated"), 0xDEADBEEFu);
        EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 0xDEADBEEFu);
        EXPECT_EQ(spooler_.callsStartingWith("resume"), (std::vector<std::string>{"resume A", "resume B"}));
        EXPECT_EQ(spooler_.openHandles, 0);
        EXPECT_FALSE(exists(scratch_ + "program.tar"));
        EXPECT_FALSE(exists(scratch_ + "catalog.tar"));
    }
    DeleteFileA((thisDirectory() + "applied.program.tar").c_str());
}

// On Vista the program package needs the elevated copy; when it cannot be
// started the pass ends there, with nothing downloaded and no printer touched.
TEST_F(UpdatePass, AFailedElevatedRelaunchEndsThePass)
{
    updaterPlatform().os = &kVista;
    offerBoth();
    programPathAnswer = scratch_ + "missing\\PmabUpdater.exe";
    run();
    EXPECT_TRUE(logged("UAC IS enabled, attempting to elevate permissions."));
    EXPECT_TRUE(logged("The new process FAILED to launch. Casted HINSTANCE value = "));
    EXPECT_FALSE(logged("The new process was launched successfully"));
    EXPECT_TRUE(recordsOf("download").empty());
    EXPECT_EQ(spooler_.callsStartingWith("pause"), std::vector<std::string>{});
    EXPECT_EQ(spooler_.openHandles, 0);
}

// A program path that cannot be read: the re-launch is given up with the
// exception's text, and a program install fails like any failed install.
TEST_F(UpdatePass, AnExceptionWhileTheProgramPathIsRead)
{
    const std::string described = "file:CurrentProcess:17: CurrentProcess::CurrentProcess";
    updaterPlatform().os = &kVista;
    offerBoth();
    programPathFails = true;
    run();
    EXPECT_TRUE(logged("ERROR: The Kiosken Updater executable FAILED to Launch! " + described));
    EXPECT_TRUE(recordsOf("download").empty());

    freshPass();
    updaterPlatform().os = &kXp;
    offerBoth();
    programPathFails = true;
    run();
    EXPECT_TRUE(logged(described));
    EXPECT_TRUE(logged("The software updates FAILED! exiting update process"));
    EXPECT_TRUE(recordsOf("apply").empty());
    EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 0xDEADBEEFu);
    EXPECT_EQ(spooler_.callsStartingWith("resume"), (std::vector<std::string>{"resume A", "resume B"}));
    EXPECT_EQ(spooler_.openHandles, 0);
    EXPECT_FALSE(exists(scratch_ + "program.tar"));
    EXPECT_FALSE(exists(scratch_ + "catalog.tar"));
}

// While no printer of the driver has been found the spooler is asked again:
// a failed enumeration at the rights test on Vista is followed by a second
// one when the printers are paused; once printers are found, never again.
TEST_F(UpdatePass, AFailedEnumerationIsRetriedUntilPrintersAreFound)
{
    updaterPlatform().os = &kVista;
    offerBoth();
    freshPass();
    spooler_.failCall = 0;
    run(true);
    EXPECT_EQ(spooler_.callsStartingWith("enum").size(), 2u);
    EXPECT_TRUE(logged("Printer enumeration failed with win32 error code =31"));
    EXPECT_TRUE(logged("No printer installed with our driver, no printer rights to test"));
    EXPECT_EQ(recordsOf("apply").size(), 2u);
    EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 1u);

    freshPass();
    run(true);
    DeviceEnumerator::instance().getPrinters();
    EXPECT_EQ(spooler_.callsStartingWith("enum").size(), 1u);
    DeleteFileA((thisDirectory() + "applied.program.tar").c_str());
}

TEST_F(UpdatePass, VistaWithoutRightsRelaunchesOnceAndTheCopyStops)
{
    updaterPlatform().os = &kVista;
    offerBoth();
    spooler_.printers[0].openError = ERROR_ACCESS_DENIED;
    run();
    EXPECT_TRUE(logged("UAC IS enabled, attempting to elevate permissions."));
    EXPECT_TRUE(logged("The new process was launched successfully"));
    EXPECT_TRUE(relaunched());
    EXPECT_TRUE(recordsOf("download").empty());

    DeleteFileA(logFile_.c_str());
    CommandLineParams::destroy();
    run(true);
    EXPECT_TRUE(logged("Elevated permissions and still not an Admin. UAC must be off."));
    EXPECT_FALSE(logged("attempting to elevate permissions"));
    EXPECT_TRUE(recordsOf("download").empty());
}

TEST_F(UpdatePass, VistaAdminInstallsACatalogOnlyUpdateWithoutElevation)
{
    updaterPlatform().os = &kVista;
    setDword(kFake, "check cv", 3);
    setDword(kUpdaterKey, "DataUpdated", 2);
    run();
    EXPECT_TRUE(logged("This is a CATALOG only update, so we are installing the updates right away!"));
    EXPECT_EQ(recordsOf("apply"),
              (std::vector<std::string>{"apply " + scratch_ + "catalog.tar " + dataDirectory_}));
    EXPECT_EQ(dword(kUpdaterKey, "DataUpdated"), 2u);  // 2 is left alone
    EXPECT_FALSE(logged("attempting to elevate permissions"));
}

TEST_F(UpdatePass, VistaProgramUpdateNeedsAdminAndTheElevationToken)
{
    updaterPlatform().os = &kVista;
    offerBoth();
    run();
    EXPECT_TRUE(logged("The process has NOT been elevated."));
    EXPECT_TRUE(relaunched());
    EXPECT_TRUE(recordsOf("download").empty());

    CommandLineParams::destroy();
    run(true);
    EXPECT_TRUE(logged("The process has already been elevated. We have all the permissions we need, attempting to install updates now."));
    EXPECT_EQ(recordsOf("apply").size(), 2u);
    EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 1u);
    DeleteFileA((thisDirectory() + "applied.program.tar").c_str());
}

TEST_F(UpdatePass, AFailedProgramCheckEndsThePassBeforeTheCatalogCheck)
{
    for (int code : {1, 4, 0, 5, 7}) {
        SCOPED_TRACE(code);
        DeleteFileA((scratch_ + "record.txt").c_str());
        setDword(kFake, "check kv", static_cast<DWORD>(code));
        setDword(kFake, "check cv", 3);
        CommandLineParams::destroy();
        run();
        EXPECT_EQ(recordsOf("check").size(), 1u);
        EXPECT_TRUE(recordsOf("download").empty());
    }
    EXPECT_TRUE(logged("UPD_UPDATES_RESPONSE_UNKNOWN"));
    EXPECT_TRUE(logged("Software Update is available, user does not have priveleges to install."));
    EXPECT_TRUE(logged("Unable to determine if Kiosken Software Update is available."));
}

TEST_F(UpdatePass, NothingNewerMeansNothingDownloaded)
{
    run();
    EXPECT_EQ(recordsOf("check").size(), 2u);
    EXPECT_TRUE(logged("Checking for updates failed or there are no updates available!"));
    EXPECT_TRUE(spooler_.callsStartingWith("open").empty());
}

TEST_F(UpdatePass, DialUpAndOfflineStopBeforeAnyCheck)
{
    connectionFlags = 1;  // modem
    offerBoth();
    run();
    EXPECT_TRUE(logged("CONNECTED to the internet on a DIAL UP connection"));
    EXPECT_TRUE(recordsOf("check").empty());

    connectionFlags = 0;
    for (DWORD answer : {0u, 2u, 0xFFFFFFFFu}) {
        setDword(kFake, "connection", answer);
        CommandLineParams::destroy();
        run();
        EXPECT_TRUE(recordsOf("check").empty()) << answer;
    }
    EXPECT_TRUE(logged("Internet connection is not available, halting the update process"));
}

TEST_F(UpdatePass, AFailedCatalogDownloadDeletesTheProgramPackage)
{
    offerBoth();
    setDword(kFake, "download cd", 1);
    run();
    EXPECT_EQ(recordsOf("download").size(), 2u);
    EXPECT_FALSE(exists(scratch_ + "program.tar"));
    EXPECT_TRUE(recordsOf("apply").empty());
    EXPECT_TRUE(spooler_.callsStartingWith("open").empty());
    EXPECT_TRUE(logged("The data update failed to download, so we are deleting the downloaded software update"));
}

TEST_F(UpdatePass, PauseFailureInstallsNothingButCleansUp)
{
    offerBoth();
    spooler_.printers.push_back(printer("Second photo", kDriver));
    spooler_.printers[2].pauseError = ERROR_ACCESS_DENIED;
    run();
    EXPECT_TRUE(recordsOf("apply").empty());
    EXPECT_EQ(spooler_.callsStartingWith("resume"),
              (std::vector<std::string>{"resume Photo on USB", "resume Second photo"}));
    EXPECT_EQ(spooler_.openHandles, 0);
    EXPECT_FALSE(exists(scratch_ + "program.tar"));
    EXPECT_FALSE(exists(scratch_ + "catalog.tar"));
    EXPECT_TRUE(logged("FAILED to pause all printers installed with our driver!"));

    SCOPED_TRACE("files kept when asked");
    setDword(kUpdaterKey, "DoNotDeleteDownloadedFiles", 1);
    CommandLineParams::destroy();
    run();
    EXPECT_TRUE(exists(scratch_ + "program.tar"));
    EXPECT_TRUE(exists(scratch_ + "catalog.tar"));
}

TEST_F(UpdatePass, ResumeFailureTurnsSuccessIntoFailure)
{
    setDword(kFake, "check cv", 3);
    spooler_.printers[0].resumeError = ERROR_ACCESS_DENIED;
    run();
    EXPECT_EQ(recordsOf("apply").size(), 1u);
    EXPECT_TRUE(logged("FAILED to resume all printers installed with our driver!"));
    EXPECT_TRUE(logged("Updates installation failed, halting the update process."));
    EXPECT_EQ(dword(kUpdaterKey, "DataUpdated"), 1u);  // installed before the resume
}

TEST_F(UpdatePass, AFailedProgramInstallSkipsTheCatalogAndStillResumes)
{
    offerBoth();
    setDword(kFake, "apply", 0);
    run();
    EXPECT_EQ(recordsOf("apply").size(), 1u);
    EXPECT_EQ(spooler_.callsStartingWith("resume"), std::vector<std::string>{"resume Photo on USB"});
    EXPECT_TRUE(logged("The software updates FAILED! exiting update process"));
    EXPECT_EQ(dword(kUpdaterKey, "CompleteSoftwareUpdated"), 0xDEADBEEFu);
}

TEST_F(UpdatePass, DrainWaitRescansFromTheFirstPrinterAndSkipsPausedOrOffline)
{
    setDword(kFake, "check cv", 3);
    spooler_.printers = {printer("A", kDriver), printer("B", kDriver), printer("C", kDriver),
                         printer("D", kDriver)};
    spooler_.printers[1].jobs = {2, 1, 0};
    spooler_.printers[2].status = kPrinterStatusPaused;
    spooler_.printers[2].jobs = {5};
    spooler_.printers[3].attributes = kPrinterAttributeWorkOffline;
    spooler_.printers[3].jobs = {5};
    run();
    EXPECT_EQ(sleeps, (std::vector<std::uint32_t>{30000, 30000}));
    EXPECT_EQ(spooler_.callsStartingWith("status"),
              (std::vector<std::string>{"status A", "status B", "status A", "status B", "status A",
                                        "status B", "status C", "status D"}));
    EXPECT_EQ(spooler_.callsStartingWith("resume").size(), 4u);
    EXPECT_TRUE(logged("Total number of printers to pause = 4"));
}

// A printer whose status cannot be read is not waited for; error 8 from the
// spooler itself is such a failure too, not the pass's own allocation failure.
TEST_F(UpdatePass, PollIntervalAndUnreadablePrinters)
{
    setDword(kUpdaterKey, "PrinterPollInterval", 250);
    for (std::uint32_t error : {6u, 8u}) {
        SCOPED_TRACE(error);
        freshPass();
        sleeps.clear();
        setDword(kFake, "check cv", 3);
        spooler_.printers = {printer("A", kDriver), printer("B", kDriver)};
        spooler_.printers[0].statusError = error;
        spooler_.printers[1].jobs = {1, 0};
        run();
        EXPECT_EQ(sleeps, std::vector<std::uint32_t>{250});
        EXPECT_TRUE(logged("GetPrinter failed, GetLastError()=" + std::to_string(error)));
        EXPECT_EQ(recordsOf("apply").size(), 1u);
    }
}

TEST_F(UpdatePass, SpoolerErrorEightIsNotOurOwnAllocationFailure)
{
    setDword(kFake, "check cv", 3);
    spooler_.enumError = ERROR_NOT_ENOUGH_MEMORY;
    run();
    EXPECT_TRUE(logged("Printer enumeration failed with win32 error code =8"));
    EXPECT_FALSE(logged("could not allocate memory for results of printer enumeration"));
    EXPECT_TRUE(spooler_.callsStartingWith("open").empty());
}

TEST_F(UpdatePass, ABufferThePassCannotAllocate)
{
    setDword(kFake, "check cv", 3);
    spooler_.printers = {printer("A", kDriver), printer("B", kDriver)};
    spooler_.printers[0].statusNoBuffer = true;
    spooler_.printers[1].jobs = {1, 0};
    run();
    EXPECT_TRUE(sleeps.empty());  // the drain wait ends at once
    EXPECT_EQ(spooler_.callsStartingWith("pause"),
              (std::vector<std::string>{"pause A", "pause B"}));

    spooler_.enumNoBuffer = true;
    DeviceEnumerator::destroy();
    CommandLineParams::destroy();
    run();
    EXPECT_TRUE(logged("could not allocate memory for results of printer enumeration"));
}

TEST_F(UpdatePass, PrintersAreOursOnlyWithTheExactDriverName)
{
    setDword(kFake, "check cv", 3);
    spooler_.printers = {printer("Lower", "pelmora photo 100"), printer("Mine", kDriver)};
    run();
    EXPECT_EQ(spooler_.callsStartingWith("open"), std::vector<std::string>{"open Mine"});

    DeviceEnumerator::instance().getPrinters();
    EXPECT_EQ(spooler_.callsStartingWith("enum").size(), 1u);  // enumerated once per process
}

// A name that does not fit the 260-character open buffer cannot be opened:
// the pass stops before installing, as for any printer it cannot open.
TEST_F(UpdatePass, AnOverlongPrinterNameStopsThePassLikeAnUnopenablePrinter)
{
    const std::string fitting(259, 'F');  // with its zero, the whole buffer
    const struct {
        const char* what;
        std::vector<std::string> names;
        std::vector<std::string> opened;
        std::string failure;
    } cases[] = {
        {"259 characters fit", {fitting, "Short"}, {"open " + fitting, "open Short"}, ""},
        {"260 characters", {"Short", std::string(260, 'Q')}, {"open Short"},
         "OpenPrinter failed to open printer '" + std::string(260, 'Q') +
             "' with ADMIN permissions. GetLastError()=1801"},
        {"all overlong", {std::string(300, 'P')}, {},
         "OpenPrinter failed to open printer '" + std::string(300, 'P') +
             "' with ADMIN permissions. GetLastError()=1801"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA((scratch_ + "record.txt").c_str());
        DeleteFileA(logFile_.c_str());
        setDword(kFake, "check cv", 3);
        spooler_.calls.clear();
        spooler_.printers.clear();
        for (const std::string& name : c.names)
            spooler_.printers.push_back(printer(name, kDriver));
        CommandLineParams::destroy();
        DeviceEnumerator::destroy();
        run();
        EXPECT_EQ(spooler_.callsStartingWith("open"), c.opened);
        EXPECT_EQ(spooler_.openHandles, 0);
        if (c.failure.empty()) {
            EXPECT_EQ(recordsOf("apply").size(), 1u);
            EXPECT_EQ(spooler_.callsStartingWith("pause").size(), 2u);
        } else {
            EXPECT_TRUE(logged(c.failure));
            EXPECT_TRUE(logged("Failed to open all the printers in the list, so closing and exiting"));
            EXPECT_TRUE(recordsOf("apply").empty());
            EXPECT_TRUE(spooler_.callsStartingWith("pause").empty());
        }
    }

    SCOPED_TRACE("the rights test on Vista");
    updaterPlatform().os = &kVista;
    spooler_.calls.clear();
    spooler_.printers = {printer(std::string(270, 'R'), kDriver), printer("Short", kDriver)};
    CommandLineParams::destroy();
    DeviceEnumerator::destroy();
    EXPECT_FALSE(PrinterSpoolerWrapper::canWeOpenPrintersInAdminMode());
    EXPECT_TRUE(spooler_.callsStartingWith("open").empty());
    EXPECT_TRUE(logged("OpenPrinter failed to open printer '" + std::string(270, 'R') +
                       "' with ADMIN permissions. GetLastError()=1801"));
}

TEST_F(UpdatePass, VistaWithoutPrintersOfTheDriverStopsAtPausing)
{
    updaterPlatform().os = &kVista;
    setDword(kFake, "check cv", 3);
    spooler_.printers = {printer("Office", "Other Driver")};
    run();
    EXPECT_TRUE(logged("No printer installed with our driver, no printer rights to test"));
    EXPECT_TRUE(logged("No printers are installed on the OS with the Print Driver of interest"));
    EXPECT_TRUE(recordsOf("apply").empty());
    EXPECT_FALSE(exists(scratch_ + "catalog.tar"));
    EXPECT_FALSE(logged("attempting to elevate permissions"));
}

TEST_F(UpdatePass, OpenFailureClosesWhatWasOpened)
{
    setDword(kFake, "check cv", 3);
    spooler_.printers = {printer("A", kDriver), printer("B", kDriver)};
    spooler_.printers[1].openError = ERROR_ACCESS_DENIED;
    run();
    EXPECT_EQ(spooler_.callsStartingWith("close"), std::vector<std::string>{"close A"});
    EXPECT_EQ(spooler_.openHandles, 0);
    EXPECT_TRUE(logged("OpenPrinter failed to open printer 'B' with ADMIN permissions. GetLastError()=5"));
    EXPECT_TRUE(recordsOf("apply").empty());
}

TEST_F(UpdatePass, DownloadPathsTooLongForTheBlockComeInTheLibrarysOwn)
{
    setDword(kFake, "check cv", 3);
    std::string deep = scratch_ + std::string(120, 'd') + "\\";
    CreateDirectoryA(deep.c_str(), nullptr);
    std::string path = deep + std::string(150, 'c') + ".tar";
    setText(kFake, "path cd", path);
    setDword(kUpdaterKey, "DoNotDeleteDownloadedFiles", 1);
    run();
    EXPECT_TRUE(logged("Update successfully downloaded '" + path + "'"));
    EXPECT_EQ(recordsOf("apply"),
              (std::vector<std::string>{"apply " + path + " " + dataDirectory_}));
    DeleteFileA(path.c_str());
    RemoveDirectoryA(deep.c_str());
}

TEST_F(UpdatePass, ADownloadWithoutAFileNameFails)
{
    setDword(kFake, "check cv", 3);
    deleteTree(kFake);
    setText(kFake, "record", scratch_ + "record.txt");
    setDword(kFake, "check cv", 3);
    setDword(kFake, "download cd", 0);  // success code, but no path written
    run();
    EXPECT_TRUE(logged("The update FAILED to download!"));
    EXPECT_TRUE(recordsOf("apply").empty());
}

TEST_F(UpdatePass, MissingLibraryAnswersNotConnected)
{
    // A folder the library may come from, without the library in it.
    const std::string folder = kXp.printerDriverDirectory();
    ASSERT_FALSE(exists(folder + "\\updanetrefresh.DLL"));
    setText(kUpdaterKey, "WebUpdaterDllPath", folder);
    offerBoth();
    run();
    EXPECT_TRUE(logged("WebUpdaterAdapter::initialize : LoadLibrary Failed. ::GetLastError()="));
    EXPECT_TRUE(logged("WebUpdater DLL is not loaded."));
    EXPECT_TRUE(logged("The InternetState is not OK to start downloads, quitting the update process."));
}

TEST_F(UpdatePass, ALibraryFolderElsewhereIsRefusedBeforeAnythingIsLoaded)
{
    setText(kUpdaterKey, "WebUpdaterDllPath", scratch_ + "nowhere");
    offerBoth();
    run();
    EXPECT_TRUE(logged("WebUpdaterAdapter::initialize : the web updater dll folder '" + scratch_ +
                       "nowhere' is neither the program folder nor the printer driver folder; "
                       "not loading the dll."));
    EXPECT_FALSE(logged("LoadLibrary Failed"));
    EXPECT_TRUE(logged("WebUpdater DLL is not loaded."));
    EXPECT_TRUE(recordsOf("check").empty());
    EXPECT_TRUE(logged("The InternetState is not OK to start downloads, quitting the update process."));
}

TEST_F(UpdatePass, LibraryDirectoryDefaultsToTheSpoolersDriverFolder)
{
    deleteTree(kUpdaterKey);
    setText(kUpdaterKey, "WebServerUrl", "http://fake/[package_code]");
    run();
    std::string expected = kXp.printerDriverDirectory();
    ASSERT_EQ(expected.substr(expected.size() - 2), "\\3");
    DWORD type = 0;
    std::string stored;
    ASSERT_TRUE(queryRaw(kUpdaterKey, "WebUpdaterDllPath", type, stored));
    EXPECT_EQ(stored, expected + std::string(1, '\0'));
    EXPECT_TRUE(logged("No registry entry for the updater dll path."));
    EXPECT_TRUE(logged("About to load web updater dll. Dll Name:" + expected + "\\updanetrefresh.DLL"));
}

TEST_F(UpdatePass, UrlsFillPlaceholdersOnceAndKeepAMissingPackageCode)
{
    setText(kUpdaterKey, "WebServerUrl", "http://fake/[os_code]/[os_code]/[language_code]?p=[package_code]&q=[package_code]");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUpdaterKey.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "QuillcastKioskenDownloadPackageCode");
    RegCloseKey(key);
    CommandLineParams::instance("");
    DeviceEnumerator::instance();
    UrlGenerator urls;
    std::string base = urls.baseUrl();
    EXPECT_EQ(base.find("[os_code]"), base.find("/[os_code]") + 1);
    EXPECT_EQ(base.find("[language_code]"), std::string::npos);
    EXPECT_NE(urls.generateUrl(KioskenVersionUrl).find("?p=kv&q=[package_code]"), std::string::npos);
    EXPECT_NE(urls.generateUrl(KioskenDownloadUrl).find("?p=[package_code]&q=[package_code]"), std::string::npos);
}

TEST_F(UpdatePass, VersionFiles)
{
    struct Case {
        const char* name;
        std::string content;
        const char* version;
    } const cases[] = {
        {"declaration and root", "<?xml version=\"1.0\"?>\n<Root><PackageVersion>1.2.3.4</PackageVersion></Root>", "1.2.3.4"},
        {"spaces kept", "<PackageVersion> 1.2 </PackageVersion>", " 1.2 "},
        {"after 1024 bytes", std::string(1100, ' ') + "<PackageVersion>9.9.9.9</PackageVersion>", "0.0.0.0"},
        {"no close tag", "<PackageVersion>1.0", "0.0.0.0"},
        {"zero byte first", std::string("x\0<PackageVersion>1</PackageVersion>", 36), "0.0.0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(scratch_ + "v.ver", c.content);
        EXPECT_EQ(VersionInfo::GetVersionNumber(scratch_ + "v.ver"), c.version);
    }
    EXPECT_EQ(VersionInfo::GetVersionNumber(scratch_ + "missing.ver"), "0.0.0.0");
    EXPECT_TRUE(logged("FAILED to open: '" + scratch_ + "missing.ver'"));
    EXPECT_EQ(VersionInfo::GetKioskenVersionNumber(), "1.0.0.1");
    EXPECT_EQ(VersionInfo::GetCatalogVersionNumber(), "2.0.0.0");
}

TEST(UpdateCheckCodes, EachCodeHasItsLoggedNameAndItsAnswer)
{
    struct Case {
        int code;
        const char* name;
        UpdateCheckResult answer;
    } const cases[] = {
        {0, "UPD_UPDATES_INET_CONN_NOT_AVAILABLE", CheckFailed},
        {1, "UPD_UPDATES_SERVER_NO_RESPONSE", CheckFailed},
        {2, "UPD_UPDATES_NOT_AVAILABLE", UpdateNotAvailable},
        {3, "UPD_UPDATES_AVAILABLE", UpdateAvailable},
        {4, "UPD_INSUFFICIENT_USER_PRIVILEGE", InsufficientPrivilege},
        {5, "UPD_INVALID_RESPONSE_DOC", CheckFailed},
        {6, "UPD_UPDATES_RESPONSE_UNKNOWN", CheckFailed},
        {-1, "UPD_UPDATES_RESPONSE_UNKNOWN", CheckFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_STREQ(checkResultName(c.code), c.name);
        EXPECT_EQ(checkResultOf(c.code), c.answer);
    }
}

TEST(CommandLineParamsSingleton, FirstTextWins)
{
    CommandLineParams::destroy();
    EXPECT_TRUE(CommandLineParams::instance("x -uac y").containsUacParams());
    EXPECT_TRUE(CommandLineParams::instance("").containsUacParams());
    EXPECT_EQ(CommandLineParams::instance("other").commandLine(), "x -uac y");
    CommandLineParams::destroy();
    EXPECT_FALSE(CommandLineParams::instance("").containsUacParams());
    CommandLineParams::destroy();
}

}  // namespace
