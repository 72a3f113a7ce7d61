// The records are a persistence format: a value written through a field must
// land, little-endian, at the field's byte offset and nowhere else.
#include "LcDevMode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct FieldCase {
    const char* name;
    std::size_t offset;
    std::size_t width;
    std::function<void(LCDEVMODE&)> write;  // writes the marker 0x44332211 (or its low bytes)
};

std::vector<FieldCase> devModeFields()
{
    const uint32_t m = 0x44332211u;
    return {
        {"dmStatus", 0x100, 4, [m](LCDEVMODE& r) { r.dmStatus = m; }},
        {"dmOrientation", 0x104, 4, [m](LCDEVMODE& r) { r.dmOrientation = static_cast<int32_t>(m); }},
        {"dmPageOrder", 0x108, 4, [m](LCDEVMODE& r) { r.dmPageOrder = static_cast<int32_t>(m); }},
        {"dmPaperSize", 0x10C, 4, [m](LCDEVMODE& r) { r.dmPaperSize = m; }},
        {"dmCustomLength", 0x110, 4, [m](LCDEVMODE& r) { r.dmCustomLength = static_cast<int32_t>(m); }},
        {"dmCustomWidth", 0x114, 4, [m](LCDEVMODE& r) { r.dmCustomWidth = static_cast<int32_t>(m); }},
        {"dmUnits", 0x118, 4, [m](LCDEVMODE& r) { r.dmUnits = static_cast<int32_t>(m); }},
        {"dmCopies", 0x11C, 4, [m](LCDEVMODE& r) { r.dmCopies = static_cast<int32_t>(m); }},
        {"dmPaperSource", 0x120, 4, [m](LCDEVMODE& r) { r.dmPaperSource = static_cast<int32_t>(m); }},
        {"dmPrintQuality", 0x124, 4, [m](LCDEVMODE& r) { r.dmPrintQuality = static_cast<int32_t>(m); }},
        {"dmColorMode", 0x128, 4, [m](LCDEVMODE& r) { r.dmColorMode = static_cast<int32_t>(m); }},
        {"dmDuplexMode", 0x12C, 4, [m](LCDEVMODE& r) { r.dmDuplexMode = static_cast<int32_t>(m); }},
        {"dmCollate", 0x130, 4, [m](LCDEVMODE& r) { r.dmCollate = static_cast<int32_t>(m); }},
        {"dmPaperFlags", 0x134, 4, [m](LCDEVMODE& r) { r.dmPaperFlags = m; }},
        {"dmMediaType", 0x138, 4, [m](LCDEVMODE& r) { r.dmMediaType = m; }},
        {"dmDuplexMethod", 0x13C, 4, [m](LCDEVMODE& r) { r.dmDuplexMethod = static_cast<int32_t>(m); }},
        {"dmPrintWord140", 0x140, 4, [m](LCDEVMODE& r) { r.dmPrintWord140 = static_cast<int32_t>(m); }},
        {"dmPrintWord144", 0x144, 4, [m](LCDEVMODE& r) { r.dmPrintWord144 = static_cast<int32_t>(m); }},
        {"dmPrintWord148", 0x148, 4, [m](LCDEVMODE& r) { r.dmPrintWord148 = static_cast<int32_t>(m); }},
        {"dmFeatureWord14C", 0x14C, 4, [m](LCDEVMODE& r) { r.dmFeatureWord14C = static_cast<int32_t>(m); }},
        {"dmLayoutCode", 0x150, 4, [m](LCDEVMODE& r) { r.dmLayoutCode = static_cast<int32_t>(m); }},
        {"dmAutoMedia", 0x154, 4, [m](LCDEVMODE& r) { r.dmAutoMedia = static_cast<int32_t>(m); }},
        {"dmMediaType2", 0x158, 4, [m](LCDEVMODE& r) { r.dmMediaType2 = m; }},
        {"dmMediaType3", 0x15C, 4, [m](LCDEVMODE& r) { r.dmMediaType3 = m; }},
        {"dmPaperWord160", 0x160, 4, [m](LCDEVMODE& r) { r.dmPaperWord160 = static_cast<int32_t>(m); }},
        {"dmSharedMedia", 0x164, 4, [m](LCDEVMODE& r) { r.dmSharedMedia = static_cast<int32_t>(m); }},
        {"dmBlackWhite", 0x168, 4, [m](LCDEVMODE& r) { r.dmBlackWhite = static_cast<int32_t>(m); }},
        {"dmPrintWord16C", 0x16C, 4, [m](LCDEVMODE& r) { r.dmPrintWord16C = static_cast<int32_t>(m); }},
        {"dmPaperWord170", 0x170, 4, [m](LCDEVMODE& r) { r.dmPaperWord170 = static_cast<int32_t>(m); }},
        {"dmPrintWord174", 0x174, 4, [m](LCDEVMODE& r) { r.dmPrintWord174 = static_cast<int32_t>(m); }},
        {"dmContrastEnhance", 0x178, 4, [m](LCDEVMODE& r) { r.dmContrastEnhance = static_cast<int32_t>(m); }},
        {"dmContrastLevel", 0x17C, 4, [m](LCDEVMODE& r) { r.dmContrastLevel = static_cast<int32_t>(m); }},
        {"dmFlashFill", 0x180, 4, [m](LCDEVMODE& r) { r.dmFlashFill = static_cast<int32_t>(m); }},
        {"dmFlashFillLevel", 0x184, 4, [m](LCDEVMODE& r) { r.dmFlashFillLevel = static_cast<int32_t>(m); }},
        {"dmImageSharpening", 0x188, 4, [m](LCDEVMODE& r) { r.dmImageSharpening = static_cast<int32_t>(m); }},
        {"dmPrintWord18C", 0x18C, 4, [m](LCDEVMODE& r) { r.dmPrintWord18C = static_cast<int32_t>(m); }},
        {"dmPosterColumns", 0x190, 4, [m](LCDEVMODE& r) { r.dmPosterColumns = static_cast<int32_t>(m); }},
        {"dmPosterRows", 0x194, 4, [m](LCDEVMODE& r) { r.dmPosterRows = static_cast<int32_t>(m); }},
        {"dmFeatureWord198", 0x198, 4, [m](LCDEVMODE& r) { r.dmFeatureWord198 = static_cast<int32_t>(m); }},
        {"dmPosterPages[0]", 0x19C, 4, [m](LCDEVMODE& r) { r.dmPosterPages[0] = m; }},
        {"dmPosterPages[15]", 0x1D8, 4, [m](LCDEVMODE& r) { r.dmPosterPages[15] = m; }},
        {"dmPosterDisplay[0]", 0x1DC, 4, [m](LCDEVMODE& r) { r.dmPosterDisplay[0] = m; }},
        {"dmPosterDisplay[15]", 0x218, 4, [m](LCDEVMODE& r) { r.dmPosterDisplay[15] = m; }},
        {"dmFeatureWord220", 0x220, 4, [m](LCDEVMODE& r) { r.dmFeatureWord220 = static_cast<int32_t>(m); }},
        {"dmFeatureWord224", 0x224, 4, [m](LCDEVMODE& r) { r.dmFeatureWord224 = static_cast<int32_t>(m); }},
        {"dmFeatureWord228", 0x228, 4, [m](LCDEVMODE& r) { r.dmFeatureWord228 = static_cast<int32_t>(m); }},
        {"dmFeatureWord234", 0x234, 4, [m](LCDEVMODE& r) { r.dmFeatureWord234 = static_cast<int32_t>(m); }},
        {"dmFeatureWord23C", 0x23C, 4, [m](LCDEVMODE& r) { r.dmFeatureWord23C = static_cast<int32_t>(m); }},
        {"dmSavedCollate", 0x250, 4, [m](LCDEVMODE& r) { r.dmSavedCollate = static_cast<int32_t>(m); }},
        {"dmSavedPageOrder", 0x254, 4, [m](LCDEVMODE& r) { r.dmSavedPageOrder = static_cast<int32_t>(m); }},
        {"dmSavedCopies", 0x258, 4, [m](LCDEVMODE& r) { r.dmSavedCopies = static_cast<int32_t>(m); }},
        {"dmSavedPrintQuality", 0x25C, 4, [m](LCDEVMODE& r) { r.dmSavedPrintQuality = static_cast<int32_t>(m); }},
        {"dmSavedOrientation", 0x260, 4, [m](LCDEVMODE& r) { r.dmSavedOrientation = static_cast<int32_t>(m); }},
        {"dmSavedMediaType", 0x264, 4, [m](LCDEVMODE& r) { r.dmSavedMediaType = m; }},
        {"dmSavedPaperSize", 0x268, 4, [m](LCDEVMODE& r) { r.dmSavedPaperSize = m; }},
        {"dmDryTime", 0x26C, 4, [m](LCDEVMODE& r) { r.dmDryTime = static_cast<int32_t>(m); }},
        {"dmWatermarkPages", 0x270, 1, [](LCDEVMODE& r) { r.dmWatermarkPages = 0x11; }},
        {"dmWatermarkLayer", 0x271, 1, [](LCDEVMODE& r) { r.dmWatermarkLayer = 0x11; }},
        {"dmWatermark.wmIndex", 0x274, 4, [m](LCDEVMODE& r) { r.dmWatermark.wmIndex = m; }},
        {"dmWatermark.wmOption208", 0x274 + 208, 4, [m](LCDEVMODE& r) { r.dmWatermark.wmOption208 = m; }},
        {"dmWatermark2.wmIndex", 0x348, 4, [m](LCDEVMODE& r) { r.dmWatermark2.wmIndex = m; }},
        {"dmWatermark2.wmOption208", 0x348 + 208, 4, [m](LCDEVMODE& r) { r.dmWatermark2.wmOption208 = m; }},
        {"dmPaperWord41C", 0x41C, 4, [m](LCDEVMODE& r) { r.dmPaperWord41C = static_cast<int32_t>(m); }},
    };
}

std::vector<uint8_t> bytesOf(const void* data, std::size_t size)
{
    const auto* p = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(p, p + size);
}

std::vector<uint8_t> expectedBytes(std::size_t total, std::size_t offset, std::size_t width)
{
    std::vector<uint8_t> bytes(total, 0);
    const uint8_t marker[4] = {0x11, 0x22, 0x33, 0x44};
    for (std::size_t i = 0; i < width; ++i)
        bytes[offset + i] = marker[i];
    return bytes;
}

}  // namespace

TEST(LcDevModeLayout, EachFieldLandsLittleEndianAtItsOffsetAndNowhereElse)
{
    for (const FieldCase& field : devModeFields()) {
        SCOPED_TRACE(field.name);
        LCDEVMODE record;
        std::memset(&record, 0, sizeof record);
        field.write(record);
        EXPECT_EQ(bytesOf(&record, sizeof record),
                  expectedBytes(kDevModeRecordSize, field.offset, field.width));
    }
}

TEST(LcDevModeLayout, PrinterNameOccupiesTheFirst256Bytes)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    std::memset(record.dmPrinterName, 'P', sizeof record.dmPrinterName);
    std::vector<uint8_t> bytes = bytesOf(&record, sizeof record);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 256), std::vector<uint8_t>(256, 'P'));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 256, bytes.end()), std::vector<uint8_t>(1056 - 256, 0));
}

TEST(LcWmarkInfoLayout, TextFieldsAndFontSitAtTheirOffsets)
{
    LCWMARKINFO mark;
    std::memset(&mark, 0, sizeof mark);
    std::memset(mark.wmName, 'N', sizeof mark.wmName);
    std::memset(mark.wmText, 'T', sizeof mark.wmText);
    mark.wmFont.lfHeight = 1440;
    mark.wmFont.lfPitchAndFamily = 0x22;
    std::memcpy(mark.wmFont.lfFaceName, "Arial", 6);
    mark.wmColor = 0x00ABCDEF;
    mark.wmShade = 50;
    mark.wmOption204 = 0x0201;
    mark.wmOption206 = 0x0403;

    std::vector<uint8_t> bytes = bytesOf(&mark, sizeof mark);
    ASSERT_EQ(bytes.size(), 212u);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 69), std::string(65, 'N'));
    EXPECT_EQ(std::string(bytes.begin() + 69, bytes.begin() + 136), std::string(67, 'T'));
    EXPECT_EQ(bytes[136], 0xA0);  // 1440 = 0x05A0
    EXPECT_EQ(bytes[137], 0x05);
    EXPECT_EQ(bytes[136 + 27], 0x22);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[136 + 28])), "Arial");
    EXPECT_EQ((std::vector<uint8_t>{bytes[196], bytes[197], bytes[198], bytes[199]}),
              (std::vector<uint8_t>{0xEF, 0xCD, 0xAB, 0x00}));
    EXPECT_EQ(bytes[200], 50);
    EXPECT_EQ((std::vector<uint8_t>{bytes[204], bytes[205], bytes[206], bytes[207]}),
              (std::vector<uint8_t>{0x01, 0x02, 0x03, 0x04}));
}

TEST(LcDevModeLayout, WatermarksAreWholeRecordsInsideTheDevMode)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    std::memset(record.dmWatermark.wmName, 'A', sizeof record.dmWatermark.wmName);
    std::memset(record.dmWatermark2.wmName, 'B', sizeof record.dmWatermark2.wmName);
    std::vector<uint8_t> bytes = bytesOf(&record, sizeof record);
    EXPECT_EQ(std::string(bytes.begin() + 0x274 + 4, bytes.begin() + 0x274 + 69), std::string(65, 'A'));
    EXPECT_EQ(std::string(bytes.begin() + 0x348 + 4, bytes.begin() + 0x348 + 69), std::string(65, 'B'));
}
