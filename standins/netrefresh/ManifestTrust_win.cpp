#include "ManifestTrust_win.h"

#include "LocalFiles_win.h"
#include "Manifest.h"
#include "ManifestSignature.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstring>

namespace {

enum class SignatureCheck { Valid, Invalid, Unverifiable };

// CALG_SHA_256: the headers show it only to Server 2003 builds, though XP
// SP3's AES provider has it.
const ALG_ID kSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;

class Provider {
public:
    Provider() = default;
    ~Provider()
    {
        if (handle_ != 0)
            CryptReleaseContext(handle_, 0);
    }
    Provider(const Provider&) = delete;
    Provider& operator=(const Provider&) = delete;
    HCRYPTPROV* out() { return &handle_; }
    HCRYPTPROV get() const { return handle_; }

private:
    HCRYPTPROV handle_ = 0;
};

class Key {
public:
    Key() = default;
    ~Key()
    {
        if (handle_ != 0)
            CryptDestroyKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HCRYPTKEY* out() { return &handle_; }
    HCRYPTKEY get() const { return handle_; }

private:
    HCRYPTKEY handle_ = 0;
};

class Hash {
public:
    Hash() = default;
    ~Hash()
    {
        if (handle_ != 0)
            CryptDestroyHash(handle_);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;
    HCRYPTHASH* out() { return &handle_; }
    HCRYPTHASH get() const { return handle_; }

private:
    HCRYPTHASH handle_ = 0;
};

// CryptoAPI's form of an RSA public key: headers, then the modulus with its
// least significant byte first.
Bytes publicKeyBlob(const Bytes& modulus)
{
    BLOBHEADER header = {};
    header.bType = PUBLICKEYBLOB;
    header.bVersion = CUR_BLOB_VERSION;
    header.aiKeyAlg = CALG_RSA_SIGN;
    RSAPUBKEY rsa = {};
    rsa.magic = 0x31415352;  // "RSA1"
    rsa.bitlen = static_cast<DWORD>(modulus.size() * 8);
    rsa.pubexp = PublicKeys::exponent;
    Bytes blob(sizeof header + sizeof rsa);
    std::memcpy(&blob[0], &header, sizeof header);
    std::memcpy(&blob[sizeof header], &rsa, sizeof rsa);
    blob.insert(blob.end(), modulus.rbegin(), modulus.rend());
    return blob;
}

SignatureCheck verifySignature(const std::string& body, const Bytes& signature,
                               const PublicKeys& keys, DWORD& error)
{
    // The default provider of the AES type: RSA with SHA-256 from XP SP3 on.
    Provider provider;
    if (!CryptAcquireContextA(provider.out(), nullptr, nullptr, PROV_RSA_AES,
                              CRYPT_VERIFYCONTEXT)) {
        error = GetLastError();
        return SignatureCheck::Unverifiable;
    }
    // CryptoAPI takes the signature least significant byte first.
    Bytes reversed(signature.rbegin(), signature.rend());
    for (const Bytes& modulus : keys.moduli) {
        if (modulus.size() != signature.size())
            continue;
        Bytes blob = publicKeyBlob(modulus);
        Key key;
        if (!CryptImportKey(provider.get(), blob.data(), static_cast<DWORD>(blob.size()), 0, 0,
                            key.out())) {
            error = GetLastError();
            return SignatureCheck::Unverifiable;
        }
        Hash hash;
        if (!CryptCreateHash(provider.get(), kSha256, 0, 0, hash.out()) ||
            !CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(body.data()),
                           static_cast<DWORD>(body.size()), 0)) {
            error = GetLastError();
            return SignatureCheck::Unverifiable;
        }
        if (CryptVerifySignatureA(hash.get(), reversed.data(), static_cast<DWORD>(reversed.size()),
                                  key.get(), nullptr, 0))
            return SignatureCheck::Valid;
    }
    return SignatureCheck::Invalid;
}

bool unsignedAllowed(const std::string& settingsFile)
{
    return !settingsFile.empty() &&
           GetPrivateProfileIntA("netrefresh", "AllowUnsignedManifests", 0,
                                 settingsFile.c_str()) == 1;
}

void refuse(const std::string& url, const std::string& why)
{
    writeLibraryLog("Manifest " + url + " refused: " + why);
}

// A signed manifest older than the newest one accepted from its URL is
// refused; a newer one raises the record.
bool passesReplayCheck(const std::string& url, const std::string& body)
{
    Manifest manifest;
    std::string why;
    if (!Manifest::parse(body, manifest, why)) {
        refuse(url, "signed, but not a valid manifest: " + why);
        return false;
    }
    std::string folder;
    DWORD error = libraryDataFolder(folder);
    if (error != 0) {
        refuse(url, "no folder for the record of accepted versions, error " +
                        std::to_string(error));
        return false;
    }
    const std::string recordFile = folder + "\\accepted-manifests.txt";
    std::string text;
    error = readSmallFile(recordFile, AcceptedVersions::maximumBytes, text);
    if (error != 0 && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        refuse(url, "the record of accepted versions " + recordFile + " cannot be read, error " +
                        std::to_string(error));
        return false;
    }
    AcceptedVersions accepted = AcceptedVersions::parse(text);
    if (accepted.isReplay(url, manifest.version)) {
        refuse(url, "version " + manifest.version.text() +
                        " is older than a signed manifest accepted from this address before "
                        "(a replay)");
        return false;
    }
    if (accepted.remember(url, manifest.version)) {
        error = replaceSmallFile(recordFile, accepted.text());
        if (error != 0)
            writeLibraryLog("Version " + manifest.version.text() + " of " + url +
                            " could not be recorded, error " + std::to_string(error));
    }
    return true;
}

}  // namespace

bool acceptManifest(const TrustFiles& files, const std::string& url, const std::string& document,
                    std::string& body)
{
    SignedManifest parts;
    if (!SignedManifest::split(document, parts)) {
        refuse(url, "its signature line is not 64 to 1024 bytes of hexadecimal");
        return false;
    }
    std::string keyText;
    DWORD error = readSmallFile(files.keyFile, PublicKeys::maximumBytes, keyText);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        if (!unsignedAllowed(files.settingsFile)) {
            refuse(url, "there is no public key file " + files.keyFile + " and " +
                            files.settingsFile +
                            " does not allow unsigned manifests (AllowUnsignedManifests=1)");
            return false;
        }
        writeLibraryLog("Manifest " + url + " taken without a signature check: there is no "
                        "public key file and " + files.settingsFile +
                        " allows unsigned manifests");
        body = parts.body;
        return true;
    }
    if (error != 0) {
        refuse(url, "the public key file " + files.keyFile + " cannot be read, error " +
                        std::to_string(error));
        return false;
    }
    PublicKeys keys;
    std::string why;
    if (!PublicKeys::parse(keyText, keys, why)) {
        refuse(url, "the public key file " + files.keyFile + " is not valid: " + why);
        return false;
    }
    if (!parts.signedDocument) {
        refuse(url, "it is not signed");
        return false;
    }
    switch (verifySignature(parts.body, parts.signature, keys, error)) {
    case SignatureCheck::Unverifiable:
        refuse(url, "this system cannot verify RSA signatures with SHA-256 (the AES "
                    "cryptographic provider is missing or failed), error " +
                        std::to_string(error));
        return false;
    case SignatureCheck::Invalid:
        refuse(url, "its signature matches none of the " + std::to_string(keys.moduli.size()) +
                        " key(s) in " + files.keyFile);
        return false;
    case SignatureCheck::Valid:
        break;
    }
    if (!passesReplayCheck(url, parts.body))
        return false;
    body = parts.body;
    return true;
}
