// SystemConfigDLL: the printer configuration file named by IDO_CONFIG_DLL.
#include "drvcommon.h"

#include "Module_win.h"
#include "PrinterConfigData.h"

#include <memory>
#include <optional>

namespace {

const DWORD kPaperTable = 10600;
const DWORD kMediaList = 10015;

struct SystemConfig {
    std::optional<PrinterConfigData> data;
    bool paperTable = false;
    bool mediaList = false;
};

SystemConfig* from(void* handle)
{
    return static_cast<SystemConfig*>(handle);
}

}  // namespace

extern "C" void* WINAPI ScdCreate(void)
{
    try {
        return new SystemConfig();
    } catch (...) {
        return nullptr;
    }
}

extern "C" void WINAPI ScdDestroy(void* config)
{
    delete from(config);
}

extern "C" int WINAPI ScdInitialize(void* config, const char* fileName)
{
    try {
        if (config == nullptr)
            return 0;
        // A failed (re-)initialisation leaves no configuration behind: the
        // predicates must not answer from tables of an earlier file.
        *from(config) = SystemConfig();
        if (fileName == nullptr || *fileName == '\0')
            return 0;
        const std::string path = drvcommon::InInstallation(fileName);
        std::optional<std::string> text = drvcommon::ReadWholeFile(path);
        if (!text) {
            drvcommon::Spy("SystemConfigDLL::Initialize: cannot read " + path + ", error " +
                           std::to_string(GetLastError()));
            return 0;
        }
        std::string error;
        from(config)->data = ParsePrinterConfig(*text, error);
        if (!from(config)->data) {
            drvcommon::Spy("SystemConfigDLL::Initialize: " + path + ": " + error);
            return 0;
        }
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" int WINAPI ScdGenerateTableList(void* config, DWORD tableId)
{
    if (config == nullptr || !from(config)->data)
        return 1;
    if (tableId == kPaperTable)
        from(config)->paperTable = true;
    else if (tableId == kMediaList)
        from(config)->mediaList = true;
    else
        return 2;
    return 0;
}

extern "C" void WINAPI ScdReleaseTableList(void* config, DWORD tableId)
{
    if (config == nullptr)
        return;
    if (tableId == kPaperTable)
        from(config)->paperTable = false;
    else if (tableId == kMediaList)
        from(config)->mediaList = false;
}

extern "C" DWORD WINAPI ScdGetItemData(void* config, DWORD item, DWORD* out)
{
    DWORD value = 0;
    if (config != nullptr && from(config)->data) {
        auto found = from(config)->data->items.find(item);
        if (found != from(config)->data->items.end())
            value = found->second;
    }
    if (out != nullptr)
        *out = value;
    return value;
}

extern "C" WORD WINAPI ScdGetDefaultMediaType(void* config)
{
    return config != nullptr && from(config)->data ? from(config)->data->defaultMediaType : 0;
}

extern "C" DWORD WINAPI ScdGetDefaultSize(void* config, DWORD category)
{
    if (config == nullptr || !from(config)->data)
        return 0;
    auto found = from(config)->data->defaultSizes.find(category);
    return found == from(config)->data->defaultSizes.end() ? 0 : found->second;
}

extern "C" int WINAPI ScdIsPaperSizeSupported(void* config, DWORD size)
{
    if (config == nullptr || !from(config)->paperTable)
        return 0;
    for (const PaperEntry& paper : from(config)->data->papers) {
        if (paper.code == size)
            return 1;
    }
    return 0;
}

extern "C" int WINAPI ScdIsMediaTypeSupported(void* config, WORD media)
{
    if (config == nullptr || !from(config)->mediaList)
        return 0;
    for (const MediaEntry& entry : from(config)->data->media) {
        if (entry.code == media)
            return 1;
    }
    return 0;
}
