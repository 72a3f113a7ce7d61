// What the trace and the driver host print of a record: every field by name,
// and text fields bounded by their width even when a stored record carries
// no terminating NUL.
#include "DevModeFields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

TEST(DevModeFields, UnterminatedTextsStopAtTheFieldWidth)
{
    LCDEVMODE record;
    std::memset(&record, 'N', sizeof record);   // no NUL anywhere
    std::map<std::string, std::string> fields;
    for (const auto& [name, value] : DevModeFieldValues(record))
        fields[name] = value;
    EXPECT_EQ(fields["dmPrinterName"], "\"" + std::string(256, 'N') + "\"");
    std::map<std::string, std::string> mark;
    for (const auto& [name, value] : WatermarkFieldValues(record.dmWatermark))
        mark[name] = value;
    EXPECT_EQ(mark["wmName"], "\"" + std::string(65, 'N') + "\"");
    EXPECT_EQ(mark["wmText"], "\"" + std::string(67, 'N') + "\"");
    EXPECT_EQ(mark["wmFont.lfFaceName"], "\"" + std::string(32, 'N') + "\"");
}

TEST(DevModeFields, NamesSignsAndFlagsAsPrinted)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    std::strcpy(record.dmPrinterName, "Pelmora");
    record.dmPrintQuality = -99;
    record.dmPaperFlags = 0x1000;
    record.dmPosterPages[1] = 1;
    for (uint32_t tile = 0; tile < 16; ++tile)
        record.dmPosterDisplay[tile] = tile + 1;
    std::map<std::string, std::string> fields;
    for (const auto& [name, value] : DevModeFieldValues(record))
        fields[name] = value;
    EXPECT_EQ(fields.size(), 58u);   // every named field outside the watermarks, once
    EXPECT_EQ(fields["dmPrinterName"], "\"Pelmora\"");
    EXPECT_EQ(fields["dmPrintQuality"], "-99");
    EXPECT_EQ(fields["dmPaperFlags"], "0x1000");
    EXPECT_EQ(fields["dmPosterPages"], "0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_EQ(fields["dmPosterDisplay"], "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
}

TEST(HexDump, SixteenBytesALineWithOffsets)
{
    unsigned char bytes[18];
    for (int i = 0; i < 18; ++i)
        bytes[i] = static_cast<unsigned char>(i * 15);
    EXPECT_EQ(HexDump(bytes, sizeof bytes),
              "0000  00 0F 1E 2D 3C 4B 5A 69 78 87 96 A5 B4 C3 D2 E1\n"
              "0010  F0 FF\n");
    EXPECT_EQ(HexDump(bytes, 0), "");
}
