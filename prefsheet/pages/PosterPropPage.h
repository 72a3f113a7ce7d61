// The poster page: one page enlarged over 2 x 2, 3 x 3 or 4 x 4 sheets, with
// or without overlap marks, and which sheets print. The advanced page's
// layout sheet holds it as AdvancePosterPropPage, the alternate main window
// as PosterPropPage: the same page under two names.
#pragma once

#include "GUIPrinter.h"
#include "PageContext.h"
#include "PosterSelectDlg.h"
#include "View.h"

#include <array>
#include <cstdint>
#include <functional>

namespace PosterRules {
// The preview for a grid size and the overlap switch (values other than 1
// count as off).
uint32_t PreviewPicture(int32_t size, int32_t overlap);
// The size button that shows the model's rows; 0 when the rows are none of 2, 3, 4.
int SizeButton(int32_t rows);
}  // namespace PosterRules

class AdvancePosterPropPage : public DialogPage {
public:
    explicit AdvancePosterPropPage(const PageContext& context);

    // Called by the sheet before the page's window exists.
    void SetPrinter(GUIPrinter* model) { model_ = model; }
    // The sheet's preview of the layout, redrawn when the poster changes.
    void SetSheetPreview(std::function<void()> redraw) { sheetPreview_ = std::move(redraw); }
    // Re-reads everything from the model.
    void Refresh(View& view);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnPaint(View& view) override;
    void OnSetActive(View& view) override { Refresh(view); }
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }

    // The sheets last confirmed in the selection dialog for a grid size.
    const PosterTiles& confirmedTiles(int32_t size) const;

private:
    void readModel();
    // Runs only from a size button's click. The window layer reports only
    // the user's clicks (the picture buttons notify nothing on focus, and
    // checks set by code are quiet), and painting never calls it: the
    // model's size is shown without acting on it.
    void onSize(View& view, int32_t size);
    void onOverlap(View& view);
    void onSelectPages(View& view);
    void redrawSheetPreview();

    PageContext context_;
    GUIPrinter* model_ = nullptr;
    std::function<void()> sheetPreview_;

    // One confirmed selection per grid size, so that a 2 x 2 selection never
    // stands for a 3 x 3 poster's sheets.
    std::array<PosterTiles, 3> confirmed_{};
};

class PosterPropPage : public AdvancePosterPropPage {
public:
    using AdvancePosterPropPage::AdvancePosterPropPage;
};
