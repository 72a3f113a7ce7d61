// A bitmap drawn with one colour transparent, using plain GDI masks: a
// monochrome mask (white where transparent) and a copy of the picture with
// the transparent pixels turned black. Drawing is two BitBlts: the mask with
// SRCAND clears the opaque area, the picture with SRCPAINT fills it.
#pragma once

#include "GdiObjects.h"

#include <cstdint>

namespace drvcommon {

class MaskedPicture {
public:
    MaskedPicture() = default;
    // Copies what it needs from the bitmap, which stays the caller's; an
    // empty picture when bitmap is null or GDI fails.
    MaskedPicture(HBITMAP bitmap, COLORREF transparent);

    bool empty() const { return !picture_; }
    // The same picture in light greys, as a disabled control shows it.
    MaskedPicture greyed() const;
    SIZE size() const { return size_; }
    void draw(HDC dc, int x, int y) const;
    void drawStretched(HDC dc, const RECT& target) const;

private:
    Bitmap picture_;   // transparent pixels black
    Bitmap mask_;      // 1 (white) where transparent
    uint32_t* bits_ = nullptr;   // of picture_, bottom-up, 0x00RRGGBB
    SIZE size_ = {0, 0};
};

// A bitmap of a module's resources, or null.
Bitmap LoadBitmapResource(HMODULE module, UINT id);

}  // namespace drvcommon
