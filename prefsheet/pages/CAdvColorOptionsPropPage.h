// The colour options of the image buffer: contrast enhancement, flash fill
// and image sharpening. The page (last tab of the main sheet) and the dialog
// of the alternate main window share one editor; both keep their own copy of
// the five values and write it to the model only on OK.
#pragma once

#include "CommonLibrary.h"
#include "GUIPrinter.h"
#include "PageContext.h"
#include "View.h"

#include <cstdint>
#include <memory>
#include <string>

// The five values in the model's order.
struct ColorOptionValues {
    int32_t contrast = 0;         // 0 off, 1 on, 2 automatic
    int32_t contrastLevel = 1;    // 0 less, 1 normal, 2 more
    int32_t flashFill = 0;
    int32_t flashFillLevel = 1;
    int32_t sharpening = 1;       // 0 off, 1 sharpen, 2 soften

    bool operator==(const ColorOptionValues& o) const
    {
        return contrast == o.contrast && contrastLevel == o.contrastLevel && flashFill == o.flashFill &&
               flashFillLevel == o.flashFillLevel && sharpening == o.sharpening;
    }
};

namespace ColorOptionsRules {
constexpr uint32_t kFirstPreview = 6967;
// Flash fill 0 to 3 (0 off, else 1 + level, automatic as normal) plus 4, 8
// or 12 for contrast less, normal or automatic, and more.
int CombinationCode(const ColorOptionValues& values);
uint32_t PreviewBitmap(int combinationCode, int32_t sharpening);
// "DMTRUE : Less", "DMAUTO", "DMFALSE"...: how the values are traced.
std::string ModeText(int32_t mode, int32_t level);
std::string SharpeningText(int32_t sharpening);
}  // namespace ColorOptionsRules

// The controls' rules, for the page and the dialog alike; `owner` names the
// class in the trace.
class ColorOptionsEditor {
public:
    ColorOptionsEditor(const PageContext& context, const char* owner);

    void SetPrinter(GUIPrinter* model) { model_ = model; }
    // Sliders, values from the model, preview; with ink, the ink display too.
    void Init(View& view, bool withInk);
    bool Command(View& view, int id, Notify code);
    void Scroll(View& view, int id);
    void SetCurrentData(View& view);
    void Defaults(View& view);
    // Copies the five values into the model and traces them.
    void Store();
    // Takes the model's values again (after slot loads or factory settings).
    void Reload(View& view);

    const ColorOptionValues& values() const { return values_; }

private:
    struct Feature {
        int off, on, automatic, slider, less, more;
        int32_t ColorOptionValues::*mode;
        int32_t ColorOptionValues::*level;
    };
    static const Feature kContrast;
    static const Feature kFlashFill;

    void choose(View& view, const Feature& f, int32_t mode);
    void showPreview(View& view);

    PageContext context_;
    const char* owner_;
    std::unique_ptr<InkDisplay> ink_;
    GUIPrinter* model_ = nullptr;
    ColorOptionValues values_;
};

class CAdvColorOptionsPropPage : public DialogPage {
public:
    explicit CAdvColorOptionsPropPage(const PageContext& context);

    void SetPrinter(GUIPrinter* model) { editor_.SetPrinter(model); }
    // The main dialog's save settings and OK; the page's own OK runs it too.
    void PageOK();
    // The main dialog's Cancel: the model keeps its values.
    void PageCancel();
    void Refresh(View& view) { editor_.Reload(view); }

    void OnInit(View& view) override { editor_.Init(view, true); }
    bool OnCommand(View& view, int id, Notify code) override;
    void OnScroll(View& view, int id, int) override { editor_.Scroll(view, id); }
    void OnHelp(View& view, int id) override { ShowControlHelp(view, product_, id); }
    bool OnOK(View&) override
    {
        PageOK();
        return true;
    }
    void OnCancel(View&) override { PageCancel(); }

    const ColorOptionValues& values() const { return editor_.values(); }

private:
    const ProductOptions& product_;
    Trace& trace_;
    ColorOptionsEditor editor_;
};
