// The printer's watermark store (sub-key "PRP") with arbitrary count and
// list values: the working list is the stored one or the default, a damaged
// store is never overwritten, and what the store writes reads back the same.
// The input is one flag byte, the count value's bytes and the list's bytes.
#include "GUIFeatures.h"
#include "LcDevMode.h"
#include "OptionKeys.h"

#include "Fakes.h"

#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const char kPrinter[] = "Pelmora PhotoJet 100";
const char kKey[] = "Pelmora PhotoJet 100\\PRP";
const char kCountName[] = "WatermarkCount";
const char kListName[] = "Watermarks";

LCWMARKINFO defaultMark()
{
    LCWMARKINFO mark;
    std::memset(&mark, 0, sizeof mark);
    std::strcpy(mark.wmName, "Confidential");
    return mark;
}

std::vector<LCWMARKINFO> currentList(const GUIFeatures& features)
{
    std::vector<LCWMARKINFO> list(features.GetCurWatermarkCount());
    features.GetCurWatermarkList(list.data());
    return list;
}

bool sameBytes(const std::vector<LCWMARKINFO>& list, const void* bytes, std::size_t size)
{
    return list.size() * sizeof(LCWMARKINFO) == size && (size == 0 || std::memcmp(list.data(), bytes, size) == 0);
}

bool isDefaultList(const std::vector<LCWMARKINFO>& list)
{
    const LCWMARKINFO mark = defaultMark();
    return sameBytes(list, &mark, sizeof mark);
}

// Every value of every key the same, type and bytes.
bool sameStore(const FakeRegistry& a, const FakeRegistry& b)
{
    if (a.keys.size() != b.keys.size())
        return false;
    for (const auto& [key, values] : a.keys) {
        auto other = b.keys.find(key);
        if (other == b.keys.end() || other->second.size() != values.size())
            return false;
        for (const auto& [name, value] : values) {
            auto match = other->second.find(name);
            if (match == other->second.end() || match->second.type != value.type ||
                match->second.data != value.data)
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
    const bool haveCount = (flags & 1) != 0;
    const bool haveList = (flags & 2) != 0;
    const std::vector<std::uint8_t> countBytes =
        input.ConsumeBytes<std::uint8_t>((flags & 4) != 0 ? input.ConsumeIntegralInRange<std::size_t>(0, 8) : 4);
    const std::vector<std::uint8_t> listBytes = input.ConsumeRemainingBytes<std::uint8_t>();

    std::uint32_t count = 0;
    const bool wholeCount = haveCount && countBytes.size() == sizeof count;
    if (wholeCount)
        std::memcpy(&count, countBytes.data(), sizeof count);
    const std::uint64_t countBytesNeeded = std::uint64_t{count} * sizeof(LCWMARKINFO);
    const bool listBacksCount = haveList && countBytesNeeded == listBytes.size();

    FakeProduct product;
    product.setText(OptionKey::IDO_KEY_NAME_WATERMARK_COUNT, kCountName);
    product.setText(OptionKey::IDO_KEY_NAME_WATERMARK, kListName);
    FakeRegistry registry;
    RecordingTrace trace;
    if (haveCount)
        registry.put(kKey, kCountName, kRegNumber, countBytes.data(), countBytes.size());
    if (haveList)
        registry.put(kKey, kListName, kRegBinary, listBytes.data(), listBytes.size());
    const FakeRegistry before = registry;

    GUIFeatures features(product, registry, trace, defaultMark());
    FUZZ_CHECK(features.SetWatermarkInitialInfo(kPrinter) == 0);
    FUZZ_CHECK(!registry.log.empty() && registry.log.back().rfind("Close", 0) == 0);
    const std::vector<LCWMARKINFO> list = currentList(features);

    if (!haveCount) {
        // No count: one default watermark, written back.
        FUZZ_CHECK(isDefaultList(list));
        const FakeRegistry::Value* writtenCount = registry.find(kKey, kCountName);
        const FakeRegistry::Value* writtenList = registry.find(kKey, kListName);
        FUZZ_CHECK(writtenCount != nullptr && writtenCount->data.size() == 4);
        FUZZ_CHECK(writtenList != nullptr && sameBytes(list, writtenList->data.data(), writtenList->data.size()));
    } else if (!wholeCount) {
        // A count value of the wrong size is a damaged store: the default in
        // memory, the stored values untouched.
        FUZZ_CHECK(isDefaultList(list));
        FUZZ_CHECK(sameStore(registry, before));
    } else if (count == 0) {
        // Zero watermarks; records stored beside count 0 make it damaged.
        FUZZ_CHECK(haveList && !listBytes.empty() ? isDefaultList(list) : list.empty());
        FUZZ_CHECK(sameStore(registry, before));
    } else if (listBacksCount) {
        FUZZ_CHECK(sameBytes(list, listBytes.data(), listBytes.size()));
        FUZZ_CHECK(sameStore(registry, before));
    } else {
        // A damaged store: the default in memory, the stored values untouched.
        FUZZ_CHECK(isDefaultList(list));
        FUZZ_CHECK(sameStore(registry, before));
    }

    // Storing the list and opening the printer again gives the same list.
    FUZZ_CHECK(features.SetWatermarkReg(1, kPrinter));
    GUIFeatures reopened(product, registry, trace, defaultMark());
    FUZZ_CHECK(reopened.SetWatermarkInitialInfo(kPrinter) == 0);
    const std::vector<LCWMARKINFO> again = currentList(reopened);
    if (!list.empty())
        FUZZ_CHECK(again.size() == list.size() && std::memcmp(again.data(), list.data(), list.size() * sizeof(LCWMARKINFO)) == 0);
    return 0;
}
