#include "IniDocument.h"

#include <cctype>

namespace {

std::string trim(const std::string& text)
{
    std::string::size_type begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    std::string::size_type end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

IniDocument IniDocument::Parse(const std::string& text)
{
    IniDocument document;
    std::string section;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            std::string::size_type close = line.find(']');
            section = upper(trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            document.sections_[section];
            continue;
        }
        std::string::size_type equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        document.sections_[section].emplace_back(trim(line.substr(0, equals)), trim(line.substr(equals + 1)));
    }
    return document;
}

std::optional<std::string> IniDocument::value(const std::string& section, const std::string& key) const
{
    auto found = sections_.find(upper(section));
    if (found == sections_.end())
        return std::nullopt;
    const std::string wanted = upper(key);
    for (const auto& entry : found->second) {
        if (upper(entry.first) == wanted)
            return entry.second;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> IniDocument::entries(const std::string& section) const
{
    auto found = sections_.find(upper(section));
    return found == sections_.end() ? std::vector<std::pair<std::string, std::string>>() : found->second;
}

std::optional<uint32_t> ParseOptionNumber(const std::string& text)
{
    int base = 10;
    std::string::size_type i = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    }
    if (i >= text.size())
        return std::nullopt;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::toupper(c) - 'A' + 10;
        else
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}
