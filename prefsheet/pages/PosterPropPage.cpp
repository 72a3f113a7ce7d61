#include "PosterPropPage.h"

#include "BitmapIds.h"
#include "ResourceIds.h"

namespace {

constexpr int32_t kPosterLayout = 4;
constexpr uint32_t kTileCount = 16;

struct SizeButtonEntry {
    int32_t size;
    int id;
    uint32_t up;
    uint32_t down;
};
const SizeButtonEntry kSizeButtons[] = {
    {2, IDC_POSTER_2X2, IDB_POSTER_SIZE_2X2_UP, IDB_POSTER_SIZE_2X2_DOWN},
    {3, IDC_POSTER_3X3, IDB_POSTER_SIZE_3X3_UP, IDB_POSTER_SIZE_3X3_DOWN},
    {4, IDC_POSTER_4X4, IDB_POSTER_SIZE_4X4_UP, IDB_POSTER_SIZE_4X4_DOWN},
};

}  // namespace

namespace PosterRules {

uint32_t PreviewPicture(int32_t size, int32_t overlap)
{
    const bool marks = overlap == 1;
    if (size == 4)
        return marks ? IDB_POSTER_4X4_OVERLAP : IDB_POSTER_4X4;
    if (size == 3)
        return marks ? IDB_POSTER_3X3_OVERLAP : IDB_POSTER_3X3;
    if (size == 2 && marks)
        return IDB_POSTER_2X2_OVERLAP;
    return IDB_POSTER_2X2;
}

int SizeButton(int32_t rows)
{
    for (const SizeButtonEntry& b : kSizeButtons)
        if (b.size == rows)
            return b.id;
    return 0;
}

}  // namespace PosterRules

using namespace PosterRules;

AdvancePosterPropPage::AdvancePosterPropPage(const PageContext& context) : context_(context) {}

void AdvancePosterPropPage::OnInit(View& view)
{
    Refresh(view);
}

// A selection the record carries counts as confirmed for the record's size.
void AdvancePosterPropPage::readModel()
{
    const GUIFeatures& f = model_->Features();
    const int32_t size = model_->GetPosterRows();
    if (SizeButton(size) == 0 || !f.IsPosterSelectedOnly(size))
        return;
    PosterTiles& tiles = confirmed_[static_cast<size_t>(size - 2)];
    for (uint32_t i = 0; i < kTileCount; ++i)
        tiles[i] = f.GetPosterPage(i);
}

void AdvancePosterPropPage::Refresh(View& view)
{
    readModel();
    OnPaint(view);
    view.Redraw(0);
}

const PosterTiles& AdvancePosterPropPage::confirmedTiles(int32_t size) const
{
    return confirmed_[static_cast<size_t>(GridSize(size) - 2)];
}

void AdvancePosterPropPage::OnPaint(View& view)
{
    const GUIPrinter& m = *model_;
    const int pressed = SizeButton(m.GetPosterRows());
    for (const SizeButtonEntry& b : kSizeButtons) {
        view.SetCheck(b.id, b.id == pressed);
        view.SetPicture(b.id, b.id == pressed ? b.down : b.up);
    }
    const int32_t overlap = m.Features().GetPosterOverlap();
    view.SetCheck(IDC_POSTER_OVERLAP, overlap == 1);
    view.SetPicture(IDC_POSTER_PREVIEW, PreviewPicture(m.GetPosterRows(), overlap));
}

bool AdvancePosterPropPage::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    for (const SizeButtonEntry& b : kSizeButtons) {
        if (b.id == id) {
            onSize(view, b.size);
            return true;
        }
    }
    switch (id) {
    case IDC_POSTER_OVERLAP:
        onOverlap(view);
        return true;
    case IDC_POSTER_SELECT:
        onSelectPages(view);
        return true;
    default:
        return false;
    }
}

void AdvancePosterPropPage::onSize(View& view, int32_t size)
{
    GUIPrinter& m = *model_;
    GUIFeatures& f = m.Features();
    m.SetPosterRows(size);
    m.SetPosterColumns(size);
    OnPaint(view);

    bool anyDisplayed = false;
    for (uint32_t i = 0; i < kTileCount; ++i)
        anyDisplayed = anyDisplayed || f.GetPosterDisplay(i) == 1;
    if (m.GetLayoutCode() == kPosterLayout && !anyDisplayed)
        for (uint32_t i = 0; i < kTileCount; ++i)
            f.SetPosterDisplay(i, 1);

    const bool selectedOnly = f.IsPosterSelectedOnly(size);
    const PosterTiles& confirmed = confirmedTiles(size);
    for (uint32_t i = 0; i < kTileCount; ++i)
        f.SetPosterPage(i, selectedOnly ? confirmed[i] : 1);
    redrawSheetPreview();
}

void AdvancePosterPropPage::onOverlap(View& view)
{
    GUIFeatures& f = model_->Features();
    f.SetPosterOverlap(f.GetPosterOverlap() == 1 ? 0 : 1);
    OnPaint(view);
}

void AdvancePosterPropPage::onSelectPages(View& view)
{
    PosterSelectDlg dialog(*model_, context_.product);
    if (view.RunDialog(IDD_POSTER_SELECT, dialog) != kDialogOk)
        return;
    PosterTiles& confirmed = confirmed_[static_cast<size_t>(dialog.size() - 2)];
    for (uint32_t i = 0; i < kTileCount; ++i)
        confirmed[i] = model_->Features().GetPosterPage(i);
    redrawSheetPreview();
}

void AdvancePosterPropPage::redrawSheetPreview()
{
    if (sheetPreview_)
        sheetPreview_();
}
