#include "ManageSettingsDlg.h"

#include "ResourceIds.h"

#include <utility>

namespace {
constexpr unsigned kYesNoQuestion = 0x00000004 | 0x00000020;   // MB_YESNO | MB_ICONQUESTION
constexpr int kAnswerYes = 6;                                  // IDYES
}  // namespace

ManageSettingsDlg::ManageSettingsDlg(const PageContext& context, std::string printerName)
    : context_(context), printerName_(std::move(printerName))
{
}

void ManageSettingsDlg::OnInit(View& view)
{
    fill(view, 0);
}

void ManageSettingsDlg::fill(View& view, int selection)
{
    names_.clear();
    view.ClearList(IDC_MANAGE_SLOTS);
    for (int slot = kFirstPersonalSlot; slot <= kLastPersonalSlot; ++slot) {
        const std::string name = context_.slots.ReadSlotName(printerName_, slot, PersonalSettings::NameRead::ManageDialog);
        names_.push_back(name);
        view.AddListItem(IDC_MANAGE_SLOTS, PersonalSettings::DisplayName(name), slot);
    }
    view.SetListSelection(IDC_MANAGE_SLOTS, selection);
    view.Enable(IDC_MANAGE_DELETE, names_.at(static_cast<size_t>(selection)) != kEmptySlotName);
}

bool ManageSettingsDlg::OnCommand(View& view, int id, Notify code)
{
    if (id == IDC_MANAGE_SLOTS && code == Notify::SelChange) {
        const int index = view.GetListSelection(IDC_MANAGE_SLOTS);
        view.Enable(IDC_MANAGE_DELETE, index >= 0 && names_.at(static_cast<size_t>(index)) != kEmptySlotName);
        return true;
    }
    if (id == IDC_MANAGE_DELETE && code == Notify::Clicked) {
        onDelete(view);
        return true;
    }
    return false;
}

void ManageSettingsDlg::onDelete(View& view)
{
    const int index = view.GetListSelection(IDC_MANAGE_SLOTS);
    if (index < 0 || names_.at(static_cast<size_t>(index)) == kEmptySlotName)
        return;
    const std::string question = view.String(IDS_MANAGE_DELETE_TEXT) + " \"" + names_.at(static_cast<size_t>(index)) + "\"?";
    if (view.MessageBox(question, view.String(IDS_MANAGE_DELETE_CAPTION), kYesNoQuestion) != kAnswerYes)
        return;
    if (!context_.slots.DeleteSlot(printerName_, view.GetListData(IDC_MANAGE_SLOTS, index)))
        context_.trace.OutputData("ManageSettingsDlg: deleting a personal setting failed");
    fill(view, index);
}
