// The maintenance page: six buttons that start the printer's status program
// on a maintenance task, the ink levels with an order-ink button, and the
// keys of the page (Enter presses the focused button, Alt+A or Alt+1 opens
// the printer error dialog, Tab from the last control goes back to the main
// dialog's tab strip). It changes nothing in the settings.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

#include <cstdint>
#include <memory>

// One task of the status program, with the controls that show it.
struct MaintenanceTask {
    int button;        // the picture button
    int label;         // its label, text from `text`
    int note;          // a line that says what the task does
    uint32_t text;     // string of the resource library
    int code;          // task code of the status program
    uint32_t up;       // button pictures of the bitmap library
    uint32_t down;
};

namespace MaintainRules {
constexpr int kPrinterErrorTask = 422;   // Alt+A or Alt+1
// The six tasks, in the page's tab order.
const MaintenanceTask* Tasks();
constexpr int kTaskCount = 6;
// The task code of a task button; 0 for any other control.
int TaskCode(int button);
// Whether a port type lets a task button act: types 5, 6 and 7 cannot
// report, so the tasks that read the printer are off; type 10 turns off all.
bool TaskAvailable(int button, uint32_t portType);
}  // namespace MaintainRules

class MaintainPropPage : public DialogPage {
public:
    explicit MaintainPropPage(const PageContext& context);

    // Called by the sheet before the page's window exists.
    void SetPrinter(GUIPrinter* model) { model_ = model; }

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnHelp(View& view, int id) override { ShowControlHelp(view, product_, id); }
    KeyAction OnKey(View& view, int id, Key key, char character) override;

private:
    void setupTasks(View& view);
    void setupInk(View& view);
    // The page's last control the Tab key stops at, 0 when none.
    int lastTabStop(const View& view) const;

    PageContext context_;
    const ProductOptions& product_;
    std::unique_ptr<InkDisplay> ink_;
    GUIPrinter* model_ = nullptr;
    bool errorDialogKeys_ = false;
};
