#include "ManifestSignature.h"

#include "HexDigit.h"

namespace {

std::string trimmed(const std::string& text)
{
    std::string::size_type first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    std::string::size_type last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

const char kSignaturePrefix[] = "Signature=";

}  // namespace

bool decodeHex(const std::string& text, Bytes& result)
{
    if (text.size() % 2 != 0)
        return false;
    Bytes bytes;
    bytes.reserve(text.size() / 2);
    for (std::string::size_type i = 0; i < text.size(); i += 2) {
        int high = HexDigitValue(text[i]);
        int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    result.swap(bytes);
    return true;
}

bool SignedManifest::split(const std::string& document, SignedManifest& result)
{
    result = SignedManifest();
    std::string::size_type end = document.find_last_not_of(" \t\r\n");
    std::string::size_type lineStart =
        end == std::string::npos ? 0 : document.rfind('\n', end);
    lineStart = lineStart == std::string::npos || end == std::string::npos ? 0 : lineStart + 1;
    if (end == std::string::npos ||
        document.compare(lineStart, sizeof kSignaturePrefix - 1, kSignaturePrefix) != 0) {
        result.body = document;
        return true;
    }
    std::string hex = trimmed(document.substr(lineStart + sizeof kSignaturePrefix - 1,
                                              end + 1 - lineStart - (sizeof kSignaturePrefix - 1)));
    Bytes signature;
    if (!decodeHex(hex, signature) || signature.size() < 64 || signature.size() > 1024)
        return false;
    result.body = document.substr(0, lineStart);
    result.signedDocument = true;
    result.signature.swap(signature);
    return true;
}

bool PublicKeys::parse(const std::string& text, PublicKeys& result, std::string& error)
{
    if (text.size() > maximumBytes) {
        error = "key file larger than " + std::to_string(maximumBytes) + " bytes";
        return false;
    }
    std::string content = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
    std::vector<std::string> lines = linesOf(content);
    if (lines.empty() || lines[0] != "netrefresh-keys 1") {
        error = "first line is not \"netrefresh-keys 1\"";
        return false;
    }
    PublicKeys keys;
    for (std::size_t number = 1; number < lines.size(); ++number) {
        std::string line = trimmed(lines[number]);
        if (line.empty() || line[0] == '#')
            continue;
        if (line.compare(0, 4, "RSA=") != 0) {
            error = "line " + std::to_string(number + 1) + " is not \"RSA=<modulus>\"";
            return false;
        }
        Bytes modulus;
        if (!decodeHex(trimmed(line.substr(4)), modulus)) {
            error = "line " + std::to_string(number + 1) + ": the modulus is not hexadecimal";
            return false;
        }
        std::size_t leadingZeros = 0;
        while (leadingZeros < modulus.size() && modulus[leadingZeros] == 0)
            ++leadingZeros;
        modulus.erase(modulus.begin(), modulus.begin() + static_cast<long>(leadingZeros));
        if (modulus.size() < 256 || modulus.size() > 1024 || (modulus.back() & 1) == 0) {
            error = "line " + std::to_string(number + 1) +
                    ": not an RSA modulus of 2048 to 8192 bits";
            return false;
        }
        keys.moduli.push_back(modulus);
    }
    if (keys.moduli.empty()) {
        error = "no key in the file";
        return false;
    }
    result = keys;
    return true;
}

AcceptedVersions AcceptedVersions::parse(const std::string& text)
{
    AcceptedVersions record;
    for (const std::string& line : linesOf(text)) {
        std::string::size_type space = line.find(' ');
        FourPartVersion version;
        if (space == std::string::npos || space + 1 >= line.size() ||
            !FourPartVersion::parse(line.substr(0, space), version))
            continue;
        record.remember(line.substr(space + 1), version);
    }
    return record;
}

std::string AcceptedVersions::text() const
{
    std::string result;
    for (const auto& entry : newest_)
        result += entry.second.text() + " " + entry.first + "\r\n";
    return result;
}

bool AcceptedVersions::isReplay(const std::string& url, const FourPartVersion& version) const
{
    auto found = newest_.find(url);
    return found != newest_.end() && compareVersions(version, found->second) < 0;
}

bool AcceptedVersions::remember(const std::string& url, const FourPartVersion& version)
{
    // A URL that could not be read back as one line is not kept.
    if (url.empty() || url.find_first_of("\r\n") != std::string::npos)
        return false;
    auto found = newest_.find(url);
    if (found != newest_.end() && compareVersions(version, found->second) <= 0)
        return false;
    newest_[url] = version;
    return true;
}
