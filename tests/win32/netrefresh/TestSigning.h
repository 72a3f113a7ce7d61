// Signing keys for the tests: RSA keys made by the platform's AES provider,
// the public key file the library reads and manifests signed as the README
// recipe signs them (SHA-256, PKCS #1 v1.5, big-endian hexadecimal).
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <string>
#include <vector>

namespace testsigning {

inline std::string hex(const std::vector<unsigned char>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

class SigningKey {
public:
    SigningKey()
    {
        if (CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
            CryptGenKey(provider_, AT_SIGNATURE, (2048u << 16) | CRYPT_EXPORTABLE, &key_);
    }
    ~SigningKey()
    {
        if (key_ != 0)
            CryptDestroyKey(key_);
        if (provider_ != 0)
            CryptReleaseContext(provider_, 0);
    }
    SigningKey(const SigningKey&) = delete;
    SigningKey& operator=(const SigningKey&) = delete;

    bool usable() const { return key_ != 0; }

    // The modulus as `openssl rsa -noout -modulus` prints it.
    std::string modulusHex() const
    {
        DWORD size = 0;
        if (!CryptExportKey(key_, 0, PUBLICKEYBLOB, 0, nullptr, &size))
            return std::string();
        std::vector<unsigned char> blob(size);
        if (!CryptExportKey(key_, 0, PUBLICKEYBLOB, 0, blob.data(), &size))
            return std::string();
        const std::size_t headers = sizeof(BLOBHEADER) + sizeof(RSAPUBKEY);
        std::vector<unsigned char> modulus(blob.rbegin(),
                                           blob.rend() - static_cast<long>(headers));
        return hex(modulus);
    }

    // The signature line's hexadecimal for exactly these bytes.
    std::string signatureHex(const std::string& body) const
    {
        HCRYPTHASH hash = 0;
        const ALG_ID sha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;
        if (!CryptCreateHash(provider_, sha256, 0, 0, &hash))
            return std::string();
        std::vector<unsigned char> signature;
        DWORD size = 0;
        if (CryptHashData(hash, reinterpret_cast<const BYTE*>(body.data()),
                          static_cast<DWORD>(body.size()), 0) &&
            CryptSignHashA(hash, AT_SIGNATURE, nullptr, 0, nullptr, &size)) {
            signature.resize(size);
            if (!CryptSignHashA(hash, AT_SIGNATURE, nullptr, 0, signature.data(), &size))
                signature.clear();
        }
        CryptDestroyHash(hash);
        return hex(std::vector<unsigned char>(signature.rbegin(), signature.rend()));
    }

    // body, then its signature line.
    std::string sign(const std::string& body) const
    {
        return body + "Signature=" + signatureHex(body) + "\r\n";
    }

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTKEY key_ = 0;
};

// Made once per test program: key generation under Wine takes a moment.
inline const SigningKey& firstKey()
{
    static const SigningKey key;
    return key;
}

inline const SigningKey& secondKey()
{
    static const SigningKey key;
    return key;
}

inline std::string keyFile(const std::vector<const SigningKey*>& keys)
{
    std::string text = "netrefresh-keys 1\r\n# keys of the tests\r\n";
    for (const SigningKey* key : keys)
        text += "RSA=" + key->modulusHex() + "\r\n";
    return text;
}

}  // namespace testsigning
