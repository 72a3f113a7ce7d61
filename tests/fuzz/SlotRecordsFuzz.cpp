// Personal settings slots through the registry fake: stored names, records
// and numbers of any size. A record reaches the model only when it is whole,
// a name never outgrows its field, and a saved slot loads back the same.
// The input is a few choice bytes, a name and a record.
#include "GUIPrinter.h"
#include "LcDevMode.h"
#include "OptionKeys.h"
#include "PersonalSettings.h"

#include "ModelFakes.h"

#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

class CountingMessages : public MessageBoxes {
public:
    void Show(const std::string&) override { ++shown; }
    int shown = 0;
};

std::vector<std::uint8_t> saved(const GUIPrinter& model)
{
    LCDEVMODE record;
    std::memset(&record, 0, sizeof record);
    model.SaveTo(record);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    return std::vector<std::uint8_t>(bytes, bytes + sizeof record);
}

// Exactly a record, one byte short or over, or any length.
std::size_t recordLength(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return sizeof(LCDEVMODE);
    case 1:
        return sizeof(LCDEVMODE) - 1;
    case 2:
        return sizeof(LCDEVMODE) + 1;
    default:
        return input.ConsumeIntegralInRange<std::size_t>(0, sizeof(LCDEVMODE) + 8);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int slot = input.ConsumeIntegralInRange<int>(0, 7);
    const bool personal = input.ConsumeBool();
    const bool ensureDefaults = input.ConsumeBool();
    const std::size_t slotLength = recordLength(input);
    const std::size_t defaultLength = recordLength(input);
    const std::vector<std::uint8_t> autoMedia = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<int>(0, 6));
    const std::vector<std::uint8_t> name = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<int>(0, 40));
    const std::string typedName = input.ConsumeRandomLengthString(40);
    std::vector<std::uint8_t> record = input.ConsumeRemainingBytes<std::uint8_t>();
    record.resize(sizeof(LCDEVMODE) + 8);

    ModelWorld world;
    world.product.set(OptionKey::IDO_PERSONAL_SETTINGS, personal ? 1 : 0);
    world.product.set(OptionKey::IDO_PMKPRINTPROP, 0);
    CountingMessages messages;
    PersonalSettings slots(world.product, world.registry, world.trace, messages, [](LCDEVMODE& r) {
        const LCDEVMODE plain = PlainRecord();
        std::memcpy(&r.dmStatus, &plain.dmStatus, sizeof r - offsetof(LCDEVMODE, dmStatus));
    });

    const std::string base = std::string(kModelPrinter) + (personal ? "\\Personal\\" : "\\");
    const std::string slotKey = base + "SLOT" + std::to_string(slot);
    const std::string recordName = "Slot" + std::to_string(slot) + " DevMode";
    const std::string nameName = "Slot" + std::to_string(slot) + " Name";
    world.registry.put(slotKey, recordName, kRegBinary, record.data(), slotLength);
    world.registry.put(slotKey, nameName, kRegText, name.data(), name.size());
    world.registry.put(slotKey, "AutoMedia", kRegNumber, autoMedia.data(), autoMedia.size());
    world.registry.put(base + "SLOT1", "Default Dev Mode", kRegBinary, record.data(), defaultLength);

    // A damaged default record is replaced by a whole one; a whole one is kept.
    bool wholeDefault = defaultLength == sizeof(LCDEVMODE);
    if (ensureDefaults) {
        slots.EnsureDefaults(kModelPrinter);
        const FakeRegistry::Value* stored = world.registry.find(base + "SLOT1", "Default Dev Mode");
        FUZZ_CHECK(stored != nullptr && stored->data.size() == sizeof(LCDEVMODE));
        if (wholeDefault)
            FUZZ_CHECK(std::memcmp(stored->data.data(), record.data(), sizeof(LCDEVMODE)) == 0);
        wholeDefault = true;
    }

    auto model = world.make();
    model->LoadFrom(PlainRecord());
    const bool personalSlot = slot >= kFirstPersonalSlot && slot <= kLastPersonalSlot;

    // Names: at most 31 bytes, up to the first NUL; "NULL" when unreadable.
    const std::string stored = slots.ReadSlotName(kModelPrinter, slot, PersonalSettings::NameRead::Quiet);
    FUZZ_CHECK(stored.size() <= kSlotNameBytes && stored.find('\0') == std::string::npos);
    if (!personalSlot || name.size() > kSlotNameBytes + 1) {
        FUZZ_CHECK(stored == kEmptySlotName);
    } else {
        const std::string raw(name.begin(), name.end());
        FUZZ_CHECK(stored == raw.substr(0, raw.find('\0')).substr(0, kSlotNameBytes));
    }

    // A record is taken whole or not at all; the model keeps its printer.
    const std::vector<std::uint8_t> beforeLoad = saved(*model);
    const bool loaded = slots.LoadSlot(*model, slot);
    FUZZ_CHECK(loaded == (personalSlot && slotLength == sizeof(LCDEVMODE)));
    if (!loaded)
        FUZZ_CHECK(saved(*model) == beforeLoad);
    FUZZ_CHECK(model->GetPrinterName() == kModelPrinter);

    const std::vector<std::uint8_t> beforeRestore = saved(*model);
    const bool restored = slots.RestoreDefaults(*model);
    FUZZ_CHECK(restored == wholeDefault);
    if (!restored)
        FUZZ_CHECK(saved(*model) == beforeRestore);
    FUZZ_CHECK(model->GetPrinterName() == kModelPrinter);

    // Saving into a slot writes a whole record and a 31-byte name, and loads back the same.
    const bool savedSlot = slots.SaveToSlot(*model, slot, typedName);
    const std::string cutName = typedName.substr(0, typedName.find('\0')).substr(0, kSlotNameBytes);
    FUZZ_CHECK(savedSlot == (personalSlot && cutName != kEmptySlotDisplay));
    if (savedSlot) {
        const FakeRegistry::Value* written = world.registry.find(slotKey, recordName);
        FUZZ_CHECK(written != nullptr && written->data.size() == sizeof(LCDEVMODE));
        const FakeRegistry::Value* writtenName = world.registry.find(slotKey, nameName);
        FUZZ_CHECK(writtenName != nullptr && writtenName->data.size() == kSlotNameBytes);
        FUZZ_CHECK(slots.ReadSlotName(kModelPrinter, slot, PersonalSettings::NameRead::Quiet) == cutName);
        // A set saved while the printer's automatic media was off loads with it off.
        std::vector<std::uint8_t> expected = saved(*model);
        const FakeRegistry::Value* internal = world.registry.find(slotKey, "Internal Automedia");
        FUZZ_CHECK(internal != nullptr && internal->data.size() == 4);
        if (std::memcmp(internal->data.data(), "\0\0\0\0", 4) == 0)
            std::memset(&expected[offsetof(LCDEVMODE, dmAutoMedia)], 0, sizeof(int32_t));
        FUZZ_CHECK(slots.LoadSlot(*model, slot));
        FUZZ_CHECK(saved(*model) == expected);
    }
    return 0;
}
