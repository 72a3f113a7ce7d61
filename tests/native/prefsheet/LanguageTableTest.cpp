#include "LanguageTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

// Every row of the table: each identifier matches its own row, as the locale
// it names, and the decimal symbol is '.' exactly for the listed locales.
TEST(LanguageTable, EveryIdentifierMatchesItsRow)
{
    const struct {
        int number;
        const char* name;
        std::vector<uint32_t> locales;
    } rows[] = {
        {0, "ENGLISH", {0x0409, 0x0809, 0x1009, 0x1409, 0x0C09, 0x1C09, 0x2009, 0x2409, 0x2809, 0x2C09, 0x1809}},
        {1, "FRENCH", {0x040C, 0x080C, 0x100C, 0x0C0C, 0x140C}},
        {2, "GERMAN", {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407}},
        {3, "ITALIAN", {0x0410, 0x0810}},
        {4, "SPANISH", {0x080A, 0x040A, 0x100A, 0x140A, 0x180A, 0x1C0A, 0x200A, 0x240A,
                        0x280A, 0x2C0A, 0x300A, 0x340A, 0x380A, 0x3C0A, 0x400A, 0x440A,
                        0x480A, 0x4C0A, 0x500A}},
        {28, "SPANISH", {0x0C0A}},
        {5, "DANISH", {0x0406}},
        {6, "NORWEGAN", {0x0414}},
        {45, "NORWEGAN", {0x0814}},
        {7, "DUTCH", {0x0413, 0x0813}},
        {8, "SWEDISH", {0x041D, 0x081D}},
        {9, "FINNISH", {0x040B}},
        {10, "PORTBRZL", {0x0816}},
        {21, "PORTBRZL", {0x0416}},
        {12, "JAPANESE", {0x0411}},
        {13, "CHI_SIMP", {0x0804, 0x1004}},
        {14, "CHI_TRAD", {0x0C04, 0x0404, 0x1404}},
        {15, "CZECH", {0x0405}},
        {16, "GREEK", {0x0408}},
        {17, "HUNGARAN", {0x040E}},
        {18, "ICELANDIC", {0x040F}},
        {19, "KOREAN", {0x0412, 0x0812}},
        {20, "POLISH", {0x0415}},
        {22, "RUSSIAN", {0x0419}},
        {23, "SLOVAK", {0x041B}},
        {24, "TURKISH", {0x041F}},
        {25, "VIETNAMESE", {0x042A}},
        {26, "UKRAINIAN", {0x0422}},
        {27, "THAI", {0x041E}},
        {29, "SLOVENIAN", {0x0424}},
        {30, "SERBIAN_LATIN", {0x081A}},
        {31, "SERBIAN_CYRILLIC", {0x0C1A}},
        {32, "ROMANIAN", {0x0418}},
        {33, "LITHUANIAN", {0x0427}},
        {34, "LATVIAN", {0x0426}},
        {35, "INDONESIAN", {0x0421}},
        {36, "FAEROESE", {0x0438}},
        {37, "ESTONIAN", {0x0425}},
        {38, "CROATIAN", {0x041A}},
        {39, "CATALAN", {0x0403}},
        {40, "BULGARIAN", {0x0402}},
        {41, "BELARUSIAN", {0x0423}},
        {42, "BASQUE", {0x042D}},
        {43, "ALBANIAN", {0x041C}},
        {44, "AFRIKAANS", {0x0436}},
        {46, "HEBREW", {0x040D}},
        {47, "ARABIC", {0x0401, 0x0801, 0x0C01, 0x1001, 0x1401, 0x1801, 0x1C01, 0x2001,
                        0x2401, 0x2801, 0x2C01, 0x3001, 0x3401, 0x3801, 0x3C01, 0x4001}},
        {48, "MACEDONIA", {0x042F}},
        {49, "MALAYSIA", {0x043E}},
    };
    const std::set<uint32_t> pointLocales = {
        0x0409, 0x0809, 0x1009, 0x1409, 0x0C09, 0x1C09, 0x2009, 0x2409,
        0x2809, 0x2C09, 0x100C, 0x0807, 0x1407, 0x1809, 0x0810, 0x080A,
        0x100A, 0x180A, 0x1C0A, 0x280A, 0x3C0A, 0x440A, 0x480A, 0x4C0A,
        0x500A, 0x0411, 0x0412, 0x0812, 0x0C04, 0x0804, 0x1004, 0x0404,
        0x1404,
    };
    std::size_t identifiers = 0;
    for (const auto& row : rows) {
        for (uint32_t locale : row.locales) {
            SCOPED_TRACE(LocaleIdentifierText(locale));
            Match m = match(locale);
            EXPECT_EQ(m.number, row.number);
            EXPECT_EQ(m.name, row.name);
            EXPECT_EQ(m.identifier, LocaleIdentifierText(locale));
            EXPECT_EQ(DecimalSymbolFor(m.identifier.c_str()), pointLocales.count(locale) != 0 ? '.' : ',');
            ++identifiers;
        }
    }
    EXPECT_EQ(identifiers, 107u);
}
