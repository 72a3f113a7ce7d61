// The alternate main window through the in-memory view over a real settings
// model: the summary's quality table, start-up reads and write-backs, the
// start-up timer, OK's writes, the task menu's placement and its tasks.
#include "PrinterPropDlg.h"

#include "BitmapIds.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

const std::string kKey = std::string(kModelPrinter) + "\\";
const std::string kPersonalKey = std::string(kModelPrinter) + "\\Personal\\";

uint32_t number(const FakeRegistry& registry, const std::string& key, const std::string& value)
{
    const FakeRegistry::Value* v = registry.find(key, value);
    if (v == nullptr || v->data.size() != 4)
        return 0xDEADBEEF;
    uint32_t n = 0;
    std::memcpy(&n, v->data.data(), 4);
    return n;
}

bool wrote(const FakeRegistry& registry, const std::string& keyAndValue)
{
    for (const std::string& line : registry.log)
        if (line == "Write " + keyAndValue)
            return true;
    return false;
}

struct AltWindow {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<PrinterPropDlg> dlg;
    MemoryView view;

    explicit AltWindow(const std::function<void(ModelWorld&)>& configure = nullptr, uint32_t portType = 0)
    {
        world.product.set(OptionKey::IDO_PERSONAL_SETTINGS, 1);
        world.product.setText(OptionKey::IDO_PROP_HELPFILE, "pmphoto.hlp");
        world.product.setText(OptionKey::IDO_HELPFILEHOWTOWND, "HowTo");
        world.product.setText(OptionKey::IDO_KEY_NAME_WATERMARK, "Watermarks");
        world.product.setText(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, "Watermark Count");
        if (configure)
            configure(world);
        model = MakePlainModel(world);
        model->SetPortType(portType);
        model->SetConflictDialog(&world.dialog);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE& r) { r.dmCopies = 1; });
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
        dlg = std::make_unique<PrinterPropDlg>(context);
        dlg->SetPrinter(model.get(), 1);
        view.rects[IDC_TASK_MENU_BUTTON] = ScreenRect{100, 50, 280, 80};
        dlg->OnInit(view);
    }
    // The first background paint: the summary and the start-up.
    void show() { dlg->OnPaint(view); }
    MemoryView& menu() { return *view.modeless(*dlg->TaskMenu())->view; }
};

}  // namespace

TEST(AlternateSummary, QualityTableByColourModeQualityAndOptions)
{
    struct Row {
        int32_t colour, quality;
        int best, photo;   // -1: the product has no such key
        uint32_t picture, text;
    };
    const Row rows[] = {
        {2, -3, 0, 1, 5074, 516},  {2, -3, 0, 0, 5074, 338},  {2, -3, 1, 1, 5074, 11},  {2, -3, -1, -1, 5074, 11},
        {2, -4, 1, 1, 5321, 516},  {2, -4, 0, 0, 5321, 338},  {2, -2, 0, 1, 5073, 320}, {2, -1, 0, 1, 5076, 33},
        {1, -3, 0, 1, 5078, 516},  {1, -3, 1, 0, 5078, 11},   {1, -4, 1, 1, 5322, 516}, {1, -4, 1, 0, 5322, 338},
        {1, -2, 0, 1, 5077, 320},  {2, -99, 0, 1, 5386, 504}, {1, -99, 0, 1, 5386, 504}, {3, -2, 0, 1, 5075, 33},
        {1, -1, 0, 1, 5075, 33},   {2, 0, 0, 1, 5075, 33},    {0, -99, 0, 1, 5386, 504},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.colour) + " " + std::to_string(r.quality) + " best " + std::to_string(r.best) +
                     " photo " + std::to_string(r.photo));
        FakeProduct product;
        if (r.best >= 0)
            product.set(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, static_cast<uint32_t>(r.best));
        if (r.photo >= 0)
            product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, static_cast<uint32_t>(r.photo));
        const SummaryItem item = AlternateRules::QualitySummary(r.colour, r.quality, product);
        EXPECT_EQ(item.picture, r.picture);
        EXPECT_EQ(item.text, r.text);
    }
}

TEST(AlternateSummary, WindowDrawsEveryGroupFromTheModel)
{
    AltWindow w([](ModelWorld& world) { world.product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1); });
    w.view.strings[IDS_PAPER_A4] = "A4";
    w.view.strings[IDS_ALT_LANDSCAPE] = "landscape";
    w.view.strings[IDS_ALT_QUALITY_AUTOMATIC] = "Automatic";
    w.view.strings[IDS_MEDIA_GLOSSY] = "&Glossy photo";
    w.model->SetColorMode(2);
    w.model->SetPrintQuality(-99);
    w.model->SetPaperSize(9);
    w.model->SetOrientation(2);
    w.model->SetMediaType(3);
    w.model->SetDuplexMode(3);
    w.show();
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_QUALITY_PICTURE), 5386u);
    EXPECT_EQ(w.view.GetText(IDC_ALT_QUALITY_TEXT), "Automatic");
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_PAPER_PICTURE), static_cast<uint32_t>(IDB_PAPER_PLAIN_LANDSCAPE));
    EXPECT_EQ(w.view.GetText(IDC_ALT_PAPER_TEXT), "A4, landscape");
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_MEDIA_PICTURE), static_cast<uint32_t>(IDB_MEDIA_PHOTO));
    EXPECT_EQ(w.view.GetText(IDC_ALT_MEDIA_TEXT), "Glossy photo");
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_LAYOUT_PICTURE), static_cast<uint32_t>(IDB_BINDING_SHORT_EDGE));
    EXPECT_EQ(w.view.GetText(IDC_ALT_LAYOUT_TEXT), "#41400\n#41605");

    // The model's rules repaint the summary through the window.
    w.model->SetPrintQuality(-2);
    w.model->SetLayoutCode(4);
    w.model->SetDuplexMode(1);
    w.dlg->Repaint();
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_QUALITY_PICTURE), 5073u);
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_LAYOUT_PICTURE), static_cast<uint32_t>(IDB_POSTER_SIZE_2X2_UP));
    EXPECT_EQ(w.view.GetText(IDC_ALT_LAYOUT_TEXT), "#41404\n#41603");

    // A custom size reads as the record's size in its unit.
    w.model->SetPaperSize(256);
    w.model->SetUnits(2);
    w.model->SetCustomWidth(100.0f);
    w.model->SetCustomLength(150.0f);
    w.model->SetOrientation(1);
    w.view.strings[IDS_UNIT_MILLIMETRES] = "mm";
    w.view.strings[IDS_ALT_PORTRAIT] = "portrait";
    w.dlg->Repaint();
    EXPECT_NE(w.view.GetText(IDC_ALT_PAPER_TEXT).find("mm, portrait"), std::string::npos)
        << w.view.GetText(IDC_ALT_PAPER_TEXT);
}

TEST(AlternateStartup, FreshPrinterGetsEveryDefaultWrittenBack)
{
    struct Row {
        int menuDefault;   // -1: the product has no such key
        uint32_t shown;
    };
    for (const Row& r : {Row{1, 1}, Row{0, 0}, Row{-1, 0}, Row{2, 0}}) {
        SCOPED_TRACE(r.menuDefault);
        AltWindow w([&](ModelWorld& world) {
            if (r.menuDefault >= 0)
                world.product.set(OptionKey::IDO_DEFAULT_IWANTTO_MENU, static_cast<uint32_t>(r.menuDefault));
        });
        EXPECT_FALSE(w.dlg->StartedUp());
        w.show();
        EXPECT_TRUE(w.dlg->StartedUp());
        EXPECT_EQ(number(w.world.registry, kPersonalKey + "WANTTOMENU", "Show On Startup"), r.shown);
        EXPECT_EQ(w.model->GetShowIWantToMenu(), static_cast<int32_t>(r.shown));
        EXPECT_EQ(w.view.timers.count(25), r.shown);
        if (r.shown == 1) {
            EXPECT_EQ(w.view.timers.at(25), 20u);
        }
        EXPECT_EQ(number(w.world.registry, kKey + "AUTOMEDIA", "Auto Media"), 1u);
        EXPECT_EQ(number(w.world.registry, kKey + "JSW", "Show Process Window"), 1u);
        EXPECT_NE(w.world.registry.find(kPersonalKey + "SLOT1", "Default Dev Mode"), nullptr);
        EXPECT_EQ(w.model->GetConflictCheck(), 1);
        // Later paints only draw.
        const size_t writes = w.world.registry.log.size();
        w.show();
        EXPECT_EQ(w.world.registry.log.size(), writes);
    }
}

TEST(AlternateStartup, StoredValuesReachTheModelAndAutoMediaFollowsThePort)
{
    struct Row {
        uint32_t port;
        bool read;
    };
    for (const Row& r : {Row{0, true}, Row{3, true}, Row{5, false}, Row{6, false}, Row{7, false}, Row{10, false},
                         Row{12, true}}) {
        SCOPED_TRACE(r.port);
        AltWindow w(
            [](ModelWorld& world) {
                world.product.set(OptionKey::IDO_DEFAULT_IWANTTO_MENU, 1);
                const uint32_t zero = 0, two = 2;
                world.registry.put(kKey + "AUTOMEDIA", "Auto Media", kRegNumber, &two, 4);
                world.registry.put(kKey + "JSW", "Show Process Window", kRegNumber, &zero, 4);
                world.registry.put(kPersonalKey + "WANTTOMENU", "Show On Startup", kRegNumber, &zero, 4);
            },
            r.port);
        w.show();
        EXPECT_EQ(w.model->GetAutoMediaValue1(), r.read ? 2 : 0);
        EXPECT_EQ(w.model->GetAutoMediaValue2(), r.read ? 2 : 0);
        EXPECT_EQ(w.dlg->AutoMedia(), r.read ? 2 : 0);
        EXPECT_EQ(w.model->GetShowProcessWindow(), 0);
        EXPECT_EQ(w.model->GetShowIWantToMenu(), 0);
        EXPECT_TRUE(w.view.timers.empty());
        EXPECT_FALSE(wrote(w.world.registry, kKey + "AUTOMEDIA\\Auto Media"));
        bool openedAutoMedia = false;
        for (const std::string& line : w.world.registry.log)
            openedAutoMedia |= line == "Create " + kKey + "AUTOMEDIA";
        EXPECT_EQ(openedAutoMedia, r.read);
    }
}

TEST(AlternateStartup, TimerOpensTheMenuOnceUnlessThePortIsTwelve)
{
    for (uint32_t port : {0u, 12u}) {
        SCOPED_TRACE(port);
        AltWindow w([](ModelWorld& world) { world.product.set(OptionKey::IDO_DEFAULT_IWANTTO_MENU, 1); }, port);
        w.show();
        ASSERT_EQ(w.view.timers.count(25), 1u);
        // A killed timer ticks no more.
        for (int tick = 0; tick < 3 && w.view.timers.count(25) == 1; ++tick)
            w.dlg->OnTimer(w.view, 25);
        if (port == 12) {
            EXPECT_EQ(w.view.timers.count(25), 1u);   // keeps running until the window closes
            EXPECT_EQ(w.dlg->TaskMenu(), nullptr);
            EXPECT_FALSE(w.view.control(IDC_TASK_MENU_BUTTON).pressed);
        } else {
            EXPECT_EQ(w.view.timers.count(25), 0u);
            ASSERT_NE(w.dlg->TaskMenu(), nullptr);
            const MemoryView::Modeless* menu = w.view.modeless(*w.dlg->TaskMenu());
            EXPECT_EQ(menu->templateId, IDD_TASK_MENU);
            EXPECT_EQ(menu->shown, 1);
            EXPECT_TRUE(menu->view->IsVisible(0));
            EXPECT_EQ(menu->x, 100);
            EXPECT_EQ(menu->y, 80);
            EXPECT_TRUE(w.view.control(IDC_TASK_MENU_BUTTON).pressed);
            EXPECT_TRUE(w.world.registry.find(kPersonalKey + "WANTTOMENU", "Show On Startup") != nullptr);
        }
    }
}

TEST(AlternateStartup, TaskMenuPlacementStaysOnTheScreen)
{
    struct Row {
        ScreenRect button;
        int width, screen;
        int x, y;
    };
    const Row rows[] = {
        {{100, 50, 280, 80}, 200, 1024, 100, 80},   // room to the right
        {{824, 50, 900, 80}, 200, 1024, 824, 80},   // touches the edge exactly
        {{900, 50, 980, 80}, 200, 1024, 824, 80},   // moved left by what crosses
        {{1000, 10, 1020, 30}, 300, 1024, 724, 30},
        {{10, 10, 50, 30}, 1200, 1024, 0, 30},      // wider than the screen: at its left edge
        {{-40, 10, 0, 30}, 200, 1024, 0, 30},       // a button partly off the screen
    };
    for (const Row& r : rows) {
        const ScreenPoint at = AlternateRules::TaskMenuPlacement(r.button, r.width, r.screen);
        EXPECT_EQ(at.x, r.x) << r.button.left << " " << r.width;
        EXPECT_EQ(at.y, r.y);
    }
    // The window places its menu with the view's own measures.
    AltWindow w;
    w.show();
    w.view.screenWidth = 800;
    w.view.modelessWidth = 300;
    w.view.rects[IDC_TASK_MENU_BUTTON] = ScreenRect{600, 200, 700, 230};
    w.view.Click(*w.dlg, IDC_TASK_MENU_BUTTON);
    const MemoryView::Modeless* menu = w.view.modeless(*w.dlg->TaskMenu());
    EXPECT_EQ(menu->x, 500);
    EXPECT_EQ(menu->y, 230);
}

TEST(AlternateOK, WritesTheRegistryValuesAndEndsWithOne)
{
    AltWindow w([](ModelWorld& world) {
        world.product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
        world.product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        world.product.set(OptionKey::IDO_SUPPORT_WATERMARK, 1);
    });
    w.show();
    w.model->SetCompleteToPrint(2);
    w.model->SetShowIWantToMenu(1);
    w.model->SetAutoMediaValue1(0);
    EXPECT_TRUE(w.dlg->OnOK(w.view));
    EXPECT_EQ(w.view.ended, 1);
    EXPECT_EQ(w.model->GetStatus(), 1u);
    EXPECT_EQ(number(w.world.registry, kKey + "PSW", "CompleteToPrint"), 2u);
    EXPECT_EQ(number(w.world.registry, kPersonalKey + "WANTTOMENU", "Show On Startup"), 1u);
    EXPECT_EQ(number(w.world.registry, kKey + "AUTOMEDIA", "Auto Media"), 0u);
    EXPECT_TRUE(wrote(w.world.registry, kKey + "PRP\\Watermark Count"));
    EXPECT_TRUE(wrote(w.world.registry, kKey + "PRP\\Watermarks"));
    // The window is gone: a later repaint of the model leaves its view alone.
    const uint32_t shown = w.view.GetPicture(IDC_ALT_QUALITY_PICTURE);
    w.model->SetPrintQuality(-1);
    w.dlg->Repaint();
    EXPECT_EQ(w.view.GetPicture(IDC_ALT_QUALITY_PICTURE), shown);
}

TEST(AlternateOK, WithoutTheProductsSupportNoCompleteToPrintOrWatermarks)
{
    AltWindow w([](ModelWorld& world) {
        world.product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        world.product.set(OptionKey::IDO_SUPPORT_WATERMARK, 0);
    }, 6);
    w.show();
    w.model->SetCompleteToPrint(1);
    w.world.registry.log.clear();
    w.dlg->OnOK(w.view);
    EXPECT_FALSE(wrote(w.world.registry, kKey + "PSW\\CompleteToPrint"));
    EXPECT_FALSE(wrote(w.world.registry, kKey + "PRP\\Watermark Count"));
    // A port that cannot sense media leaves the stored choice alone.
    EXPECT_FALSE(wrote(w.world.registry, kKey + "AUTOMEDIA\\Auto Media"));
    EXPECT_TRUE(wrote(w.world.registry, kPersonalKey + "WANTTOMENU\\Show On Startup"));
}

TEST(AlternateOK, BlankPageSuppressionGoesOffForLayoutsThatCannotSkipPages)
{
    struct Row {
        int32_t layout;
        uint32_t flags;
        int32_t duplex;
        uint32_t option;
        int32_t after;
    };
    const Row rows[] = {
        {0, 0, 1, 1, 1},      {4, 0, 1, 1, 0}, {1, 0, 1, 1, 0},      {2, 0, 1, 1, 1}, {0, 0x4000, 1, 1, 0},
        {0, 0x5000, 1, 1, 1}, {0, 0, 2, 1, 0}, {0, 0, 3, 1, 0},      {4, 0, 1, 0, 1}, {0, 0, 2, 0, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.layout) + " " + std::to_string(r.flags) + " " + std::to_string(r.duplex) +
                     " option " + std::to_string(r.option));
        AltWindow w([&](ModelWorld& world) { world.product.set(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, r.option); });
        w.show();
        w.model->SetBlankPageSuppression(1);
        w.model->SetLayoutCode(r.layout);
        w.model->SetPaperFlags(r.flags);
        w.model->SetDuplexMode(r.duplex);
        w.model->SetConflictCheck(0);   // the combination as it stands
        w.dlg->OnOK(w.view);
        EXPECT_EQ(w.model->GetBlankPageSuppression(), r.after);
        if (r.option == 1) {
            EXPECT_EQ(w.model->GetRememberedBlankPageSuppression(), 1);
        }
    }
}

TEST(AlternateCancel, EndsWithTwoAndWritesNothing)
{
    AltWindow w;
    w.show();
    w.world.registry.log.clear();
    w.dlg->OnCancel(w.view);
    EXPECT_EQ(w.view.ended, 2);
    EXPECT_TRUE(w.world.registry.log.empty());
}

TEST(AlternateSheet, PagesByIndexAndTheWindowChoosesWhichShows)
{
    for (uint32_t mediaSense : {1u, 0u}) {
        SCOPED_TRACE(mediaSense);
        AltWindow w([&](ModelWorld& world) {
            world.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, mediaSense);
        });
        const std::vector<int> expected = mediaSense == 0
                                              ? std::vector<int>{IDD_QUALITY, 5042, 5043, 5316, IDD_QUALITY_NO_MEDIA_SENSE}
                                              : std::vector<int>{IDD_QUALITY, 5042, 5043, 5316};
        ASSERT_EQ(w.view.sheetPages.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(w.view.sheetPages[i].templateId, expected[i]);
        EXPECT_FALSE(w.view.IsVisible(IDC_ALT_SHEET));
        EXPECT_EQ(w.view.sheetPageShown, mediaSense == 0 ? 4 : 0);
        // Each framed page holds the existing page it stands for.
        EXPECT_EQ(w.view.sheetView(1).sheetPages.at(0).templateId, IDD_PAGESETUP);
        EXPECT_EQ(w.view.sheetView(2).sheetPages.at(0).templateId, IDD_ADVANCED);
        EXPECT_EQ(w.view.sheetView(3).sheetPages.at(0).templateId, IDD_WATERMARK_TAB);

        w.view.Click(*w.dlg, IDC_ALT_SHOW_LAYOUT);
        EXPECT_EQ(w.view.sheetPageShown, 2);
        EXPECT_TRUE(w.view.GetCheck(IDC_ALT_SHOW_LAYOUT));
        EXPECT_FALSE(w.view.GetCheck(IDC_ALT_SHOW_QUALITY));
        w.view.Click(*w.dlg, IDC_ALT_MEDIA_PICTURE);
        EXPECT_EQ(w.view.sheetPageShown, 1);
        w.view.Click(*w.dlg, IDC_ALT_QUALITY_TEXT);
        EXPECT_EQ(w.view.sheetPageShown, mediaSense == 0 ? 4 : 0);
        EXPECT_TRUE(w.view.GetCheck(IDC_ALT_SHOW_QUALITY));

        // The paper page's "Layout..." leads to the window's layout page.
        MemoryView& pageSetup = w.view.sheetView(1).sheetView(0);
        EXPECT_TRUE(pageSetup.IsVisible(IDC_LAYOUT_OPTIONS));
        pageSetup.Click(*w.view.sheetView(1).sheetPages.at(0).page, IDC_LAYOUT_OPTIONS);
        EXPECT_EQ(w.view.sheetPageShown, 2);
        EXPECT_TRUE(w.view.GetCheck(IDC_ALT_SHOW_LAYOUT));
    }
}

TEST(TaskMenu, EveryTaskOpensItsSettingsDialogAfterHidingTheMenu)
{
    AltWindow w;
    w.show();
    w.view.Click(*w.dlg, IDC_TASK_MENU_BUTTON);
    struct Row {
        int button;
        int dialog;
    };
    const Row rows[] = {
        {5049, 5210}, {5055, 5210}, {5050, 5211}, {IDC_TASK_PAPER_TEXT, 5211}, {5051, 5212}, {5057, 5212},
        {5052, 5213}, {5058, 5213}, {5053, 5214}, {5059, 5214}, {5054, 5215}, {5060, 5215}, {5274, 5295},
        {5275, 5295},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button);
        EXPECT_EQ(TaskMenuRules::DialogOf(r.button), r.dialog);
        w.view.dialogsRun.clear();
        w.dlg->ShowTaskMenu(w.view);
        bool menuVisibleWhileRunning = true;
        w.view.runDialog = [&](int, DialogPage& page) {
            menuVisibleWhileRunning = w.menu().IsVisible(0);
            MemoryView dialog;
            page.OnInit(dialog);
            EXPECT_EQ(dialog.sheetPages.size(), 1u);
            return kDialogOk;
        };
        w.menu().Click(*w.dlg->TaskMenu(), r.button);
        ASSERT_EQ(w.view.dialogsRun.size(), 1u);
        EXPECT_EQ(w.view.dialogsRun[0], r.dialog);
        EXPECT_FALSE(menuVisibleWhileRunning);
        EXPECT_FALSE(w.view.control(IDC_TASK_MENU_BUTTON).pressed);
    }
    EXPECT_EQ(TaskMenuRules::DialogOf(IDC_TASK_SHOW_ON_STARTUP), 0);
    EXPECT_EQ(TaskMenuRules::DialogOf(IDC_TASK_HOWTO_TEXT), 0);
}

TEST(TaskMenu, SettingsDialogOKKeepsAndCancelRestoresTheModel)
{
    for (int answer : {kDialogOk, kDialogCancel}) {
        SCOPED_TRACE(answer);
        AltWindow w([](ModelWorld& world) { world.product.set(OptionKey::IDO_SUPPORT_WATERMARK, 1); });
        w.show();
        w.dlg->ShowTaskMenu(w.view);
        const uint32_t marks = w.model->Features().GetCurWatermarkCount();
        w.view.runDialog = [&](int, DialogPage& page) {
            MemoryView dialog;
            page.OnInit(dialog);
            w.model->SetCopies(7);
            w.model->SetOrientation(2);
            w.model->StatusOptions().sound = 1;
            LCWMARKINFO none[1] = {};
            w.model->Features().SetCurWatermarkList(none, 0);
            if (answer == kDialogOk) {
                EXPECT_TRUE(page.OnOK(dialog));
            } else {
                page.OnCancel(dialog);
            }
            return answer;
        };
        w.menu().Click(*w.dlg->TaskMenu(), IDC_TASK_WATERMARK_TEXT);
        const bool kept = answer == kDialogOk;
        EXPECT_EQ(w.model->GetCopies(), kept ? 7 : 1);
        EXPECT_EQ(w.model->GetOrientation(), kept ? 2 : 1);
        EXPECT_EQ(w.model->StatusOptions().sound, kept ? 1 : 0);
        EXPECT_EQ(w.model->Features().GetCurWatermarkCount(), kept ? 0u : marks);
        // The summary shows what the dialog left.
        EXPECT_EQ(w.view.GetPicture(IDC_ALT_PAPER_PICTURE),
                  static_cast<uint32_t>(kept ? IDB_PAPER_PLAIN_LANDSCAPE : IDB_PAPER_PLAIN));
    }
}

TEST(TaskMenu, ShowOnStartupFlipsTheModelAndHowToOpensTheHelp)
{
    AltWindow w([](ModelWorld& world) { world.product.set(OptionKey::IDO_DEFAULT_IWANTTO_MENU, 1); });
    w.show();
    w.dlg->OnTimer(w.view, 25);
    MemoryView& menu = w.menu();
    EXPECT_TRUE(menu.GetCheck(IDC_TASK_SHOW_ON_STARTUP));
    menu.Click(*w.dlg->TaskMenu(), IDC_TASK_SHOW_ON_STARTUP);
    EXPECT_EQ(w.model->GetShowIWantToMenu(), 0);
    EXPECT_FALSE(menu.GetCheck(IDC_TASK_SHOW_ON_STARTUP));
    EXPECT_GT(menu.control(0).redraws, 0);
    menu.Click(*w.dlg->TaskMenu(), IDC_TASK_SHOW_ON_STARTUP);
    EXPECT_EQ(w.model->GetShowIWantToMenu(), 1);
    EXPECT_TRUE(menu.GetCheck(IDC_TASK_SHOW_ON_STARTUP));

    for (int id : {IDC_TASK_HOWTO_PICTURE, IDC_TASK_HOWTO_TEXT})
        menu.Click(*w.dlg->TaskMenu(), id);
    ASSERT_EQ(menu.helpOpened.size(), 2u);
    EXPECT_EQ(menu.helpOpened[0].file, "pmphoto.hlp");
    EXPECT_EQ(menu.helpOpened[0].window, ">HowTo");
    EXPECT_TRUE(w.view.dialogsRun.empty());
}

TEST(TaskMenu, MnemonicsOfTheTextsSelectTheirTasks)
{
    EXPECT_EQ(TaskMenuRules::Mnemonic("Print a p&oster"), 'O');
    EXPECT_EQ(TaskMenuRules::Mnemonic("Fish && &chips"), 'C');
    EXPECT_EQ(TaskMenuRules::Mnemonic("no mnemonic&"), 0);
    EXPECT_EQ(TaskMenuRules::Mnemonic("&&"), 0);

    AltWindow w;
    w.view.strings[IDS_TASK_POSTER] = "Print a p&oster";
    w.view.strings[IDS_TASK_COLOR] = "Adjust the &colours";
    w.show();
    w.dlg->ShowTaskMenu(w.view);
    MemoryView& menu = w.menu();
    EXPECT_EQ(menu.GetText(IDC_TASK_POSTER_TEXT), "Print a poster");
    EXPECT_EQ(menu.PressKey(*w.dlg->TaskMenu(), IDC_TASK_QUALITY_TEXT, Key::AltCharacter, 'O'), KeyAction::Handled);
    EXPECT_EQ(menu.PressKey(*w.dlg->TaskMenu(), IDC_TASK_QUALITY_TEXT, Key::AltCharacter, 'C'), KeyAction::Handled);
    EXPECT_EQ(menu.PressKey(*w.dlg->TaskMenu(), IDC_TASK_QUALITY_TEXT, Key::AltCharacter, 'Z'), KeyAction::Default);
    EXPECT_EQ(w.view.dialogsRun, (std::vector<int>{IDD_TASK_POSTER, IDD_TASK_COLOR}));
}

TEST(AlternateResources, ReloadAfterASettingsChangeWhenTheLibraryIsGone)
{
    AltWindow w([](ModelWorld& world) { world.product.setText(OptionKey::IDO_PROP_RESDLL, "ppres.dll"); });
    w.model->SetDirectory("C:\\Install\\");
    bool loaded = true;
    std::vector<std::string> loads;
    bool loadWorks = false;
    w.dlg->SetResourceLibrary({[&] { return loaded; },
                               [&](const std::string& path) {
                                   loads.push_back(path);
                                   loaded = loadWorks;
                                   return loadWorks;
                               }});
    w.dlg->OnSettingsChange(w.view);
    EXPECT_TRUE(loads.empty());
    loaded = false;
    w.dlg->OnSettingsChange(w.view);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0], "C:\\Install\\ppres.dll");
    ASSERT_EQ(w.view.messages.size(), 1u);
    EXPECT_EQ(w.view.messages[0].text, "PROP_RESDLL not loaded");
    EXPECT_EQ(w.view.messages[0].caption, "ERROR");
    loadWorks = true;
    w.dlg->OnSettingsChange(w.view);
    EXPECT_EQ(loads.size(), 2u);
    EXPECT_EQ(w.view.messages.size(), 1u);
    EXPECT_GT(w.view.control(0).redraws, 0);
}
