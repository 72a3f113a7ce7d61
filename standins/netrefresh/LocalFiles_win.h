// Files and folders for the library: wide long-path forms of the ANSI paths
// the contract passes, owners of file handles, the download folder.
#pragma once

#include "TarArchive.h"

#include <windows.h>

#include <string>
#include <vector>

// Owns a file handle; INVALID_HANDLE_VALUE means none.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(FileHandle&& other) noexcept : handle_(other.release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    HANDLE release();
    // False with GetLastError set when closing fails (a lost write, on a network share).
    bool close();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Plain conversion from the ANSI code page; empty when it fails.
std::wstring wideText(const std::string& ansi);

// The full path in its "\\?\" form, so that paths of 260 characters and more
// work on every NT version; empty when the path cannot be converted.
std::wstring longPath(const std::string& ansiPath);

// ANSI text of a wide path, or empty when a character has no ANSI form.
std::string ansiText(const std::wstring& wide);

// Creates base\components[0]\... for the first count components; base must exist.
// Returns 0 or the Win32 error.
DWORD createFolders(const std::wstring& base, const std::vector<std::string>& components,
                    std::size_t count);

// The library's own folder for downloads: <common application data>\netrefresh\downloads,
// created when missing. Returns 0 or the Win32 error.
DWORD downloadFolder(std::string& folder);

// <common application data>\netrefresh, for the library's log and records.
DWORD libraryDataFolder(std::string& folder);

// The whole file when it has at most maximum bytes. Returns 0 or the Win32
// error (ERROR_FILE_NOT_FOUND for a missing file, ERROR_FILE_TOO_LARGE).
DWORD readSmallFile(const std::string& path, std::size_t maximum, std::string& text);

// Writes a sibling file and moves it over the old one, so a reader never
// sees half a record. Returns 0 or the Win32 error.
DWORD replaceSmallFile(const std::string& path, const std::string& text);

// One line appended to <common application data>\netrefresh\netrefresh.log,
// the library's account of what it refused and why; failures are ignored.
void writeLibraryLog(const std::string& message);

// Writes the whole buffer or returns the Win32 error.
DWORD writeAll(HANDLE file, const void* data, std::size_t length);

// Random access to an open file for the archive reader.
class FileSource : public ByteSource {
public:
    explicit FileSource(HANDLE file);
    bool sized() const { return sized_; }
    std::uint64_t size() const override;
    bool readAt(std::uint64_t offset, void* buffer, std::size_t length) override;

private:
    HANDLE file_;
    std::uint64_t size_ = 0;
    bool sized_ = false;
};
