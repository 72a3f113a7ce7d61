// The market codes that update URLs carry: language, country and OS.
#pragma once

#include "OsVersion.h"

#include <cstdint>
#include <string>

// The user's language identifier mapped through the market's language table;
// 0 for identifiers it does not list (English among them).
int languageCodeFor(std::uint16_t languageId);

// The system language identifier as eight upper-case hex digits.
std::string countryCodeFor(std::uint16_t languageId);

// "5" XP and 32-bit NT 5.2, "9" 64-bit NT 5.2, "10" Vista, "11" 64-bit
// Vista, "3" anything else. note receives the line to trace for 64-bit hosts.
std::string osCodeFor(const OsVersion& os, std::string& note);
