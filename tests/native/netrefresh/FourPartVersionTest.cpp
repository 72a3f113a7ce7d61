#include "FourPartVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(FourPartVersion, ParsesOnlyFourNumericParts)
{
    struct Case {
        const char* text;
        bool valid;
        const char* canonical;
    };
    const Case cases[] = {
        {"1.2.3.4", true, "1.2.3.4"},
        {"0.0.0.0", true, "0.0.0.0"},
        {"65535.65535.65535.65535", true, "65535.65535.65535.65535"},
        {"01.002.0003.00004", true, "1.2.3.4"},
        {"65536.0.0.0", false, ""},
        {"000001.0.0.0", false, ""},  // six digits
        {"1.2.3", false, ""},
        {"1.2.3.4.5", false, ""},
        {"1..3.4", false, ""},
        {".1.2.3", false, ""},
        {"1.2.3.", false, ""},
        {" 1.2.3.4", false, ""},
        {"1.2.3.4 ", false, ""},
        {"1.2.3.a", false, ""},
        {"-1.2.3.4", false, ""},
        {"+1.2.3.4", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        FourPartVersion version;
        version.parts[0] = 77;
        bool parsed = FourPartVersion::parse(c.text, version);
        EXPECT_EQ(parsed, c.valid) << c.text;
        if (c.valid)
            EXPECT_EQ(version.text(), c.canonical) << c.text;
        else
            EXPECT_EQ(version.parts[0], 77) << "result changed by a failed parse of " << c.text;
    }
}

TEST(FourPartVersion, ComparesNumericallyPartByPart)
{
    struct Case {
        const char* left;
        const char* right;
        int order;
    };
    const Case cases[] = {
        {"1.2.3.4", "1.2.3.4", 0},
        {"1.2.3.10", "1.2.3.9", 1},  // text comparison would say older
        {"1.10.0.0", "1.9.9.9", 1},
        {"2.0.0.0", "1.65535.65535.65535", 1},
        {"1.2.3.4", "1.2.4.0", -1},
        {"0.0.0.1", "0.0.0.0", 1},
        {"01.2.3.4", "1.2.3.4", 0},
    };
    for (const Case& c : cases) {
        FourPartVersion left, right;
        ASSERT_TRUE(FourPartVersion::parse(c.left, left));
        ASSERT_TRUE(FourPartVersion::parse(c.right, right));
        int order = compareVersions(left, right);
        EXPECT_EQ((order > 0) - (order < 0), c.order) << c.left << " vs " << c.right;
        int reverse = compareVersions(right, left);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.order) << c.right << " vs " << c.left;
    }
}

}  // namespace
