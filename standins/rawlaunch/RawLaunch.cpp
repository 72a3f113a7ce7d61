// rawlaunch PROGRAM REST...: starts PROGRAM with REST as its whole command
// line, exactly as written, the way a caller hands the gateway "/L ..." with
// no program name in front. Waits for it and returns its exit code.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Reads one command-line word (quoted or not) and skips the blanks after it.
const char* takeWord(const char* text, std::string& word)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool quoted = (*text == '"');
    if (quoted)
        ++text;
    const char* start = text;
    while (*text != '\0' && (quoted ? *text != '"' : (*text != ' ' && *text != '\t')))
        ++text;
    word.assign(start, text);
    if (quoted && *text == '"')
        ++text;
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

}  // namespace

int main()
{
    std::string self;
    std::string program;
    const char* rest = takeWord(takeWord(GetCommandLineA(), self), program);
    if (program.empty()) {
        std::fprintf(stderr, "usage: rawlaunch PROGRAM [COMMAND LINE]\n");
        return 2;
    }
    std::string commandLine(rest);  // CreateProcess may write into it

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "rawlaunch: cannot start %s (error %lu)\n", program.c_str(),
                     GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 2;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("rawlaunch: %s exited with code %lu\n", program.c_str(), exitCode);
    return static_cast<int>(exitCode);
}
