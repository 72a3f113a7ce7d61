// The printer configuration a product's configuration file describes: paper
// table, media list, default size per paper category, default media type and
// configuration items.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct PaperEntry {
    uint32_t code;
    std::string name;
    uint32_t width;      // 1/300 inch
    uint32_t length;     // 1/300 inch
    uint32_t category;   // 0 plain, 0x1000 borderless, 0x4000, 0x8000 envelope
};

struct MediaEntry {
    uint32_t code;
    std::string name;
};

struct PrinterConfigData {
    std::vector<PaperEntry> papers;
    std::vector<MediaEntry> media;
    std::map<uint32_t, uint32_t> defaultSizes;   // category -> paper code
    uint16_t defaultMediaType = 0;
    std::map<uint32_t, uint32_t> items;          // item id -> value
};

// Empty with a reason in `error` when the text is not a valid description:
// a line that does not parse, a default size or media type not in the tables.
std::optional<PrinterConfigData> ParsePrinterConfig(const std::string& text, std::string& error);
