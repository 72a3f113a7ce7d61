#include "DevModeFields.h"

#include <cstdio>
#include <cstring>

namespace {

std::string hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

// Text fields of stored records need not be terminated.
std::string boundedText(const char* text, std::size_t capacity)
{
    return "\"" + std::string(text, strnlen(text, capacity)) + "\"";
}

std::string list(const uint32_t* values, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += (i == 0 ? "" : " ") + std::to_string(values[i]);
    return text;
}

}  // namespace

FieldValues DevModeFieldValues(const LCDEVMODE& r)
{
    auto n = [](int64_t value) { return std::to_string(value); };
    return {
        {"dmPrinterName", boundedText(r.dmPrinterName, sizeof r.dmPrinterName)},
        {"dmStatus", n(r.dmStatus)},
        {"dmOrientation", n(r.dmOrientation)},
        {"dmPageOrder", n(r.dmPageOrder)},
        {"dmPaperSize", n(r.dmPaperSize)},
        {"dmCustomLength", n(r.dmCustomLength)},
        {"dmCustomWidth", n(r.dmCustomWidth)},
        {"dmUnits", n(r.dmUnits)},
        {"dmCopies", n(r.dmCopies)},
        {"dmPaperSource", n(r.dmPaperSource)},
        {"dmPrintQuality", n(r.dmPrintQuality)},
        {"dmColorMode", n(r.dmColorMode)},
        {"dmDuplexMode", n(r.dmDuplexMode)},
        {"dmCollate", n(r.dmCollate)},
        {"dmPaperFlags", hex(r.dmPaperFlags)},
        {"dmMediaType", n(r.dmMediaType)},
        {"dmDuplexMethod", n(r.dmDuplexMethod)},
        {"dmPrintWord140", n(r.dmPrintWord140)},
        {"dmPrintWord144", n(r.dmPrintWord144)},
        {"dmPrintWord148", n(r.dmPrintWord148)},
        {"dmFeatureWord14C", n(r.dmFeatureWord14C)},
        {"dmLayoutCode", n(r.dmLayoutCode)},
        {"dmAutoMedia", n(r.dmAutoMedia)},
        {"dmMediaType2", n(r.dmMediaType2)},
        {"dmMediaType3", n(r.dmMediaType3)},
        {"dmPaperWord160", n(r.dmPaperWord160)},
        {"dmSharedMedia", n(r.dmSharedMedia)},
        {"dmBlackWhite", n(r.dmBlackWhite)},
        {"dmPrintWord16C", n(r.dmPrintWord16C)},
        {"dmPaperWord170", n(r.dmPaperWord170)},
        {"dmPrintWord174", n(r.dmPrintWord174)},
        {"dmContrastEnhance", n(r.dmContrastEnhance)},
        {"dmContrastLevel", n(r.dmContrastLevel)},
        {"dmFlashFill", n(r.dmFlashFill)},
        {"dmFlashFillLevel", n(r.dmFlashFillLevel)},
        {"dmImageSharpening", n(r.dmImageSharpening)},
        {"dmPrintWord18C", n(r.dmPrintWord18C)},
        {"dmPosterColumns", n(r.dmPosterColumns)},
        {"dmPosterRows", n(r.dmPosterRows)},
        {"dmFeatureWord198", n(r.dmFeatureWord198)},
        {"dmPosterPages", list(r.dmPosterPages, 16)},
        {"dmPosterDisplay", list(r.dmPosterDisplay, 16)},
        {"dmFeatureWord220", n(r.dmFeatureWord220)},
        {"dmFeatureWord224", n(r.dmFeatureWord224)},
        {"dmFeatureWord228", n(r.dmFeatureWord228)},
        {"dmFeatureWord234", n(r.dmFeatureWord234)},
        {"dmFeatureWord23C", n(r.dmFeatureWord23C)},
        {"dmSavedCollate", n(r.dmSavedCollate)},
        {"dmSavedPageOrder", n(r.dmSavedPageOrder)},
        {"dmSavedCopies", n(r.dmSavedCopies)},
        {"dmSavedPrintQuality", n(r.dmSavedPrintQuality)},
        {"dmSavedOrientation", n(r.dmSavedOrientation)},
        {"dmSavedMediaType", n(r.dmSavedMediaType)},
        {"dmSavedPaperSize", n(r.dmSavedPaperSize)},
        {"dmDryTime", n(r.dmDryTime)},
        {"dmWatermarkPages", n(r.dmWatermarkPages)},
        {"dmWatermarkLayer", n(r.dmWatermarkLayer)},
        {"dmPaperWord41C", n(r.dmPaperWord41C)},
    };
}

FieldValues WatermarkFieldValues(const LCWMARKINFO& w)
{
    auto n = [](int64_t value) { return std::to_string(value); };
    return {
        {"wmIndex", n(w.wmIndex)},
        {"wmName", boundedText(w.wmName, sizeof w.wmName)},
        {"wmText", boundedText(w.wmText, sizeof w.wmText)},
        {"wmFont.lfHeight", n(w.wmFont.lfHeight)},
        {"wmFont.lfWidth", n(w.wmFont.lfWidth)},
        {"wmFont.lfEscapement", n(w.wmFont.lfEscapement)},
        {"wmFont.lfOrientation", n(w.wmFont.lfOrientation)},
        {"wmFont.lfWeight", n(w.wmFont.lfWeight)},
        {"wmFont.lfCharSet", n(w.wmFont.lfCharSet)},
        {"wmFont.lfPitchAndFamily", hex(w.wmFont.lfPitchAndFamily)},
        {"wmFont.lfFaceName", boundedText(w.wmFont.lfFaceName, sizeof w.wmFont.lfFaceName)},
        {"wmColor", hex(w.wmColor)},
        {"wmShade", n(w.wmShade)},
        {"wmOption204", n(w.wmOption204)},
        {"wmOption206", n(w.wmOption206)},
        {"wmOption208", n(w.wmOption208)},
    };
}

std::string HexDump(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::string text;
    char part[8];
    for (std::size_t offset = 0; offset < size; offset += 16) {
        std::snprintf(part, sizeof part, "%04X ", static_cast<unsigned>(offset));
        text += part;
        for (std::size_t i = offset; i < offset + 16 && i < size; ++i) {
            std::snprintf(part, sizeof part, " %02X", bytes[i]);
            text += part;
        }
        text += '\n';
    }
    return text;
}
