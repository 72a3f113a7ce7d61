// The manifest document a server publishes, and the update check's answer
// over it. The input is the document, then optionally a NUL byte and the
// installed version text (a manifest never holds a NUL).
#include "FourPartVersion.h"
#include "Manifest.h"
#include "SafeNames.h"
#include "UpdateCheck.h"
#include "WebUpdaterLibrary.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>

namespace {

bool isLowerHex(const std::string& text)
{
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool sameVersion(const FourPartVersion& a, const FourPartVersion& b)
{
    return std::memcmp(a.parts, b.parts, sizeof a.parts) == 0;
}

std::string serialise(const Manifest& m)
{
    return "netrefresh-manifest 1\nVersion=" + m.version.text() + "\nPackage=" + m.package +
           "\nSize=" + std::to_string(m.size) + "\nSHA256=" + m.sha256 + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string document;
    std::string installedText;
    const bool installed = FuzzSplitAtNul(FuzzText(data, size), document, installedText);

    Manifest manifest;
    std::string error;
    const bool accepted = Manifest::parse(document, manifest, error);
    if (accepted) {
        FUZZ_CHECK(manifest.version.text().size() <= 19);
        FUZZ_CHECK(manifest.size <= Manifest::maximumPackageBytes);
        FUZZ_CHECK(manifest.sha256.size() == 64 && isLowerHex(manifest.sha256));
        FUZZ_CHECK(!manifest.package.empty());
        FUZZ_CHECK(manifest.package.find_first_of("\r\n") == std::string::npos);
        const std::string local = manifest.localFileName();
        FUZZ_CHECK(local == "package.bin" || isSafePackageFileName(local));

        // What was accepted writes back to a document that reads the same.
        Manifest again;
        std::string againError;
        FUZZ_CHECK(Manifest::parse(serialise(manifest), again, againError));
        FUZZ_CHECK(sameVersion(again.version, manifest.version));
        FUZZ_CHECK(again.package == manifest.package);
        FUZZ_CHECK(again.size == manifest.size);
        FUZZ_CHECK(again.sha256 == manifest.sha256);
    } else {
        FUZZ_CHECK(!error.empty());
    }

    const UpdateCheckAnswer answer =
        answerUpdateCheck(document, installed ? installedText.c_str() : nullptr);
    if (!accepted) {
        FUZZ_CHECK(answer.result == UPD_INVALID_RESPONSE_DOC && answer.newerVersion.empty());
    } else if (answer.result == UPD_UPDATES_AVAILABLE) {
        FUZZ_CHECK(answer.newerVersion == manifest.version.text());
        FUZZ_CHECK(answer.newerVersion.size() <= 19);
    } else {
        FUZZ_CHECK(answer.result == UPD_UPDATES_NOT_AVAILABLE && answer.newerVersion.empty());
    }
    // Nothing installed (no text) means 0.0.0.0: every version but that one is newer.
    if (accepted && !installed)
        FUZZ_CHECK((answer.result == UPD_UPDATES_AVAILABLE) == (manifest.version.text() != "0.0.0.0"));
    return 0;
}
