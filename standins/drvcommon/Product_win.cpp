// PmkProduct: the product's options from product.ini beside the library.
#include "drvcommon.h"

#include "IniDocument.h"
#include "Module_win.h"

#include <cstring>
#include <optional>

namespace {

// Read once per process: a product does not change under a running driver.
const IniDocument& productFile()
{
    static const IniDocument document = [] {
        const std::string path = drvcommon::ModuleDirectory() + "product.ini";
        std::optional<std::string> text = drvcommon::ReadWholeFile(path);
        if (!text)
            drvcommon::Spy("PmkProduct: cannot read " + path + ", error " + std::to_string(GetLastError()));
        return IniDocument::Parse(text.value_or(std::string()));
    }();
    return document;
}

std::optional<std::string> option(const char* key)
{
    if (key == nullptr)
        return std::nullopt;
    return productFile().value("Options", key);
}

std::optional<uint32_t> numberOption(const char* key)
{
    std::optional<std::string> text = option(key);
    return text ? ParseOptionNumber(*text) : std::nullopt;
}

}  // namespace

extern "C" BOOL WINAPI PmkCompareSettingNumber(const char* key, DWORD value)
{
    try {
        std::optional<uint32_t> number = numberOption(key);
        return number && *number == value;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOL WINAPI PmkCompareSettingText(const char* key, const char* value)
{
    try {
        std::optional<std::string> text = option(key);
        return text && value != nullptr && *text == value;
    } catch (...) {
        return FALSE;
    }
}

extern "C" DWORD WINAPI PmkGetSettingNumber(const char* key, DWORD* status)
{
    try {
        std::optional<uint32_t> number = numberOption(key);
        if (status != nullptr)
            *status = number ? ERROR_SUCCESS : ERROR_NOT_FOUND;
        return number.value_or(0);
    } catch (...) {
        return 0;
    }
}

extern "C" DWORD WINAPI PmkGetSettingText(const char* key, char* buffer, DWORD size)
{
    try {
        const std::string text = option(key).value_or(std::string());
        if (buffer != nullptr && size > 0) {
            const std::size_t copied = text.size() < size ? text.size() : size - 1;
            std::memcpy(buffer, text.data(), copied);
            buffer[copied] = '\0';
        }
        return static_cast<DWORD>(text.size());
    } catch (...) {
        if (buffer != nullptr && size > 0)
            buffer[0] = '\0';
        return 0;
    }
}
