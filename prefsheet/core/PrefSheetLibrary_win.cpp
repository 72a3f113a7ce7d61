#include "PrefSheetLibrary_win.h"

#include "DefaultDevMode.h"
#include "MainWindows_win.h"
#include "OpeningPreferences.h"
#include "PersonalSettings.h"
#include "PropCommonFunctions.h"
#include "DevModeFields.h"
#include "DisplayText.h"
#include "LanguageTable.h"
#include "Options.h"
#include "ResourceIds.h"

#include <cstring>
#include <vector>

namespace {

const WORD kActivityPreferencesOpened = 24720;

HMODULE thisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

std::string errorText(DWORD code)
{
    return ", error " + std::to_string(code);
}

}  // namespace

PrefSheetLibrary& PrefSheetLibrary::instance()
{
    static PrefSheetLibrary library;
    return library;
}

// Runs while the library is unloaded, inside the loader: a library may not be
// freed from there, so a driver that skipped PPTerminate leaves the resource
// libraries to the process.
PrefSheetLibrary::~PrefSheetLibrary()
{
    resources_.release();
    bitmaps_.release();
}

std::string PrefSheetLibrary::installationDirectory()
{
    const std::string name = Options(product_).text(OptionKey::IDO_PROP_DLL);
    HMODULE module = name.empty() ? nullptr : GetModuleHandleA(name.c_str());
    if (module == nullptr) {
        // A product naming another file must not send the search for the
        // resource libraries to the current directory or the PATH.
        trace_.OutputData("PPInit: module \"" + name + "\" not found" + errorText(GetLastError()) +
                          "; using this library's own folder");
        module = thisModule();
    }
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        trace_.OutputData("PPInit: GetModuleFileName failed" + errorText(GetLastError()));
        return std::string();
    }
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

void PrefSheetLibrary::Init()
{
    trace_.OutputData("PPInit");
    const Options options(product_);
    const std::string directory = installationDirectory();

    const std::string resourcePath = directory + options.text(OptionKey::IDO_PROP_RESDLL);
    trace_.OutputData("Prop Res Path " + resourcePath);
    if (resources_.get() == nullptr) {
        resources_ = LoadedModule(LoadLibraryA(resourcePath.c_str()));
        if (resources_.get() == nullptr) {
            trace_.OutputData("PROP_RESDLL not loaded" + errorText(GetLastError()));
            MessageBoxA(nullptr, "Prop Res DLL not loaded.", "ERROR", MB_OK);
        }
    }

    const std::string bitmapPath = directory + options.text(OptionKey::IDO_PROP_BMPDLL);
    trace_.OutputData("Prop Bmp Path " + bitmapPath);
    if (bitmaps_.get() == nullptr) {
        bitmaps_ = LoadedModule(LoadLibraryA(bitmapPath.c_str()));
        if (bitmaps_.get() == nullptr) {
            trace_.OutputData("PROP_BMPDLL not loaded" + errorText(GetLastError()));
            MessageBoxA(nullptr, "Prop Bitmap DLL not loaded.", "ERROR", MB_OK);
        } else {
            using InitResourceChainFunction = HMODULE(WINAPI*)(void);
            auto initChain = reinterpret_cast<InitResourceChainFunction>(
                reinterpret_cast<void*>(GetProcAddress(bitmaps_.get(), "InitResourceChain")));
            if (initChain == nullptr)
                trace_.OutputData("PPInit: no InitResourceChain" + errorText(GetLastError()));
            else if (initChain() != bitmaps_.get())
                trace_.OutputData("PPInit: InitResourceChain did not link the bitmap library");
        }
    }
    ++initCount_;
}

void PrefSheetLibrary::Terminate()
{
    trace_.OutputData("PPTerminate");
    if (initCount_ == 1) {
        resources_.reset();
        bitmaps_.reset();
    }
    // An unmatched PPTerminate must not leave the count below zero: the next
    // PPInit would then never be matched and the libraries never freed.
    if (initCount_ > 0)
        --initCount_;
    else
        trace_.OutputData("PPTerminate without PPInit");
    trace_.OutputData("exiting PPTerminate()");
}

char PrefSheetLibrary::ChooseDecimalSymbol()
{
    char identifier[kLocaleIdentifierBuffer];
    char languageName[kLanguageNameBuffer];
    MatchLanguage(GetThreadLocale(), identifier, languageName);
    decimalSymbol_ = DecimalSymbolFor(identifier);
    trace_.OutputData(std::string("number decimal symbol is ") + decimalSymbol_);
    return decimalSymbol_;
}

// Read in place (LoadStringW with no buffer) so a text of any length comes
// whole, then converted to the ANSI code page the driver uses.
std::string PrefSheetLibrary::resourceString(uint32_t id)
{
    if (resources_.get() == nullptr) {
        trace_.OutputData("string " + std::to_string(id) + ": no resource library");
        return std::string();
    }
    const wchar_t* text = nullptr;
    int length = LoadStringW(resources_.get(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        trace_.OutputData("string " + std::to_string(id) + " not loaded" + errorText(GetLastError()));
        return std::string();
    }
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        trace_.OutputData("string " + std::to_string(id) + " not converted" + errorText(GetLastError()));
        return std::string();
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], bytes, nullptr, nullptr);
    return result;
}

std::string PrefSheetLibrary::DisplayText(uint32_t id, const LCDEVMODE* record)
{
    if (id == IDS_CUSTOM_SIZE) {
        if (record == nullptr)
            return resourceString(IDS_CUSTOM_SIZE);
        return CustomSizeText(*record, decimalSymbol_, resourceString(IDS_UNIT_MILLIMETRES),
                              resourceString(IDS_UNIT_INCHES));
    }
    return RemoveAmpersands(resourceString(SubstituteStringId(id, product_)));
}

WatermarkDefaults PrefSheetLibrary::watermarkDefaults()
{
    WatermarkDefaults watermark;
    watermark.name = resourceString(IDS_DEFAULT_WATERMARK_NAME);
    watermark.platformQuery = PlatformQuery(nullptr) != FALSE;
    watermark.ansiCodePage = GetACP();
    LOGFONTA iconTitleFont;
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitleFont, &iconTitleFont, 0)) {
        watermark.hasIconTitleFont = true;
        std::memcpy(&watermark.iconTitleFont, &iconTitleFont, sizeof iconTitleFont);
    } else if (watermark.platformQuery) {
        trace_.OutputData("PPDefaultGenDevMode: SystemParametersInfo failed" + errorText(GetLastError()));
    }
    return watermark;
}

void PrefSheetLibrary::fillDefault(LCDEVMODE& record)
{
    DrvSystemConfig config;
    DefaultContext context{product_, config, trace_, GetThreadLocale(), watermarkDefaults()};
    GuiDefaultGenDevMode(&record, context);
}

void PrefSheetLibrary::DefaultDevMode(LCDEVMODE* record)
{
    trace_.OutputData("PPDefaultGenDevMode");
    if (record == nullptr) {
        trace_.OutputData("PPDefaultGenDevMode: no record");
        return;
    }
    fillDefault(*record);
    trace_.OutputData("returning default devmode...");
    traceRecord(*record);
}

namespace {

// User messages of the personal settings, over whatever window is active.
class MessageBoxMessages : public MessageBoxes {
public:
    void Show(const std::string& text) override
    {
        MessageBoxA(GetActiveWindow(), text.c_str(), "Printing Preferences", MB_OK | MB_ICONWARNING);
    }
};

std::string hexBytes(const uint8_t* bytes, size_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

}  // namespace

// The version resource's fixed part, found by its signature so that no
// library beyond kernel32 is needed.
std::string PrefSheetLibrary::version()
{
    HMODULE module = thisModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));   // VS_VERSION_INFO, RT_VERSION
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (data == nullptr) {
        trace_.OutputData("PPStart: no version resource" + errorText(GetLastError()));
        return std::string();
    }
    const DWORD size = SizeofResource(module, found);
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, data + at, sizeof info);
        if (info.dwSignature != 0xFEEF04BD)
            continue;
        return std::to_string(HIWORD(info.dwFileVersionMS)) + "." + std::to_string(LOWORD(info.dwFileVersionMS)) +
               "." + std::to_string(HIWORD(info.dwFileVersionLS)) + "." + std::to_string(LOWORD(info.dwFileVersionLS));
    }
    return std::string();
}

// The windows come from the resource library: one that PPInit could not
// load is tried again, and the user told when it still fails.
bool PrefSheetLibrary::ensureResources()
{
    if (resources_.get() != nullptr)
        return true;
    const std::string path = installationDirectory() + Options(product_).text(OptionKey::IDO_PROP_RESDLL);
    resources_ = LoadedModule(LoadLibraryA(path.c_str()));
    if (resources_.get() != nullptr)
        return true;
    trace_.OutputData("PROP_RESDLL not loaded" + errorText(GetLastError()));
    MessageBoxA(nullptr, "PROP_RESDLL not loaded", "ERROR", MB_OK);
    return false;
}

void PrefSheetLibrary::tracePosterPages(const char* heading, const uint32_t (&pages)[16])
{
    std::string line = heading;
    for (uint32_t page : pages)
        line += " " + std::to_string(page);
    trace_.OutputData(line);
}

void PrefSheetLibrary::Start(LCDEVMODE* record, const void* driverState, const PORTINFO* port, const INKINFO* ink)
{
    trace_.OutputData("PPStart");
    if (record == nullptr) {
        trace_.OutputData("PPStart: no record");
        return;
    }
    traceRecord(*record);
    tracePosterPages("poster pages array to be retrieved:", record->dmPosterPages);
    PORTINFO portInfo{};
    if (port != nullptr)
        portInfo = *port;
    portInfo.piPortName[sizeof portInfo.piPortName - 1] = '\0';
    trace_.OutputData("PORTINFO: port type " + std::to_string(portInfo.piPortType) + ", port name " +
                      portInfo.piPortName);
    INKINFO inkInfo{};
    if (ink != nullptr)
        inkInfo = *ink;
    trace_.OutputData("INKINFO: " + hexBytes(inkInfo.bytes, sizeof inkInfo.bytes));
    ChooseDecimalSymbol();
    printerName_.assign(record->dmPrinterName, strnlen(record->dmPrinterName, sizeof record->dmPrinterName));

    DrvSystemConfig config;
    DrvPrinterStatus status;
    DrvRegistry registry;
    GUIPrinter model(GUIPrinterServices{product_, config, status, registry, trace_,
                                        BuildDefaultWatermark(watermarkDefaults())});
    model.SetInkInfo2(inkInfo, printerName_);
    model.LoadFrom(*record);
    model.SetPrintDuplexerAvailability();
    model.SetDuplexerButtonState();
    const Options options(product_);
    if (options.equals(OptionKey::IDO_SUPPORT_WATERMARK, 1))
        model.Features().SetWatermarkInitialInfo(printerName_);

    AttachPrinter(model, product_, installationDirectory());
    int32_t autoMedia = 0;
    if (driverState != nullptr)
        std::memcpy(&autoMedia, static_cast<const uint8_t*>(driverState) + 8, sizeof autoMedia);
    const std::string portName = portInfo.piPortName;
    const int32_t windowAutoMedia = HandOverPort(model, autoMedia, portInfo.piPortType, portName);
    portType_ = portInfo.piPortType;
    activity_.WriteData(kActivityPreferencesOpened, portName.c_str());

    MessageBoxMessages messages;
    PersonalSettings slots(product_, registry, trace_, messages, [this](LCDEVMODE& r) { fillDefault(r); });
    PropCommonFunctions companions(options, trace_);
    PageContext context{product_, registry, slots, trace_, companions,
                        [] { return std::make_unique<DrvInkDisplay>(); }, decimalSymbol_, nullptr};
    context.os = QueryOsVersion();
    context.libraryVersion = version();
    const int result =
        ensureResources() ? RunMainWindow(context, model, windowAutoMedia, resources_.get(), bitmaps_.get()) : -1;

    model.SaveTo(*record);
    record->dmStatus = StatusAfterRun(result, record->dmStatus);
    if (result == 1) {
        trace_.OutputData("exiting PPStart w/ new devmode");
        traceRecord(*record);
        tracePosterPages("poster pages array to be saved:", record->dmPosterPages);
        tracePosterPages("poster pages array to display:", record->dmPosterDisplay);
    } else if (result == 2) {
        trace_.OutputData("exiting PPStart...user CANCELED");
    } else {
        trace_.OutputData("exiting PPStart: the window did not run (" + std::to_string(result) + ")");
    }
}

void PrefSheetLibrary::traceRecord(const LCDEVMODE& record)
{
    for (const auto& [name, value] : DevModeFieldValues(record))
        trace_.OutputData("  " + name + " = " + value);
}
