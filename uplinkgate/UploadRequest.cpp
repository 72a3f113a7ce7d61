#include "UploadRequest.h"

std::string unquotedLibraryPath(const std::string& path)
{
    if (path.empty() || path[0] != '"')
        return path;
    std::size_t end = path.size();
    if (end >= 2 && path[end - 1] == '"')
        --end;
    return path.substr(1, end - 1);
}

std::string uploadRefusal(const std::string& libraryPath, const std::string& arguments)
{
    if (libraryPath.size() > kMaxLibraryPath)
        return " Upload library path too long: " + std::to_string(libraryPath.size()) +
               " characters, at most " + std::to_string(kMaxLibraryPath);
    if (arguments.size() > kMaxUploadArguments)
        return " Upload arguments too long: " + std::to_string(arguments.size()) +
               " characters, at most " + std::to_string(kMaxUploadArguments);
    return std::string();
}
