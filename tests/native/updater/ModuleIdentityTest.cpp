#include "MarketCodes.h"
#include "ModuleIdentity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace {

TEST(ModuleIdentity, PrefixIsTheFirstFourLowerCasedCharactersOfTheFileName)
{
    struct Case {
        const char* path;
        const char* prefix;
    } const cases[] = {
        {"C:\\Program Files\\Pelmora\\PmabUpdater.exe", "pmab"},
        {"PmabUpdater.exe", "pmab"},
        {"C:\\x\\ab.exe", "ab.e"},
        {"C:\\x\\ab", "ab"},
        {"C:\\Dir.With.Dots\\QCXYtool.exe", "qcxy"},
        {"C:\\x\\CZabUpdater.exe", "czab"},   // Z, the last letter lowered
        {"C:\\x\\\xC4""BCD.exe", "\xC4""bcd"},  // only A-Z are lowered
        {"C:\\x\\", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(modulePrefixOf(c.path), c.prefix);
    }
}

TEST(ModuleIdentity, KeyPathsFollowTheBrandTable)
{
    ModuleIdentity pmab("pmab");
    EXPECT_EQ(pmab.productKeyPath(), "Software\\PelmoraInkjet");
    EXPECT_EQ(pmab.jswKeyPath(), "Software\\PelmoraInkjet\\JSW\\");
    EXPECT_EQ(pmab.settingsKeyPath(0), "Software\\PelmoraInkjet\\JSW\\Local\\pmab\\");
    EXPECT_EQ(pmab.settingsKeyPath(1), "Software\\PelmoraInkjet\\JSW\\Shared\\");
    EXPECT_EQ(pmab.settingsKeyPath(2), "Software\\PelmoraTemp\\temp");
    EXPECT_EQ(pmab.settingsKeyPath(-1), "Software\\PelmoraTemp\\temp");
    EXPECT_FALSE(pmab.isLaserFamily());

    ModuleIdentity unknown("ab.e");
    EXPECT_EQ(unknown.productKeyPath(), "Software\\Pelmora Tools");
    EXPECT_EQ(unknown.settingsKeyPath(0), "Software\\Pelmora Tools\\JSW\\Local\\ab.e\\");
    EXPECT_FALSE(unknown.isLaserFamily());

    EXPECT_EQ(ModuleIdentity("PMxx").productKeyPath(), "Software\\PelmoraInkjet");
    ModuleIdentity cobalt(modulePrefixOf("C:\\x\\CZabUpdater.exe"));
    EXPECT_EQ(cobalt.productKeyPath(), "Software\\CobaltScanner");
    EXPECT_TRUE(cobalt.isLaserFamily());
    EXPECT_EQ(ModuleIdentity("p").productKeyPath(), "Software\\Pelmora Tools");
    EXPECT_EQ(ModuleIdentity("").productKeyPath(), "Software\\Pelmora Tools");
}

TEST(ModuleIdentity, BrandTableHasTheAgreedShape)
{
    EXPECT_STREQ(kBrandTable[0].code, "pm");
    EXPECT_STREQ(kBrandTable[0].keyName, "PelmoraInkjet");
    EXPECT_EQ(kBrandTable[0].laserFamily, 0);
    EXPECT_STREQ(kBrandTable[0].brandName, "Pelmora");

    std::map<std::string, std::vector<const BrandRow*>> byCode;
    for (const BrandRow& row : kBrandTable) {
        SCOPED_TRACE(row.keyName);
        ASSERT_EQ(std::strlen(row.code), 2u);
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(row.code[0])) &&
                    std::islower(static_cast<unsigned char>(row.code[1])));
        std::string key = row.keyName;
        auto endsWith = [&](const std::string& tail) {
            return key.size() > tail.size() && key.compare(key.size() - tail.size(), tail.size(), tail) == 0;
        };
        bool inkjet = endsWith("InkJet") || endsWith("Inkjet");
        bool laserOrScanner = endsWith("Laser") || endsWith("Scanner");
        EXPECT_TRUE(inkjet || laserOrScanner);
        EXPECT_EQ(row.laserFamily, laserOrScanner ? 1 : 0);
        byCode[row.code].push_back(&row);
    }
    int sharedCodes = 0;
    for (const auto& entry : byCode) {
        if (entry.second.size() == 1)
            continue;
        ++sharedCodes;
        ASSERT_EQ(entry.second.size(), 2u) << entry.first;
        std::set<std::string> kinds;
        for (const BrandRow* row : entry.second) {
            std::string key = row->keyName;
            kinds.insert(key.find("Laser") != std::string::npos ? "laser" : "scanner");
        }
        EXPECT_EQ(kinds, (std::set<std::string>{"laser", "scanner"})) << entry.first;
    }
    EXPECT_EQ(sharedCodes, 2);
    for (const BrandRow& row : kBrandTable) {
        if (row.laserFamily == 1) {
            EXPECT_TRUE(ModuleIdentity(std::string(row.code) + "zz").isLaserFamily()) << row.code;
        }
    }
}

TEST(MarketCodes, LanguageTable)
{
    struct Case {
        std::uint16_t id;
        int code;
    } const cases[] = {
        {0x0409, 0},  {0x0809, 0},  {0x0000, 0},  {0xFFFF, 0},  {0x040C, 1},  {0x140C, 1},
        {0x0407, 2},  {0x1407, 2},  {0x0810, 3},  {0x040A, 4},  {0x500A, 4},  {0x0C0A, 28},
        {0x0406, 5},  {0x0414, 6},  {0x0814, 45}, {0x0813, 7},  {0x081D, 8},  {0x040B, 9},
        {0x0816, 10}, {0x0416, 21}, {0x0411, 12}, {0x0804, 13}, {0x1004, 13}, {0x0404, 14},
        {0x1404, 14}, {0x0405, 15}, {0x0408, 16}, {0x040E, 17}, {0x040F, 18}, {0x0812, 19},
        {0x0415, 20}, {0x0419, 22}, {0x041B, 23}, {0x041F, 24}, {0x042A, 25}, {0x0422, 26},
        {0x041E, 27}, {0x0424, 29}, {0x081A, 30}, {0x0C1A, 31}, {0x0418, 32}, {0x0427, 33},
        {0x0426, 34}, {0x0421, 35}, {0x0438, 36}, {0x0425, 37}, {0x041A, 38}, {0x0403, 39},
        {0x0402, 40}, {0x0423, 41}, {0x042D, 42}, {0x041C, 43}, {0x0436, 44}, {0x040D, 46},
        {0x0401, 47}, {0x4001, 47}, {0x042F, 48}, {0x043E, 49}, {0x0C04, 14}, {0x4401, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(languageCodeFor(c.id), c.code);
    }
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id)
        EXPECT_NE(languageCodeFor(static_cast<std::uint16_t>(id)), 11) << id;
}

TEST(MarketCodes, CountryCodeIsEightUpperCaseHexDigits)
{
    EXPECT_EQ(countryCodeFor(0x0407), "00000407");
    EXPECT_EQ(countryCodeFor(0x0c0a), "00000C0A");
    EXPECT_EQ(countryCodeFor(0xFFFF), "0000FFFF");
}

TEST(MarketCodes, OsCodeByVersionAndWow64)
{
    struct Case {
        const char* name;
        std::uint32_t platform, major, minor;
        bool wow64;
        const char* code;
        const char* note;
    } const cases[] = {
        {"XP", 2, 5, 1, false, "5", ""},
        {"XP under WOW64 (never happens, still 5)", 2, 5, 1, true, "5", ""},
        {"Server 2003", 2, 5, 2, false, "5", ""},
        {"XP x64", 2, 5, 2, true, "9", "is 64 bit XP"},
        {"Vista", 2, 6, 0, false, "10", ""},
        {"Vista x64", 2, 6, 0, true, "11", "is 64 bit Vista"},
        {"7", 2, 6, 1, false, "3", ""},
        {"7 x64", 2, 6, 1, true, "3", ""},
        {"2000", 2, 5, 0, false, "3", ""},
        {"98", 1, 4, 10, false, "3", ""},
        {"9x reporting 5.1", 1, 5, 1, false, "3", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OsVersionRecord r;
        r.platformId = c.platform;
        r.major = c.major;
        r.minor = c.minor;
        std::string note;
        EXPECT_EQ(osCodeFor(OsVersion(r, c.wow64), note), c.code);
        EXPECT_EQ(note, c.note);
    }
}

}  // namespace
