// What makes a manifest trustworthy, as pure rules: the signature line that
// ends a signed manifest, the public key file beside the library and the
// record of the newest signed version accepted per manifest URL (formats in
// the README).
#pragma once

#include "FourPartVersion.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A signed manifest ends in one line "Signature=<hex>": RSA (PKCS #1 v1.5)
// with SHA-256 over every byte before that line, as `openssl dgst -sha256
// -sign` makes it. Without such a line the whole document is the body.
struct SignedManifest {
    std::string body;
    bool signedDocument = false;
    Bytes signature;  // big-endian, as openssl writes it

    // False for a signature line that is not 64 to 1024 bytes of hexadecimal.
    static bool split(const std::string& document, SignedManifest& result);
};

// The public key file: a first line "netrefresh-keys 1", then one line
// "RSA=<modulus in hexadecimal>" per accepted key (public exponent 65537,
// 2048 to 8192 bits); two lines while the signing key changes over.
struct PublicKeys {
    std::vector<Bytes> moduli;  // big-endian, without leading zero bytes

    static constexpr std::size_t maximumBytes = 65536;
    static constexpr unsigned long exponent = 65537;

    // False with a reason for anything else, including a file without keys.
    static bool parse(const std::string& text, PublicKeys& result, std::string& error);
};

// The newest version of a signed manifest accepted from each URL. A signed
// manifest older than that is a replay: an attacker answering for the server
// with a document that was once genuine.
class AcceptedVersions {
public:
    static constexpr std::size_t maximumBytes = 1 << 20;

    // Lines "<version> <url>"; lines that do not read so are dropped.
    static AcceptedVersions parse(const std::string& text);
    std::string text() const;

    bool isReplay(const std::string& url, const FourPartVersion& version) const;
    // Raises the URL's version; false when nothing changed.
    bool remember(const std::string& url, const FourPartVersion& version);

private:
    std::map<std::string, FourPartVersion> newest_;
};

// Lower- or upper-case hexadecimal of an even length; false otherwise.
bool decodeHex(const std::string& text, Bytes& result);
