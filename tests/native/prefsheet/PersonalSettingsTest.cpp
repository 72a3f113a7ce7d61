// Personal settings slots and stored records against an in-memory registry
// component: defaults, names, save, load, restore, delete, snapshots, and
// damaged values that must never reach the model.
#include "PersonalSettings.h"

#include "ModelFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kPrinter = kModelPrinter;
const std::string kRoot = kPrinter + "\\";
const std::string kPersonal = kPrinter + "\\Personal\\";

class RecordingMessages : public MessageBoxes {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// The generated default record: recognisable values.
void generateDefault(LCDEVMODE& r)
{
    const LCDEVMODE plain = PlainRecord();
    std::memcpy(reinterpret_cast<char*>(&r) + 256, reinterpret_cast<const char*>(&plain) + 256, sizeof r - 256);
    r.dmPrintQuality = -99;
    r.dmAutoMedia = 1;
    r.dmPaperSize = 9;
}

struct Slots {
    ModelWorld world;
    RecordingMessages messages;
    std::unique_ptr<GUIPrinter> model;
    std::unique_ptr<PersonalSettings> slots;

    explicit Slots(const std::function<void(ModelWorld&)>& setUp = {})
    {
        world.product.set(OptionKey::IDO_PERSONAL_SETTINGS, 1);
        world.product.set(OptionKey::IDO_PMKPRINTPROP, 0);
        world.product.setText(OptionKey::IDO_KEY_NAME_COMPLETETOPRINT_FLAG, "CompleteToPrint");
        world.product.setText(OptionKey::IDO_KEY_NAME_COMPTOPRINT_PPLPA_FLAG, "CompleteToPrintLPA");
        world.product.setText(OptionKey::IDO_KEY_NAME_SHOWDIDYOUKNOWTIP, "ShowTips");
        world.product.setText(OptionKey::IDO_SHOWBUBBLEWARNING_KEYNAME, "ShowBalloons");
        if (setUp)
            setUp(world);
        model = world.make();
        model->LoadFrom(PlainRecord());
        model->SetConflictDialog(&world.dialog);
        slots = std::make_unique<PersonalSettings>(world.product, world.registry, world.trace, messages,
                                                   generateDefault);
    }
    FakeRegistry& registry() { return world.registry; }
    void putNumber(const std::string& key, const std::string& name, uint32_t value)
    {
        registry().put(key, name, kRegNumber, &value, sizeof value);
    }
    void putRecord(const std::string& key, const std::string& name, const LCDEVMODE& r, std::size_t size = sizeof(LCDEVMODE))
    {
        std::vector<uint8_t> bytes(size, 0xEE);
        if (size != 0)
            std::memcpy(bytes.data(), &r, size < sizeof r ? size : sizeof r);
        registry().put(key, name, kRegBinary, bytes.data(), bytes.size());
    }
    const FakeRegistry::Value* value(const std::string& key, const std::string& name) const
    {
        return world.registry.find(key, name);
    }
    uint32_t number(const std::string& key, const std::string& name) const
    {
        const FakeRegistry::Value* v = value(key, name);
        uint32_t n = 0xDEADBEEF;
        if (v != nullptr && v->data.size() == 4)
            std::memcpy(&n, v->data.data(), 4);
        return n;
    }
    LCDEVMODE storedRecord(const std::string& key, const std::string& name) const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        const FakeRegistry::Value* v = value(key, name);
        if (v != nullptr && v->data.size() == sizeof r)
            std::memcpy(&r, v->data.data(), sizeof r);
        return r;
    }
    LCDEVMODE saved() const
    {
        LCDEVMODE r;
        std::memset(&r, 0, sizeof r);
        model->SaveTo(r);
        return r;
    }
    std::size_t writes() const
    {
        std::size_t count = 0;
        for (const std::string& line : world.registry.log)
            count += line.rfind("Write", 0) == 0 ? 1 : 0;
        return count;
    }
};

bool sameBytes(const LCDEVMODE& a, const LCDEVMODE& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(SlotDefaults, FirstOpeningCreatesSlot1AndEmptyKeysForTheOthers)
{
    for (bool personal : {true, false}) {
        SCOPED_TRACE(personal);
        Slots s([&](ModelWorld& w) { w.product.set(OptionKey::IDO_PERSONAL_SETTINGS, personal ? 1 : 0); });
        s.slots->EnsureDefaults(kPrinter);
        const std::string base = personal ? kPersonal : kRoot;
        const LCDEVMODE stored = s.storedRecord(base + "SLOT1", "Default Dev Mode");
        ASSERT_NE(s.value(base + "SLOT1", "Default Dev Mode"), nullptr);
        EXPECT_EQ(s.value(base + "SLOT1", "Default Dev Mode")->type, kRegBinary);
        EXPECT_EQ(std::string(stored.dmPrinterName), kPrinter);
        EXPECT_EQ(stored.dmPrintQuality, -99);
        EXPECT_EQ(s.number(base + "SLOT1", "AutoMedia"), 1u);
        EXPECT_EQ(s.number(base + "SLOT1", "Show JSW"), 1u);
        for (int slot = 2; slot <= 6; ++slot) {
            const std::string created = "Create " + base + "SLOT" + std::to_string(slot);
            EXPECT_NE(std::find(s.registry().log.begin(), s.registry().log.end(), created), s.registry().log.end())
                << created;
        }
        // The registry component leaves personal mode after each slot key.
        EXPECT_EQ(s.registry().personal, 0);

        // A second opening keeps what is there.
        const std::size_t before = s.writes();
        s.slots->EnsureDefaults(kPrinter);
        EXPECT_EQ(s.writes(), before);
    }
}

TEST(SlotDefaults, DamagedDefaultRecordIsReplaced)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{4}, std::size_t{1055}, std::size_t{1057}, std::size_t{4096}}) {
        SCOPED_TRACE(size);
        Slots s;
        s.putRecord(kPersonal + "SLOT1", "Default Dev Mode", PlainRecord(), size);
        s.slots->EnsureDefaults(kPrinter);
        ASSERT_EQ(s.value(kPersonal + "SLOT1", "Default Dev Mode")->data.size(), sizeof(LCDEVMODE));
        EXPECT_EQ(s.storedRecord(kPersonal + "SLOT1", "Default Dev Mode").dmPrintQuality, -99);
    }
}

TEST(SlotNames, ReadModesAndStoredForms)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> stored;   // empty: missing
        PersonalSettings::NameRead mode;
        std::string expected;
        bool message;
        bool writesNull;
    };
    auto text = [](const std::string& t, std::size_t size) {
        std::vector<uint8_t> bytes(size, 0);
        std::memcpy(bytes.data(), t.data(), t.size() < size ? t.size() : size);
        return bytes;
    };
    const std::string name31(31, 'N');
    const std::string name32 = std::string(31, 'A') + "B";
    const Case cases[] = {
        {"short with zeros", text("Work", 31), PersonalSettings::NameRead::Quiet, "Work", false, false},
        {"31 bytes, no NUL", text(name31, 31), PersonalSettings::NameRead::Quiet, name31, false, false},
        {"32 bytes, no NUL", text(name32, 32), PersonalSettings::NameRead::Quiet, std::string(31, 'A'), false, false},
        {"too long", text(std::string(40, 'L'), 40), PersonalSettings::NameRead::Quiet, "NULL", false, false},
        {"NULL", text("NULL", 5), PersonalSettings::NameRead::Menu, "NULL", false, false},
        {"missing, quiet", {}, PersonalSettings::NameRead::Quiet, "NULL", false, false},
        {"missing, manage", {}, PersonalSettings::NameRead::ManageDialog, "NULL", true, false},
        {"missing, menu", {}, PersonalSettings::NameRead::Menu, "NULL", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Slots s;
        if (!c.stored.empty())
            s.registry().put(kPersonal + "SLOT4", "Slot4 Name", kRegText, c.stored.data(), c.stored.size());
        EXPECT_EQ(s.slots->ReadSlotName(kPrinter, 4, c.mode), c.expected);
        EXPECT_EQ(s.messages.shown, c.message ? std::vector<std::string>{"Error Reading Registry"}
                                              : std::vector<std::string>{});
        const FakeRegistry::Value* v = s.value(kPersonal + "SLOT4", "Slot4 Name");
        if (c.writesNull) {
            ASSERT_NE(v, nullptr);
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(v->data.data())), "NULL");
        }
    }
    EXPECT_EQ(PersonalSettings::DisplayName("NULL"), "<Empty>");
    EXPECT_EQ(PersonalSettings::DisplayName("Photos"), "Photos");
    Slots s;
    EXPECT_EQ(s.slots->ReadSlotName(kPrinter, 1, PersonalSettings::NameRead::ManageDialog), "NULL");
    EXPECT_EQ(s.slots->ReadSlotName(kPrinter, 7, PersonalSettings::NameRead::ManageDialog), "NULL");
}

TEST(SlotSave, NameIsStoredIn31BytesAndReadBack)
{
    struct Case {
        std::string typed;
        std::string stored;
    };
    const Case cases[] = {
        {"Work", "Work"},
        {std::string(31, 'x'), std::string(31, 'x')},
        {std::string(45, 'y'), std::string(31, 'y')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Slots s;
        ASSERT_TRUE(s.slots->SaveToSlot(*s.model, 3, c.typed));
        const FakeRegistry::Value* v = s.value(kPersonal + "SLOT3", "Slot3 Name");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, kRegText);
        ASSERT_EQ(v->data.size(), 31u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(v->data.data()), strnlen(reinterpret_cast<const char*>(v->data.data()), 31)),
                  c.stored);
        EXPECT_EQ(s.slots->ReadSlotName(kPrinter, 3, PersonalSettings::NameRead::Quiet), c.stored);
    }
}

TEST(SlotSave, EmptyDisplayNameWritesNothing)
{
    Slots s;
    EXPECT_FALSE(s.slots->SaveToSlot(*s.model, 2, "<Empty>"));
    EXPECT_FALSE(s.slots->SaveToSlot(*s.model, 1, "Defaults"));
    EXPECT_FALSE(s.slots->SaveToSlot(*s.model, 7, "Seven"));
    EXPECT_EQ(s.writes(), 0u);
}

TEST(SlotSave, RecordAndExtraValues)
{
    struct Case {
        bool statusShown;   // IDO_PMKPRINTPROP 0
        bool optionsOn;     // ink levels, pages, tips, sound, balloons
    };
    for (const Case& c : {Case{true, true}, Case{true, false}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << c.statusShown << c.optionsOn);
        Slots s([&](ModelWorld& w) {
            w.product.set(OptionKey::IDO_PMKPRINTPROP, c.statusShown ? 0 : 1);
            const uint32_t on = c.optionsOn ? 1 : 0;
            w.product.set(OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, on);
            w.product.set(OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, on);
            w.product.set(OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, on);
            w.product.set(OptionKey::IDO_HIDE_SOUND_OPTION, c.optionsOn ? 0 : 1);
            w.product.set(OptionKey::IDO_CATS_GUI_SUPPORTED, on);
        });
        s.putNumber(kRoot + "AUTOMEDIA", "Auto Media", 0);
        s.model->SetMediaType(265);
        s.model->SetAutoMediaValue1(1);
        StatusProgramOptions& status = s.model->StatusOptions();
        status = StatusProgramOptions{2, 1, 1, 1, 0, 1, 0, 1, 1};
        ASSERT_TRUE(s.slots->SaveToSlot(*s.model, 5, "Glossy"));

        const std::string key = kPersonal + "SLOT5";
        const LCDEVMODE stored = s.storedRecord(key, "Slot5 DevMode");
        EXPECT_TRUE(sameBytes(stored, s.saved()));
        EXPECT_EQ(s.value(key, "Slot5 DevMode")->type, kRegBinary);
        EXPECT_EQ(s.number(key, "AutoMedia"), 1u);
        EXPECT_EQ(s.number(key, "Remember Type"), 0u);       // PRP was missing...
        EXPECT_EQ(s.number(kRoot + "PRP", "Remember Type"), 0u);   // ...and is written back
        EXPECT_EQ(s.number(key, "Internal Automedia"), 0u);
        const bool st = c.statusShown;
        EXPECT_EQ(s.value(key, "Remember CompleteToPrint") != nullptr, st);
        if (st) {
            EXPECT_EQ(s.number(key, "Remember CompleteToPrint"), 2u);
            EXPECT_EQ(s.number(key, "Remember UseColorForBlack"), 1u);
            EXPECT_EQ(s.number(key, "Rem Job Progress Minimized"), 1u);
            EXPECT_EQ(s.number(key, "Rem Show Process Window"), 0u);
        }
        EXPECT_EQ(s.value(key, "RemShowInkLevels") != nullptr, st && c.optionsOn);
        EXPECT_EQ(s.value(key, "RemShowNumPages") != nullptr, st && c.optionsOn);
        EXPECT_EQ(s.value(key, "ShowTips") != nullptr, c.optionsOn);
        EXPECT_EQ(s.value(key, "Sound") != nullptr, c.optionsOn);
        EXPECT_EQ(s.value(key, "ShowBalloons") != nullptr, c.optionsOn);
    }
    // A missing "Auto Media" reads 1 and is written back.
    Slots s;
    ASSERT_TRUE(s.slots->SaveToSlot(*s.model, 2, "Plain"));
    EXPECT_EQ(s.number(kRoot + "AUTOMEDIA", "Auto Media"), 1u);
    EXPECT_EQ(s.number(kPersonal + "SLOT2", "Internal Automedia"), 1u);
}

TEST(SlotLoad, RecordUnderAnotherPrinterTakesTheCurrentName)
{
    Slots s;
    LCDEVMODE other = PlainRecord();
    std::memset(other.dmPrinterName, 0, sizeof other.dmPrinterName);
    std::strcpy(other.dmPrinterName, "Another printer with a much longer name");
    other.dmMediaType = 3;
    other.dmCopies = 7;
    s.putRecord(kPersonal + "SLOT6", "Slot6 DevMode", other);
    s.putNumber(kPersonal + "SLOT6", "AutoMedia", 0);
    s.putNumber(kPersonal + "SLOT6", "Remember CompleteToPrint", 2);
    s.putNumber(kPersonal + "SLOT6", "Rem Job Progress Minimized", 1);
    s.putNumber(kPersonal + "SLOT6", "Rem Show Process Window", 0);
    s.model->SetAutoMediaValue1(1);
    ASSERT_TRUE(s.slots->LoadSlot(*s.model, 6));
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_EQ(s.model->GetPrinterName(), kPrinter);
    const LCDEVMODE saved = s.saved();
    EXPECT_EQ(std::string(saved.dmPrinterName), kPrinter);
    EXPECT_EQ(saved.dmMediaType, 3u);
    EXPECT_EQ(saved.dmCopies, 7);
    EXPECT_EQ(s.model->GetCompleteToPrint(), 2);
    EXPECT_EQ(s.model->GetJobProgressMinimized(), 1);
    EXPECT_EQ(s.model->GetShowProcessWindow(), 0);
    // "Internal Automedia" missing counts as 1: the set's value goes to AUTOMEDIA.
    EXPECT_EQ(s.model->GetAutoMediaValue1(), 0);
    EXPECT_EQ(s.model->GetAutoMediaValue2(), 0);
    EXPECT_EQ(s.number(kRoot + "AUTOMEDIA", "Auto Media"), 0u);
    // "Remember UseColorForBlack" was missing: 0 under the companion name.
    EXPECT_EQ(s.number(kPersonal + "SLOT6", "CompleteToPrintLPA"), 0u);
}

TEST(SlotLoad, AutomaticMediaByPortAndInternalValue)
{
    struct Case {
        uint32_t portType;
        int internal;           // -1: missing
        int32_t expected;
        uint32_t autoMediaKey;  // 0xDEADBEEF: not written
    };
    const Case cases[] = {
        {0, -1, 1, 1}, {0, 1, 1, 1}, {0, 0, 0, 0xDEADBEEF}, {5, 1, 0, 0}, {10, -1, 0, 0}, {12, 1, 1, 1}, {7, 0, 0, 0xDEADBEEF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "port " << c.portType << " internal " << c.internal);
        Slots s;
        LCDEVMODE r = PlainRecord();
        r.dmAutoMedia = 1;
        s.putRecord(kPersonal + "SLOT2", "Slot2 DevMode", r);
        s.putNumber(kPersonal + "SLOT2", "AutoMedia", 1);
        if (c.internal >= 0)
            s.putNumber(kPersonal + "SLOT2", "Internal Automedia", static_cast<uint32_t>(c.internal));
        s.model->SetPortType(c.portType);
        ASSERT_TRUE(s.slots->LoadSlot(*s.model, 2));
        EXPECT_EQ(s.model->GetAutoMediaValue1(), c.expected);
        EXPECT_EQ(s.model->GetAutoMediaValue2(), c.expected);
        EXPECT_EQ(s.number(kRoot + "AUTOMEDIA", "Auto Media"), c.autoMediaKey);
        if (c.expected == 0) {
            EXPECT_EQ(s.model->GetAutoMedia(), 0);
        }
    }
}

TEST(SlotLoad, DamagedOrMissingRecordsAreNeverLoaded)
{
    for (int size : {-1, 0, 1, 1055, 1057, 2112}) {
        SCOPED_TRACE(size);
        Slots s;
        LCDEVMODE r = PlainRecord();
        r.dmMediaType = 258;
        r.dmCopies = 42;
        if (size >= 0)
            s.putRecord(kPersonal + "SLOT3", "Slot3 DevMode", r, static_cast<std::size_t>(size));
        const LCDEVMODE before = s.saved();
        EXPECT_FALSE(s.slots->LoadSlot(*s.model, 3));
        EXPECT_EQ(s.messages.shown, std::vector<std::string>{"CAUGHT"});
        EXPECT_TRUE(sameBytes(s.saved(), before));
    }
}

TEST(SlotLoad, OutOfRangeValuesLoadAndTheRulesStillEnd)
{
    struct Case {
        uint32_t flags;
        int32_t quality;
        int32_t copies;
    };
    const Case cases[] = {{0xFFFFFFFF, 12345, 0}, {0x7FF0F0F, -1, 500}, {0x8000 | 0x20, -99, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        Slots s([](ModelWorld& w) {
            w.config.items[kItemAutoDuplexSupport] = 2;
            w.product.set(OptionKey::IDO_DRAFT_GLOSSY_CONFLICT, 1);
        });
        LCDEVMODE r = PlainRecord();
        r.dmPaperFlags = c.flags;
        r.dmPrintQuality = c.quality;
        r.dmCopies = c.copies;
        r.dmMediaType = 267;
        r.dmLayoutCode = 4;
        r.dmFeatureWord14C = 1;
        r.dmDuplexMode = 3;
        r.dmDuplexMethod = 3;
        r.dmPaperSize = 0xFFFFFFFF;
        r.dmSavedPaperSize = 0;
        s.putRecord(kPersonal + "SLOT2", "Slot2 DevMode", r);
        s.putNumber(kPersonal + "SLOT2", "AutoMedia", 1);   // applying it re-runs the rules
        s.model->SetConflictCheck(1);
        s.world.dialog.fallback = 1;
        ASSERT_TRUE(s.slots->LoadSlot(*s.model, 2));
        EXPECT_EQ(s.saved().dmPrintQuality, c.quality == -1 ? -2 : c.quality);
        EXPECT_EQ(s.saved().dmCopies, c.copies);
        // The rules run (auto media changes) and end; again, they settle.
        s.model->CheckConflicts();
        const LCDEVMODE once = s.saved();
        s.model->CheckConflicts();
        EXPECT_TRUE(sameBytes(s.saved(), once));
    }
}

TEST(SlotDelete, NameBecomesNullRecordStaysAndSavingAgainOverwrites)
{
    Slots s;
    ASSERT_TRUE(s.slots->SaveToSlot(*s.model, 4, "Draft"));
    const LCDEVMODE first = s.storedRecord(kPersonal + "SLOT4", "Slot4 DevMode");
    ASSERT_TRUE(s.slots->DeleteSlot(kPrinter, 4));
    EXPECT_EQ(s.slots->ReadSlotName(kPrinter, 4, PersonalSettings::NameRead::Quiet), "NULL");
    EXPECT_TRUE(sameBytes(s.storedRecord(kPersonal + "SLOT4", "Slot4 DevMode"), first));

    s.model->SetCopies(12);
    ASSERT_TRUE(s.slots->SaveToSlot(*s.model, 4, "Again"));
    EXPECT_EQ(s.slots->ReadSlotName(kPrinter, 4, PersonalSettings::NameRead::Quiet), "Again");
    EXPECT_EQ(s.storedRecord(kPersonal + "SLOT4", "Slot4 DevMode").dmCopies, 12);
    EXPECT_FALSE(s.slots->DeleteSlot(kPrinter, 1));
}

TEST(SlotRestore, DefaultsWithTheirAdjustments)
{
    struct Case {
        uint32_t portType;
        int autoQuality;
        int32_t quality;
        uint32_t media;
    };
    const Case cases[] = {{0, 1, -99, 3}, {5, 1, -99, 1}, {6, 2, -99, 1}, {10, 0, -2, 1}, {7, -1, -2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "port " << c.portType << " autoquality " << c.autoQuality);
        Slots s([&](ModelWorld& w) {
            w.config.items[kItemAutoDuplexSupport] = 1;
            if (c.autoQuality >= 0)
                w.product.set(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, static_cast<uint32_t>(c.autoQuality));
            w.product.set(OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1);
            w.product.set(OptionKey::IDO_DEFAULT_JSW_MINIMIZED, 0);
            w.product.set(OptionKey::IDO_CATS_GUI_SUPPORTED, 1);
            w.product.set(OptionKey::IDO_HIDE_SOUND_OPTION, 0);
            w.product.set(OptionKey::IDO_DEFAULT_SOUND, 0);
        });
        LCDEVMODE defaults = PlainRecord();
        std::strcpy(defaults.dmPrinterName, "stored elsewhere");
        defaults.dmDuplexMode = 2;
        defaults.dmDuplexMethod = 2;
        defaults.dmMediaType = 3;
        defaults.dmPrintQuality = -4;
        defaults.dmSavedPaperSize = 9;
        s.putRecord(kPersonal + "SLOT1", "Default Dev Mode", defaults);
        s.model->SetPortType(c.portType);
        s.model->SetCompleteToPrint(2);
        s.model->StatusOptions() = StatusProgramOptions{2, 1, 1, 1, 0, 1, 0, 1, 1};
        ASSERT_TRUE(s.slots->RestoreDefaults(*s.model));
        const LCDEVMODE r = s.saved();
        EXPECT_EQ(std::string(r.dmPrinterName), kPrinter);
        EXPECT_EQ(r.dmDuplexMode, 1);     // no duplex unit reported
        EXPECT_EQ(r.dmDuplexMethod, 0);
        EXPECT_EQ(r.dmPrintQuality, c.portType == 0 ? -4 : c.quality);
        EXPECT_EQ(r.dmMediaType, c.media);
        EXPECT_EQ(s.model->GetPlainPaperDefaultSize(), 1u);   // default sizes read again
        EXPECT_EQ(s.model->GetCompleteToPrint(), 0);
        EXPECT_EQ(s.model->GetJobProgressMinimized(), 0);
        EXPECT_EQ(s.model->GetShowProcessWindow(), 1);
        EXPECT_EQ(s.model->GetBalloonTips(), 1);
        EXPECT_EQ(s.model->GetSound(), 0);
        EXPECT_TRUE(s.messages.shown.empty());
    }
}

// Each status option returns to its default only when its option is shown,
// and each default follows its key's one explicit value; 7 marks "unchanged".
TEST(SlotRestore, StatusOptionsFollowTheirKeys)
{
    constexpr int kMissing = -1;
    struct Key {
        const char* key;
        int value;
    };
    struct Case {
        const char* name;
        std::vector<Key> keys;
        StatusProgramOptions expected;   // completeToPrint, ink, pages, minimized, process, special, balloon, tips, sound
    };
    const Case cases[] = {
        {"nothing offered", {{OptionKey::IDO_HIDE_SOUND_OPTION, 1}}, {2, 7, 7, 1, 1, 7, 7, 7, 7}},
        {"keys missing", {}, {2, 7, 7, 1, 1, 7, 7, 7, 7}},
        {"everything shown, defaults 0",
         {{OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 1}, {OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, 1},
          {OptionKey::IDO_CATS_GUI_SUPPORTED, 1}, {OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 1},
          {OptionKey::IDO_HIDE_SOUND_OPTION, 0}, {OptionKey::IDO_DEFAULT_SOUND, 0},
          {OptionKey::IDO_DEFAULT_JSW_MINIMIZED, 0}},
         {2, 0, 0, 0, 1, 7, 1, 0, 0}},
        {"sound and minimized default to 1 unless their key is 0",
         {{OptionKey::IDO_HIDE_SOUND_OPTION, 0}, {OptionKey::IDO_DEFAULT_SOUND, kMissing},
          {OptionKey::IDO_DEFAULT_JSW_MINIMIZED, 2}},
         {2, 7, 7, 1, 1, 7, 7, 7, 1}},
        {"options at 2 are not shown",
         {{OptionKey::IDO_DISPLAY_INKLEVELS_OPTION, 2}, {OptionKey::IDO_DISPLAY_PAGE_REMAINING_OPTION, 2},
          {OptionKey::IDO_CATS_GUI_SUPPORTED, 2}, {OptionKey::IDO_SUPPORT_DIDYOUKNOWTIPS, 2},
          {OptionKey::IDO_HIDE_SOUND_OPTION, 2}, {OptionKey::IDO_DEFAULT_SOUND, 1}},
         {2, 7, 7, 1, 1, 7, 7, 7, 7}},
        {"complete-to-print cleared by the complete-a-print key", {{OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 1}},
         {0, 7, 7, 1, 1, 7, 7, 7, 7}},
        {"complete-to-print cleared by the ink-low key", {{OptionKey::IDO_VENDRA_INKLOW_WARNING_OPTION, 1}},
         {0, 7, 7, 1, 1, 7, 7, 7, 7}},
        {"complete-to-print kept at other values",
         {{OptionKey::IDO_SUPPORT_COMPLETE_A_PRINT, 2}, {OptionKey::IDO_VENDRA_INKLOW_WARNING_OPTION, 0}},
         {2, 7, 7, 1, 1, 7, 7, 7, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Slots s([&](ModelWorld& w) {
            for (const Key& k : c.keys) {
                if (k.value != kMissing)
                    w.product.set(k.key, static_cast<uint32_t>(k.value));
            }
        });
        s.putRecord(kPersonal + "SLOT1", "Default Dev Mode", PlainRecord());
        s.putNumber(kPersonal + "SLOT1", "Remember CompleteToPrint", 2);
        s.model->StatusOptions() = StatusProgramOptions{7, 7, 7, 7, 7, 7, 7, 7, 7};
        ASSERT_TRUE(s.slots->RestoreDefaults(*s.model));
        const StatusProgramOptions& got = s.model->StatusOptions();
        EXPECT_EQ(got.completeToPrint, c.expected.completeToPrint);
        EXPECT_EQ(got.showInkLevels, c.expected.showInkLevels);
        EXPECT_EQ(got.showNumberOfPages, c.expected.showNumberOfPages);
        EXPECT_EQ(got.jobProgressMinimized, c.expected.jobProgressMinimized);
        EXPECT_EQ(got.showProcessWindow, c.expected.showProcessWindow);
        EXPECT_EQ(got.showSpecialMessages, c.expected.showSpecialMessages);
        EXPECT_EQ(got.balloonTips, c.expected.balloonTips);
        EXPECT_EQ(got.didYouKnowTips, c.expected.didYouKnowTips);
        EXPECT_EQ(got.sound, c.expected.sound);
    }
}

TEST(SlotRestore, MissingOrDamagedDefaultsChangeNothingAndSayNothing)
{
    for (int size : {-1, 100, 1057}) {
        Slots s;
        if (size >= 0)
            s.putRecord(kPersonal + "SLOT1", "Default Dev Mode", PlainRecord(), static_cast<std::size_t>(size));
        s.model->SetCopies(9);
        s.model->SetCompleteToPrint(2);
        const LCDEVMODE before = s.saved();
        EXPECT_FALSE(s.slots->RestoreDefaults(*s.model));
        EXPECT_TRUE(sameBytes(s.saved(), before));
        EXPECT_EQ(s.model->GetCompleteToPrint(), 2);
        EXPECT_TRUE(s.messages.shown.empty());
    }
}

TEST(Snapshots, SaveThenRestoreGivesBackTheRecordUnderTheCurrentName)
{
    for (SnapshotKind kind : {SnapshotKind::EdgeToEdge, SnapshotKind::Envelope}) {
        const std::string key = kRoot + (kind == SnapshotKind::Envelope ? "ENV" : "E2E");
        Slots s;
        s.putNumber(kRoot + "PRP", "Remember Type", 6);
        s.model->SetMediaType(265);
        s.model->SetCopies(3);
        s.model->SetAutoMediaValue1(1);
        const LCDEVMODE before = s.saved();
        ASSERT_TRUE(s.slots->SaveSnapshot(*s.model, kind));
        EXPECT_TRUE(sameBytes(s.storedRecord(key, "Previous DevMode"), before));
        EXPECT_EQ(s.number(key, "AutoMedia"), 1u);
        EXPECT_EQ(s.number(key, "Remember Type"), 6u);
        EXPECT_EQ(s.number(key, "Internal Automedia"), 1u);
        EXPECT_EQ(s.number(kRoot + "AUTOMEDIA", "Auto Media"), 1u);

        s.model->SetPaperFlags(kind == SnapshotKind::Envelope ? 0x8000 : 0x1000);
        s.model->SetCopies(1);
        s.model->SetMediaType(1);
        ASSERT_TRUE(s.slots->RestoreSnapshot(*s.model, kind));
        EXPECT_TRUE(sameBytes(s.saved(), before));
        EXPECT_EQ(s.model->GetAutoMediaValue1(), 1);
    }
}

TEST(Snapshots, MissingSnapshotFallsBackToTheDefaultsAndStoresThem)
{
    struct Case {
        SnapshotKind kind;
        const char* missing;
        const char* noDefaults;
    };
    const Case cases[] = {
        {SnapshotKind::Envelope, "PageSetupPropPage::OnEnvelope()()::ENV not created in registry",
         "PageSetupPropPage::OnEnvelope()():SLOT 1 not created in registry!"},
        {SnapshotKind::EdgeToEdge, "PageSetupPropPage::OnEdgeToEdge()::E2E not created in registry",
         "PageSetupPropPage::OnEdgeToEdge():SLOT 1 not created in registry!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        const std::string key = kRoot + (c.kind == SnapshotKind::Envelope ? "ENV" : "E2E");
        {
            Slots s;
            s.slots->EnsureDefaults(kPrinter);
            s.putRecord(key, "Previous DevMode", PlainRecord(), 1000);   // damaged counts as missing
            s.model->SetCopies(5);
            ASSERT_TRUE(s.slots->RestoreSnapshot(*s.model, c.kind));
            EXPECT_TRUE(s.world.trace.contains(c.missing));
            EXPECT_EQ(s.model->GetPaperSize(), 9u);      // the generated defaults
            EXPECT_EQ(s.model->GetCopies(), 1);
            EXPECT_TRUE(sameBytes(s.storedRecord(key, "Previous DevMode"),
                                  s.storedRecord(kPersonal + "SLOT1", "Default Dev Mode")));
        }
        {
            Slots s;
            s.model->SetCopies(5);
            const LCDEVMODE before = s.saved();
            EXPECT_FALSE(s.slots->RestoreSnapshot(*s.model, c.kind));
            EXPECT_TRUE(s.world.trace.contains(c.noDefaults));
            EXPECT_TRUE(sameBytes(s.saved(), before));
        }
    }
}

TEST(Snapshots, PortsWithoutTwoWayRestoreWithoutAutomaticMedia)
{
    Slots s;
    s.model->SetMediaType(3);
    s.model->SetAutoMediaValue1(1);
    ASSERT_TRUE(s.slots->SaveSnapshot(*s.model, SnapshotKind::Envelope));
    s.model->SetPortType(6);
    ASSERT_TRUE(s.slots->RestoreSnapshot(*s.model, SnapshotKind::Envelope));
    EXPECT_EQ(s.model->GetAutoMediaValue1(), 0);
    EXPECT_EQ(s.model->GetAutoMedia(), 0);
    EXPECT_EQ(s.model->GetMediaType(), 1u);
}
