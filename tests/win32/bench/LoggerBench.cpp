// Cost of the Updater's tracing: a traced call with logging off against an
// untraced one, and lines per second with logging on for one and for four
// processes sharing the log. Prints figures measured in this run only.
#include "Localize.h"
#include "Logger.h"

#include "BenchClock.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kLocal = "Software\\Pelmora Tools\\JSW\\Local\\lben\\Logger";

volatile long sink;

__attribute__((noinline)) void untraced(long i)
{
    sink = sink + i;
}

__attribute__((noinline)) void traced(long i)
{
    auto trace = FunctionTrace::begin(logcomponent::Updater, [] { return "Bench::traced() "; });
    sink = sink + i;
    if (trace.enabled())
        trace.setResult(i);
}

void setStartLog(DWORD value)
{
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLocal, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "startLog", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4);
    RegCloseKey(key);
}

int writeLines(long count)
{
    for (long i = 0; i < count; ++i)
        logError(logcomponent::Updater, "benchmark line " + std::to_string(i));
    return 0;
}

double runWriters(const std::string& self, int writers, long lines)
{
    std::vector<PROCESS_INFORMATION> processes;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int n = 0; n < writers; ++n) {
        std::string line = "\"" + self + "\" --write " + std::to_string(lines);
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process))
            processes.push_back(process);
    }
    for (PROCESS_INFORMATION& process : processes) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    QueryPerformanceCounter(&end);
    return double(writers) * double(lines) / seconds(start, end);
}

}  // namespace

int main(int argc, char** argv)
{
    // The bench program is copied as "lbench.exe": module prefix "lben".
    Localize::createInstance(nullptr);
    createLogger();
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0)
        return writeLines(std::atol(argv[2]));

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const long calls = 200000;
    setStartLog(0);
    traced(0);  // warm the flag cache
    double plain = timeIt(calls, untraced);
    double off = timeIt(calls, traced);
    std::printf("traced call, logging off / untraced call: %.1f (%.3f us vs %.3f us per call)\n",
                off / plain, off / calls * 1e6, plain / calls * 1e6);

    const long lines = 2000;
    setStartLog(1);
    double one = runWriters(self, 1, lines);
    double four = runWriters(self, 4, lines);
    std::printf("lines per second, logging on: one process %.0f, four processes %.0f (ratio %.2f)\n",
                one, four, four / one);
    setStartLog(0);
    destroyLogger();
    return 0;
}
