// The quality pages of the alternate main window driven through the
// in-memory view over a real settings model: media at creation, ports,
// quality buttons, black and white by cartridges and complete-to-print,
// photo media and sharpening, each as a table.
#include "MemoryView.h"
#include "ModelFakes.h"
#include "QualityPropPage.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace PageSetupRules;

const std::string kPswKey = std::string(kModelPrinter) + "\\PSW";
constexpr char kPygValue[] = "PYGSupport";

// One opening of either page.
struct Opening {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    LCDEVMODE record = PlainRecord();
    uint32_t portType = 0;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<QualityPropPage> page;
    MemoryView view;

    explicit Opening(bool mediaSense = true, const std::function<void(Opening&)>& configure = nullptr)
    {
        world.config.mediaTypes = {1, 2, 3, 258, 261, 262, 265, 266, 267, 268, 270, 271};
        world.config.paperSizes = {1, 9, 60};
        world.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, mediaSense ? 1 : 0);
        world.product.set(OptionKey::IDO_IMAGE_SHARPENING, 1).set(OptionKey::IDO_AUTOPAPERTYPE_LINK, 1);
        world.product.setText(OptionKey::IDO_PROP_HELPFILE, "pmoffice.hlp");
        world.product.setText(OptionKey::IDO_HELPFILEMAINWND, "Main");
        world.product.setText(OptionKey::IDO_HELPFILEHOWTOWND, "HowTo");
        world.product.setText(OptionKey::IDO_KEY_NAME_PYGSUPPORT, kPygValue);
        world.status.known = true;
        world.status.logCart[0] = 1;
        world.status.logCart[1] = 2;
        if (configure)
            configure(*this);
        model = world.make();
        model->LoadFrom(record);
        INKINFO ink{};
        model->SetInkInfo2(ink, kModelPrinter);
        model->SetPortType(portType);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
        PageContext context{world.product, world.registry, *slots, world.trace, companions,
                            [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
        if (mediaSense)
            page = std::make_unique<QualityPropPage>(context);
        else
            page = std::make_unique<QualityPropPageNoMediaSense>(context);
        page->SetPrinter(model.get());
        page->OnInit(view);
        model->SetConflictCheck(1);
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
    void storeEolBlack(uint32_t value) { world.registry.put(kPswKey, kPygValue, kRegNumber, &value, sizeof value); }
};

TEST(QualityPropPage, MediaAtCreationChoosesTheRadioButtonAndTheListEntry)
{
    struct Row {
        uint32_t media;
        bool region, maker;
        bool automatic;
        const char* entry;   // the selected entry's text, or "@n" for position n
    } rows[] = {
        {257, false, false, true, "@0"},   {1, false, false, false, "#108"},  {2, false, false, false, "#311"},
        {3, false, false, false, "#109"},  {258, false, false, false, "#312"}, {261, false, false, false, "#113"},
        {262, false, false, false, "#319"}, {265, true, false, false, "@3"},  {266, true, false, false, "@4"},
        {267, true, true, false, "@5"},    {265, false, true, false, "#542"}, {265, false, false, false, "@0"},
        {266, false, false, false, "#543"}, {267, false, false, false, "#562"}, {268, false, false, false, "@6"},
        {270, false, false, false, "#700"},
    };
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.record.dmMediaType = r.media;
            s.world.product.set(OptionKey::IDO_REGION_PHOTO_MEDIA, r.region ? 1 : 0);
            s.world.product.set(OptionKey::IDO_PELMORA_PHOTO_MEDIA, r.maker ? 1 : 0);
        });
        const std::string what = "media " + std::to_string(r.media) + (r.region ? " region" : "") +
                                 (r.maker ? " maker" : "");
        EXPECT_EQ(o.view.GetCheck(IDC_QP_MEDIA_AUTO), r.automatic) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_MEDIA_MANUAL), !r.automatic) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_MEDIA_LIST), !r.automatic) << what;
        if (r.entry[0] == '@') {
            EXPECT_EQ(o.view.GetListSelection(IDC_QP_MEDIA_LIST), r.entry[1] - '0') << what;
        } else {
            EXPECT_EQ(o.view.SelectedText(IDC_QP_MEDIA_LIST), r.entry) << what;
        }
        EXPECT_EQ(o.model->GetMediaType(), r.media) << what;   // showing changes nothing
    }
    // The list has no automatic entry: that is the radio button's.
    Opening o;
    for (int i = 0; i < o.view.GetListCount(IDC_QP_MEDIA_LIST); ++i)
        EXPECT_NE(o.view.GetListData(IDC_QP_MEDIA_LIST, i), 257);
}

TEST(QualityPropPage, WithoutMediaSensingTheListAlwaysApplies)
{
    Opening o(false, [](Opening& s) {
        s.record.dmMediaType = 257;
        s.record.dmAutoMedia = 1;
        s.record.dmPrintQuality = -99;
    });
    EXPECT_EQ(o.model->GetPrintQuality(), -2);   // no automatic quality without sensing
    EXPECT_TRUE(o.view.GetCheck(IDC_QP_NORMAL));
    EXPECT_FALSE(o.view.IsVisible(IDC_QP_MEDIA_AUTO));
    EXPECT_FALSE(o.view.IsVisible(IDC_QP_MEDIA_MANUAL));
    EXPECT_FALSE(o.view.IsVisible(IDC_QP_AUTO));
    EXPECT_FALSE(o.view.IsVisible(IDC_QP_AUTO_PICTURE));
    EXPECT_TRUE(o.view.IsEnabled(IDC_QP_MEDIA_LIST));
    EXPECT_EQ(o.model->GetMediaType(), 1u);
    EXPECT_EQ(o.model->GetAutoMedia(), 0);
    EXPECT_EQ(o.view.SelectedText(IDC_QP_MEDIA_LIST), "#108");
    o.selectData(IDC_QP_MEDIA_LIST, 3);
    EXPECT_EQ(o.model->GetMediaType(), 3u);
}

TEST(QualityPropPage, PortsWithoutTwoWayLockTheAutomaticChoicesAndPortTwelveTheLinks)
{
    struct Row {
        uint32_t port;
        bool locked;
        bool linksGreyed;
    } rows[] = {{0, false, false}, {5, true, false}, {6, true, false}, {7, true, false},
                {10, true, false}, {12, false, true}};
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.portType = r.port;
            s.record.dmMediaType = 257;
            s.record.dmAutoMedia = 1;
            s.record.dmPrintQuality = -99;
        });
        const std::string what = "port " + std::to_string(r.port);
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_MEDIA_AUTO), !r.locked) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_MEDIA_AUTO), !r.locked) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_MEDIA_MANUAL), r.locked) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_AUTO), !r.locked) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_AUTO), !r.locked) << what;
        EXPECT_EQ(o.model->GetMediaType(), r.locked ? 1u : 257u) << what;
        EXPECT_EQ(o.model->GetAutoMedia(), r.locked ? 0 : 1) << what;
        EXPECT_EQ(o.model->GetPrintQuality(), r.locked ? -2 : -99) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_PAPER_TYPE_LINK), !r.locked && !r.linksGreyed) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_STATUS_LINK), !r.linksGreyed) << what;
        const uint32_t paperColour = r.locked ? 0xC0C0C0u : r.linksGreyed ? 0x808080u : 0xFFFFFFu;
        EXPECT_EQ(o.view.control(IDC_QP_PAPER_TYPE_LINK).textColour, paperColour) << what;
        EXPECT_EQ(o.view.control(IDC_QP_STATUS_LINK).textColour, r.linksGreyed ? 0x808080u : kTextBlack) << what;

        // The automatic choice does nothing where the port cannot report.
        o.view.Click(*o.page, IDC_QP_MEDIA_AUTO);
        EXPECT_EQ(o.model->GetMediaType(), r.locked ? 1u : 257u) << what;
    }
    // A photo cartridge on such a port greys black and white.
    Opening photo(true, [](Opening& s) {
        s.portType = 5;
        s.world.status.logCart[0] = 0x80;
    });
    EXPECT_FALSE(photo.view.IsEnabled(IDC_QP_BLACK_WHITE));
    Opening usb(true, [](Opening& s) { s.world.status.logCart[0] = 0x80; });
    EXPECT_TRUE(usb.view.IsEnabled(IDC_QP_BLACK_WHITE));
}

TEST(QualityPropPage, QualityButtonsSetTheQualityOnBothPages)
{
    struct Row {
        bool mediaSense;
        bool bestOffered;
        bool photoDpi;
        int click;
        int32_t quality;
        int checked;
    } rows[] = {
        {true, true, false, IDC_QP_AUTO, -99, IDC_QP_AUTO},
        {true, true, false, IDC_QP_AUTO_PICTURE, -99, IDC_QP_AUTO},
        {true, true, false, IDC_QP_DRAFT, -1, IDC_QP_DRAFT},
        {true, true, false, IDC_QP_NORMAL_PICTURE, -2, IDC_QP_NORMAL},
        {true, true, false, IDC_QP_BEST, -4, IDC_QP_BEST},
        {true, true, true, IDC_QP_BEST, -3, IDC_QP_BEST},   // the photo-resolution list stands at maximum dpi
        {true, false, false, IDC_QP_PHOTO_PICTURE, -4, IDC_QP_PHOTO},
        {false, true, true, IDC_QP_DRAFT_PICTURE, -1, IDC_QP_DRAFT},
        {false, true, true, IDC_QP_NORMAL, -2, IDC_QP_NORMAL},
        {false, true, true, IDC_QP_BEST_PICTURE, -4, IDC_QP_BEST},   // no photo-resolution list here
        {false, false, false, IDC_QP_PHOTO, -4, IDC_QP_PHOTO},
    };
    for (const Row& r : rows) {
        Opening o(r.mediaSense, [&](Opening& s) {
            s.record.dmPrintQuality = -1;
            s.world.product.set(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, r.bestOffered ? 1 : 0);
            s.world.product.set(OptionKey::IDO_SUPPORT_PHOTODPI, r.photoDpi ? 1 : 0);
        });
        const std::string what = std::string(r.mediaSense ? "media sense" : "no media sense") + ", click " +
                                 std::to_string(r.click);
        if (r.photoDpi && r.mediaSense)
            o.view.SetListSelection(IDC_QP_PHOTO_DPI, 1);
        o.view.Click(*o.page, r.click);
        EXPECT_EQ(o.model->GetPrintQuality(), r.quality) << what;
        EXPECT_EQ(o.model->GetRememberedQuality(), r.quality) << what;
        for (int radio : {IDC_QP_AUTO, IDC_QP_DRAFT, IDC_QP_NORMAL, IDC_QP_BEST, IDC_QP_PHOTO})
            EXPECT_EQ(o.view.GetCheck(radio), radio == r.checked) << what << ", radio " << radio;
        EXPECT_EQ(o.view.GetCheck(r.checked + (IDC_QP_AUTO_PICTURE - IDC_QP_AUTO)), true) << what;
        EXPECT_EQ(o.view.IsVisible(IDC_QP_BEST), r.bestOffered) << what;
        EXPECT_EQ(o.view.IsVisible(IDC_QP_PHOTO), !r.bestOffered) << what;
        EXPECT_EQ(o.view.IsVisible(IDC_QP_PHOTO_DPI), r.mediaSense && r.photoDpi) << what;
    }
}

TEST(QualityPropPage, BestLabelFollowsTheQualityOptions)
{
    struct Row {
        uint32_t best, photo;
        const char* label;
    } rows[] = {{0, 1, "#11"}, {0, 0, "#11"}, {1, 1, "#516"}, {1, 0, "#338"}};
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.world.product.set(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, r.best);
            s.world.product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, r.photo);
        });
        EXPECT_EQ(o.view.GetText(IDC_QP_BEST), r.label) << r.best << "/" << r.photo;
        EXPECT_EQ(o.view.IsVisible(IDC_QP_BEST_PICTURE), r.best != 0);
    }
}

TEST(QualityPropPage, BlackAndWhiteAvailabilityByCartridgeState)
{
    struct Row {
        uint32_t left, right;
        bool pyg;
        uint32_t eol;   // the status program's EOL_BLACK word, bit 0
        CartridgeState state;
        bool enabled;
        bool eolTraced;
    } rows[] = {
        {1, 2, false, 1, ColorAndBlack, true, false},
        {1, 2, true, 0, ColorAndBlack, true, false},
        {1, 2, true, 2, ColorAndBlack, true, false},
        {1, 2, true, 1, ColorAndBlack, false, true},
        {1, 2, true, 3, ColorAndBlack, false, true},
        {32, 2, true, 1, MissingAndBlack, true, false},
        {1, 0x80, true, 1, ColorAndPhoto, false, false},
        {32, 32, true, 1, MissingAndMissing, false, false},
        {1, 32, true, 1, ColorAndMissing, false, false},
    };
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.world.status.logCart[0] = r.left;
            s.world.status.logCart[1] = r.right;
            s.world.product.set(OptionKey::IDO_SUPPORT_PYGCARTRIDGES, r.pyg ? 1 : 0);
            s.storeEolBlack(r.eol);
            s.record.dmColorMode = 1;   // black and white on
            s.record.dmBlackWhite = 1;
        });
        const std::string what = std::to_string(r.left) + "/" + std::to_string(r.right) + " eol " +
                                 std::to_string(r.eol) + (r.pyg ? " pyg" : "");
        EXPECT_EQ(o.page->cartridgeState(), r.state) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_BLACK_WHITE), r.enabled) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_BLACK_WHITE_PICTURE), r.enabled) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_BLACK_WHITE), r.enabled) << what;
        EXPECT_EQ(o.model->GetColorMode(), r.enabled ? 1 : 2) << what;
        EXPECT_EQ(o.model->GetBlackWhite(), r.enabled ? 1 : 0) << what;
        EXPECT_EQ(o.world.trace.contains("PYGSuport is set to EOL_BLACK. Disable Print in Black and White"),
                  r.eolTraced)
            << what;
        EXPECT_TRUE(o.world.trace.contains(std::string("QualityPropPage::GetCartridgeState() ") +
                                           CartridgeStateName(r.state)))
            << what;
        const bool repainted = r.state == MissingAndMissing || r.state == ColorAndMissing;
        EXPECT_EQ(o.view.control(0).redraws > 0, repainted) << what;
    }
    // A missing value reads as 0: black and white stays available.
    Opening missing(true, [](Opening& s) { s.world.product.set(OptionKey::IDO_SUPPORT_PYGCARTRIDGES, 1); });
    EXPECT_TRUE(missing.view.IsEnabled(IDC_QP_BLACK_WHITE));
}

TEST(QualityPropPage, SwitchingBlackAndWhiteWritesCompleteToPrint)
{
    struct Row {
        bool completeAPrint;
        int32_t startMode;
        int32_t afterOn, afterOff;
    } rows[] = {{true, 0, 4, 0}, {false, 0, 0, 0}, {false, 2, 2, 2}};
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.world.product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, r.completeAPrint ? 1 : 0);
        });
        o.model->SetCompleteToPrint(r.startMode);
        o.page->Refresh(o.view);
        const std::string what = std::string(r.completeAPrint ? "complete-a-print" : "without") + " from " +
                                 std::to_string(r.startMode);
        ASSERT_TRUE(o.view.IsEnabled(IDC_QP_BLACK_WHITE)) << what;
        o.view.Click(*o.page, IDC_QP_BLACK_WHITE);
        EXPECT_EQ(o.model->GetColorMode(), 1) << what;
        EXPECT_EQ(o.model->GetBlackWhite(), 1) << what;
        EXPECT_TRUE(o.view.GetCheck(IDC_QP_BLACK_WHITE)) << what;
        EXPECT_EQ(o.model->GetCompleteToPrint(), r.afterOn) << what;
        EXPECT_TRUE(o.view.IsEnabled(IDC_QP_BLACK_WHITE)) << what;   // mode 4 does not lock the box
        o.view.Click(*o.page, IDC_QP_BLACK_WHITE_PICTURE);
        EXPECT_EQ(o.model->GetColorMode(), 2) << what;
        EXPECT_EQ(o.model->GetBlackWhite(), 0) << what;
        EXPECT_FALSE(o.view.GetCheck(IDC_QP_BLACK_WHITE)) << what;
        EXPECT_EQ(o.model->GetCompleteToPrint(), r.afterOff) << what;
    }
    // Complete-to-print modes 1 and 2 own the choice: the box greys and keeps its check.
    for (int32_t mode : {1, 2, 3}) {
        Opening o(true, [](Opening& s) {
            s.world.product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
            s.record.dmColorMode = 1;
        });
        o.model->SetCompleteToPrint(mode);
        o.page->Refresh(o.view);
        EXPECT_FALSE(o.view.IsEnabled(IDC_QP_BLACK_WHITE)) << mode;
        EXPECT_TRUE(o.view.GetCheck(IDC_QP_BLACK_WHITE)) << mode;
        o.view.Click(*o.page, IDC_QP_BLACK_WHITE);
        EXPECT_EQ(o.model->GetColorMode(), 1) << mode;
    }
}

TEST(QualityPropPage, PhotoMediaTurnsBlackAndWhiteOffWhereTheProductSays)
{
    struct Row {
        uint32_t media;
        bool unsupported;
        bool available;
    } rows[] = {{3, true, false}, {265, true, false}, {266, true, false}, {267, true, false},
                {3, false, true}, {1, true, true},   {261, true, true},   {258, true, true}};
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.world.product.set(OptionKey::IDO_UNSUPPORT_PRINTPHOTOBLACKWHITE, r.unsupported ? 1 : 0);
            s.world.product.set(OptionKey::IDO_PELMORA_PHOTO_MEDIA, 1);
            s.record.dmColorMode = 1;
            s.record.dmMediaType = 1;
            s.record.dmPrintQuality = -2;
        });
        const std::string what = "media " + std::to_string(r.media) + (r.unsupported ? " unsupported" : "");
        o.selectData(IDC_QP_MEDIA_LIST, static_cast<int32_t>(r.media));
        EXPECT_EQ(o.model->GetMediaType(), r.media) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_BLACK_WHITE), r.available) << what;
        EXPECT_EQ(o.view.IsEnabled(IDC_QP_BLACK_WHITE_PICTURE), r.available) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_BLACK_WHITE), r.available) << what;
        EXPECT_EQ(o.model->GetColorMode(), r.available ? 1 : 2) << what;
        EXPECT_EQ(o.model->GetBlackWhite(), r.available ? 1 : 0) << what;
    }
}

TEST(QualityPropPage, SharpeningTogglesTheImageBufferOrThePlainFlag)
{
    struct Row {
        bool offered;
        bool imageBuffer;
        int32_t image, plain;   // in the record
        bool checked;
        int32_t imageAfter, plainAfter;   // after one click
    } rows[] = {
        {true, true, 1, 0, true, 0, 0},   {true, true, 0, 1, false, 1, 1},
        {true, false, 1, 0, false, 1, 1}, {true, false, 0, 1, true, 0, 0},
        {false, false, 0, 1, true, 0, 1},   // hidden: the click changes nothing
    };
    for (const Row& r : rows) {
        Opening o(true, [&](Opening& s) {
            s.world.product.set(OptionKey::IDO_IMAGE_SHARPENING, r.offered ? 1 : 0);
            s.world.product.set(OptionKey::IDO_IMAGE_BUFFER, r.imageBuffer ? 1 : 0);
        });
        o.model->SetImageSharpening(r.image);
        o.model->SetPlainSharpening(r.plain);
        o.page->Refresh(o.view);
        const std::string what = std::string(r.imageBuffer ? "image buffer" : "plain") + " " +
                                 std::to_string(r.image) + "/" + std::to_string(r.plain);
        EXPECT_EQ(o.view.IsVisible(IDC_QP_SHARPENING), r.offered) << what;
        EXPECT_EQ(o.view.IsVisible(IDC_QP_SHARPENING_PICTURE), r.offered) << what;
        EXPECT_EQ(o.view.GetCheck(IDC_QP_SHARPENING), r.checked) << what;
        o.view.Click(*o.page, r.offered ? IDC_QP_SHARPENING_PICTURE : IDC_QP_SHARPENING);
        EXPECT_EQ(o.model->GetImageSharpening(), r.imageAfter) << what;
        EXPECT_EQ(o.model->GetPlainSharpening(), r.plainAfter) << what;
        if (r.offered) {
            EXPECT_EQ(o.view.GetCheck(IDC_QP_SHARPENING), !r.checked) << what;
        }
    }
}

TEST(QualityPropPage, MediaRadioButtonsAndTheList)
{
    Opening o(true, [](Opening& s) {
        s.record.dmMediaType = 257;
        s.record.dmMediaType2 = 257;
        s.record.dmAutoMedia = 1;
    });
    o.view.Click(*o.page, IDC_QP_MEDIA_MANUAL);
    EXPECT_EQ(o.model->GetMediaType(), 1u);
    EXPECT_EQ(o.model->GetMediaType2(), 1u);   // recorded for the paper source, as the page setup page does
    EXPECT_EQ(o.model->GetAutoMedia(), 0);
    EXPECT_TRUE(o.view.IsEnabled(IDC_QP_MEDIA_LIST));
    EXPECT_TRUE(o.view.GetCheck(IDC_QP_MEDIA_MANUAL));

    o.selectData(IDC_QP_MEDIA_LIST, 261);
    EXPECT_EQ(o.model->GetMediaType(), 261u);
    EXPECT_EQ(o.view.SelectedText(IDC_QP_MEDIA_LIST), "#113");

    o.model->SetFeatureWord14C(1);
    o.view.Click(*o.page, IDC_QP_MEDIA_AUTO);
    EXPECT_EQ(o.model->GetMediaType(), 257u);
    EXPECT_EQ(o.model->GetFeatureWord14C(), 0);
    EXPECT_EQ(o.model->GetAutoMedia(), 1);
    EXPECT_EQ(o.model->GetAutoMediaValue1(), 1);
    EXPECT_EQ(o.model->GetAutoMediaValue2(), 1);
    EXPECT_FALSE(o.view.IsEnabled(IDC_QP_MEDIA_LIST));
    EXPECT_EQ(o.view.GetListSelection(IDC_QP_MEDIA_LIST), 0);

    // Special premium paper ends a booklet's two-sided printing and its layout.
    o.view.Click(*o.page, IDC_QP_MEDIA_MANUAL);
    o.model->SetLayoutCode(2);
    o.model->SetDuplexMode(2);
    o.selectData(IDC_QP_MEDIA_LIST, 258);
    EXPECT_EQ(o.model->GetMediaType(), 258u);
    EXPECT_EQ(o.model->GetLayoutCode(), 0);
    EXPECT_EQ(o.model->GetDuplexMode(), 1);
}

TEST(QualityPropPage, CopiesLinksAndHelp)
{
    Opening o;
    o.view.Type(*o.page, IDC_QP_COPIES, "3");
    EXPECT_EQ(o.model->GetCopies(), 3);
    EXPECT_TRUE(o.view.IsEnabled(IDC_QP_COLLATE));
    o.view.Type(*o.page, IDC_QP_COPIES, "");
    EXPECT_EQ(o.model->GetCopies(), 3);
    o.view.Type(*o.page, IDC_QP_COPIES, "0");
    EXPECT_EQ(o.view.GetText(IDC_QP_COPIES), "1");
    EXPECT_EQ(o.model->GetCopies(), 1);
    EXPECT_FALSE(o.view.IsEnabled(IDC_QP_COLLATE));
    EXPECT_EQ(o.view.GetPicture(IDC_QP_COPIES_PICTURE), 6724u);
    o.view.Click(*o.page, IDC_QP_PAGE_ORDER);
    EXPECT_EQ(o.model->GetPageOrder(), 2);
    EXPECT_EQ(o.model->GetSavedPageOrder(), 2);
    EXPECT_EQ(o.view.GetPicture(IDC_QP_COPIES_PICTURE), 6723u);

    o.view.Click(*o.page, IDC_QP_STATUS_LINK);
    EXPECT_EQ(o.companions.launched, std::vector<std::string>{std::string(kModelPrinter) + " 100"});
    o.view.Click(*o.page, IDC_QP_HELP);
    o.view.Click(*o.page, IDC_QP_PAPER_TYPE_LINK);
    ASSERT_EQ(o.view.helpOpened.size(), 2u);
    EXPECT_EQ(o.view.helpOpened[0].file, "pmoffice.hlp");
    EXPECT_EQ(o.view.helpOpened[0].window, ">Main");
    EXPECT_EQ(o.view.helpOpened[0].topic, static_cast<uint32_t>(IDD_QUALITY));
    EXPECT_EQ(o.view.helpOpened[1].window, ">HowTo");
    EXPECT_EQ(o.view.GetText(IDC_QP_PAPER_TYPE_LINK), "#495");
    EXPECT_EQ(o.view.GetText(IDC_QP_STATUS_LINK), "#496");
    EXPECT_EQ(o.view.GetPicture(IDC_QP_PAPER_TYPE_LINK), 5379u);
    EXPECT_EQ(o.view.GetPicture(IDC_QP_BLACK_WHITE_PICTURE), 5040u);
    EXPECT_EQ(o.view.GetPicture(IDC_QP_SHARPENING_PICTURE), 5428u);

    Opening noMedia(false);
    noMedia.view.Click(*noMedia.page, IDC_QP_HELP);
    ASSERT_EQ(noMedia.view.helpOpened.size(), 1u);
    EXPECT_EQ(noMedia.view.helpOpened[0].topic, static_cast<uint32_t>(IDD_QUALITY_NO_MEDIA_SENSE));

    // The paper-type link shows only where the product has one and senses media.
    struct Row {
        uint32_t link, autoQuality;
        bool shown;
    } rows[] = {{1, 1, true}, {0, 1, false}, {1, 2, false}};
    for (const Row& r : rows) {
        Opening p(true, [&](Opening& s) {
            s.world.product.set(OptionKey::IDO_AUTOPAPERTYPE_LINK, r.link);
            s.world.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, r.autoQuality);
        });
        EXPECT_EQ(p.view.IsVisible(IDC_QP_PAPER_TYPE_LINK), r.shown) << r.link << "/" << r.autoQuality;
        EXPECT_TRUE(p.view.IsVisible(IDC_QP_STATUS_LINK));
    }
    // Ink style 3 has no ink-style picture.
    Opening style3(true, [](Opening& s) { s.world.product.set(OptionKey::IDO_INKSTYLE, 3); });
    EXPECT_FALSE(style3.view.IsVisible(IDC_QP_BLACK_WHITE_PICTURE));
}

}  // namespace
