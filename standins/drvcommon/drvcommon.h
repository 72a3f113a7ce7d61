// The common driver-interface library (stand-in): its exported C functions
// and the small C++ classes over them that the preferences use. Every export
// is __stdcall with an undecorated name and catches everything; errors come
// back as results, and the classes below turn a failed registry read into a
// C++ exception inside the caller's module.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

extern "C" {
// Product options: product.ini beside drvcommon.dll, section [Options].
BOOL WINAPI PmkCompareSettingNumber(const char* key, DWORD value);
BOOL WINAPI PmkCompareSettingText(const char* key, const char* value);
DWORD WINAPI PmkGetSettingNumber(const char* key, DWORD* status);
// Copies at most size - 1 characters and a NUL; returns the text's full length.
DWORD WINAPI PmkGetSettingText(const char* key, char* buffer, DWORD size);

// Printer configuration.
void* WINAPI ScdCreate(void);
void WINAPI ScdDestroy(void* config);
int WINAPI ScdInitialize(void* config, const char* fileName);
int WINAPI ScdGenerateTableList(void* config, DWORD tableId);
void WINAPI ScdReleaseTableList(void* config, DWORD tableId);
DWORD WINAPI ScdGetItemData(void* config, DWORD item, DWORD* out);
WORD WINAPI ScdGetDefaultMediaType(void* config);
DWORD WINAPI ScdGetDefaultSize(void* config, DWORD category);
int WINAPI ScdIsPaperSizeSupported(void* config, DWORD size);
int WINAPI ScdIsMediaTypeSupported(void* config, WORD media);

// Printer status cache.
enum ComxValue {
    ComxInkStyle = 0,
    ComxInkPercent = 1,     // index 1..9
    ComxLogCartId = 2,      // index 1, 2
    ComxPhysCartId = 3,     // index 1, 2
    ComxCartStatus = 4,     // index 1, 2
    ComxMedia1 = 5,
    ComxOptTray = 6,
    ComxDuplexer = 7,
    ComxDuplexerButton = 8,
};
void* WINAPI ComxCreate(void);
void WINAPI ComxDestroy(void* retriever);
int WINAPI ComxGetPrinterCacheData(void* retriever, const char* printerName);
DWORD WINAPI ComxGetValue(void* retriever, DWORD which, DWORD index);

// Printer registry component. Results are Win32 error codes.
void* WINAPI RegCompCreate(void);
void WINAPI RegCompDestroy(void* registry);
void WINAPI RegCompSetFriendlyName(void* registry, const char* printerName);
void WINAPI RegCompSetPersonalSettings(void* registry, int on);
DWORD WINAPI RegCompCreateKey(void* registry, const char* subKey, DWORD access);
// *size: the buffer size in, the bytes read out (or the size needed).
DWORD WINAPI RegCompRead(void* registry, const char* valueName, void* buffer, DWORD* size);
DWORD WINAPI RegCompWrite(void* registry, const char* valueName, DWORD type, const void* data, DWORD size);
DWORD WINAPI RegCompDeleteValue(void* registry, const char* valueName);
void WINAPI RegCompClose(void* registry);
DWORD WINAPI RegCompGetOSPlatform(void);
DWORD WINAPI RegCompGetOSVer(void);

// Profile reading, trace, activity recording.
DWORD WINAPI PmkReadINI(const char* section, const char* key, const char* file, char* buffer, DWORD size);
void WINAPI SpyOutputData(const char* text);
void WINAPI ActivityWriteData(WORD eventId, const char* text);

// Ink display: the silent supplies-reorder path.
void* WINAPI InkDisplayCreate(void);
void WINAPI InkDisplayDestroy(void* display);
void WINAPI InkDisplaySetPrinterName(void* display, const char* printerName);
BOOL WINAPI InkDisplayLaunchReorderInkAppSilentMode(void* display);

// Exported by ordinal 10 only: true on double-byte (East Asian) systems.
BOOL WINAPI PlatformQuery(void* reserved);
}

namespace drvcommon {

// Owns one object handle of the library; move-only.
template <void(WINAPI* Destroy)(void*)>
class Handle {
public:
    explicit Handle(void* handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != nullptr)
            Destroy(handle_);
    }
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void* get() const { return handle_; }

private:
    void* handle_;
};

}  // namespace drvcommon

class PmkProduct {
public:
    BOOL CompareSetting(const char* key, DWORD value) const { return PmkCompareSettingNumber(key, value); }
    BOOL CompareSetting(const char* key, const std::string& value) const
    {
        return PmkCompareSettingText(key, value.c_str());
    }
    DWORD GetSetting(const char* key, DWORD& status) const { return PmkGetSettingNumber(key, &status); }
    std::string GetSetting(const char* key, std::string& text) const
    {
        char buffer[260];
        DWORD length = PmkGetSettingText(key, buffer, sizeof buffer);
        if (length < sizeof buffer) {
            text.assign(buffer, length);
        } else {
            std::string whole(length + 1, '\0');
            length = PmkGetSettingText(key, &whole[0], length + 1);
            whole.resize(length);
            text = whole;
        }
        return text;
    }
};

class SystemConfigDLL {
public:
    SystemConfigDLL() : handle_(ScdCreate()) {}
    int Initialize(const std::string& fileName) { return ScdInitialize(handle_.get(), fileName.c_str()); }
    int GenerateTableList(DWORD tableId) { return ScdGenerateTableList(handle_.get(), tableId); }
    void ReleaseTableList(DWORD tableId) { ScdReleaseTableList(handle_.get(), tableId); }
    DWORD GetItemData(DWORD item, DWORD& out) { return ScdGetItemData(handle_.get(), item, &out); }
    WORD GetDefaultMediaType() { return ScdGetDefaultMediaType(handle_.get()); }
    DWORD GetDefaultSize(DWORD category) { return ScdGetDefaultSize(handle_.get(), category); }
    int IsPaperSizeSupported(DWORD size) { return ScdIsPaperSizeSupported(handle_.get(), size); }
    int IsMediaTypeSupported(WORD media) { return ScdIsMediaTypeSupported(handle_.get(), media); }

private:
    drvcommon::Handle<ScdDestroy> handle_;
};

class CComxDataRetriever {
public:
    CComxDataRetriever() : handle_(ComxCreate()) {}
    int GetPrinterCacheData(const char* printerName) { return ComxGetPrinterCacheData(handle_.get(), printerName); }
    DWORD GetInkStyle() { return ComxGetValue(handle_.get(), ComxInkStyle, 0); }
    DWORD GetInkPercent(DWORD ink) { return ComxGetValue(handle_.get(), ComxInkPercent, ink); }
    DWORD GetLogCartId(DWORD cartridge) { return ComxGetValue(handle_.get(), ComxLogCartId, cartridge); }
    DWORD GetPhysCartId(DWORD cartridge) { return ComxGetValue(handle_.get(), ComxPhysCartId, cartridge); }
    DWORD GetCartStatus(DWORD cartridge) { return ComxGetValue(handle_.get(), ComxCartStatus, cartridge); }
    DWORD GetMedia1() { return ComxGetValue(handle_.get(), ComxMedia1, 0); }
    DWORD GetOptTrayStatus() { return ComxGetValue(handle_.get(), ComxOptTray, 0); }
    DWORD GetPrintDuplexerStatus() { return ComxGetValue(handle_.get(), ComxDuplexer, 0); }
    DWORD GetDuplexerButtonStatus() { return ComxGetValue(handle_.get(), ComxDuplexerButton, 0); }

private:
    drvcommon::Handle<ComxDestroy> handle_;
};

// What CRegistry::Read raises: the value is missing (ERROR_FILE_NOT_FOUND),
// larger than the buffer (ERROR_MORE_DATA) or no key is open.
struct CRegistryException {
    std::string valueName;
    DWORD code;
};

class CRegistry {
public:
    CRegistry() : handle_(RegCompCreate()) {}
    void SetFriendlyName(const char* printerName) { RegCompSetFriendlyName(handle_.get(), printerName); }
    void SetPersonalSettings(int on) { RegCompSetPersonalSettings(handle_.get(), on); }
    DWORD Create(const char* subKey, DWORD access = 0xF003F) { return RegCompCreateKey(handle_.get(), subKey, access); }
    // Returns the number of bytes read.
    DWORD Read(const char* valueName, void* buffer, DWORD size)
    {
        DWORD inOut = size;
        DWORD code = RegCompRead(handle_.get(), valueName, buffer, &inOut);
        if (code != ERROR_SUCCESS)
            throw CRegistryException{valueName, code};
        return inOut;
    }
    DWORD Write(const char* valueName, DWORD type, const void* data, DWORD size)
    {
        return RegCompWrite(handle_.get(), valueName, type, data, size);
    }
    DWORD DeleteValue(const char* valueName) { return RegCompDeleteValue(handle_.get(), valueName); }
    void Close() { RegCompClose(handle_.get()); }
    static DWORD GetOSPlatform() { return RegCompGetOSPlatform(); }
    static DWORD GetOSVer() { return RegCompGetOSVer(); }

private:
    drvcommon::Handle<RegCompDestroy> handle_;
};

class PmkIniFile {
public:
    std::string ReadINI(const char* section, const char* key, const char* file) const
    {
        char buffer[1024];
        DWORD length = PmkReadINI(section, key, file, buffer, sizeof buffer);
        return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
    }
};

class CSpy {
public:
    void OutputData(const char* text) const { SpyOutputData(text); }
    void OutputData(const std::string& text) const { SpyOutputData(text.c_str()); }
};

class CGUIInkDisplay {
public:
    CGUIInkDisplay() : handle_(InkDisplayCreate()) {}
    void SetPrinterName(const char* printerName) { InkDisplaySetPrinterName(handle_.get(), printerName); }
    BOOL LaunchReorderInkAppSilentMode() { return InkDisplayLaunchReorderInkAppSilentMode(handle_.get()); }

private:
    drvcommon::Handle<InkDisplayDestroy> handle_;
};

class ActivityTracker {
public:
    void WriteData(WORD eventId, const char* text) const { ActivityWriteData(eventId, text); }
};
