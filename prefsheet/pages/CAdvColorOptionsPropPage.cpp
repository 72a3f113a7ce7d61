#include "CAdvColorOptionsPropPage.h"

#include "ResourceIds.h"

namespace ColorOptionsRules {

int CombinationCode(const ColorOptionValues& v)
{
    const int flash = v.flashFill == 0 ? 0 : 1 + (v.flashFill == 2 ? 1 : v.flashFillLevel);
    int contrast = 0;
    if (v.contrast == 2)
        contrast = 8;
    else if (v.contrast != 0)
        contrast = 4 * (1 + v.contrastLevel);
    return flash + contrast;
}

uint32_t PreviewBitmap(int combinationCode, int32_t sharpening)
{
    const bool contrast = combinationCode / 4 != 0;
    const bool flash = combinationCode % 4 != 0;
    const uint32_t base = kFirstPreview + (contrast ? 6 : 0) + (flash ? 3 : 0);
    const uint32_t sharp = sharpening == 0 ? 0 : sharpening == 2 ? 2 : 1;
    return base + sharp;
}

std::string ModeText(int32_t mode, int32_t level)
{
    if (mode == 1) {
        static const char* const levels[] = {"Less", "Normal", "More"};
        return std::string("DMTRUE : ") + (level >= 0 && level <= 2 ? levels[level] : "Normal");
    }
    return mode == 2 ? "DMAUTO" : "DMFALSE";
}

std::string SharpeningText(int32_t sharpening)
{
    return sharpening == 1 ? "DMSHARPEN" : sharpening == 2 ? "DMSOFTEN" : "DMFALSE";
}

}  // namespace ColorOptionsRules

using namespace ColorOptionsRules;

const ColorOptionsEditor::Feature ColorOptionsEditor::kContrast = {
    IDC_CONTRAST_OFF, IDC_CONTRAST_ON, IDC_CONTRAST_AUTO, IDC_CONTRAST_SLIDER, IDC_CONTRAST_LESS, IDC_CONTRAST_MORE,
    &ColorOptionValues::contrast, &ColorOptionValues::contrastLevel};
const ColorOptionsEditor::Feature ColorOptionsEditor::kFlashFill = {
    IDC_FLASH_OFF, IDC_FLASH_ON, IDC_FLASH_AUTO, IDC_FLASH_SLIDER, IDC_FLASH_LESS, IDC_FLASH_MORE,
    &ColorOptionValues::flashFill, &ColorOptionValues::flashFillLevel};

ColorOptionsEditor::ColorOptionsEditor(const PageContext& context, const char* owner)
    : context_(context), owner_(owner)
{
}

void ColorOptionsEditor::Init(View& view, bool withInk)
{
    for (const Feature* f : {&kContrast, &kFlashFill}) {
        view.SetRange(f->slider, 0, 2);
        view.SetPosition(f->slider, 1);
    }
    Reload(view);
    if (withInk) {
        ink_ = MakeInkDisplay(context_);
        LabelOrderInk(view, context_.product, IDC_ORDER_INK);
        SetUpInkDisplay(view, *ink_, *model_, IDC_ORDER_INK, IDC_INK_TANK_LEFT, IDC_INK_TANK_RIGHT);
    }
}

void ColorOptionsEditor::Reload(View& view)
{
    const GUIPrinter& m = *model_;
    values_ = {m.GetContrastEnhance(), m.GetContrastLevel(), m.GetFlashFill(), m.GetFlashFillLevel(),
               m.GetImageSharpening()};
    SetCurrentData(view);
}

void ColorOptionsEditor::SetCurrentData(View& view)
{
    context_.trace.OutputData(std::string(owner_) + "::SetCurrentData()");
    for (const Feature* f : {&kContrast, &kFlashFill}) {
        const int32_t mode = values_.*(f->mode);
        if (mode == 1)
            view.SetPosition(f->slider, values_.*(f->level));
        choose(view, *f, mode == 1 || mode == 2 ? mode : 0);
    }
    const int32_t sharpening = values_.sharpening == 0 ? 0 : values_.sharpening == 2 ? 2 : 1;
    values_.sharpening = sharpening;
    view.SetCheck(IDC_SHARPEN_OFF, sharpening == 0);
    view.SetCheck(IDC_SHARPEN_ON, sharpening == 1);
    view.SetCheck(IDC_SHARPEN_SOFTEN, sharpening == 2);
    showPreview(view);
}

// On reads the level from the slider; off and automatic hold it at normal.
void ColorOptionsEditor::choose(View& view, const Feature& f, int32_t mode)
{
    values_.*(f.mode) = mode;
    view.SetCheck(f.off, mode == 0);
    view.SetCheck(f.on, mode == 1);
    view.SetCheck(f.automatic, mode == 2);
    const bool on = mode == 1;
    if (!on)
        view.SetPosition(f.slider, 1);
    values_.*(f.level) = view.GetPosition(f.slider);
    for (int id : {f.slider, f.less, f.more})
        view.Enable(id, on);
}

bool ColorOptionsEditor::Command(View& view, int id, Notify code)
{
    if (code != Notify::Clicked)
        return false;
    for (const Feature* f : {&kContrast, &kFlashFill}) {
        const int32_t mode = id == f->off ? 0 : id == f->on ? 1 : id == f->automatic ? 2 : -1;
        if (mode >= 0) {
            choose(view, *f, mode);
            showPreview(view);
            return true;
        }
    }
    const int32_t sharpening = id == IDC_SHARPEN_OFF ? 0 : id == IDC_SHARPEN_ON ? 1 : id == IDC_SHARPEN_SOFTEN ? 2 : -1;
    if (sharpening >= 0) {
        values_.sharpening = sharpening;
        view.SetCheck(IDC_SHARPEN_OFF, sharpening == 0);
        view.SetCheck(IDC_SHARPEN_ON, sharpening == 1);
        view.SetCheck(IDC_SHARPEN_SOFTEN, sharpening == 2);
        showPreview(view);
        return true;
    }
    switch (id) {
    case IDC_COLOR_DEFAULTS:
        Defaults(view);
        return true;
    case IDC_ORDER_INK:
        context_.companions.OnOrderSupplies(model_->GetPrinterName());
        return true;
    default:
        return false;
    }
}

void ColorOptionsEditor::Scroll(View& view, int id)
{
    for (const Feature* f : {&kContrast, &kFlashFill}) {
        if (id == f->slider && values_.*(f->mode) == 1) {
            values_.*(f->level) = view.GetPosition(id);
            showPreview(view);
        }
    }
}

void ColorOptionsEditor::Defaults(View& view)
{
    context_.trace.OutputData(std::string(owner_) + "::OnDefaultsBtn()");
    values_ = ColorOptionValues{0, 1, 0, 1, 1};
    SetCurrentData(view);
}

void ColorOptionsEditor::Store()
{
    GUIPrinter& m = *model_;
    m.SetContrastEnhance(values_.contrast);
    m.SetContrastLevel(values_.contrastLevel);
    m.SetFlashFill(values_.flashFill);
    m.SetFlashFillLevel(values_.flashFillLevel);
    m.SetImageSharpening(values_.sharpening);
    Trace& t = context_.trace;
    t.OutputData("Contrast Enhancement = " + ModeText(values_.contrast, values_.contrastLevel));
    t.OutputData("Flash Fill           = " + ModeText(values_.flashFill, values_.flashFillLevel));
    t.OutputData("Image Sharpening     = " + SharpeningText(values_.sharpening));
}

void ColorOptionsEditor::showPreview(View& view)
{
    view.SetPicture(IDC_COLOR_PREVIEW, PreviewBitmap(CombinationCode(values_), values_.sharpening));
}

CAdvColorOptionsPropPage::CAdvColorOptionsPropPage(const PageContext& context)
    : product_(context.product), trace_(context.trace), editor_(context, "CAdvColorOptionsPropPage")
{
}

void CAdvColorOptionsPropPage::PageOK()
{
    trace_.OutputData("CAdvColorOptionsPropPage::PageOK()");
    editor_.Store();
}

void CAdvColorOptionsPropPage::PageCancel()
{
    trace_.OutputData("CAdvColorOptionsPropPage::PageCancel()");
}

bool CAdvColorOptionsPropPage::OnCommand(View& view, int id, Notify code)
{
    return editor_.Command(view, id, code);
}
