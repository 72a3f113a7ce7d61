#include "TarArchive.h"

#include "SafeNames.h"

#include <cstring>

namespace {

const std::size_t blockSize = 512;
const std::size_t maximumEntries = 65536;

struct HeaderField {
    std::size_t offset;
    std::size_t length;
};
const HeaderField nameField = {0, 100};
const HeaderField sizeField = {124, 12};
const HeaderField checksumField = {148, 8};
const std::size_t typeFlagOffset = 156;
const HeaderField magicField = {257, 6};
const HeaderField prefixField = {345, 155};

// A field need not end in NUL when it is full.
std::string textField(const unsigned char* header, HeaderField field)
{
    const char* start = reinterpret_cast<const char*>(header + field.offset);
    std::size_t length = 0;
    while (length < field.length && start[length] != '\0')
        ++length;
    return std::string(start, length);
}

// Octal digits, optionally led by spaces and followed only by NULs or spaces.
// The base-256 form of large GNU sizes is not plain ustar and is refused.
bool octalField(const unsigned char* header, HeaderField field, std::uint64_t& value)
{
    const unsigned char* p = header + field.offset;
    const unsigned char* end = p + field.length;
    while (p < end && *p == ' ')
        ++p;
    std::uint64_t result = 0;
    int digits = 0;
    while (p < end && *p >= '0' && *p <= '7') {
        if (++digits > 21)
            return false;
        result = result * 8 + static_cast<std::uint64_t>(*p - '0');
        ++p;
    }
    if (digits == 0)
        return false;
    for (; p < end; ++p) {
        if (*p != '\0' && *p != ' ')
            return false;
    }
    value = result;
    return true;
}

bool checksumMatches(const unsigned char* header)
{
    std::uint64_t stored = 0;
    if (!octalField(header, checksumField, stored))
        return false;
    // Historic writers summed signed chars; both readings are accepted.
    std::uint64_t unsignedSum = 0;
    std::int64_t signedSum = 0;
    for (std::size_t i = 0; i < blockSize; ++i) {
        bool inField = i >= checksumField.offset && i < checksumField.offset + checksumField.length;
        unsigned char byte = inField ? ' ' : header[i];
        unsignedSum += byte;
        signedSum += static_cast<signed char>(byte);
    }
    return stored == unsignedSum || static_cast<std::int64_t>(stored) == signedSum;
}

bool allZero(const unsigned char* block)
{
    for (std::size_t i = 0; i < blockSize; ++i) {
        if (block[i] != 0)
            return false;
    }
    return true;
}

bool hasDriveLetter(const std::string& name)
{
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z'));
}

}  // namespace

ByteSource::~ByteSource() = default;

MemorySource::MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}

std::uint64_t MemorySource::size() const
{
    return bytes_.size();
}

bool MemorySource::readAt(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (offset > bytes_.size() || length > bytes_.size() - offset)
        return false;
    std::memcpy(buffer, bytes_.data() + offset, length);
    return true;
}

bool splitArchivePath(const std::string& name, std::vector<std::string>& components,
                      std::string& error)
{
    components.clear();
    if (name.empty()) {
        error = "empty name";
        return false;
    }
    if (name[0] == '/' || name[0] == '\\') {
        error = "absolute path '" + name + "'";
        return false;
    }
    if (hasDriveLetter(name)) {
        error = "drive letter in '" + name + "'";
        return false;
    }
    std::string::size_type start = 0;
    while (start <= name.size()) {
        std::string::size_type end = name.find_first_of("/\\", start);
        std::string component =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (component == "..") {
            error = "'..' in '" + name + "'";
            return false;
        }
        if (!component.empty() && component != ".") {
            if (!isSafeArchiveComponent(component)) {
                error = "unsafe component '" + component + "' in '" + name + "'";
                return false;
            }
            components.push_back(component);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

TarListing listTarArchive(ByteSource& source)
{
    TarListing listing;
    const std::uint64_t archiveSize = source.size();
    std::uint64_t offset = 0;
    unsigned char header[blockSize];
    for (;;) {
        if (archiveSize - offset < blockSize || !source.readAt(offset, header, blockSize)) {
            listing.error = "archive ends without its end marker";
            return listing;
        }
        if (allZero(header))
            break;
        if (std::memcmp(header + magicField.offset, "ustar", 5) != 0) {
            listing.error = "header at " + std::to_string(offset) + " is not a ustar header";
            return listing;
        }
        if (!checksumMatches(header)) {
            listing.error = "header at " + std::to_string(offset) + " has a bad checksum";
            return listing;
        }
        TarEntry entry;
        std::string prefix = textField(header, prefixField);
        entry.name = textField(header, nameField);
        if (!prefix.empty())
            entry.name = prefix + "/" + entry.name;
        if (!octalField(header, sizeField, entry.size)) {
            listing.error = "entry '" + entry.name + "' has an unreadable size";
            return listing;
        }
        entry.dataOffset = offset + blockSize;
        if (entry.size > archiveSize - entry.dataOffset) {
            listing.error = "entry '" + entry.name + "' reaches beyond the end of the archive";
            return listing;
        }
        char type = static_cast<char>(header[typeFlagOffset]);
        if (type == '0' || type == '\0' || type == '7') {
            entry.kind = TarEntry::Kind::File;
        } else if (type == '5') {
            entry.kind = TarEntry::Kind::Directory;
        } else {
            listing.error = "entry '" + entry.name + "' has the unsupported type " +
                            std::to_string(static_cast<unsigned char>(type));
            return listing;
        }
        if (!splitArchivePath(entry.name, entry.components, listing.error))
            return listing;
        if (entry.components.empty() && entry.kind == TarEntry::Kind::File) {
            listing.error = "file entry '" + entry.name + "' names no file";
            return listing;
        }
        if (listing.entries.size() == maximumEntries) {
            listing.error = "more than " + std::to_string(maximumEntries) + " entries";
            return listing;
        }
        std::uint64_t padded = (entry.size + blockSize - 1) / blockSize * blockSize;
        offset = entry.dataOffset + padded;
        if (offset > archiveSize) {
            listing.error = "archive ends inside entry '" + entry.name + "'";
            return listing;
        }
        // The destination folder itself ("./") needs no entry of its own.
        if (!entry.components.empty())
            listing.entries.push_back(std::move(entry));
    }
    listing.ok = true;
    return listing;
}
