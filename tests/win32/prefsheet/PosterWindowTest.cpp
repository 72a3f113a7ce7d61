// The poster page in the real sheet and its page selection dialog over a real
// settings model, clicked by control id under Wine on the virtual display;
// the selection is checked in the saved 1056-byte record. Saves poster.bmp
// and posterselect.bmp.
#include "SheetWindow_win.h"   // first: the view must see <windows.h>'s MessageBox macro

#include "GUIPrinter.h"
#include "LcDevMode.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"
#include "PosterPropPage.h"
#include "ResourceIds.h"

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

const char kPrinter[] = "Pelmora Poster Test";

class NoMessages : public MessageBoxes {
public:
    void Show(const std::string&) override {}
};

// The record's bytes at 0x19C (tiles to print) or 0x1DC (tiles to display).
std::vector<uint32_t> tileWords(const LCDEVMODE& record, size_t offset)
{
    std::vector<uint32_t> words(16);
    std::memcpy(words.data(), reinterpret_cast<const char*>(&record) + offset, 16 * sizeof(uint32_t));
    return words;
}

// One poster page in the sheet of a top-level window, on a poster record.
struct PosterWindow {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    FakeRegistry registry;
    RecordingTrace trace;
    RecordingCompanions companions;
    NoMessages messages;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<AdvancePosterPropPage> page;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};
    std::unique_ptr<SheetHost> host;
    Controls c;

    explicit PosterWindow(int32_t size)
    {
        product.setText(OptionKey::IDO_PROP_HELPFILE, "pmphoto.hlp");
        product.setText(OptionKey::IDO_HELPFILEHOWTOWND, "HowTo");
        status.printer = kPrinter;
        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
        LCDEVMODE record = PlainRecord();
        std::strcpy(record.dmPrinterName, kPrinter);
        record.dmLayoutCode = 4;
        record.dmPosterColumns = record.dmPosterRows = size;
        model->LoadFrom(record);
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages, [](LCDEVMODE&) {});
        PageContext context{product, registry, *slots, trace, companions, nullptr, '.', nullptr};
        page = std::make_unique<AdvancePosterPropPage>(context);
        page->SetPrinter(model.get());
    }

    void open()
    {
        ASSERT_TRUE(resources) << "ppres.dll";
        host = std::make_unique<SheetHost>(resources.get(), bitmaps.get());
        host->add(IDD_POSTER, "Poster", *page);
        ASSERT_TRUE(host->open());
        c = host->page(0);
        ASSERT_NE(c.hwnd, nullptr);
    }
    uint32_t picture(int id) { return host->sheet().view(0).GetPicture(id); }
    LCDEVMODE saved() const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        model->SaveTo(r);
        return r;
    }
    std::string resourceString(uint32_t id) const
    {
        char text[256] = "";
        LoadStringA(resources.get(), id, text, sizeof text);
        return text;
    }
};

// The colour the dialog gives a static's text, as it answers the control.
COLORREF textColour(HWND dialog, int id)
{
    HDC screen = GetDC(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    SetTextColor(dc.get(), RGB(1, 2, 3));
    SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    return GetTextColor(dc.get());
}

TEST(PosterWindow, SizeButtonsAndOverlapClickedById)
{
    PosterWindow w(2);
    w.open();
    RECT page;
    GetClientRect(w.c.hwnd, &page);
    for (HWND child = GetWindow(w.c.hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, w.c.hwnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= page.right && r.bottom <= page.bottom)
            << "control " << GetDlgCtrlID(child);
    }
    EXPECT_TRUE(w.c.checked(IDC_POSTER_2X2));
    EXPECT_FALSE(w.c.checked(IDC_POSTER_OVERLAP));
    EXPECT_EQ(w.picture(IDC_POSTER_PREVIEW), 6764u);

    w.c.click(IDC_POSTER_3X3);
    EXPECT_EQ(w.model->GetPosterRows(), 3);
    EXPECT_EQ(w.model->GetPosterColumns(), 3);
    EXPECT_TRUE(w.c.checked(IDC_POSTER_3X3));
    EXPECT_FALSE(w.c.checked(IDC_POSTER_2X2));
    EXPECT_EQ(w.picture(IDC_POSTER_3X3), 7054u);
    EXPECT_EQ(w.picture(IDC_POSTER_PREVIEW), 6761u);

    w.c.click(IDC_POSTER_OVERLAP);
    EXPECT_TRUE(w.c.checked(IDC_POSTER_OVERLAP));
    EXPECT_EQ(w.picture(IDC_POSTER_PREVIEW), 6762u);
    const LCDEVMODE r = w.saved();
    EXPECT_EQ(r.dmFeatureWord198, 1);
    EXPECT_EQ(r.dmPosterRows, 3);
    // Poster layout with nothing displayed yet: every sheet displayed and printed.
    EXPECT_EQ(tileWords(r, 0x1DC), std::vector<uint32_t>(16, 1));
    EXPECT_EQ(tileWords(r, 0x19C), std::vector<uint32_t>(16, 1));

    settle(w.host->window());
    const std::string shot = thisDirectory() + "poster.bmp";
    EXPECT_TRUE(saveScreenshot(w.host->window(), shot)) << shot;
}

TEST(PosterWindow, SelectedTilesReachTheSavedRecordOnOk)
{
    PosterWindow w(3);
    w.open();
    Answerer user;
    user.marker = IDC_POSTER_STATUS;
    user.textId = IDC_POSTER_STATUS;
    std::string status;
    bool okEnabled = false;
    bool otherGridsHidden = false;
    user.act = [&](const Controls& d) {
        d.click(IDC_POSTER_TILE_3X3 + 0);
        d.click(IDC_POSTER_TILE_3X3 + 4);
        d.click(IDC_POSTER_TILE_3X3 + 8);
        status = d.text(IDC_POSTER_STATUS);
        okEnabled = d.enabled(IDOK);
        otherGridsHidden = !d.visible(IDC_POSTER_TILE_2X2) && !d.visible(IDC_POSTER_TILE_4X4 + 15) &&
                           d.visible(IDC_POSTER_TILE_3X3 + 8);
        settle(d.hwnd);
        saveScreenshot(d.hwnd, thisDirectory() + "posterselect.bmp");
    };
    user.presses = {IDOK};
    user.arm();
    w.c.click(IDC_POSTER_SELECT);
    ASSERT_TRUE(user.answered) << "the page selection dialog was not shown";
    EXPECT_EQ(user.texts.at(0), w.resourceString(IDS_POSTER_SELECT_TITLE));
    EXPECT_EQ(user.texts.at(1), "1, 2, 3, 4, 5, 6, 7, 8, 9");   // a first selection starts with all
    EXPECT_EQ(status, "2, 3, 4, 6, 7, 8");
    EXPECT_TRUE(okEnabled);
    EXPECT_TRUE(otherGridsHidden);

    const LCDEVMODE r = w.saved();
    const std::vector<uint32_t> expected = {0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(tileWords(r, 0x19C), expected);
    EXPECT_EQ(tileWords(r, 0x1DC), expected);
    EXPECT_TRUE(w.model->Features().IsPosterSelectedOnly(3));

    // Back to 3 x 3 after 2 x 2: the confirmed 3 x 3 selection prints again.
    w.c.click(IDC_POSTER_2X2);
    EXPECT_EQ(tileWords(w.saved(), 0x19C), std::vector<uint32_t>(16, 1));
    w.c.click(IDC_POSTER_3X3);
    EXPECT_EQ(tileWords(w.saved(), 0x19C), expected);
}

TEST(PosterWindow, NoneSelectedGreysOkAndShowsTheRedText)
{
    PosterWindow w(2);
    w.open();
    const LCDEVMODE before = w.saved();
    Answerer user;
    user.marker = IDC_POSTER_STATUS;
    std::string status;
    bool okEnabled = true;
    COLORREF colour = 0;
    bool stillOpen = false;
    user.act = [&](const Controls& d) {
        for (int i = 0; i < 4; ++i)
            d.click(IDC_POSTER_TILE_2X2 + i);
        status = d.text(IDC_POSTER_STATUS);
        okEnabled = d.enabled(IDOK);
        colour = textColour(d.hwnd, IDC_POSTER_STATUS);
        SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);   // Enter
        pump();
        stillOpen = IsWindow(d.hwnd) && IsWindowVisible(d.hwnd);
    };
    user.presses = {IDCANCEL};
    user.arm();
    w.c.click(IDC_POSTER_SELECT);
    ASSERT_TRUE(user.answered) << "the page selection dialog was not shown";
    EXPECT_EQ(status, w.resourceString(IDS_POSTER_NONE_SELECTED));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(colour, RGB(255, 0, 0));
    EXPECT_TRUE(stillOpen);
    // Cancel (the close box) leaves the record as it was.
    const LCDEVMODE after = w.saved();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_FALSE(w.model->Features().IsPosterSelectedOnly(2));
}

}  // namespace
