// The 1056-byte record as the driver or the registry hands it over: loaded
// into the settings model, put through the full rule check with answers and
// printer traits from the input, and saved. The input is the record (zero
// padded when shorter), then the traits and the answers.
#include "GUIPrinter.h"
#include "LcDevMode.h"
#include "OptionKeys.h"

#include "ModelFakes.h"

#include "FuzzCheck.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t kRuleCount = 14;
constexpr std::size_t kNameBytes = sizeof(LCDEVMODE::dmPrinterName);

// Bytes after the record, read one at a time; zero when they run out.
class Tail {
public:
    Tail(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return position_ < size_ ? data_[position_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// A heap record of exactly its size, so a write past it is a sanitizer report.
std::unique_ptr<LCDEVMODE> filledRecord(std::uint8_t fill)
{
    auto record = std::make_unique<LCDEVMODE>();
    std::memset(record.get(), fill, sizeof *record);
    return record;
}

// Which bytes a save writes, apart from the name: the same for every record.
void checkFixedLayout(const LCDEVMODE& zeros, const LCDEVMODE& ones)
{
    static std::vector<bool> written;
    std::vector<bool> now(sizeof(LCDEVMODE));
    const auto* a = reinterpret_cast<const std::uint8_t*>(&zeros);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&ones);
    for (std::size_t i = kNameBytes; i < sizeof(LCDEVMODE); ++i)
        now[i] = a[i] != 0x00 || b[i] != 0xFF;
    if (written.empty())
        written = now;
    FUZZ_CHECK(now == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LCDEVMODE input;
    std::memset(&input, 0, sizeof input);
    std::memcpy(&input, data, size < sizeof input ? size : sizeof input);
    Tail tail(data + (size < sizeof input ? size : sizeof input), size < sizeof input ? 0 : size - sizeof input);

    ModelWorld world;
    const std::uint8_t traits = tail.next();
    world.config.items[kItemAutoDuplexSupport] = traits % 4;
    for (const char* key : {OptionKey::IDO_DRAFT_PHOTO_CONFLICT, OptionKey::IDO_DRAFT_GLOSSY_CONFLICT,
                            OptionKey::IDO_ALLOW_CUSTOMPAPER_DUPLEX, OptionKey::IDO_VENDRA_GUI_OPTION,
                            OptionKey::IDO_SUPPORT_BESTPRINTQUALITY, OptionKey::IDO_PMKPRINTPROP,
                            OptionKey::IDO_SUPPORT_PHOTOPRINTQUALITY})
        world.product.set(key, tail.next() % 3);
    world.status.known = true;
    world.status.logCart[0] = tail.next();
    world.status.logCart[1] = tail.next();
    int answers[kRuleCount];
    for (int& answer : answers)
        answer = tail.next() % 5;
    world.dialog.policy = [&answers](const ConflictMessage& m) { return answers[static_cast<int>(m.rule)]; };

    auto model = world.make();
    model->LoadFrom(input);
    FUZZ_CHECK(model->GetPrinterName().size() < kNameBytes);
    model->SetInkInfo2(INKINFO{}, kModelPrinter);
    model->SetConflictDialog(&world.dialog);
    model->SetOEMPropDlg(&world.oem);
    model->SetDuplexUnitPresent(traits & 0x10 ? 1 : 0);
    model->SetDuplexRulesEnabled(traits & 0x20 ? 0 : 1);
    model->SetConflictCheck(1);
    model->CheckConflicts();
    FUZZ_CHECK(world.dialog.shown.size() <= kRuleCount);
    for (const ConflictMessage& message : world.dialog.shown)
        FUZZ_CHECK(message.texts.size() >= 2 && message.texts.size() <= 6);
    // A second check after the answers asks nothing, except the two rules
    // whose own answers are their triggers again: the two-sided media rule's
    // first choice with method 2 and a duplex unit, and the draft/photo rule
    // closed (quality -2) with a 0x80 cartridge.
    const int32_t method = model->GetDuplexMethod();
    const int32_t quality = model->GetPrintQuality();
    const bool best = model->GetLogicalCartridge1() == 0x80 || model->GetLogicalCartridge2() == 0x80;
    world.dialog.shown.clear();
    world.dialog.policy = [](const ConflictMessage&) { return 0; };
    model->CheckConflicts();
    for (const ConflictMessage& message : world.dialog.shown) {
        const int answer = answers[static_cast<int>(message.rule)];
        const bool keptMedia = message.rule == ConflictRule::DuplexMedia && answer == kConflictAnswerFirst &&
                               method == 2 && model->GetDuplexUnitPresent() == 1;
        const bool closedOnBest = message.rule == ConflictRule::DraftPhoto && answer != kConflictAnswerFirst &&
                                  answer != kConflictAnswerSecond && quality == -2 && best;
        FUZZ_CHECK(keptMedia || closedOnBest);
    }

    auto zeros = filledRecord(0x00);
    auto ones = filledRecord(0xFF);
    model->SaveTo(*zeros);
    model->SaveTo(*ones);
    FUZZ_CHECK(std::memchr(zeros->dmPrinterName, '\0', kNameBytes) != nullptr);
    FUZZ_CHECK(std::string(zeros->dmPrinterName) == model->GetPrinterName());
    checkFixedLayout(*zeros, *ones);

    // A saved record is a fixed point: loading and saving it again changes no byte.
    ModelWorld otherWorld;
    auto other = otherWorld.make();
    other->LoadFrom(*zeros);
    auto again = filledRecord(0x00);
    other->SaveTo(*again);
    FUZZ_CHECK(std::memcmp(again.get(), zeros.get(), sizeof(LCDEVMODE)) == 0);
    return 0;
}
