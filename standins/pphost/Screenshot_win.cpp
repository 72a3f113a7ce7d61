#include "Screenshot_win.h"

#include <cstdio>
#include <vector>

namespace {

// Owns the DCs and bitmap of one capture.
struct Capture {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    ~Capture()
    {
        if (previous != nullptr)
            SelectObject(memory, previous);
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (memory != nullptr)
            DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
};

}  // namespace

bool SaveWindowBitmap(HWND window, const std::string& path)
{
    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    Capture capture;
    capture.bitmap = CreateCompatibleBitmap(capture.screen, width, height);
    if (capture.memory == nullptr || capture.bitmap == nullptr)
        return false;
    capture.previous = SelectObject(capture.memory, capture.bitmap);
    if (!BitBlt(capture.memory, 0, 0, width, height, capture.screen, r.left, r.top, SRCCOPY))
        return false;
    SelectObject(capture.memory, capture.previous);
    capture.previous = nullptr;

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    if (GetDIBits(capture.memory, capture.bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) != height)
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                   std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    if (std::fclose(out) != 0)
        written = false;
    return written;
}
