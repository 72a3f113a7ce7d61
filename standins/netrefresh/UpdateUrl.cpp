#include "UpdateUrl.h"

#include "HexDigit.h"

#include <cctype>

namespace {

bool startsWithNoCase(const std::string& text, const char* prefix)
{
    std::string::size_type i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}

std::string withoutQueryOrFragment(const std::string& url)
{
    return url.substr(0, url.find_first_of("?#"));
}

bool percentDecode(const std::string& text, std::string& decoded)
{
    decoded.clear();
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        int high = HexDigitValue(text[i + 1]);
        int low = HexDigitValue(text[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return false;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool isDriveLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A decoded host or path segment that could turn the path into a device,
// pipe, raw or drive-relative path, or name a stream: no backslash, no
// wildcard, no colon.
bool isPlainSegment(const std::string& segment)
{
    return segment.find_first_of("\\?*:") == std::string::npos;
}

bool allPlainSegments(const std::string& path)
{
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        if (!isPlainSegment(path.substr(start, slash - start)))
            return false;
        start = slash + 1;
    }
    return true;
}

}  // namespace

UrlScheme urlScheme(const std::string& url)
{
    if (startsWithNoCase(url, "http://"))
        return UrlScheme::Http;
    if (startsWithNoCase(url, "https://"))
        return UrlScheme::Https;
    if (startsWithNoCase(url, "file://"))
        return UrlScheme::File;
    return UrlScheme::Unsupported;
}

std::string resolveReference(const std::string& manifestUrl, const std::string& reference)
{
    if (urlScheme(reference) != UrlScheme::Unsupported)
        return reference;
    std::string base = withoutQueryOrFragment(manifestUrl);
    std::string::size_type slash = base.find_last_of('/');
    return base.substr(0, slash == std::string::npos ? 0 : slash + 1) + reference;
}

std::string lastPathSegment(const std::string& url)
{
    std::string path = withoutQueryOrFragment(url);
    std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool fileUrlToPath(const std::string& url, std::string& path)
{
    if (urlScheme(url) != UrlScheme::File)
        return false;
    std::string rest = withoutQueryOrFragment(url.substr(7));
    if (startsWithNoCase(rest, "localhost/"))
        rest = rest.substr(9);

    std::string decoded;
    if (!percentDecode(rest, decoded))
        return false;
    std::string result;
    if (!decoded.empty() && decoded[0] == '/') {
        // file:///C:/dir: a drive path; Windows has no rootless absolute
        // path, and a bare "C:" is relative to the drive's current folder.
        if (decoded.size() < 4 || !isDriveLetter(decoded[1]) || decoded[2] != ':' || decoded[3] != '/' ||
            !allPlainSegments(decoded.substr(4)))
            return false;
        result = decoded.substr(1);
    } else {
        // file://server/share/...: a UNC path. "." and ".." are no servers:
        // "\\.\" and "\\?\" open devices and pipes.
        std::string::size_type slash = decoded.find('/');
        if (decoded.empty() || slash == 0 || slash == std::string::npos || slash + 1 >= decoded.size())
            return false;
        const std::string host = decoded.substr(0, slash);
        if (host == "." || host == ".." || !allPlainSegments(decoded))
            return false;
        result = "//" + decoded;
    }
    for (char& c : result) {
        if (c == '/')
            c = '\\';
    }
    path = result;
    return true;
}
