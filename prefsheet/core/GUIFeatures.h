// The feature component of the settings model: the feature block of the
// record, the two current watermarks, and the printer's stored watermark list
// (registry sub-key "PRP") with a scratch copy for the watermark dialogs.
#pragma once

#include "CommonLibrary.h"
#include "LcDevMode.h"

#include <cstdint>
#include <string>
#include <vector>

class GUIFeatures {
public:
    // The default watermark is the one a default record carries; a printer
    // without a stored list starts with it.
    GUIFeatures(const ProductOptions& product, RegistryComponent& registry, Trace& trace,
                const LCWMARKINFO& defaultWatermark);
    GUIFeatures(const GUIFeatures&) = delete;
    GUIFeatures& operator=(const GUIFeatures&) = delete;

    void LoadFrom(const LCDEVMODE& record);
    void SaveTo(LCDEVMODE& record) const;

    // 0 on success, 1 when the list could not be allocated.
    int SetWatermarkInitialInfo(const std::string& printerName);
    // Writes the stored list under "PRP" when the flag is 1; true when written.
    bool SetWatermarkReg(int flag, const std::string& printerName);

    void GetCurWatermarkList(LCWMARKINFO* destination) const;
    void SetCurWatermarkList(const LCWMARKINFO* source, uint32_t count);
    void SetTempWatermarkData(const LCWMARKINFO* source, uint32_t count);
    void GetTempWatermarkData(LCWMARKINFO* destination) const;
    uint32_t GetCurWatermarkCount() const { return static_cast<uint32_t>(stored_.size()); }
    uint32_t GetTempWatermarkCount() const { return static_cast<uint32_t>(scratch_.size()); }
    // What a new watermark starts from and a job's unknown watermark becomes.
    const LCWMARKINFO& GetDefaultWatermark() const { return defaultWatermark_; }

    const LCWMARKINFO& GetWatermark1() const { return watermark1_; }
    const LCWMARKINFO& GetWatermark2() const { return watermark2_; }
    void SetWatermark1(const LCWMARKINFO& mark) { watermark1_ = mark; }
    void SetWatermark2(const LCWMARKINFO& mark) { watermark2_ = mark; }
    uint8_t GetWatermarkPages() const { return watermarkPages_; }
    uint8_t GetWatermarkLayer() const { return watermarkLayer_; }
    void SetWatermarkPages(uint8_t pages) { watermarkPages_ = pages; }
    void SetWatermarkLayer(uint8_t layer) { watermarkLayer_ = layer; }

    bool IsPoster2x2() const { return poster2x2_; }
    bool IsPoster3x3() const { return poster3x3_; }
    bool IsPoster4x4() const { return poster4x4_; }
    int32_t GetLayoutCode() const { return layoutCode_; }
    void SetLayoutCode(int32_t code) { layoutCode_ = code; }
    int32_t GetColorMode() const { return colorMode_; }
    void SetColorMode(int32_t mode) { colorMode_ = mode; }
    int32_t GetDuplexMode() const { return duplexMode_; }
    void SetDuplexMode(int32_t mode) { duplexMode_ = mode; }
    int32_t GetFeatureWord14C() const { return featureWord14C_; }
    void SetFeatureWord14C(int32_t value) { featureWord14C_ = value; }
    int32_t GetPosterColumns() const { return posterColumns_; }
    void SetPosterColumns(int32_t value) { posterColumns_ = value; }
    int32_t GetPosterRows() const { return posterRows_; }
    void SetPosterRows(int32_t value) { posterRows_ = value; }
    int32_t GetFeatureWord198() const { return featureWord198_; }
    void SetFeatureWord198(int32_t value) { featureWord198_ = value; }
    int32_t GetFeatureWord220() const { return featureWord220_; }
    void SetFeatureWord220(int32_t value) { featureWord220_ = value; }
    int32_t GetFeatureWord224() const { return featureWord224_; }
    void SetFeatureWord224(int32_t value) { featureWord224_ = value; }
    int32_t GetFeatureWord228() const { return featureWord228_; }
    void SetFeatureWord228(int32_t value) { featureWord228_ = value; }
    int32_t GetFeatureWord234() const { return featureWord234_; }
    void SetFeatureWord234(int32_t value) { featureWord234_ = value; }
    int32_t GetFeatureWord23C() const { return featureWord23C_; }
    void SetFeatureWord23C(int32_t value) { featureWord23C_ = value; }
    // Tiles 0..15; an index outside the grid's 16 entries reads 0 and is not stored.
    uint32_t GetPosterPage(uint32_t tile) const { return tile < 16 ? posterPages_[tile] : 0; }
    void SetPosterPage(uint32_t tile, uint32_t value)
    {
        if (tile < 16)
            posterPages_[tile] = value;
    }
    uint32_t GetPosterDisplay(uint32_t tile) const { return tile < 16 ? posterDisplay_[tile] : 0; }
    void SetPosterDisplay(uint32_t tile, uint32_t value)
    {
        if (tile < 16)
            posterDisplay_[tile] = value;
    }
    // Poster page: the overlap-marks switch is the record's word at 0x198
    // beside the grid size; the selected-pages-only flag of grid size 2, 3
    // or 4 (any other size has none).
    int32_t GetPosterOverlap() const { return featureWord198_; }
    void SetPosterOverlap(int32_t on) { featureWord198_ = on; }
    bool IsPosterSelectedOnly(int32_t size) const
    {
        return size == 2 ? poster2x2_ : size == 3 ? poster3x3_ : size == 4 && poster4x4_;
    }
    void SetPosterSelectedOnly(int32_t size, bool on)
    {
        bool* flag = size == 2 ? &poster2x2_ : size == 3 ? &poster3x3_ : size == 4 ? &poster4x4_ : nullptr;
        if (flag != nullptr)
            *flag = on;
    }

    // Alternate main window: show its task menu on start-up ("Show On
    // Startup"); kept in the model only, never in the record.
    int32_t GetShowIWantToMenu() const { return showIWantToMenu_; }
    void SetShowIWantToMenu(int32_t on) { showIWantToMenu_ = on; }

private:
    bool replaceList(std::vector<LCWMARKINFO>& list, const LCWMARKINFO* source, uint32_t count,
                     const char* failureTrace);
    int loadStoredList();
    void writeDefaultList();
    bool readStoredList(uint32_t count);
    void damagedStore(const std::string& what);
    void useDefaultList();

    RegistryComponent& registry_;
    Trace& trace_;
    const LCWMARKINFO defaultWatermark_;
    const std::string countValueName_;
    const std::string listValueName_;

    std::vector<LCWMARKINFO> stored_;
    std::vector<LCWMARKINFO> scratch_;
    int32_t showIWantToMenu_ = 0;

    int32_t colorMode_ = 2;
    int32_t duplexMode_ = 1;
    int32_t featureWord14C_ = 0;
    int32_t layoutCode_ = 0;
    int32_t posterColumns_ = 2;
    int32_t posterRows_ = 2;
    int32_t featureWord198_ = 0;
    uint32_t posterPages_[16] = {};
    uint32_t posterDisplay_[16] = {};
    int32_t featureWord220_ = 2;
    int32_t featureWord224_ = 1;
    int32_t featureWord228_ = 8;
    int32_t featureWord234_ = 0;
    int32_t featureWord23C_ = 0;
    uint8_t watermarkPages_ = 0;
    uint8_t watermarkLayer_ = 0;
    LCWMARKINFO watermark1_{};
    LCWMARKINFO watermark2_{};
    bool poster2x2_ = false;
    bool poster3x3_ = false;
    bool poster4x4_ = false;
};
