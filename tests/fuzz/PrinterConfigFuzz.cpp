// Printer configuration files: an accepted description is consistent (the
// defaults are in the tables, media codes are 16-bit) and writes back to a
// file that reads the same.
#include "PrinterConfigData.h"

#include "FuzzCheck.h"

#include <cstdint>

namespace {

std::string serialise(const PrinterConfigData& data)
{
    std::string text = "[Paper]\n";
    for (const PaperEntry& p : data.papers)
        text += std::to_string(p.code) + " = " + p.name + ", " + std::to_string(p.width) + ", " +
                std::to_string(p.length) + ", " + std::to_string(p.category) + "\n";
    text += "[Media]\n";
    for (const MediaEntry& m : data.media)
        text += std::to_string(m.code) + " = " + m.name + "\n";
    text += "[DefaultSize]\n";
    for (const auto& [category, code] : data.defaultSizes)
        text += std::to_string(category) + " = " + std::to_string(code) + "\n";
    if (data.defaultMediaType != 0)
        text += "[Defaults]\nMediaType = " + std::to_string(data.defaultMediaType) + "\n";
    text += "[Items]\n";
    for (const auto& [item, value] : data.items)
        text += std::to_string(item) + " = " + std::to_string(value) + "\n";
    return text;
}

bool same(const PrinterConfigData& a, const PrinterConfigData& b)
{
    if (a.papers.size() != b.papers.size() || a.media.size() != b.media.size())
        return false;
    for (std::size_t i = 0; i < a.papers.size(); ++i) {
        const PaperEntry& x = a.papers[i];
        const PaperEntry& y = b.papers[i];
        if (x.code != y.code || x.name != y.name || x.width != y.width || x.length != y.length ||
            x.category != y.category)
            return false;
    }
    for (std::size_t i = 0; i < a.media.size(); ++i) {
        if (a.media[i].code != b.media[i].code || a.media[i].name != b.media[i].name)
            return false;
    }
    return a.defaultSizes == b.defaultSizes && a.defaultMediaType == b.defaultMediaType && a.items == b.items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    const std::optional<PrinterConfigData> config = ParsePrinterConfig(FuzzText(data, size), error);
    if (!config) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    for (const MediaEntry& media : config->media)
        FUZZ_CHECK(media.code <= 0xFFFF);
    for (const auto& [category, code] : config->defaultSizes) {
        bool inTable = false;
        for (const PaperEntry& paper : config->papers)
            inTable = inTable || paper.code == code;
        FUZZ_CHECK(inTable);
    }
    if (config->defaultMediaType != 0) {
        bool listed = false;
        for (const MediaEntry& media : config->media)
            listed = listed || media.code == config->defaultMediaType;
        FUZZ_CHECK(listed);
    }
    std::string againError;
    const std::optional<PrinterConfigData> again = ParsePrinterConfig(serialise(*config), againError);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(same(*config, *again));
    return 0;
}
