// The colour options as a modal dialog with OK, Cancel and help, for the
// alternate main window: the page's editor, its own traces.
#pragma once

#include "CAdvColorOptionsPropPage.h"

class CAdvColorOptionsDlg : public DialogPage {
public:
    CAdvColorOptionsDlg(const PageContext& context, GUIPrinter& model);

    void OnInit(View& view) override { editor_.Init(view, false); }
    bool OnCommand(View& view, int id, Notify code) override;
    void OnScroll(View& view, int id, int) override { editor_.Scroll(view, id); }
    void OnHelp(View& view, int id) override { ShowControlHelp(view, product_, id); }
    bool OnOK(View& view) override;
    void OnCancel(View& view) override;

    const ColorOptionValues& values() const { return editor_.values(); }

private:
    const ProductOptions& product_;
    Trace& trace_;
    ColorOptionsEditor editor_;
};
