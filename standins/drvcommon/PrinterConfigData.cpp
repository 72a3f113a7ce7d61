#include "PrinterConfigData.h"

#include "IniDocument.h"

#include <sstream>

namespace {

std::vector<std::string> splitFields(const std::string& text)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(text);
    while (std::getline(in, field, ',')) {
        std::string::size_type begin = field.find_first_not_of(" \t");
        std::string::size_type end = field.find_last_not_of(" \t");
        fields.push_back(begin == std::string::npos ? std::string() : field.substr(begin, end - begin + 1));
    }
    return fields;
}

bool hasPaper(const PrinterConfigData& data, uint32_t code)
{
    for (const PaperEntry& paper : data.papers) {
        if (paper.code == code)
            return true;
    }
    return false;
}

bool hasMedia(const PrinterConfigData& data, uint32_t code)
{
    for (const MediaEntry& entry : data.media) {
        if (entry.code == code)
            return true;
    }
    return false;
}

}  // namespace

std::optional<PrinterConfigData> ParsePrinterConfig(const std::string& text, std::string& error)
{
    const IniDocument document = IniDocument::Parse(text);
    PrinterConfigData data;

    for (const auto& [key, value] : document.entries("Paper")) {
        std::optional<uint32_t> code = ParseOptionNumber(key);
        std::vector<std::string> fields = splitFields(value);
        if (!code || fields.size() != 4) {
            error = "[Paper] " + key + ": expected code = name, width, length, category";
            return std::nullopt;
        }
        std::optional<uint32_t> width = ParseOptionNumber(fields[1]);
        std::optional<uint32_t> length = ParseOptionNumber(fields[2]);
        std::optional<uint32_t> category = ParseOptionNumber(fields[3]);
        if (!width || !length || !category) {
            error = "[Paper] " + key + ": width, length and category must be numbers";
            return std::nullopt;
        }
        data.papers.push_back({*code, fields[0], *width, *length, *category});
    }
    for (const auto& [key, value] : document.entries("Media")) {
        std::optional<uint32_t> code = ParseOptionNumber(key);
        if (!code || *code > 0xFFFF) {
            error = "[Media] " + key + ": media codes are 16-bit numbers";
            return std::nullopt;
        }
        data.media.push_back({*code, value});
    }
    for (const auto& [key, value] : document.entries("DefaultSize")) {
        std::optional<uint32_t> category = ParseOptionNumber(key);
        std::optional<uint32_t> code = ParseOptionNumber(value);
        if (!category || !code || !hasPaper(data, *code)) {
            error = "[DefaultSize] " + key + ": expected category = a paper code of [Paper]";
            return std::nullopt;
        }
        data.defaultSizes[*category] = *code;
    }
    if (std::optional<std::string> media = document.value("Defaults", "MediaType")) {
        std::optional<uint32_t> code = ParseOptionNumber(*media);
        if (!code || !hasMedia(data, *code)) {
            error = "[Defaults] MediaType: expected a media code of [Media]";
            return std::nullopt;
        }
        data.defaultMediaType = static_cast<uint16_t>(*code);
    }
    for (const auto& [key, value] : document.entries("Items")) {
        std::optional<uint32_t> item = ParseOptionNumber(key);
        std::optional<uint32_t> number = ParseOptionNumber(value);
        if (!item || !number) {
            error = "[Items] " + key + ": expected item = number";
            return std::nullopt;
        }
        data.items[*item] = *number;
    }
    return data;
}
