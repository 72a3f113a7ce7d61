// What the ink display draws for each cartridge holder, from the ink words of
// the driver's INKINFO (word 0 the ink style, words 1..9 the ink levels,
// 10/11 the logical cartridge identifiers of the left and right holder).
// Portable: no <windows.h>.
#pragma once

#include <cstdint>

namespace drvcommon {

constexpr int32_t kInkNoStatus = -101;       // the driver's "no status" word
constexpr uint32_t kCartridgeMissing = 32;   // logical identifier of an empty holder
constexpr uint32_t kPortModeNoTwoWay = 10;   // port type 10: no live status

// Word positions in INKINFO, as prefsheet's InkWord places them.
enum InkInfoWord : uint32_t {
    kWordStyle = 0,
    kWordFirstLevel = 1,
    kWordLogCart1 = 10,
    kWordLogCart2 = 11,
    kInkWordCount = 16,
};

enum class CartridgeState { Present, Missing, NoStatus };

struct InkBar {
    uint32_t colour;   // 0x00BBGGRR
    int32_t percent;   // 0..100, or -1 when the level is not known
};

struct CartridgeView {
    CartridgeState state = CartridgeState::NoStatus;
    bool photo = false;
    // Port mode 10: the levels are the last ones the status cache knew,
    // drawn as such, since the port cannot report live ones.
    bool lastKnown = false;
    int inkCount = 0;
    InkBar inks[3] = {};
};

// Holder 1 (left) takes the colour cartridge: cyan, magenta, yellow from
// levels 2, 3, 4. Holder 2 (right) takes the black cartridge (level 1).
// Either may hold a photo cartridge: light cyan, light magenta, grey from
// levels 5, 6, 7.
CartridgeView DescribeCartridge(const int32_t (&words)[kInkWordCount], int holder, uint32_t portMode);

// The photo cartridges: logical identifiers 0x70, 0x71, 0x72, 0x7F, 0x80.
bool IsPhotoCartridge(uint32_t logicalId);

// False when the driver and the status cache gave no ink status at all.
bool HasInkMonitoring(const int32_t (&words)[kInkWordCount]);

}  // namespace drvcommon
