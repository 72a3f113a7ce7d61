// What every page and dialog of the preferences works with besides the
// settings model: the product's options, the printer's registry values,
// personal settings, tracing, the companion programs and the common
// library's ink display. The main window owns them and outlives its pages.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "PersonalSettings.h"
#include "PropCommonFunctions.h"

#include <functional>
#include <memory>

class View;

struct PageContext {
    const ProductOptions& product;
    RegistryComponent& registry;
    PersonalSettings& slots;
    Trace& trace;
    CompanionActions& companions;
    // Each page that shows ink levels owns an ink display of its own.
    std::function<std::unique_ptr<InkDisplay>()> newInkDisplay;
    char decimalSymbol = '.';   // the user's locale, for typed measures
    // Shows the main window's layout page; empty where no window has one.
    std::function<void()> showLayoutPage;
    // The running system (QueryOsVersion on Windows); balloon tips need it.
    OsVersion os{};
    // Gives the main dialog's tab strip the focus; empty where no main dialog.
    std::function<void()> focusTabStrip{};
    // The library's version as its about box shows it.
    std::string libraryVersion{};
};

// The context's ink display, or one that knows no ink when the factory is
// missing or could not make one: a page never works without its display.
std::unique_ptr<InkDisplay> MakeInkDisplay(const PageContext& context);

// Help on a control (F1 or the right-click menu): its topic in the product's
// help file, in the "whats this" window, where the product offers it.
void ShowControlHelp(View& view, const ProductOptions& product, int controlId);

// The pages that show ink: the display gets the model's ink and the two
// tanks; the order-ink button goes when nothing is known about the ink and
// greys where the port cannot order (type 12) or report (type 10, which
// also hatches the levels as the last ones known).
void SetUpInkDisplay(View& view, InkDisplay& ink, const GUIPrinter& model, int orderInkId, int leftTankId,
                     int rightTankId);
// The order-ink button's label: ordering supplies or ink, by IDO_ORDERINK_STRING.
void LabelOrderInk(View& view, const ProductOptions& product, int orderInkId);

// The complete-to-print value the main window keeps for the status program
// under "PSW" (IDO_KEY_NAME_COMPLETETOPRINT_FLAG); 0 when it has none.
uint32_t ReadStoredCompleteToPrint(RegistryComponent& registry, const ProductOptions& product,
                                   const std::string& printerName);
// A number the status program keeps under the printer's "PSW"; 0 when the
// value is missing or the name is empty.
uint32_t ReadStoredPswNumber(RegistryComponent& registry, const std::string& printerName,
                             const std::string& valueName);
