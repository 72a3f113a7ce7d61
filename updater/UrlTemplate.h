// Filling the update URL template, and finding the installed version in a
// version file: the portable halves of UrlGenerator and VersionInfo.
#pragma once

#include <cstddef>
#include <string>

constexpr const char* kLanguagePlaceholder = "[language_code]";
constexpr const char* kCountryPlaceholder = "[country_code]";
constexpr const char* kOsPlaceholder = "[os_code]";
constexpr const char* kPackagePlaceholder = "[package_code]";

// Replaces the first occurrence only; false when there is none.
bool replaceFirst(std::string& text, const std::string& placeholder, const std::string& value);

// Fills each market-code placeholder that occurs, asking for its code only
// then (language, country, os, in this order).
template <class Language, class Country, class Os>
std::string fillMarketCodes(std::string url, Language language, Country country, Os os)
{
    if (url.find(kLanguagePlaceholder) != std::string::npos)
        replaceFirst(url, kLanguagePlaceholder, language());
    if (url.find(kCountryPlaceholder) != std::string::npos)
        replaceFirst(url, kCountryPlaceholder, country());
    if (url.find(kOsPlaceholder) != std::string::npos)
        replaceFirst(url, kOsPlaceholder, os());
    return url;
}

// An empty package code leaves the placeholder in place.
std::string withPackageCode(const std::string& baseUrl, const std::string& packageCode);

constexpr const char* kNoVersion = "0.0.0.0";
constexpr std::size_t kVersionFileBytes = 1024;

// The text between the first <PackageVersion> and the first
// </PackageVersion> of the first 1024 bytes (up to a zero byte), unchanged;
// false when either tag is missing.
bool packageVersionIn(const char* bytes, std::size_t size, std::string& version);
