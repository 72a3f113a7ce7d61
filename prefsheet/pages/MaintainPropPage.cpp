#include "MaintainPropPage.h"

#include "BitmapIds.h"
#include "Options.h"
#include "ResourceIds.h"

namespace {

const MaintenanceTask kTasks[MaintainRules::kTaskCount] = {
    {IDC_TASK_PRINTER_STATUS, IDC_TASK_PRINTER_STATUS_LABEL, IDC_TASK_PRINTER_STATUS_NOTE,
     IDS_TASK_PRINTER_STATUS, 318, IDB_TASK_STATUS_UP, IDB_TASK_STATUS_DOWN},
    {IDC_TASK_REPLACE_CARTRIDGE, IDC_TASK_REPLACE_CARTRIDGE_LABEL, IDC_TASK_REPLACE_CARTRIDGE_NOTE,
     IDS_TASK_REPLACE_CARTRIDGE, 305, IDB_TASK_CARTRIDGE_UP, IDB_TASK_CARTRIDGE_DOWN},
    {IDC_TASK_ALIGN, IDC_TASK_ALIGN_LABEL, IDC_TASK_ALIGN_NOTE, IDS_TASK_ALIGN, 304, IDB_TASK_ALIGN_UP,
     IDB_TASK_ALIGN_DOWN},
    {IDC_TASK_CLEAN_CARTRIDGES, IDC_TASK_CLEAN_CARTRIDGES_LABEL, IDC_TASK_CLEAN_CARTRIDGES_NOTE,
     IDS_TASK_CLEAN_CARTRIDGES, 311, IDB_TASK_CLEAN_UP, IDB_TASK_CLEAN_DOWN},
    {IDC_TASK_TEST_PAGE, IDC_TASK_TEST_PAGE_LABEL, IDC_TASK_TEST_PAGE_NOTE, IDS_TASK_TEST_PAGE, 317,
     IDB_TASK_TEST_PAGE_UP, IDB_TASK_TEST_PAGE_DOWN},
    {IDC_TASK_CLEAN_ROLLERS, IDC_TASK_CLEAN_ROLLERS_LABEL, IDC_TASK_CLEAN_ROLLERS_NOTE,
     IDS_TASK_CLEAN_ROLLERS, 312, IDB_TASK_ROLLERS_UP, IDB_TASK_ROLLERS_DOWN},
};

// The tasks labelled 556 to 558 read the printer; the others only send it
// a job.
bool readsThePrinter(const MaintenanceTask& task)
{
    return task.text >= IDS_TASK_PRINTER_STATUS && task.text <= IDS_TASK_ALIGN;
}

const MaintenanceTask* findTask(int button)
{
    for (const MaintenanceTask& task : kTasks)
        if (task.button == button)
            return &task;
    return nullptr;
}

}  // namespace

namespace MaintainRules {

const MaintenanceTask* Tasks()
{
    return kTasks;
}

int TaskCode(int button)
{
    const MaintenanceTask* task = findTask(button);
    return task != nullptr ? task->code : 0;
}

bool TaskAvailable(int button, uint32_t portType)
{
    const MaintenanceTask* task = findTask(button);
    if (task == nullptr)
        return false;
    if (portType == 10)
        return false;
    return !(IsPortWithoutTwoWay(portType) && readsThePrinter(*task));
}

}  // namespace MaintainRules

MaintainPropPage::MaintainPropPage(const PageContext& context)
    : context_(context), product_(context.product), ink_(MakeInkDisplay(context))
{
    errorDialogKeys_ = Options(product_).equals(OptionKey::IDO_TSC_PRINTERERRORDLG, 1);
}

void MaintainPropPage::OnInit(View& view)
{
    setupTasks(view);
    setupInk(view);
}

void MaintainPropPage::setupTasks(View& view)
{
    const uint32_t portType = model_->GetPortType();
    const bool cleanRollers = !Options(product_).equals(OptionKey::IDO_SUPPORT_CLEANROLLERS, 0);
    for (const MaintenanceTask& task : kTasks) {
        view.SetText(task.label, view.String(task.text));
        view.SetButtonPictures(task.button, task.up, task.down);
        // A task the port cannot carry greys with its words.
        const bool available = MaintainRules::TaskAvailable(task.button, portType);
        for (int id : {task.button, task.label, task.note})
            view.Enable(id, available);
        if (task.button == IDC_TASK_CLEAN_ROLLERS && !cleanRollers) {
            for (int id : {task.button, task.label, task.note})
                view.Show(id, false);
        }
    }
}

void MaintainPropPage::setupInk(View& view)
{
    view.SetText(IDC_MAINT_ORDER_INK, view.String(IDS_ORDER_INK));
    SetUpInkDisplay(view, *ink_, *model_, IDC_MAINT_ORDER_INK, IDC_MAINT_INK_LEFT, IDC_MAINT_INK_RIGHT);
}

bool MaintainPropPage::OnCommand(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    if (id == IDC_MAINT_ORDER_INK) {
        if (!view.IsEnabled(id))
            return true;
        ink_->SetPrinterName(model_->GetPrinterName());
        ink_->LaunchReorderInkAppSilentMode();
        return true;
    }
    const int task = MaintainRules::TaskCode(id);
    if (task == 0)
        return false;
    // A disabled button cannot be clicked on Windows; keep it so for keys.
    if (view.IsEnabled(id))
        context_.companions.LaunchStatusProgram(model_->GetPrinterName(), task);
    return true;
}

KeyAction MaintainPropPage::OnKey(View& view, int id, Key key, char character)
{
    switch (key) {
    case Key::Enter:
        // The focused button, never the main dialog's default button.
        return KeyAction::PressAsSpace;
    case Key::Tab:
        if (!context_.focusTabStrip || id == 0 || id != lastTabStop(view))
            return KeyAction::Default;
        context_.focusTabStrip();
        return KeyAction::Handled;
    case Key::AltCharacter:
        if (!errorDialogKeys_ || (character != 'A' && character != '1'))
            return KeyAction::Default;
        context_.companions.LaunchStatusProgram(model_->GetPrinterName(), MaintainRules::kPrinterErrorTask);
        return KeyAction::Handled;
    }
    return KeyAction::Default;
}

int MaintainPropPage::lastTabStop(const View& view) const
{
    auto stops = [&view](int id) { return view.IsVisible(id) && view.IsEnabled(id); };
    if (stops(IDC_MAINT_ORDER_INK))
        return IDC_MAINT_ORDER_INK;
    for (int i = MaintainRules::kTaskCount - 1; i >= 0; --i)
        if (stops(kTasks[i].button))
            return kTasks[i].button;
    return 0;
}
