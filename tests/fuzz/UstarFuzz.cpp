// The ustar reader with its path checks. An accepted archive must never
// yield a path that leaves the destination folder or a body outside the
// archive; a refused one says why.
#include "SafeNames.h"
#include "TarArchive.h"

#include "FuzzCheck.h"

#include <cstdint>

namespace {

// The path an installer writes, joined as it joins it, below a destination.
void checkPathStaysInside(const TarEntry& entry)
{
    FUZZ_CHECK(!entry.components.empty());
    std::string joined;
    for (const std::string& component : entry.components) {
        FUZZ_CHECK(isSafeArchiveComponent(component));
        FUZZ_CHECK(component != "." && component != "..");
        FUZZ_CHECK(component.find_first_of("/\\:") == std::string::npos);
        joined += "\\" + component;
    }
    FUZZ_CHECK(joined.find("\\..\\") == std::string::npos);

    // The stored name splits to the same components again.
    std::vector<std::string> again;
    std::string error;
    FUZZ_CHECK(splitArchivePath(entry.name, again, error));
    FUZZ_CHECK(again == entry.components);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySource source(FuzzText(data, size));
    const TarListing listing = listTarArchive(source);
    if (!listing.ok) {
        FUZZ_CHECK(!listing.error.empty());
        return 0;
    }
    for (const TarEntry& entry : listing.entries) {
        checkPathStaysInside(entry);
        FUZZ_CHECK(entry.dataOffset % 512 == 0 && entry.dataOffset >= 512);
        FUZZ_CHECK(entry.dataOffset <= size && entry.size <= size - entry.dataOffset);
    }

    // The bodies can be read back whole.
    for (const TarEntry& entry : listing.entries) {
        std::string body(static_cast<std::size_t>(entry.size), '\0');
        FUZZ_CHECK(source.readAt(entry.dataOffset, &body[0], body.size()));
    }
    return 0;
}
