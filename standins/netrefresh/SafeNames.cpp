#include "SafeNames.h"

#include <cctype>
#include <cstring>

namespace {

std::string upper(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

bool isReservedDeviceName(const std::string& component)
{
    std::string base = upper(component.substr(0, component.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

bool isSafeArchiveComponent(const std::string& component)
{
    if (component.empty() || component.size() > 255 || component == "." || component == "..")
        return false;
    for (char c : component) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr)
            return false;
    }
    if (component.back() == '.' || component.back() == ' ')
        return false;
    return !isReservedDeviceName(component);
}

bool isSafePackageFileName(const std::string& name)
{
    if (name.empty() || name.size() > 240 || name[0] == '.')
        return false;
    for (char c : name) {
        bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '_' || c == '-';
        if (!allowed)
            return false;
    }
    return !isReservedDeviceName(name);
}
