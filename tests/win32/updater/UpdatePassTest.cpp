// Whole update passes of the Updater under Wine: the program copied as
// PmabUpdater.exe beside the real web-updater library (pmabnetrefresh.DLL and
// its .ini), a loopback update server run by this test, the registry seeded
// as an installation leaves it, the Windows version set per program through
// Wine's AppDefaults. Wine has no printers that can be paused, so passes that
// install run UpdaterWithFakeSpooler (the same program over a scripted
// spooler); the shipped Updater.exe shows the path without printers.
#include "LoopbackServer.h"
#include "Sha256.h"
#include "TarBuilder.h"
#include "TestSigning.h"
#include "TestSupport.h"

#include <shlobj.h>
#include <windows.h>
#include <tlhelp32.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const std::string kLocal = "Software\\PelmoraInkjet\\JSW\\Local\\pmab";
const std::string kUpdaterKey = kLocal + "\\Settings\\Updater";
const std::string kSettingsKey = kLocal + "\\Settings";
const std::string kTestKey = "Software\\PelmoraTest";
const std::string kAppDefaults = "Software\\Wine\\AppDefaults\\PmabUpdater.exe";
const std::string kDriver = "Pelmora Inkjet Series 4";
const std::string kPrinter = "Pelmora Inkjet Desk";
const std::string kOtherPrinter = "Office Laser";

// ---- files ---------------------------------------------------------------

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void removeTree(const std::string& folder)
{
    for (const std::string& name : namesIn(folder)) {
        std::string path = folder + "\\" + name;
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            removeTree(path);
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

std::string commonAppData()
{
    char common[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
    return common;
}

// The spooler's driver folder for version-3 drivers, where the library is
// looked for when WebUpdaterDllPath is not set.
std::string driverFolder()
{
    char directory[MAX_PATH + 1] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                    MAX_PATH, &needed))
        return std::string();
    return std::string(directory) + "\\3";
}

std::string tempFolder()
{
    char path[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, path);
    return std::string(path, length);
}

std::string versionFile(const std::string& version)
{
    return "<?xml version=\"1.0\"?>\r\n<VersionInfo><PackageVersion>" + version +
           "</PackageVersion></VersionInfo>\r\n";
}

// Signed with the key the installation trusts (pmabnetrefresh.key).
std::string manifestFor(const std::string& version, const std::string& package,
                        const std::string& content,
                        const testsigning::SigningKey& key = testsigning::firstKey())
{
    return key.sign("netrefresh-manifest 1\r\nVersion=" + version + "\r\nPackage=" + package +
                    "\r\nSize=" + std::to_string(content.size()) +
                    "\r\nSHA256=" + sha256Hex(content) + "\r\n");
}

// ---- registry outside HKEY_LOCAL_MACHINE --------------------------------

void setUserString(const std::string& path, const std::string& name, const std::string& text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void setString(const std::string& path, const std::string& name, const std::string& text)
{
    setRaw(path, name, REG_SZ, text + '\0');
}

// ---- the packages the server publishes ----------------------------------

const std::string kProgramPackage = TarBuilder()
                                        .file("pmabProg.ver", versionFile("1.3.0.0"))
                                        .directory("PmabHelp")
                                        .file("PmabHelp/readme.txt", "Pelmora Updater 1.3")
                                        .finish();
const std::string kCatalogPackage = TarBuilder()
                                        .file("kkData.ver", versionFile("2.1.0.0"))
                                        .directory("catalog")
                                        .file("catalog/items.xml", "<items count=\"3\"/>")
                                        .finish();

class UpdatePass : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server_.running());
        scratch_ = tempFolder() + "Updater Pass";
        dataFolder_ = commonAppData() + "\\" + kDriver + "\\Job Status";
        downloads_ = commonAppData() + "\\netrefresh\\downloads";
        log_ = expand("%ALLUSERSPROFILE%\\pmabJSW.log");
        clean();
        ASSERT_TRUE(CreateDirectoryA(scratch_.c_str(), nullptr));

        publish("1.3.0.0", "2.1.0.0");
        ASSERT_TRUE(CopyFileA((thisDirectory() + "netrefresh.dll").c_str(),
                              (scratch_ + "\\pmabnetrefresh.DLL").c_str(), FALSE));
        pointLibraryAt(server_.url("/updates/"));
        ASSERT_TRUE(testsigning::firstKey().usable());
        writeFile(scratch_ + "\\pmabnetrefresh.key",
                  testsigning::keyFile({&testsigning::firstKey()}));

        setString(kUpdaterKey, "WebServerUrl", server_.url("/updates/[package_code].txt"));
        setString(kUpdaterKey, "QuillcastKioskenVersionPackageCode", "prog");
        setString(kUpdaterKey, "QuillcastKioskenDownloadPackageCode", "prog");
        setString(kUpdaterKey, "QuillcastCatalogVersionPackageCode", "data");
        setString(kUpdaterKey, "QuillcastCatalogDownloadPackageCode", "data");
        setString(kUpdaterKey, "WebUpdaterDllPath", scratch_);
        setString(kSettingsKey, "DriverName", kDriver);
        setString(kSettingsKey, "DllPath", scratch_);
        setString(kSettingsKey, "DataPath", dataFolder_);
        setDword(kLocal + "\\Logger", "startLog", 1);
        writeFile(scratch_ + "\\pmabProg.ver", versionFile("1.2.0.0"));

        setString(kTestKey + "\\FakePrinters", kPrinter, kDriver);
        setString(kTestKey + "\\FakePrinters", kOtherPrinter, "Generic Laser Driver");
        setString(kTestKey, "SpoolerRecord", scratch_ + "\\spooler.txt");
    }

    void TearDown() override { clean(); }

    void clean()
    {
        removeTree(scratch_);
        removeTree(commonAppData() + "\\" + kDriver);
        removeTree(downloads_);
        DeleteFileA((commonAppData() + "\\netrefresh\\accepted-manifests.txt").c_str());
        DeleteFileA(log_.c_str());
        deleteTree(kLocal);
        deleteTree(kTestKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults.c_str());
        if (!driverFolder().empty()) {
            DeleteFileA((driverFolder() + "\\pmabnetrefresh.DLL").c_str());
            DeleteFileA((driverFolder() + "\\pmabnetrefresh.ini").c_str());
            DeleteFileA((driverFolder() + "\\pmabnetrefresh.key").c_str());
        }
    }

    void publish(const std::string& programVersion, const std::string& catalogVersion,
                 const std::string& programPackage = kProgramPackage)
    {
        server_.route("/updates/prog.txt",
                      manifestFor(programVersion, "prog-1.3.0.0.tar", programPackage));
        server_.route("/updates/prog-1.3.0.0.tar", programPackage);
        server_.route("/updates/data.txt",
                      manifestFor(catalogVersion, "data-2.1.0.0.tar", kCatalogPackage));
        server_.route("/updates/data-2.1.0.0.tar", kCatalogPackage);
    }

    void pointLibraryAt(const std::string& serverUrl)
    {
        writeFile(scratch_ + "\\pmabnetrefresh.ini",
                  "[netrefresh]\r\nServerUrl=" + serverUrl + "\r\n");
    }

    void installCatalogVersion(const std::string& version)
    {
        ASSERT_EQ(SHCreateDirectoryExA(nullptr, dataFolder_.c_str(), nullptr), ERROR_SUCCESS);
        writeFile(dataFolder_ + "\\kkData.ver", versionFile(version));
    }

    // Copies the program as PmabUpdater.exe, runs it as Windows `version`
    // sees it and returns the exit code; the log is read afterwards.
    DWORD run(const std::string& program, const std::string& version)
    {
        std::string copy = scratch_ + "\\PmabUpdater.exe";
        if (!CopyFileA((thisDirectory() + program).c_str(), copy.c_str(), FALSE)) {
            ADD_FAILURE() << "copy of " << program << " failed: " << GetLastError();
            return 0xFFFFFFFF;
        }
        return runInstalled(version);
    }

    // Runs the PmabUpdater.exe that is in the program folder now.
    DWORD runInstalled(const std::string& version)
    {
        setUserString(kAppDefaults, "Version", version);
        std::string program = scratch_ + "\\PmabUpdater.exe";
        DWORD code = runProcess(program, "\"" + program + "\"");
        logText_ = readFile(log_);
        return code;
    }

    // Waits for every PmabUpdater.exe that is still running: the copy that a
    // pass started through the elevation verb.
    int waitForRelaunchedCopies()
    {
        int waited = 0;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return -1;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry)) {
            if (lstrcmpiA(entry.szExeFile, "PmabUpdater.exe") != 0)
                continue;
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
            if (process == nullptr)
                continue;  // gone already
            EXPECT_EQ(WaitForSingleObject(process, 60000), WAIT_OBJECT_0);
            CloseHandle(process);
            ++waited;
        }
        CloseHandle(snapshot);
        logText_ = readFile(log_);
        return waited;
    }

    bool logged(const std::string& message) const
    {
        return logText_.find(message) != std::string::npos;
    }

    // The paths the log names after the given text, up to the closing quote.
    std::vector<std::string> quotedAfter(const std::string& text) const
    {
        std::vector<std::string> paths;
        for (std::size_t found = logText_.find(text); found != std::string::npos;
             found = logText_.find(text, found + 1)) {
            std::size_t start = found + text.size();
            std::size_t end = logText_.find('\'', start);
            if (end != std::string::npos)
                paths.push_back(logText_.substr(start, end - start));
        }
        return paths;
    }

    DWORD flag(const std::string& name) const
    {
        DWORD value = 0xFFFFFFFF;
        queryDword(kUpdaterKey, name, value);
        return value;  // 0xFFFFFFFF: missing
    }

    // Each message after the one before it.
    void expectInOrder(const std::vector<std::string>& messages) const
    {
        std::size_t position = 0;
        for (const std::string& message : messages) {
            std::size_t found = logText_.find(message, position);
            ASSERT_NE(found, std::string::npos) << "missing or out of order: " << message << "\n"
                                                << logText_;
            position = found + message.size();
        }
    }

    std::string spoolerCalls() const { return readFile(scratch_ + "\\spooler.txt"); }

    LoopbackServer server_;
    std::string scratch_;
    std::string dataFolder_;
    std::string downloads_;
    std::string log_;
    std::string logText_;
};

const DWORD kMissing = 0xFFFFFFFF;

// ---- cases ---------------------------------------------------------------

TEST_F(UpdatePass, FullUpdateOnXpInstallsBothPackagesAndCleansUp)
{
    // The program package replaces the running program (by the shipped build,
    // told apart by its size) and the library it has loaded.
    std::string shipped = readFile(thisDirectory() + "Updater.exe");
    std::string library = readFile(thisDirectory() + "netrefresh.dll");
    ASSERT_FALSE(shipped.empty());
    ASSERT_NE(shipped.size(), readFile(thisDirectory() + "UpdaterWithFakeSpooler.exe").size());
    publish("1.3.0.0", "2.1.0.0",
            TarBuilder()
                .file("PmabUpdater.exe", shipped)
                .file("pmabnetrefresh.DLL", library)
                .file("pmabProg.ver", versionFile("1.3.0.0"))
                .directory("PmabHelp")
                .file("PmabHelp/readme.txt", "Pelmora Updater 1.3")
                .finish());
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    // Both packages landed: the program package beside the program, the
    // catalog package in the driver's folder of the common application data.
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.3.0.0"));
    EXPECT_EQ(readFile(scratch_ + "\\PmabHelp\\readme.txt"), "Pelmora Updater 1.3");
    EXPECT_EQ(readFile(dataFolder_ + "\\kkData.ver"), versionFile("2.1.0.0"));
    EXPECT_EQ(readFile(dataFolder_ + "\\catalog\\items.xml"), "<items count=\"3\"/>");
    EXPECT_FALSE(exists(scratch_ + "\\kkData.ver"));
    EXPECT_FALSE(exists(dataFolder_ + "\\pmabProg.ver"));
    EXPECT_TRUE(readFile(scratch_ + "\\PmabUpdater.exe") == shipped);
    EXPECT_TRUE(readFile(scratch_ + "\\pmabnetrefresh.DLL") == library);

    EXPECT_EQ(flag("CompleteSoftwareUpdated"), 1u);
    EXPECT_EQ(flag("DataUpdated"), kMissing) << "a complete update sets only its own flag";

    // Each package was fetched once and its download is gone again.
    EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), 1);
    EXPECT_EQ(server_.requests("/updates/data-2.1.0.0.tar"), 1);
    std::vector<std::string> downloads =
        quotedAfter("The update was downloaded SUCCESSFULLY to: '");
    ASSERT_EQ(downloads.size(), 2u) << logText_;
    for (const std::string& path : downloads) {
        EXPECT_EQ(path.compare(0, downloads_.size(), downloads_), 0) << path;
        EXPECT_FALSE(exists(path)) << path;
        EXPECT_TRUE(logged("Attempting to deleting file : " + path + "\r\n")) << path;
    }
    EXPECT_TRUE(namesIn(downloads_).empty());

    // Only the printer of our driver was opened, paused, resumed and closed.
    EXPECT_EQ(spoolerCalls(), "enum\nopen " + kPrinter + "\nstatus " + kPrinter + "\npause " +
                                  kPrinter + "\nresume " + kPrinter + "\nclose " + kPrinter +
                                  "\nopen handles 0\n");

    std::string prog = server_.url("/updates/prog.txt");
    std::string data = server_.url("/updates/data.txt");
    const std::vector<std::string> sequence = {
        "+UpdatesController::performUpdates() ",
        "url=" + prog + ", currentVerionsNumber=1.2.0.0",
        " New version number=1.3.0.0",
        " WebUpdaterDll Check for updates call returned : UPD_UPDATES_AVAILABLE",
        "Kiosken Software Update is available.",
        "url=" + data + ", currentVerionsNumber=2.0.0.0",
        "Catalog/Kiosken Data Update is available.",
        "Atleast one update is available",
        "Updates are available, now, we will attempt to download and install them",
        "The OS is Win XP or Win 2K, we have the spooler privilages, we do not need extra "
        "permissions",
        "typeOfUpdateAvailable=3",
        "Both the software and data updates are available, so downloading both updates.",
        "Both updates were downloaded successfully.",
        "Successfully Opened printer '" + kPrinter + "'",
        "Total number of printers to pause = 1",
        "Printer was PAUSED successfully",
        "All Printer were paused successfully, now applying updates",
        "Software updates are available to install",
        " About to install a DATA update '" + downloads[0] + "' into dir :'" + scratch_ + "\\'",
        "The software updates were applied successfully",
        "Data update also required.",
        "The data updates were applied successfully.",
        "Data update was also successful. Setting the flag to indicate total update.",
        "Printer was RESUMED successfully",
        "All Printer were resumed successfully",
        "Closing all open printers",
        "Attempting to deleting file : " + downloads[0],
        "Attempting to deleting file : " + downloads[1],
        "Updates were downloaded and installed successfully",
        "-UpdatesController::performUpdates() ",
    };
    expectInOrder(sequence);
    EXPECT_FALSE(logged("FAILED")) << logText_;

    // The installed program runs the next pass (the shipped build writes no
    // spooler record), finds both packages current and downloads nothing.
    DeleteFileA(log_.c_str());
    DeleteFileA((scratch_ + "\\spooler.txt").c_str());
    ASSERT_EQ(runInstalled("winxp"), 0u);
    EXPECT_FALSE(exists(scratch_ + "\\spooler.txt"));
    EXPECT_TRUE(logged("url=" + prog + ", currentVerionsNumber=1.3.0.0")) << logText_;
    EXPECT_TRUE(logged("url=" + data + ", currentVerionsNumber=2.1.0.0")) << logText_;
    EXPECT_TRUE(logged("Checking for updates failed or there are no updates available!"));
    EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), 1);
    EXPECT_EQ(server_.requests("/updates/data-2.1.0.0.tar"), 1);
}

TEST_F(UpdatePass, ShippedProgramFindsNoPrinterAndInstallsNothing)
{
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("Updater.exe", "winxp"), 0u);

    EXPECT_TRUE(logged("Both updates were downloaded successfully.")) << logText_;
    EXPECT_TRUE(logged("No printers are installed on the OS with the Print Driver of interest"));
    EXPECT_TRUE(logged("FAILED to pause all printers installed with our driver!"));
    EXPECT_TRUE(logged("Updates installation failed, halting the update process."));
    EXPECT_TRUE(logged("The either the download or the installation has failed."));
    EXPECT_FALSE(logged("All Printer were paused successfully"));

    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_FALSE(exists(scratch_ + "\\PmabHelp"));
    EXPECT_EQ(namesIn(dataFolder_), std::vector<std::string>{"kkData.ver"});
    EXPECT_EQ(readFile(dataFolder_ + "\\kkData.ver"), versionFile("2.0.0.0"));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
    EXPECT_EQ(flag("DataUpdated"), kMissing);

    std::vector<std::string> downloads =
        quotedAfter("The update was downloaded SUCCESSFULLY to: '");
    ASSERT_EQ(downloads.size(), 2u);
    for (const std::string& path : downloads) {
        EXPECT_FALSE(exists(path)) << path;
        EXPECT_TRUE(logged("Attempting to deleting file : " + path + "\r\n")) << path;
    }
    EXPECT_TRUE(namesIn(downloads_).empty());
    EXPECT_FALSE(exists(scratch_ + "\\spooler.txt")) << "the shipped program has no fake spooler";
}

TEST_F(UpdatePass, RefusedProgramPackageInstallsNothingAndResumesThePrinter)
{
    publish("1.3.0.0", "2.1.0.0",
            TarBuilder()
                .file("pmabProg.ver", versionFile("1.3.0.0"))
                .file("../escaped.txt", "outside the program folder")
                .finish());
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    expectInOrder({
        "Both updates were downloaded successfully.",
        "Printer was PAUSED successfully",
        " UpdaterDll apply updates call returned : 2",
        "The software updates FAILED! exiting update process",
        "Printer was RESUMED successfully",
        "Attempting to deleting file : ",
        "Attempting to deleting file : ",
        "Updates installation failed, halting the update process.",
        "The either the download or the installation has failed.",
    });
    EXPECT_FALSE(logged("Data update also required.")) << "the catalog is skipped";
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_FALSE(exists(tempFolder() + "escaped.txt"));
    EXPECT_EQ(readFile(dataFolder_ + "\\kkData.ver"), versionFile("2.0.0.0"));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
    EXPECT_TRUE(namesIn(downloads_).empty());
    EXPECT_EQ(spoolerCalls(), "enum\nopen " + kPrinter + "\nstatus " + kPrinter + "\npause " +
                                  kPrinter + "\nresume " + kPrinter + "\nclose " + kPrinter +
                                  "\nopen handles 0\n");
}

TEST_F(UpdatePass, CatalogDownloadFailureDeletesTheProgramPackageAndTouchesNoPrinter)
{
    // The catalog manifest announces a digest the package does not have.
    std::string tampered = kCatalogPackage;
    tampered[600] ^= 1;
    server_.route("/updates/data.txt",
                  manifestFor("2.1.0.0", "data-2.1.0.0.tar", kCatalogPackage));
    server_.route("/updates/data-2.1.0.0.tar", tampered);
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    std::vector<std::string> downloads =
        quotedAfter("The update was downloaded SUCCESSFULLY to: '");
    ASSERT_EQ(downloads.size(), 1u) << logText_;
    EXPECT_FALSE(exists(downloads[0]));
    expectInOrder({
        "isSoftwareUpdate=true",
        "The update was downloaded SUCCESSFULLY to: '" + downloads[0] + "'",
        "isSoftwareUpdate=false",
        "The update FAILED to download!",
        "The data update failed to download, so we are deleting the downloaded software update",
        "Updates failed to download.",
        "The either the download or the installation has failed.",
    });
    EXPECT_FALSE(logged("Failed to delete")) << logText_;
    EXPECT_TRUE(namesIn(downloads_).empty());
    EXPECT_EQ(spoolerCalls(), "open handles 0\n");
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
}

TEST_F(UpdatePass, KeptDownloadsAndAFlagOfTwoStayAsTheyAre)
{
    setDword(kUpdaterKey, "DoNotDeleteDownloadedFiles", 1);
    setDword(kUpdaterKey, "CompleteSoftwareUpdated", 2);
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    EXPECT_EQ(readFile(dataFolder_ + "\\kkData.ver"), versionFile("2.1.0.0"));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), 2u);
    std::vector<std::string> downloads =
        quotedAfter("The update was downloaded SUCCESSFULLY to: '");
    ASSERT_EQ(downloads.size(), 2u) << logText_;
    EXPECT_TRUE(logged("NOT deleting files : '" + downloads[0] + "' and '" + downloads[1] + "'"));
    EXPECT_EQ(readFile(downloads[0]), kProgramPackage);
    EXPECT_EQ(readFile(downloads[1]), kCatalogPackage);
    EXPECT_FALSE(logged("Attempting to deleting file"));
}

TEST_F(UpdatePass, WithoutALibraryFolderTheSpoolerDriverFolderIsUsedAndRemembered)
{
    std::string folder = driverFolder();
    ASSERT_FALSE(folder.empty());
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((scratch_ + "\\pmabnetrefresh.DLL").c_str(),
                          (folder + "\\pmabnetrefresh.DLL").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((scratch_ + "\\pmabnetrefresh.ini").c_str(),
                          (folder + "\\pmabnetrefresh.ini").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((scratch_ + "\\pmabnetrefresh.key").c_str(),
                          (folder + "\\pmabnetrefresh.key").c_str(), FALSE));
    DeleteFileA((scratch_ + "\\pmabnetrefresh.DLL").c_str());
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUpdaterKey.c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "WebUpdaterDllPath"), ERROR_SUCCESS);
    RegCloseKey(key);
    publish("1.2.0.0", "2.0.0.0");  // nothing newer: the check is enough here
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("Updater.exe", "winxp"), 0u);

    expectInOrder({
        "No registry entry for the updater dll path.",
        "About to load web updater dll. Dll Name:" + folder + "\\pmabnetrefresh.DLL",
        "WebUpdaterDll Check for connection call returned : 1",
        "Checking for updates failed or there are no updates available!",
    });
    EXPECT_FALSE(logged("Unable to set the updater dll path registry entry.")) << logText_;
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(queryRaw(kUpdaterKey, "WebUpdaterDllPath", type, bytes));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, folder + '\0');
}

TEST_F(UpdatePass, WithoutADriverNameNothingHappens)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey.c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "DriverName"), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    EXPECT_TRUE(logged("Error - settings.getStringValue(keyName=Settings\\, valueName=DriverName, "
                       "rc=false."))
        << logText_;
    EXPECT_FALSE(logged("UpdatesController")) << logText_;
    EXPECT_EQ(server_.requests("/updates/"), 0);
    EXPECT_EQ(server_.requests("/updates/prog.txt"), 0);
    EXPECT_EQ(server_.requests("/updates/data.txt"), 0);
    EXPECT_EQ(spoolerCalls(), "open handles 0\n");
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_FALSE(exists(dataFolder_));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
}

TEST_F(UpdatePass, DialUpConnectionChecksNothing)
{
    setDword(kTestKey, "ConnectionFlags", 1);  // INTERNET_CONNECTION_MODEM
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    EXPECT_TRUE(logged("WebUpdaterDll Check for connection call returned : 1")) << logText_;
    EXPECT_TRUE(logged("CONNECTED to the internet on a DIAL UP connection"));
    EXPECT_TRUE(logged("The user is connected to the internet over a dial up connection, halting "
                       "the update process."));
    EXPECT_TRUE(logged("The InternetState is not OK to start downloads, quitting the update "
                       "process."));
    EXPECT_EQ(server_.requests("/updates/prog.txt"), 0);
    EXPECT_EQ(server_.requests("/updates/data.txt"), 0);
    EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), 0);
    EXPECT_TRUE(namesIn(downloads_).empty());
    EXPECT_EQ(spoolerCalls(), "open handles 0\n");
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
}

TEST_F(UpdatePass, UnreachableServerChecksNothing)
{
    pointLibraryAt("http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    EXPECT_TRUE(logged("WebUpdaterDll Check for connection call returned : 0")) << logText_;
    EXPECT_TRUE(logged("Internet connection is not available, halting the update process"));
    EXPECT_TRUE(logged("The InternetState is not OK to start downloads, quitting the update "
                       "process."));
    EXPECT_FALSE(logged("isUpdateAvailable"));
    EXPECT_EQ(server_.requests("/updates/prog.txt"), 0);
    EXPECT_EQ(server_.requests("/updates/data.txt"), 0);
    EXPECT_TRUE(namesIn(downloads_).empty());
    EXPECT_EQ(spoolerCalls(), "open handles 0\n");
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
}

TEST_F(UpdatePass, CatalogOnlyUpdateOnVistaInstallsWithAdminRightsWithoutElevation)
{
    publish("1.2.0.0", "2.1.0.0");  // the program package is current
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "vista"), 0u);

    EXPECT_EQ(readFile(dataFolder_ + "\\kkData.ver"), versionFile("2.1.0.0"));
    EXPECT_EQ(readFile(dataFolder_ + "\\catalog\\items.xml"), "<items count=\"3\"/>");
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_EQ(flag("DataUpdated"), 1u);
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), kMissing);
    EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), 0);
    EXPECT_EQ(server_.requests("/updates/data-2.1.0.0.tar"), 1);
    EXPECT_TRUE(namesIn(downloads_).empty());

    const std::vector<std::string> sequence = {
        "Kiosken Software Update is NOT available.",
        // No catalog version file yet: the pass asks as for a first installation.
        "url=" + server_.url("/updates/data.txt") + ", currentVerionsNumber=0.0.0.0",
        "Catalog/Kiosken Data Update is available.",
        "We are running on Windows Vista, following the Vista algorithm",
        "Printer was opened successfully with ADMIN privilages.",
        "The current process has admin permissions!",
        "This is a CATALOG only update, so we are installing the updates right away!",
        "Only Data update is available, so downloading only the data update.",
        "Printer was PAUSED successfully",
        "Only data updates are available to install",
        "Attempting to create dir : " + dataFolder_,
        "The data updates were applied successfully.",
        "Data update was successful. Setting the flag to indicate it.",
        "All Printer were resumed successfully",
        "Updates were downloaded and installed successfully",
    };
    expectInOrder(sequence);
    EXPECT_FALSE(logged("attempting to elevate permissions")) << logText_;
    // The admin test opened and closed the printer once before the pass opened it again.
    EXPECT_EQ(spoolerCalls(), "enum\nopen " + kPrinter + "\nclose " + kPrinter + "\nopen " +
                                  kPrinter + "\nstatus " + kPrinter + "\npause " + kPrinter +
                                  "\nresume " + kPrinter + "\nclose " + kPrinter +
                                  "\nopen handles 0\n");
}

TEST_F(UpdatePass, ProgramUpdateOnVistaIsInstalledByTheElevatedCopy)
{
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "vista"), 0u);
    ASSERT_GE(waitForRelaunchedCopies(), 0);

    // The first process only decided; the copy started with "-UAC" installed.
    expectInOrder({
        "This is a CATALOG + DLLs update",
        "The process has NOT been elevated.",
        "UAC IS enabled, attempting to elevate permissions.",
        "The new process was launched successfully",
        "-UpdatesController::performUpdates() ",
        "CommandLineParams::CommandLineParams(-UAC) ",
        "This is a CATALOG + DLLs update",
        "The process has already been elevated. We have all the permissions we need, attempting "
        "to install updates now.",
        "Data update was also successful. Setting the flag to indicate total update.",
        "Updates were downloaded and installed successfully",
    });
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.3.0.0"));
    EXPECT_EQ(readFile(dataFolder_ + "\\kkData.ver"), versionFile("2.1.0.0"));
    EXPECT_EQ(flag("CompleteSoftwareUpdated"), 1u);
    EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), 1) << "downloaded by the copy only";
    EXPECT_EQ(server_.requests("/updates/data-2.1.0.0.tar"), 1);
    EXPECT_TRUE(namesIn(downloads_).empty());
}

// ---- what the elevated pass loads and where it writes ---------------------

std::string upperCase(std::string text)
{
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

TEST_F(UpdatePass, LibraryLoadsOnlyFromTheProgramFolderHoweverItIsSpelt)
{
    // A folder any user can fill, and one inside the program folder: both
    // hold a working library, and neither may be loaded.
    const std::string planted = tempFolder() + "Planted Library";
    const std::string inside = scratch_ + "\\Sub";
    removeTree(planted);
    for (const std::string& folder : {planted, inside}) {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_TRUE(CopyFileA((scratch_ + "\\pmabnetrefresh.DLL").c_str(),
                              (folder + "\\pmabnetrefresh.DLL").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((scratch_ + "\\pmabnetrefresh.ini").c_str(),
                              (folder + "\\pmabnetrefresh.ini").c_str(), FALSE));
    }
    publish("1.2.0.0", "2.0.0.0");  // nothing newer: loading is what counts here
    installCatalogVersion("2.0.0.0");
    struct Case {
        std::string folder;
        bool loads;
    } const cases[] = {
        {planted, false},
        {inside, false},
        {scratch_ + "\\..\\Planted Library", false},
        {"Sub", false},  // relative: whatever the current folder is
        {scratch_, true},
        {scratch_ + "\\", true},
        {upperCase(scratch_), true},
        {scratch_ + "\\Sub\\..", true},
        {scratch_ + "/.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        setString(kUpdaterKey, "WebUpdaterDllPath", c.folder);
        DeleteFileA(log_.c_str());
        int checksBefore = server_.requests("/updates/prog.txt");
        ASSERT_EQ(run("Updater.exe", "winxp"), 0u);
        EXPECT_EQ(logged("WebUpdaterDll Check for connection call returned : 1"), c.loads)
            << logText_;
        EXPECT_EQ(logged("WebUpdaterAdapter::initialize : the web updater dll folder '" +
                         c.folder +
                         "' is neither the program folder nor the printer driver folder; "
                         "not loading the dll."),
                  !c.loads)
            << logText_;
        EXPECT_EQ(server_.requests("/updates/prog.txt") - checksBefore, c.loads ? 1 : 0);
        if (!c.loads) {
            EXPECT_TRUE(logged("WebUpdater DLL is not loaded.")) << logText_;
            EXPECT_TRUE(logged("The InternetState is not OK to start downloads, quitting the "
                               "update process."));
        }
    }
    removeTree(planted);
}

TEST_F(UpdatePass, HostileCatalogFolderNamesInstallNothingAnywhere)
{
    // The packages' own names could land beside the catalog folder's parent
    // (C:\ under Wine's common application data C:\ProgramData) or anywhere.
    const std::string escaped = "C:\\Escaped Catalog";
    struct Case {
        const char* value;
        std::string driver;
        std::string folder;
    } const cases[] = {
        {"DriverName", "..\\..\\Escaped Catalog", "Job Status"},
        {"DriverName", "../../Escaped Catalog", "Job Status"},
        {"DataUpdatesDirectoryName", kDriver, "..\\..\\Escaped Catalog"},
        {"DataUpdatesDirectoryName", kDriver, "..\\..\\Escaped Catalog\\."},
        {"DataUpdatesDirectoryName", kDriver, escaped},
        {"DataUpdatesDirectoryName", kDriver, "Job Status\\..\\..\\.."},
        {"DataUpdatesDirectoryName", kDriver, "NUL"},
        {"DataUpdatesDirectoryName", kDriver, "Job Status."},
        {"DataUpdatesDirectoryName", kDriver, ""},
    };
    // What an escaped catalog package would leave, from any earlier run too.
    auto removeEscapes = [&] {
        removeTree(escaped);
        DeleteFileA("C:\\kkData.ver");
        removeTree("C:\\catalog");
        DeleteFileA((commonAppData() + "\\kkData.ver").c_str());
        removeTree(commonAppData() + "\\catalog");
    };
    publish("1.2.0.0", "2.1.0.0");  // a catalog-only update
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value) + "=" + c.driver + " / " + c.folder);
        removeEscapes();
        removeTree(commonAppData() + "\\" + kDriver);
        DeleteFileA(log_.c_str());
        DeleteFileA((scratch_ + "\\spooler.txt").c_str());
        setString(kSettingsKey, "DriverName", c.driver);
        setString(kUpdaterKey, "DataUpdatesDirectoryName", c.folder);
        setString(kTestKey + "\\FakePrinters", kPrinter, c.driver);
        ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

        const std::string shown = std::string(c.value) + "='" +
                                  (std::string(c.value) == "DriverName" ? c.driver : c.folder) +
                                  "' is not one plain folder name; the catalog is not installed.";
        expectInOrder({
            "All Printer were paused successfully, now applying updates",
            "The catalog folder name " + shown,
            "Data update FAILED",
            "All Printer were resumed successfully",
            "Attempting to deleting file : ",
            "Updates installation failed, halting the update process.",
        });
        EXPECT_FALSE(logged("Attempting to create dir")) << logText_;
        EXPECT_FALSE(logged("About to install a DATA update")) << logText_;
        EXPECT_FALSE(exists(escaped));
        EXPECT_FALSE(exists("C:\\kkData.ver"));
        EXPECT_FALSE(exists("C:\\catalog"));
        EXPECT_FALSE(exists(commonAppData() + "\\kkData.ver"));
        EXPECT_FALSE(exists(commonAppData() + "\\" + kDriver + "\\kkData.ver"));
        EXPECT_FALSE(exists(dataFolder_));
        EXPECT_NE(spoolerCalls().find("resume " + kPrinter), std::string::npos);
        EXPECT_TRUE(namesIn(downloads_).empty());
        EXPECT_EQ(flag("DataUpdated"), kMissing);
    }
    removeEscapes();
}

TEST_F(UpdatePass, ManifestsSignedWithAnotherKeyInstallNothing)
{
    const std::string planted = TarBuilder()
                                    .file("pmabProg.ver", versionFile("9.0.0.0"))
                                    .file("planted.txt", "not from the publisher")
                                    .finish();
    server_.route("/updates/prog.txt", manifestFor("9.0.0.0", "prog-1.3.0.0.tar", planted,
                                                   testsigning::secondKey()));
    server_.route("/updates/prog-1.3.0.0.tar", planted);
    server_.route("/updates/data.txt", manifestFor("9.0.0.0", "data-2.1.0.0.tar", planted,
                                                   testsigning::secondKey()));
    server_.route("/updates/data-2.1.0.0.tar", planted);
    installCatalogVersion("2.0.0.0");
    ASSERT_EQ(run("UpdaterWithFakeSpooler.exe", "winxp"), 0u);

    expectInOrder({
        " WebUpdaterDll Check for updates call returned : UPD_INVALID_RESPONSE_DOC",
        "Unable to determine if Kiosken Software Update is available.",
        "Checking for updates failed or there are no updates available!",
    });
    EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), 0);
    EXPECT_FALSE(exists(scratch_ + "\\planted.txt"));
    EXPECT_EQ(readFile(scratch_ + "\\pmabProg.ver"), versionFile("1.2.0.0"));
    EXPECT_EQ(spoolerCalls(), "open handles 0\n");
    EXPECT_TRUE(namesIn(downloads_).empty());
}

}  // namespace
