#include "CAdvColorOptionsDlg.h"

#include "Options.h"
#include "ResourceIds.h"

CAdvColorOptionsDlg::CAdvColorOptionsDlg(const PageContext& context, GUIPrinter& model)
    : product_(context.product), trace_(context.trace), editor_(context, "CAdvColorOptionsDlg")
{
    editor_.SetPrinter(&model);
}

bool CAdvColorOptionsDlg::OnCommand(View& view, int id, Notify code)
{
    if (id == IDC_COLOR_HELP && code == Notify::Clicked) {
        // The dialog's own topic in the product's help file.
        view.OpenHelp(Options(product_).text(OptionKey::IDO_PROP_HELPFILE), "", IDD_ADV_COLOR_OPTIONS_DLG);
        return true;
    }
    return editor_.Command(view, id, code);
}

bool CAdvColorOptionsDlg::OnOK(View&)
{
    trace_.OutputData("CAdvColorOptionsDlg::OnOK()");
    editor_.Store();
    return true;
}

void CAdvColorOptionsDlg::OnCancel(View&)
{
    trace_.OutputData("CAdvColorOptionsDlg::OnCancel()");
}
