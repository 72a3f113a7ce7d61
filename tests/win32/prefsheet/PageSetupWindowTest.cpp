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
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;
using namespace windowtest;

namespace {

const char kPrinter[] = "Pelmora Page Test";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Page Test";

class NoMessages : public MessageBoxes {
public:
    void Show(const std::string&) override {}
};

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
    std::unique_ptr<SheetHost> host;
    std::unique_ptr<ConflictDialogRunner> conflicts;
    SheetWindow* sheet = nullptr;
    HWND hwnd = nullptr;
    Controls c;

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
        host = std::make_unique<SheetHost>(resources.get(), bitmaps.get());
        host->add(IDD_PAGESETUP, "Page Setup", *page);
        ASSERT_TRUE(host->open());
        sheet = &host->sheet();
        hwnd = sheet->pageWindow(0);
        ASSERT_NE(hwnd, nullptr);
        c = host->page(0);
        conflicts = std::make_unique<ConflictDialogRunner>(sheet->view(0));
        model->SetConflictDialog(conflicts.get());
        model->SetConflictCheck(1);
    }

    HWND item(int id) const { return c.item(id); }
    void click(int id) const { c.click(id); }
    void choose(int id, int32_t data) const { c.choose(id, data); }
    bool checked(int id) const { return c.checked(id); }
    bool enabled(int id) const { return c.enabled(id); }
    std::string text(int id) const { return c.text(id); }
    LCDEVMODE record() const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        model->SaveTo(r);
        return r;
    }
};


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
    RedrawWindow(w.host->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    const std::string shot = thisDirectory() + "pagesetup.bmp";
    EXPECT_TRUE(saveScreenshot(w.host->window(), shot)) << shot;
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
