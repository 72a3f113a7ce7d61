// The common driver-interface library (stand-in): its exported C functions
// and the small C++ classes over them that the preferences use. Every export
// is __stdcall with an undecorated name and catches everything; errors come
// back as results, and the classes below turn a failed registry read into a
// C++ exception inside the caller's module.
#pragma once

#include <windows.h>

#include "GdiObjects.h"

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

// Ink display: the driver's 152-byte INKINFO, the port mode (10: the port
// has no two-way communication, levels are drawn as last known), the
// cartridge predicates (holder 1 left, 2 right) and the two ink-tank windows
// it keeps up to date.
void WINAPI InkDisplaySetInkInfo(void* display, const void* inkInfo);
void WINAPI InkDisplaySetPortMode(void* display, DWORD portMode);
BOOL WINAPI InkDisplayHasInkMonitoring(void* display);
BOOL WINAPI InkDisplayIsPhotoCartridge(void* display, DWORD holder);
BOOL WINAPI InkDisplayIsCartridgeMissing(void* display, DWORD holder);
// Overwrites the ink words with the status cache's, when it knows the printer.
BOOL WINAPI InkDisplayUpdateFromStatusCache(void* display);
void WINAPI InkDisplaySetInkTanks(void* display, HWND leftTank, HWND rightTank);

// The common-look window classes (registered when drvcommon.dll loads, as
// global classes usable from dialog templates; this call is for callers that
// want to be sure, and answers whether they are registered).
BOOL WINAPI GuiRegisterControls(void);
// A palette from the colour table of an 8-bit bitmap resource, or null.
HPALETTE WINAPI GuiCreatePalette256(HMODULE module, DWORD bitmapId);
// Draws a bitmap with one colour transparent (GDI masks).
BOOL WINAPI GuiDrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent);
// HTML Help: helpFile (from the installation folder when relative) with
// window appended (">name" picks a window), then HtmlHelp's command and data.
// The help window, or null when nothing opened.
HWND WINAPI GuiShowHelp(HWND owner, const char* helpFile, const char* window, UINT command, DWORD_PTR data);
}

// Window classes of the common look. Buttons answer BM_CLICK, BM_SETCHECK,
// BM_GETCHECK, BM_SETSTATE and BM_GETSTATE, and notify their parent with
// WM_COMMAND/BN_CLICKED; links notify the same way. Every one paints on the
// background brush its parent answers to WM_CTLCOLORSTATIC (WM_CTLCOLORBTN
// for buttons), and draws into the device context of WM_PRINTCLIENT (erasing
// first only with PRF_ERASEBKGND).
#define GUI_CLASS_OWNBUTTON "COwnButton"            // a picture button
#define GUI_CLASS_GUIBUTTON "CGUIButton"            // a picture button with its text below the picture
#define GUI_CLASS_TRANSSTATICBMP "CTransStaticBmp"  // a picture on the parent's background
#define GUI_CLASS_TRANSPARENTBMP "CTransparentBmp"  // a picture over whatever lies below (never erases)
#define GUI_CLASS_LINK "CGUILink"                   // underlined text, hand cursor, notifies the parent
#define GUI_CLASS_URLLINK "CGUIUrlLink"             // the same, and opens its address with ShellExecute
#define GUI_CLASS_INKTANK "CGUIInkTank"             // one cartridge holder with a bar per ink

const COLORREF kGuiTransparent = RGB(0, 255, 0);

// The pictures of a button or a static; ids of the module's bitmaps (downId
// 0: the button has one picture). The control loads and owns them.
struct GuiPictureSource {
    HMODULE module;
    DWORD upId;
    DWORD downId;
    COLORREF transparent;
};

// Where a static places its picture.
enum GuiPicturePosition : DWORD {
    GuiPictureTopLeft = 0,
    GuiPictureCentred = 1,
    GuiPictureRight = 2,   // at the right edge, vertically centred
};

// One cartridge holder as an ink tank draws it.
struct GuiInkTankData {
    DWORD state;      // 0 present, 1 missing, 2 no status
    DWORD photo;      // a photo cartridge
    DWORD lastKnown;  // port mode 10
    DWORD inkCount;   // 0..3
    struct {
        COLORREF colour;
        LONG percent;  // 0..100, -1 unknown
    } inks[3];
};

enum GuiMessage : UINT {
    GUI_SETPICTURES = WM_USER + 0x640,  // lParam: const GuiPictureSource*; wParam (statics): GuiPicturePosition; a link: the picture it is written on
    GUI_SETLINKCOLOR,                   // wParam: COLORREF of the text
    GUI_SETURL,                         // lParam: const char* address
    GUI_SETINKTANK,                     // lParam: const GuiInkTankData*
    GUI_GETINKRECT,                     // wParam: ink index, lParam: RECT* of its full bar; FALSE when none
};

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
    DWORD needed;   // with ERROR_MORE_DATA: the value's size
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
            throw CRegistryException{valueName, code, inOut};
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

// The ink display: holds the ink record and draws it into its two tanks.
class CGUIInkDisplay {
public:
    CGUIInkDisplay() : handle_(InkDisplayCreate()) {}
    void SetPrinterName(const char* printerName) { InkDisplaySetPrinterName(handle_.get(), printerName); }
    BOOL LaunchReorderInkAppSilentMode() { return InkDisplayLaunchReorderInkAppSilentMode(handle_.get()); }
    void SetInkInfo(const void* inkInfo152) { InkDisplaySetInkInfo(handle_.get(), inkInfo152); }
    void SetPortMode(DWORD portMode) { InkDisplaySetPortMode(handle_.get(), portMode); }
    BOOL HasInkMonitoring() { return InkDisplayHasInkMonitoring(handle_.get()); }
    BOOL IsPhotoCartridge(DWORD holder) { return InkDisplayIsPhotoCartridge(handle_.get(), holder); }
    BOOL IsCartridgeMissing(DWORD holder) { return InkDisplayIsCartridgeMissing(handle_.get(), holder); }
    BOOL UpdateFromStatusCache() { return InkDisplayUpdateFromStatusCache(handle_.get()); }
    void SetInkTanks(HWND leftTank, HWND rightTank) { InkDisplaySetInkTanks(handle_.get(), leftTank, rightTank); }

private:
    drvcommon::Handle<InkDisplayDestroy> handle_;
};

// Thin wrappers over the window classes: each names one control (created
// from a dialog template or by Create) and talks to it by message.
class CGUIControl {
public:
    CGUIControl() = default;
    explicit CGUIControl(HWND window) : window_(window) {}
    void Attach(HWND window) { window_ = window; }
    BOOL Attach(HWND dialog, int id)
    {
        window_ = GetDlgItem(dialog, id);
        return window_ != nullptr;
    }
    HWND GetSafeHwnd() const { return window_; }
    BOOL Create(const char* windowClass, const char* text, DWORD style, const RECT& rect, HWND parent, int id)
    {
        GuiRegisterControls();
        window_ = CreateWindowExA(0, windowClass, text, style | WS_CHILD, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        return window_ != nullptr;
    }

protected:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return SendMessageA(window_, message, wParam, lParam);
    }

private:
    HWND window_ = nullptr;
};

class COwnButton : public CGUIControl {
public:
    using CGUIControl::CGUIControl;
    BOOL SetBitmaps(HMODULE module, DWORD upId, DWORD downId, COLORREF transparent = kGuiTransparent)
    {
        const GuiPictureSource source = {module, upId, downId, transparent};
        return static_cast<BOOL>(Send(GUI_SETPICTURES, 0, reinterpret_cast<LPARAM>(&source)));
    }
    // Down stays drawn pressed (the chosen one of a group of picture buttons).
    void SetDown(BOOL down) { Send(BM_SETCHECK, down ? BST_CHECKED : BST_UNCHECKED, 0); }
    BOOL IsDown() const { return Send(BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

class CGUIButton : public COwnButton {
public:
    using COwnButton::COwnButton;
};

class CTransStaticBmp : public CGUIControl {
public:
    using CGUIControl::CGUIControl;
    BOOL SetBitmap(HMODULE module, DWORD id, COLORREF transparent = kGuiTransparent,
                   GuiPicturePosition position = GuiPictureTopLeft)
    {
        const GuiPictureSource source = {module, id, 0, transparent};
        return static_cast<BOOL>(Send(GUI_SETPICTURES, position, reinterpret_cast<LPARAM>(&source)));
    }
};

class CTransparentBmp : public CTransStaticBmp {
public:
    using CTransStaticBmp::CTransStaticBmp;
};

class CGUILink : public CGUIControl {
public:
    using CGUIControl::CGUIControl;
    void SetColor(COLORREF colour) { Send(GUI_SETLINKCOLOR, colour, 0); }
    void SetText(const char* text) { SetWindowTextA(GetSafeHwnd(), text); }
};

class CGUIUrlLink : public CGUILink {
public:
    using CGUILink::CGUILink;
    void SetUrl(const char* address) { Send(GUI_SETURL, 0, reinterpret_cast<LPARAM>(address)); }
};

class CGUIInkTank : public CGUIControl {
public:
    using CGUIControl::CGUIControl;
};

// A 256-colour palette built from the colour table of a bitmap resource.
class CPalette256 {
public:
    CPalette256() = default;
    BOOL Create(HMODULE module, DWORD bitmapId)
    {
        palette_.reset(GuiCreatePalette256(module, bitmapId));
        return palette_ ? TRUE : FALSE;
    }
    HPALETTE GetSafeHandle() const { return palette_.get(); }
    // Selected and realised until the result goes.
    drvcommon::PaletteSelection Select(HDC dc, BOOL background = FALSE) const
    {
        return drvcommon::PaletteSelection(dc, palette_.get(), background);
    }

private:
    drvcommon::Palette palette_;
};

// Drawing off screen: a memory device context over the target's rectangle
// with the same coordinates; copied to the target when it goes.
class CMemDC {
public:
    CMemDC(HDC target, const RECT& area)
        : target_(target), area_(area), memory_(target),
          bitmap_(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
          selection_(memory_.get(), bitmap_.get())
    {
        if (bitmap_)
            SetWindowOrgEx(memory_.get(), area.left, area.top, nullptr);
    }
    ~CMemDC()
    {
        if (bitmap_ && !discarded_)
            BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
                   memory_.get(), area_.left, area_.top, SRCCOPY);
    }
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The memory context, or the target itself when no bitmap could be made.
    HDC GetSafeHdc() const { return bitmap_ ? memory_.get() : target_; }
    operator HDC() const { return GetSafeHdc(); }
    void Discard() { discarded_ = true; }

private:
    HDC target_;
    RECT area_;
    drvcommon::MemoryDc memory_;
    drvcommon::Bitmap bitmap_;
    drvcommon::Selection selection_;
    bool discarded_ = false;
};

class ActivityTracker {
public:
    void WriteData(WORD eventId, const char* text) const { ActivityWriteData(eventId, text); }
};
