// Opens, drains, pauses and resumes the printers of the product's driver
// around an installation.
#pragma once

#include "Spooler.h"

#include <list>
#include <string>

typedef std::list<PrinterHandle> PrinterHandleList;

namespace PrinterSpoolerWrapper {

// A printer name that does not fit the spooler's 260-character open buffer
// fails to open with ERROR_INVALID_PRINTER_NAME, like any printer that
// cannot be opened.
constexpr std::size_t kMaxPrinterName = 259;
constexpr std::uint32_t kErrorInvalidPrinterName = 1801;

// Before Vista: always true. Otherwise: can the first printer of the driver
// be opened with full access (true, with a reason, when there is none).
bool canWeOpenPrintersInAdminMode();
bool OpenPrinters(const std::list<std::string>& names, PrinterHandleList& handles);
// Closes every handle and empties the list, so no handle is closed twice.
bool ClosePrinters(PrinterHandleList& handles);
// Opens every printer of the driver, waits until none holds a job (paused
// and offline printers excepted; no time limit), then pauses them all.
bool pausePrinters(PrinterHandleList& handles);
bool resumePrinters(PrinterHandleList handles);

}  // namespace PrinterSpoolerWrapper
