// The conflict dialog and the custom paper size dialog through the in-memory
// view: what they show, what each answer returns, and the size arithmetic
// with its worked examples.
#include "ConflictMessageDlg.h"
#include "CustomPaperSizeDlg.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCloseWindow = -2;   // the window closed without a button of its own

using namespace CustomSize;

TEST(ConflictDialog, ShowsTitleHeadingAndOnlyTheGivenTexts)
{
    for (size_t count : {0u, 2u, 6u}) {
        ConflictMessage message{ConflictRule::DraftPhoto, IDS_CONFLICT_TITLE, IDS_CONFLICT_HEADING, {}, count == 2};
        for (size_t i = 0; i < count; ++i)
            message.texts.push_back(static_cast<uint32_t>(900 + i));
        ConflictMessageDlg dialog(message);
        MemoryView view;
        dialog.OnInit(view);
        EXPECT_EQ(view.title, "#6845");
        EXPECT_EQ(view.GetText(IDC_CONFLICT_HEADING), "#6844");
        const int texts[] = {IDC_CONFLICT_TEXT1, IDC_CONFLICT_TEXT2, IDC_CONFLICT_TEXT3,
                             IDC_CONFLICT_TEXT4, IDC_CONFLICT_TEXT5, IDC_CONFLICT_TEXT6};
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(view.IsVisible(texts[i]), i < count) << count << " texts, control " << i;
            EXPECT_EQ(view.GetText(texts[i]), i < count ? "#" + std::to_string(900 + i) : "");
        }
        EXPECT_EQ(view.IsVisible(IDC_CONFLICT_EXTRA), count == 2);
        EXPECT_EQ(view.control(IDC_CONFLICT_FIRST).movedX, count == 2 ? 0 : 36);
        EXPECT_EQ(view.control(IDC_CONFLICT_SECOND).movedX, count == 2 ? 0 : 36);
    }
}

TEST(ConflictDialog, EachWayOfClosingGivesItsAnswer)
{
    struct Row {
        bool extra;
        int action;      // a button, or kCloseWindow for closing the window
        int answer;
        int ended;       // what the window's result is (0: still open)
    } rows[] = {
        {false, IDC_CONFLICT_FIRST, kConflictAnswerFirst, kDialogOk},
        {false, IDC_CONFLICT_SECOND, kConflictAnswerSecond, kDialogOk},
        {true, IDC_CONFLICT_EXTRA, kConflictAnswerNeither, kDialogOk},
        {false, IDC_CONFLICT_EXTRA, kConflictAnswerNeither, 0},
        {true, kCloseWindow, kConflictAnswerNeither, kDialogCancel},
    };
    for (const Row& r : rows) {
        const ConflictMessage message{ConflictRule::DraftPhoto, IDS_CONFLICT_TITLE, IDS_CONFLICT_HEADING, {381},
                                      r.extra};
        MemoryView owner;
        owner.runDialog = [&](int templateId, DialogPage& page) {
            EXPECT_EQ(templateId, IDD_CONFLICT);
            MemoryView shown;
            page.OnInit(shown);
            if (r.action == kCloseWindow) {
                page.OnCancel(shown);
                return kDialogCancel;   // kCloseWindow is 2: the runner must not pass it on
            }
            shown.Click(page, r.action);
            EXPECT_EQ(shown.ended, r.ended);
            return shown.ended == 0 ? kDialogCancel : shown.ended;
        };
        ConflictDialogRunner runner(owner);
        EXPECT_EQ(runner.Run(message), r.answer) << "action " << r.action << " extra " << r.extra;
    }
    MemoryView broken;
    broken.runDialog = [](int, DialogPage&) { return -1; };   // the template could not be loaded
    EXPECT_EQ(ConflictDialogRunner(broken).Run({ConflictRule::DuplexMedia, 6845, 6844, {}, false}),
              kConflictAnswerNeither);
}

TEST(CustomSize, ConversionsAndRounding)
{
    // Tenths of an inch to whole millimetres, rounded on the first decimal.
    struct Row {
        double tenths;
        bool height;
        int32_t mm;
    } rows[] = {
        {85, false, 216},   // 215.9
        {84, false, 213},   // 213.36
        {83, false, 211},   // 210.82
        {110, false, 279},  // 279.4
        {117, true, 297},   // 297.18
        {50, true, 127},    // 127.0
        {52, true, 132},    // 132.08
        {49, true, 124},    // 124.46, at or below the minimum of 50: always down
        {47, true, 119},    // 119.38
        {47, false, 119},
        {51, false, 130},   // 129.54 rounds up unless it is a height at the minimum
    };
    for (const Row& r : rows)
        EXPECT_EQ(TenthsInchToMm(r.tenths, r.height, 50), r.mm) << r.tenths << (r.height ? " height" : " width");
    EXPECT_EQ(TenthsInchToMm(50, true, 50), 127);
    EXPECT_EQ(TenthsInchToMm(45, true, 50), 114);   // 114.3 anyway
    EXPECT_EQ(TenthsInchToMm(45, false, 50), 114);
    EXPECT_EQ(TenthsInchToMm(43, true, 50), 109);   // 109.22
    EXPECT_EQ(TenthsInchToMm(48, true, 50), 121);   // 121.92 would round up; a low height does not
    EXPECT_EQ(TenthsInchToMm(48, false, 50), 122);

    EXPECT_NEAR(MmToTenthsInch(216), 85.03937, 1e-4);
    EXPECT_NEAR(TenthsInchToTenthsMm(85), 2159.0, 1e-9);
    EXPECT_NEAR(TenthsMmToStored(2159.0), 2550.0f, 0.01f);   // 8.5 in in 1/300 in
    EXPECT_NEAR(StoredToInches(3300.0f), 11.0, 1e-5);
    EXPECT_NEAR(StoredToMm(2480.0f), 209.97, 0.01);

    struct Parse {
        const char* text;
        double value;
    } parses[] = {{"8,5", 8.5}, {"8.5", 8.5}, {"12a", 0}, {"", 0}, {"216", 216}, {"1.2.3", 1.2}, {"-3", 0}};
    for (const Parse& p : parses)
        EXPECT_DOUBLE_EQ(ParseNumber(p.text), p.value) << '"' << p.text << '"';
}

struct SizeWorld {
    ModelWorld world;
    std::unique_ptr<GUIPrinter> model;
    MemoryView view;

    SizeWorld()
    {
        world.product.set(OptionKey::IDO_DMMINWIDTHMM, 76).set(OptionKey::IDO_DMMAXWIDTHMM, 216);
        world.product.set(OptionKey::IDO_DMMINHEIGHTMM, 127).set(OptionKey::IDO_DMMAXHEIGHTMM, 356);
        world.product.set(OptionKey::IDO_DMMINWIDTHIN, 30).set(OptionKey::IDO_DMMAXWIDTHIN, 85);
        world.product.set(OptionKey::IDO_DMMINHEIGHTIN, 50).set(OptionKey::IDO_DMMAXHEIGHTIN, 140);
        world.product.set(OptionKey::IDO_DMA4WIDTHMM, 210).set(OptionKey::IDO_DMA4HEIGHTMM, 297);
        world.product.set(OptionKey::IDO_DMLETTERWIDTHMM, 216).set(OptionKey::IDO_DMLETTERHEIGHTMM, 279);
        world.product.set(OptionKey::IDO_PMKPRINTPROP, 0);
        model = world.make();
        model->LoadFrom(PlainRecord());
    }
};

TEST(CustomSize, OpeningFallsBackToTheProductsA4OrLetter)
{
    struct Row {
        int32_t units;
        uint32_t paperSize;
        float width, length;
        const char* widthText;
        const char* heightText;
    } rows[] = {
        {2, 9, 0, 0, "210", "297"},          {2, 1, 0, 0, "216", "279"},
        {1, 9, 0, 0, "8.3", "11.7"},         {1, 1, 0, 3300, "8.5", "11.0"},
        {2, 1, 1200, 1800, "102", "152"},    {1, 1, 1200, 1800, "4.0", "6.0"},
    };
    for (const Row& r : rows) {
        SizeWorld s;
        s.model->SetUnits(r.units);
        s.model->SetPaperSize(r.paperSize);
        s.model->SetCustomWidth(r.width);
        s.model->SetCustomLength(r.length);
        CustomPaperSizeDlg dialog(*s.model, s.world.product, '.');
        dialog.OnInit(s.view);
        EXPECT_EQ(s.view.GetText(IDC_CUSTOM_WIDTH), r.widthText) << r.units << "/" << r.paperSize;
        EXPECT_EQ(s.view.GetText(IDC_CUSTOM_HEIGHT), r.heightText) << r.units << "/" << r.paperSize;
        EXPECT_EQ(s.view.GetCheck(IDC_UNIT_INCHES), r.units == 1);
        const MemoryView::Control& spin = s.view.control(IDC_CUSTOM_WIDTH_SPIN);
        EXPECT_EQ(spin.low, r.units == 1 ? 30 : 76);
        EXPECT_EQ(spin.high, r.units == 1 ? 85 : 216);
    }
}

TEST(CustomSize, TypingJudgesAndOkStoresInTheModel)
{
    SizeWorld s;
    s.model->SetUnits(1);
    s.model->SetLayoutCode(4);
    CustomPaperSizeDlg dialog(*s.model, s.world.product, ',');
    dialog.OnInit(s.view);

    s.view.Type(dialog, IDC_CUSTOM_WIDTH, "8,5");
    EXPECT_EQ(dialog.widthTenths(), 85);
    EXPECT_EQ(dialog.widthMm(), 216);
    EXPECT_EQ(dialog.widthState(), kSizeInRange);
    EXPECT_EQ(s.view.GetPosition(IDC_CUSTOM_WIDTH_SLIDER), 85);

    s.view.Type(dialog, IDC_CUSTOM_HEIGHT, "12a");
    EXPECT_EQ(dialog.heightMm(), 0);
    EXPECT_EQ(dialog.heightState(), kSizeOutOfRange);
    EXPECT_EQ(s.view.GetText(IDC_CUSTOM_HEIGHT_STATE), "#7301");
    EXPECT_FALSE(dialog.OnOK(s.view));   // refused: the size would reach the driver as it is
    EXPECT_EQ(s.view.messages.size(), 1u);
    EXPECT_EQ(s.model->GetPaperSize(), 1u);

    s.view.Type(dialog, IDC_CUSTOM_HEIGHT, "11");
    EXPECT_EQ(dialog.heightState(), kSizeInRange);
    // Switching to millimetres and back keeps the rounding of the examples.
    s.view.Click(dialog, IDC_UNIT_MILLIMETRES);
    EXPECT_EQ(s.view.GetText(IDC_CUSTOM_WIDTH), "216");
    EXPECT_EQ(s.view.control(IDC_CUSTOM_WIDTH_SPIN).high, 216);
    s.view.Click(dialog, IDC_UNIT_INCHES);
    EXPECT_EQ(s.view.GetText(IDC_CUSTOM_WIDTH), "8,5");
    dialog.OnScroll(s.view, IDC_CUSTOM_WIDTH_SPIN, 84);
    EXPECT_EQ(s.view.GetText(IDC_CUSTOM_WIDTH), "8,4");
    EXPECT_EQ(dialog.widthMm(), 213);

    ASSERT_TRUE(dialog.OnOK(s.view));
    EXPECT_EQ(s.model->GetPaperSize(), 256u);
    EXPECT_EQ(s.model->GetUnits(), 1);
    EXPECT_NEAR(s.model->GetCustomWidth(), 2520.0f, 0.01f);
    EXPECT_NEAR(s.model->GetCustomLength(), 3300.0f, 0.01f);
    EXPECT_EQ(s.model->GetLayoutCode(), 0);
}

TEST(CustomSize, EnvelopeBoxMakesTheSizeAnEnvelope)
{
    for (bool envelope : {true, false}) {
        SizeWorld s;
        s.model->SetUnits(2);
        s.model->SetPaperFlags(0x1000);
        s.model->SetOrientation(2);
        s.model->SetSavedOrientation(1);
        CustomPaperSizeDlg dialog(*s.model, s.world.product, '.');
        dialog.OnInit(s.view);
        s.view.Type(dialog, IDC_CUSTOM_WIDTH, "110");
        s.view.Type(dialog, IDC_CUSTOM_HEIGHT, "220");
        s.view.SetCheck(IDC_CUSTOM_ENVELOPE, envelope);
        ASSERT_TRUE(dialog.OnOK(s.view));
        EXPECT_EQ(s.model->GetPaperFlags(), envelope ? 0x8000u : 0u);
        EXPECT_EQ(s.model->GetOrientation(), envelope ? 2 : 1);
        EXPECT_EQ(s.model->GetUnits(), 2);
        // 110 mm goes through 4.3 in and comes back as 109 mm, as the OK rule says.
        EXPECT_NEAR(s.model->GetCustomWidth(), 1287.4f, 0.1f);
    }
}

}  // namespace
