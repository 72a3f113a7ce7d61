// Cost of what the preferences do after every click: load a record into the
// settings model, run the full conflict check, save the record back; against
// a plain copy of the 1056 bytes. Prints figures measured in this run only.
#include "GUIPrinter.h"
#include "OptionKeys.h"

#include "Fakes.h"

#include "BenchClock.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

class NoTrace : public Trace {
public:
    void OutputData(const std::string&) override {}
};

class NoDialog : public ConflictDialog {
public:
    int Run(const ConflictMessage&) override { return kConflictAnswerSecond; }
};

volatile uint32_t sink;

}  // namespace

int main()
{
    FakeProduct product;
    product.set(OptionKey::IDO_DRAFT_PHOTO_CONFLICT, 1).set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
    FakeSystemConfig config;
    config.items[kItemAutoDuplexSupport] = 1;
    config.defaultSizes = {{0, 1}};
    FakeStatusCache status;
    FakeRegistry registry;
    NoTrace trace;
    NoDialog dialog;
    LCWMARKINFO mark;
    std::memset(&mark, 0, sizeof mark);
    GUIPrinter model(GUIPrinterServices{product, config, status, registry, trace, mark});
    model.SetConflictDialog(&dialog);
    model.SetDuplexUnitPresent(1);
    model.SetConflictCheck(1);

    // Two-sided on plain letter paper: every gate opens, no rule fires.
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    std::strcpy(record.dmPrinterName, "Pelmora OfficeJet 500");
    record.dmPaperSize = 1;
    record.dmMediaType = 1;
    record.dmDuplexMode = 2;
    record.dmDuplexMethod = 2;
    record.dmPrintQuality = -2;
    LCDEVMODE out = record;

    const long iterations = 200000;
    const double copy = timeIt(iterations, [&](long i) {
        record.dmCopies = static_cast<int32_t>(i);
        std::memcpy(&out, &record, sizeof out);
        sink = sink + static_cast<uint32_t>(out.dmCopies);
    });
    const double load = timeIt(iterations, [&](long i) {
        record.dmCopies = static_cast<int32_t>(i);
        model.LoadFrom(record);
        sink = sink + static_cast<uint32_t>(model.GetCopies());
    });
    const double check = timeIt(iterations, [&](long i) {
        model.SetCopies(static_cast<int32_t>(i));
        model.CheckConflicts();
        sink = sink + static_cast<uint32_t>(model.GetCopies());
    });
    const double save = timeIt(iterations, [&](long i) {
        model.SetCopies(static_cast<int32_t>(i));
        model.SaveTo(out);
        sink = sink + static_cast<uint32_t>(out.dmCopies);
    });
    const double click = timeIt(iterations, [&](long i) {
        record.dmCopies = static_cast<int32_t>(i);
        model.LoadFrom(record);
        model.CheckConflicts();
        model.SaveTo(out);
        sink = sink + static_cast<uint32_t>(out.dmCopies);
    });
    const double perCopy = copy / iterations * 1e6;
    auto report = [&](const char* what, double total) {
        const double perRecord = total / iterations * 1e6;
        std::printf("%s / plain 1056-byte copy: %.1f (%.3f us vs %.3f us per record)\n", what,
                    perCopy > 0 ? perRecord / perCopy : 0.0, perRecord, perCopy);
    };
    report("load", load);
    report("full rule check", check);
    report("save", save);
    report("load + full rule check + save", click);
    return 0;
}
