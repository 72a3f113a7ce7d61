// pphost.exe in each shipped product's installation folder: the default
// record the real libraries produce for that product.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include "TestSupport.h"

namespace {

// Owns a kernel handle; move-only.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle()
    {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

struct HostRun {
    DWORD exitCode = 0;
    std::map<std::string, std::string> fields;   // "name = value" lines
    std::set<std::string> lines;
};

// Output through a file: Wine's helper processes keep inherited pipes open.
HostRun runHost(const std::string& product, const std::string& arguments)
{
    const std::string folder = testsupport::thisDirectory() + "products\\" + product + "\\";
    const std::string outputPath = testsupport::thisDirectory() + "pphost-" + product + ".out";
    HostRun run;
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        KernelHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_NE(output.get(), INVALID_HANDLE_VALUE) << GetLastError();
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        PROCESS_INFORMATION process = {};
        std::string commandLine = "\"" + folder + "pphost.exe\" " + arguments;
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                            &process)) {
            ADD_FAILURE() << "CreateProcess failed, error " << GetLastError();
            return run;
        }
        KernelHandle processHandle(process.hProcess);
        KernelHandle threadHandle(process.hThread);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, INFINITE), WAIT_OBJECT_0);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
    }
    std::ifstream in(outputPath);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        run.lines.insert(line);
        std::string::size_type equals = line.find(" = ");
        if (equals != std::string::npos)
            run.fields[line.substr(0, equals)] = line.substr(equals + 3);
    }
    DeleteFileA(outputPath.c_str());
    return run;
}

}  // namespace

TEST(DriverHost, DefaultRecordPerShippedProduct)
{
    const struct {
        const char* product;
        std::map<std::string, std::string> expected;
    } cases[] = {
        {"photo",
         {{"dmPaperFlags", "0x1000"}, {"dmPrintQuality", "-4"}, {"dmSavedPrintQuality", "-4"}, {"dmAutoMedia", "1"},
          {"dmLayoutCode", "7"}, {"dmCollate", "0"}, {"dmPaperSize", "296"}, {"dmSavedPaperSize", "296"},
          {"dmPaperSource", "1"}, {"dmPageOrder", "1"}, {"dmDuplexMode", "1"}, {"dmMediaType", "1"},
          {"dmPrinterName", "\"Pelmora Printer\""}, {"dmStatus", "0"}}},
        {"office",
         {{"dmPaperFlags", "0x0"}, {"dmPrintQuality", "-2"}, {"dmAutoMedia", "0"}, {"dmLayoutCode", "0"},
          {"dmCollate", "1"}, {"dmPaperSize", "1"}, {"dmPaperSource", "7"}, {"dmPageOrder", "2"},
          {"dmSavedPageOrder", "2"}, {"dmDuplexMode", "2"}, {"dmMediaType", "1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.product);
        HostRun run = runHost(c.product, "/locale 0409");
        EXPECT_EQ(run.exitCode, 0u);
        for (const auto& [name, value] : c.expected)
            EXPECT_EQ(run.fields[name], value) << name;
        EXPECT_EQ(run.fields["dmUnits"], "1");
        EXPECT_EQ(run.fields["dmWatermark.wmName"], "\"Confidential\"");
        EXPECT_EQ(run.fields["dmWatermark.wmFont.lfFaceName"], "\"Arial\"");
    }
}

TEST(DriverHost, UnitsAndTextsFollowTheThreadLocale)
{
    const struct {
        const char* product;
        const char* locale;
        const char* units;
        const char* customText;
        const char* qualityText;
    } cases[] = {
        {"photo", "0409", "1", "\"8.5 x 11.0 in.\"", "\"Photo\""},
        {"photo", "0407", "2", "\"216 x 279 mm\"", "\"Photo\""},
        {"office", "0407", "2", "\"216 x 279 mm\"", "\"Best\""},
        {"office", "0409", "1", "\"8.5 x 11.0 in.\"", "\"Best\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.product) + " " + c.locale);
        HostRun run = runHost(c.product, std::string("/locale ") + c.locale);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(run.fields["thread locale"], c.locale);
        EXPECT_EQ(run.fields["dmUnits"], c.units);
        EXPECT_EQ(run.fields["string 73 for 2550 x 3300 (" + std::to_string(std::strlen(c.customText) - 2) + ")"],
                  c.customText);
        EXPECT_EQ(run.fields["string 11 (" + std::to_string(std::strlen(c.qualityText) - 2) + ")"], c.qualityText);
    }
}

// The demo's path: the host opens the preferences and a scripted user acts
// in the window by control id, then OK; the host reports what changed.
TEST(DriverHost, OpenRunsPPStartWithAScriptedUser)
{
    HostRun ok = runHost("photo", "/locale 0409 /open /port 1 /do \"click 1221\" /do ok");
    EXPECT_EQ(ok.exitCode, 0u);
    EXPECT_EQ(ok.fields["dmOrientation"], "2 (was 1)");
    EXPECT_EQ(ok.fields["== PPStart returned dmStatus"], "1 (1 OK, 3 Cancel); fields the window changed:");

    HostRun cancelled = runHost("photo", "/locale 0409 /open /do \"click 1221\" /do cancel");
    EXPECT_EQ(cancelled.fields["== PPStart returned dmStatus"], "3 (1 OK, 3 Cancel); fields the window changed:");

    HostRun unknown = runHost("photo", "/open /do \"wave 1221\"");
    EXPECT_EQ(unknown.exitCode, 1u);
}

// A product whose IDO_PMKPRINTPROP is not 0 gets the alternate main window:
// with "Show On Startup" missing and IDO_DEFAULT_IWANTTO_MENU 1 its task menu
// (the only window with the "show on startup" box, 5276) opens by itself,
// except on port type 12.
TEST(DriverHost, TheStudioProductOpensTheAlternateWindowAndItsTaskMenu)
{
    const std::string root = "Software\\Pelmora\\PrinterSettings\\Pelmora Printer";
    testsupport::deleteTree(root, HKEY_CURRENT_USER);
    HostRun menu = runHost("studio", "/locale 0409 /open /port 1 /do \"seen 5276\" /do ok");
    EXPECT_EQ(menu.fields["== PPStart returned dmStatus"], "1 (1 OK, 3 Cancel); fields the window changed:");
    EXPECT_EQ(menu.lines.count("user did:    seen 5276"), 1u);

    testsupport::deleteTree(root, HKEY_CURRENT_USER);
    HostRun port12 = runHost("studio", "/locale 0409 /open /port 12 /do \"seen 5276\" /do cancel");
    EXPECT_EQ(port12.lines.count("user FAILED: seen 5276"), 1u);
    EXPECT_EQ(port12.fields["== PPStart returned dmStatus"], "3 (1 OK, 3 Cancel); fields the window changed:");
}
