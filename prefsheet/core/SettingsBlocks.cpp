#include "SettingsBlocks.h"

#include <cmath>

int32_t TruncateCustomSize(float value)
{
    if (std::isnan(value))
        return 0;
    // 2^31 is exactly representable as a float; anything at or beyond it saturates.
    if (value >= 2147483648.0f)
        return INT32_MAX;
    if (value <= -2147483648.0f)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

void PaperBlock::LoadFrom(const LCDEVMODE& r)
{
    paperSize = r.dmPaperSize;
    customLength = static_cast<float>(r.dmCustomLength);
    customWidth = static_cast<float>(r.dmCustomWidth);
    units = r.dmUnits;
    currentPaperSource = r.dmPaperSource;
    loadedPaperSource = r.dmPaperSource;
    paperFlags = r.dmPaperFlags;
    mediaType = r.dmMediaType;
    mediaType2 = r.dmMediaType2;
    mediaType3 = r.dmMediaType3;
    paperWord160 = r.dmPaperWord160;
    sharedMedia = r.dmSharedMedia;
    blackWhite = r.dmBlackWhite;
    paperWord170 = r.dmPaperWord170;
    savedMediaType = r.dmSavedMediaType;
    savedPaperSize = r.dmSavedPaperSize;
    defaultSize0 = r.dmSavedPaperSize;
    paperWord41C = r.dmPaperWord41C;
}

void PaperBlock::SaveTo(LCDEVMODE& r) const
{
    r.dmPaperSize = paperSize;
    r.dmCustomLength = TruncateCustomSize(customLength);
    r.dmCustomWidth = TruncateCustomSize(customWidth);
    r.dmUnits = units;
    r.dmPaperSource = currentPaperSource;
    r.dmPaperFlags = paperFlags;
    r.dmMediaType = mediaType;
    r.dmMediaType2 = mediaType2;
    r.dmMediaType3 = mediaType3;
    r.dmPaperWord160 = paperWord160;
    r.dmSharedMedia = sharedMedia;
    r.dmBlackWhite = blackWhite;
    r.dmPaperWord170 = paperWord170;
    r.dmSavedMediaType = savedMediaType;
    r.dmSavedPaperSize = savedPaperSize;
    r.dmPaperWord41C = paperWord41C;
}

void PrintSettingsBlock::LoadFrom(const LCDEVMODE& r)
{
    orientation = r.dmOrientation;
    pageOrder = r.dmPageOrder;
    copies = r.dmCopies;
    printQuality = r.dmPrintQuality;
    collate = r.dmCollate;
    duplexMethod = r.dmDuplexMethod;
    printWord140 = r.dmPrintWord140;
    printWord144 = r.dmPrintWord144;
    printWord148 = r.dmPrintWord148;
    autoMedia = r.dmAutoMedia;
    printWord16C = r.dmPrintWord16C;
    printWord174 = r.dmPrintWord174;
    contrastEnhance = r.dmContrastEnhance;
    contrastLevel = r.dmContrastLevel;
    flashFill = r.dmFlashFill;
    flashFillLevel = r.dmFlashFillLevel;
    imageSharpening = r.dmImageSharpening;
    plainSharpening = r.dmImageSharpening;
    printWord18C = r.dmPrintWord18C;
    savedCollate = r.dmSavedCollate;
    savedPageOrder = r.dmSavedPageOrder;
    savedCopies = r.dmSavedCopies;
    savedPrintQuality = r.dmSavedPrintQuality;
    savedOrientation = r.dmSavedOrientation;
    dryTime = r.dmDryTime;
}

void PrintSettingsBlock::SaveTo(LCDEVMODE& r) const
{
    r.dmOrientation = orientation;
    r.dmPageOrder = pageOrder;
    r.dmCopies = copies;
    r.dmPrintQuality = printQuality;
    r.dmCollate = collate;
    r.dmDuplexMethod = duplexMethod;
    r.dmPrintWord140 = printWord140;
    r.dmPrintWord144 = printWord144;
    r.dmPrintWord148 = printWord148;
    r.dmAutoMedia = autoMedia;
    r.dmPrintWord16C = printWord16C;
    r.dmPrintWord174 = printWord174;
    r.dmContrastEnhance = contrastEnhance;
    r.dmContrastLevel = contrastLevel;
    r.dmFlashFill = flashFill;
    r.dmFlashFillLevel = flashFillLevel;
    r.dmImageSharpening = imageSharpening;
    r.dmPrintWord18C = printWord18C;
    r.dmSavedCollate = savedCollate;
    r.dmSavedPageOrder = savedPageOrder;
    r.dmSavedCopies = savedCopies;
    r.dmSavedPrintQuality = savedPrintQuality;
    r.dmSavedOrientation = savedOrientation;
    r.dmDryTime = dryTime;
}
