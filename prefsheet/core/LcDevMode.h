// The private device mode record and its watermark record. Both are stored
// unchanged in the registry and exchanged with the driver, so their layout is
// a persistence format: every offset below is checked at compile time.
//
// Every field is naturally aligned and the records have no padding (the
// size checks prove it), so no packing pragma is needed; that keeps fields
// bindable to references, which packed members are not.
#pragma once

#include <cstddef>
#include <cstdint>

// Laid out exactly like LOGFONTA (checked against it in the Windows build).
struct LCLOGFONTA {
    int32_t lfHeight;
    int32_t lfWidth;
    int32_t lfEscapement;
    int32_t lfOrientation;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfStrikeOut;
    uint8_t lfCharSet;
    uint8_t lfOutPrecision;
    uint8_t lfClipPrecision;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char lfFaceName[32];
};

struct LCWMARKINFO {
    uint32_t wmIndex;       // position in the stored list; 0 is the fixed first entry
    char wmName[65];
    char wmText[67];
    LCLOGFONTA wmFont;
    uint32_t wmColor;       // RGB value
    uint32_t wmShade;       // 0 to 100
    uint16_t wmOption204;
    uint16_t wmOption206;
    uint32_t wmOption208;
};

struct LCDEVMODE {
    char dmPrinterName[256];
    uint32_t dmStatus;
    int32_t dmOrientation;
    int32_t dmPageOrder;
    uint32_t dmPaperSize;
    int32_t dmCustomLength;
    int32_t dmCustomWidth;
    int32_t dmUnits;
    int32_t dmCopies;
    int32_t dmPaperSource;
    int32_t dmPrintQuality;
    int32_t dmColorMode;
    int32_t dmDuplexMode;
    int32_t dmCollate;
    uint32_t dmPaperFlags;
    uint32_t dmMediaType;
    int32_t dmDuplexMethod;
    int32_t dmPrintWord140;
    int32_t dmPrintWord144;
    int32_t dmPrintWord148;
    int32_t dmFeatureWord14C;
    int32_t dmLayoutCode;
    int32_t dmAutoMedia;
    uint32_t dmMediaType2;
    uint32_t dmMediaType3;
    int32_t dmPaperWord160;
    int32_t dmSharedMedia;
    int32_t dmBlackWhite;
    int32_t dmPrintWord16C;
    int32_t dmPaperWord170;
    int32_t dmPrintWord174;
    int32_t dmContrastEnhance;
    int32_t dmContrastLevel;
    int32_t dmFlashFill;
    int32_t dmFlashFillLevel;
    int32_t dmImageSharpening;
    int32_t dmPrintWord18C;
    int32_t dmPosterColumns;
    int32_t dmPosterRows;
    int32_t dmFeatureWord198;
    uint32_t dmPosterPages[16];
    uint32_t dmPosterDisplay[16];
    uint8_t dmReserved21C[4];
    int32_t dmFeatureWord220;
    int32_t dmFeatureWord224;
    int32_t dmFeatureWord228;
    uint8_t dmReserved22C[8];
    int32_t dmFeatureWord234;
    uint8_t dmReserved238[4];
    int32_t dmFeatureWord23C;
    uint8_t dmReserved240[16];
    int32_t dmSavedCollate;
    int32_t dmSavedPageOrder;
    int32_t dmSavedCopies;
    int32_t dmSavedPrintQuality;
    int32_t dmSavedOrientation;
    uint32_t dmSavedMediaType;
    uint32_t dmSavedPaperSize;
    int32_t dmDryTime;
    uint8_t dmWatermarkPages;
    uint8_t dmWatermarkLayer;
    uint8_t dmReserved272[2];
    LCWMARKINFO dmWatermark;
    LCWMARKINFO dmWatermark2;
    int32_t dmPaperWord41C;
};

constexpr std::size_t kWatermarkRecordSize = 212;
constexpr std::size_t kDevModeRecordSize = 1056;

static_assert(sizeof(LCLOGFONTA) == 60, "LCLOGFONTA is 60 bytes");
static_assert(offsetof(LCLOGFONTA, lfHeight) == 0);
static_assert(offsetof(LCLOGFONTA, lfWidth) == 4);
static_assert(offsetof(LCLOGFONTA, lfEscapement) == 8);
static_assert(offsetof(LCLOGFONTA, lfOrientation) == 12);
static_assert(offsetof(LCLOGFONTA, lfWeight) == 16);
static_assert(offsetof(LCLOGFONTA, lfItalic) == 20);
static_assert(offsetof(LCLOGFONTA, lfUnderline) == 21);
static_assert(offsetof(LCLOGFONTA, lfStrikeOut) == 22);
static_assert(offsetof(LCLOGFONTA, lfCharSet) == 23);
static_assert(offsetof(LCLOGFONTA, lfOutPrecision) == 24);
static_assert(offsetof(LCLOGFONTA, lfClipPrecision) == 25);
static_assert(offsetof(LCLOGFONTA, lfQuality) == 26);
static_assert(offsetof(LCLOGFONTA, lfPitchAndFamily) == 27);
static_assert(offsetof(LCLOGFONTA, lfFaceName) == 28);

static_assert(sizeof(LCWMARKINFO) == kWatermarkRecordSize, "LCWMARKINFO is 212 bytes");
static_assert(offsetof(LCWMARKINFO, wmIndex) == 0);
static_assert(offsetof(LCWMARKINFO, wmName) == 4);
static_assert(offsetof(LCWMARKINFO, wmText) == 69);
static_assert(offsetof(LCWMARKINFO, wmFont) == 136);
static_assert(offsetof(LCWMARKINFO, wmColor) == 196);
static_assert(offsetof(LCWMARKINFO, wmShade) == 200);
static_assert(offsetof(LCWMARKINFO, wmOption204) == 204);
static_assert(offsetof(LCWMARKINFO, wmOption206) == 206);
static_assert(offsetof(LCWMARKINFO, wmOption208) == 208);

static_assert(sizeof(LCDEVMODE) == kDevModeRecordSize, "LCDEVMODE is 1056 bytes");
static_assert(offsetof(LCDEVMODE, dmPrinterName) == 0x000);
static_assert(offsetof(LCDEVMODE, dmStatus) == 0x100);
static_assert(offsetof(LCDEVMODE, dmOrientation) == 0x104);
static_assert(offsetof(LCDEVMODE, dmPageOrder) == 0x108);
static_assert(offsetof(LCDEVMODE, dmPaperSize) == 0x10C);
static_assert(offsetof(LCDEVMODE, dmCustomLength) == 0x110);
static_assert(offsetof(LCDEVMODE, dmCustomWidth) == 0x114);
static_assert(offsetof(LCDEVMODE, dmUnits) == 0x118);
static_assert(offsetof(LCDEVMODE, dmCopies) == 0x11C);
static_assert(offsetof(LCDEVMODE, dmPaperSource) == 0x120);
static_assert(offsetof(LCDEVMODE, dmPrintQuality) == 0x124);
static_assert(offsetof(LCDEVMODE, dmColorMode) == 0x128);
static_assert(offsetof(LCDEVMODE, dmDuplexMode) == 0x12C);
static_assert(offsetof(LCDEVMODE, dmCollate) == 0x130);
static_assert(offsetof(LCDEVMODE, dmPaperFlags) == 0x134);
static_assert(offsetof(LCDEVMODE, dmMediaType) == 0x138);
static_assert(offsetof(LCDEVMODE, dmDuplexMethod) == 0x13C);
static_assert(offsetof(LCDEVMODE, dmPrintWord140) == 0x140);
static_assert(offsetof(LCDEVMODE, dmPrintWord144) == 0x144);
static_assert(offsetof(LCDEVMODE, dmPrintWord148) == 0x148);
static_assert(offsetof(LCDEVMODE, dmFeatureWord14C) == 0x14C);
static_assert(offsetof(LCDEVMODE, dmLayoutCode) == 0x150);
static_assert(offsetof(LCDEVMODE, dmAutoMedia) == 0x154);
static_assert(offsetof(LCDEVMODE, dmMediaType2) == 0x158);
static_assert(offsetof(LCDEVMODE, dmMediaType3) == 0x15C);
static_assert(offsetof(LCDEVMODE, dmPaperWord160) == 0x160);
static_assert(offsetof(LCDEVMODE, dmSharedMedia) == 0x164);
static_assert(offsetof(LCDEVMODE, dmBlackWhite) == 0x168);
static_assert(offsetof(LCDEVMODE, dmPrintWord16C) == 0x16C);
static_assert(offsetof(LCDEVMODE, dmPaperWord170) == 0x170);
static_assert(offsetof(LCDEVMODE, dmPrintWord174) == 0x174);
static_assert(offsetof(LCDEVMODE, dmContrastEnhance) == 0x178);
static_assert(offsetof(LCDEVMODE, dmContrastLevel) == 0x17C);
static_assert(offsetof(LCDEVMODE, dmFlashFill) == 0x180);
static_assert(offsetof(LCDEVMODE, dmFlashFillLevel) == 0x184);
static_assert(offsetof(LCDEVMODE, dmImageSharpening) == 0x188);
static_assert(offsetof(LCDEVMODE, dmPrintWord18C) == 0x18C);
static_assert(offsetof(LCDEVMODE, dmPosterColumns) == 0x190);
static_assert(offsetof(LCDEVMODE, dmPosterRows) == 0x194);
static_assert(offsetof(LCDEVMODE, dmFeatureWord198) == 0x198);
static_assert(offsetof(LCDEVMODE, dmPosterPages) == 0x19C);
static_assert(offsetof(LCDEVMODE, dmPosterDisplay) == 0x1DC);
static_assert(offsetof(LCDEVMODE, dmReserved21C) == 0x21C);
static_assert(offsetof(LCDEVMODE, dmFeatureWord220) == 0x220);
static_assert(offsetof(LCDEVMODE, dmFeatureWord224) == 0x224);
static_assert(offsetof(LCDEVMODE, dmFeatureWord228) == 0x228);
static_assert(offsetof(LCDEVMODE, dmReserved22C) == 0x22C);
static_assert(offsetof(LCDEVMODE, dmFeatureWord234) == 0x234);
static_assert(offsetof(LCDEVMODE, dmReserved238) == 0x238);
static_assert(offsetof(LCDEVMODE, dmFeatureWord23C) == 0x23C);
static_assert(offsetof(LCDEVMODE, dmReserved240) == 0x240);
static_assert(offsetof(LCDEVMODE, dmSavedCollate) == 0x250);
static_assert(offsetof(LCDEVMODE, dmSavedPageOrder) == 0x254);
static_assert(offsetof(LCDEVMODE, dmSavedCopies) == 0x258);
static_assert(offsetof(LCDEVMODE, dmSavedPrintQuality) == 0x25C);
static_assert(offsetof(LCDEVMODE, dmSavedOrientation) == 0x260);
static_assert(offsetof(LCDEVMODE, dmSavedMediaType) == 0x264);
static_assert(offsetof(LCDEVMODE, dmSavedPaperSize) == 0x268);
static_assert(offsetof(LCDEVMODE, dmDryTime) == 0x26C);
static_assert(offsetof(LCDEVMODE, dmWatermarkPages) == 0x270);
static_assert(offsetof(LCDEVMODE, dmWatermarkLayer) == 0x271);
static_assert(offsetof(LCDEVMODE, dmReserved272) == 0x272);
static_assert(offsetof(LCDEVMODE, dmWatermark) == 0x274);
static_assert(offsetof(LCDEVMODE, dmWatermark2) == 0x348);
static_assert(offsetof(LCDEVMODE, dmPaperWord41C) == 0x41C);

// The records the driver passes to PPStart besides LCDEVMODE. Only the named
// fields are read; the rest belongs to the driver.
struct PORTINFO {
    uint32_t piPortType;
    uint32_t piReserved4;
    char piPortName[256];
};
static_assert(offsetof(PORTINFO, piPortType) == 0);
static_assert(offsetof(PORTINFO, piPortName) == 8);

struct INKINFO {
    uint8_t bytes[152];
};
static_assert(sizeof(INKINFO) == 152);
