// The page setup page in the real sheet over a real settings model and the
// real registry, clicked by control id the way a user's actions arrive, under
// Wine on a virtual display. Saves a screenshot of the page.
#include "CommonLibrary_win.h"
#include "ConflictMessageDlg.h"
#include "GUIPrinter.h"
#include "OptionKeys.h"
#include "PageSetupPropPage.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"
#include "SheetWindow_win.h"

#include "Fakes.h"
#include "ModelFakes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const char kPrinter[] = "Pelmora Page Test";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Page Test";

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class NoMessages : public MessageBoxes {
public:
    void Show(const std::string&) override {}
};

bool saveScreenshot(HWND window, const std::string& path);

// A modal dialog the next user action opens, and the buttons the "user"
// presses in it; a thread timer does it from inside the dialog's own loop.
struct Answerer {
    int marker = 0;                 // a control only that dialog has
    std::vector<std::pair<int, std::string>> typing;   // typed before the presses
    std::vector<int> presses;
    std::vector<std::string> texts; // title, then the first text control
    std::vector<int> sliders;       // the positions of these controls after typing
    std::string screenshot;         // where to save a picture of the dialog, if anywhere
    bool answered = false;

    static Answerer* current;
    static BOOL CALLBACK findDialog(HWND window, LPARAM)
    {
        Answerer& a = *current;
        if (a.answered || GetDlgItem(window, a.marker) == nullptr || !IsWindowVisible(window))
            return TRUE;
        char text[256] = "";
        GetWindowTextA(window, text, sizeof text);
        a.texts.push_back(text);
        GetDlgItemTextA(window, IDC_CONFLICT_TEXT1, text, sizeof text);
        a.texts.push_back(text);
        a.answered = true;
        if (!a.screenshot.empty()) {
            // The screen shows a window's drawing once Wine has flushed it
            // to the display: let a few rounds of messages pass first.
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            for (int round = 0; round < 10; ++round) {
                pump();
                Sleep(20);
            }
            saveScreenshot(window, a.screenshot);
        }
        for (const auto& [id, typed] : a.typing)
            SetDlgItemTextA(window, id, typed.c_str());
        for (int& id : a.sliders)
            id = static_cast<int>(SendDlgItemMessageA(window, id, TBM_GETPOS, 0, 0));
        // IDCANCEL stands for the window's close box.
        for (int id : a.presses) {
            if (id == IDCANCEL)
                SendMessageA(window, WM_CLOSE, 0, 0);
            else
                SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
        }
        return FALSE;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), findDialog, 0);
        if (current->answered)
            KillTimer(nullptr, timer);
    }
    void arm()
    {
        current = this;
        SetTimer(nullptr, 0, 30, tick);
    }
};
Answerer* Answerer::current = nullptr;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// One opening of the preferences' first page: a top-level window holding
// the sheet, the sheet holding the page.
struct PageWindow {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    DrvRegistry registry;
    RecordingTrace trace;
    RecordingCompanions companions;
    int layoutPageShown = 0;
    NoMessages messages;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<PageSetupPropPage> page;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};
    UniqueWindow host;
    std::unique_ptr<SheetWindow> sheet;
    std::unique_ptr<ConflictDialogRunner> conflicts;
    HWND hwnd = nullptr;

    PageWindow()
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        product.setText(OptionKey::IDO_CONFIG_DLL, "pmphoto.cfg");
        product.set(OptionKey::IDO_SUPPORT_E2E, 1).set(OptionKey::IDO_ENVELOPECHECKBOX, 1);
        product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 1).set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
        product.set(OptionKey::IDO_NUMBER_BINS, 2).set(OptionKey::IDO_SUPPORT_PHOTODPI, 1);
        product.set(OptionKey::IDO_DMMINWIDTHMM, 76).set(OptionKey::IDO_DMMAXWIDTHMM, 216);
        product.set(OptionKey::IDO_DMMINHEIGHTMM, 127).set(OptionKey::IDO_DMMAXHEIGHTMM, 356);
        product.set(OptionKey::IDO_DMMINWIDTHIN, 30).set(OptionKey::IDO_DMMAXWIDTHIN, 85);
        product.set(OptionKey::IDO_DMMINHEIGHTIN, 50).set(OptionKey::IDO_DMMAXHEIGHTIN, 140);
        product.set(OptionKey::IDO_DMLETTERWIDTHMM, 216).set(OptionKey::IDO_DMLETTERHEIGHTMM, 279);
        product.set(OptionKey::IDO_PMKPRINTPROP, 0);
        config.paperSizes = {1, 5, 9, 20, 27, 60, 256, 296, 298};
        config.mediaTypes = {1, 2, 3, 258, 261, 265, 266, 267};
        config.defaultSizes = {{0, 1}, {0x1000, 296}, {0x8000, 20}};
        status.known = true;
        status.printer = kPrinter;
        status.logCart[0] = 1;
        status.logCart[1] = 0x71;   // a photo cartridge that only draft quality conflicts with
        status.optTray = 1;
        for (uint32_t& level : status.inkPercent)
            level = 60;

        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
        LCDEVMODE record;
        std::memset(&record, 0, sizeof record);
        std::strcpy(record.dmPrinterName, kPrinter);
        record.dmOrientation = 1;
        record.dmPageOrder = 1;
        record.dmPaperSize = 1;
        record.dmUnits = 1;
        record.dmCopies = 2;
        record.dmCollate = 1;
        record.dmPaperSource = 7;
        record.dmPrintQuality = -2;
        record.dmColorMode = 2;
        record.dmDuplexMode = 1;
        record.dmMediaType = 1;
        record.dmMediaType2 = 1;
        model->LoadFrom(record);
        INKINFO ink{};
        model->SetInkInfo2(ink, kPrinter);
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages, [](LCDEVMODE&) {});
        PageContext context{product, registry, *slots, trace, companions,
                            [] { return std::make_unique<DrvInkDisplay>(); }, '.',
                            [this] { ++layoutPageShown; }};
        page = std::make_unique<PageSetupPropPage>(context);
        page->SetPrinter(model.get());
    }

    void open()
    {
        ASSERT_TRUE(resources) << "ppres.dll";
        WNDCLASSA wc = {};
        wc.lpfnWndProc = hostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "PelmoraPageHost";
        RegisterClassA(&wc);
        host.reset(CreateWindowExA(WS_EX_CONTROLPARENT, "PelmoraPageHost", "Printing Preferences",
                                   WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, 540, 460, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(host);
        sheet = std::make_unique<SheetWindow>(resources.get(), bitmaps.get());
        sheet->AddPage(IDD_PAGESETUP, "Page Setup", *page);
        RECT area;
        GetClientRect(host.get(), &area);
        InflateRect(&area, -6, -6);
        ASSERT_TRUE(sheet->Create(host.get(), 100, area, true))
            << "error " << GetLastError() << ", sheet " << sheet->hwnd() << ", tabs " << sheet->tabs();
        // Grow the window so the page shows whole.
        const SIZE need = sheet->RequiredSize();
        MoveWindow(sheet->hwnd(), 6, 6, need.cx, need.cy, TRUE);
        RECT frame = {0, 0, need.cx + 12, need.cy + 12};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(host.get(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(host.get(), GWL_EXSTYLE)));
        SetWindowPos(host.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        hwnd = sheet->pageWindow(0);
        ASSERT_NE(hwnd, nullptr);
        conflicts = std::make_unique<ConflictDialogRunner>(sheet->view(0));
        model->SetConflictDialog(conflicts.get());
        model->SetConflictCheck(1);
        UpdateWindow(host.get());
        pump();
    }

    HWND item(int id) const { return GetDlgItem(hwnd, id); }
    void click(int id)
    {
        SendMessageA(item(id), BM_CLICK, 0, 0);
        pump();
    }
    void choose(int id, int32_t data)
    {
        const int count = static_cast<int>(SendMessageA(item(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (static_cast<int32_t>(SendMessageA(item(id), CB_GETITEMDATA, i, 0)) == data) {
                SendMessageA(item(id), CB_SETCURSEL, i, 0);
                SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(id)));
                pump();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << data << " in combo box " << id;
    }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
    std::string text(int id) const
    {
        char buffer[256] = "";
        GetWindowTextA(item(id), buffer, sizeof buffer);
        return buffer;
    }
    LCDEVMODE record() const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        model->SaveTo(r);
        return r;
    }
};

// 24-bit BMP of what the screen shows of the window.
bool saveScreenshot(HWND window, const std::string& path)
{
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    bool ok = false;
    if (memory && bitmap) {
        SelectGuard select(memory.get(), bitmap.get());
        ok = BitBlt(memory.get(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != FALSE;
    }
    ReleaseDC(nullptr, screen);
    if (!ok)
        return false;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    if (GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) != height)
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string content(reinterpret_cast<const char*>(&file), sizeof file);
    content.append(reinterpret_cast<const char*>(&info), sizeof info);
    content.append(pixels.data(), pixels.size());
    writeFile(path, content);
    return true;
}

TEST(PageSetupWindow, OpensInTheSheetWithTheModelsSettings)
{
    PageWindow w;
    w.open();
    EXPECT_TRUE(IsWindowVisible(w.hwnd));
    // Every control of the page lies inside the page's visible area.
    RECT page;
    GetClientRect(w.hwnd, &page);
    for (HWND child = GetWindow(w.hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, w.hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= page.right && r.bottom <= page.bottom)
            << "control " << GetDlgCtrlID(child) << " reaches " << r.right << "," << r.bottom << " of "
            << page.right << "," << page.bottom;
    }
    EXPECT_EQ(GetParent(w.hwnd), w.sheet->hwnd());
    EXPECT_NE(GetWindowLongPtrA(w.sheet->hwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    EXPECT_EQ(GetWindowLongPtrA(w.sheet->hwnd(), GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
    EXPECT_TRUE(w.checked(IDC_QUALITY_NORMAL));
    EXPECT_FALSE(w.checked(IDC_QUALITY_DRAFT));
    EXPECT_EQ(w.text(IDC_COPIES), "2");
    EXPECT_TRUE(w.checked(IDC_PORTRAIT));
    EXPECT_EQ(w.text(IDC_EDGE_TO_EDGE), "Edge-to-edge (&borderless) printing");
    EXPECT_EQ(w.text(IDC_MEDIA_TYPE), "Plain paper");
    EXPECT_EQ(w.text(IDC_PAPER_SIZE), "Letter 8.5 x 11 in.");
    EXPECT_FALSE(w.enabled(IDC_BLACK_WHITE));   // a photo cartridge is in the right holder
    EXPECT_EQ(w.page->cartridgeState(), ColorAndPhoto);

    // The common library's display filled both tanks: three photo inks on
    // the right, the colour inks on the left.
    RECT bar;
    EXPECT_TRUE(SendMessageA(w.item(IDC_INK_TANK_LEFT), GUI_GETINKRECT, 2, reinterpret_cast<LPARAM>(&bar)));
    EXPECT_TRUE(SendMessageA(w.item(IDC_INK_TANK_RIGHT), GUI_GETINKRECT, 2, reinterpret_cast<LPARAM>(&bar)));
    EXPECT_FALSE(SendMessageA(w.item(IDC_INK_TANK_RIGHT), GUI_GETINKRECT, 3, reinterpret_cast<LPARAM>(&bar)));
    w.click(IDC_ORDER_INK);
    EXPECT_EQ(w.companions.launched, std::vector<std::string>{std::string(kPrinter) + " order"});
    w.click(IDC_LAYOUT_OPTIONS);
    EXPECT_EQ(w.layoutPageShown, 1);

    // The tab strip hides and comes back; the page fills what it leaves.
    RECT withTabs;
    GetWindowRect(w.hwnd, &withTabs);
    w.sheet->ShowTabs(false);
    RECT without;
    GetWindowRect(w.hwnd, &without);
    EXPECT_FALSE(IsWindowVisible(w.sheet->tabs()));
    EXPECT_LT(without.top, withTabs.top);
    w.sheet->ShowTabs(true);
    EXPECT_FALSE(w.sheet->SetActivePage(1));
    EXPECT_TRUE(w.sheet->SetActivePage(0));

    // Copies typed into the field reach the model; the spin follows.
    SetWindowTextA(w.item(IDC_COPIES), "7");
    pump();
    EXPECT_EQ(w.model->GetCopies(), 7);
    w.click(IDC_LANDSCAPE);
    EXPECT_EQ(w.model->GetOrientation(), 2);
    EXPECT_TRUE(w.checked(IDC_LANDSCAPE));
    EXPECT_FALSE(w.checked(IDC_PORTRAIT));
    w.click(IDC_PORTRAIT);
    RedrawWindow(w.host.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    const std::string shot = thisDirectory() + "pagesetup.bmp";
    EXPECT_TRUE(saveScreenshot(w.host.get(), shot)) << shot;
}

TEST(PageSetupWindow, EnvelopeOnThenOffRestoresTheRecord)
{
    PageWindow w;
    w.open();
    w.choose(IDC_MEDIA_TYPE, 261);
    w.choose(IDC_PAPER_SIZE, 9);
    const LCDEVMODE before = w.record();

    w.click(IDC_ENVELOPE);
    EXPECT_TRUE(w.checked(IDC_ENVELOPE));
    EXPECT_FALSE(w.enabled(IDC_EDGE_TO_EDGE));
    EXPECT_EQ(w.model->GetPaperFlags(), 0x8000u);
    DWORD type = 0;
    const std::vector<BYTE> stored = rawValue(HKEY_CURRENT_USER, kRoot + "\\ENV", "Previous DevMode", type);
    ASSERT_EQ(stored.size(), sizeof(LCDEVMODE));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::memcmp(stored.data(), &before, sizeof before), 0);

    w.click(IDC_ENVELOPE);
    EXPECT_FALSE(w.checked(IDC_ENVELOPE));
    EXPECT_TRUE(w.enabled(IDC_EDGE_TO_EDGE));
    EXPECT_EQ(GetFocus(), w.item(IDC_ENVELOPE));
    const LCDEVMODE after = w.record();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_EQ(w.text(IDC_MEDIA_TYPE), "Brochure paper");
}

TEST(PageSetupWindow, EdgeToEdgeWithANonBorderlessSizePicks296)
{
    PageWindow w;
    w.open();
    Answerer note;
    note.marker = IDC_BORDERLESS_DONT_SHOW;
    note.presses = {IDC_BORDERLESS_DONT_SHOW, IDOK};
    note.arm();
    w.click(IDC_EDGE_TO_EDGE);
    ASSERT_TRUE(note.answered) << "the borderless note was not shown";
    EXPECT_TRUE(w.checked(IDC_EDGE_TO_EDGE));
    EXPECT_FALSE(w.enabled(IDC_ENVELOPE));
    EXPECT_FALSE(w.enabled(IDC_COPIES));
    EXPECT_EQ(w.model->GetPaperFlags(), 0x1000u);
    DWORD type = 0;
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, kRoot + "\\LPA", "E2EShowAlert", type).size(), 4u);

    w.choose(IDC_PAPER_SIZE, 9);
    EXPECT_EQ(w.model->GetPaperSize(), 296u);
    EXPECT_EQ(w.text(IDC_PAPER_SIZE), "Photo 4 x 6 in. borderless");
    w.choose(IDC_PAPER_SIZE, 298);
    EXPECT_EQ(w.model->GetPaperSize(), 298u);

    // Switching off restores what was there before.
    w.click(IDC_EDGE_TO_EDGE);
    EXPECT_FALSE(w.checked(IDC_EDGE_TO_EDGE));
    EXPECT_EQ(w.model->GetPaperSize(), 1u);
    EXPECT_EQ(w.model->GetPaperFlags(), 0u);
}

TEST(PageSetupWindow, DraftWithAPhotoCartridgeAskedAndAnswered)
{
    struct Row {
        int press;
        int32_t quality;
    } rows[] = {{IDC_CONFLICT_FIRST, -4}, {IDCANCEL, -2}, {IDC_CONFLICT_SECOND, -1}};
    PageWindow w;
    w.open();
    for (const Row& r : rows) {
        Answerer user;
        user.marker = IDC_CONFLICT_FIRST;
        user.presses = {r.press};
        if (r.press == IDC_CONFLICT_FIRST)
            user.screenshot = thisDirectory() + "conflict.bmp";
        user.arm();
        w.click(IDC_QUALITY_DRAFT);
        ASSERT_TRUE(user.answered) << "no conflict dialog for answer " << r.press;
        EXPECT_EQ(user.texts.at(0), "Printing Preferences");   // the print-property build's title
        EXPECT_EQ(user.texts.at(1), "Draft quality");
        EXPECT_EQ(w.model->GetPrintQuality(), r.quality) << r.press;
        EXPECT_EQ(w.checked(IDC_QUALITY_BEST), r.quality == -4);
        EXPECT_EQ(w.checked(IDC_QUALITY_NORMAL), r.quality == -2);
        w.click(IDC_QUALITY_NORMAL);
    }
    // Answered with the second choice, the question is not asked again.
    w.click(IDC_QUALITY_DRAFT);
    EXPECT_EQ(w.model->GetPrintQuality(), -1);
}

TEST(PageSetupWindow, CustomSizeIsTypedIntoItsDialog)
{
    PageWindow w;
    w.open();
    Answerer user;
    user.marker = IDC_CUSTOM_WIDTH_SLIDER;
    user.typing = {{IDC_CUSTOM_WIDTH, "5.0"}, {IDC_CUSTOM_HEIGHT, "7,0"}};
    user.sliders = {IDC_CUSTOM_WIDTH_SLIDER, IDC_CUSTOM_HEIGHT_SLIDER};
    user.presses = {IDOK};
    user.screenshot = thisDirectory() + "customsize.bmp";
    user.arm();
    w.choose(IDC_PAPER_SIZE, 256);
    ASSERT_TRUE(user.answered) << "the custom size dialog was not shown";
    EXPECT_EQ(user.texts.at(0), "Custom Paper Size");
    EXPECT_EQ(user.sliders, (std::vector<int>{50, 70}));   // tenths of an inch: the model's unit is inches
    EXPECT_EQ(w.model->GetPaperSize(), 256u);
    EXPECT_NEAR(w.model->GetCustomWidth(), 1500.0f, 0.01f);
    EXPECT_NEAR(w.model->GetCustomLength(), 2100.0f, 0.01f);
    EXPECT_EQ(w.text(IDC_PAPER_SIZE), "Custom size");
    EXPECT_FALSE(w.enabled(IDC_EDGE_TO_EDGE));   // no borderless custom size
}

}  // namespace
