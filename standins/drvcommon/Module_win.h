// Helpers shared by the parts of drvcommon.dll.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace drvcommon {

// drvcommon.dll itself (never the program that loaded it).
HMODULE ThisModule();

// The folder of drvcommon.dll, with its trailing backslash: the installation
// directory where product.ini and the configuration files live.
std::string ModuleDirectory();

// A relative name is taken from the installation directory.
std::string InInstallation(const std::string& fileName);

std::optional<std::string> ReadWholeFile(const std::string& path);

// Registry keys may not hold a backslash in one name; network printer names
// ("\\server\printer") are stored with commas, as the spooler does.
std::string PrinterKeyName(const std::string& printerName);

void Spy(const std::string& line);

class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { reset(); }
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept
    {
        std::swap(key_, other.key_);
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY get() const { return key_; }
    void reset()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace drvcommon
