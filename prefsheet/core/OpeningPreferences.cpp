#include "OpeningPreferences.h"

#include "Options.h"

namespace {
constexpr uint32_t kBorderlessPaper = 0x1000;
constexpr uint32_t kPanoramaPaper = 0x4000;
}  // namespace

void AttachPrinter(GUIPrinter& model, const ProductOptions& product, const std::string& directory)
{
    model.SetDirectory(directory);
    if ((model.GetPaperFlags() & kBorderlessPaper) != 0 && Options(product).equals(OptionKey::IDO_SUPPORT_E2E, 0))
        model.SetPaperFlags(0);
    if ((model.GetPaperFlags() & kBorderlessPaper) != 0)
        model.SetLayoutCode(7);
    else if ((model.GetPaperFlags() & kPanoramaPaper) != 0)
        model.SetLayoutCode(3);
}

int32_t HandOverPort(GUIPrinter& model, int32_t autoMedia, uint32_t portType, const std::string& portName)
{
    model.SetAutoMediaValue1(autoMedia);
    model.SetAutoMediaValue2(autoMedia);
    model.SetPortType(portType);
    model.SetPortName(portName);
    if (!IsPortWithoutTwoWay(portType))
        return autoMedia;
    model.SetAutoMedia(0);
    model.SetAutoMediaValue1(0);
    model.SetAutoMediaValue2(0);
    model.CheckConflicts();
    return 0;
}

uint32_t StatusAfterRun(int result, uint32_t savedStatus)
{
    if (result == 1)
        return 1;
    if (result == 2)
        return 3;
    return savedStatus;
}
