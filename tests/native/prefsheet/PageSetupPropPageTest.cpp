// The page setup page driven through the in-memory view over a real settings
// model: its tables row by row, and the user's clicks against the model and
// the stored records.
#include "ConflictMessageDlg.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PageSetupPropPage.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

constexpr int kCloseWindow = -2;   // the window closed without a button of its own

using namespace PageSetupRules;

class NoMessages : public MessageBoxes {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// One opening: model, slots and the page on a view.
struct Opening {
    ModelWorld world;
    NoMessages messages;
    RecordingCompanions companions;
    PortableInkDisplay* ink = nullptr;   // owned by the page
    std::function<void()> showLayoutPage;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<PageSetupPropPage> page;
    MemoryView view;
    ConflictDialogRunner conflicts{view};

    explicit Opening(const std::function<void(ModelWorld&)>& configure = nullptr)
    {
        world.config.paperSizes = {1, 5, 9, 20, 60, 256, 296, 298};
        world.config.mediaTypes = {1, 2, 3, 258, 261, 262, 265, 266, 267, 268, 270, 271};
        world.product.set(OptionKey::IDO_SUPPORT_E2E, 1).set(OptionKey::IDO_ENVELOPECHECKBOX, 1);
        world.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 1);
        if (configure)
            configure(world);
        model = world.make();
        LCDEVMODE record = PlainRecord();
        model->LoadFrom(record);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE& r) {
                                                       LCDEVMODE plain = PlainRecord();
                                                       std::memcpy(&r, &plain, sizeof r);
                                                   });
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [this] {
                                auto display = std::make_unique<PortableInkDisplay>();
                                ink = display.get();
                                return display;
                            },
                            '.', [this] {
                                if (showLayoutPage)
                                    showLayoutPage();
                            }};
        page = std::make_unique<PageSetupPropPage>(context);
        page->SetPrinter(model.get());
    }
    void open()
    {
        page->OnInit(view);
        model->SetConflictCheck(1);
    }
    LCDEVMODE saved() const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        model->SaveTo(r);
        return r;
    }
    void selectData(int control, int32_t data)
    {
        for (int i = 0; i < view.GetListCount(control); ++i) {
            if (view.GetListData(control, i) == data) {
                view.Select(*page, control, i);
                return;
            }
        }
        ADD_FAILURE() << "no entry " << data << " in list " << control;
    }
};

TEST(PageSetupRules, CopiesIllustrationByCopiesCollateAndOrder)
{
    struct Row {
        int32_t copies, collate, order;
        uint32_t picture;
    } rows[] = {
        {1, 0, 1, 6724}, {1, 1, 1, 6724}, {1, 0, 2, 6723}, {1, 1, 2, 6723}, {2, 0, 2, 6721},
        {5, 0, 1, 6722}, {2, 1, 2, 6725}, {99, 1, 1, 6726}, {3, 2, 1, 6723}, {3, 1, 0, 6723},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CopiesIllustration(r.copies, r.collate, r.order), r.picture)
            << r.copies << " copies, collate " << r.collate << ", order " << r.order;
}

TEST(PageSetupRules, PaperIllustrationByFlagsSizeAndPageLayout)
{
    struct Row {
        uint32_t flags, size;
        int32_t pageLayout;
        uint32_t picture, companion;
    } rows[] = {
        {0x4000, 1, 0, 6731, 6732}, {0x1000, 296, 0, 6727, 6728}, {0x8000, 284, 0, 6841, 6735},
        {0x8000, 290, 0, 6841, 6735}, {0x8000, 283, 0, 6730, 6733}, {0x8000, 291, 0, 6730, 6733},
        {0, 1, 0, 6729, 6734},      {0x8000, 20, 1, 6928, 6929},  {0, 1, 1, 6928, 6929},
    };
    for (const Row& r : rows) {
        const PaperIllustration p = PaperPictures(r.flags, r.size, r.pageLayout);
        EXPECT_EQ(p.picture, r.picture) << std::hex << r.flags << std::dec << " size " << r.size;
        EXPECT_EQ(p.companion, r.companion) << std::hex << r.flags << std::dec << " size " << r.size;
    }
}

TEST(PageSetupRules, CartridgeStateFirstMatchWins)
{
    struct Row {
        uint32_t left, right;
        CartridgeState state;
        const char* name;
    } rows[] = {
        {32, 32, MissingAndMissing, "MISSING_AND_MISSING"}, {32, 0x80, MissingAndBlack, "MISSING_AND_BLACK"},
        {1, 32, ColorAndMissing, "COLOR_AND_MISSING"},      {1, 0x80, ColorAndPhoto, "COLOR_AND_PHOTO"},
        {0x80, 1, ColorAndBlack, "COLOR_AND_BLACK"},        {1, 2, ColorAndBlack, "COLOR_AND_BLACK"},
    };
    for (const Row& r : rows) {
        const bool rightIsPhoto = r.right == 0x80;
        EXPECT_EQ(GetCartridgeState(r.left, r.right, rightIsPhoto), r.state) << r.left << "/" << r.right;
        EXPECT_STREQ(CartridgeStateName(r.state), r.name);
    }
}

TEST(PageSetupRules, BorderlessSizesAreExactlyTheListedOnes)
{
    const std::set<uint32_t> listed = {271, 296, 297, 298, 299, 301, 302, 303, 304, 305, 308, 310, 312, 313, 315, 317};
    for (uint32_t size = 0; size < 1024; ++size)
        EXPECT_EQ(IsBorderlessSize(size), listed.count(size) == 1) << size;
}

TEST(PageSetupPage, MediaTypeSelectsItsListEntry)
{
    struct Row {
        uint32_t media;
        bool region;
        uint32_t text;       // the entry's string, or
        int position;        // a fixed position when text is 0
    } rows[] = {
        {1, false, IDS_MEDIA_PLAIN, 0},       {2, false, IDS_MEDIA_TRANSPARENCY, 0},
        {3, false, IDS_MEDIA_GLOSSY, 0},      {257, false, IDS_AUTOMATIC, 0},
        {258, false, IDS_MEDIA_PREMIUM, 0},   {261, false, IDS_MEDIA_BROCHURE, 0},
        {262, false, IDS_MEDIA_MATTE, 0},     {265, false, IDS_MEDIA_SOFT_GLOSS, 0},
        {266, false, IDS_MEDIA_HIGH_GLOSS, 0}, {267, false, IDS_MEDIA_MATTE_PHOTO, 0},
        {270, false, 700, 0},                 {271, false, 701, 0},
        {265, true, 0, 3},                    {266, true, 0, 4},
        {267, true, 0, 5},                    {268, false, 0, 6},
        {999, false, 0, 0},
    };
    for (const Row& r : rows) {
        Opening o([&](ModelWorld& w) { w.product.set(OptionKey::IDO_REGION_PHOTO_MEDIA, r.region ? 1 : 0); });
        o.model->SetMediaType(r.media);
        o.open();
        if (r.text != 0)
            EXPECT_EQ(o.view.SelectedText(IDC_MEDIA_TYPE), o.view.String(r.text)) << r.media;
        else
            EXPECT_EQ(o.view.GetListSelection(IDC_MEDIA_TYPE), r.position) << r.media;
    }
}

TEST(PageSetupPage, EdgeToEdgeAcceptsOnlyBorderlessSizes)
{
    Opening o;
    o.open();
    o.view.Click(*o.page, IDC_EDGE_TO_EDGE);
    ASSERT_EQ(o.model->GetPaperFlags(), 0x1000u);
    EXPECT_FALSE(o.view.IsEnabled(IDC_ENVELOPE));
    EXPECT_FALSE(o.view.IsEnabled(IDC_COPIES));
    EXPECT_EQ(o.view.dialogsRun, std::vector<int>{IDD_BORDERLESS_INFO});   // no "E2EShowAlert" yet
    const struct {
        uint32_t chosen;
        uint32_t kept;
    } sizes[] = {{1, 296}, {5, 296}, {9, 296}, {20, 296}, {60, 296}, {296, 296}, {298, 298}};
    for (const auto& c : sizes) {
        o.model->SetPaperSize(1);
        o.selectData(IDC_PAPER_SIZE, static_cast<int32_t>(c.chosen));
        EXPECT_EQ(o.model->GetPaperSize(), c.kept) << c.chosen;
    }
    EXPECT_EQ(o.view.control(IDC_PAPER_PICTURE).picture, 6727u);
}

TEST(PageSetupPage, EnvelopeOnThenOffRestoresTheRecord)
{
    for (SnapshotKind kind : {SnapshotKind::Envelope, SnapshotKind::EdgeToEdge}) {
        const int box = kind == SnapshotKind::Envelope ? IDC_ENVELOPE : IDC_EDGE_TO_EDGE;
        Opening o;
        o.model->SetCopies(3);
        o.model->SetCollate(1);
        o.model->SetPaperSize(9);
        o.model->SetMediaType(2);
        o.open();
        const LCDEVMODE before = o.saved();
        o.view.Click(*o.page, box);
        const LCDEVMODE during = o.saved();
        EXPECT_NE(std::memcmp(&before, &during, sizeof before), 0);
        EXPECT_EQ(during.dmPaperFlags, kind == SnapshotKind::Envelope ? 0x8000u : 0x1000u);
        EXPECT_EQ(during.dmCollate, 0);
        EXPECT_EQ(during.dmPageOrder, 2);
        o.view.Click(*o.page, box);
        const LCDEVMODE after = o.saved();
        EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << "snapshot " << static_cast<int>(kind);
        EXPECT_EQ(o.view.focus, box);
        EXPECT_EQ(o.model->GetEnvelopeMode(), 0);
    }
}

TEST(PageSetupPage, EnvelopeTurnsWideSizesToLandscape)
{
    for (uint32_t size : {20u, 1u}) {
        Opening o;
        o.model->SetPaperSize(size);
        o.open();
        o.view.Click(*o.page, IDC_ENVELOPE);
        EXPECT_EQ(o.model->GetOrientation(), size == 20 ? 2 : 1);
        EXPECT_TRUE(o.view.GetCheck(IDC_ENVELOPE));
        EXPECT_FALSE(o.view.IsEnabled(IDC_EDGE_TO_EDGE));
    }
}

TEST(PageSetupPage, CopiesFieldKeepsOneToNinetyNine)
{
    Opening o;
    o.open();
    struct Step {
        const char* typed;
        int32_t copies;
        const char* shown;
        bool collateEnabled;
    } steps[] = {{"5", 5, "5", true}, {"", 5, "", true}, {"x", 5, "x", true}, {"0", 1, "1", false},
                 {"99", 99, "99", true}, {"123", 12, "12", true}};
    for (const Step& s : steps) {
        o.view.Type(*o.page, IDC_COPIES, s.typed);
        EXPECT_EQ(o.model->GetCopies(), s.copies) << '"' << s.typed << '"';
        EXPECT_EQ(o.view.GetText(IDC_COPIES), s.shown) << '"' << s.typed << '"';
        EXPECT_EQ(o.view.IsEnabled(IDC_COLLATE), s.collateEnabled) << '"' << s.typed << '"';
    }
}

TEST(PageSetupPage, QualityButtonsSetQualityAndPressOnlyThemselves)
{
    struct Row {
        int button;
        int32_t quality;
    } rows[] = {{IDC_QUALITY_DRAFT, -1}, {IDC_QUALITY_BEST, -4}, {IDC_QUALITY_AUTO, -99}, {IDC_QUALITY_NORMAL, -2}};
    const std::pair<int, uint32_t> downs[] = {{IDC_QUALITY_DRAFT, 6769},
                                              {IDC_QUALITY_NORMAL, 6771},
                                              {IDC_QUALITY_BEST, 6770},
                                              {IDC_QUALITY_AUTO, 6772}};
    Opening o;
    o.open();
    for (const Row& r : rows) {
        o.view.Click(*o.page, r.button);
        EXPECT_EQ(o.model->GetPrintQuality(), r.quality);
        EXPECT_EQ(o.model->GetRememberedQuality(), r.quality);
        for (const auto& [id, down] : downs) {
            EXPECT_EQ(o.view.GetCheck(id), id == r.button) << id;
            EXPECT_EQ(o.view.GetPicture(id) == down, id == r.button) << id;
        }
    }
}

TEST(PageSetupPage, WithoutAutomaticQualityTheOtherButtonsCloseTheGap)
{
    Opening o([](ModelWorld& w) { w.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 0); });
    o.model->SetMediaType(257);
    o.open();
    EXPECT_FALSE(o.view.IsVisible(IDC_QUALITY_AUTO));
    EXPECT_FALSE(o.view.IsVisible(IDC_QUALITY_AUTO_LABEL));
    for (int id : {IDC_QUALITY_DRAFT, IDC_QUALITY_NORMAL, IDC_QUALITY_BEST, IDC_QUALITY_BEST_LABEL})
        EXPECT_LT(o.view.control(id).movedX, 0) << id;
    EXPECT_EQ(o.model->GetMediaType(), 1u);   // automatic media has no meaning then
}

TEST(PageSetupPage, CartridgesDecideBlackAndWhite)
{
    struct Row {
        uint32_t left, right;
        CartridgeState state;
        bool enabled;
    } rows[] = {{32, 32, MissingAndMissing, false}, {1, 32, ColorAndMissing, false}, {32, 2, MissingAndBlack, true},
                {1, 2, ColorAndBlack, true},         {1, 0x71, ColorAndPhoto, false}};
    for (const Row& r : rows) {
        Opening o([&](ModelWorld& w) {
            w.status.known = true;
            w.status.logCart[0] = r.left;
            w.status.logCart[1] = r.right;
        });
        INKINFO ink{};
        o.model->SetInkInfo2(ink, kModelPrinter);
        o.open();
        EXPECT_EQ(o.page->cartridgeState(), r.state);
        EXPECT_EQ(o.view.IsEnabled(IDC_BLACK_WHITE), r.enabled) << r.left << "/" << r.right;
        EXPECT_TRUE(o.world.trace.contains(std::string("PageSetupPropPage::GetCartridgeState() ") +
                                           CartridgeStateName(r.state)));
    }
}

TEST(PageSetupPage, MediaIsRecordedForTheTrayInUse)
{
    struct Row {
        int32_t source;
        int32_t shared;
        uint32_t media2, media3;   // first-tray and second-tray media after choosing 270
    } rows[] = {{7, 0, 270, 1}, {1, 0, 270, 1}, {2, 0, 1, 270}, {2, 1, 270, 270}, {7, 1, 270, 270}};
    for (const Row& r : rows) {
        Opening o;
        o.model->SetPaperSource(r.source);
        o.model->SetSharedMedia(r.shared);
        o.model->SetMediaType3(1);
        o.open();
        o.selectData(IDC_MEDIA_TYPE, 270);
        EXPECT_EQ(o.model->GetMediaType(), 270u);
        EXPECT_EQ(o.model->GetMediaType2(), r.media2) << "source " << r.source << " shared " << r.shared;
        EXPECT_EQ(o.model->GetMediaType3(), r.media3) << "source " << r.source << " shared " << r.shared;
    }
}

TEST(PageSetupPage, PhotoMediaRefusesBlackAndWhiteWhereTheProductSays)
{
    struct Row {
        uint32_t media;
        bool refused;   // IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE is 1 throughout
    } rows[] = {{1, false}, {2, false}, {3, true}, {265, true}, {266, true}, {267, true}, {261, false}};
    for (const Row& r : rows) {
        for (int32_t completeToPrint : {0, 2}) {
            Opening o([](ModelWorld& w) { w.product.set(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, 1); });
            o.open();
            o.view.Click(*o.page, IDC_BLACK_WHITE);
            ASSERT_EQ(o.model->GetColorMode(), 1);
            ASSERT_EQ(o.model->GetBlackWhite(), 1);
            o.model->SetCompleteToPrint(completeToPrint);
            o.selectData(IDC_MEDIA_TYPE, static_cast<int32_t>(r.media));
            // Complete-to-print locks the box as it is; photo media clears it.
            EXPECT_EQ(o.view.IsEnabled(IDC_BLACK_WHITE), !r.refused && completeToPrint == 0) << r.media;
            EXPECT_EQ(o.view.GetCheck(IDC_BLACK_WHITE), !r.refused) << r.media;
            EXPECT_EQ(o.model->GetColorMode(), r.refused ? 2 : 1) << r.media;
            EXPECT_EQ(o.model->GetCompleteToPrint(), r.refused ? 0 : completeToPrint) << r.media;
        }
    }
}

TEST(PageSetupPage, SecondTrayDisablesTheEnvelopeBox)
{
    Opening o([](ModelWorld& w) {
        w.product.set(OptionKey::IDO_NUMBER_BINS, 2);
        w.status.known = true;
        w.status.optTray = 1;
    });
    o.open();
    EXPECT_TRUE(o.view.IsEnabled(IDC_PAPER_SOURCE));
    o.view.Select(*o.page, IDC_PAPER_SOURCE, 2);
    EXPECT_EQ(o.model->GetPaperSource(), 2);
    EXPECT_FALSE(o.view.IsEnabled(IDC_ENVELOPE));
    o.view.Select(*o.page, IDC_PAPER_SOURCE, 1);
    EXPECT_TRUE(o.view.IsEnabled(IDC_ENVELOPE));
}

// The whole chain of a conflict: the page's change, the model's rule, the
// dialog's rules and the user's answer back into the model.
TEST(PageSetupPage, DraftWithPhotoCartridgeAnsweredThroughTheDialog)
{
    struct Row {
        int button;         // what the user presses in the conflict dialog
        int32_t quality;    // what the rule then leaves
    } rows[] = {{IDC_CONFLICT_FIRST, -4}, {IDC_CONFLICT_SECOND, -1}, {kCloseWindow, -2}};
    for (const Row& r : rows) {
        Opening o([](ModelWorld& w) {
            w.product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1);
            w.status.known = true;
            w.status.logCart[0] = 1;
            w.status.logCart[1] = 0x80;
        });
        INKINFO ink{};
        o.model->SetInkInfo2(ink, kModelPrinter);
        o.model->SetConflictDialog(&o.conflicts);
        o.open();
        o.view.runDialog = [&](int templateId, DialogPage& dialog) {
            EXPECT_EQ(templateId, IDD_CONFLICT);
            MemoryView shown;
            dialog.OnInit(shown);
            EXPECT_EQ(shown.GetText(IDC_CONFLICT_TEXT1), "#381");
            if (r.button == kCloseWindow) {
                dialog.OnCancel(shown);
                return kDialogCancel;
            }
            shown.Click(dialog, r.button);
            return shown.ended;
        };
        o.view.Click(*o.page, IDC_QUALITY_DRAFT);
        EXPECT_EQ(o.model->GetPrintQuality(), r.quality) << r.button;
        EXPECT_EQ(o.view.GetCheck(IDC_QUALITY_BEST), r.quality == -4);
        EXPECT_EQ(o.view.GetCheck(IDC_QUALITY_DRAFT), r.quality == -1);
    }
}

}  // namespace

TEST(PageSetupPage, InkDisplayAndOrderInkByMonitoringAndPort)
{
    struct Row {
        bool known;          // the status cache knows the printer
        uint32_t portType;
        bool orderShown, orderEnabled;
        uint32_t portMode;
    } rows[] = {{true, 0, true, true, 0},   {true, 10, true, false, 10}, {true, 12, true, false, 0},
                {false, 0, false, false, 0}, {false, 10, false, false, 10}};
    for (const Row& r : rows) {
        Opening o([&](ModelWorld& w) { w.status.known = r.known; });
        o.model->SetPortType(r.portType);
        INKINFO ink{};
        o.model->SetInkInfo2(ink, kModelPrinter);
        o.open();
        SCOPED_TRACE("known " + std::to_string(r.known) + " port " + std::to_string(r.portType));
        ASSERT_NE(o.ink, nullptr);
        EXPECT_EQ(o.view.inkDisplay, o.ink);
        EXPECT_EQ(o.view.inkTanks, std::make_pair(IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT));
        EXPECT_EQ(o.ink->printerName, kModelPrinter);
        EXPECT_EQ(o.ink->portMode, r.portMode);
        EXPECT_EQ(o.view.IsVisible(IDC_ORDER_INK), r.orderShown);
        EXPECT_EQ(o.view.IsEnabled(IDC_ORDER_INK), r.orderEnabled);
    }
    Opening o([](ModelWorld& w) { w.status.known = true; });
    o.open();
    o.view.Click(*o.page, IDC_ORDER_INK);
    EXPECT_EQ(o.companions.launched, std::vector<std::string>{std::string(kModelPrinter) + " order"});
}

TEST(PageSetupPage, StoredCompleteToPrintLocksBlackAndWhiteOff)
{
    struct Row {
        int prodLike;
        uint32_t stored;      // "PSW" value, absent when 0xFFFFFFFF
        int32_t modelMode;    // the model's complete-to-print mode
        bool locked;
    } rows[] = {{0, 1, 1, true},  {0, 2, 2, true},  {0, 3, 1, true},           {0, 4, 1, false},
                {0, 1, 0, false}, {1, 1, 1, false}, {0, 0xFFFFFFFF, 1, false}};
    for (const Row& r : rows) {
        Opening o([&](ModelWorld& w) {
            w.product.set(OptionKey::IDO_PMKPRODLIKE, static_cast<uint32_t>(r.prodLike));
            w.product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
            if (r.stored != 0xFFFFFFFF)
                w.registry.put(std::string(kModelPrinter) + "\\PSW", "CompleteToPrint", kRegNumber, &r.stored, 4);
        });
        o.model->SetColorMode(1);
        o.model->SetBlackWhite(1);
        o.model->SetCompleteToPrint(r.modelMode);
        o.open();
        SCOPED_TRACE("prodlike " + std::to_string(r.prodLike) + " stored " + std::to_string(r.stored) +
                     " mode " + std::to_string(r.modelMode));
        if (r.locked) {
            EXPECT_FALSE(o.view.IsEnabled(IDC_BLACK_WHITE));
            EXPECT_FALSE(o.view.GetCheck(IDC_BLACK_WHITE));
            EXPECT_EQ(o.model->GetColorMode(), 2);
            EXPECT_EQ(o.model->GetBlackWhite(), 0);
        } else {
            EXPECT_EQ(o.model->GetColorMode(), 1);
        }
    }
}

TEST(PageSetupPage, LayoutButtonFollowsLayoutPaperAndTwoSided)
{
    struct Row {
        int32_t layout;
        uint32_t flags;
        int32_t duplex;
        bool enabled;
    } rows[] = {{0, 0, 1, true},       {2, 0, 1, false}, {4, 0, 1, false}, {1, 0, 1, true},
                {0, 0x4000, 1, false}, {0, 0, 2, false}, {0, 0, 3, false}, {0, 0x1000, 1, false}};
    for (const Row& r : rows) {
        Opening o;
        o.model->SetLayoutCode(r.layout);
        o.model->SetPaperFlags(r.flags);
        o.model->SetDuplexMode(r.duplex);
        o.page->OnInit(o.view);   // no rule check: the combination stays as set
        SCOPED_TRACE("layout " + std::to_string(r.layout) + " flags " + std::to_string(r.flags) + " duplex " +
                     std::to_string(r.duplex));
        EXPECT_EQ(o.view.IsEnabled(IDC_LAYOUT_OPTIONS), r.enabled);
        EXPECT_EQ(o.view.IsEnabled(IDC_LAYOUT_NOTE), r.enabled);
    }
    int shown = 0;
    Opening o;
    o.showLayoutPage = [&] { ++shown; };
    o.open();
    EXPECT_TRUE(o.view.IsVisible(IDC_LAYOUT_OPTIONS));
    o.view.Click(*o.page, IDC_LAYOUT_OPTIONS);
    EXPECT_EQ(shown, 1);
}

TEST(PageSetupPage, ControlHelpOnlyWhereTheProductOffersIt)
{
    for (uint32_t offered : {0u, 1u}) {
        Opening o([&](ModelWorld& w) {
            w.product.set(OptionKey::IDO_PROP_CONTEXT_HELP, offered);
            w.product.setText(OptionKey::IDO_PROP_HELPFILE, "pmprop.chm");
        });
        o.open();
        o.page->OnHelp(o.view, IDC_MEDIA_TYPE);
        if (offered == 1) {
            ASSERT_EQ(o.view.helpOpened.size(), 1u);
            EXPECT_EQ(o.view.helpOpened[0].file, "pmprop.chm");
            EXPECT_EQ(o.view.helpOpened[0].window, ">whats this");
            EXPECT_EQ(o.view.helpOpened[0].topic, static_cast<uint32_t>(IDC_MEDIA_TYPE));
        } else {
            EXPECT_TRUE(o.view.helpOpened.empty());
        }
    }
}
