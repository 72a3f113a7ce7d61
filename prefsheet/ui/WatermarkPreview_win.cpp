#include "WatermarkPreview_win.h"

#include "Handles_win.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using UniqueBrush = UniqueHandle<HBRUSH, GdiTraits>;
using UniquePen = UniqueHandle<HPEN, GdiTraits>;

constexpr double kPageWidthPoints = 612.0;    // 8.5 in.
constexpr double kPageHeightPoints = 792.0;   // 11 in.

void trace(const char* step)
{
    char line[128];
    wsprintfA(line, "DrawWatermarkPreview: %s failed, error %lu\n", step, GetLastError());
    OutputDebugStringA(line);
}

// The shade thins the colour towards the paper's white.
COLORREF shaded(uint32_t color, uint32_t shade)
{
    const int strength = static_cast<int>(std::min<uint32_t>(shade, 100));
    auto mixChannel = [strength](int c) { return 255 - (255 - c) * strength / 100; };
    return RGB(mixChannel(GetRValue(color)), mixChannel(GetGValue(color)), mixChannel(GetBValue(color)));
}

RECT pageRect(const RECT& area)
{
    const int width = area.right - area.left - 8;
    const int height = area.bottom - area.top - 8;
    int pageWidth = width;
    int pageHeight = static_cast<int>(width * kPageHeightPoints / kPageWidthPoints);
    if (pageHeight > height) {
        pageHeight = height;
        pageWidth = static_cast<int>(height * kPageWidthPoints / kPageHeightPoints);
    }
    RECT page;
    page.left = area.left + (area.right - area.left - pageWidth) / 2;
    page.top = area.top + (area.bottom - area.top - pageHeight) / 2;
    page.right = page.left + pageWidth;
    page.bottom = page.top + pageHeight;
    return page;
}

void drawSheet(HDC dc, const RECT& area, const RECT& page)
{
    UniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &area, face.get());
    RECT shadow = page;
    OffsetRect(&shadow, 3, 3);
    UniqueBrush grey(CreateSolidBrush(RGB(128, 128, 128)));
    FillRect(dc, &shadow, grey.get());
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &page, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    // Lines of body text, so the watermark reads as lying on a page.
    UniquePen line(CreatePen(PS_SOLID, 1, RGB(200, 204, 212)));
    SelectGuard selectPen(dc, line.get());
    const int margin = std::max(4, static_cast<int>((page.right - page.left) / 8));
    for (int y = page.top + margin, row = 0; y < page.bottom - margin; y += 5, ++row) {
        const int right = page.right - margin - ((row % 4 == 3) ? (page.right - page.left) / 3 : 0);
        MoveToEx(dc, page.left + margin, y, nullptr);
        LineTo(dc, right, y);
    }
}

void drawText(HDC dc, const RECT& page, const WatermarkPreview& p)
{
    if (p.text.empty())
        return;
    const double pixelsPerPoint = (page.right - page.left) / kPageWidthPoints;
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -std::max(4L, std::lround(p.height / 20.0 * pixelsPerPoint));
    font.lfEscapement = p.escapement;
    font.lfOrientation = p.escapement;
    font.lfWeight = p.weight;
    font.lfItalic = p.italic ? TRUE : FALSE;
    font.lfCharSet = p.charSet;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = p.pitchAndFamily;
    lstrcpynA(font.lfFaceName, p.faceName.c_str(), LF_FACESIZE);
    UniqueFont handle(CreateFontIndirectA(&font));
    if (!handle) {
        trace("CreateFontIndirect");
        return;
    }
    SelectGuard selectFont(dc, handle.get());
    SIZE extent;
    const int length = static_cast<int>(p.text.size());
    if (!GetTextExtentPoint32A(dc, p.text.c_str(), length, &extent)) {
        trace("GetTextExtentPoint32");
        return;
    }
    // The text box turns about its top-left corner: start there so that its
    // centre lands on the page's centre.
    const double angle = p.escapement / 10.0 * 3.14159265358979 / 180.0;
    const double ux = std::cos(angle), uy = -std::sin(angle);
    const double vx = std::sin(angle), vy = std::cos(angle);
    const double cx = (page.left + page.right) / 2.0, cy = (page.top + page.bottom) / 2.0;
    const int x = static_cast<int>(std::lround(cx - extent.cx / 2.0 * ux - extent.cy / 2.0 * vx));
    const int y = static_cast<int>(std::lround(cy - extent.cx / 2.0 * uy - extent.cy / 2.0 * vy));

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, page.left + 1, page.top + 1, page.right - 1, page.bottom - 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, shaded(p.color, p.shade));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    if (!TextOutA(dc, x, y, p.text.c_str(), length))
        trace("TextOut");
    RestoreDC(dc, saved);
}

}  // namespace

void DrawWatermarkPreview(const DRAWITEMSTRUCT& item, const WatermarkPreview& preview)
{
    const RECT& area = item.rcItem;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    // Drawn off-screen and copied in one step, so typing does not flicker.
    UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
    UniqueBitmap bitmap(CreateCompatibleBitmap(item.hDC, width, height));
    if (!memory || !bitmap) {
        trace("CreateCompatibleDC/Bitmap");
        return;
    }
    {
        SelectGuard selectBitmap(memory.get(), bitmap.get());
        const RECT local = {0, 0, width, height};
        const RECT page = pageRect(local);
        drawSheet(memory.get(), local, page);
        drawText(memory.get(), page, preview);
        if (!BitBlt(item.hDC, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY))
            trace("BitBlt");
    }
}
