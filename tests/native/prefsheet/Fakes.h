// In-memory versions of the common library's pieces for the portable core.
#pragma once

#include "CommonLibrary.h"

#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Numbers and texts kept apart, as a product description keeps them: a key
// set as a number has no text and the other way round.
class FakeProduct : public ProductOptions {
public:
    FakeProduct& set(const char* key, uint32_t value)
    {
        numbers[key] = value;
        return *this;
    }
    FakeProduct& setText(const char* key, const std::string& value)
    {
        texts[key] = value;
        return *this;
    }
    bool CompareSetting(const char* key, uint32_t value) const override
    {
        auto it = numbers.find(key);
        return it != numbers.end() && it->second == value;
    }
    bool CompareSetting(const char* key, const std::string& value) const override
    {
        auto it = texts.find(key);
        return it != texts.end() && it->second == value;
    }
    uint32_t GetSetting(const char* key, uint32_t&) const override
    {
        auto it = numbers.find(key);
        return it == numbers.end() ? 0 : it->second;
    }
    std::string GetSetting(const char* key, std::string& text) const override
    {
        auto it = texts.find(key);
        text = it == texts.end() ? std::string() : it->second;
        return text;
    }

    std::map<std::string, uint32_t> numbers;
    std::map<std::string, std::string> texts;
};

class FakeSystemConfig : public SystemConfig {
public:
    int Initialize(const std::string& fileName) override
    {
        calls.push_back("Initialize " + fileName);
        return initializes ? 1 : 0;
    }
    int GenerateTableList(uint32_t tableId) override
    {
        calls.push_back("Generate " + std::to_string(tableId));
        return generateResult;
    }
    void ReleaseTableList(uint32_t tableId) override { calls.push_back("Release " + std::to_string(tableId)); }
    uint32_t GetItemData(uint32_t item, uint32_t& out) override
    {
        auto it = items.find(item);
        out = it == items.end() ? 0 : it->second;
        return out;
    }
    uint16_t GetDefaultMediaType() override { return defaultMedia; }
    uint32_t GetDefaultSize(uint32_t category) override
    {
        auto it = defaultSizes.find(category);
        return it == defaultSizes.end() ? 0 : it->second;
    }
    int IsPaperSizeSupported(uint32_t size) override { return paperSizes.count(size) != 0 ? 1 : 0; }
    int IsMediaTypeSupported(uint16_t media) override { return mediaTypes.count(media) != 0 ? 1 : 0; }

    bool initializes = true;
    int generateResult = 0;
    std::map<uint32_t, uint32_t> items;
    std::map<uint32_t, uint32_t> defaultSizes;
    uint16_t defaultMedia = 1;
    std::set<uint32_t> paperSizes;
    std::set<uint16_t> mediaTypes;
    std::vector<std::string> calls;
};

// The status cache of one printer; any other name has no data.
class FakeStatusCache : public PrinterStatusCache {
public:
    int GetPrinterCacheData(const std::string& printerName) override
    {
        queries.push_back(printerName);
        return known && printerName == printer ? 1 : 0;
    }
    uint32_t GetInkStyle() override { return inkStyle; }
    uint32_t GetInkPercent(uint32_t ink) override { return ink >= 1 && ink <= 9 ? inkPercent[ink - 1] : 0; }
    uint32_t GetLogCartId(uint32_t cartridge) override { return cartridge == 1 ? logCart[0] : logCart[1]; }
    uint32_t GetPhysCartId(uint32_t cartridge) override { return cartridge == 1 ? physCart[0] : physCart[1]; }
    uint32_t GetCartStatus(uint32_t cartridge) override { return cartridge == 1 ? cartStatus[0] : cartStatus[1]; }
    uint32_t GetMedia1() override { return media1; }
    uint32_t GetOptTrayStatus() override { return optTray; }
    uint32_t GetPrintDuplexerStatus() override { return duplexer; }
    uint32_t GetDuplexerButtonStatus() override { return duplexerButton; }

    bool known = false;
    std::string printer;
    uint32_t inkStyle = 0;
    uint32_t inkPercent[9] = {};
    uint32_t logCart[2] = {};
    uint32_t physCart[2] = {};
    uint32_t cartStatus[2] = {};
    uint32_t media1 = 0;
    uint32_t optTray = 0;
    uint32_t duplexer = 0;
    uint32_t duplexerButton = 0;
    std::vector<std::string> queries;
};

// Registry values per sub-key, with the read contract of the real component:
// a missing value or one larger than the buffer raises RegistryReadError.
class FakeRegistry : public RegistryComponent {
public:
    struct Value {
        uint32_t type;
        std::vector<uint8_t> data;
    };

    void SetFriendlyName(const std::string& printerName) override { printer = printerName; }
    void SetPersonalSettings(int on) override { personal = on; }
    bool Create(const std::string& subKey) override
    {
        open = printer + (personal ? "\\Personal\\" : "\\") + subKey;
        log.push_back("Create " + open);
        return true;
    }
    uint32_t Read(const std::string& valueName, void* buffer, uint32_t size) override
    {
        readBuffers.push_back(size);
        if (!throwLengthErrorOn.empty() && valueName == throwLengthErrorOn)
            throw std::length_error("vector");
        auto it = keys[open].find(valueName);
        if (it == keys[open].end())
            throw RegistryReadError(valueName, 2);
        if (it->second.data.size() > size)
            throw RegistryReadError(valueName, 234, static_cast<uint32_t>(it->second.data.size()));
        if (!it->second.data.empty())
            std::memcpy(buffer, it->second.data.data(), it->second.data.size());
        return static_cast<uint32_t>(it->second.data.size());
    }
    bool Write(const std::string& valueName, uint32_t type, const void* data, uint32_t size) override
    {
        log.push_back("Write " + open + "\\" + valueName);
        const auto* bytes = static_cast<const uint8_t*>(data);
        keys[open][valueName] = Value{type, std::vector<uint8_t>(bytes, bytes + size)};
        return true;
    }
    bool DeleteValue(const std::string& valueName) override { return keys[open].erase(valueName) == 1; }
    void Close() override
    {
        log.push_back("Close " + open);
        open.clear();
    }

    void put(const std::string& key, const std::string& valueName, uint32_t type, const void* data,
             std::size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        keys[key][valueName] = Value{type, std::vector<uint8_t>(bytes, bytes + size)};
    }
    const Value* find(const std::string& key, const std::string& valueName) const
    {
        auto k = keys.find(key);
        if (k == keys.end())
            return nullptr;
        auto v = k->second.find(valueName);
        return v == k->second.end() ? nullptr : &v->second;
    }

    std::string printer;
    int personal = 0;
    std::string open;
    std::map<std::string, std::map<std::string, Value>> keys;
    std::vector<std::string> log;
    std::vector<uint32_t> readBuffers;   // the buffer size of every Read
    std::string throwLengthErrorOn;      // a value whose Read throws something unexpected
};

class RecordingTrace : public Trace {
public:
    void OutputData(const std::string& line) override { lines.push_back(line); }
    bool contains(const std::string& text) const
    {
        for (const std::string& line : lines) {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }
    std::vector<std::string> lines;
};
