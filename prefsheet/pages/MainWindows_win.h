// Runs the product's main preferences window over a model: the main dialog
// when IDO_PMKPRINTPROP is 0, the alternate main window otherwise.
#pragma once

#include "GUIPrinter.h"
#include "PageContext.h"

#include <windows.h>

// The window's result: 1 for OK, 2 for Cancel, -1 when it could not be made.
int RunMainWindow(const PageContext& context, GUIPrinter& model, int32_t autoMedia, HINSTANCE resources,
                  HINSTANCE bitmaps);
