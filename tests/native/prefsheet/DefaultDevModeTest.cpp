// Default records per product: the option keys and configuration items that
// change them, and the fields no default may touch.
#include "DefaultDevMode.h"
#include "OptionKeys.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Product {
    FakeProduct options;
    FakeSystemConfig config;
    RecordingTrace trace;
    uint32_t locale = 0x0409;

    Product()
    {
        options.setText(OptionKey::IDO_CONFIG_DLL, "model.cfg");
        config.defaultSizes = {{0, 1}, {0x1000, 60}, {0x4000, 20}, {0x8000, 30}};
        config.defaultMedia = 0x0101;
    }

    LCDEVMODE generate(uint8_t fill = 0xA5)
    {
        LCDEVMODE record;
        std::memset(&record, fill, sizeof record);
        WatermarkDefaults watermark;
        watermark.name = "Confidential";
        DefaultContext context{options, config, trace, locale, watermark};
        GuiDefaultGenDevMode(&record, context);
        return record;
    }
};

}  // namespace

TEST(DefaultDevMode, PlainProductGetsTheFixedValues)
{
    Product p;
    LCDEVMODE r = p.generate();
    EXPECT_EQ(r.dmOrientation, 1);
    EXPECT_EQ(r.dmPageOrder, 1);
    EXPECT_EQ(r.dmPaperSize, 1u);
    EXPECT_EQ(r.dmSavedPaperSize, 1u);
    EXPECT_EQ(r.dmCustomLength, 0);
    EXPECT_EQ(r.dmCustomWidth, 0);
    EXPECT_EQ(r.dmUnits, 1);
    EXPECT_EQ(r.dmCopies, 1);
    EXPECT_EQ(r.dmPaperSource, 1);
    EXPECT_EQ(r.dmPrintQuality, -2);
    EXPECT_EQ(r.dmAutoMedia, 0);
    EXPECT_EQ(r.dmColorMode, 2);
    EXPECT_EQ(r.dmDuplexMode, 1);
    EXPECT_EQ(r.dmCollate, 1);
    EXPECT_EQ(r.dmPaperFlags, 0u);
    EXPECT_EQ(r.dmMediaType, 0x0101u);
    EXPECT_EQ(r.dmMediaType2, 0x0101u);
    EXPECT_EQ(r.dmMediaType3, 0x0101u);
    EXPECT_EQ(r.dmDuplexMethod, 2);
    EXPECT_EQ(r.dmPrintWord140, 2);
    EXPECT_EQ(r.dmPrintWord144, 3);
    EXPECT_EQ(r.dmPrintWord148, 5);
    EXPECT_EQ(r.dmLayoutCode, 0);
    EXPECT_EQ(r.dmContrastLevel, 1);
    EXPECT_EQ(r.dmFlashFillLevel, 1);
    EXPECT_EQ(r.dmImageSharpening, 1);
    EXPECT_EQ(r.dmPosterColumns, 2);
    EXPECT_EQ(r.dmPosterRows, 2);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(r.dmPosterPages[i], 0u);
        EXPECT_EQ(r.dmPosterDisplay[i], 0u);
    }
    EXPECT_EQ(r.dmFeatureWord220, 2);
    EXPECT_EQ(r.dmFeatureWord224, 1);
    EXPECT_EQ(r.dmFeatureWord228, 8);
    EXPECT_EQ(r.dmDryTime, 0);
    EXPECT_EQ(r.dmWatermarkPages, 0);
    EXPECT_EQ(r.dmWatermarkLayer, 0);
    EXPECT_EQ(r.dmPaperWord41C, 0);
    // Saved copies follow the values they save.
    EXPECT_EQ(r.dmSavedCollate, 1);
    EXPECT_EQ(r.dmSavedPageOrder, 1);
    EXPECT_EQ(r.dmSavedCopies, 1);
    EXPECT_EQ(r.dmSavedPrintQuality, -2);
    EXPECT_EQ(r.dmSavedOrientation, 1);
    EXPECT_EQ(r.dmSavedMediaType, 0x0101u);
}

TEST(DefaultDevMode, LeavesNameStatusAndUncoveredBytesAlone)
{
    Product p;
    LCDEVMODE r = p.generate(0xA5);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
    auto untouched = [bytes](std::size_t offset, std::size_t width) {
        for (std::size_t i = offset; i < offset + width; ++i) {
            if (bytes[i] != 0xA5)
                return false;
        }
        return true;
    };
    EXPECT_TRUE(untouched(0x000, 256)) << "dmPrinterName";
    EXPECT_TRUE(untouched(0x100, 4)) << "dmStatus";
    EXPECT_TRUE(untouched(0x168, 4)) << "dmBlackWhite";
    EXPECT_TRUE(untouched(0x170, 4)) << "dmPaperWord170";
    EXPECT_TRUE(untouched(0x21C, 4));
    EXPECT_TRUE(untouched(0x22C, 8));
    EXPECT_TRUE(untouched(0x234, 4)) << "dmFeatureWord234";
    EXPECT_TRUE(untouched(0x238, 4));
    EXPECT_TRUE(untouched(0x240, 16));
    EXPECT_TRUE(untouched(0x272, 2));
}

// Every word a default writes, by offset: together with the bytes a default
// leaves alone and the two watermarks, the table covers the whole record.
TEST(DefaultDevMode, EveryWrittenWordHasItsDefaultAtItsOffset)
{
    const struct {
        std::size_t offset;
        std::size_t width;
        int64_t value;
    } words[] = {
        {0x104, 4, 1},     {0x108, 4, 1},     {0x10C, 4, 1},     {0x110, 4, 0},     {0x114, 4, 0},
        {0x118, 4, 1},     {0x11C, 4, 1},     {0x120, 4, 1},     {0x124, 4, -2},    {0x128, 4, 2},
        {0x12C, 4, 1},     {0x130, 4, 1},     {0x134, 4, 0},     {0x138, 4, 0x101}, {0x13C, 4, 2},
        {0x140, 4, 2},     {0x144, 4, 3},     {0x148, 4, 5},     {0x14C, 4, 0},     {0x150, 4, 0},
        {0x154, 4, 0},     {0x158, 4, 0x101}, {0x15C, 4, 0x101}, {0x160, 4, 0},     {0x164, 4, 0},
        {0x16C, 4, 0},     {0x174, 4, 1},     {0x178, 4, 0},     {0x17C, 4, 1},     {0x180, 4, 0},
        {0x184, 4, 1},     {0x188, 4, 1},     {0x18C, 4, 0},     {0x190, 4, 2},     {0x194, 4, 2},
        {0x198, 4, 0},     {0x220, 4, 2},     {0x224, 4, 1},     {0x228, 4, 8},     {0x23C, 4, 0},
        {0x250, 4, 1},     {0x254, 4, 1},     {0x258, 4, 1},     {0x25C, 4, -2},    {0x260, 4, 1},
        {0x264, 4, 0x101}, {0x268, 4, 1},     {0x26C, 4, 0},     {0x270, 1, 0},     {0x271, 1, 0},
        {0x41C, 4, 0},
    };
    const struct {
        std::size_t offset;
        std::size_t width;
    } elsewhere[] = {
        {0x000, 0x104},                 // name and status
        {0x168, 4}, {0x170, 4},         // not written by a default
        {0x19C, 128},                   // poster pages and display, checked by their own test
        {0x21C, 4}, {0x22C, 8}, {0x234, 4}, {0x238, 4}, {0x240, 16}, {0x272, 2},
        {0x274, 2 * 212},               // the two watermarks
    };

    Product p;
    LCDEVMODE r = p.generate(0xA5);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
    std::vector<bool> covered(sizeof r, false);
    for (const auto& word : words) {
        SCOPED_TRACE(testing::Message() << "offset 0x" << std::hex << word.offset);
        int32_t value = 0;
        std::memcpy(&value, bytes + word.offset, word.width);
        if (word.width == 1)
            value = bytes[word.offset];
        EXPECT_EQ(value, word.value);
        for (std::size_t i = word.offset; i < word.offset + word.width; ++i)
            covered[i] = true;
    }
    for (const auto& range : elsewhere) {
        for (std::size_t i = range.offset; i < range.offset + range.width; ++i)
            covered[i] = true;
    }
    for (std::size_t i = 0; i < sizeof r; ++i)
        EXPECT_TRUE(covered[i]) << "byte 0x" << std::hex << i << " is in no field of the table";
}

TEST(DefaultDevMode, Snapshot4x6WithAutomaticMedia)
{
    Product p;
    p.options.set(OptionKey::IDO_SNAPSHOT_4X6, 1);
    p.config.items[10202] = 1;
    LCDEVMODE r = p.generate();
    EXPECT_EQ(r.dmPaperFlags, 0x1000u);
    EXPECT_EQ(r.dmPrintQuality, -4);   // not -99: the snapshot wins
    EXPECT_EQ(r.dmSavedPrintQuality, -4);
    EXPECT_EQ(r.dmAutoMedia, 1);
    EXPECT_EQ(r.dmLayoutCode, 7);
    EXPECT_EQ(r.dmCollate, 0);
    EXPECT_EQ(r.dmSavedCollate, 0);
    EXPECT_EQ(r.dmPaperSize, 60u);
    EXPECT_EQ(r.dmSavedPaperSize, 60u);
}

TEST(DefaultDevMode, SnapshotIsAFlagEqualToOneNotAnyNonzeroValue)
{
    Product p;
    p.options.set(OptionKey::IDO_SNAPSHOT_4X6, 2);
    LCDEVMODE r = p.generate();
    EXPECT_EQ(r.dmPaperFlags, 0u);
    EXPECT_EQ(r.dmLayoutCode, 0);
    EXPECT_EQ(r.dmPaperSize, 1u);
}

TEST(DefaultDevMode, AutomaticMediaDetectionGivesAutomaticQuality)
{
    Product p;
    p.config.items[10202] = 1;
    LCDEVMODE r = p.generate();
    EXPECT_EQ(r.dmAutoMedia, 1);
    EXPECT_EQ(r.dmPrintQuality, -99);
    EXPECT_EQ(r.dmSavedPrintQuality, -99);
}

TEST(DefaultDevMode, PaperSourceByNumberOfTrays)
{
    for (auto [bins, source] : {std::pair<uint32_t, int>{0, 1}, {1, 1}, {2, 7}, {3, 7}}) {
        SCOPED_TRACE(bins);
        Product p;
        p.options.set(OptionKey::IDO_NUMBER_BINS, bins);
        EXPECT_EQ(p.generate().dmPaperSource, source);
    }
}

TEST(DefaultDevMode, PageOrderStandardOnlyWhenTheFlagEqualsOne)
{
    for (auto [flag, order] : {std::pair<uint32_t, int>{0, 1}, {1, 2}, {2, 1}}) {
        SCOPED_TRACE(flag);
        Product p;
        p.options.set(OptionKey::IDO_DEFAULT_PAGEORDER_STANDARD, flag);
        LCDEVMODE r = p.generate();
        EXPECT_EQ(r.dmPageOrder, order);
        EXPECT_EQ(r.dmSavedPageOrder, order);
    }
}

TEST(DefaultDevMode, DuplexOnlyWithAutomaticDuplexSupportOne)
{
    for (auto [support, mode] : {std::pair<uint32_t, int>{0, 1}, {1, 2}, {2, 1}}) {
        SCOPED_TRACE(support);
        Product p;
        p.config.items[25016] = support;
        EXPECT_EQ(p.generate().dmDuplexMode, mode);
    }
}

TEST(DefaultDevMode, UnitsByLocale)
{
    for (auto [locale, units] : {std::pair<uint32_t, int>{0x0409, 1}, {0x0809, 2}, {0x0407, 2}, {0x3009, 2}}) {
        SCOPED_TRACE(locale);
        Product p;
        p.locale = locale;
        EXPECT_EQ(p.generate().dmUnits, units);
    }
}

TEST(DefaultDevMode, ConfigurationTablesGeneratedAndReleased)
{
    Product p;
    p.generate();
    EXPECT_EQ(p.config.calls, (std::vector<std::string>{"Initialize model.cfg", "Generate 10600", "Generate 10015",
                                                         "Release 10600", "Release 10015"}));
}

TEST(DefaultDevMode, ConfigurationFailuresAreTracedAndTheRecordStillFilled)
{
    {
        Product p;
        p.config.initializes = false;
        LCDEVMODE r = p.generate();
        EXPECT_TRUE(p.trace.contains("GuiDefaultGenDevMode: FAILED TO INITIALIZE sysConfigDLL"));
        EXPECT_EQ(r.dmCopies, 1);
    }
    {
        Product p;
        p.config.generateResult = 5;
        p.generate();
        EXPECT_TRUE(p.trace.contains("GuiDefaultGenDevMode: FAILED TO GENERATE PAPER TABLE"));
        EXPECT_TRUE(p.trace.contains("GuiDefaultGenDevMode: FAILED TO GENERATE MEDIA LIST"));
    }
}

TEST(DefaultDevMode, BothWatermarksAreTheDefaultWatermark)
{
    Product p;
    LCDEVMODE r = p.generate();
    EXPECT_EQ(std::memcmp(&r.dmWatermark, &r.dmWatermark2, sizeof r.dmWatermark), 0);
    const LCWMARKINFO& w = r.dmWatermark;
    EXPECT_EQ(w.wmIndex, 0u);
    EXPECT_STREQ(w.wmName, "Confidential");
    EXPECT_STREQ(w.wmText, "");
    EXPECT_EQ(w.wmFont.lfHeight, 1440);
    EXPECT_EQ(w.wmFont.lfWidth, 0);
    EXPECT_EQ(w.wmFont.lfEscapement, 450);
    EXPECT_EQ(w.wmFont.lfOrientation, 450);
    EXPECT_EQ(w.wmFont.lfWeight, 400);
    EXPECT_EQ(w.wmFont.lfCharSet, 0);
    EXPECT_EQ(w.wmFont.lfPitchAndFamily, 0x22);
    EXPECT_STREQ(w.wmFont.lfFaceName, "Arial");
    EXPECT_EQ(w.wmColor, 0u);
    EXPECT_EQ(w.wmShade, 50u);
    EXPECT_EQ(w.wmOption204, 0);
    EXPECT_EQ(w.wmOption206, 0);
    EXPECT_EQ(w.wmOption208, 0u);
}

TEST(DefaultWatermark, NamesAreCutTo64CharactersAndEndInsideTheField)
{
    const struct {
        std::size_t length;
        std::size_t kept;
    } cases[] = {{63, 63}, {64, 64}, {65, 64}, {100, 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        WatermarkDefaults defaults;
        defaults.name = std::string(c.length, 'W');
        LCWMARKINFO w;
        std::memset(&w, 'x', sizeof w);
        w = BuildDefaultWatermark(defaults);
        EXPECT_EQ(std::string(w.wmName, strnlen(w.wmName, sizeof w.wmName)), std::string(c.kept, 'W'));
        EXPECT_EQ(w.wmName[64], '\0');
    }
}

TEST(DefaultWatermark, IconTitleFontOnlyOnEastAsianCodePagesWithThePlatformQuery)
{
    WatermarkDefaults defaults;
    defaults.hasIconTitleFont = true;
    defaults.iconTitleFont.lfCharSet = 128;
    defaults.iconTitleFont.lfPitchAndFamily = 0x31;
    std::strcpy(defaults.iconTitleFont.lfFaceName, "MS UI Gothic");
    defaults.iconTitleFont.lfHeight = -12;

    const std::string face31(31, 'F');
    const struct {
        bool query;
        uint32_t codePage;
        std::string systemFace;   // as the system gives it: 32 bytes, maybe without a zero
        std::string face;
    } cases[] = {
        {true, 932, "MS UI Gothic", "MS UI Gothic"}, {true, 936, "MS UI Gothic", "MS UI Gothic"},
        {true, 949, "MS UI Gothic", "MS UI Gothic"}, {true, 950, "MS UI Gothic", "MS UI Gothic"},
        {false, 932, "MS UI Gothic", "Arial"},       {true, 1252, "MS UI Gothic", "Arial"},
        {true, 932, face31, face31},                 {true, 932, face31 + "G", face31},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        defaults.platformQuery = c.query;
        defaults.ansiCodePage = c.codePage;
        std::memset(defaults.iconTitleFont.lfFaceName, 0, sizeof defaults.iconTitleFont.lfFaceName);
        std::memcpy(defaults.iconTitleFont.lfFaceName, c.systemFace.data(), c.systemFace.size());
        LCWMARKINFO w = BuildDefaultWatermark(defaults);
        EXPECT_EQ(std::string(w.wmFont.lfFaceName, strnlen(w.wmFont.lfFaceName, 32)), c.face);
        EXPECT_EQ(w.wmFont.lfFaceName[31], '\0');
        EXPECT_EQ(w.wmFont.lfHeight, 1440);  // only face, character set and pitch come from the system
        EXPECT_EQ(w.wmFont.lfCharSet, c.face == "Arial" ? 0 : 128);
    }
}
