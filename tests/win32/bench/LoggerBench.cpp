// Cost of the Updater's tracing against two anchors measured in the same run:
// one registry key open and close (what a traced call with logging off must
// not pay), and a bare loop of named-mutex wait, open, append, close, release
// (the least one shared log line can cost). Writers run as child processes
// that start together on an event and stamp their end in shared memory, so
// process start-up and exit stay out of the figures.
#include "Localize.h"
#include "Logger.h"

#include "BenchClock.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kLoggerKey = "Software\\Pelmora Tools\\JSW\\Local\\lben\\Logger";
const char* const kBranchKey = "Software\\Pelmora Tools\\JSW\\Local\\lben";
const char* const kGo = "lbench_go";
const char* const kDone = "lbench_done";
const int kMaxWriters = 8;
const int kRounds = 24;

volatile long sink;

__attribute__((noinline)) void traced(long i)
{
    auto trace = FunctionTrace::begin(logcomponent::Updater, [] { return "Bench::traced() "; });
    sink = sink + i;
    if (trace.enabled())
        trace.setResult(i);
}

// Two lines per call, through the whole tracing path.
__attribute__((noinline)) void tracedLine(long i)
{
    auto trace = FunctionTrace::begin(logcomponent::Updater, [] { return "Bench::line() "; });
    if (trace.enabled())
        trace.setResult(i);
}

void setStartLog(DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLoggerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "startLog", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4);
    RegCloseKey(key);
}

std::string bareLogPath()
{
    char folder[MAX_PATH];
    DWORD length = ExpandEnvironmentStringsA("%ALLUSERSPROFILE%\\lbenBare.log", folder, MAX_PATH);
    return length == 0 || length > MAX_PATH ? std::string("lbenBare.log") : std::string(folder);
}

// The anchor: what appending one line under the shared lock cannot avoid.
struct BareWriter {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "PMLOG_lbenBare.log");
    std::string path = bareLogPath();
    ~BareWriter() { CloseHandle(mutex); }

    void line(long i)
    {
        char text[96];
        int length = std::snprintf(text, sizeof text,
                                   "2008/03/14-09:05:07.042 Updater         bare line %ld\r\n", i);
        WaitForSingleObject(mutex, INFINITE);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            SetFilePointer(file, 0, nullptr, FILE_END);
            DWORD written = 0;
            WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
            CloseHandle(file);
        }
        ReleaseMutex(mutex);
    }
};

// Phases alternate bare, logger, logger, bare, ... so that neither kind is
// always the one that follows the other.
bool isLoggerPhase(int phase)
{
    return (phase / 2) % 2 == 0 ? phase % 2 == 1 : phase % 2 == 0;
}

// A child: for each phase the parent starts, writes its share of lines, then
// reports done.
int child(long perPhase, bool bareOnly)
{
    HANDLE go = OpenSemaphoreA(SYNCHRONIZE, FALSE, kGo);
    HANDLE done = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, kDone);
    if (go == nullptr || done == nullptr)
        return 2;
    BareWriter bare;
    ReleaseSemaphore(done, 1, nullptr);  // ready: start-up stays out of the timing
    for (int phase = 0; phase < 2 * kRounds; ++phase) {
        WaitForSingleObject(go, INFINITE);
        if (!isLoggerPhase(phase) || bareOnly) {
            for (long i = 0; i < perPhase; ++i)
                bare.line(i);
        } else {
            for (long i = 0; i < perPhase / 2; ++i)
                tracedLine(i);
        }
        ReleaseSemaphore(done, 1, nullptr);
    }
    CloseHandle(done);
    CloseHandle(go);
    return 0;
}

// Lines per second of `writers` processes, bare and through the logger, in
// short alternating phases so that the machine's other load falls on both.
// With bareOnly both kinds of phase run the bare loop: the ratio then shows
// how far this machine's other load alone moves the figures.
bool runWriters(const std::string& self, int writers, long perPhase, bool bareOnly, double& bare,
                double& logged)
{
    HANDLE go = CreateSemaphoreA(nullptr, 0, kMaxWriters, kGo);
    HANDLE done = CreateSemaphoreA(nullptr, 0, kMaxWriters, kDone);
    std::vector<PROCESS_INFORMATION> processes;
    for (int n = 0; n < writers; ++n) {
        std::string line = "\"" + self + "\" --writer " + std::to_string(perPhase) +
                           (bareOnly ? " bare" : "");
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process))
            processes.push_back(process);
    }
    bool complete = processes.size() == static_cast<std::size_t>(writers);
    for (int n = 0; complete && n < writers; ++n)
        complete = WaitForSingleObject(done, 120000) == WAIT_OBJECT_0;
    double time[2] = {0, 0};
    for (int phase = 0; complete && phase < 2 * kRounds; ++phase) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        ReleaseSemaphore(go, writers, nullptr);
        for (int n = 0; complete && n < writers; ++n)
            complete = WaitForSingleObject(done, 120000) == WAIT_OBJECT_0;
        QueryPerformanceCounter(&end);
        time[isLoggerPhase(phase) ? 1 : 0] += seconds(start, end);
    }
    for (PROCESS_INFORMATION& process : processes) {
        if (!complete)
            TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(done);
    CloseHandle(go);
    double lines = double(writers) * double(perPhase) * kRounds;
    bare = complete ? lines / time[0] : 0;
    logged = complete ? lines / time[1] : 0;
    return complete;
}

// Where one line's time goes: the anchor with one step of the logger added
// at a time, in this process.
void profileLine(const std::string& logPath)
{
    const long n = 100;
    BareWriter bare;
    SecurityEveryone everyone(false);
    auto appendWith = [&](SECURITY_ATTRIBUTES* attributes, bool probeFirst, bool clock,
                          DWORD disposition = OPEN_ALWAYS) {
        return [&, attributes, probeFirst, clock, disposition](long i) {
            WaitForSingleObject(bare.mutex, INFINITE);
            std::string line = "Updater         bare line " + std::to_string(i) + "\r\n";
            if (clock) {
                SYSTEMTIME now;
                GetLocalTime(&now);
                LogTime time = {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                                now.wMinute, now.wSecond, now.wMilliseconds};
                line = formatLogLine({true, false, false}, time, 0, 0, "Updater", 15, 0,
                                     "bare line") + "\r\n";
            }
            if (probeFirst) {
                HANDLE probe = CreateFileA(bare.path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, attributes,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (probe != INVALID_HANDLE_VALUE)
                    CloseHandle(probe);
            }
            HANDLE file = CreateFileA(bare.path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, attributes, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                SetFilePointer(file, 0, nullptr, FILE_END);
                DWORD written = 0;
                WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
                CloseHandle(file);
            }
            ReleaseMutex(bare.mutex);
        };
    };
    std::vector<std::function<void(long)>> steps = {
        [&](long i) { bare.line(i); },
        appendWith(nullptr, false, false, OPEN_EXISTING),
        appendWith(nullptr, false, true),
        appendWith(everyone.securityAttributes(), false, false),
        appendWith(nullptr, true, false),
        [](long i) { logError(logcomponent::Updater, std::to_string(i)); },
        [](long i) { tracedLine(i / 2); },
    };
    std::vector<double> time(steps.size(), 0.0);
    for (int round = 0; round < kRounds; ++round)
        for (std::size_t k = 0; k < steps.size(); ++k) {
            std::size_t step = round % 2 == 0 ? k : steps.size() - 1 - k;
            time[step] += timeIt(n, steps[step]);
        }
    const long total = n * kRounds;
    std::printf("where a line's time goes, us per line in one process: anchor %.1f; opening "
                "only an existing file %.1f; with clock and formatting %.1f; with security "
                "attributes %.1f; with an existence probe first %.1f; logger error line %.1f; "
                "traced line %.1f\n",
                time[0] / total * 1e6, time[1] / total * 1e6, time[2] / total * 1e6,
                time[3] / total * 1e6, time[4] / total * 1e6, time[5] / total * 1e6,
                time[6] / (2 * total) * 1e6);
    DeleteFileA(bare.path.c_str());
    DeleteFileA(logPath.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    // The bench program is copied as "lbench.exe": module prefix "lben".
    Localize::createInstance(nullptr);
    createLogger();
    if (argc >= 3 && std::strcmp(argv[1], "--writer") == 0)
        return child(std::atol(argv[2]), argc == 4);

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string logPath = BasicLogger::getInstance().path();
    std::string barePath = bareLogPath();

    // Anchor 1: one open and close of the logger's own key.
    const long opens = 2000;
    setStartLog(0);
    double registry = timeIt(opens, [](long) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBranchKey, 0, KEY_READ, &key) == ERROR_SUCCESS)
            RegCloseKey(key);
    }) / opens;

    const long calls = 200000;
    traced(0);  // fill the flag cache
    double off = timeIt(calls, traced) / calls;
    std::printf("anchor, registry key open and close: %.2f us\n", registry * 1e6);
    std::printf("traced call, logging off: %.3f us, %.4f of the anchor (goal: at most 1 us)\n",
                off * 1e6, off / registry);

    setStartLog(1);
    BasicLogger::getInstance().setTickSource(&GetTickCount);  // forget the cached "off"
    profileLine(logPath);

    // Anchor 2 and the writers.
    const long perPhase = 150;
    double bare1 = 0, log1 = 0, bare4 = 0, log4 = 0, again1 = 0, again2 = 0;
    runWriters(self, 1, perPhase, false, bare1, log1);
    runWriters(self, 4, perPhase, false, bare4, log4);
    runWriters(self, 1, perPhase, true, again1, again2);
    DeleteFileA(barePath.c_str());
    BasicLogger::getInstance().deleteLogFile();
    std::printf("anchor, bare mutex-append loop: one process %.0f lines/s, four processes %.0f\n",
                bare1, bare4);
    std::printf("logging on, one process: %.0f lines/s, %.2f of the anchor (goal: 0.80)\n", log1,
                bare1 > 0 ? log1 / bare1 : 0.0);
    std::printf("logging on, four processes: %.0f lines/s, %.2f of the anchor (goal: 0.80)\n",
                log4, bare4 > 0 ? log4 / bare4 : 0.0);
    std::printf("spread of this run: the bare loop against itself, one process: %.2f\n",
                again1 > 0 ? again2 / again1 : 0.0);
    setStartLog(0);
    destroyLogger();
    DeleteFileA(logPath.c_str());
    return 0;
}
