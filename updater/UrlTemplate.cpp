#include "UrlTemplate.h"

#include <cstring>

bool replaceFirst(std::string& text, const std::string& placeholder, const std::string& value)
{
    std::string::size_type at = text.find(placeholder);
    if (at == std::string::npos)
        return false;
    text.replace(at, placeholder.size(), value);
    return true;
}

std::string withPackageCode(const std::string& baseUrl, const std::string& packageCode)
{
    std::string url = baseUrl;
    if (!packageCode.empty())
        replaceFirst(url, kPackagePlaceholder, packageCode);
    return url;
}

bool packageVersionIn(const char* bytes, std::size_t size, std::string& version)
{
    if (size > kVersionFileBytes)
        size = kVersionFileBytes;
    const void* zero = std::memchr(bytes, '\0', size);
    std::string text(bytes, zero != nullptr ? static_cast<const char*>(zero) - bytes : size);
    const std::string open = "<PackageVersion>";
    const std::string close = "</PackageVersion>";
    std::string::size_type start = text.find(open);
    std::string::size_type end = text.find(close);
    if (start == std::string::npos || end == std::string::npos)
        return false;
    start += open.size();
    // A close tag before the open one gives an empty version, not a crash.
    version = end >= start ? text.substr(start, end - start) : std::string();
    return true;
}
