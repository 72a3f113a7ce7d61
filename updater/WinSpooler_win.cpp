#include "WinSpooler.h"

#include <windows.h>
#include <winspool.h>

#include <new>
#include <vector>

namespace {

std::string text(const char* value)
{
    return value != nullptr ? std::string(value) : std::string();
}

// A buffer of the size the spooler asked for.
bool sizedBuffer(DWORD needed, std::vector<BYTE>& buffer)
{
    try {
        buffer.resize(needed > 0 ? needed : 1);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

SpoolerQuery WinSpooler::enumPrinters(std::vector<SpoolerPrinter>& printers, std::uint32_t& error)
{
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed,
                  &count);
    std::vector<BYTE> buffer;
    if (!sizedBuffer(needed, buffer))
        return SpoolerQuery::noBuffer;
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(),
                       static_cast<DWORD>(buffer.size()), &needed, &count)) {
        error = GetLastError();
        return SpoolerQuery::failed;
    }
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    printers.clear();
    for (DWORD i = 0; i < count; ++i) {
        SpoolerPrinter printer;
        printer.name = text(info[i].pPrinterName);
        printer.port = text(info[i].pPortName);
        printer.driver = text(info[i].pDriverName);
        printer.attributes = info[i].Attributes;
        printers.push_back(printer);
    }
    error = 0;
    return SpoolerQuery::ok;
}

bool WinSpooler::open(const std::string& name, PrinterHandle& handle, std::uint32_t& error)
{
    char buffer[260];
    if (name.size() >= sizeof buffer) {
        error = ERROR_INVALID_PRINTER_NAME;
        return false;
    }
    name.copy(buffer, name.size());
    buffer[name.size()] = '\0';
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(buffer, &printer, &defaults)) {
        error = GetLastError();
        return false;
    }
    handle = printer;
    error = 0;
    return true;
}

SpoolerQuery WinSpooler::getStatus(PrinterHandle handle, SpoolerStatus& status, std::uint32_t& error)
{
    DWORD needed = 0;
    GetPrinterA(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer;
    if (!sizedBuffer(needed, buffer))
        return SpoolerQuery::noBuffer;
    if (!GetPrinterA(handle, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed)) {
        error = GetLastError();
        return SpoolerQuery::failed;
    }
    const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    status.status = info->Status;
    status.attributes = info->Attributes;
    status.jobs = info->cJobs;
    error = 0;
    return SpoolerQuery::ok;
}

bool WinSpooler::control(PrinterHandle handle, std::uint32_t command, std::uint32_t& error)
{
    if (!SetPrinterA(handle, 0, nullptr, command)) {
        error = GetLastError();
        return false;
    }
    error = 0;
    return true;
}

bool WinSpooler::close(PrinterHandle handle, std::uint32_t& error)
{
    if (!ClosePrinter(handle)) {
        error = GetLastError();
        return false;
    }
    error = 0;
    return true;
}
