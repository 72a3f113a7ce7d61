#include "TaskMenuDlg.h"

#include "BitmapIds.h"
#include "DisplayText.h"
#include "Options.h"
#include "ResourceIds.h"

#include <cctype>

namespace {

// The paper task's words (IDC_TASK_PAPER_TEXT) act as its picture does, like
// every other task's pair.
const MenuTask kTasks[TaskMenuRules::kTaskCount] = {
    {IDC_TASK_QUALITY_PICTURE, IDC_TASK_QUALITY_TEXT, IDS_TASK_QUALITY, IDB_QUALITY_BEST_UP, IDB_QUALITY_BEST_DOWN,
     IDD_TASK_QUALITY},
    {IDC_TASK_PAPER_PICTURE, IDC_TASK_PAPER_TEXT, IDS_TASK_PAPER, IDB_MENU_PAPER_UP, IDB_MENU_PAPER_DOWN,
     IDD_TASK_PAPER},
    {IDC_TASK_LAYOUT_PICTURE, IDC_TASK_LAYOUT_TEXT, IDS_TASK_LAYOUT, IDB_MENU_LAYOUT_UP, IDB_MENU_LAYOUT_DOWN,
     IDD_TASK_LAYOUT},
    {IDC_TASK_POSTER_PICTURE, IDC_TASK_POSTER_TEXT, IDS_TASK_POSTER, IDB_POSTER_SIZE_2X2_UP,
     IDB_POSTER_SIZE_2X2_DOWN, IDD_TASK_POSTER},
    {IDC_TASK_WATERMARK_PICTURE, IDC_TASK_WATERMARK_TEXT, IDS_TASK_WATERMARK, IDB_MENU_WATERMARK_UP,
     IDB_MENU_WATERMARK_DOWN, IDD_TASK_WATERMARK},
    {IDC_TASK_COLOR_PICTURE, IDC_TASK_COLOR_TEXT, IDS_TASK_COLOR, IDB_MENU_COLOR_UP, IDB_MENU_COLOR_DOWN,
     IDD_TASK_COLOR},
    {IDC_TASK_MAINTENANCE_PICTURE, IDC_TASK_MAINTENANCE_TEXT, IDS_TASK_MAINTENANCE, IDB_MENU_MAINTENANCE_UP,
     IDB_MENU_MAINTENANCE_DOWN, IDD_TASK_MAINTENANCE},
};

}  // namespace

namespace TaskMenuRules {

const MenuTask* Tasks()
{
    return kTasks;
}

int DialogOf(int buttonId)
{
    for (const MenuTask& t : kTasks)
        if (t.picture == buttonId || t.text == buttonId)
            return t.dialog;
    return 0;
}

char Mnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

}  // namespace TaskMenuRules

using namespace TaskMenuRules;

TaskMenuDlg::TaskMenuDlg(const PageContext& context, TaskMenuOwner& owner) : context_(context), owner_(owner) {}

// Links show their text as it stands, so the '&' goes; the mnemonic table
// keeps what it named.
void TaskMenuDlg::OnInit(View& view)
{
    mnemonics_.clear();
    for (const MenuTask& t : kTasks) {
        view.SetButtonPictures(t.picture, t.up, t.down);
        const std::string label = view.String(t.label);
        view.SetText(t.text, RemoveAmpersands(label));
        if (const char key = Mnemonic(label))
            mnemonics_.emplace(key, t.text);
    }
    view.SetButtonPictures(IDC_TASK_HOWTO_PICTURE, IDB_MENU_HOWTO_UP, IDB_MENU_HOWTO_DOWN);
    const std::string howTo = view.String(IDS_TASK_HOWTO);
    view.SetText(IDC_TASK_HOWTO_TEXT, RemoveAmpersands(howTo));
    if (const char key = Mnemonic(howTo))
        mnemonics_.emplace(key, IDC_TASK_HOWTO_TEXT);
    if (const char key = Mnemonic(view.GetText(IDC_TASK_SHOW_ON_STARTUP)))
        mnemonics_.emplace(key, IDC_TASK_SHOW_ON_STARTUP);
    view.SetCheck(IDC_TASK_SHOW_ON_STARTUP, model_->GetShowIWantToMenu() == 1);
}

bool TaskMenuDlg::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    if (const int dialog = DialogOf(id)) {
        runTask(view, dialog);
        return true;
    }
    switch (id) {
    case IDC_TASK_SHOW_ON_STARTUP: {
        const int32_t on = model_->GetShowIWantToMenu() == 1 ? 0 : 1;
        model_->SetShowIWantToMenu(on);
        view.SetCheck(IDC_TASK_SHOW_ON_STARTUP, on == 1);
        view.Redraw(0);
        return true;
    }
    case IDC_TASK_HOWTO_PICTURE:
    case IDC_TASK_HOWTO_TEXT:
        openHowTo(view);
        return true;
    default:
        return false;
    }
}

KeyAction TaskMenuDlg::OnKey(View& view, int, Key key, char character)
{
    if (key != Key::AltCharacter)
        return KeyAction::Default;
    auto it = mnemonics_.find(character);
    if (it == mnemonics_.end())
        return KeyAction::Default;
    OnCommand(view, it->second, Notify::Clicked);
    return KeyAction::Handled;
}

void TaskMenuDlg::hide(View& view)
{
    view.Show(0, false);
    owner_.TaskMenuHidden();
}

void TaskMenuDlg::runTask(View& view, int dialog)
{
    hide(view);
    owner_.RunTask(dialog);
}

void TaskMenuDlg::openHowTo(View& view)
{
    const Options o(context_.product);
    const std::string window = o.text(OptionKey::IDO_HELPFILEHOWTOWND);
    view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), window.empty() ? "" : ">" + window, IDD_TASK_MENU);
}
