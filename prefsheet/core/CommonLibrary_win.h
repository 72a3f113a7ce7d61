// The portable interfaces of CommonLibrary.h over drvcommon.dll.
#pragma once

#include "CommonLibrary.h"

#include "drvcommon.h"

class DrvProductOptions : public ProductOptions {
public:
    bool CompareSetting(const char* key, uint32_t value) const override;
    bool CompareSetting(const char* key, const std::string& value) const override;
    uint32_t GetSetting(const char* key, uint32_t& status) const override;
    std::string GetSetting(const char* key, std::string& text) const override;

private:
    PmkProduct product_;
};

class DrvSystemConfig : public SystemConfig {
public:
    int Initialize(const std::string& fileName) override;
    int GenerateTableList(uint32_t tableId) override;
    void ReleaseTableList(uint32_t tableId) override;
    uint32_t GetItemData(uint32_t item, uint32_t& out) override;
    uint16_t GetDefaultMediaType() override;
    uint32_t GetDefaultSize(uint32_t category) override;
    int IsPaperSizeSupported(uint32_t size) override;
    int IsMediaTypeSupported(uint16_t media) override;

private:
    SystemConfigDLL config_;
};

class DrvPrinterStatus : public PrinterStatusCache {
public:
    int GetPrinterCacheData(const std::string& printerName) override;
    uint32_t GetInkStyle() override;
    uint32_t GetInkPercent(uint32_t ink) override;
    uint32_t GetLogCartId(uint32_t cartridge) override;
    uint32_t GetPhysCartId(uint32_t cartridge) override;
    uint32_t GetCartStatus(uint32_t cartridge) override;
    uint32_t GetMedia1() override;
    uint32_t GetOptTrayStatus() override;
    uint32_t GetPrintDuplexerStatus() override;
    uint32_t GetDuplexerButtonStatus() override;

private:
    CComxDataRetriever retriever_;
};

class DrvInkDisplay : public InkDisplay {
public:
    void SetPrinterName(const std::string& printerName) override { ink_.SetPrinterName(printerName.c_str()); }
    void SetInkInfo(const void* inkInfo152) override { ink_.SetInkInfo(inkInfo152); }
    void SetPortMode(uint32_t portMode) override { ink_.SetPortMode(portMode); }
    bool HasInkMonitoring() override { return ink_.HasInkMonitoring() != FALSE; }
    bool IsPhotoCartridge(uint32_t holder) override { return ink_.IsPhotoCartridge(holder) != FALSE; }
    bool LaunchReorderInkAppSilentMode() override { return ink_.LaunchReorderInkAppSilentMode() != FALSE; }
    void SetInkTanks(void* leftTank, void* rightTank) override
    {
        ink_.SetInkTanks(static_cast<HWND>(leftTank), static_cast<HWND>(rightTank));
    }

private:
    CGUIInkDisplay ink_;
};

class DrvRegistry : public RegistryComponent {
public:
    void SetFriendlyName(const std::string& printerName) override;
    void SetPersonalSettings(int on) override;
    bool Create(const std::string& subKey) override;
    uint32_t Read(const std::string& valueName, void* buffer, uint32_t size) override;
    bool Write(const std::string& valueName, uint32_t type, const void* data, uint32_t size) override;
    bool DeleteValue(const std::string& valueName) override;
    void Close() override;

private:
    CRegistry registry_;
};

class DrvTrace : public Trace {
public:
    void OutputData(const std::string& line) override;

private:
    CSpy spy_;
};

// The running system, through the common library's registry component.
OsVersion QueryOsVersion();
