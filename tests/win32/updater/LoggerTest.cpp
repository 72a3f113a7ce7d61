#include "Exception.h"
#include "Localize.h"
#include "Logger.h"
#include "TestSupport.h"

#include <cctype>
#include <map>
#include <set>

using namespace testsupport;

namespace {

const std::string kProduct = "Software\\Pelmora Tools";
const std::string kLocal = kProduct + "\\JSW\\Local\\upda\\";
const std::string kLoggerKey = kLocal + "Logger";

DWORD fakeNow = 100000;
DWORD WINAPI fakeTicks()
{
    return fakeNow;
}

// "yyyy/mm/dd-hh:mm:ss.mmm "
bool startsWithClock(const std::string& line)
{
    const char* shape = "9999/99/99-99:99:99.999 ";
    if (line.size() < 24)
        return false;
    for (int i = 0; i < 24; ++i) {
        bool ok = shape[i] == '9' ? std::isdigit(static_cast<unsigned char>(line[i])) != 0
                                  : line[i] == shape[i];
        if (!ok)
            return false;
    }
    return true;
}

class Logging : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteTree(kProduct);
        createKey(kLocal);
        destroyLogger();
        createLogger();
        logFile_ = expand("%ALLUSERSPROFILE%") + "\\updaJSW.log";
        ASSERT_EQ(BasicLogger::getInstance().path(), logFile_);
        DeleteFileA(logFile_.c_str());
        BasicLogger::getInstance().setTickSource(&fakeTicks);
    }
    void TearDown() override
    {
        destroyLogger();
        deleteTree(kProduct);
        DeleteFileA(logFile_.c_str());
    }

    void switchOn(DWORD clock = 0)
    {
        setDword(kLoggerKey, "startLog", 1);
        setDword(kLoggerKey, "Clocktime_In_Header", clock);
    }

    std::vector<std::string> lines() const { return splitLines(readFile(logFile_)); }

    void tracedPair(long result)
    {
        auto outer = FunctionTrace::begin(logcomponent::Updater, [] { return "Outer::run() "; });
        outer.log("starting");
        {
            auto inner =
                FunctionTrace::begin(logcomponent::Updater, [] { return "Inner::step() "; });
            inner.log("working");
            inner.setResult(result);
        }
    }

    std::string logFile_;
};

TEST_F(Logging, NothingIsWrittenUntilSwitchedOnButTheDefaultsAppear)
{
    tracedPair(1);
    EXPECT_EQ(GetFileAttributesA(logFile_.c_str()), INVALID_FILE_ATTRIBUTES);
    DWORD value = 1;
    EXPECT_TRUE(queryDword(kLoggerKey, "startLog", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(queryDword(kLoggerKey, "All", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_TRUE(queryDword(kLoggerKey, "Updater", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
}

TEST_F(Logging, ErrorLinesAreAlwaysWritten)
{
    logError(logcomponent::JSW, "handler caught it");
    std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), 1u);
    ASSERT_TRUE(startsWithClock(written[0])) << written[0];
    EXPECT_EQ(written[0].substr(24), "JSW             handler caught it");
}

TEST_F(Logging, TracesNestAndShowTheirResults)
{
    switchOn();
    tracedPair(7);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "Updater         +Outer::run() ",
                           "Updater          Outer::run() starting",
                           "Updater          +Inner::step() ",
                           "Updater           Inner::step() working",
                           "Updater          -Inner::step()  rc=7",
                           "Updater         -Outer::run() ",
                       }));
}

TEST_F(Logging, TheClockAloneLeadsTheLine)
{
    switchOn(1);
    { auto trace = FunctionTrace::begin(logcomponent::Updater, [] { return "A::b() "; }); }
    std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), 2u);
    ASSERT_TRUE(startsWithClock(written[0])) << written[0];
    EXPECT_EQ(written[0].substr(24), "Updater         +A::b() ");
}

TEST_F(Logging, ProcessAndThreadIdsInLowerCaseHex)
{
    switchOn();
    setDword(kLoggerKey, "Proc_Id_In_Header", 1);
    setDword(kLoggerKey, "Thread_Id_In_Header", 1);
    logError(logcomponent::RulesEng, "ids");
    char expected[64];
    std::snprintf(expected, sizeof expected, "pid=%04lx tid=%04lx RulesEng        ids",
                  GetCurrentProcessId(), GetCurrentThreadId());
    EXPECT_EQ(lines(), std::vector<std::string>{expected});
}

TEST_F(Logging, GlobalAndComponentMasksAreOred)
{
    switchOn();
    setDword(kLoggerKey, "Updater", 0);
    setDword(kLoggerKey, "All", 0xFFFFFFFF);
    tracedPair(1);
    EXPECT_EQ(lines().size(), 6u);

    DeleteFileA(logFile_.c_str());
    fakeNow += BasicLogger::kFlagMaxAge;
    setDword(kLoggerKey, "All", 0);
    setDword(kLoggerKey, "Updater", 2);
    tracedPair(1);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "Updater         +Outer::run() ",
                           "Updater          +Inner::step() ",
                           "Updater          -Inner::step()  rc=1",
                           "Updater         -Outer::run() ",
                       }));
}

TEST_F(Logging, FlagsAreReReadOnlyAfterFiveSeconds)
{
    switchOn();
    EXPECT_TRUE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    setDword(kLoggerKey, "startLog", 0);
    fakeNow += BasicLogger::kFlagMaxAge - 1;
    EXPECT_TRUE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    fakeNow += 1;
    EXPECT_FALSE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    setDword(kLoggerKey, "startLog", 1);
    EXPECT_FALSE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    fakeNow += BasicLogger::kFlagMaxAge;
    EXPECT_TRUE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
}

// The store's presence rides on the flag cache: a traced call with logging
// off must not open a registry key, so a vanished store is noticed only once
// the answer is 5 seconds old, and a returning one just the same.
TEST_F(Logging, TheStoreIsCheckedAgainOnlyAfterFiveSeconds)
{
    switchOn();
    EXPECT_TRUE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    deleteTree(kLocal);
    fakeNow += BasicLogger::kFlagMaxAge - 1;
    EXPECT_TRUE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    fakeNow += 1;
    EXPECT_FALSE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));

    createKey(kLocal);
    switchOn();
    fakeNow += BasicLogger::kFlagMaxAge - 1;
    EXPECT_FALSE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    fakeNow += 1;
    EXPECT_TRUE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
}

// While the store's answer is cached, a flag read for the first time must not
// create the program's branch again after it was removed (uninstalled).
TEST_F(Logging, ARemovedBranchIsNotBroughtBackByTheCache)
{
    switchOn();
    tracedPair(1);
    deleteTree(kLocal);
    ASSERT_TRUE(keyExists(kProduct + "\\JSW"));
    {
        auto trace = FunctionTrace::begin(logcomponent::RulesEng, [] { return "R::s() "; });
    }
    EXPECT_FALSE(keyExists(kLocal));
    fakeNow += BasicLogger::kFlagMaxAge;
    DeleteFileA(logFile_.c_str());
    tracedPair(1);
    logError(logcomponent::Updater, "after removal");
    EXPECT_EQ(lines(), std::vector<std::string>{"Updater         after removal"});
    EXPECT_FALSE(keyExists(kLocal));
}

// The file is opened once per line when it is there; the hook runs only when
// it is missing.
TEST(LogFile, TheMissingFileHookRunsOnlyWhenTheFileIsAbsent)
{
    struct CountingLogger : BasicLogger {
        using BasicLogger::BasicLogger;
        void onLogFileMissing() override { ++missing; }
        int missing = 0;
    };
    std::string path = expand("%TEMP%") + "\\hookJSW.log";
    DeleteFileA(path.c_str());
    {
        CountingLogger logger(path, 15);
        logger.log(logcomponent::JSW, loglevel::Error, "one");
        logger.log(logcomponent::JSW, loglevel::Error, "two");
        EXPECT_EQ(logger.missing, 1);
        logger.deleteLogFile();
        logger.log(logcomponent::JSW, loglevel::Error, "three");
        EXPECT_EQ(logger.missing, 2);
    }
    std::vector<std::string> written = splitLines(readFile(path));
    ASSERT_EQ(written.size(), 1u);
    ASSERT_TRUE(startsWithClock(written[0])) << written[0];
    EXPECT_EQ(written[0].substr(24), "JSW             three");
    DeleteFileA(path.c_str());
}

TEST_F(Logging, WithoutTheStoreOnlyErrorLinesWithoutClock)
{
    switchOn(1);
    deleteTree(kProduct);
    EXPECT_FALSE(isLoggingEnabled(logcomponent::Updater, loglevel::Trace));
    tracedPair(1);
    logError(logcomponent::Updater, "still here");
    EXPECT_EQ(lines(), std::vector<std::string>{"Updater         still here"});
    EXPECT_FALSE(keyExists(kProduct));
}

TEST_F(Logging, SingletonLifecycle)
{
    EXPECT_EQ(BasicLogger::getInstance().setComponentWidth(0), 87);
    EXPECT_EQ(BasicLogger::getInstance().setComponentWidth(20), 0);
    BasicLogger* first = &BasicLogger::getInstance();
    createLogger();
    EXPECT_EQ(&BasicLogger::getInstance(), first);
    destroyLogger();
    EXPECT_FALSE(isLoggingEnabled(logcomponent::Updater, loglevel::Error));
    try {
        BasicLogger::getInstance();
        ADD_FAILURE() << "no exception";
    } catch (const Win32Exception& e) {
        EXPECT_EQ(e.getMessage(), "BasicLogger::getInstance()");
        EXPECT_EQ(e.getCode(), 1);
    }
    logError(logcomponent::Updater, "nowhere to go");
}

TEST_F(Logging, ADeletedLogFileIsCreatedAgain)
{
    logError(logcomponent::Updater, "one");
    BasicLogger::getInstance().deleteLogFile();
    EXPECT_EQ(GetFileAttributesA(logFile_.c_str()), INVALID_FILE_ATTRIBUTES);
    logError(logcomponent::Updater, "two");
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0].substr(lines()[0].size() - 3), "two");
}

TEST_F(Logging, SeveralProcessesShareOneFileLineByLine)
{
    const int kWriters = 4;
    const int kLines = 1000;
    std::vector<PROCESS_INFORMATION> writers;
    for (int id = 0; id < kWriters; ++id) {
        std::string line = "\"" + thisExecutable() + "\" --log-writer " + std::to_string(id) +
                           " " + std::to_string(kLines);
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessA(thisExecutable().c_str(), commandLine.data(), nullptr, nullptr,
                                   FALSE, 0, nullptr, nullptr, &startup, &process));
        writers.push_back(process);
    }
    for (PROCESS_INFORMATION& process : writers) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), static_cast<std::size_t>(kWriters * kLines));
    std::map<int, int> nextLine;
    for (const std::string& line : written) {
        ASSERT_TRUE(startsWithClock(line)) << line;
        int id = -1;
        int n = -1;
        char tail[64] = {};
        ASSERT_EQ(std::sscanf(line.c_str() + 24, "Updater         writer %d line %d %63s", &id, &n,
                              tail),
                  3)
            << line;
        EXPECT_STREQ(tail, "abcdefghijklmnopqrstuvwxyz0123456789") << line;
        // Each writer's lines arrive whole and in its own order.
        EXPECT_EQ(n, nextLine[id]++) << line;
    }
    EXPECT_EQ(nextLine.size(), static_cast<std::size_t>(kWriters));
}

}  // namespace
