#include "CriticalSection.h"
#include "CurrentProcess.h"
#include "Exception.h"
#include "Localize.h"
#include "Mutex.h"
#include "OsVersion.h"
#include "TestSupport.h"

#include <functional>

using namespace testsupport;

namespace {

// Runs f on a thread of its own and waits for it.
void onOtherThread(std::function<void()> f)
{
    struct Call {
        static DWORD WINAPI run(void* p)
        {
            (*static_cast<std::function<void()>*>(p))();
            return 0;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, &Call::run, &f, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

std::string uniqueName(const char* base)
{
    return std::string(base) + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(GetTickCount());
}

TEST(Mutex, ZeroTimeoutAnswersAtOnce)
{
    Mutex mutex(false, uniqueName("zero"), true);
    EXPECT_FALSE(mutex.acquire(0));
    EXPECT_EQ(mutex.count(), 0u);
    EXPECT_EQ(mutex.owner(), 0u);
}

TEST(Mutex, OneReleaseGivesUpEveryAcquisition)
{
    std::string name = uniqueName("twice");
    Mutex mutex(false, name, true);
    ASSERT_TRUE(mutex.acquire(INFINITE));
    ASSERT_TRUE(mutex.acquire(INFINITE));
    EXPECT_EQ(mutex.count(), 2u);
    mutex.release();
    EXPECT_EQ(mutex.count(), 0u);
    EXPECT_EQ(mutex.owner(), GetCurrentThreadId());
    bool othersGetIt = false;
    onOtherThread([&] {
        Mutex other(false, name, true);
        othersGetIt = other.acquire(1000);
        other.release();
    });
    EXPECT_TRUE(othersGetIt);
}

TEST(Mutex, ReleaseByAnotherThreadChangesNothing)
{
    std::string name = uniqueName("owner");
    Mutex mutex(false, name, true);
    ASSERT_TRUE(mutex.acquire(INFINITE));
    bool othersGetIt = true;
    onOtherThread([&] {
        mutex.release();
        Mutex other(false, name, true);
        othersGetIt = other.acquire(50);
    });
    EXPECT_FALSE(othersGetIt);
    EXPECT_EQ(mutex.count(), 1u);
    mutex.release();
}

TEST(Mutex, AbandonedMutexCountsAsAcquired)
{
    std::string name = uniqueName("abandoned");
    HANDLE leftBehind = nullptr;
    // The thread ends holding the mutex, which makes it abandoned.
    onOtherThread([&] {
        leftBehind = CreateMutexA(nullptr, FALSE, name.c_str());
        WaitForSingleObject(leftBehind, INFINITE);
    });
    Mutex mutex(false, name, true);
    EXPECT_TRUE(mutex.acquire(1000));
    EXPECT_EQ(mutex.count(), 1u);
    mutex.release();
    CloseHandle(leftBehind);
}

TEST(Mutex, InitialOwnerIsCountedOnlyWhenTheMutexIsNew)
{
    std::string name = uniqueName("initial");
    Mutex first(true, name, false);
    EXPECT_EQ(first.count(), 1u);
    EXPECT_EQ(first.owner(), GetCurrentThreadId());
    Mutex second(true, name, false);
    EXPECT_EQ(second.count(), 0u);
    first.release();
}

TEST(Mutex, InterProcessLockNeedsAName)
{
    Mutex unnamed(false, "", false);
    try {
        InterProcessLock lock(&unnamed);
        ADD_FAILURE() << "no exception";
    } catch (const Win32Exception& e) {
        EXPECT_EQ(e.getMessage(), "InterProcessLock has no name");
        EXPECT_EQ(e.getCode(), 0);
    }
    std::string name = uniqueName("scoped");
    Mutex named(false, name, true);
    {
        InterProcessLock lock(&named);
        EXPECT_EQ(named.count(), 1u);
    }
    EXPECT_EQ(named.count(), 0u);
}

TEST(CriticalSection, IsRecursiveAndCountsEntries)
{
    CriticalSection section;
    {
        ScopedLock outer(&section);
        ScopedLock inner(&section);
        EXPECT_EQ(section.entries(), 2);
    }
    EXPECT_EQ(section.entries(), 0);
}

TEST(SystemMessage, IsEnglishTextWithoutLineBreaks)
{
    std::string text = systemMessage(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Error getting message:"), std::string::npos);
    EXPECT_LE(text.size(), 255u);
    EXPECT_EQ(systemMessage(0x2FFFFFFF).substr(0, 22), "Error getting message:");

    Win32Exception e("RegistryKey::regOpenKeyEx()", 2, "RegistryKey", 10);
    // Wine's text for error 2 (Windows says "The system cannot find the file specified.").
    EXPECT_EQ(e.describe(), "file:RegistryKey:10: RegistryKey::regOpenKeyEx(): Win32(2File not found.");
}

TEST(OsVersion, TheRunningSystemIsAnNtVersion)
{
    const OsVersion& os = OsVersion::current();
    EXPECT_TRUE(os.isNT());
    EXPECT_TRUE(os.is2000OrLater());
    std::string directory = os.printerDriverDirectory();
    ASSERT_FALSE(directory.empty());
    std::string folder = os.driverVersionFolder();
    EXPECT_EQ(directory.substr(directory.size() - folder.size()), folder);
    EXPECT_NE(directory.find("spool\\drivers"), std::string::npos) << directory;
}

TEST(CurrentProcess, KnowsItsOwnPathAndDirectory)
{
    EXPECT_EQ(CurrentProcess::instance().path(), thisExecutable());
    EXPECT_EQ(CurrentProcess::instance().directory(), thisDirectory());
    CurrentProcess::destroy();
    EXPECT_EQ(CurrentProcess::instance().path(), thisExecutable());
}

// The identity a copy of this program reports about itself (see main).
std::string identityOfCopy(const std::string& name)
{
    std::string copy = thisDirectory() + name;
    std::string report = thisDirectory() + name + ".identity";
    EXPECT_TRUE(CopyFileA(thisExecutable().c_str(), copy.c_str(), FALSE));
    DeleteFileA(report.c_str());
    EXPECT_EQ(runProcess(copy, "\"" + copy + "\" --report-identity \"" + report + "\""), 0u);
    std::string identity = readFile(report);
    DeleteFileA(copy.c_str());
    DeleteFileA(report.c_str());
    return identity;
}

TEST(Localize, IdentityComesFromTheProgramFileName)
{
    EXPECT_EQ(identityOfCopy("PmabUpdater.exe"),
              "pmab\nSoftware\\PelmoraInkjet\nSoftware\\PelmoraInkjet\\JSW\\\n"
              "Software\\PelmoraInkjet\\JSW\\Local\\pmab\\\nSoftware\\PelmoraInkjet\\JSW\\Shared\\\n"
              "Software\\PelmoraTemp\\temp\ninkjet\n");
    EXPECT_EQ(identityOfCopy("ab.exe"),
              "ab.e\nSoftware\\Pelmora Tools\nSoftware\\Pelmora Tools\\JSW\\\n"
              "Software\\Pelmora Tools\\JSW\\Local\\ab.e\\\nSoftware\\Pelmora Tools\\JSW\\Shared\\\n"
              "Software\\PelmoraTemp\\temp\ninkjet\n");
    std::string laser = identityOfCopy("TRxUpdater.exe");
    EXPECT_EQ(laser.substr(0, 26), "trxu\nSoftware\\TorrentLaser");
    EXPECT_EQ(laser.substr(laser.size() - 6), "laser\n");
}

TEST(Localize, GetInstanceBeforeCreationThrowsTheText)
{
    Localize::destroyInstance();
    try {
        Localize::getInstance();
        ADD_FAILURE() << "no exception";
    } catch (const char* text) {
        EXPECT_STREQ(text, "You must call Localize::createInstance() before calling getInstance()");
    }
    Localize::createInstance(nullptr);
    Localize::createInstance(nullptr);
    EXPECT_EQ(Localize::getInstance().modulePath(), thisExecutable());
}

TEST(Localize, AModuleWithoutAFileNameFailsOnItsPathFirst)
{
    Localize::destroyInstance();
    HMODULE noModule = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x10));
    try {
        Localize::createInstance(noModule);
        ADD_FAILURE() << "no exception";
    } catch (const Win32Exception& e) {
        EXPECT_EQ(e.getMessage(), "Localize::Localize(): GetModuleFileName failed");
        EXPECT_EQ(e.describe(),
                  "file:.\\Localize:32: Localize::Localize(): GetModuleFileName failed");
    }
    Localize::createInstance(nullptr);
    EXPECT_EQ(Localize::getInstance().modulePath(), thisExecutable());
}

}  // namespace
