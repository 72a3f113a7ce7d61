// Four-part versions: the input is two version texts separated by a NUL.
#include "FourPartVersion.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>

namespace {

bool parsesCanonically(const std::string& text, FourPartVersion& version)
{
    const FourPartVersion sentinel = {{0xFFFF, 1, 0xFFFF, 2}};
    version = sentinel;
    if (!FourPartVersion::parse(text, version)) {
        // A refused text leaves the result as it was.
        FUZZ_CHECK(std::memcmp(version.parts, sentinel.parts, sizeof version.parts) == 0);
        return false;
    }
    const std::string canonical = version.text();
    FUZZ_CHECK(canonical.size() <= 23 && canonical.size() <= text.size());
    FourPartVersion again;
    FUZZ_CHECK(FourPartVersion::parse(canonical, again));
    FUZZ_CHECK(std::memcmp(again.parts, version.parts, sizeof again.parts) == 0);
    FUZZ_CHECK(compareVersions(again, version) == 0);
    return true;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string leftText;
    std::string rightText;
    FuzzSplitAtNul(FuzzText(data, size), leftText, rightText);

    FourPartVersion left;
    FourPartVersion right;
    const bool leftOk = parsesCanonically(leftText, left);
    const bool rightOk = parsesCanonically(rightText, right);
    if (leftOk && rightOk) {
        const int order = compareVersions(left, right);
        FUZZ_CHECK(sign(order) == -sign(compareVersions(right, left)));
        // Part by part as numbers, the first differing part decides.
        int expected = 0;
        for (int i = 0; i < 4 && expected == 0; ++i)
            expected = left.parts[i] < right.parts[i] ? -1 : left.parts[i] > right.parts[i] ? 1 : 0;
        FUZZ_CHECK(sign(order) == expected);
    }
    return 0;
}
