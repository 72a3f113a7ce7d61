// What a watermark preview shows, described without the window system: the
// page draws nothing itself, it hands this to its view.
#pragma once

#include <cstdint>
#include <string>

struct WatermarkPreview {
    std::string text;
    std::string faceName;
    int32_t height = 0;       // twentieths of a point
    int32_t escapement = 0;   // tenths of a degree, counter-clockwise
    int32_t weight = 400;
    bool italic = false;
    uint8_t charSet = 0;
    uint8_t pitchAndFamily = 0;
    uint32_t color = 0;       // red in the low byte, as Windows keeps colours
    uint32_t shade = 100;     // 0 to 100: how strongly the colour shows

    bool operator==(const WatermarkPreview& o) const
    {
        return text == o.text && faceName == o.faceName && height == o.height && escapement == o.escapement &&
               weight == o.weight && italic == o.italic && charSet == o.charSet &&
               pitchAndFamily == o.pitchAndFamily && color == o.color && shade == o.shade;
    }
};

// A font family of the screen that a watermark can use.
struct FontFamily {
    std::string face;
    uint8_t charSet = 0;
    uint8_t pitchAndFamily = 0;
};
