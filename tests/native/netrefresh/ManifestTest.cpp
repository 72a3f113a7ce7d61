#include "Manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string digest = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";

std::string manifest(const std::string& body)
{
    return "netrefresh-manifest 1\n" + body;
}

std::string complete(const std::string& version = "1.2.3.4",
                     const std::string& package = "prog-1.2.3.4.tar")
{
    return manifest("Version=" + version + "\nPackage=" + package + "\nSize=4\nSHA256=" + digest +
                    "\n");
}

TEST(Manifest, ReadsACompleteDocument)
{
    Manifest parsed;
    std::string error;
    ASSERT_TRUE(Manifest::parse(complete(), parsed, error)) << error;
    EXPECT_EQ(parsed.version.text(), "1.2.3.4");
    EXPECT_EQ(parsed.package, "prog-1.2.3.4.tar");
    EXPECT_EQ(parsed.size, 4u);
    EXPECT_EQ(parsed.sha256, digest);
}

TEST(Manifest, ToleratesWhatEditorsAndServersAdd)
{
    const std::string tolerated[] = {
        // CR LF, a byte-order mark, comments, blank lines, spaces, key case
        "\xEF\xBB\xBFnetrefresh-manifest 1\r\n# published 2026\r\n\r\n  version = 1.2.3.4 \r\n"
        "PACKAGE=prog-1.2.3.4.tar\r\nsize=4\r\nSha256=" + digest + "\r\n",
        // no final line feed, an unknown key, upper-case digest
        manifest("Version=1.2.3.4\nPackage=prog-1.2.3.4.tar\nSize=4\nNotes=anything\nSHA256=" +
                 std::string("9F86D081884C7D659A2FEAA0C55AD015A3BF4F1B2B0B822CD15D6C15B0F00A08")),
    };
    for (const std::string& document : tolerated) {
        Manifest parsed;
        std::string error;
        ASSERT_TRUE(Manifest::parse(document, parsed, error)) << error;
        EXPECT_EQ(parsed.version.text(), "1.2.3.4");
        EXPECT_EQ(parsed.package, "prog-1.2.3.4.tar");
        EXPECT_EQ(parsed.sha256, digest);
    }
}

TEST(Manifest, RefusesEveryMalformedDocument)
{
    struct Case {
        std::string document;
        const char* reason;
    };
    const std::string sizeAndDigest = "Size=4\nSHA256=" + digest + "\n";
    const Case cases[] = {
        {"", "first line"},
        {"<html><body>Not Found</body></html>", "first line"},
        {"netrefresh-manifest 2\nVersion=1.2.3.4\n", "first line"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=4\n"), "sha256 missing"},
        {manifest("Package=p.tar\n" + sizeAndDigest), "version missing"},
        {manifest("Version=1.2.3.4\n" + sizeAndDigest), "package missing"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSHA256=" + digest), "size missing"},
        {manifest("Version=1.2.3.4\nVersion=1.2.3.5\nPackage=p.tar\n" + sizeAndDigest), "twice"},
        {manifest("Version 1.2.3.4\nPackage=p.tar\n" + sizeAndDigest), "no '='"},
        {manifest("Version=1.2.3\nPackage=p.tar\n" + sizeAndDigest), "Version"},
        {manifest("Version=1.2.3.4.5\nPackage=p.tar\n" + sizeAndDigest), "Version"},
        {manifest("Version=99999.1.2.3\nPackage=p.tar\n" + sizeAndDigest), "Version"},
        // four valid parts whose text would not fit the 20-byte block
        {manifest("Version=65535.65535.65535.10\nPackage=p.tar\n" + sizeAndDigest), "Version"},
        {manifest("Version=1.2.3.4\nPackage=../p.tar\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=sub/p.tar\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=C:\\p.tar\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=ftp://host/p.tar\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=http://host/a b.tar\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=CON\n" + sizeAndDigest), "Package"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=-4\nSHA256=" + digest), "Size"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=\nSHA256=" + digest), "Size"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=4x\nSHA256=" + digest), "Size"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=2147483648\nSHA256=" + digest), "Size"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=99999999999999999999\nSHA256=" + digest),
         "Size"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=4\nSHA256=" + digest.substr(1)), "SHA256"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=4\nSHA256=" + digest + "0"), "SHA256"},
        {manifest("Version=1.2.3.4\nPackage=p.tar\nSize=4\nSHA256=" + digest.substr(1) + "g"),
         "SHA256"},
        {manifest("Version=1.2.3.4") + std::string(1, '\0') + "\nPackage=p.tar\n" + sizeAndDigest,
         "NUL"},
        {complete() + "#" + std::string(Manifest::maximumBytes, 'x'), "larger"},
    };
    for (const Case& c : cases) {
        Manifest parsed;
        std::string error;
        EXPECT_FALSE(Manifest::parse(c.document, parsed, error)) << c.document.substr(0, 120);
        EXPECT_NE(error.find(c.reason), std::string::npos)
            << "reason '" << error << "' for " << c.document.substr(0, 120);
    }
}

TEST(Manifest, AcceptsAbsolutePackageUrls)
{
    for (const char* package : {"http://127.0.0.1:8080/files/p.tar", "https://example.com/p.tar",
                                "file:///C:/updates/p.tar", "FILE://server/share/p.tar"}) {
        Manifest parsed;
        std::string error;
        EXPECT_TRUE(Manifest::parse(complete("1.2.3.4", package), parsed, error))
            << package << ": " << error;
    }
}

TEST(Manifest, LocalFileNameIsTheLastSegmentWhenSafe)
{
    struct Case {
        const char* package;
        const char* local;
    };
    const Case cases[] = {
        {"prog-1.2.3.4.tar", "prog-1.2.3.4.tar"},
        {"http://host/dir/data_7.tar?session=1", "data_7.tar"},
        {"http://host/dir/", "package.bin"},
        {"http://host/dir/a%20b.tar", "package.bin"},
        {"http://host/dir/..", "package.bin"},
        {"file:///C:/x/nul.tar", "package.bin"},
    };
    for (const Case& c : cases) {
        Manifest parsed;
        std::string error;
        ASSERT_TRUE(Manifest::parse(complete("1.2.3.4", c.package), parsed, error))
            << c.package << ": " << error;
        EXPECT_EQ(parsed.localFileName(), c.local) << c.package;
    }
}

}  // namespace
