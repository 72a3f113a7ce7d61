#include "PosterSelectDlg.h"

#include "Options.h"
#include "PageContext.h"
#include "ResourceIds.h"

namespace {

constexpr int kTileCount = 16;

const int kFirstTile[] = {IDC_POSTER_TILE_2X2, IDC_POSTER_TILE_3X3, IDC_POSTER_TILE_4X4};
const uint32_t kGridCaption[] = {IDS_POSTER_GRID_2X2, IDS_POSTER_GRID_3X3, IDS_POSTER_GRID_4X4};

struct Label {
    int control;
    uint32_t text;
};
const Label kLabels[] = {
    {IDC_POSTER_SELECT_HELP_TEXT, IDS_POSTER_SELECT_HELP_TEXT},
    {IDC_POSTER_STATUS_LABEL, IDS_POSTER_PAGES_TO_PRINT},
    {kDialogOk, IDS_POSTER_OK},
    {kDialogCancel, IDS_POSTER_CANCEL},
    {IDC_POSTER_HELP, IDS_POSTER_HELP},
};

}  // namespace

namespace PosterRules {

int32_t GridSize(int32_t rows)
{
    return rows == 3 || rows == 4 ? rows : 2;
}

int TileId(int32_t size, int index)
{
    return kFirstTile[GridSize(size) - 2] + index;
}

std::string SelectedList(const PosterTiles& tiles, int32_t size)
{
    const int count = GridSize(size) * GridSize(size);
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (tiles[static_cast<size_t>(i)] != 1)
            continue;
        if (!list.empty())
            list += ", ";
        list += std::to_string(i + 1);
    }
    return list;
}

}  // namespace PosterRules

using namespace PosterRules;

PosterSelectDlg::PosterSelectDlg(GUIPrinter& model, const ProductOptions& product) : model_(model), product_(product)
{
}

// A size whose selection was never confirmed prints every sheet, so the
// grid starts with all of them; a confirmed one starts as it was confirmed.
void PosterSelectDlg::OnInit(View& view)
{
    GUIFeatures& f = model_.Features();
    size_ = GridSize(model_.GetPosterRows());
    for (uint32_t i = 0; i < kTileCount; ++i) {
        openedPages_[i] = f.GetPosterPage(i);
        openedDisplay_[i] = f.GetPosterDisplay(i);
    }
    openedSelectedOnly_ = f.IsPosterSelectedOnly(size_);

    const int count = size_ * size_;
    for (int i = 0; i < kTileCount; ++i)
        tiles_[static_cast<size_t>(i)] =
            i < count && (!openedSelectedOnly_ || openedPages_[static_cast<size_t>(i)] == 1) ? 1 : 0;

    view.SetWindowTitle(view.String(IDS_POSTER_SELECT_TITLE));
    for (const Label& l : kLabels)
        view.SetText(l.control, view.String(l.text));
    showGrid(view);
    showStatus(view);
}

// The grid of the current size is the one shown; the other two hide.
void PosterSelectDlg::showGrid(View& view)
{
    view.SetText(IDC_POSTER_GRID_GROUP, view.String(kGridCaption[size_ - 2]));
    for (int32_t grid = 2; grid <= 4; ++grid) {
        for (int i = 0; i < grid * grid; ++i) {
            const int id = TileId(grid, i);
            view.Show(id, grid == size_);
            view.Enable(id, grid == size_);
            if (grid == size_)
                view.SetCheck(id, tiles_[static_cast<size_t>(i)] == 1);
        }
    }
}

void PosterSelectDlg::showStatus(View& view)
{
    const std::string list = SelectedList(tiles_, size_);
    if (list.empty()) {
        view.SetText(IDC_POSTER_STATUS, view.String(IDS_POSTER_NONE_SELECTED));
        view.SetTextColour(IDC_POSTER_STATUS, kTextRed);
    } else {
        view.SetText(IDC_POSTER_STATUS, list);
        view.SetTextColour(IDC_POSTER_STATUS, kTextBlack);
    }
    view.Enable(kDialogOk, !list.empty());
}

void PosterSelectDlg::store()
{
    GUIFeatures& f = model_.Features();
    f.SetPosterSelectedOnly(size_, true);
    for (uint32_t i = 0; i < kTileCount; ++i) {
        f.SetPosterPage(i, tiles_[i]);
        f.SetPosterDisplay(i, tiles_[i]);
    }
}

bool PosterSelectDlg::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    if (id == IDC_POSTER_HELP) {
        const Options o(product_);
        view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), ">" + o.text(OptionKey::IDO_HELPFILEHOWTOWND),
                      IDD_POSTER_SELECT);
        return true;
    }
    const int index = id - TileId(size_, 0);
    if (index < 0 || index >= size_ * size_)
        return false;
    uint32_t& tile = tiles_[static_cast<size_t>(index)];
    tile = tile == 1 ? 0 : 1;
    view.SetCheck(id, tile == 1);
    showStatus(view);
    store();
    return true;
}

void PosterSelectDlg::OnHelp(View& view, int id)
{
    ShowControlHelp(view, product_, id);
}

// OK is greyed while no sheet is selected; Enter must not get past that.
bool PosterSelectDlg::OnOK(View&)
{
    return !SelectedList(tiles_, size_).empty();
}

void PosterSelectDlg::OnCancel(View&)
{
    GUIFeatures& f = model_.Features();
    f.SetPosterSelectedOnly(size_, openedSelectedOnly_);
    for (uint32_t i = 0; i < kTileCount; ++i) {
        f.SetPosterPage(i, openedPages_[i]);
        f.SetPosterDisplay(i, openedDisplay_[i]);
    }
}
