#include "FourPartVersion.h"

bool FourPartVersion::parse(const std::string& text, FourPartVersion& result)
{
    FourPartVersion parsed;
    std::string::size_type position = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (position >= text.size() || text[position] != '.')
                return false;
            ++position;
        }
        std::uint32_t value = 0;
        int digits = 0;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
            if (++digits > 5)
                return false;
            value = value * 10 + static_cast<std::uint32_t>(text[position] - '0');
            ++position;
        }
        if (digits == 0 || value > 65535)
            return false;
        parsed.parts[part] = static_cast<std::uint16_t>(value);
    }
    if (position != text.size())
        return false;
    result = parsed;
    return true;
}

std::string FourPartVersion::text() const
{
    return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." +
           std::to_string(parts[2]) + "." + std::to_string(parts[3]);
}

int compareVersions(const FourPartVersion& left, const FourPartVersion& right)
{
    for (int part = 0; part < 4; ++part) {
        if (left.parts[part] != right.parts[part])
            return left.parts[part] < right.parts[part] ? -1 : 1;
    }
    return 0;
}
