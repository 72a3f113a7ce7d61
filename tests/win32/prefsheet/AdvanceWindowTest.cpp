// The advanced page in the real sheet over a real settings model, its layout
// sheet embedded in it, clicked by control id under Wine on a virtual
// display. Saves a screenshot of the page.
// <windows.h> first: its MessageBox macro must rename the view's member everywhere.
#include "CommonLibrary_win.h"

#include "AdvancePropPage.h"
#include "PersonalSettings.h"

#include "ModelFakes.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

using namespace testsupport;
using namespace windowtest;

namespace {

struct AdvanceWindow {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<AdvancePropPage> page;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};
    std::unique_ptr<SheetHost> host;
    Controls c;

    AdvanceWindow()
    {
        world.product.set(OptionKey::IDO_IMAGE_SHARPENING, 1);
        world.status.known = true;
        world.status.logCart[0] = 1;
        world.status.logCart[1] = 2;
        for (uint32_t& level : world.status.inkPercent)
            level = 45;
        model = world.make();
        LCDEVMODE record = PlainRecord();
        model->LoadFrom(record);
        model->SetDuplexMethod(2);
        INKINFO ink{};
        model->SetInkInfo2(ink, kModelPrinter);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [] { return std::make_unique<DrvInkDisplay>(); }, '.', nullptr};
        page = std::make_unique<AdvancePropPage>(context);
        page->SetPrinter(model.get());
    }
    void open()
    {
        ASSERT_TRUE(resources) << "ppres.dll";
        host = std::make_unique<SheetHost>(resources.get(), bitmaps.get());
        host->add(IDD_ADVANCED, "Advanced", *page);
        ASSERT_TRUE(host->open());
        c = host->page(0);
    }
    // The layout page the embedded sheet shows, by its picture control.
    HWND shownLayoutPage() const
    {
        HWND sheet = c.item(IDC_ADV_SHEET + 1);
        for (HWND child = GetWindow(sheet, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child) && GetDlgItem(child, IDC_LAYOUT_PICTURE) != nullptr)
                return child;
        return nullptr;
    }
};

TEST(AdvanceWindow, LayoutListShowsItsPageAndTwoSidedControlsReachTheModel)
{
    AdvanceWindow w;
    w.open();
    // The layout sheet sits in the page, raised over its placeholder, tabs hidden.
    HWND sheet = w.c.item(IDC_ADV_SHEET + 1);
    ASSERT_NE(sheet, nullptr);
    EXPECT_NE(GetWindowLongPtrA(sheet, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    EXPECT_FALSE(w.c.visible(IDC_ADV_SHEET));
    RECT placeholder, shown;
    GetWindowRect(w.c.item(IDC_ADV_SHEET), &placeholder);
    GetWindowRect(sheet, &shown);
    EXPECT_EQ(shown.top, placeholder.top - 20);
    EXPECT_EQ(w.c.text(IDC_ADV_LAYOUT_LIST), "Normal");
    HWND normal = w.shownLayoutPage();
    ASSERT_NE(normal, nullptr);

    w.c.choose(IDC_ADV_LAYOUT_LIST, 3);   // booklet
    EXPECT_EQ(w.model->GetLayoutCode(), 2);
    EXPECT_EQ(w.model->GetDuplexMode(), 2);
    EXPECT_NE(w.shownLayoutPage(), normal);
    EXPECT_FALSE(w.c.enabled(IDC_ADV_BIND_SHORT));
    EXPECT_EQ(GetFocus(), w.c.item(IDC_ADV_LAYOUT_LIST));

    w.c.choose(IDC_ADV_LAYOUT_LIST, 0);
    EXPECT_EQ(w.model->GetDuplexMode(), 1);
    EXPECT_EQ(w.shownLayoutPage(), normal);
    w.c.click(IDC_ADV_BIND_SHORT);
    EXPECT_EQ(w.model->GetDuplexMode(), 3);
    EXPECT_TRUE(w.c.checked(IDC_ADV_BIND_SHORT));
    w.c.press(IDC_ADV_BIND_LONG_PICTURE);   // the picture acts as its button
    EXPECT_EQ(w.model->GetDuplexMode(), 2);
    EXPECT_TRUE(w.c.checked(IDC_ADV_BIND_LONG));
    EXPECT_FALSE(w.c.checked(IDC_ADV_BIND_SHORT));
    w.c.choose(IDC_ADV_DRY_TIME, 1);
    EXPECT_EQ(w.model->GetDryTime(), 1);
    w.c.click(IDC_ADV_SHARPENING);
    EXPECT_EQ(w.c.checked(IDC_ADV_SHARPENING), w.model->GetPlainSharpening() != 0);
    w.c.press(IDC_ADV_STATUS_LINK);
    EXPECT_EQ(w.companions.launched, std::vector<std::string>{std::string(kModelPrinter) + " 100"});

    w.c.choose(IDC_ADV_LAYOUT_LIST, 4);   // the poster page, for the picture
    EXPECT_EQ(w.model->GetLayoutCode(), 4);
    settle(w.host->window());
    const std::string shot = thisDirectory() + "advanced.bmp";
    EXPECT_TRUE(saveScreenshot(w.host->window(), shot)) << shot;
}

}  // namespace
