#include "PageContext.h"

#include "Options.h"
#include "View.h"

namespace {

class NoInkDisplay : public InkDisplay {
public:
    void SetPrinterName(const std::string&) override {}
    void SetInkInfo(const void*) override {}
    void SetPortMode(uint32_t) override {}
    bool HasInkMonitoring() override { return false; }
    bool IsPhotoCartridge(uint32_t) override { return false; }
    bool LaunchReorderInkAppSilentMode() override { return false; }
    void SetInkTanks(void*, void*) override {}
};

}  // namespace

std::unique_ptr<InkDisplay> MakeInkDisplay(const PageContext& context)
{
    std::unique_ptr<InkDisplay> display = context.newInkDisplay ? context.newInkDisplay() : nullptr;
    if (display == nullptr)
        display = std::make_unique<NoInkDisplay>();
    return display;
}

void ShowControlHelp(View& view, const ProductOptions& product, int controlId)
{
    const Options o(product);
    if (controlId <= 0 || !o.equals(OptionKey::IDO_PROP_CONTEXT_HELP, 1))
        return;
    view.OpenHelp(o.text(OptionKey::IDO_PROP_HELPFILE), ">whats this", static_cast<uint32_t>(controlId));
}
