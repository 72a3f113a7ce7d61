#include "SettingsInstaller.h"

#include "IniValue.h"
#include "Logger.h"

#include <windows.h>

#include <new>

namespace {

const LoggerComponent& jsw = logcomponent::JSW;

LONG writeValue(const std::string& keyPath, const std::string& name, DWORD type, const BYTE* data,
                DWORD size)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExA(key, name.c_str(), 0, type, data, size);
    RegCloseKey(key);
    return result;
}

}  // namespace

SettingsInstaller::SettingsInstaller(const std::string& fileName)
{
    auto trace = FunctionTrace::begin(jsw, [&] {
        return "SettingsInstaller::SettingsInstaller(fileName='" + fileName + "'):";
    });
    reader_.reset(new (std::nothrow) IniReader(fileName));
    if (!reader_) {
        trace.log("Could not allocate memory for INI reader. Settings file could not be parsed.");
        return;
    }
    parsed_ = reader_->isBuilt();
    if (!parsed_)
        trace.log("Settings file could not be parsed properly.");
}

bool SettingsInstaller::installSettings()
{
    auto trace =
        FunctionTrace::begin(jsw, [] { return "SettingsInstaller::installSettings():"; });
    if (!parsed_) {
        trace.log("Settings file could not be parsed properly.");
        trace.setResult(0);
        return false;
    }
    bool result = true;
    std::list<std::string> sections = reader_->sectionNames();
    if (sections.empty())
        trace.log("No registry keys found in file to be installed.");
    for (const std::string& section : sections) {
        if (section.empty()) {
            trace.log("Empty Section name. Skipping..");
            result = false;
            continue;
        }
        KeyValPairs pairs = reader_->getSectionData(section);
        if (pairs.empty()) {
            trace.log("Empty Section found. Skipping..");
            result = false;
            continue;
        }
        for (const auto& pair : pairs) {
            const std::string& key = pair.first;
            const std::string& value = pair.second;
            if (key.empty() || value.empty()) {
                trace.log("Empty KeyValue pair found in Section='" + section + "' where key='" +
                          key + "' and value='" + value + "'):");
                result = false;
                continue;
            }
            std::string data;  // each entry starts from empty data
            int type = reader_->getValueType(value, data);
            LONG code;
            std::string written;
            if (type == kIniString) {
                code = writeValue(section, key, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                  static_cast<DWORD>(data.size() + 1));
                written = data;
            } else if (type == kIniDword) {
                DWORD number = dwordFromText(data);
                code = writeValue(section, key, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                  sizeof number);
                written = std::to_string(number);
            } else {
                trace.log("Could not retrieve the type information for value='" + value +
                          "' skipping....");
                result = false;
                continue;
            }
            trace.log("Return Code for writing sectionName='" + section + "',key='" + key +
                      "',value='" + written + "' is = " + std::to_string(code));
        }
    }
    trace.setResult(result);
    return result;
}
