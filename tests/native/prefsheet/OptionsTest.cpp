// Zero and one are different questions: a flag that is neither is neither
// on nor off, and a key the product lacks is neither too.
#include "Options.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Options, ZeroAndOneAreDifferentQuestions)
{
    FakeProduct product;
    product.set("IDO_A", 0).set("IDO_B", 1).set("IDO_C", 2);
    Options options(product);
    const struct {
        const char* key;
        bool isZero, isOne;
    } cases[] = {{"IDO_A", true, false}, {"IDO_B", false, true}, {"IDO_C", false, false}, {"IDO_MISSING", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(options.equals(c.key, 0), c.isZero);
        EXPECT_EQ(options.equals(c.key, 1), c.isOne);
    }
}

TEST(Options, NumbersAndTextsOfPresentAndMissingKeys)
{
    FakeProduct product;
    product.set(OptionKey::IDO_NUMBER_BINS, 2).setText(OptionKey::IDO_PROP_RESDLL, "ppres.dll");
    product.setText(OptionKey::IDO_AUTOPAPERTYPE_LINK, "1");
    Options options(product);
    EXPECT_EQ(options.number(OptionKey::IDO_NUMBER_BINS), 2u);
    EXPECT_EQ(options.number(OptionKey::IDO_DMMAXWIDTHMM), 0u);
    EXPECT_EQ(options.text(OptionKey::IDO_PROP_RESDLL), "ppres.dll");
    EXPECT_EQ(options.text(OptionKey::IDO_PROP_BMPDLL), "");
    EXPECT_TRUE(options.textEquals(OptionKey::IDO_AUTOPAPERTYPE_LINK, "1"));
    EXPECT_FALSE(options.textEquals(OptionKey::IDO_AUTOPAPERTYPE_LINK, "01"));
}

TEST(OptionKeys, EveryKeyIsNamedOnceAndSpelledAsItsConstant)
{
    std::set<std::string> seen;
    for (const char* key : OptionKey::kAll) {
        EXPECT_EQ(std::string(key).rfind("IDO_", 0), 0u) << key;
        EXPECT_TRUE(seen.insert(key).second) << "twice: " << key;
    }
    EXPECT_EQ(seen.size(), OptionKey::kCount);
    EXPECT_STREQ(OptionKey::IDO_SNAPSHOT_4X6, "IDO_SNAPSHOT_4X6");
    EXPECT_STREQ(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, "IDO_KEY_NAME_WATERMARK_COUNT");
}
