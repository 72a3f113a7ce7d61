// The quality-and-copies tab of the alternate main window: quality, media
// (automatic or chosen), black and white, sharpening, copies, and links to
// the paper-type help and the status program. QualityPropPageNoMediaSense
// serves products without automatic media sensing.
#pragma once

#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

class QualityPropPage : public DialogPage {
public:
    explicit QualityPropPage(const PageContext& context);

    // Called by the sheet before the page's window exists.
    void SetPrinter(GUIPrinter* model) { model_ = model; }
    // Re-reads everything from the model.
    void Refresh(View& view);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnSetActive(View& view) override { Refresh(view); }

protected:
    QualityPropPage(const PageContext& context, bool mediaSense);

    PageContext context_;
    GUIPrinter* model_ = nullptr;
    const bool mediaSense_;
};

class QualityPropPageNoMediaSense : public QualityPropPage {
public:
    explicit QualityPropPageNoMediaSense(const PageContext& context) : QualityPropPage(context, false) {}
};
