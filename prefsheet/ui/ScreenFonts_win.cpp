#include "ScreenFonts_win.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

int CALLBACK addFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM lParam)
{
    auto& families = *reinterpret_cast<std::vector<FontFamily>*>(lParam);
    if ((fontType & TRUETYPE_FONTTYPE) == 0 || (fontType & RASTER_FONTTYPE) != 0)
        return 1;
    // Vertical variants ("@Name") are not families a user picks.
    if (font->lfFaceName[0] == '@')
        return 1;
    for (const FontFamily& known : families)
        if (lstrcmpiA(known.face.c_str(), font->lfFaceName) == 0)
            return 1;
    families.push_back(FontFamily{font->lfFaceName, font->lfCharSet, font->lfPitchAndFamily});
    return 1;
}

}  // namespace

std::vector<FontFamily> ScreenTrueTypeFamilies(Trace& trace)
{
    std::vector<FontFamily> families;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        trace.OutputData("Failed to get device context");
        return families;
    }
    trace.OutputData("Your current DPI is " + std::to_string(GetDeviceCaps(screen, LOGPIXELSY)));
    LOGFONTA all;
    std::memset(&all, 0, sizeof all);
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen, &all, addFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, screen);
    return families;
}
