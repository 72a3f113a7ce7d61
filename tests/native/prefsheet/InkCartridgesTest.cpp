// What the ink display draws for each holder, from the ink words of INKINFO.
#include "GUIPrinter.h"
#include "InkCartridges.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace drvcommon;

// The display reads the words where the preferences put them.
static_assert(kWordStyle == InkWord::Style && kWordFirstLevel == InkWord::FirstLevel);
static_assert(kWordLogCart1 == InkWord::LogCart1 && kWordLogCart2 == InkWord::LogCart2);
static_assert(kInkWordCount == InkWord::Count && kInkNoStatus == InkWord::NoStatus);

namespace {

struct Words {
    int32_t words[kInkWordCount] = {};
};

Words record(int32_t left, int32_t right, std::initializer_list<int32_t> levels)
{
    Words w;
    w.words[kWordStyle] = 1;
    int at = kWordFirstLevel;
    for (int32_t level : levels)
        w.words[at++] = level;
    w.words[kWordLogCart1] = left;
    w.words[kWordLogCart2] = right;
    return w;
}

}  // namespace

TEST(InkCartridges, ColourAndBlackCartridgesTakeTheirLevels)
{
    const Words w = record(0x10, 0x11, {80, 25, 50, 100, 7, 7, 7});
    const CartridgeView left = DescribeCartridge(w.words, 1, 0);
    ASSERT_EQ(left.state, CartridgeState::Present);
    EXPECT_FALSE(left.photo);
    ASSERT_EQ(left.inkCount, 3);
    EXPECT_EQ(left.inks[0].percent, 25);
    EXPECT_EQ(left.inks[1].percent, 50);
    EXPECT_EQ(left.inks[2].percent, 100);
    EXPECT_EQ(left.inks[0].colour, 0xE1A000u);   // cyan
    const CartridgeView right = DescribeCartridge(w.words, 2, 0);
    ASSERT_EQ(right.inkCount, 1);
    EXPECT_EQ(right.inks[0].percent, 80);
    EXPECT_FALSE(right.lastKnown);
}

TEST(InkCartridges, LevelsOutsideThePercentRange)
{
    const Words w = record(0x10, 0x11, {150, kInkNoStatus, -3, 0});
    EXPECT_EQ(DescribeCartridge(w.words, 2, 0).inks[0].percent, 100);
    const CartridgeView left = DescribeCartridge(w.words, 1, 0);
    EXPECT_EQ(left.inks[0].percent, -1);   // not known
    EXPECT_EQ(left.inks[1].percent, -1);
    EXPECT_EQ(left.inks[2].percent, 0);
}

TEST(InkCartridges, PhotoCartridgesInEitherHolder)
{
    for (uint32_t id : {0x70u, 0x71u, 0x72u, 0x7Fu, 0x80u}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(IsPhotoCartridge(id));
        const Words w = record(0x10, static_cast<int32_t>(id), {0, 0, 0, 0, 60, 40, 90});
        const CartridgeView right = DescribeCartridge(w.words, 2, 0);
        EXPECT_TRUE(right.photo);
        ASSERT_EQ(right.inkCount, 3);
        EXPECT_EQ(right.inks[2].percent, 90);
        const Words swapped = record(static_cast<int32_t>(id), 0x11, {0, 0, 0, 0, 60, 40, 90});
        EXPECT_TRUE(DescribeCartridge(swapped.words, 1, 0).photo);
    }
    for (uint32_t id : {0x6Fu, 0x73u, 0x7Eu, 0x81u, 32u, 0u})
        EXPECT_FALSE(IsPhotoCartridge(id)) << id;
}

TEST(InkCartridges, MissingCartridgeAndNoStatus)
{
    const Words missing = record(32, 0x11, {80, 25, 50, 100});
    EXPECT_EQ(DescribeCartridge(missing.words, 1, 0).state, CartridgeState::Missing);
    EXPECT_EQ(DescribeCartridge(missing.words, 1, 0).inkCount, 0);
    EXPECT_EQ(DescribeCartridge(missing.words, 2, 0).state, CartridgeState::Present);

    Words none;
    for (int32_t& word : none.words)
        word = kInkNoStatus;
    EXPECT_FALSE(HasInkMonitoring(none.words));
    EXPECT_EQ(DescribeCartridge(none.words, 1, 0).state, CartridgeState::NoStatus);
    none.words[kWordFirstLevel + 3] = 40;
    EXPECT_TRUE(HasInkMonitoring(none.words));

    EXPECT_EQ(DescribeCartridge(missing.words, 0, 0).state, CartridgeState::NoStatus);
    EXPECT_EQ(DescribeCartridge(missing.words, 3, 0).state, CartridgeState::NoStatus);
}

TEST(InkCartridges, PortModeTenShowsLastKnownLevels)
{
    const Words w = record(0x10, 0x11, {80, 25, 50, 100});
    const CartridgeView view = DescribeCartridge(w.words, 1, kPortModeNoTwoWay);
    EXPECT_TRUE(view.lastKnown);
    EXPECT_EQ(view.inks[0].percent, 25);
    EXPECT_FALSE(DescribeCartridge(w.words, 1, 5).lastKnown);
}
