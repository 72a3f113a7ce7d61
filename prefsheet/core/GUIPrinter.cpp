#include "GUIPrinter.h"

#include "Options.h"

#include <cstring>

namespace {

void putWord(INKINFO& ink, uint32_t word, int32_t value)
{
    std::memcpy(ink.bytes + word * 4, &value, sizeof value);
}

int32_t wordAt(const INKINFO& ink, uint32_t word)
{
    int32_t value = 0;
    std::memcpy(&value, ink.bytes + word * 4, sizeof value);
    return value;
}

std::string boundedText(const char* text, std::size_t capacity)
{
    std::size_t length = 0;
    while (length < capacity && text[length] != '\0')
        ++length;
    return std::string(text, length);
}

}  // namespace

static_assert(InkWord::Count * 4 <= sizeof(INKINFO));

bool IsPortWithoutTwoWay(uint32_t portType)
{
    return portType == 5 || portType == 6 || portType == 7 || portType == 10;
}

GUIPrinter::GUIPrinter(GUIPrinterServices services)
    : product_(services.product),
      config_(services.systemConfig),
      statusCache_(services.statusCache),
      trace_(services.trace),
      features_(services.product, services.registry, services.trace, services.defaultWatermark)
{
    const Options options(product_);
    printPropertyFlag_ = options.equals(OptionKey::IDO_PMKPRINTPROP, 0) ? 1 : 0;
    photoQualityOffered_ = options.equals(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1) ? 1 : 0;

    if (config_.Initialize(options.text(OptionKey::IDO_CONFIG_DLL)) != 0) {
        if (config_.GenerateTableList(kPaperTable) != 0)
            trace_.OutputData("GUIPrinter: FAILED TO GENERATE PAPER TABLE");
        if (config_.GenerateTableList(kMediaList) != 0)
            trace_.OutputData("GUIPrinter: FAILED TO GENERATE MEDIA LIST");
        uint32_t item = 0;
        autoDuplexSupport_ = config_.GetItemData(kItemAutoDuplexSupport, item);
        if (autoDuplexSupport_ > 2) {
            trace_.OutputData("GUIPrinter: FAILED TO QUERY IDW_AUTODUPLEX_SUPPORT");
            autoDuplexSupport_ = 0;
        }
    } else {
        trace_.OutputData("GUIPrinter: FAILED TO INITIALIZE m_SysConfigDLL");
    }
    ReadDefaultSizes();
}

GUIPrinter::~GUIPrinter()
{
    config_.ReleaseTableList(kPaperTable);
    config_.ReleaseTableList(kMediaList);
}

void GUIPrinter::ReadDefaultSizes()
{
    defaultSize0_ = config_.GetDefaultSize(0);
    defaultSize4000_ = config_.GetDefaultSize(0x4000);
    defaultSize1000_ = config_.GetDefaultSize(0x1000);
    paper_.defaultSize4000 = config_.GetDefaultSize(0x4000);
    paper_.defaultSize8000 = config_.GetDefaultSize(0x8000);
    paper_.defaultSize0 = config_.GetDefaultSize(0);
    paper_.defaultSize1000 = config_.GetDefaultSize(0x1000);
}

uint32_t GUIPrinter::GetDefaultPaperSize(uint32_t category) const
{
    switch (category) {
    case 0:
        return defaultSize0_;
    case 0x4000:
        return defaultSize4000_;
    case 0x1000:
        return defaultSize1000_;
    default:
        return 0;
    }
}

// A record from the driver or the registry may carry a name without its NUL;
// only the 255 characters that a save can write back with their NUL are taken.
void GUIPrinter::LoadFrom(const LCDEVMODE& record)
{
    printerName_ = boundedText(record.dmPrinterName, sizeof record.dmPrinterName - 1);
    statusWord_ = record.dmStatus;
    paper_.LoadFrom(record);
    features_.LoadFrom(record);
    print_.LoadFrom(record);
}

void GUIPrinter::SaveTo(LCDEVMODE& record) const
{
    std::memcpy(record.dmPrinterName, printerName_.c_str(), printerName_.size() + 1);
    record.dmStatus = statusWord_;
    features_.SaveTo(record);
    paper_.SaveTo(record);
    print_.SaveTo(record);
}

int GUIPrinter::SetPrinterName(const std::string& name)
{
    printerName_ = name.substr(0, sizeof(LCDEVMODE::dmPrinterName) - 1);
    return 1;
}

int GUIPrinter::SetPortName(const std::string& name)
{
    portName_ = boundedText(name.c_str(), 31);
    return 1;
}

void GUIPrinter::SetInkInfo2(const INKINFO& ink, const std::string& printerName)
{
    ink_ = ink;
    if (statusCache_.GetPrinterCacheData(printerName) != 0) {
        putWord(ink_, InkWord::Style, static_cast<int32_t>(statusCache_.GetInkStyle()));
        for (uint32_t level = 1; level <= 9; ++level)
            putWord(ink_, InkWord::FirstLevel + level - 1, static_cast<int32_t>(statusCache_.GetInkPercent(level)));
        putWord(ink_, InkWord::LogCart1, static_cast<int32_t>(statusCache_.GetLogCartId(1)));
        putWord(ink_, InkWord::LogCart2, static_cast<int32_t>(statusCache_.GetLogCartId(2)));
        putWord(ink_, InkWord::PhysCart1, static_cast<int32_t>(statusCache_.GetPhysCartId(1)));
        putWord(ink_, InkWord::PhysCart2, static_cast<int32_t>(statusCache_.GetPhysCartId(2)));
        putWord(ink_, InkWord::CartStatus1, static_cast<int32_t>(statusCache_.GetCartStatus(1)));
        putWord(ink_, InkWord::CartStatus2, static_cast<int32_t>(statusCache_.GetCartStatus(2)));
        trace_.OutputData("GUIPrinter::SetInkInfo2()...From COMX");
        std::string words;
        for (uint32_t word = 0; word < InkWord::Count; ++word)
            words += " " + std::to_string(wordAt(ink_, word));
        trace_.OutputData(words);
    } else {
        for (uint32_t word = InkWord::Style; word < InkWord::FirstLevel + 9; ++word)
            putWord(ink_, word, InkWord::NoStatus);
    }
    logicalCartridge1_ = static_cast<uint32_t>(wordAt(ink_, InkWord::LogCart1));
    logicalCartridge2_ = static_cast<uint32_t>(wordAt(ink_, InkWord::LogCart2));
}

void GUIPrinter::GetInkInfo2(INKINFO& ink) const
{
    trace_.OutputData("GUIPrinter::GetInkInfo2()");
    ink = ink_;
}

int32_t GUIPrinter::GetInkWord(uint32_t word) const
{
    return word < InkWord::Count ? wordAt(ink_, word) : 0;
}

uint32_t GUIPrinter::GetAutoMediaType1()
{
    uint32_t media = 0;
    if (statusCache_.GetPrinterCacheData(printerName_) != 0)
        media = statusCache_.GetMedia1();
    trace_.OutputData("GetAutoMediaType1(): m_AutoMediaType1 == " + std::to_string(media));
    return media;
}

int GUIPrinter::IsOptTrayAttached()
{
    if (statusCache_.GetPrinterCacheData(printerName_) != 0)
        optTrayAttached_ = statusCache_.GetOptTrayStatus() == 1 ? 1 : 0;
    trace_.OutputData("IsOptTrayAttached(): m_bIsOptTrayAttached == " + std::to_string(optTrayAttached_));
    return optTrayAttached_;
}

int GUIPrinter::SetPrintDuplexerAvailability()
{
    if (statusCache_.GetPrinterCacheData(printerName_) != 0)
        duplexUnitPresent_ = statusCache_.GetPrintDuplexerStatus() == 1 ? 1 : 0;
    trace_.OutputData("SetPrintDuplexerAvailability(): m_bIsPrintDuplexerPresent == " +
                      std::to_string(duplexUnitPresent_));
    return duplexUnitPresent_;
}

int GUIPrinter::SetDuplexerButtonState()
{
    if (statusCache_.GetPrinterCacheData(printerName_) != 0)
        duplexerButtonOn_ = statusCache_.GetDuplexerButtonStatus() == 1 ? 1 : 0;
    trace_.OutputData("SetDuplexerButtonState(): m_bIsDuplexerButtonOn == " + std::to_string(duplexerButtonOn_));
    return duplexerButtonOn_;
}

int GUIPrinter::IsPaperSizeSupported(uint32_t size)
{
    return config_.IsPaperSizeSupported(size);
}

int GUIPrinter::IsMediaTypeSupported(uint16_t media)
{
    return config_.IsMediaTypeSupported(media);
}
