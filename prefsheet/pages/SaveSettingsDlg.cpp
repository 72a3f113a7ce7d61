#include "SaveSettingsDlg.h"

#include "ResourceIds.h"

SaveSettingsDlg::SaveSettingsDlg(const PageContext& context, GUIPrinter& model) : context_(context), model_(model) {}

// The first empty slot is offered; with none, the first slot (its name
// ready to be kept or changed).
void SaveSettingsDlg::OnInit(View& view)
{
    names_.clear();
    view.ClearList(IDC_SAVE_SLOTS);
    int offered = -1;
    for (int slot = kFirstPersonalSlot; slot <= kLastPersonalSlot; ++slot) {
        const std::string name =
            context_.slots.ReadSlotName(model_.GetPrinterName(), slot, PersonalSettings::NameRead::Quiet);
        names_.push_back(name);
        view.AddListItem(IDC_SAVE_SLOTS, PersonalSettings::DisplayName(name), slot);
        if (offered < 0 && name == kEmptySlotName)
            offered = slot - kFirstPersonalSlot;
    }
    view.SetTextLimit(IDC_SAVE_NAME, static_cast<int>(kSlotNameBytes));
    view.SetListSelection(IDC_SAVE_SLOTS, offered < 0 ? 0 : offered);
    showSlot(view);
}

void SaveSettingsDlg::showSlot(View& view)
{
    const int index = view.GetListSelection(IDC_SAVE_SLOTS);
    const bool named = index >= 0 && names_.at(static_cast<size_t>(index)) != kEmptySlotName;
    view.SetText(IDC_SAVE_NAME, named ? names_.at(static_cast<size_t>(index)) : std::string());
    view.Enable(kDialogOk, named);
}

bool SaveSettingsDlg::OnCommand(View& view, int id, Notify code)
{
    if (id == IDC_SAVE_SLOTS && code == Notify::SelChange) {
        showSlot(view);
        return true;
    }
    if (id == IDC_SAVE_NAME && code == Notify::EditChange) {
        // A set needs a name: "" would list as a blank menu entry.
        view.Enable(kDialogOk, !view.GetText(IDC_SAVE_NAME).empty() && view.GetListSelection(IDC_SAVE_SLOTS) >= 0);
        return true;
    }
    return false;
}

bool SaveSettingsDlg::OnOK(View& view)
{
    const int index = view.GetListSelection(IDC_SAVE_SLOTS);
    const std::string name = view.GetText(IDC_SAVE_NAME);
    if (index < 0 || name.empty())
        return false;
    const int slot = view.GetListData(IDC_SAVE_SLOTS, index);
    if (context_.slots.SaveToSlot(model_, slot, name))
        saved_ = slot;
    return true;
}
