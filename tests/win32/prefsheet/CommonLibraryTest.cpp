// drvcommon.dll under Wine through the preferences' adapters: product options
// of the photo model, the printer registry component and the status cache in
// the real registry, and the watermark store on top of them.
#include "CommonLibrary_win.h"
#include "DefaultDevMode.h"
#include "GUIFeatures.h"
#include "OptionKeys.h"
#include "Options.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>
#include "TestSupport.h"

using namespace testsupport;

namespace {

const char kPrinter[] = "\\\\server\\Pelmora Test";
const char kSettingsKey[] = "Software\\Pelmora\\PrinterSettings\\,,server,Pelmora Test";
const char kStatusKey[] = "Software\\Pelmora\\PrinterStatus\\,,server,Pelmora Test";

class CleanRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        deleteTree(kSettingsKey, HKEY_CURRENT_USER);
        deleteTree(kStatusKey, HKEY_CURRENT_USER);
    }
    void TearDown() override { SetUp(); }
};

}  // namespace

TEST(ProductOptions, PhotoModelFromProductIni)
{
    DrvProductOptions product;
    Options options(product);
    EXPECT_TRUE(options.equals(OptionKey::IDO_SNAPSHOT_4X6, 1));
    EXPECT_FALSE(options.equals(OptionKey::IDO_SNAPSHOT_4X6, 0));
    EXPECT_TRUE(options.equals(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 0));
    EXPECT_FALSE(options.equals(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 1));
    EXPECT_EQ(options.number(OptionKey::IDO_DMMAXWIDTHMM), 216u);
    EXPECT_EQ(options.text(OptionKey::IDO_PROP_RESDLL), "ppres.dll");
    EXPECT_TRUE(options.textEquals(OptionKey::IDO_AUTOPAPERTYPE_LINK, "1"));
    // A key the product does not list is neither 0 nor 1, and reads as 0 and "".
    EXPECT_FALSE(options.equals("IDO_NOT_A_KEY", 0));
    EXPECT_FALSE(options.equals("IDO_NOT_A_KEY", 1));
    EXPECT_EQ(options.number("IDO_NOT_A_KEY"), 0u);
    EXPECT_EQ(options.text("IDO_NOT_A_KEY"), "");
    // A text option is not a number.
    EXPECT_EQ(options.number(OptionKey::IDO_PROP_RESDLL), 0u);
    EXPECT_FALSE(options.equals(OptionKey::IDO_PROP_RESDLL, 0));
}

TEST(SystemConfiguration, PhotoModelTablesAndItems)
{
    DrvSystemConfig config;
    EXPECT_EQ(config.Initialize("no-such-file.cfg"), 0);
    EXPECT_EQ(config.GenerateTableList(10600), 1);
    EXPECT_EQ(config.Initialize("pmphoto.cfg"), 1);
    EXPECT_EQ(config.IsPaperSizeSupported(60), 0);   // only while the table is generated
    EXPECT_EQ(config.GenerateTableList(10600), 0);
    EXPECT_EQ(config.GenerateTableList(10015), 0);
    EXPECT_EQ(config.IsPaperSizeSupported(60), 1);
    EXPECT_EQ(config.IsPaperSizeSupported(5), 0);
    EXPECT_EQ(config.IsMediaTypeSupported(258), 1);
    EXPECT_EQ(config.IsMediaTypeSupported(257), 0);
    uint32_t out = 99;
    EXPECT_EQ(config.GetItemData(10202, out), 1u);
    EXPECT_EQ(out, 1u);
    EXPECT_EQ(config.GetItemData(25016, out), 0u);
    EXPECT_EQ(config.GetItemData(4711, out), 0u);
    EXPECT_EQ(config.GetDefaultSize(0), 1u);
    EXPECT_EQ(config.GetDefaultSize(0x1000), 296u);
    EXPECT_EQ(config.GetDefaultSize(0x8000), 20u);
    EXPECT_EQ(config.GetDefaultMediaType(), 1);
    config.ReleaseTableList(10600);
    EXPECT_EQ(config.IsPaperSizeSupported(60), 0);
}

TEST(SystemConfiguration, AFailedReinitialisationLeavesNoTablesBehind)
{
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string inconsistent = std::string(folder) + "pm-inconsistent.cfg";
    {
        std::ofstream out(inconsistent, std::ios::binary);
        out << "[Paper]\n1 = Letter, 2550, 3300, 0\n[DefaultSize]\n0 = 9\n";   // default not in the table
    }
    const char* const failures[] = {"no-such-file.cfg", inconsistent.c_str()};
    for (const char* failure : failures) {
        SCOPED_TRACE(failure);
        DrvSystemConfig config;
        ASSERT_EQ(config.Initialize("pmphoto.cfg"), 1);
        ASSERT_EQ(config.GenerateTableList(10600), 0);
        ASSERT_EQ(config.GenerateTableList(10015), 0);
        ASSERT_EQ(config.IsPaperSizeSupported(60), 1);

        EXPECT_EQ(config.Initialize(failure), 0);
        EXPECT_EQ(config.IsPaperSizeSupported(60), 0);
        EXPECT_EQ(config.IsMediaTypeSupported(258), 0);
        EXPECT_EQ(config.GetDefaultSize(0x1000), 0u);
        EXPECT_EQ(config.GetDefaultMediaType(), 0);
        uint32_t out = 99;
        EXPECT_EQ(config.GetItemData(10202, out), 0u);
        EXPECT_EQ(config.GenerateTableList(10600), 1);
    }
    DeleteFileA(inconsistent.c_str());
}

TEST_F(CleanRegistry, RegistryComponentReadsWritesAndRaises)
{
    DrvRegistry registry;
    registry.SetFriendlyName(kPrinter);
    ASSERT_TRUE(registry.Create("PRP"));
    const DWORD number = 42;
    EXPECT_TRUE(registry.Write("Remember Type", 4, &number, sizeof number));
    DWORD read = 0;
    EXPECT_EQ(registry.Read("Remember Type", &read, sizeof read), 4u);
    EXPECT_EQ(read, 42u);
    try {
        registry.Read("Missing", &read, sizeof read);
        ADD_FAILURE() << "no exception for a missing value";
    } catch (const RegistryReadError& error) {
        EXPECT_EQ(error.code(), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    }
    char small[2];
    try {
        registry.Read("Remember Type", small, sizeof small);
        ADD_FAILURE() << "no exception for a value larger than the buffer";
    } catch (const RegistryReadError& error) {
        EXPECT_EQ(error.code(), static_cast<uint32_t>(ERROR_MORE_DATA));
    }
    EXPECT_TRUE(registry.DeleteValue("Remember Type"));
    registry.Close();
    EXPECT_THROW(registry.Read("Remember Type", &read, sizeof read), RegistryReadError);

    registry.SetPersonalSettings(1);
    ASSERT_TRUE(registry.Create("SLOT2"));
    EXPECT_TRUE(registry.Write("Slot2 Name", 1, "NULL", 5));
    registry.Close();
    DWORD type = 0;
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\Personal\\SLOT2", "Slot2 Name", type),
              (std::vector<BYTE>{'N', 'U', 'L', 'L', 0}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(CleanRegistry, StatusCacheAnswersOnlyForAKnownPrinter)
{
    CComxDataRetriever cache;
    EXPECT_EQ(cache.GetPrinterCacheData(kPrinter), 0);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kStatusKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD percent = 35, duplexer = 1, cartridge = 0x80;
    RegSetValueExA(key, "InkPercent3", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&percent), sizeof percent);
    RegSetValueExA(key, "Duplexer", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&duplexer), sizeof duplexer);
    RegSetValueExA(key, "LogCartId2", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&cartridge), sizeof cartridge);
    RegCloseKey(key);
    EXPECT_EQ(cache.GetPrinterCacheData(kPrinter), 1);
    EXPECT_EQ(cache.GetInkPercent(3), 35u);
    EXPECT_EQ(cache.GetInkPercent(4), 0u);
    EXPECT_EQ(cache.GetInkPercent(10), 0u);
    EXPECT_EQ(cache.GetPrintDuplexerStatus(), 1u);
    EXPECT_EQ(cache.GetLogCartId(2), 0x80u);
    EXPECT_EQ(cache.GetOptTrayStatus(), 0u);
}

TEST_F(CleanRegistry, WatermarkStoreInTheRealRegistry)
{
    DrvProductOptions product;
    DrvRegistry registry;
    DrvTrace trace;
    WatermarkDefaults defaults;
    defaults.name = "Confidential";
    const LCWMARKINFO defaultMark = BuildDefaultWatermark(defaults);
    const std::string prp = std::string(kSettingsKey) + "\\PRP";
    {
        GUIFeatures features(product, registry, trace, defaultMark);
        EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);
        EXPECT_EQ(features.GetCurWatermarkCount(), 1u);
    }
    DWORD type = 0;
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, prp, "Watermark Count", type), (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    std::vector<BYTE> list = rawValue(HKEY_CURRENT_USER, prp, "Watermarks", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(list.size(), 212u);
    EXPECT_EQ(std::memcmp(list.data(), &defaultMark, 212), 0);

    // A count the list cannot back: the default watermark, the values kept.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, prp.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const DWORD damaged = 0x40000002;
    RegSetValueExA(key, "Watermark Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&damaged), sizeof damaged);
    RegCloseKey(key);
    {
        GUIFeatures features(product, registry, trace, defaultMark);
        EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);
        ASSERT_EQ(features.GetCurWatermarkCount(), 1u);
        LCWMARKINFO mark;
        features.GetCurWatermarkList(&mark);
        EXPECT_EQ(std::memcmp(&mark, &defaultMark, 212), 0);
    }
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, prp, "Watermark Count", type), (std::vector<BYTE>{2, 0, 0, 0x40}));
}
