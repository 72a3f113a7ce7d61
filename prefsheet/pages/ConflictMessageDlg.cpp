#include "ConflictMessageDlg.h"

#include "ResourceIds.h"

#include <cstddef>

namespace {
constexpr int kButtonPitch = 72;   // dialog units from one answer button to the next
const int kTextControls[] = {IDC_CONFLICT_TEXT1, IDC_CONFLICT_TEXT2, IDC_CONFLICT_TEXT3,
                             IDC_CONFLICT_TEXT4, IDC_CONFLICT_TEXT5, IDC_CONFLICT_TEXT6};
}

void ConflictMessageDlg::OnInit(View& view)
{
    view.SetWindowTitle(view.String(message_.title));
    view.SetText(IDC_CONFLICT_HEADING, view.String(message_.heading));
    // A seventh text has no place; the rules never give one.
    for (size_t i = 0; i < sizeof kTextControls / sizeof kTextControls[0]; ++i) {
        const bool used = i < message_.texts.size();
        view.SetText(kTextControls[i], used ? view.String(message_.texts[i]) : std::string());
        view.Show(kTextControls[i], used);
    }
    view.Show(IDC_CONFLICT_EXTRA, message_.extraOption);
    view.Enable(IDC_CONFLICT_EXTRA, message_.extraOption);
    if (!message_.extraOption) {
        // Two buttons stay centred where three were laid out.
        view.MoveBy(IDC_CONFLICT_FIRST, kButtonPitch / 2, 0);
        view.MoveBy(IDC_CONFLICT_SECOND, kButtonPitch / 2, 0);
    }
    view.SetFocus(IDC_CONFLICT_FIRST);
}

bool ConflictMessageDlg::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    switch (id) {
    case IDC_CONFLICT_FIRST:
        answer_ = kConflictAnswerFirst;
        break;
    case IDC_CONFLICT_SECOND:
        answer_ = kConflictAnswerSecond;
        break;
    case IDC_CONFLICT_EXTRA:
        if (!message_.extraOption)
            return false;
        answer_ = kConflictAnswerNeither;
        break;
    default:
        return false;
    }
    view.EndDialog(kDialogOk);
    return true;
}

void ConflictMessageDlg::OnCancel(View&)
{
    answer_ = kConflictAnswerNeither;
}

int ConflictDialogRunner::Run(const ConflictMessage& message)
{
    ConflictMessageDlg dialog(message);
    // A dialog that could not be shown, or was closed, answered nothing.
    if (owner_.RunDialog(IDD_CONFLICT, dialog) != kDialogOk)
        return kConflictAnswerNeither;
    return dialog.answer();
}
