#include "DefaultDevMode.h"

#include "LanguageTable.h"
#include "Options.h"

#include <cstring>

namespace {

bool isEastAsianCodePage(uint32_t codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

void copyTruncated(char* destination, std::size_t capacity, const std::string& text)
{
    std::size_t length = text.size() < capacity ? text.size() : capacity - 1;
    std::memcpy(destination, text.data(), length);
    destination[length] = '\0';
}

void setFixedPrintSettings(LCDEVMODE& r, const Options& options, bool snapshot4x6, uint32_t autoDuplex)
{
    r.dmOrientation = 1;
    r.dmPageOrder = options.equals(OptionKey::IDO_DEFAULT_PAGEORDER_STANDARD, 1) ? 2 : 1;
    r.dmCustomLength = 0;
    r.dmCustomWidth = 0;
    r.dmCopies = 1;
    r.dmColorMode = 2;
    r.dmDuplexMode = autoDuplex == 1 ? 2 : 1;
    r.dmCollate = snapshot4x6 ? 0 : 1;
    r.dmPaperFlags = snapshot4x6 ? 0x1000 : 0;
    r.dmDuplexMethod = 2;
    r.dmPrintWord140 = 2;
    r.dmPrintWord144 = 3;
    r.dmPrintWord148 = 5;
    r.dmFeatureWord14C = 0;
    r.dmLayoutCode = snapshot4x6 ? 7 : 0;
    r.dmPaperWord160 = 0;
    r.dmSharedMedia = 0;
    r.dmPrintWord16C = 0;
    r.dmPrintWord174 = 1;
    r.dmContrastEnhance = 0;
    r.dmContrastLevel = 1;
    r.dmFlashFill = 0;
    r.dmFlashFillLevel = 1;
    r.dmImageSharpening = 1;
    r.dmPrintWord18C = 0;
    r.dmPosterColumns = 2;
    r.dmPosterRows = 2;
    r.dmFeatureWord198 = 0;
    std::memset(r.dmPosterPages, 0, sizeof r.dmPosterPages);
    std::memset(r.dmPosterDisplay, 0, sizeof r.dmPosterDisplay);
    r.dmFeatureWord220 = 2;
    r.dmFeatureWord224 = 1;
    r.dmFeatureWord228 = 8;
    r.dmFeatureWord23C = 0;
    r.dmDryTime = 0;
}

}  // namespace

LCWMARKINFO BuildDefaultWatermark(const WatermarkDefaults& defaults)
{
    LCWMARKINFO mark;
    std::memset(&mark, 0, sizeof mark);
    mark.wmIndex = 0;
    copyTruncated(mark.wmName, sizeof mark.wmName, defaults.name);
    mark.wmFont.lfHeight = 1440;
    mark.wmFont.lfWidth = 0;
    mark.wmFont.lfEscapement = 450;
    mark.wmFont.lfOrientation = 450;
    mark.wmFont.lfWeight = 400;
    if (defaults.platformQuery && isEastAsianCodePage(defaults.ansiCodePage) && defaults.hasIconTitleFont) {
        mark.wmFont.lfCharSet = defaults.iconTitleFont.lfCharSet;
        mark.wmFont.lfPitchAndFamily = defaults.iconTitleFont.lfPitchAndFamily;
        std::memcpy(mark.wmFont.lfFaceName, defaults.iconTitleFont.lfFaceName, sizeof mark.wmFont.lfFaceName);
        mark.wmFont.lfFaceName[sizeof mark.wmFont.lfFaceName - 1] = '\0';
    } else {
        mark.wmFont.lfCharSet = 0;
        mark.wmFont.lfPitchAndFamily = 0x22;
        copyTruncated(mark.wmFont.lfFaceName, sizeof mark.wmFont.lfFaceName, "Arial");
    }
    mark.wmColor = 0;
    mark.wmShade = 50;
    return mark;
}

void GuiDefaultGenDevMode(LCDEVMODE* record, DefaultContext& context)
{
    LCDEVMODE& r = *record;
    const Options options(context.product);
    SystemConfig& config = context.systemConfig;

    if (config.Initialize(options.text(OptionKey::IDO_CONFIG_DLL)) != 0) {
        if (config.GenerateTableList(kPaperTable) != 0)
            context.trace.OutputData("GuiDefaultGenDevMode: FAILED TO GENERATE PAPER TABLE");
        if (config.GenerateTableList(kMediaList) != 0)
            context.trace.OutputData("GuiDefaultGenDevMode: FAILED TO GENERATE MEDIA LIST");
    } else {
        context.trace.OutputData("GuiDefaultGenDevMode: FAILED TO INITIALIZE sysConfigDLL");
    }

    const bool snapshot4x6 = options.equals(OptionKey::IDO_SNAPSHOT_4X6, 1);
    uint32_t item = 0;
    if (config.GetItemData(kItemAutoMediaDetection, item) != 0) {
        r.dmAutoMedia = 1;
        r.dmPrintQuality = -99;
    } else {
        r.dmAutoMedia = 0;
        r.dmPrintQuality = -2;
    }
    if (snapshot4x6)
        r.dmPrintQuality = -4;

    const uint32_t mediaType = config.GetDefaultMediaType();
    r.dmMediaType = mediaType;
    r.dmMediaType2 = mediaType;
    r.dmMediaType3 = mediaType;

    r.dmPaperSource = options.number(OptionKey::IDO_NUMBER_BINS) > 1 ? 7 : 1;

    uint32_t autoDuplex = 0;
    setFixedPrintSettings(r, options, snapshot4x6, config.GetItemData(kItemAutoDuplexSupport, autoDuplex));

    char identifier[kLocaleIdentifierBuffer];
    char languageName[kLanguageNameBuffer];
    MatchLanguage(context.threadLocale, identifier, languageName);
    const uint32_t paperSize = config.GetDefaultSize(snapshot4x6 ? 0x1000 : 0);
    r.dmPaperSize = paperSize;
    r.dmSavedPaperSize = paperSize;
    r.dmUnits = std::strcmp(identifier, "00000409") == 0 ? 1 : 2;
    r.dmWatermarkPages = 0;
    r.dmWatermarkLayer = 0;

    const LCWMARKINFO watermark = BuildDefaultWatermark(context.watermark);
    r.dmWatermark = watermark;
    r.dmWatermark2 = watermark;

    config.ReleaseTableList(kPaperTable);
    config.ReleaseTableList(kMediaList);

    r.dmSavedPageOrder = r.dmPageOrder;
    r.dmSavedCollate = r.dmCollate;
    r.dmSavedCopies = r.dmCopies;
    r.dmSavedOrientation = r.dmOrientation;
    r.dmSavedPrintQuality = r.dmPrintQuality;
    r.dmSavedMediaType = r.dmMediaType;
    r.dmPaperWord41C = 0;
}
