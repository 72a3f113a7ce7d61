// What decides whether a manifest is trusted: the signature line that ends a
// signed manifest, the public key file and the record of accepted versions.
// Each reads the same input.
#include "ManifestSignature.h"

#include "FuzzCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = FuzzText(data, size);

    SignedManifest split;
    if (SignedManifest::split(text, split)) {
        if (split.signedDocument) {
            // The signature covers every byte before its line, and nothing else.
            FUZZ_CHECK(split.signature.size() >= 64 && split.signature.size() <= 1024);
            FUZZ_CHECK(text.compare(0, split.body.size(), split.body) == 0);
            FUZZ_CHECK(text.compare(split.body.size(), 10, "Signature=") == 0);
            FUZZ_CHECK(split.body.empty() || split.body.back() == '\n');
        } else {
            FUZZ_CHECK(split.body == text && split.signature.empty());
        }
    }

    PublicKeys keys;
    std::string error;
    if (PublicKeys::parse(text, keys, error)) {
        FUZZ_CHECK(!keys.moduli.empty());
        for (const Bytes& modulus : keys.moduli) {
            FUZZ_CHECK(modulus.size() >= 256 && modulus.size() <= 1024);
            FUZZ_CHECK(modulus.front() != 0 && (modulus.back() & 1) == 1);
        }
    } else {
        FUZZ_CHECK(!error.empty());
    }

    // The record is written back as it reads: parsing its text gives the same text.
    const AcceptedVersions record = AcceptedVersions::parse(text);
    const std::string written = record.text();
    FUZZ_CHECK(AcceptedVersions::parse(written).text() == written);

    Bytes bytes;
    if (decodeHex(text, bytes))
        FUZZ_CHECK(bytes.size() * 2 == text.size());
    return 0;
}
