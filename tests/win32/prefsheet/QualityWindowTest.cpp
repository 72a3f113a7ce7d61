// The two quality pages of the alternate main window in the real sheet over
// one real settings model and the real registry, clicked by control id the
// way a user's actions arrive, under Wine on a virtual display. Saves a
// screenshot of each page.
#include "CommonLibrary_win.h"
#include "GUIPrinter.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"
#include "QualityPropPage.h"
#include "ResourceIds.h"
#include "SheetWindow_win.h"

#include "Fakes.h"
#include "ModelFakes.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;
using namespace windowtest;

namespace {

const char kPrinter[] = "Pelmora Quality Test";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Quality Test";
const char kPygValue[] = "PYGSupport";

class NoMessages : public MessageBoxes {
public:
    void Show(const std::string&) override {}
};

// Both pages in one sheet, as the alternate main window holds them, over
// one model.
struct QualityWindow {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    DrvRegistry registry;
    RecordingTrace trace;
    RecordingCompanions companions;
    NoMessages messages;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<QualityPropPage> mediaSense;
    std::unique_ptr<QualityPropPageNoMediaSense> noMediaSense;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};
    std::unique_ptr<SheetHost> host;

    QualityWindow()
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        product.setText(OptionKey::IDO_CONFIG_DLL, "pmphoto.cfg");
        product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 1).set(OptionKey::IDO_SUPPORT_PHOTODPI, 1);
        product.set(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 1).set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1);
        product.set(OptionKey::IDO_IMAGE_SHARPENING, 1).set(OptionKey::IDO_IMAGE_BUFFER, 1);
        product.set(OptionKey::IDO_AUTOPAPERTYPE_LINK, 1).set(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, 1);
        product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1).set(OptionKey::IDO_SUPPORT_PYGCARTRIDGES, 1);
        product.set(OptionKey::IDO_PELMORA_PHOTO_MEDIA, 1).set(OptionKey::IDO_PMKPRINTPROP, 1);
        product.setText(OptionKey::IDO_KEY_NAME_PYGSUPPORT, kPygValue);
        config.paperSizes = {1, 9, 60, 296};
        config.mediaTypes = {1, 2, 3, 258, 261, 265, 266, 267};
        config.defaultSizes = {{0, 1}, {0x1000, 296}, {0x8000, 20}};
        status.known = true;
        status.printer = kPrinter;
        status.logCart[0] = 1;
        status.logCart[1] = 2;
        for (uint32_t& level : status.inkPercent)
            level = 70;

        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
        LCDEVMODE record = PlainRecord();
        std::memset(record.dmPrinterName, 0, sizeof record.dmPrinterName);
        std::strcpy(record.dmPrinterName, kPrinter);
        record.dmCopies = 2;
        model->LoadFrom(record);
        INKINFO ink{};
        model->SetInkInfo2(ink, kPrinter);
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages, [](LCDEVMODE&) {});
        PageContext context{product, registry, *slots, trace, companions,
                            [] { return std::make_unique<DrvInkDisplay>(); }, '.', nullptr};
        mediaSense = std::make_unique<QualityPropPage>(context);
        noMediaSense = std::make_unique<QualityPropPageNoMediaSense>(context);
        mediaSense->SetPrinter(model.get());
        noMediaSense->SetPrinter(model.get());
    }

    void open()
    {
        ASSERT_TRUE(resources) << "ppres.dll";
        host = std::make_unique<SheetHost>(resources.get(), bitmaps.get());
        host->add(IDD_QUALITY, "Quality", *mediaSense);
        host->add(IDD_QUALITY_NO_MEDIA_SENSE, "Quality", *noMediaSense);
        ASSERT_TRUE(host->open("Printing Preferences"));
        host->sheet().ShowTabs(false);   // the alternate window chooses the page itself
        model->SetConflictCheck(1);
    }

    void storeEolBlack(DWORD value) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kRoot + "\\PSW").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, kPygValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        RegCloseKey(key);
    }
};

// Every control of a page lies inside the page's visible area.
void expectInside(HWND page)
{
    RECT area;
    GetClientRect(page, &area);
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom)
            << "control " << GetDlgCtrlID(child) << " reaches " << r.right << "," << r.bottom << " of "
            << area.right << "," << area.bottom;
    }
}

TEST(QualityWindow, ClicksReachTheModelOnBothPages)
{
    QualityWindow w;
    w.open();
    const Controls page = w.host->page(0);
    expectInside(page.hwnd);
    EXPECT_TRUE(page.checked(IDC_QP_NORMAL));
    EXPECT_TRUE(page.checked(IDC_QP_NORMAL_PICTURE));
    EXPECT_TRUE(page.checked(IDC_QP_MEDIA_MANUAL));
    EXPECT_EQ(page.text(IDC_QP_MEDIA_LIST), "Plain paper");
    EXPECT_EQ(page.text(IDC_QP_BEST), "&Photo");
    EXPECT_FALSE(page.visible(IDC_QP_PHOTO));
    EXPECT_EQ(page.text(IDC_QP_COPIES), "2");
    EXPECT_TRUE(page.visible(IDC_QP_PAPER_TYPE_LINK));
    EXPECT_TRUE(page.enabled(IDC_QP_BLACK_WHITE));

    // A quality by its radio button, another by its picture.
    page.click(IDC_QP_BEST);
    EXPECT_EQ(w.model->GetPrintQuality(), -4);
    EXPECT_TRUE(page.checked(IDC_QP_BEST_PICTURE));
    EXPECT_TRUE(page.enabled(IDC_QP_PHOTO_DPI));
    page.choose(IDC_QP_PHOTO_DPI, -3);
    EXPECT_EQ(w.model->GetPrintQuality(), -3);
    page.click(IDC_QP_DRAFT_PICTURE);
    EXPECT_EQ(w.model->GetPrintQuality(), -1);
    EXPECT_TRUE(page.checked(IDC_QP_DRAFT));
    EXPECT_FALSE(page.checked(IDC_QP_BEST));
    EXPECT_FALSE(page.enabled(IDC_QP_PHOTO_DPI));
    page.click(IDC_QP_NORMAL);

    // The printer detects the paper, then the user chooses it.
    page.click(IDC_QP_MEDIA_AUTO);
    EXPECT_EQ(w.model->GetMediaType(), 257u);
    EXPECT_EQ(w.model->GetAutoMedia(), 1);
    EXPECT_FALSE(page.enabled(IDC_QP_MEDIA_LIST));
    page.click(IDC_QP_MEDIA_MANUAL);
    EXPECT_EQ(w.model->GetMediaType(), 1u);
    EXPECT_EQ(w.model->GetAutoMedia(), 0);
    EXPECT_TRUE(page.enabled(IDC_QP_MEDIA_LIST));
    page.choose(IDC_QP_MEDIA_LIST, 3);
    EXPECT_EQ(w.model->GetMediaType(), 3u);
    EXPECT_EQ(page.text(IDC_QP_MEDIA_LIST), "Glossy photo paper");
    EXPECT_FALSE(page.enabled(IDC_QP_BLACK_WHITE));   // no black and white on photo paper here
    page.choose(IDC_QP_MEDIA_LIST, 261);
    EXPECT_TRUE(page.enabled(IDC_QP_BLACK_WHITE));

    // Black and white on: complete-to-print follows.
    page.click(IDC_QP_BLACK_WHITE);
    EXPECT_EQ(w.model->GetColorMode(), 1);
    EXPECT_EQ(w.model->GetCompleteToPrint(), 4);
    EXPECT_TRUE(page.checked(IDC_QP_BLACK_WHITE));
    page.click(IDC_QP_SHARPENING);
    EXPECT_EQ(w.model->GetImageSharpening(), 1);
    EXPECT_TRUE(page.checked(IDC_QP_SHARPENING));
    page.type(IDC_QP_COPIES, "3");
    EXPECT_EQ(w.model->GetCopies(), 3);
    EXPECT_TRUE(page.enabled(IDC_QP_COLLATE));
    page.press(IDC_QP_STATUS_LINK);
    EXPECT_EQ(w.companions.launched, std::vector<std::string>{std::string(kPrinter) + " 100"});

    settle(w.host->window());
    const std::string shot = thisDirectory() + "quality.bmp";
    EXPECT_TRUE(saveScreenshot(w.host->window(), shot)) << shot;

    // The page without media sensing shows the same model.
    ASSERT_TRUE(w.host->sheet().SetActivePage(1));
    const Controls other = w.host->page(1);
    expectInside(other.hwnd);
    EXPECT_TRUE(IsWindowVisible(other.hwnd));
    EXPECT_EQ(other.item(IDC_QP_AUTO), nullptr);
    EXPECT_TRUE(other.checked(IDC_QP_NORMAL));
    EXPECT_TRUE(other.checked(IDC_QP_BLACK_WHITE));
    EXPECT_EQ(other.text(IDC_QP_MEDIA_LIST), "Brochure paper");
    EXPECT_EQ(other.text(IDC_QP_COPIES), "3");
    other.click(IDC_QP_BEST_PICTURE);
    EXPECT_EQ(w.model->GetPrintQuality(), -4);
    EXPECT_TRUE(other.checked(IDC_QP_BEST));
    other.click(IDC_QP_BLACK_WHITE);
    EXPECT_EQ(w.model->GetColorMode(), 2);
    EXPECT_EQ(w.model->GetCompleteToPrint(), 0);
    settle(w.host->window());
    const std::string second = thisDirectory() + "quality_nomediasense.bmp";
    EXPECT_TRUE(saveScreenshot(w.host->window(), second)) << second;
}

// How many pixels of a control's own drawing have this colour.
int countColour(HWND control, COLORREF colour)
{
    RECT r;
    GetClientRect(control, &r);
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
    SelectGuard selected(memory.get(), bitmap.get());
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT | PRF_ERASEBKGND);
    int count = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            count += GetPixel(memory.get(), x, y) == colour ? 1 : 0;
    return count;
}

TEST(QualityWindow, PaperTypeLinkIsWrittenOnItsPictureAndGreysThere)
{
    struct Row {
        uint32_t port;
        bool enabled;
        COLORREF text;
    } rows[] = {{0, true, RGB(255, 255, 255)}, {5, false, RGB(192, 192, 192)}, {12, false, RGB(128, 128, 128)}};
    for (const Row& r : rows) {
        QualityWindow w;
        w.model->SetPortType(r.port);
        w.open();
        const Controls page = w.host->page(0);
        const HWND link = page.item(IDC_QP_PAPER_TYPE_LINK);
        EXPECT_EQ(page.enabled(IDC_QP_PAPER_TYPE_LINK), r.enabled) << r.port;
        EXPECT_GT(countColour(link, r.text), 10) << r.port;   // the text, in its colour
        // The bar covers the control: the dialog face shows at its rounded corners only.
        RECT area;
        GetClientRect(link, &area);
        EXPECT_LT(countColour(link, GetSysColor(COLOR_BTNFACE)), area.right * area.bottom / 50) << r.port;
    }
}

TEST(QualityWindow, EndOfLifeBlackInTheRegistryGreysBlackAndWhite)
{
    QualityWindow w;
    w.storeEolBlack(1);
    w.model->SetPortType(5);   // and a port that reports nothing: the automatic choices grey too
    w.open();
    const Controls page = w.host->page(0);
    EXPECT_FALSE(page.enabled(IDC_QP_BLACK_WHITE));
    EXPECT_FALSE(page.enabled(IDC_QP_BLACK_WHITE_PICTURE));
    EXPECT_FALSE(page.checked(IDC_QP_BLACK_WHITE));
    EXPECT_TRUE(w.trace.contains("PYGSuport is set to EOL_BLACK. Disable Print in Black and White"));
    page.click(IDC_QP_BLACK_WHITE);
    EXPECT_EQ(w.model->GetColorMode(), 2);
    EXPECT_FALSE(page.enabled(IDC_QP_MEDIA_AUTO));
    EXPECT_FALSE(page.enabled(IDC_QP_AUTO));
    settle(w.host->window());
    const std::string shot = thisDirectory() + "quality_greyed.bmp";
    EXPECT_TRUE(saveScreenshot(w.host->window(), shot)) << shot;
}

}  // namespace
