// The paper block and the print settings block of the settings model: the
// record's fields of each group plus what the model keeps beside them.
#pragma once

#include "LcDevMode.h"

#include <cstdint>

// Custom sizes are floats in the model and whole 1/300 inch in the record.
// A float beyond the 32-bit range cannot be truncated into it (undefined
// behaviour), so it saturates; NaN saves as 0.
int32_t TruncateCustomSize(float value);

struct PaperBlock {
    uint32_t paperSize = 0;
    float customLength = 0;
    float customWidth = 0;
    int32_t units = 2;
    int32_t currentPaperSource = 1;
    int32_t loadedPaperSource = 1;
    uint32_t paperFlags = 0;
    uint32_t mediaType = 1;
    uint32_t mediaType2 = 1;
    uint32_t mediaType3 = 1;
    int32_t paperWord160 = 0;
    int32_t sharedMedia = 0;
    int32_t blackWhite = 0;
    int32_t paperWord170 = 0;
    uint32_t savedMediaType = 1;
    uint32_t savedPaperSize = 0;
    int32_t paperWord41C = 0;

    // Default size of each paper category; category 0 is the plain-paper
    // default, which a loaded record's dmSavedPaperSize seeds.
    uint32_t defaultSize4000 = 0;
    uint32_t defaultSize0 = 0;
    uint32_t defaultSize8000 = 0;
    uint32_t defaultSize1000 = 0;

    void LoadFrom(const LCDEVMODE& record);
    void SaveTo(LCDEVMODE& record) const;
};

struct PrintSettingsBlock {
    int32_t orientation = 1;
    int32_t pageOrder = 1;
    int32_t copies = 1;
    int32_t printQuality = -2;
    int32_t collate = 1;
    int32_t duplexMethod = 2;
    int32_t printWord140 = 2;
    int32_t printWord144 = 3;
    int32_t printWord148 = 5;
    int32_t autoMedia = 0;
    int32_t printWord16C = 0;
    int32_t printWord174 = 1;
    int32_t contrastEnhance = 0;
    int32_t contrastLevel = 1;
    int32_t flashFill = 0;
    int32_t flashFillLevel = 1;
    int32_t imageSharpening = 1;
    int32_t plainSharpening = 1;   // seeded from dmImageSharpening, never saved
    int32_t printWord18C = 0;
    int32_t savedCollate = 1;
    int32_t savedPageOrder = 1;
    int32_t savedCopies = 1;
    int32_t savedPrintQuality = -2;
    int32_t savedOrientation = 1;
    int32_t dryTime = 0;

    int32_t blankPageSuppression = 0;           // effective value
    int32_t rememberedBlankPageSuppression = 0; // the user's choice

    void LoadFrom(const LCDEVMODE& record);
    void SaveTo(LCDEVMODE& record) const;
};
