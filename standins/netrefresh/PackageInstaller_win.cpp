#include "PackageInstaller_win.h"

#include "LocalFiles_win.h"
#include "PackageDownloader_win.h"
#include "Sha256.h"
#include "TarArchive.h"
#include "WebUpdaterLibrary.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

const std::wstring setAsideSuffix = L".netrefresh-old";

std::wstring entryPath(const std::wstring& destination, const TarEntry& entry)
{
    std::wstring path = destination;
    for (const std::string& component : entry.components) {
        if (path.empty() || path[path.size() - 1] != L'\\')
            path += L'\\';
        path += wideText(component);
    }
    return path;
}

HANDLE createTarget(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A running program or a loaded library cannot be overwritten, but it can be
// renamed: set it aside and remove it at the next restart.
FileHandle replaceBusyFile(const std::wstring& path)
{
    std::wstring aside = path + setAsideSuffix;
    if (!MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
        return FileHandle();
    MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);  // needs rights; best effort
    return FileHandle(createTarget(path));
}

DWORD copyEntry(FileSource& source, const TarEntry& entry, const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_DIRECTORY;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    FileHandle target(createTarget(path));
    if (!target.valid()) {
        DWORD error = GetLastError();
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED))
            return error;
        target = replaceBusyFile(path);
        if (!target.valid())
            return error;
    }
    std::vector<char> buffer(65536);
    std::uint64_t offset = entry.dataOffset;
    std::uint64_t remaining = entry.size;
    while (remaining > 0) {
        std::size_t chunk = remaining < buffer.size() ? static_cast<std::size_t>(remaining)
                                                       : buffer.size();
        if (!source.readAt(offset, buffer.data(), chunk))
            return ERROR_READ_FAULT;
        DWORD error = writeAll(target.get(), buffer.data(), chunk);
        if (error != 0)
            return error;
        offset += chunk;
        remaining -= chunk;
    }
    if (!target.close())
        return GetLastError();
    return 0;
}

// The file holds exactly the bytes that were verified when it was downloaded.
bool isUnchanged(FileSource& source, const DownloadedPackage& downloaded)
{
    if (source.size() != downloaded.size)
        return false;
    Sha256 hash;
    std::vector<char> buffer(1 << 16);
    for (std::uint64_t offset = 0; offset < downloaded.size;) {
        std::size_t chunk = static_cast<std::size_t>(
            std::min<std::uint64_t>(buffer.size(), downloaded.size - offset));
        if (!source.readAt(offset, buffer.data(), chunk))
            return false;
        hash.update(buffer.data(), chunk);
        offset += chunk;
    }
    return hash.finishHex() == downloaded.sha256;
}

}  // namespace

int installPackage(const char* packagePath, const char* destinationDirectory)
{
    if (packagePath == nullptr || destinationDirectory == nullptr)
        return UPD_APPLY_FAILED;
    std::wstring destination = longPath(destinationDirectory);
    std::wstring package = longPath(packagePath);
    if (destination.empty() || package.empty())
        return UPD_APPLY_FAILED;
    DWORD attributes = GetFileAttributesW(destination.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return UPD_APPLY_FAILED;

    FileHandle file(CreateFileW(package.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr));
    if (!file.valid())
        return UPD_APPLY_FAILED;
    FileSource source(file.get());
    if (!source.sized())
        return UPD_APPLY_FAILED;
    // Our handle shares reading only, so what is checked here is what is unpacked.
    DownloadedPackage downloaded;
    if (downloadedPackage(package, downloaded) && !isUnchanged(source, downloaded))
        return UPD_APPLY_REFUSED;

    // Every header and path is checked before the first byte is written.
    TarListing listing = listTarArchive(source);
    if (!listing.ok)
        return UPD_APPLY_REFUSED;

    for (const TarEntry& entry : listing.entries) {
        bool isFile = entry.kind == TarEntry::Kind::File;
        std::size_t folders = entry.components.size() - (isFile ? 1 : 0);
        if (createFolders(destination, entry.components, folders) != 0)
            return UPD_APPLY_FAILED;
        if (isFile && copyEntry(source, entry, entryPath(destination, entry)) != 0)
            return UPD_APPLY_FAILED;
    }
    return UPD_APPLY_SUCCEEDED;
}
