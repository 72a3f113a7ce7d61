// SHA-256 (FIPS 180-4), fed in pieces so a package is hashed while it streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
public:
    Sha256();

    void update(const void* data, std::size_t length);
    // Lower-case hexadecimal digest; the object is spent afterwards.
    std::string finishHex();

private:
    void compress(const unsigned char* block);

    std::uint32_t state_[8];
    unsigned char buffer_[64];
    std::size_t buffered_ = 0;
    std::uint64_t totalBytes_ = 0;
};

std::string sha256Hex(const std::string& data);
