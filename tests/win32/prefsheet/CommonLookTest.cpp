// The common-look controls of drvcommon.dll in real windows (under Xvfb),
// driven by the messages a user's actions produce and read back by drawing
// them into memory device contexts; the bitmaps of ppbmp.dll. Saves a
// picture of all controls together, common-look.png, in the build folder.
#include "BitmapIds.h"
#include "drvcommon.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <vector>
#include "TestSupport.h"

using namespace testsupport;

static_assert(IDB_QUALITY_DRAFT_UP == 6765 && IDB_QUALITY_AUTO_DOWN == 6772, "quality buttons");
static_assert(IDB_COPIES_UNCOLLATED == 6721 && IDB_COPIES_COLLATED_REVERSE == 6726, "copies pictures");
static_assert(IDB_PAPER_BORDERLESS == 6727 && IDB_PAPER_ENVELOPE_SHORT_FLAP == 6841, "paper pictures");
static_assert(IDB_PAPER_TWO_UP == 6928 && IDB_PAPER_TWO_UP_LANDSCAPE == 6929, "layout pictures");
static_assert(IDB_PALETTE_256 == 5009, "palette");

namespace {

const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBehind = RGB(255, 0, 255);     // what a test paints below a control
const COLORREF kParentFace = RGB(250, 240, 200);  // the test window's control background

// A 32-bit memory canvas: GetPixel answers exactly what was drawn.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height), dc_(nullptr)
    {
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        selection_ = std::make_unique<drvcommon::Selection>(dc_.get(), bitmap_.get());
        drvcommon::Brush brush(CreateSolidBrush(fill));
        RECT all = {0, 0, width, height};
        FillRect(dc_.get(), &all, brush.get());
    }
    HDC dc() const { return dc_.get(); }
    COLORREF at(int x, int y) const { return GetPixel(dc_.get(), x, y); }
    int width() const { return width_; }
    int height() const { return height_; }

    // A PNG with stored (uncompressed) deflate blocks: no zlib needed.
    void savePng(const std::string& path) const
    {
        GdiFlush();
        std::string raw;
        for (int y = 0; y < height_; ++y) {
            raw += '\0';
            for (int x = 0; x < width_; ++x) {
                const uint32_t pixel = bits_[y * width_ + x];
                raw += static_cast<char>((pixel >> 16) & 0xFF);
                raw += static_cast<char>((pixel >> 8) & 0xFF);
                raw += static_cast<char>(pixel & 0xFF);
            }
        }
        std::string z = "\x78\x01";
        for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
            const size_t length = std::min<size_t>(65535, raw.size() - at);
            z += static_cast<char>(at + length >= raw.size() ? 1 : 0);
            z += static_cast<char>(length & 0xFF);
            z += static_cast<char>(length >> 8);
            z += static_cast<char>(~length & 0xFF);
            z += static_cast<char>((~length >> 8) & 0xFF);
            z += raw.substr(at, length);
        }
        uint32_t a = 1, b = 0;
        for (unsigned char c : raw) {
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        z += big32((b << 16) | a);
        std::string ihdr = big32(static_cast<uint32_t>(width_)) + big32(static_cast<uint32_t>(height_));
        ihdr += std::string("\x08\x02\x00\x00\x00", 5);
        std::ofstream out(path, std::ios::binary);
        out << "\x89PNG\r\n\x1a\n" << chunk("IHDR", ihdr) << chunk("IDAT", z) << chunk("IEND", "");
    }

private:
    static std::string big32(uint32_t v)
    {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    }
    static std::string chunk(const char* type, const std::string& data)
    {
        std::string body = std::string(type) + data;
        uint32_t crc = 0xFFFFFFFF;
        for (unsigned char c : body) {
            crc ^= c;
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        return big32(static_cast<uint32_t>(data.size())) + body + big32(~crc);
    }

    int width_;
    int height_;
    drvcommon::Bitmap bitmap_;
    uint32_t* bits_ = nullptr;
    drvcommon::MemoryDc dc_;
    std::unique_ptr<drvcommon::Selection> selection_;
};

struct Notification {
    int id;
    int code;
};

// A top-level window that records its children's notifications and gives
// them a background brush of its own colour.
class TestWindow {
public:
    TestWindow(int width, int height)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &TestWindow::procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "CommonLookTestWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "Common look", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  20, 20, width, height, nullptr, nullptr, windowClass.hInstance, this);
        pump();
    }
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return window_; }
    HWND add(const char* windowClass, const char* text, int id, int x, int y, int width, int height,
             DWORD style = WS_VISIBLE | WS_TABSTOP)
    {
        HWND child = CreateWindowExA(0, windowClass, text, WS_CHILD | style, x, y, width, height, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return child;
    }
    std::vector<Notification> notifications;

    static void pump()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(
                                                        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        switch (message) {
        case WM_COMMAND:
            if (self != nullptr)
                self->notifications.push_back({LOWORD(wParam), HIWORD(wParam)});
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (self != nullptr)
                return reinterpret_cast<LRESULT>(self->face_.get());
            break;
        default:
            break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    drvcommon::Brush face_{CreateSolidBrush(kParentFace)};
    HWND window_ = nullptr;
};

HMODULE bitmapLibrary()
{
    static HMODULE module = LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str());
    return module;
}

// A control drawn into a canvas: over kBehind, or erased first.
Canvas render(HWND control, bool erase)
{
    RECT client;
    GetClientRect(control, &client);
    Canvas canvas(client.right, client.bottom, kBehind);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                 PRF_CLIENT | (erase ? PRF_ERASEBKGND : 0));
    return canvas;
}

// The bitmap as the library holds it.
Canvas picture(DWORD id)
{
    drvcommon::Bitmap bitmap(LoadBitmapA(bitmapLibrary(), MAKEINTRESOURCEA(id)));
    BITMAP info = {};
    GetObjectA(bitmap.get(), sizeof info, &info);
    Canvas canvas(info.bmWidth, info.bmHeight, RGB(0, 0, 0));
    drvcommon::MemoryDc source(nullptr);
    drvcommon::Selection selected(source.get(), bitmap.get());
    BitBlt(canvas.dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    return canvas;
}

// Counts the pixels where drawn differs from the bitmap shown over `behind`
// (its green pixels replaced), leaving out a border of `margin` pixels.
int differences(const Canvas& drawn, const Canvas& bitmap, COLORREF behind, int margin = 0)
{
    int count = 0;
    for (int y = margin; y < bitmap.height() - margin; ++y) {
        for (int x = margin; x < bitmap.width() - margin; ++x) {
            const COLORREF expected = bitmap.at(x, y) == kGreen ? behind : bitmap.at(x, y);
            if (drawn.at(x, y) != expected)
                ++count;
        }
    }
    return count;
}

int countColour(const Canvas& canvas, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            count += canvas.at(x, y) == colour ? 1 : 0;
    }
    return count;
}

// GDI objects of this process: GetGuiResources where it answers, else (Wine)
// the live entries of the handle table, probed by index.
int gdiObjects()
{
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<int>(counted);
    int count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    return count;
}

struct Ink {
    int32_t words[38];
};

Ink inkRecord(int32_t left, int32_t right, std::initializer_list<int32_t> levels)
{
    Ink ink = {};
    ink.words[0] = 1;
    int level = 1;
    for (int32_t value : levels)
        ink.words[level++] = value;
    ink.words[10] = left;
    ink.words[11] = right;
    return ink;
}

// Rows of the bar's inside, counted from the bottom, drawn in the colour.
int filledRows(const Canvas& canvas, const RECT& bar, COLORREF colour)
{
    const int x = (bar.left + bar.right) / 2;
    int rows = 0;
    for (int y = bar.bottom - 1; y >= bar.top && canvas.at(x, y) == colour; --y)
        ++rows;
    return rows;
}

}  // namespace

TEST(BitmapLibrary, EveryIdOfBitmapIdsLoadsWithGreenAsTransparent)
{
    ASSERT_NE(bitmapLibrary(), nullptr);
    const std::string header = readFile(PELMORA_BITMAP_IDS_PATH);
    const std::regex define(R"(#define\s+(IDB_\w+)\s+(\d+))");
    int checked = 0;
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it) {
        const std::string name = (*it)[1];
        const DWORD id = static_cast<DWORD>(std::stoul((*it)[2]));
        SCOPED_TRACE(name);
        drvcommon::Bitmap bitmap(LoadBitmapA(bitmapLibrary(), MAKEINTRESOURCEA(id)));
        ASSERT_TRUE(bitmap);
        BITMAP info = {};
        ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0);
        EXPECT_GE(info.bmWidth, 16);
        if (id != IDB_PALETTE_256) {
            // Drawn on green: the corner shows the background.
            EXPECT_EQ(picture(id).at(0, 0), kGreen);
        }
        ++checked;
    }
    size_t defines = 0;
    for (size_t at = header.find("#define IDB_"); at != std::string::npos; at = header.find("#define IDB_", at + 1))
        ++defines;
    EXPECT_EQ(static_cast<size_t>(checked), defines);
    EXPECT_GE(checked, 30);
}

TEST(BitmapLibrary, PaletteComesFromTheColourTable)
{
    CPalette256 palette;
    ASSERT_TRUE(palette.Create(bitmapLibrary(), IDB_PALETTE_256));
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(palette.GetSafeHandle(), 0, 256, entries), 256u);
    EXPECT_EQ(RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(entries[255].peRed, entries[255].peGreen, entries[255].peBlue), RGB(255, 255, 255));
    // A 24-bit picture has no colour table.
    EXPECT_FALSE(palette.Create(bitmapLibrary(), IDB_PAPER_PLAIN));
    EXPECT_FALSE(palette.Create(bitmapLibrary(), 4321));
}

TEST(PictureButton, GreenIsTransparentAndPressingDrawsTheDownBitmap)
{
    TestWindow window(300, 200);
    COwnButton button(window.add(GUI_CLASS_OWNBUTTON, "", 101, 10, 10, 44, 44));
    ASSERT_NE(button.GetSafeHwnd(), nullptr);
    ASSERT_TRUE(button.SetBitmaps(bitmapLibrary(), IDB_QUALITY_DRAFT_UP, IDB_QUALITY_DRAFT_DOWN));
    const Canvas up = picture(IDB_QUALITY_DRAFT_UP);
    const Canvas down = picture(IDB_QUALITY_DRAFT_DOWN);
    ASSERT_GT(countColour(up, kGreen), 0);
    ASSERT_GT(differences(up, down, kBehind), 100);

    EXPECT_EQ(differences(render(button.GetSafeHwnd(), false), up, kBehind), 0);
    EXPECT_EQ(differences(render(button.GetSafeHwnd(), true), up, kParentFace), 0);

    button.SetDown(TRUE);
    EXPECT_TRUE(button.IsDown());
    EXPECT_EQ(differences(render(button.GetSafeHwnd(), false), down, kBehind), 0);
    button.SetDown(FALSE);

    // The mouse: pressed looks down, released inside notifies the parent.
    SendMessageA(button.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    EXPECT_EQ(differences(render(button.GetSafeHwnd(), false), down, kBehind, 1), 0);
    EXPECT_TRUE(window.notifications.empty());
    SendMessageA(button.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(differences(render(button.GetSafeHwnd(), false), up, kBehind, 1), 0);
    ASSERT_EQ(window.notifications.size(), 1u);
    EXPECT_EQ(window.notifications[0].id, 101);
    EXPECT_EQ(window.notifications[0].code, BN_CLICKED);

    // Released outside: no click.
    SendMessageA(button.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageA(button.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 20));
    SendMessageA(button.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(200, 20));
    EXPECT_EQ(window.notifications.size(), 1u);

    // BM_CLICK clicks; a disabled button does nothing.
    SendMessageA(button.GetSafeHwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(window.notifications.size(), 2u);
    EnableWindow(button.GetSafeHwnd(), FALSE);
    // Disabled: the picture in greys, the background still showing.
    const Canvas greyed = render(button.GetSafeHwnd(), false);
    int coloured = 0;
    int shown = 0;
    for (int y = 0; y < up.height(); ++y) {
        for (int x = 0; x < up.width(); ++x) {
            const COLORREF pixel = greyed.at(x, y);
            if (up.at(x, y) == kGreen) {
                shown += pixel == kBehind ? 1 : 0;
                continue;
            }
            coloured += GetRValue(pixel) != GetGValue(pixel) || GetGValue(pixel) != GetBValue(pixel) ? 1 : 0;
        }
    }
    EXPECT_EQ(coloured, 0);
    EXPECT_EQ(shown, countColour(up, kGreen));
    SendMessageA(button.GetSafeHwnd(), BM_CLICK, 0, 0);
    SendMessageA(button.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageA(button.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(window.notifications.size(), 2u);
}

namespace {

// An in-memory dialog template whose items name the common-look classes.
std::vector<WORD> dialogTemplate(const std::vector<std::pair<const wchar_t*, WORD>>& items)
{
    std::vector<WORD> words;
    const auto put32 = [&words](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    const auto putText = [&words](const wchar_t* text) {
        for (; *text != 0; ++text)
            words.push_back(static_cast<WORD>(*text));
        words.push_back(0);
    };
    put32(WS_POPUP | WS_VISIBLE | DS_SETFONT);
    put32(0);
    words.push_back(static_cast<WORD>(items.size()));
    for (short value : {0, 0, 200, 120})
        words.push_back(static_cast<WORD>(value));
    words.push_back(0);   // no menu
    words.push_back(0);   // the dialog class
    putText(L"Template");
    words.push_back(8);
    putText(L"MS Shell Dlg");
    short y = 4;
    for (const auto& item : items) {
        if (words.size() % 2 != 0)
            words.push_back(0);   // DWORD alignment
        put32(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        put32(0);
        for (short value : {static_cast<short>(4), y, static_cast<short>(100), static_cast<short>(24)})
            words.push_back(static_cast<WORD>(value));
        y = static_cast<short>(y + 28);
        words.push_back(item.second);
        putText(item.first);
        putText(L"Item");
        words.push_back(0);   // no creation data
    }
    return words;
}

std::vector<Notification> dialogNotifications;

INT_PTR CALLBACK recordingDialog(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND)
        dialogNotifications.push_back({LOWORD(wParam), HIWORD(wParam)});
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

TEST(DialogTemplates, NameTheClassesOfTheCommonLook)
{
    const auto words = dialogTemplate({{L"COwnButton", 501}, {L"CGUIButton", 502}, {L"CTransStaticBmp", 503},
                                       {L"CTransparentBmp", 504}, {L"CGUILink", 505}, {L"CGUIUrlLink", 506},
                                       {L"CGUIInkTank", 507}});
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr,
                                             recordingDialog, 0);
    ASSERT_NE(dialog, nullptr);
    const char* names[] = {"COwnButton", "CGUIButton", "CTransStaticBmp", "CTransparentBmp",
                           "CGUILink", "CGUIUrlLink", "CGUIInkTank"};
    for (int i = 0; i < 7; ++i) {
        char name[64] = {};
        ASSERT_NE(GetDlgItem(dialog, 501 + i), nullptr) << names[i];
        GetClassNameA(GetDlgItem(dialog, 501 + i), name, sizeof name);
        EXPECT_STREQ(name, names[i]);
    }
    COwnButton button;
    ASSERT_TRUE(button.Attach(dialog, 501));
    EXPECT_TRUE(button.SetBitmaps(bitmapLibrary(), IDB_QUALITY_BEST_UP, IDB_QUALITY_BEST_DOWN));
    dialogNotifications.clear();
    SendMessageA(button.GetSafeHwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(dialogNotifications.size(), 1u);
    EXPECT_EQ(dialogNotifications[0].id, 501);
    EXPECT_EQ(dialogNotifications[0].code, BN_CLICKED);
    DestroyWindow(dialog);
}

TEST(TransparentPictures, StaticShowsItsParentsBackgroundAndTheOtherWhatLiesBelow)
{
    TestWindow window(300, 200);
    CTransStaticBmp onFace(window.add(GUI_CLASS_TRANSSTATICBMP, "", 201, 10, 10, 100, 56));
    CTransparentBmp overAnything(window.add(GUI_CLASS_TRANSPARENTBMP, "", 202, 10, 80, 100, 56));
    ASSERT_TRUE(onFace.SetBitmap(bitmapLibrary(), IDB_COPIES_COLLATED));
    ASSERT_TRUE(overAnything.SetBitmap(bitmapLibrary(), IDB_COPIES_COLLATED));
    const Canvas copies = picture(IDB_COPIES_COLLATED);
    EXPECT_EQ(differences(render(onFace.GetSafeHwnd(), true), copies, kParentFace), 0);
    EXPECT_EQ(differences(render(overAnything.GetSafeHwnd(), true), copies, kBehind), 0);
    EXPECT_FALSE(onFace.SetBitmap(bitmapLibrary(), 4321));

    // The same masks for a bitmap the caller holds.
    drvcommon::Bitmap held(LoadBitmapA(bitmapLibrary(), MAKEINTRESOURCEA(IDB_PAPER_PLAIN)));
    Canvas drawn(64, 64, kBehind);
    ASSERT_TRUE(GuiDrawTransparentBitmap(drawn.dc(), 0, 0, held.get(), kGuiTransparent));
    EXPECT_EQ(differences(drawn, picture(IDB_PAPER_PLAIN), kBehind), 0);
    EXPECT_FALSE(GuiDrawTransparentBitmap(drawn.dc(), 0, 0, nullptr, kGuiTransparent));
}

TEST(Links, UnderlinedHandCursorAndAClickNotifiesTheParent)
{
    TestWindow window(300, 200);
    CGUILink link(window.add(GUI_CLASS_LINK, "Order supplies online", 301, 10, 10, 200, 20));
    link.SetColor(RGB(0, 0, 200));
    const Canvas drawn = render(link.GetSafeHwnd(), true);
    // The underline: one row with a long run of the link's colour.
    int longest = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        int run = 0;
        for (int x = 0; x < drawn.width(); ++x) {
            run = drawn.at(x, y) == RGB(0, 0, 200) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GT(longest, 60);

    SendMessageA(link.GetSafeHwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.GetSafeHwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

    SendMessageA(link.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(link.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(window.notifications.size(), 1u);
    EXPECT_EQ(window.notifications[0].id, 301);
    EXPECT_EQ(window.notifications[0].code, BN_CLICKED);

    EnableWindow(link.GetSafeHwnd(), FALSE);
    EXPECT_EQ(countColour(render(link.GetSafeHwnd(), true), RGB(0, 0, 200)), 0);
}

TEST(Links, UrlLinkOpensItsAddressWithTheShell)
{
    // The address is the status program stand-in, which records how it ran.
    const std::string program = thisDirectory() + "pmstatus.exe";
    const std::string record = thisDirectory() + "pmstatus.received";
    DeleteFileA(record.c_str());
    TestWindow window(300, 200);
    CGUIUrlLink link(window.add(GUI_CLASS_URLLINK, "Pelmora on the web", 302, 10, 10, 200, 20));
    link.SetUrl(program.c_str());
    SendMessageA(link.GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(link.GetSafeHwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(window.notifications.size(), 1u);
    for (int wait = 0; wait < 200 && GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait)
        Sleep(50);
    EXPECT_NE(GetFileAttributesA(record.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(InkDisplay, BarsFollowTheLevelsAndAMissingCartridgeShowsAsMissing)
{
    TestWindow window(300, 200);
    CGUIInkTank left(window.add(GUI_CLASS_INKTANK, "", 401, 10, 10, 70, 90));
    CGUIInkTank right(window.add(GUI_CLASS_INKTANK, "", 402, 90, 10, 70, 90));
    CGUIInkDisplay display;
    display.SetInkTanks(left.GetSafeHwnd(), right.GetSafeHwnd());
    EXPECT_FALSE(display.HasInkMonitoring());

    // Black 80 %, cyan 25 %, magenta 50 %, yellow 100 %.
    const Ink ink = inkRecord(0x10, 0x11, {80, 25, 50, 100});
    display.SetInkInfo(&ink);
    EXPECT_TRUE(display.HasInkMonitoring());
    EXPECT_FALSE(display.IsPhotoCartridge(2));
    EXPECT_FALSE(display.IsCartridgeMissing(2));
    const struct {
        HWND tank;
        int index;
        COLORREF colour;
        int percent;
    } bars[] = {{left.GetSafeHwnd(), 0, RGB(0, 160, 225), 25},
                {left.GetSafeHwnd(), 1, RGB(220, 30, 130), 50},
                {left.GetSafeHwnd(), 2, RGB(250, 210, 20), 100},
                {right.GetSafeHwnd(), 0, RGB(30, 30, 34), 80}};
    for (const auto& bar : bars) {
        RECT inside;
        ASSERT_TRUE(SendMessageA(bar.tank, GUI_GETINKRECT, bar.index, reinterpret_cast<LPARAM>(&inside)));
        const int height = inside.bottom - inside.top;
        ASSERT_GT(height, 40);
        EXPECT_EQ(filledRows(render(bar.tank, true), inside, bar.colour), MulDiv(height, bar.percent, 100))
            << bar.percent << " %";
    }
    RECT none;
    EXPECT_FALSE(SendMessageA(right.GetSafeHwnd(), GUI_GETINKRECT, 1, reinterpret_cast<LPARAM>(&none)));

    // Port mode 10: the same levels, hatched as last known.
    display.SetPortMode(10);
    RECT cyan;
    SendMessageA(left.GetSafeHwnd(), GUI_GETINKRECT, 0, reinterpret_cast<LPARAM>(&cyan));
    const Canvas hatched = render(left.GetSafeHwnd(), true);
    EXPECT_GT(countColour(hatched, RGB(255, 255, 255)), 20);
    EXPECT_LT(filledRows(hatched, cyan, RGB(0, 160, 225)), MulDiv(cyan.bottom - cyan.top, 25, 100));
    display.SetPortMode(0);

    // A missing black cartridge: no bar, no black ink, a red cross.
    const Ink missing = inkRecord(0x10, 32, {80, 25, 50, 100});
    display.SetInkInfo(&missing);
    EXPECT_TRUE(display.IsCartridgeMissing(2));
    EXPECT_FALSE(SendMessageA(right.GetSafeHwnd(), GUI_GETINKRECT, 0, reinterpret_cast<LPARAM>(&none)));
    const Canvas empty = render(right.GetSafeHwnd(), true);
    EXPECT_EQ(countColour(empty, RGB(30, 30, 34)), 0);
    EXPECT_GT(countColour(empty, RGB(200, 40, 40)), 30);

    // A photo cartridge on the right: three bars of photo inks.
    const Ink photo = inkRecord(0x10, 0x80, {0, 25, 50, 100, 60, 40, 90});
    display.SetInkInfo(&photo);
    EXPECT_TRUE(display.IsPhotoCartridge(2));
    RECT grey;
    ASSERT_TRUE(SendMessageA(right.GetSafeHwnd(), GUI_GETINKRECT, 2, reinterpret_cast<LPARAM>(&grey)));
    EXPECT_EQ(filledRows(render(right.GetSafeHwnd(), true), grey, RGB(120, 120, 128)),
              MulDiv(grey.bottom - grey.top, 90, 100));
}

TEST(InkDisplay, LevelsOfTheStatusCache)
{
    const char key[] = "Software\\Pelmora\\PrinterStatus\\Pelmora Look Test";
    deleteTree(key, HKEY_CURRENT_USER);
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    const std::pair<const char*, DWORD> values[] = {
        {"InkStyle", 1}, {"InkPercent1", 10}, {"InkPercent2", 70}, {"LogCartId1", 0x10}, {"LogCartId2", 0x11}};
    for (const auto& value : values)
        RegSetValueExA(opened, value.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.second), 4);
    RegCloseKey(opened);

    TestWindow window(300, 200);
    CGUIInkTank left(window.add(GUI_CLASS_INKTANK, "", 401, 10, 10, 70, 90));
    CGUIInkDisplay display;
    display.SetInkTanks(left.GetSafeHwnd(), nullptr);
    display.SetPrinterName("Pelmora Look Test");
    ASSERT_TRUE(display.UpdateFromStatusCache());
    RECT cyan;
    ASSERT_TRUE(SendMessageA(left.GetSafeHwnd(), GUI_GETINKRECT, 0, reinterpret_cast<LPARAM>(&cyan)));
    EXPECT_EQ(filledRows(render(left.GetSafeHwnd(), true), cyan, RGB(0, 160, 225)),
              MulDiv(cyan.bottom - cyan.top, 70, 100));
    display.SetPrinterName("Pelmora No Such Printer");
    EXPECT_FALSE(display.UpdateFromStatusCache());
    deleteTree(key, HKEY_CURRENT_USER);
}

TEST(CommonLook, NoGdiObjectOutlivesItsControls)
{
    // The counter sees one brush come and go, or the check below means nothing.
    const int start = gdiObjects();
    HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(gdiObjects(), start + 1);
    DeleteObject(probe);
    EXPECT_EQ(gdiObjects(), start);

    const auto cycle = [] {
        TestWindow window(400, 200);
        COwnButton button(window.add(GUI_CLASS_OWNBUTTON, "", 1, 0, 0, 44, 44));
        CGUIButton labelled(window.add(GUI_CLASS_GUIBUTTON, "Best", 2, 50, 0, 60, 64));
        CTransStaticBmp banner(window.add(GUI_CLASS_TRANSSTATICBMP, "", 3, 120, 0, 64, 64));
        CGUILink link(window.add(GUI_CLASS_LINK, "Link", 4, 0, 70, 100, 20));
        CGUIInkTank tank(window.add(GUI_CLASS_INKTANK, "", 5, 200, 0, 70, 90));
        for (int round = 0; round < 3; ++round) {
            button.SetBitmaps(bitmapLibrary(), IDB_QUALITY_BEST_UP, IDB_QUALITY_BEST_DOWN);
            labelled.SetBitmaps(bitmapLibrary(), IDB_QUALITY_BEST_UP, IDB_QUALITY_BEST_DOWN);
            banner.SetBitmap(bitmapLibrary(), IDB_PAPER_PLAIN);
            SendMessageA(link.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), 0);
            CGUIInkDisplay display;
            const Ink ink = inkRecord(0x10, round == 1 ? 32 : 0x80, {50, 50, 50, 50, 50, 50, 50});
            display.SetInkTanks(tank.GetSafeHwnd(), nullptr);
            display.SetInkInfo(&ink);
            display.SetPortMode(round == 2 ? 10 : 0);
            for (HWND control : {button.GetSafeHwnd(), labelled.GetSafeHwnd(), banner.GetSafeHwnd(),
                                 link.GetSafeHwnd(), tank.GetSafeHwnd()}) {
                render(control, true);
                InvalidateRect(control, nullptr, TRUE);
                UpdateWindow(control);
            }
            SetFocus(link.GetSafeHwnd());
            render(link.GetSafeHwnd(), true);
            CPalette256 palette;
            palette.Create(bitmapLibrary(), IDB_PALETTE_256);
            drvcommon::WindowDc dc(window.get());
            auto selected = palette.Select(dc.get());
        }
        TestWindow::pump();
    };
    cycle();   // first use fills caches (fonts, the window class)
    const int warm = gdiObjects();
    for (int i = 0; i < 5; ++i)
        cycle();
    EXPECT_EQ(gdiObjects(), warm);
}

TEST(CommonLook, ScreenshotOfAllControls)
{
    TestWindow window(560, 370);
    HMODULE bitmaps = bitmapLibrary();
    const DWORD quality[][2] = {{IDB_QUALITY_AUTO_UP, IDB_QUALITY_AUTO_DOWN},
                                {IDB_QUALITY_DRAFT_UP, IDB_QUALITY_DRAFT_DOWN},
                                {IDB_QUALITY_NORMAL_UP, IDB_QUALITY_NORMAL_DOWN},
                                {IDB_QUALITY_BEST_UP, IDB_QUALITY_BEST_DOWN}};
    CTransStaticBmp(window.add(GUI_CLASS_TRANSSTATICBMP, "", 50, 12, 8, 520, 60))
        .SetBitmap(bitmaps, IDB_BANNER, kGuiTransparent, GuiPictureCentred);
    const char* labels[] = {"Automatic", "Draft", "Normal", "Best"};
    for (int i = 0; i < 4; ++i) {
        CGUIButton button(window.add(GUI_CLASS_GUIBUTTON, labels[i], 10 + i, 12 + i * 64, 78, 60, 66));
        button.SetBitmaps(bitmaps, quality[i][0], quality[i][1]);
        button.SetDown(i == 2);
    }
    CTransStaticBmp(window.add(GUI_CLASS_TRANSSTATICBMP, "", 20, 280, 78, 100, 56))
        .SetBitmap(bitmaps, IDB_COPIES_COLLATED, kGuiTransparent, GuiPictureCentred);
    CTransStaticBmp(window.add(GUI_CLASS_TRANSSTATICBMP, "", 21, 390, 78, 64, 64)).SetBitmap(bitmaps, IDB_PAPER_PLAIN);
    CTransStaticBmp(window.add(GUI_CLASS_TRANSSTATICBMP, "", 22, 460, 78, 64, 64))
        .SetBitmap(bitmaps, IDB_PAPER_BORDERLESS_LANDSCAPE);
    CGUILink(window.add(GUI_CLASS_LINK, "Which paper type?", 30, 12, 158, 200, 18)).SetColor(RGB(0, 70, 200));
    CGUIUrlLink(window.add(GUI_CLASS_URLLINK, "Order supplies online", 31, 12, 178, 200, 18)).SetUrl("about:blank");
    HWND tanks[6];
    for (int i = 0; i < 6; ++i)
        tanks[i] = window.add(GUI_CLASS_INKTANK, "", 40 + i, 12 + i * 88, 216, 76, 96);
    CGUIInkDisplay normal, photo, lastKnown;
    const Ink normalInk = inkRecord(0x10, 0x11, {80, 25, 50, 100});
    const Ink photoInk = inkRecord(0x10, 0x80, {0, 60, 15, 85, 70, 40, 90});
    const Ink missingInk = inkRecord(32, 0x11, {35, 0, 0, 0});
    normal.SetInkTanks(tanks[0], tanks[1]);
    normal.SetInkInfo(&normalInk);
    photo.SetInkTanks(tanks[2], tanks[3]);
    photo.SetInkInfo(&photoInk);
    lastKnown.SetInkTanks(tanks[4], tanks[5]);
    lastKnown.SetInkInfo(&missingInk);
    lastKnown.SetPortMode(10);
    TestWindow::pump();

    RECT client;
    GetClientRect(window.get(), &client);
    Canvas shot(client.right, client.bottom, kParentFace);
    for (HWND child = GetWindow(window.get(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window.get(), reinterpret_cast<POINT*>(&place), 2);
        POINT old;
        SetViewportOrgEx(shot.dc(), place.left, place.top, &old);
        SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc()), PRF_CLIENT | PRF_ERASEBKGND);
        SetViewportOrgEx(shot.dc(), old.x, old.y, nullptr);
    }
    const std::string folder = thisDirectory() + "..\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    shot.savePng(folder + "\\common-look.png");
    // The pressed button and the tanks are there: the down plate's blue and the inks.
    EXPECT_GT(countColour(shot, RGB(0, 160, 225)), 100);
    EXPECT_GT(countColour(shot, RGB(200, 40, 40)), 30);
    EXPECT_NE(GetFileAttributesA((folder + "\\common-look.png").c_str()), INVALID_FILE_ATTRIBUTES);
}
