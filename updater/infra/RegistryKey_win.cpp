#include "RegistryKey.h"

#include "Exception.h"
#include "OsVersion.h"

namespace {

[[noreturn]] void raise(const std::string& message, LONG code, int line)
{
    throw Win32Exception(message, code, "RegistryKey", line);
}

const char* const kWrongType = " : incorrect value type";

}  // namespace

RegistryKey::RegistryKey(const std::string& path, bool create, HKEY root) : security_(true)
{
    resetAccess();
    openOrCreate(path, create, root);
}

RegistryKey::~RegistryKey()
{
    if (key_ != nullptr)
        RegCloseKey(key_);
}

void RegistryKey::openOrCreate(const std::string& path, bool create, HKEY root)
{
    try {
        regOpenKeyEx(root, path);
    } catch (const Win32Exception&) {
        if (!create)
            throw;
        regCreateKeyEx(root, path);
    }
}

void RegistryKey::regOpenKeyEx(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(root, path.c_str(), 0, access_, &key);
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::regOpenKeyEx()", result, __LINE__);
    if (key_ != nullptr)
        RegCloseKey(key_);
    key_ = key;
}

void RegistryKey::regCreateKeyEx(HKEY root, const std::string& path)
{
    if (OsVersion::current().isNT()) {
        HKEY key = nullptr;
        DWORD disposition = 0;
        LONG result = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access_, security_.securityAttributes(), &key, &disposition);
        if (result != ERROR_SUCCESS)
            raise("RegistryKey::regCreateKeyEx()", result, __LINE__);
        if (key_ != nullptr)
            RegCloseKey(key_);
        key_ = key;
        // Some registry implementations ignore a DACL given at creation; set it
        // again so a new key always grants Everyone full access.
        if (disposition == REG_CREATED_NEW_KEY)
            security_.doApply(key_);
        return;
    }
    // Windows 9x: one level at a time, then open the whole path.
    std::string partial;
    std::string rest = path;
    while (partial != path) {
        if (!rest.empty() && rest[0] == '\\') {
            partial += '\\';
            rest.erase(0, 1);
        }
        std::string::size_type slash = rest.find('\\');
        std::string component = rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
        partial += component;
        HKEY key = nullptr;
        LONG result = RegCreateKeyExA(root, partial.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access_, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS)
            raise("RegistryKey::regCreateKeyEx()", result, __LINE__);
        RegCloseKey(key);
        if (component.empty() && rest.empty())
            break;
    }
    regOpenKeyEx(root, path);
}

bool RegistryKey::getValue(const std::string& name, unsigned long& number)
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG result = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(&value), &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    // A value too big for the 4-byte buffer still reports its type: name a
    // wrong one, and keep the query's code.
    bool typeKnown = result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
    bool wrongType = typeKnown && type != REG_DWORD;
    if (result != ERROR_SUCCESS || wrongType)
        raise("RegistryKey::getValue(ulong)" + name + (wrongType ? kWrongType : ""), result,
              __LINE__);
    number = value;
    return true;
}

bool RegistryKey::getValue(const std::string& name, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::getValue(string) " + name, result, __LINE__);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        raise("RegistryKey::getValue(string) " + name + kWrongType, 0, __LINE__);
    // One spare byte: a value stored without its terminating zero still ends.
    std::vector<char> data(size + 1, '\0');
    result = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::getValue() " + name, result, __LINE__);
    text.assign(data.data());
    return true;
}

bool RegistryKey::getValue(const std::string& name, std::vector<std::uint8_t>& bytes)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<std::uint8_t> data(size);
    LONG result = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                   size > 0 ? data.data() : nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return false;
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::getValue(binary)" + name, result, __LINE__);
    if (type != REG_BINARY)
        raise("RegistryKey::getValue(binary)" + name + kWrongType, 0, __LINE__);
    data.resize(size);
    bytes.swap(data);
    return true;
}

void RegistryKey::setValue(const std::string& name, unsigned long number)
{
    DWORD value = number;
    LONG result = RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof value);
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::setValue(ulong): Unable to set " + name, result, __LINE__);
}

void RegistryKey::setValue(const std::string& name, const std::string& text)
{
    LONG result = RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1));
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::setValue(string): Unable to set " + name, result, __LINE__);
}

void RegistryKey::setValue(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    // An empty sequence is stored as an empty binary value.
    static const BYTE nothing = 0;
    LONG result = RegSetValueExA(key_, name.c_str(), 0, REG_BINARY,
                                 bytes.empty() ? &nothing : bytes.data(),
                                 static_cast<DWORD>(bytes.size()));
    if (result != ERROR_SUCCESS)
        raise(name, result, __LINE__);
}

void RegistryKey::deleteValue(const std::string& name)
{
    LONG result = RegDeleteValueA(key_, name.c_str());
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::deleteValue()", result, __LINE__);
}

void RegistryKey::getChildrenNames(std::list<std::string>& names, unsigned maximum)
{
    for (DWORD index = 0; index < maximum; ++index) {
        char name[261];
        DWORD length = sizeof name;
        LONG result = RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return;
        if (result != ERROR_SUCCESS)
            raise("RegistryKey::getChildrenNames()", result, __LINE__);
        names.push_back(std::string(name, length));
    }
}

void RegistryKey::getValueNames(std::list<std::string>& names)
{
    for (DWORD index = 0;; ++index) {
        char name[261];
        DWORD length = sizeof name;
        LONG result =
            RegEnumValueA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            return;
        if (result != ERROR_SUCCESS)
            raise("RegistryKey:getValueNames()", result, __LINE__);
        names.push_back(std::string(name, length));
    }
}

long recurseDeleteKey(const std::string& subKey, HKEY parent)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result == ERROR_FILE_NOT_FOUND)
        return ERROR_FILE_NOT_FOUND;
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::recurseDeleteKey() RegOpenKey()", result, __LINE__);
    // A child named "SOFTWARE" survives its own deletion; step past it
    // instead of enumerating it again for ever.
    DWORD index = 0;
    for (;;) {
        char child[256];
        DWORD length = sizeof child;
        if (RegEnumKeyExA(key, index, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        std::string childName(child, length);
        try {
            recurseDeleteKey(childName, key);
        } catch (...) {
            RegCloseKey(key);
            throw;
        }
        if (lstrcmpiA(childName.c_str(), "SOFTWARE") == 0)
            ++index;
    }
    RegCloseKey(key);
    if (lstrcmpiA(subKey.c_str(), "SOFTWARE") == 0)
        return ERROR_SUCCESS;
    // Branch paths end in a backslash, which the delete call does not accept.
    std::string target = subKey;
    while (target.size() > 1 && target.back() == '\\')
        target.pop_back();
    result = RegDeleteKeyA(parent, target.c_str());
    if (result != ERROR_SUCCESS)
        raise("RegistryKey::recurseDeleteKey() RegDeleteKey()", result, __LINE__);
    return ERROR_SUCCESS;
}
