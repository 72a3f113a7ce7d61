#include "PageContext.h"

#include "Options.h"
#include "ResourceIds.h"
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

void SetUpInkDisplay(View& view, InkDisplay& ink, const GUIPrinter& model, int orderInkId, int leftTankId,
                     int rightTankId)
{
    INKINFO words;
    model.GetInkInfo2(words);
    ink.SetPrinterName(model.GetPrinterName());
    ink.SetInkInfo(&words);
    view.AttachInkDisplay(ink, leftTankId, rightTankId);
    if (!ink.HasInkMonitoring()) {
        view.Enable(orderInkId, false);
        view.Show(orderInkId, false);
    }
    if (model.GetPortType() == 10) {
        view.Enable(orderInkId, false);
        ink.SetPortMode(10);
    }
    if (model.GetPortType() == 12)
        view.Enable(orderInkId, false);
}

void LabelOrderInk(View& view, const ProductOptions& product, int orderInkId)
{
    const bool supplies = Options(product).equals(OptionKey::IDO_ORDERINK_STRING, 1);
    view.SetText(orderInkId, view.String(supplies ? IDS_ORDER_SUPPLIES : IDS_ORDER_INK));
}

uint32_t ReadStoredCompleteToPrint(RegistryComponent& registry, const ProductOptions& product,
                                   const std::string& printerName)
{
    return ReadStoredPswNumber(registry, printerName,
                               Options(product).text(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG));
}

uint32_t ReadStoredPswNumber(RegistryComponent& registry, const std::string& printerName,
                             const std::string& valueName)
{
    uint32_t stored = 0;
    if (valueName.empty())
        return stored;   // the product names no value: there is none
    registry.SetFriendlyName(printerName);
    registry.Create("PSW");
    try {
        registry.Read(valueName, &stored, sizeof stored);
    } catch (const RegistryReadError&) {
        stored = 0;
    }
    registry.Close();
    return stored;
}
