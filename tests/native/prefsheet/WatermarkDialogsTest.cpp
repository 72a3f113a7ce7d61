// The watermark tab page, list dialog and edit dialog through the in-memory
// view over a real settings model and its watermark store: the selection
// search, deletion with renumbering and the moved indexes, mode and
// placement, size typing and clamping, and the name and text checks.
#include "CWatermarkDlg.h"
#include "CWatermarkEditDlg.h"
#include "CWatermarkTabPropPage.h"
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PersonalSettings.h"
#include "ResourceIds.h"
#include "WatermarkRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace WatermarkRules;

LCWMARKINFO Mark(const std::string& name, const std::string& text = "TEXT")
{
    LCWMARKINFO m;
    std::memset(&m, 0, sizeof m);
    SetName(m, name);
    SetText(m, text);
    m.wmFont.lfHeight = 1440;
    m.wmFont.lfEscapement = m.wmFont.lfOrientation = 450;
    m.wmFont.lfWeight = 400;
    std::strcpy(m.wmFont.lfFaceName, "Arial");
    m.wmShade = 50;
    return m;
}

std::vector<FontFamily> TestFonts()
{
    return {{"Times New Roman", 0, 0x12}, {"Arial", 0, 0x22}, {"Courier New", 0, 0x31}};
}

// The store holds the names given, in order, numbered from 0; the job uses
// the first two (or the names given).
struct WatermarkOpening {
    ModelWorld world;
    SilentMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    MemoryView view;

    WatermarkOpening(const std::vector<std::string>& names, const std::string& first, const std::string& second)
    {
        model = world.make();
        LCDEVMODE record = PlainRecord();
        record.dmWatermark = Mark(first);
        record.dmWatermark2 = Mark(second);
        record.dmWatermarkPages = 0;
        model->LoadFrom(record);
        std::vector<LCWMARKINFO> list;
        for (const std::string& name : names) {
            list.push_back(Mark(name));
            list.back().wmIndex = static_cast<uint32_t>(list.size() - 1);
        }
        model->Features().SetCurWatermarkList(list.data(), static_cast<uint32_t>(list.size()));
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
        view.strings[IDS_DEFAULT_WATERMARK_NAME] = "Confidential";
    }
    PageContext context()
    {
        return PageContext{world.product, world.registry, *slots, world.trace, companions,
                           [] { return std::make_unique<PortableInkDisplay>(); }, '.', nullptr};
    }
    std::vector<std::string> storedNames() const
    {
        const GUIFeatures& f = model->Features();
        std::vector<LCWMARKINFO> list(f.GetCurWatermarkCount());
        f.GetCurWatermarkList(list.data());
        std::vector<std::string> names;
        for (size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].wmIndex, i) << "renumbered";
            names.push_back(NameOf(list[i]));
        }
        return names;
    }
};

TEST(WatermarkTabPage, FindsTheJobsWatermarksByNameWithoutCase)
{
    WatermarkOpening o({"Confidential", "Draft", "Copy", "Urgent"}, "COPY", "urgent");
    CWatermarkTabPropPage page(o.context(), TestFonts);
    page.SetPrinter(o.model.get());
    page.OnInit(o.view);
    EXPECT_EQ(page.selectedLeft(), 2);
    EXPECT_EQ(page.selectedRight(), 3);
    EXPECT_EQ(o.view.GetListCount(IDC_WM_LEFT_LIST), 4);
    EXPECT_EQ(o.view.SelectedText(IDC_WM_RIGHT_LIST), "Urgent");
    EXPECT_TRUE(o.world.trace.contains("m_iNumWatermark 4"));
    EXPECT_TRUE(o.world.trace.contains("CWatermarkTabPropPage.. selected indices:"));
    EXPECT_TRUE(o.view.control(IDC_WM_EDIT).enabled);
    EXPECT_EQ(o.view.previews.at(IDC_WM_PREVIEW).text, "TEXT");

    // Record 0 on the left: neither edited nor deleted.
    o.view.Select(page, IDC_WM_LEFT_LIST, 0);
    EXPECT_FALSE(o.view.control(IDC_WM_EDIT).enabled);
    EXPECT_FALSE(o.view.control(IDC_WM_DELETE).enabled);
    EXPECT_TRUE(o.world.trace.contains("Current Selected Value: 0"));
    EXPECT_EQ(NameOf(o.model->Features().GetWatermark1()), "Confidential");

    // A job watermark the list lacks becomes the store's default.
    WatermarkOpening lost({"Confidential", "Draft"}, "Gone", "Draft");
    CWatermarkTabPropPage other(lost.context(), TestFonts);
    other.SetPrinter(lost.model.get());
    other.OnInit(lost.view);
    EXPECT_EQ(other.selectedLeft(), 0);
    EXPECT_EQ(other.selectedRight(), 1);
    // ... and the left selection then applies the list's fixed first record.
    EXPECT_EQ(NameOf(lost.model->Features().GetWatermark1()), "Confidential");
}

TEST(WatermarkTabPage, DeletionRenumbersAndMovesTheSelections)
{
    struct Row {
        std::vector<std::string> names;
        std::string first, second;
        std::vector<std::string> left;
        int leftIndex, rightIndex;
        std::string leftName, rightName;
    } rows[] = {
        // The last record on the left: the selection moves to the new last.
        {{"Confidential", "A", "B", "C"}, "C", "A", {"Confidential", "A", "B"}, 2, 1, "B", "A"},
        // The right index stays and now names the record that followed.
        {{"Confidential", "A", "B", "C"}, "A", "A", {"Confidential", "B", "C"}, 1, 1, "B", "B"},
        // The right index at the last position moves back by one.
        {{"Confidential", "A", "B", "C"}, "B", "C", {"Confidential", "A", "C"}, 2, 2, "C", "C"},
        // Names that differ only in case go together; the count follows the list.
        {{"Confidential", "Draft", "x", "DRAFT"}, "draft", "x", {"Confidential", "x"}, 1, 1, "x", "x"},
    };
    for (const Row& r : rows) {
        WatermarkOpening o(r.names, r.first, r.second);
        CWatermarkTabPropPage page(o.context(), TestFonts);
        page.SetPrinter(o.model.get());
        page.OnInit(o.view);
        o.view.messageAnswer = MessageFlag::AnswerYes;
        const std::string deleted = NameOf(o.model->Features().GetWatermark1());
        o.view.Click(page, IDC_WM_DELETE);
        ASSERT_EQ(o.view.messages.size(), 1u);
        EXPECT_EQ(o.view.messages[0].caption, "#9383");
        EXPECT_EQ(o.view.messages[0].text, "#9384" + deleted + "#143");
        EXPECT_EQ(o.storedNames(), r.left) << r.first;
        EXPECT_EQ(page.selectedLeft(), r.leftIndex) << r.first;
        EXPECT_EQ(page.selectedRight(), r.rightIndex) << r.first;
        EXPECT_EQ(NameOf(o.model->Features().GetWatermark1()), r.leftName);
        EXPECT_EQ(NameOf(o.model->Features().GetWatermark2()), r.rightName);
        EXPECT_EQ(o.view.GetListCount(IDC_WM_RIGHT_LIST), static_cast<int>(r.left.size()));
        EXPECT_TRUE(o.world.trace.contains("User clicked YES button."));
        EXPECT_TRUE(o.world.trace.contains("CWatermarkTabPropPage.. selected indices.. after deletion:"));
    }
    // No: nothing changes.
    WatermarkOpening o({"Confidential", "A"}, "A", "A");
    CWatermarkTabPropPage page(o.context(), TestFonts);
    page.SetPrinter(o.model.get());
    page.OnInit(o.view);
    o.view.messageAnswer = 7;
    o.view.Click(page, IDC_WM_DELETE);
    EXPECT_EQ(o.storedNames(), (std::vector<std::string>{"Confidential", "A"}));
}

TEST(WatermarkTabPage, ModeAndPlacementGoToTheStoreAtOnceTheDialogWaitsForOk)
{
    WatermarkOpening o({"Confidential", "A", "B"}, "A", "B");
    CWatermarkTabPropPage page(o.context(), TestFonts);
    page.SetPrinter(o.model.get());
    page.OnInit(o.view);
    EXPECT_EQ(o.view.control(IDC_WM_LEFT_LABEL).text, "#9379");
    o.view.Click(page, IDC_WM_ODD_AND_EVEN);
    o.view.Click(page, IDC_WM_UNDER);
    EXPECT_EQ(o.model->Features().GetWatermarkPages(), 1);
    EXPECT_EQ(o.model->Features().GetWatermarkLayer(), 1);
    EXPECT_EQ(o.view.control(IDC_WM_LEFT_LABEL).text, "#9381");
    EXPECT_EQ(o.view.control(IDC_WM_RIGHT_LABEL).text, "#9382");
    EXPECT_EQ(o.view.control(IDC_WM_GROUP_PLACEMENT).text, "#9387");

    WatermarkOpening d({"Confidential", "A", "B"}, "A", "B");
    CWatermarkDlg dialog(d.context(), *d.model, TestFonts);
    dialog.OnInit(d.view);
    d.view.Click(dialog, IDC_WM_ODD_AND_EVEN);
    d.view.Click(dialog, IDC_WM_OVER);
    d.view.Select(dialog, IDC_WM_RIGHT_LIST, 0);
    EXPECT_EQ(d.model->Features().GetWatermarkPages(), 0);
    EXPECT_EQ(NameOf(d.model->Features().GetWatermark2()), "B");
    EXPECT_TRUE(dialog.OnOK(d.view));
    EXPECT_EQ(d.model->Features().GetWatermarkPages(), 1);
    EXPECT_EQ(NameOf(d.model->Features().GetWatermark2()), "Confidential");
}

struct EditOpening : WatermarkOpening {
    std::vector<LCWMARKINFO> list;
    std::unique_ptr<CWatermarkEditDlg> dialog;

    EditOpening(bool edit, int index) : WatermarkOpening({"Confidential", "Draft", "Copy"}, "Draft", "Copy")
    {
        list.resize(model->Features().GetCurWatermarkCount());
        model->Features().GetCurWatermarkList(list.data());
        dialog = std::make_unique<CWatermarkEditDlg>(context(), *model, TestFonts, list, edit, index);
        dialog->OnInit(view);
    }
    LCWMARKINFO edited() const { return dialog->list().at(static_cast<size_t>(dialog->editedIndex())); }
};

TEST(WatermarkEditDialog, StartsWithTheScreensFontsAndTheRecord)
{
    EditOpening o(true, 1);
    EXPECT_EQ(o.view.SelectedText(IDC_WME_NAME), "Draft");
    EXPECT_EQ(o.view.GetListCount(IDC_WME_FONT), 3);
    EXPECT_EQ(o.view.SelectedText(IDC_WME_FONT), "Arial");
    EXPECT_TRUE(o.world.trace.contains("index of Arial... "));
    EXPECT_EQ(o.edited().wmFont.lfPitchAndFamily, 0x22);   // taken from the screen's font
    EXPECT_EQ(o.view.GetListCount(IDC_WME_COLOR), 7);
    EXPECT_EQ(o.view.GetListData(IDC_WME_COLOR, 1), 0x0000FF);   // red
    EXPECT_EQ(o.view.GetListData(IDC_WME_COLOR, 6), 0x00FFFF);   // yellow
    EXPECT_EQ(o.view.GetListData(IDC_WME_ANGLE, o.view.GetListSelection(IDC_WME_ANGLE)), 450);
    EXPECT_EQ(o.view.control(IDC_WME_SIZE).text, "72");
    EXPECT_EQ(o.view.control(IDC_WME_SHADE).position, 50);
    EXPECT_EQ(o.view.control(IDC_WME_SHADE).high, 100);
    EXPECT_TRUE(o.view.control(IDC_WME_TEXT).enabled);

    // Every change shows in the preview.
    o.view.Type(*o.dialog, IDC_WME_TEXT, "SECRET");
    o.view.Select(*o.dialog, IDC_WME_STYLE, 3);
    o.view.Select(*o.dialog, IDC_WME_COLOR, 3);
    o.view.Select(*o.dialog, IDC_WME_ANGLE, 2);
    o.view.Select(*o.dialog, IDC_WME_FONT, 0);   // sorted: Arial, Courier New, Times New Roman
    o.view.SetPosition(IDC_WME_SHADE, 80);
    o.dialog->OnScroll(o.view, IDC_WME_SHADE, 80);
    const WatermarkPreview& p = o.view.previews.at(IDC_WME_PREVIEW);
    EXPECT_EQ(p.text, "SECRET");
    EXPECT_EQ(p.weight, 700);
    EXPECT_TRUE(p.italic);
    EXPECT_EQ(p.color, 0xFF0000u);
    EXPECT_EQ(p.escapement, 900);
    EXPECT_EQ(p.faceName, "Arial");
    EXPECT_EQ(p.shade, 80u);

    // Record 0 cannot be edited.
    EditOpening fixed(true, 0);
    EXPECT_FALSE(fixed.view.control(IDC_WME_TEXT).enabled);
    EXPECT_FALSE(fixed.view.control(IDC_WME_SHADE).enabled);
}

TEST(WatermarkEditDialog, SizeTypingAndClamping)
{
    struct Row {
        std::string typed;
        int32_t whileTyping;   // height after typing
        std::string shown;     // field after leaving it
        int32_t stored;
    } rows[] = {
        {"7", 1440, "8", 160},     {"201", 1440, "200", 4000}, {"8", 160, "8", 160},
        {"200", 4000, "200", 4000}, {"36", 720, "36", 720},     {"1234", 2460, "123", 2460},
        {"", 1440, "8", 160},
    };
    for (const Row& r : rows) {
        EditOpening o(true, 1);
        o.view.Type(*o.dialog, IDC_WME_SIZE, r.typed);
        EXPECT_EQ(o.edited().wmFont.lfHeight, r.whileTyping) << r.typed;
        o.view.Leave(*o.dialog, IDC_WME_SIZE);
        EXPECT_EQ(o.view.control(IDC_WME_SIZE).text.substr(0, 3), r.shown) << r.typed;
        EXPECT_EQ(o.edited().wmFont.lfHeight, r.stored) << r.typed;
    }
}

TEST(WatermarkEditDialog, NamesAndTextsAreCheckedBeforeStoring)
{
    struct Row {
        std::string name;
        std::string text;
        uint32_t message;   // 0: stored
        unsigned flags;
    } rows[] = {
        {"", "X", IDS_WM_NAME_NEEDED, MessageFlag::Exclamation},
        {"   ", "X", IDS_WM_NAME_NEEDED, MessageFlag::Exclamation},
        {"CONFIDENTIAL", "X", IDS_WM_NAME_NEEDED, MessageFlag::Exclamation},
        {"dRAFT", "X", IDS_WM_NAME_TAKEN_START, MessageFlag::Information},
        {"Proof", "  ", IDS_WM_TEXT_NEEDED, MessageFlag::Information},
        {"Proof", "PROOF", 0, 0},
    };
    for (const Row& r : rows) {
        EditOpening o(false, 0);
        ASSERT_EQ(o.dialog->editedIndex(), 3);   // the new record is appended
        EXPECT_FALSE(o.view.control(IDC_WME_NAME).visible);
        EXPECT_TRUE(o.view.control(IDC_WME_NAME_EDIT).visible);
        EXPECT_FALSE(o.view.control(IDC_WME_NEW).enabled);
        EXPECT_EQ(o.view.control(IDC_WME_NAME_EDIT).textLimit, 64);
        EXPECT_EQ(o.view.focus, IDC_WME_NAME_EDIT);
        o.view.Type(*o.dialog, IDC_WME_NAME_EDIT, r.name);
        o.view.Type(*o.dialog, IDC_WME_TEXT, r.text);
        const bool closes = o.dialog->OnOK(o.view);
        EXPECT_EQ(closes, r.message == 0) << r.name;
        if (r.message == 0) {
            EXPECT_TRUE(o.view.messages.empty());
            EXPECT_EQ(o.storedNames(), (std::vector<std::string>{"Confidential", "Draft", "Copy", "Proof"}));
            continue;
        }
        ASSERT_EQ(o.view.messages.size(), 1u) << r.name;
        EXPECT_EQ(o.view.messages[0].text.substr(0, 5), "#" + std::to_string(r.message)) << r.name;
        EXPECT_EQ(o.view.messages[0].flags, r.flags) << r.name;
        if (r.flags == MessageFlag::Information) {
            EXPECT_EQ(o.view.messages[0].caption, kModelPrinter);
        }
        if (r.message == IDS_WM_NAME_TAKEN_START) {
            EXPECT_EQ(o.view.messages[0].text, "#9437\"dRAFT\"#9438");
        }
        EXPECT_EQ(o.storedNames().size(), 3u) << "nothing stored";
    }
}

TEST(WatermarkTabPage, AddRunsTheEditDialogAndShowsTheNewWatermark)
{
    WatermarkOpening o({"Confidential", "Draft"}, "Draft", "Draft");
    CWatermarkTabPropPage page(o.context(), TestFonts);
    page.SetPrinter(o.model.get());
    page.OnInit(o.view);
    o.view.runDialog = [](int templateId, DialogPage& dialog) {
        EXPECT_EQ(templateId, IDD_WATERMARK_EDIT);
        MemoryView child;
        dialog.OnInit(child);
        child.Type(dialog, IDC_WME_NAME_EDIT, "Proof");
        child.Type(dialog, IDC_WME_TEXT, "PROOF");
        return dialog.OnOK(child) ? kDialogOk : kDialogCancel;
    };
    o.view.Click(page, IDC_WM_ADD);
    EXPECT_EQ(o.view.GetListCount(IDC_WM_LEFT_LIST), 3);
    EXPECT_EQ(o.storedNames(), (std::vector<std::string>{"Confidential", "Draft", "Proof"}));
    page.Save();
    EXPECT_EQ(o.model->Features().GetCurWatermarkCount(), 3u);
    EXPECT_TRUE(page.visited() == false);
    page.OnSetActive(o.view);
    EXPECT_TRUE(page.visited());
}

}  // namespace
