// Typed values of the program settings file ("string:abc", "dword:42") and
// the decimal conversion of DWORD values, checked against the C library's
// strtol on a 32-bit long.
#include "IniValue.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string value = FuzzText(data, size);

    std::string payload = "before";
    bool hasTypeWord = true;
    const IniValueType type = parseTypedValue(value, payload, hasTypeWord);
    const std::string::size_type colon = value.find(':');
    FUZZ_CHECK(hasTypeWord == (colon != std::string::npos && colon != 0));
    if (!hasTypeWord) {
        FUZZ_CHECK(type == kIniUnknownType && payload == "before");
    } else {
        const std::string word = value.substr(0, colon);
        FUZZ_CHECK(type == (word == "string" ? kIniString : word == "dword" ? kIniDword : kIniUnknownType));
        FUZZ_CHECK(payload == (colon + 1 < value.size() ? value.substr(colon + 1) : std::string("before")));
    }

    // The profile text ends at its first NUL, as strtol's input does.
    long long reference = std::strtoll(value.c_str(), nullptr, 10);
    if (reference > INT32_MAX)
        reference = INT32_MAX;
    if (reference < INT32_MIN)
        reference = INT32_MIN;
    FUZZ_CHECK(dwordFromText(value) == static_cast<std::uint32_t>(static_cast<std::int32_t>(reference)));
    return 0;
}
