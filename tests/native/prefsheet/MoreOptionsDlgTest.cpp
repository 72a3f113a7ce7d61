// The more-options dialog through the in-memory view over a real settings
// model: the job-window mode both ways, the complete-to-print boxes and
// their locks, which options show, and what OK (and only OK) writes.
#include "MemoryView.h"
#include "ModelFakes.h"
#include "MoreOptionsDlg.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace MoreOptionsRules;

namespace {

const char kValueName[] = "CompleteToPrint";

struct MoreOptions {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    OsVersion os;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<MoreOptionsDlg> dialog;
    MemoryView view;

    explicit MoreOptions(const std::function<void(ModelWorld&)>& configure = nullptr)
    {
        world.product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, kValueName);
        world.product.set(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, 1);
        world.product.set(OptionKey::IDO_PMKPRODLIKE, 1);
        world.status.known = true;
        world.status.logCart[0] = 1;
        world.status.logCart[1] = 2;
        if (configure)
            configure(world);
        model = MakePlainModel(world);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
    }
    void open()
    {
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
        context.os = os;
        dialog = std::make_unique<MoreOptionsDlg>(context, *model, kModelPrinter);
        dialog->OnInit(view);
    }
    void storeFlag(uint32_t value)
    {
        world.registry.put(std::string(kModelPrinter) + "\\PSW", kValueName, kRegNumber, &value, sizeof value);
    }
    StatusProgramOptions options() const { return model->StatusOptions(); }
};

int checkedModeButton(const MemoryView& view)
{
    const int ids[] = {IDC_MORE_JOB_SHOW, IDC_MORE_JOB_MINIMIZED, IDC_MORE_JOB_HIDDEN, IDC_MORE_JOB_NO_SPECIAL};
    int found = 0;
    for (int id : ids)
        if (view.GetCheck(id))
            found = found == 0 ? id : -1;   // two checked is an error
    return found;
}

TEST(MoreOptionsRules, JobWindowModeFromTheModel)
{
    struct Row {
        int32_t minimized, showWindow, special;
        JobWindowMode mode;
    } rows[] = {
        {1, 1, 0, ShowMinimized}, {1, 1, 1, ShowMinimized},
        {0, 1, 0, ShowWithoutSpecialMessages}, {0, 1, 1, ShowWindow},
        {1, 0, 0, ShowWindow},    {1, 0, 1, ShowWindow},
        {2, 1, 0, ShowWindow},    {0, 2, 0, ShowWindow},
        {0, 0, 1, ShowWindow},    {0, 0, 0, DoNotShow},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(DeriveJobWindowMode(r.minimized, r.showWindow, r.special), r.mode)
            << r.minimized << r.showWindow << r.special;
        // The dialog opens with that mode's button checked, and only it.
        MoreOptions d;
        d.model->SetJobProgressMinimized(r.minimized);
        d.model->SetShowProcessWindow(r.showWindow);
        d.model->SetShowSpecialMessages(r.special);
        d.open();
        const int expected[] = {IDC_MORE_JOB_SHOW, IDC_MORE_JOB_MINIMIZED, IDC_MORE_JOB_HIDDEN, IDC_MORE_JOB_NO_SPECIAL};
        EXPECT_EQ(checkedModeButton(d.view), expected[r.mode]) << r.minimized << r.showWindow << r.special;
    }
}

TEST(MoreOptionsRules, JobWindowValuesOnOK)
{
    struct Row {
        int button;
        int32_t specialAtStart;
        int32_t showWindow, minimized, special;
    } rows[] = {
        {IDC_MORE_JOB_HIDDEN, 1, 0, 0, 0},
        {IDC_MORE_JOB_SHOW, 0, 1, 0, 1},
        {IDC_MORE_JOB_MINIMIZED, 0, 1, 1, 0},
        {IDC_MORE_JOB_MINIMIZED, 1, 1, 1, 1},
        {IDC_MORE_JOB_NO_SPECIAL, 1, 1, 0, 0},
    };
    for (const Row& r : rows) {
        MoreOptions d;
        d.model->SetJobProgressMinimized(0);
        d.model->SetShowProcessWindow(1);
        d.model->SetShowSpecialMessages(r.specialAtStart);
        d.open();
        d.view.Click(*d.dialog, r.button);
        EXPECT_EQ(checkedModeButton(d.view), r.button);
        ASSERT_TRUE(d.dialog->OnOK(d.view));
        EXPECT_EQ(d.options().showProcessWindow, r.showWindow) << r.button;
        EXPECT_EQ(d.options().jobProgressMinimized, r.minimized) << r.button;
        EXPECT_EQ(d.options().showSpecialMessages, r.special) << r.button;
        const JobWindowValues v = JobWindowOnOK(d.dialog->jobWindowMode(), r.specialAtStart);
        EXPECT_EQ(v.showProcessWindow, r.showWindow);
    }

    // Minimized and shown opens minimized, and OK without changes keeps both.
    MoreOptions d;
    d.model->SetJobProgressMinimized(1);
    d.model->SetShowProcessWindow(1);
    d.model->SetShowSpecialMessages(0);
    d.open();
    EXPECT_EQ(d.dialog->jobWindowMode(), ShowMinimized);
    d.dialog->OnOK(d.view);
    EXPECT_EQ(d.options().jobProgressMinimized, 1);
    EXPECT_EQ(d.options().showProcessWindow, 1);
    EXPECT_EQ(d.options().showSpecialMessages, 0);
}

TEST(MoreOptionsDlg, CompleteToPrintBoxesAndTheirLocks)
{
    struct Row {
        const char* what;
        int32_t mode;
        int prodLike;         // IDO_PMKPRODLIKE; -1 unnamed
        int64_t stored;       // "PSW" value; -1 missing
        uint32_t media;
        int32_t blackWhite;
        uint32_t rightCartridge;
        bool aChecked, aEnabled, bChecked, bEnabled, locked;
        int32_t written;      // complete-to-print after OK without changes
    } rows[] = {
        {"mode 0", 0, 1, 0, 1, 0, 2, false, true, false, true, false, 0},
        {"mode 1", 1, 1, -1, 1, 0, 2, true, true, false, false, false, 1},
        {"mode 2", 2, 1, -1, 1, 0, 2, false, false, true, true, false, 2},
        {"bit 2 locks", 0, 1, 4, 1, 0, 2, false, false, false, false, true, 0},
        {"bit 2 with other bits", 0, 1, 7, 1, 0, 2, false, false, false, false, true, 0},
        {"lock kept in the mode", 4, 1, 4, 1, 0, 2, false, false, false, false, true, 4},
        {"unnamed key locks too", 0, -1, 4, 1, 0, 2, false, false, false, false, true, 0},
        {"product like 0 never locks", 0, 0, 4, 1, 0, 2, false, true, false, true, false, 0},
        {"no stored value", 0, 1, -1, 1, 0, 2, false, true, false, true, false, 0},
        {"mode bit wins over the lock", 1, 1, 4, 1, 0, 2, true, true, false, false, false, 1},
        {"photo media: B off", 0, 1, -1, 265, 0, 2, false, true, false, false, false, 0},
        {"photo media ends B", 2, 1, -1, 3, 0, 2, false, true, false, false, false, 0},
        {"photo media keeps A", 1, 1, -1, 268, 0, 2, true, true, false, false, false, 1},
        {"black and white, mode 0", 0, 1, -1, 1, 1, 2, false, false, false, false, false, 0},
        {"black and white, mode 1", 1, 1, -1, 1, 1, 2, true, true, false, false, false, 1},
        {"photo cartridge", 1, 1, -1, 1, 0, 0x80, false, false, false, false, false, 0},
        {"photo cartridge, locked", 0, 1, 4, 1, 0, 0x71, false, false, false, false, true, 0},
    };
    for (const Row& r : rows) {
        MoreOptions d([&r](ModelWorld& w) {
            if (r.prodLike >= 0)
                w.product.set(OptionKey::IDO_PMKPRODLIKE, static_cast<uint32_t>(r.prodLike));
            else
                w.product.numbers.erase(OptionKey::IDO_PMKPRODLIKE);
            w.status.logCart[1] = r.rightCartridge;
        });
        if (r.stored >= 0)
            d.storeFlag(static_cast<uint32_t>(r.stored));
        d.model->SetCompleteToPrint(r.mode);
        d.model->SetMediaType(r.media);
        d.model->SetBlackWhite(r.blackWhite);
        d.open();
        EXPECT_EQ(d.view.GetCheck(IDC_MORE_CTP_A), r.aChecked) << r.what;
        EXPECT_EQ(d.view.IsEnabled(IDC_MORE_CTP_A), r.aEnabled) << r.what;
        EXPECT_EQ(d.view.GetCheck(IDC_MORE_CTP_B), r.bChecked) << r.what;
        EXPECT_EQ(d.view.IsEnabled(IDC_MORE_CTP_B), r.bEnabled) << r.what;
        EXPECT_EQ(d.dialog->completeToPrintLocked(), r.locked) << r.what;
        d.dialog->OnOK(d.view);
        EXPECT_EQ(d.options().completeToPrint, r.written) << r.what;
    }
}

TEST(MoreOptionsDlg, CompleteToPrintOptionsExcludeEachOther)
{
    MoreOptions d;
    d.model->SetCompleteToPrint(1);
    d.open();
    d.view.Click(*d.dialog, IDC_MORE_CTP_A);   // A off frees B
    EXPECT_TRUE(d.view.IsEnabled(IDC_MORE_CTP_B));
    d.view.Click(*d.dialog, IDC_MORE_CTP_B);   // B on: only B, A greyed
    EXPECT_FALSE(d.view.GetCheck(IDC_MORE_CTP_A));
    EXPECT_FALSE(d.view.IsEnabled(IDC_MORE_CTP_A));
    EXPECT_EQ(d.model->GetCompleteToPrint(), 1);   // nothing before OK
    d.dialog->OnOK(d.view);
    EXPECT_EQ(d.model->GetCompleteToPrint(), 2);

    // On photo media unchecking A leaves B greyed.
    MoreOptions photo;
    photo.model->SetCompleteToPrint(1);
    photo.model->SetMediaType(266);
    photo.open();
    photo.view.Click(*photo.dialog, IDC_MORE_CTP_A);
    EXPECT_FALSE(photo.view.IsEnabled(IDC_MORE_CTP_B));
    photo.dialog->OnOK(photo.view);
    EXPECT_EQ(photo.model->GetCompleteToPrint(), 0);
}

TEST(MoreOptionsRules, BalloonTipsByOptionAndSystem)
{
    struct Row {
        int cats;
        uint32_t platform, version;
        bool shown;
    } rows[] = {
        {1, 2, 0x0501, true},  {1, 2, 0x0500, true},  {1, 2, 0x0600, true},
        {1, 2, 0x0400, false}, {1, 1, 0x045A, false}, {1, 0, 0, false},
        {0, 2, 0x0501, false}, {2, 2, 0x0501, false},
    };
    for (const Row& r : rows) {
        for (int32_t value : {0, 1}) {
            MoreOptions d([&r](ModelWorld& w) { w.product.set(OptionKey::IDO_CATS_GUI_SUPPORTED, r.cats); });
            d.os = OsVersion{r.platform, r.version};
            d.model->SetBalloonTips(value);
            d.open();
            const std::string row = std::to_string(r.cats) + " " + std::to_string(r.platform) + " " +
                                    std::to_string(r.version) + " value " + std::to_string(value);
            EXPECT_EQ(d.view.IsVisible(IDC_MORE_BALLOON), r.shown) << row;
            EXPECT_EQ(d.view.IsVisible(IDC_MORE_BALLOON_LABEL), r.shown) << row;
            EXPECT_EQ(d.world.trace.contains(value ? "MoreOptions:: Balloon tip is initially checked"
                                                   : "MoreOptions:: Balloon tip is initially unchecked"),
                      r.shown)
                << row;
            if (r.shown)
                d.view.Click(*d.dialog, IDC_MORE_BALLOON);
            d.world.trace.lines.clear();
            d.dialog->OnOK(d.view);
            const int32_t after = r.shown ? 1 - value : value;
            EXPECT_EQ(d.model->GetBalloonTips(), after) << row;
            const std::vector<std::string> traced =
                r.shown ? std::vector<std::string>{"MoreOptions:: OnOK: Balloon Tip was", after ? "checked" : "unchecked"}
                        : std::vector<std::string>{};
            EXPECT_EQ(d.world.trace.lines, traced) << row;
        }
    }
}

TEST(MoreOptionsDlg, SectionsShowByProductOptionsAndCloseUp)
{
    struct Row {
        const char* what;
        int inkLevels, pagesLeft, cap, hideSound, blank, tips, kiosk;
        bool ink, pages, ctp, sound, blankPage, didYouKnow;
        int pagesMovedBy, soundMovedBy;
    } rows[] = {
        {"all but balloon tips", 1, 1, 1, 0, 1, 1, 0, true, true, true, true, true, true, 0, -30},
        {"nothing optional", 0, 0, 0, 1, 0, 0, 0, false, false, false, false, false, false, 0, 0},
        {"ink off moves pages up", 0, 1, 1, 0, 0, 0, 0, false, true, true, true, false, false, -33, -30},
        {"unnamed keys", -1, -1, -1, -1, -1, -1, -1, false, false, true, true, false, false, 0, -30},
        {"kiosk hides the tips", 1, 0, 2, 0, 1, 1, 1, true, false, true, true, true, false, 0, -30},
    };
    for (const Row& r : rows) {
        MoreOptions d([&r](ModelWorld& w) {
            auto set = [&w](const char* key, int value) {
                if (value >= 0)
                    w.product.set(key, static_cast<uint32_t>(value));
            };
            set(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, r.inkLevels);
            set(OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, r.pagesLeft);
            set(OptionKey::IDO_SHOW_MOREOPTIONS_CAP, r.cap);
            set(OptionKey::IDO_HIDE_SOUND_OPTION, r.hideSound);
            set(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, r.blank);
            set(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, r.tips);
            set(OptionKey::IDO_KIOSKEN_SUPPORT, r.kiosk);
        });
        d.open();
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_INK_YES), r.ink) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_INK_GROUP), r.ink) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_PAGES_NO), r.pages) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_CTP_GROUP), r.ctp) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_CTP_B), r.ctp) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_SOUND), r.sound) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_BLANK_PAGE), r.blankPage) << r.what;
        EXPECT_EQ(d.view.IsVisible(IDC_MORE_DID_YOU_KNOW), r.didYouKnow) << r.what;
        EXPECT_TRUE(d.view.IsVisible(IDC_MORE_JOB_GROUP)) << r.what;
        if (r.pages) {
            EXPECT_EQ(d.view.control(IDC_MORE_PAGES_YES).movedY, r.pagesMovedBy) << r.what;
        }
        if (r.sound) {
            EXPECT_EQ(d.view.control(IDC_MORE_SOUND).movedY, r.soundMovedBy) << r.what;
        }
    }
}

TEST(MoreOptionsDlg, OkWritesTheOtherOptionsAndCancelNothing)
{
    auto configure = [](ModelWorld& w) {
        w.product.set(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 1).set(OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, 1);
        w.product.set(OptionKey::IDO_HIDE_SOUND_OPTION, 0).set(OptionKey::IDO_BLANK_PAGE_SUPPRESSION, 1);
        w.product.set(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 1).set(OptionKey::IDO_KIOSKEN_SUPPORT, 0);
        w.product.set(OptionKey::IDO_SHOW_MOREOPTIONS_CAP, 1);
    };
    auto start = [](MoreOptions& d) {
        d.model->SetShowInkLevels(0);
        d.model->SetShowNumberOfPages(1);
        d.model->SetSound(0);
        d.model->SetBlankPageSuppression(0);
        d.model->SetDidYouKnowTips(0);
        d.model->SetShowProcessWindow(1);
        d.model->SetShowSpecialMessages(1);
        d.open();
        EXPECT_TRUE(d.view.GetCheck(IDC_MORE_INK_NO));
        EXPECT_TRUE(d.view.GetCheck(IDC_MORE_PAGES_YES));
        EXPECT_TRUE(d.view.GetCheck(IDC_MORE_DID_YOU_KNOW));   // tips shown: the model keeps 0
        d.view.Click(*d.dialog, IDC_MORE_INK_YES);
        d.view.Click(*d.dialog, IDC_MORE_PAGES_NO);
        d.view.Click(*d.dialog, IDC_MORE_SOUND);
        d.view.Click(*d.dialog, IDC_MORE_BLANK_PAGE);
        d.view.Click(*d.dialog, IDC_MORE_DID_YOU_KNOW);
        d.view.Click(*d.dialog, IDC_MORE_JOB_HIDDEN);
        d.view.Click(*d.dialog, IDC_MORE_CTP_A);
    };

    MoreOptions cancelled(configure);
    start(cancelled);
    const StatusProgramOptions before = cancelled.options();
    cancelled.dialog->OnCancel(cancelled.view);
    const StatusProgramOptions after = cancelled.options();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_EQ(cancelled.model->GetBlankPageSuppression(), 0);
    EXPECT_EQ(after.showInkLevels, 0);
    EXPECT_EQ(after.showProcessWindow, 1);

    MoreOptions accepted(configure);
    start(accepted);
    accepted.dialog->OnOK(accepted.view);
    const StatusProgramOptions o = accepted.options();
    EXPECT_EQ(o.showInkLevels, 1);
    EXPECT_EQ(o.showNumberOfPages, 0);
    EXPECT_EQ(o.sound, 1);
    EXPECT_EQ(accepted.model->GetBlankPageSuppression(), 1);
    EXPECT_EQ(o.didYouKnowTips, 1);   // box unchecked: tips off
    EXPECT_EQ(o.showProcessWindow, 0);
    EXPECT_EQ(o.showSpecialMessages, 0);
    EXPECT_EQ(o.completeToPrint, 1);

    // Options the product does not offer are left as they were.
    MoreOptions bare([](ModelWorld& w) { w.product.set(OptionKey::IDO_HIDE_SOUND_OPTION, 1); });
    bare.model->SetShowInkLevels(1);
    bare.model->SetSound(1);
    bare.model->SetDidYouKnowTips(1);
    bare.model->SetBlankPageSuppression(1);
    bare.open();
    bare.dialog->OnOK(bare.view);
    EXPECT_EQ(bare.options().showInkLevels, 1);
    EXPECT_EQ(bare.options().sound, 1);
    EXPECT_EQ(bare.options().didYouKnowTips, 1);
    EXPECT_EQ(bare.model->GetBlankPageSuppression(), 1);
}

TEST(MoreOptionsDlg, StatusProgramHelpAndSoundFiles)
{
    MoreOptions d([](ModelWorld& w) {
        w.product.setText(OptionKey::IDO_PROP_HELPFILE, "pmoffice.chm").setText(OptionKey::IDO_HELPFILEHOWTOWND, "HowTo");
        w.product.set(OptionKey::IDO_PROP_CONTEXT_HELP, 1).set(OptionKey::IDO_HIDE_SOUND_OPTION, 0);
        w.product.setText(OptionKey::IDO_PSWX_NT, "pmstatus.exe");
    });
    d.open();
    EXPECT_TRUE(d.world.trace.contains("Wave Files NOT Found!"));
    d.view.Click(*d.dialog, IDC_MORE_STATUS_PROGRAM);
    EXPECT_EQ(d.companions.launched, std::vector<std::string>{std::string(kModelPrinter) + " 308"});
    d.view.Click(*d.dialog, IDC_MORE_HELP);
    d.dialog->OnHelp(d.view, IDC_MORE_SOUND);
    ASSERT_EQ(d.view.helpOpened.size(), 2u);
    EXPECT_EQ(d.view.helpOpened[0].file, "pmoffice.chm");
    EXPECT_EQ(d.view.helpOpened[0].window, ">HowTo");
    EXPECT_EQ(d.view.helpOpened[0].topic, kHelpTopic);
    EXPECT_EQ(d.view.helpOpened[1].window, ">whats this");
    EXPECT_EQ(d.view.helpOpened[1].topic, static_cast<uint32_t>(IDC_MORE_SOUND));

    // Both of the status program's sounds beside it: found.
    char pattern[] = "/tmp/moreoptionsXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = std::string(pattern) + "/";
    for (const char* name : {"pmstatusAlert.wav", "pmstatusDone.wav"}) {
        MoreOptions found([](ModelWorld& w) { w.product.setText(OptionKey::IDO_PSWX_NT, "pmstatus.exe"); });
        found.model->SetDirectory(folder);
        std::FILE* file = std::fopen((folder + name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
        found.open();
        const bool both = std::string(name) == "pmstatusDone.wav";
        EXPECT_EQ(found.world.trace.contains("Wave Files Found."), both) << name;
        EXPECT_EQ(found.world.trace.contains("Wave Files NOT Found!"), !both) << name;
    }
    std::remove((folder + "pmstatusAlert.wav").c_str());
    std::remove((folder + "pmstatusDone.wav").c_str());
    std::remove(pattern);
}

}  // namespace
