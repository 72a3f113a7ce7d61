// A settings model over the in-memory common library, with a conflict dialog
// that records what it shows and answers from a script, and main windows that
// count their refreshes and repaints.
#pragma once

#include "ConflictDialog.h"
#include "GUIPrinter.h"
#include "InkCartridges.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"
#include "PropCommonFunctions.h"

#include "Fakes.h"

#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The common library's ink display over its own portable cartridge rules;
// remembers what the page asked of it.
class PortableInkDisplay : public InkDisplay {
public:
    void SetPrinterName(const std::string& name) override { printerName = name; }
    void SetInkInfo(const void* inkInfo152) override { std::memcpy(words, inkInfo152, sizeof words); }
    void SetPortMode(uint32_t mode) override { portMode = mode; }
    bool HasInkMonitoring() override { return drvcommon::HasInkMonitoring(words); }
    bool IsPhotoCartridge(uint32_t holder) override
    {
        return drvcommon::DescribeCartridge(words, static_cast<int>(holder), 0).photo;
    }
    bool LaunchReorderInkAppSilentMode() override { return ++reorders, true; }
    void SetInkTanks(void* left, void* right) override { tanks = {left, right}; }

    int32_t words[drvcommon::kInkWordCount] = {};
    std::string printerName;
    uint32_t portMode = 0;
    int reorders = 0;
    std::pair<void*, void*> tanks{nullptr, nullptr};
};

class RecordingCompanions : public CompanionActions {
public:
    void LaunchStatusProgram(const std::string& printer, int task) override
    {
        launched.push_back(printer + " " + std::to_string(task));
    }
    void OnOrderSupplies(const std::string& printer) override { launched.push_back(printer + " order"); }
    std::vector<std::string> launched;
};

class ScriptedDialog : public ConflictDialog {
public:
    int Run(const ConflictMessage& message) override
    {
        shown.push_back(message);
        if (policy)
            return policy(message);
        if (answers.empty())
            return fallback;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<int> answers;
    int fallback = 1;                                   // neither choice
    std::function<int(const ConflictMessage&)> policy;  // overrides the script when set
    std::vector<ConflictMessage> shown;
};

class CountingOEMPropDlg : public OEMPropDlgView {
public:
    void Refresh() override { ++refreshes; }
    int refreshes = 0;
};

class CountingAlternateWindow : public AlternateMainWindowView {
public:
    void Repaint() override { ++repaints; }
    int repaints = 0;
};

constexpr char kModelPrinter[] = "Pelmora OfficeJet 500";

// Plain-paper default letter (1); the other categories have sizes of their own.
struct ModelWorld {
    FakeProduct product;
    FakeSystemConfig config;
    FakeStatusCache status;
    FakeRegistry registry;
    RecordingTrace trace;
    ScriptedDialog dialog;
    CountingOEMPropDlg oem;
    CountingAlternateWindow alternate;

    ModelWorld()
    {
        product.setText(OptionKey::IDO_CONFIG_DLL, "pmoffice.cfg");
        config.defaultSizes = {{0, 1}, {0x4000, 300}, {0x8000, 20}, {0x1000, 296}};
        status.printer = kModelPrinter;
    }

    std::unique_ptr<GUIPrinter> make()
    {
        LCWMARKINFO mark;
        std::memset(&mark, 0, sizeof mark);
        return std::make_unique<GUIPrinter>(GUIPrinterServices{product, config, status, registry, trace, mark});
    }
};

// A plausible one-sided plain-paper record of the test printer.
inline LCDEVMODE PlainRecord()
{
    LCDEVMODE r;
    std::memset(&r, 0, sizeof r);
    std::strcpy(r.dmPrinterName, kModelPrinter);
    r.dmOrientation = 1;
    r.dmPageOrder = 1;
    r.dmPaperSize = 1;
    r.dmUnits = 1;
    r.dmCopies = 1;
    r.dmPaperSource = 7;
    r.dmPrintQuality = -2;
    r.dmColorMode = 2;
    r.dmDuplexMode = 1;
    r.dmCollate = 1;
    r.dmMediaType = 1;
    r.dmDuplexMethod = 2;
    r.dmMediaType2 = 1;
    r.dmMediaType3 = 1;
    r.dmPosterColumns = 2;
    r.dmPosterRows = 2;
    r.dmSavedCollate = 1;
    r.dmSavedPageOrder = 1;
    r.dmSavedCopies = 1;
    r.dmSavedPrintQuality = -2;
    r.dmSavedOrientation = 1;
    r.dmSavedMediaType = 1;
    r.dmSavedPaperSize = 1;
    return r;
}

// Personal settings' messages where a test does not look at them.
class SilentMessageBoxes : public MessageBoxes {
public:
    void Show(const std::string&) override {}
};
