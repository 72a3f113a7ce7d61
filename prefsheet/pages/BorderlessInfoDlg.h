// The note shown when edge-to-edge printing is switched on: what borderless
// printing does to the page, with a box to stop the note from coming back.
#pragma once

#include "GUIPrinter.h"
#include "View.h"

class BorderlessInfoDlg : public DialogPage {
public:
    explicit BorderlessInfoDlg(const GUIPrinter& model) : model_(model) {}

    void OnInit(View& view) override;
    bool OnCommand(View&, int, Notify) override { return false; }
    bool OnOK(View& view) override;
    bool dontShowAgain() const { return dontShowAgain_; }

private:
    const GUIPrinter& model_;
    bool dontShowAgain_ = false;
};
