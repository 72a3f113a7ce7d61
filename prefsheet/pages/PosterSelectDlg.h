// The poster's page selection: a grid of clickable tiles, one per sheet of
// the current poster size, and the list of the sheets that will print. Each
// change goes straight into the model (both tile arrays and the size's
// selected-pages-only flag); Cancel puts back what the model held before.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "View.h"

#include <array>
#include <cstdint>
#include <string>

using PosterTiles = std::array<uint32_t, 16>;   // 0 or 1 per sheet, row by row

namespace PosterRules {
// 2, 3 or 4 sheets a side; the record's other values show as 2.
int32_t GridSize(int32_t rows);
// The control of tile `index` (0-based, row by row) of a grid size.
int TileId(int32_t size, int index);
// The selected sheets' numbers, 1-based, ", " apart; "" when none.
std::string SelectedList(const PosterTiles& tiles, int32_t size);
}  // namespace PosterRules

class PosterSelectDlg : public DialogPage {
public:
    PosterSelectDlg(GUIPrinter& model, const ProductOptions& product);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnHelp(View& view, int id) override;
    bool OnOK(View& view) override;
    void OnCancel(View& view) override;

    int32_t size() const { return size_; }
    const PosterTiles& tiles() const { return tiles_; }

private:
    void showGrid(View& view);
    void showStatus(View& view);
    void store();

    GUIPrinter& model_;
    const ProductOptions& product_;
    int32_t size_ = 2;
    PosterTiles tiles_{};
    // What the model held when the dialog opened, for Cancel.
    PosterTiles openedPages_{};
    PosterTiles openedDisplay_{};
    bool openedSelectedOnly_ = false;
};
