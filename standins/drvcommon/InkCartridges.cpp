#include "InkCartridges.h"

namespace drvcommon {

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

struct InkSlot {
    int level;   // 1..9
    uint32_t colour;
};

constexpr InkSlot kColourInks[] = {{2, rgb(0, 160, 225)}, {3, rgb(220, 30, 130)}, {4, rgb(250, 210, 20)}};
constexpr InkSlot kBlackInks[] = {{1, rgb(30, 30, 34)}};
constexpr InkSlot kPhotoInks[] = {{5, rgb(110, 205, 240)}, {6, rgb(245, 130, 200)}, {7, rgb(120, 120, 128)}};

int32_t percentOf(int32_t word)
{
    if (word < 0)
        return -1;   // kInkNoStatus, or a word no printer reports
    return word > 100 ? 100 : word;
}

}  // namespace

bool IsPhotoCartridge(uint32_t logicalId)
{
    switch (logicalId) {
    case 0x70:
    case 0x71:
    case 0x72:
    case 0x7F:
    case 0x80:
        return true;
    default:
        return false;
    }
}

bool HasInkMonitoring(const int32_t (&words)[kInkWordCount])
{
    if (words[kWordStyle] != kInkNoStatus)
        return true;
    for (uint32_t level = 0; level < 9; ++level) {
        if (words[kWordFirstLevel + level] != kInkNoStatus)
            return true;
    }
    return false;
}

CartridgeView DescribeCartridge(const int32_t (&words)[kInkWordCount], int holder, uint32_t portMode)
{
    CartridgeView view;
    if (holder != 1 && holder != 2)
        return view;
    if (!HasInkMonitoring(words))
        return view;
    const uint32_t id = static_cast<uint32_t>(words[holder == 1 ? kWordLogCart1 : kWordLogCart2]);
    if (id == kCartridgeMissing) {
        view.state = CartridgeState::Missing;
        return view;
    }
    view.state = CartridgeState::Present;
    view.photo = IsPhotoCartridge(id);
    view.lastKnown = portMode == kPortModeNoTwoWay;
    const InkSlot* slots = view.photo ? kPhotoInks : holder == 1 ? kColourInks : kBlackInks;
    view.inkCount = holder == 1 || view.photo ? 3 : 1;
    for (int i = 0; i < view.inkCount; ++i) {
        view.inks[i].colour = slots[i].colour;
        view.inks[i].percent = percentOf(words[kWordFirstLevel + slots[i].level - 1]);
    }
    return view;
}

}  // namespace drvcommon
