// The print spooler as the update pass uses it. Wine has no printers that can
// be paused, so the pass reaches the spooler only through this interface:
// winspool in the shipped program, a scripted fake in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef void* PrinterHandle;

struct SpoolerPrinter {
    std::string name;
    std::string port;
    std::string driver;
    std::uint32_t attributes = 0;
};

struct SpoolerStatus {
    std::uint32_t status = 0;
    std::uint32_t attributes = 0;
    std::uint32_t jobs = 0;
};

constexpr std::uint32_t kPrinterStatusPaused = 0x1;
constexpr std::uint32_t kPrinterAttributeWorkOffline = 0x400;
constexpr std::uint32_t kPrinterControlPause = 1;
constexpr std::uint32_t kPrinterControlResume = 2;

// How a query that needs a result buffer ended. noBuffer is ours alone: the
// buffer the spooler asked for could not be allocated. failed carries the
// spooler's own Win32 code, whichever it is (8 included).
enum class SpoolerQuery { ok, failed, noBuffer };

class Spooler {
public:
    virtual ~Spooler() = default;
    // Local printers and connections at level 2.
    virtual SpoolerQuery enumPrinters(std::vector<SpoolerPrinter>& printers, std::uint32_t& error) = 0;
    // Opens with full printer-administration access.
    virtual bool open(const std::string& name, PrinterHandle& handle, std::uint32_t& error) = 0;
    // Level-2 status, attributes and job count.
    virtual SpoolerQuery getStatus(PrinterHandle handle, SpoolerStatus& status, std::uint32_t& error) = 0;
    virtual bool control(PrinterHandle handle, std::uint32_t command, std::uint32_t& error) = 0;
    // false with the Win32 code when the spooler refuses; the handle is gone either way.
    virtual bool close(PrinterHandle handle, std::uint32_t& error) = 0;
};
