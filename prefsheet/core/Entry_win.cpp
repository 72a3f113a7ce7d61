// The exports of prefsheet.dll. Each one catches everything: no C++
// exception may reach the driver.
#include "PrefSheetExports.h"
#include "PrefSheetLibrary_win.h"

#include <cstring>

namespace {

void traceFailure(const char* exportName)
{
    try {
        PrefSheetLibrary::instance().trace().OutputData(std::string(exportName) + ": unexpected failure");
    } catch (...) {
        OutputDebugStringA("prefsheet: unexpected failure\n");
    }
}

}  // namespace

extern "C" {

void WINAPI PPStart(LCDEVMODE* record, void* driverState, PORTINFO* port, INKINFO* ink)
{
    try {
        PrefSheetLibrary::instance().Start(record, driverState, port, ink);
    } catch (...) {
        traceFailure("PPStart");
    }
}

uint32_t WINAPI PPGetStringSize(uint32_t id, const LCDEVMODE* record)
{
    try {
        PrefSheetLibrary& library = PrefSheetLibrary::instance();
        library.ChooseDecimalSymbol();
        return static_cast<uint32_t>(library.DisplayText(id, record).size());
    } catch (...) {
        traceFailure("PPGetStringSize");
        return 0;
    }
}

// The caller sized the buffer from PPGetStringSize plus one: exactly the
// text and its NUL are written.
int WINAPI PPLoadString(char* buffer, uint32_t id, const LCDEVMODE* record)
{
    try {
        if (buffer == nullptr)
            return 0;
        const std::string text = PrefSheetLibrary::instance().DisplayText(id, record);
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    } catch (...) {
        traceFailure("PPLoadString");
    }
    return 0;
}

void WINAPI PPInit(void)
{
    try {
        PrefSheetLibrary::instance().Init();
    } catch (...) {
        traceFailure("PPInit");
    }
}

void WINAPI PPTerminate(void)
{
    try {
        PrefSheetLibrary::instance().Terminate();
    } catch (...) {
        traceFailure("PPTerminate");
    }
}

void WINAPI PPDefaultGenDevMode(LCDEVMODE* record)
{
    try {
        PrefSheetLibrary::instance().DefaultDevMode(record);
    } catch (...) {
        traceFailure("PPDefaultGenDevMode");
    }
}

}  // extern "C"
