#include "CWatermarkDlg.h"

CWatermarkDlg::CWatermarkDlg(const PageContext& context, GUIPrinter& model, ScreenFonts fonts)
    : WatermarkListPage(context, std::move(fonts), false)
{
    SetPrinter(&model);
}

void CWatermarkDlg::OnInit(View& view)
{
    setupGroups(view);
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
