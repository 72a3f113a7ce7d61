// The poster page and its page selection dialog driven through the in-memory
// view over a real settings model: the preview table, the size buttons'
// tile rules, the selection's arrays, flags and status text, and what OK
// and Cancel leave in the saved record.
#include "MemoryView.h"
#include "ModelFakes.h"
#include "PersonalSettings.h"
#include "PosterPropPage.h"
#include "PosterSelectDlg.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using namespace PosterRules;

class NoMessages : public MessageBoxes {
public:
    void Show(const std::string&) override {}
};

PosterTiles tilesOf(std::initializer_list<int> numbers)   // 1-based sheet numbers
{
    PosterTiles t{};
    for (int n : numbers)
        t[static_cast<size_t>(n - 1)] = 1;
    return t;
}

PosterTiles allTiles()
{
    PosterTiles t;
    t.fill(1);
    return t;
}

// One opening of the poster page on a poster record.
struct PosterOpening {
    ModelWorld world;
    NoMessages messages;
    RecordingCompanions companions;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;
    std::unique_ptr<PosterPropPage> page;
    MemoryView view;
    int sheetPreviews = 0;

    explicit PosterOpening(const std::function<void(LCDEVMODE&)>& edit = nullptr)
    {
        model = world.make();
        LCDEVMODE record = PlainRecord();
        record.dmLayoutCode = 4;
        if (edit)
            edit(record);
        model->LoadFrom(record);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   [](LCDEVMODE&) {});
        PageContext context{world.product, world.registry, *slots, world.trace, companions, nullptr, '.', nullptr};
        page = std::make_unique<PosterPropPage>(context);
        page->SetPrinter(model.get());
        page->SetSheetPreview([this] { ++sheetPreviews; });
        page->OnInit(view);
    }
    LCDEVMODE saved() const
    {
        LCDEVMODE r;
        std::memset(&r, 0xCD, sizeof r);
        model->SaveTo(r);
        return r;
    }
    PosterTiles pages() const
    {
        PosterTiles t;
        for (uint32_t i = 0; i < 16; ++i)
            t[i] = model->Features().GetPosterPage(i);
        return t;
    }
    PosterTiles display() const
    {
        PosterTiles t;
        for (uint32_t i = 0; i < 16; ++i)
            t[i] = model->Features().GetPosterDisplay(i);
        return t;
    }
    // Opens the selection dialog from the page's button; the user clicks the
    // tiles (1-based numbers of the grid shown) and ends with `button`.
    int selectPages(std::initializer_list<int> clicks, int button)
    {
        int result = 0;
        view.runDialog = [&](int templateId, DialogPage& dialog) {
            EXPECT_EQ(templateId, IDD_POSTER_SELECT);
            MemoryView child;
            dialog.OnInit(child);
            const int32_t size = GridSize(model->GetPosterRows());
            for (int n : clicks)
                child.Click(dialog, TileId(size, n - 1));
            if (button == kDialogOk && dialog.OnOK(child)) {
                result = kDialogOk;
            } else {
                dialog.OnCancel(child);
                result = kDialogCancel;
            }
            return result;
        };
        view.Click(*page, IDC_POSTER_SELECT);
        view.runDialog = nullptr;
        return result;
    }
};

TEST(PosterRules, PreviewPictureBySizeAndOverlap)
{
    struct Row {
        int32_t size, overlap;
        uint32_t picture;
    } rows[] = {
        {4, 0, 6763}, {3, 0, 6761}, {2, 1, 6760}, {4, 1, 6759}, {3, 1, 6762}, {2, 0, 6764},
        {4, 5, 6763}, {3, -1, 6761}, {2, 5, 6764}, {5, 1, 6764}, {0, 0, 6764}, {1, 1, 6764},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PreviewPicture(r.size, r.overlap), r.picture) << r.size << " x " << r.size << ", overlap "
                                                                << r.overlap;
}

TEST(PosterRules, SelectedListIsOneBasedRowByRowWithinTheGrid)
{
    struct Row {
        PosterTiles tiles;
        int32_t size;
        std::string text;
    } rows[] = {
        {tilesOf({1, 2, 3, 4}), 2, "1, 2, 3, 4"},
        {tilesOf({2, 4}), 2, "2, 4"},
        {tilesOf({5, 9}), 2, ""},   // beyond the 2 x 2 grid
        {tilesOf({1, 5, 9}), 3, "1, 5, 9"},
        {tilesOf({16}), 4, "16"},
        {allTiles(), 4, "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16"},
        {tilesOf({}), 3, ""},
        {tilesOf({10}), 7, ""},   // an unknown size is the 2 x 2 grid
    };
    for (const Row& r : rows)
        EXPECT_EQ(SelectedList(r.tiles, r.size), r.text) << "size " << r.size;
    PosterTiles two{};
    two[0] = 2;   // only 1 marks a selected sheet
    EXPECT_EQ(SelectedList(two, 2), "");
}

TEST(PosterPage, PaintShowsTheModelsSizeSwitchAndPreview)
{
    struct Row {
        int32_t rows, overlap;
        int pressed;
        bool checked;
        uint32_t picture;
    } rows[] = {
        {2, 0, IDC_POSTER_2X2, false, 6764}, {3, 0, IDC_POSTER_3X3, false, 6761},
        {4, 0, IDC_POSTER_4X4, false, 6763}, {2, 1, IDC_POSTER_2X2, true, 6760},
        {3, 1, IDC_POSTER_3X3, true, 6762},  {4, 1, IDC_POSTER_4X4, true, 6759},
        {4, 5, IDC_POSTER_4X4, false, 6763}, {6, 0, 0, false, 6764},
    };
    for (const Row& r : rows) {
        PosterOpening o([&](LCDEVMODE& rec) {
            rec.dmPosterRows = rec.dmPosterColumns = r.rows;
            rec.dmFeatureWord198 = r.overlap;
        });
        for (int id : {IDC_POSTER_2X2, IDC_POSTER_3X3, IDC_POSTER_4X4})
            EXPECT_EQ(o.view.GetCheck(id), id == r.pressed) << r.rows << "/" << r.overlap << " button " << id;
        EXPECT_EQ(o.view.GetCheck(IDC_POSTER_OVERLAP), r.checked) << r.rows << "/" << r.overlap;
        EXPECT_EQ(o.view.GetPicture(IDC_POSTER_PREVIEW), r.picture) << r.rows << "/" << r.overlap;
        EXPECT_EQ(o.view.GetPicture(IDC_POSTER_2X2), r.pressed == IDC_POSTER_2X2 ? 7053u : 7050u);
        EXPECT_EQ(o.saved().dmFeatureWord198, r.overlap);   // showing the switch never changes it
    }
}

TEST(PosterPage, OverlapBoxTogglesTheSwitchAndThePreview)
{
    PosterOpening o([](LCDEVMODE& r) {
        r.dmPosterRows = r.dmPosterColumns = 3;
        r.dmFeatureWord198 = 5;   // shown unchecked, so the first click switches on
    });
    o.view.Click(*o.page, IDC_POSTER_OVERLAP);
    EXPECT_EQ(o.saved().dmFeatureWord198, 1);
    EXPECT_TRUE(o.view.GetCheck(IDC_POSTER_OVERLAP));
    EXPECT_EQ(o.view.GetPicture(IDC_POSTER_PREVIEW), 6762u);
    o.view.Click(*o.page, IDC_POSTER_OVERLAP);
    EXPECT_EQ(o.saved().dmFeatureWord198, 0);
    EXPECT_FALSE(o.view.GetCheck(IDC_POSTER_OVERLAP));
    EXPECT_EQ(o.view.GetPicture(IDC_POSTER_PREVIEW), 6761u);
}

TEST(PosterPage, SizeButtonsSetTheGridAndTheTilesToPrint)
{
    struct Row {
        const char* what;
        int32_t layout;
        PosterTiles displayBefore;
        int click;
        int32_t size;
        PosterTiles displayAfter;
    } rows[] = {
        {"poster layout, nothing displayed: all displayed", 4, tilesOf({}), IDC_POSTER_3X3, 3, allTiles()},
        {"poster layout keeps a display", 4, tilesOf({2}), IDC_POSTER_4X4, 4, tilesOf({2})},
        {"other layout leaves the display", 0, tilesOf({}), IDC_POSTER_2X2, 2, tilesOf({})},
        {"same size again still acts", 4, tilesOf({}), IDC_POSTER_2X2, 2, allTiles()},
    };
    for (const Row& r : rows) {
        PosterOpening o([&](LCDEVMODE& rec) {
            rec.dmLayoutCode = r.layout;
            std::memcpy(rec.dmPosterDisplay, r.displayBefore.data(), sizeof rec.dmPosterDisplay);
        });
        o.view.Click(*o.page, r.click);
        const LCDEVMODE saved = o.saved();
        EXPECT_EQ(saved.dmPosterRows, r.size) << r.what;
        EXPECT_EQ(saved.dmPosterColumns, r.size) << r.what;
        EXPECT_EQ(o.display(), r.displayAfter) << r.what;
        EXPECT_EQ(o.pages(), allTiles()) << r.what;   // no selection confirmed: every sheet prints
        EXPECT_TRUE(o.view.GetCheck(r.click)) << r.what;
        EXPECT_EQ(o.view.GetPicture(IDC_POSTER_PREVIEW), PreviewPicture(r.size, 0)) << r.what;
        EXPECT_EQ(o.sheetPreviews, 1) << r.what;
    }
}

TEST(PosterPage, ShowingTheModelsSizeDoesNotActAsAClick)
{
    PosterOpening o([](LCDEVMODE& r) {
        r.dmPosterRows = r.dmPosterColumns = 2;
        std::memcpy(r.dmPosterPages, tilesOf({3}).data(), sizeof r.dmPosterPages);
    });
    // Something else (a slot, the advanced page) moves the model to 4 x 4:
    // the page shows it on paint and on activation and leaves the tiles.
    o.model->SetPosterRows(4);
    o.model->SetPosterColumns(4);
    o.page->OnPaint(o.view);
    o.page->OnSetActive(o.view);
    EXPECT_TRUE(o.view.GetCheck(IDC_POSTER_4X4));
    EXPECT_FALSE(o.view.GetCheck(IDC_POSTER_2X2));
    EXPECT_EQ(o.pages(), tilesOf({3}));
    EXPECT_EQ(o.display(), tilesOf({}));
    EXPECT_EQ(o.sheetPreviews, 0);
    // The user's click on the size shown does act.
    o.view.Click(*o.page, IDC_POSTER_4X4);
    EXPECT_EQ(o.pages(), allTiles());
    EXPECT_EQ(o.sheetPreviews, 1);
}

TEST(PosterPage, OtherSizePrintsAllUnlessItsOwnSelectionWasConfirmed)
{
    PosterOpening o;
    EXPECT_EQ(o.selectPages({2, 3}, kDialogOk), kDialogOk);   // 2 x 2: sheets 1 and 4 stay
    EXPECT_EQ(o.pages(), tilesOf({1, 4}));
    EXPECT_EQ(o.page->confirmedTiles(2), tilesOf({1, 4}));

    o.view.Click(*o.page, IDC_POSTER_3X3);
    EXPECT_EQ(o.pages(), allTiles()) << "3 x 3 was never confirmed";
    EXPECT_EQ(o.selectPages({5}, kDialogOk), kDialogOk);   // 3 x 3 without the middle sheet
    const PosterTiles nineButMiddle = tilesOf({1, 2, 3, 4, 6, 7, 8, 9});
    EXPECT_EQ(o.pages(), nineButMiddle);

    o.view.Click(*o.page, IDC_POSTER_2X2);
    EXPECT_EQ(o.pages(), tilesOf({1, 4})) << "the 2 x 2 selection comes back";
    o.view.Click(*o.page, IDC_POSTER_3X3);
    EXPECT_EQ(o.pages(), nineButMiddle) << "each size keeps its own selection";
    o.view.Click(*o.page, IDC_POSTER_4X4);
    EXPECT_EQ(o.pages(), allTiles());

    const LCDEVMODE saved = o.saved();
    EXPECT_EQ(saved.dmPosterRows, 4);
    EXPECT_EQ(std::memcmp(saved.dmPosterPages, allTiles().data(), sizeof saved.dmPosterPages), 0);
    EXPECT_EQ(std::memcmp(saved.dmPosterDisplay, nineButMiddle.data(), sizeof saved.dmPosterDisplay), 0);
}

TEST(PosterPage, RecordsSelectionCountsAsConfirmedForItsSize)
{
    PosterOpening o([](LCDEVMODE& r) {
        r.dmPosterRows = r.dmPosterColumns = 3;
        std::memcpy(r.dmPosterPages, tilesOf({2, 8}).data(), sizeof r.dmPosterPages);
    });
    EXPECT_EQ(o.page->confirmedTiles(3), tilesOf({2, 8}));
    o.view.Click(*o.page, IDC_POSTER_2X2);
    EXPECT_EQ(o.pages(), allTiles());
    o.view.Click(*o.page, IDC_POSTER_3X3);
    EXPECT_EQ(o.pages(), tilesOf({2, 8}));
}

TEST(PosterSelect, EachClickStoresBothArraysTheFlagAndTheStatus)
{
    struct Row {
        int32_t size;
        std::vector<int> clicks;   // 1-based, on a grid that starts all selected
        PosterTiles tiles;
        std::string status;
    } rows[] = {
        {2, {}, tilesOf({1, 2, 3, 4}), "1, 2, 3, 4"},
        {2, {1}, tilesOf({2, 3, 4}), "2, 3, 4"},
        {2, {1, 1}, tilesOf({1, 2, 3, 4}), "1, 2, 3, 4"},
        {3, {2, 4, 6, 8}, tilesOf({1, 3, 5, 7, 9}), "1, 3, 5, 7, 9"},
        {4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, tilesOf({16}), "16"},
    };
    for (const Row& r : rows) {
        PosterOpening o([&](LCDEVMODE& rec) { rec.dmPosterRows = rec.dmPosterColumns = r.size; });
        PosterSelectDlg dialog(*o.model, o.world.product);
        MemoryView v;
        v.strings[IDS_POSTER_GRID_2X2 + static_cast<uint32_t>(r.size) - 2] = "grid";
        dialog.OnInit(v);
        EXPECT_EQ(v.GetText(IDC_POSTER_GRID_GROUP), "grid");
        for (int n : r.clicks)
            v.Click(dialog, TileId(r.size, n - 1));
        const std::string label = "size " + std::to_string(r.size) + " after " + std::to_string(r.clicks.size());
        EXPECT_EQ(v.GetText(IDC_POSTER_STATUS), r.status) << label;
        EXPECT_EQ(v.control(IDC_POSTER_STATUS).textColour, kTextBlack) << label;
        EXPECT_TRUE(v.IsEnabled(kDialogOk)) << label;
        for (int i = 0; i < r.size * r.size; ++i)
            EXPECT_EQ(v.GetCheck(TileId(r.size, i)), r.tiles[static_cast<size_t>(i)] == 1) << label << " tile " << i;
        const bool clicked = r.clicks.size() > 0;
        EXPECT_EQ(o.model->Features().IsPosterSelectedOnly(r.size), clicked) << label;
        if (clicked) {
            EXPECT_EQ(o.pages(), r.tiles) << label;
            EXPECT_EQ(o.display(), r.tiles) << label;
        }
        // Only the current size's grid is shown and its flag set.
        for (int32_t other = 2; other <= 4; ++other) {
            EXPECT_EQ(v.IsVisible(TileId(other, 0)), other == r.size) << label;
            if (other != r.size) {
                EXPECT_FALSE(o.model->Features().IsPosterSelectedOnly(other)) << label;
            }
        }
    }
}

TEST(PosterSelect, NoneSelectedShowsTheRedTextAndRefusesOk)
{
    PosterOpening o;
    PosterSelectDlg dialog(*o.model, o.world.product);
    MemoryView v;
    v.strings[IDS_POSTER_NONE_SELECTED] = "No sheet";
    dialog.OnInit(v);
    for (int n : {1, 2, 3, 4})
        v.Click(dialog, TileId(2, n - 1));
    EXPECT_EQ(v.GetText(IDC_POSTER_STATUS), "No sheet");
    EXPECT_EQ(v.control(IDC_POSTER_STATUS).textColour, kTextRed);
    EXPECT_FALSE(v.IsEnabled(kDialogOk));
    EXPECT_FALSE(dialog.OnOK(v));   // Enter must not get past the greyed button
    EXPECT_EQ(o.pages(), tilesOf({}));

    v.Click(dialog, TileId(2, 2));
    EXPECT_EQ(v.GetText(IDC_POSTER_STATUS), "3");
    EXPECT_EQ(v.control(IDC_POSTER_STATUS).textColour, kTextBlack);
    EXPECT_TRUE(v.IsEnabled(kDialogOk));
    EXPECT_TRUE(dialog.OnOK(v));
}

TEST(PosterSelect, StartsFromTheConfirmedSelectionOrFromAllSheets)
{
    PosterOpening confirmed([](LCDEVMODE& r) {
        r.dmPosterRows = r.dmPosterColumns = 3;
        std::memcpy(r.dmPosterPages, tilesOf({4, 9, 12}).data(), sizeof r.dmPosterPages);
    });
    PosterSelectDlg first(*confirmed.model, confirmed.world.product);
    MemoryView v1;
    first.OnInit(v1);
    EXPECT_EQ(first.tiles(), tilesOf({4, 9}));   // sheet 12 is beyond the 3 x 3 grid
    EXPECT_EQ(v1.GetText(IDC_POSTER_STATUS), "4, 9");

    PosterOpening fresh;   // a default record: no selection, all zero
    PosterSelectDlg second(*fresh.model, fresh.world.product);
    MemoryView v2;
    second.OnInit(v2);
    EXPECT_EQ(second.tiles(), tilesOf({1, 2, 3, 4}));
    EXPECT_EQ(fresh.pages(), tilesOf({})) << "opening alone changes nothing";
    EXPECT_FALSE(fresh.model->Features().IsPosterSelectedOnly(2));
}

TEST(PosterSelect, CancelPutsBackWhatTheModelHeld)
{
    PosterOpening o([](LCDEVMODE& r) {
        r.dmPosterRows = r.dmPosterColumns = 2;
        std::memcpy(r.dmPosterPages, tilesOf({2, 3}).data(), sizeof r.dmPosterPages);
        std::memcpy(r.dmPosterDisplay, tilesOf({2, 3}).data(), sizeof r.dmPosterDisplay);
    });
    const LCDEVMODE before = o.saved();
    EXPECT_EQ(o.selectPages({2, 3}, kDialogCancel), kDialogCancel);   // none selected, then Cancel
    const LCDEVMODE after = o.saved();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    EXPECT_TRUE(o.model->Features().IsPosterSelectedOnly(2));
    EXPECT_EQ(o.page->confirmedTiles(2), tilesOf({2, 3}));

    // OK keeps the change and the page takes it as confirmed.
    EXPECT_EQ(o.selectPages({1}, kDialogOk), kDialogOk);
    EXPECT_EQ(o.page->confirmedTiles(2), tilesOf({1, 2, 3}));
    const LCDEVMODE ok = o.saved();
    EXPECT_EQ(std::memcmp(ok.dmPosterPages, tilesOf({1, 2, 3}).data(), sizeof ok.dmPosterPages), 0);
    EXPECT_EQ(std::memcmp(ok.dmPosterDisplay, tilesOf({1, 2, 3}).data(), sizeof ok.dmPosterDisplay), 0);
    EXPECT_EQ(o.sheetPreviews, 1);
}

TEST(PosterSelect, HelpButtonOpensTheHowToWindow)
{
    PosterOpening o;
    o.world.product.setText(OptionKey::IDO_PROP_HELPFILE, "pmphoto.hlp");
    o.world.product.setText(OptionKey::IDO_HELPFILEHOWTOWND, "HowTo");
    PosterSelectDlg dialog(*o.model, o.world.product);
    MemoryView v;
    dialog.OnInit(v);
    v.Click(dialog, IDC_POSTER_HELP);
    ASSERT_EQ(v.helpOpened.size(), 1u);
    EXPECT_EQ(v.helpOpened[0].file, "pmphoto.hlp");
    EXPECT_EQ(v.helpOpened[0].window, ">HowTo");
    EXPECT_EQ(v.helpOpened[0].topic, static_cast<uint32_t>(IDD_POSTER_SELECT));
    // Context help only where the product offers it.
    dialog.OnHelp(v, TileId(2, 0));
    EXPECT_EQ(v.helpOpened.size(), 1u);
    o.world.product.set(OptionKey::IDO_PROP_CONTEXT_HELP, 1);
    dialog.OnHelp(v, TileId(2, 0));
    ASSERT_EQ(v.helpOpened.size(), 2u);
    EXPECT_EQ(v.helpOpened[1].window, ">whats this");
}

}  // namespace
