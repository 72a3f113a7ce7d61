#include "InkControls.h"

#include "Options.h"
#include "ResourceIds.h"

void SetupInkControls(View& view, InkDisplay& ink, const GUIPrinter& model, const ProductOptions& product)
{
    const Options o(product);
    view.SetText(IDC_ORDER_INK,
                 view.String(o.equals(OptionKey::IDO_ORDERINK_STRING, 1) ? IDS_ORDER_SUPPLIES : IDS_ORDER_INK));
    INKINFO info;
    model.GetInkInfo2(info);
    ink.SetPrinterName(model.GetPrinterName());
    ink.SetInkInfo(&info);
    view.AttachInkDisplay(ink, IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT);
    // Nothing known about the ink: nothing to order from.
    if (!ink.HasInkMonitoring()) {
        view.Enable(IDC_ORDER_INK, false);
        view.Show(IDC_ORDER_INK, false);
    }
    if (model.GetPortType() == 10) {
        view.Enable(IDC_ORDER_INK, false);
        ink.SetPortMode(10);
    }
    if (model.GetPortType() == 12)
        view.Enable(IDC_ORDER_INK, false);
}
