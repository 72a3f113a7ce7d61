// The real netrefresh.dll under Wine, loaded the way the Updater loads it
// (a prefixed copy, exports looked up by name), against a loopback HTTP
// server and file URLs, with the real download folder and real files.
#include "LoopbackServer.h"
#include "Sha256.h"
#include "TarBuilder.h"
#include "TestSigning.h"
#include "WebUpdaterLibrary.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>
#include "TestSupport.h"

namespace {

// ---- files -------------------------------------------------------------

std::string tempFolder()
{
    char path[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, path);
    return std::string(path, length);
}

std::wstring wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());  // the tests use ASCII paths
}

// Absolute paths of any length.
std::wstring longForm(const std::string& path)
{
    return L"\\\\?\\" + wide(path);
}

bool exists(const std::string& path)
{
    return GetFileAttributesW(longForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readAll(const std::string& path)
{
    HANDLE file = CreateFileW(longForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string data;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        data.append(buffer, read);
    CloseHandle(file);
    return data;
}

void writeAll(const std::string& path, const std::string& data)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, data.size());
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((longForm(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(std::string(name.begin(), name.end()));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void removeTree(const std::string& folder)
{
    for (const std::string& name : namesIn(folder)) {
        std::string path = folder + "\\" + name;
        DWORD attributes = GetFileAttributesW(longForm(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            removeTree(path);
        } else {
            SetFileAttributesW(longForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(longForm(path).c_str());
        }
    }
    RemoveDirectoryW(longForm(folder).c_str());
}

std::string libraryDataFolder()
{
    char common[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
    return std::string(common) + "\\netrefresh";
}

std::string downloadsFolder()
{
    return libraryDataFolder() + "\\downloads";
}

std::string acceptedVersionsFile()
{
    return libraryDataFolder() + "\\accepted-manifests.txt";
}

std::string libraryLog()
{
    return libraryDataFolder() + "\\netrefresh.log";
}

std::string fileUrl(const std::string& path)
{
    std::string url = "file:///";
    for (char c : path)
        url += c == '\\' ? std::string("/") : c == ' ' ? std::string("%20") : std::string(1, c);
    return url;
}

std::string manifestFor(const std::string& version, const std::string& package,
                        const std::string& content)
{
    return "netrefresh-manifest 1\r\nVersion=" + version + "\r\nPackage=" + package +
           "\r\nSize=" + std::to_string(content.size()) + "\r\nSHA256=" + sha256Hex(content) +
           "\r\n";
}

// ---- the caller's allocator -------------------------------------------

int allocations;
unsigned long lastAllocation;
bool allocatorFails;

void* __stdcall testAllocate(unsigned long count)
{
    ++allocations;
    lastAllocation = count;
    return allocatorFails ? nullptr : std::malloc(count);
}

// ---- the library as the Updater loads it -------------------------------

class NetRefresh : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch_ = tempFolder() + "netrefresh tests";
        removeTree(scratch_);
        ASSERT_TRUE(CreateDirectoryA(scratch_.c_str(), nullptr));
        libraryPath_ = scratch_ + "\\pmabnetrefresh.DLL";
        ASSERT_TRUE(CopyFileA((testsupport::thisDirectory() + "netrefresh.dll").c_str(), libraryPath_.c_str(),
                              FALSE));
        removeTree(downloadsFolder());
        DeleteFileA(acceptedVersionsFile().c_str());
        DeleteFileA(libraryLog().c_str());
        // These cases are not about signatures; the signing cases below remove this.
        allowUnsigned_ = true;
        writeSettings("");
        allocations = 0;
        lastAllocation = 0;
        allocatorFails = false;
        ASSERT_TRUE(server_.running());

        library_ = LoadLibraryA(libraryPath_.c_str());
        ASSERT_NE(library_, nullptr);
        initialize_ = reinterpret_cast<UpdInitializeAFunction>(export_("UpdInitializeA"));
        uninitialize_ = reinterpret_cast<UpdUninitializeFunction>(export_("UpdUninitialize"));
        checkConnection_ =
            reinterpret_cast<UpdCheckConnectionFunction>(export_("UpdCheckConnection"));
        checkForUpdate_ =
            reinterpret_cast<UpdCheckForUpdateAFunction>(export_("UpdCheckForUpdateA"));
        download_ = reinterpret_cast<UpdDownloadUpdateExAFunction>(export_("UpdDownloadUpdateExA"));
        apply_ = reinterpret_cast<UpdApplyUpdateAFunction>(export_("UpdApplyUpdateA"));
        ASSERT_TRUE(initialize_ && uninitialize_ && checkConnection_ && checkForUpdate_ &&
                    download_ && apply_);
        EXPECT_EQ(initialize_(testAllocate, 0, 0, 0, 0, 0, 0), 1);
    }

    void TearDown() override
    {
        if (library_ != nullptr) {
            if (uninitialize_ != nullptr)
                uninitialize_();
            FreeLibrary(library_);
        }
        removeTree(scratch_);
        removeTree(downloadsFolder());
        DeleteFileA(acceptedVersionsFile().c_str());
        DeleteFileA(libraryLog().c_str());
    }

    void* export_(const char* name)
    {
        return reinterpret_cast<void*>(GetProcAddress(library_, name));
    }

    struct Check {
        int result;
        std::string block;  // all 20 bytes
    };

    Check check(const std::string& url, const char* current, unsigned long timeOut = 5,
                unsigned long retries = 0)
    {
        char block[UPD_VERSION_BLOCK_SIZE] = {};
        int result = checkForUpdate_(url.c_str(), current, block, timeOut, retries, 0);
        return {result, std::string(block, sizeof block)};
    }

    struct Download {
        int result;
        unsigned long detail;
        bool replaced;  // the holder points at a block of the allocator
        std::string path;
    };

    Download download(const std::string& url, unsigned long timeOut = 30,
                      unsigned long retries = 1)
    {
        char* block = static_cast<char*>(std::malloc(UPD_PATH_BLOCK_SIZE));
        std::memset(block, 'x', UPD_PATH_BLOCK_SIZE);
        char* holder = block;
        unsigned long detail = 0xDEADBEEF;
        Download outcome;
        outcome.result = download_(url.c_str(), 0, &detail, 0, timeOut, retries, &holder, 0);
        outcome.detail = detail;
        outcome.replaced = holder != block;
        if (outcome.result == UPD_DOWNLOAD_OK)
            outcome.path = holder;
        else
            EXPECT_EQ(holder, block) << "the holder changed on a failure";
        if (holder != block)
            std::free(holder);
        std::free(block);
        return outcome;
    }

    void writeSettings(const std::string& serverUrl)
    {
        writeAll(scratch_ + "\\pmabnetrefresh.ini",
                 "[netrefresh]\r\nServerUrl=" + serverUrl + "\r\n" +
                     (allowUnsigned_ ? "AllowUnsignedManifests=1\r\n" : ""));
    }

    std::string scratch_;
    std::string libraryPath_;
    bool allowUnsigned_ = true;
    LoopbackServer server_;
    HMODULE library_ = nullptr;
    UpdInitializeAFunction initialize_ = nullptr;
    UpdUninitializeFunction uninitialize_ = nullptr;
    UpdCheckConnectionFunction checkConnection_ = nullptr;
    UpdCheckForUpdateAFunction checkForUpdate_ = nullptr;
    UpdDownloadUpdateExAFunction download_ = nullptr;
    UpdApplyUpdateAFunction apply_ = nullptr;
};

const std::string noVersion(UPD_VERSION_BLOCK_SIZE, '\0');

std::string versionBlock(const std::string& version)
{
    return version + std::string(UPD_VERSION_BLOCK_SIZE - version.size(), '\0');
}

// ---- connection check --------------------------------------------------

TEST_F(NetRefresh, ConnectionCheckReachesTheConfiguredServer)
{
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_NOT_CONFIGURED) << "no server in the settings yet";

    server_.route("/alive", "yes");
    writeSettings(server_.url("/alive"));
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_AVAILABLE);
    EXPECT_EQ(server_.requests("/alive"), 1);

    // Any answer shows the server is there, even one without the document.
    writeSettings(server_.url("/missing"));
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_AVAILABLE);

    writeSettings("http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/");
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_NOT_AVAILABLE);

    writeSettings(fileUrl(scratch_));
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_AVAILABLE);
    writeSettings(fileUrl(scratch_ + "\\no such folder"));
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_NOT_AVAILABLE);

    writeSettings("ftp://127.0.0.1/");
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_NOT_CONFIGURED);
    writeSettings("");
    EXPECT_EQ(checkConnection_(), UPD_CONNECTION_NOT_CONFIGURED);
}

// ---- update check ------------------------------------------------------

TEST_F(NetRefresh, CheckOverHttpComparesVersionsNumerically)
{
    server_.route("/prog.txt", manifestFor("1.2.3.10", "prog.tar", "x"));
    Check newer = check(server_.url("/prog.txt"), "1.2.3.9");
    EXPECT_EQ(newer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(newer.block, versionBlock("1.2.3.10"));

    Check same = check(server_.url("/prog.txt"), "1.2.3.10");
    EXPECT_EQ(same.result, UPD_UPDATES_NOT_AVAILABLE);
    EXPECT_EQ(same.block, noVersion);

    Check older = check(server_.url("/prog.txt"), "2.0.0.0");
    EXPECT_EQ(older.result, UPD_UPDATES_NOT_AVAILABLE);
    EXPECT_EQ(older.block, noVersion);

    // As the Updater reads it from a version file with spaces in the element.
    EXPECT_EQ(check(server_.url("/prog.txt"), " 1.2.3.10 ").result, UPD_UPDATES_NOT_AVAILABLE);
    EXPECT_EQ(check(server_.url("/prog.txt"), "0.0.0.0").result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(server_.requests("/prog.txt"), 5);
}

TEST_F(NetRefresh, UrlsWithAQueryAsATemplateMayBuildThem)
{
    std::string content = "queried package";
    server_.route("/updates/check?code=prog&os=xp",
                  manifestFor("4.0.0.0", "prog-4.tar", content));
    server_.route("/updates/prog-4.tar", content);
    std::string url = server_.url("/updates/check?code=prog&os=xp");
    Check answer = check(url, "3.9.0.0");
    EXPECT_EQ(answer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(answer.block, versionBlock("4.0.0.0"));
    Download downloaded = download(url);
    ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(readAll(downloaded.path), content);
    EXPECT_EQ(server_.requests("/updates/prog-4.tar"), 1);
}

TEST_F(NetRefresh, LongestVersionFillsTheBlockWithItsTerminator)
{
    server_.route("/m.txt", manifestFor("65535.65535.65535.9", "p.tar", "x"));
    Check newer = check(server_.url("/m.txt"), "1.0.0.0");
    EXPECT_EQ(newer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(newer.block, std::string("65535.65535.65535.9") + '\0');
}

TEST_F(NetRefresh, CheckReportsInvalidDocuments)
{
    server_.route("/html.txt", "<html><body>Welcome</body></html>");
    server_.route("/partial.txt", "netrefresh-manifest 1\r\nVersion=1.2.3.4\r\n");
    server_.route("/huge.txt", manifestFor("9.9.9.9", "p.tar", "x") + "#" + std::string(200000, 'x'));
    for (const char* path : {"/html.txt", "/partial.txt", "/huge.txt"}) {
        Check answer = check(server_.url(path), "1.0.0.0");
        EXPECT_EQ(answer.result, UPD_INVALID_RESPONSE_DOC) << path;
        EXPECT_EQ(answer.block, noVersion) << path;
    }
}

TEST_F(NetRefresh, CheckReportsAServerThatGivesNoDocument)
{
    std::string closed = "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort());
    EXPECT_EQ(check(closed + "/prog.txt", "1.0.0.0").result, UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(check(server_.url("/nothing.txt"), "1.0.0.0").result, UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(check("", "1.0.0.0").result, UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(check("gopher://127.0.0.1/x", "1.0.0.0").result, UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(checkForUpdate_(nullptr, "1.0.0.0", nullptr, 5, 0, 0), UPD_UPDATES_SERVER_NO_RESPONSE);

    Reply silent;
    silent.kind = Reply::Kind::Close;
    server_.route("/silent.txt", {silent});
    EXPECT_EQ(check(server_.url("/silent.txt"), "1.0.0.0").result, UPD_UPDATES_SERVER_NO_RESPONSE);
}

TEST_F(NetRefresh, CheckGivesUpAfterItsTimeOut)
{
    Reply late;
    late.kind = Reply::Kind::Late;
    late.body = manifestFor("9.0.0.0", "p.tar", "x");
    server_.route("/slow.txt", {late});
    Check answer = check(server_.url("/slow.txt"), "1.0.0.0", 1, 0);
    EXPECT_EQ(answer.result, UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(answer.block, noVersion);
    EXPECT_EQ(server_.requests("/slow.txt"), 1);
}

TEST_F(NetRefresh, DownloadGivesUpAfterItsTimeOut)
{
    server_.route("/m.txt", manifestFor("1.0.0.1", "p.tar", "content"));
    Reply late;
    late.kind = Reply::Kind::Late;
    late.body = "content";
    server_.route("/p.tar", {late});
    EXPECT_EQ(download(server_.url("/m.txt"), 1, 0).result, UPD_DOWNLOAD_SERVER_NO_RESPONSE);
    EXPECT_TRUE(namesIn(downloadsFolder()).empty());
}

TEST_F(NetRefresh, CheckRetriesAsOftenAsItIsTold)
{
    Reply busy;
    busy.status = 503;
    Reply good;
    good.body = manifestFor("3.0.0.0", "p.tar", "x");
    server_.route("/busy.txt", {busy, busy, good});
    EXPECT_EQ(check(server_.url("/busy.txt"), "1.0.0.0", 5, 1).result,
              UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(server_.requests("/busy.txt"), 2);

    server_.route("/busy.txt", {busy, busy, good});
    Check answer = check(server_.url("/busy.txt"), "1.0.0.0", 5, 2);
    EXPECT_EQ(answer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(answer.block, versionBlock("3.0.0.0"));
    EXPECT_EQ(server_.requests("/busy.txt"), 3);

    // A missing document is an answer, not a hiccup: not retried.
    EXPECT_EQ(check(server_.url("/absent.txt"), "1.0.0.0", 5, 3).result,
              UPD_UPDATES_SERVER_NO_RESPONSE);
    EXPECT_EQ(server_.requests("/absent.txt"), 1);
}

TEST_F(NetRefresh, CheckReadsFileUrls)
{
    writeAll(scratch_ + "\\prog.txt", manifestFor("1.5.0.0", "prog.tar", "x"));
    Check newer = check(fileUrl(scratch_ + "\\prog.txt"), "1.4.9.9");
    EXPECT_EQ(newer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(newer.block, versionBlock("1.5.0.0"));
    EXPECT_EQ(check(fileUrl(scratch_ + "\\prog.txt"), "1.5.0.0").result, UPD_UPDATES_NOT_AVAILABLE);

    writeAll(scratch_ + "\\bad.txt", "PackageVersion=1.5.0.0");
    EXPECT_EQ(check(fileUrl(scratch_ + "\\bad.txt"), "1.0.0.0").result, UPD_INVALID_RESPONSE_DOC);
    EXPECT_EQ(check(fileUrl(scratch_ + "\\none.txt"), "1.0.0.0").result,
              UPD_UPDATES_SERVER_NO_RESPONSE);
}

// ---- download ----------------------------------------------------------

TEST_F(NetRefresh, DownloadKeepsAVerifiedPackageInItsOwnFolder)
{
    std::string content = TarBuilder().file("a.txt", "alpha").finish();
    server_.route("/prog.txt", manifestFor("1.2.3.4", "prog-1.2.3.4.tar", content));
    server_.route("/prog-1.2.3.4.tar", content);

    Download result = download(server_.url("/prog.txt"));
    ASSERT_EQ(result.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(result.detail, 0u);
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(result.path, downloadsFolder() + "\\prog-1.2.3.4.tar");
    EXPECT_EQ(result.path.find(tempFolder()), std::string::npos) << "never the shared temp folder";
    EXPECT_EQ(readAll(result.path), content);

    // A second package of the same name does not overwrite the first.
    Download second = download(server_.url("/prog.txt"));
    ASSERT_EQ(second.result, UPD_DOWNLOAD_OK);
    EXPECT_NE(second.path, result.path);
    EXPECT_EQ(readAll(second.path), content);
    EXPECT_EQ(readAll(result.path), content);
}

TEST_F(NetRefresh, DownloadRejectsATamperedPackageAndLeavesNoFile)
{
    std::string content = "the real package content";
    std::string tampered = content;
    tampered[5] ^= 1;
    server_.route("/m.txt", manifestFor("1.0.0.1", "p.tar", content));
    struct Case {
        const char* what;
        Reply reply;
        unsigned long detail;
    };
    Reply changed;
    changed.body = tampered;
    Reply truncated;
    truncated.body = content.substr(0, 10);
    Reply promisedMore;  // the connection drops before the announced length
    promisedMore.body = content.substr(0, 10);
    promisedMore.contentLength = static_cast<long>(content.size());
    Reply longer;
    longer.body = content + std::string(100000, 'z');
    const Case cases[] = {
        {"one byte changed", changed, ERROR_CRC},
        {"truncated", truncated, ERROR_INVALID_DATA},
        {"connection dropped", promisedMore, 0},
        {"larger than announced", longer, ERROR_FILE_TOO_LARGE},
    };
    for (const Case& c : cases) {
        server_.route("/p.tar", {c.reply});
        Download result = download(server_.url("/m.txt"), 30, 0);
        EXPECT_NE(result.result, UPD_DOWNLOAD_OK) << c.what;
        if (c.detail != 0) {
            EXPECT_EQ(result.result, UPD_DOWNLOAD_PACKAGE_CORRUPT) << c.what;
            EXPECT_EQ(result.detail, c.detail) << c.what;
        }
        EXPECT_TRUE(namesIn(downloadsFolder()).empty()) << c.what << ": a file was left";
    }
}

TEST_F(NetRefresh, DownloadRetriesAfterABrokenTransfer)
{
    std::string content = std::string(70000, 'p');
    server_.route("/m.txt", manifestFor("1.0.0.1", "p.tar", content));
    Reply cut;
    cut.body = content.substr(0, 1000);
    Reply whole;
    whole.body = content;
    server_.route("/p.tar", {cut, whole});
    Download result = download(server_.url("/m.txt"), 30, 1);
    ASSERT_EQ(result.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(server_.requests("/p.tar"), 2);
    EXPECT_EQ(readAll(result.path), content) << "the second attempt starts a fresh file";

    server_.route("/p.tar", {cut, cut, whole});
    EXPECT_EQ(download(server_.url("/m.txt"), 30, 1).result, UPD_DOWNLOAD_PACKAGE_CORRUPT);
    EXPECT_EQ(server_.requests("/p.tar"), 2);
}

TEST_F(NetRefresh, DownloadFailuresBeforeThePackage)
{
    std::string closed = "http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort());
    Download unreachable = download(closed + "/m.txt", 5, 0);
    EXPECT_EQ(unreachable.result, UPD_DOWNLOAD_SERVER_NO_RESPONSE);
    EXPECT_NE(unreachable.detail, 0u);

    server_.route("/bad.txt", "netrefresh-manifest 1\nVersion=1.0.0.0\n");
    Download invalid = download(server_.url("/bad.txt"));
    EXPECT_EQ(invalid.result, UPD_DOWNLOAD_INVALID_RESPONSE_DOC);
    EXPECT_EQ(invalid.detail, static_cast<unsigned long>(ERROR_INVALID_DATA));

    server_.route("/m.txt", manifestFor("1.0.0.1", "gone.tar", "x"));
    EXPECT_EQ(download(server_.url("/m.txt")).result, UPD_DOWNLOAD_SERVER_NO_RESPONSE);
    EXPECT_TRUE(namesIn(downloadsFolder()).empty());

    char* holder = nullptr;
    EXPECT_EQ(download_(nullptr, 0, nullptr, 0, 30, 1, &holder, 0), UPD_DOWNLOAD_BAD_ARGUMENT);
    EXPECT_EQ(download_(server_.url("/m.txt").c_str(), 0, nullptr, 0, 30, 1, nullptr, 0),
              UPD_DOWNLOAD_BAD_ARGUMENT);
}

TEST_F(NetRefresh, DownloadFromFileUrls)
{
    std::string content = TarBuilder().file("b.txt", "beta").finish();
    writeAll(scratch_ + "\\data.tar", content);
    writeAll(scratch_ + "\\data.txt", manifestFor("2.0.0.0", "data.tar", content));
    Download result = download(fileUrl(scratch_ + "\\data.txt"));
    ASSERT_EQ(result.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(readAll(result.path), content);

    // A file manifest may name an http package, and the other way round.
    server_.route("/data.tar", content);
    writeAll(scratch_ + "\\remote.txt", manifestFor("2.0.0.0", server_.url("/data.tar"), content));
    EXPECT_EQ(download(fileUrl(scratch_ + "\\remote.txt")).result, UPD_DOWNLOAD_OK);
    server_.route("/local.txt", manifestFor("2.0.0.0", fileUrl(scratch_ + "\\data.tar"), content));
    EXPECT_EQ(download(server_.url("/local.txt")).result, UPD_DOWNLOAD_OK);
}

TEST_F(NetRefresh, LongPathGoesIntoAnAllocatedBlock)
{
    std::string name = std::string(236, 'L') + ".tar";
    std::string content = TarBuilder().file("inside.txt", "from a long path").finish();
    server_.route("/m.txt", manifestFor("1.0.0.1", name, content));
    server_.route("/" + name, content);

    Download result = download(server_.url("/m.txt"));
    ASSERT_EQ(result.result, UPD_DOWNLOAD_OK);
    EXPECT_TRUE(result.replaced);
    EXPECT_EQ(result.path, downloadsFolder() + "\\" + name);
    EXPECT_GE(result.path.size(), static_cast<std::size_t>(UPD_PATH_BLOCK_SIZE));
    EXPECT_EQ(allocations, 1);
    EXPECT_EQ(lastAllocation, result.path.size() + 1);
    EXPECT_EQ(readAll(result.path), content);

    // The library can install from such a path too.
    std::string installed = scratch_ + "\\long";
    ASSERT_TRUE(CreateDirectoryA(installed.c_str(), nullptr));
    EXPECT_EQ(apply_(result.path.c_str(), installed.c_str(), 0, 0, 0), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(installed + "\\inside.txt"), "from a long path");

    // No memory for the path: the download fails and leaves nothing behind.
    removeTree(downloadsFolder());
    allocatorFails = true;
    Download starved = download(server_.url("/m.txt"));
    EXPECT_EQ(starved.result, UPD_DOWNLOAD_LOCAL_ERROR);
    EXPECT_EQ(starved.detail, static_cast<unsigned long>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_FALSE(starved.replaced);
    EXPECT_TRUE(namesIn(downloadsFolder()).empty());
}

TEST_F(NetRefresh, WithoutAnAllocatorOnlyShortPathsAreHandedOver)
{
    uninitialize_();
    std::string name = std::string(236, 'L') + ".tar";
    server_.route("/long.txt", manifestFor("1.0.0.1", name, "x"));
    server_.route("/" + name, "x");
    EXPECT_EQ(download(server_.url("/long.txt")).result, UPD_DOWNLOAD_LOCAL_ERROR);
    EXPECT_TRUE(namesIn(downloadsFolder()).empty());

    server_.route("/short.txt", manifestFor("1.0.0.1", "s.tar", "x"));
    server_.route("/s.tar", "x");
    EXPECT_EQ(download(server_.url("/short.txt")).result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(allocations, 0);
}

// ---- apply -------------------------------------------------------------

class NetRefreshApply : public NetRefresh {
protected:
    void SetUp() override
    {
        NetRefresh::SetUp();
        destination_ = scratch_ + "\\install\\Job Status";
        ASSERT_TRUE(CreateDirectoryA((scratch_ + "\\install").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(destination_.c_str(), nullptr));
        package_ = scratch_ + "\\package.tar";
    }

    int applyArchive(const std::string& archive)
    {
        writeAll(package_, archive);
        return apply_(package_.c_str(), destination_.c_str(), 0, 0, 0);
    }

    std::string destination_;
    std::string package_;
};

TEST_F(NetRefreshApply, InstallsFilesAndFolders)
{
    writeAll(destination_ + "\\old.txt", "replace me");
    std::string archive = TarBuilder()
                              .directory("./")
                              .directory("docs/")
                              .file("docs/readme.txt", "read me")
                              .file("old.txt", "new content")
                              .file("deep/er/still.bin", std::string(200000, 'd'))
                              .directory("empty/")
                              .file("zero.txt", "")
                              .finish();
    EXPECT_EQ(applyArchive(archive), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination_ + "\\docs\\readme.txt"), "read me");
    EXPECT_EQ(readAll(destination_ + "\\old.txt"), "new content");
    EXPECT_EQ(readAll(destination_ + "\\deep\\er\\still.bin"), std::string(200000, 'd'));
    EXPECT_EQ(readAll(destination_ + "\\zero.txt"), "");
    EXPECT_TRUE(exists(destination_ + "\\empty"));

    // The destination as the Updater passes a program folder: trailing backslash.
    std::string withSlash = destination_ + "\\";
    writeAll(package_, TarBuilder().file("again.txt", "2").finish());
    EXPECT_EQ(apply_(package_.c_str(), withSlash.c_str(), 0, 0, 0), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination_ + "\\again.txt"), "2");
}

TEST_F(NetRefreshApply, RefusesEntriesOutsideTheDestinationAndWritesNothing)
{
    const char* escapes[] = {"../escaped.txt", "docs/../../escaped.txt", "..\\escaped.txt",
                             "/escaped.txt", "\\escaped.txt", "C:/escaped.txt", "C:escaped.txt",
                             "docs/file.txt:stream", "docs/nul"};
    for (const char* name : escapes) {
        std::string archive =
            TarBuilder().file("first.txt", "harmless").file(name, "evil").finish();
        EXPECT_EQ(applyArchive(archive), UPD_APPLY_REFUSED) << name;
        EXPECT_TRUE(namesIn(destination_).empty()) << name << ": something was written";
        EXPECT_FALSE(exists(scratch_ + "\\install\\escaped.txt")) << name;
        EXPECT_FALSE(exists(scratch_ + "\\escaped.txt")) << name;
    }
}

TEST_F(NetRefreshApply, RefusesDamagedAndUnsupportedArchives)
{
    TarBuilder::Header link;
    link.name = "link";
    link.type = '2';
    TarBuilder::Header badSum;
    badSum.name = "a.txt";
    badSum.breakChecksum = true;
    TarBuilder::Header hugeSize;
    hugeSize.name = "a.txt";
    hugeSize.sizeField = "77777777777";
    std::string good = TarBuilder().file("a.txt", "data").finish();
    const std::string archives[] = {
        TarBuilder().entry(link, "").finish(),
        TarBuilder().entry(badSum, "data").finish(),
        TarBuilder().entry(hugeSize, "data").finish(),
        good.substr(0, 700),
        "this is not an archive at all",
        "",
    };
    for (const std::string& archive : archives) {
        EXPECT_EQ(applyArchive(archive), UPD_APPLY_REFUSED) << archive.size() << " bytes";
        EXPECT_TRUE(namesIn(destination_).empty());
    }
}

TEST_F(NetRefreshApply, FailsWithoutAPackageOrADestination)
{
    writeAll(package_, TarBuilder().file("a.txt", "data").finish());
    std::string missingFolder = scratch_ + "\\not there";
    EXPECT_EQ(apply_(package_.c_str(), missingFolder.c_str(), 0, 0, 0), UPD_APPLY_FAILED);
    EXPECT_FALSE(exists(missingFolder));
    std::string missingPackage = scratch_ + "\\none.tar";
    EXPECT_EQ(apply_(missingPackage.c_str(), destination_.c_str(), 0, 0, 0), UPD_APPLY_FAILED);
    EXPECT_EQ(apply_(nullptr, destination_.c_str(), 0, 0, 0), UPD_APPLY_FAILED);
    EXPECT_EQ(apply_(package_.c_str(), nullptr, 0, 0, 0), UPD_APPLY_FAILED);
    EXPECT_EQ(apply_(package_.c_str(), package_.c_str(), 0, 0, 0), UPD_APPLY_FAILED)
        << "the destination is a file";
}

TEST_F(NetRefreshApply, AFileInTheWayOfAFolderFailsTheInstallation)
{
    writeAll(destination_ + "\\docs", "a file, not a folder");
    EXPECT_EQ(applyArchive(TarBuilder().file("docs/readme.txt", "x").finish()), UPD_APPLY_FAILED);
    EXPECT_EQ(readAll(destination_ + "\\docs"), "a file, not a folder");
}

TEST_F(NetRefreshApply, ReplacesAFileThatIsInUse)
{
    // As a running program or loaded library is held: readable, renamable, not writable.
    std::string busy = destination_ + "\\PmabUpdater.exe";
    writeAll(busy, "old program");
    HANDLE held = CreateFileA(busy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    int result = applyArchive(TarBuilder().file("PmabUpdater.exe", "new program").finish());
    CloseHandle(held);
    EXPECT_EQ(result, UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(busy), "new program");
    EXPECT_EQ(readAll(busy + ".netrefresh-old"), "old program");
}

TEST_F(NetRefreshApply, ReadOnlyFilesAreReplaced)
{
    writeAll(destination_ + "\\ro.txt", "old");
    SetFileAttributesA((destination_ + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(applyArchive(TarBuilder().file("ro.txt", "new").finish()), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination_ + "\\ro.txt"), "new");
}

TEST_F(NetRefreshApply, ADownloadChangedBeforeItIsAppliedIsRefused)
{
    // Between download and installation the file lies in the common
    // application data folder; another user's changes there must not be
    // installed by the elevated caller.
    const std::string genuine = TarBuilder().file("pmabProg.ver", "1.3").finish();
    const std::string swapped = TarBuilder().file("pmabProg.ver", "planted").finish();
    server_.route("/updates/prog.txt", manifestFor("1.3.0.0", "prog-1.3.0.0.tar", genuine));
    server_.route("/updates/prog-1.3.0.0.tar", genuine);
    // Still a valid archive: tar checksums cover headers, not contents.
    std::string changedContent = genuine;
    changedContent[changedContent.find("1.3", 512) + 2] = '4';
    struct Change {
        const char* what;
        std::string content;
    } const changes[] = {
        {"another archive", swapped},
        {"one byte more", genuine + std::string(1, '\0')},
        {"cut short", genuine.substr(0, genuine.size() - 512)},
        {"the same size, one byte of a file changed", changedContent},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        Download downloaded = download(server_.url("/updates/prog.txt"));
        ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
        ASSERT_TRUE(DeleteFileA(downloaded.path.c_str()));
        writeAll(downloaded.path, change.content);
        EXPECT_EQ(apply_(downloaded.path.c_str(), destination_.c_str(), 0, 0, 0), UPD_APPLY_REFUSED);
        EXPECT_TRUE(namesIn(destination_).empty());
        DeleteFileA(downloaded.path.c_str());
    }
    // Unchanged, it installs; a package the library did not download is
    // installed as before (the caller vouches for it).
    Download downloaded = download(server_.url("/updates/prog.txt"));
    ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(apply_(downloaded.path.c_str(), destination_.c_str(), 0, 0, 0), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination_ + "\\pmabProg.ver"), "1.3");
    EXPECT_EQ(applyArchive(swapped), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination_ + "\\pmabProg.ver"), "planted");
}

// ---- a whole pass as the Updater makes it ------------------------------

TEST_F(NetRefreshApply, CheckDownloadApplyAgainstTheLoopbackServer)
{
    std::string package = TarBuilder()
                              .file("PmabUpdater.exe", "program 1.3")
                              .file("pmabProg.ver", "<PackageVersion>1.3.0.0</PackageVersion>")
                              .finish();
    server_.route("/updates/prog.txt", manifestFor("1.3.0.0", "prog-1.3.0.0.tar", package));
    server_.route("/updates/prog-1.3.0.0.tar", package);
    writeSettings(server_.url("/updates/"));

    ASSERT_EQ(checkConnection_(), UPD_CONNECTION_AVAILABLE);
    Check answer = check(server_.url("/updates/prog.txt"), "1.2.0.0");
    ASSERT_EQ(answer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(answer.block, versionBlock("1.3.0.0"));
    Download downloaded = download(server_.url("/updates/prog.txt"));
    ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(apply_(downloaded.path.c_str(), destination_.c_str(), 0, 0, 0), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination_ + "\\PmabUpdater.exe"), "program 1.3");
    EXPECT_EQ(readAll(destination_ + "\\pmabProg.ver"), "<PackageVersion>1.3.0.0</PackageVersion>");
    EXPECT_EQ(remove(downloaded.path.c_str()), 0) << "the Updater deletes the download";
}

// ---- signed manifests ----------------------------------------------------

using testsigning::SigningKey;
using testsigning::firstKey;
using testsigning::secondKey;

// Made with the README recipe (openssl genrsa 2048, `openssl rsa -noout
// -modulus`, `openssl dgst -sha256 -sign`) over openSslBody: the library
// must accept what the publishing tools make, not only what CryptoAPI makes.
const char openSslModulus[] =
    "8EA80D90413CBB35766ECFB5ECE3344711926ACBE66F8953C59C94C8BBDB6D1D"
    "A17BD886060AAE4BB061248348B2B65DE4E7B232B71042344F037B69C23AB811"
    "49CCB3E8A7BA819B6DF15A14A93CE73C99F41DB82625C55AE04EB194C27AF73D"
    "3A9CD401F653686E455E81FE1543AEB8171ED12588369261BB6808A7F136BB2D"
    "C8DF68810FB839542B95B4FE5CF4234FED698817FD88D612526688F8DAFDE452"
    "1A37C6FE9A2F21FCB5A196BA334C23DE534FA89CCCAE911AC88639BA486E8D76"
    "2CE0BA56CCB81FB5AB7F22B244BFB71F190E676E3A065CC388D066ECA4129C00"
    "0D8DE3D90AF658AD1DEFE4A1D1F127771DBB97A2A1B6E47EA14883BF5676826F";
const char openSslBody[] =
    "netrefresh-manifest 1\n"
    "Version=1.3.0.0\n"
    "Package=prog-1.3.0.0.tar\n"
    "Size=11\n"
    "SHA256=a3a7b644dc1912394652d0c73a461f46c0537bc99e8a6569f4e5e2062826c89e\n";
const char openSslSignature[] =
    "3b68b502a2159fad034ed461ba9855df906db7c66c8111cb00d5468426ee51cc"
    "897aa87282b6ce75ebefbb58367f3ea16a549c47ab403febd747fcbf4cedbcc3"
    "129a8d4a007ddca44fc5f37d8052e22719efaae31fe8ceabfe4ef830e2463ae3"
    "922275f592d37d8623a3fcfee0624e07e9e1523dc9a17cc22fadde0f510da012"
    "ac70f7f9550403ff3f3159676c1f23d106a6b5904b2b2b04e7b346f8a6cb5609"
    "30c7421192d41921b3b49bb882c57bb39c6c717ba5742a6087fd5a106754e294"
    "ca851c1436cae9ebd952d708c1fffa7e48750d102e84d537ed307f8c836bf9b2"
    "00bbb9097ad8b02bbdd86ffceb543fb71054b73cf9ad6eb7b6e8fd39b52cf32c";

class NetRefreshSigned : public NetRefresh {
protected:
    void SetUp() override
    {
        NetRefresh::SetUp();
        allowUnsigned_ = false;
        writeSettings("");
        ASSERT_TRUE(firstKey().usable() && secondKey().usable());
        installKeys({&firstKey()});
    }

    void installKeys(const std::vector<const SigningKey*>& keys)
    {
        writeAll(scratch_ + "\\pmabnetrefresh.key", testsigning::keyFile(keys));
    }

    std::string libraryLogText() const { return readAll(libraryLog()); }

    // Check answer and download answer of one manifest, and no package fetched
    // or kept when it is refused.
    void expectRefused(const std::string& manifest, const std::string& why)
    {
        SCOPED_TRACE(why);
        server_.route("/updates/prog.txt", manifest);
        int before = server_.requests("/updates/prog-1.3.0.0.tar");
        Check answer = check(server_.url("/updates/prog.txt"), "1.2.0.0");
        EXPECT_EQ(answer.result, UPD_INVALID_RESPONSE_DOC);
        EXPECT_EQ(answer.block, noVersion);
        Download downloaded = download(server_.url("/updates/prog.txt"));
        EXPECT_EQ(downloaded.result, UPD_DOWNLOAD_INVALID_RESPONSE_DOC);
        EXPECT_EQ(downloaded.detail, static_cast<unsigned long>(ERROR_INVALID_DATA));
        EXPECT_EQ(server_.requests("/updates/prog-1.3.0.0.tar"), before);
        EXPECT_TRUE(namesIn(downloadsFolder()).empty());
    }

    void expectAccepted(const std::string& manifest, const std::string& package)
    {
        server_.route("/updates/prog.txt", manifest);
        Check answer = check(server_.url("/updates/prog.txt"), "1.2.0.0");
        EXPECT_EQ(answer.result, UPD_UPDATES_AVAILABLE);
        Download downloaded = download(server_.url("/updates/prog.txt"));
        ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
        EXPECT_EQ(readAll(downloaded.path), package);
        DeleteFileA(downloaded.path.c_str());
    }
};

const std::string signedPackage = TarBuilder().file("pmabProg.ver", "1.3").finish();

TEST_F(NetRefreshSigned, AManifestSignedWithOpenSslIsAcceptedAndOneChangedByteIsNot)
{
    writeAll(scratch_ + "\\pmabnetrefresh.key",
             std::string("netrefresh-keys 1\n# made by openssl\nRSA=") + openSslModulus + "\n");
    std::string manifest = std::string(openSslBody) + "Signature=" + openSslSignature + "\n";
    server_.route("/updates/prog.txt", manifest);
    Check answer = check(server_.url("/updates/prog.txt"), "1.2.0.0");
    EXPECT_EQ(answer.result, UPD_UPDATES_AVAILABLE) << libraryLogText();
    EXPECT_EQ(answer.block, versionBlock("1.3.0.0"));

    std::string altered = manifest;
    altered[manifest.find("Size=11") + 5] = '2';
    expectRefused(altered, "one digit of the size");
    EXPECT_NE(libraryLogText().find("its signature matches none of the 1 key(s)"),
              std::string::npos)
        << libraryLogText();
}

TEST_F(NetRefreshSigned, ACorrectlySignedUpdateIsCheckedDownloadedAndApplied)
{
    server_.route("/updates/prog-1.3.0.0.tar", signedPackage);
    server_.route("/updates/prog.txt",
                  firstKey().sign(manifestFor("1.3.0.0", "prog-1.3.0.0.tar", signedPackage)));
    Check answer = check(server_.url("/updates/prog.txt"), "1.2.0.0");
    EXPECT_EQ(answer.result, UPD_UPDATES_AVAILABLE);
    EXPECT_EQ(answer.block, versionBlock("1.3.0.0"));
    Download downloaded = download(server_.url("/updates/prog.txt"));
    ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
    const std::string destination = scratch_ + "\\installed";
    ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
    EXPECT_EQ(apply_(downloaded.path.c_str(), destination.c_str(), 0, 0, 0), UPD_APPLY_SUCCEEDED);
    EXPECT_EQ(readAll(destination + "\\pmabProg.ver"), "1.3");
    EXPECT_FALSE(exists(libraryLog())) << "nothing was refused: " << libraryLogText();
}

TEST_F(NetRefreshSigned, EveryAlteredByteIsRefused)
{
    server_.route("/updates/prog-1.3.0.0.tar", signedPackage);
    const std::string body = manifestFor("1.3.0.0", "prog-1.3.0.0.tar", signedPackage);
    const std::string manifest = firstKey().sign(body);
    struct Alteration {
        std::size_t position;
        char byte;
        const char* what;
    } const alterations[] = {
        {0, 'N', "the first byte"},
        {body.find("1.3.0.0") + 2, '4', "the version"},
        {body.find("SHA256=") + 7, body[body.find("SHA256=") + 7] == '0' ? '1' : '0', "the digest"},
        {body.find("Package=") + 8, 'q', "the package name"},
        {body.size() - 2, ' ', "the carriage return before the signature"},
        {body.size() + 10, manifest[body.size() + 10] == '0' ? '1' : '0', "the signature itself"},
    };
    for (const Alteration& alteration : alterations) {
        std::string altered = manifest;
        ASSERT_LT(alteration.position, altered.size());
        ASSERT_NE(altered[alteration.position], alteration.byte) << alteration.what;
        altered[alteration.position] = alteration.byte;
        expectRefused(altered, alteration.what);
    }
    // A body with a line added after signing, and a signature line that is cut short.
    expectRefused(body + "Note=added\r\n" + manifest.substr(body.size()), "a line added");
    expectRefused(body + "Signature=00ff\r\n", "a signature line too short to be one");
    expectRefused(manifest.substr(0, manifest.size() - 6) + "\r\n", "a truncated signature");
}

TEST_F(NetRefreshSigned, ASwappedPackageInAnUnsignedManifestIsRefusedEvenWhereUnsignedIsAllowed)
{
    // The attacker's package with its own correct size and digest.
    std::string swapped = TarBuilder().file("pmabProg.ver", "planted").finish();
    server_.route("/updates/prog-1.3.0.0.tar", swapped);
    std::string unsignedManifest = manifestFor("1.3.0.0", "prog-1.3.0.0.tar", swapped);
    expectRefused(unsignedManifest, "unsigned");
    EXPECT_NE(libraryLogText().find("refused: it is not signed"), std::string::npos)
        << libraryLogText();

    // With a key installed the settings' consent to unsigned manifests does not count.
    allowUnsigned_ = true;
    writeSettings("");
    expectRefused(unsignedManifest, "unsigned, settings allowing unsigned");
}

TEST_F(NetRefreshSigned, ASignatureOfAnotherKeyIsRefused)
{
    server_.route("/updates/prog-1.3.0.0.tar", signedPackage);
    std::string body = manifestFor("1.3.0.0", "prog-1.3.0.0.tar", signedPackage);
    expectRefused(secondKey().sign(body), "signed by a key that is not installed");
    // The first key's signature stuck onto a manifest it did not sign.
    std::string other = manifestFor("1.3.0.0", "prog-1.3.0.0.tar", "other content");
    expectRefused(other + "Signature=" + firstKey().signatureHex(body) + "\r\n",
                  "a signature of another manifest");
}

TEST_F(NetRefreshSigned, DuringAKeyChangeOverBothKeysAreAccepted)
{
    server_.route("/updates/prog-1.3.0.0.tar", signedPackage);
    const std::string body = manifestFor("1.3.0.0", "prog-1.3.0.0.tar", signedPackage);
    // Before: the old key only.
    expectRefused(secondKey().sign(body), "the new key before it is installed");
    // Change-over: both keys installed, the server may sign with either.
    installKeys({&firstKey(), &secondKey()});
    expectAccepted(firstKey().sign(body), signedPackage);
    expectAccepted(secondKey().sign(body), signedPackage);
    // After: the new key only; the old one no longer vouches for anything.
    installKeys({&secondKey()});
    expectAccepted(secondKey().sign(body), signedPackage);
    expectRefused(firstKey().sign(body), "the old key after the change-over");
}

TEST_F(NetRefreshSigned, AReplayedOlderSignedManifestIsRefused)
{
    std::string older = TarBuilder().file("pmabProg.ver", "1.3").finish();
    std::string newer = TarBuilder().file("pmabProg.ver", "1.4").finish();
    server_.route("/updates/prog-1.3.0.0.tar", older);
    server_.route("/updates/prog-1.4.0.0.tar", newer);
    const std::string olderManifest =
        firstKey().sign(manifestFor("1.3.0.0", "prog-1.3.0.0.tar", older));
    const std::string newerManifest =
        firstKey().sign(manifestFor("1.4.0.0", "prog-1.4.0.0.tar", newer));

    // 1.3 is published, then 1.4; both were genuine when they were served.
    expectAccepted(olderManifest, older);
    server_.route("/updates/prog.txt", newerManifest);
    EXPECT_EQ(check(server_.url("/updates/prog.txt"), "1.3.0.0").result, UPD_UPDATES_AVAILABLE);

    // Someone answering for the server now hands out 1.3 again, to the
    // download (which knows no installed version) and to the check.
    expectRefused(olderManifest, "the older manifest replayed");
    EXPECT_NE(libraryLogText().find("version 1.3.0.0 is older than a signed manifest accepted "
                                    "from this address before (a replay)"),
              std::string::npos)
        << libraryLogText();

    // The record outlives the library: a new process is not fooled either.
    uninitialize_();
    FreeLibrary(library_);
    library_ = LoadLibraryA(libraryPath_.c_str());
    ASSERT_NE(library_, nullptr);
    checkForUpdate_ = reinterpret_cast<UpdCheckForUpdateAFunction>(export_("UpdCheckForUpdateA"));
    download_ = reinterpret_cast<UpdDownloadUpdateExAFunction>(export_("UpdDownloadUpdateExA"));
    uninitialize_ = reinterpret_cast<UpdUninitializeFunction>(export_("UpdUninitialize"));
    initialize_ = reinterpret_cast<UpdInitializeAFunction>(export_("UpdInitializeA"));
    initialize_(testAllocate, 0, 0, 0, 0, 0, 0);
    expectRefused(olderManifest, "the older manifest replayed to a new process");

    // The current manifest still works, again and again.
    server_.route("/updates/prog.txt", newerManifest);
    Download downloaded = download(server_.url("/updates/prog.txt"));
    ASSERT_EQ(downloaded.result, UPD_DOWNLOAD_OK);
    EXPECT_EQ(readAll(downloaded.path), newer);
    EXPECT_EQ(check(server_.url("/updates/prog.txt"), "1.3.0.0").result, UPD_UPDATES_AVAILABLE);
}

TEST_F(NetRefreshSigned, WithoutAKeyOnlyTheSettingsConsentLetsUnsignedManifestsThrough)
{
    DeleteFileA((scratch_ + "\\pmabnetrefresh.key").c_str());
    server_.route("/updates/prog-1.3.0.0.tar", signedPackage);
    const std::string unsignedManifest = manifestFor("1.3.0.0", "prog-1.3.0.0.tar", signedPackage);
    expectRefused(unsignedManifest, "no key, no consent");
    expectRefused(firstKey().sign(unsignedManifest), "no key, no consent, signed");
    EXPECT_NE(libraryLogText().find("pmabnetrefresh.key and " + scratch_ +
                                    "\\pmabnetrefresh.ini does not allow unsigned manifests "
                                    "(AllowUnsignedManifests=1)"),
              std::string::npos)
        << libraryLogText();

    // Any other value than 1 is no consent.
    writeAll(scratch_ + "\\pmabnetrefresh.ini",
             "[netrefresh]\r\nServerUrl=\r\nAllowUnsignedManifests=yes\r\n");
    expectRefused(unsignedManifest, "no key, consent spelt wrongly");

    allowUnsigned_ = true;
    writeSettings("");
    DeleteFileA(libraryLog().c_str());
    expectAccepted(unsignedManifest, signedPackage);
    EXPECT_NE(libraryLogText().find("taken without a signature check: there is no public key "
                                    "file and " +
                                    scratch_ + "\\pmabnetrefresh.ini allows unsigned manifests"),
              std::string::npos)
        << libraryLogText();
}

TEST_F(NetRefreshSigned, ADamagedKeyFileRefusesEveryManifest)
{
    server_.route("/updates/prog-1.3.0.0.tar", signedPackage);
    const std::string manifest =
        firstKey().sign(manifestFor("1.3.0.0", "prog-1.3.0.0.tar", signedPackage));
    const std::string modulus = firstKey().modulusHex();
    const std::string files[] = {
        "",
        "netrefresh-keys 1\r\n",
        "netrefresh-keys 2\r\nRSA=" + modulus + "\r\n",
        "RSA=" + modulus + "\r\n",
        "netrefresh-keys 1\r\nRSA=" + modulus.substr(0, 255) + "\r\n",
        "netrefresh-keys 1\r\nRSA=" + modulus.substr(2) + "\r\n",
        "netrefresh-keys 1\r\nKey=" + modulus + "\r\n",
    };
    for (const std::string& file : files) {
        writeAll(scratch_ + "\\pmabnetrefresh.key", file);
        expectRefused(manifest, "key file: " + file.substr(0, 40));
    }
    EXPECT_NE(libraryLogText().find("pmabnetrefresh.key is not valid: "), std::string::npos)
        << libraryLogText();
}

}  // namespace
