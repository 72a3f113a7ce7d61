// The real uplinkgate.exe under Wine: started with a raw command line as its
// callers start it, against the sample upload library, with the log switch
// set in the real registry.
#include "AppException.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::expand;
using testsupport::readFile;
using testsupport::thisDirectory;

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The switch under HKLM\SOFTWARE\Pelmora, in the 64-bit or the 32-bit view.
class LogSwitch {
public:
    static void clear()
    {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            HKEY software;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS | view,
                              &software) == ERROR_SUCCESS) {
                RegDeleteKeyA(software, "Pelmora");
                RegCloseKey(software);
            }
        }
    }
    static void set(REGSAM view, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pelmora", 0, nullptr, 0,
                                  KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (data != nullptr) {
            ASSERT_EQ(RegSetValueExA(key, "catslog", 0, type, static_cast<const BYTE*>(data), size),
                      ERROR_SUCCESS);
        }
        RegCloseKey(key);
    }
    static void setNumber(DWORD number, REGSAM view = KEY_WOW64_64KEY)
    {
        set(view, REG_DWORD, &number, sizeof number);
    }
};

struct GatewayRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<std::string> lines;  // log messages, stamps checked and removed
    std::string received;            // what the sample library recorded
    bool uploaded = false;
};

class Gateway : public ::testing::Test {
protected:
    void SetUp() override
    {
        gateway_ = thisDirectory() + "uplinkgate.exe";
        // One copy of the library where no quotes are needed, one where they are.
        scratch_ = expand("%TEMP%") + "\\uplinkgate-tests\\";
        spaced_ = scratch_ + "dir with space\\";
        CreateDirectoryA(scratch_.c_str(), nullptr);
        CreateDirectoryA(spaced_.c_str(), nullptr);
        library_ = scratch_ + "sampleupload.dll";
        spacedLibrary_ = spaced_ + "sampleupload.dll";
        for (const std::string* copy : {&library_, &spacedLibrary_}) {
            ASSERT_TRUE(CopyFileA((thisDirectory() + "sampleupload.dll").c_str(), copy->c_str(),
                                  FALSE));
        }
        DeleteFileA(record(scratch_).c_str());
        DeleteFileA(record(spaced_).c_str());
        logFile_ = expand("%ALLUSERSPROFILE%") + "\\UplinkGateLog.log";
        DeleteFileA(logFile_.c_str());
        LogSwitch::clear();
        LogSwitch::setNumber(1);
    }

    void TearDown() override
    {
        LogSwitch::clear();
        DeleteFileA(logFile_.c_str());
    }

    static std::string record(const std::string& folder)
    {
        return folder + "sampleupload.received";
    }
    std::string quotedLibrary() const { return "\"" + spacedLibrary_ + "\""; }

    GatewayRun run(const std::string& commandLine)
    {
        GatewayRun result;
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(gateway_.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "CreateProcess failed: " << GetLastError();
            return result;
        }
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);

        result.lines = logLines();
        result.uploaded = exists(record(scratch_)) || exists(record(spaced_));
        result.received = readFile(record(scratch_)) + readFile(record(spaced_));
        return result;
    }

    // Every line must be "MM/DD/YYYY hh:mm:ss: message\r\n".
    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::string text = readFile(logFile_);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                ADD_FAILURE() << "unterminated log line: " << text.substr(start);
                break;
            }
            std::string line = text.substr(start, end - start);
            start = end + 2;
            const char* shape = "99/99/9999 99:99:99: ";
            bool stamped = line.size() >= 21;
            for (std::size_t i = 0; stamped && i < 21; ++i)
                stamped = shape[i] == '9' ? std::isdigit(static_cast<unsigned char>(line[i])) != 0
                                          : line[i] == shape[i];
            EXPECT_TRUE(stamped) << "bad stamp: " << line;
            lines.push_back(stamped ? line.substr(21) : line);
        }
        return lines;
    }

    std::string gateway_;
    std::string scratch_;
    std::string spaced_;
    std::string library_;
    std::string spacedLibrary_;
    std::string logFile_;
};

using Lines = std::vector<std::string>;

TEST_F(Gateway, UploadsJoinedArgumentsFromAQuotedPathWithSpaces)
{
    std::string arguments = "a b \"two words\"";
    GatewayRun r = run("/L " + quotedLibrary() + " a b \"two words\"  ");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.received, arguments + "\n");
    // The CRT hands WinMain the line without its first word.
    EXPECT_EQ(r.lines, (Lines{"+PelmoraWebGateway Exe is called with arg:",
                              quotedLibrary() + " a b \"two words\"  ", " +Upload ", spacedLibrary_,
                              arguments, "Exported Upload APi is called", " -Upload ",
                              "Pelmora WebGateway Exe ends"}));
}

TEST_F(Gateway, NoUploadArgumentsCallsUploadWithEmptyText)
{
    GatewayRun r = run("/L " + library_);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_TRUE(r.uploaded);
    EXPECT_EQ(r.received, "\n");
    ASSERT_EQ(r.lines.size(), 8u);
    EXPECT_EQ(r.lines[4], "");
}

TEST_F(Gateway, UploadsNothingUnlessTheLineStartsWithCaseSensitiveL)
{
    const std::string lines[] = {
        gateway_ + " /L " + library_ + " a",
        "\"" + gateway_ + "\" /L " + library_ + " a",
        "/l " + library_ + " a",
        " /L " + library_ + " a",
        "-L " + library_ + " a",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        DeleteFileA(logFile_.c_str());
        GatewayRun r = run(line);
        EXPECT_EQ(r.exitCode, 0u);
        EXPECT_FALSE(r.uploaded);
        ASSERT_EQ(r.lines.size(), 3u);
        EXPECT_EQ(r.lines[0], "+PelmoraWebGateway Exe is called with arg:");
        EXPECT_EQ(r.lines[2], "Pelmora WebGateway Exe ends");
    }
}

TEST_F(Gateway, MissingLibraryIsLoggedAndTheRunStillEnds)
{
    std::string missing = scratch_ + "no such library.dll";
    GatewayRun r = run("/L \"" + missing + "\" a");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.lines, (Lines{"+PelmoraWebGateway Exe is called with arg:", "\"" + missing + "\" a",
                              " +Upload ", missing, " Loadlibrary for common upload dll failed ",
                              "Pelmora WebGateway Exe ends"}));
}

TEST_F(Gateway, LibraryWithoutUploadIsLogged)
{
    GatewayRun r = run("/L kernel32.dll a");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.lines, (Lines{"+PelmoraWebGateway Exe is called with arg:", "kernel32.dll a",
                              " +Upload ", "kernel32.dll", "a", " pFnUpload == NULL",
                              "Pelmora WebGateway Exe ends"}));
}

TEST_F(Gateway, RefusedCommandLinesEndQuietly)
{
    const std::string lines[] = {"", "/L", "/L   ", "/L \"" + spacedLibrary_ + " a", "\"never closed",
                                 "     "};
    for (const std::string& line : lines) {
        SCOPED_TRACE("[" + line + "]");
        DeleteFileA(logFile_.c_str());
        GatewayRun r = run(line);
        EXPECT_EQ(r.exitCode, 0u);
        EXPECT_FALSE(r.uploaded);
        ASSERT_EQ(r.lines.size(), 3u);
        EXPECT_EQ(r.lines[2], "Pelmora WebGateway Exe ends");
    }
}

TEST_F(Gateway, OverlongInputIsRefusedWithAReason)
{
    {
        std::string path = scratch_ + std::string(3000, 'p') + ".dll";
        GatewayRun r = run("/L " + path + " a");
        EXPECT_EQ(r.exitCode, 0u);
        EXPECT_FALSE(r.uploaded);
        ASSERT_EQ(r.lines.size(), 5u);
        EXPECT_EQ(r.lines[1], path + " a");  // log lines are written whole
        EXPECT_EQ(r.lines[3], " Upload library path too long: " +
                                  std::to_string(path.size()) + " characters, at most 767");
    }
    {
        DeleteFileA(logFile_.c_str());
        std::string arguments(5000, 'a');
        GatewayRun r = run("/L " + library_ + " x " + arguments);
        EXPECT_EQ(r.exitCode, 0u);
        EXPECT_FALSE(r.uploaded);
        ASSERT_EQ(r.lines.size(), 5u);
        EXPECT_EQ(r.lines[3], " Upload arguments too long: 5002 characters, at most 511");
    }
    {
        DeleteFileA(logFile_.c_str());
        std::string arguments(511, 'a');
        GatewayRun r = run("/L " + library_ + " " + arguments);
        EXPECT_EQ(r.received, arguments + "\n");
    }
}

TEST_F(Gateway, LogsOnlyWhenTheSwitchHoldsTheNumberOne)
{
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
    } const cases[] = {
        {"zero", REG_DWORD, std::string("\0\0\0\0", 4)},
        {"two", REG_DWORD, std::string("\2\0\0\0", 4)},
        {"text 1", REG_SZ, std::string("1\0", 2)},
        {"eight-byte 1", REG_QWORD, std::string("\1\0\0\0\0\0\0\0", 8)},
        {"key without value", REG_NONE, std::string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogSwitch::clear();
        LogSwitch::set(KEY_WOW64_64KEY, c.type, c.data.empty() ? nullptr : c.data.data(),
                       static_cast<DWORD>(c.data.size()));
        GatewayRun r = run("/L " + library_ + " a");
        EXPECT_EQ(r.exitCode, 0u);
        EXPECT_EQ(r.received, "a\n");
        EXPECT_FALSE(exists(logFile_));
        DeleteFileA(record(scratch_).c_str());
    }
    {
        SCOPED_TRACE("no key at all");
        LogSwitch::clear();
        GatewayRun r = run("/L " + library_ + " a");
        EXPECT_EQ(r.received, "a\n");
        EXPECT_FALSE(exists(logFile_));
    }
}

TEST_F(Gateway, SwitchIsReadFromThe64BitViewFirst)
{
    {
        // The second read is in the program's own view: the 32-bit view for
        // the shipped program under WOW64, the 64-bit view again for a 64-bit build.
        SCOPED_TRACE("only the 32-bit view has the key");
        LogSwitch::clear();
        LogSwitch::setNumber(1, KEY_WOW64_32KEY);
        GatewayRun r = run("/L " + library_);
#ifdef _WIN64
        EXPECT_EQ(r.lines.size(), 0u);
        EXPECT_FALSE(exists(logFile_));
#else
        EXPECT_EQ(r.lines.size(), 8u);
#endif
    }
    {
        SCOPED_TRACE("64-bit key present without the value hides the 32-bit one");
        DeleteFileA(logFile_.c_str());
        LogSwitch::clear();
        LogSwitch::setNumber(1, KEY_WOW64_32KEY);
        LogSwitch::set(KEY_WOW64_64KEY, REG_NONE, nullptr, 0);
        GatewayRun r = run("/L " + library_);
        EXPECT_FALSE(exists(logFile_));
    }
}

TEST_F(Gateway, UnwritableLogLosesTheLinesButNotTheUpload)
{
    ASSERT_TRUE(CreateDirectoryA(logFile_.c_str(), nullptr));
    GatewayRun r = run("/L " + library_ + " a");
    RemoveDirectoryA(logFile_.c_str());
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.received, "a\n");
}

TEST_F(Gateway, AppendsToAnExistingLog)
{
    run("/L " + library_ + " first");
    GatewayRun r = run("/L " + library_ + " second");
    EXPECT_EQ(r.lines.size(), 16u);
    EXPECT_EQ(r.received, "first\nsecond\n");
}

TEST(AppExceptionOnWindows, CarriesTheSystemMessageText)
{
    CAppException known("Dll not found", ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(known.code(), static_cast<std::uint32_t>(ERROR_MOD_NOT_FOUND));
    ASSERT_GT(known.message().size(), 14u);
    EXPECT_EQ(known.message().substr(0, 14), "Dll not found\n");
    EXPECT_NE(known.message(), "Dll not found\nWin32 ERROR could not be retrieved");

    CAppException unknown("Exported Upload function not found", 0x2FFFFFFF);
    EXPECT_EQ(unknown.message(),
              "Exported Upload function not found\nWin32 ERROR could not be retrieved");
}

}  // namespace
