#include "ModuleIdentity.h"

// Each brand's variant of the driver family keeps its settings under its own
// key. Laser and scanner rows share a code when one brand ships both.
const BrandRow kBrandTable[kBrandRows] = {
    {"pm", "PelmoraInkjet", 0, "Pelmora"},
    {"qc", "QuillcastInkJet", 0, "Quillcast"},
    {"ve", "VerdantInkjet", 0, "Verdant"},
    {"lx", "LumaxInkJet", 0, "Lumax"},
    {"ot", "OttoprintInkjet", 0, "Ottoprint"},
    {"sk", "SkylarkInkJet", 0, "Skylark"},
    {"bx", "BraxtonInkjet", 0, "Braxton"},
    {"nr", "NordikInkJet", 0, "Nordik"},
    {"kd", "KadenceInkjet", 0, "Kadence"},
    {"fj", "FjordInkJet", 0, "Fjord"},
    {"ml", "MeridianLaser", 1, "Meridian"},
    {"ml", "MeridianScanner", 1, "Meridian"},
    {"tr", "TorrentLaser", 1, "Torrent"},
    {"tr", "TorrentScanner", 1, "Torrent"},
    {"hl", "HalcyonLaser", 1, "Halcyon"},
    {"cz", "CobaltScanner", 1, "Cobalt"},
};

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string modulePrefixOf(const std::string& moduleFileName)
{
    std::string lowered;
    lowered.reserve(moduleFileName.size());
    for (char c : moduleFileName)
        lowered += lowerAscii(c);
    std::string::size_type slash = lowered.rfind('\\');
    std::string name = slash == std::string::npos ? lowered : lowered.substr(slash + 1);
    return name.substr(0, 4);
}

bool ModuleIdentity::matches(const BrandRow& row) const
{
    return prefix_.size() >= 2 && lowerAscii(prefix_[0]) == row.code[0] &&
           lowerAscii(prefix_[1]) == row.code[1];
}

std::string ModuleIdentity::productKeyPath() const
{
    for (const BrandRow& row : kBrandTable) {
        if (matches(row))
            return std::string("Software\\") + row.keyName;
    }
    return std::string("Software\\") + kDefaultProductKeyName;
}

std::string ModuleIdentity::jswKeyPath() const
{
    return productKeyPath() + "\\JSW\\";
}

std::string ModuleIdentity::settingsKeyPath(std::int32_t scope) const
{
    if (scope == 0)
        return jswKeyPath() + "Local\\" + prefix_ + "\\";
    if (scope == 1)
        return jswKeyPath() + "Shared\\";
    return "Software\\PelmoraTemp\\temp";
}

bool ModuleIdentity::isLaserFamily() const
{
    for (const BrandRow& row : kBrandTable) {
        if (matches(row) && row.laserFamily == 1)
            return true;
    }
    return false;
}
