// The custom paper size dialog: width and height typed, spun or slid in
// inches or millimetres within the product's limits, stored into the model
// on OK.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "View.h"

#include <cstdint>
#include <string>

namespace CustomSize {
double MmToTenthsInch(double millimetres);
// Rounds on the first decimal digit; a height at or below the product's
// minimum (in tenths of an inch) always rounds down.
int32_t TenthsInchToMm(double tenths, bool height, uint32_t minHeightTenths);
double TenthsInchToTenthsMm(double tenths);
float TenthsMmToStored(double tenthsMm);
double StoredToInches(float stored);
double StoredToMm(float stored);
// Digits with one '.' or ','; anything else reads as 0.
double ParseNumber(const std::string& text);
}  // namespace CustomSize

constexpr int kSizeOutOfRange = 1;
constexpr int kSizeInRange = 2;

class CustomPaperSizeDlg : public DialogPage {
public:
    CustomPaperSizeDlg(GUIPrinter& model, const ProductOptions& product, char decimalSymbol);

    void OnInit(View& view) override;
    bool OnCommand(View& view, int id, Notify code) override;
    void OnScroll(View& view, int id, int position) override;
    bool OnOK(View& view) override;

    bool inches() const { return inches_; }
    int32_t widthMm() const { return width_.mm; }
    int32_t heightMm() const { return height_.mm; }
    int32_t widthTenths() const { return width_.tenths; }
    int32_t heightTenths() const { return height_.tenths; }
    int widthState() const { return width_.state; }
    int heightState() const { return height_.state; }

private:
    struct Dimension {
        bool height;
        int edit, spin, slider, indicator;
        uint32_t minMm, maxMm, minIn, maxIn;
        int32_t mm = 0;
        int32_t tenths = 0;
        double tenthsMm = 0;   // what OK stores
        int state = kSizeOutOfRange;
    };

    void fromMm(Dimension& d, int32_t mm);
    void fromTenths(Dimension& d, int32_t tenths);
    void showRanges(View& view, const Dimension& d);
    void showValue(View& view, const Dimension& d);
    void judge(View& view, Dimension& d);
    void typed(View& view, Dimension& d);
    void setUnit(View& view, bool toInches);
    std::string format(const Dimension& d) const;

    GUIPrinter& model_;
    const char decimal_;
    const bool printPropBuild_;
    const uint32_t a4W_, a4H_, letterW_, letterH_;
    Dimension width_;
    Dimension height_;
    bool inches_ = false;
    bool envelopeMode_ = false;
};
