// Who the running program is: its module prefix (first four characters of
// its file name, lower-cased) and the registry paths the brand table derives
// from it. Portable; Localize binds it to the running module.
#pragma once

#include <cstdint>
#include <string>

struct BrandRow {
    char code[3];  // two lower-case letters
    char keyName[33];
    std::int32_t laserFamily;
    char brandName[20];
};

constexpr int kBrandRows = 16;
extern const BrandRow kBrandTable[kBrandRows];

// The product key name when no brand row matches.
constexpr const char* kDefaultProductKeyName = "Pelmora Tools";

// Letters A-Z lower-cased (nothing else changes), the part after the last
// backslash, at most four characters: "C:\x\PmabUpdater.exe" gives "pmab".
std::string modulePrefixOf(const std::string& moduleFileName);

class ModuleIdentity {
public:
    explicit ModuleIdentity(const std::string& modulePrefix) : prefix_(modulePrefix) {}

    const std::string& modulePrefix() const { return prefix_; }
    std::string productKeyPath() const;                // "Software\<key name>"
    std::string jswKeyPath() const;                    // productKeyPath() + "\JSW\"
    std::string settingsKeyPath(std::int32_t scope) const;  // 0 local, 1 shared, else temp
    bool isLaserFamily() const;

private:
    bool matches(const BrandRow& row) const;

    std::string prefix_;
};
