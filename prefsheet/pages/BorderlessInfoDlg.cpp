#include "BorderlessInfoDlg.h"

#include "ResourceIds.h"

void BorderlessInfoDlg::OnInit(View& view)
{
    view.SetWindowTitle(model_.GetPrinterName() + " - " + view.String(IDS_BORDERLESS_TITLE));
    view.SetCheck(IDC_BORDERLESS_DONT_SHOW, false);
}

bool BorderlessInfoDlg::OnOK(View& view)
{
    dontShowAgain_ = view.GetCheck(IDC_BORDERLESS_DONT_SHOW);
    return true;
}
