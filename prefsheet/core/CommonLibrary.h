// What the preferences core asks of the maker's common library, as portable
// interfaces. The Windows build adapts drvcommon.dll to them
// (CommonLibrary_win.cpp); native tests give small in-memory versions.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// PmkProduct: the product's option store. Use it through Options (Options.h),
// which keeps to the one-explicit-value convention.
class ProductOptions {
public:
    virtual ~ProductOptions() = default;
    virtual bool CompareSetting(const char* key, uint32_t value) const = 0;
    virtual bool CompareSetting(const char* key, const std::string& value) const = 0;
    virtual uint32_t GetSetting(const char* key, uint32_t& status) const = 0;
    virtual std::string GetSetting(const char* key, std::string& text) const = 0;
};

// SystemConfigDLL: the printer configuration (paper table, media list,
// default sizes and media, configuration items).
class SystemConfig {
public:
    virtual ~SystemConfig() = default;
    virtual int Initialize(const std::string& fileName) = 0;           // nonzero on success
    virtual int GenerateTableList(uint32_t tableId) = 0;               // 0 on success
    virtual void ReleaseTableList(uint32_t tableId) = 0;
    virtual uint32_t GetItemData(uint32_t item, uint32_t& out) = 0;    // the item's value
    virtual uint16_t GetDefaultMediaType() = 0;
    virtual uint32_t GetDefaultSize(uint32_t category) = 0;
    virtual int IsPaperSizeSupported(uint32_t size) = 0;
    virtual int IsMediaTypeSupported(uint16_t media) = 0;
};

constexpr uint32_t kPaperTable = 10600;
constexpr uint32_t kMediaList = 10015;
constexpr uint32_t kItemAutoMediaDetection = 10202;
constexpr uint32_t kItemAutoDuplexSupport = 25016;

// CComxDataRetriever: the printer status cache. The getters answer for the
// printer of the last GetPrinterCacheData call that returned nonzero.
class PrinterStatusCache {
public:
    virtual ~PrinterStatusCache() = default;
    virtual int GetPrinterCacheData(const std::string& printerName) = 0;   // nonzero when known
    virtual uint32_t GetInkStyle() = 0;
    virtual uint32_t GetInkPercent(uint32_t ink) = 0;           // 1..9
    virtual uint32_t GetLogCartId(uint32_t cartridge) = 0;      // 1, 2
    virtual uint32_t GetPhysCartId(uint32_t cartridge) = 0;
    virtual uint32_t GetCartStatus(uint32_t cartridge) = 0;
    virtual uint32_t GetMedia1() = 0;
    virtual uint32_t GetOptTrayStatus() = 0;                    // 1 attached
    virtual uint32_t GetPrintDuplexerStatus() = 0;              // 1 present
    virtual uint32_t GetDuplexerButtonStatus() = 0;             // 1 on
};

// CGUIInkDisplay: one page's ink levels, drawn into the page's two ink-tank
// controls, the cartridge predicates and the silent supplies-reorder path.
class InkDisplay {
public:
    virtual ~InkDisplay() = default;
    virtual void SetPrinterName(const std::string& printerName) = 0;
    virtual void SetInkInfo(const void* inkInfo152) = 0;   // the driver's INKINFO
    virtual void SetPortMode(uint32_t portMode) = 0;       // 10: the port cannot report ink
    virtual bool HasInkMonitoring() = 0;
    virtual bool IsPhotoCartridge(uint32_t holder) = 0;    // 1 left, 2 right
    virtual bool LaunchReorderInkAppSilentMode() = 0;
    // The two CGUIInkTank windows (HWNDs on Windows) it draws into.
    virtual void SetInkTanks(void* leftTank, void* rightTank) = 0;
};

// Raised by RegistryComponent::Read for a value that is missing or larger
// than the caller's buffer. Thrown by value: the catcher has nothing to free.
class RegistryReadError : public std::runtime_error {
public:
    RegistryReadError(const std::string& valueName, uint32_t code, uint32_t needed = 0)
        : std::runtime_error("registry value \"" + valueName + "\" unreadable"), code_(code), needed_(needed) {}
    uint32_t code() const { return code_; }
    // With kRegistryMoreData: the value's size in bytes.
    uint32_t needed() const { return needed_; }

private:
    uint32_t code_;
    uint32_t needed_;
};

// RegistryReadError codes: the value is missing; the value is larger than the buffer.
constexpr uint32_t kRegistryValueMissing = 2;
constexpr uint32_t kRegistryMoreData = 234;

constexpr uint32_t kRegText = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegNumber = 4;

// CRegistry: values under the printer's settings key.
class RegistryComponent {
public:
    virtual ~RegistryComponent() = default;
    virtual void SetFriendlyName(const std::string& printerName) = 0;
    virtual void SetPersonalSettings(int on) = 0;
    virtual bool Create(const std::string& subKey) = 0;   // create or open, access 0xF003F
    // Reads at most `size` bytes; returns the number read. Raises
    // RegistryReadError when the value is missing or larger than `size`.
    virtual uint32_t Read(const std::string& valueName, void* buffer, uint32_t size) = 0;
    virtual bool Write(const std::string& valueName, uint32_t type, const void* data, uint32_t size) = 0;
    virtual bool DeleteValue(const std::string& valueName) = 0;
    virtual void Close() = 0;
};

// CSpy: debug output only, never shown to the user and never failing.
class Trace {
public:
    virtual ~Trace() = default;
    virtual void OutputData(const std::string& line) = 0;
};

// What CRegistry::GetOSPlatform and GetOSVer answer: the platform id (1 the
// Windows 95 family, 2 the NT family) and major << 8 | minor.
struct OsVersion {
    uint32_t platform = 2;
    uint32_t version = 0x0501;
};
