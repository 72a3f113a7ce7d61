#include "MaskedPicture_win.h"

#include <vector>

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
    bits_ = static_cast<uint32_t*>(bits);
    size_ = {width, height};
}

MaskedPicture MaskedPicture::greyed() const
{
    MaskedPicture result;
    if (empty())
        return result;
    const int count = size_.cx * size_.cy;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size_.cx;
    format.bmiHeader.biHeight = size_.cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } maskFormat = {format.bmiHeader, {}};
    std::vector<uint32_t> transparent(static_cast<size_t>(count));
    if (GetDIBits(screen.get(), mask_.get(), 0, static_cast<UINT>(size_.cy), transparent.data(),
                  reinterpret_cast<BITMAPINFO*>(&maskFormat), DIB_RGB_COLORS) == 0)
        return result;
    void* bits = nullptr;
    Bitmap picture(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    Bitmap mask(static_cast<HBITMAP>(CopyImage(mask_.get(), IMAGE_BITMAP, 0, 0, 0)));
    if (!picture || !mask)
        return result;
    GdiFlush();
    auto* out = static_cast<uint32_t*>(bits);
    for (int i = 0; i < count; ++i) {
        if ((transparent[static_cast<size_t>(i)] & 0xFFFFFF) != 0) {
            out[i] = 0;   // stays black, so SRCPAINT leaves the background
            continue;
        }
        const uint32_t pixel = bits_[i];
        const uint32_t luminance = (((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 + (pixel & 0xFF) * 11) / 100;
        const uint32_t grey = 255 - (255 - luminance) / 2;
        out[i] = (grey << 16) | (grey << 8) | grey;
    }
    result.picture_ = std::move(picture);
    result.mask_ = std::move(mask);
    result.bits_ = out;
    result.size_ = size_;
    return result;
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
