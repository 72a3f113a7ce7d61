#include "CWatermarkDlg.h"

#include "ResourceIds.h"

CWatermarkDlg::CWatermarkDlg(const PageContext& context, GUIPrinter& model, ScreenFonts fonts)
    : WatermarkListPage(context, std::move(fonts), false)
{
    SetPrinter(&model);
}

void CWatermarkDlg::OnInit(View& view)
{
    view.SetText(IDC_WM_GROUP_SELECT, view.String(IDS_WM_GROUP_SELECT));
    view.SetText(IDC_WM_GROUP_PAGES, view.String(IDS_WM_GROUP_PAGES));
    view.SetText(IDC_WM_GROUP_PLACEMENT, view.String(IDS_WM_GROUP_PLACEMENT));
    readSelection();
    showMode(view);
    InitializeColumns(view);
}

bool CWatermarkDlg::OnOK(View&)
{
    commitSelection();
    model_->Features().SetCurWatermarkList(list_.data(), static_cast<uint32_t>(list_.size()));
    return true;
}
