#include "GUIFeatures.h"

#include "Options.h"

#include <cstring>
#include <new>

namespace {

const char kWatermarkSubKey[] = "PRP";

}  // namespace

GUIFeatures::GUIFeatures(const ProductOptions& product, RegistryComponent& registry, Trace& trace,
                         const LCWMARKINFO& defaultWatermark)
    : registry_(registry),
      trace_(trace),
      defaultWatermark_(defaultWatermark),
      countValueName_(Options(product).text(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT)),
      listValueName_(Options(product).text(OptionKey::IDO_KEY_NAME_WATERMARK))
{
}

void GUIFeatures::LoadFrom(const LCDEVMODE& r)
{
    colorMode_ = r.dmColorMode;
    duplexMode_ = r.dmDuplexMode;
    featureWord14C_ = r.dmFeatureWord14C;
    layoutCode_ = r.dmLayoutCode;
    posterColumns_ = r.dmPosterColumns;
    posterRows_ = r.dmPosterRows;
    featureWord198_ = r.dmFeatureWord198;
    std::memcpy(posterPages_, r.dmPosterPages, sizeof posterPages_);
    std::memcpy(posterDisplay_, r.dmPosterDisplay, sizeof posterDisplay_);
    featureWord220_ = r.dmFeatureWord220;
    featureWord224_ = r.dmFeatureWord224;
    featureWord228_ = r.dmFeatureWord228;
    featureWord234_ = r.dmFeatureWord234;
    featureWord23C_ = r.dmFeatureWord23C;
    watermarkPages_ = r.dmWatermarkPages;
    watermarkLayer_ = r.dmWatermarkLayer;
    watermark1_ = r.dmWatermark;
    watermark2_ = r.dmWatermark2;

    bool anySelected = false;
    for (uint32_t page : posterPages_)
        anySelected = anySelected || page == 1;
    poster2x2_ = anySelected && posterColumns_ == 2 && posterRows_ == 2;
    poster3x3_ = anySelected && posterColumns_ == 3 && posterRows_ == 3;
    poster4x4_ = anySelected && posterColumns_ == 4 && posterRows_ == 4;
}

void GUIFeatures::SaveTo(LCDEVMODE& r) const
{
    r.dmColorMode = colorMode_;
    r.dmDuplexMode = duplexMode_;
    r.dmFeatureWord14C = featureWord14C_;
    r.dmLayoutCode = layoutCode_;
    r.dmPosterColumns = posterColumns_;
    r.dmPosterRows = posterRows_;
    r.dmFeatureWord198 = featureWord198_;
    std::memcpy(r.dmPosterPages, posterPages_, sizeof posterPages_);
    std::memcpy(r.dmPosterDisplay, posterDisplay_, sizeof posterDisplay_);
    r.dmFeatureWord220 = featureWord220_;
    r.dmFeatureWord224 = featureWord224_;
    r.dmFeatureWord228 = featureWord228_;
    r.dmFeatureWord234 = featureWord234_;
    r.dmFeatureWord23C = featureWord23C_;
    r.dmWatermarkPages = watermarkPages_;
    r.dmWatermarkLayer = watermarkLayer_;
    r.dmWatermark = watermark1_;
    r.dmWatermark2 = watermark2_;
}

int GUIFeatures::SetWatermarkInitialInfo(const std::string& printerName)
{
    trace_.OutputData("GUIFeatures::SetWatermarkInitialInfo(...)");
    registry_.SetFriendlyName(printerName);
    registry_.Create(kWatermarkSubKey);
    int result = 0;
    // Runs in the printing application's process: nothing may escape past
    // the key's close, whatever the registry component or the list throws.
    try {
        result = loadStoredList();
    } catch (...) {
        stored_.clear();
        stored_.shrink_to_fit();
        trace_.OutputData("Unable to allocate enough space for original WATERMARK values.");
        result = 1;
    }
    registry_.Close();
    trace_.OutputData("GUIFeatures::SetWatermarkInitialInfo(...).. returning " + std::to_string(result));
    return result;
}

// Only a missing count is a first use that writes the default; a count of
// any other size is a damaged store.
int GUIFeatures::loadStoredList()
{
    uint32_t count = 0;
    uint32_t countSize = 0;
    try {
        countSize = registry_.Read(countValueName_, &count, sizeof count);
    } catch (const RegistryReadError& error) {
        if (error.code() == kRegistryValueMissing) {
            writeDefaultList();
            return 0;
        }
        countSize = error.needed();
    }
    if (countSize != sizeof count) {
        damagedStore("count value of " + std::to_string(countSize) + " bytes");
        return 0;
    }
    return readStoredList(count) ? 0 : 1;
}

void GUIFeatures::writeDefaultList()
{
    trace_.OutputData("Unexpected Error Occurred.. writting the default Reg Key values.");
    try {
        useDefaultList();
    } catch (const std::bad_alloc&) {
        stored_.clear();
        trace_.OutputData("Unable to allocate enough space for original WATERMARK values.");
        return;
    }
    const uint32_t one = 1;
    if (!registry_.Write(countValueName_, kRegNumber, &one, sizeof one) ||
        !registry_.Write(listValueName_, kRegBinary, stored_.data(), kWatermarkRecordSize))
        trace_.OutputData("GUIFeatures::SetWatermarkInitialInfo(...).. writing the default failed");
}

// False only when the list could not be allocated. The list value's size is
// asked first, so a count it cannot back (an overflowing size, a shorter,
// longer or missing list, a zero count with records) costs no allocation:
// the printer shows the default watermark and the values stay untouched.
bool GUIFeatures::readStoredList(uint32_t count)
{
    stored_.clear();
    const uint64_t bytes = static_cast<uint64_t>(count) * kWatermarkRecordSize;
    uint32_t listSize = 0;
    bool listPresent = true;
    try {
        listSize = registry_.Read(listValueName_, nullptr, 0);
    } catch (const RegistryReadError& error) {
        listPresent = error.code() != kRegistryValueMissing;
        listSize = error.needed();
    }
    if (count == 0 && listSize == 0)
        return true;
    if (!listPresent) {
        trace_.OutputData("Unexpected Error Occurred.");
        useDefaultList();
        return true;
    }
    if (listSize != bytes) {
        damagedStore("count " + std::to_string(count) + " but " + std::to_string(listSize) +
                     " bytes of watermarks");
        return true;
    }
    try {
        stored_.resize(count);
    } catch (const std::bad_alloc&) {
        stored_.clear();
        stored_.shrink_to_fit();
        trace_.OutputData("Unable to allocate enough space for original WATERMARK values.");
        return false;
    }
    uint32_t read = 0;
    try {
        read = registry_.Read(listValueName_, stored_.data(), static_cast<uint32_t>(bytes));
    } catch (const RegistryReadError&) {
        read = 0;
    }
    if (read != bytes)
        damagedStore("the list changed while it was read");
    return true;
}

void GUIFeatures::damagedStore(const std::string& what)
{
    trace_.OutputData("GUIFeatures::SetWatermarkInitialInfo(...).. damaged store: " + what +
                      "; using the default watermark");
    useDefaultList();
}

void GUIFeatures::useDefaultList()
{
    stored_.assign(1, defaultWatermark_);
}

bool GUIFeatures::SetWatermarkReg(int flag, const std::string& printerName)
{
    trace_.OutputData("GUIFeatures::SetWatermarkReg(...)");
    trace_.OutputData("iWatermarkReg " + std::to_string(flag));
    registry_.SetFriendlyName(printerName);
    registry_.Create(kWatermarkSubKey);
    bool written = false;
    if (flag == 1) {
        const uint32_t count = GetCurWatermarkCount();
        written = registry_.Write(countValueName_, kRegNumber, &count, sizeof count) &&
                  registry_.Write(listValueName_, kRegBinary, stored_.data(),
                                  static_cast<uint32_t>(stored_.size() * kWatermarkRecordSize));
        if (!written)
            trace_.OutputData("GUIFeatures::SetWatermarkReg(...).. writing the list failed");
    }
    registry_.Close();
    return written;
}

void GUIFeatures::GetCurWatermarkList(LCWMARKINFO* destination) const
{
    if (!stored_.empty())
        std::memcpy(destination, stored_.data(), stored_.size() * kWatermarkRecordSize);
}

// Copies before releasing the old list, so a source inside it stays valid.
bool GUIFeatures::replaceList(std::vector<LCWMARKINFO>& list, const LCWMARKINFO* source, uint32_t count,
                              const char* failureTrace)
{
    try {
        std::vector<LCWMARKINFO> copy;
        if (count != 0 && source != nullptr)
            copy.assign(source, source + count);
        list.swap(copy);
        return true;
    } catch (const std::bad_alloc&) {
        list.clear();
        list.shrink_to_fit();
        trace_.OutputData(failureTrace);
        return false;
    }
}

void GUIFeatures::SetCurWatermarkList(const LCWMARKINFO* source, uint32_t count)
{
    trace_.OutputData("GUIFeatures::SetCurWatermarkList(...)");
    replaceList(stored_, source, count, "Unable to allocate enough space for current WATERMARK values.");
}

void GUIFeatures::SetTempWatermarkData(const LCWMARKINFO* source, uint32_t count)
{
    trace_.OutputData("GUIFeatures::SetTempWatermarkData(...)");
    replaceList(scratch_, source, count, "Unable to allocate enough space for current WATERMARK values.");
}

void GUIFeatures::GetTempWatermarkData(LCWMARKINFO* destination) const
{
    trace_.OutputData("GUIFeatures::GetTempWatermarkData(...)");
    if (!scratch_.empty())
        std::memcpy(destination, scratch_.data(), scratch_.size() * kWatermarkRecordSize);
}
