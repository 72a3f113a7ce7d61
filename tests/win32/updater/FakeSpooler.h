// A scripted print spooler: printers with drivers, status, attributes and
// job counts that change per status query, injectable failures, and a record
// of every call in order. Every open hands out a new handle, so a test can
// tell whether each one was closed exactly once.
#pragma once

#include "Spooler.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

class FakeSpooler : public Spooler {
public:
    struct Printer {
        std::string name;
        std::string driver;
        std::uint32_t status = 0;
        std::uint32_t attributes = 0;
        // Job counts answered by successive status queries; the last repeats.
        std::deque<std::uint32_t> jobs = {0};
        std::uint32_t openError = 0;     // nonzero: open fails with it
        std::uint32_t statusError = 0;   // nonzero: status query fails with it
        bool statusNoBuffer = false;     // the status block cannot be allocated
        std::uint32_t pauseError = 0;
        std::uint32_t resumeError = 0;
        bool closeFails = false;
    };

    // The error every injected failure reports (ERROR_GEN_FAILURE).
    static constexpr std::uint32_t kInjectedError = 31;

    std::vector<Printer> printers;
    std::uint32_t enumError = 0;
    bool enumNoBuffer = false;
    // The index in `calls` of the one call that fails with kInjectedError; -1: none.
    int failCall = -1;
    std::vector<std::string> calls;  // "enum", "open NAME", "status NAME", "pause NAME", ...
    int openHandles = 0;
    std::map<PrinterHandle, int> closes;   // every handle handed out, with its closes

    SpoolerQuery enumPrinters(std::vector<SpoolerPrinter>& out, std::uint32_t& error) override
    {
        calls.push_back("enum");
        if (injected(error))
            return SpoolerQuery::failed;
        if (enumNoBuffer)
            return SpoolerQuery::noBuffer;
        if (enumError != 0) {
            error = enumError;
            return SpoolerQuery::failed;
        }
        out.clear();
        for (const Printer& p : printers)
            out.push_back({p.name, "USB001", p.driver, p.attributes});
        return SpoolerQuery::ok;
    }

    bool open(const std::string& name, PrinterHandle& handle, std::uint32_t& error) override
    {
        calls.push_back("open " + name);
        if (injected(error))
            return false;
        for (std::size_t i = 0; i < printers.size(); ++i) {
            if (printers[i].name != name)
                continue;
            if (printers[i].openError != 0) {
                error = printers[i].openError;
                return false;
            }
            handle = reinterpret_cast<PrinterHandle>(++handed_);
            printerOf_[handle] = i;
            closes[handle] = 0;
            ++openHandles;
            return true;
        }
        error = 1801;  // ERROR_INVALID_PRINTER_NAME
        return false;
    }

    SpoolerQuery getStatus(PrinterHandle handle, SpoolerStatus& status, std::uint32_t& error) override
    {
        Printer& p = at(handle);
        calls.push_back("status " + p.name);
        if (injected(error))
            return SpoolerQuery::failed;
        if (p.statusNoBuffer)
            return SpoolerQuery::noBuffer;
        if (p.statusError != 0) {
            error = p.statusError;
            return SpoolerQuery::failed;
        }
        status.status = p.status;
        status.attributes = p.attributes;
        status.jobs = p.jobs.front();
        if (p.jobs.size() > 1)
            p.jobs.pop_front();
        return SpoolerQuery::ok;
    }

    bool control(PrinterHandle handle, std::uint32_t command, std::uint32_t& error) override
    {
        Printer& p = at(handle);
        bool pause = command == kPrinterControlPause;
        calls.push_back(std::string(pause ? "pause " : "resume ") + p.name);
        if (injected(error))
            return false;
        std::uint32_t failure = pause ? p.pauseError : p.resumeError;
        if (failure != 0) {
            error = failure;
            return false;
        }
        if (pause)
            p.status |= kPrinterStatusPaused;
        else
            p.status &= ~kPrinterStatusPaused;
        return true;
    }

    // A failed close still gives the handle up, as ClosePrinter does.
    bool close(PrinterHandle handle, std::uint32_t& error) override
    {
        Printer& p = at(handle);
        calls.push_back("close " + p.name);
        ++closes[handle];
        --openHandles;
        if (injected(error))
            return false;
        if (p.closeFails) {
            error = 6;  // ERROR_INVALID_HANDLE
            return false;
        }
        return true;
    }

    std::vector<std::string> callsStartingWith(const std::string& verb) const
    {
        std::vector<std::string> found;
        for (const std::string& call : calls) {
            if (call.compare(0, verb.size(), verb) == 0)
                found.push_back(call);
        }
        return found;
    }

private:
    bool injected(std::uint32_t& error) const
    {
        if (static_cast<int>(calls.size()) - 1 != failCall)
            return false;
        error = kInjectedError;
        return true;
    }

    Printer& at(PrinterHandle handle) { return printers.at(printerOf_.at(handle)); }

    std::size_t handed_ = 0;
    std::map<PrinterHandle, std::size_t> printerOf_;
};
