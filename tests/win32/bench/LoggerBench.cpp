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
#include <string>
#include <vector>

namespace {

const char* const kLoggerKey = "Software\\Pelmora Tools\\JSW\\Local\\lben\\Logger";
const char* const kBranchKey = "Software\\Pelmora Tools\\JSW\\Local\\lben";
const char* const kGoEvent = "lbench_go";
const char* const kEndStamps = "lbench_ends";
const int kMaxWriters = 8;

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

// A child: waits for the start signal, writes, stamps its end.
int child(const char* kind, int slot, long count)
{
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, kGoEvent);
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kEndStamps);
    if (go == nullptr || mapping == nullptr || slot < 0 || slot >= kMaxWriters)
        return 2;
    auto* ends = static_cast<LONGLONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    BareWriter bare;
    bool isBare = std::strcmp(kind, "--bare") == 0;
    WaitForSingleObject(go, INFINITE);
    if (isBare) {
        for (long i = 0; i < count; ++i)
            bare.line(i);
    } else {
        for (long i = 0; i < count / 2; ++i)
            tracedLine(i);
    }
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    ends[slot] = end.QuadPart;
    UnmapViewOfFile(ends);
    CloseHandle(mapping);
    CloseHandle(go);
    return 0;
}

// Lines per second of `writers` processes writing `lines` lines each.
double runWriters(const std::string& self, const char* kind, int writers, long lines)
{
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, kGoEvent);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(LONGLONG) * kMaxWriters, kEndStamps);
    auto* ends = static_cast<LONGLONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    std::fill(ends, ends + kMaxWriters, 0);
    std::vector<PROCESS_INFORMATION> processes;
    for (int n = 0; n < writers; ++n) {
        std::string line = "\"" + self + "\" " + kind + " " + std::to_string(n) + " " +
                           std::to_string(lines);
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process))
            processes.push_back(process);
    }
    // Let every child reach its wait before the clock starts.
    Sleep(1500);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    SetEvent(go);
    bool complete = processes.size() == static_cast<std::size_t>(writers);
    for (PROCESS_INFORMATION& process : processes) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        complete = complete && code == 0;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    LARGE_INTEGER end = start;
    for (int n = 0; n < writers; ++n)
        end.QuadPart = std::max(end.QuadPart, ends[n]);
    UnmapViewOfFile(ends);
    CloseHandle(mapping);
    CloseHandle(go);
    if (!complete)
        return 0;
    return double(writers) * double(lines) / seconds(start, end);
}

// Where one line's time goes: the anchor with one step of the logger added
// at a time, in this process.
void profileLine(const std::string& logPath)
{
    const long n = 2000;
    BareWriter bare;
    SecurityEveryone everyone(false);
    auto appendWith = [&](SECURITY_ATTRIBUTES* attributes, bool probeFirst, bool clock) {
        return [&, attributes, probeFirst, clock](long i) {
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
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, attributes, OPEN_ALWAYS,
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
    double base = timeIt(n, [&](long i) { bare.line(i); }) / n;
    double clock = timeIt(n, appendWith(nullptr, false, true)) / n;
    double secured = timeIt(n, appendWith(everyone.securityAttributes(), false, false)) / n;
    double probed = timeIt(n, appendWith(nullptr, true, false)) / n;
    double error = timeIt(n, [](long i) { logError(logcomponent::Updater, std::to_string(i)); }) / n;
    double trace = timeIt(n / 2, tracedLine) / n;
    std::printf("one line, us: anchor %.1f; with clock and formatting %.1f; with security "
                "attributes %.1f; with an existence probe first %.1f; logger error line %.1f; "
                "traced line %.1f\n",
                base * 1e6, clock * 1e6, secured * 1e6, probed * 1e6, error * 1e6, trace * 1e6);
    DeleteFileA(bare.path.c_str());
    DeleteFileA(logPath.c_str());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    // The bench program is copied as "lbench.exe": module prefix "lben".
    Localize::createInstance(nullptr);
    createLogger();
    if (argc == 4)
        return child(argv[1], std::atoi(argv[2]), std::atol(argv[3]));

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
    if (std::getenv("LBENCH_PROFILE") != nullptr)
        profileLine(logPath);

    // Anchor 2 and the writers, alternating, the median of three rounds each.
    const long lines = 3000;
    const int rounds = 3;
    std::vector<double> bare1, log1, bare4, log4;
    for (int round = 0; round < rounds; ++round) {
        bare1.push_back(runWriters(self, "--bare", 1, lines));
        log1.push_back(runWriters(self, "--write", 1, lines));
        bare4.push_back(runWriters(self, "--bare", 4, lines));
        log4.push_back(runWriters(self, "--write", 4, lines));
        DeleteFileA(barePath.c_str());
        BasicLogger::getInstance().deleteLogFile();
    }
    double b1 = median(bare1), l1 = median(log1), b4 = median(bare4), l4 = median(log4);
    std::printf("anchor, bare mutex-append loop: one process %.0f lines/s, four processes %.0f\n",
                b1, b4);
    std::printf("logging on, one process: %.0f lines/s, %.2f of the anchor (goal: 0.80)\n", l1,
                b1 > 0 ? l1 / b1 : 0.0);
    std::printf("logging on, four processes: %.0f lines/s, %.2f of the anchor (goal: 0.80)\n", l4,
                b4 > 0 ? l4 / b4 : 0.0);
    setStartLog(0);
    destroyLogger();
    DeleteFileA(logPath.c_str());
    return 0;
}
