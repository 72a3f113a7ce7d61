// The Updater's registry store under HKEY_LOCAL_MACHINE: typed values in the
// program's local branch (mode 0) or the profile's shared branch (mode 1).
// Operations answer false instead of raising; the Win32 code of a failure is
// left in the thread's last-error value.
#pragma once

#include "SettingsKeys.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class BasicSettings {
public:
    BasicSettings(const std::string& storeBase, const std::string& moduleSubKey);
    virtual ~BasicSettings();

    // With a default: false, out untouched, when the store base is missing;
    // otherwise a missing value is written with the default and returned.
    virtual bool getBinaryValue(const std::string& key, const std::string& name,
                                std::vector<std::uint8_t>& out,
                                const std::vector<std::uint8_t>& defaultValue, int mode);
    virtual bool getBinaryValue(const std::string& key, const std::string& name,
                                std::vector<std::uint8_t>& out, int mode);
    virtual bool getULongValue(const std::string& key, const std::string& name,
                               unsigned long& out, unsigned long defaultValue, int mode);
    virtual bool getULongValue(const std::string& key, const std::string& name,
                               unsigned long& out, int mode);
    virtual bool getStringValue(const std::string& key, const std::string& name, std::string& out,
                                const std::string& defaultValue, int mode);
    virtual bool getStringValue(const std::string& key, const std::string& name, std::string& out,
                                int mode);
    virtual bool setStringValue(const std::string& key, const std::string& name,
                                const std::string& value, int mode);
    virtual bool setULongValue(const std::string& key, const std::string& name,
                               unsigned long value, int mode);
    virtual bool getValueNames(const std::string& key, std::list<std::string>& names, int mode);
    // Raises Win32Exception when the key is missing.
    virtual bool deleteKey(const std::string& key, int mode);
    virtual long deleteValue(const std::string& key, const std::string& name, int mode);
    virtual bool uninstall();
    virtual std::string branchPath(int mode) const;

    const std::string& storeBase() const { return storeBase_; }

protected:
    bool storeBaseExists() const;
    bool otherBranchesRemain() const;

    std::string storeBase_;
    std::string moduleSubKey_;
};

// The running program's profile (Localize): store base and module prefix.
class Settings : public BasicSettings {
public:
    Settings();

    bool uninstall() override;
    std::string branchPath(int mode) const override;

    bool isValid() const { return valid_; }
    // Installs the program's settings file (module prefix + "jsw.loc" beside
    // the program); 0, or 1359 on any failure.
    long install();
    bool isLaserFamily() const;

    // The store's table, typed.
    bool read(const DwordSetting& setting, unsigned long& out);
    bool readWithDefault(const DwordSetting& setting, unsigned long& out);
    bool read(const StringSetting& setting, std::string& out);
    bool readWithDefault(const StringSetting& setting, std::string& out);

private:
    bool valid_ = false;
};
