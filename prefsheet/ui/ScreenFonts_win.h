// The TrueType font families of the screen, for the watermark edit dialog.
#pragma once

#include "CommonLibrary.h"
#include "WatermarkPreview.h"

#include <vector>

// One entry per family (its first character set), raster fonts left out.
std::vector<FontFamily> ScreenTrueTypeFamilies(Trace& trace);
