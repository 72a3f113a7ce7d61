// CComxDataRetriever: the printer status cache, values under
// HKEY_CURRENT_USER\Software\Pelmora\PrinterStatus\<printer>.
#include "drvcommon.h"

#include "Module_win.h"

namespace {

const char kStatusRoot[] = "Software\\Pelmora\\PrinterStatus\\";

struct StatusCache {
    DWORD inkStyle = 0;
    DWORD inkPercent[9] = {};
    DWORD logCartId[2] = {};
    DWORD physCartId[2] = {};
    DWORD cartStatus[2] = {};
    DWORD media1 = 0;
    DWORD optTray = 0;
    DWORD duplexer = 0;
    DWORD duplexerButton = 0;
};

StatusCache* from(void* handle)
{
    return static_cast<StatusCache*>(handle);
}

// A missing or non-numeric value reads as 0.
DWORD number(HKEY key, const std::string& name)
{
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return 0;
    return value;
}

}  // namespace

extern "C" void* WINAPI ComxCreate(void)
{
    try {
        return new StatusCache();
    } catch (...) {
        return nullptr;
    }
}

extern "C" void WINAPI ComxDestroy(void* retriever)
{
    delete from(retriever);
}

extern "C" int WINAPI ComxGetPrinterCacheData(void* retriever, const char* printerName)
{
    try {
        if (retriever == nullptr || printerName == nullptr)
            return 0;
        const std::string path = kStatusRoot + drvcommon::PrinterKeyName(printerName);
        HKEY opened = nullptr;
        LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened);
        if (result != ERROR_SUCCESS) {
            if (result != ERROR_FILE_NOT_FOUND)
                drvcommon::Spy("CComxDataRetriever: RegOpenKeyEx " + path + " failed, error " +
                               std::to_string(result));
            return 0;
        }
        drvcommon::RegKey key(opened);
        StatusCache& cache = *from(retriever);
        cache.inkStyle = number(key.get(), "InkStyle");
        for (int i = 0; i < 9; ++i)
            cache.inkPercent[i] = number(key.get(), "InkPercent" + std::to_string(i + 1));
        for (int i = 0; i < 2; ++i) {
            cache.logCartId[i] = number(key.get(), "LogCartId" + std::to_string(i + 1));
            cache.physCartId[i] = number(key.get(), "PhysCartId" + std::to_string(i + 1));
            cache.cartStatus[i] = number(key.get(), "CartStatus" + std::to_string(i + 1));
        }
        cache.media1 = number(key.get(), "Media1");
        cache.optTray = number(key.get(), "OptTray");
        cache.duplexer = number(key.get(), "Duplexer");
        cache.duplexerButton = number(key.get(), "DuplexerButton");
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" DWORD WINAPI ComxGetValue(void* retriever, DWORD which, DWORD index)
{
    if (retriever == nullptr)
        return 0;
    const StatusCache& cache = *from(retriever);
    const bool cartridge = index >= 1 && index <= 2;
    switch (which) {
    case ComxInkStyle:
        return cache.inkStyle;
    case ComxInkPercent:
        return index >= 1 && index <= 9 ? cache.inkPercent[index - 1] : 0;
    case ComxLogCartId:
        return cartridge ? cache.logCartId[index - 1] : 0;
    case ComxPhysCartId:
        return cartridge ? cache.physCartId[index - 1] : 0;
    case ComxCartStatus:
        return cartridge ? cache.cartStatus[index - 1] : 0;
    case ComxMedia1:
        return cache.media1;
    case ComxOptTray:
        return cache.optTray;
    case ComxDuplexer:
        return cache.duplexer;
    case ComxDuplexerButton:
        return cache.duplexerButton;
    default:
        return 0;
    }
}
