// Update URLs: schemes, package references resolved against the manifest's
// address, the downloaded file's name and the local path of a file URL.
// The input is the manifest URL, a NUL byte, and the package reference.
#include "UpdateUrl.h"

#include "FuzzCheck.h"

#include <cstdint>

namespace {

bool isDriveLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void checkFileUrl(const std::string& url)
{
    std::string path = "unchanged";
    if (!fileUrlToPath(url, path)) {
        FUZZ_CHECK(path == "unchanged");
        return;
    }
    FUZZ_CHECK(urlScheme(url) == UrlScheme::File);
    FUZZ_CHECK(path.find('/') == std::string::npos);
    FUZZ_CHECK(path.find('\0') == std::string::npos);
    // A drive with its root, or a share: never a bare drive, a device or raw
    // path ("\\?\", "\\.\"), wildcards or a stream name.
    const bool drivePath = path.size() >= 3 && isDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
    const bool uncPath = path.size() > 2 && path.compare(0, 2, "\\\\") == 0;
    FUZZ_CHECK(drivePath || uncPath);
    FUZZ_CHECK(path.compare(0, 4, "\\\\?\\") != 0 && path.compare(0, 4, "\\\\.\\") != 0);
    FUZZ_CHECK(path.find_first_of("?*") == std::string::npos);
    FUZZ_CHECK(path.find(':', 2) == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string manifestUrl;
    std::string reference;
    FuzzSplitAtNul(FuzzText(data, size), manifestUrl, reference);
    // URLs reach the library as C strings: the reference ends at the next NUL.
    reference = reference.substr(0, reference.find('\0'));

    const std::string resolved = resolveReference(manifestUrl, reference);
    if (urlScheme(reference) != UrlScheme::Unsupported) {
        FUZZ_CHECK(resolved == reference);
    } else {
        // A relative reference replaces only the last segment of the manifest's path.
        FUZZ_CHECK(resolved.size() >= reference.size());
        const std::string base = resolved.substr(0, resolved.size() - reference.size());
        FUZZ_CHECK(resolved.compare(base.size(), std::string::npos, reference) == 0);
        FUZZ_CHECK(manifestUrl.compare(0, base.size(), base) == 0);
        FUZZ_CHECK(base.empty() || base.back() == '/');
        FUZZ_CHECK(base.find_first_of("?#") == std::string::npos);
    }

    for (const std::string& url : {manifestUrl, reference, resolved}) {
        const std::string segment = lastPathSegment(url);
        FUZZ_CHECK(segment.find_first_of("/?#") == std::string::npos);
        FUZZ_CHECK(url.find(segment) != std::string::npos);
        checkFileUrl(url);
    }
    return 0;
}
