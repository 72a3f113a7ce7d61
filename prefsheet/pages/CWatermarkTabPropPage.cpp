#include "CWatermarkTabPropPage.h"

#include "CWatermarkEditDlg.h"
#include "ResourceIds.h"
#include "WatermarkRules.h"

#include <new>

using namespace WatermarkRules;

WatermarkListPage::WatermarkListPage(const PageContext& context, ScreenFonts fonts, bool immediate)
    : context_(context), fonts_(std::move(fonts)), immediate_(immediate)
{
}

void WatermarkListPage::readSelection()
{
    const GUIFeatures& store = model_->Features();
    mode_ = store.GetWatermarkPages();
    placement_ = store.GetWatermarkLayer();
    first_ = store.GetWatermark1();
    second_ = store.GetWatermark2();
}

void WatermarkListPage::commitSelection()
{
    GUIFeatures& store = model_->Features();
    store.SetWatermarkPages(mode_);
    store.SetWatermarkLayer(placement_);
    store.SetWatermark1(first_);
    store.SetWatermark2(second_);
}

void WatermarkListPage::setupGroups(View& view)
{
    view.SetText(IDC_WM_GROUP_SELECT, view.String(IDS_WM_GROUP_SELECT));
    view.SetText(IDC_WM_GROUP_PAGES, view.String(IDS_WM_GROUP_PAGES));
    view.SetText(IDC_WM_GROUP_PLACEMENT, view.String(IDS_WM_GROUP_PLACEMENT));
}

void WatermarkListPage::showMode(View& view)
{
    view.SetCheck(IDC_WM_FIRST_AND_OTHER, mode_ != 1);
    view.SetCheck(IDC_WM_ODD_AND_EVEN, mode_ == 1);
    view.SetText(IDC_WM_LEFT_LABEL, view.String(mode_ == 1 ? IDS_WM_ODD_PAGES : IDS_WM_FIRST_PAGE));
    view.SetText(IDC_WM_RIGHT_LABEL, view.String(mode_ == 1 ? IDS_WM_EVEN_PAGES : IDS_WM_OTHER_PAGES));
    view.SetCheck(IDC_WM_OVER, placement_ != 1);
    view.SetCheck(IDC_WM_UNDER, placement_ == 1);
}

void WatermarkListPage::InitializeColumns(View& view)
{
    Trace& trace = context_.trace;
    const GUIFeatures& store = model_->Features();
    const uint32_t count = store.GetCurWatermarkCount();
    trace.OutputData("m_iNumWatermark " + std::to_string(count));
    view.ClearList(IDC_WM_LEFT_LIST);
    view.ClearList(IDC_WM_RIGHT_LIST);
    try {
        std::vector<LCWMARKINFO> copy(count);
        store.GetCurWatermarkList(copy.data());
        list_.swap(copy);
    } catch (const std::bad_alloc&) {
        list_.clear();
        trace.OutputData("Unable to allocate enough space for WATERMARK values.");
        return;
    }

    left_ = FindByName(list_, NameOf(first_));
    if (left_ < 0) {
        left_ = 0;
        first_ = store.GetDefaultWatermark();
    }
    right_ = FindByName(list_, NameOf(second_));
    if (right_ < 0) {
        right_ = 0;
        second_ = store.GetDefaultWatermark();
    }
    trace.OutputData("CWatermarkTabPropPage.. selected indices: m_iSelectedLeft = " + std::to_string(left_) +
                     ", m_iSelectedRight = " + std::to_string(right_));
    fillColumns(view);
    view.SetListSelection(IDC_WM_LEFT_LIST, left_);
    view.SetListSelection(IDC_WM_RIGHT_LIST, right_);
    onLeftColumn(view);
    onRightColumn(view);
}

void WatermarkListPage::fillColumns(View& view)
{
    for (const LCWMARKINFO& mark : list_) {
        view.AddListItem(IDC_WM_LEFT_LIST, NameOf(mark), static_cast<int32_t>(mark.wmIndex));
        view.AddListItem(IDC_WM_RIGHT_LIST, NameOf(mark), static_cast<int32_t>(mark.wmIndex));
    }
}

void WatermarkListPage::onLeftColumn(View& view)
{
    const int index = view.GetListSelection(IDC_WM_LEFT_LIST);
    context_.trace.OutputData("Current Selected Value: " + std::to_string(index));
    if (index < 0 || static_cast<size_t>(index) >= list_.size())
        return;
    left_ = index;
    first_ = list_[static_cast<size_t>(index)];
    // Record 0 is the fixed first entry.
    const bool editable = first_.wmIndex != 0;
    view.Enable(IDC_WM_EDIT, editable);
    view.Enable(IDC_WM_DELETE, editable);
    view.SetWatermarkPreview(IDC_WM_PREVIEW, Describe(first_));
    if (immediate_)
        commitSelection();
}

void WatermarkListPage::onRightColumn(View& view)
{
    const int index = view.GetListSelection(IDC_WM_RIGHT_LIST);
    if (index < 0 || static_cast<size_t>(index) >= list_.size())
        return;
    right_ = index;
    second_ = list_[static_cast<size_t>(index)];
    if (immediate_)
        commitSelection();
}

void WatermarkListPage::onMode(View& view, uint8_t mode)
{
    mode_ = mode;
    showMode(view);
    if (immediate_)
        commitSelection();
}

bool WatermarkListPage::OnCommand(View& view, int id, Notify code)
{
    if (code == Notify::SelChange) {
        if (id == IDC_WM_LEFT_LIST)
            onLeftColumn(view);
        else if (id == IDC_WM_RIGHT_LIST)
            onRightColumn(view);
        else
            return false;
        return true;
    }
    if (code != Notify::Clicked)
        return false;
    switch (id) {
    case IDC_WM_FIRST_AND_OTHER:
        onMode(view, 0);
        return true;
    case IDC_WM_ODD_AND_EVEN:
        onMode(view, 1);
        return true;
    case IDC_WM_OVER:
    case IDC_WM_UNDER:
        placement_ = id == IDC_WM_UNDER ? 1 : 0;
        showMode(view);
        if (immediate_)
            commitSelection();
        return true;
    case IDC_WM_ADD:
        onEdit(view, false);
        return true;
    case IDC_WM_EDIT:
        onEdit(view, true);
        return true;
    case IDC_WM_DELETE:
        onDelete(view);
        return true;
    case IDC_ORDER_INK:
        context_.companions.OnOrderSupplies(model_->GetPrinterName());
        return true;
    default:
        return false;
    }
}

void WatermarkListPage::onEdit(View& view, bool edit)
{
    CWatermarkEditDlg dialog(context_, *model_, fonts_, list_, edit, left_);
    if (view.RunDialog(IDD_WATERMARK_EDIT, dialog) == kDialogOk)
        InitializeColumns(view);
    view.Redraw(0);
}

void WatermarkListPage::onDelete(View& view)
{
    if (list_.empty() || first_.wmIndex == 0)
        return;
    const std::string name = NameOf(first_);
    const int answer = view.MessageBox(view.String(IDS_WM_DELETE_TEXT) + name + view.String(IDS_DELETE_QUESTION_END),
                                       view.String(IDS_WM_DELETE_CAPTION),
                                       MessageFlag::YesNo | MessageFlag::Question);
    if (answer != MessageFlag::AnswerYes)
        return;
    Trace& trace = context_.trace;
    trace.OutputData("User clicked YES button.");
    std::vector<LCWMARKINFO> kept;
    try {
        kept = WithoutName(list_, name);
    } catch (const std::bad_alloc&) {
        trace.OutputData("Unable to allocate enough space for temporary WATERMARK values.");
        return;
    }
    // Names compare without case, so one deletion can take several records:
    // the count is what the new list holds, never the old count less one.
    const int oldCount = static_cast<int>(list_.size());
    const int newCount = static_cast<int>(kept.size());
    left_ = IndexAfterDeletion(left_, oldCount, newCount);
    right_ = IndexAfterDeletion(right_, oldCount, newCount);
    if (newCount > 0) {
        first_ = kept[static_cast<size_t>(left_)];
        second_ = kept[static_cast<size_t>(right_)];
    }
    trace.OutputData("CWatermarkTabPropPage.. selected indices.. after deletion: m_iSelectedLeft = " +
                     std::to_string(left_) + ", m_iSelectedRight = " + std::to_string(right_));
    list_.swap(kept);
    model_->Features().SetCurWatermarkList(list_.data(), static_cast<uint32_t>(list_.size()));
    if (immediate_)
        commitSelection();
    InitializeColumns(view);
}

CWatermarkTabPropPage::CWatermarkTabPropPage(const PageContext& context, ScreenFonts fonts)
    : WatermarkListPage(context, std::move(fonts), true)
{
}

void CWatermarkTabPropPage::OnInit(View& view)
{
    setupGroups(view);
    ink_ = MakeInkDisplay(context_);
    LabelOrderInk(view, context_.product, IDC_ORDER_INK);
    SetUpInkDisplay(view, *ink_, *model_, IDC_ORDER_INK, IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT);
    readSelection();
    showMode(view);
    InitializeColumns(view);
}

void CWatermarkTabPropPage::OnSetActive(View& view)
{
    visited_ = true;
    readSelection();
    showMode(view);
    InitializeColumns(view);
}

void CWatermarkTabPropPage::Save()
{
    model_->Features().SetCurWatermarkList(list_.data(), static_cast<uint32_t>(list_.size()));
}
