// The ink levels and the order-ink button, as every page that shows ink has
// them: the common library's ink display drawing into the page's two tank
// controls (IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT) and IDC_ORDER_INK.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "View.h"

// Gives the display the model's ink, attaches it to the tanks, labels the
// button (supplies or ink, by IDO_ORDERINK_STRING) and applies the rules:
// no ink monitoring hides it, port type 10 disables it and draws the last
// known levels, port type 12 disables it.
void SetUpInkPanel(View& view, InkDisplay& ink, const GUIPrinter& model, const ProductOptions& product);
