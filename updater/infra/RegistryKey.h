// One open registry key, owned for the length of one operation. Every failure
// raises Win32Exception; a missing value is an answer (false), not a failure.
#pragma once

#include "Security.h"

#include <windows.h>

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class RegistryKey {
public:
    // Opens path under root; when create is true, creates every missing level,
    // the new keys granting Everyone full access.
    RegistryKey(const std::string& path, bool create, HKEY root);
    virtual ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    virtual void resetAccess() { access_ = KEY_ALL_ACCESS; }
    virtual void openOrCreate(const std::string& path, bool create, HKEY root);

    bool getValue(const std::string& name, unsigned long& number);
    bool getValue(const std::string& name, std::string& text);
    bool getValue(const std::string& name, std::vector<std::uint8_t>& bytes);
    void setValue(const std::string& name, unsigned long number);
    void setValue(const std::string& name, const std::string& text);
    void setValue(const std::string& name, const std::vector<std::uint8_t>& bytes);
    void deleteValue(const std::string& name);

    void getChildrenNames(std::list<std::string>& names, unsigned maximum);
    void getValueNames(std::list<std::string>& names);

    HKEY handle() const { return key_; }

private:
    void regOpenKeyEx(HKEY root, const std::string& path);
    void regCreateKeyEx(HKEY root, const std::string& path);

    HKEY key_ = nullptr;
    SecurityEveryone security_;
    REGSAM access_ = KEY_ALL_ACCESS;
};

// Deletes subKey under parent with everything below it. Returns 2 when the key
// does not exist. A key named "SOFTWARE" (any case) is emptied, never deleted.
long recurseDeleteKey(const std::string& subKey, HKEY parent);
