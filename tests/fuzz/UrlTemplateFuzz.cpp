// Filling the update URL template with market codes and package codes of
// arbitrary text, the market codes themselves, and the version file.
#include "MarketCodes.h"
#include "OsVersion.h"
#include "UrlTemplate.h"

#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool contains(const std::string& text, const char* placeholder)
{
    return text.find(placeholder) != std::string::npos;
}

// One placeholder replaced at its first occurrence, the rest of the text kept.
void checkReplaced(const std::string& before, const std::string& after, const std::string& placeholder,
                   const std::string& value)
{
    const std::string::size_type at = before.find(placeholder);
    FUZZ_CHECK(at != std::string::npos);
    FUZZ_CHECK(after.size() == before.size() - placeholder.size() + value.size());
    FUZZ_CHECK(after.compare(0, at, before, 0, at) == 0);
    FUZZ_CHECK(after.compare(at, value.size(), value) == 0);
    FUZZ_CHECK(after.compare(at + value.size(), std::string::npos, before, at + placeholder.size(),
                             std::string::npos) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::uint16_t languageId = input.ConsumeIntegral<std::uint16_t>();
    OsVersionRecord record;
    record.platformId = input.ConsumeIntegralInRange<std::uint32_t>(0, 3);
    record.major = input.ConsumeIntegralInRange<std::uint32_t>(3, 7);
    record.minor = input.ConsumeIntegralInRange<std::uint32_t>(0, 3);
    const bool wow64 = input.ConsumeBool();
    const std::string language = input.ConsumeRandomLengthString(64);
    const std::string country = input.ConsumeRandomLengthString(64);
    const std::string os = input.ConsumeRandomLengthString(64);
    const std::string packageCode = input.ConsumeRandomLengthString(64);
    const std::string url = input.ConsumeRandomLengthString(512);
    const std::string versionFile = input.ConsumeRemainingBytesAsString();

    // Each code is asked for only when its placeholder is there, at most once.
    int asked[3] = {0, 0, 0};
    std::string stage[4];
    const std::string filled = fillMarketCodes(
        url, [&] { ++asked[0]; return language; }, [&] { ++asked[1]; return country; },
        [&] { ++asked[2]; return os; });
    stage[0] = url;
    const char* placeholders[3] = {kLanguagePlaceholder, kCountryPlaceholder, kOsPlaceholder};
    const std::string values[3] = {language, country, os};
    for (int i = 0; i < 3; ++i) {
        FUZZ_CHECK(asked[i] == (contains(stage[i], placeholders[i]) ? 1 : 0));
        stage[i + 1] = stage[i];
        if (asked[i] == 1) {
            stage[i + 1] = stage[i];
            replaceFirst(stage[i + 1], placeholders[i], values[i]);
            checkReplaced(stage[i], stage[i + 1], placeholders[i], values[i]);
        }
    }
    FUZZ_CHECK(filled == stage[3]);

    const std::string withCode = withPackageCode(filled, packageCode);
    if (packageCode.empty() || !contains(filled, kPackagePlaceholder))
        FUZZ_CHECK(withCode == filled);
    else
        checkReplaced(filled, withCode, kPackagePlaceholder, packageCode);

    const int languageCode = languageCodeFor(languageId);
    FUZZ_CHECK(languageCode >= 0 && languageCode <= 49);
    FUZZ_CHECK(languageId != 0 || languageCode == 0);
    const std::string countryCode = countryCodeFor(languageId);
    FUZZ_CHECK(countryCode.size() == 8);
    FUZZ_CHECK(countryCode.find_first_not_of("0123456789ABCDEF") == std::string::npos);
    FUZZ_CHECK(std::strtoul(countryCode.c_str(), nullptr, 16) == languageId);

    std::string note;
    const std::string osCode = osCodeFor(OsVersion(record, wow64), note);
    FUZZ_CHECK(osCode == "3" || osCode == "5" || osCode == "9" || osCode == "10" || osCode == "11");
    FUZZ_CHECK(note.empty() == (osCode != "9" && osCode != "11"));

    std::string version = "unchanged";
    const bool found = packageVersionIn(versionFile.data(), versionFile.size(), version);
    const std::string head = versionFile.substr(0, kVersionFileBytes);
    const std::string text = head.substr(0, head.find('\0'));
    FUZZ_CHECK(found == (contains(text, "<PackageVersion>") && contains(text, "</PackageVersion>")));
    if (found)
        FUZZ_CHECK(version.empty() || text.find("<PackageVersion>" + version + "</PackageVersion>") == text.find("<PackageVersion>"));
    else
        FUZZ_CHECK(version == "unchanged");
    return 0;
}
