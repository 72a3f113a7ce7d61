// Typed values of the program settings file ("string:abc", "dword:42") and
// the zero-separated lists the private-profile calls return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum IniValueType { kIniUnknownType = 0, kIniString = 1, kIniDword = 2 };

// The type word before the first colon, compared case-sensitively. When
// something follows the colon, data receives it; otherwise data is unchanged.
// hasTypeWord is false when there is no colon or nothing before it.
IniValueType parseTypedValue(const std::string& typedValue, std::string& data, bool& hasTypeWord);

// The C library's text-to-long conversion on a 32-bit long: leading blanks,
// optional sign, decimal digits up to the first other character, 0 without
// digits, clamped to the long range; returned as the DWORD it is stored as.
std::uint32_t dwordFromText(const std::string& text);

// "a\0b\0\0" -> {"a", "b"}; empty names are dropped. Never reads past length.
std::vector<std::string> splitZeroList(const char* buffer, std::size_t length);
