#include "LocalFiles_win.h"

#include <shlobj.h>

#include <cstdio>

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.release();
    }
    return *this;
}

HANDLE FileHandle::release()
{
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
}

bool FileHandle::close()
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return true;
    BOOL ok = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
}

std::wstring wideText(const std::string& ansi)
{
    if (ansi.empty())
        return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], length) != length)
        return std::wstring();
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

std::wstring longPath(const std::string& ansiPath)
{
    std::wstring wide = wideText(ansiPath);
    if (wide.empty())
        return std::wstring();
    if (wide.compare(0, 4, L"\\\\?\\") == 0)
        return wide;

    // "\\?\" turns off the usual clean-up of "..", "." and '/', so do it first.
    DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::wstring();
    std::wstring full(needed, L'\0');
    DWORD written = GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr);
    if (written == 0 || written >= needed)
        return std::wstring();
    full.resize(written);
    if (full.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string ansiText(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    BOOL lossy = FALSE;
    int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], length, nullptr, nullptr) !=
        length)
        return std::string();
    text.resize(static_cast<std::size_t>(length - 1));
    return text;
}

DWORD createFolders(const std::wstring& base, const std::vector<std::string>& components,
                    std::size_t count)
{
    std::wstring path = base;
    for (std::size_t i = 0; i < count && i < components.size(); ++i) {
        std::wstring component = wideText(components[i]);
        if (component.empty())
            return ERROR_INVALID_NAME;
        if (path.empty() || path[path.size() - 1] != L'\\')
            path += L'\\';
        path += component;
        if (CreateDirectoryW(path.c_str(), nullptr))
            continue;
        DWORD error = GetLastError();
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (error != ERROR_ALREADY_EXISTS || attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return error == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : error;
    }
    return 0;
}

namespace {

// <common application data>\<components...>, created when missing.
DWORD commonFolder(const std::vector<std::string>& components, std::string& folder)
{
    char common[MAX_PATH + 1] = {};
    HRESULT result = SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                      SHGFP_TYPE_CURRENT, common);
    if (FAILED(result))
        return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                          : ERROR_PATH_NOT_FOUND;
    std::wstring base = longPath(common);
    if (base.empty())
        return ERROR_INVALID_NAME;
    DWORD error = createFolders(base, components, components.size());
    if (error != 0)
        return error;
    folder = std::string(common);
    for (const std::string& component : components) {
        if (folder.empty() || folder[folder.size() - 1] != '\\')
            folder += '\\';
        folder += component;
    }
    return 0;
}

}  // namespace

DWORD downloadFolder(std::string& folder)
{
    return commonFolder({"netrefresh", "downloads"}, folder);
}

DWORD libraryDataFolder(std::string& folder)
{
    return commonFolder({"netrefresh"}, folder);
}

DWORD readSmallFile(const std::string& path, std::size_t maximum, std::string& text)
{
    FileHandle file(CreateFileW(longPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return GetLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        return GetLastError();
    if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > maximum)
        return ERROR_FILE_TOO_LARGE;
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() &&
        (!ReadFile(file.get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr) ||
         read != content.size()))
        return ERROR_READ_FAULT;
    text.swap(content);
    return 0;
}

DWORD replaceSmallFile(const std::string& path, const std::string& text)
{
    std::wstring target = longPath(path);
    std::wstring fresh = target + L".new";
    {
        FileHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return GetLastError();
        DWORD error = writeAll(file.get(), text.data(), text.size());
        if (error == 0 && !file.close())
            error = GetLastError();
        if (error != 0) {
            DeleteFileW(fresh.c_str());
            return error;
        }
    }
    if (!MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DWORD error = GetLastError();
        DeleteFileW(fresh.c_str());
        return error;
    }
    return 0;
}

void writeLibraryLog(const std::string& message)
{
    std::string folder;
    if (libraryDataFolder(folder) != 0)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char header[64];
    std::snprintf(header, sizeof header, "%04u-%02u-%02u %02u:%02u:%02u [%lu] ", now.wYear,
                  now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    std::string line = header + message + "\r\n";
    FileHandle file(CreateFileW(longPath(folder + "\\netrefresh.log").c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid())
        writeAll(file.get(), line.data(), line.size());
}

DWORD writeAll(HANDLE file, const void* data, std::size_t length)
{
    const char* bytes = static_cast<const char*>(data);
    while (length > 0) {
        DWORD chunk = length > 0x100000 ? 0x100000 : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        bytes += written;
        length -= written;
    }
    return 0;
}

FileSource::FileSource(HANDLE file) : file_(file)
{
    LARGE_INTEGER size;
    if (GetFileSizeEx(file_, &size) && size.QuadPart >= 0) {
        size_ = static_cast<std::uint64_t>(size.QuadPart);
        sized_ = true;
    }
}

std::uint64_t FileSource::size() const
{
    return size_;
}

bool FileSource::readAt(std::uint64_t offset, void* buffer, std::size_t length)
{
    if (offset > size_ || length > size_ - offset)
        return false;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_, position, nullptr, FILE_BEGIN))
        return false;
    char* bytes = static_cast<char*>(buffer);
    while (length > 0) {
        DWORD chunk = length > 0x100000 ? 0x100000 : static_cast<DWORD>(length);
        DWORD read = 0;
        if (!ReadFile(file_, bytes, chunk, &read, nullptr) || read == 0)
            return false;
        bytes += read;
        length -= read;
    }
    return true;
}
