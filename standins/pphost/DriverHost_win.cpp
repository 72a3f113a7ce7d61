// pphost.exe: plays the printer driver's user-interface layer. Loads
// prefsheet.dll from its own folder, calls PPInit, PPDefaultGenDevMode,
// PPGetStringSize/PPLoadString and PPTerminate as the driver does, and prints
// the default record's fields by name. Each export is bound by its ordinal,
// as the driver binds it, and must be the function its name gives.
//
//   pphost [/hex] [/record FILE] [/locale XXXX] [/printer NAME] [/string ID]...
//          [/open [/port TYPE] [/portname NAME] [/automedia N] [/ink PERCENT] [/do STEP]...]
//
// /record writes the default record's 1056 bytes to FILE, for comparing the
// 32-bit and the 64-bit library byte for byte.
// /locale sets the thread locale (hexadecimal LCID) before any call; /string
// adds a string identifier to fetch (73 is fetched twice: alone and for a
// 2550 x 3300 custom size in the record's units).
// /open then opens the preferences on the default record with PPStart, as
// the driver does when the user asks for them, with a PORTINFO of the port
// type and name, a driver state whose automatic media is N and an INKINFO
// whose nine levels are PERCENT; each /do is a step of a scripted user
// (ScriptedUser_win.h) that acts in the window. The host prints the fields
// the window changed and dmStatus.
#include "DevModeFields.h"
#include "LcDevMode.h"
#include "PrefSheetExports.h"
#include "ScriptedUser_win.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct HostOptions {
    bool hexDump = false;
    std::string recordFile;
    LCID locale = 0;
    std::string printer = "Pelmora Printer";
    std::vector<uint32_t> strings;
    bool open = false;
    uint32_t portType = 1;
    std::string portName = "USB001";
    int32_t autoMedia = 1;
    int32_t inkPercent = -1;   // unknown
    std::vector<std::string> steps;
};

class Library {
public:
    explicit Library(HMODULE module) : module_(module) {}
    ~Library()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE get() const { return module_; }

    // Null unless the ordinal and the name lead to the same function.
    template <typename Function>
    Function function(const char* name, WORD ordinal) const
    {
        FARPROC byOrdinal = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
        if (byOrdinal == nullptr || byOrdinal != GetProcAddress(module_, name)) {
            std::fprintf(stderr, "pphost: ordinal %u is not %s\n", ordinal, name);
            return nullptr;
        }
        return reinterpret_cast<Function>(reinterpret_cast<void*>(byOrdinal));
    }

private:
    HMODULE module_;
};

std::string ownFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string result(path, length);
    return result.substr(0, result.find_last_of('\\') + 1);
}

bool parseArguments(int argc, char** argv, HostOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "/hex") {
            options.hexDump = true;
        } else if (argument == "/record" && hasValue) {
            options.recordFile = argv[++i];
        } else if (argument == "/locale" && hasValue) {
            options.locale = std::strtoul(argv[++i], nullptr, 16);
        } else if (argument == "/printer" && hasValue) {
            options.printer = argv[++i];
        } else if (argument == "/string" && hasValue) {
            options.strings.push_back(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "/open") {
            options.open = true;
        } else if (argument == "/port" && hasValue) {
            options.portType = std::strtoul(argv[++i], nullptr, 10);
        } else if (argument == "/portname" && hasValue) {
            options.portName = argv[++i];
        } else if (argument == "/automedia" && hasValue) {
            options.autoMedia = static_cast<int32_t>(std::strtol(argv[++i], nullptr, 10));
        } else if (argument == "/ink" && hasValue) {
            options.inkPercent = static_cast<int32_t>(std::strtol(argv[++i], nullptr, 10));
        } else if (argument == "/do" && hasValue) {
            options.steps.push_back(argv[++i]);
        } else {
            std::fprintf(stderr, "pphost: unknown argument \"%s\"\n", argument.c_str());
            return false;
        }
    }
    if (options.strings.empty())
        options.strings = {73, 11, 338, 9433};
    return true;
}

void printFields(const char* prefix, const FieldValues& fields)
{
    for (const auto& [name, value] : fields)
        std::printf("%s%s = %s\n", prefix, name.c_str(), value.c_str());
}

void printString(PPGetStringSizeFunction getSize, PPLoadStringFunction load, uint32_t id, const LCDEVMODE* record,
                 const char* label)
{
    const uint32_t size = getSize(id, record);
    std::vector<char> buffer(size + 1u, '\0');
    load(buffer.data(), id, record);
    std::printf("string %u%s (%u) = \"%s\"\n", id, label, size, buffer.data());
}

bool writeRecord(const std::string& path, const LCDEVMODE& record)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(&record, sizeof record, 1, file) == 1;
    if (file != nullptr && std::fclose(file) != 0)
        written = false;
    if (!written)
        std::fprintf(stderr, "pphost: cannot write the record to %s\n", path.c_str());
    return written;
}

// The preferences opened on `record` as the driver opens them; prints what
// the window changed.
bool openPreferences(PPStartFunction start, const HostOptions& options, LCDEVMODE& record)
{
    PORTINFO port = {};
    port.piPortType = options.portType;
    std::strncpy(port.piPortName, options.portName.c_str(), sizeof port.piPortName - 1);
    int32_t driverState[4] = {0, 0, options.autoMedia, 0};
    INKINFO ink = {};
    for (int level = 1; level <= 9 && options.inkPercent >= 0; ++level)
        std::memcpy(ink.bytes + 4 * level, &options.inkPercent, 4);
    if (!options.steps.empty() && !StartScriptedUser(options.steps))
        return false;

    const FieldValues before = DevModeFieldValues(record);
    start(&record, driverState, &port, &ink);
    for (const std::string& line : ScriptedUserLog())
        std::printf("user %s\n", line.c_str());
    std::printf("== PPStart returned dmStatus = %u (1 OK, 3 Cancel); fields the window changed:\n", record.dmStatus);
    const FieldValues after = DevModeFieldValues(record);
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
        if (after[i].second != before[i].second && after[i].first != "dmStatus")
            std::printf("%s = %s (was %s)\n", after[i].first.c_str(), after[i].second.c_str(),
                        before[i].second.c_str());
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    HostOptions options;
    if (!parseArguments(argc, argv, options))
        return 2;
    if (options.locale != 0 && !SetThreadLocale(options.locale)) {
        std::fprintf(stderr, "pphost: SetThreadLocale %04lX failed, error %lu\n", options.locale, GetLastError());
        return 1;
    }

    const std::string path = ownFolder() + "prefsheet.dll";
    Library library(LoadLibraryA(path.c_str()));
    if (library.get() == nullptr) {
        std::fprintf(stderr, "pphost: cannot load %s, error %lu\n", path.c_str(), GetLastError());
        return 1;
    }
    auto init = library.function<PPInitFunction>("PPInit", 5);
    auto terminate = library.function<PPTerminateFunction>("PPTerminate", 6);
    auto defaultDevMode = library.function<PPDefaultGenDevModeFunction>("PPDefaultGenDevMode", 8);
    auto getSize = library.function<PPGetStringSizeFunction>("PPGetStringSize", 3);
    auto load = library.function<PPLoadStringFunction>("PPLoadString", 4);
    auto start = library.function<PPStartFunction>("PPStart", 1);
    if (!init || !terminate || !defaultDevMode || !getSize || !load || !start) {
        std::fprintf(stderr, "pphost: %s lacks an export\n", path.c_str());
        return 1;
    }

    init();

    // The driver names the record after the printer before asking for defaults.
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    std::strncpy(record.dmPrinterName, options.printer.c_str(), sizeof record.dmPrinterName - 1);
    defaultDevMode(&record);

    std::printf("thread locale = %04lX\n", GetThreadLocale());
    std::printf("== default LCDEVMODE (%u bytes)\n", static_cast<unsigned>(sizeof record));
    printFields("", DevModeFieldValues(record));
    printFields("dmWatermark.", WatermarkFieldValues(record.dmWatermark));
    std::printf("dmWatermark2 %s dmWatermark\n",
                std::memcmp(&record.dmWatermark, &record.dmWatermark2, sizeof record.dmWatermark) == 0
                    ? "equals"
                    : "differs from");
    if (options.hexDump) {
        std::printf("== hex dump\n%s", HexDump(&record, sizeof record).c_str());
    }
    if (!options.recordFile.empty() && !writeRecord(options.recordFile, record))
        return 1;

    std::printf("== display texts\n");
    LCDEVMODE custom = record;
    custom.dmCustomWidth = 2550;
    custom.dmCustomLength = 3300;
    for (uint32_t id : options.strings) {
        printString(getSize, load, id, nullptr, "");
        if (id == 73)
            printString(getSize, load, id, &custom, " for 2550 x 3300");
    }

    const bool opened = !options.open || openPreferences(start, options, record);
    terminate();
    std::fflush(stdout);
    return opened ? 0 : 1;
}
