// The colour options page and the watermark tab page in the real sheet over
// a real settings model, the watermark edit dialog answered by a stand-in
// user, and the watermark list through the real registry, under Wine on a
// virtual display. Saves color.bmp, watermark.bmp and watermarkedit.bmp.
// windows.h first: its MessageBox macro must rename View's member as it
// renames DialogView's.
#include <windows.h>

#include "CAdvColorOptionsDlg.h"
#include "CAdvColorOptionsPropPage.h"
#include "CWatermarkTabPropPage.h"
#include "CommonLibrary_win.h"
#include "DefaultDevMode.h"
#include "GUIPrinter.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"
#include "ScreenFonts_win.h"
#include "WatermarkRules.h"

#include "Fakes.h"
#include "ModelFakes.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;
using namespace windowtest;
using namespace WatermarkRules;

namespace {

const char kPrinter[] = "Pelmora Color Test";
const std::string kRoot = "Software\\Pelmora\\PrinterSettings\\Pelmora Color Test";

// One opening of the preferences over the real registry, with one page in
// the sheet.
struct Opening {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    DrvRegistry registry;
    RecordingTrace trace;
    RecordingCompanions companions;
    SilentMessages messages;
    LCWMARKINFO defaultMark{};
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    UniqueModule resources{LoadLibraryA((thisDirectory() + "ppres.dll").c_str())};
    UniqueModule bitmaps{LoadLibraryA((thisDirectory() + "ppbmp.dll").c_str())};
    std::unique_ptr<SheetHost> host;
    Controls c;

    Opening()
    {
        deleteTree(kRoot, HKEY_CURRENT_USER);
        product.setText(OptionKey::IDO_CONFIG_DLL, "pmphoto.cfg");
        product.setText(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, "Watermark Count");
        product.setText(OptionKey::IDO_KEY_NAME_WATERMARK, "Watermarks");
        product.set(OptionKey::IDO_ORDERINK_STRING, 1);
        config.paperSizes = {1, 9};
        config.mediaTypes = {1, 3};
        config.defaultSizes = {{0, 1}};
        status.known = true;
        status.printer = kPrinter;
        status.logCart[0] = 1;
        status.logCart[1] = 0;
        for (uint32_t& level : status.inkPercent)
            level = 45;
        WatermarkDefaults defaults;
        defaults.name = "Confidential";
        defaultMark = BuildDefaultWatermark(defaults);
        model = std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, defaultMark});
        LCDEVMODE record = PlainRecord();
        std::strcpy(record.dmPrinterName, kPrinter);
        record.dmImageSharpening = 1;
        record.dmContrastLevel = 1;
        record.dmFlashFillLevel = 1;
        record.dmWatermark = defaultMark;
        record.dmWatermark2 = defaultMark;
        model->LoadFrom(record);
        INKINFO ink{};
        model->SetInkInfo2(ink, kPrinter);
        slots = std::make_unique<PersonalSettings>(product, registry, trace, messages, [](LCDEVMODE&) {});
    }

    PageContext context()
    {
        return PageContext{product, registry, *slots, trace, companions,
                           [] { return std::make_unique<DrvInkDisplay>(); }, '.', nullptr};
    }

    void open(int templateId, const char* title, DialogPage& page)
    {
        ASSERT_TRUE(resources) << "ppres.dll";
        host = std::make_unique<SheetHost>(resources.get(), bitmaps.get());
        host->add(templateId, title, page);
        ASSERT_TRUE(host->open());
        c = host->page(0);
        ASSERT_NE(c.hwnd, nullptr);
    }

    void screenshot(const char* name)
    {
        settle(host->window());
        const std::string shot = thisDirectory() + name;
        EXPECT_TRUE(saveScreenshot(host->window(), shot)) << shot;
    }
};

TEST(ColorOptionsWindow, RadiosAndSlidersThenOkWriteTheModel)
{
    Opening o;
    CAdvColorOptionsPropPage page(o.context());
    page.SetPrinter(o.model.get());
    o.open(IDD_ADV_COLOR_OPTIONS, "Color Options", page);
    const Controls& c = o.c;
    DialogView& view = o.host->sheet().view(0);
    EXPECT_TRUE(c.checked(IDC_CONTRAST_OFF));
    EXPECT_TRUE(c.checked(IDC_SHARPEN_ON));
    EXPECT_FALSE(c.enabled(IDC_CONTRAST_SLIDER));
    EXPECT_EQ(view.GetPicture(IDC_COLOR_PREVIEW), 6968u);
    EXPECT_EQ(c.text(IDC_ORDER_INK), "&Order Supplies...");

    c.click(IDC_CONTRAST_ON);
    EXPECT_TRUE(c.enabled(IDC_CONTRAST_SLIDER));
    EXPECT_TRUE(c.enabled(IDC_CONTRAST_MORE));
    c.slide(IDC_CONTRAST_SLIDER, 2);
    c.click(IDC_FLASH_AUTO);
    EXPECT_FALSE(c.enabled(IDC_FLASH_SLIDER));
    EXPECT_EQ(c.position(IDC_FLASH_SLIDER), 1);
    EXPECT_EQ(view.GetPicture(IDC_COLOR_PREVIEW), 6977u);
    EXPECT_EQ(o.model->GetContrastEnhance(), 0);   // the page keeps its copy until OK
    o.screenshot("color.bmp");

    EXPECT_TRUE(o.host->sheet().Apply());
    EXPECT_EQ(o.model->GetContrastEnhance(), 1);
    EXPECT_EQ(o.model->GetContrastLevel(), 2);
    EXPECT_EQ(o.model->GetFlashFill(), 2);
    EXPECT_EQ(o.model->GetFlashFillLevel(), 1);
    EXPECT_EQ(o.model->GetImageSharpening(), 1);
    EXPECT_TRUE(o.trace.contains("Contrast Enhancement = DMTRUE : More"));

    // The dialog form: soften and defaults, then OK.
    CAdvColorOptionsDlg dialog(o.context(), *o.model);
    Answerer user;
    user.marker = IDC_COLOR_HELP;
    user.presses = {IDC_COLOR_DEFAULTS, IDC_SHARPEN_SOFTEN, IDOK};
    user.arm();
    EXPECT_EQ(view.RunDialog(IDD_ADV_COLOR_OPTIONS_DLG, dialog), IDOK);
    ASSERT_TRUE(user.answered);
    EXPECT_EQ(user.texts.at(0), "Color Options");
    EXPECT_EQ(o.model->GetContrastEnhance(), 0);
    EXPECT_EQ(o.model->GetImageSharpening(), 2);
    EXPECT_TRUE(o.trace.contains("CAdvColorOptionsDlg::OnOK()"));
}

TEST(WatermarkWindow, TheEditDialogAddsAWatermarkThatTheRegistryKeeps)
{
    Opening o;
    ASSERT_EQ(o.model->Features().SetWatermarkInitialInfo(kPrinter), 0);   // one default watermark
    CWatermarkTabPropPage page(o.context(), [&o] { return ScreenTrueTypeFamilies(o.trace); });
    page.SetPrinter(o.model.get());
    o.open(IDD_WATERMARK_TAB, "Watermarks", page);
    const Controls& c = o.c;
    EXPECT_EQ(SendMessageA(c.item(IDC_WM_LEFT_LIST), LB_GETCOUNT, 0, 0), 1);
    EXPECT_FALSE(c.enabled(IDC_WM_EDIT));   // the fixed first watermark
    EXPECT_EQ(c.text(IDC_WM_LEFT_LABEL), "&First page:");

    Answerer user;
    user.marker = IDC_WME_NEW;
    std::vector<std::string> fonts;
    std::string chosenFont;
    std::string pickedFont;
    user.act = [&](const Controls& d) {
        HWND names = d.item(IDC_WME_NAME_EDIT);
        EXPECT_TRUE(IsWindowVisible(names));
        EXPECT_FALSE(IsWindowVisible(d.item(IDC_WME_NAME)));
        // Typed into the combo box's edit field key by key.
        HWND field = FindWindowExA(names, nullptr, "Edit", nullptr);
        for (char ch : std::string("Proof copy"))
            SendMessageA(field, WM_CHAR, static_cast<WPARAM>(ch), 0);
        pump();
        EXPECT_EQ(d.text(IDC_WME_NAME_EDIT), "Proof copy");
        d.type(IDC_WME_TEXT, "PROOF");
        d.choose(IDC_WME_COLOR, 0x0000FF);   // red
        d.choose(IDC_WME_STYLE, 2);          // bold
        d.type(IDC_WME_SIZE, "96");
        d.slide(IDC_WME_SHADE, 70);
        const int count = static_cast<int>(SendMessageA(d.item(IDC_WME_FONT), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char face[LF_FACESIZE + 1] = "";
            SendMessageA(d.item(IDC_WME_FONT), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
            fonts.push_back(face);
        }
        chosenFont = d.text(IDC_WME_FONT);
        // Where the screen lacks Arial (Wine without Microsoft's fonts) the
        // user picks one of the families there are.
        if (chosenFont.empty() && !fonts.empty()) {
            int pick = 0;
            for (int i = 0; i < count; ++i)
                if (fonts[static_cast<size_t>(i)] == "DejaVu Sans")
                    pick = i;
            d.choose(IDC_WME_FONT, pick);
            pickedFont = fonts[static_cast<size_t>(pick)];
        }
        settle(d.hwnd);
        saveScreenshot(d.hwnd, thisDirectory() + "watermarkedit.bmp");
    };
    user.presses = {IDOK};
    user.arm();
    c.click(IDC_WM_ADD);
    ASSERT_TRUE(user.answered) << "the edit dialog was not shown";
    EXPECT_EQ(user.texts.at(0), "Edit Watermark");
    EXPECT_FALSE(fonts.empty()) << "no TrueType family on the screen";
    bool arial = false;
    for (const std::string& f : fonts)
        arial = arial || SameName(f, "Arial");
    if (arial) {
        EXPECT_EQ(chosenFont, "Arial");
    }

    ASSERT_EQ(SendMessageA(c.item(IDC_WM_LEFT_LIST), LB_GETCOUNT, 0, 0), 2);
    c.choose(IDC_WM_LEFT_LIST, 1);
    EXPECT_TRUE(c.enabled(IDC_WM_EDIT));
    EXPECT_TRUE(c.enabled(IDC_WM_DELETE));
    EXPECT_EQ(NameOf(o.model->Features().GetWatermark1()), "Proof copy");
    o.screenshot("watermark.bmp");

    // The main window's OK: the page hands its list over, the store writes it.
    page.Save();
    ASSERT_TRUE(o.model->Features().SetWatermarkReg(1, kPrinter));
    DWORD type = 0;
    const std::string prp = kRoot + "\\PRP";
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, prp, "Watermark Count", type), (std::vector<BYTE>{2, 0, 0, 0}));
    EXPECT_EQ(rawValue(HKEY_CURRENT_USER, prp, "Watermarks", type).size(), 2u * 212u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

    GUIFeatures reread(o.product, o.registry, o.trace, o.defaultMark);
    ASSERT_EQ(reread.SetWatermarkInitialInfo(kPrinter), 0);
    ASSERT_EQ(reread.GetCurWatermarkCount(), 2u);
    LCWMARKINFO marks[2];
    reread.GetCurWatermarkList(marks);
    EXPECT_EQ(std::memcmp(&marks[0], &o.defaultMark, sizeof marks[0]), 0);
    EXPECT_EQ(marks[1].wmIndex, 1u);
    EXPECT_EQ(NameOf(marks[1]), "Proof copy");
    EXPECT_EQ(TextOf(marks[1]), "PROOF");
    EXPECT_EQ(marks[1].wmColor, 0x0000FFu);
    EXPECT_EQ(marks[1].wmFont.lfWeight, 700);
    EXPECT_EQ(marks[1].wmFont.lfHeight, 96 * 20);
    EXPECT_EQ(marks[1].wmShade, 70u);
    EXPECT_EQ(marks[1].wmFont.lfEscapement, 450);
    EXPECT_EQ(std::string(marks[1].wmFont.lfFaceName), pickedFont.empty() ? chosenFont : pickedFont);

    // Deleting it asks first; yes takes it out of the list.
    Answerer confirm;
    confirm.marker = IDYES;
    confirm.textId = 0xFFFF;   // the message box's text
    confirm.presses = {IDYES};
    confirm.arm();
    c.click(IDC_WM_DELETE);
    ASSERT_TRUE(confirm.answered) << "no confirmation";
    EXPECT_EQ(confirm.texts.at(0), "Delete Watermark");
    EXPECT_EQ(SendMessageA(c.item(IDC_WM_LEFT_LIST), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(o.model->Features().GetCurWatermarkCount(), 1u);
}

}  // namespace
