#include "LanguageTable.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

struct Language {
    int number;
    const char* name;
    const char* identifiers[20];  // null-terminated
};

const Language kLanguages[] = {
    {0, "ENGLISH", {"00000409", "00000809", "00001009", "00001409", "00000C09", "00001C09", "00002009",
                    "00002409", "00002809", "00002C09", "00001809"}},
    {1, "FRENCH", {"0000040C", "0000080C", "0000100C", "00000C0C", "0000140C"}},
    {2, "GERMAN", {"00000407", "00000807", "00000C07", "00001007", "00001407"}},
    {3, "ITALIAN", {"00000410", "00000810"}},
    {4, "SPANISH", {"0000080A", "0000040A", "0000100A", "0000140A", "0000180A", "00001C0A", "0000200A",
                    "0000240A", "0000280A", "00002C0A", "0000300A", "0000340A", "0000380A", "00003C0A",
                    "0000400A", "0000440A", "0000480A", "00004C0A", "0000500A"}},
    {28, "SPANISH", {"00000C0A"}},
    {5, "DANISH", {"00000406"}},
    {6, "NORWEGAN", {"00000414"}},
    {45, "NORWEGAN", {"00000814"}},
    {7, "DUTCH", {"00000413", "00000813"}},
    {8, "SWEDISH", {"0000041D", "0000081D"}},
    {9, "FINNISH", {"0000040B"}},
    {10, "PORTBRZL", {"00000816"}},
    {21, "PORTBRZL", {"00000416"}},
    {12, "JAPANESE", {"00000411"}},
    {13, "CHI_SIMP", {"00000804", "00001004"}},
    {14, "CHI_TRAD", {"00000C04", "00000404", "00001404"}},
    {15, "CZECH", {"00000405"}},
    {16, "GREEK", {"00000408"}},
    {17, "HUNGARAN", {"0000040E"}},
    {18, "ICELANDIC", {"0000040F"}},
    {19, "KOREAN", {"00000412", "00000812"}},
    {20, "POLISH", {"00000415"}},
    {22, "RUSSIAN", {"00000419"}},
    {23, "SLOVAK", {"0000041B"}},
    {24, "TURKISH", {"0000041F"}},
    {25, "VIETNAMESE", {"0000042A"}},
    {26, "UKRAINIAN", {"00000422"}},
    {27, "THAI", {"0000041E"}},
    {29, "SLOVENIAN", {"00000424"}},
    {30, "SERBIAN_LATIN", {"0000081A"}},
    {31, "SERBIAN_CYRILLIC", {"00000C1A"}},
    {32, "ROMANIAN", {"00000418"}},
    {33, "LITHUANIAN", {"00000427"}},
    {34, "LATVIAN", {"00000426"}},
    {35, "INDONESIAN", {"00000421"}},
    {36, "FAEROESE", {"00000438"}},
    {37, "ESTONIAN", {"00000425"}},
    {38, "CROATIAN", {"0000041A"}},
    {39, "CATALAN", {"00000403"}},
    {40, "BULGARIAN", {"00000402"}},
    {41, "BELARUSIAN", {"00000423"}},
    {42, "BASQUE", {"0000042D"}},
    {43, "ALBANIAN", {"0000041C"}},
    {44, "AFRIKAANS", {"00000436"}},
    {46, "HEBREW", {"0000040D"}},
    {47, "ARABIC", {"00000401", "00000801", "00000C01", "00001001", "00001401", "00001801", "00001C01",
                    "00002001", "00002401", "00002801", "00002C01", "00003001", "00003401", "00003801",
                    "00003C01", "00004001"}},
    {48, "MACEDONIA", {"0000042F"}},
    {49, "MALAYSIA", {"0000043E"}},
};

const char* const kPointLocales[] = {
    "00000409", "00000809", "00001009", "00001409", "00000C09", "00001C09", "00002009", "00002409",
    "00002809", "00002C09", "0000100C", "00000807", "00001407", "00001809", "00000810", "0000080A",
    "0000100A", "0000180A", "00001C0A", "0000280A", "00003C0A", "0000440A", "0000480A", "00004C0A",
    "0000500A", "00000411", "00000412", "00000812", "00000C04", "00000804", "00001004", "00000404",
    "00001404",
};

bool sameIdentifier(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

void copyText(char* destination, std::size_t capacity, const char* text)
{
    std::size_t length = std::strlen(text);
    if (length >= capacity)
        length = capacity - 1;
    std::memcpy(destination, text, length);
    destination[length] = '\0';
}

}  // namespace

std::string LocaleIdentifierText(uint32_t threadLocale)
{
    char text[kLocaleIdentifierBuffer];
    std::snprintf(text, sizeof text, "%.8X", static_cast<unsigned>(threadLocale));
    return text;
}

int MatchLanguage(uint32_t threadLocale, char* identifier, char* languageName)
{
    const std::string locale = LocaleIdentifierText(threadLocale);
    for (const Language& language : kLanguages) {
        for (const char* const* id = language.identifiers; *id != nullptr; ++id) {
            if (sameIdentifier(*id, locale.c_str())) {
                copyText(identifier, kLocaleIdentifierBuffer, *id);
                copyText(languageName, kLanguageNameBuffer, language.name);
                return language.number;
            }
        }
    }
    copyText(identifier, kLocaleIdentifierBuffer, "0000040C");
    copyText(languageName, kLanguageNameBuffer, "FRENCH");
    return 1;
}

char DecimalSymbolFor(const char* identifier)
{
    for (const char* point : kPointLocales) {
        if (sameIdentifier(point, identifier))
            return '.';
    }
    return ',';
}
