// The advanced page: the print layout, chosen from a list that shows one
// page of an embedded sheet of layout pages (AdvancePropSheet), and the
// two-sided options: binding edge, method, dry time, the two-way print
// option, image sharpening, the status program and the more-options dialog.
#pragma once

#include "GUIPrinter.h"
#include "LayoutPages.h"
#include "PageContext.h"
#include "PosterPropPage.h"
#include "View.h"

#include <cstdint>
#include <memory>

// One entry of the layout list: the sheet page it shows and what choosing it
// sets in the model. Panorama and borderless follow from the paper chosen on
// the page setup page and cannot be chosen here.
struct LayoutEntry {
    int sheetPage;
    uint32_t text;
    int32_t layoutCode;
    int32_t pageLayout;   // the feature word 14C: 1 prints two pages on a sheet
    bool choosable;
};

namespace AdvanceRules {
constexpr int kLayoutCount = 7;
const LayoutEntry& Entry(int index);
// The entry that describes the model's layout.
int EntryForModel(uint32_t paperFlags, int32_t layoutCode, int32_t pageLayout);
}  // namespace AdvanceRules

// The seven pages of the embedded sheet, in the sheet's order.
class AdvancePropSheet {
public:
    explicit AdvancePropSheet(const PageContext& context);
    void SetPrinter(GUIPrinter* model) { poster_.SetPrinter(model); }
    std::vector<SheetPage> Pages();
    AdvancePosterPropPage& poster() { return poster_; }

private:
    LayoutPage normal_, twoUp_, perSheet_, booklet_;
    AdvancePosterPropPage poster_;
    LayoutPage panorama_, borderless_;
};

class AdvancePropPage : public DialogPage {
public:
    explicit AdvancePropPage(const PageContext& context);

    void SetPrinter(GUIPrinter* model)
    {
        model_ = model;
        sheet_.SetPrinter(model);
    }
    void Refresh(View& view);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnSetActive(View& view) override { Refresh(view); }
    void OnHelp(View& view, int id) override { ShowControlHelp(view, context_.product, id); }

    AdvancePropSheet& sheet() { return sheet_; }

private:
    void setupInk(View& view);
    void onLayout(View& view);
    void onBinding(View& view, int32_t duplexMode);
    void onMethod(View& view);
    void afterChange(View& view);

    PageContext context_;
    AdvancePropSheet sheet_;
    std::unique_ptr<InkDisplay> ink_;
    GUIPrinter* model_ = nullptr;
    bool initialising_ = false;
    bool twoWayLocked_ = false;
};
