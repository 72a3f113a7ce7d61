#include "Manifest.h"

#include "SafeNames.h"
#include "UpdateUrl.h"

#include <cctype>
#include <map>
#include <vector>

namespace {

const char magicLine[] = "netrefresh-manifest 1";

std::string trimmed(const std::string& text)
{
    std::string::size_type first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    std::string::size_type last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> splitLines(const std::string& document)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start <= document.size()) {
        std::string::size_type end = document.find('\n', start);
        std::string line = document.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

bool validPackageReference(const std::string& reference)
{
    if (urlScheme(reference) == UrlScheme::Unsupported)
        return isSafePackageFileName(reference);
    if (reference.size() > 2048)
        return false;
    for (char c : reference) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F)
            return false;
    }
    return true;
}

bool parseSize(const std::string& text, std::uint32_t& size)
{
    if (text.empty() || text.size() > 10)
        return false;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > Manifest::maximumPackageBytes)
        return false;
    size = static_cast<std::uint32_t>(value);
    return true;
}

bool parseDigest(const std::string& text, std::string& digest)
{
    if (text.size() != 64)
        return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    digest = lower(text);
    return true;
}

}  // namespace

bool Manifest::parse(const std::string& document, Manifest& result, std::string& error)
{
    if (document.size() > maximumBytes) {
        error = "document larger than " + std::to_string(maximumBytes) + " bytes";
        return false;
    }
    if (document.find('\0') != std::string::npos) {
        error = "document holds a NUL byte";
        return false;
    }
    std::string text = document;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    std::vector<std::string> lines = splitLines(text);
    if (trimmed(lines[0]) != magicLine) {
        error = "first line is not \"" + std::string(magicLine) + "\"";
        return false;
    }

    std::map<std::string, std::string> values;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string line = trimmed(lines[i]);
        if (line.empty() || line[0] == '#')
            continue;
        std::string::size_type equals = line.find('=');
        if (equals == std::string::npos) {
            error = "line " + std::to_string(i + 1) + " has no '='";
            return false;
        }
        std::string key = lower(trimmed(line.substr(0, equals)));
        if (key != "version" && key != "package" && key != "size" && key != "sha256")
            continue;  // later versions of the format may add keys
        if (!values.emplace(key, trimmed(line.substr(equals + 1))).second) {
            error = "key " + key + " given twice";
            return false;
        }
    }
    for (const char* key : {"version", "package", "size", "sha256"}) {
        if (values.count(key) == 0) {
            error = std::string("key ") + key + " missing";
            return false;
        }
    }

    Manifest parsed;
    if (!FourPartVersion::parse(values["version"], parsed.version) ||
        parsed.version.text().size() > 19) {
        error = "Version is not four numeric parts of at most 19 characters";
        return false;
    }
    if (!validPackageReference(values["package"])) {
        error = "Package is neither a plain file name nor an http, https or file URL";
        return false;
    }
    parsed.package = values["package"];
    if (!parseSize(values["size"], parsed.size)) {
        error = "Size is not a decimal byte count below 2 GiB";
        return false;
    }
    if (!parseDigest(values["sha256"], parsed.sha256)) {
        error = "SHA256 is not 64 hexadecimal digits";
        return false;
    }
    result = parsed;
    return true;
}

std::string Manifest::localFileName() const
{
    std::string name = lastPathSegment(package);
    return isSafePackageFileName(name) ? name : "package.bin";
}
