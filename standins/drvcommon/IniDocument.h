// The text files that describe a product to the common library: sections in
// brackets, "key = value" lines, ';' or '#' comments. Section and key names
// compare without regard to case, as Windows profile files do.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class IniDocument {
public:
    static IniDocument Parse(const std::string& text);

    // Empty when the section or key is absent.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    // The section's lines in file order.
    std::vector<std::pair<std::string, std::string>> entries(const std::string& section) const;

private:
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections_;  // upper-case names
};

// A whole decimal or "0x" hexadecimal number that fits 32 bits; anything else
// (signs, trailing text, overflow) is not a number.
std::optional<uint32_t> ParseOptionNumber(const std::string& text);
