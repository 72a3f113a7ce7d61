// The few things the library needs to know about a URL: its scheme, where a
// relative package reference points, and the local path of a file URL.
#pragma once

#include <string>

enum class UrlScheme { Unsupported, Http, Https, File };

// By the case-insensitive prefix "http://", "https://" or "file://".
UrlScheme urlScheme(const std::string& url);

// An absolute reference (one with a supported scheme) stands for itself; any
// other replaces the last segment of the manifest URL's path.
std::string resolveReference(const std::string& manifestUrl, const std::string& reference);

// The last path segment, without query or fragment.
std::string lastPathSegment(const std::string& url);

// "file:///C:/dir/a%20b.txt" or "file://localhost/C:/..." gives
// "C:\dir\a b.txt"; "file://server/share/x" gives "\\server\share\x".
// False for anything else: a path without a drive or a bare drive, bad or
// NUL escapes, a host "." or "..", and a decoded backslash, "?", "*" or ":" in
// the host or any segment after the drive.
bool fileUrlToPath(const std::string& url, std::string& path);
