#include "TarArchive.h"

#include "TarBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TarListing list(const std::string& bytes)
{
    MemorySource source(bytes);
    return listTarArchive(source);
}

std::string dataOf(const std::string& archive, const TarEntry& entry)
{
    MemorySource source(archive);
    std::string data(static_cast<std::size_t>(entry.size), '\0');
    EXPECT_TRUE(source.readAt(entry.dataOffset, &data[0], data.size()));
    return data;
}

TEST(TarArchive, ListsFilesAndDirectoriesWithTheirData)
{
    std::string archive = TarBuilder()
                              .directory("docs/")
                              .file("docs/readme.txt", "hello")
                              .file("empty", "")
                              .file("big.bin", std::string(1000, 'b'))
                              .finish();
    TarListing listing = list(archive);
    ASSERT_TRUE(listing.ok) << listing.error;
    ASSERT_EQ(listing.entries.size(), 4u);
    EXPECT_EQ(listing.entries[0].kind, TarEntry::Kind::Directory);
    EXPECT_EQ(listing.entries[0].components, std::vector<std::string>{"docs"});
    EXPECT_EQ(listing.entries[1].kind, TarEntry::Kind::File);
    EXPECT_EQ(listing.entries[1].components, (std::vector<std::string>{"docs", "readme.txt"}));
    EXPECT_EQ(dataOf(archive, listing.entries[1]), "hello");
    EXPECT_EQ(listing.entries[2].size, 0u);
    EXPECT_EQ(dataOf(archive, listing.entries[3]), std::string(1000, 'b'));
}

TEST(TarArchive, NamesAsToolsWriteThem)
{
    TarBuilder::Header prefixed;
    prefixed.prefix = "deep/folder";
    prefixed.name = "file.txt";
    std::string fullName(100, 'n');  // fills the field, no terminator
    std::string archive = TarBuilder()
                              .directory("./")
                              .file("./a/./b.txt", "1")
                              .file("x//y\\z.txt", "2")
                              .entry(prefixed, "3")
                              .file(fullName, "4")
                              .finish();
    TarListing listing = list(archive);
    ASSERT_TRUE(listing.ok) << listing.error;
    ASSERT_EQ(listing.entries.size(), 4u);  // "./" is the destination itself
    EXPECT_EQ(listing.entries[0].components, (std::vector<std::string>{"a", "b.txt"}));
    EXPECT_EQ(listing.entries[1].components, (std::vector<std::string>{"x", "y", "z.txt"}));
    EXPECT_EQ(listing.entries[2].components,
              (std::vector<std::string>{"deep", "folder", "file.txt"}));
    EXPECT_EQ(listing.entries[3].components, std::vector<std::string>{fullName});
}

TEST(TarArchive, EndMarkerAloneIsAnEmptyArchive)
{
    TarListing listing = list(std::string(1024, '\0'));
    EXPECT_TRUE(listing.ok) << listing.error;
    EXPECT_TRUE(listing.entries.empty());
}

TEST(TarArchive, RefusesPathsThatLeaveTheDestination)
{
    const char* names[] = {
        "../evil.txt", "a/../../evil.txt", "a/..", "..\\evil.txt", "a\\..\\..\\evil.txt",
        "/etc/passwd", "\\windows\\evil.dll", "C:/evil.txt", "C:evil.txt", "c:\\evil.txt",
        "a/C:/evil.txt", "a/b:stream", ".. /evil.txt", "a/nul", "a/CON.txt", "a/b./c",
        "a/x?y", ".", "./",
    };
    for (const char* name : names) {
        TarListing listing = list(TarBuilder().file("fine.txt", "ok").file(name, "evil").finish());
        EXPECT_FALSE(listing.ok) << name;
        EXPECT_FALSE(listing.error.empty()) << name;
    }
}

TEST(TarArchive, RefusesDamagedOrUnsupportedHeaders)
{
    struct Case {
        std::string archive;
        const char* reason;
    };
    auto withHeader = [](void (*change)(TarBuilder::Header&)) {
        TarBuilder::Header header;
        header.name = "file.txt";
        change(header);
        return TarBuilder().entry(header, "data").finish();
    };
    std::string good = TarBuilder().file("file.txt", "data").finish();
    auto emptyFiles = [](std::size_t count) {
        TarBuilder builder;
        for (std::size_t i = 0; i < count; ++i)
            builder.file("f" + std::to_string(i), "");
        return builder.finish();
    };
    const std::string mostEntries = emptyFiles(65536);
    EXPECT_TRUE(list(mostEntries).ok);
    EXPECT_EQ(list(mostEntries).entries.size(), 65536u);
    const Case cases[] = {
        {emptyFiles(65537), "more than 65536 entries"},
        {"", "end marker"},
        {std::string(100, '\0'), "end marker"},
        {good.substr(0, 512), "beyond the end"},               // data cut off
        {good.substr(0, 1024), "end marker"},                  // end marker cut off
        {TarBuilder().file("file.txt", "data").withoutEnd(), "end marker"},
        {std::string(512, 'x') + std::string(1024, '\0'), "not a ustar header"},
        {withHeader([](TarBuilder::Header& h) { h.breakChecksum = true; }), "checksum"},
        {withHeader([](TarBuilder::Header& h) { h.magic = "tar\0\0\0"; }), "not a ustar"},
        {withHeader([](TarBuilder::Header& h) { h.type = '1'; }), "unsupported type 49"},
        {withHeader([](TarBuilder::Header& h) { h.type = '2'; }), "unsupported type 50"},
        {withHeader([](TarBuilder::Header& h) { h.type = '3'; }), "unsupported type"},
        {withHeader([](TarBuilder::Header& h) { h.type = 'x'; }), "unsupported type"},
        {withHeader([](TarBuilder::Header& h) { h.type = 'L'; }), "unsupported type"},
        {withHeader([](TarBuilder::Header& h) { h.sizeField = "0000000000x"; }), "size"},
        {withHeader([](TarBuilder::Header& h) { h.sizeField = "00000000009"; }), "size"},
        {withHeader([](TarBuilder::Header& h) { h.sizeField = ""; h.sizeField.assign(12, ' '); }),
         "size"},
        {withHeader([](TarBuilder::Header& h) { h.sizeField = std::string("\x80\0\0\0\0\0\0\0\0\0\0\x04", 12); }),
         "size"},
        {withHeader([](TarBuilder::Header& h) { h.sizeField = "77777777777"; }), "beyond the end"},
        {withHeader([](TarBuilder::Header& h) { h.sizeField = "00000003001"; }), "beyond the end"},
        {withHeader([](TarBuilder::Header& h) { h.name = ""; }), "empty name"},
    };
    for (const Case& c : cases) {
        TarListing listing = list(c.archive);
        EXPECT_FALSE(listing.ok) << c.reason;
        EXPECT_NE(listing.error.find(c.reason), std::string::npos)
            << "reason '" << listing.error << "', expected '" << c.reason << "'";
    }
}

TEST(TarArchive, SurvivesEveryTruncationAndByteFlip)
{
    std::string archive =
        TarBuilder().directory("d/").file("d/a.txt", std::string(700, 'a')).file("b", "b").finish();
    for (std::size_t length = 0; length < archive.size(); length += 7)
        list(archive.substr(0, length));  // must not read out of bounds (ASan) or hang
    int accepted = 0;
    for (std::size_t i = 0; i < 1536; ++i) {
        std::string flipped = archive;
        flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
        TarListing listing = list(flipped);
        for (const TarEntry& entry : listing.entries) {
            EXPECT_LE(entry.dataOffset + entry.size, flipped.size());
            EXPECT_FALSE(entry.components.empty());
        }
        accepted += listing.ok;
    }
    // A flipped header byte breaks the checksum; only data bytes may change unnoticed.
    EXPECT_LT(accepted, 1536 - 2 * 512 + 1);
}

TEST(TarArchive, MemorySourceReadsOnlyInside)
{
    MemorySource source("abcdef");
    char buffer[8] = {};
    EXPECT_TRUE(source.readAt(2, buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "cdef");
    EXPECT_FALSE(source.readAt(3, buffer, 4));
    EXPECT_FALSE(source.readAt(7, buffer, 0));
    EXPECT_FALSE(source.readAt(~0ull, buffer, 2));
}

}  // namespace
