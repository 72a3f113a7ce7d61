// The real prefsheet.dll under Wine, loaded from the test folder where the
// photo model's product.ini sits beside drvcommon.dll.
#include "LcDevMode.h"
#include "PeExports.h"
#include "PrefSheetExports.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "TestSupport.h"

namespace {

// prefsheet.dll loaded once for the whole program, as a driver holds it.
class PrefSheet {
public:
    static PrefSheet& get()
    {
        static PrefSheet library;
        return library;
    }
    HMODULE module() const { return module_; }

    PPInitFunction init = nullptr;
    PPTerminateFunction terminate = nullptr;
    PPDefaultGenDevModeFunction defaultDevMode = nullptr;
    PPGetStringSizeFunction getStringSize = nullptr;
    PPLoadStringFunction loadString = nullptr;
    PPStartFunction start = nullptr;

    std::string text(uint32_t id, const LCDEVMODE* record)
    {
        uint32_t size = getStringSize(id, record);
        std::vector<char> buffer(size + 1u, 'X');
        EXPECT_EQ(loadString(buffer.data(), id, record), 0);
        EXPECT_EQ(buffer[size], '\0');
        return std::string(buffer.data());
    }

private:
    PrefSheet() : module_(LoadLibraryA((testsupport::thisDirectory() + "prefsheet.dll").c_str()))
    {
        init = function<PPInitFunction>("PPInit");
        terminate = function<PPTerminateFunction>("PPTerminate");
        defaultDevMode = function<PPDefaultGenDevModeFunction>("PPDefaultGenDevMode");
        getStringSize = function<PPGetStringSizeFunction>("PPGetStringSize");
        loadString = function<PPLoadStringFunction>("PPLoadString");
        start = function<PPStartFunction>("PPStart");
    }
    ~PrefSheet() = default;
    template <typename F>
    F function(const char* name)
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    HMODULE module_;
};

// Keeps the library initialised for one test and restores the thread locale.
class Initialised : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(PrefSheet::get().module(), nullptr);
        savedLocale_ = GetThreadLocale();
        PrefSheet::get().init();
    }
    void TearDown() override
    {
        PrefSheet::get().terminate();
        SetThreadLocale(savedLocale_);
    }
    PrefSheet& library = PrefSheet::get();

private:
    LCID savedLocale_ = 0;
};

bool loaded(const char* name)
{
    return GetModuleHandleA(name) != nullptr;
}

LCDEVMODE blankRecord(const char* printer)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    std::strcpy(record.dmPrinterName, printer);
    record.dmStatus = 7;
    return record;
}

}  // namespace

TEST(PrefSheetExports, ExactlyTheSixEntryPointsAtTheirOrdinals)
{
    HMODULE module = PrefSheet::get().module();
    ASSERT_NE(module, nullptr);
    ExportTable table = ReadExportTable(module);
    EXPECT_EQ(table.ordinalsByName, (std::map<std::string, DWORD>{{"PPStart", 1},
                                                                  {"PPGetStringSize", 3},
                                                                  {"PPLoadString", 4},
                                                                  {"PPInit", 5},
                                                                  {"PPTerminate", 6},
                                                                  {"PPDefaultGenDevMode", 8}}));
    EXPECT_EQ(table.base, 1u);
    EXPECT_EQ(table.functionCount, 8u);
    EXPECT_EQ(table.rvaByOrdinal[2], 0u);
    EXPECT_EQ(table.rvaByOrdinal[7], 0u);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(2)), nullptr);
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(7)), nullptr);
    for (const auto& [name, ordinal] : table.ordinalsByName) {
        SCOPED_TRACE(name);
        EXPECT_NE(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)), nullptr);
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)), GetProcAddress(module, name.c_str()));
    }
}

TEST(PrefSheetExports, ResourceLibrariesHaveNoEntryPointAndTheBitmapLibraryItsChain)
{
    HMODULE resources = LoadLibraryA((testsupport::thisDirectory() + "ppres.dll").c_str());
    HMODULE bitmaps = LoadLibraryA((testsupport::thisDirectory() + "ppbmp.dll").c_str());
    ASSERT_NE(resources, nullptr);
    ASSERT_NE(bitmaps, nullptr);
    EXPECT_EQ(EntryPointOf(resources), 0u);
    EXPECT_EQ(EntryPointOf(bitmaps), 0u);
    EXPECT_EQ(ReadExportTable(bitmaps).ordinalsByName, (std::map<std::string, DWORD>{{"InitResourceChain", 1}}));
    using Chain = HMODULE(WINAPI*)(void);
    auto chain = reinterpret_cast<Chain>(reinterpret_cast<void*>(GetProcAddress(bitmaps, "InitResourceChain")));
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain(), bitmaps);
    HBITMAP logo = LoadBitmapA(chain(), MAKEINTRESOURCEA(1000));
    EXPECT_NE(logo, nullptr);
    DeleteObject(logo);
    FreeLibrary(bitmaps);
    FreeLibrary(resources);
}

TEST(PrefSheetInit, OnlyTheLastTerminateFreesTheLibraries)
{
    PrefSheet& library = PrefSheet::get();
    ASSERT_NE(library.module(), nullptr);
    ASSERT_FALSE(loaded("ppres.dll"));
    ASSERT_FALSE(loaded("ppbmp.dll"));

    library.init();
    EXPECT_TRUE(loaded("ppres.dll"));
    EXPECT_TRUE(loaded("ppbmp.dll"));
    HMODULE first = GetModuleHandleA("ppres.dll");
    library.init();
    EXPECT_EQ(GetModuleHandleA("ppres.dll"), first);   // not loaded a second time

    library.terminate();
    EXPECT_TRUE(loaded("ppres.dll"));
    EXPECT_TRUE(loaded("ppbmp.dll"));
    library.terminate();
    EXPECT_FALSE(loaded("ppres.dll"));
    EXPECT_FALSE(loaded("ppbmp.dll"));
}

TEST(PrefSheetInit, AnUnmatchedTerminateDoesNotUnbalanceTheCount)
{
    PrefSheet& library = PrefSheet::get();
    ASSERT_FALSE(loaded("ppres.dll"));
    library.terminate();
    library.init();
    EXPECT_TRUE(loaded("ppres.dll"));
    library.terminate();
    EXPECT_FALSE(loaded("ppres.dll"));
}

TEST_F(Initialised, LoadStringFillsExactlyTheMeasuredSizePlusOne)
{
    const uint32_t size = library.getStringSize(73, nullptr);
    EXPECT_EQ(size, std::strlen("Custom size"));
    std::vector<char> buffer(size + 1 + 8, '#');
    EXPECT_EQ(library.loadString(buffer.data(), 73, nullptr), 0);
    EXPECT_EQ(std::string(buffer.data()), "Custom size");
    EXPECT_EQ(std::string(buffer.begin() + size + 1, buffer.end()), std::string(8, '#'));
}

TEST_F(Initialised, AmpersandsRemovedAndIdentifierElevenReplaced)
{
    // The photo model has no best quality but photo quality: 11 becomes 516 "&Photo".
    EXPECT_EQ(library.getStringSize(11, nullptr), 5u);
    EXPECT_EQ(library.text(11, nullptr), "Photo");
    EXPECT_EQ(library.text(338, nullptr), "Normal");
    EXPECT_EQ(library.text(516, nullptr), "Photo");
    EXPECT_EQ(library.text(9433, nullptr), "Confidential");
    EXPECT_EQ(library.getStringSize(4242, nullptr), 0u);   // no such string
    EXPECT_EQ(library.text(4242, nullptr), "");
}

TEST_F(Initialised, CustomSizeTextFollowsUnitsAndThreadLocale)
{
    LCDEVMODE record = blankRecord("Pelmora PhotoJet 100");
    record.dmCustomWidth = 2550;
    record.dmCustomLength = 3300;
    const struct {
        LCID locale;
        int32_t units;
        const char* text;
    } cases[] = {
        {0x0409, 1, "8.5 x 11.0 in."}, {0x0407, 1, "8,5 x 11,0 in."}, {0x0807, 1, "8.5 x 11.0 in."},
        {0x3009, 1, "8,5 x 11,0 in."}, {0x0409, 2, "216 x 279 mm"},   {0x0407, 2, "216 x 279 mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(SetThreadLocale(c.locale));
        record.dmUnits = c.units;
        EXPECT_EQ(library.getStringSize(73, &record), std::strlen(c.text));
        EXPECT_EQ(library.text(73, &record), c.text);
    }
}

TEST_F(Initialised, DefaultRecordOfThePhotoModelByThreadLocale)
{
    for (auto [locale, units] : {std::pair<LCID, int32_t>{0x0409, 1}, {0x0407, 2}}) {
        SCOPED_TRACE(locale);
        ASSERT_TRUE(SetThreadLocale(locale));
        LCDEVMODE record = blankRecord("Pelmora PhotoJet 100");
        library.defaultDevMode(&record);
        EXPECT_EQ(record.dmUnits, units);
        EXPECT_STREQ(record.dmPrinterName, "Pelmora PhotoJet 100");
        EXPECT_EQ(record.dmStatus, 7u);
        EXPECT_EQ(record.dmPaperFlags, 0x1000u);
        EXPECT_EQ(record.dmPrintQuality, -4);
        EXPECT_EQ(record.dmAutoMedia, 1);
        EXPECT_EQ(record.dmLayoutCode, 7);
        EXPECT_EQ(record.dmCollate, 0);
        EXPECT_EQ(record.dmPaperSize, 296u);
        EXPECT_EQ(record.dmSavedPaperSize, 296u);
        EXPECT_STREQ(record.dmWatermark.wmName, "Confidential");
        EXPECT_STREQ(record.dmWatermark.wmFont.lfFaceName, "Arial");
        EXPECT_EQ(std::memcmp(&record.dmWatermark, &record.dmWatermark2, sizeof record.dmWatermark), 0);
    }
}
