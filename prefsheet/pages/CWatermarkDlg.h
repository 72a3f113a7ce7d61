// The watermark list as a modal dialog (alternate main window): the tab
// page's controls and rules, but mode, placement and the two selections
// reach the store only on OK, with the whole list.
#pragma once

#include "CWatermarkTabPropPage.h"

class CWatermarkDlg : public WatermarkListPage {
public:
    CWatermarkDlg(const PageContext& context, GUIPrinter& model, ScreenFonts fonts);

    void OnInit(View& view) override;
    bool OnOK(View& view) override;
};
