// The watermark store against an in-memory registry component: first use,
// stored lists, damaged counts, writing back and the list copies.
#include "DefaultDevMode.h"
#include "GUIFeatures.h"
#include "OptionKeys.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char kPrinter[] = "Pelmora Photo 100";
const char kKey[] = "Pelmora Photo 100\\PRP";

LCWMARKINFO watermarkNamed(const char* name, uint32_t index)
{
    WatermarkDefaults defaults;
    defaults.name = name;
    LCWMARKINFO mark = BuildDefaultWatermark(defaults);
    mark.wmIndex = index;
    return mark;
}

std::vector<uint8_t> bytesOf(const void* data, std::size_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + size);
}

struct Store {
    FakeProduct product;
    FakeRegistry registry;
    RecordingTrace trace;
    LCWMARKINFO defaultMark = watermarkNamed("Confidential", 0);

    Store()
    {
        product.setText(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, "WMCount");
        product.setText(OptionKey::IDO_KEY_NAME_WATERMARK, "WMList");
    }
    void storeCount(uint32_t count) { registry.put(kKey, "WMCount", kRegNumber, &count, sizeof count); }
    void storeList(const std::vector<LCWMARKINFO>& list)
    {
        registry.put(kKey, "WMList", kRegBinary, list.data(), list.size() * sizeof(LCWMARKINFO));
    }
};

std::vector<LCWMARKINFO> storedList(const GUIFeatures& features)
{
    std::vector<LCWMARKINFO> list(features.GetCurWatermarkCount());
    features.GetCurWatermarkList(list.data());
    return list;
}

}  // namespace

TEST(WatermarkStore, FirstUseWritesExactlyOneDefaultWatermark)
{
    Store s;
    // The default watermark of a default record is the one the store starts with.
    FakeProduct product;
    FakeSystemConfig config;
    RecordingTrace trace;
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    DefaultContext context{product, config, trace, 0x0409, WatermarkDefaults{"Confidential"}};
    GuiDefaultGenDevMode(&record, context);

    GUIFeatures features(s.product, s.registry, s.trace, record.dmWatermark);
    EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);

    EXPECT_TRUE(s.trace.contains("Unexpected Error Occurred.. writting the default Reg Key values."));
    const FakeRegistry::Value* count = s.registry.find(kKey, "WMCount");
    const FakeRegistry::Value* list = s.registry.find(kKey, "WMList");
    ASSERT_NE(count, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(count->type, kRegNumber);
    EXPECT_EQ(count->data, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(list->type, kRegBinary);
    EXPECT_EQ(list->data, bytesOf(&record.dmWatermark, sizeof record.dmWatermark));
    EXPECT_EQ(features.GetCurWatermarkCount(), 1u);
    EXPECT_EQ(s.registry.log.back(), "Close Pelmora Photo 100\\PRP");
}

TEST(WatermarkStore, StoredListIsReadAsItIs)
{
    Store s;
    std::vector<LCWMARKINFO> marks = {watermarkNamed("Confidential", 0), watermarkNamed("Draft", 1),
                                      watermarkNamed("Copy", 2)};
    s.storeCount(3);
    s.storeList(marks);
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);
    std::vector<LCWMARKINFO> list = storedList(features);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(bytesOf(list.data(), 3 * 212), bytesOf(marks.data(), 3 * 212));
    EXPECT_EQ(s.registry.log, (std::vector<std::string>{"Create Pelmora Photo 100\\PRP", "Close Pelmora Photo 100\\PRP"}));
}

// A store whose values do not fit together shows the default watermark and
// writes nothing: the user's list stays as it was until the user stores one.
// Nothing is allocated for a count before the list's size has confirmed it.
TEST(WatermarkStore, DamagedStoresFallBackToTheDefaultWatermark)
{
    auto u32 = [](uint32_t v) { return bytesOf(&v, 4); };
    const struct {
        const char* what;
        std::vector<uint8_t> count;   // the count value's bytes
        std::size_t records;          // stored list length in records
        bool listPresent;
    } cases[] = {
        {"count times 212 overflows", u32(0x20000000u), 1, true},
        {"count times 212 wraps to two records", u32(0x40000002u), 2, true},
        {"list shorter than the count", u32(3), 2, true},
        {"list longer than the count", u32(1), 2, true},
        {"list missing", u32(2), 0, false},
        {"count of two bytes", {1, 0}, 1, true},
        {"count of eight bytes", {1, 0, 0, 0, 0, 0, 0, 0}, 1, true},
        {"empty count", {}, 1, true},
        {"count 0 with a list", u32(0), 1, true},
        {"a count of millions with one record", u32(5000000), 1, true},
        {"a count the 32-bit vector cannot hold", u32(15000000), 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Store s;
        s.registry.put(kKey, "WMCount", kRegNumber, c.count.data(), c.count.size());
        if (c.listPresent) {
            std::vector<LCWMARKINFO> marks;
            for (std::size_t i = 0; i < c.records; ++i)
                marks.push_back(watermarkNamed("Stored", static_cast<uint32_t>(i)));
            s.storeList(marks);
        }
        const FakeRegistry::Value* list = s.registry.find(kKey, "WMList");
        const std::vector<uint8_t> listBefore = list != nullptr ? list->data : std::vector<uint8_t>();

        GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
        EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);
        std::vector<LCWMARKINFO> shown = storedList(features);
        EXPECT_EQ(bytesOf(shown.data(), shown.size() * 212), bytesOf(&s.defaultMark, 212));
        EXPECT_TRUE(s.trace.contains("damaged store") || s.trace.contains("Unexpected Error Occurred."));
        EXPECT_FALSE(s.trace.contains("writting the default Reg Key values"));
        EXPECT_EQ(s.registry.log, (std::vector<std::string>{"Create Pelmora Photo 100\\PRP",
                                                            "Close Pelmora Photo 100\\PRP"}));
        EXPECT_EQ(s.registry.find(kKey, "WMCount")->data, c.count);
        if (c.listPresent) {
            EXPECT_EQ(s.registry.find(kKey, "WMList")->data, listBefore);
        }
        for (uint32_t size : s.registry.readBuffers)
            EXPECT_LE(size, std::max<std::size_t>(listBefore.size(), 4));
    }
}

// Whatever the registry component throws stays inside the store, and the
// key is closed: the printing application's process goes on without a list.
TEST(WatermarkStore, AnUnexpectedExceptionLeavesAnEmptyListAndClosesTheKey)
{
    Store s;
    s.storeCount(1);
    s.storeList({watermarkNamed("Stored", 0)});
    s.registry.throwLengthErrorOn = "WMList";
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    int result = -1;
    EXPECT_NO_THROW(result = features.SetWatermarkInitialInfo(kPrinter));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(features.GetCurWatermarkCount(), 0u);
    EXPECT_TRUE(s.trace.contains("Unable to allocate enough space for original WATERMARK values."));
    EXPECT_EQ(s.registry.log.back(), "Close Pelmora Photo 100\\PRP");
}

TEST(WatermarkStore, ZeroCountIsAnEmptyList)
{
    Store s;
    s.storeCount(0);
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    EXPECT_EQ(features.SetWatermarkInitialInfo(kPrinter), 0);
    EXPECT_EQ(features.GetCurWatermarkCount(), 0u);
}

TEST(WatermarkStore, FlagZeroOpensAndClosesAndWritesNothing)
{
    Store s;
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    LCWMARKINFO mark = watermarkNamed("Draft", 1);
    features.SetCurWatermarkList(&mark, 1);
    EXPECT_FALSE(features.SetWatermarkReg(0, kPrinter));
    EXPECT_EQ(s.registry.log, (std::vector<std::string>{"Create Pelmora Photo 100\\PRP", "Close Pelmora Photo 100\\PRP"}));
    EXPECT_EQ(s.registry.find(kKey, "WMCount"), nullptr);
    EXPECT_TRUE(s.trace.contains("iWatermarkReg 0"));
}

TEST(WatermarkStore, FlagOneWritesCountThenList)
{
    Store s;
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    std::vector<LCWMARKINFO> marks = {watermarkNamed("A", 0), watermarkNamed("B", 1)};
    features.SetCurWatermarkList(marks.data(), 2);
    EXPECT_TRUE(features.SetWatermarkReg(1, kPrinter));
    EXPECT_EQ(s.registry.log,
              (std::vector<std::string>{"Create Pelmora Photo 100\\PRP", "Write Pelmora Photo 100\\PRP\\WMCount",
                                        "Write Pelmora Photo 100\\PRP\\WMList", "Close Pelmora Photo 100\\PRP"}));
    EXPECT_EQ(s.registry.find(kKey, "WMCount")->data, (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(s.registry.find(kKey, "WMList")->data, bytesOf(marks.data(), 2 * 212));

    // ... and the next opening reads the same list back.
    GUIFeatures reopened(s.product, s.registry, s.trace, s.defaultMark);
    EXPECT_EQ(reopened.SetWatermarkInitialInfo(kPrinter), 0);
    std::vector<LCWMARKINFO> list = storedList(reopened);
    EXPECT_EQ(bytesOf(list.data(), list.size() * 212), bytesOf(marks.data(), 2 * 212));
}

TEST(WatermarkStore, ScratchAndStoredListsAreIndependentCopies)
{
    Store s;
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    std::vector<LCWMARKINFO> marks = {watermarkNamed("A", 0), watermarkNamed("B", 1)};
    features.SetCurWatermarkList(marks.data(), 2);
    features.SetTempWatermarkData(marks.data(), 1);
    marks[0].wmShade = 99;   // the store holds copies
    EXPECT_EQ(features.GetCurWatermarkCount(), 2u);
    EXPECT_EQ(features.GetTempWatermarkCount(), 1u);
    LCWMARKINFO scratch;
    features.GetTempWatermarkData(&scratch);
    EXPECT_EQ(scratch.wmShade, 50u);
    EXPECT_STREQ(scratch.wmName, "A");

    // Replacing a list by a part of itself keeps the records intact.
    std::vector<LCWMARKINFO> list = storedList(features);
    features.SetTempWatermarkData(list.data(), 2);
    std::vector<LCWMARKINFO> scratchList(features.GetTempWatermarkCount());
    features.GetTempWatermarkData(scratchList.data());
    features.SetTempWatermarkData(scratchList.data() + 1, 1);
    features.GetTempWatermarkData(&scratch);
    EXPECT_STREQ(scratch.wmName, "B");

    features.SetCurWatermarkList(nullptr, 0);
    EXPECT_EQ(features.GetCurWatermarkCount(), 0u);
    EXPECT_TRUE(s.trace.contains("GUIFeatures::SetCurWatermarkList(...)"));
    EXPECT_TRUE(s.trace.contains("GUIFeatures::GetTempWatermarkData(...)"));
}

TEST(FeatureBlock, PosterFlagsFollowTheGridOnlyWithASelectedTile)
{
    const struct {
        int32_t columns, rows;
        bool selected;
        bool f2, f3, f4;
    } cases[] = {
        {2, 2, true, true, false, false}, {3, 3, true, false, true, false}, {4, 4, true, false, false, true},
        {2, 3, true, false, false, false}, {4, 4, false, false, false, false}, {2, 2, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columns << "x" << c.rows << " selected " << c.selected);
        Store s;
        GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
        LCDEVMODE record;
        std::memset(&record, 0, sizeof record);
        record.dmPosterColumns = c.columns;
        record.dmPosterRows = c.rows;
        record.dmPosterPages[5] = c.selected ? 1 : 2;
        features.LoadFrom(record);
        EXPECT_EQ(features.IsPoster2x2(), c.f2);
        EXPECT_EQ(features.IsPoster3x3(), c.f3);
        EXPECT_EQ(features.IsPoster4x4(), c.f4);
    }
}

TEST(FeatureBlock, SaveWritesBackWhatWasLoadedAndTouchesNothingElse)
{
    Store s;
    GUIFeatures features(s.product, s.registry, s.trace, s.defaultMark);
    LCDEVMODE source;
    std::memset(&source, 0, sizeof source);
    source.dmColorMode = 1;
    source.dmDuplexMode = 3;
    source.dmLayoutCode = 4;
    source.dmPosterPages[15] = 1;
    source.dmPosterDisplay[0] = 1;
    source.dmFeatureWord234 = 77;
    source.dmWatermarkPages = 1;
    source.dmWatermarkLayer = 1;
    source.dmWatermark = watermarkNamed("A", 3);
    source.dmWatermark2 = watermarkNamed("B", 4);
    features.LoadFrom(source);

    LCDEVMODE target;
    std::memset(&target, 0x5A, sizeof target);
    features.SaveTo(target);
    EXPECT_EQ(target.dmColorMode, 1);
    EXPECT_EQ(target.dmDuplexMode, 3);
    EXPECT_EQ(target.dmLayoutCode, 4);
    EXPECT_EQ(target.dmPosterPages[15], 1u);
    EXPECT_EQ(target.dmPosterDisplay[0], 1u);
    EXPECT_EQ(target.dmFeatureWord234, 77);
    EXPECT_EQ(target.dmWatermarkPages, 1);
    EXPECT_EQ(target.dmWatermarkLayer, 1);
    EXPECT_EQ(bytesOf(&target.dmWatermark2, 212), bytesOf(&source.dmWatermark2, 212));
    // Paper and print settings belong to other components.
    EXPECT_EQ(target.dmPaperSize, 0x5A5A5A5Au);
    EXPECT_EQ(target.dmCopies, 0x5A5A5A5A);
}
