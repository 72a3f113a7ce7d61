#include "DisplayText.h"
#include "OptionKeys.h"
#include "ResourceIds.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LCDEVMODE customSize(int32_t width, int32_t length, int32_t units)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    record.dmCustomWidth = width;
    record.dmCustomLength = length;
    record.dmUnits = units;
    return record;
}

}  // namespace

TEST(CustomSizeText, MillimetresAndInchesWithEitherSymbol)
{
    const struct {
        int32_t width, length, units;
        char symbol;
        const char* text;
    } cases[] = {
        {2550, 3300, 2, '.', "216 x 279 mm"},
        {2550, 3300, 2, ',', "216 x 279 mm"},   // whole numbers carry no symbol
        {2550, 3300, 1, ',', "8,5 x 11,0 in."},
        {2550, 3300, 1, '.', "8.5 x 11.0 in."},
        {1200, 1800, 1, '.', "4.0 x 6.0 in."},
        {2480, 3508, 2, '.', "210 x 297 mm"},
        {0, 0, 2, '.', "0 x 0 mm"},
        {0, 0, 0, ',', "0,0 x 0,0 in."},      // anything but 2 is inches
        {14, 16, 1, '.', "0.0 x 0.1 in."},    // 0.0467 and 0.0533 rounded to tenths
        {-2550, 3300, 2, '.', "-216 x 279 mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CustomSizeText(customSize(c.width, c.length, c.units), c.symbol, "mm", "in."), c.text);
    }
}

TEST(CustomSizeText, ExtremeValuesDoNotOverflow)
{
    EXPECT_EQ(CustomSizeText(customSize(INT32_MIN, INT32_MAX, 2), '.', "mm", "in."),
              "-181820282 x 181820282 mm");
    EXPECT_EQ(CustomSizeText(customSize(INT32_MIN, INT32_MAX, 1), '.', "mm", "in."),
              "-7158278.8 x 7158278.8 in.");
}

TEST(StringSubstitution, IdentifierElevenFollowsTheQualityOptions)
{
    const struct {
        int best;    // -1: key absent
        int photo;
        uint32_t id;
    } cases[] = {
        {0, 1, IDS_QUALITY_PHOTO}, {0, 0, IDS_QUALITY_NORMAL}, {0, 2, IDS_QUALITY_NORMAL},
        {0, -1, IDS_QUALITY_NORMAL}, {1, 1, IDS_QUALITY_BEST}, {2, 1, IDS_QUALITY_BEST},
        {-1, 1, IDS_QUALITY_BEST},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "best " << c.best << " photo " << c.photo);
        FakeProduct product;
        if (c.best >= 0)
            product.set(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, static_cast<uint32_t>(c.best));
        if (c.photo >= 0)
            product.set(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, static_cast<uint32_t>(c.photo));
        EXPECT_EQ(SubstituteStringId(IDS_QUALITY_BEST, product), c.id);
        EXPECT_EQ(SubstituteStringId(IDS_CUSTOM_SIZE, product), static_cast<uint32_t>(IDS_CUSTOM_SIZE));
    }
}

TEST(RemoveAmpersands, EveryAmpersandGoes)
{
    EXPECT_EQ(RemoveAmpersands("&Photo"), "Photo");
    EXPECT_EQ(RemoveAmpersands("&Photo").size(), 5u);
    EXPECT_EQ(RemoveAmpersands("Save && &Close&"), "Save  Close");
    EXPECT_EQ(RemoveAmpersands(""), "");
}
