// The settings model without its rules: construction against the printer
// configuration, load and save of the record, default sizes, ink, printer
// state and capabilities.
#include "GUIPrinter.h"
#include "SettingsBlocks.h"

#include "ModelFakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

// Byte ranges of the record that no field covers.
struct Range {
    std::size_t offset;
    std::size_t width;
};
const Range kUncovered[] = {{0x21C, 4}, {0x22C, 8}, {0x238, 4}, {0x240, 16}, {0x272, 2}};

bool uncovered(std::size_t offset)
{
    for (const Range& r : kUncovered) {
        if (offset >= r.offset && offset < r.offset + r.width)
            return true;
    }
    return false;
}

LCDEVMODE patterned(uint8_t seed)
{
    LCDEVMODE r;
    auto* bytes = reinterpret_cast<uint8_t*>(&r);
    for (std::size_t i = 0; i < sizeof r; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + seed);
    return r;
}

}  // namespace

TEST(GUIPrinterConstruction, InitialisesTheConfigurationAndReadsItsItems)
{
    struct Case {
        bool initializes;
        int generateResult;
        uint32_t autoDuplexItem;
        uint32_t expectedAutoDuplex;
        std::vector<std::string> traces;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {true, 0, 1, 1, {}, {"Initialize pmoffice.cfg", "Generate 10600", "Generate 10015"}},
        {true, 0, 2, 2, {}, {"Initialize pmoffice.cfg", "Generate 10600", "Generate 10015"}},
        {true, 0, 3, 0, {"GUIPrinter: FAILED TO QUERY IDW_AUTODUPLEX_SUPPORT"}, {}},
        {true, 0, 0xFFFFFFFF, 0, {"GUIPrinter: FAILED TO QUERY IDW_AUTODUPLEX_SUPPORT"}, {}},
        {true, 5, 1, 1, {"GUIPrinter: FAILED TO GENERATE PAPER TABLE", "GUIPrinter: FAILED TO GENERATE MEDIA LIST"}, {}},
        {false, 0, 1, 0, {"GUIPrinter: FAILED TO INITIALIZE m_SysConfigDLL"}, {"Initialize pmoffice.cfg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << c.autoDuplexItem << " init " << c.initializes);
        ModelWorld w;
        w.config.initializes = c.initializes;
        w.config.generateResult = c.generateResult;
        w.config.items[kItemAutoDuplexSupport] = c.autoDuplexItem;
        {
            auto model = w.make();
            EXPECT_EQ(model->GetAutoDuplexSupport(), c.expectedAutoDuplex);
            for (const std::string& line : c.traces)
                EXPECT_TRUE(w.trace.contains(line)) << line;
            if (!c.calls.empty()) {
                EXPECT_EQ(w.config.calls, c.calls);
            }
            EXPECT_EQ(model->GetDuplexRulesEnabled(), 1);
            EXPECT_EQ(model->GetConflictCheck(), 0);
        }
        // Destruction releases both tables.
        ASSERT_GE(w.config.calls.size(), 2u);
        EXPECT_EQ(w.config.calls[w.config.calls.size() - 2], "Release 10600");
        EXPECT_EQ(w.config.calls.back(), "Release 10015");
    }
}

TEST(GUIPrinterConstruction, FlagsFromTheOptionKeys)
{
    struct Case {
        int printProp;      // -1: key missing
        int photoQuality;
        int expectedPrintPropertyFlag;
        int expectedPhotoFlag;
    };
    const Case cases[] = {{0, 1, 1, 1}, {1, 0, 0, 0}, {2, 2, 0, 0}, {-1, -1, 0, 0}};
    for (const Case& c : cases) {
        ModelWorld w;
        if (c.printProp >= 0)
            w.product.set(OptionKey::IDO_PMKPRINTPROP, static_cast<uint32_t>(c.printProp));
        if (c.photoQuality >= 0)
            w.product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, static_cast<uint32_t>(c.photoQuality));
        auto model = w.make();
        EXPECT_EQ(model->GetPrintPropertyFlag(), c.expectedPrintPropertyFlag);
        EXPECT_EQ(model->GetPhotoQualityOffered(), c.expectedPhotoFlag);
    }
}

TEST(GUIPrinterDefaults, DefaultSizesPerCategoryAndTheLoadedPlainSize)
{
    ModelWorld w;
    auto model = w.make();
    EXPECT_EQ(model->GetDefaultPaperSize(0), 1u);
    EXPECT_EQ(model->GetDefaultPaperSize(0x4000), 300u);
    EXPECT_EQ(model->GetDefaultPaperSize(0x1000), 296u);
    EXPECT_EQ(model->GetDefaultPaperSize(0x8000), 0u);  // the model keeps three categories
    EXPECT_EQ(model->Paper().defaultSize0, 1u);
    EXPECT_EQ(model->Paper().defaultSize4000, 300u);
    EXPECT_EQ(model->Paper().defaultSize8000, 20u);
    EXPECT_EQ(model->Paper().defaultSize1000, 296u);

    // A loaded record's size to return to becomes the plain-paper default...
    LCDEVMODE r = PlainRecord();
    r.dmSavedPaperSize = 9;
    model->LoadFrom(r);
    EXPECT_EQ(model->GetPlainPaperDefaultSize(), 9u);
    EXPECT_EQ(model->GetDefaultPaperSize(0), 1u);
    // ...until the defaults are read again.
    model->ReadDefaultSizes();
    EXPECT_EQ(model->GetPlainPaperDefaultSize(), 1u);
}

TEST(GUIPrinterRecord, LoadThenSaveRoundTripsEveryFieldAndKeepsUncoveredBytes)
{
    ModelWorld w;
    auto model = w.make();
    LCDEVMODE source = patterned(3);
    std::memset(source.dmPrinterName, 0, sizeof source.dmPrinterName);
    std::strcpy(source.dmPrinterName, "Office \\\\server\\printer");
    // Custom sizes pass through a float: values a float holds exactly.
    source.dmCustomLength = 3300;
    source.dmCustomWidth = -2550;

    model->LoadFrom(source);
    LCDEVMODE target = patterned(0xA5);
    model->SaveTo(target);

    const auto* s = reinterpret_cast<const uint8_t*>(&source);
    const auto* t = reinterpret_cast<const uint8_t*>(&target);
    const LCDEVMODE before = patterned(0xA5);
    const auto* b = reinterpret_cast<const uint8_t*>(&before);
    const std::size_t nameBytes = std::strlen(source.dmPrinterName) + 1;
    for (std::size_t i = 0; i < sizeof target; ++i) {
        const bool callerByte = uncovered(i) || (i >= nameBytes && i < 256);
        ASSERT_EQ(t[i], callerByte ? b[i] : s[i]) << "offset 0x" << std::hex << i;
    }
}

TEST(GUIPrinterRecord, LoadSeedsTheDerivedValues)
{
    ModelWorld w;
    auto model = w.make();
    LCDEVMODE r = PlainRecord();
    r.dmPaperSource = 2;
    r.dmImageSharpening = 2;
    r.dmCustomLength = 1234;
    r.dmPosterColumns = 3;
    r.dmPosterRows = 3;
    r.dmPosterPages[7] = 1;
    model->LoadFrom(r);
    EXPECT_EQ(model->GetPaperSource(), 2);
    EXPECT_EQ(model->GetLoadedPaperSource(), 2);
    EXPECT_EQ(model->GetImageSharpening(), 2);
    EXPECT_EQ(model->GetPlainSharpening(), 2);
    EXPECT_FLOAT_EQ(model->GetCustomLength(), 1234.0f);
    EXPECT_TRUE(model->Features().IsPoster3x3());
    EXPECT_EQ(model->GetPrinterName(), kModelPrinter);

    // Only the colour options' sharpening goes back into the record.
    model->SetPlainSharpening(0);
    model->SetPaperSource(7);
    LCDEVMODE out = PlainRecord();
    model->SaveTo(out);
    EXPECT_EQ(out.dmImageSharpening, 2);
    EXPECT_EQ(out.dmPaperSource, 7);
}

TEST(GUIPrinterRecord, UnterminatedPrinterNameLoadsBoundedAndSavesTerminated)
{
    ModelWorld w;
    auto model = w.make();
    LCDEVMODE r = PlainRecord();
    std::memset(r.dmPrinterName, 'P', sizeof r.dmPrinterName);
    model->LoadFrom(r);
    EXPECT_EQ(model->GetPrinterName(), std::string(255, 'P'));
    LCDEVMODE out = patterned(1);
    model->SaveTo(out);
    EXPECT_EQ(out.dmPrinterName[255], '\0');
    EXPECT_EQ(std::string(out.dmPrinterName), std::string(255, 'P'));
    // The status word follows the name untouched.
    EXPECT_EQ(out.dmStatus, r.dmStatus);
}

TEST(GUIPrinterRecord, CustomSizesTruncateTowardZeroAndSaturate)
{
    struct Case {
        float value;
        int32_t expected;
    };
    const Case cases[] = {
        {12.9f, 12},
        {-12.9f, -12},
        {0.0f, 0},
        {2147483648.0f, INT32_MAX},
        {-2147483648.0f, INT32_MIN},
        {1e30f, INT32_MAX},
        {-1e30f, INT32_MIN},
        {std::numeric_limits<float>::infinity(), INT32_MAX},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(TruncateCustomSize(c.value), c.expected);
        ModelWorld w;
        auto model = w.make();
        model->SetCustomWidth(c.value);
        model->SetCustomLength(c.value);
        LCDEVMODE out = PlainRecord();
        model->SaveTo(out);
        EXPECT_EQ(out.dmCustomWidth, c.expected);
        EXPECT_EQ(out.dmCustomLength, c.expected);
    }
    // The largest record values load and save without leaving the range.
    ModelWorld w;
    auto model = w.make();
    LCDEVMODE r = PlainRecord();
    r.dmCustomLength = INT32_MAX;
    r.dmCustomWidth = INT32_MIN;
    model->LoadFrom(r);
    LCDEVMODE out = PlainRecord();
    model->SaveTo(out);
    EXPECT_EQ(out.dmCustomLength, INT32_MAX);
    EXPECT_EQ(out.dmCustomWidth, INT32_MIN);
}

TEST(GUIPrinterInk, FromTheStatusCacheWhenItAnswers)
{
    ModelWorld w;
    w.status.known = true;
    w.status.inkStyle = 4;
    for (uint32_t i = 0; i < 9; ++i)
        w.status.inkPercent[i] = 10 + i;
    w.status.logCart[0] = 0x71;
    w.status.logCart[1] = 0x80;
    w.status.physCart[0] = 21;
    w.status.physCart[1] = 22;
    w.status.cartStatus[0] = 31;
    w.status.cartStatus[1] = 32;
    auto model = w.make();
    INKINFO driverInk;
    std::memset(driverInk.bytes, 0x5A, sizeof driverInk.bytes);
    model->SetInkInfo2(driverInk, kModelPrinter);

    EXPECT_EQ(model->GetInkWord(InkWord::Style), 4);
    for (uint32_t i = 0; i < 9; ++i)
        EXPECT_EQ(model->GetInkWord(InkWord::FirstLevel + i), static_cast<int32_t>(10 + i));
    EXPECT_EQ(model->GetInkWord(InkWord::LogCart1), 0x71);
    EXPECT_EQ(model->GetInkWord(InkWord::LogCart2), 0x80);
    EXPECT_EQ(model->GetInkWord(InkWord::PhysCart1), 21);
    EXPECT_EQ(model->GetInkWord(InkWord::PhysCart2), 22);
    EXPECT_EQ(model->GetInkWord(InkWord::CartStatus1), 31);
    EXPECT_EQ(model->GetInkWord(InkWord::CartStatus2), 32);
    EXPECT_EQ(model->GetLogicalCartridge1(), 0x71u);
    EXPECT_EQ(model->GetLogicalCartridge2(), 0x80u);
    EXPECT_TRUE(w.trace.contains("GUIPrinter::SetInkInfo2()...From COMX"));

    INKINFO copy;
    model->GetInkInfo2(copy);
    EXPECT_TRUE(w.trace.contains("GUIPrinter::GetInkInfo2()"));
    // Bytes beyond the sixteen ink words stay as the driver gave them.
    for (std::size_t i = InkWord::Count * 4; i < sizeof copy.bytes; ++i)
        ASSERT_EQ(copy.bytes[i], 0x5A);
}

TEST(GUIPrinterInk, AllTenInkWordsAreMinus101WithoutPrinterStatus)
{
    for (bool otherPrinter : {false, true}) {
        ModelWorld w;
        w.status.known = otherPrinter;   // known, but for another printer
        w.status.printer = "Someone else";
        auto model = w.make();
        INKINFO driverInk;
        std::memset(driverInk.bytes, 0, sizeof driverInk.bytes);
        const int32_t cart1 = 0x80;
        const int32_t cart2 = 0x33;
        std::memcpy(driverInk.bytes + InkWord::LogCart1 * 4, &cart1, 4);
        std::memcpy(driverInk.bytes + InkWord::LogCart2 * 4, &cart2, 4);
        model->SetInkInfo2(driverInk, kModelPrinter);
        for (uint32_t word = 0; word < 10; ++word)
            EXPECT_EQ(model->GetInkWord(word), InkWord::NoStatus) << word;
        // The driver's cartridge identifiers stay and feed the rules.
        EXPECT_EQ(model->GetInkWord(InkWord::LogCart1), 0x80);
        EXPECT_EQ(model->GetLogicalCartridge1(), 0x80u);
        EXPECT_EQ(model->GetLogicalCartridge2(), 0x33u);
        EXPECT_FALSE(w.trace.contains("From COMX"));
    }
}

TEST(GUIPrinterState, QueriesAnswerFromTheCacheAndKeepTheirValueWithoutIt)
{
    ModelWorld w;
    auto model = w.make();
    model->LoadFrom(PlainRecord());
    w.status.known = true;
    w.status.media1 = 7;
    w.status.optTray = 1;
    w.status.duplexer = 1;
    w.status.duplexerButton = 2;   // only 1 counts as on
    EXPECT_EQ(model->GetAutoMediaType1(), 7u);
    EXPECT_EQ(model->IsOptTrayAttached(), 1);
    EXPECT_EQ(model->SetPrintDuplexerAvailability(), 1);
    EXPECT_EQ(model->SetDuplexerButtonState(), 0);
    EXPECT_TRUE(w.trace.contains("GetAutoMediaType1(): m_AutoMediaType1 == 7"));
    EXPECT_TRUE(w.trace.contains("IsOptTrayAttached(): m_bIsOptTrayAttached == 1"));
    EXPECT_TRUE(w.trace.contains("SetPrintDuplexerAvailability(): m_bIsPrintDuplexerPresent == 1"));
    EXPECT_TRUE(w.trace.contains("SetDuplexerButtonState(): m_bIsDuplexerButtonOn == 0"));
    EXPECT_EQ(w.status.queries.back(), kModelPrinter);

    w.status.known = false;
    EXPECT_EQ(model->GetAutoMediaType1(), 0u);
    EXPECT_EQ(model->IsOptTrayAttached(), 1);
    EXPECT_EQ(model->SetPrintDuplexerAvailability(), 1);
    EXPECT_EQ(model->GetDuplexUnitPresent(), 1);
}

TEST(GUIPrinterCapabilities, PredicatesAskTheConfiguration)
{
    ModelWorld w;
    w.config.paperSizes = {1, 9, 256};
    w.config.mediaTypes = {1, 3};
    auto model = w.make();
    EXPECT_EQ(model->IsPaperSizeSupported(9), 1);
    EXPECT_EQ(model->IsPaperSizeSupported(10), 0);
    EXPECT_EQ(model->IsMediaTypeSupported(3), 1);
    EXPECT_EQ(model->IsMediaTypeSupported(258), 0);
}

// Each setter changes its own field of the saved record and nothing else.
TEST(GUIPrinterAccessors, EachSetterChangesOnlyItsField)
{
    const struct {
        const char* what;
        std::function<void(GUIPrinter&)> set;
        std::size_t offset;
        std::vector<uint8_t> bytes;   // the field afterwards, little-endian
    } cases[] = {
        {"orientation", [](GUIPrinter& m) { m.SetOrientation(2); }, offsetof(LCDEVMODE, dmOrientation), {2, 0, 0, 0}},
        {"media", [](GUIPrinter& m) { m.SetMediaType(265); }, offsetof(LCDEVMODE, dmMediaType), {0x09, 1, 0, 0}},
        {"two-sided", [](GUIPrinter& m) { m.SetDuplexMode(3); }, offsetof(LCDEVMODE, dmDuplexMode), {3, 0, 0, 0}},
        {"layout", [](GUIPrinter& m) { m.SetLayoutCode(4); }, offsetof(LCDEVMODE, dmLayoutCode), {4, 0, 0, 0}},
        {"colour", [](GUIPrinter& m) { m.SetColorMode(1); }, offsetof(LCDEVMODE, dmColorMode), {1, 0, 0, 0}},
        {"watermark layer", [](GUIPrinter& m) { m.SetWatermarkLayer(1); }, offsetof(LCDEVMODE, dmWatermarkLayer), {1}},
        {"word 41C", [](GUIPrinter& m) { m.SetPaperWord41C(-2); }, offsetof(LCDEVMODE, dmPaperWord41C), {0xFE, 0xFF, 0xFF, 0xFF}},
        {"status", [](GUIPrinter& m) { m.SetStatus(3); }, offsetof(LCDEVMODE, dmStatus), {3, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ModelWorld w;
        auto model = w.make();
        model->LoadFrom(PlainRecord());
        LCDEVMODE before = PlainRecord();
        model->SaveTo(before);
        c.set(*model);
        LCDEVMODE after = PlainRecord();
        model->SaveTo(after);
        const auto* b = reinterpret_cast<const uint8_t*>(&before);
        const auto* a = reinterpret_cast<const uint8_t*>(&after);
        EXPECT_EQ(std::vector<uint8_t>(a + c.offset, a + c.offset + c.bytes.size()), c.bytes);
        EXPECT_NE(std::vector<uint8_t>(b + c.offset, b + c.offset + c.bytes.size()), c.bytes);
        for (std::size_t i = 0; i < sizeof(LCDEVMODE); ++i) {
            if (i < c.offset || i >= c.offset + c.bytes.size()) {
                ASSERT_EQ(a[i], b[i]) << "byte " << i;
            }
        }
    }

    // Values the model keeps outside the record.
    ModelWorld w;
    auto model = w.make();
    model->LoadFrom(PlainRecord());
    model->SetEnvelopeMode(1);
    model->SetRememberedQuality(-4);
    model->SetPortName(std::string(40, 'x'));
    EXPECT_EQ(model->GetEnvelopeMode(), 1);
    EXPECT_EQ(model->GetRememberedQuality(), -4);
    EXPECT_EQ(model->GetPortName(), std::string(31, 'x'));
}
