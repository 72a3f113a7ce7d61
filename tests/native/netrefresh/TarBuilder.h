// Builds ustar archives byte by byte for tests, including hostile ones: every
// header field can be overridden after the honest header has been laid out.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

class TarBuilder {
public:
    struct Header {
        std::string name;
        std::string prefix;
        char type = '0';
        std::string sizeField;  // empty: the octal size of the data
        bool breakChecksum = false;
        std::string magic = std::string("ustar\0", 6);
    };

    TarBuilder& file(const std::string& name, const std::string& data)
    {
        Header header;
        header.name = name;
        return entry(header, data);
    }

    TarBuilder& directory(const std::string& name)
    {
        Header header;
        header.name = name;
        header.type = '5';
        return entry(header, std::string());
    }

    TarBuilder& entry(const Header& header, const std::string& data)
    {
        std::string block(512, '\0');
        put(block, 0, 100, header.name);
        put(block, 100, 8, "0000644");
        put(block, 108, 8, "0000000");
        put(block, 116, 8, "0000000");
        char size[16];
        std::snprintf(size, sizeof size, "%011lo", static_cast<unsigned long>(data.size()));
        put(block, 124, 12, header.sizeField.empty() ? std::string(size) : header.sizeField);
        put(block, 136, 12, "00000000000");
        block[156] = header.type;
        put(block, 257, 6, header.magic);
        put(block, 263, 2, "00");
        put(block, 345, 155, header.prefix);
        unsigned sum = 0;
        for (int i = 0; i < 512; ++i)
            sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(block[i]);
        if (header.breakChecksum)
            sum += 1;
        char checksum[8];
        std::snprintf(checksum, sizeof checksum, "%06o", sum);
        std::memcpy(&block[148], checksum, 7);
        block[155] = ' ';
        bytes_ += block;
        bytes_ += data;
        bytes_.append((512 - data.size() % 512) % 512, '\0');
        return *this;
    }

    // The end marker: two zero blocks.
    std::string finish() const { return bytes_ + std::string(1024, '\0'); }
    std::string withoutEnd() const { return bytes_; }

private:
    // Copies at most length bytes: a 100-character name fills its field
    // without a terminator, as ustar allows.
    static void put(std::string& block, std::size_t offset, std::size_t length,
                    const std::string& text)
    {
        block.replace(offset, text.size() < length ? text.size() : length,
                      text.substr(0, length));
    }

    std::string bytes_;
};
