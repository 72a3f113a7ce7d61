#include "MainWindows_win.h"

#include "ConflictMessageDlg.h"
#include "DialogView_win.h"
#include "OEMPropDlg.h"
#include "Options.h"
#include "PrinterPropDlg.h"
#include "ResourceIds.h"
#include "ScreenFonts_win.h"

namespace {

// The model asks its conflict questions over the running window.
int runOver(DialogPage& window, int templateId, GUIPrinter& model, HINSTANCE resources, HINSTANCE bitmaps,
            Trace& trace)
{
    DialogView view(window, resources, bitmaps);
    ConflictDialogRunner conflicts(view);
    model.SetConflictDialog(&conflicts);
    const INT_PTR result = view.RunModal(nullptr, templateId);
    model.SetConflictDialog(nullptr);
    if (result == -1)
        trace.OutputData("PPStart: dialog " + std::to_string(templateId) + " not made, error " +
                         std::to_string(GetLastError()));
    return static_cast<int>(result);
}

}  // namespace

int RunMainWindow(const PageContext& context, GUIPrinter& model, int32_t autoMedia, HINSTANCE resources,
                  HINSTANCE bitmaps)
{
    Trace& trace = context.trace;
    auto fonts = [&trace] { return ScreenTrueTypeFamilies(trace); };
    if (!Options(context.product).equals(OptionKey::IDO_PMKPRINTPROP, 0)) {
        PrinterPropDlg window(context, fonts);
        window.SetPrinter(&model, autoMedia);
        return runOver(window, IDD_ALTERNATE_MAIN, model, resources, bitmaps, trace);
    }
    OEMPropDlg dialog(context, fonts);
    dialog.SetPrinter(&model, autoMedia);
    return runOver(dialog, IDD_OEMPROP, model, resources, bitmaps, trace);
}
