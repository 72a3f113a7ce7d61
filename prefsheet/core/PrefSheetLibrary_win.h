// The library-wide objects of prefsheet.dll, shared by every export. Used
// only on the driver's user-interface thread, so nothing is locked.
#pragma once

#include "CommonLibrary_win.h"
#include "DefaultDevMode.h"
#include "LcDevMode.h"

#include <windows.h>

#include <string>
#include <utility>

// Owns a module loaded with LoadLibrary; move-only.
class LoadedModule {
public:
    LoadedModule() = default;
    explicit LoadedModule(HMODULE module) : module_(module) {}
    ~LoadedModule() { reset(); }
    LoadedModule(LoadedModule&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    LoadedModule& operator=(LoadedModule&& other) noexcept
    {
        std::swap(module_, other.module_);
        return *this;
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE get() const { return module_; }
    void reset()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
        module_ = nullptr;
    }
    // Gives up ownership without freeing.
    HMODULE release() { return std::exchange(module_, nullptr); }

private:
    HMODULE module_ = nullptr;
};

class PrefSheetLibrary {
public:
    static PrefSheetLibrary& instance();
    ~PrefSheetLibrary();
    PrefSheetLibrary(const PrefSheetLibrary&) = delete;
    PrefSheetLibrary& operator=(const PrefSheetLibrary&) = delete;

    void Init();
    void Terminate();
    char ChooseDecimalSymbol();
    std::string DisplayText(uint32_t id, const LCDEVMODE* record);
    void DefaultDevMode(LCDEVMODE* record);
    void Start(LCDEVMODE* record, const void* driverState, const PORTINFO* port, const INKINFO* ink);

    DrvTrace& trace() { return trace_; }

private:
    PrefSheetLibrary() = default;
    std::string installationDirectory();
    std::string resourceString(uint32_t id);
    void traceRecord(const LCDEVMODE& record);
    void tracePosterPages(const char* heading, const uint32_t (&pages)[16]);
    WatermarkDefaults watermarkDefaults();
    void fillDefault(LCDEVMODE& record);
    std::string version();
    bool ensureResources();

    DrvProductOptions product_;
    DrvTrace trace_;
    ActivityTracker activity_;
    std::string printerName_;
    char decimalSymbol_ = '.';
    uint32_t portType_ = 0;
    LoadedModule resources_;
    LoadedModule bitmaps_;
    int initCount_ = 0;
};
