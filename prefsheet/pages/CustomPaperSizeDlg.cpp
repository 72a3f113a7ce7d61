#include "CustomPaperSizeDlg.h"

#include "Options.h"
#include "ResourceIds.h"

#include <cmath>

namespace CustomSize {

double MmToTenthsInch(double millimetres)
{
    return millimetres * 0.39370078740157477;
}

int32_t TenthsInchToMm(double tenths, bool height, uint32_t minHeightTenths)
{
    const double mm = tenths * 2.54;
    const double whole = std::floor(mm);
    if (height && tenths <= minHeightTenths)
        return static_cast<int32_t>(whole);
    // Tenths of an inch times 2.54 have two decimals; a hair of binary error
    // must not move the first one (8.5 in = 215.9 mm, never 215.8999).
    const int firstDecimal = static_cast<int>(std::floor((mm - whole) * 10 + 1e-6));
    return static_cast<int32_t>(whole) + (firstDecimal >= 5 ? 1 : 0);
}

double TenthsInchToTenthsMm(double tenths)
{
    return tenths * 25.4;
}

float TenthsMmToStored(double tenthsMm)
{
    return static_cast<float>(tenthsMm * 0.003937007874015748 * 300);
}

double StoredToInches(float stored)
{
    return stored * 0.0033333334f;
}

double StoredToMm(float stored)
{
    return stored * 25.4 * (1.0 / 300);
}

double ParseNumber(const std::string& text)
{
    double value = 0;
    double scale = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else if ((c == '.' || c == ',') && scale == 0) {
            scale = 0.1;
        } else if (c == '.' || c == ',') {
            return value;   // a second separator ends the number, as strtod would
        } else {
            return 0;
        }
    }
    return value;
}

}  // namespace CustomSize

using namespace CustomSize;

CustomPaperSizeDlg::CustomPaperSizeDlg(GUIPrinter& model, const ProductOptions& product, char decimalSymbol)
    : model_(model),
      decimal_(decimalSymbol),
      printPropBuild_(Options(product).equals(OptionKey::IDO_PMKPRINTPROP, 0)),
      a4W_(Options(product).number(OptionKey::IDO_DMA4WIDTHMM)),
      a4H_(Options(product).number(OptionKey::IDO_DMA4HEIGHTMM)),
      letterW_(Options(product).number(OptionKey::IDO_DMLETTERWIDTHMM)),
      letterH_(Options(product).number(OptionKey::IDO_DMLETTERHEIGHTMM))
{
    const Options o(product);
    width_ = {false, IDC_CUSTOM_WIDTH, IDC_CUSTOM_WIDTH_SPIN, IDC_CUSTOM_WIDTH_SLIDER, IDC_CUSTOM_WIDTH_STATE,
              o.number(OptionKey::IDO_DMMINWIDTHMM), o.number(OptionKey::IDO_DMMAXWIDTHMM),
              o.number(OptionKey::IDO_DMMINWIDTHIN), o.number(OptionKey::IDO_DMMAXWIDTHIN)};
    height_ = {true, IDC_CUSTOM_HEIGHT, IDC_CUSTOM_HEIGHT_SPIN, IDC_CUSTOM_HEIGHT_SLIDER, IDC_CUSTOM_HEIGHT_STATE,
               o.number(OptionKey::IDO_DMMINHEIGHTMM), o.number(OptionKey::IDO_DMMAXHEIGHTMM),
               o.number(OptionKey::IDO_DMMINHEIGHTIN), o.number(OptionKey::IDO_DMMAXHEIGHTIN)};
}

void CustomPaperSizeDlg::fromMm(Dimension& d, int32_t mm)
{
    d.mm = mm;
    d.tenths = static_cast<int32_t>(std::lround(MmToTenthsInch(mm)));
}

void CustomPaperSizeDlg::fromTenths(Dimension& d, int32_t tenths)
{
    d.tenths = tenths;
    d.mm = TenthsInchToMm(tenths, d.height, height_.minIn);
}

void CustomPaperSizeDlg::OnInit(View& view)
{
    inches_ = model_.GetUnits() == 1;
    const bool a4 = model_.GetPaperSize() == 9;
    struct Start {
        Dimension& d;
        float stored;
        uint32_t fallbackMm;
    } starts[] = {{width_, model_.GetCustomWidth(), a4 ? a4W_ : letterW_},
                  {height_, model_.GetCustomLength(), a4 ? a4H_ : letterH_}};
    for (Start& s : starts) {
        // Below (minimum - 1) mm, compared in the mode's unit, the stored
        // size is not a size: the product's A4 or Letter size stands in.
        const double floorMm = static_cast<double>(s.d.minMm) - 1;
        if (inches_) {
            const double tenths = StoredToInches(s.stored) * 10;
            if (tenths < MmToTenthsInch(floorMm))
                fromMm(s.d, static_cast<int32_t>(s.fallbackMm));
            else
                fromTenths(s.d, static_cast<int32_t>(std::lround(tenths)));
        } else {
            const double mm = StoredToMm(s.stored);
            fromMm(s.d, mm < floorMm ? static_cast<int32_t>(s.fallbackMm) : static_cast<int32_t>(std::lround(mm)));
        }
    }
    view.SetCheck(IDC_UNIT_INCHES, inches_);
    view.SetCheck(IDC_UNIT_MILLIMETRES, !inches_);
    for (Dimension* d : {&width_, &height_}) {
        showRanges(view, *d);
        showValue(view, *d);
        judge(view, *d);
    }
    const bool envelopeAsked = (model_.GetPaperFlags() & 0x8000) != 0 && model_.GetPaperSize() == 256 &&
                               model_.GetCustomWidth() != 0 && model_.GetCustomLength() != 0;
    envelopeMode_ = printPropBuild_ && model_.GetEnvelopeMode() != 0;
    view.SetCheck(IDC_CUSTOM_ENVELOPE, printPropBuild_ && envelopeAsked);
    view.Show(IDC_CUSTOM_ENVELOPE, printPropBuild_ && !envelopeMode_);
}

void CustomPaperSizeDlg::showRanges(View& view, const Dimension& d)
{
    const int low = static_cast<int>(inches_ ? d.minIn : d.minMm);
    const int high = static_cast<int>(inches_ ? d.maxIn : d.maxMm);
    view.SetRange(d.spin, low, high);
    view.SetRange(d.slider, low, high);
}

std::string CustomPaperSizeDlg::format(const Dimension& d) const
{
    if (!inches_)
        return std::to_string(d.mm);
    return std::to_string(d.tenths / 10) + decimal_ + std::to_string(d.tenths % 10);
}

void CustomPaperSizeDlg::showValue(View& view, const Dimension& d)
{
    view.SetText(d.edit, format(d));
    const int position = inches_ ? d.tenths : d.mm;
    view.SetPosition(d.spin, position);
    view.SetPosition(d.slider, position);
}

void CustomPaperSizeDlg::judge(View& view, Dimension& d)
{
    d.state = d.mm >= 0 && static_cast<uint32_t>(d.mm) >= d.minMm && static_cast<uint32_t>(d.mm) <= d.maxMm
                  ? kSizeInRange
                  : kSizeOutOfRange;
    view.SetText(d.indicator, view.String(d.state == kSizeInRange ? IDS_SIZE_IN_RANGE : IDS_SIZE_OUT_OF_RANGE));
    view.Redraw(d.indicator);
}

void CustomPaperSizeDlg::typed(View& view, Dimension& d)
{
    const double number = ParseNumber(view.GetText(d.edit));
    if (inches_)
        fromTenths(d, static_cast<int32_t>(std::lround(number * 10)));
    else
        fromMm(d, static_cast<int32_t>(number));
    const int position = inches_ ? d.tenths : d.mm;
    view.SetPosition(d.spin, position);
    view.SetPosition(d.slider, position);
    judge(view, d);
}

void CustomPaperSizeDlg::setUnit(View& view, bool toInches)
{
    if (toInches == inches_)
        return;
    inches_ = toInches;
    view.SetCheck(IDC_UNIT_INCHES, inches_);
    view.SetCheck(IDC_UNIT_MILLIMETRES, !inches_);
    for (Dimension* d : {&width_, &height_}) {
        if (inches_)
            fromMm(*d, d->mm);
        else
            fromTenths(*d, d->tenths);
        showRanges(view, *d);
        showValue(view, *d);
        judge(view, *d);
    }
}

bool CustomPaperSizeDlg::OnCommand(View& view, int id, Notify code)
{
    if (code == Notify::EditChange && (id == width_.edit || id == height_.edit)) {
        typed(view, id == width_.edit ? width_ : height_);
        return true;
    }
    if (code == Notify::Clicked && (id == IDC_UNIT_INCHES || id == IDC_UNIT_MILLIMETRES)) {
        setUnit(view, id == IDC_UNIT_INCHES);
        return true;
    }
    return false;
}

void CustomPaperSizeDlg::OnScroll(View& view, int id, int position)
{
    for (Dimension* d : {&width_, &height_}) {
        if (id != d->spin && id != d->slider)
            continue;
        if (inches_)
            fromTenths(*d, position);
        else
            fromMm(*d, position);
        showValue(view, *d);
        judge(view, *d);
    }
}

bool CustomPaperSizeDlg::OnOK(View& view)
{
    // A size outside the printer's limits would reach the driver as is; the
    // user is told and the dialog stays open.
    if (width_.state != kSizeInRange || height_.state != kSizeInRange) {
        view.MessageBox(view.String(IDS_SIZE_OUT_OF_RANGE), view.String(IDS_CUSTOM_SIZE), 0x30 /* MB_ICONWARNING */);
        return false;
    }
    if (!inches_) {
        for (Dimension* d : {&width_, &height_}) {
            fromMm(*d, d->mm);
            d->mm = TenthsInchToMm(d->tenths, d->height, height_.minIn);
        }
    }
    // The shown unit decides: whole millimetres, or the tenths of an inch.
    for (Dimension* d : {&width_, &height_})
        d->tenthsMm = inches_ ? TenthsInchToTenthsMm(d->tenths) : d->mm * 10.0;
    model_.SetCustomWidth(TenthsMmToStored(width_.tenthsMm));
    model_.SetCustomLength(TenthsMmToStored(height_.tenthsMm));
    model_.SetUnits(inches_ ? 1 : 2);
    model_.SetPaperSize(256);
    const int32_t layout = model_.GetLayoutCode();
    if (layout == 4 || layout == 2 || layout == 1)
        model_.SetLayoutCode(0);

    if (printPropBuild_) {
        const uint32_t special = 0x8000 | 0x4000 | 0x1000;
        if (view.GetCheck(IDC_CUSTOM_ENVELOPE) || envelopeMode_) {
            model_.SetSavedMediaType(model_.GetMediaType());
            if ((model_.GetPaperFlags() & special) == 0)
                model_.SetSavedOrientation(model_.GetOrientation());
            model_.SetPaperSource(1);
            model_.SetPaperFlags(0x8000);
        } else if ((model_.GetPaperFlags() & special) != 0) {
            model_.SetPaperFlags(model_.GetPaperFlags() & ~special);
            model_.SetOrientation(model_.GetSavedOrientation());
            model_.SetPageOrder(model_.GetSavedPageOrder());
        }
        if (model_.GetAutoDuplexSupport() != 1)
            model_.SetDuplexMode(1);
    }
    return true;
}
