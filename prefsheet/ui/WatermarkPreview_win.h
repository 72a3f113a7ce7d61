// Draws a watermark preview into an owner-drawn control: a sheet of paper in
// the proportions of a letter page with the watermark's text on it, in its
// font, size (to the sheet's scale), angle, colour and shade.
#pragma once

#include "WatermarkPreview.h"

#include <windows.h>

void DrawWatermarkPreview(const DRAWITEMSTRUCT& item, const WatermarkPreview& preview);
