// Factory settings of the current printer model.
#pragma once

#include "CommonLibrary.h"
#include "LcDevMode.h"

#include <cstdint>
#include <string>

// What the default watermark takes from the system.
struct WatermarkDefaults {
    std::string name;              // resource string 9433
    bool platformQuery = false;    // the common library's platform query (ordinal 10)
    uint32_t ansiCodePage = 1252;
    bool hasIconTitleFont = false;
    LCLOGFONTA iconTitleFont{};
};

// Index 0, the name cut to the 64 characters the field holds, empty text,
// Arial (or the icon-title font on East Asian code pages when the platform
// query says so), height 1440, escapement and orientation 450, weight 400,
// black, shade 50.
LCWMARKINFO BuildDefaultWatermark(const WatermarkDefaults& defaults);

struct DefaultContext {
    const ProductOptions& product;
    SystemConfig& systemConfig;   // a fresh, uninitialised configuration object
    Trace& trace;
    uint32_t threadLocale;
    WatermarkDefaults watermark;
};

// Fills every field of the record's three groups; leaves dmPrinterName,
// dmStatus and the bytes that no field covers as they were.
void GuiDefaultGenDevMode(LCDEVMODE* record, DefaultContext& context);
