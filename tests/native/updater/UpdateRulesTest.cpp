#include "CommandLineParams.h"
#include "UrlTemplate.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, ElevationTokenAnywhereInAnyCase)
{
    struct Case {
        const char* line;
        bool elevated;
    } const cases[] = {
        {"", false},        {"-UAC", true},     {"-uac", true},  {"-Uac", true},
        {"x-uacy", true},   {"-UACX", true},    {"UAC", false},  {"/UAC", false},
        {"- UAC", false},   {"a b -uAc c", true}, {"--UAC", true}, {"-UA", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(containsElevationToken(c.line), c.elevated);
    }
}

TEST(UrlTemplate, MarketCodesAreAskedForOnlyWhenTheirPlaceholderOccurs)
{
    int asked = 0;
    auto code = [&asked](const char* value) {
        return [&asked, value] {
            ++asked;
            return std::string(value);
        };
    };
    EXPECT_EQ(fillMarketCodes("http://u/[os_code]/[os_code]", code("L"), code("C"), code("9")),
              "http://u/9/[os_code]");
    EXPECT_EQ(asked, 1);
    asked = 0;
    EXPECT_EQ(fillMarketCodes("http://u/?l=[language_code]&c=[country_code]&o=[os_code]",
                              code("28"), code("00000C0A"), code("10")),
              "http://u/?l=28&c=00000C0A&o=10");
    EXPECT_EQ(asked, 3);
    asked = 0;
    EXPECT_EQ(fillMarketCodes("", code("L"), code("C"), code("O")), "");
    EXPECT_EQ(asked, 0);
    // A code that itself looks like a placeholder is not filled again.
    EXPECT_EQ(fillMarketCodes("[language_code][country_code]", code("[country_code]"), code("C"),
                              code("O")),
              "C[country_code]");
}

TEST(UrlTemplate, PackageCodeFillsTheFirstPlaceholderUnlessEmpty)
{
    EXPECT_EQ(withPackageCode("http://u/[package_code]/[package_code]", "kv"),
              "http://u/kv/[package_code]");
    EXPECT_EQ(withPackageCode("http://u/[package_code]", ""), "http://u/[package_code]");
    EXPECT_EQ(withPackageCode("http://u/", "kv"), "http://u/");
}

TEST(VersionFile, PackageVersionBetweenTheFirstTags)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool found;
        const char* version;
    } const cases[] = {
        {"plain", "<PackageVersion>1.2.3.4</PackageVersion>", true, "1.2.3.4"},
        {"in a document", "<?xml version=\"1.0\"?>\n<R><PackageVersion>5.6.7.8</PackageVersion></R>",
         true, "5.6.7.8"},
        {"spaces kept", "<PackageVersion> 1 </PackageVersion>", true, " 1 "},
        {"first of two", "<PackageVersion>1</PackageVersion><PackageVersion>2</PackageVersion>",
         true, "1"},
        {"close before open", "</PackageVersion><PackageVersion>3", true, ""},
        {"empty element", "<PackageVersion></PackageVersion>", true, ""},
        {"no close", "<PackageVersion>1", false, ""},
        {"no open", "1</PackageVersion>", false, ""},
        {"case matters", "<packageversion>1</packageversion>", false, ""},
        {"cut by a zero byte", std::string("<PackageVersion>1\0</PackageVersion>", 35), false, ""},
        {"past 1024 bytes", std::string(1010, ' ') + "<PackageVersion>1</PackageVersion>", false,
         ""},
        {"close tag cut at 1024", std::string(990, ' ') + "<PackageVersion>1.2.3.4</PackageVersion>",
         false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string version = "unchanged";
        EXPECT_EQ(packageVersionIn(c.bytes.data(), c.bytes.size(), version), c.found);
        EXPECT_EQ(version, c.found ? c.version : "unchanged");
    }
}

}  // namespace
