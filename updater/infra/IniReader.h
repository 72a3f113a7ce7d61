// Reads the program settings file through the system's private-profile calls:
// its sections in file order, each with its (key, value) pairs.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <utility>

typedef std::list<std::pair<std::string, std::string>> KeyValPairs;

class IniReader {
public:
    explicit IniReader(const std::string& fileName);

    bool isBuilt() const { return built_; }
    std::list<std::string> sectionNames() const { return sectionNames_; }
    KeyValPairs getSectionData(const std::string& sectionName) const;
    // 1 "string", 2 "dword", 0 anything else; see parseTypedValue.
    int getValueType(const std::string& value, std::string& data) const;

private:
    bool build();
    bool buildSections(std::size_t bufferSize);
    bool buildSectionsData(std::size_t bufferSize);

    std::string fileName_;
    std::list<std::string> sectionNames_;
    std::list<std::pair<std::string, KeyValPairs>> sectionData_;
    bool built_ = false;
};
