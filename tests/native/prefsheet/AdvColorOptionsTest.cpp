// The colour options page and dialog through the in-memory view over a real
// settings model: the combination codes and their previews, the radio and
// slider rules, SetCurrentData, defaults, and OK and Cancel with their traces.
#include "CAdvColorOptionsDlg.h"
#include "CAdvColorOptionsPropPage.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

namespace {

using namespace ColorOptionsRules;

struct ColorOpening {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    MemoryView view;

    explicit ColorOpening(const ColorOptionValues& stored = {0, 1, 0, 1, 1})
    {
        model = world.make();
        LCDEVMODE record = PlainRecord();
        record.dmContrastEnhance = stored.contrast;
        record.dmContrastLevel = stored.contrastLevel;
        record.dmFlashFill = stored.flashFill;
        record.dmFlashFillLevel = stored.flashFillLevel;
        record.dmImageSharpening = stored.sharpening;
        model->LoadFrom(record);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
    }
    PageContext context()
    {
        return PageContext{world.product, world.registry, *slots, world.trace, companions,
                           [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
    }
    ColorOptionValues modelValues() const
    {
        return {model->GetContrastEnhance(), model->GetContrastLevel(), model->GetFlashFill(),
                model->GetFlashFillLevel(), model->GetImageSharpening()};
    }
};

TEST(AdvColorOptionsRules, CombinationCodesChooseTheirPreview)
{
    struct Row {
        ColorOptionValues values;
        int code;
        uint32_t bitmap;
    } rows[] = {
        {{0, 1, 0, 1, 1}, 0, 6968},    // the defaults
        {{1, 2, 2, 1, 0}, 14, 6976},   // contrast more, flash fill automatic
        {{0, 1, 0, 1, 0}, 0, 6967},
        {{0, 1, 0, 1, 2}, 0, 6969},
        {{0, 1, 1, 0, 0}, 1, 6970},
        {{0, 1, 1, 2, 2}, 3, 6972},
        {{0, 1, 2, 0, 1}, 2, 6971},    // automatic counts as normal whatever the level says
        {{1, 0, 0, 1, 0}, 4, 6973},
        {{1, 1, 0, 1, 1}, 8, 6974},
        {{2, 0, 0, 1, 2}, 8, 6975},    // automatic contrast counts as normal
        {{1, 2, 1, 0, 1}, 13, 6977},
        {{2, 1, 1, 2, 2}, 11, 6978},
        {{1, 0, 1, 1, 7}, 6, 6977},    // an unknown sharpening shows as sharpen
    };
    for (const Row& r : rows) {
        const int code = CombinationCode(r.values);
        EXPECT_EQ(code, r.code) << r.values.contrast << r.values.contrastLevel << r.values.flashFill
                                << r.values.flashFillLevel;
        EXPECT_EQ(PreviewBitmap(code, r.values.sharpening), r.bitmap) << code << " " << r.values.sharpening;
    }
}

TEST(AdvColorOptionsPage, SetCurrentDataShowsTheModel)
{
    struct Row {
        ColorOptionValues stored;
        int contrastRadio, contrastSlider;
        bool contrastSliderOn;
        int flashRadio;
        int sharpenRadio;
        ColorOptionValues shown;
    } rows[] = {
        {{1, 2, 2, 0, 0}, IDC_CONTRAST_ON, 2, true, IDC_FLASH_AUTO, IDC_SHARPEN_OFF, {1, 2, 2, 1, 0}},
        {{1, 0, 1, 2, 2}, IDC_CONTRAST_ON, 0, true, IDC_FLASH_ON, IDC_SHARPEN_SOFTEN, {1, 0, 1, 2, 2}},
        {{2, 0, 0, 2, 1}, IDC_CONTRAST_AUTO, 1, false, IDC_FLASH_OFF, IDC_SHARPEN_ON, {2, 1, 0, 1, 1}},
        {{5, 2, -1, 0, 9}, IDC_CONTRAST_OFF, 1, false, IDC_FLASH_OFF, IDC_SHARPEN_ON, {0, 1, 0, 1, 1}},
    };
    for (const Row& r : rows) {
        ColorOpening o(r.stored);
        CAdvColorOptionsPropPage page(o.context());
        page.SetPrinter(o.model.get());
        page.OnInit(o.view);
        const MemoryView& v = o.view;
        EXPECT_TRUE(v.control(r.contrastRadio).checked) << r.contrastRadio;
        EXPECT_TRUE(v.control(r.flashRadio).checked) << r.flashRadio;
        EXPECT_TRUE(v.control(r.sharpenRadio).checked) << r.sharpenRadio;
        EXPECT_EQ(v.control(IDC_CONTRAST_SLIDER).position, r.contrastSlider);
        EXPECT_EQ(v.control(IDC_CONTRAST_SLIDER).high, 2);
        EXPECT_EQ(v.control(IDC_CONTRAST_SLIDER).enabled, r.contrastSliderOn);
        EXPECT_EQ(v.control(IDC_CONTRAST_LESS).enabled, r.contrastSliderOn);
        EXPECT_EQ(v.control(IDC_CONTRAST_MORE).enabled, r.contrastSliderOn);
        EXPECT_TRUE(page.values() == r.shown);
        EXPECT_EQ(v.control(IDC_COLOR_PREVIEW).picture,
                  PreviewBitmap(CombinationCode(r.shown), r.shown.sharpening));
        EXPECT_TRUE(o.model->GetContrastEnhance() == r.stored.contrast);   // nothing written yet
    }
}

TEST(AdvColorOptionsPage, RadiosAndSlidersEditTheCopyOnly)
{
    ColorOpening o;
    CAdvColorOptionsPropPage page(o.context());
    page.SetPrinter(o.model.get());
    page.OnInit(o.view);
    MemoryView& v = o.view;
    EXPECT_EQ(v.control(IDC_COLOR_PREVIEW).picture, 6968u);

    v.Click(page, IDC_CONTRAST_ON);
    EXPECT_TRUE(v.control(IDC_CONTRAST_SLIDER).enabled);
    v.SetPosition(IDC_CONTRAST_SLIDER, 2);
    page.OnScroll(v, IDC_CONTRAST_SLIDER, 2);
    v.Click(page, IDC_FLASH_AUTO);
    EXPECT_FALSE(v.control(IDC_FLASH_SLIDER).enabled);
    EXPECT_EQ(v.control(IDC_FLASH_SLIDER).position, 1);
    v.Click(page, IDC_SHARPEN_OFF);
    EXPECT_TRUE((page.values() == ColorOptionValues{1, 2, 2, 1, 0}));
    EXPECT_EQ(v.control(IDC_COLOR_PREVIEW).picture, 6976u);
    EXPECT_FALSE(v.control(IDC_SHARPEN_ON).checked);

    // Automatic and off put the slider back to normal and grey it.
    v.Click(page, IDC_CONTRAST_AUTO);
    EXPECT_EQ(v.control(IDC_CONTRAST_SLIDER).position, 1);
    EXPECT_FALSE(v.control(IDC_CONTRAST_MORE).enabled);
    EXPECT_EQ(page.values().contrastLevel, 1);
    // A slider that is greyed does not change the level.
    page.OnScroll(v, IDC_FLASH_SLIDER, 2);
    EXPECT_EQ(page.values().flashFillLevel, 1);

    // Cancel leaves the model's five values as they were.
    page.OnCancel(v);
    EXPECT_TRUE((o.modelValues() == ColorOptionValues{0, 1, 0, 1, 1}));
    EXPECT_EQ(o.world.trace.lines.back(), "CAdvColorOptionsPropPage::PageCancel()");
}

TEST(AdvColorOptionsPage, PageOkWritesTheFiveValuesAndTracesThem)
{
    struct Row {
        ColorOptionValues values;
        const char* contrast;
        const char* flash;
        const char* sharpening;
    } rows[] = {
        {{1, 0, 1, 2, 1}, "DMTRUE : Less", "DMTRUE : More", "DMSHARPEN"},
        {{1, 1, 2, 1, 2}, "DMTRUE : Normal", "DMAUTO", "DMSOFTEN"},
        {{2, 1, 0, 1, 0}, "DMAUTO", "DMFALSE", "DMFALSE"},
    };
    for (const Row& r : rows) {
        ColorOpening o;
        CAdvColorOptionsPropPage page(o.context());
        page.SetPrinter(o.model.get());
        page.OnInit(o.view);
        MemoryView& v = o.view;
        const int contrastIds[] = {IDC_CONTRAST_OFF, IDC_CONTRAST_ON, IDC_CONTRAST_AUTO};
        const int flashIds[] = {IDC_FLASH_OFF, IDC_FLASH_ON, IDC_FLASH_AUTO};
        const int sharpenIds[] = {IDC_SHARPEN_OFF, IDC_SHARPEN_ON, IDC_SHARPEN_SOFTEN};
        v.Click(page, contrastIds[r.values.contrast]);
        v.SetPosition(IDC_CONTRAST_SLIDER, r.values.contrastLevel);
        page.OnScroll(v, IDC_CONTRAST_SLIDER, r.values.contrastLevel);
        v.Click(page, flashIds[r.values.flashFill]);
        v.SetPosition(IDC_FLASH_SLIDER, r.values.flashFillLevel);
        page.OnScroll(v, IDC_FLASH_SLIDER, r.values.flashFillLevel);
        v.Click(page, sharpenIds[r.values.sharpening]);
        o.world.trace.lines.clear();
        EXPECT_TRUE(page.OnOK(v));
        EXPECT_TRUE(o.modelValues() == r.values);
        const std::vector<std::string> expected = {
            "CAdvColorOptionsPropPage::PageOK()", std::string("Contrast Enhancement = ") + r.contrast,
            std::string("Flash Fill           = ") + r.flash, std::string("Image Sharpening     = ") + r.sharpening};
        EXPECT_EQ(o.world.trace.lines, expected);
    }
}

TEST(AdvColorOptionsPage, DefaultsAndTheInkControls)
{
    ColorOpening o({1, 2, 1, 0, 2});
    o.world.product.set(OptionKey::IDO_ORDERINK_STRING, 1);
    o.model->SetPortType(12);
    CAdvColorOptionsPropPage page(o.context());
    page.SetPrinter(o.model.get());
    o.view.strings[IDS_ORDER_SUPPLIES] = "Order Supplies";
    page.OnInit(o.view);
    EXPECT_EQ(o.view.inkTanks, std::make_pair(IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT));
    EXPECT_EQ(o.view.control(IDC_ORDER_INK).text, "Order Supplies");
    EXPECT_FALSE(o.view.control(IDC_ORDER_INK).enabled);

    o.view.Click(page, IDC_COLOR_DEFAULTS);
    EXPECT_TRUE(o.world.trace.contains("CAdvColorOptionsPropPage::OnDefaultsBtn()"));
    EXPECT_TRUE((page.values() == ColorOptionValues{0, 1, 0, 1, 1}));
    EXPECT_TRUE(o.view.control(IDC_CONTRAST_OFF).checked);
    EXPECT_FALSE(o.view.control(IDC_CONTRAST_ON).checked);
    EXPECT_TRUE(o.view.control(IDC_SHARPEN_ON).checked);
    EXPECT_EQ(o.view.control(IDC_COLOR_PREVIEW).picture, 6968u);
}

TEST(AdvColorOptionsDialog, OkWritesCancelKeepsAndHelpOpensTheFile)
{
    {
        ColorOpening o({0, 1, 0, 1, 1});
        o.world.product.setText(OptionKey::IDO_PROP_HELPFILE, "pmhelp.chm");
        CAdvColorOptionsDlg dialog(o.context(), *o.model);
        dialog.OnInit(o.view);
        EXPECT_TRUE(o.world.trace.contains("CAdvColorOptionsDlg::SetCurrentData()"));
        o.view.Click(dialog, IDC_FLASH_ON);
        o.view.Click(dialog, IDC_COLOR_HELP);
        ASSERT_EQ(o.view.helpOpened.size(), 1u);
        EXPECT_EQ(o.view.helpOpened[0].file, "pmhelp.chm");
        EXPECT_TRUE(dialog.OnOK(o.view));
        EXPECT_TRUE(o.world.trace.contains("CAdvColorOptionsDlg::OnOK()"));
        EXPECT_TRUE((o.modelValues() == ColorOptionValues{0, 1, 1, 1, 1}));
    }
    {
        ColorOpening o({2, 1, 2, 1, 2});
        CAdvColorOptionsDlg dialog(o.context(), *o.model);
        dialog.OnInit(o.view);
        o.view.Click(dialog, IDC_COLOR_DEFAULTS);
        EXPECT_TRUE(o.world.trace.contains("CAdvColorOptionsDlg::OnDefaultsBtn()"));
        dialog.OnCancel(o.view);
        EXPECT_TRUE(o.world.trace.contains("CAdvColorOptionsDlg::OnCancel()"));
        EXPECT_TRUE((o.modelValues() == ColorOptionValues{2, 1, 2, 1, 2}));
    }
}

}  // namespace
