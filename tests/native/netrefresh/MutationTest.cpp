// Damaged input from a server, made by mutating honest documents with a
// seeded generator: nothing may crash or read out of bounds (the sanitizers
// watch), and whatever is accepted must still keep the promises callers rely on.
#include "Manifest.h"
#include "TarArchive.h"
#include "TarBuilder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Header fields an attacker controls; the checksum is recomputed after a
// change so the mutation reaches the checks behind it.
struct Field {
    std::size_t offset;
    std::size_t length;
};
const Field kFields[] = {{0, 100}, {124, 12}, {156, 1}, {257, 6}, {345, 155}};

void fixChecksum(std::string& archive, std::size_t header)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < 512; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(archive[header + i]);
    char checksum[8];
    std::snprintf(checksum, sizeof checksum, "%06o", sum);
    archive.replace(header + 148, 7, checksum, 7);
    archive[header + 155] = ' ';
}

TEST(Mutation, DamagedArchivesAreRefusedOrListedSafely)
{
    const std::string honest = TarBuilder()
                                   .directory("data/")
                                   .file("data/catalog.xml", std::string(700, 'c'))
                                   .file("pmabProg.ver", "<PackageVersion>1.3.0.0</PackageVersion>")
                                   .finish();
    const char bytes[] = {'.', '/', '\\', ':', '\0', '0', '7', '5', 'x', ' ', '\377', 'C'};
    std::mt19937 random(20261208);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string archive = honest;
        int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            std::size_t header = 512 * (random() % (archive.size() / 512));
            const Field& field = kFields[random() % (sizeof kFields / sizeof kFields[0])];
            archive[header + field.offset + random() % field.length] = bytes[random() % sizeof bytes];
            if (random() % 8 != 0)
                fixChecksum(archive, header);
        }
        if (random() % 10 == 0)
            archive.resize(random() % archive.size());
        MemorySource source(archive);
        TarListing listing = listTarArchive(source);
        if (!listing.ok)
            continue;
        ++accepted;
        for (const TarEntry& entry : listing.entries) {
            SCOPED_TRACE(entry.name);
            EXPECT_LE(entry.dataOffset + entry.size, archive.size());
            EXPECT_FALSE(entry.components.empty());
            for (const std::string& component : entry.components) {
                EXPECT_NE(component, "..");
                EXPECT_NE(component, ".");
                EXPECT_EQ(component.find_first_of("/\\:"), std::string::npos);
            }
        }
    }
    // Mutations of data bytes and harmless name changes keep some archives valid.
    EXPECT_GT(accepted, 0);
}

TEST(Mutation, DamagedManifestsAreRefusedOrComplete)
{
    const std::string honest =
        "netrefresh-manifest 1\nVersion=1.3.0.0\nPackage=prog-1.3.0.0.tar\nSize=10240\n"
        "SHA256=9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08\n";
    const char bytes[] = {'\n', '\r', '=', '.', '\0', ' ', '9', 'f', 'Z', '/', '-', '\377'};
    std::mt19937 random(1208);
    int accepted = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string document = honest;
        int changes = 1 + static_cast<int>(random() % 3);
        for (int c = 0; c < changes; ++c) {
            std::size_t at = random() % document.size();
            switch (random() % 3) {
            case 0:
                document[at] = bytes[random() % sizeof bytes];
                break;
            case 1:
                document.erase(at, 1 + random() % 8);
                break;
            default:
                document.insert(at, 1 + random() % 30, bytes[random() % sizeof bytes]);
                break;
            }
            if (document.empty())
                document = "x";
        }
        Manifest parsed;
        std::string error;
        if (!Manifest::parse(document, parsed, error)) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        ++accepted;
        EXPECT_FALSE(parsed.package.empty());
        EXPECT_LE(parsed.size, Manifest::maximumPackageBytes);
        ASSERT_EQ(parsed.sha256.size(), 64u);
        EXPECT_EQ(parsed.sha256.find_first_not_of("0123456789abcdef"), std::string::npos);
        EXPECT_LT(parsed.version.text().size(), 20u);  // fits the caller's version block
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
