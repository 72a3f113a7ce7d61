// Matches the thread locale to a language: the default record takes its
// measurement unit from it, the display texts their decimal symbol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t kLocaleIdentifierBuffer = 9;   // eight digits and NUL
constexpr std::size_t kLanguageNameBuffer = 17;      // "SERBIAN_CYRILLIC" and NUL

// Writes the matched identifier (e.g. "00000409") and language name into the
// caller's buffers and returns the language number. A locale the table does
// not list counts as French: "0000040C", "FRENCH", 1.
int MatchLanguage(uint32_t threadLocale, char* identifier, char* languageName);

// The eight-digit text of a locale, as the table writes it ("%.8X").
std::string LocaleIdentifierText(uint32_t threadLocale);

// '.' or ',' for a matched identifier.
char DecimalSymbolFor(const char* identifier);
