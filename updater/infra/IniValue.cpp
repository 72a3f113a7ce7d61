#include "IniValue.h"

#include <cstdint>

IniValueType parseTypedValue(const std::string& typedValue, std::string& data, bool& hasTypeWord)
{
    hasTypeWord = false;
    if (typedValue.empty())
        return kIniUnknownType;
    std::string::size_type colon = typedValue.find(':');
    if (colon == std::string::npos || colon == 0)
        return kIniUnknownType;
    hasTypeWord = true;
    std::string word = typedValue.substr(0, colon);
    IniValueType type = word == "string" ? kIniString
                        : word == "dword" ? kIniDword
                                          : kIniUnknownType;
    if (colon + 1 < typedValue.size())
        data = typedValue.substr(colon + 1);
    return type;
}

std::uint32_t dwordFromText(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            value = limit;  // out of range: strtol answers the limit
    }
    std::int64_t result = negative ? -value : value;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(result));
}

std::vector<std::string> splitZeroList(const char* buffer, std::size_t length)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (buffer[i] == '\0') {
            if (i > start)
                items.emplace_back(buffer + start, i - start);
            start = i + 1;
        }
    }
    if (start < length)
        items.emplace_back(buffer + start, length - start);
    return items;
}
