// The steps of one opening of the preferences that concern the model, apart
// from the window that runs: what attaching the model to a main window and
// handing it the driver's port information do.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"

#include <cstdint>
#include <string>

// The installation folder, and the paper mode made consistent: borderless
// flags go where the product has no borderless printing, and the layout
// follows the borderless (7) or panorama (3) paper.
void AttachPrinter(GUIPrinter& model, const ProductOptions& product, const std::string& directory);

// The driver's initial automatic media (twice) and its port; a port that
// cannot report media turns detection off. Returns the main window's own
// copy of the automatic media value.
int32_t HandOverPort(GUIPrinter& model, int32_t autoMedia, uint32_t portType, const std::string& portName);

// What the driver finds in dmStatus: 1 after OK, 3 after Cancel, and for
// any other result what the saved model wrote.
uint32_t StatusAfterRun(int result, uint32_t savedStatus);
