#include "CommandLineParams.h"

#include <cctype>

bool containsElevationToken(const std::string& text)
{
    auto upper = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    return upper(text).find(upper(kElevationToken)) != std::string::npos;
}
