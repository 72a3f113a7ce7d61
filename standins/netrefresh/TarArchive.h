// Reads a plain ustar archive (regular files and directories only) and
// checks every header and every entry's path before anything is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Random access to the archive's bytes (a file, or memory in tests).
class ByteSource {
public:
    virtual ~ByteSource();
    virtual std::uint64_t size() const = 0;
    // Exactly length bytes from offset, or false.
    virtual bool readAt(std::uint64_t offset, void* buffer, std::size_t length) = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes);
    std::uint64_t size() const override;
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override;

private:
    std::string bytes_;
};

struct TarEntry {
    enum class Kind { File, Directory };
    Kind kind = Kind::File;
    std::string name;                     // as stored, prefix joined
    std::vector<std::string> components;  // checked path below the destination
    std::uint64_t dataOffset = 0;
    std::uint64_t size = 0;
};

// Splits an archive name at '/' and '\', dropping empty and "." components.
// False with a reason for an absolute name, a drive letter, "..", or any
// component that isSafeArchiveComponent rejects.
bool splitArchivePath(const std::string& name, std::vector<std::string>& components,
                      std::string& error);

struct TarListing {
    bool ok = false;
    std::string error;  // why the archive is refused
    std::vector<TarEntry> entries;
};

// The whole archive is read up to its end marker; any damaged header, bad
// checksum, size beyond the archive's end, unsupported entry type or unsafe
// path refuses all of it.
TarListing listTarArchive(ByteSource& source);
