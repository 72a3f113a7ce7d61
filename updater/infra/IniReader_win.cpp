#include "IniReader.h"

#include "IniValue.h"
#include "Logger.h"

#include <windows.h>

#include <exception>
#include <vector>

namespace {

const LoggerComponent& jsw = logcomponent::JSW;

// The profile calls cut what does not fit and say so only through the
// length they return (size - 2 for lists, size - 1 for a value): grow the
// buffer until the answer fits, so no file size loses settings. False when
// a buffer of the size needed cannot be had (a huge file): nothing may
// raise out of the reader.
template <class Read>
bool readWhole(std::size_t initialSize, std::size_t slack, Read read, std::vector<char>& buffer,
               DWORD& length)
{
    std::size_t size = initialSize < 1024 ? 1024 : initialSize;
    for (;;) {
        try {
            buffer.assign(size, '\0');
        } catch (const std::exception&) {
            return false;
        }
        length = read(buffer.data(), static_cast<DWORD>(size));
        if (length + slack < size || size >= 0x7FFFFFFF / 2)
            return true;
        size *= 2;
    }
}

}  // namespace

IniReader::IniReader(const std::string& fileName) : fileName_(fileName)
{
    auto trace = FunctionTrace::begin(jsw, [&] { return "IniReader::IniReader(iniFileName=" + fileName + "):"; });
    built_ = build();
}

bool IniReader::build()
{
    auto trace = FunctionTrace::begin(jsw, [] { return "IniReader::build():"; });
    bool result = false;
    if (!fileName_.empty()) {
        HANDLE file = CreateFileA(fileName_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            trace.log("Could not open the settings file.errorCode =" +
                      std::to_string(GetLastError()));
        } else {
            DWORD size = GetFileSize(file, nullptr);
            CloseHandle(file);
            std::size_t bufferSize = size == INVALID_FILE_SIZE ? 0 : size;
            trace.log("Size of the file=" + std::to_string(bufferSize));
            result = buildSections(bufferSize);
            if (result && !sectionNames_.empty())
                result = buildSectionsData(bufferSize);
        }
    }
    trace.setResult(result);
    return result;
}

bool IniReader::buildSections(std::size_t bufferSize)
{
    auto trace = FunctionTrace::begin(jsw, [&] {
        return "IniReader::buildSections(bufferSize=" + std::to_string(bufferSize) + "):";
    });
    DWORD length = 0;
    std::vector<char> names;
    bool result = readWhole(
                      bufferSize, 2,
                      [&](char* buffer, DWORD size) {
                          return GetPrivateProfileSectionNamesA(buffer, size, fileName_.c_str());
                      },
                      names, length) &&
                  length != 0;
    if (result) {
        for (const std::string& name : splitZeroList(names.data(), length)) {
            sectionNames_.push_back(name);
            sectionData_.push_back({name, KeyValPairs()});
        }
    }
    trace.setResult(result);
    return result;
}

bool IniReader::buildSectionsData(std::size_t bufferSize)
{
    auto trace = FunctionTrace::begin(jsw, [&] {
        return "IniReader::buildSectionsData(bufferSize=" + std::to_string(bufferSize) + "):";
    });
    bool result = !sectionNames_.empty();
    for (const std::string& section : sectionNames_) {
        DWORD length = 0;
        std::vector<char> keyList;
        if (!readWhole(
                bufferSize, 2,
                [&](char* buffer, DWORD size) {
                    return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size,
                                                    fileName_.c_str());
                },
                keyList, length)) {
            trace.log("Could not allocate memory for the buffer.");
            trace.setResult(0);
            return false;
        }
        if (length == 0) {
            trace.log("Could not retrieve key-value pairs for section=" + section);
            continue;
        }
        std::vector<std::string> keys = splitZeroList(keyList.data(), length);
        if (keys.empty()) {
            trace.log("No key-value pairs found for section='" + section + "'");
            continue;
        }
        for (const std::string& key : keys) {
            DWORD valueLength = 0;
            std::vector<char> value;
            if (!readWhole(
                    bufferSize, 1,
                    [&](char* buffer, DWORD size) {
                        return GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                        size, fileName_.c_str());
                    },
                    value, valueLength)) {
                trace.log("Could not allocate memory for the buffer.");
                trace.setResult(0);
                return false;
            }
            if (valueLength == 0) {
                trace.log("Could not retrieve value for key='" + key + "' under section='" +
                          section + "'");
                continue;
            }
            std::string text(value.data(), valueLength);
            for (auto& record : sectionData_) {
                if (record.first != section)
                    continue;
                bool replaced = false;
                for (auto& pair : record.second) {
                    if (pair.first == key) {
                        pair.second = text;
                        replaced = true;
                    }
                }
                if (!replaced)
                    record.second.push_back({key, text});
            }
        }
    }
    trace.setResult(result);
    return result;
}

KeyValPairs IniReader::getSectionData(const std::string& sectionName) const
{
    auto trace = FunctionTrace::begin(
        jsw, [&] { return "IniReader::getSectionData(sectionName=" + sectionName + "):"; });
    if (!built_) {
        trace.log("Unsuccessful parsing settings file. returning empty key-value pairs");
        return KeyValPairs();
    }
    for (const auto& record : sectionData_) {
        if (record.first == sectionName) {
            if (trace.enabled())
                trace.setResult("KeyValPairs");
            return record.second;
        }
    }
    return KeyValPairs();
}

int IniReader::getValueType(const std::string& value, std::string& data) const
{
    auto trace =
        FunctionTrace::begin(jsw, [&] { return "IniReader::getValueType(value=" + value + "):"; });
    bool hasTypeWord = false;
    IniValueType type = parseTypedValue(value, data, hasTypeWord);
    if (!value.empty() && !hasTypeWord)
        trace.log("Could not find the type information for value=" + value);
    else if (hasTypeWord && value.find(':') + 1 < value.size())
        trace.log("Parsed value for value='" + value + "' is ='" + data + "'");
    trace.setResult(type);
    return type;
}
