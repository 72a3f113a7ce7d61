#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Match {
    int number;
    std::string identifier;
    std::string name;
};

Match match(uint32_t locale)
{
    char identifier[kLocaleIdentifierBuffer];
    char name[kLanguageNameBuffer];
    int number = MatchLanguage(locale, identifier, name);
    return {number, identifier, name};
}

}  // namespace

TEST(LanguageTable, MatchesListedLocalesToTheirNumbers)
{
    const struct {
        uint32_t locale;
        int number;
        const char* identifier;
        const char* name;
    } cases[] = {
        {0x0409, 0, "00000409", "ENGLISH"},
        {0x1809, 0, "00001809", "ENGLISH"},
        {0x0407, 2, "00000407", "GERMAN"},
        {0x0C0A, 28, "00000C0A", "SPANISH"},
        {0x040A, 4, "0000040A", "SPANISH"},
        {0x500A, 4, "0000500A", "SPANISH"},
        {0x0814, 45, "00000814", "NORWEGAN"},
        {0x0416, 21, "00000416", "PORTBRZL"},
        {0x0816, 10, "00000816", "PORTBRZL"},
        {0x0C1A, 31, "00000C1A", "SERBIAN_CYRILLIC"},
        {0x0411, 12, "00000411", "JAPANESE"},
        {0x4001, 47, "00004001", "ARABIC"},
        {0x043E, 49, "0000043E", "MALAYSIA"},
        {0x040C, 1, "0000040C", "FRENCH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.identifier);
        Match m = match(c.locale);
        EXPECT_EQ(m.number, c.number);
        EXPECT_EQ(m.identifier, c.identifier);
        EXPECT_EQ(m.name, c.name);
    }
}

TEST(LanguageTable, UnlistedLocalesCountAsFrench)
{
    for (uint32_t locale : {0x3009u, 0x0000u, 0x0C0Cu + 0x10000u, 0xFFFFFFFFu, 0x0809u + 0x00010000u}) {
        SCOPED_TRACE(locale);
        Match m = match(locale);
        EXPECT_EQ(m.number, 1);
        EXPECT_EQ(m.identifier, "0000040C");
        EXPECT_EQ(m.name, "FRENCH");
    }
}

TEST(LanguageTable, IdentifierTextIsEightUpperCaseDigits)
{
    EXPECT_EQ(LocaleIdentifierText(0x0c0a), "00000C0A");
    EXPECT_EQ(LocaleIdentifierText(0x3009), "00003009");
}

TEST(LanguageTable, DecimalSymbolByMatchedIdentifier)
{
    EXPECT_EQ(DecimalSymbolFor("00000409"), '.');
    EXPECT_EQ(DecimalSymbolFor("00000807"), '.');   // Swiss German
    EXPECT_EQ(DecimalSymbolFor("0000100C"), '.');   // Swiss French
    EXPECT_EQ(DecimalSymbolFor("00000c04"), '.');   // case-insensitive
    EXPECT_EQ(DecimalSymbolFor("00000407"), ',');
    EXPECT_EQ(DecimalSymbolFor("0000040C"), ',');
    EXPECT_EQ(DecimalSymbolFor("00000C0A"), ',');
    // An unlisted locale matches as French and so gets ','.
    Match m = match(0x3009);
    EXPECT_EQ(DecimalSymbolFor(m.identifier.c_str()), ',');
}
