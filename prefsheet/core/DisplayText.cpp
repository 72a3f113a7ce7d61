#include "DisplayText.h"

#include "Options.h"
#include "ResourceIds.h"

#include <cstdlib>

namespace {

// Sizes are in 1/300 inch. Integer arithmetic keeps the rounding exact and
// the output free of the C library's locale.
std::string millimetres(int32_t units)
{
    const int64_t magnitude = std::llabs(static_cast<int64_t>(units));
    const int64_t rounded = (magnitude * 254 + 1500) / 3000;   // x * 25.4 / 300, half away from zero
    return (units < 0 && rounded != 0 ? "-" : "") + std::to_string(rounded);
}

std::string inches(int32_t units, char decimalSymbol)
{
    const int64_t magnitude = std::llabs(static_cast<int64_t>(units));
    const int64_t tenths = (magnitude + 15) / 30;                 // x / 300 to one decimal
    std::string text = (units < 0 && tenths != 0 ? "-" : "") + std::to_string(tenths / 10);
    text += decimalSymbol;
    text += static_cast<char>('0' + tenths % 10);
    return text;
}

}  // namespace

uint32_t SubstituteStringId(uint32_t id, const ProductOptions& product)
{
    if (id != IDS_QUALITY_BEST)
        return id;
    const Options options(product);
    if (!options.equals(OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, 0))
        return id;
    return options.equals(OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY, 1) ? IDS_QUALITY_PHOTO : IDS_QUALITY_NORMAL;
}

std::string RemoveAmpersands(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != '&')
            result += c;
    }
    return result;
}

std::string CustomSizeText(const LCDEVMODE& record, char decimalSymbol, const std::string& millimetreUnit,
                           const std::string& inchUnit)
{
    if (record.dmUnits == 2) {
        return millimetres(record.dmCustomWidth) + " x " + millimetres(record.dmCustomLength) + " " +
               millimetreUnit;
    }
    return inches(record.dmCustomWidth, decimalSymbol) + " x " + inches(record.dmCustomLength, decimalSymbol) +
           " " + inchUnit;
}
