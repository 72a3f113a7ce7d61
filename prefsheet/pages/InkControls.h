// The ink levels and the order-ink button, the same on every page that shows
// them: the common library's display draws into the two tank controls, the
// button's text follows the product, and the port decides what can be done.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "View.h"

// Uses the controls IDC_ORDER_INK, IDC_INK_TANK_LEFT and IDC_INK_TANK_RIGHT.
void SetupInkControls(View& view, InkDisplay& ink, const GUIPrinter& model, const ProductOptions& product);
