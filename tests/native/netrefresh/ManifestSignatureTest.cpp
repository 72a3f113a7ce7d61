#include "ManifestSignature.h"

#include <gtest/gtest.h>

namespace {

const std::string body = "netrefresh-manifest 1\r\nVersion=1.3.0.0\r\n";
const std::string sig64 = std::string(126, 'a') + "0F";  // 64 bytes

FourPartVersion version(const std::string& text)
{
    FourPartVersion v;
    EXPECT_TRUE(FourPartVersion::parse(text, v)) << text;
    return v;
}

// A modulus of the given byte count: top bit set, odd.
std::string modulusHex(std::size_t bytes)
{
    return "c" + std::string(bytes * 2 - 2, '5') + "1";
}

TEST(SignedManifest, TheLastLineCarriesTheSignatureOfEverythingBeforeIt)
{
    struct Case {
        std::string document;
        bool valid;
        bool isSigned;
        std::string body;
        std::size_t signatureBytes;
    } const cases[] = {
        {body + "Signature=" + sig64 + "\r\n", true, true, body, 64},
        {body + "Signature=" + sig64, true, true, body, 64},
        {body + "Signature=" + sig64 + "  \r\n\r\n\n", true, true, body, 64},
        {body + "Signature= " + sig64 + " \r\n", true, true, body, 64},
        {"a\nSignature=" + std::string(2048, 'f') + "\n", true, true, "a\n", 1024},
        {body, true, false, body, 0},
        {"", true, false, "", 0},
        // Not the last line: the document counts as unsigned, body and all.
        {body + "Signature=" + sig64 + "\r\nSize=1\r\n", true, false,
         body + "Signature=" + sig64 + "\r\nSize=1\r\n", 0},
        // The key is case-sensitive: "signature=" is just another line.
        {body + "signature=" + sig64 + "\r\n", true, false, body + "signature=" + sig64 + "\r\n", 0},
        {body + "Signature=" + sig64.substr(1) + "\r\n", false, false, "", 0},
        {body + "Signature=" + std::string(126, 'a') + "0g\r\n", false, false, "", 0},
        {body + "Signature=" + std::string(126, 'a') + "\r\n", false, false, "", 0},
        {body + "Signature=" + std::string(2050, 'a') + "\r\n", false, false, "", 0},
        {body + "Signature=\r\n", false, false, "", 0},
        {body + "Signature=" + sig64.substr(0, 64) + " " + sig64.substr(64) + "\r\n", false,
         false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document.substr(0, 80));
        SignedManifest result;
        ASSERT_EQ(SignedManifest::split(c.document, result), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(result.signedDocument, c.isSigned);
        EXPECT_EQ(result.body, c.body);
        EXPECT_EQ(result.signature.size(), c.signatureBytes);
    }
    SignedManifest result;
    ASSERT_TRUE(SignedManifest::split(body + "Signature=00ff7F80" + std::string(120, '0'), result));
    ASSERT_EQ(result.signature.size(), 64u);
    EXPECT_EQ(result.signature[0], 0x00);
    EXPECT_EQ(result.signature[1], 0xFF);
    EXPECT_EQ(result.signature[2], 0x7F);
    EXPECT_EQ(result.signature[3], 0x80);
}

TEST(PublicKeys, OneOrMoreRsaModuliAfterTheFirstLine)
{
    const std::string m256 = modulusHex(256);
    const std::string m512 = modulusHex(512);
    struct Case {
        std::string text;
        std::size_t keys;  // 0: refused
    } const cases[] = {
        {"netrefresh-keys 1\nRSA=" + m256 + "\n", 1},
        {"netrefresh-keys 1\r\n# old\r\nRSA=" + m256 + "\r\n\r\n# new\r\nRSA=" + m512 + "\r\n", 2},
        {"\xEF\xBB\xBFnetrefresh-keys 1\nRSA=" + m256, 1},
        {"netrefresh-keys 1\n  RSA=" + m256 + "  \n", 1},
        {"netrefresh-keys 1\nRSA=00" + m256 + "\n", 1},  // leading zero bytes do not count
        {"netrefresh-keys 1\nRSA=" + modulusHex(1024) + "\n", 1},
        {"", 0},
        {"netrefresh-keys 1\n", 0},
        {"netrefresh-keys 1\n# only a comment\n", 0},
        {"netrefresh-keys 2\nRSA=" + m256 + "\n", 0},
        {"RSA=" + m256 + "\n", 0},
        {"netrefresh-keys 1\nrsa=" + m256 + "\n", 0},
        {"netrefresh-keys 1\nModulus=" + m256 + "\n", 0},
        {"netrefresh-keys 1\nRSA=" + modulusHex(255) + "\n", 0},
        {"netrefresh-keys 1\nRSA=" + modulusHex(1025) + "\n", 0},
        {"netrefresh-keys 1\nRSA=00" + modulusHex(255) + "\n", 0},
        {"netrefresh-keys 1\nRSA=" + m256.substr(0, m256.size() - 1) + "0\n", 0},  // even
        {"netrefresh-keys 1\nRSA=" + m256.substr(1) + "\n", 0},
        {"netrefresh-keys 1\nRSA=" + m256 + "\nRSA=xyz\n", 0},
        {"netrefresh-keys 1\nRSA=" + m256 + "\n" + std::string(70000, '#'), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        PublicKeys keys;
        std::string error;
        bool parsed = PublicKeys::parse(c.text, keys, error);
        EXPECT_EQ(parsed, c.keys > 0) << error;
        EXPECT_EQ(keys.moduli.size(), c.keys);
        if (!parsed) {
            EXPECT_FALSE(error.empty());
        }
        for (const Bytes& modulus : keys.moduli)
            EXPECT_NE(modulus.front(), 0);
    }
}

TEST(AcceptedVersions, OlderThanTheNewestAcceptedFromAnAddressIsAReplay)
{
    AcceptedVersions record;
    const std::string prog = "http://updates.example.com/pmab/prog.txt";
    const std::string data = "http://updates.example.com/pmab/data.txt";
    EXPECT_FALSE(record.isReplay(prog, version("0.0.0.1")));
    EXPECT_TRUE(record.remember(prog, version("1.3.0.0")));
    EXPECT_FALSE(record.remember(prog, version("1.3.0.0")));
    EXPECT_FALSE(record.remember(prog, version("1.2.9.9")));
    struct Case {
        std::string url;
        std::string version;
        bool replay;
    } const cases[] = {
        {prog, "1.2.0.0", true},     {prog, "1.2.65535.65535", true}, {prog, "0.0.0.0", true},
        {prog, "1.3.0.0", false},    {prog, "1.3.0.1", false},        {prog, "1.10.0.0", false},
        {data, "0.0.0.1", false},    {prog + "?", "1.0.0.0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(record.isReplay(c.url, version(c.version)), c.replay) << c.url << " " << c.version;

    // The record reads back as it was written; lines it cannot read are dropped.
    EXPECT_TRUE(record.remember(data, version("2.1.0.0")));
    AcceptedVersions again = AcceptedVersions::parse(record.text() + "junk\r\n1.2 x\r\n9.9.9.9\r\n");
    EXPECT_EQ(again.text(), record.text());
    EXPECT_TRUE(again.isReplay(data, version("2.0.0.0")));
    EXPECT_TRUE(again.isReplay(prog, version("1.2.0.0")));
    // A newer version raises the mark; an address on two lines is never kept.
    EXPECT_TRUE(again.remember(prog, version("1.4.0.0")));
    EXPECT_TRUE(again.isReplay(prog, version("1.3.0.0")));
    EXPECT_FALSE(again.remember("http://a/\r\n1.0.0.0 http://b/", version("9.0.0.0")));
    EXPECT_FALSE(again.remember("", version("9.0.0.0")));
    // The larger of two lines for one address wins.
    AcceptedVersions twice = AcceptedVersions::parse("1.5.0.0 " + prog + "\n1.4.0.0 " + prog + "\n");
    EXPECT_TRUE(twice.isReplay(prog, version("1.4.9.0")));
}

}  // namespace
