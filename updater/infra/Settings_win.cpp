#include "Settings.h"

#include "CurrentProcess.h"
#include "Exception.h"
#include "Localize.h"
#include "Paths.h"
#include "RegistryKey.h"
#include "SettingsInstaller.h"

#include <windows.h>

namespace {

std::string withBackslash(const std::string& text)
{
    return text.empty() || text.back() == '\\' ? text : text + '\\';
}

void keepCode(const Win32Exception& e)
{
    SetLastError(static_cast<DWORD>(e.getCode()));
}

// A read with default: the key is created if needed, a missing value is
// written with the default and answered as if it had been there.
template <class T>
bool readOrWriteDefault(const std::string& path, const std::string& name, T& out,
                        const T& defaultValue)
{
    try {
        RegistryKey registry(path, true, HKEY_LOCAL_MACHINE);
        if (!registry.getValue(name, out)) {
            registry.setValue(name, defaultValue);
            out = defaultValue;
        }
        return true;
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

template <class T>
bool write(const std::string& path, const std::string& name, const T& value)
{
    try {
        RegistryKey registry(path, true, HKEY_LOCAL_MACHINE);
        registry.setValue(name, value);
        return true;
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

// A plain read: nothing is created; false when key or value is missing.
template <class T>
bool readExisting(const std::string& path, const std::string& name, T& out)
{
    try {
        RegistryKey registry(path, false, HKEY_LOCAL_MACHINE);
        return registry.getValue(name, out);
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

}  // namespace

BasicSettings::BasicSettings(const std::string& storeBase, const std::string& moduleSubKey)
    : storeBase_(withBackslash(storeBase)), moduleSubKey_(withBackslash(moduleSubKey))
{
}

BasicSettings::~BasicSettings() = default;

std::string BasicSettings::branchPath(int mode) const
{
    if (moduleSubKey_.empty())
        return storeBase_;
    return mode == 0 ? storeBase_ + "Local\\" + moduleSubKey_ : storeBase_ + "Shared\\";
}

bool BasicSettings::storeBaseExists() const
{
    try {
        RegistryKey base(storeBase_, false, HKEY_LOCAL_MACHINE);
        return true;
    } catch (const Win32Exception&) {
        return false;
    }
}

bool BasicSettings::getBinaryValue(const std::string& key, const std::string& name,
                                   std::vector<std::uint8_t>& out,
                                   const std::vector<std::uint8_t>& defaultValue, int mode)
{
    return storeBaseExists() && readOrWriteDefault(branchPath(mode) + key, name, out, defaultValue);
}

bool BasicSettings::getBinaryValue(const std::string& key, const std::string& name,
                                   std::vector<std::uint8_t>& out, int mode)
{
    return readExisting(branchPath(mode) + key, name, out);
}

bool BasicSettings::getULongValue(const std::string& key, const std::string& name,
                                  unsigned long& out, unsigned long defaultValue, int mode)
{
    return storeBaseExists() && readOrWriteDefault(branchPath(mode) + key, name, out, defaultValue);
}

bool BasicSettings::getULongValue(const std::string& key, const std::string& name,
                                  unsigned long& out, int mode)
{
    return readExisting(branchPath(mode) + key, name, out);
}

bool BasicSettings::getStringValue(const std::string& key, const std::string& name,
                                   std::string& out, const std::string& defaultValue, int mode)
{
    return storeBaseExists() && readOrWriteDefault(branchPath(mode) + key, name, out, defaultValue);
}

bool BasicSettings::getStringValue(const std::string& key, const std::string& name,
                                   std::string& out, int mode)
{
    return readExisting(branchPath(mode) + key, name, out);
}

bool BasicSettings::setStringValue(const std::string& key, const std::string& name,
                                   const std::string& value, int mode)
{
    return write(branchPath(mode) + key, name, value);
}

bool BasicSettings::setULongValue(const std::string& key, const std::string& name,
                                  unsigned long value, int mode)
{
    return write(branchPath(mode) + key, name, value);
}

bool BasicSettings::getValueNames(const std::string& key, std::list<std::string>& names, int mode)
{
    if (key.empty())
        return false;
    try {
        RegistryKey registry(branchPath(mode) + key, false, HKEY_LOCAL_MACHINE);
        registry.getValueNames(names);
        return true;
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

bool BasicSettings::deleteKey(const std::string& key, int mode)
{
    std::string path = branchPath(mode) + key;
    {
        RegistryKey mustExist(path, false, HKEY_LOCAL_MACHINE);
    }
    recurseDeleteKey(path, HKEY_LOCAL_MACHINE);
    return true;
}

long BasicSettings::deleteValue(const std::string& key, const std::string& name, int mode)
{
    try {
        RegistryKey registry(branchPath(mode) + key, false, HKEY_LOCAL_MACHINE);
        registry.deleteValue(name);
        return 0;
    } catch (const Win32Exception& e) {
        keepCode(e);
        return e.getCode();
    }
}

bool BasicSettings::otherBranchesRemain() const
{
    try {
        RegistryKey local(storeBase_ + "Local\\", false, HKEY_LOCAL_MACHINE);
        std::list<std::string> children;
        local.getChildrenNames(children, 100);
        return !children.empty();
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

bool BasicSettings::uninstall()
{
    try {
        if (moduleSubKey_.empty()) {
            recurseDeleteKey(storeBase_, HKEY_LOCAL_MACHINE);
            return true;
        }
        recurseDeleteKey(branchPath(0), HKEY_LOCAL_MACHINE);
        if (!otherBranchesRemain())
            recurseDeleteKey(storeBase_, HKEY_LOCAL_MACHINE);
        return true;
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

Settings::Settings()
    : BasicSettings(Localize::getInstance().getJswKeyPath(),
                    Localize::getInstance().getModulePrefix())
{
    try {
        RegistryKey local(branchPath(0), false, HKEY_LOCAL_MACHINE);
        valid_ = true;
    } catch (const Win32Exception&) {
        valid_ = false;
    }
}

std::string Settings::branchPath(int mode) const
{
    return Localize::getInstance().getSettingsKeyPath(mode);
}

bool Settings::isLaserFamily() const
{
    return Localize::getInstance().isLaserFamily();
}

long Settings::install()
{
    try {
        RegistryKey local(branchPath(0), true, HKEY_LOCAL_MACHINE);
        std::string file = CurrentProcess::instance().directory() +
                           Localize::getInstance().getModulePrefix() + "jsw.loc";
        SettingsInstaller installer(file);
        valid_ = installer.installSettings();
    } catch (const Exception&) {
        valid_ = false;
    }
    return valid_ ? 0 : 1359;
}

bool Settings::uninstall()
{
    unsigned long deleteStore = 1;
    getULongValue(setting::kDeleteStoreOnUninstall.key, setting::kDeleteStoreOnUninstall.name,
                  deleteStore, 0);
    try {
        recurseDeleteKey(branchPath(0), HKEY_LOCAL_MACHINE);
        valid_ = false;
        if (otherBranchesRemain())
            return false;
        if (deleteStore != 0)
            recurseDeleteKey(Localize::getInstance().getProductKeyPath(), HKEY_LOCAL_MACHINE);
        return true;
    } catch (const Win32Exception& e) {
        keepCode(e);
        return false;
    }
}

bool Settings::read(const DwordSetting& s, unsigned long& out)
{
    return getULongValue(s.key, s.name, out, 0);
}

bool Settings::readWithDefault(const DwordSetting& s, unsigned long& out)
{
    return getULongValue(s.key, s.name, out, s.defaultValue, 0);
}

bool Settings::read(const StringSetting& s, std::string& out)
{
    return getStringValue(s.key, s.name, out, 0);
}

bool Settings::readWithDefault(const StringSetting& s, std::string& out)
{
    if (s.defaultValue == nullptr)
        return read(s, out);
    return getStringValue(s.key, s.name, out, s.defaultValue, 0);
}
