#include "LocalFiles_win.h"

#include <shlobj.h>

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

DWORD downloadFolder(std::string& folder)
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
    DWORD error = createFolders(base, {"netrefresh", "downloads"}, 2);
    if (error != 0)
        return error;
    folder = std::string(common);
    if (folder.empty() || folder[folder.size() - 1] != '\\')
        folder += '\\';
    folder += "netrefresh\\downloads";
    return 0;
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
