#include "Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Vector {
    std::string message;
    const char* digest;
};

// FIPS 180-4 examples and the usual boundary lengths around one block.
const Vector vectors[] = {
    {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
     "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
    {"The quick brown fox jumps over the lazy dog",
     "d7a8fbb307d7809469ca9abcb0082e4f8d5651e46d3cdb762d02d0bf37c9e592"},
    {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
    {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
    {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
};

TEST(Sha256, StandardVectors)
{
    for (const Vector& vector : vectors)
        EXPECT_EQ(sha256Hex(vector.message), vector.digest) << vector.message.size() << " bytes";
}

TEST(Sha256, OneMillionA)
{
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, PiecesGiveTheSameDigestAsOneUpdate)
{
    std::string message;
    for (int i = 0; i < 1000; ++i)
        message += static_cast<char>(i * 7);
    for (std::size_t piece : {1u, 3u, 63u, 64u, 65u, 500u}) {
        Sha256 hash;
        for (std::size_t offset = 0; offset < message.size(); offset += piece)
            hash.update(message.data() + offset, std::min(piece, message.size() - offset));
        EXPECT_EQ(hash.finishHex(), sha256Hex(message)) << "pieces of " << piece;
    }
}

}  // namespace
