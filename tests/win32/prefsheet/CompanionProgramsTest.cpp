// Starting the status program for real, through drvcommon.dll and the photo
// product beside this test program, with the stand-in pmstatus.exe recording
// each command line it was started with.
#include "CommonLibrary_win.h"
#include "PropCommonFunctions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

using testsupport::thisDirectory;

namespace {

std::string systemDirectory()
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return std::string(path, length);
}

class RecordingTrace : public Trace {
public:
    void OutputData(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

class CompanionPrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        record_ = thisDirectory() + "pmstatus.received";
        DeleteFileA(record_.c_str());
        retailerFolder_ = systemDirectory() + "\\PelmoraLPA";
        retailerFile_ = retailerFolder_ + "\\retailer.ini";
        DeleteFileA(retailerFile_.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(record_.c_str());
        DeleteFileA(retailerFile_.c_str());
        RemoveDirectoryA(retailerFolder_.c_str());
    }

    // The lines pmstatus.exe recorded, once it has written count of them.
    std::vector<std::string> received(std::size_t count)
    {
        std::vector<std::string> lines;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::ifstream in(record_, std::ios::binary);
            std::string line;
            lines.clear();
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                lines.push_back(line);
            }
            if (lines.size() >= count)
                break;
            Sleep(100);
        }
        return lines;
    }

    void writeRetailer(const std::string& partner)
    {
        CreateDirectoryA(retailerFolder_.c_str(), nullptr);
        std::ofstream out(retailerFile_, std::ios::binary);
        out << "[Retailer]\r\nPartner=" << partner << "\r\n";
    }

    DrvProductOptions product_;
    Options options_{product_};
    RecordingTrace trace_;
    std::string record_;
    std::string retailerFolder_;
    std::string retailerFile_;
};

TEST_F(CompanionPrograms, StatusProgramGetsTheTaskAndThePrinterNameUnchanged)
{
    PropCommonFunctions functions(options_, trace_);
    functions.LaunchStatusProgram("Pelmora Photo 100 (Copy 2)", 304);
    EXPECT_EQ(received(1), std::vector<std::string>{
                               "pmstatus.exe /F=\"Pelmora Photo 100 (Copy 2)\" /T=304 /L=a"});
    ASSERT_GE(trace_.lines.size(), 2u);
    EXPECT_EQ(trace_.lines[0], "Launch Program()");
}

TEST_F(CompanionPrograms, AProgramThatCannotStartIsOnlyTraced)
{
    PropCommonFunctions functions(options_, trace_);
    functions.LaunchProgram("no-such-status-program.exe /T=100");
    ASSERT_EQ(trace_.lines.size(), 3u);
    EXPECT_EQ(trace_.lines[2].substr(0, 29), "CreateProcess() Return Code0,");
}

TEST_F(CompanionPrograms, RetailerPartnerOrdersThroughTheStatusProgram)
{
    writeRetailer("ShopX");
    PropCommonFunctions functions(options_, trace_);
    functions.OnOrderSupplies("Photo");
    EXPECT_EQ(received(1),
              std::vector<std::string>{"pmstatus.exe /F=\"Photo\" /T=203 /L=a"});
    EXPECT_NE(std::find(trace_.lines.begin(), trace_.lines.end(),
                        "PropCommonFunctions::OnOrderSupplies() - rtlr.ini Found"),
              trace_.lines.end());
}

TEST_F(CompanionPrograms, WithoutARetailerTheInkDisplayReordersSilently)
{
    for (const char* partner : {"Default", ""}) {
        SCOPED_TRACE(partner);
        DeleteFileA(record_.c_str());
        writeRetailer(partner);
        PropCommonFunctions functions(options_, trace_);
        functions.OnOrderSupplies("Photo");
        EXPECT_EQ(received(1), std::vector<std::string>{"\"" + thisDirectory() +
                                                        "pmstatus.exe\" /F=\"Photo\" /T=203 /L=a /S"});
    }
    DeleteFileA(record_.c_str());
    DeleteFileA(retailerFile_.c_str());
    PropCommonFunctions functions(options_, trace_);
    functions.OnOrderSupplies("No retailer file");
    EXPECT_EQ(received(1).size(), 1u);
    EXPECT_NE(std::find(trace_.lines.begin(), trace_.lines.end(),
                        "PropCommonFunctions::OnOrderSupplies() - rtlr.ini NOT Found"),
              trace_.lines.end());
}

}  // namespace
