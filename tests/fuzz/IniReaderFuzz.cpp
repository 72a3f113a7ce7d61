// The portable part of the settings-file reader: the zero-separated lists of
// section names and keys the profile calls return, cut at the length they
// report, and the typed value of each entry. The input is one such buffer;
// its first byte picks how much of it the call reported.
#include "IniValue.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t length = data[0] % size;
    // A buffer of exactly the reported length: reading past it is a sanitizer report.
    std::unique_ptr<char[]> buffer(new char[length]);
    std::memcpy(buffer.get(), data + 1, length);

    const std::vector<std::string> names = splitZeroList(buffer.get(), length);
    std::string joined;
    for (const std::string& name : names) {
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(name.find('\0') == std::string::npos);
        joined += name;
        std::string typed;
        bool hasTypeWord = false;
        parseTypedValue(name, typed, hasTypeWord);
    }
    // Nothing but the separators is dropped, and nothing is added.
    std::string expected;
    std::size_t runs = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (buffer[i] != '\0') {
            expected += buffer[i];
            if (i == 0 || buffer[i - 1] == '\0')
                ++runs;
        }
    }
    FUZZ_CHECK(joined == expected);
    FUZZ_CHECK(names.size() == runs);
    return 0;
}
