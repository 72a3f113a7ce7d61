#include "Paths.h"

std::string joinPath(const std::string& left, const std::string& right)
{
    std::string path = left;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path.append(right, !right.empty() && right[0] == '\\' ? 1 : 0, std::string::npos);
    return path;
}

std::string directoryOf(const std::string& path)
{
    std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path)
{
    std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
