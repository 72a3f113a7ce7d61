// The Updater with a scripted spooler in place of winspool: Wine has no
// printers that can be paused, so whole update passes run with this program.
// Everything else (registry, web-updater library, files, log) is the real one.
//
// Set up through HKEY_LOCAL_MACHINE\Software\PelmoraTest:
//   FakePrinters\<printer name> = REG_SZ driver name   one printer per value
//   ConnectionFlags = REG_DWORD                        present: the connected-state
//                                                      query answers "connected" with
//                                                      these flags (1 = modem)
//   SpoolerRecord = REG_SZ file path                   receives every spooler call,
//                                                      one a line, then "open handles N"
#include "UpdaterMain.h"
#include "UpdaterPlatform.h"
#include "FakeSpooler.h"

#include <windows.h>

#include <fstream>

namespace {

const char* const kTestKey = "Software\\PelmoraTest";

std::uint32_t connectionFlags = 0;

bool scriptedConnectedState(std::uint32_t& flags, std::uint32_t& error)
{
    flags = connectionFlags;
    error = 0;
    return true;
}

bool readString(HKEY key, const char* name, std::string& text)
{
    char data[1024];
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    data[size] = '\0';
    text = data;
    return true;
}

void loadPrinters(FakeSpooler& spooler)
{
    HKEY key;
    std::string path = std::string(kTestKey) + "\\FakePrinters";
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char name[1024];
        char data[1024];
        DWORD nameLength = sizeof name;
        DWORD dataSize = sizeof data - 1;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        data[dataSize] = '\0';
        FakeSpooler::Printer printer;
        printer.name.assign(name, nameLength);
        printer.driver = data;
        spooler.printers.push_back(printer);
    }
    RegCloseKey(key);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    FakeSpooler spooler;
    loadPrinters(spooler);
    std::string record;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD flags = 0;
        DWORD size = sizeof flags;
        DWORD type = 0;
        if (RegQueryValueExA(key, "ConnectionFlags", nullptr, &type,
                             reinterpret_cast<BYTE*>(&flags), &size) == ERROR_SUCCESS &&
            type == REG_DWORD) {
            connectionFlags = flags;
            updaterPlatform().connectedState = &scriptedConnectedState;
        }
        readString(key, "SpoolerRecord", record);
        RegCloseKey(key);
    }
    updaterPlatform().spooler = &spooler;

    int code = 0;
    try {
        code = runUpdater(commandLine != nullptr ? commandLine : "");
    } catch (...) {
        code = 0;
    }

    if (!record.empty()) {
        std::ofstream out(record.c_str(), std::ios::binary | std::ios::trunc);
        for (const std::string& call : spooler.calls)
            out << call << "\n";
        out << "open handles " << spooler.openHandles << "\n";
    }
    return code;
}
