#include "CommonLibrary_win.h"

#include "LcDevMode.h"

#include <cstddef>

// The watermark font is handed to GDI as it stands.
static_assert(sizeof(LCLOGFONTA) == sizeof(LOGFONTA));
static_assert(offsetof(LCLOGFONTA, lfHeight) == offsetof(LOGFONTA, lfHeight));
static_assert(offsetof(LCLOGFONTA, lfWidth) == offsetof(LOGFONTA, lfWidth));
static_assert(offsetof(LCLOGFONTA, lfEscapement) == offsetof(LOGFONTA, lfEscapement));
static_assert(offsetof(LCLOGFONTA, lfOrientation) == offsetof(LOGFONTA, lfOrientation));
static_assert(offsetof(LCLOGFONTA, lfWeight) == offsetof(LOGFONTA, lfWeight));
static_assert(offsetof(LCLOGFONTA, lfItalic) == offsetof(LOGFONTA, lfItalic));
static_assert(offsetof(LCLOGFONTA, lfUnderline) == offsetof(LOGFONTA, lfUnderline));
static_assert(offsetof(LCLOGFONTA, lfStrikeOut) == offsetof(LOGFONTA, lfStrikeOut));
static_assert(offsetof(LCLOGFONTA, lfCharSet) == offsetof(LOGFONTA, lfCharSet));
static_assert(offsetof(LCLOGFONTA, lfOutPrecision) == offsetof(LOGFONTA, lfOutPrecision));
static_assert(offsetof(LCLOGFONTA, lfClipPrecision) == offsetof(LOGFONTA, lfClipPrecision));
static_assert(offsetof(LCLOGFONTA, lfQuality) == offsetof(LOGFONTA, lfQuality));
static_assert(offsetof(LCLOGFONTA, lfPitchAndFamily) == offsetof(LOGFONTA, lfPitchAndFamily));
static_assert(offsetof(LCLOGFONTA, lfFaceName) == offsetof(LOGFONTA, lfFaceName));
static_assert(sizeof(LCLOGFONTA::lfFaceName) == LF_FACESIZE);

bool DrvProductOptions::CompareSetting(const char* key, uint32_t value) const
{
    return product_.CompareSetting(key, static_cast<DWORD>(value)) != FALSE;
}

bool DrvProductOptions::CompareSetting(const char* key, const std::string& value) const
{
    return product_.CompareSetting(key, value) != FALSE;
}

uint32_t DrvProductOptions::GetSetting(const char* key, uint32_t& status) const
{
    DWORD word = 0;
    DWORD value = product_.GetSetting(key, word);
    status = word;
    return value;
}

std::string DrvProductOptions::GetSetting(const char* key, std::string& text) const
{
    return product_.GetSetting(key, text);
}

int DrvSystemConfig::Initialize(const std::string& fileName)
{
    return config_.Initialize(fileName);
}

int DrvSystemConfig::GenerateTableList(uint32_t tableId)
{
    return config_.GenerateTableList(tableId);
}

void DrvSystemConfig::ReleaseTableList(uint32_t tableId)
{
    config_.ReleaseTableList(tableId);
}

uint32_t DrvSystemConfig::GetItemData(uint32_t item, uint32_t& out)
{
    DWORD word = 0;
    DWORD value = config_.GetItemData(item, word);
    out = word;
    return value;
}

uint16_t DrvSystemConfig::GetDefaultMediaType()
{
    return config_.GetDefaultMediaType();
}

uint32_t DrvSystemConfig::GetDefaultSize(uint32_t category)
{
    return config_.GetDefaultSize(category);
}

int DrvSystemConfig::IsPaperSizeSupported(uint32_t size)
{
    return config_.IsPaperSizeSupported(size);
}

int DrvSystemConfig::IsMediaTypeSupported(uint16_t media)
{
    return config_.IsMediaTypeSupported(media);
}

int DrvPrinterStatus::GetPrinterCacheData(const std::string& printerName)
{
    return retriever_.GetPrinterCacheData(printerName.c_str());
}

uint32_t DrvPrinterStatus::GetInkStyle()
{
    return retriever_.GetInkStyle();
}

uint32_t DrvPrinterStatus::GetInkPercent(uint32_t ink)
{
    return retriever_.GetInkPercent(ink);
}

uint32_t DrvPrinterStatus::GetLogCartId(uint32_t cartridge)
{
    return retriever_.GetLogCartId(cartridge);
}

uint32_t DrvPrinterStatus::GetPhysCartId(uint32_t cartridge)
{
    return retriever_.GetPhysCartId(cartridge);
}

uint32_t DrvPrinterStatus::GetCartStatus(uint32_t cartridge)
{
    return retriever_.GetCartStatus(cartridge);
}

uint32_t DrvPrinterStatus::GetMedia1()
{
    return retriever_.GetMedia1();
}

uint32_t DrvPrinterStatus::GetOptTrayStatus()
{
    return retriever_.GetOptTrayStatus();
}

uint32_t DrvPrinterStatus::GetPrintDuplexerStatus()
{
    return retriever_.GetPrintDuplexerStatus();
}

uint32_t DrvPrinterStatus::GetDuplexerButtonStatus()
{
    return retriever_.GetDuplexerButtonStatus();
}

void DrvRegistry::SetFriendlyName(const std::string& printerName)
{
    registry_.SetFriendlyName(printerName.c_str());
}

void DrvRegistry::SetPersonalSettings(int on)
{
    registry_.SetPersonalSettings(on);
}

bool DrvRegistry::Create(const std::string& subKey)
{
    return registry_.Create(subKey.c_str()) == ERROR_SUCCESS;
}

uint32_t DrvRegistry::Read(const std::string& valueName, void* buffer, uint32_t size)
{
    try {
        return registry_.Read(valueName.c_str(), buffer, size);
    } catch (const CRegistryException& error) {
        throw RegistryReadError(error.valueName, error.code, error.needed);
    }
}

bool DrvRegistry::Write(const std::string& valueName, uint32_t type, const void* data, uint32_t size)
{
    return registry_.Write(valueName.c_str(), type, data, size) == ERROR_SUCCESS;
}

bool DrvRegistry::DeleteValue(const std::string& valueName)
{
    return registry_.DeleteValue(valueName.c_str()) == ERROR_SUCCESS;
}

void DrvRegistry::Close()
{
    registry_.Close();
}

void DrvTrace::OutputData(const std::string& line)
{
    spy_.OutputData(line);
}

OsVersion QueryOsVersion()
{
    OsVersion os;
    os.platform = CRegistry::GetOSPlatform();
    os.version = CRegistry::GetOSVer();
    return os;
}
