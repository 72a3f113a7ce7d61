// The main preferences dialog through the in-memory view over a real model
// and the registry fake: start-up reads with their defaults written back,
// first paint, OK and Cancel, the settings menu and the tab rules.
#include "MemoryView.h"
#include "ModelFakes.h"
#include "OEMPropDlg.h"
#include "OpeningPreferences.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kKey = std::string(kModelPrinter) + "\\";

struct MainDialog {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<OEMPropDlg> dialog;
    MemoryView view;

    explicit MainDialog(const std::function<void(ModelWorld&)>& configure = nullptr, uint32_t portType = 1)
    {
        FakeProduct& p = world.product;
        p.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        p.setText(OptionKey::IDO_KEY_NAME_COMPTOPRINT_PPLPA_FLAG, "CompleteToPrintLPA");
        p.setText(OptionKey::IDO_SHOWBUBBLEWARNING_KEYNAME, "ShowBubbleWarning");
        p.setText(OptionKey::IDO_KEY_NAME_SHOWDIDYOUKNOWTIP, "ShowDidYouKnowTip");
        p.setText(OptionKey::IDO_PROP_HELPFILE, "pmoffice.chm");
        p.set(OptionKey::IDO_PMKPRINTPROP, 0);
        p.set(OptionKey::IDO_PMKPRODLIKE, 0);
        p.set(OptionKey::IDO_HIDE_SOUND_OPTION, 0);
        p.set(OptionKey::IDO_DEFAULT_SOUND, 1);
        p.set(OptionKey::IDO_DEFAULT_JSW_MINIMIZED, 1);
        if (configure)
            configure(world);
        model = MakePlainModel(world);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE& r) { r.dmCopies = 1; });
        HandOverPort(*model, 1, portType, "USB001");
    }

    PageContext context()
    {
        return PageContext{world.product, world.registry, *slots, world.trace, companions,
                           [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
    }

    // Runs the dialog's start-up and first paint.
    void open()
    {
        dialog = std::make_unique<OEMPropDlg>(context(), [] { return std::vector<FontFamily>{}; });
        dialog->SetPrinter(model.get(), 1);
        dialog->OnInit(view);
        dialog->OnPaint(view);
    }

    std::vector<uint8_t> stored(const std::string& subKey, const std::string& name)
    {
        auto key = world.registry.keys.find(kKey + subKey);
        if (key == world.registry.keys.end())
            return {};
        auto value = key->second.find(name);
        return value == key->second.end() ? std::vector<uint8_t>{} : value->second.data;
    }
    uint32_t number(const std::string& subKey, const std::string& name)
    {
        const std::vector<uint8_t> bytes = stored(subKey, name);
        EXPECT_EQ(bytes.size(), 4u) << subKey << "\\" << name;
        uint32_t value = 0;
        if (bytes.size() == 4)
            std::memcpy(&value, bytes.data(), 4);
        return value;
    }
    void setNumber(const std::string& subKey, const std::string& name, uint32_t value)
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
        world.registry.keys[kKey + subKey][name] = FakeRegistry::Value{kRegNumber, {bytes, bytes + 4}};
    }
};

TEST(OEMPropDlg, StartUpTakesEachMissingValueAsItsDefaultAndWritesItBack)
{
    struct Row {
        const char* subKey;
        const char* name;
        uint32_t expected;
    } rows[] = {
        {"PSW", "CompleteToPrint", 0},      {"PSW", "CompleteToPrintLPA", 0},
        {"PSW", "Show Ink Levels", 0},      {"JSW", "Show NumberOfPages", 0},
        {"JSW", "Job Progress Minimized", 1},   // IDO_DEFAULT_JSW_MINIMIZED is not 0
        {"JSW", "Show Special Messages", 1}, {"JSW", "Show Process Window", 1},
        {"LPA", "ShowBubbleWarning", 1},    {"PSW", "ShowDidYouKnowTip", 0},
        {"LPA", "Sound", 1},                {"AUTOMEDIA", "Auto Media", 1},
    };
    MainDialog d([](ModelWorld& w) {
        for (const char* key : {OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION,
                                 OptionKey::IDO_CATS_GUI_SUPPORTED, OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS})
            w.product.set(key, 1);
    });
    d.open();
    for (const Row& r : rows)
        EXPECT_EQ(d.number(r.subKey, r.name), r.expected) << r.subKey << "\\" << r.name;
    const StatusProgramOptions& s = d.model->StatusOptions();
    EXPECT_EQ(s.jobProgressMinimized, 1);
    EXPECT_EQ(s.balloonTips, 1);
    EXPECT_EQ(s.sound, 1);
    EXPECT_EQ(d.model->GetConflictCheck(), 1);
    EXPECT_EQ(d.view.title, std::string(kModelPrinter) + " #6779");

    // Stored values win over the defaults; options not shown are not read.
    MainDialog again;
    again.setNumber("PSW", "CompleteToPrint", 2);
    again.setNumber("JSW", "Show Process Window", 0);
    again.open();
    EXPECT_EQ(again.model->GetCompleteToPrint(), 2);
    EXPECT_EQ(again.model->GetShowProcessWindow(), 0);
    EXPECT_TRUE(again.stored("PSW", "Show Ink Levels").empty());
    EXPECT_TRUE(again.stored("LPA", "ShowBubbleWarning").empty());
}

TEST(OEMPropDlg, FirstPaintMakesTheFactorySettingsAndReadsAutoMediaUnlessThePortCannot)
{
    for (uint32_t port : {1u, 5u, 6u, 7u, 10u, 12u}) {
        MainDialog d(nullptr, port);
        d.setNumber("AUTOMEDIA", "Auto Media", 1);
        d.open();
        const bool reports = port != 5 && port != 6 && port != 7 && port != 10;
        EXPECT_EQ(d.model->GetAutoMediaValue1(), reports ? 1 : 0) << port;
        EXPECT_EQ(d.model->GetAutoMediaValue2(), reports ? 1 : 0) << port;
        EXPECT_EQ(d.stored("SLOT1", "Default Dev Mode").size(), sizeof(LCDEVMODE)) << port;
        EXPECT_EQ(d.number("SLOT1", "Show JSW"), 1u) << port;
        for (int slot = 2; slot <= 6; ++slot)
            EXPECT_TRUE(d.world.registry.keys.count(kKey + "SLOT" + std::to_string(slot))) << slot;
        // Port 12 cannot keep personal settings.
        EXPECT_EQ(d.view.menuEnabled.count(ID_SAVE_SETTINGS) == 1 && !d.view.menuEnabled[ID_SAVE_SETTINGS],
                  port == 12) << port;
        EXPECT_EQ(d.view.menuEnabled.count(ID_MANAGE_SETTINGS) == 1 && !d.view.menuEnabled[ID_MANAGE_SETTINGS],
                  port == 12) << port;
    }
}

TEST(OEMPropDlg, OkWritesTheCompanionFlagByCompleteToPrintMode)
{
    const int32_t modes[] = {0, 1, 2, 4};
    const uint32_t companion[] = {0, 1, 1, 0};
    for (size_t i = 0; i < 4; ++i) {
        MainDialog d;
        d.open();
        d.model->SetCompleteToPrint(modes[i]);
        d.model->SetAutoMediaValue1(0);
        EXPECT_TRUE(d.dialog->OnOK(d.view));
        EXPECT_EQ(d.number("PSW", "CompleteToPrint"), static_cast<uint32_t>(modes[i]));
        EXPECT_EQ(d.number("PSW", "CompleteToPrintLPA"), companion[i]) << modes[i];
        EXPECT_EQ(d.number("AUTOMEDIA", "Auto Media"), 0u);
        EXPECT_EQ(d.model->GetStatus(), 1u);
    }
}

TEST(OEMPropDlg, CancelPutsBackTheValuesReadAtStart)
{
    MainDialog d([](ModelWorld& w) { w.product.set(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 1); });
    d.setNumber("PSW", "CompleteToPrint", 1);
    d.setNumber("PSW", "Show Ink Levels", 1);
    d.open();
    // Something else changed them meanwhile (the status program, a slot).
    d.setNumber("PSW", "CompleteToPrint", 0);
    d.setNumber("PSW", "Show Ink Levels", 0);
    d.setNumber("JSW", "Show Process Window", 0);
    d.model->SetAutoMediaValue1(0);
    d.dialog->OnCancel(d.view);
    EXPECT_EQ(d.number("PSW", "CompleteToPrint"), 1u);
    EXPECT_EQ(d.number("PSW", "Show Ink Levels"), 1u);
    EXPECT_EQ(d.number("JSW", "Show Process Window"), 1u);
    EXPECT_EQ(d.number("AUTOMEDIA", "Auto Media"), 1u);   // OK's write, not Cancel's
    EXPECT_EQ(d.model->GetStatus(), 3u);
}

TEST(OEMPropDlg, ARequestedSheetPicksTheTabOnceAndMakesOkACancel)
{
    struct Row {
        uint32_t request;
        int tab;
        bool onRequest;
    } rows[] = {{1, 2, true}, {2, 1, true}, {3, 0, false}, {0, 0, false}};
    for (const Row& r : rows) {
        MainDialog d([](ModelWorld& w) { w.product.set(OptionKey::IDO_PROPMAINTENANCE_TABSUPPORT, 1); });
        d.setNumber("", "ActivePrinterPreferencesSheet", r.request);
        d.open();
        EXPECT_EQ(d.view.ActiveSheetPage(), r.tab) << r.request;
        EXPECT_TRUE(d.stored("", "ActivePrinterPreferencesSheet").empty()) << r.request;
        d.model->SetCompleteToPrint(2);
        EXPECT_EQ(d.dialog->OnOK(d.view), !r.onRequest) << r.request;
        EXPECT_EQ(d.model->GetStatus(), r.onRequest ? 3u : 1u) << r.request;
        EXPECT_EQ(d.view.ended, r.onRequest ? kDialogCancel : 0) << r.request;
        EXPECT_EQ(d.number("PSW", "CompleteToPrint"), r.onRequest ? 0u : 2u) << r.request;
    }
}

TEST(OEMPropDlg, TheSlotMenuListsNamedSlotsInOrder)
{
    EXPECT_EQ(MainDialogRules::SlotMenu({"NULL", "Photos", "NULL", "R&D", "NULL"}).size(), 2u);
    const std::vector<MenuItem> items = MainDialogRules::SlotMenu({"NULL", "Photos", "NULL", "R&D", "NULL"});
    EXPECT_EQ(items[0].command, ID_LOAD_SLOT2 + 1);
    EXPECT_EQ(items[0].text, "Photos");
    EXPECT_EQ(items[1].command, ID_LOAD_SLOT2 + 3);
    EXPECT_EQ(items[1].text, "R&&D");

    // Missing names are written as "NULL" and give no entry.
    MainDialog d([](ModelWorld& w) { w.product.set(OptionKey::IDO_PERSONAL_SETTINGS, 1); });
    const char photos[] = "Photos";
    d.world.registry.keys[kKey + "Personal\\SLOT3"]["Slot3 Name"] =
        FakeRegistry::Value{kRegText, {photos, photos + sizeof photos}};
    d.open();
    ASSERT_EQ(d.view.popups.count({0, 4}), 1u);
    ASSERT_EQ((d.view.popups[{0, 4}]).size(), 1u);
    EXPECT_EQ((d.view.popups[{0, 4}])[0].command, ID_LOAD_SLOT2 + 1);
    EXPECT_EQ((d.view.popups[{0, 4}])[0].text, "Photos");
    for (int slot : {2, 4, 5, 6}) {
        const std::string subKey = "Personal\\SLOT" + std::to_string(slot);
        const std::vector<uint8_t> name = d.stored(subKey, "Slot" + std::to_string(slot) + " Name");
        EXPECT_EQ(std::string(name.begin(), name.end()), std::string("NULL", 5)) << slot;
    }
}

TEST(OEMPropDlg, TabsFollowTheProductsOptions)
{
    struct Row {
        int maintenance, watermark, imageBuffer;
        std::vector<MainTab> tabs;
    } rows[] = {
        {0, 0, 0, {MainTab::PageSetup, MainTab::Advanced}},
        {1, 1, 1,
         {MainTab::PageSetup, MainTab::Advanced, MainTab::Maintenance, MainTab::Watermark, MainTab::ColourOptions}},
        {0, 1, 0, {MainTab::PageSetup, MainTab::Advanced, MainTab::Watermark}},
        {0, 0, 1, {MainTab::PageSetup, MainTab::Advanced, MainTab::ColourOptions}},
        {1, 0, 1, {MainTab::PageSetup, MainTab::Advanced, MainTab::Maintenance, MainTab::ColourOptions}},
    };
    for (const Row& r : rows) {
        FakeProduct product;
        product.set(OptionKey::IDO_PROPMAINTENANCE_TABSUPPORT, static_cast<uint32_t>(r.maintenance));
        product.set(OptionKey::IDO_SUPPORT_WATERMARK, static_cast<uint32_t>(r.watermark));
        product.set(OptionKey::IDO_IMAGE_BUFFER, static_cast<uint32_t>(r.imageBuffer));
        EXPECT_EQ(MainDialogRules::Tabs(product), r.tabs) << r.maintenance << r.watermark << r.imageBuffer;
    }
}

TEST(OEMPropDlg, TabMovesBetweenTheTabStripAndTheActivePage)
{
    MainDialog d([](ModelWorld& w) { w.product.set(OptionKey::IDO_PROPMAINTENANCE_TABSUPPORT, 1); });
    d.open();
    d.view.ShowSheetPage(1);
    EXPECT_EQ(d.view.PressKey(*d.dialog, IDC_MAIN_SHEET + 1, Key::Tab), KeyAction::Handled);
    EXPECT_EQ(d.view.sheetView(1).focus, IDC_ADV_LAYOUT_LIST);
    EXPECT_EQ(d.view.PressKey(*d.dialog, kDialogCancel, Key::Tab), KeyAction::Handled);
    EXPECT_EQ(d.view.focus, MemoryView::kSheetTabsFocus);
    EXPECT_EQ(d.view.PressKey(*d.dialog, kDialogOk, Key::Tab), KeyAction::Default);
}

TEST(OEMPropDlg, FactorySettingsForAPortWithoutTwoWayAndRefreshOfTheActivePage)
{
    for (uint32_t autoQuality : {0u, 1u, 2u}) {
        MainDialog d([autoQuality](ModelWorld& w) {
            w.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, autoQuality);
            w.product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
        }, 6);
        d.open();
        d.model->SetMediaType(3);
        d.model->SetCompleteToPrint(2);
        const int redraws = d.view.sheetView(0).control(0).redraws;
        d.view.Click(*d.dialog, ID_FACTORY_SETTINGS);
        EXPECT_EQ(d.model->GetPrintQuality(), autoQuality == 0 ? -2 : -99) << autoQuality;
        EXPECT_EQ(d.model->GetMediaType(), 1u);
        EXPECT_EQ(d.model->GetCompleteToPrint(), 0);
        EXPECT_EQ(d.model->GetAutoMediaValue1(), 0);
        EXPECT_GT(d.view.sheetView(0).control(0).redraws, redraws);
    }
}

TEST(OEMPropDlg, HelpCommandsOpenTheProductsHelpFile)
{
    MainDialog d;
    d.open();
    d.view.Click(*d.dialog, ID_HELP_INDEX);
    d.view.Click(*d.dialog, ID_HELP_SEARCH);
    d.view.Click(*d.dialog, ID_HELP_TOPIC_WATERMARKS);
    EXPECT_EQ(d.view.helpCommands,
              (std::vector<std::string>{"index pmoffice.chm", "search pmoffice.chm for Pelmora Solution Center"}));
    ASSERT_EQ(d.view.helpOpened.size(), 1u);
    EXPECT_EQ(d.view.helpOpened[0].topic, 406u);
}

}  // namespace
