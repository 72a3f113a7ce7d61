#include "MaskedPicture_win.h"

namespace drvcommon {

Bitmap LoadBitmapResource(HMODULE module, UINT id)
{
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

MaskedPicture::MaskedPicture(HBITMAP bitmap, COLORREF transparent)
{
    BITMAP info = {};
    if (bitmap == nullptr || GetObject(bitmap, sizeof info, &info) == 0)
        return;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    WindowDc screen(nullptr);
    MemoryDc source(screen.get());
    MemoryDc target(screen.get());
    Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    // 32 bits a pixel whatever the display: the picture keeps its colours
    // and drawing maps them to the target.
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap picture(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!source || !target || !mask || !picture)
        return;
    {
        Selection sourceBitmap(source.get(), bitmap);
        Selection maskBitmap(target.get(), mask.get());
        // Colour to monochrome: pixels of the background colour become 1.
        SetBkColor(source.get(), transparent);
        BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    }
    {
        Selection pictureBitmap(target.get(), picture.get());
        Selection sourceBitmap(source.get(), bitmap);
        BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
        // Monochrome to colour: 1 becomes the background colour (white here),
        // 0 the text colour (black); ANDing the inverted mask blackens the
        // transparent pixels.
        Selection maskBitmap(source.get(), mask.get());
        SetBkColor(target.get(), RGB(255, 255, 255));
        SetTextColor(target.get(), RGB(0, 0, 0));
        BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, 0x00220326 /* DSna */);
    }
    picture_ = std::move(picture);
    mask_ = std::move(mask);
    size_ = {width, height};
}

void MaskedPicture::draw(HDC dc, int x, int y) const
{
    drawStretched(dc, RECT{x, y, x + size_.cx, y + size_.cy});
}

void MaskedPicture::drawStretched(HDC dc, const RECT& target) const
{
    if (empty())
        return;
    MemoryDc memory(dc);
    if (!memory)
        return;
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    {
        Selection mask(memory.get(), mask_.get());
        StretchBlt(dc, target.left, target.top, width, height, memory.get(), 0, 0, size_.cx, size_.cy, SRCAND);
    }
    {
        Selection picture(memory.get(), picture_.get());
        StretchBlt(dc, target.left, target.top, width, height, memory.get(), 0, 0, size_.cx, size_.cy, SRCPAINT);
    }
    SetStretchBltMode(dc, mode);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

}  // namespace drvcommon
